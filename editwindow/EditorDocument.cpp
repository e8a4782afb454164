// The level's file and its journal: opening, the question before unsaved
// edits would be lost, saving, and the journal written after every step.
#include <QMessageBox>
#include <filesystem>
#include <system_error>

#include "editor/MapFile.h"
#include "editwindow/EditorDialogs.h"
#include "editwindow/EditorWindow.h"
#include "editwindow/LevelSizeDialog.h"
#include "engine/TaskIdentity.h"
#include "framework/QtText.h"
#include "framework/TaskStart.h"

namespace {

// The per-user folder of the game's task, where the journals are kept in a
// folder of the editor's own.
std::string UserJournalFolder() { return TaskUserFolder(GlowmereYear, GlowmereLevel) + "Glowmere-edit"; }

QString Shown(const std::string& path) { return PathToQString(path); }

}  // namespace

bool TEditorWindow::OpenPath(const std::string& mapPath, bool keepOnRefusal) {
  if (journalFolder_.empty()) journalFolder_ = UserJournalFolder();
  std::unique_ptr<TEditSession> session;
  TLineEnd lineEnd = TLineEnd::Lf;
  std::string base = "none";
  QString said;
  if (mapPath.empty()) {
    session = std::make_unique<TEditSession>(NewWidth, NewHeight);
  } else {
    TOpenedMap opened = OpenMapFile(mapPath);
    switch (opened.opening) {
      case TMapOpening::Read:
        session = std::make_unique<TEditSession>(std::move(opened.walls));
        lineEnd = opened.lineEnd;
        base = BytesHash(opened.bytes);
        break;
      case TMapOpening::Missing:
        session = std::make_unique<TEditSession>(NewWidth, NewHeight);
        said = texts_.Text("status/missing").arg(Shown(mapPath));
        break;
      case TMapOpening::Refused:
        if (keepOnRefusal) {
          ShowEditorMessage(this, texts_, QMessageBox::Warning,
                            texts_.Text("dialogs/notOpened").arg(QString::fromStdString(opened.reason)));
          return false;
        }
        // The file stays as it is until the designer saves over it.
        session = std::make_unique<TEditSession>(NewWidth, NewHeight);
        base = "refused";
        ShowEditorMessage(this, texts_, QMessageBox::Warning,
                          texts_.Text("dialogs/refusedMap").arg(QString::fromStdString(opened.reason)));
        break;
    }
  }
  Adopt(std::move(session), mapPath, lineEnd, base);
  // Edits that an earlier run left unsaved (it was killed, or the power
  // went) come back as one step, which Ctrl+Z takes back.
  if (const std::optional<TJournalEntry> entry = journal_->Read()) {
    session_->Restore(entry->walls);
    said = texts_.Text(entry->base == base_ ? "status/restored" : "status/restoredChanged");
  }
  if (said.isEmpty() && mapPath.empty()) said = texts_.Text("status/new").arg(NewWidth).arg(NewHeight);
  Say(said);
  return true;
}

bool TEditorWindow::SettleUnsaved() {
  session_->EndStroke();
  if (!session_->Modified()) return true;
  switch (AskToSaveChanges(this, texts_)) {
    case TUnsavedAnswer::Save: return Save();
    case TUnsavedAnswer::Discard: return true;
    case TUnsavedAnswer::Cancel: return false;
  }
  return false;
}

bool TEditorWindow::NewLevel() {
  if (!SettleUnsaved()) return false;
  const std::optional<QSize> size =
      AskLevelSize(this, texts_, {texts_.Plain("action/new"), QSize(session_->Width(), session_->Height())});
  if (!size) return false;
  // What was discarded goes with its journal.
  journal_->Remove();
  Adopt(std::make_unique<TEditSession>(size->width(), size->height()), {}, TLineEnd::Lf, "none");
  // A new level has the journal of levels without a name to itself.
  journal_->Remove();
  Say(texts_.Text("status/new").arg(size->width()).arg(size->height()));
  return true;
}

bool TEditorWindow::OpenLevel() {
  if (!SettleUnsaved()) return false;
  const std::optional<std::string> path = ChooseMapFile(this, texts_, TFileDialogKind::Open, DialogFolder());
  if (!path) return false;
  // The level that the designer chose to discard is dropped only once the
  // other one is open; a refused file leaves it on the field.
  const TEditJournal before = *journal_;
  if (!OpenPath(*path, true)) return false;
  if (before.Path() != journal_->Path()) before.Remove();
  return true;
}

bool TEditorWindow::Save() {
  if (mapPath_.empty()) return SaveAs();
  return SaveTo(mapPath_);
}

bool TEditorWindow::SaveAs() {
  const std::optional<std::string> path = ChooseMapFile(this, texts_, TFileDialogKind::Save, DialogFolder());
  if (!path) return false;
  return SaveTo(*path);
}

bool TEditorWindow::SaveTo(const std::string& path) {
  session_->EndStroke();
  const TSavedMap saved = SaveMapFile(path, session_->Walls(), lineEnd_);
  switch (saved.saving) {
    case TMapSaving::Refused:
      ShowEditorMessage(this, texts_, QMessageBox::Warning,
                        texts_.Text("dialogs/notSaved").arg(QString::fromStdString(saved.reason)));
      return false;
    case TMapSaving::WriteFailed:
      ShowEditorMessage(this, texts_, QMessageBox::Critical, texts_.Text("dialogs/writeFailed").arg(Shown(path)));
      return false;
    case TMapSaving::Saved:
      break;
  }
  if (path != mapPath_) {
    // The edits are saved under the new name; the old name's journal has
    // nothing left to keep.
    journal_->Remove();
    mapPath_ = path;
    journal_ = std::make_unique<TEditJournal>(journalFolder_, mapPath_);
  }
  base_ = BytesHash(saved.bytes);
  session_->MarkSaved();
  journal_->Remove();
  UpdateTitle();
  Say(texts_.Text("status/saved").arg(Shown(path)));
  return true;
}

void TEditorWindow::JournalNow() {
  if (!session_->Modified()) {
    journal_->Remove();
    return;
  }
  if (journal_->Write(base_, session_->Walls())) {
    journalFailed_ = false;
    return;
  }
  if (!journalFailed_) Say(texts_.Text("status/journalFailed").arg(Shown(journal_->Path())));
  journalFailed_ = true;
}

void TEditorWindow::ResizeLevel() {
  const std::optional<QSize> size =
      AskLevelSize(this, texts_, {texts_.Plain("action/resize"), QSize(session_->Width(), session_->Height())});
  if (!size) return;
  session_->Resize(size->width(), size->height());
  DescribeCursor();
}

std::string TEditorWindow::DialogFolder() const {
  std::error_code error;
  if (!mapPath_.empty()) {
    const std::filesystem::path folder = std::filesystem::absolute(mapPath_, error).parent_path();
    if (!error) return folder.string();
  }
  return std::filesystem::current_path(error).string();
}
