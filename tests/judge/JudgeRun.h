// glowmere-judge run as the organisers run it, from a throw-away home whose
// program folder is the current directory, where the test's files lie;
// its output in lines.
#pragma once

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "framework/TempHome.h"
#include "support/RunCommand.h"
#include "support/WholeFile.h"

// env: assignments put before the command, as a shell reads them.
inline TRun RunJudge(const std::string& args, const std::string& env = "") {
  return RunCommand(env + " " + std::string(GLOWMERE_JUDGE) + " " + args);
}

inline std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

class JudgeTest : public ::testing::Test {
 protected:
  TTempHome home;
};
