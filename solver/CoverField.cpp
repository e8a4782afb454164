// The solver's field: walls and floor from the map, one lit region per
// candidate grid point, point membership with a slack, dark remainders.
#include "solver/CoverField.h"

#include <algorithm>
#include <cmath>

#include "engine/LevelMap.h"
#include "engine/Scoring.h"
#include "engine/Visibility.h"
#include "geometry/Union.h"
#include "solver/ParallelFor.h"

namespace {

void BoundingBox(TCandidate& c) {
  c.left = c.top = HUGE_VAL;
  c.right = c.bottom = -HUGE_VAL;
  for (const TContour& contour : c.region->Contours()) {
    for (const gpc_vertex& v : contour) {
      c.left = std::min(c.left, v.x);
      c.right = std::max(c.right, v.x);
      c.top = std::min(c.top, v.y);
      c.bottom = std::max(c.bottom, v.y);
    }
  }
}

// p within slack of the segment a-b.
bool NearSegment(gpc_vertex p, gpc_vertex a, gpc_vertex b, double slack) {
  if (p.x < std::min(a.x, b.x) - slack || p.x > std::max(a.x, b.x) + slack || p.y < std::min(a.y, b.y) - slack ||
      p.y > std::max(a.y, b.y) + slack)
    return false;
  const double dx = b.x - a.x, dy = b.y - a.y;
  const double len2 = dx * dx + dy * dy;
  double t = len2 > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / len2 : 0.0;
  t = std::clamp(t, 0.0, 1.0);
  const double ex = a.x + t * dx - p.x, ey = a.y + t * dy - p.y;
  return ex * ex + ey * ey <= slack * slack;
}

}  // namespace

TCoverField::TCoverField(TBitmap32& map, int32_t threads) : width_(map.Width()), height_(map.Height()) {
  walls_.assign(size_t(width_) * size_t(height_), 0);
  int32_t wallCount = 0;
  for (int32_t y = 0; y < height_; ++y)
    for (int32_t x = 0; x < width_; ++x)
      if (map.ReadPixel(x, y) == WallPixel) {
        walls_[size_t(y) * size_t(width_) + size_t(x)] = 1;
        ++wallCount;
      }
  freeCells_ = width_ * height_ - wallCount;
  const long double allowedDark = (100.0L - FullThreshold) / 100.0L * freeCells_;
  seeingSlack_ = double(std::sqrt(4.0L * allowedDark * 4.0L / 3.14159265358979323846L));

  SetFieldSize(width_, height_);
  int32_t counted = 0;
  const TPolygonList wallRects = BuildWallRects(map, counted);

  floor_ = FieldPolygon();
  std::vector<TContour> rects;
  for (const auto& rect : wallRects) rects.push_back(rect->Contours()[0]);
  floor_->SubtractUnion(rects);

  for (int32_t j = 0; j <= height_; ++j) {
    for (int32_t i = 0; i <= width_; ++i) {
      if (IsWalledGridPoint(map, i, j)) continue;
      TCandidate c;
      c.gridX = i;
      c.gridY = j;
      candidates_.push_back(std::move(c));
    }
  }
  ParallelFor(candidates_.size(), threads, [&](size_t k) {
    TCandidate& c = candidates_[k];
    c.region = ComputeLitRegion(c.gridX, c.gridY, wallRects);
    BoundingBox(c);
  });
}

bool TCoverField::IsWallCell(int32_t x, int32_t y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return true;
  return walls_[size_t(y) * size_t(width_) + size_t(x)] != 0;
}

bool TCoverField::Sees(int32_t candidate, gpc_vertex p) const {
  const TCandidate& c = candidates_[size_t(candidate)];
  const double slack = seeingSlack_;
  if (p.x < c.left - slack || p.x > c.right + slack || p.y < c.top - slack || p.y > c.bottom + slack) return false;
  bool inside = false;
  for (const TContour& contour : c.region->Contours()) {
    const size_t n = contour.size();
    for (size_t i = 0, j = n - 1; i < n; j = i++) {
      const gpc_vertex& a = contour[i];
      const gpc_vertex& b = contour[j];
      if (NearSegment(p, a, b, slack)) return true;
      if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x) inside = !inside;
    }
  }
  return inside;
}

std::vector<std::vector<int32_t>> TCoverField::SeersOf(const std::vector<gpc_vertex>& points, int32_t threads) const {
  std::vector<std::vector<int32_t>> rows(points.size());
  ParallelFor(points.size(), threads, [&](size_t k) {
    for (int32_t c = 0; c < CandidateCount(); ++c)
      if (Sees(c, points[k])) rows[k].push_back(c);
  });
  return rows;
}

std::unique_ptr<TPolygon> TCoverField::DarkRemainder(const std::vector<int32_t>& chosen) const {
  auto dark = std::make_unique<TPolygon>();
  dark->Clear();
  for (size_t i = 0; i < floor_->Contours().size(); ++i) dark->AddContour(floor_->Contours()[i], floor_->Holes()[i]);
  for (int32_t c : chosen) {
    if (dark->Contours().empty()) break;
    dark->Clip(GPC_DIFF, candidates_[size_t(c)].region.get());
  }
  return dark;
}

bool TCoverField::LightsWholeFloor(const std::vector<int32_t>& chosen) const {
  return DarkRemainder(chosen)->Area() <= ArtefactArea;
}

long double TCoverField::LitPercent(const std::vector<int32_t>& chosen) const {
  std::vector<const TPolygon*> regions;
  for (int32_t c : chosen) regions.push_back(candidates_[size_t(c)].region.get());
  return freeCells_ > 0 ? UnitedArea(regions) * 100.0L / (long double)freeCells_ : 0.0L;
}
