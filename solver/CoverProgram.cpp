// What the cover programs share.
#include "solver/CoverProgram.h"

#include <cmath>

int32_t IntegerBound(double bound) {
  // The libraries report bounds up to their feasibility tolerance (1e-6 by
  // default) below the true value; an objective of unit weights is integer.
  if (!std::isfinite(bound) || bound <= 0) return 0;
  return int32_t(std::ceil(bound - 1e-6));
}
