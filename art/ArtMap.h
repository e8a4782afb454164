// The level map as the picture drawing sees it: the level's grid of wall
// and free cells (engine/WallGrid.h), and the pixel geometry of the field
// pictures built on it: `cell` pixels per cell and a margin of one cell all
// round, so grid point (i, j) lies at pixel (cell * (i + 1), cell * (j + 1)).
// The game's field is drawn at DesignCellPixels (engine/LevelMap.h); the
// shipped pictures are drawn at that size.
#pragma once

#include <vector>

#include "engine/LevelMap.h"
#include "engine/WallGrid.h"

// The cells are the level's grid itself (width, height, cells).
struct ArtMap : TWallGrid {
  int cell = DesignCellPixels;  // pixels per cell, and the margin's width

  // Cells outside the map read as outside (the caller says what that is).
  bool IsWall(int c, int r, bool outside) const {
    if (c < 0 || r < 0 || c >= width || r >= height) return outside;
    return IsWallInGrid(c, r);
  }
  // A wall cell of the map itself: the masonry stops at the map's edge, so
  // for the drawing nothing beyond it is wall (the rules count it as wall,
  // TWallGrid::IsWallCell).
  bool IsWallInMap(int c, int r) const { return IsWallInGrid(c, r); }

  int Margin() const { return cell; }
  int PictureWidth() const { return cell * width + 2 * Margin(); }
  int PictureHeight() const { return cell * height + 2 * Margin(); }
  // A length drawn as `at10` pixels at 10 pixels per cell, at this size (at
  // least 1); exactly at10 at 10.
  int Scaled(int at10) const {
    const int v = (at10 * cell + 5) / 10;
    return v < 1 ? 1 : v;
  }
};

// The level's cells at cell pixels per cell (1 or more).
ArtMap ArtMapOf(const TWallGrid& walls, int cell = DesignCellPixels);
