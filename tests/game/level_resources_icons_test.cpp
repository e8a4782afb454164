// The five light icons as the window receives them, and the plain loading
// of a picture file into a TBitmap32.
#include <gtest/gtest.h>

#include <QImage>
#include <QTemporaryDir>
#include <cmath>
#include <cstdlib>

#include "art/LevelResources.h"

namespace {

class LevelIcons : public ::testing::Test {
 protected:
  void SetUp() override {
    LoadLevelLists({}, maps, icons);
    ASSERT_EQ(icons.Count(), 5);
  }
  const TBitmap32& Icon(int i) const { return *icons.BitmapAt(i); }
  // The pixel that lands on the light's grid point.
  static TColor32 Centre(const TBitmap32& icon) { return icon.ReadPixel(icon.Width() / 2, icon.Height() / 2); }

  TBitmap32List maps, icons;
};

void ExpectRgbNear(TColor32 actual, TColor32 expected, int tolerance) {
  EXPECT_LE(std::abs(RedOf(actual) - RedOf(expected)), tolerance) << std::hex << actual;
  EXPECT_LE(std::abs(GreenOf(actual) - GreenOf(expected)), tolerance) << std::hex << actual;
  EXPECT_LE(std::abs(BlueOf(actual) - BlueOf(expected)), tolerance) << std::hex << actual;
}

TEST_F(LevelIcons, IconsHaveTheirSizesAndTransparentListSettings) {
  const int sizes[5] = {26, 26, 20, 26, 26};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(Icon(i).Width(), sizes[i]) << "icon " << i;
    EXPECT_EQ(Icon(i).Height(), sizes[i]) << "icon " << i;
    EXPECT_EQ(Icon(i).DrawMode(), dmTransparent) << "icon " << i;
    EXPECT_EQ(Icon(i).OuterColor(), 0xFFFF00FFu) << "icon " << i;
  }
}

TEST_F(LevelIcons, NoIconPixelIsTheTransparentColour) {
  for (int i = 0; i < 5; ++i) {
    for (int y = 0; y < Icon(i).Height(); ++y) {
      for (int x = 0; x < Icon(i).Width(); ++x) EXPECT_NE(Icon(i).ReadPixel(x, y), 0xFFFF00FFu) << i << ": " << x << "," << y;
    }
  }
}

// Soft towards the edge: strong at the centre, nothing on the border, and
// never brighter further out along a row or column from the centre.
TEST_F(LevelIcons, GlowsFadeFromTheCentreToNothingAtTheEdge) {
  for (int i : {0, 1, 3, 4}) {
    const TBitmap32& icon = Icon(i);
    const int c = icon.Width() / 2;
    EXPECT_GE(AlphaOf(Centre(icon)), 220) << "icon " << i;
    for (int k = 0; k < icon.Width(); ++k) {
      EXPECT_EQ(AlphaOf(icon.ReadPixel(k, 0)), 0) << "icon " << i;
      EXPECT_EQ(AlphaOf(icon.ReadPixel(0, k)), 0) << "icon " << i;
    }
    for (int d = 1; c + d < icon.Width(); ++d) {
      EXPECT_LE(AlphaOf(icon.ReadPixel(c + d, c)), AlphaOf(icon.ReadPixel(c + d - 1, c))) << i << " right " << d;
      EXPECT_LE(AlphaOf(icon.ReadPixel(c, c - d)), AlphaOf(icon.ReadPixel(c, c - d + 1))) << i << " up " << d;
    }
  }
}

TEST_F(LevelIcons, MarkerIsPaleGreyThroughout) {
  const TBitmap32& marker = Icon(0);
  ExpectRgbNear(Centre(marker), 0xEBEBEB, 0);
  for (int y = 0; y < marker.Height(); ++y) {
    for (int x = 0; x < marker.Width(); ++x) {
      const TColor32 p = marker.ReadPixel(x, y);
      if (AlphaOf(p) > 0) ExpectRgbNear(p, 0xEBEBEB, 0);
    }
  }
}

