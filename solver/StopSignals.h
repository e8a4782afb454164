// SIGTERM and SIGINT as a stop request of a solve, for as long as the
// object lives: the run ends within a tenth of a second with its best
// cover and bound so far, and writes its files as at the time limit. The
// level editor stops a solve this way when the level changes under it.
//
// The signals are blocked in the calling thread, and so in every thread
// and child it starts from then on, and taken by one watcher thread that
// waits for them and holds no lock, so that the fork of a contained call
// finds no lock held. Make it before any other thread.
#pragma once

#include <stop_token>
#include <thread>

#include <signal.h>

class TStopSignals {
 public:
  TStopSignals();
  ~TStopSignals();
  TStopSignals(const TStopSignals&) = delete;
  TStopSignals& operator=(const TStopSignals&) = delete;

  std::stop_token Token() const { return source_.get_token(); }

 private:
  std::stop_source source_;
  sigset_t before_;
  std::jthread watcher_;
};
