// The window and the judge give one verdict: a few hundred random
// solutions are judged through the window's CheckSolution (lights loaded
// one by one, regions cached in them and painted) and through the
// headless judge (a level built from the same map text, regions computed
// afresh), and the verdict and the share must agree to the last bit.
#include <random>

#include "support/CoveringSet.h"
#include "GameFixture.h"
#include "engine/MapText.h"
#include "engine/Verdict.h"
#include "framework/IniDocument.h"
#include "judge/JudgeRemarks.h"
#include "judge/JudgeSolution.h"

namespace {

using TLights = std::vector<std::pair<int, int>>;

// A solution of one of the kinds a judge meets, drawn from rng.
struct TRandomSolution {
  std::string kind;
  std::string text;
};

TRandomSolution RandomSolution(std::mt19937& rng, const TLights& cover, int width, int height) {
  const auto pick = [&rng](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
  const auto onField = [&] { return std::make_pair(pick(width + 1), pick(height + 1)); };
  const TLights far = FarLights();
  TLights lights;
  std::string head, kind;
  switch (pick(8)) {
    case 0:  // anywhere on the field, walled points and stacks as they fall
      kind = "random";
      for (int n = 1 + pick(40); n > 0; --n) lights.push_back(onField());
      break;
    case 1:  // a full cover, with lights more
      kind = "cover";
      lights = cover;
      for (int n = pick(4); n > 0; --n) lights.push_back(onField());
      break;
    case 2:  // a cover, or part of one, and lights far off the field
      kind = "far";
      lights.assign(cover.begin(), cover.begin() + pick(int(cover.size()) + 1));
      for (int n = 1 + pick(4); n > 0; --n) lights.push_back(far[size_t(pick(int(far.size())))]);
      break;
    case 3:  // a cover with some of its lights twice
      kind = "stacked";
      lights = cover;
      for (int n = 1 + pick(4); n > 0; --n) lights.push_back(cover[size_t(pick(int(cover.size())))]);
      break;
    case 4:  // a cover missing a light or more: dark floor
      kind = "dark";
      for (const auto& p : cover)
        if (pick(4) != 0) lights.push_back(p);
      break;
    case 5:  // every light that once made a cover look over-lit
      kind = "over-lit";
      lights = cover;
      lights.insert(lights.end(), far.begin(), far.end());
      break;
    case 6:  // another level's document
      kind = "level 1";
      head = "[/etc/]\r\nlevel=1\r\n\r\n";
      lights = cover;
      if (pick(2)) lights.pop_back();
      break;
    default:  // the corners and edges of the field, where walled points are
      kind = "edges";
      for (int n = 1 + pick(12); n > 0; --n) lights.emplace_back(pick(2) * width, pick(height + 1));
      break;
  }
  return {kind, head + SolutionText(lights)};
}

// Both verdicts for count random solutions on the window's level.
void ExpectAgreement(TfrmGlowmere& window, const TLevel& level, const TLights& cover, uint32_t seed, int count,
                     int& full) {
  std::mt19937 rng(seed);
  for (int i = 0; i < count; ++i) {
    const TRandomSolution s = RandomSolution(rng, cover, level.Width(), level.Height());
    SCOPED_TRACE("seed " + std::to_string(seed) + ", solution " + std::to_string(i) + " (" + s.kind + ")");
    TIniNameValueTree document(""), result("");
    document.IniDocument().Load(s.text);
    std::string message = "?";
    window.CheckSolution(document, result, message);
    const TJudgedSolution judged = JudgeSolution(level, s.text, false);
    ASSERT_TRUE(judged.holds);
    EXPECT_EQ(result.ReadString("lights", "?"), judged.lights ? std::to_string(*judged.lights) : "");
    EXPECT_EQ(window.litPercent, judged.share) << TenDecimals(window.litPercent) << " vs " << TenDecimals(judged.share);
    EXPECT_EQ(message, "");
    full += judged.lights.has_value();
  }
}

}  // namespace

TEST_F(GameTest, WindowAndHeadlessJudgeGiveTheSameVerdictsOnTheShippedLevel) {
  OpenWindow();
  const TLevel level(*LoadMapText(LevelMapText({})));
  int full = 0;
  ExpectAgreement(*window, level, ShippedCoveringSet(), 26, 120, full);
  EXPECT_GT(full, 25) << "full covers are among them";
  EXPECT_LT(full, 95) << "dark solutions are among them";
}

// A designer's map with a walled-in cell, cells that meet only at a
// corner and walls on the border: its level comes from the map text.
TEST_F(GameTest, WindowAndHeadlessJudgeGiveTheSameVerdictsOnADesignersMap) {
  const std::string picture =
      "##..........\n"
      "#..##...#...\n"
      "...#.#..#...\n"
      "....##...#..\n"
      "..#......#..\n"
      "...#........\n";
  WriteFile("ring.txt", picture);
  window = std::make_unique<TfrmGlowmere>(DesignerLevel("ring.txt"));
  const TLevel level(*LoadMapText(picture));
  // A cover, greedily: each lightable grid point that adds to the share.
  TLights cover;
  TPolygonList regions;
  long double share = 0;
  for (int j = 0; j <= level.Height(); ++j)
    for (int i = 0; i <= level.Width(); ++i) {
      if (level.IsWalledGridPoint(i, j)) continue;
      regions.push_back(level.LitRegion({i, j}));
      const long double more = LitShareOf(level, PolygonPointers(regions));
      if (more > share + 1e-9L) {
        share = more;
        cover.emplace_back(i, j);
      } else {
        regions.pop_back();
      }
    }
  ASSERT_TRUE(FullShare(share));
  int full = 0;
  ExpectAgreement(*window, level, cover, 27, 200, full);
  EXPECT_GT(full, 20);
}
