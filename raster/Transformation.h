// TAffineTransformation: a 3 x 3 matrix of 32-bit floats in row-vector form,
// (x, y) -> (x*M00 + y*M10 + M20, x*M01 + y*M11 + M21), with a fixed-point
// copy F = round(M * 65536) rebuilt on first use after a change.
#pragma once

#include "raster/FixedPoint.h"

class TTransformation {
 public:
  virtual ~TTransformation() = default;
  virtual TFixedPoint MapPoint(TFixedPoint p) const = 0;
};

class TAffineTransformation : public TTransformation {
 public:
  TAffineTransformation();  // identity

  void ScaleBy(float sx, float sy);      // M := M * S
  void TranslateBy(float dx, float dy);  // M := M * T
  TFixedPoint MapPoint(TFixedPoint p) const override;

  float Matrix[3][3];

 private:
  void Changed() { fixedValid_ = false; }
  mutable bool fixedValid_ = false;
  mutable int32_t fixed_[3][3] = {};
  mutable float fixedFrom_[3][3] = {};  // the Matrix that fixed_ was built from
};
