#include "solver/ProcessorTime.h"

#include <sys/resource.h>
#include <time.h>

#include <initializer_list>

namespace {

double SecondsOf(const timeval& t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; }
double SecondsOf(const timespec& t) { return double(t.tv_sec) + double(t.tv_nsec) / 1e9; }

}  // namespace

double ProcessorSeconds() {
  double seconds = 0;
  for (const int who : {RUSAGE_SELF, RUSAGE_CHILDREN}) {
    rusage usage{};
    getrusage(who, &usage);
    seconds += SecondsOf(usage.ru_utime) + SecondsOf(usage.ru_stime);
  }
  return seconds;
}

double ChildProcessorSeconds(pid_t child) {
  clockid_t clock{};
  timespec now{};
  if (clock_getcpuclockid(child, &clock) != 0 || clock_gettime(clock, &now) != 0) return -1;
  return SecondsOf(now);
}
