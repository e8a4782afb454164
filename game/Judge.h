// glowmere-judge: checks and ranks solution files with the game window's
// own CheckSolution and CompareResults, without a display, in a per-user
// folder of its own, never changing the files it judges.
//
// Standard output carries one line per file in a fixed, locale-free form;
// standard error carries the reasons (game/JudgeRemarks.h), files that
// could not be read, files judged over-lit, and command-line errors. Exit
// status: 0 when every file was judged, 1 when some file could not be read
// or a picture not written (or no temporary folder could be made), 2 for a
// wrong command line or a refused map.
#pragma once

#include <ostream>
#include <string>
#include <vector>

// args: the command line after the program name. Makes the QApplication
// itself when there is none yet.
int RunJudge(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
