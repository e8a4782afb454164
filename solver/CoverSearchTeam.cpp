#include "solver/CoverSearchTeam.h"

#include <algorithm>
#include <chrono>
#include <thread>

#include "solver/Stopwatch.h"

TCoverSearchTeam::TCoverSearchTeam(int32_t columns, int32_t searches, uint64_t seed) : rows_(columns) {
  for (int32_t s = 0; s < std::max(searches, 1); ++s)
    searches_.push_back(std::make_unique<TCoverSearch>(seed + uint64_t(s) * 0x2545F4914F6CDD1Dull));
}

void TCoverSearchTeam::Take(const TWitnessRows& known) {
  if (known.Count() > rows_.Count()) rows_.Extend(known);
}

void TCoverSearchTeam::SetCore(const TWitnessRows& known, const std::vector<int32_t>& core) { rows_.Build(known, core); }

void TCoverSearchTeam::Aim(const std::vector<int32_t>& from, int32_t size) {
  target_ = size;
  for (auto& search : searches_) {
    search->Sync(rows_);
    if (search->Size() == size) continue;
    search->Choose(from);
    search->Resize(size);
  }
}

void TCoverSearchTeam::RunOne(TCoverSearch& search, const TDeadline& deadline, std::stop_token stop,
                              bool untilFirst, int32_t lowest) {
  const auto began = std::chrono::steady_clock::now();
  search.Sync(rows_);
  auto enough = [&] {
    return done_ || stop.stop_requested() || deadline.Passed() || search.Size() > target_;
  };
  while (!done_ && !stop.stop_requested() && !deadline.Passed()) {
    if (search.Size() > target_) search.Resize(target_);
    if (search.Size() <= 0) break;
    if (!search.Run(enough)) continue;
    const std::vector<int32_t> cover = search.Chosen();
    {
      std::lock_guard<std::mutex> hold(foundLock_);
      found_.push_back(cover);
    }
    if (untilFirst) {
      done_ = true;
      break;
    }
    if (int32_t(cover.size()) <= lowest) break;
    // Every search, this one too, goes on one column below.
    int32_t was = target_;
    while (was > int32_t(cover.size()) - 1 && !target_.compare_exchange_weak(was, int32_t(cover.size()) - 1)) {
    }
  }
  const double busy = std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
  std::lock_guard<std::mutex> hold(foundLock_);
  busySeconds_ += busy;
}

void TCoverSearchTeam::Run(int32_t threads, const TDeadline& deadline, std::stop_token stop, bool untilFirst,
                           int32_t lowest) {
  TStopwatch watch(seconds_);
  done_ = false;
  const int32_t n = std::clamp(threads, 1, Searches());
  std::vector<std::jthread> others;
  for (int32_t s = 1; s < n; ++s)
    others.emplace_back([this, s, &deadline, stop, untilFirst, lowest] { RunOne(*searches_[size_t(s)], deadline, stop, untilFirst, lowest); });
  RunOne(*searches_[0], deadline, stop, untilFirst, lowest);
  for (std::jthread& t : others) t.join();
}

std::vector<std::vector<int32_t>> TCoverSearchTeam::TakeFound() {
  std::lock_guard<std::mutex> hold(foundLock_);
  std::vector<std::vector<int32_t>> found = std::move(found_);
  found_.clear();
  std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return a.size() < b.size(); });
  found.erase(std::unique(found.begin(), found.end()), found.end());
  return found;
}

int64_t TCoverSearchTeam::Moves() const {
  int64_t moves = 0;
  for (const auto& search : searches_) moves += search->Moves();
  return moves;
}
