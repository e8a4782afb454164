// Text pictures to map bitmaps: '#' walls, everything else free, ragged
// lines padded free, line ends in either convention, and refusals of
// pictures too large and of files that cannot be read.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "levelmap_support.h"

namespace {

std::vector<std::string> RowsOf(const TBitmap32& map) {
  std::vector<std::string> rows;
  for (int32_t y = 0; y < map.Height(); ++y) {
    std::string row;
    for (int32_t x = 0; x < map.Width(); ++x) {
      const TColor32 p = map.ReadPixel(x, y);
      row += p == WallPixel ? '#' : p == FreePixel ? '.' : '?';
    }
    rows.push_back(row);
  }
  return rows;
}

TEST(MapText, WallsAndFreeCellsRowByRow) {
  auto map = LoadMapText(
      "#..#\n"
      ".##.\n");
  EXPECT_EQ(map->Width(), 4);
  EXPECT_EQ(map->Height(), 2);
  EXPECT_EQ(RowsOf(*map), (std::vector<std::string>{"#..#", ".##."}));
}

TEST(MapText, AnyOtherCharacterIsFree) {
  auto map = LoadMapText("#x X0 @\t#\n");
  EXPECT_EQ(RowsOf(*map), (std::vector<std::string>{"#.......#"}));
}

TEST(MapText, WidthIsTheLongestLineAndShortLinesEndFree) {
  auto map = LoadMapText(
      "#\n"
      "\n"
      "..###\n"
      "##\n");
  EXPECT_EQ(map->Width(), 5);
  EXPECT_EQ(map->Height(), 4);
  EXPECT_EQ(RowsOf(*map), (std::vector<std::string>{"#....", ".....", "..###", "##..."}));
}

TEST(MapText, LastLineNeedsNoNewlineAndCarriageReturnsAreDropped) {
  EXPECT_EQ(RowsOf(*LoadMapText("#.\n.#")), (std::vector<std::string>{"#.", ".#"}));
  auto crlf = LoadMapText("#.\r\n.#\r\n");
  EXPECT_EQ(crlf->Width(), 2);
  EXPECT_EQ(RowsOf(*crlf), (std::vector<std::string>{"#.", ".#"}));
}

TEST(MapText, EmptyTextIsAnEmptyMap) {
  auto map = LoadMapText("");
  EXPECT_TRUE(map->Empty());
  EXPECT_EQ(map->Height(), 0);
}

TEST(MapText, ReloadReplacesTheWholeMap) {
  TBitmap32 map;
  map.SetOuterColor(WallPixel);
  LoadMapText("###\n###\n###\n", map);
  LoadMapText(".#\n", map);
  EXPECT_EQ(RowsOf(map), (std::vector<std::string>{".#"}));
  EXPECT_EQ(map.OuterColor(), WallPixel);
}

TEST(MapText, TooLargePicturesAreRefusedAndLeaveTheMapAlone) {
  TBitmap32 map;
  LoadMapText("#.\n", map);
  const std::string wide(size_t(MaxMapTextSide) + 1, '#');
  EXPECT_THROW(LoadMapText(wide, map), EEngineError);
  std::string tall;
  for (int32_t y = 0; y <= MaxMapTextSide; ++y) tall += ".\n";
  EXPECT_THROW(LoadMapText(tall, map), EEngineError);
  // Each side within its limit, the whole beyond the cell limit.
  std::string big;
  const std::string line(size_t(MaxMapTextSide), '.');
  for (int64_t y = 0; y * MaxMapTextSide <= MaxMapTextCells; ++y) big += line + "\n";
  EXPECT_THROW(LoadMapText(big, map), EEngineError);
  EXPECT_EQ(RowsOf(map), (std::vector<std::string>{"#."}));

  const std::string atLimit(size_t(MaxMapTextSide), '#');
  LoadMapText(atLimit, map);
  EXPECT_EQ(map.Width(), MaxMapTextSide);
  EXPECT_EQ(map.Height(), 1);
}

TEST(MapText, FileGivesTheSameMapAsItsText) {
  const std::string path = GLOWMERE_DATA_DIR "/map.txt";
  std::ifstream file(path, std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  ASSERT_FALSE(text.empty());
  auto fromFile = LoadMapFile(path);
  EXPECT_EQ(fromFile->Width(), 60);
  EXPECT_EQ(fromFile->Height(), 39);
  EXPECT_EQ(RowsOf(*fromFile), RowsOf(*LoadMapText(text)));
}

TEST(MapText, UnreadableFileIsRefusedWithItsName) {
  const std::string path = GLOWMERE_DATA_DIR "/no-such-map.txt";
  try {
    LoadMapFile(path);
    FAIL() << "a missing file was read";
  } catch (const EEngineError& e) {
    EXPECT_NE(std::string(e.what()).find(path), std::string::npos) << e.what();
  }
  // A folder opens but cannot be read.
  TBitmap32 map;
  EXPECT_THROW(LoadMapFile(GLOWMERE_DATA_DIR, map), EEngineError);
}

}  // namespace
