// The solution document, the one form of a set of lights in every store:
// "vertices" = n, then the grid points as "x", "y", "x#1", "y#1", ... under
// "/", and in a solution file the task's level, which the framework keeps
// under its own path (framework/TaskLevelPath.h). The game's Save,
// autosave and record, the solver's --out and the judge all read and write
// the lights here.
//
// The functions take any named-value tree (the framework's TNameValueTree
// or a tree of the same calls): the engine knows the form, the framework
// the file.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/LevelMap.h"
#include "engine/TaskIdentity.h"

inline constexpr const char* SolutionCountKey = "vertices";

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

// What a document says of its level. Hand-made files often say nothing,
// which counts as the task's level.
struct TDocumentLevel {
  bool given = false;             // the document has the value
  std::optional<int32_t> number;  // the value, when it is a 32-bit whole number
  std::string text;               // the value as stored
  bool IsTasks() const { return !given || number == GlowmereLevel; }
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

// What a light's coordinate key holds.
enum class TCoordinateKind {
  Whole,       // a 32-bit whole number
  Missing,     // no such key
  NotANumber,  // anything else: "nan", "1e30", "12.0", a number past 32 bits
};

struct TCoordinateKey {
  TCoordinateKind kind = TCoordinateKind::Whole;
  std::string text;  // the value as stored, when it is NotANumber
};

// The keys of one light, beside the point that ReadSolutionPoints reads
// from them (where an unreadable coordinate is 0).
struct TLightKeys {
  TCoordinateKey x, y;
  bool Whole() const { return x.kind == TCoordinateKind::Whole && y.kind == TCoordinateKind::Whole; }
};

// key: "x" or "y"; index: the light's number from 0.
template <class TTree>
TCoordinateKey ReadCoordinateKey(TTree& tree, const char* key, int32_t index) {
  TCoordinateKey k;
  // A value that reads back as either default is no number.
  if (tree.ReadInteger(key, -1, index) == tree.ReadInteger(key, -2, index)) return k;
  k.text = tree.ReadString(key, "", index);
  const bool present = !k.text.empty() || tree.ReadString(key, "?", index) != "?";
  k.kind = present ? TCoordinateKind::NotANumber : TCoordinateKind::Missing;
  return k;
}

// The keys of the first `count` lights, in order.
template <class TTree>
std::vector<TLightKeys> ReadSolutionKeys(TTree& tree, int32_t count) {
  std::vector<TLightKeys> keys;
  for (int32_t i = 0; i < count; ++i) keys.push_back({ReadCoordinateKey(tree, "x", i), ReadCoordinateKey(tree, "y", i)});
  return keys;
}

// The first `count` grid points; a missing or unreadable coordinate is 0
// (ReadSolutionKeys tells which).
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

// The level a document names under path (the framework's level path, which
// the engine does not know).
template <class TTree>
TDocumentLevel ReadDocumentLevel(TTree& tree, const std::string& path) {
  TDocumentLevel level;
  level.text = tree.ReadString(path, "", 0);
  level.given = !level.text.empty() || tree.ReadString(path, "?", 0) != "?";
  // A value that reads back as either default is no number.
  const int32_t a = tree.ReadInteger(path, -1, 0), b = tree.ReadInteger(path, -2, 0);
  if (a == b) level.number = a;
  return level;
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
