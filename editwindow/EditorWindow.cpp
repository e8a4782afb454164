// The window's components, menus and keys, and what follows every change of
// the level: the field's repaint, the title's mark of unsaved edits, the
// journal, the status bar.
#include "editwindow/EditorWindow.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QScrollBar>
#include <QStatusBar>
#include <algorithm>
#include <cmath>

#include "editwindow/HeatImage.h"
#include "editwindow/SiblingProgram.h"

TEditorWindow::TEditorWindow(const std::string& mapPath, const std::string& journalFolder,
                             const std::optional<std::string>& solverProgram)
    : journalFolder_(journalFolder) {
  solve_ = new TBackgroundSolve(solverProgram.value_or(SiblingProgram("glowmere-solve")), this);
  solve_->OnProgress = [this](int64_t request, const TSolveProgressLine& line) { SolveProgress(request, line); };
  solve_->OnFinished = [this](int64_t request, const std::optional<TSolveFigures>& result, bool failed) {
    SolveFinished(request, result, failed);
  };
  analysis_ = new TFieldAnalysis(this);
  analysis_->OnLitArea = [this](int64_t request, const QPainterPath& lit) {
    if (request != coverRequest_ || !CoverIsCurrent()) return;
    overlays_.litArea = lit;
    field_->OverlaysChanged();
  };
  analysis_->OnHeat = [this](int64_t request, const TVisibilityHeat& heat) {
    if (!Current(request)) return;
    overlays_.heat = HeatImage(heat);
    heatRevision_ = session_->Revision();
    heatRequest_ = request;
    field_->OverlaysChanged();
  };
  BuildComponents();
  BuildMenus();
  OpenPath(mapPath, false);
  // The keys work on the field from the start.
  field_->setFocus(Qt::OtherFocusReason);
  resize(1100, 720);
}

TEditorWindow::~TEditorWindow() {
  // The field goes with the window's children, after the session: it must
  // not draw a session that is gone.
  field_->SetSession(nullptr);
  session_->OnChanged = nullptr;
}

void TEditorWindow::BuildComponents() {
  auto* client = new QWidget(this);
  auto* row = new QHBoxLayout(client);
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(0);
  scrollArea = new QScrollArea(client);
  scrollArea->setAlignment(Qt::AlignCenter);
  scrollArea->setWidgetResizable(false);
  scrollArea->setFrameShape(QFrame::NoFrame);
  scrollArea->setBackgroundRole(QPalette::Dark);
  // Arrow keys belong to the field's cursor, not to the scroll bars.
  scrollArea->setFocusPolicy(Qt::NoFocus);
  field_ = new TEditField;
  scrollArea->setWidget(field_);
  scrollArea->viewport()->installEventFilter(this);
  panel = new TSolvePanel(texts_, client);
  row->addWidget(scrollArea, 1);
  row->addWidget(panel);
  setCentralWidget(client);

  lbCell = new QLabel(this);
  lbSize = new QLabel(this);
  lbCell->setMinimumWidth(150);
  statusBar()->addPermanentWidget(lbCell);
  statusBar()->addPermanentWidget(lbSize);

  field_->SetOverlays(&overlays_);
  connect(field_, &TEditField::HoverCell, this, &TEditorWindow::ShowHoverCell);
  connect(field_, &TEditField::CursorMoved, this, [this](int x, int y) {
    scrollArea->ensureVisible(field_->CellRect(x, y).center().x(), field_->CellRect(x, y).center().y(),
                              field_->CellPixels() * 2, field_->CellPixels() * 2);
    DescribeCursor();
  });
  connect(field_, &TEditField::StepEnded, this, &TEditorWindow::StepEnded);
  connect(field_, &TEditField::ZoomAsked, this, [this](int steps, QPointF at) { ZoomBy(steps, at); });
}

