// What the solver accepts as a level map: the text-picture format of the
// shipped level (one line per row of cells, '#' a wall cell, '.' a floor
// cell), strictly: the game's reader takes any other character for floor
// and pads short rows, but a map handed to the solver by a level designer
// with a typo in it is far more likely a mistake than a meaning.
#pragma once

#include <cstdint>
#include <string>

constexpr int32_t MaxSolverMapSide = 200;

// Empty when the picture is a map the solver takes; else one line saying
// what is wrong and where (rows and columns counted from 1). Refused: a
// character other than '#' and '.', an empty row, rows of different
// lengths, no row at all, more than MaxSolverMapSide cells a side, no
// floor cell. A final line break, and a CR before each line break, are
// allowed.
std::string CheckMapText(const std::string& text);
