// The level value and the verdict on it: the level converts its map as the
// window always did (the outside free for the outlines, whatever the map's
// outer colour) while its rules count the outside as wall; a region is
// computed on the level's own field; the verdict follows the share, the
// tolerance and the statement's rules.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <thread>
#include <vector>

#include "engine/Level.h"
#include "engine/MapText.h"
#include "engine/Verdict.h"
#include "engine/Visibility.h"
#include "levelmap_support.h"
#include "tools/random_level/RandomLevel.h"

namespace {

// Walls on the border, a ring round one free cell, two cells that meet
// only at a corner.
const char* const Picture =
    "##......\n"
    "#..###..\n"
    "...#.#.#\n"
    "...###..\n"
    "#.......\n";

std::unique_ptr<TBitmap32> MapWithWallOutside() {
  auto map = FreeOutsideMap(Picture);
  map->SetOuterColor(WallPixel);
  return map;
}

std::unique_ptr<TPolygon> Rectangle(double x0, double y0, double x1, double y1) {
  auto p = std::make_unique<TPolygon>();
  p->AddPoint(x0, y0);
  p->AddPoint(x0, y1);
  p->AddPoint(x1, y1);
  p->AddPoint(x1, y0);
  return p;
}

}  // namespace

TEST(Level, ConvertsItsMapWithTheOutsideFreeWhateverItsOuterColour) {
  const TLevel level(*MapWithWallOutside());
  // One rectangle per run of wall cells in a row, by left end, then row.
  const std::vector<std::array<int32_t, 3>> runs = {{0, 0, 2}, {0, 1, 1}, {0, 4, 1}, {3, 1, 6},
                                                    {3, 2, 4}, {3, 3, 6}, {5, 2, 6}, {7, 2, 8}};
  ASSERT_EQ(level.WallRects().size(), runs.size());
  for (size_t i = 0; i < runs.size(); ++i) {
    const auto [x0, y, x1] = runs[i];
    EXPECT_EQ(PointsOf(*level.WallRects()[i]), (TGridPoints{{x0, y}, {x1, y}, {x1, y + 1}, {x0, y + 1}})) << i;
  }
  // A boundary per wall region read with the outside free: the corner's
  // three cells, the ring's outside and its hole, two single cells; none
  // where the outside would be wall.
  std::vector<long double> areas;
  for (const auto& outline : level.WallOutlines()) areas.push_back(std::abs(outline->Area()));
  std::sort(areas.begin(), areas.end());
  EXPECT_EQ(areas, (std::vector<long double>{1, 1, 1, 3, 9}));
  EXPECT_EQ(level.FreeCells(), 40 - 13);
  EXPECT_EQ(level.Floor().Area(), 27.0L) << "the ring's free cell is floor";
}

TEST(Level, RulesCountTheOutsideAsWall) {
  const TLevel level(*FreeOutsideMap(Picture));
  EXPECT_TRUE(level.IsWallCell(-1, 2));
  EXPECT_TRUE(level.IsWallCell(8, 0));
  EXPECT_FALSE(level.IsWallCell(2, 0));
  EXPECT_TRUE(level.IsWalledGridPoint(0, 0)) << "corner: cell (0, 0) wall, the rest outside";
  EXPECT_TRUE(level.IsWalledGridPoint(0, 1)) << "border: both cells inside are wall";
  EXPECT_FALSE(level.IsWalledGridPoint(0, 2));
  constexpr int32_t Min = std::numeric_limits<int32_t>::min(), Max = std::numeric_limits<int32_t>::max();
  EXPECT_TRUE(level.IsWalledGridPoint(Min, Max));
  EXPECT_TRUE(level.OnField({8, 5}));
  EXPECT_FALSE(level.OnField({9, 5}));
  EXPECT_EQ(level.GridPoints(), 9 * 6);
}

TEST(Level, RegionsAreMeasuredOnTheLevelsOwnField) {
  const TLevel level(*FreeOutsideMap("....\n....\n"));
  SetFieldSize(60, 39);  // another level's
  EXPECT_EQ(level.LitRegion({1, 1})->Area(), 8.0L);
  EXPECT_EQ(VisWidth, 60) << "the game's field size is the game's";
}

TEST(Level, TwoLevelsGetTheirRegionsOnTwoThreadsAtOnce) {
  // The editor draws its level while a solve of another size runs: the
  // regions of each must be those computed alone.
  const TLevel small(WallsOfMapText(RandomLevelText(30, 20, 1)));
  const TLevel large(WallsOfMapText(RandomLevelText(40, 26, 2)));
  const auto areas = [](const TLevel& level) {
    std::vector<long double> out;
    for (int32_t j = 0; j <= level.Height(); ++j)
      for (int32_t i = 0; i <= level.Width(); ++i) out.push_back(level.LitRegion({i, j})->Area());
    return out;
  };
  const std::vector<long double> smallAlone = areas(small), largeAlone = areas(large);
  for (int round = 0; round < 5; ++round) {
    std::vector<long double> smallThere;
    std::thread other([&] { smallThere = areas(small); });
    const std::vector<long double> largeHere = areas(large);
    other.join();
    ASSERT_EQ(smallThere, smallAlone) << "round " << round;
    ASSERT_EQ(largeHere, largeAlone) << "round " << round;
  }
}

