// Work is handed out one index at a time from a shared counter, so threads
// that meet cheap indices take more of them.
#include "solver/ParallelFor.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

void ParallelFor(size_t count, int32_t threads, const std::function<void(size_t)>& body) {
  const size_t workers = std::min(count, size_t(std::max(threads, 1)));
  if (workers <= 1) {
    for (size_t i = 0; i < count; ++i) body(i);
    return;
  }
  std::atomic<size_t> next{0};
  std::atomic<bool> failed{false};
  std::exception_ptr error;
  std::mutex errorLock;
  auto work = [&] {
    for (size_t i = next++; i < count && !failed; i = next++) {
      try {
        body(i);
      } catch (...) {
        std::lock_guard<std::mutex> hold(errorLock);
        if (!error) error = std::current_exception();
        failed = true;
      }
    }
  };
  std::vector<std::thread> pool;
  for (size_t t = 1; t < workers; ++t) pool.emplace_back(work);
  work();
  for (std::thread& t : pool) t.join();
  if (error) std::rethrow_exception(error);
}
