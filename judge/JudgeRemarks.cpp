// The remarks follow the rules the verdict applies: the count as
// LoadSolution reads it, the placement rules of engine/LightPlacement, the
// dark remainder as the hint button paints it.
#include "judge/JudgeRemarks.h"

#include <charconv>

#include "engine/DarkPieces.h"
#include "engine/TaskIdentity.h"
#include "engine/Verdict.h"
#include "judge/OneLine.h"

namespace {

std::string Quoted(const std::string& text) {
  constexpr size_t Shown = 40;
  return "\"" + OneLine(text.size() > Shown ? text.substr(0, Shown) + "..." : text) + "\"";
}

std::string PointText(const TGridPoint& p) { return "(" + std::to_string(p.x) + ", " + std::to_string(p.y) + ")"; }

// "light 3 (x#2, y#2) at (20, 0)": the number counts from 1, the keys are
// the file's own.
std::string LightText(size_t i, const TGridPoint& p) {
  const std::string suffix = i == 0 ? "" : "#" + std::to_string(i);
  return "light " + std::to_string(i + 1) + " (x" + suffix + ", y" + suffix + ") at " + PointText(p);
}

}  // namespace

std::string TenDecimals(long double value) {
  char text[128];
  const auto [end, ec] = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 10);
  if (ec != std::errc()) return "-";
  return std::string(text, end);
}

std::string NoSolutionRemark(const TSolutionCount& count, const std::string& bytes, int64_t gridPoints) {
  const std::string key = std::string("\"") + SolutionCountKey + "\"";
  switch (count.kind) {
    case TSolutionCountKind::Missing:
      if (bytes.empty()) return "no solution: the file is empty";
      if (bytes.find('\0') != std::string::npos) return "no solution: no " + key + "; the file holds binary data";
      return "no solution: no " + key + " in it";
    case TSolutionCountKind::NoneMarker:
      return "no solution: " + key + " is -1, which stands for none";
    case TSolutionCountKind::NotANumber:
      return "no solution: " + key + " is " + Quoted(count.text) + ", not a whole number of 32 bits";
    case TSolutionCountKind::TooMany:
      return "no solution: " + key + " is " + std::to_string(count.count) + ", more than the " +
             std::to_string(gridPoints) + " grid points of the field";
    case TSolutionCountKind::Lights:
      break;
  }
  return "";
}

std::string LevelRemark(const TDocumentLevel& level) {
  if (level.IsTasks()) return "";
  const std::string shown = level.number ? std::to_string(*level.number) : Quoted(level.text);
  return "level " + shown + ", not the task's level " + std::to_string(GlowmereLevel);
}

std::vector<std::string> KeyRemarks(const std::vector<TLightKeys>& keys) {
  const auto fault = [](const char* name, const TCoordinateKey& key) {
    return std::string(name) + (key.kind == TCoordinateKind::Missing
                                    ? " is missing"
                                    : " is not a whole number (" + Quoted(key.text) + ")");
  };
  std::vector<std::string> lines;
  for (size_t i = 0; i < keys.size(); ++i) {
    const TLightKeys& k = keys[i];
    if (k.Whole()) continue;
    std::string what;
    if (k.x.kind == TCoordinateKind::Missing && k.y.kind == TCoordinateKind::Missing) {
      what = "x and y are missing";
    } else if (k.x.kind != TCoordinateKind::Whole && k.y.kind != TCoordinateKind::Whole) {
      what = fault("x", k.x) + " and " + fault("y", k.y);
    } else {
      what = k.x.kind != TCoordinateKind::Whole ? fault("x", k.x) : fault("y", k.y);
    }
    lines.push_back("light " + std::to_string(i + 1) + ": " + what + ", read as 0");
  }
  return lines;
}

std::vector<std::string> PlacementRemarks(const TLevel& level, const std::vector<TGridPoint>& points,
                                          const std::vector<TPlacement>& placements) {
  std::vector<std::string> lines;
  const std::string field = "0.." + std::to_string(level.Width()) + ", 0.." + std::to_string(level.Height());
  for (size_t i = 0; i < points.size(); ++i) {
    const TPlacement& p = placements[i];
    switch (p.fault) {
      case TPlacementFault::None:
        break;
      case TPlacementFault::OffField:
        lines.push_back(LightText(i, points[i]) + " stands off the field (" + field + ")");
        break;
      case TPlacementFault::Walled:
        lines.push_back(LightText(i, points[i]) + " stands on a grid point walled in on all four sides");
        break;
      case TPlacementFault::Occupied:
        lines.push_back(LightText(i, points[i]) + " stands on the grid point of light " +
                        std::to_string(p.firstOnPoint + 1));
        break;
    }
  }
  return lines;
}

std::string DarkFloorRemark(const TLevel& level, const std::vector<const TPolygon*>& regions) {
  const std::unique_ptr<TPolygon> dark = DarkRemainderOf(level.Floor(), regions);
  const int32_t pieces = DarkPieceCount(*dark);
  const size_t n = regions.size();
  return std::to_string(n) + (n == 1 ? " light leaves " : " lights leave ") + TenDecimals(dark->Area()) +
         " square cells dark in " + std::to_string(pieces) + (pieces == 1 ? " piece" : " pieces");
}
