// glowmere-judge: checks and ranks solution files by the level's verdict
// (engine/Verdict.h), the one the game window's CheckSolution gives,
// without a window and without changing any file: each judged file is only
// read. Pictures (--picture) are drawn as the game window draws the field,
// without a window (judge/JudgeCanvas); the results page (--report) is one
// HTML file.
//
// Standard output carries one line per file in a fixed, locale-free form;
// standard error carries the reasons (judge/JudgeRemarks.h), files that
// could not be read, files judged over-lit, and command-line errors. Exit
// status: 0 when every file was judged, 1 when some file could not be read
// or a picture or the page not written, 2 for a wrong command line or a
// refused map.
#pragma once

#include <ostream>
#include <string>
#include <vector>

// args: the command line after the program name. Needs no application.
int RunJudge(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
