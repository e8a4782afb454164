// Level maps written as text pictures: one text line per row of cells, '#'
// a wall cell, any other character a free cell. The map is as wide as the
// longest line (shorter lines are free to the right) and has one row per
// line; a final newline ends the last line rather than starting a new one,
// and a carriage return before a newline is dropped. The shipped level
// (data/map.txt), the game's image 0 of its map list and every test map are
// read this way.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "raster/Bitmap32.h"

// The largest picture accepted: far above any level (the corner table alone
// stops a level map long before), small enough that a stray file can never
// ask for a huge bitmap.
constexpr int32_t MaxMapTextSide = 4096;
constexpr int64_t MaxMapTextCells = int64_t(1) << 22;

// Resizes map to the picture and writes its pixels (WallPixel or FreePixel);
// the draw mode and outer colour are left as they are. A picture larger
// than the limits above throws EEngineError and leaves map untouched.
void LoadMapText(const std::string& text, TBitmap32& map);
std::unique_ptr<TBitmap32> LoadMapText(const std::string& text);

// The same for a file's whole contents; a file that cannot be read throws
// EEngineError naming the path.
void LoadMapFile(const std::string& path, TBitmap32& map);
std::unique_ptr<TBitmap32> LoadMapFile(const std::string& path);
