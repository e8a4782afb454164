// The dark floor's pieces as a player counts them (connected parts of its
// interior): hand-made contour sets for every way the clipper may return
// touching and shared boundaries, then the dark remainders of random
// lights on the shipped level and on random levels, each against GEOS,
// which builds the same point set from the contours and splits it into
// interior-connected polygons by its own rules.
#include <gtest/gtest.h>
#include <geos_c.h>

#include <cstdarg>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "engine/DarkPieces.h"
#include "engine/Level.h"
#include "engine/MapText.h"
#include "engine/Verdict.h"
#include "tools/random_level/RandomLevel.h"

namespace {

struct TContourSpec {
  std::vector<std::pair<double, double>> points;
  int hole = 0;
};

std::unique_ptr<TPolygon> PolygonOf(const std::vector<TContourSpec>& contours) {
  auto p = std::make_unique<TPolygon>();
  p->Clear();
  for (const TContourSpec& c : contours) {
    TContour contour;
    for (const auto& [x, y] : c.points) contour.push_back({x, y});
    p->AddContour(contour, c.hole);
  }
  return p;
}

// GEOS, used here only: each contour made valid on its own (a contour that
// touches itself becomes its lobes, or a shell with a hole), all of them
// taken by parity (outers and holes nest and overlap nowhere, so parity
// gives the clipper's area); its polygons are interior-connected.
class TGeosCount {
 public:
  // GEOS's own snap rounding, at 2^-30 cells: the clipper's results come
  // back rounded, and a shadow's edge that passes exactly through a wall's
  // corner comes back a hair beside it. Without a grid GEOS would see a
  // channel of 1e-15 cells there, or a crossing.
  static constexpr double Grid = 1.0 / (1LL << 30);

  TGeosCount() : context_(GEOS_init_r()) {}
  ~TGeosCount() { GEOS_finish_r(context_); }

  // The pieces and their area.
  std::pair<int, double> Of(const TPolygon& polygon) {
    GEOSGeometry* dark = Empty();
    for (const TContour& contour : polygon.Contours()) {
      GEOSGeometry* piece = ValidPolygon(contour);
      if (!piece) continue;
      GEOSGeometry* taken = GEOSSymDifferencePrec_r(context_, dark, piece, Grid);
      GEOSGeom_destroy_r(context_, dark);
      GEOSGeom_destroy_r(context_, piece);
      dark = taken;
    }
    int pieces = 0;
    for (int i = 0; i < GEOSGetNumGeometries_r(context_, dark); ++i) {
      const GEOSGeometry* part = GEOSGetGeometryN_r(context_, dark, i);
      double area = 0;
      if (GEOSGeomTypeId_r(context_, part) == GEOS_POLYGON && GEOSArea_r(context_, part, &area) && area > 0) ++pieces;
    }
    double area = 0;
    GEOSArea_r(context_, dark, &area);
    GEOSGeom_destroy_r(context_, dark);
    return {pieces, area};
  }

 private:
  GEOSGeometry* Empty() { return GEOSGeom_createEmptyPolygon_r(context_); }

  GEOSGeometry* ValidPolygon(const TContour& contour) {
    if (contour.size() < 3) return nullptr;
    GEOSCoordSequence* ring = GEOSCoordSeq_create_r(context_, unsigned(contour.size() + 1), 2);
    for (size_t i = 0; i <= contour.size(); ++i) {
      const gpc_vertex& v = contour[i % contour.size()];
      GEOSCoordSeq_setXY_r(context_, ring, unsigned(i), v.x, v.y);
    }
    GEOSGeometry* shell = GEOSGeom_createLinearRing_r(context_, ring);
    GEOSGeometry* raw = GEOSGeom_createPolygon_r(context_, shell, nullptr, 0);
    GEOSGeometry* valid = GEOSMakeValid_r(context_, raw);
    GEOSGeom_destroy_r(context_, raw);
    // Only the areal part counts: a spike of a contour is no floor.
    GEOSGeometry* areal = GEOSBuffer_r(context_, valid, 0, 8);
    GEOSGeom_destroy_r(context_, valid);
    GEOSGeometry* snapped = GEOSGeom_setPrecision_r(context_, areal, Grid, 0);
    GEOSGeom_destroy_r(context_, areal);
    return snapped;
  }

