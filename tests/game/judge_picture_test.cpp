// The judge's picture against the window itself: the same field, the same
// dark floor as the hint button paints it, and a mark on the field's edge
// for a light off the field.
#include <QImage>

#include "CoveringSet.h"
#include "GameFixture.h"
#include "support/RunCommand.h"

TEST_F(GameTest, JudgePictureMarksTheDarkFloorWhereTheHintDoes) {
  const auto cover = ShippedCoveringSet();
  std::vector<std::pair<int, int>> lights(cover.begin(), cover.begin() + 5);
  lights.emplace_back(-5, 10);  // off the field to the left: a mark at grid row 10
  WriteFile("part.tuv-Glowmere", SolutionText(lights));
  const TRun run = RunCommand(std::string(GLOWMERE_JUDGE) + " --picture pictures part.tuv-Glowmere");
  ASSERT_EQ(run.status, 0) << run.err;
  const QImage picture = QImage("pictures/part.png").convertToFormat(QImage::Format_ARGB32);
  ASSERT_FALSE(picture.isNull());

  OpenWindow();
  TIniNameValueTree solution("part.tuv-Glowmere");
  window->LoadSolution(solution);
  window->btHintMouseDown(TMouseButton::mbLeft);
  const TBitmap32& overlay = window->layOverlay->LayerBitmap();
  const TBitmap32& field = window->imgField->Composed();
  ASSERT_EQ(picture.width(), field.Width());
  ASSERT_EQ(picture.height(), field.Height());
  const QRect mark(0, Px(10) - 5, 10, 11);
  auto underIcon = [&](int x, int y) {
    for (const auto& l : lights)
      if (std::abs(x - Px(l.first)) <= 13 && std::abs(y - Px(l.second)) <= 13) return true;
    return false;
  };
  int dark = 0, differ = 0, markPixels = 0;
  for (int y = 0; y < picture.height(); ++y)
    for (int x = 0; x < picture.width(); ++x) {
      const QRgb p = picture.pixel(x, y);
      if (mark.contains(x, y)) {
        markPixels += p != (field.ReadPixel(x, y) | 0xFF000000u);
        continue;
      }
      differ += p != (field.ReadPixel(x, y) | 0xFF000000u);
      if (underIcon(x, y)) continue;
      // The hint's black fill (its blend leaves alpha 0xFE, so a trace of
      // the floor shows through); its orange edge is no dark floor.
      const bool hinted = overlay.ReadPixel(x, y) >= 0xFE000000u && (overlay.ReadPixel(x, y) & 0xFFFFFFu) == 0;
      const bool black = qRed(p) <= 2 && qGreen(p) <= 2 && qBlue(p) <= 2;
      dark += hinted;
      EXPECT_EQ(black, hinted) << "(" << x << ", " << y << ")";
    }
  EXPECT_GT(dark, 1000) << "five lights leave much of the floor dark";
  EXPECT_EQ(differ, 0) << "the picture is the field as the window draws it";
  EXPECT_GT(markPixels, 10) << "the light off the field is marked on the edge";
}
