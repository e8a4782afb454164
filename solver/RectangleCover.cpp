// Rectangles grow from the first floor cell not yet in one, in reading
// order: as far right as the floor goes, then down while every cell of the
// next row is free floor not yet taken. A rectangle's top left corner is
// a grid point beside a free cell, so it is a candidate.
#include "solver/RectangleCover.h"

#include <algorithm>

std::vector<int32_t> RectangleCover(const TCoverField& field) {
  const int32_t w = field.Width(), h = field.Height();
  std::vector<uint8_t> taken(size_t(w) * size_t(h), 0);
  auto free = [&](int32_t x, int32_t y) { return !field.IsWallCell(x, y) && !taken[size_t(y) * size_t(w) + size_t(x)]; };
  std::vector<int32_t> corners;  // grid point numbers j * (w + 1) + i
  for (int32_t y = 0; y < h; ++y) {
    for (int32_t x = 0; x < w; ++x) {
      if (!free(x, y)) continue;
      int32_t right = x;
      while (right < w && free(right, y)) ++right;
      int32_t bottom = y + 1;
      while (bottom < h) {
        bool whole = true;
        for (int32_t cx = x; cx < right && whole; ++cx) whole = free(cx, bottom);
        if (!whole) break;
        ++bottom;
      }
      for (int32_t cy = y; cy < bottom; ++cy)
        for (int32_t cx = x; cx < right; ++cx) taken[size_t(cy) * size_t(w) + size_t(cx)] = 1;
      corners.push_back(y * (w + 1) + x);
    }
  }
  // Candidates are numbered in the order of their grid points.
  std::vector<int32_t> chosen;
  const std::vector<TCandidate>& candidates = field.Candidates();
  size_t k = 0;
  std::sort(corners.begin(), corners.end());
  for (int32_t g : corners) {
    while (k < candidates.size() && candidates[k].gridY * (w + 1) + candidates[k].gridX < g) ++k;
    if (k < candidates.size() && candidates[k].gridY * (w + 1) + candidates[k].gridX == g) chosen.push_back(int32_t(k));
  }
  return chosen;
}
