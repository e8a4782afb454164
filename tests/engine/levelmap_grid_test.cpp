// Grid points and field pixels: 10 pixels per cell and a 10-pixel margin;
// pixel to grid rounds ties to even and answers -1 off the field. Checked
// on the described values, the 32-bit extremes, and against a rounding
// model in double precision (exact here: a tie k + 0.5 is representable and
// the quotient is correctly rounded). Also the alpha-only pixel change.
#include <gtest/gtest.h>

#include <cfenv>
#include <climits>
#include <cmath>

#include "levelmap_support.h"

namespace {

// Sets the field size for one test and puts the previous one back.
class FieldGrid : public ::testing::Test {
 protected:
  void SetUp() override {
    savedWidth_ = FieldWidth;
    savedHeight_ = FieldHeight;
    FieldWidth = 60;
    FieldHeight = 39;
  }
  void TearDown() override {
    FieldWidth = savedWidth_;
    FieldHeight = savedHeight_;
  }

 private:
  int32_t savedWidth_ = 0, savedHeight_ = 0;
};

int32_t ModelPixelToGrid(int32_t p, int32_t limit, int32_t cell = DesignCellPixels) {
  const double q = std::nearbyint(double(p) / double(cell));  // default mode: to nearest, ties to even
  const double i = q - 1;
  return (i >= 0 && i <= limit) ? int32_t(i) : -1;
}

TEST_F(FieldGrid, GridPointSitsTenPixelsPerCellAfterTheMargin) {
  EXPECT_EQ(GridToPixel(0), 10);
  EXPECT_EQ(GridToPixel(1), 20);
  EXPECT_EQ(GridToPixel(60), 610);
  EXPECT_EQ(GridToPixel(-1), 0);
  EXPECT_EQ(GridToPixel(-2), -10);
}

TEST_F(FieldGrid, GridToPixelSaturatesInsteadOfOverflowing) {
  EXPECT_EQ(GridToPixel(214748362), 2147483630);
  EXPECT_EQ(GridToPixel(214748363), 2147483640);
  EXPECT_EQ(GridToPixel(214748364), INT_MAX);
  EXPECT_EQ(GridToPixel(INT_MAX), INT_MAX);
  EXPECT_EQ(GridToPixel(-214748365), -2147483640);
  EXPECT_EQ(GridToPixel(-214748366), INT_MIN);
  EXPECT_EQ(GridToPixel(INT_MIN), INT_MIN);
}

TEST_F(FieldGrid, TiesGoToTheEvenQuotient) {
  EXPECT_EQ(PixelToGridX(15), 1);  // 1.5 -> 2
  EXPECT_EQ(PixelToGridX(25), 1);  // 2.5 -> 2
  EXPECT_EQ(PixelToGridX(5), -1);  // 0.5 -> 0
  EXPECT_EQ(PixelToGridX(14), 0);
  EXPECT_EQ(PixelToGridX(16), 1);
  EXPECT_EQ(PixelToGridX(35), 3);  // 3.5 -> 4
  EXPECT_EQ(PixelToGridY(15), 1);
  EXPECT_EQ(PixelToGridY(25), 1);
}

TEST_F(FieldGrid, OffTheFieldIsMinusOne) {
  EXPECT_EQ(PixelToGridX(605), 59);  // 60.5 -> 60
  EXPECT_EQ(PixelToGridX(606), 60);
  EXPECT_EQ(PixelToGridX(614), 60);
  EXPECT_EQ(PixelToGridX(615), -1);  // 61.5 -> 62
  EXPECT_EQ(PixelToGridY(405), 39);  // 40.5 -> 40
  EXPECT_EQ(PixelToGridY(406), -1);
  EXPECT_EQ(PixelToGridX(0), -1);
  EXPECT_EQ(PixelToGridX(-5), -1);   // -0.5 -> 0
  EXPECT_EQ(PixelToGridX(-6), -1);
}

TEST_F(FieldGrid, ExtremePixelsNeitherOverflowNorLandOnTheField) {
  for (int32_t p : {INT_MIN, INT_MIN + 1, INT_MIN + 5, -15, INT_MAX - 5, INT_MAX - 1, INT_MAX}) {
    EXPECT_EQ(PixelToGridX(p), -1) << p;
    EXPECT_EQ(PixelToGridY(p), -1) << p;
  }
  FieldWidth = INT_MAX;
  EXPECT_EQ(PixelToGridX(INT_MAX), 214748364);      // 214748364.7 -> 214748365
  EXPECT_EQ(PixelToGridX(2147483645), 214748363);   // 214748364.5 -> 214748364
  EXPECT_EQ(PixelToGridX(INT_MIN), -1);
}

TEST_F(FieldGrid, NoFieldMeansNoGridPoint) {
  FieldWidth = -1;
  FieldHeight = 0;
  EXPECT_EQ(PixelToGridX(10), -1);
  EXPECT_EQ(PixelToGridY(10), 0);
  EXPECT_EQ(PixelToGridY(20), -1);
}

TEST_F(FieldGrid, PixelToGridMatchesRoundingModel) {
  ASSERT_EQ(std::fegetround(), FE_TONEAREST);
  for (int32_t p = -100; p <= 700; ++p) {
    ASSERT_EQ(PixelToGridX(p), ModelPixelToGrid(p, 60)) << p;
    ASSERT_EQ(PixelToGridY(p), ModelPixelToGrid(p, 39)) << p;
  }
  const uint32_t seed = 7;
  std::mt19937 rng(seed);
  FieldWidth = INT_MAX;
  for (int k = 0; k < 100000; ++k) {
    const int32_t p = int32_t(rng());
    ASSERT_EQ(PixelToGridX(p), ModelPixelToGrid(p, INT_MAX)) << "seed " << seed << " pixel " << p;
  }
}

TEST_F(FieldGrid, LargerFieldsRoundAsTheDesignSizeDoes) {
  for (int32_t cell : {4, 15, 20, 30}) {
    for (int32_t i = 0; i <= FieldWidth; ++i) EXPECT_EQ(PixelToGridX(GridToPixel(i, cell), cell), i);
    for (int32_t p = -cell; p <= 63 * cell; ++p) {
      ASSERT_EQ(PixelToGridX(p, cell), ModelPixelToGrid(p, 60, cell)) << "cell " << cell << " pixel " << p;
      ASSERT_EQ(PixelToGridY(p, cell), ModelPixelToGrid(p, 39, cell)) << "cell " << cell << " pixel " << p;
    }
  }
}

TEST_F(FieldGrid, EveryGridPointOwnsTheTenPixelsAroundIt) {
  for (int32_t i = 0; i <= FieldWidth; ++i) {
    const int32_t c = GridToPixel(i);
    for (int32_t d = -4; d <= 4; ++d) EXPECT_EQ(PixelToGridX(c + d), i) << "grid " << i << " offset " << d;
    // Halfway to the next point: the even quotient i + 1 keeps it for an odd
    // i; for an even i it goes to i + 1, which is off the field after W.
    const int32_t halfway = i % 2 == 1 ? i : (i + 1 <= FieldWidth ? i + 1 : -1);
    EXPECT_EQ(PixelToGridX(c + 5), halfway) << "grid " << i;
  }
}

TEST(BitmapAlpha, OnlyTheAlphaByteChanges) {
  TBitmap32 bitmap;
  bitmap.Resize(3, 2);
  const TColor32 pixels[6] = {0x00000000, 0x12345678, 0xFFFFFFFF, 0x80FF0000, 0x7F00FF00, 0x010000FF};
  for (int32_t k = 0; k < 6; ++k) bitmap.WritePixel(k % 3, k / 3, pixels[k]);
  int changes = 0;
  bitmap.SetOnChange([&](const TRect&) { ++changes; });
  SetBitmapAlpha(bitmap, 255);
  for (int32_t k = 0; k < 6; ++k) EXPECT_EQ(bitmap.ReadPixel(k % 3, k / 3), pixels[k] | 0xFF000000u) << k;
  SetBitmapAlpha(bitmap, 0x42);
  for (int32_t k = 0; k < 6; ++k)
    EXPECT_EQ(bitmap.ReadPixel(k % 3, k / 3), (pixels[k] & 0x00FFFFFFu) | 0x42000000u) << k;
  EXPECT_EQ(changes, 2);

  TBitmap32 empty;
  SetBitmapAlpha(empty, 255);
  EXPECT_TRUE(empty.Empty());
}

}  // namespace
