// From spans to contours. Spans on the same two lines that meet are joined
// first, so that a vertex stands only where the far or the near line
// changes. A vertex is the meeting of a line with a span's bounding ray;
// both are integers, so it is a fraction: its whole part is exact and only
// the remainder is divided, which rounds a point to the same double for
// every light whose ray meets it (regions of different lights then share
// their common vertices exactly).
#include "engine/SightRegion.h"

#include <vector>

#include "engine/SightSpans.h"
#include "engine/Visibility.h"
#include "engine/WallBits.h"

namespace {

using Wide = __int128;

Wide Cross(const TSightDirection& a, const TSightDirection& b) { return Wide(a.dx) * b.dy - Wide(a.dy) * b.dx; }
Wide Dot(const TSightDirection& a, const TSightDirection& b) { return Wide(a.dx) * b.dx + Wide(a.dy) * b.dy; }
bool Same(const TSightDirection& a, const TSightDirection& b) { return Cross(a, b) == 0 && Dot(a, b) > 0; }
bool Opposite(const TSightDirection& a, const TSightDirection& b) { return Cross(a, b) == 0 && Dot(a, b) < 0; }

// base + num / den, den != 0, for a result of the field's size.
double Coordinate(int64_t base, Wide num, int64_t den) {
  if (den < 0) {
    num = -num;
    den = -den;
  }
  Wide q = num / den;
  Wide r = num % den;
  if (r < 0) {
    --q;
    r += den;
  }
  return double(base + int64_t(q)) + double(int64_t(r)) / double(den);
}

// Where line meets the ray d from the light (the light itself for the
// light's line).
gpc_vertex PointOn(const TSightLine& line, const TSightDirection& d, int64_t lx, int64_t ly) {
  switch (line.kind) {
    case TSightLine::Vertical:
      return {double(line.c), Coordinate(ly, Wide(line.c - lx) * d.dy, d.dx)};
    case TSightLine::Horizontal:
      return {Coordinate(lx, Wide(line.c - ly) * d.dx, d.dy), double(line.c)};
    case TSightLine::Light:
      break;
  }
  return {double(lx), double(ly)};
}

// One contour's vertices, without repeats.
class TContourBuilder {
 public:
  TContourBuilder(int64_t lx, int64_t ly) : lx_(lx), ly_(ly) {}

  void Add(const TSightLine& line, const TSightDirection& ray) { Add(PointOn(line, ray, lx_, ly_)); }
  void AddLight() { Add(gpc_vertex{double(lx_), double(ly_)}); }

  // The contour of the vertices added so far, into region unless it
  // encloses nothing; then empty.
  void Finish(TPolygon& region) {
    while (contour_.size() > 1 && contour_.front().x == contour_.back().x && contour_.front().y == contour_.back().y)
      contour_.pop_back();
    if (contour_.size() >= 3) region.AddContour(std::move(contour_), 0);
    contour_.clear();
  }

 private:
  void Add(const gpc_vertex& v) {
    if (contour_.empty() || contour_.back().x != v.x || contour_.back().y != v.y) contour_.push_back(v);
  }

  const int64_t lx_, ly_;
  TContour contour_;
};

bool SameLines(const TSightSpan& a, const TSightSpan& b) {
  return a.farLine == b.farLine && a.nearLine == b.nearLine;
}

// Joins each span to the one before it where they meet on the same lines,
// around the turn too.
void Join(std::vector<TSightSpan>& spans) {
  size_t kept = 0;
  for (size_t i = 0; i < spans.size(); ++i) {
    if (kept > 0 && Same(spans[kept - 1].to, spans[i].from) && SameLines(spans[kept - 1], spans[i])) {
      spans[kept - 1].to = spans[i].to;
    } else {
      spans[kept++] = spans[i];
    }
  }
  spans.resize(kept);
  if (spans.size() > 1 && Same(spans.back().to, spans.front().from) && SameLines(spans.back(), spans.front())) {
    spans.front().from = spans.back().from;
    spans.pop_back();
  }
}

// The contour of spans[first .. first + count - 1] (indices around the
// turn), a stretch whose neighbours meet; closed, for a full turn, through
// its own first span.
void Trace(const std::vector<TSightSpan>& spans, size_t first, size_t count, bool fullTurn, TContourBuilder& out,
           TPolygon& region) {
  const size_t n = spans.size();
  auto at = [&](size_t k) -> const TSightSpan& { return spans[(first + k) % n]; };
  if (!fullTurn) out.Add(at(0).farLine, at(0).from);
  for (size_t k = 0; k + 1 < count + (fullTurn ? 1 : 0); ++k) {
    const TSightSpan& a = at(k);
    const TSightSpan& b = at(k + 1);
    if (a.farLine == b.farLine) continue;
    out.Add(a.farLine, a.to);
    out.Add(b.farLine, b.from);
  }
  if (!fullTurn) {
    const TSightSpan& last = at(count - 1);
    out.Add(last.farLine, last.to);
    if (last.nearLine.kind == TSightLine::Light) {
      // Through the light, unless the stretch is a half turn: the light is
      // then a point of a straight side, not a corner.
      if (!Opposite(at(0).from, last.to)) out.AddLight();
    } else {
      out.Add(last.nearLine, last.to);
      for (size_t k = count - 1; k > 0; --k) {
        const TSightSpan& b = at(k);
        const TSightSpan& a = at(k - 1);
        if (a.nearLine == b.nearLine) continue;
        out.Add(b.nearLine, b.from);
        out.Add(a.nearLine, a.to);
      }
      out.Add(at(0).nearLine, at(0).from);
    }
  }
  out.Finish(region);
}

}  // namespace

std::unique_ptr<TPolygon> SweptLitRegion(int32_t lx, int32_t ly, const TPolygonList& walls, TSightField field) {
  thread_local TWallBits grid;
  thread_local std::vector<TSightSpan> spans;
  if (!grid.Read(walls, field.width, field.height, lx, ly)) return nullptr;
  spans.clear();
  SweepSightSpans(grid, lx, ly, spans);
  Join(spans);

  auto region = std::make_unique<TPolygon>();
  region->Clear();
  TContourBuilder builder(lx, ly);
  const size_t n = spans.size();
  if (n == 0) return region;
  // Stretches begin where a span does not meet the one before it.
  size_t start = n;
  for (size_t i = 0; i < n; ++i) {
    if (!Same(spans[(i + n - 1) % n].to, spans[i].from)) {
      start = i;
      break;
    }
  }
  if (start == n) {
    Trace(spans, 0, n, true, builder, *region);
    return region;
  }
  size_t k = 0;
  while (k < n) {
    size_t count = 1;
    while (k + count < n && Same(spans[(start + k + count - 1) % n].to, spans[(start + k + count) % n].from)) ++count;
    Trace(spans, (start + k) % n, count, false, builder, *region);
    k += count;
  }
  return region;
}
