#include "solver/WitnessPool.h"

#include <algorithm>
#include <chrono>
#include <numeric>

#include "solver/DisjointRows.h"
#include "solver/GreedyCover.h"
#include "solver/Stopwatch.h"
#include "solver/Witnesses.h"

TWitnessPool::TWitnessPool(TCoverField& field, const TSolveOptions& options, TSolveTimes& times)
    : field_(field),
      options_(options),
      times_(times),
      end_(TDeadline::After(options.began, options.timeLimit, options.stop)),
      deadline_(end_),
      rows_(field.CandidateCount()) {}

void TWitnessPool::Reserve(double seconds) {
  deadline_ = end_;
  if (end_.at != TDeadline::Clock::time_point::max())
    deadline_.at -= std::chrono::duration_cast<TDeadline::Clock::duration>(std::chrono::duration<double>(seconds));
}

double TWitnessPool::Elapsed() const {
  return std::chrono::duration<double>(TDeadline::Clock::now() - options_.began).count();
}

bool TWitnessPool::AddWitnesses(const std::vector<gpc_vertex>& points, std::vector<int32_t>* added) {
  TStopwatch watch(times_.rows);
  std::vector<std::vector<int32_t>> rows;
  if (!field_.SeersOf(points, options_.threads, deadline_, rows)) return false;
  const std::vector<int32_t> numbers = AddRows(points, std::move(rows));
  if (added) added->insert(added->end(), numbers.begin(), numbers.end());
  return true;
}

std::vector<int32_t> TWitnessPool::AddRows(const std::vector<gpc_vertex>& points,
                                           std::vector<std::vector<int32_t>> rows) {
  std::vector<int32_t> added;
  for (size_t k = 0; k < rows.size(); ++k) {
    if (rows[k].empty()) continue;  // never for a point of the floor: its cell's corners see it
    added.push_back(rows_.Add(std::move(rows[k])));
    points_.push_back(points[k]);
  }
  witnesses_ += added.size();
  return added;
}

std::unique_ptr<TPolygon> TWitnessPool::Dark(const std::vector<int32_t>& chosen) {
  if (!field_.PrepareRegions(chosen, options_.threads, deadline_)) return nullptr;
  double seconds = 0;
  std::unique_ptr<TPolygon> dark;
  {
    TStopwatch watch(seconds);
    dark = field_.DarkRemainder(chosen);
  }
  times_.dark += seconds;
  longestDark_ = std::max(longestDark_, seconds);
  return dark;
}

bool TWitnessPool::AddWitnessesIn(const TPolygon& dark, std::vector<int32_t>* added) {
  std::vector<TDarkSample> samples;
  {
    TStopwatch watch(times_.dark);
    samples = SamplesInDark(dark, options_.witnessesPerPiece);
  }
  std::vector<gpc_vertex> points;
  for (const TDarkSample& s : samples) points.push_back(s.point);
  TStopwatch watch(times_.rows);
  std::vector<std::vector<int32_t>> rows;
  if (!field_.SeersOf(points, options_.threads, deadline_, rows)) return false;
  // Per piece, shortest rows first; a row that holds a kept one is left out.
  std::vector<size_t> order(samples.size());
  std::iota(order.begin(), order.end(), size_t(0));
  std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
    return samples[a].piece != samples[b].piece ? samples[a].piece < samples[b].piece : rows[a].size() < rows[b].size();
  });
  const size_t most = size_t(std::max(1, 2 * options_.witnessesPerPiece));
  std::vector<gpc_vertex> chosenPoints;
  std::vector<std::vector<int32_t>> chosen;
  for (size_t from = 0; from < order.size();) {
    size_t to = from;
    while (to < order.size() && samples[order[to]].piece == samples[order[from]].piece) ++to;
    std::vector<size_t> kept;
    for (size_t k = from; k < to && kept.size() < most; ++k) {
      const std::vector<int32_t>& row = rows[order[k]];
      if (row.empty()) continue;
      const bool holdsKept = std::any_of(kept.begin(), kept.end(), [&](size_t other) {
        return std::includes(row.begin(), row.end(), rows[other].begin(), rows[other].end());
      });
      if (!holdsKept) kept.push_back(order[k]);
    }
    for (size_t k : kept) {
      chosenPoints.push_back(points[k]);
      chosen.push_back(std::move(rows[k]));
    }
    from = to;
  }
  const std::vector<int32_t> numbers = AddRows(chosenPoints, std::move(chosen));
  if (added) added->insert(added->end(), numbers.begin(), numbers.end());
  return true;
}

bool TWitnessPool::MakeFull(std::vector<int32_t>& chosen, long double& firstDark, const TMultipliers& prices) {
  firstDark = -1;
  for (;;) {
    {
      TStopwatch watch(times_.search);
      GreedyExtend(chosen, rows_, prices);
    }
    const auto dark = Dark(chosen);
    if (!dark) return false;
    const long double area = dark->Area();
    if (firstDark < 0) firstDark = area;
    if (area <= ArtefactArea) return true;
    std::vector<int32_t> added;
    if (!AddWitnessesIn(*dark, &added)) return false;
    if (UnmetAmong(added, chosen).empty()) {
      const int32_t light = LightsMostOf(*dark, added);
      if (light < 0) return false;
      chosen.push_back(light);
    }
  }
}

std::vector<int32_t> TWitnessPool::UnmetAmong(const std::vector<int32_t>& rows,
                                              const std::vector<int32_t>& chosen) const {
  std::vector<int32_t> unmet;
  for (int32_t r : rows) {
    const auto& row = rows_.Row(r);
    const bool met = std::any_of(chosen.begin(), chosen.end(),
                                 [&](int32_t c) { return std::binary_search(row.begin(), row.end(), c); });
    if (!met) unmet.push_back(r);
  }
  return unmet;
}

void TWitnessPool::Activate(const std::vector<int32_t>& unmet, int32_t batch) {
  std::vector<int32_t> order = unmet;
  std::stable_sort(order.begin(), order.end(),
                   [&](int32_t a, int32_t b) { return rows_.Row(a).size() < rows_.Row(b).size(); });
  const std::vector<int32_t> take = DisjointFirst(rows_, order, size_t(std::max(batch, 0)));
  active_.insert(active_.end(), take.begin(), take.end());
}

// Of the candidates that see the new witnesses in dark, the one whose
// region takes most area from it; -1 when the deadline came first.
int32_t TWitnessPool::LightsMostOf(const TPolygon& dark, const std::vector<int32_t>& rows) {
  std::vector<int32_t> seers;
  for (int32_t r : rows) seers.insert(seers.end(), rows_.Row(r).begin(), rows_.Row(r).end());
  std::sort(seers.begin(), seers.end());
  seers.erase(std::unique(seers.begin(), seers.end()), seers.end());
  if (seers.empty()) {
    seers.resize(size_t(field_.CandidateCount()));
    std::iota(seers.begin(), seers.end(), 0);
  }
  if (!field_.PrepareRegions(seers, options_.threads, deadline_)) return -1;
  TStopwatch watch(times_.dark);
  int32_t best = -1;
  long double bestArea = -1;
  for (int32_t c : seers) {
    TPolygon lit;
    lit.Clear();
    for (size_t i = 0; i < dark.Contours().size(); ++i) lit.AddContour(dark.Contours()[i], dark.Holes()[i]);
    lit.Clip(GPC_INT, &field_.Region(c));
    const long double area = lit.Area();
    if (area > bestArea) {
      bestArea = area;
      best = c;
    }
  }
  return best;
}
