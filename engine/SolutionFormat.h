// The solution document, the one form of a set of lights in every store:
// "vertices" = n, then the grid points as "x", "y", "x#1", "y#1", ... under
// "/", and "/etc/level" (engine/TaskIdentity.h) in a solution file. The
// game's Save, autosave and record, the solver's --out and the judge all
// read and write it here.
//
// The functions take any named-value tree (the framework's TNameValueTree
// or a tree of the same calls): the engine knows the form, the framework
// the file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/LevelMap.h"

inline constexpr const char* SolutionCountKey = "vertices";
inline constexpr const char* SolutionLevelPath = "/etc/level";

// What a document's count says.
enum class TSolutionCountKind {
  Lights,      // a solution of `count` lights (none when count <= 0)
  Missing,     // no "vertices" at all
  NoneMarker,  // "vertices" = -1, which stores write for "no solution"
  NotANumber,  // a value that is no 32-bit whole number (`text`)
  TooMany,     // more lights than the field has grid points
};

struct TSolutionCount {
  TSolutionCountKind kind = TSolutionCountKind::Missing;
  int32_t count = 0;
  std::string text;  // the value as stored
  bool Holds() const { return kind == TSolutionCountKind::Lights; }
};

// gridPoints: (W + 1)(H + 1) of the field. More lights than that is no
// solution: such a count would only create lights until memory runs out.
template <class TTree>
TSolutionCount ReadSolutionCount(TTree& tree, int64_t gridPoints) {
  TSolutionCount c;
  // A value that reads back as either default is no number.
  const int32_t a = tree.ReadInteger(SolutionCountKey, -1, 0), b = tree.ReadInteger(SolutionCountKey, -2, 0);
  c.text = tree.ReadString(SolutionCountKey, "", 0);
  c.count = a;
  if (a != b) {
    const bool present = c.text != "" || tree.ReadString(SolutionCountKey, "?", 0) != "?";
    c.kind = present ? TSolutionCountKind::NotANumber : TSolutionCountKind::Missing;
  } else if (a == -1) {
    c.kind = TSolutionCountKind::NoneMarker;
  } else if (int64_t(a) > gridPoints) {
    c.kind = TSolutionCountKind::TooMany;
  } else {
    c.kind = TSolutionCountKind::Lights;
  }
  return c;
}

// The first `count` grid points; a missing or unreadable coordinate is 0.
template <class TTree>
std::vector<TGridPoint> ReadSolutionPoints(TTree& tree, int32_t count) {
  std::vector<TGridPoint> points;
  for (int32_t i = 0; i < count; ++i) {
    TGridPoint p;
    p.y = tree.ReadInteger("y", 0, i);
    p.x = tree.ReadInteger("x", 0, i);
    points.push_back(p);
  }
  return points;
}

// Writes the count and the points, in memory; the caller flushes. Keys of
// a longer earlier solution stay: reading stops at the count.
template <class TTree>
void StoreSolutionPoints(TTree& tree, const std::vector<TGridPoint>& points) {
  tree.WriteInteger(SolutionCountKey, int32_t(points.size()), 0);
  for (size_t i = 0; i < points.size(); ++i) {
    tree.WriteInteger("x", points[i].x, int32_t(i));
    tree.WriteInteger("y", points[i].y, int32_t(i));
  }
}
