// A set of lights that lights the whole floor of the shipped map, found
// greedily; removing any one of its first lights leaves part of it dark.
#pragma once

#include <utility>
#include <vector>

inline std::vector<std::pair<int, int>> ShippedCoveringSet() {
  return {{38, 9},  {52, 16}, {22, 28}, {4, 16},  {0, 8},   {50, 27}, {60, 6},  {22, 11}, {5, 30},  {33, 17}, {32, 28},
          {13, 13}, {55, 36}, {46, 2},  {15, 32}, {46, 20}, {22, 17}, {2, 1},   {0, 29},  {26, 13}, {25, 30}, {59, 25},
          {38, 30}, {7, 15},  {32, 25}, {37, 36}, {17, 8},  {48, 30}, {44, 26}, {23, 33}, {44, 8}};
}
