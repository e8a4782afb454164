// The level map's conversions: wall rectangles, wall outlines, and the
// grid/pixel arithmetic. Every map read is a ReadPixel, so the map's outer
// colour decides what lies beyond the field.
//
// Loop counters over a map's extent run in 64 bits: the corner scan goes
// one past the last column and row, and no width may make that overflow.
#include "engine/LevelMap.h"

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <tuple>
#include <string>

int32_t FieldWidth = 0;
int32_t FieldHeight = 0;

namespace {

bool IsWall(const TBitmap32& map, int64_t x, int64_t y) {
  // Coordinates here lie within one cell of the map, so they fit ReadPixel.
  return IsWallPixel(map.ReadPixel(int32_t(x), int32_t(y)));
}

int32_t Saturate(int64_t v) {
  if (v > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
  if (v < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
  return int32_t(v);
}

// round(p / cell) - 1 with ties to even, exactly, for any 32-bit p; then
// kept only within 0..limit.
int32_t PixelToGrid(int32_t p, int32_t limit, int32_t cell) {
  const int64_t v = p, c = cell;
  int64_t q = v / c;
  int64_t r = v % c;
  if (r < 0) {  // floor division
    r += c;
    --q;
  }
  if (2 * r > c || (2 * r == c && q % 2 != 0)) ++q;
  const int64_t i = q - 1;
  return (i >= 0 && i <= limit) ? int32_t(i) : -1;
}

}  // namespace

TPolygonList BuildWallRects(TBitmap32& map, int32_t& wallCount) {
  TPolygonList rects;
  const int64_t w = map.Width(), h = map.Height();
  for (int64_t x = 0; x < w; ++x) {
    for (int64_t y = 0; y < h; ++y) {
      if (!IsWall(map, x, y)) continue;
      // The run's later cells are marked so that the outer loop does not
      // start another run at them; the first cell needs no mark.
      int64_t col = x + 1;
      while (col < w && IsWall(map, col, y)) {
        map.WritePixel(int32_t(col), int32_t(y), RunMarkPixel);
        ++col;
      }
      auto rect = std::make_unique<TPolygon>();
      rect->AddPoint(x, y);
      rect->AddPoint(col, y);
      rect->AddPoint(col, y + 1);
      rect->AddPoint(x, y + 1);
      rects.push_back(std::move(rect));
    }
  }
  int32_t count = 0;
  for (int64_t x = 0; x < w; ++x)
    for (int64_t y = 0; y < h; ++y)
      if (map.ReadPixel(int32_t(x), int32_t(y)) == RunMarkPixel) map.WritePixel(int32_t(x), int32_t(y), WallPixel);
  for (int64_t x = 0; x < w; ++x)
    for (int64_t y = 0; y < h; ++y)
      if (IsWall(map, x, y)) ++count;
  wallCount = count;
  return rects;
}

TCornerTable DetectWallCorners(const TBitmap32& map) {
  TCornerTable table;
  const int64_t w = map.Width(), h = map.Height();
  for (int64_t x = 0; x <= w; ++x) {
    for (int64_t y = 0; y <= h; ++y) {
      const bool a = IsWall(map, x - 1, y - 1), b = IsWall(map, x - 1, y);
      const bool c = IsWall(map, x, y - 1), d = IsWall(map, x, y);
      const int n = int(a) + int(b) + int(c) + int(d);
      if (n != 1 && n != 3) continue;
      // The odd cell is the one wall when n = 1, the one free cell when n = 3.
      const bool odd = n == 1;
      CornerRecord r;
      r.x = int32_t(x);
      r.y = int32_t(y);
      if (a == odd) { r.dx = -1; r.dy = -1; }
      if (b == odd) { r.dx = -1; r.dy = +1; }
      if (c == odd) { r.dx = +1; r.dy = -1; }
      if (d == odd) { r.dx = +1; r.dy = +1; }
      if (table.size() == size_t(MaxCornerRecords)) {
        throw EEngineError("level map refused: more than " + std::to_string(MaxCornerRecords) +
                           " outline corners");
      }
      table.push_back(r);
    }
  }
  return table;
}

namespace {

// Records ordered along rows (y, x, number) and along columns (x, y,
// number), for the nearest record straight ahead of a point.
class TCornerIndex {
 public:
  explicit TCornerIndex(const TCornerTable& table) : table_(table) {
    for (size_t m = 0; m < table.size(); ++m) {
      rows_.push_back({table[m].y, table[m].x, m});
      columns_.push_back({table[m].x, table[m].y, m});
    }
    std::sort(rows_.begin(), rows_.end());
    std::sort(columns_.begin(), columns_.end());
  }

  // The record nearest to s along (dirx, diry), or table.size() when none
  // lies within the scan's reach.
  size_t Ahead(size_t s, int64_t dirx, int64_t diry) const {
    const CornerRecord& from = table_[s];
    size_t next = table_.size();
    if (dirx == 0 && diry == 0) {
      next = Scan(s);  // every other record lies "ahead": no table of a map
    } else if (diry == 0) {
      next = Along(rows_, from.y, from.x, dirx > 0);
    } else if (dirx == 0) {
      next = Along(columns_, from.x, from.y, diry > 0);
    }
    if (next == table_.size()) return next;
    const int64_t distance = std::abs(int64_t(table_[next].x) - from.x) + std::abs(int64_t(table_[next].y) - from.y);
    return distance < MaxDistance ? next : table_.size();
  }

 private:
  using TKey = std::tuple<int64_t, int64_t, size_t>;  // line, place on it, number
  static constexpr int64_t MaxDistance = 1000000;

  // On line `line`, the lowest-numbered record at the nearest place beyond
  // `at` (forward: greater places).
  size_t Along(const std::vector<TKey>& keys, int64_t line, int64_t at, bool forward) const {
    if (forward) {
      const auto it = std::lower_bound(keys.begin(), keys.end(), TKey{line, at + 1, 0});
      return it != keys.end() && std::get<0>(*it) == line ? std::get<2>(*it) : table_.size();
    }
    auto it = std::lower_bound(keys.begin(), keys.end(), TKey{line, at, 0});
    if (it == keys.begin() || std::get<0>(*std::prev(it)) != line) return table_.size();
    it = std::lower_bound(keys.begin(), keys.end(), TKey{line, std::get<1>(*std::prev(it)), 0});
    return std::get<2>(*it);
  }

  // The plain scan, for a direction that is no axis.
  size_t Scan(size_t s) const {
    int64_t best = MaxDistance;
    size_t next = table_.size();
    for (size_t m = 0; m < table_.size(); ++m) {
      const int64_t distance = std::abs(int64_t(table_[m].x) - table_[s].x) + std::abs(int64_t(table_[m].y) - table_[s].y);
      if (distance != 0 && distance < best) {
        best = distance;
        next = m;
      }
    }
    return next;
  }

  const TCornerTable& table_;
  std::vector<TKey> rows_, columns_;
};

}  // namespace

TPolygonList TraceCornerTable(TCornerTable& table) {
  if (table.size() > size_t(MaxCornerRecords)) {
    throw EEngineError("corner table refused: more than " + std::to_string(MaxCornerRecords) + " records");
  }
  const TCornerIndex index(table);
  TPolygonList outlines;
  const size_t count = table.size();
  size_t firstUnused = 0;  // records only ever become used, so this only grows
  for (;;) {
    while (firstUnused < count && table[firstUnused].used) ++firstUnused;
    if (firstUnused == count) return outlines;
    size_t s = firstUnused;
    auto outline = std::make_unique<TPolygon>();
    TPolygon& polygon = *outline;
    outlines.push_back(std::move(outline));
    int64_t dirx = table[s].dx, diry = 0;
    while (!table[s].used) {
      polygon.AddPoint(table[s].x, table[s].y);
      table[s].used = true;
      // The nearest record straight ahead, used ones included: an outline
      // closes by reaching its first corner again.
      const size_t next = index.Ahead(s, dirx, diry);
      if (next == count) throw EEngineError("err #21");
      if (dirx != 0) {
        dirx = 0;
        diry = table[next].dy;
      } else {
        dirx = table[next].dx;
        diry = 0;
      }
      s = next;
    }
  }
}

TPolygonList TraceWallOutlines(const TBitmap32& map) {
  TCornerTable table = DetectWallCorners(map);
  return TraceCornerTable(table);
}

void SetBitmapAlpha(TBitmap32& bitmap, uint8_t alpha) {
  const int32_t w = bitmap.Width(), h = bitmap.Height();
  if (w <= 0 || h <= 0) return;
  for (int32_t y = 0; y < h; ++y) {
    TColor32* line = bitmap.ScanLine(y);
    for (int32_t x = 0; x < w; ++x) {
      const TColor32 p = line[x];
      line[x] = MakeColor32(RedOf(p), GreenOf(p), BlueOf(p), alpha);
    }
  }
  bitmap.Changed();
}

int32_t GridToPixel(int32_t i, int32_t cell) { return Saturate((int64_t(i) + 1) * cell); }

int32_t PixelToGridX(int32_t px, int32_t cell) { return PixelToGrid(px, FieldWidth, cell); }
int32_t PixelToGridY(int32_t py, int32_t cell) { return PixelToGrid(py, FieldHeight, cell); }

void SetFieldTransform(TAffineTransformation& transformation, int32_t cell) {
  transformation = TAffineTransformation();
  transformation.ScaleBy(float(cell), float(cell));
  transformation.TranslateBy(float(cell), float(cell));
}
