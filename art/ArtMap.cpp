// The engine's map as the picture drawing's grid of cells.
#include "art/ArtMap.h"

#include "engine/LevelMap.h"

ArtMap ArtMapOf(const TBitmap32& map, int cell) {
  ArtMap art;
  art.width = map.Width();
  art.height = map.Height();
  art.cell = cell < 1 ? 1 : cell;
  art.walls.assign(size_t(art.width) * size_t(art.height), false);
  for (int r = 0; r < art.height; ++r)
    for (int c = 0; c < art.width; ++c) art.walls[size_t(r) * size_t(art.width) + size_t(c)] = map.ReadPixel(c, r) == WallPixel;
  return art;
}
