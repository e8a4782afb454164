// An editor window in a temporary home, with the shipped texts, its journals
// in a folder of the test, and every modal window answered by the test:
// message boxes by `answer` (each recorded in `asked`), file dialogs by
// `chosenFile`, the size dialog by `chosenSize`. No solver runs unless a
// test names one in `solver`. The window is shown and
// active, as a designer finds it, and driven by the keys and the mouse.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "editwindow/EditorWindow.h"
#include "editwindow/LevelSizeDialog.h"
#include "framework/TempHome.h"

class EditorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::copy_file(std::filesystem::path(GLOWMERE_BUILD_DATA_DIR).parent_path() / "run" / "Glowmere-2.loc",
                               home.ProgramFolder() + "/Glowmere-2.loc");
    modal.OnMessageBox([this](const TMessageBoxRequest& r) {
      asked.push_back(r);
      return answer;
    });
    modal.OnFileDialog([this](const TFileDialogRequest& r) {
      dialogs.push_back(r);
      return chosenFile;
    });
    SetLevelSizeHandler([this](const TLevelSizeRequest&) { return chosenSize; });
  }
  void TearDown() override {
    window.reset();
    SetLevelSizeHandler({});
  }

  void Open(const std::string& mapPath = {}) {
    window = std::make_unique<TEditorWindow>(mapPath, Journals(), solver);
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  }
  // The window gone as a kill takes it: no close, no question, the journal
  // left where it is.
  void Kill() { window.reset(); }

  std::string Journals() const { return home.Root() + "/journals"; }
  std::string Path(const std::string& name) const { return home.Root() + "/" + name; }

  // A key as a designer types it: to whatever has the focus.
  void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(QApplication::focusWidget(), key, modifiers);
  }
  // The middle of cell (x, y) on the field.
  QPoint CellPoint(int x, int y) const { return window->Field().CellRect(x, y).center(); }
  // The pointer moved to cell (x, y), with buttons held.
  void MoveTo(int x, int y, Qt::MouseButtons held = Qt::NoButton, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    TEditField& field = window->Field();
    const QPoint at = CellPoint(x, y);
    QMouseEvent move(QEvent::MouseMove, at, field.mapToGlobal(at), Qt::NoButton, held, modifiers);
    QApplication::sendEvent(&field, &move);
  }
  void Drag(Qt::MouseButton button, QPoint from, QPoint to, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::mousePress(&window->Field(), button, modifiers, CellPoint(from.x(), from.y()));
    MoveTo(to.x(), to.y(), button, modifiers);
    QTest::mouseRelease(&window->Field(), button, modifiers, CellPoint(to.x(), to.y()));
  }

  TTempHome home;
  TModalAnswers modal;
  std::unique_ptr<TEditorWindow> window;
  std::vector<TMessageBoxRequest> asked;
  int answer = QMessageBox::Cancel;
  std::vector<TFileDialogRequest> dialogs;
  std::optional<std::string> chosenFile;
  std::optional<QSize> chosenSize;
  // The solver the window runs; none unless a test gives one.
  std::string solver;
};
