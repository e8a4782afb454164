// The level's cells as the picture drawing's grid.
#include "art/ArtMap.h"

ArtMap ArtMapOf(const TWallGrid& grid, int cell) {
  ArtMap art;
  art.width = grid.width;
  art.height = grid.height;
  art.cell = cell < 1 ? 1 : cell;
  art.walls.assign(grid.cells.begin(), grid.cells.end());
  return art;
}
