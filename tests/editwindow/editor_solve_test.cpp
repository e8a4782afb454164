// The optimum following the pen, with the stand-in solver whose optimum is
// the number of wall cells (fake-solve.sh): the panel shows «N — доказано»
// and, after a step, what it did to the optimum; the overlays take the
// solver's cover and witnesses and the heat map of the level as it stands;
// a level without floor is not solved.
#include "EditorFixture.h"

namespace {

class EditorSolveTest : public EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    solver = GLOWMERE_FAKE_SOLVE;
    home.SetEnv("FAKE_SOLVE_LOG", home.Root() + "/solve.log");
    home.SetEnv("FAKE_SOLVE_MODE", std::string("prove"));
  }
  bool WaitFor(const QString& fewest) {
    return QTest::qWaitFor([&] { return window->panel->lbFewest->text() == fewest; }, 5000);
  }
};

TEST_F(EditorSolveTest, ThePanelFollowsEveryStep) {
  TTempHome::WriteFile(Path("level.txt"), "##..\n....\n");
  Open(Path("level.txt"));
  ASSERT_TRUE(WaitFor(QString::fromUtf8("2 — доказано")));
  EXPECT_TRUE(window->panel->lbChange->text().isEmpty()) << "nothing edited yet";
  Key(Qt::Key_Down);
  Key(Qt::Key_Space);
  ASSERT_TRUE(WaitFor(QString::fromUtf8("3 — доказано")));
  EXPECT_EQ(window->panel->lbChange->text(), QString::fromUtf8("было 2, стало 3"));
  EXPECT_EQ(window->panel->lbBound->text(), QString::fromUtf8("Нижняя граница: 3"));
  Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(window->panel->lbFewest->text(), QString::fromUtf8("2 — доказано")) << "proved before: at once";
  EXPECT_EQ(window->panel->lbChange->text(), QString::fromUtf8("было 3, стало 2"));
  const std::string log = TTempHome::ReadFile(home.Root() + "/solve.log");
  size_t runs = 0;
  for (size_t at = log.find("run "); at != std::string::npos; at = log.find("run ", at + 1)) ++runs;
  EXPECT_EQ(runs, 2u) << "no solve for a level proved before";
}

TEST_F(EditorSolveTest, TheOverlaysAreTheLevelsAsItStands) {
  TTempHome::WriteFile(Path("level.txt"), "#...\n....\n....\n");
  Open(Path("level.txt"));
  window->acCover->setChecked(true);
  window->panel->cbHeat->setChecked(true);  // the panel's switch and the menu's are one
  EXPECT_TRUE(window->acHeat->isChecked());
  ASSERT_TRUE(QTest::qWaitFor([&] { return window->CoverIsCurrent() && !window->Overlays().litArea.isEmpty(); }, 5000));
  EXPECT_EQ(window->Overlays().lights, (std::vector<TGridPoint>{{1, 1}, {2, 2}}));
  EXPECT_EQ(window->Overlays().witnesses.size(), 2u);
  ASSERT_TRUE(QTest::qWaitFor([&] { return window->HeatIsCurrent(); }, 5000));
  EXPECT_EQ(window->Overlays().heat.size(), QSize(4, 3));
  EXPECT_EQ(qAlpha(window->Overlays().heat.pixel(0, 0)), 0) << "a wall has no heat";

  Key(Qt::Key_Right);
  Key(Qt::Key_Space);
  EXPECT_FALSE(window->HeatIsCurrent()) << "until the new one comes";
  ASSERT_TRUE(QTest::qWaitFor([&] { return window->HeatIsCurrent() && window->CoverIsCurrent(); }, 5000));
}

TEST_F(EditorSolveTest, ALevelWithoutFloorIsNotSolved) {
  TTempHome::WriteFile(Path("level.txt"), "#.\n");
  Open(Path("level.txt"));
  ASSERT_TRUE(WaitFor(QString::fromUtf8("1 — доказано")));
  Key(Qt::Key_Right);
  Key(Qt::Key_Space);
  EXPECT_EQ(window->panel->lbStatus->text(), QString::fromUtf8("На поле нет пола: освещать нечего."));
  EXPECT_EQ(window->panel->lbFewest->text(), QStringLiteral("…"));
}

}  // namespace
