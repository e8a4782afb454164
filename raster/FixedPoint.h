// 16.16 fixed-point numbers of the drawing polygons: value = integer / 65536.
#pragma once

#include <cmath>
#include <cstdint>
#include <vector>

using TFixed = int32_t;

struct TFixedPoint {
  TFixed X = 0;
  TFixed Y = 0;
  friend bool operator==(const TFixedPoint&, const TFixedPoint&) = default;
};

using TArrayOfFixedPoint = std::vector<TFixedPoint>;
using TArrayOfArrayOfFixedPoint = std::vector<TArrayOfFixedPoint>;

constexpr TFixed FixedOne = 65536;

// round(v * 65536), ties to even, saturated to the 32-bit range so that
// far-away vertices cannot overflow.
TFixed ToFixed(double v);
inline double FromFixed(TFixed f) { return double(f) / 65536.0; }