// Placed, hovered and dragged lights: a pale centre, and the icon's own
// colour in the ring around it.
TEST_F(LevelIcons, LightGlowsHaveAPaleCentreAndTheirColourAround) {
  const struct {
    int index;
    TColor32 colour;
  } glows[] = {{1, 0xFFEF5B}, {3, 0xFF9600}, {4, 0xFF3900}};
  for (const auto& g : glows) {
    const TBitmap32& icon = Icon(g.index);
    const TColor32 centre = Centre(icon);
    EXPECT_GE(std::min({RedOf(centre), GreenOf(centre), BlueOf(centre)}), 215) << "icon " << g.index;
    const int c = icon.Width() / 2;
    for (const auto& [dx, dy] : {std::pair{7, 0}, {-7, 0}, {0, 7}, {0, -7}, {5, 5}}) {
      const TColor32 ring = icon.ReadPixel(c + dx, c + dy);
      EXPECT_GT(AlphaOf(ring), 40) << "icon " << g.index;
      ExpectRgbNear(ring, g.colour, 2);
    }
  }
}

TEST_F(LevelIcons, ForbiddenIconIsAnOpaqueRedOrangeCross) {
  const TBitmap32& cross = Icon(2);
  const int c = cross.Width() / 2;
  // Solid on both diagonals, clear in the middle of each side.
  for (int d : {-4, 0, 4}) {
    for (const TColor32 p : {cross.ReadPixel(c + d, c + d), cross.ReadPixel(c + d, c - d)}) {
      EXPECT_EQ(AlphaOf(p), 255) << std::hex << p;
      EXPECT_GE(RedOf(p), 220) << std::hex << p;
      EXPECT_LE(GreenOf(p), 130) << std::hex << p;
      EXPECT_LE(BlueOf(p), 80) << std::hex << p;
    }
  }
  for (const auto& [x, y] : {std::pair{c, 2}, {c, cross.Height() - 3}, {2, c}, {cross.Width() - 3, c}}) {
    EXPECT_EQ(AlphaOf(cross.ReadPixel(x, y)), 0) << x << "," << y;
  }
}

TEST(LoadLevelImage, KeepsTranslucentPixelsUnpremultiplied) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  QImage image(3, 2, QImage::Format_ARGB32);
  const QRgb pixels[6] = {0xFF102030, 0x80FF0000, 0x01FFFFFF, 0x00000000, 0xC0123456, 0xFFFFFFFF};
  for (int i = 0; i < 6; ++i) image.setPixel(i % 3, i / 3, pixels[i]);
  const QString path = dir.filePath(QStringLiteral("pixels.png"));
  ASSERT_TRUE(image.save(path, "PNG"));

  TBitmap32 out;
  ASSERT_TRUE(LoadLevelImage(path, out));
  ASSERT_EQ(out.Width(), 3);
  ASSERT_EQ(out.Height(), 2);
  for (int i = 0; i < 6; ++i) EXPECT_EQ(out.ReadPixel(i % 3, i / 3), pixels[i]) << i;
}

TEST(LoadLevelImage, MissingPictureLeavesTheBitmapAsItWas) {
  TBitmap32 out;
  out.Resize(2, 2);
  out.Fill(0xFF123456);
  EXPECT_FALSE(LoadLevelImage(QStringLiteral(":/level/no-such-picture.png"), out));
  EXPECT_EQ(out.Width(), 2);
  EXPECT_EQ(out.ReadPixel(1, 1), 0xFF123456u);
}

TEST(LoadLevelImage, ReadsTheSplashPicture) {
  TBitmap32 splash;
  ASSERT_TRUE(LoadLevelImage(LevelSplashResource, splash));
  EXPECT_EQ(splash.Width(), 532);
  EXPECT_EQ(splash.Height(), 366);
  EXPECT_EQ(AlphaOf(splash.ReadPixel(266, 183)), 255);
}

}  // namespace
