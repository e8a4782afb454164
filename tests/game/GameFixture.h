// A game window in a temporary home, driven by events sent to imgField.
// Modal windows are answered by the test: message boxes by `answer`, file
// dialogs by `chosenFile`, the help window is closed at once. Numbers are
// shown as for a Russian user (decimal comma), whatever the machine's locale.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QLocale>
#include <QMouseEvent>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>

#include "framework/TempHome.h"
#include "engine/LevelMap.h"
#include "framework/Modal.h"
#include "framework/TaskStart.h"
#include "game/Glowmere.h"
#include "support/WholeFile.h"


class GameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    modal.OnMessageBox([this](const TMessageBoxRequest& r) {
      asked.push_back(r);
      return answer;
    });
    modal.OnFileDialog([this](const TFileDialogRequest& r) {
      dialogs.push_back(r);
      return chosenFile;
    });
    modal.OnHelpWindow([this](TfmHelp&) { ++helpShown; });
  }
  void TearDown() override {
    CloseWindow();
    QLocale::setDefault(localeBefore_);
  }

  void OpenWindow() { window = std::make_unique<TfrmGlowmere>(); }
  // As at exit: the framework writes its files, then the window goes.
  void CloseWindow() {
    if (!window) return;
    FinalizeTask();
    window.reset();
  }
  std::filesystem::path UserFile(const std::string& name) const { return std::filesystem::path(home.DataHome()) / "TUV-2009-2" / name; }
  std::filesystem::path Root() const { return home.Root(); }
  // The texts the build ships, in the program folder; without them every
  // text reads " - ".
  static void UseShippedTexts() {
    std::filesystem::copy_file(std::filesystem::path(GLOWMERE_BUILD_DATA_DIR).parent_path() / "run" / "Glowmere-2.loc", "Glowmere-2.loc");
  }

  // The field pixel of grid point g at the field's present size.
  int Px(int g) const { return GridToPixel(g, window->cellPixels); }
  void Move(int x, int y) { Send(QEvent::MouseMove, x, y, Qt::NoButton, pressed_); }
  void Press(int x, int y, Qt::MouseButton b = Qt::LeftButton) {
    pressed_ |= b;
    Send(QEvent::MouseButtonPress, x, y, b, pressed_);
  }
  void Release(int x, int y, Qt::MouseButton b = Qt::LeftButton) {
    pressed_ &= ~Qt::MouseButtons(b);
    Send(QEvent::MouseButtonRelease, x, y, b, pressed_);
  }
  // A click on grid point (gx, gy) as a player makes it: move there, press,
  // release.
  void ClickGrid(int gx, int gy, Qt::MouseButton b = Qt::LeftButton) {
    Move(Px(gx), Px(gy));
    Press(Px(gx), Px(gy), b);
    Release(Px(gx), Px(gy), b);
  }
  void Leave() {
    QEvent e(QEvent::Leave);
    QApplication::sendEvent(window->imgField, &e);
  }

  // Finds grid points of the shipped map by kind, scanning rows.
  std::pair<int, int> FreePoint(int skip = 0) const {
    for (int j = 0; j <= FieldHeight; ++j)
      for (int i = 0; i <= FieldWidth; ++i)
        if (!window->IsWalledGridPoint(i, j) && skip-- == 0) return {i, j};
    return {-1, -1};
  }
  std::pair<int, int> WalledPoint() const {
    for (int j = 1; j < FieldHeight; ++j)
      for (int i = 1; i < FieldWidth; ++i)
        if (window->IsWalledGridPoint(i, j)) return {i, j};
    return {-1, -1};
  }

  TTempHome home;
  TModalAnswers modal;
  int answer = QMessageBox::Yes;
  std::optional<std::string> chosenFile;
  std::vector<TMessageBoxRequest> asked;
  std::vector<TFileDialogRequest> dialogs;
  int helpShown = 0;
  std::unique_ptr<TfrmGlowmere> window;

 private:
  // At field pixel (x, y): the middle of that device pixel, where the field
  // lies in the control, in the control's logical coordinates.
  void Send(QEvent::Type type, int x, int y, Qt::MouseButton b, Qt::MouseButtons held) {
    const QPoint origin = window->imgField->FieldOrigin();
    const double ratio = window->imgField->PixelRatio();
    const QPointF local((x + origin.x() + 0.5) / ratio, (y + origin.y() + 0.5) / ratio);
    QMouseEvent e(type, local, window->imgField->mapToGlobal(local), b, held, Qt::NoModifier);
    QApplication::sendEvent(window->imgField, &e);
  }
  Qt::MouseButtons pressed_ = Qt::NoButton;
  QLocale localeBefore_;
};