void TEditorWindow::BuildMenus() {
  auto action = [this](QMenu* menu, const std::string& key, QList<QKeySequence> keys, auto slot) {
    QAction* a = menu->addAction(texts_.Text("action/" + key));
    a->setShortcuts(keys);
    connect(a, &QAction::triggered, this, slot);
    return a;
  };
  mnFile = menuBar()->addMenu(texts_.Text("action/file"));
  acNew = action(mnFile, "new", {QKeySequence::New}, [this] { NewLevel(); });
  acOpen = action(mnFile, "open", {QKeySequence::Open}, [this] { OpenLevel(); });
  acSave = action(mnFile, "save", {QKeySequence::Save}, [this] { Save(); });
  acSaveAs = action(mnFile, "saveAs", {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)}, [this] { SaveAs(); });
  mnFile->addSeparator();
  acPlayTest = action(mnFile, "playTest", {QKeySequence(Qt::Key_F5)}, [this] { PlayTest(false); });
  acPlayTestBest = action(mnFile, "playTestBest", {QKeySequence(Qt::SHIFT | Qt::Key_F5)}, [this] { PlayTest(true); });
  mnFile->addSeparator();
  acExit = action(mnFile, "exit", {QKeySequence(Qt::CTRL | Qt::Key_Q)}, [this] { close(); });

  mnEdit = menuBar()->addMenu(texts_.Text("action/edit"));
  acUndo = action(mnEdit, "undo", {QKeySequence(Qt::CTRL | Qt::Key_Z)}, [this] { Undo(); });
  acRedo = action(mnEdit, "redo", {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)},
                  [this] { Redo(); });
  mnEdit->addSeparator();
  acResize = action(mnEdit, "resize", {QKeySequence(Qt::CTRL | Qt::Key_R)}, [this] { ResizeLevel(); });

  mnView = menuBar()->addMenu(texts_.Text("action/view"));
  acZoomIn = action(mnView, "zoomIn", {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)},
                    [this] { ZoomBy(1); });
  acZoomOut = action(mnView, "zoomOut", {QKeySequence(Qt::CTRL | Qt::Key_Minus)}, [this] { ZoomBy(-1); });
  acFit = action(mnView, "fit", {QKeySequence(Qt::CTRL | Qt::Key_0)}, [this] { FitToWindow(); });
  mnView->addSeparator();
  // Each overlay has a switch in the menu and one in the panel, kept alike.
  auto overlay = [&](const std::string& key, int digit, QCheckBox* box, bool TFieldOverlays::*shown) {
    QAction* a = action(mnView, key, {QKeySequence(Qt::CTRL | (Qt::Key_0 + digit))}, [] {});
    a->setCheckable(true);
    connect(a, &QAction::toggled, this, [this, box, shown](bool on) {
      overlays_.*shown = on;
      box->setChecked(on);
      if (on && shown == &TFieldOverlays::showHeat) RequestHeat();
      field_->OverlaysChanged();
    });
    connect(box, &QCheckBox::toggled, a, &QAction::setChecked);
    return a;
  };
  acCover = overlay("cover", 1, panel->cbCover, &TFieldOverlays::showCover);
  acHeat = overlay("heat", 2, panel->cbHeat, &TFieldOverlays::showHeat);
  acWitnesses = overlay("witnesses", 3, panel->cbWitnesses, &TFieldOverlays::showWitnesses);

  // F10 opens the menu, as in the game.
  auto* openMenu = new QAction(this);
  openMenu->setShortcut(QKeySequence(Qt::Key_F10));
  addAction(openMenu);
  connect(openMenu, &QAction::triggered, this, [this] { menuBar()->setActiveAction(mnFile->menuAction()); });
}

void TEditorWindow::Adopt(std::unique_ptr<TEditSession> session, const std::string& mapPath, TLineEnd lineEnd,
                          const std::string& base) {
  if (session_) session_->OnChanged = nullptr;
  field_->SetSession(nullptr);
  session_ = std::move(session);
  mapPath_ = mapPath;
  lineEnd_ = lineEnd;
  base_ = base;
  journal_ = std::make_unique<TEditJournal>(journalFolder_, mapPath_);
  journalFailed_ = false;
  session_->OnChanged = [this](const TCellRect& cells, bool resized) { SessionChanged(cells, resized); };
  QUndoStack& history = session_->History();
  // Every step: into the journal, and the solve starts again.
  connect(&history, &QUndoStack::indexChanged, this, [this] {
    JournalNow();
    StartSolve();
  });
  connect(&history, &QUndoStack::cleanChanged, this, [this] { UpdateTitle(); });
  connect(&history, &QUndoStack::canUndoChanged, this, [this] { UpdateHistoryActions(); });
  connect(&history, &QUndoStack::canRedoChanged, this, [this] { UpdateHistoryActions(); });
  field_->SetSession(session_.get());
  field_->SetCursorCell(0, 0);
  overlays_ = TFieldOverlays{overlays_.showCover, overlays_.showHeat, overlays_.showWitnesses, {}, {}, {}, {}};
  optimum_ = {};
  panel->ShowFigures(std::nullopt, std::nullopt);
  changedSinceSolve_ = {};
  StartSolve();
  fitToWindow_ = true;
  FitToWindow();
  UpdateTitle();
  UpdateHistoryActions();
  ShowSize();
  DescribeCursor();
}

