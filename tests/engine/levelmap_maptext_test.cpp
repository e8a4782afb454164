// The one map reader: text pictures to map bitmaps, line ends in either
// convention, and its refusals, each with where the picture goes wrong; a
// refused picture leaves the map alone.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "levelmap_support.h"
#include "support/HostileFiles.h"

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

// What the map reader says of the file at p: its refusal, or "read".
std::string RefusalOf(const std::string& p) {
  try {
    LoadMapFile(p);
  } catch (const EEngineError& e) {
    return e.what();
  }
  return "read";
}

TEST(MapText, WallsAndFloorRowByRowInEitherLineEnd) {
  auto map = LoadMapText("#..#\n.##.\n");
  EXPECT_EQ(map->Width(), 4);
  EXPECT_EQ(map->Height(), 2);
  EXPECT_EQ(RowsOf(*map), (std::vector<std::string>{"#..#", ".##."}));
  EXPECT_EQ(RowsOf(*LoadMapText("#.\n.#")), (std::vector<std::string>{"#.", ".#"}));
  EXPECT_EQ(RowsOf(*LoadMapText("#.\r\n.#\r\n")), (std::vector<std::string>{"#.", ".#"}));
  // Blank lines after the last row, as editors leave them, carry no cells.
  EXPECT_EQ(RowsOf(*LoadMapText("#.\n.#\n\n\r\n  \n\t")), (std::vector<std::string>{"#.", ".#"}));
  std::string largest;
  for (int32_t i = 0; i < MaxMapSide; ++i) largest += std::string(size_t(MaxMapSide), '.') + "\n";
  EXPECT_EQ(LoadMapText(largest + "\n\n")->Height(), MaxMapSide) << "blank lines do not count as rows";
}

TEST(MapText, RefusalsSayWhatAndWhereAndLeaveTheMapAlone) {
  std::string tall;
  for (int32_t i = 0; i <= MaxMapSide; ++i) tall += "..\n";
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"....\n..x.\n", "row 2, column 3: 'x' is neither a wall '#' nor floor '.'"},
      {"..\t\n", "row 1, column 3: byte 0x09 is neither a wall '#' nor floor '.'"},
      {"....\n...\n", "row 2 has 3 cells, row 1 has 4"},
      {"....\n\n....\n", "row 2 is empty"},
      {"\n\n", "the map is empty"},
      {"...\n.. \n\n", "row 2, column 3: ' ' is neither a wall '#' nor floor '.'"},
      {"", "the map is empty"},
      {std::string(size_t(MaxMapSide) + 1, '.') + "\n", "row 1 has 201 cells; at most 200 x 200 cells"},
      {tall, "more than 200 rows; at most 200 x 200 cells"},
      {"###\n###\n", "the map has no floor"},
  };
  TBitmap32 map;
  map.SetOuterColor(WallPixel);
  LoadMapText("#.\n", map);
  for (const auto& [picture, problem] : cases) {
    EXPECT_EQ(MapTextProblem(picture), problem);
    try {
      LoadMapText(picture, map);
      ADD_FAILURE() << "taken: " << problem;
    } catch (const EEngineError& e) {
      EXPECT_EQ(std::string(e.what()), problem);
    }
  }
  EXPECT_EQ(RowsOf(map), (std::vector<std::string>{"#."}));
  EXPECT_EQ(map.OuterColor(), WallPixel);

  std::string largest;
  for (int32_t i = 0; i < MaxMapSide; ++i) largest += std::string(size_t(MaxMapSide), '.') + "\r\n";
  LoadMapText(largest, map);
  EXPECT_EQ(map.Width(), MaxMapSide);
  EXPECT_EQ(map.Height(), MaxMapSide);
}

TEST(MapText, FileGivesTheSameMapAsItsTextAndIsNamedWhenRefused) {
  const std::string path = GLOWMERE_DATA_DIR "/map.txt";
  std::ifstream file(path, std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  auto fromFile = LoadMapFile(path);
  EXPECT_EQ(fromFile->Width(), 60);
  EXPECT_EQ(fromFile->Height(), 39);
  EXPECT_EQ(RowsOf(*fromFile), RowsOf(*LoadMapText(text)));

  const std::string missing = GLOWMERE_DATA_DIR "/no-such-map.txt";
  EXPECT_EQ(RefusalOf(missing), "cannot read the map " + missing + ": no such file");
  EXPECT_EQ(RefusalOf(GLOWMERE_DATA_DIR), "cannot read the map " GLOWMERE_DATA_DIR ": a folder, not a file");
  // A short file of other bytes is read and refused where it goes wrong.
  EXPECT_EQ(RefusalOf(GLOWMERE_DATA_DIR "/lit.png").rfind(GLOWMERE_DATA_DIR "/lit.png: ", 0), 0u);
}

// What a careless user hands over as a map: each refused in one line that
// names it, none waited on and none read whole.
TEST(MapText, FilesThatAreNoMapsAreRefusedWithoutWaiting) {
  const std::string folder = testing::TempDir() + "/hostile-maps";
  std::filesystem::create_directories(folder);
  {
    const TUnwrittenPipe pipe(folder + "/pipe.txt");
    EXPECT_EQ(RefusalOf(pipe.Path()), "cannot read the map " + pipe.Path() + ": a named pipe, not a regular file");
  }
  EXPECT_EQ(RefusalOf("/dev/zero"), "cannot read the map /dev/zero: a device, not a regular file");

  const std::string binary = folder + "/binary.txt";
  std::ofstream(binary, std::ios::binary) << RandomBytes(64 * 1024, 37);
  EXPECT_EQ(RefusalOf(binary).rfind(binary + ": not a map: row 1, column 1: byte 0x", 0), 0u) << RefusalOf(binary);
  // Map bytes beyond any map's length make a map too large; a sparse
  // file of 8 GiB is refused as soon as the limit is passed.
  std::string wide;
  for (int32_t i = 0; i <= MaxMapSide; ++i) wide += std::string(size_t(MaxMapSide), '.') + "\r\n";
  std::ofstream(folder + "/tall.txt", std::ios::binary) << wide;
  EXPECT_EQ(RefusalOf(folder + "/tall.txt"), folder + "/tall.txt: more than 200 x 200 cells");
  WriteSparseFile(folder + "/huge.txt", 8LL << 30);
  EXPECT_EQ(RefusalOf(folder + "/huge.txt"), folder + "/huge.txt: not a map: row 1, column 1: byte 0x00 is neither a "
                                                    "wall '#' nor floor '.'");
  std::filesystem::remove_all(folder);
}

}  // namespace
