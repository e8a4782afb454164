// Runs a program the way a user's shell would, for the tests of the
// command-line tools: what it wrote to each stream and how it ended.
#pragma once

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <string>

struct TRun {
  int status = -1;
  std::string out, err;
};

// Runs the command line through the shell; standard error is caught in
// command-stderr.txt in the current directory (a test's own folder).
inline TRun RunCommand(const std::string& command) {
  TRun run;
  const std::string errFile = "command-stderr.txt";
  FILE* pipe = popen((command + " 2>" + errFile).c_str(), "r");
  std::array<char, 4096> buffer{};
  size_t n;
  while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0) run.out.append(buffer.data(), n);
  const int raw = pclose(pipe);
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  if (FILE* f = fopen(errFile.c_str(), "rb")) {
    while ((n = fread(buffer.data(), 1, buffer.size(), f)) > 0) run.err.append(buffer.data(), n);
    fclose(f);
  }
  return run;
}
