// The two field pictures of the level: unlit (dark slate floor) and lit
// (warm sand floor), both with the same masonry on the wall cells and the
// frame, so that a lit region stands out while the walls never change.
#pragma once

#include <QImage>

#include "ArtMap.h"

struct FieldPictures {
  QImage unlit;  // Format_ARGB32, opaque, PictureWidth x PictureHeight
  QImage lit;
};

FieldPictures DrawFieldPictures(const ArtMap& map);
