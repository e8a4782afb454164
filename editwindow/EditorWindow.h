// TEditorWindow: the level editor's main window, a thin shell over the edit
// session (editor/EditSession.h). It shows the field in a scroll area and
// the solver's panel beside it, turns menus and keys into the session's
// steps, keeps the level's file and its journal of unsaved edits, and asks
// before unsaved edits would be lost.
#pragma once

#include <QAction>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QScrollArea>
#include <QTemporaryDir>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "editor/EditJournal.h"
#include "editor/EditSession.h"
#include "editor/OptimumTrack.h"
#include "editwindow/BackgroundSolve.h"
#include "editwindow/EditField.h"
#include "editwindow/FieldAnalysis.h"
#include "editwindow/EditorTexts.h"
#include "editwindow/FieldOverlays.h"
#include "editwindow/SolvePanel.h"
#include "engine/MapTextWriter.h"

class TEditorWindow : public QMainWindow {
  Q_OBJECT
 public:
  // The size of a level made with no file to open.
  static constexpr int32_t NewWidth = 60, NewHeight = 39;

  // mapPath: the file to open (a missing one is a new level to be saved
  // there, a refused one is named with the reader's reason and left alone);
  // empty: a new level of NewWidth x NewHeight. journalFolder: where the
  // journals of unsaved edits are kept; empty: the per-user folder.
  // solverProgram: the solver to run in the background; by default the one
  // beside the editor or installed (editwindow/SiblingProgram.h).
  explicit TEditorWindow(const std::string& mapPath = {}, const std::string& journalFolder = {},
                         const std::optional<std::string>& solverProgram = std::nullopt);
  ~TEditorWindow() override;

  TEditSession& Session() { return *session_; }
  TEditField& Field() { return *field_; }
  const TEditorTexts& Texts() const { return texts_; }
  // The file the level is saved to; empty until it has one.
  const std::string& MapPath() const { return mapPath_; }
  const std::string& JournalPath() const { return journal_->Path(); }
  const TFieldOverlays& Overlays() const { return overlays_; }
  const TOptimumTrack& Optimum() const { return optimum_; }
  // Whether the overlays hold what they show for the level as it stands.
  bool CoverIsCurrent() const { return coverRevision_ == session_->Revision() && coverRequest_ == request_; }
  bool HeatIsCurrent() const { return heatRevision_ == session_->Revision() && heatRequest_ == request_; }

  // The commands of the menus; false where the command did not happen (a
  // question answered Cancel, a refused or failed save).
  bool NewLevel();
  bool OpenLevel();
  bool Save();
  bool SaveAs();
  void ResizeLevel();
  void Undo();
  void Redo();
  void ZoomBy(int steps, std::optional<QPointF> at = std::nullopt);
  void FitToWindow();
  // F5: the level as it stands in the game's preview, with the best cover
  // when withBest. False when the game cannot be started.
  bool PlayTest(bool withBest);

  // Components.
  QScrollArea* scrollArea = nullptr;
  TSolvePanel* panel = nullptr;
  QLabel* lbCell = nullptr;  // the cell under the pointer
  QLabel* lbSize = nullptr;  // the field's size
  QMenu *mnFile = nullptr, *mnEdit = nullptr, *mnView = nullptr;
  QAction *acNew = nullptr, *acOpen = nullptr, *acSave = nullptr, *acSaveAs = nullptr;
  QAction *acPlayTest = nullptr, *acPlayTestBest = nullptr, *acExit = nullptr;
  QAction *acUndo = nullptr, *acRedo = nullptr, *acResize = nullptr;
  QAction *acZoomIn = nullptr, *acZoomOut = nullptr, *acFit = nullptr;
  QAction *acCover = nullptr, *acHeat = nullptr, *acWitnesses = nullptr;

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildComponents();
  void BuildMenus();
  // Opens mapPath (or a new level when empty) into a fresh session,
  // restoring a journal of unsaved edits left by an earlier run. False,
  // with the session as it was, when asked to keep it on a refusal
  // (keepOnRefusal) and the file is refused.
  bool OpenPath(const std::string& mapPath, bool keepOnRefusal);
  void Adopt(std::unique_ptr<TEditSession> session, const std::string& mapPath, TLineEnd lineEnd,
             const std::string& base);
  // Asks «Сохранить изменения?» when the level has unsaved edits; true when
  // it may be replaced (saved, or the designer chose to discard).
  bool SettleUnsaved();
  bool SaveTo(const std::string& path);
  void JournalNow();
  void SessionChanged(const TCellRect& cells, bool resized);
  void StepEnded();
  void UpdateTitle();
  void UpdateHistoryActions();
  void ShowSize();
  void ShowHoverCell(int x, int y);
  void DescribeCursor();
  void Say(const QString& message);  // in the status bar until the next
  // The solve and the overlays' work for the level as it stands, started
  // again (EditorSolve.cpp).
  void StartSolve();
  void SolveProgress(int64_t request, const TSolveProgressLine& line);
  void SolveFinished(int64_t request, const std::optional<TSolveFigures>& result, bool failed);
  void RequestHeat();
  // Whether a report for `request` is about the level as it stands.
  bool Current(int64_t request) const { return request == request_ && requestRevision_ == session_->Revision(); }
  std::string DialogFolder() const;

  TEditorTexts texts_;
  std::string journalFolder_;
  std::unique_ptr<TEditSession> session_;
  std::string mapPath_;
  TLineEnd lineEnd_ = TLineEnd::Lf;
  std::string base_ = "none";  // BytesHash of the file as last read or saved
  std::unique_ptr<TEditJournal> journal_;
  bool journalFailed_ = false;  // said once until it works again
  TEditField* field_ = nullptr;
  TFieldOverlays overlays_;
  TOptimumTrack optimum_;
  bool fitToWindow_ = true;  // the field follows the window until zoomed
  std::unique_ptr<QTemporaryDir> playFolder_;  // the levels handed to the game
  int playCount_ = 0;
  // The solve: its requests numbered across sessions, the session's
  // revision at the latest, the cells changed since, and the revisions (and
  // requests) that the overlays were made for.
  TBackgroundSolve* solve_ = nullptr;
  TFieldAnalysis* analysis_ = nullptr;
  int64_t request_ = 0, requestRevision_ = -1;
  TCellRect changedSinceSolve_;
  int64_t coverRevision_ = -1, coverRequest_ = -1;
  int64_t heatRevision_ = -1, heatRequest_ = -1;
  // The proved levels of this run by the hash of their map text, with the
  // solver's last line for each: an undo or a redo back to one of them is
  // shown proved at once, with no solve.
  std::map<std::string, TSolveProgressLine> proved_;
  std::string requestKey_;  // the hash of the level the latest request is for
};
