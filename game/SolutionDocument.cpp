// The window's lights in the solution document (engine/SolutionFormat.h).
// The same form serves the solution files, the autosave, the record and the
// judge's documents.
#include "engine/LevelMap.h"
#include "judge/ResultDocument.h"
#include "engine/SolutionFormat.h"
#include "engine/Verdict.h"
#include "framework/FileCommands.h"
#include "game/Glowmere.h"

void TfrmGlowmere::StoreSolution(TNameValueTree& tree) { StoreSolutionPoints(tree, LightPoints()); }

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
  for (const auto& light : lights) points.push_back({light->GridX, light->GridY});
  return points;
}

void TfrmGlowmere::ReplaceLights(const TLightPoints& points) {
  const int32_t shownX = hoverX, shownY = hoverY;
  ClearLights();
  AddLitLights(points, imlPoints->BitmapAt(icPlaced));
  // A hover point that was shown (the mouse resting on the field, the
  // keyboard cursor) shows what now stands there.
  if (shownX != -1) ExamineGridPoint(shownX, shownY);
}

TSolutionCount TfrmGlowmere::SolutionCountOf(TNameValueTree& tree) const {
  return ReadSolutionCount(tree, level->GridPoints());
}

bool TfrmGlowmere::HoldsSolution(TNameValueTree& tree) const { return SolutionCountOf(tree).Holds(); }

void TfrmGlowmere::LoadSolution(TNameValueTree& tree) {
  const TSolutionCount count = SolutionCountOf(tree);
  if (!count.Holds()) return;
  ReplaceLights(ReadSolutionPoints(tree, count.count));
  UpdateState(false);
}

bool TfrmGlowmere::LoadSolutionFile(const std::string& path) {
  try {
    TIniNameValueTree tree(path);
    tree.SetWriteBack(false);
    if (!HoldsSolution(tree)) return false;
    LoadSolution(tree);
    UpdateState(true);
    return true;
  } catch (const EFOpenError&) {
    return false;
  }
}

void TfrmGlowmere::CheckSolution(TNameValueTree& solution, TNameValueTree& result, std::string& message) {
  recordPoints = -1;
  // A full solution becomes the record here, as any would (UpdateState); a
  // document without one leaves the lights and no record.
  LoadSolution(solution);
  message.clear();
  const std::optional<int32_t> lights =
      recordPoints == -1 ? std::nullopt : VerdictOf(*level, LightPoints(), LightRegions()).lights;
  if (!lights) {
    WriteCertificateLine("-");
    WriteResult(result, lights);
    return;
  }
  WriteResult(result, lights);
  recordPoints = *lights;  // OverLitVerdict for a share beyond the tolerance
  WriteRecordCertificate();
}

int32_t TfrmGlowmere::CompareResults(TNameValueTree& a, TNameValueTree& b) {
  return CompareResultDocuments(a, b);
}
