// glowmere-judge: checks and ranks solution files with the game window's
// own CheckSolution and CompareResults, without a display, in a per-user
// folder of its own, never changing the files it judges.
#pragma once

#include <ostream>
#include <string>
#include <vector>

// args: the command line after the program name ("--rank" first, then the
// files). Returns the exit status.
int RunJudge(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
