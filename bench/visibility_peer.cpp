// ComputeLitRegion beside an exact peer, in one process on the same
// queries: CGAL's triangular-expansion visibility (Triangular_expansion_
// visibility_2 over an arrangement of the floor's boundary) with the exact
// predicates and exact constructions kernel, and for comparison with the
// exact predicates and double constructions kernel (the same decisions,
// the region's points rounded). Built only when CGAL is installed, and
// never linked into anything shipped: CGAL is GPL.
//
// For the levels of bench/BenchLevels.h (the shipped map and random levels
// of 100 x 65 and 200 x 130 by default; --levels=0,1,2,3 takes any of the
// four), every grid point where a light may stand is one query; each round
// times our region and then the peers' for every query (the clock of
// bench/BenchLevels.h), and each query keeps its fastest round (--rounds=N, 5 by
// default). Prints one line per level: the median and worst of each, in
// microseconds, and the ratio of ours to each; and on how many queries
// ours and the exact peer agree by area (within 1e-9): the peer sees only
// the floor's face around a query on a vertex, so where two wall cells
// touch at their corners a light there sees more than the peer says.
//
// The peer's preparation (the arrangement, its point location and the
// triangulation it builds on its first query) is not timed, nor is finding
// the face, edge or vertex of a query; our region is timed from the wall
// rectangles, as the game calls it.
#include <CGAL/Arr_naive_point_location.h>
#include <CGAL/Arr_segment_traits_2.h>
#include <CGAL/Arrangement_2.h>
#include <CGAL/Exact_predicates_exact_constructions_kernel.h>
#include <CGAL/Exact_predicates_inexact_constructions_kernel.h>
#include <CGAL/Triangular_expansion_visibility_2.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "BenchLevels.h"
#include "engine/Visibility.h"

namespace {

// Kernel: exact predicates with exact constructions (the peer) or with
// double constructions (the same decisions, the points rounded).
template <typename Kernel>
class TPeer {
  using Traits = CGAL::Arr_segment_traits_2<Kernel>;
  using Arrangement = CGAL::Arrangement_2<Traits>;
  using Point = typename Kernel::Point_2;
  using Segment = typename Kernel::Segment_2;
  using Visibility = CGAL::Triangular_expansion_visibility_2<Arrangement, CGAL::Tag_true>;
  using Locator = CGAL::Arr_naive_point_location<Arrangement>;
  using FaceHandle = typename Arrangement::Face_const_handle;
  using HalfedgeHandle = typename Arrangement::Halfedge_const_handle;
  using VertexHandle = typename Arrangement::Vertex_const_handle;

 public:
  // A query as the peer takes it: in a face, or on an edge or a vertex
  // with the floor's face on the left of the half-edge.
  struct TQuery {
    Point point;
    FaceHandle face;
    HalfedgeHandle halfedge;
    bool onBoundary = false;
  };

  explicit TPeer(const TBenchLevel& level) {
    const int32_t w = level.width, h = level.height;
    auto floorCell = [&](int32_t x, int32_t y) { return !level.rules->IsWallCell(x, y); };
    // The floor's boundary: every cell side between floor and wall (or the
    // outside), joined along each grid line.
    std::vector<Segment> segments;
    for (int32_t y = 0; y <= h; ++y) {
      for (int32_t x = 0; x < w;) {
        if (floorCell(x, y - 1) == floorCell(x, y)) {
          ++x;
          continue;
        }
        int32_t end = x;
        while (end < w && floorCell(end, y - 1) != floorCell(end, y)) ++end;
        segments.emplace_back(Point(x, y), Point(end, y));
        x = end;
      }
    }
    for (int32_t x = 0; x <= w; ++x) {
      for (int32_t y = 0; y < h;) {
        if (floorCell(x - 1, y) == floorCell(x, y)) {
          ++y;
          continue;
        }
        int32_t end = y;
        while (end < h && floorCell(x - 1, end) != floorCell(x, end)) ++end;
        segments.emplace_back(Point(x, y), Point(x, end));
        y = end;
      }
    }
    CGAL::insert(arrangement_, segments.begin(), segments.end());
    locator_.attach(arrangement_);
    for (int32_t y = 0; y < h; ++y)
      for (int32_t x = 0; x < w; ++x)
        if (floorCell(x, y)) {
          const auto found = locator_.locate(Point(x + 0.5, y + 0.5));
          if (const auto* face = boost::get<FaceHandle>(&found)) floorFaces_.insert(*face);
        }
    visibility_.attach(arrangement_);
  }

  std::vector<TQuery> Queries(const TBenchLevel& level) const {
    std::vector<TQuery> queries;
    for (const auto& [x, y] : level.lights) queries.push_back(Query(x, y));
    return queries;
  }

