// TBitmap32: sizes and allocation failure, bounded pixel access, lines,
// transfers by draw mode, and the change notifications they send.
#include <gtest/gtest.h>

#include <climits>
#include <random>
#include <string>
#include <vector>

#include "raster/Bitmap32.h"

namespace {

// Records every change notification.
struct TChangeLog {
  std::vector<TRect> areas;
  void Attach(TBitmap32& b) {
    b.SetOnChange([this](const TRect& r) { areas.push_back(r); });
  }
};

// A bitmap as a text picture: '#' where the pixel equals ink, '.' elsewhere.
std::string Picture(const TBitmap32& b, TColor32 ink) {
  std::string s;
  for (int32_t y = 0; y < b.Height(); ++y) {
    for (int32_t x = 0; x < b.Width(); ++x) s += b.ReadPixel(x, y) == ink ? '#' : '.';
    s += '\n';
  }
  return s;
}

}  // namespace

TEST(BitmapSize, NewBitmapIsEmptyWithDefaults) {
  TBitmap32 b;
  EXPECT_TRUE(b.Empty());
  EXPECT_EQ(b.DrawMode(), dmOpaque);
  EXPECT_EQ(b.CombineMode(), cmBlend);
  EXPECT_EQ(b.MasterAlpha(), 255);
  EXPECT_EQ(b.OuterColor(), 0u);
}

TEST(BitmapSize, ResizeToSameSizeKeepsPixelsAndIsSilent) {
  TBitmap32 b;
  b.Resize(3, 2);
  b.Fill(0xFF112233);
  TChangeLog log;
  log.Attach(b);
  b.Resize(3, 2);
  EXPECT_EQ(b.ReadPixel(2, 1), 0xFF112233u);
  EXPECT_TRUE(log.areas.empty());
}

TEST(BitmapSize, ResizeToNewSizeClearsAndNotifies) {
  TBitmap32 b;
  b.Resize(3, 2);
  b.Fill(0xFF112233);
  TChangeLog log;
  log.Attach(b);
  b.Resize(4, 1);
  EXPECT_EQ(b.Width(), 4);
  EXPECT_EQ(b.Height(), 1);
  for (int x = 0; x < 4; ++x) EXPECT_EQ(b.ReadPixel(x, 0), 0u);
  ASSERT_EQ(log.areas.size(), 1u);
  EXPECT_EQ(log.areas[0], (TRect{0, 0, 4, 2}));  // old and new extent
}

TEST(BitmapSize, NegativeSizesCountAsZero) {
  TBitmap32 b;
  b.Resize(-5, 7);
  EXPECT_TRUE(b.Empty());
  EXPECT_EQ(b.Width(), 0);
  EXPECT_EQ(b.Height(), 7);
}

TEST(BitmapSize, HugeSizeThrowsAndLeavesBitmapEmpty) {
  TBitmap32 b;
  b.Resize(10, 10);
  try {
    b.Resize(100000, 100000);
    FAIL() << "no exception";
  } catch (const EBitmapAllocation& e) {
    EXPECT_STREQ(e.what(), "Can't allocate the DIB handle");
  }
  EXPECT_EQ(b.Width(), 0);
  EXPECT_EQ(b.Height(), 0);
  EXPECT_EQ(b.ReadPixel(0, 0), b.OuterColor());
  EXPECT_THROW(b.Resize(INT_MAX, INT_MAX), EBitmapAllocation);
  // The bitmap is usable again afterwards.
  b.Resize(2, 2);
  EXPECT_EQ(b.ReadPixel(1, 1), 0u);
}

TEST(BitmapPixels, ReadOutsideGivesOuterColor) {
  TBitmap32 b;
  b.Resize(4, 3);
  b.Fill(0xFF000000);
  b.SetOuterColor(0xFFFFFFFF);
  EXPECT_EQ(b.ReadPixel(-1, 0), 0xFFFFFFFFu);
  EXPECT_EQ(b.ReadPixel(4, 0), 0xFFFFFFFFu);
  EXPECT_EQ(b.ReadPixel(0, -1), 0xFFFFFFFFu);
  EXPECT_EQ(b.ReadPixel(0, 3), 0xFFFFFFFFu);
  EXPECT_EQ(b.ReadPixel(INT_MIN, INT_MAX), 0xFFFFFFFFu);
  EXPECT_EQ(b.ReadPixel(3, 2), 0xFF000000u);
}

TEST(BitmapPixels, WritePixelInsideOnlyAndSilent) {
  TBitmap32 b;
  b.Resize(2, 2);
  TChangeLog log;
  log.Attach(b);
  b.WritePixel(1, 0, 0xFFFF0000);
  b.WritePixel(-1, 0, 0xFFFF0000);
  b.WritePixel(2, 0, 0xFFFF0000);
  b.WritePixel(0, INT_MAX, 0xFFFF0000);
  EXPECT_EQ(Picture(b, 0xFFFF0000), ".#\n..\n");
  EXPECT_TRUE(log.areas.empty());
}

