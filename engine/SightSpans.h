// What a light on a grid point sees of the field, direction by direction:
// the full turn around the light cut into open angular spans, in each of
// which every ray enters the field on one line (or starts at the light) and
// is stopped on one line (a wall's side, or the field's far border).
//
// Found by casting shadows through the wall bits in the eight octants
// around the light, row by row (or column by column) away from it, with
// every decision taken on integers: rays are told apart only by the wall
// and field corners they pass, so no coordinate is ever rounded.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/WallBits.h"

// A direction from the light: a vector of integers, not both 0.
struct TSightDirection {
  int64_t dx = 0, dy = 0;
};

// An axis-parallel line: x = c (Vertical) or y = c, or the light itself.
struct TSightLine {
  enum TKind : uint8_t { Vertical, Horizontal, Light } kind = Light;
  int64_t c = 0;
  bool operator==(const TSightLine&) const = default;
};

// The open span of directions from `from` to `to` (less than a half turn,
// turning from +x towards +y), whose rays see the points between `nearLine`
// and `farLine`. Spans where the two meet (the ray is stopped where it
// enters) are left out.
struct TSightSpan {
  TSightDirection from, to;
  TSightLine nearLine, farLine;
};

// The spans of the light (lx, ly) in the field of grid (0 <= x <= width,
// 0 <= y <= height), in the order of their directions from +x (angle 0)
// towards +y, neighbours on one line not yet joined. Appended to spans.
// The light may stand anywhere in the signed 32-bit range, but not strictly
// inside a wall.
void SweepSightSpans(const TWallBits& grid, int64_t lx, int64_t ly, std::vector<TSightSpan>& spans);
