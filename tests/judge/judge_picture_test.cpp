// The judge's pictures, drawn on its canvas without a window, against what
// the field must show: the dark floor black where the map says it is dark,
// lit floor never black, a full cover without a black cell, and a mark on
// the edge for a light off the field.
#include <gtest/gtest.h>

#include <QImage>
#include <memory>

#include "JudgeRun.h"
#include "engine/Level.h"
#include "engine/MapText.h"
#include "judge/JudgeCanvas.h"
#include "judge/JudgePicture.h"
#include "support/CoveringSet.h"

namespace {

// Two rooms of 4 x 3 cells, a wall column between them: a light in the
// left room lights it whole and leaves the right one, [5, 9] x [0, 3],
// dark.
const char* const TwoRooms =
    "....#....\n"
    "....#....\n"
    "....#....\n";

// The hint's black fill: its blend leaves a trace of the floor.
bool Black(QRgb p) { return qRed(p) <= 2 && qGreen(p) <= 2 && qBlue(p) <= 2; }
bool MarkYellow(QRgb p) { return qRed(p) > 200 && qGreen(p) > 200 && qBlue(p) < 150; }

std::vector<TGridPoint> Points(const std::vector<std::pair<int, int>>& pairs) {
  std::vector<TGridPoint> points;
  for (const auto& [x, y] : pairs) points.push_back({x, y});
  return points;
}

// Within 14 pixels of a light's grid point: its icon may be there.
bool UnderIcon(const std::vector<TGridPoint>& lights, int x, int y) {
  for (const TGridPoint& l : lights)
    if (std::abs(x - GridToPixel(l.x)) <= 14 && std::abs(y - GridToPixel(l.y)) <= 14) return true;
  return false;
}

// The black pixels among the middle 6 x 6 pixels of each floor cell (clear
// of the grid lines), the icons left out.
int BlackFloorPixels(const QImage& picture, const TLevel& level, const std::vector<TGridPoint>& lights) {
  int black = 0;
  for (int cy = 0; cy < level.Height(); ++cy)
    for (int cx = 0; cx < level.Width(); ++cx) {
      if (level.IsWallCell(cx, cy)) continue;
      for (int y = 10 * cy + 12; y < 10 * cy + 18; ++y)
        for (int x = 10 * cx + 12; x < 10 * cx + 18; ++x)
          if (!UnderIcon(lights, x, y)) black += Black(picture.pixel(x, y));
    }
  return black;
}

class JudgeCanvasTest : public ::testing::Test {
 protected:
  std::unique_ptr<TLevel> NewLevel(const TLevelChoice& choice) {
    return std::make_unique<TLevel>(*LoadMapText(LevelMapText(choice)));
  }
};

}  // namespace

TEST_F(JudgeCanvasTest, DarkFloorIsBlackAndLitFloorIsNot) {
  const TLevelChoice rooms{"/nowhere/rooms.txt", TwoRooms};
  const auto level = NewLevel(rooms);
  TJudgeCanvas canvas(rooms, *level);
  const std::vector<TGridPoint> light = {{0, 0}};
  const QImage picture = JudgePicture(canvas, light).convertToFormat(QImage::Format_ARGB32);
  ASSERT_EQ(picture.size(), QSize(110, 50)) << "the map and a margin of a cell, 10 pixels a cell";
  int darkRoom = 0, litRoom = 0;
  for (int y = 12; y < 38; ++y) {
    for (int x = 62; x < 98; ++x) darkRoom += !Black(picture.pixel(x, y));
    for (int x = 12; x < 48; ++x) litRoom += !UnderIcon(light, x, y) && Black(picture.pixel(x, y));
  }
  EXPECT_EQ(darkRoom, 0) << "the room behind the wall is dark all over";
  EXPECT_EQ(litRoom, 0) << "the lit room shows no dark floor";

  // The same canvas again, the light now in the right room: what the
  // last picture drew is gone.
  const std::vector<TGridPoint> right = {{9, 3}};
  const QImage again = JudgePicture(canvas, right).convertToFormat(QImage::Format_ARGB32);
  EXPECT_EQ(BlackFloorPixels(again, *level, right), 12 * 36) << "the left room's 12 cells are dark, and only they";
}

TEST_F(JudgeCanvasTest, AFullCoverLeavesNoCellBlackAndAFarLightIsMarkedOnTheEdge) {
  const TLevelChoice shipped;
  const auto level = NewLevel(shipped);
  TJudgeCanvas canvas(shipped, *level);
  const std::vector<TGridPoint> cover = Points(ShippedCoveringSet());
  const QImage full = JudgePicture(canvas, cover).convertToFormat(QImage::Format_ARGB32);
  ASSERT_EQ(full.size(), QSize(620, 410));
  EXPECT_EQ(BlackFloorPixels(full, *level, cover), 0);

  std::vector<TGridPoint> part(cover.begin(), cover.begin() + 5);
  EXPECT_GT(BlackFloorPixels(JudgePicture(canvas, part), *level, part), 10000)
      << "five lights leave much of the floor dark";
  // Off the field to the left at row 10: a mark in the left margin there,
  // pointing left, and nowhere else.
  const QRgb plain = JudgePicture(canvas, part).pixel(5, 110);
  part.push_back({-5, 10});
  const QImage marked = JudgePicture(canvas, part).convertToFormat(QImage::Format_ARGB32);
  EXPECT_FALSE(MarkYellow(plain));
  EXPECT_TRUE(MarkYellow(marked.pixel(5, 110)));
  EXPECT_FALSE(MarkYellow(marked.pixel(5, 200)));
  EXPECT_FALSE(MarkYellow(marked.pixel(615, 110)));
}

TEST_F(JudgeTest, PicturesOfADesignersMapNeedNoDisplay) {
  WriteFile("rooms.txt", TwoRooms);
  WriteFile("left.tuv-Glowmere", SolutionText({{1, 1}}));
  const TRun run = RunJudge("--map rooms.txt --picture pics left.tuv-Glowmere", "DISPLAY= WAYLAND_DISPLAY= QT_QPA_PLATFORM=");
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "glowmere-judge: left.tuv-Glowmere: 1 light leaves 12.0000000000 square cells dark in 1 piece\n");
  const QImage picture = QImage("pics/left.png").convertToFormat(QImage::Format_ARGB32);
  ASSERT_EQ(picture.size(), QSize(110, 50));
  EXPECT_TRUE(Black(picture.pixel(80, 25)));
  EXPECT_FALSE(Black(picture.pixel(40, 25)));
}
