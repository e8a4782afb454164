// The solution document: "vertices" = n, then x, y, x#1, y#1, ... under "/".
// The same form serves the solution files, the autosave, the record and the
// judge's documents.
#include "framework/FileCommands.h"
#include "engine/LevelMap.h"
#include "game/Glowmere.h"
#include "game/Scoring.h"

namespace {
constexpr int32_t NoSolution = -1;
constexpr int32_t NoLightsCount = 1000000000;
}  // namespace

void TfrmGlowmere::StoreSolution(TNameValueTree& tree) {
  // Keys of a longer earlier solution stay; loading ignores them.
  tree.WriteInteger("vertices", lights.Count(), 0);
  for (int32_t i = 0; i < lights.Count(); ++i) {
    tree.WriteInteger("x", lights[i]->GridX, i);
    tree.WriteInteger("y", lights[i]->GridY, i);
  }
}

void TfrmGlowmere::ClearLights() {
  // No reference to a light may outlive it; a drag ends with the lights.
  ClearHover();
  if (dragLight == newDragLight_.get()) DiscardNewDragLight();
  dragLight = nullptr;
  // Switched off first, so that each destruction repaints an empty layer
  // instead of all the lights still to go.
  for (const auto& light : lights) light->Active = false;
  lights.Clear();
}

TLightPoints TfrmGlowmere::LightPoints() const {
  TLightPoints points;
  points.reserve(size_t(lights.Count()));
  for (const auto& light : lights) points.emplace_back(light->GridX, light->GridY);
  return points;
}

void TfrmGlowmere::ReplaceLights(const TLightPoints& points) {
  const int32_t shownX = hoverX, shownY = hoverY;
  ClearLights();
  for (const auto& [gx, gy] : points) {
    auto light = std::make_unique<TLight>();
    light->MoveToGridPoint(gx, gy);
    light->SetIcon(imlPoints->BitmapAt(1));
    // Switched on now, painted once below: every region is computed there
    // and the layer shows the same as after a repaint per light.
    light->Active = true;
    lights.Add(std::move(light));
  }
  TLight::UpdateLitLayer(nullptr, false);
  // A hover point that was shown (the mouse resting on the field, the
  // keyboard cursor) shows what now stands there.
  if (shownX != -1) ExamineGridPoint(shownX, shownY);
}

bool TfrmGlowmere::HoldsSolution(TNameValueTree& tree) const {
  const int32_t n = tree.ReadInteger("vertices", NoSolution, 0);
  if (n == NoSolution) return false;
  // More lights than grid points is no solution: such a count would only
  // create lights until memory runs out.
  const int64_t gridPoints = int64_t(FieldWidth + 1) * int64_t(FieldHeight + 1);
  return int64_t(n) <= gridPoints;
}

void TfrmGlowmere::LoadSolution(TNameValueTree& tree) {
  if (!HoldsSolution(tree)) return;
  const int32_t n = tree.ReadInteger("vertices", NoSolution, 0);
  TLightPoints points;
  for (int32_t i = 0; i < n; ++i) {
    const int32_t gy = tree.ReadInteger("y", 0, i);
    const int32_t gx = tree.ReadInteger("x", 0, i);
    points.emplace_back(gx, gy);
  }
  ReplaceLights(points);
  UpdateState(false);
}

void TfrmGlowmere::CheckSolution(TNameValueTree& solution, TNameValueTree& result, std::string& message) {
  recordPoints = -1;
  LoadSolution(solution);
  if (recordPoints == -1) {
    message.clear();
    WriteCertificateLine("-");
    result.WriteString("lights", "", 0);
    return;
  }
  result.WriteInteger("lights", recordPoints, 0);
  message.clear();
  if (OverLitShare(litPercent)) {
    result.WriteInteger("lights", OverLitVerdict, 0);
    recordPoints = OverLitVerdict;
  }
  WriteRecordCertificate();
}

int32_t TfrmGlowmere::CompareResults(TNameValueTree& a, TNameValueTree& b) {
  const int32_t la = a.ReadInteger("lights", NoLightsCount, 0);
  const int32_t lb = b.ReadInteger("lights", NoLightsCount, 0);
  if (la > lb) return -1;
  if (la < lb) return 1;
  return 0;
}
