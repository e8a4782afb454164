// The solve beside the window, with a stand-in solver that speaks the line
// protocol (fake-solve.sh): the level goes in on standard input, progress
// and result come back, a new request stops the old solve and starts warm
// from its cover and from its witnesses away from the changed cells, a
// solver that will not stop is killed, and a crash is a failed solve.
#include <signal.h>

#include <QTest>

#include "editwindow/BackgroundSolve.h"
#include "framework/TempHome.h"

namespace {

class BackgroundSolveTest : public ::testing::Test {
 protected:
  void SetUp() override {
    home.SetEnv("FAKE_SOLVE_LOG", Log());
    solve.OnProgress = [this](int64_t revision, const TSolveProgressLine& line) { progress.push_back({revision, line}); };
    solve.OnFinished = [this](int64_t revision, const std::optional<TSolveFigures>& result, bool failed) {
      finished.push_back({revision, result, failed});
    };
  }
  std::string Log() const { return home.Root() + "/solve.log"; }
  std::string LogText() const { return TTempHome::ReadFile(Log()); }
  void Mode(const char* mode) { home.SetEnv("FAKE_SOLVE_MODE", std::string(mode)); }

  struct TFinished {
    int64_t revision;
    std::optional<TSolveFigures> result;
    bool failed;
  };
  TTempHome home;
  TBackgroundSolve solve{GLOWMERE_FAKE_SOLVE};
  std::vector<std::pair<int64_t, TSolveProgressLine>> progress;
  std::vector<TFinished> finished;
};

TEST_F(BackgroundSolveTest, TheLevelGoesInAndItsFiguresComeBack) {
  Mode("prove");
  solve.Solve(7, "#.#\n..#\n", {}, {});
  ASSERT_TRUE(QTest::qWaitFor([&] { return !finished.empty(); }, 5000));
  ASSERT_EQ(progress.size(), 2u);
  EXPECT_EQ(progress[1].first, 7);
  EXPECT_EQ(progress[1].second.figures, (TSolveFigures{3, 3, true}));
  EXPECT_EQ(progress[1].second.lights, (std::vector<TGridPoint>{{1, 1}, {2, 2}}));
  EXPECT_EQ(finished[0].result, (TSolveFigures{3, 3, true}));
  EXPECT_FALSE(finished[0].failed);
  EXPECT_FALSE(solve.Running());
  EXPECT_NE(LogText().find("run --map - --machine --witnesses-out "), std::string::npos) << LogText();
  EXPECT_NE(LogText().find("map #.#\n..#"), std::string::npos) << "the map on standard input";
}

TEST_F(BackgroundSolveTest, ANewRequestStopsTheOldAndStartsWarm) {
  Mode("search");
  solve.Solve(1, "....\n....\n", {{2, 3}}, {});
  ASSERT_TRUE(QTest::qWaitFor([&] { return !progress.empty(); }, 5000));
  // Cells 7..8 x 7 changed: the old solve's witness (7.5, 7.5) is dropped.
  solve.Solve(2, "#...\n....\n", {{2, 3}}, {7, 7, 9, 8});
  ASSERT_TRUE(QTest::qWaitFor([&] { return progress.size() == 2; }, 5000));
  EXPECT_EQ(progress[1].first, 2);
  EXPECT_EQ(progress[1].second.figures.best, 1) << "the new level's";
  const std::string log = LogText();
  EXPECT_NE(log.find("stopped"), std::string::npos);
  const size_t second = log.rfind("run ");
  EXPECT_NE(log.find("start ", second), std::string::npos) << log;
  EXPECT_NE(log.find("y=3", second), std::string::npos) << "the last cover's light (2, 3)\n" << log;
  EXPECT_NE(log.find("witnesses 1.5 2.5;\n", second), std::string::npos) << log;
  EXPECT_TRUE(finished.empty()) << "a stopped solve has nothing more to say";
  solve.Stop();
  ASSERT_TRUE(QTest::qWaitFor([&] { return !solve.Running(); }, 5000));
  EXPECT_TRUE(finished.empty());
}

TEST_F(BackgroundSolveTest, ASolverThatWillNotStopIsKilledAndTheNextStarts) {
  Mode("stubborn");
  solve.Solve(1, "..\n", {}, {});
  ASSERT_TRUE(QTest::qWaitFor([&] { return !progress.empty(); }, 5000));
  Mode("prove");
  solve.Solve(2, ".#\n", {}, {});
  ASSERT_TRUE(QTest::qWaitFor([&] { return !finished.empty(); }, 5000));
  EXPECT_EQ(finished[0].revision, 2);
  EXPECT_EQ(LogText().find("stopped"), std::string::npos);
}

TEST_F(BackgroundSolveTest, ACrashOrAMissingSolverIsAFailedSolve) {
  Mode("crash");
  solve.Solve(4, "..\n", {}, {});
  ASSERT_TRUE(QTest::qWaitFor([&] { return !finished.empty(); }, 5000));
  EXPECT_TRUE(finished[0].failed);
  EXPECT_EQ(progress.size(), 1u);

  TBackgroundSolve missing(home.Root() + "/no-such-solver");
  bool failed = false;
  missing.OnFinished = [&](int64_t, const std::optional<TSolveFigures>&, bool f) { failed = f; };
  missing.Solve(1, "..\n", {}, {});
  EXPECT_TRUE(QTest::qWaitFor([&] { return failed; }, 5000));
  EXPECT_FALSE(TBackgroundSolve("").Available());
}

TEST_F(BackgroundSolveTest, TheChildGoesWithTheEditor) {
  Mode("stubborn");
  auto early = std::make_unique<TBackgroundSolve>(GLOWMERE_FAKE_SOLVE);
  int64_t pid = 0;
  early->OnProgress = [&](int64_t, const TSolveProgressLine&) { pid = 1; };
  early->Solve(1, "..\n", {}, {});
  ASSERT_TRUE(QTest::qWaitFor([&] { return pid != 0; }, 5000));
  const QProcess* child = early->findChild<QProcess*>();
  ASSERT_TRUE(child);
  pid = child->processId();
  early.reset();
  EXPECT_NE(kill(pid_t(pid), 0), 0) << "no solver left searching";
}

}  // namespace
