// fork, a pipe, poll with the deadline, waitpid. The child leaves through
// _exit, so that it neither flushes the parent's buffered output a second
// time nor runs the parent's exit handlers. The wait is cut into short
// slices, so a stop request (which the deadline carries) ends the child
// within one of them; and the child is ended with its parent, so killing
// the solver leaves no library at work behind it.
#include "solver/ContainedCall.h"

#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstring>
#include <thread>

bool WriteAll(int fd, const void* data, size_t size) {
  const char* p = static_cast<const char*>(data);
  while (size > 0) {
    const ssize_t done = write(fd, p, size);
    if (done < 0 && errno == EINTR) continue;
    if (done <= 0) return false;
    p += done;
    size -= size_t(done);
  }
  return true;
}

namespace {

// How long the parent waits for the child's answer before it looks at the
// deadline (and so at a stop request) again.
constexpr int StopSliceMilliseconds = 20;

}  // namespace

TContainedOutcome RunContained(const std::function<void(int fd)>& work, const TDeadline& deadline,
                               const TAlongside& alongside) {
  TContainedOutcome outcome;
  int fds[2];
  if (pipe(fds) != 0) {
    outcome.failure = std::string("no pipe: ") + std::strerror(errno);
    return outcome;
  }
  const pid_t parent = getpid();
  const pid_t child = fork();
  if (child < 0) {
    outcome.failure = std::string("no child process: ") + std::strerror(errno);
    close(fds[0]);
    close(fds[1]);
    return outcome;
  }
  if (child == 0) {
    close(fds[0]);
    // The parent may have died between the fork and the request.
    if (prctl(PR_SET_PDEATHSIG, SIGKILL) != 0 || getppid() != parent) _exit(4);
    int status = 0;
    try {
      work(fds[1]);
    } catch (...) {
      status = 3;
    }
    close(fds[1]);
    _exit(status);
  }
  close(fds[1]);
  // Only now, with the child on its way, may another thread start here.
  std::jthread side;
  if (alongside) side = std::jthread(alongside);
  char buffer[65536];
  for (;;) {
    const double left = deadline.Left();
    if (left <= 0) {
      kill(child, SIGKILL);
      outcome.stopped = true;
      break;
    }
    pollfd wait{fds[0], POLLIN, 0};
    const int ready = poll(&wait, 1, int(std::min(std::ceil(left * 1000), double(StopSliceMilliseconds))));
    if (ready < 0 && errno == EINTR) continue;
    if (ready == 0) continue;  // the loop head sees the deadline
    const ssize_t got = read(fds[0], buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;  // end of the answer (or a broken pipe)
    outcome.answer.append(buffer, size_t(got));
  }
  close(fds[0]);
  if (side.joinable()) {
    side.request_stop();
    side.join();
  }
  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  if (outcome.stopped) return outcome;
  if (WIFEXITED(status) && WEXITSTATUS(status) == 0) {
    outcome.completed = true;
  } else if (WIFSIGNALED(status)) {
    outcome.failure = "signal " + std::to_string(WTERMSIG(status));
  } else {
    outcome.failure = "exit status " + std::to_string(WEXITSTATUS(status));
  }
  return outcome;
}
