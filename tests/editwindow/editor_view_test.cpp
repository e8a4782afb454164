// What the window shows of the level: the field fits the window until
// Ctrl+wheel zooms it, scroll bars come when it no longer fits, a resize is
// a step of its own, and every caption is a text of the localization file.
#include <QMenuBar>
#include <QScrollBar>
#include <QWheelEvent>

#include "EditorFixture.h"

namespace {

void Wheel(TEditField& field, int notches, Qt::KeyboardModifiers modifiers) {
  const QPointF at(field.width() / 2.0, field.height() / 2.0);
  QWheelEvent wheel(at, field.mapToGlobal(at), QPoint(), QPoint(0, 120 * notches), Qt::NoButton, modifiers,
                    Qt::NoScrollPhase, false);
  QApplication::sendEvent(&field, &wheel);
}

TEST_F(EditorTest, TheFieldFitsTheWindowUntilCtrlWheelZoomsIt) {
  Open();
  window->resize(900, 600);
  QApplication::processEvents();
  TEditField& field = window->Field();
  const QSize room = window->scrollArea->maximumViewportSize();
  const int fitted = field.CellPixels();
  EXPECT_LE(field.width(), room.width());
  EXPECT_LE(field.height(), room.height());
  EXPECT_TRUE(field.width() + 62 > room.width() || field.height() + 41 > room.height()) << "the largest that fits";

  Wheel(field, 3, Qt::ControlModifier);
  EXPECT_GT(field.CellPixels(), fitted);
  QApplication::processEvents();
  EXPECT_TRUE(window->scrollArea->horizontalScrollBar()->isVisible());
  window->resize(1000, 700);
  QApplication::processEvents();
  EXPECT_GT(field.width(), window->scrollArea->viewport()->width()) << "zoomed, it no longer follows the window";

  Key(Qt::Key_0, Qt::ControlModifier);
  EXPECT_LE(field.width(), window->scrollArea->maximumViewportSize().width());
  Wheel(field, 1, Qt::NoModifier);  // the wheel alone scrolls, never zooms
  EXPECT_EQ(field.CellPixels(), field.FittingCellPixels(window->scrollArea->maximumViewportSize()));
}

TEST_F(EditorTest, AResizeIsAStepAndTheStatusBarFollowsIt) {
  Open();
  chosenSize = QSize(250, 7);
  Key(Qt::Key_R, Qt::ControlModifier);
  EXPECT_EQ(window->Session().Width(), 200) << "at most the reader's 200";
  EXPECT_EQ(window->lbSize->text(), QString::fromUtf8("Поле 200 на 7"));
  Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(window->lbSize->text(), QString::fromUtf8("Поле 60 на 39"));

  chosenSize = QSize(5, 4);
  Key(Qt::Key_N, Qt::ControlModifier);  // nothing unsaved: no question
  EXPECT_TRUE(asked.empty());
  EXPECT_EQ(window->Session().Width(), 5);
  EXPECT_FALSE(window->Session().CanRedo()) << "a new level, a new history";
}

TEST_F(EditorTest, EveryCaptionComesFromTheLocalizationFile) {
  Open();
  const QString missing = QStringLiteral(" - ");
  for (QAction* menu : window->menuBar()->actions()) {
    EXPECT_NE(menu->text(), missing);
    for (QAction* item : menu->menu()->actions())
      if (!item->isSeparator()) {
        EXPECT_NE(item->text(), missing) << menu->text().toStdString();
      }
  }
  for (QLabel* label : {window->panel->lbCaption, window->panel->lbBound, window->lbSize})
    EXPECT_FALSE(label->text().contains(missing)) << label->text().toStdString();
  EXPECT_EQ(window->panel->accessibleName().isEmpty(), false);
  EXPECT_NE(window->panel->accessibleName(), missing);
}

}  // namespace
