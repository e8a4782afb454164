// One solution file judged as glowmere-judge judges it, without a window:
// the file's bytes read as a solution document in memory, the lights'
// regions computed on the level, and the level's verdict (engine/Verdict.h),
// which is the one the game window's CheckSolution gives.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/Level.h"

// The largest solution file the judge reads: 64 MiB, far above any real
// one (every grid point of a 200 x 200 map lit, at the 32-bit limits, is
// about 1.7 MB). A larger file is refused unread past the cap.
constexpr size_t MaxSolutionFileBytes = size_t(64) << 20;

// One thing the judge says about a file, in the order it says them.
struct TJudgeRemark {
  std::string text;
  // A share beyond the tolerance: said as its own kind of line, naming the
  // share and the verdict it got ("over-lit (share ..., judged 21)").
  bool overLit = false;
};

struct TJudgedSolution {
  bool holds = false;              // the file holds a solution
  std::vector<TGridPoint> points;  // its lights, in order
  // The verdict: the "lights" of the result; none prints as "-".
  std::optional<int32_t> lights;
  long double share = 0;  // percent, when the file holds a solution
  std::vector<TJudgeRemark> remarks;

  std::string VerdictText() const;  // "-" or the number
  std::string ShareText() const;    // "-" or ten decimals
};

// bytes: the whole file. strict: a solution that breaks the statement's
// rules, or whose lights' keys are missing or no whole numbers, gets no
// verdict (--strict).
TJudgedSolution JudgeSolution(const TLevel& level, const std::string& bytes, bool strict);
