// The drawing form cached in a polygon set: built once per change, holding
// the set's contours in fixed point behind the constructor's empty contour.
#include <gtest/gtest.h>

#include "geometry/Polygons.h"
#include "raster/Polygon32.h"

TEST(PolygonDrawingForm, HoldsContoursInFixedPointBehindAnEmptyOne) {
  TPolygon set;
  set.AddPoint(0, 0);
  set.AddPoint(60, 0);
  set.AddPoint(60, 39);
  TPolygon32& p = Polygon32(set);
  ASSERT_EQ(p.Points.size(), 2u);
  EXPECT_TRUE(p.Points[0].empty());
  EXPECT_EQ(p.Points[1], (TArrayOfFixedPoint{{0, 0}, {3932160, 0}, {3932160, 2555904}}));
  EXPECT_TRUE(p.ClosedContours);
  EXPECT_FALSE(p.Smooth);
}

TEST(PolygonDrawingForm, SameFormUntilTheSetChanges) {
  TPolygon set;
  set.AddPoint(1, 1);
  set.AddPoint(2, 1);
  set.AddPoint(2, 2);
  TPolygon32* first = &Polygon32(set);
  first->Smooth = true;  // a caller's setting lasts until the next change
  EXPECT_EQ(&Polygon32(set), first);
  EXPECT_TRUE(Polygon32(set).Smooth);

  set.AddPoint(1, 2);
  TPolygon32& afterAdd = Polygon32(set);
  EXPECT_FALSE(afterAdd.Smooth);
  EXPECT_EQ(afterAdd.Points[1].size(), 4u);

  TPolygon other;
  other.AddPoint(0, 0);
  other.AddPoint(1.5, 0);
  other.AddPoint(1.5, 3);
  other.AddPoint(0, 3);
  Polygon32(set).Smooth = true;
  set.Clip(GPC_DIFF, &other);
  EXPECT_FALSE(Polygon32(set).Smooth);

  set.Clear();
  TPolygon32& cleared = Polygon32(set);
  EXPECT_FALSE(cleared.Smooth);
  ASSERT_EQ(cleared.Points.size(), 1u);  // only the empty front contour
  EXPECT_TRUE(cleared.Points[0].empty());
}
