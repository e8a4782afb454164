// Program entry of glowmere-edit: --help and --version, the application,
// the options, the editor's window, the message loop. A kill ends the
// process where it stands, a termination signal ends the loop without a
// question (editwindow/QuitOnSignal.h): either way the journal in the
// per-user folder keeps every unsaved step, and the next start on the same
// map brings them back.
#include <iostream>
#include <optional>

#include "editwindow/EditorApplication.h"
#include "editwindow/EditorCommandLine.h"
#include "editwindow/EditorWindow.h"
#include "editwindow/QuitOnSignal.h"

int main(int argc, char** argv) {
  ProcessEditorCommandLine(argc, argv);  // --help and --version end here
  TEditorApplication app(argc, argv);
  const std::optional<TEditorOptions> options = ReadEditorOptions(app.arguments(), std::cerr);
  if (!options) return 2;
  QuitOnTerminationSignals();
  TEditorWindow window(options->mapPath);
  if (TerminationRequested()) return 0;
  window.show();
  return app.exec();
}
