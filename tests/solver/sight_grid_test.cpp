// Which candidates see a point (TSightGrid through TCoverField::SeersOf)
// against the engine's own regions: a candidate left out must light
// nothing within the seeing slack of the point (else a lower bound could
// be wrong), and a candidate kept must come close to seeing it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "engine/levelmap_support.h"
#include "solver_support.h"
#include "support/RegionModel.h"
#include "tools/random_level/RandomLevel.h"

namespace {

void ExpectSightMatchesRegions(const std::string& picture, std::mt19937& rng) {
  const auto field = FieldOf(picture);
  std::vector<gpc_vertex> points;
  std::uniform_real_distribution<double> inCell(0.0, 1.0);
  for (int32_t y = 0; y < field->Height(); ++y)
    for (int32_t x = 0; x < field->Width(); ++x) {
      if (field->IsWallCell(x, y)) continue;
      // At random first; then inside, on the cell's sides and corners, where
      // views meet grid lines and the shadow lines through wall corners.
      for (const gpc_vertex& p : {gpc_vertex{x + inCell(rng), y + inCell(rng)}, gpc_vertex{x + 0.5, y + 0.5},
                                  gpc_vertex{x + 0.0, y + 0.5}, gpc_vertex{x + 0.5, y + 0.0},
                                  gpc_vertex{x + 0.0, y + 0.0}, gpc_vertex{x + 0.05, y + 0.95}})
        points.push_back(p);
    }
  const double slack = field->SeeingSlack();
  for (size_t k = 0; k < points.size(); ++k) {
    const gpc_vertex& p = points[k];
    // A view through a corner where two wall cells meet diagonally is kept
    // though it sees only a line: the points that can lie on such a view
    // (all but the random ones) are checked in one direction only, but for
    // views along a grid line, which are exact.
    const bool random = k % 6 == 0;
    const std::vector<int32_t> seers = field->SeersOf(p);
    for (int32_t c = 0; c < field->CandidateCount(); ++c) {
      const TPolygon& region = field->Region(c);
      const bool inside = RegionContains(region, p.x, p.y);
      const double distance = inside ? 0.0 : DistanceToBoundary(region, p.x, p.y);
      const TCandidate& at = field->Candidates()[size_t(c)];
      SCOPED_TRACE(picture + "point (" + std::to_string(p.x) + ", " + std::to_string(p.y) + "), candidate (" +
                   std::to_string(at.gridX) + ", " + std::to_string(at.gridY) + ")");
      if (!std::binary_search(seers.begin(), seers.end(), c)) {
        ASSERT_GT(distance, slack);
      } else if (random || at.gridY == p.y) {
        // Kept only when the view comes within the margin (twice the
        // slack) of the walls, which moves its far end by at most the
        // margin times the length over the distance to a wall corner.
        ASSERT_LE(distance, 2 * slack * (1 + std::hypot(p.x - at.gridX, p.y - at.gridY)) + 1e-9);
      }
    }
  }
}

}  // namespace

TEST(SightGrid, LeavesOutOnlyCandidatesThatLightNothingNearThePoint) {
  const unsigned seed = 170417;
  std::mt19937 rng(seed);
  SCOPED_TRACE("seed " + std::to_string(seed));
  for (int round = 0; round < 12; ++round) {
    std::uniform_int_distribution<int> side(3, 9);
    const std::string picture = RandomPicture(rng, side(rng), side(rng), 0.35);
    if (picture.find('.') == std::string::npos) continue;
    ExpectSightMatchesRegions(picture, rng);
  }
  // Wall blocks as the levels have them, with seams between wall cells.
  ExpectSightMatchesRegions(RandomLevelText(24, 16, 3), rng);
}