  TQuery Query(int32_t x, int32_t y) const {
    TQuery q;
    q.point = Point(x, y);
    const auto found = locator_.locate(q.point);
    if (const auto* face = boost::get<FaceHandle>(&found)) {
      q.face = *face;
    } else if (const auto* edge = boost::get<HalfedgeHandle>(&found)) {
      q.onBoundary = true;
      q.halfedge = Floor((*edge)->face()) ? *edge : (*edge)->twin();
    } else if (const auto* vertex = boost::get<VertexHandle>(&found)) {
      q.onBoundary = true;
      auto around = (*vertex)->incident_halfedges();
      const auto first = around;
      do {
        if (Floor(around->face())) q.halfedge = around;
      } while (++around != first);
    }
    return q;
  }

  // The region's area, computed outside the timing.
  double Area(const TQuery& q) {
    Arrangement out;
    const auto face = q.onBoundary ? visibility_.compute_visibility(q.point, q.halfedge, out)
                                   : visibility_.compute_visibility(q.point, q.face, out);
    double twice = 0;
    auto edge = face->outer_ccb();
    const auto first = edge;
    do {
      const Point& a = edge->source()->point();
      const Point& b = edge->target()->point();
      twice += CGAL::to_double(a.x() * b.y() - b.x() * a.y());
    } while (++edge != first);
    return std::fabs(twice) / 2;
  }

  void Compute(const TQuery& q) {
    if (q.onBoundary) {
      visibility_.compute_visibility(q.point, q.halfedge, output_);
    } else {
      visibility_.compute_visibility(q.point, q.face, output_);
    }
  }

 private:
  bool Floor(FaceHandle face) const { return floorFaces_.count(face) != 0; }

  Arrangement arrangement_;
  Locator locator_;
  std::set<FaceHandle> floorFaces_;
  Visibility visibility_;
  Arrangement output_;
};

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

double Worst(const std::vector<double>& v) { return *std::max_element(v.begin(), v.end()); }

}  // namespace

int main(int argc, char** argv) {
  int rounds = 5;
  std::vector<int> levels = {0, 1, 2};
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg.rfind("--rounds=", 0) == 0) {
      rounds = std::max(1, std::atoi(arg.c_str() + 9));
    } else if (arg.rfind("--levels=", 0) == 0) {
      levels.clear();
      std::stringstream list(arg.substr(9));
      for (std::string item; std::getline(list, item, ',');) {
        const int index = std::atoi(item.c_str());
        if (index < 0 || index > 3) {
          std::fprintf(stderr, "bench_visibility_peer: levels are 0 to 3\n");
          return 2;
        }
        levels.push_back(index);
      }
    } else {
      std::fprintf(stderr, "usage: bench_visibility_peer [--rounds=N] [--levels=0,1,2,3]\n");
      return 2;
    }
  }
  std::printf("| level | lights | ComputeLitRegion median / worst | exact peer median / worst | ratio | "
              "double-point peer median / worst | ratio | same area |\n");
  std::printf("|---|---|---|---|---|---|---|---|\n");
  for (const int index : levels) {
    const TBenchLevel& level = BenchLevel(index);
    SetFieldSize(level.width, level.height);
    TPeer<CGAL::Exact_predicates_exact_constructions_kernel> exact(level);
    TPeer<CGAL::Exact_predicates_inexact_constructions_kernel> rounded(level);
    const auto exactQueries = exact.Queries(level);
    const auto roundedQueries = rounded.Queries(level);
    size_t agree = 0;
    for (size_t k = 0; k < level.lights.size(); ++k) {
      const double ours = double(ComputeLitRegion(level.lights[k].first, level.lights[k].second, level.walls())->Area());
      if (std::fabs(ours - exact.Area(exactQueries[k])) <= 1e-9) ++agree;
    }
    const size_t n = level.lights.size();
    std::vector<double> oursBest(n, 1e300), exactBest(n, 1e300), roundedBest(n, 1e300);
    for (int round = 0; round < rounds; ++round) {
      for (size_t k = 0; k < n; ++k) {
        double start = NowMicroseconds();
        const auto region = ComputeLitRegion(level.lights[k].first, level.lights[k].second, level.walls());
        oursBest[k] = std::min(oursBest[k], NowMicroseconds() - start);
        start = NowMicroseconds();
        exact.Compute(exactQueries[k]);
        exactBest[k] = std::min(exactBest[k], NowMicroseconds() - start);
        start = NowMicroseconds();
        rounded.Compute(roundedQueries[k]);
        roundedBest[k] = std::min(roundedBest[k], NowMicroseconds() - start);
      }
    }
    const double ours = Median(oursBest), exactMedian = Median(exactBest), roundedMedian = Median(roundedBest);
    std::printf("| %s | %zu | %.1f / %.1f us | %.1f / %.1f us | %.2f | %.1f / %.1f us | %.2f | %zu of %zu |\n",
                level.name.c_str(), n, ours, Worst(oursBest), exactMedian, Worst(exactBest), ours / exactMedian,
                roundedMedian, Worst(roundedBest), ours / roundedMedian, agree, n);
    std::fflush(stdout);
  }
  return 0;
}
