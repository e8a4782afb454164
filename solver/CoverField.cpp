// The solver's field: the level built from the map, the candidates, their
// sight of points, their regions on demand, dark remainders.
#include "solver/CoverField.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>

#include "engine/Scoring.h"
#include "engine/Verdict.h"
#include "solver/ParallelFor.h"

TCoverField::TCoverField(std::shared_ptr<const TLevel> level, std::optional<double> seeingSlack)
    : level_(std::move(level)) {
  const long double allowedDark = (100.0L - FullThreshold) / 100.0L * FreeCells();
  seeingSlack_ = seeingSlack ? *seeingSlack : double(std::sqrt(4.0L * allowedDark * 4.0L / 3.14159265358979323846L));
  sight_ = std::make_unique<TSightGrid>(Width(), Height(), level_->Walls().cells, 2 * seeingSlack_);

  candidateAt_.assign(size_t(Width() + 1) * size_t(Height() + 1), -1);
  for (int32_t j = 0; j <= Height(); ++j) {
    for (int32_t i = 0; i <= Width(); ++i) {
      if (level_->IsWalledGridPoint(i, j)) continue;
      candidateAt_[size_t(j) * size_t(Width() + 1) + size_t(i)] = int32_t(candidates_.size());
      candidates_.push_back(TCandidate{i, j});
    }
  }
  regions_.resize(candidates_.size());
}

TCoverField::~TCoverField() = default;

int32_t TCoverField::CandidateAt(const TGridPoint& p) const {
  if (!level_->OnField(p)) return -1;
  return candidateAt_[size_t(p.y) * size_t(Width() + 1) + size_t(p.x)];
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
    region = level_->LitRegion({c.gridX, c.gridY});
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
    regions_[size_t(missing[k])] = level_->LitRegion({c.gridX, c.gridY});
  });
  regionSeconds_ += std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
  return !late;
}

std::unique_ptr<TPolygon> TCoverField::DarkRemainder(const std::vector<int32_t>& chosen) const {
  std::vector<const TPolygon*> regions;
  regions.reserve(chosen.size());
  for (int32_t c : chosen) regions.push_back(&Region(c));
  return DarkRemainderOf(level_->Floor(), regions);
}

bool TCoverField::LightsWholeFloor(const std::vector<int32_t>& chosen) const {
  return DarkRemainder(chosen)->Area() <= ArtefactArea;
}

long double TCoverField::LitPercent(const std::vector<int32_t>& chosen) const {
  std::vector<const TPolygon*> regions;
  for (int32_t c : chosen) regions.push_back(&Region(c));
  return LitShareOf(*level_, regions);
}
