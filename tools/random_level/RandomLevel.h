// Random levels in the shipped level's style, for measuring the solver at
// sizes the game's own level does not reach: rectangular wall blocks of 1
// to 9 cells a side, placed until about a quarter of the cells are walls.
// A block that would cut the floor in two is left out, so the floor of
// every level is one piece (cells joined by their sides). The same size and
// seed give the same level on every machine and compiler: the generator
// draws its numbers itself instead of through the standard distributions,
// whose results the standard leaves to each library.
#pragma once

#include <cstdint>
#include <string>

constexpr int32_t RandomLevelMaxBlock = 9;  // cells, the longest block side

// The level as a map text ('#' wall, '.' floor, one line per row, each
// ending in a line break). width and height from 1 to 4096.
std::string RandomLevelText(int32_t width, int32_t height, uint64_t seed, double wallShare = 0.25);
