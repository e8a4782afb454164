// Fixed-point conversion and the affine transformation of drawing.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "raster/Transformation.h"

TEST(FixedPoint, RoundsTiesToEven) {
  EXPECT_EQ(ToFixed(60.0), 3932160);
  EXPECT_EQ(ToFixed(39.0), 2555904);
  // Half of 1/65536 above an integer: ties go to the even neighbour.
  EXPECT_EQ(ToFixed(0.5 / 65536), 0);
  EXPECT_EQ(ToFixed(1.5 / 65536), 2);
  EXPECT_EQ(ToFixed(-0.5 / 65536), 0);
  EXPECT_EQ(ToFixed(-1.5 / 65536), -2);
  EXPECT_EQ(ToFixed(2.5 / 65536), 2);
  EXPECT_EQ(ToFixed(0.6 / 65536), 1);
}

TEST(FixedPoint, SaturatesAndMapsNaNToZero) {
  EXPECT_EQ(ToFixed(1e12), INT32_MAX);
  EXPECT_EQ(ToFixed(-1e12), INT32_MIN);
  EXPECT_EQ(ToFixed(std::numeric_limits<double>::infinity()), INT32_MAX);
  EXPECT_EQ(ToFixed(-std::numeric_limits<double>::infinity()), INT32_MIN);
  EXPECT_EQ(ToFixed(std::numeric_limits<double>::quiet_NaN()), 0);
  EXPECT_DOUBLE_EQ(FromFixed(ToFixed(-3.25)), -3.25);
}

TEST(AffineTransformation, FieldTransformMapsCornersExactly) {
  TAffineTransformation t;
  t.ScaleBy(10, 10);
  t.TranslateBy(10, 10);
  EXPECT_EQ(t.MapPoint({0, 0}), (TFixedPoint{10 * FixedOne, 10 * FixedOne}));
  EXPECT_EQ(t.MapPoint({ToFixed(60), ToFixed(39)}), (TFixedPoint{610 * FixedOne, 400 * FixedOne}));
  // A fractional cell point stays exact: 0.3 cell is 3 pixels, to 1/65536.
  const TFixedPoint p = t.MapPoint({ToFixed(2.5), ToFixed(0.75)});
  EXPECT_EQ(p, (TFixedPoint{35 * FixedOne, ToFixed(17.5)}));
}

TEST(AffineTransformation, OperationsComposeInCallOrder) {
  TAffineTransformation t;
  t.TranslateBy(1, 2);
  t.ScaleBy(3, 4);
  // (x + 1) * 3, (y + 2) * 4
  EXPECT_EQ(t.MapPoint({FixedOne, FixedOne}), (TFixedPoint{6 * FixedOne, 12 * FixedOne}));
}

TEST(AffineTransformation, DirectMatrixEditIsSeen) {
  TAffineTransformation t;
  EXPECT_EQ(t.MapPoint({FixedOne, 0}), (TFixedPoint{FixedOne, 0}));
  t.Matrix[2][0] = 5;
  EXPECT_EQ(t.MapPoint({FixedOne, 0}), (TFixedPoint{6 * FixedOne, 0}));
}

TEST(AffineTransformation, ShiftsEachProductArithmetically) {
  TAffineTransformation t;
  t.ScaleBy(0.5f, 0.5f);
  // -1/65536 * 0.5 rounds towards minus infinity.
  EXPECT_EQ(t.MapPoint({-1, 1}), (TFixedPoint{-1, 0}));
}

TEST(AffineTransformation, FarPointsSaturateInsteadOfWrapping) {
  TAffineTransformation t;
  t.ScaleBy(10, 10);
  t.TranslateBy(10, 10);
  EXPECT_EQ(t.MapPoint({INT32_MAX, INT32_MIN}), (TFixedPoint{INT32_MAX, INT32_MIN}));
}
