// The level's map and field pictures as the window receives them: sizes,
// opacity, and the pictures matching the map cell for cell (walls the same
// lit and unlit, floors clearly apart).
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "art/LevelResources.h"

namespace {

constexpr int kCell = 10, kMargin = 10;

double Luminance(TColor32 c) { return 0.299 * RedOf(c) + 0.587 * GreenOf(c) + 0.114 * BlueOf(c); }

// The shipped map text read by hand, one string per row.
std::vector<std::string> MapRows() {
  std::ifstream in(GLOWMERE_DATA_DIR "/map.txt");
  std::vector<std::string> rows;
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    rows.push_back(line);
  }
  while (!rows.empty() && rows.back().empty()) rows.pop_back();
  return rows;
}

class LevelPictures : public ::testing::Test {
 protected:
  void SetUp() override {
    LoadLevelLists({}, maps, icons);
    ASSERT_EQ(maps.Count(), 3);
    rows = MapRows();
    ASSERT_FALSE(rows.empty());
  }
  const TBitmap32& Map() const { return *maps.BitmapAt(0); }
  const TBitmap32& Unlit() const { return *maps.BitmapAt(1); }
  const TBitmap32& Lit() const { return *maps.BitmapAt(2); }
  bool IsWall(int c, int r) const { return rows[size_t(r)][size_t(c)] == '#'; }
  // Mean luminance of the 10 x 10 pixels of cell (c, r).
  static double CellLuminance(const TBitmap32& picture, int c, int r) {
    double sum = 0;
    for (int y = 0; y < kCell; ++y) {
      for (int x = 0; x < kCell; ++x) sum += Luminance(picture.ReadPixel(kMargin + kCell * c + x, kMargin + kCell * r + y));
    }
    return sum / (kCell * kCell);
  }

  TBitmap32List maps, icons;
  std::vector<std::string> rows;
};

TEST_F(LevelPictures, ListsHoldTheMapAndTwoPicturesOfTheLevelSize) {
  EXPECT_EQ(Map().Width(), 60);
  EXPECT_EQ(Map().Height(), 39);
  for (const TBitmap32* picture : {&Unlit(), &Lit()}) {
    EXPECT_EQ(picture->Width(), 10 * Map().Width() + 20);
    EXPECT_EQ(picture->Height(), 10 * Map().Height() + 20);
  }
  EXPECT_EQ(icons.Count(), 5);
}

TEST_F(LevelPictures, MapImageIsTheMapTextAsWallAndFreePixels) {
  ASSERT_EQ(int(rows.size()), Map().Height());
  for (int r = 0; r < Map().Height(); ++r) {
    ASSERT_EQ(int(rows[size_t(r)].size()), Map().Width()) << "row " << r;
    for (int c = 0; c < Map().Width(); ++c) {
      EXPECT_EQ(Map().ReadPixel(c, r), IsWall(c, r) ? 0xFF000000u : 0xFFFFFFFFu) << "cell " << c << "," << r;
    }
  }
}

TEST_F(LevelPictures, PicturesAreOpaqueEverywhere) {
  for (const TBitmap32* picture : {&Unlit(), &Lit()}) {
    int translucent = 0;
    for (int y = 0; y < picture->Height(); ++y) {
      for (int x = 0; x < picture->Width(); ++x) translucent += AlphaOf(picture->ReadPixel(x, y)) != 255;
    }
    EXPECT_EQ(translucent, 0);
  }
}

// The walls are drawn from the lit picture over both, so a wall cell must
// be the same pixels in each; a floor cell must differ, or lighting it
// would show nothing.
TEST_F(LevelPictures, WallCellsAreTheSameInBothPicturesAndFloorCellsAreNot) {
  for (int r = 0; r < Map().Height(); ++r) {
    for (int c = 0; c < Map().Width(); ++c) {
      int differing = 0;
      for (int y = 0; y < kCell; ++y) {
        for (int x = 0; x < kCell; ++x) {
          const int px = kMargin + kCell * c + x, py = kMargin + kCell * r + y;
          differing += Unlit().ReadPixel(px, py) != Lit().ReadPixel(px, py);
        }
      }
      if (IsWall(c, r)) {
        EXPECT_EQ(differing, 0) << "wall cell " << c << "," << r;
      } else {
        EXPECT_EQ(differing, kCell * kCell) << "floor cell " << c << "," << r;
      }
    }
  }
}

TEST_F(LevelPictures, EveryFloorCellIsFarBrighterLitThanUnlit) {
  double litSum = 0, unlitSum = 0;
  int floorCells = 0;
  for (int r = 0; r < Map().Height(); ++r) {
    for (int c = 0; c < Map().Width(); ++c) {
      if (IsWall(c, r)) continue;
      const double lit = CellLuminance(Lit(), c, r), unlit = CellLuminance(Unlit(), c, r);
      EXPECT_GT(lit, unlit + 80) << "floor cell " << c << "," << r;
      litSum += lit;
      unlitSum += unlit;
      ++floorCells;
    }
  }
  ASSERT_GT(floorCells, 0);
  EXPECT_GT(litSum / floorCells, unlitSum / floorCells + 120);
}

// Walls must read as walls on either floor: their mean brightness lies well
// between the dark and the bright floor.
TEST_F(LevelPictures, WallsStandApartFromBothFloors) {
  double wallSum = 0, litSum = 0, unlitSum = 0;
  int wallCells = 0, floorCells = 0;
  for (int r = 0; r < Map().Height(); ++r) {
    for (int c = 0; c < Map().Width(); ++c) {
      if (IsWall(c, r)) {
        wallSum += CellLuminance(Lit(), c, r);
        ++wallCells;
      } else {
        litSum += CellLuminance(Lit(), c, r);
        unlitSum += CellLuminance(Unlit(), c, r);
        ++floorCells;
      }
    }
  }
  ASSERT_GT(wallCells, 0);
  ASSERT_GT(floorCells, 0);
  const double wall = wallSum / wallCells;
  EXPECT_GT(wall, unlitSum / floorCells + 30);
  EXPECT_LT(wall, litSum / floorCells - 30);
}

}  // namespace
