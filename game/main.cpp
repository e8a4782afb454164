// Program entry: --help and --version, the application, the one-game lock,
// the game window as the main window, the message loop, then the
// framework's finalization (which writes every file) before the window
// itself is released, and only then the lock.
#include <memory>

#include "framework/TaskStart.h"
#include "game/GameCommandLine.h"
#include "game/Glowmere.h"
#include "game/GlowmereApplication.h"
#include "game/SingleGame.h"

int main(int argc, char** argv) {
  ProcessGameCommandLine(argc, argv);  // --help and --version end here
  TGlowmereApplication app(argc, argv);
  // Held until the end of main, after the framework has written the files.
  const std::unique_ptr<TSingleInstance> singleGame = ClaimSingleGame();
  if (!singleGame) return 0;
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