void TEditorWindow::SessionChanged(const TCellRect& cells, bool resized) {
  field_->CellsChanged(cells, resized);
  if (resized) {
    ShowSize();
    if (fitToWindow_) FitToWindow();
  }
  optimum_.LevelChanged();
  changedSinceSolve_ = changedSinceSolve_.United(cells);
  panel->ShowFigures(optimum_.Figures(), optimum_.Change());
  UpdateTitle();
}

void TEditorWindow::StepEnded() { DescribeCursor(); }

void TEditorWindow::UpdateTitle() {
  const QString name = mapPath_.empty()
                           ? texts_.Text("untitled")
                           : QString::fromLocal8Bit(std::filesystem::path(mapPath_).filename().string());
  // "[*]" is where Qt shows the mark of unsaved edits.
  setWindowTitle(name + QStringLiteral("[*] — ") + texts_.Text("title"));
  setWindowModified(session_ && session_->Modified());
}

void TEditorWindow::UpdateHistoryActions() {
  acUndo->setEnabled(session_->CanUndo());
  acRedo->setEnabled(session_->CanRedo());
}

void TEditorWindow::ShowSize() {
  lbSize->setText(texts_.Text("status/size").arg(session_->Width()).arg(session_->Height()));
}

void TEditorWindow::ShowHoverCell(int x, int y) {
  lbCell->setText(x < 0 ? QString() : texts_.Text("status/cell").arg(x + 1).arg(y + 1));
}

void TEditorWindow::DescribeCursor() {
  // For screen readers, as the game names its field: where the cursor is
  // and what the cell holds; Qt tells them of the change.
  const QPoint c = field_->CursorCell();
  const QString name = texts_.Text("access/field") + QStringLiteral(", ") +
                       texts_.Text("access/cell").arg(c.x() + 1).arg(c.y() + 1) + QStringLiteral(": ") +
                       texts_.Text(session_->IsWall(c.x(), c.y()) ? "access/wall" : "access/floor");
  if (field_->accessibleName() != name) field_->setAccessibleName(name);
}

void TEditorWindow::Say(const QString& message) { statusBar()->showMessage(message); }

void TEditorWindow::Undo() {
  session_->Undo();
  DescribeCursor();
}

void TEditorWindow::Redo() {
  session_->Redo();
  DescribeCursor();
}

void TEditorWindow::ZoomBy(int steps, std::optional<QPointF> at) {
  const int before = field_->CellPixels();
  int cell = before;
  // A quarter larger or smaller a step, at least one pixel.
  for (int i = 0; i < std::abs(steps); ++i)
    cell = steps > 0 ? std::max(cell + 1, int(std::lround(cell * 1.25))) : std::min(cell - 1, int(std::lround(cell / 1.25)));
  cell = std::clamp(cell, TEditField::MinCellPixels, TEditField::MaxCellPixels);
  if (cell == before) return;
  fitToWindow_ = false;
  // The point under the pointer (or the view's middle) stays where it is.
  const QPointF inView = at ? field_->mapTo(scrollArea->viewport(), at->toPoint()) : QPointF(scrollArea->viewport()->rect().center());
  const QPointF onField = at ? *at : QPointF(field_->mapFrom(scrollArea->viewport(), inView.toPoint()));
  field_->SetCellPixels(cell);
  const QPointF moved = onField * (double(cell) / before);
  scrollArea->horizontalScrollBar()->setValue(int(std::lround(moved.x() - inView.x())));
  scrollArea->verticalScrollBar()->setValue(int(std::lround(moved.y() - inView.y())));
}

void TEditorWindow::FitToWindow() {
  fitToWindow_ = true;
  field_->SetCellPixels(field_->FittingCellPixels(scrollArea->maximumViewportSize()));
}

bool TEditorWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == scrollArea->viewport() && event->type() == QEvent::Resize && fitToWindow_) {
    // Without scroll bars the whole viewport is the room.
    field_->SetCellPixels(field_->FittingCellPixels(scrollArea->maximumViewportSize()));
  }
  return QMainWindow::eventFilter(watched, event);
}

void TEditorWindow::closeEvent(QCloseEvent* event) {
  if (!SettleUnsaved()) {
    event->ignore();
    return;
  }
  // Nothing unsaved is left: the journal has nothing to keep.
  journal_->Remove();
  event->accept();
}
