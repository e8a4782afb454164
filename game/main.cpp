// Program entry: the application, the game window as the main window, the
// message loop, then the framework's finalization (which writes every file)
// before the window itself is released.
#include <memory>

#include "framework/TaskStart.h"
#include "game/Glowmere.h"
#include "game/GlowmereApplication.h"

int main(int argc, char** argv) {
  TGlowmereApplication app(argc, argv);
  InstallTerminationHandlers();
  std::unique_ptr<TfrmGlowmere> window;
  try {
    window = std::make_unique<TfrmGlowmere>();
  } catch (const std::exception& e) {
    ReportError(e.what());
    FinalizeTask();
    return 1;
  }
  window->show();
  const int rc = app.exec();
  FinalizeTask();
  window.reset();
  return rc;
}
