// Play from the keyboard, through real key events on the shown window: the
// field's keys, the shortcuts, where the focus goes, what screen readers hear.
#include <QAccessible>
#include <QMenuBar>
#include <QTest>

#include "GameFixture.h"

namespace {

class KeyboardTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    UseShippedTexts();
    OpenWindow();
    window->show();  // on screen and active, as a player finds it
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  }
  // A key goes where a player's goes: to the focus, after the shortcuts.
  void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(QApplication::focusWidget(), key, modifiers);
  }
  void KeyTo(int gx, int gy) {
    while (window->keyX != gx) Key(window->keyX < gx ? Qt::Key_Right : Qt::Key_Left);
    while (window->keyY != gy) Key(window->keyY < gy ? Qt::Key_Down : Qt::Key_Up);
  }
  QString Spoken(QObject* control) { return QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name); }
  long DarkPixels() const {
    const TBitmap32& o = window->layOverlay->LayerBitmap();
    return std::count_if(o.Bits(), o.Bits() + o.Width() * o.Height(),
                         [](TColor32 p) { return (p & 0xFFFFFF) == 0 && AlphaOf(p) > 250; });
  }
};

}  // namespace

TEST_F(KeyboardTest, KeysAloneMarkPlaceMoveRemoveAndShowTheDarkFloor) {
  ASSERT_EQ(QApplication::focusWidget(), window->imgField) << "the field has the focus from the start";
  const auto [ax, ay] = FreePoint(200);
  const auto [bx, by] = FreePoint(500);
  KeyTo(WalledPoint().first, WalledPoint().second);
  Key(Qt::Key_Space);
  EXPECT_TRUE(window->dropBlocked && window->lights.Count() == 0) << "the red cross; no light";
  KeyTo(ax, ay);
  EXPECT_EQ(window->cursorLight->PixelX, Px(ax)) << "the marker follows the keys";
  EXPECT_TRUE(Spoken(window->imgField).endsWith(QString::fromUtf8(" %1, %2: пусто").arg(ax).arg(ay)));
  Key(Qt::Key_Space);
  EXPECT_EQ(window->LightPoints(), (TLightPoints{{ax, ay}}));
  EXPECT_TRUE(Spoken(window->imgField).endsWith(QString::fromUtf8(": светильник"))) << "the field tells it";
  Key(Qt::Key_Return), KeyTo(bx, by), Key(Qt::Key_Escape);  // picked up, carried, put back
  EXPECT_EQ(window->LightPoints(), (TLightPoints{{ax, ay}}));
  KeyTo(ax, ay), Key(Qt::Key_Enter), KeyTo(bx, by), Key(Qt::Key_Space);
  EXPECT_EQ(window->LightPoints(), (TLightPoints{{bx, by}}));
  QTest::keyPress(window->imgField, Qt::Key_H);
  EXPECT_GT(DarkPixels(), 1000) << "black over the dark floor";
  QKeyEvent repeated(QEvent::KeyRelease, Qt::Key_H, Qt::NoModifier, QString(), true);
  QApplication::sendEvent(window->imgField, &repeated);
  EXPECT_GT(DarkPixels(), 1000) << "a held key repeats; only its last release counts";
  QTest::keyRelease(window->imgField, Qt::Key_H);
  EXPECT_EQ(DarkPixels(), 0);
  Key(Qt::Key_Delete);
  EXPECT_EQ(window->lights.Count(), 0);
}

TEST_F(KeyboardTest, ShortcutsReachTheirCommandsAndClicksLeaveTheKeysOnTheField) {
  KeyTo(FreePoint(200).first, FreePoint(200).second);
  Key(Qt::Key_Space), Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(window->lights.Count(), 0);
  Key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(window->lights.Count(), 1);
  Key(Qt::Key_Z, Qt::ControlModifier), Key(Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(window->lights.Count(), 1);
  answer = QMessageBox::No;
  const int help = helpShown;  // the statement at start counts too
  Key(Qt::Key_O, Qt::ControlModifier), Key(Qt::Key_S, Qt::ControlModifier), Key(Qt::Key_F1);
  EXPECT_EQ(asked.size(), 1u) << "Load asks first";
  EXPECT_EQ(dialogs.size(), 1u) << "Save opens its dialog";
  EXPECT_EQ(helpShown, help + 1);
  Key(Qt::Key_F10);
  EXPECT_EQ(QApplication::activePopupWidget(), window->N1) << "F10 opens the menu";
  QTest::keyClick(window->N1, Qt::Key_Escape);
  Key(Qt::Key_Escape);  // out of the menu bar, back to the field
  Key(Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), window->btClear) << "Tab reaches the panel";
  QTest::mouseClick(window->imgField, Qt::LeftButton, {}, QPoint(3, 3));
  QTest::mouseClick(window->btClear, Qt::LeftButton);
  EXPECT_EQ(asked.size(), 2u);
  EXPECT_EQ(QApplication::focusWidget(), window->imgField) << "clicks on the field and on buttons leave it there";
  Key(Qt::Key_Q, Qt::ControlModifier);
  EXPECT_FALSE(window->isVisible());
}

TEST_F(KeyboardTest, EveryControlHasAnAccessibleName) {
  for (QWidget* w : window->findChildren<QWidget*>()) {
    const bool control = w->focusPolicy() != Qt::NoFocus || qobject_cast<QLabel*>(w) || qobject_cast<QAbstractButton*>(w);
    if (!control || !w->isVisibleTo(window.get())) continue;
    EXPECT_FALSE(Spoken(w).trimmed().isEmpty()) << w->metaObject()->className();
  }
  EXPECT_TRUE(Spoken(window->lbPoints).startsWith(window->lbPointsCaption->text()));
}
