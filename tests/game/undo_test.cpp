// Undo and redo through the menu, over every kind of step.
#include "support/CoveringSet.h"
#include "GameFixture.h"

// Add, add, move, remove, load (which sets the record), clear, go to the
// record: undone one by one, each brings back the lights before it in
// their order, with the figures and the autosave; the record stays.
TEST_F(GameTest, UndoAndRedoWalkOverEveryKindOfStepAndKeepTheRecord) {
  OpenWindow();
  EXPECT_FALSE(window->N11->isEnabled() || window->N12->isEnabled());
  const auto all = ShippedCoveringSet();
  const auto [ax, ay] = all[0];
  const auto [bx, by] = all[1];
  const auto [cx, cy] = all[2];
  std::vector<TLightPoints> after = {{}};
  auto step = [&] { after.push_back(window->LightPoints()); };
  ClickGrid(ax, ay), step();
  ClickGrid(bx, by), step();
  Move(Px(ax), Px(ay)), Press(Px(ax), Px(ay)), Move(Px(cx), Px(cy)), Release(Px(cx), Px(cy)), step();
  ClickGrid(bx, by, Qt::RightButton), step();
  chosenFile = (Root() / "all").string();
  WriteFile(*chosenFile, SolutionText(all));
  window->btLoadClick(), step();
  window->btClearClick(), step();
  window->btShowRecordClick(), step();
  ASSERT_EQ(after[3], (TLightPoints{{cx, cy}, {bx, by}}));
  ASSERT_EQ(window->lbRecord->text(), QString::number(all.size()));
  for (size_t i = after.size() - 1; i > 0; --i) {
    ASSERT_TRUE(window->N11->isEnabled()) << i;
    window->N11->trigger();
    EXPECT_EQ(window->LightPoints(), after[i - 1]) << i;
    EXPECT_EQ(window->lbPoints->text(), QString::number(after[i - 1].size()));
    EXPECT_EQ(AutosaveTree->ReadInteger("vertices", -1), int(after[i - 1].size()));
    EXPECT_EQ(window->lbRecord->text(), QString::number(all.size())) << "a record stays set";
  }
  EXPECT_FALSE(window->N11->isEnabled());
  for (size_t i = 1; i < after.size(); ++i) {
    window->N12->trigger();
    EXPECT_EQ(window->LightPoints(), after[i]) << i;
  }
  EXPECT_FALSE(window->N12->isEnabled());
}
