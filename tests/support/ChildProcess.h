// A program the test started with fork and exec, watched from outside as a
// desktop or a shell sees it: whether it has set up its signal handlers
// yet, and how it ended.
#pragma once

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <fstream>
#include <string>
#include <thread>

// Waits for the process to end: its exit status, 128 + the signal that
// ended it, or -1 when it has not ended within `seconds`.
inline int WaitFor(pid_t pid, int seconds) {
  for (int i = 0; i < seconds * 20; ++i) {
    int status = 0;
    if (waitpid(pid, &status, WNOHANG) == pid) return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return -1;
}

// Waits until the process catches `signal` (its handler is installed, as
// /proc shows); false when it has not within `seconds` or has ended.
inline bool WaitUntilCatching(pid_t pid, int signal, int seconds) {
  for (int i = 0; i < seconds * 20; ++i) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line))
      if (line.rfind("SigCgt:", 0) == 0 && (std::stoull(line.substr(7), nullptr, 16) >> (signal - 1) & 1)) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return false;
}