TEST(Level, IsTheSameFromItsWallGridAndFromItsBitmap) {
  const TWallGrid walls = WallsOfMapText(Picture);
  EXPECT_EQ(walls, TWallGrid(*LoadMapText(Picture)));
  const TLevel fromGrid(walls), fromBitmap(*LoadMapText(Picture));
  EXPECT_EQ(fromGrid.FreeCells(), fromBitmap.FreeCells());
  EXPECT_EQ(fromGrid.Floor().Area(), fromBitmap.Floor().Area());
  EXPECT_EQ(fromGrid.WallOutlines().size(), fromBitmap.WallOutlines().size());
  TWallGrid drawn(8, 5);
  for (int32_t y = 0; y < 5; ++y)
    for (int32_t x = 0; x < 8; ++x) drawn.Set(x, y, walls.IsWallCell(x, y));
  EXPECT_EQ(drawn, walls);
}

TEST(WallGrid, ReadsBeyondTheMapAsTheRulesOrTheDrawingNeed) {
  const TWallGrid walls = WallsOfMapText(Picture);
  EXPECT_TRUE(walls.IsWallCell(-1, 2)) << "the rules: wall beyond the map";
  EXPECT_FALSE(walls.IsWallInGrid(-1, 2)) << "the drawing and the witnesses: the map's own cells only";
  EXPECT_FALSE(walls.IsWallInGrid(8, 0));
  EXPECT_TRUE(walls.IsWallInGrid(7, 2));
  EXPECT_FALSE(walls.IsWallInGrid(4, 2)) << "the ring's free cell";
  TBitmap32 map;
  map.SetOuterColor(0x12345678);
  walls.WriteTo(map);
  ASSERT_EQ(map.Width(), 8);
  ASSERT_EQ(map.Height(), 5);
  EXPECT_EQ(map.ReadPixel(1, 0), WallPixel);
  EXPECT_EQ(map.ReadPixel(4, 2), FreePixel);
  EXPECT_EQ(map.OuterColor(), 0x12345678u) << "the outer colour is the caller's";
}

TEST(Placement, OneMoreLightMeetsTheRulesInTheirOrder) {
  const TLevel level(*FreeOutsideMap(Picture));
  EXPECT_EQ(PlacementFaultAt(level, {2, 2}, false), TPlacementFault::None);
  EXPECT_EQ(PlacementFaultAt(level, {2, 2}, true), TPlacementFault::Occupied);
  EXPECT_EQ(PlacementFaultAt(level, {0, 0}, true), TPlacementFault::Walled) << "a walled point, taken or not";
  EXPECT_EQ(PlacementFaultAt(level, {0, 0}, false), TPlacementFault::Walled);
  EXPECT_EQ(PlacementFaultAt(level, {9, 0}, false), TPlacementFault::OffField) << "one past the last column";
  EXPECT_EQ(PlacementFaultAt(level, {4, -1}, true), TPlacementFault::OffField);
  EXPECT_EQ(PlacementFaultAt(level, {8, 5}, false), TPlacementFault::None) << "the last grid point";
}

TEST(Verdict, FollowsTheShareTheToleranceAndTheRules) {
  const TLevel level(*FreeOutsideMap(Picture));
  const std::vector<TGridPoint> two = {{2, 2}, {6, 4}};

  const TVerdict none = VerdictOf(level, {}, {});
  EXPECT_EQ(none.share, 0.0L);
  EXPECT_FALSE(none.full);
  EXPECT_FALSE(none.lights);

  // The floor itself lights exactly the floor; a light without a region
  // lights nothing but still counts as a light.
  const TVerdict exact = VerdictOf(level, two, {&level.Floor(), nullptr});
  EXPECT_EQ(exact.share, 100.0L);
  EXPECT_TRUE(exact.full);
  EXPECT_EQ(exact.lights, 2);
  EXPECT_FALSE(exact.OverLit());

  // Only a wrong region reaches into the walls: judged 21 for its share.
  const auto field = Rectangle(0, 0, 8, 5);
  const TVerdict over = VerdictOf(level, two, {field.get(), nullptr});
  EXPECT_GT(over.share, 100.0L);
  EXPECT_TRUE(over.OverLit());
  EXPECT_EQ(over.lights, OverLitVerdict);

  // Dark by a sliver beyond the tolerance.
  TPolygon floorLess;
  floorLess.Clear();
  for (size_t i = 0; i < level.Floor().Contours().size(); ++i)
    floorLess.AddContour(level.Floor().Contours()[i], level.Floor().Holes()[i]);
  const auto sliver = Rectangle(2, 2, 2.001, 2.001);
  floorLess.Clip(GPC_DIFF, sliver.get());
  const TVerdict dark = VerdictOf(level, two, {&floorLess, nullptr});
  EXPECT_FALSE(dark.full);
  EXPECT_FALSE(dark.lights);

  EXPECT_FALSE(exact.BreaksRules());
  TDocumentLevel task;
  task.given = true;
  task.number = GlowmereLevel;
  EXPECT_FALSE(VerdictOf(level, two, {nullptr, nullptr}, task).BreaksRules());
  TDocumentLevel other;
  other.given = true;
  other.text = "one";
  EXPECT_TRUE(VerdictOf(level, two, {nullptr, nullptr}, other).otherLevel);
  const std::vector<TGridPoint> faults = {{2, 2}, {-1, 0}, {0, 0}, {2, 2}};
  const TVerdict placed = VerdictOf(level, faults, {nullptr, nullptr, nullptr, nullptr});
  ASSERT_EQ(placed.placements.size(), 4u);
  EXPECT_EQ(placed.placements[0].fault, TPlacementFault::None);
  EXPECT_EQ(placed.placements[1].fault, TPlacementFault::OffField);
  EXPECT_EQ(placed.placements[2].fault, TPlacementFault::Walled);
  EXPECT_EQ(placed.placements[3].fault, TPlacementFault::Occupied);
  EXPECT_EQ(placed.placements[3].firstOnPoint, 0);
  EXPECT_TRUE(placed.BreaksRules());
}
