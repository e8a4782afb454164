// The sums are added one region at a time, row of samples by row: a
// region's contours cross the sample row at points that pair up (even-odd
// over all contours, as the clipper reads a set) into the spans inside it.
// Samples below 1 are checked exactly in order of their sampled sum, a
// few times as many as are wanted, since a face holds many samples with
// the same row.
#include "solver/FractionalWitnesses.h"

#include <algorithm>
#include <cmath>
#include <set>

namespace {

// Sums this close to 1 count as 1: the LP's own tolerance.
constexpr double Short = 1 - 1e-6;
// Samples checked exactly per witness wanted.
constexpr size_t CheckedPerWitness = 8;

void AddRegion(const TPolygon& region, float value, int32_t width, int32_t height, std::vector<float>& sums) {
  const int32_t columns = width * SamplesPerCell, rows = height * SamplesPerCell;
  double top = HUGE_VAL, bottom = -HUGE_VAL;
  for (const TContour& c : region.Contours())
    for (const gpc_vertex& v : c) {
      top = std::min(top, v.y);
      bottom = std::max(bottom, v.y);
    }
  if (!(top <= bottom)) return;
  const int32_t first = std::max(0, int32_t(std::floor(top * SamplesPerCell - 0.5)));
  const int32_t last = std::min(rows - 1, int32_t(std::ceil(bottom * SamplesPerCell)));
  std::vector<double> xs;
  for (int32_t j = first; j <= last; ++j) {
    const double y = (j + 0.5) / SamplesPerCell;
    xs.clear();
    for (const TContour& c : region.Contours()) {
      const size_t n = c.size();
      for (size_t i = 0, k = n - 1; i < n; k = i++)
        if ((c[i].y > y) != (c[k].y > y)) xs.push_back((c[k].x - c[i].x) * (y - c[i].y) / (c[k].y - c[i].y) + c[i].x);
    }
    std::sort(xs.begin(), xs.end());
    float* line = sums.data() + size_t(j) * size_t(columns);
    for (size_t k = 0; k + 1 < xs.size(); k += 2) {
      // Samples i with (i + 0.5) / SamplesPerCell inside [xs[k], xs[k+1]].
      const int32_t from = std::max(0, int32_t(std::ceil(xs[k] * SamplesPerCell - 0.5)));
      const int32_t to = std::min(columns - 1, int32_t(std::floor(xs[k + 1] * SamplesPerCell - 0.5)));
      for (int32_t i = from; i <= to; ++i) line[i] += value;
    }
  }
}

}  // namespace

std::vector<TFractionalWitness> FractionalWitnesses(const TCoverField& field,
                                                    const std::vector<std::pair<int32_t, double>>& solution,
                                                    size_t most, int32_t threads, const TDeadline& deadline) {
  const int32_t width = field.Width(), height = field.Height();
  const int32_t columns = width * SamplesPerCell, rows = height * SamplesPerCell;
  std::vector<float> sums(size_t(columns) * size_t(rows), 0.0f);
  std::vector<double> value(size_t(field.CandidateCount()), 0.0);
  for (const auto& [c, v] : solution) {
    value[size_t(c)] = v;
    AddRegion(field.Region(c), float(v), width, height, sums);
  }
  // Samples on the floor whose sampled sum is short, least first. (The
  // float sums are only a guide; the check below is exact.)
  std::vector<std::pair<float, size_t>> low;
  for (int32_t j = 0; j < rows; ++j)
    for (int32_t i = 0; i < columns; ++i) {
      const float s = sums[size_t(j) * size_t(columns) + size_t(i)];
      if (s < 1 - 1e-4f && !field.IsWallCell(i / SamplesPerCell, j / SamplesPerCell))
        low.emplace_back(s, size_t(j) * size_t(columns) + size_t(i));
    }
  const size_t checked = std::min(low.size(), most * CheckedPerWitness);
  std::partial_sort(low.begin(), low.begin() + std::ptrdiff_t(checked), low.end());
  std::vector<gpc_vertex> points;
  for (size_t k = 0; k < checked; ++k) {
    const size_t at = low[k].second;
    points.push_back({(double(at % size_t(columns)) + 0.5) / SamplesPerCell,
                      (double(at / size_t(columns)) + 0.5) / SamplesPerCell});
  }
  std::vector<std::vector<int32_t>> seers;
  if (!field.SeersOf(points, threads, deadline, seers)) return {};
  std::vector<TFractionalWitness> found;
  for (size_t k = 0; k < points.size(); ++k) {
    double lit = 0;
    for (int32_t c : seers[k]) lit += value[size_t(c)];
    if (lit < Short && !seers[k].empty()) found.push_back({points[k], std::move(seers[k]), lit});
  }
  std::stable_sort(found.begin(), found.end(),
                   [](const TFractionalWitness& a, const TFractionalWitness& b) { return a.lit < b.lit; });
  std::vector<TFractionalWitness> distinct;
  std::set<std::vector<int32_t>> rowsSeen;
  for (auto& w : found) {
    if (distinct.size() >= most) break;
    if (rowsSeen.insert(w.row).second) distinct.push_back(std::move(w));
  }
  return distinct;
}
