// Program entry: --help and --version, the application, the options, the
// one-game lock (not for a designer's preview, which touches none of the
// player's files), the game window as the main window, the message loop,
// then the framework's finalization (which writes every file) before the
// window itself is released, and only then the lock.
#include <iostream>
#include <memory>
#include <optional>

#include "framework/ByteArguments.h"
#include "framework/TaskStart.h"
#include "game/GameCommandLine.h"
#include "game/Glowmere.h"
#include "game/GlowmereApplication.h"
#include "game/SingleGame.h"

int main(int argc, char** argv) {
  ProcessGameCommandLine(argc, argv);  // --help and --version end here
  TGlowmereApplication app(argc, argv);
  // What the application left of the arguments (it takes Qt's own), as
  // bytes: a file's name reaches the file unchanged.
  const std::optional<TGameOptions> options = ReadGameOptions(ByteArguments(argc, argv), std::cerr);
  if (!options) return 2;
  // Held until the end of main, after the framework has written the files.
  std::unique_ptr<TSingleInstance> singleGame;
  if (options->level.Shipped()) {
    singleGame = ClaimSingleGame();
    if (!singleGame) return 0;
  }
  InstallTerminationHandlers();
  std::unique_ptr<TfrmGlowmere> window;
  try {
    window = std::make_unique<TfrmGlowmere>(options->level);
  } catch (const std::exception& e) {
    ReportError(e.what());
    FinalizeTask();
    return 1;
  }
  if (!options->solutionPath.empty() && !window->LoadSolutionFile(options->solutionPath))
    std::cerr << "glowmere: no solution read from " << options->solutionPath << "\n";
  window->ShowAtLastSize();
  const int rc = app.exec();
  FinalizeTask();
  window.reset();
  return rc;
}
