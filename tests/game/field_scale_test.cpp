// The field at other sizes: drawn anew for its device pixels (shadow edges
// smoothed, icons drawn, not a pixel-doubled copy of the design size), the
// pointer mapped to the grid point under it at pixel ratios 1, 1.5 and 2
// and after a resize, ties included, and the window's size kept between
// runs.
#include <QDeadlineTimer>

#include "GameFixture.h"
#include "art/FieldPictures.h"
#include "game/FieldScale.h"

namespace {

class FieldScaleTest : public GameTest {
 protected:
  // Shows the window with a field area of this logical size (device pixels
  // offscreen), once the pictures of the size are drawn.
  void ShowWithFieldArea(QSize area) {
    window->show();
    window->resize(area.width() + TfrmGlowmere::PanelWidth,
                   area.height() + window->height() - window->centralWidget()->height());
    QCoreApplication::processEvents();
    const QDeadlineTimer deadline(20000);
    while (!window->FieldPicturesExact() && !deadline.hasExpired())
      QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    ASSERT_TRUE(window->FieldPicturesExact());
  }
  // Aligned 2 x 2 blocks of unequal pixels: none in a pixel-doubled copy.
  static int MixedBlocks(const TBitmap32& b) {
    int mixed = 0;
    for (int y = 0; y + 1 < b.Height(); y += 2)
      for (int x = 0; x + 1 < b.Width(); x += 2) {
        const TColor32 c = b.ReadPixel(x, y);
        mixed += c != b.ReadPixel(x + 1, y) || c != b.ReadPixel(x, y + 1) || c != b.ReadPixel(x + 1, y + 1);
      }
    return mixed;
  }
  // A press and release at a point of the control, in its logical coordinates.
  void ClickAt(QPointF local) {
    for (QEvent::Type type : {QEvent::MouseMove, QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
      const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
      QMouseEvent e(type, local, window->imgField->mapToGlobal(local), button,
                    type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
      QApplication::sendEvent(window->imgField, &e);
    }
  }
};

TEST_F(FieldScaleTest, TwiceTheCellIsDrawnAtItsPixelsNotDoubled) {
  OpenWindow();
  const auto [gx, gy] = FreePoint(300);
  ClickGrid(gx, gy);
  ShowWithFieldArea({1240, 820});
  ASSERT_EQ(window->cellPixels, 20);
  const TBitmap32& field = window->imgField->Composed();
  ASSERT_EQ(field.Width(), 1240);
  ASSERT_EQ(field.Height(), 820);
  EXPECT_GT(MixedBlocks(field), field.Width() * field.Height() / 40);
  EXPECT_GT(MixedBlocks(*window->imlPoints->BitmapAt(1)), 10) << "the icon drawn at its size";
  // Shadow edges cross pixels: those are partly lit, between the pictures.
  const TBitmap32& lit = window->layLit->LayerBitmap();
  int partly = 0;
  for (int y = 0; y < lit.Height(); ++y)
    for (int x = 0; x < lit.Width(); ++x) partly += AlphaOf(lit.ReadPixel(x, y)) % 255 != 0;
  EXPECT_GT(partly, 200);
}

TEST_F(FieldScaleTest, WallsAreLaidWholeAtOddCellSizes) {
  OpenWindow();
  for (int cell : {15, 13}) {
    const FieldPictures drawn = DrawFieldPictures(window->level->Walls(), cell);
    // Bricks are laid on black: a wall pixel that no brick took stays black.
    int bare = 0;
    for (int y = 0; y < drawn.lit.height(); ++y)
      for (int x = 0; x < drawn.lit.width(); ++x) bare += drawn.lit.pixel(x, y) == 0xFF000000u;
    EXPECT_EQ(bare, 0) << cell << " pixels a cell";
  }
}

TEST_F(FieldScaleTest, PointerFindsItsDevicePixelAtEveryRatio) {
  for (double ratio : {1.0, 1.5, 1.75, 2.0}) {
    const int cell = FittingCellPixels(DeviceSizeOf(QSize(620, 410), ratio), 62, 41);
    EXPECT_EQ(cell, int(10 * ratio));
    // The platform reports a device pixel divided by the ratio.
    for (int p = -cell; p < 63 * cell; ++p)
      for (double within : {0.0, 0.5}) ASSERT_EQ(DevicePixelOf((p + within) / ratio, ratio), p) << ratio << " " << p;
  }
}

TEST_F(FieldScaleTest, AfterAResizeAClickLandsOnThePointUnderThePointerTiesAsBefore) {
  OpenWindow();
  const TBitmap32& first = window->imgField->Composed();
  const std::vector<TColor32> designField(first.Bits(), first.Bits() + 620 * 410);
  // 20 pixels a cell, the field centred: 30 pixels left and right, 20 above and below.
  ShowWithFieldArea({1300, 860});
  ASSERT_EQ(window->cellPixels, 20);
  auto [gx, gy] = FreePoint(100);
  while (window->IsWalledGridPoint(gx + 1, gy)) std::tie(gx, gy) = FreePoint(101);
  const auto local = [](int g, int origin, int offset) { return origin + 20 * (g + 1) + offset + 0.5; };
  ClickAt({local(gx, 30, 9), local(gy, 20, -9)});
  // Halfway between two points the even quotient wins, as at 10 a cell.
  ClickAt({local(gx, 30, 10), local(gy, 20, 0)});
  ASSERT_EQ(window->lights.Count(), 2);
  EXPECT_EQ(window->lights[0]->GridX, gx);
  EXPECT_EQ(window->lights[0]->GridY, gy);
  EXPECT_EQ(window->lights[1]->GridX, gx % 2 ? gx : gx + 1);
  EXPECT_EQ(window->lights[1]->GridY, gy);
  // Back at the design size, with the lights gone again, the field is the one first drawn.
  window->btClearClick();
  Leave();
  window->resize(620 + TfrmGlowmere::PanelWidth, window->height() - 860 + 410);
  QCoreApplication::processEvents();
  ASSERT_EQ(window->cellPixels, 10);
  const TBitmap32& field = window->imgField->Composed();
  EXPECT_TRUE(std::equal(field.Bits(), field.Bits() + 620 * 410, designField.begin()));
}

TEST_F(FieldScaleTest, TheWindowSizeIsKeptBetweenRunsNeverBelowTheDesignSize) {
  OpenWindow();
  const QSize design = window->size();
  window->ShowAtLastSize();
  window->resize(design + QSize(0, 30));
  CloseWindow();
  OpenWindow();
  window->ShowAtLastSize();
  EXPECT_EQ(window->size(), design + QSize(0, 30));
  window->resize(300, 200);
  EXPECT_EQ(window->size(), design);
}

}  // namespace
