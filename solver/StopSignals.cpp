#include "solver/StopSignals.h"

#include <pthread.h>

#include <ctime>

namespace {

sigset_t StopSet() {
  sigset_t set;
  sigemptyset(&set);
  sigaddset(&set, SIGTERM);
  sigaddset(&set, SIGINT);
  return set;
}

}  // namespace

TStopSignals::TStopSignals() {
  const sigset_t set = StopSet();
  pthread_sigmask(SIG_BLOCK, &set, &before_);
  // The watcher looks up from its wait every few hundredths of a second,
  // so that it can be ended without a signal of its own.
  watcher_ = std::jthread([this, set](std::stop_token end) {
    const timespec slice{0, 20'000'000};
    while (!end.stop_requested()) {
      if (sigtimedwait(&set, nullptr, &slice) > 0) source_.request_stop();
    }
  });
}

TStopSignals::~TStopSignals() {
  watcher_.request_stop();
  watcher_.join();
  pthread_sigmask(SIG_SETMASK, &before_, nullptr);
}
