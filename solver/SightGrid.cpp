// The sweep for one half of the plane (grid rows below p; the rows above
// are the same sweep on the map turned upside down). Seen from p, every
// point below it has a slope s = dx / dy, and a shrunk wall rectangle that
// lies (partly) below p blocks a closed interval of slopes. Once the sweep
// has passed a rectangle's lower side it blocks every later grid row along
// those slopes, so the blocked slopes only grow: they are kept as a sorted
// list of disjoint intervals, and a grid point (i, j) sees p when its slope
// (i - px) / (j - py) lies in none of them. The field's grid points on row
// j span the slopes [-px, W - px] / (j - py), a range that shrinks towards
// 0 as j grows, so once it is blocked whole the sweep stops. A level's
// walls end most views after a few dozen rows, which keeps the cost near
// the number of grid points seen.
//
// Rounding: slopes are quotients of doubles, correct to a relative 2^-52;
// measured in cells that moves a rectangle's edge by far less than 1e-12,
// and the margin between what is blocked and what is still safe to leave
// out is thousands of times larger.
#include "solver/SightGrid.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>
#include <utility>

namespace {

constexpr double Infinity = std::numeric_limits<double>::infinity();

using TInterval = std::pair<double, double>;  // closed, first <= second

// Adds [lo, hi] to the sorted disjoint intervals, merging what it meets.
void Block(std::vector<TInterval>& blocked, double lo, double hi) {
  auto first = std::lower_bound(blocked.begin(), blocked.end(), lo,
                                [](const TInterval& in, double value) { return in.second < value; });
  auto last = first;
  while (last != blocked.end() && last->first <= hi) {
    lo = std::min(lo, last->first);
    hi = std::max(hi, last->second);
    ++last;
  }
  if (first == last) {
    blocked.insert(first, TInterval{lo, hi});
  } else {
    *first = TInterval{lo, hi};
    blocked.erase(first + 1, last);
  }
}

bool Covers(const std::vector<TInterval>& blocked, double lo, double hi) {
  auto in = std::lower_bound(blocked.begin(), blocked.end(), lo,
                             [](const TInterval& i, double value) { return i.second < value; });
  return in != blocked.end() && in->first <= lo && in->second >= hi;
}

}  // namespace

TSightGrid::TSightGrid(int32_t width, int32_t height, const std::vector<uint8_t>& walls, double margin)
    : width_(width), height_(height), margin_(margin), walls_(walls) {
  if (width < 1 || height < 1 || walls.size() != size_t(width) * size_t(height) || !(margin > 0 && margin < 0.25))
    throw std::invalid_argument("TSightGrid: bad field");
  down_.boxes.resize(size_t(height) + 1);
  up_.boxes.resize(size_t(height) + 1);
  const double m = margin;
  // In the upside-down frame, cell row r becomes row height - 1 - r.
  auto add = [&](int32_t x0, int32_t x1, int32_t r0, int32_t r1) {  // cells x0..x1-1, rows r0..r1-1
    const TBox box{x0 + m, x1 - m, r0 + m, r1 - m};
    down_.boxes[size_t(r1)].push_back(box);
    const TBox turned{x0 + m, x1 - m, double(height - r1) + m, double(height - r0) - m};
    up_.boxes[size_t(height - r0)].push_back(turned);
  };
  for (int32_t y = 0; y < height; ++y) {
    for (int32_t x = 0; x < width;) {
      if (!WallAt(x, y)) {
        ++x;
        continue;
      }
      int32_t end = x;
      while (end < width && WallAt(end, y)) ++end;
      add(x, end, y, y + 1);
      x = end;
    }
    if (y + 1 < height)
      for (int32_t x = 0; x < width; ++x)
        if (WallAt(x, y) && WallAt(x, y + 1)) add(x, x + 1, y, y + 2);
  }
}