TEST(BitmapPixels, FillSetsEveryPixelWithoutBlending) {
  TBitmap32 b;
  b.Resize(3, 3);
  TChangeLog log;
  log.Attach(b);
  b.Fill(0x26FFFFFF);
  EXPECT_EQ(Picture(b, 0x26FFFFFF), "###\n###\n###\n");
  ASSERT_EQ(log.areas.size(), 1u);
  EXPECT_EQ(log.areas[0], (TRect{0, 0, 3, 3}));
  TBitmap32 empty;
  empty.Fill(1);  // nothing to do, nothing breaks
}

TEST(BitmapLines, GridLinesStopBeforeTheirEnd) {
  TBitmap32 b;
  b.Resize(7, 5);
  TChangeLog log;
  log.Attach(b);
  b.PutLine(1, 1, 6, 1, 0x26FFFFFF, false);
  b.PutLine(1, 4, 1, 1, 0x26FFFFFF, false);
  EXPECT_EQ(Picture(b, 0x26FFFFFF),
            ".......\n"
            ".#####.\n"
            ".#.....\n"
            ".#.....\n"
            ".#.....\n");
  ASSERT_EQ(log.areas.size(), 2u);
  EXPECT_EQ(log.areas[0], (TRect{1, 1, 6, 2}));
  EXPECT_EQ(log.areas[1], (TRect{1, 2, 2, 5}));
}

TEST(BitmapLines, IncludeLastDrawsTheEndPoint) {
  TBitmap32 b;
  b.Resize(4, 1);
  b.PutLine(3, 0, 1, 0, 0xFFFFFFFF, true);
  EXPECT_EQ(Picture(b, 0xFFFFFFFF), ".###\n");
  TBitmap32 dot;
  dot.Resize(2, 1);
  dot.PutLine(1, 0, 1, 0, 0xFFFFFFFF, false);
  EXPECT_EQ(Picture(dot, 0xFFFFFFFF), "..\n");
  dot.PutLine(1, 0, 1, 0, 0xFFFFFFFF, true);
  EXPECT_EQ(Picture(dot, 0xFFFFFFFF), ".#\n");
}

TEST(BitmapLines, SlantedLineIsConnectedAndEndsRight) {
  TBitmap32 b;
  b.Resize(7, 4);
  b.PutLine(0, 0, 6, 3, 0xFFFFFFFF, true);
  EXPECT_EQ(Picture(b, 0xFFFFFFFF),
            "#......\n"
            ".##....\n"
            "...##..\n"
            ".....##\n");
}

// Clipping must keep exactly the pixels of the unclipped line that fall
// inside: compare against the same line drawn on a large canvas.
TEST(BitmapLines, ClippedLineMatchesLineOnLargeCanvas) {
  std::mt19937 rng(424242);
  std::uniform_int_distribution<int32_t> coord(-40, 60);
  for (int trial = 0; trial < 500; ++trial) {
    const int32_t x1 = coord(rng), y1 = coord(rng), x2 = coord(rng), y2 = coord(rng);
    const bool last = rng() & 1;
    TBitmap32 big;
    big.Resize(200, 200);
    big.PutLine(x1 + 50, y1 + 50, x2 + 50, y2 + 50, 0xFFFFFFFF, last);
    TBitmap32 small;
    small.Resize(20, 15);
    small.PutLine(x1, y1, x2, y2, 0xFFFFFFFF, last);
    for (int32_t y = 0; y < 15; ++y)
      for (int32_t x = 0; x < 20; ++x)
        ASSERT_EQ(small.ReadPixel(x, y), big.ReadPixel(x + 50, y + 50))
            << "seed 424242 trial " << trial << " at " << x << "," << y;
  }
}

TEST(BitmapLines, ExtremeCoordinatesWriteOnlyInside) {
  TBitmap32 b;
  b.Resize(5, 5);
  b.PutLine(INT_MIN, INT_MIN, INT_MAX, INT_MAX, 0xFFFFFFFF, true);
  b.PutLine(INT_MAX, INT_MIN, INT_MIN, INT_MAX, 0xFFFFFFFF, true);
  b.PutLine(INT_MIN, 2, INT_MAX, 2, 0xFFFFFFFF, false);
  b.PutLine(INT_MIN, INT_MIN, INT_MIN, INT_MAX, 0xFFFFFFFF, true);
  // The diagonals are 2^32 pixels long and pass near the corner region;
  // the row through y = 2 must be there completely.
  for (int32_t x = 0; x < 5; ++x) EXPECT_EQ(b.ReadPixel(x, 2), 0xFFFFFFFFu);
}

