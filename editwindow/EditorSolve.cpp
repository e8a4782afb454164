// The optimum following the pen: after every step the solve of the level as
// it now stands starts again in the background, warm from the last best
// cover; its figures go to the panel, its cover and witnesses to the
// overlays. Reports of a level that has changed since are dropped.
#include "editwindow/EditorWindow.h"
#include "editwindow/HeatImage.h"
#include "editor/EditJournal.h"
#include "engine/MapText.h"

namespace {
constexpr size_t MaxProvedLevels = 256;
}  // namespace

void TEditorWindow::StartSolve() {
  ++request_;
  requestRevision_ = session_->Revision();
  const std::string text = MapTextOf(session_->Walls());
  requestKey_ = BytesHash(text);
  if (const auto known = proved_.find(requestKey_); known != proved_.end()) {
    // A level proved before in this run (an undo, a redo): its optimum
    // still holds, and the solver has nothing to add.
    solve_->Stop();
    changedSinceSolve_ = {};
    const TSolveProgressLine line = known->second;
    SolveProgress(request_, line);
    panel->ShowStatus(texts_.Text("panel/done"));
    if (overlays_.showHeat) RequestHeat();
    return;
  }
  if (!MapTextProblem(text).empty()) {
    solve_->Stop();
    panel->ShowStatus(texts_.Text("panel/noFloor"));
  } else if (!solve_->Available()) {
    panel->ShowStatus(texts_.Text("panel/noSolver"));
  } else {
    // The last best cover, of the level before this step: the solver keeps
    // its lights that are candidates here and repairs what they leave dark.
    solve_->Solve(request_, text, overlays_.lights, changedSinceSolve_);
    panel->ShowStatus(texts_.Text("panel/searching"));
  }
  changedSinceSolve_ = {};
  if (overlays_.showHeat) RequestHeat();
}

void TEditorWindow::RequestHeat() {
  if (HeatIsCurrent()) return;
  analysis_->HeatFor(request_, session_->Walls());
}

void TEditorWindow::SolveProgress(int64_t request, const TSolveProgressLine& line) {
  if (!Current(request)) return;
  if (line.figures.proved) {
    // At most MaxProvedLevels are kept; past that one goes, any one.
    if (proved_.size() >= MaxProvedLevels) proved_.erase(proved_.begin());
    proved_[requestKey_] = line;
  }
  optimum_.Progress(line.figures);
  panel->ShowFigures(optimum_.Figures(), optimum_.Change());
  const bool newCover = line.lights != overlays_.lights || !CoverIsCurrent();
  overlays_.lights = line.lights;
  overlays_.witnesses.clear();
  for (const gpc_vertex& p : line.independent) overlays_.witnesses.emplace_back(p.x, p.y);
  coverRevision_ = session_->Revision();
  coverRequest_ = request;
  if (newCover) analysis_->LitAreaFor(request, session_->Walls(), line.lights);
  field_->OverlaysChanged();
}

void TEditorWindow::SolveFinished(int64_t request, const std::optional<TSolveFigures>& result, bool failed) {
  if (!Current(request)) return;
  if (result) {
    optimum_.Progress(*result);
    panel->ShowFigures(optimum_.Figures(), optimum_.Change());
  }
  panel->ShowStatus(texts_.Text(failed ? "panel/failed" : "panel/done"));
}
