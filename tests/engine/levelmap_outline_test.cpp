// Wall outlines: the corner table and its tracing on the described shapes,
// the refusals (too many corners, a trace that cannot go on), and random
// maps against an edge model: together the outlines must run along every
// boundary edge of the walls exactly once, each clockwise on screen from
// its top-left-most corner.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <tuple>

#include "levelmap_support.h"

namespace {

std::vector<TGridPoints> OutlinesOf(const std::string& picture) {
  auto map = FreeOutsideMap(picture);
  std::vector<TGridPoints> outlines;
  for (const auto& p : TraceWallOutlines(*map)) {
    EXPECT_EQ(p->Contours().size(), 1u);
    EXPECT_EQ(p->Holes(), std::vector<int32_t>{0});
    outlines.push_back(PointsOf(*p));
  }
  return outlines;
}

TEST(WallOutlines, MapWithoutWallsGivesNoOutlines) {
  EXPECT_TRUE(OutlinesOf("...\n...\n").empty());
  TBitmap32 empty;
  EXPECT_TRUE(TraceWallOutlines(empty).empty());
}

TEST(WallOutlines, SingleCellGivesItsFourCornersClockwise) {
  EXPECT_EQ(OutlinesOf(
                "....\n"
                "..#.\n"
                "....\n"),
            (std::vector<TGridPoints>{{{2, 1}, {3, 1}, {3, 2}, {2, 2}}}));
}

TEST(WallOutlines, BorderWallsHaveCornersOnTheBorderLines) {
  EXPECT_EQ(OutlinesOf(
                "###\n"
                "###\n"),
            (std::vector<TGridPoints>{{{0, 0}, {3, 0}, {3, 2}, {0, 2}}}));
  EXPECT_EQ(OutlinesOf(
                "...\n"
                "..#\n"),
            (std::vector<TGridPoints>{{{2, 1}, {3, 1}, {3, 2}, {2, 2}}}));
}

TEST(WallOutlines, LShape) {
  EXPECT_EQ(OutlinesOf(
                "##.\n"
                "#..\n"
                "...\n"),
            (std::vector<TGridPoints>{{{0, 0}, {2, 0}, {2, 1}, {1, 1}, {1, 2}, {0, 2}}}));
}

TEST(WallOutlines, CellsTouchingAtACornerGiveOneSelfCrossingContour) {
  auto map = FreeOutsideMap(
      "#.\n"
      ".#\n");
  const TCornerTable table = DetectWallCorners(*map);
  EXPECT_TRUE(std::none_of(table.begin(), table.end(), [](const CornerRecord& r) { return r.x == 1 && r.y == 1; }));
  EXPECT_EQ(table.size(), 6u);
  EXPECT_EQ(OutlinesOf(
                "#.\n"
                ".#\n"),
            (std::vector<TGridPoints>{{{0, 0}, {1, 0}, {1, 2}, {2, 2}, {2, 1}, {0, 1}}}));
}

TEST(WallOutlines, RingGivesOuterAndInnerContourInTheSameOrientation) {
  EXPECT_EQ(OutlinesOf(
                "###\n"
                "#.#\n"
                "###\n"),
            (std::vector<TGridPoints>{{{0, 0}, {3, 0}, {3, 3}, {0, 3}}, {{1, 1}, {2, 1}, {2, 2}, {1, 2}}}));
}

TEST(WallOutlines, RegionsComeInCornerTableOrder) {
  // The table runs by column, then row; a region's first corner is its
  // top-left-most one, so the leftmost region comes first.
  EXPECT_EQ(OutlinesOf(
                "...#\n"
                ".#..\n"
                "....\n"),
            (std::vector<TGridPoints>{{{1, 1}, {2, 1}, {2, 2}, {1, 2}}, {{3, 0}, {4, 0}, {4, 1}, {3, 1}}}));
}

TEST(WallOutlines, CornerDirectionPointsToTheOddCell) {
  // n = 1 all round the lone cell; n = 3 at (2, 3), whose free cell lies
  // down-right; (2, 2) has two walls and is no corner.
  auto map = FreeOutsideMap(
      "#...\n"
      "....\n"
      ".##.\n"
      ".#..\n");
  std::map<std::pair<int32_t, int32_t>, std::pair<int32_t, int32_t>> dirs;
  for (const CornerRecord& r : DetectWallCorners(*map)) {
    EXPECT_FALSE(r.used);
    dirs[{r.x, r.y}] = {r.dx, r.dy};
  }
  const std::map<std::pair<int32_t, int32_t>, std::pair<int32_t, int32_t>> expected{
      {{0, 0}, {+1, +1}}, {{1, 0}, {-1, +1}}, {{0, 1}, {+1, -1}}, {{1, 1}, {-1, -1}},
      {{1, 2}, {+1, +1}}, {{3, 2}, {-1, +1}}, {{3, 3}, {-1, -1}}, {{2, 3}, {+1, +1}},
      {{2, 4}, {-1, -1}}, {{1, 4}, {+1, -1}}};
  EXPECT_EQ(dirs, expected);
}

TEST(WallOutlines, EveryMapTheReaderTakesFitsTheTableAndLargerOnesAreRefused) {
  // Isolated cells have four corners each: 100 x 100 of them on the
  // largest map give 40000 corners, 101 x 101 on a larger bitmap overflow.
  auto isolated = [](int32_t columns, int32_t rows) {
    std::string picture;
    for (int32_t y = 0; y < 2 * rows; ++y) {
      for (int32_t x = 0; x < 2 * columns; ++x) picture += (x % 2 == 0 && y % 2 == 0) ? '#' : '.';
      picture += '\n';
    }
    return FreeOutsideMap(picture);
  };
  auto largest = isolated(MaxMapSide / 2, MaxMapSide / 2);
  EXPECT_EQ(DetectWallCorners(*largest).size(), 40000u);
  EXPECT_EQ(TraceWallOutlines(*largest).size(), 10000u);

  auto over = isolated(MaxMapSide / 2 + 1, MaxMapSide / 2 + 1);
  try {
    TraceWallOutlines(*over);
    FAIL() << "a map with 40804 corners was traced";
  } catch (const EEngineError& e) {
    EXPECT_NE(std::string(e.what()), "err #21");
    EXPECT_NE(std::string(e.what()).find(std::to_string(MaxCornerRecords)), std::string::npos) << e.what();
  }
  TCornerTable tooLarge(size_t(MaxCornerRecords) + 1);
  EXPECT_THROW(TraceCornerTable(tooLarge), EEngineError);
}

TEST(WallOutlines, TraceThatCannotGoOnRaisesErr21) {
  // No map gives these tables: a lone corner, and two corners out of line.
  for (TCornerTable table : {TCornerTable{{0, 0, +1, +1, false}},
                             TCornerTable{{0, 0, +1, +1, false}, {2, 3, -1, -1, false}}}) {
    try {
      TraceCornerTable(table);
      FAIL() << "a broken table was traced";
    } catch (const EEngineError& e) {
      EXPECT_STREQ(e.what(), "err #21");
    }
  }
  // Turning at the second corner finds nothing below it.
  TCornerTable open{{0, 0, +1, +1, false}, {2, 0, -1, -1, false}};
  EXPECT_THROW(TraceCornerTable(open), EEngineError);
}

TEST(WallOutlines, NearestCornerWinsAndLowestNumberOnTies) {
  // Hand-made table. From (0,0) rightwards (3,0) is nearer than (5,0);
  // records 2 and 3 both stand at (3,0) and the lower-numbered one, which
  // turns down, must win: record 3 would turn up into nothing ("err #21").
  TCornerTable table{{0, 0, +1, +1, false}, {5, 0, -1, +1, false}, {3, 0, -1, +1, false},
                     {3, 0, -1, -1, false}, {3, 2, -1, -1, false}, {0, 2, +1, -1, false}};
  const TPolygonList outlines = TraceCornerTable(table);
  ASSERT_EQ(outlines.size(), 3u);
  EXPECT_EQ(PointsOf(*outlines[0]), (TGridPoints{{0, 0}, {3, 0}, {3, 2}, {0, 2}}));
  // The leftovers close at once on used records: a used record still
  // counts as the nearest one.
  EXPECT_EQ(PointsOf(*outlines[1]), (TGridPoints{{5, 0}}));
  EXPECT_EQ(PointsOf(*outlines[2]), (TGridPoints{{3, 0}}));
  EXPECT_TRUE(std::all_of(table.begin(), table.end(), [](const CornerRecord& r) { return r.used; }));
}

// Unit edges of a contour, undirected; the contour must alternate
// horizontal and vertical segments, starting horizontally.
using TEdge = std::tuple<int32_t, int32_t, int32_t, int32_t>;

void CollectEdges(const TGridPoints& p, std::multiset<TEdge>& edges) {
  ASSERT_GE(p.size(), 4u);
  ASSERT_EQ(p.size() % 2, 0u);
  for (size_t k = 0; k < p.size(); ++k) {
    const auto [x0, y0] = p[k];
    const auto [x1, y1] = p[(k + 1) % p.size()];
    ASSERT_TRUE(k % 2 == 0 ? (y0 == y1 && x0 != x1) : (x0 == x1 && y0 != y1)) << "segment " << k;
    const int32_t sx = (x1 > x0) - (x1 < x0), sy = (y1 > y0) - (y1 < y0);
    for (int32_t x = x0, y = y0; x != x1 || y != y1; x += sx, y += sy)
      edges.emplace(std::min(x, x + sx), std::min(y, y + sy), std::max(x, x + sx), std::max(y, y + sy));
  }
}

// Twice the signed area; positive for clockwise on screen (y down).
int64_t ShoelaceOf(const TGridPoints& p) {
  int64_t sum = 0;
  for (size_t k = 0; k < p.size(); ++k) {
    const auto [x0, y0] = p[k];
    const auto [x1, y1] = p[(k + 1) % p.size()];
    sum += int64_t(x0) * y1 - int64_t(x1) * y0;
  }
  return sum;
}

// Fills one free cell of every diagonal-only contact until none is left.
std::string WithoutPinches(std::string picture, int32_t w, int32_t h) {
  auto at = [&](int32_t x, int32_t y) -> char& { return picture[size_t(y) * size_t(w + 1) + size_t(x)]; };
  for (bool changed = true; changed;) {
    changed = false;
    for (int32_t y = 0; y + 1 < h; ++y)
      for (int32_t x = 0; x + 1 < w; ++x)
        if ((at(x, y) == '#') == (at(x + 1, y + 1) == '#') && (at(x + 1, y) == '#') == (at(x, y + 1) == '#') &&
            (at(x, y) == '#') != (at(x + 1, y) == '#')) {
          (at(x, y) == '#' ? at(x + 1, y) : at(x, y)) = '#';
          changed = true;
        }
  }
  return picture;
}

TEST(WallOutlines, RunOnceAlongEveryWallEdgeClockwiseOnRandomMaps) {
  const uint32_t seed = 1984;
  std::mt19937 rng(seed);
  for (int trial = 0; trial < 300; ++trial) {
    const int32_t w = 1 + int32_t(rng() % 19), h = 1 + int32_t(rng() % 13);
    const bool pinchFree = trial % 2 == 0;
    std::string picture = RandomPicture(rng, w, h, (rng() % 100) / 100.0);
    if (pinchFree) picture = WithoutPinches(picture, w, h);
    SCOPED_TRACE("seed " + std::to_string(seed) + " trial " + std::to_string(trial) + "\n" + picture);
    const std::vector<std::string> rows = PictureRows(picture);
    auto wall = [&](int32_t x, int32_t y) { return PictureWall(rows, x, y); };

    // Model: every cell side with wall on one side and free on the other.
    std::multiset<TEdge> model;
    for (int32_t y = 0; y <= h; ++y)
      for (int32_t x = 0; x <= w; ++x) {
        if (wall(x, y) != wall(x, y - 1) && x < w) model.emplace(x, y, x + 1, y);
        if (wall(x, y) != wall(x - 1, y) && y < h) model.emplace(x, y, x, y + 1);
      }

    auto map = FreeOutsideMap(picture);
    const size_t corners = DetectWallCorners(*map).size();
    const TPolygonList outlines = TraceWallOutlines(*map);
    std::multiset<TEdge> traced;
    size_t points = 0;
    for (const auto& o : outlines) {
      const TGridPoints p = PointsOf(*o);
      CollectEdges(p, traced);
      points += p.size();
      // Starts at its top-left-most point, heading right.
      EXPECT_EQ(p[0], *std::min_element(p.begin(), p.end()));
      EXPECT_GT(p[1].first, p[0].first);
      // Outer boundaries and holes alike run clockwise; a contour through a
      // diagonal contact has parts of both senses, so only maps without
      // one are measured.
      if (pinchFree) {
        EXPECT_GT(ShoelaceOf(p), 0);
      }
    }
    EXPECT_EQ(traced, model);
    EXPECT_EQ(points, corners);
    // Later outlines start later in the table's column-then-row order.
    for (size_t k = 1; k < outlines.size(); ++k) EXPECT_LT(PointsOf(*outlines[k - 1])[0], PointsOf(*outlines[k])[0]);
  }
}

}  // namespace
