// The level map's cells as walls and floor: the one reading of a map
// bitmap's pixels (IsWallPixel), and with the map reader's WallsOfMapText
// the one reading of a map text. The level, its conversions, the solver's
// witnesses and the drawing of the field's pictures all take their cells
// from here.
#pragma once

#include <cstdint>
#include <vector>

#include "raster/Bitmap32.h"

struct TWallGrid {
  TWallGrid() = default;
  // width x height cells, all floor.
  TWallGrid(int32_t width, int32_t height);
  // Only the map's own pixels are read; its outer colour does not matter.
  explicit TWallGrid(const TBitmap32& map);

  int32_t width = 0;   // cells across
  int32_t height = 0;  // cells down
  std::vector<uint8_t> cells;  // width * height, row by row: 1 wall, 0 floor

  // Cells beyond the map count as wall, as they do for the walled-point
  // rule. Any 64-bit cell may be asked.
  bool IsWallCell(int64_t x, int64_t y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) return true;
    return cells[size_t(y) * size_t(width) + size_t(x)] != 0;
  }
  // A wall cell of the grid itself; beyond it, floor: the outlines, the
  // masonry and the witnesses' corners stop at the map's edge.
  bool IsWallInGrid(int64_t x, int64_t y) const {
    return x >= 0 && y >= 0 && x < width && y < height && cells[size_t(y) * size_t(width) + size_t(x)] != 0;
  }
  // The cells as a map bitmap, resized to the grid: WallPixel for a wall,
  // FreePixel for floor. Its outer colour is left as it was.
  void WriteTo(TBitmap32& map) const;
  // Cell (x, y) of the grid, 0 <= x < width and 0 <= y < height.
  void Set(int32_t x, int32_t y, bool wall) { cells[size_t(y) * size_t(width) + size_t(x)] = wall ? 1 : 0; }
  int32_t WallCount() const;
  bool operator==(const TWallGrid&) const = default;
};
