// glowmere-judge run as the judges run it, from a throw-away home whose
// program folder is the current directory, where the test's files lie.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "framework/TempHome.h"
#include "support/RunCommand.h"
#include "support/WholeFile.h"

// env: assignments put before the command, as a shell reads them.
inline TRun RunJudge(const std::string& args, const std::string& env = "") {
  return RunCommand(env + " " + std::string(GLOWMERE_JUDGE) + " " + args);
}

class JudgeTest : public ::testing::Test {
 protected:
  TTempHome home;
};
