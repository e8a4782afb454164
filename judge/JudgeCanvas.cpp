#include "judge/JudgeCanvas.h"

#include "framework/TaskStart.h"
#include "game/Glowmere.h"
#include "judge/JudgePicture.h"

namespace {

// The platform is offscreen and the application exists only while the
// canvas does; a caller that has an application of its own keeps it.
std::unique_ptr<QApplication> EnsureApplication() {
  if (QCoreApplication::instance()) return nullptr;
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "glowmere-judge";
  static char* argv[] = {name, nullptr};
  return std::make_unique<QApplication>(argc, argv);
}

}  // namespace

TJudgeCanvas::TJudgeCanvas(const TLevelChoice& level) {
  // The folder before the application: Qt takes its runtime folder from
  // the environment that the folder sets.
  app_ = EnsureApplication();
  folder_.Enter();
  window_ = std::make_unique<TfrmGlowmere>(level);
  HideSplash(window_.get());
}

TJudgeCanvas::~TJudgeCanvas() {
  FinalizeTask();
  window_.reset();
}

bool TJudgeCanvas::WritePicture(const std::vector<TGridPoint>& lights, const std::string& path) {
  window_->ReplaceLights(lights);
  return WriteJudgePicture(*window_, path);
}
