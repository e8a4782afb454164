// The level's cells as the picture drawing's grid.
#include "art/ArtMap.h"

ArtMap ArtMapOf(const TWallGrid& grid, int cell) {
  ArtMap art;
  static_cast<TWallGrid&>(art) = grid;
  art.cell = cell < 1 ? 1 : cell;
  return art;
}
