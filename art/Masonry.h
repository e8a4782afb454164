// The stone walls of the field pictures: one continuous masonry laid over
// every wall cell and the frame round the field, drawn once and copied into
// both pictures so that the walls look the same lit or unlit.
//
// Bricks are laid in courses half a cell deep (5 pixels at 10 a cell). A wall cell takes the direction
// of its longer run (a tall wall is laid in vertical courses, a long one in
// horizontal courses); each course is cut into bricks of hashed lengths
// along each run of cells that share its direction, so the bond runs on
// across neighbouring cells and ends cleanly at the region's edge. The frame
// follows the same rule: horizontal courses on top and bottom, vertical ones
// on the sides.
#pragma once

#include <QImage>
#include <vector>

#include "art/ArtMap.h"

// Which pixels of the picture are stone: every wall cell and the margin.
// Size PictureWidth*PictureHeight, row by row; 1 stone, 0 floor.
std::vector<uint8_t> StoneMask(const ArtMap& map);

// Paints the stone pixels of `picture` (Format_ARGB32, the map's picture
// size); floor pixels are left alone.
void PaintMasonry(const ArtMap& map, const std::vector<uint8_t>& stone, QImage& picture);
