// The remarks follow the window's own rules: the count as the window's
// LoadSolution reads it, the placement rules of engine/LightPlacement, the
// dark remainder as the hint button paints it.
#include "game/JudgeRemarks.h"

#include <charconv>

#include "engine/LightPlacement.h"
#include "engine/SolutionFormat.h"
#include "engine/TaskIdentity.h"
#include "game/Glowmere.h"

namespace {

std::string Quoted(const std::string& text) {
  constexpr size_t Shown = 40;
  return "\"" + (text.size() > Shown ? text.substr(0, Shown) + "..." : text) + "\"";
}

std::string NoSolution(const TSolutionCount& count, const std::string& bytes, int64_t gridPoints) {
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

// Empty when the file's level is the task's or the file has none.
std::string LevelRemark(TNameValueTree& solution) {
  const std::string text = solution.ReadString(SolutionLevelPath, "", 0);
  if (text.empty() && solution.ReadString(SolutionLevelPath, "?", 0) == "?") return "";
  const int32_t a = solution.ReadInteger(SolutionLevelPath, -1, 0), b = solution.ReadInteger(SolutionLevelPath, -2, 0);
  if (a == b && a == GlowmereLevel) return "";
  const std::string shown = a == b ? std::to_string(a) : Quoted(text);
  return "level " + shown + ", not the task's level " + std::to_string(GlowmereLevel);
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

TJudgeRemarks SolutionRemarks(const TfrmGlowmere& window, TNameValueTree& solution, const std::string& bytes) {
  TJudgeRemarks remarks;
  const int64_t gridPoints = int64_t(FieldWidth + 1) * int64_t(FieldHeight + 1);
  const TSolutionCount count = window.SolutionCountOf(solution);
  if (!count.Holds()) remarks.lines.push_back(NoSolution(count, bytes, gridPoints));
  if (const std::string level = LevelRemark(solution); !level.empty()) {
    remarks.lines.push_back(level);
    remarks.breaksRules = true;
  }
  if (!count.Holds()) return remarks;
  const std::vector<TGridPoint> points = ReadSolutionPoints(solution, count.count);
  const std::vector<TPlacement> placements = CheckLightPlacement(*window.mapBitmap, points);
  const std::string field = "0.." + std::to_string(FieldWidth) + ", 0.." + std::to_string(FieldHeight);
  for (size_t i = 0; i < points.size(); ++i) {
    const TPlacement& p = placements[i];
    switch (p.fault) {
      case TPlacementFault::None:
        continue;
      case TPlacementFault::OffField:
        remarks.lines.push_back(LightText(i, points[i]) + " stands off the field (" + field + ")");
        break;
      case TPlacementFault::Walled:
        remarks.lines.push_back(LightText(i, points[i]) + " stands on a grid point walled in on all four sides");
        break;
      case TPlacementFault::Occupied:
        remarks.lines.push_back(LightText(i, points[i]) + " stands on the grid point of light " +
                                std::to_string(p.firstOnPoint + 1));
        break;
    }
    remarks.breaksRules = true;
  }
  return remarks;
}

std::string DarkFloorRemark(const TfrmGlowmere& window) {
  const std::unique_ptr<TPolygon> dark = DarkRemainderOf(*window.floorPolygon, window.lights);
  size_t pieces = 0;
  for (const int32_t hole : dark->Holes())
    if (!hole) ++pieces;
  const int32_t n = window.lights.Count();
  return std::to_string(n) + (n == 1 ? " light leaves " : " lights leave ") + TenDecimals(dark->Area()) +
         " square cells dark in " + std::to_string(pieces) + (pieces == 1 ? " piece" : " pieces");
}
