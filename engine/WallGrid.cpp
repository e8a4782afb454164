#include "engine/WallGrid.h"

#include <algorithm>

#include "engine/LevelMap.h"

TWallGrid::TWallGrid(int32_t width, int32_t height)
    : width(width), height(height), cells(size_t(width) * size_t(height), 0) {}

TWallGrid::TWallGrid(const TBitmap32& map) : width(map.Width()), height(map.Height()) {
  cells.assign(size_t(width) * size_t(height), 0);
  for (int32_t y = 0; y < height; ++y) {
    const TColor32* row = map.ScanLine(y);
    for (int32_t x = 0; x < width; ++x) cells[size_t(y) * size_t(width) + size_t(x)] = IsWallPixel(row[x]);
  }
}

void TWallGrid::WriteTo(TBitmap32& map) const {
  map.Resize(width, height);
  for (int32_t y = 0; y < height; ++y)
    for (int32_t x = 0; x < width; ++x) map.WritePixel(x, y, IsWallInGrid(x, y) ? WallPixel : FreePixel);
  map.Changed();
}

int32_t TWallGrid::WallCount() const { return int32_t(std::count(cells.begin(), cells.end(), uint8_t(1))); }
