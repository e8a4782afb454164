// Fuzz target: the lit region of one light on the shipped map's wall
// rectangles, at any 32-bit grid point (8 input bytes: x, then y, each a
// little-endian int32). The region's area must be the exact one of the
// sweep model in tests/support, and no wall rectangle may fail its
// silhouette at an integer point: an engine error there is a finding.
#include <cmath>
#include <cstdint>
#include <cstring>
#include <exception>
#include <memory>
#include <vector>

#include "FuzzSupport.h"
#include "engine/EngineError.h"
#include "engine/LevelMap.h"
#include "engine/MapText.h"
#include "engine/Visibility.h"
#include "support/VisibleAreaModel.h"

namespace {

struct TShippedWalls {
  TPolygonList rects;
  std::vector<TModelRect> model;
  int32_t width = 0, height = 0;

  TShippedWalls() {
    auto map = LoadMapFile(GLOWMERE_DATA_DIR "/map.txt");
    int32_t wallCount = 0;
    rects = BuildWallRects(*map, wallCount);
    width = map->Width();
    height = map->Height();
    SetFieldSize(width, height);
    FieldWidth = width;
    FieldHeight = height;
    for (const auto& r : rects) {
      model.push_back({static_cast<int64_t>(r->PointX(0)), static_cast<int64_t>(r->PointY(0)),
                       static_cast<int64_t>(r->PointX(2)), static_cast<int64_t>(r->PointY(2))});
    }
  }
};

const TShippedWalls& Walls() {
  static const TShippedWalls walls;
  return walls;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 8) return 0;
  int32_t x, y;
  std::memcpy(&x, data, 4);
  std::memcpy(&y, data + 4, 4);
  const TShippedWalls& walls = Walls();
  FUZZ_CHECK(walls.width == 60 && walls.height == 39, "the shipped map is 60x39");

  std::unique_ptr<TPolygon> region;
  try {
    region = ComputeLitRegion(x, y, walls.rects);
  } catch (const EEngineError& e) {
    std::fprintf(stderr, "EEngineError at (%d, %d): %s\n", x, y, e.what());
    std::abort();
  }
  FUZZ_CHECK(region != nullptr, "no region");
  const long double area = region->Area();
  const long double exact = VisibleFieldArea(walls.width, walls.height, walls.model, x, y);
  if (!(std::isfinite(area) && std::fabs(area - exact) <= 1e-10L)) {
    std::fprintf(stderr, "area %.20Lg, exactly %.20Lg, at (%d, %d)\n", area, exact, x, y);
    std::abort();
  }
  return 0;
}
