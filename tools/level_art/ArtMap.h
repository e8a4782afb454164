// The level map as the picture generator sees it: a grid of wall and free
// cells read from the map text ('#' wall, '.' free, one line per row), and
// the pixel geometry of the field pictures built on it (10 pixels per cell,
// a 10-pixel margin all round).
#pragma once

#include <QString>
#include <vector>

struct ArtMap {
  int width = 0;   // cells across
  int height = 0;  // cells down
  std::vector<bool> walls;  // width*height, row by row

  // Cells outside the map read as outside (the caller says what that is).
  bool IsWall(int c, int r, bool outside) const {
    if (c < 0 || r < 0 || c >= width || r >= height) return outside;
    return walls[size_t(r) * size_t(width) + size_t(c)];
  }
  bool IsWallCell(int c, int r) const { return IsWall(c, r, false); }

  int PictureWidth() const { return 10 * width + 20; }
  int PictureHeight() const { return 10 * height + 20; }
};

constexpr int CellPixels = 10;
constexpr int MarginPixels = 10;

// Reads a map text. Every line must be as long as the first; blank lines at
// the end and a trailing '\r' are tolerated. Returns false with a reason on
// a missing file, a ragged or empty map, or any character but '#' and '.'.
bool ReadArtMap(const QString& path, ArtMap& map, QString& error);
