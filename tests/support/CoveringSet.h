// A set of lights that lights the whole floor of the shipped map, found
// greedily (removing any one of its first lights leaves part of it dark);
// lights far off the field in every direction, as a loaded solution may
// hold them; and the solution document of a set of lights.
#pragma once

#include <cstdint>
#include <limits>
#include <string>
#include <utility>
#include <vector>

inline std::vector<std::pair<int, int>> ShippedCoveringSet() {
  return {{38, 9},  {52, 16}, {22, 28}, {4, 16},  {0, 8},   {50, 27}, {60, 6},  {22, 11}, {5, 30},  {33, 17}, {32, 28},
          {13, 13}, {55, 36}, {46, 2},  {15, 32}, {46, 20}, {22, 17}, {2, 1},   {0, 29},  {26, 13}, {25, 30}, {59, 25},
          {38, 30}, {7, 15},  {32, 25}, {37, 36}, {17, 8},  {48, 30}, {44, 26}, {23, 33}, {44, 8}};
}

// Eight directions from the field's centre at 10^3 and 10^6 cells and at
// the ends of the 32-bit range, and the light that once made a full cover
// look over-lit.
inline std::vector<std::pair<int, int>> FarLights() {
  constexpr int Min = std::numeric_limits<int32_t>::min(), Max = std::numeric_limits<int32_t>::max();
  std::vector<std::pair<int, int>> lights = {{-61, Max}};
  for (int dx = -1; dx <= 1; ++dx) {
    for (int dy = -1; dy <= 1; ++dy) {
      if (dx == 0 && dy == 0) continue;
      for (int d : {1000, 1000000}) lights.emplace_back(30 + dx * d, 19 + dy * d);
      lights.emplace_back(dx < 0 ? Min : dx > 0 ? Max : 30, dy < 0 ? Min : dy > 0 ? Max : 19);
    }
  }
  return lights;
}

// The lights under "/" as the game writes them: "vertices", then x, y,
// x#1, y#1, ...
inline std::string SolutionText(const std::vector<std::pair<int, int>>& points) {
  std::string s = "[/]\r\nvertices=" + std::to_string(points.size()) + "\r\n";
  for (size_t i = 0; i < points.size(); ++i) {
    const std::string suffix = i == 0 ? "" : "#" + std::to_string(i);
    s += "x" + suffix + "=" + std::to_string(points[i].first) + "\r\n";
    s += "y" + suffix + "=" + std::to_string(points[i].second) + "\r\n";
  }
  return s;
}
