// The real game killed as a crash, a logout or the OOM killer kills it
// (SIGKILL: no handler and no exit code runs). What it had placed is in the
// autosave and on the field at the next start; a kill while the record is
// written leaves the old record whole, and the next start takes the new
// one from the autosave.
#include <signal.h>

#include <chrono>
#include <thread>

#include "ProbedGame.h"
#include "badinput_support.h"
#include "game/SingleGame.h"

namespace {

namespace fs = std::filesystem;

struct TKilledRun {
  bool placed = false;  // the probe placed every light and said so
  int signal = 0;       // what ended the game; 0 when it exited
};

class KilledGameTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    fs::create_directories(UserFile(""));
    // No statement over the window: the probe plays as soon as it shows.
    WriteFile(UserFile("Glowmere.set"), "[/help/showonstart/]\r\nstatement=0\r\n");
  }

  // Starts the game with the probe placing `points` ("x,y x,y"). Once they
  // are placed, waits killAfter and kills the game; a game that dies on its
  // own (dieRenaming) is waited for.
  TKilledRun Play(const std::string& points, std::chrono::milliseconds killAfter, const std::string& dieRenaming = "") {
    std::vector<std::string> variables;
    if (!dieRenaming.empty()) variables.push_back("GLOWMERE_PLAY_DIE_RENAMING=" + dieRenaming);
    TProbedGame game = StartProbedGame(points, variables);
    TKilledRun run;
    run.placed = WaitForLine(game, "placed");
    if (run.placed) std::this_thread::sleep_for(killAfter);
    run.signal = EndProbedGame(game, SIGKILL);
    return run;
  }
};

}  // namespace

// One light from the last normal exit, two placed in this run.
TEST_F(KilledGameTest, AutosaveHoldsEveryLightPlacedBeforeTheKill) {
  WriteFile(UserFile("Glowmere.sav"), SolutionText({{26, 12}}));
  const TKilledRun run = Play("22,17 38,9", std::chrono::milliseconds(1500));
  ASSERT_TRUE(run.placed);
  EXPECT_EQ(run.signal, SIGKILL);
  EXPECT_EQ(StoredPoints(UserFile("Glowmere.sav")), (TPoints{{26, 12}, {22, 17}, {38, 9}}));
}

TEST_F(KilledGameTest, NextStartShowsThePositionOfTheKilledGame) {
  WriteFile(UserFile("Glowmere.sav"), SolutionText({{26, 12}}));
  ASSERT_TRUE(Play("22,17 38,9", std::chrono::milliseconds(1500)).placed);
  const auto lock = ClaimSingleGame();
  EXPECT_TRUE(lock) << "the killed game's lock is no hindrance";
  OpenWindow();
  TPoints shown;
  for (const TGridPoint& p : window->LightPoints()) shown.emplace_back(p.x, p.y);
  EXPECT_EQ(shown, (TPoints{{26, 12}, {22, 17}, {38, 9}}));
  EXPECT_EQ(window->lbPoints->text(), "3");
  EXPECT_TRUE(asked.empty()) << "no question, no error box";
}

// The record holds 32 lights; the 31st of the covering set, placed now,
// makes a new record, and the game dies as it renames the new record file
// into place.
TEST_F(KilledGameTest, KilledWhileTheRecordIsWrittenKeepsTheOldRecordWhole) {
  TPoints cover = ShippedCoveringSet();
  TPoints oldRecord = cover;
  oldRecord.push_back({26, 12});
  const auto [lastX, lastY] = cover.back();
  WriteFile(UserFile("Glowmere.rec"), SolutionText(oldRecord));
  WriteFile(UserFile("Glowmere.sav"), SolutionText(TPoints(cover.begin(), cover.end() - 1)));
  const TKilledRun run =
      Play(std::to_string(lastX) + "," + std::to_string(lastY), std::chrono::milliseconds(0), "/Glowmere.rec");
  ASSERT_FALSE(run.placed) << "the game did not die writing the record";
  ASSERT_EQ(run.signal, SIGKILL);
  EXPECT_EQ(StoredPoints(UserFile("Glowmere.rec")), oldRecord);
  EXPECT_EQ(StoredPoints(UserFile("Glowmere.sav")), cover) << "written just before the record";
  int temporaries = 0;
  for (const auto& entry : fs::directory_iterator(UserFile("")))
    if (entry.path().filename().string().starts_with(".Glowmere.rec.")) {
      ++temporaries;
      EXPECT_EQ(StoredPoints(entry.path()), cover) << "the new record, complete, not yet renamed";
    }
  EXPECT_EQ(temporaries, 1);

  OpenWindow();
  EXPECT_EQ(window->lbRecord->text(), QString::number(cover.size()));
  EXPECT_EQ(StoredPoints(UserFile("Glowmere.rec")), cover) << "the autosave became the record at the start";
}
