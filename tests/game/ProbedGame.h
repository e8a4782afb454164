// The real game started as a player starts it, with the play probe
// (probe/PlayProbe.cpp) preloaded: it places the lights of `points` from
// the keyboard once the window shows, says what the window shows, and
// leaves the game running for the test to end.
#pragma once

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <string_view>
#include <vector>

extern char** environ;

struct TProbedGame {
  pid_t pid = -1;
  int out = -1;      // the game's standard output
  std::string said;  // what it wrote there so far
};

// variables: "NAME=value" added to the environment; folder: the current
// directory of the game (empty: the test's own).
inline TProbedGame StartProbedGame(const std::string& points, std::vector<std::string> variables = {},
                                   const std::string& folder = "") {
  variables.push_back("LD_PRELOAD=" GLOWMERE_PLAY_PROBE);
  variables.push_back("GLOWMERE_PLAY=" + points);
  variables.push_back("ASAN_OPTIONS=verify_asan_link_order=0:detect_leaks=0");
  std::vector<char*> env;
  for (char** e = environ; *e; ++e)
    if (!std::string_view(*e).starts_with("LD_PRELOAD=") && !std::string_view(*e).starts_with("ASAN_OPTIONS="))
      env.push_back(*e);
  for (std::string& v : variables) env.push_back(v.data());
  env.push_back(nullptr);
  char* argv[] = {const_cast<char*>(GLOWMERE_PROGRAM), nullptr};
  int out[2];
  if (pipe(out) != 0) return {};
  TProbedGame game;
  game.pid = fork();
  if (game.pid == 0) {
    dup2(out[1], STDOUT_FILENO);
    close(out[0]);
    close(out[1]);
    if (!folder.empty() && chdir(folder.c_str()) != 0) _exit(126);
    execve(GLOWMERE_PROGRAM, argv, env.data());
    _exit(127);
  }
  close(out[1]);
  game.out = out[0];
  return game;
}

// Reads the game's output until it says `line` (true) or ends or is silent
// for a minute (false).
inline bool WaitForLine(TProbedGame& game, const std::string& line) {
  pollfd wait{game.out, POLLIN, 0};
  char buffer[256];
  while (game.said.find(line + "\n") == std::string::npos) {
    if (poll(&wait, 1, 60000) != 1) return false;
    const ssize_t n = read(game.out, buffer, sizeof buffer);
    if (n <= 0) return false;  // it died
    game.said.append(buffer, size_t(n));
  }
  return true;
}

// Ends the game with the signal and waits for it: the signal that ended it,
// or 0 and its exit status in *status.
inline int EndProbedGame(TProbedGame& game, int signal, int* status = nullptr) {
  kill(game.pid, signal);  // harmless on a game that died already (a zombie until waited for)
  int raw = 0;
  waitpid(game.pid, &raw, 0);
  if (game.out >= 0) close(game.out);
  game.out = -1;
  if (status) *status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  return WIFSIGNALED(raw) ? WTERMSIG(raw) : 0;
}
