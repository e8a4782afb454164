// F5: the level as it stands in the game's preview (glowmere --map), which
// keeps the player's files alone. The level, and the best cover when asked
// for, go to fresh files in a folder of this run, so a game still open on
// an earlier test keeps its own.
#include <QProcess>
#include <QMessageBox>

#include "editwindow/EditorDialogs.h"
#include "editwindow/EditorWindow.h"
#include "editwindow/SiblingProgram.h"
#include "engine/MapText.h"
#include "framework/QtText.h"
#include "framework/WholeFile.h"
#include "solver/SolutionFile.h"

bool TEditorWindow::PlayTest(bool withBest) {
  session_->EndStroke();
  const std::string text = MapTextOf(session_->Walls());
  if (const std::string problem = MapTextProblem(text); !problem.empty()) {
    ShowEditorMessage(this, texts_, QMessageBox::Warning, texts_.Text("dialogs/noPlay").arg(QString::fromStdString(problem)));
    return false;
  }
  const std::string game = SiblingProgram("glowmere");
  if (game.empty()) {
    ShowEditorMessage(this, texts_, QMessageBox::Warning, texts_.Text("dialogs/noGame"));
    return false;
  }
  if (!playFolder_) playFolder_ = std::make_unique<QTemporaryDir>();
  const std::string stem = QStringToPath(playFolder_->path()) + "/level-" + std::to_string(++playCount_);
  QStringList arguments{QStringLiteral("--map"), PathToQString(stem + ".txt")};
  bool written = playFolder_->isValid() && WriteFileAtomically(stem + ".txt", text, TDurability::Renamed);
  if (written && withBest && CoverIsCurrent() && !overlays_.lights.empty()) {
    written = WriteSolutionFile(stem + ".tuv-Glowmere", overlays_.lights);
    arguments << PathToQString(stem + ".tuv-Glowmere");
  }
  // The game reads its texts from the folder it starts in.
  const QString folder = PathToQString(std::filesystem::path(game).parent_path().string());
  if (!written || !QProcess::startDetached(PathToQString(game), arguments, folder)) {
    ShowEditorMessage(this, texts_, QMessageBox::Warning, texts_.Text("dialogs/noGame"));
    return false;
  }
  return true;
}
