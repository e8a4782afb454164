// The two field pictures of the level: unlit (dark slate floor) and lit
// (warm sand floor), both with the same masonry on the wall cells and the
// frame, so that a lit region stands out while the walls never change.
#pragma once

#include <QImage>
#include <atomic>

#include "art/ArtMap.h"

struct FieldPictures {
  QImage unlit;  // Format_ARGB32, opaque, PictureWidth x PictureHeight
  QImage lit;
};

// At map.cell pixels per cell; the same map at the same size gives the
// same pictures, bit for bit, on every machine. Drawing a large field takes
// seconds, so a drawing on another thread may be given up: once *stop is
// true it returns early with null pictures.
FieldPictures DrawFieldPictures(const ArtMap& map, const std::atomic<bool>* stop = nullptr);
// The pictures of the level's cells at `cell` pixels per cell: what the
// game draws for a level that carries no pictures of its own.
FieldPictures DrawFieldPictures(const TWallGrid& walls, int cell = DesignCellPixels);