bool TSightGrid::WallAt(int32_t x, int32_t y) const {
  return walls_[size_t(y) * size_t(width_) + size_t(x)] != 0;
}

void TSightGrid::PointsSeeing(gpc_vertex p, std::vector<int32_t>& points) const {
  SweepHalf(down_, false, p.x, p.y, points);
  SweepHalf(up_, true, p.x, double(height_) - p.y, points);
  if (p.y == std::floor(p.y) && p.y >= 0 && p.y <= height_) SweepRow(p.x, int32_t(p.y), points);
}

void TSightGrid::SweepHalf(const THalf& half, bool flipped, double px, double py, std::vector<int32_t>& points) const {
  const int32_t first = int32_t(std::floor(py)) + 1;  // the first grid row strictly below p
  std::vector<TInterval> blocked;
  for (int32_t j = std::max(first, 0); j <= height_; ++j) {
    for (const TBox& box : half.boxes[size_t(j)]) {
      if (box.bottom <= py) continue;  // wholly above p
      if (box.top <= py) {
        // The rectangle reaches up to p's own height: beside p it blocks
        // every slope out to the side it lies on.
        if (px < box.left) {
          Block(blocked, (box.left - px) / (box.bottom - py), Infinity);
        } else if (px > box.right) {
          Block(blocked, -Infinity, (box.right - px) / (box.bottom - py));
        } else {
          return;  // p inside a wall: it sees nothing below
        }
        continue;
      }
      // Slopes (x - px) / (y - py) over the box: least at its left side,
      // greatest at its right, each at the row that makes it most extreme.
      const double l = box.left - px, r = box.right - px;
      const double lo = l / (l >= 0 ? box.bottom - py : box.top - py);
      const double hi = r / (r >= 0 ? box.top - py : box.bottom - py);
      Block(blocked, lo, hi);
    }
    const double dy = double(j) - py;
    const double fieldLo = -px / dy, fieldHi = (double(width_) - px) / dy;
    if (Covers(blocked, fieldLo, fieldHi)) return;
    const int32_t row = flipped ? height_ - j : j;
    const int32_t rowStart = row * (width_ + 1);
    // The open gaps between blocked intervals, left to right.
    double gapLo = -Infinity;
    for (size_t g = 0; g <= blocked.size(); ++g) {
      const double gapHi = g < blocked.size() ? blocked[g].first : Infinity;
      if (gapHi > fieldLo && gapLo < fieldHi) {
        int32_t i = std::max(0, int32_t(std::floor(px + std::max(gapLo, fieldLo) * dy)));
        for (; i <= width_; ++i) {
          const double s = (double(i) - px) / dy;
          if (s >= gapHi) break;
          if (s > gapLo) points.push_back(rowStart + i);
        }
      }
      if (g < blocked.size()) gapLo = blocked[g].second;
    }
  }
}

void TSightGrid::SweepRow(double px, int32_t j, std::vector<int32_t>& points) const {
  // A view along the grid line itself touches no wall's inside, but only
  // the floor beside the line has area: the points near p on one side of
  // it are seen when the whole row of cells on that side is free along
  // the view (the view to them runs inside that row), and none are when
  // both rows have a wall along it. Beyond the field's border there is no
  // floor to see.
  const int32_t rowStart = j * (width_ + 1);
  if (px == std::floor(px)) points.push_back(rowStart + int32_t(px));
  for (const int32_t direction : {1, -1}) {
    bool above = j > 0, below = j < height_;
    int32_t i = direction > 0 ? int32_t(std::floor(px)) + 1 : int32_t(std::ceil(px)) - 1;
    for (; i >= 0 && i <= width_; i += direction) {
      const int32_t x = direction > 0 ? i - 1 : i;  // the cell column between i and the last point
      above = above && !WallAt(x, j - 1);
      below = below && !WallAt(x, j);
      if (!above && !below) break;
      points.push_back(rowStart + i);
    }
  }
}
