// The level's products, each made once from the map by the conversions of
// engine/LevelMap.h on a copy of the cells whose outside reads as free.
#include "engine/Level.h"

#include <utility>

#include "engine/Visibility.h"

namespace {

// The map as the conversions read it: the cells as they are, free beyond.
std::unique_ptr<TBitmap32> ConversionMap(const TWallGrid& walls) {
  auto map = std::make_unique<TBitmap32>();
  walls.WriteTo(*map);
  map->SetOuterColor(FreePixel);
  return map;
}

// The field minus the walls. Every outline is one boundary between wall
// and floor, so all of them together, read by even-odd parity, are the
// walls; cut out one by one, the inner boundary of a ring of walls would
// take the floor it encloses with it.
std::unique_ptr<TPolygon> FloorOf(int32_t width, int32_t height, const TPolygonList& wallOutlines) {
  auto floor = std::make_unique<TPolygon>();
  floor->AddPoint(0, 0);
  floor->AddPoint(0, height);
  floor->AddPoint(width, height);
  floor->AddPoint(width, 0);
  TPolygon walls;
  walls.Clear();
  for (const auto& outline : wallOutlines)
    for (const TContour& contour : outline->Contours()) walls.AddContour(contour);
  floor->Clip(GPC_DIFF, &walls);
  return floor;
}

}  // namespace

TLevel::TLevel(const TBitmap32& map) : TLevel(TWallGrid(map)) {}

TLevel::TLevel(TWallGrid walls) : walls_(std::move(walls)) {
  freeCells_ = Width() * Height() - walls_.WallCount();
  const std::unique_ptr<TBitmap32> cells = ConversionMap(walls_);
  int32_t wallCount = 0;
  wallRects_ = BuildWallRects(*cells, wallCount);
  wallOutlines_ = TraceWallOutlines(*cells);
  floor_ = FloorOf(Width(), Height(), wallOutlines_);
}

TLevel::~TLevel() = default;

bool TLevel::IsWalledGridPoint(int32_t gx, int32_t gy) const {
  const int64_t x = gx, y = gy;
  return IsWallCell(x, y) && IsWallCell(x - 1, y) && IsWallCell(x, y - 1) && IsWallCell(x - 1, y - 1);
}

std::unique_ptr<TPolygon> TLevel::LitRegion(const TGridPoint& p) const {
  return ComputeLitRegion(p.x, p.y, wallRects_, TSightField{Width(), Height()});
}

TPolygonList TLevel::LitRegions(const std::vector<TGridPoint>& points) const {
  TPolygonList regions;
  regions.reserve(points.size());
  for (const TGridPoint& p : points) regions.push_back(LitRegion(p));
  return regions;
}

std::vector<const TPolygon*> PolygonPointers(const TPolygonList& sets) {
  std::vector<const TPolygon*> pointers;
  pointers.reserve(sets.size());
  for (const auto& set : sets) pointers.push_back(set.get());
  return pointers;
}
