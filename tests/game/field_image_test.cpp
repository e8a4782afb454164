// What imgField puts on the screen is the composed layer stack, pixel for
// pixel, whatever the screen showed before: the widget copies the picture
// and never blends it over old contents.
#include <QImage>
#include <QPixmap>

#include "support/CoveringSet.h"
#include "GameFixture.h"
#include "badinput_support.h"

namespace {

class FieldImageTest : public GameTest {
 protected:
  // The screen under the field, as it was before the next paint.
  QImage screen{620, 410, QImage::Format_RGB32};

  void Paint() { window->imgField->render(&screen); }

  // The colour of each composed pixel against the screen; the first few
  // differences are named.
  ::testing::AssertionResult ScreenShowsTheStack() {
    const TBitmap32& stack = window->imgField->Composed();
    if (stack.Width() != screen.width() || stack.Height() != screen.height())
      return ::testing::AssertionFailure() << "the field is " << stack.Width() << "x" << stack.Height();
    int differ = 0;
    std::string first;
    for (int y = 0; y < stack.Height(); ++y)
      for (int x = 0; x < stack.Width(); ++x) {
        const uint32_t want = stack.ReadPixel(x, y) & 0xFFFFFF;
        const uint32_t got = screen.pixel(x, y) & 0xFFFFFF;
        if (want == got) continue;
        if (++differ <= 3) {
          char text[80];
          std::snprintf(text, sizeof text, " (%d,%d) shows %06X for %06X;", x, y, got, want);
          first += text;
        }
      }
    if (differ == 0) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << differ << " pixels differ:" << first;
  }
};

TEST_F(FieldImageTest, FirstPaintAfterARestartWithAutosavedLights) {
  std::filesystem::create_directories(UserFile(""));
  const TPoints all = ShippedCoveringSet();
  const TPoints lights(all.begin(), all.begin() + 4);
  WriteFile(UserFile("Glowmere.sav"), SolutionText(lights));
  OpenWindow();
  ASSERT_EQ(window->lights.Count(), 4);
  screen.fill(QColor(239, 239, 239));  // the window's background before the field is drawn
  Paint();
  EXPECT_TRUE(ScreenShowsTheStack());
  screen = window->imgField->grab().toImage().convertToFormat(QImage::Format_RGB32);
  EXPECT_TRUE(ScreenShowsTheStack()) << "grab()";
}

TEST_F(FieldImageTest, ReleasedHintLeavesNoDimmedGrid) {
  OpenWindow();
  ClickGrid(FreePoint().first, FreePoint().second);
  Leave();
  window->btHintMouseDown(TMouseButton::mbLeft);
  Paint();
  window->btHintMouseUp(TMouseButton::mbLeft);
  Paint();
  EXPECT_TRUE(ScreenShowsTheStack());
}

TEST_F(FieldImageTest, MovedMarkerLeavesNoGhost) {
  OpenWindow();
  const auto [ax, ay] = FreePoint();
  const auto [bx, by] = FreePoint(30);
  Move(Px(ax), Px(ay));
  Paint();
  Move(Px(bx), Px(by));
  Paint();
  EXPECT_TRUE(ScreenShowsTheStack());
}

}  // namespace