  GEOSContextHandle_t context_;
};

using TSpecs = std::vector<TContourSpec>;

TEST(DarkPieces, TouchingSharedAndHoledShapesCountAsAPlayerSeesThem) {
  struct TCase {
    const char* what;
    TSpecs contours;
    int pieces;
  };
  const std::vector<TCase> cases = {
      {"nothing", {}, 0},
      {"a square", {{{{0, 0}, {2, 0}, {2, 2}, {0, 2}}}}, 1},
      {"two triangles meeting at a corner, as two contours",
       {{{{0, 0}, {2, 0}, {2, 2}}}, {{{2, 2}, {4, 2}, {4, 4}}}}, 2},
      {"the same two triangles as one contour through the corner twice",
       {{{{0, 0}, {2, 0}, {2, 2}, {4, 2}, {4, 4}, {2, 2}}}}, 2},
      {"a ring", {{{{0, 0}, {6, 0}, {6, 6}, {0, 6}}}, {{{2, 2}, {2, 4}, {4, 4}, {4, 2}}, 1}}, 1},
      {"a piece with a hole and an island inside the hole",
       {{{{0, 0}, {9, 0}, {9, 9}, {0, 9}}}, {{{2, 2}, {2, 7}, {7, 7}, {7, 2}}, 1}, {{{4, 4}, {5, 4}, {5, 5}, {4, 5}}}},
       2},
      {"one piece returned as two contours along a common edge",
       {{{{0, 0}, {2, 0}, {2, 2}, {0, 2}}}, {{{2, 0}, {4, 0}, {4, 2}, {2, 2}}}}, 1},
      {"two contours sharing only part of an edge", {{{{0, 0}, {2, 0}, {2, 3}, {0, 3}}}, {{{2, 1}, {5, 1}, {5, 2}, {2, 2}}}},
       1},
      {"a hole that touches the border at one point leaves one piece",
       {{{{0, 0}, {4, 0}, {4, 4}, {0, 4}}}, {{{0, 2}, {2, 3}, {2, 1}}, 1}}, 1},
      {"a hole that touches the border at two points cuts the piece in two",
       {{{{0, 0}, {4, 0}, {4, 4}, {0, 4}}}, {{{0, 2}, {2, 3}, {4, 2}, {2, 1}}, 1}}, 2},
      {"a contour pinched at a vertex around a hole of its own",
       {{{{0, 0}, {4, 0}, {4, 4}, {2, 4}, {1, 3}, {3, 3}, {2, 4}, {0, 4}}}}, 1},
      {"a contour with a spike", {{{{0, 0}, {2, 0}, {2, 1}, {5, 1}, {2, 1}, {2, 2}, {0, 2}}}}, 1},
      {"a 28-cell piece meeting a large piece at a single point, as one contour",
       {{{{0, 0}, {10, 0}, {10, 10}, {14, 10}, {14, 17}, {10, 17}, {10, 10}, {0, 10}}}}, 2},
      {"an outer written clockwise still counts", {{{{0, 0}, {0, 2}, {2, 2}, {2, 0}}}}, 1},
      {"far off the origin and in halves", {{{{1e6, 1e6}, {1e6 + 0.5, 1e6}, {1e6 + 0.5, 1e6 + 0.5}}},
                                            {{{1e6 + 0.5, 1e6 + 0.5}, {1e6 + 1, 1e6 + 0.5}, {1e6 + 1, 1e6 + 1}}}},
       2},
  };
  TGeosCount geos;
  for (const TCase& c : cases) {
    const auto polygon = PolygonOf(c.contours);
    EXPECT_EQ(DarkPieceCount(*polygon), c.pieces) << c.what;
    EXPECT_EQ(geos.Of(*polygon).first, c.pieces) << "GEOS: " << c.what;
  }
}

// Random lights on floor grid points of a level: their dark remainder's
// pieces against GEOS's, and the areas alike.
void ExpectPiecesAsGeosCounts(const TLevel& level, std::mt19937& random, int files, const std::string& name,
                              int& differing) {
  TGeosCount geos;
  std::vector<TGridPoint> floor;
  for (int32_t y = 0; y <= level.Height(); ++y)
    for (int32_t x = 0; x <= level.Width(); ++x)
      if (!level.IsWalledGridPoint(x, y)) floor.push_back({x, y});
  for (int file = 0; file < files; ++file) {
    std::vector<TGridPoint> lights(1 + random() % 24);
    for (TGridPoint& p : lights) p = floor[random() % floor.size()];
    const TPolygonList regions = level.LitRegions(lights);
    const auto dark = DarkRemainderOf(level.Floor(), PolygonPointers(regions));
    const auto [pieces, area] = geos.Of(*dark);
    int contours = 0;
    for (const int32_t hole : dark->Holes()) contours += hole == 0;
    differing += contours != pieces;
    std::string where = name + ", lights";
    for (const TGridPoint& p : lights) where += " " + std::to_string(p.x) + "," + std::to_string(p.y);
    EXPECT_NEAR(double(dark->Area()), area, 1e-6) << where;  // GEOS snaps to its grid
    EXPECT_EQ(DarkPieceCount(*dark), pieces) << where;
  }
}

TEST(DarkPieces, RandomLightsOnTheShippedLevelCountAsGeosCounts) {
  std::ifstream file(GLOWMERE_DATA_DIR "/map.txt", std::ios::binary);
  const TLevel level(*LoadMapText(std::string(std::istreambuf_iterator<char>(file), {})));
  std::mt19937 random(264);
  int differing = 0;
  ExpectPiecesAsGeosCounts(level, random, 264, "shipped level, seed 264", differing);
  // Not a property of the count, but of this test: it would prove little
  // if the clipper's own contours were always the pieces.
  EXPECT_GT(differing, 10) << "files whose outer contours are not the pieces";
}

TEST(DarkPieces, RandomLightsOnRandomLevelsCountAsGeosCounts) {
  std::mt19937 random(37);
  int differing = 0;
  for (uint64_t seed = 1; seed <= 12; ++seed) {
    const int32_t width = int32_t(10 + random() % 60), height = int32_t(10 + random() % 40);
    const TLevel level(*LoadMapText(RandomLevelText(width, height, seed)));
    ExpectPiecesAsGeosCounts(level, random, 20,
                             "random level " + std::to_string(width) + " x " + std::to_string(height) + ", seed " +
                                 std::to_string(seed),
                             differing);
  }
}

}  // namespace
