// The command line of glowmere-judge: what to judge and how.
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "art/LevelResources.h"

struct TJudgeOptions {
  bool rank = false;    // lines best first
  bool strict = false;  // the statement's rules decide too
  std::string pictureDir;  // --picture, empty when none
  std::string reportPath;  // --report, empty when none
  TLevelChoice level;      // --map, else the shipped level
  std::vector<std::string> files;
};

// args: the command line after the program name; relative names are the
// caller's (the current directory when this runs). Nothing when the run
// ends here: --help or --version answered on out (status 0), or a wrong
// command line or a refused map reported on err (status 2).
std::optional<TJudgeOptions> ReadJudgeOptions(const std::vector<std::string>& args, std::ostream& out,
                                              std::ostream& err, int& status);
