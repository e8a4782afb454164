// Conversion of cell-unit doubles to 16.16 fixed point. Scaling by 65536 is
// exact in a double, so the only rounding is the final one, to nearest with
// ties to even; values beyond the 32-bit range saturate and NaN becomes 0
// so that no caller ever meets an undefined conversion.
#include "raster/FixedPoint.h"

TFixed ToFixed(double v) {
  if (v != v) return 0;
  const double scaled = v * 65536.0;
  if (scaled >= 2147483647.0) return INT32_MAX;
  if (scaled <= -2147483648.0) return INT32_MIN;
  // Rounded by hand rather than by nearbyint, which would follow whatever
  // rounding mode the process happens to run in.
  double r = std::floor(scaled);
  const double frac = scaled - r;
  if (frac > 0.5 || (frac == 0.5 && std::fmod(r, 2.0) != 0.0)) r += 1.0;
  return TFixed(r);
}
