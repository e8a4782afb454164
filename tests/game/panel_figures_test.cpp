// The lit share on the panel: its rounding rule near full light and its
// decimal separator.
#include "support/CoveringSet.h"
#include "GameFixture.h"
#include "badinput_support.h"
#include "support/CommaLocale.h"

namespace {

// The covering set with (22, 28) moved to (14, 28): 1/56 of a square cell
// stays dark, a share of 99.9988 %, which two decimals would round to 100.
TPoints NearlyCoveringSet() {
  TPoints points = ShippedCoveringSet();
  *std::find(points.begin(), points.end(), std::pair(22, 28)) = {14, 28};
  return points;
}

}  // namespace

TEST_F(GameTest, NearlyFullFieldShows9999AndSetsNoRecord) {
  std::filesystem::create_directories(UserFile(""));
  WriteFile(UserFile("Glowmere.sav"), SolutionText(NearlyCoveringSet()));
  OpenWindow();
  EXPECT_GT(window->litPercent, 99.995L);
  EXPECT_LT(window->litPercent, 99.9999999999L);
  EXPECT_EQ(window->lbLight->text(), "99,99%");
  EXPECT_EQ(window->recordPoints, -1) << "a field that is not all lit sets no record";
  EXPECT_EQ(window->lbRecord->text(), "-");
  // Putting the light back where it lights everything gives 100,00 % and the record.
  const auto [gx, gy] = std::pair(14, 28);
  Move(Px(gx), Px(gy));
  Press(Px(gx), Px(gy));
  Move(Px(22), Px(28));
  Release(Px(22), Px(28));
  EXPECT_EQ(window->lbLight->text(), "100,00%");
  EXPECT_EQ(window->lbRecord->text(), QString::number(ShippedCoveringSet().size()));
}

TEST_F(GameTest, ShareUsesTheQtLocaleSeparatorAndNoOther) {
  OpenWindow();
  ClickGrid(FreePoint().first, FreePoint().second);
  const QString russian = window->lbLight->text();
  EXPECT_TRUE(russian.contains(',') && !russian.contains('.')) << russian.toStdString();
  // The C locale of the process has no say: only Qt's locale does.
  TCommaNumericLocale comma;
  ASSERT_TRUE(comma.Active()) << comma.Why();
  QLocale::setDefault(QLocale::c());
  EXPECT_EQ(FormatPercent(42.37L), "42.37%");
  EXPECT_EQ(FormatPercent(0), "0.00%");
  QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
  EXPECT_EQ(FormatPercent(42.37L), "42,37%");
  EXPECT_EQ(FormatPercent(99.994L), "99,99%");
}