TEST(BitmapTransfer, OpaqueCopiesAndNotifiesDestinationRect) {
  TBitmap32 src, dst;
  src.Resize(2, 2);
  src.Fill(0x80FF0000);
  dst.Resize(4, 4);
  TChangeLog log;
  log.Attach(dst);
  dst.DrawBitmap(1, 2, &src);
  EXPECT_EQ(Picture(dst, 0x80FF0000), "....\n....\n.##.\n.##.\n");
  ASSERT_EQ(log.areas.size(), 1u);
  EXPECT_EQ(log.areas[0], (TRect{1, 2, 3, 4}));
}

TEST(BitmapTransfer, NegativeOffsetClipsToBothBitmaps) {
  TBitmap32 src, dst;
  src.Resize(3, 3);
  for (int32_t y = 0; y < 3; ++y)
    for (int32_t x = 0; x < 3; ++x) src.WritePixel(x, y, 0xFF000000 | TColor32(y * 3 + x));
  dst.Resize(3, 3);
  dst.DrawBitmap(-1, -2, &src);
  EXPECT_EQ(dst.ReadPixel(0, 0), 0xFF000007u);  // source (1, 2)
  EXPECT_EQ(dst.ReadPixel(1, 0), 0xFF000008u);
  EXPECT_EQ(dst.ReadPixel(2, 0), 0u);
  EXPECT_EQ(dst.ReadPixel(0, 1), 0u);
  dst.DrawBitmap(INT_MIN, INT_MAX, &src);  // wholly outside, no overflow
  dst.DrawBitmap(INT_MAX, 0, &src);
  EXPECT_EQ(dst.ReadPixel(2, 0), 0u);
}

TEST(BitmapTransfer, BlendBlendsEachPixel) {
  TBitmap32 src, dst;
  src.Resize(1, 1);
  src.Fill(0x26FFFFFF);
  src.SetDrawMode(dmBlend);
  dst.Resize(1, 1);
  dst.Fill(0xFF000000);
  dst.DrawBitmap(0, 0, &src);
  EXPECT_EQ(dst.ReadPixel(0, 0), 0xDF262626u);
}

TEST(BitmapTransfer, TransparentSkipsOnlyTheOuterColor) {
  TBitmap32 icon, layer;
  icon.Resize(3, 1);
  icon.WritePixel(0, 0, 0xFFFF00FF);  // the key
  icon.WritePixel(1, 0, 0x7FFF00FF);  // same colour, other alpha: copied
  icon.WritePixel(2, 0, 0x00000000);  // transparent but not the key: copied
  icon.SetDrawMode(dmTransparent);
  icon.SetOuterColor(0xFFFF00FF);
  layer.Resize(3, 1);
  layer.Fill(0xFF123456);
  icon.CopyOnto(layer);
  EXPECT_EQ(layer.ReadPixel(0, 0), 0xFF123456u);
  EXPECT_EQ(layer.ReadPixel(1, 0), 0x7FFF00FFu);
  EXPECT_EQ(layer.ReadPixel(2, 0), 0x00000000u);
}

TEST(BitmapTransfer, NullOrEmptyBitmapsDoNothing) {
  TBitmap32 dst, empty;
  dst.Resize(2, 2);
  dst.Fill(5);
  TChangeLog log;
  log.Attach(dst);
  dst.DrawBitmap(0, 0, nullptr);
  dst.DrawBitmap(0, 0, &empty);
  dst.CopyOnto(empty);
  EXPECT_TRUE(log.areas.empty());
  EXPECT_EQ(dst.ReadPixel(1, 1), 5u);
}

TEST(BitmapTransfer, DrawingOntoItselfReadsTheOldPixels) {
  TBitmap32 b;
  b.Resize(4, 1);
  for (int32_t x = 0; x < 4; ++x) b.WritePixel(x, 0, TColor32(x + 1));
  b.DrawBitmap(1, 0, &b);
  EXPECT_EQ(b.ReadPixel(0, 0), 1u);
  EXPECT_EQ(b.ReadPixel(1, 0), 1u);
  EXPECT_EQ(b.ReadPixel(2, 0), 2u);
  EXPECT_EQ(b.ReadPixel(3, 0), 3u);
}

TEST(BitmapDrawMode, ChangingModeNotifiesOnlyWhenDifferent) {
  TBitmap32 b;
  b.Resize(2, 3);
  TChangeLog log;
  log.Attach(b);
  b.SetDrawMode(dmOpaque);
  EXPECT_TRUE(log.areas.empty());
  b.SetDrawMode(dmBlend);
  ASSERT_EQ(log.areas.size(), 1u);
  EXPECT_EQ(log.areas[0], (TRect{0, 0, 2, 3}));
}

TEST(BitmapList, ItemsInOrderAndNullOutOfRange) {
  TBitmap32List list;
  TBitmap32& first = list.Add();
  TBitmap32& second = list.Add();
  EXPECT_EQ(list.Count(), 2);
  EXPECT_EQ(list.BitmapAt(0), &first);
  EXPECT_EQ(list.BitmapAt(1), &second);
  EXPECT_EQ(list.BitmapAt(2), nullptr);
  EXPECT_EQ(list.BitmapAt(-1), nullptr);
}
