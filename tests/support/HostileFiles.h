// Files that a careless or hostile user names where a program expects a
// text file: a named pipe that nobody writes, a file far larger than any
// real one without taking the disk's room (sparse), and binary junk.
#pragma once

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <random>
#include <stdexcept>
#include <string>
#include <thread>

// A named pipe at path for the life of the object. A reader that opens it
// the blocking way would wait for ever; so that such a reader fails its
// test instead of hanging it, a writer opens the pipe after a grace period
// and closes it again, and the reader then sees an empty file.
class TUnwrittenPipe {
 public:
  explicit TUnwrittenPipe(std::string path) : path_(std::move(path)) {
    if (mkfifo(path_.c_str(), 0600) != 0) throw std::runtime_error("mkfifo " + path_);
    rescue_ = std::thread([this] {
      const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(5);
      while (!done_ && std::chrono::steady_clock::now() < until) std::this_thread::sleep_for(std::chrono::milliseconds(20));
      if (done_) return;
      const int fd = open(path_.c_str(), O_WRONLY | O_NONBLOCK);  // fails at once when nobody reads
      if (fd >= 0) close(fd);
    });
  }
  ~TUnwrittenPipe() {
    done_ = true;
    rescue_.join();
    unlink(path_.c_str());
  }
  TUnwrittenPipe(const TUnwrittenPipe&) = delete;
  TUnwrittenPipe& operator=(const TUnwrittenPipe&) = delete;
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
  std::atomic<bool> done_{false};
  std::thread rescue_;
};

// A file of `bytes` zero bytes that takes no room on the disk.
inline void WriteSparseFile(const std::string& path, long long bytes) {
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  if (fd < 0 || ftruncate(fd, bytes) != 0) throw std::runtime_error("sparse file " + path);
  close(fd);
}

// n random bytes of a fixed seed.
inline std::string RandomBytes(size_t n, uint32_t seed) {
  std::mt19937 random(seed);
  std::string bytes(n, '\0');
  for (char& c : bytes) c = char(random() & 0xFF);
  return bytes;
}
