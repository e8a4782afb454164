// Adds the time of its own life to a counter of seconds.
#pragma once

#include <chrono>

class TStopwatch {
 public:
  explicit TStopwatch(double& total) : total_(total), began_(std::chrono::steady_clock::now()) {}
  ~TStopwatch() { total_ += std::chrono::duration<double>(std::chrono::steady_clock::now() - began_).count(); }
  TStopwatch(const TStopwatch&) = delete;
  TStopwatch& operator=(const TStopwatch&) = delete;

 private:
  double& total_;
  std::chrono::steady_clock::time_point began_;
};
