// The solver's field: walls and floor from the map, the candidates, their
// sight of points, their regions on demand, dark remainders.
#include "solver/CoverField.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>

#include "engine/LevelMap.h"
#include "engine/Scoring.h"
#include "engine/Visibility.h"
#include "geometry/Union.h"
#include "solver/ParallelFor.h"

TCoverField::TCoverField(TBitmap32& map, std::optional<double> seeingSlack)
    : width_(map.Width()), height_(map.Height()) {
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
  seeingSlack_ = seeingSlack ? *seeingSlack : double(std::sqrt(4.0L * allowedDark * 4.0L / 3.14159265358979323846L));
  sight_ = std::make_unique<TSightGrid>(width_, height_, walls_, 2 * seeingSlack_);

  SetFieldSize(width_, height_);
  int32_t counted = 0;
  wallRects_ = BuildWallRects(map, counted);

  floor_ = FieldPolygon();
  std::vector<TContour> rects;
  for (const auto& rect : wallRects_) rects.push_back(rect->Contours()[0]);
  floor_->SubtractUnion(rects);

  candidateAt_.assign(size_t(width_ + 1) * size_t(height_ + 1), -1);
  for (int32_t j = 0; j <= height_; ++j) {
    for (int32_t i = 0; i <= width_; ++i) {
      if (IsWalledGridPoint(map, i, j)) continue;
      candidateAt_[size_t(j) * size_t(width_ + 1) + size_t(i)] = int32_t(candidates_.size());
      candidates_.push_back(TCandidate{i, j});
    }
  }
  regions_.resize(candidates_.size());
}

TCoverField::~TCoverField() = default;

bool TCoverField::IsWallCell(int32_t x, int32_t y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return true;
  return walls_[size_t(y) * size_t(width_) + size_t(x)] != 0;
}

std::vector<int32_t> TCoverField::SeersOf(gpc_vertex p) const {
  std::vector<int32_t> points;
  sight_->PointsSeeing(p, points);
  std::vector<int32_t> seers;
  seers.reserve(points.size());
  for (int32_t g : points)
    if (const int32_t c = candidateAt_[size_t(g)]; c >= 0) seers.push_back(c);
  std::sort(seers.begin(), seers.end());
  return seers;
}

bool TCoverField::SeersOf(const std::vector<gpc_vertex>& points, int32_t threads, const TDeadline& deadline,
                          std::vector<std::vector<int32_t>>& rows) const {
  rows.assign(points.size(), {});
  std::atomic<bool> late{false};
  ParallelFor(points.size(), threads, [&](size_t k) {
    // The clock is read every few dozen points: a row costs microseconds.
    if (late || (k % 64 == 0 && deadline.Passed())) {
      late = true;
      return;
    }
    rows[k] = SeersOf(points[k]);
  });
  return !late;
}

const TPolygon& TCoverField::Region(int32_t candidate) const {
  std::unique_ptr<TPolygon>& region = regions_[size_t(candidate)];
  if (!region) {
    const auto began = std::chrono::steady_clock::now();
    const TCandidate& c = candidates_[size_t(candidate)];
    region = ComputeLitRegion(c.gridX, c.gridY, wallRects_);
    regionSeconds_ += std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
  }
  return *region;
}

bool TCoverField::PrepareRegions(const std::vector<int32_t>& candidates, int32_t threads,
                                 const TDeadline& deadline) const {
  std::vector<int32_t> missing;
  for (int32_t c : candidates)
    if (!regions_[size_t(c)]) missing.push_back(c);
  std::sort(missing.begin(), missing.end());
  missing.erase(std::unique(missing.begin(), missing.end()), missing.end());
  const auto began = std::chrono::steady_clock::now();
  std::atomic<bool> late{false};
  ParallelFor(missing.size(), threads, [&](size_t k) {
    if (late || deadline.Passed()) {
      late = true;
      return;
    }
    const TCandidate& c = candidates_[size_t(missing[k])];
    regions_[size_t(missing[k])] = ComputeLitRegion(c.gridX, c.gridY, wallRects_);
  });
  regionSeconds_ += std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
  return !late;
}

std::unique_ptr<TPolygon> TCoverField::DarkRemainder(const std::vector<int32_t>& chosen) const {
  auto dark = std::make_unique<TPolygon>();
  dark->Clear();
  for (size_t i = 0; i < floor_->Contours().size(); ++i) dark->AddContour(floor_->Contours()[i], floor_->Holes()[i]);
  // A region without holes is the union of its contours, each read on its
  // own: all of those go in one clipper pass. A region with a hole (none
  // has been seen: every shadow reaches the field's border) keeps its own
  // pass, which reads the hole as one.
  std::vector<TContour> shapes;
  std::vector<const TPolygon*> holed;
  for (int32_t c : chosen) {
    const TPolygon& region = Region(c);
    if (std::any_of(region.Holes().begin(), region.Holes().end(), [](int32_t h) { return h != 0; })) {
      holed.push_back(&region);
    } else {
      shapes.insert(shapes.end(), region.Contours().begin(), region.Contours().end());
    }
  }
  if (!shapes.empty()) dark->SubtractUnion(shapes);
  for (const TPolygon* region : holed) {
    if (dark->Contours().empty()) break;
    dark->Clip(GPC_DIFF, region);
  }
  return dark;
}

bool TCoverField::LightsWholeFloor(const std::vector<int32_t>& chosen) const {
  return DarkRemainder(chosen)->Area() <= ArtefactArea;
}

long double TCoverField::LitPercent(const std::vector<int32_t>& chosen) const {
  std::vector<const TPolygon*> regions;
  for (int32_t c : chosen) regions.push_back(&Region(c));
  return freeCells_ > 0 ? UnitedArea(regions) * 100.0L / (long double)freeCells_ : 0.0L;
}
