// The judge's reasons: what it says on standard error about one file,
// beside the file's line. Each remark is one line of text, without the
// program's name and the file's, which the caller puts in front.
#pragma once

#include <string>
#include <vector>

#include "framework/NameValueTree.h"

class TfrmGlowmere;

struct TJudgeRemarks {
  std::vector<std::string> lines;
  // A light off the field, on a walled grid point or on a held one, or a
  // level other than the task's: by the statement's rules the file does
  // not light the field (--strict).
  bool breaksRules = false;
};

// Before the file is judged: why it holds no solution, its level, and
// each light that breaks the placement rules. bytes: the file's contents.
TJudgeRemarks SolutionRemarks(const TfrmGlowmere& window, TNameValueTree& solution, const std::string& bytes);

// After the window has loaded a solution that leaves floor dark: its
// number of lights, the dark area in square cells and the dark pieces.
std::string DarkFloorRemark(const TfrmGlowmere& window);

// A number with ten decimals and a decimal point, whatever the locale.
std::string TenDecimals(long double value);
