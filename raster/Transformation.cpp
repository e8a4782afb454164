// The affine transformation of drawing. Composition happens in 32-bit
// floats, as the matrix is stored; mapping uses only the fixed-point copy,
// so that a point maps identically however often it is drawn, and exactly
// for the field transformation (scale 10, offset 10).
#include "raster/Transformation.h"

#include <cstring>

namespace {

int32_t SaturateToInt32(int64_t v) {
  return v > INT32_MAX ? INT32_MAX : v < INT32_MIN ? INT32_MIN : int32_t(v);
}

}  // namespace

TAffineTransformation::TAffineTransformation() {
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) Matrix[i][j] = i == j ? 1.0f : 0.0f;
}

void TAffineTransformation::ScaleBy(float sx, float sy) {
  for (int i = 0; i < 3; ++i) {
    Matrix[i][0] *= sx;
    Matrix[i][1] *= sy;
  }
  Changed();
}

void TAffineTransformation::TranslateBy(float dx, float dy) {
  for (int i = 0; i < 3; ++i) {
    Matrix[i][0] += Matrix[i][2] * dx;
    Matrix[i][1] += Matrix[i][2] * dy;
  }
  Changed();
}

TFixedPoint TAffineTransformation::MapPoint(TFixedPoint p) const {
  // Matrix is public, so a direct write must also rebuild the fixed copy.
  if (!fixedValid_ || std::memcmp(fixedFrom_, Matrix, sizeof(Matrix)) != 0) {
    for (int i = 0; i < 3; ++i)
      for (int j = 0; j < 3; ++j) fixed_[i][j] = ToFixed(double(Matrix[i][j]));
    std::memcpy(fixedFrom_, Matrix, sizeof(Matrix));
    fixedValid_ = true;
  }
  const int64_t x = p.X, y = p.Y;
  // Each product is shifted on its own (arithmetic shift, rounding towards
  // minus infinity), as the fixed-point form has always done it.
  const int64_t rx = ((x * fixed_[0][0]) >> 16) + ((y * fixed_[1][0]) >> 16) + fixed_[2][0];
  const int64_t ry = ((x * fixed_[0][1]) >> 16) + ((y * fixed_[1][1]) >> 16) + fixed_[2][1];
  return {SaturateToInt32(rx), SaturateToInt32(ry)};
}
