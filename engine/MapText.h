// Level maps written as text pictures: one text line per row of cells, '#'
// a wall cell, '.' a floor cell. This is the one reader of level maps: the
// shipped level (data/map.txt), a level designer's map handed to the game,
// the judge or the solver, and every test map go through it, so all three
// programs take the same pictures and refuse the same ones.
//
// It is strict: a map from a level designer with a typo in it is far more
// likely a mistake than a meaning. Refused: a character other than '#' and
// '.', an empty row, rows of different lengths, no row at all, more than
// MaxMapSide cells a side, no floor cell. A final line break, a CR before
// each line break, and blank lines after the last row are allowed. Rows and
// columns in the reasons are counted from 1.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "engine/WallGrid.h"
#include "raster/Bitmap32.h"

// The largest map side, in cells. Every part of the programs (the game's
// field image, the outline tracing, the solver's proof) is sized for maps
// up to MaxMapSide x MaxMapSide.
constexpr int32_t MaxMapSide = 200;
// No picture within the limits is longer than this: each row's cells and
// a CR LF.
constexpr size_t MaxMapTextBytes = size_t(MaxMapSide) * (MaxMapSide + 2);

// Empty when the picture is a map; else one line saying what is wrong and
// where.
std::string MapTextProblem(const std::string& text);

// Resizes map to the picture and writes its pixels (WallPixel or FreePixel);
// the draw mode and outer colour are left as they are. A refused picture
// throws EEngineError with MapTextProblem's line and leaves map untouched.
void LoadMapText(const std::string& text, TBitmap32& map);
std::unique_ptr<TBitmap32> LoadMapText(const std::string& text);

// The picture's cells as walls and floor: what the level, the solver and
// the editor are built from. Refuses as LoadMapText does.
TWallGrid WallsOfMapText(const std::string& text);

// A file's whole contents, checked: throws EEngineError "cannot read the
// map PATH: <why>" when the file is missing, cannot be read or is no
// regular file (a folder, a named pipe, a device: never opened for long,
// never waited on), and "PATH: <problem>" when its picture is refused. A
// file longer than any map is refused after that many bytes, as "not a
// map" when they hold a byte that no map holds.
std::string ReadMapFile(const std::string& path);
// ReadMapFile, then LoadMapText.
void LoadMapFile(const std::string& path, TBitmap32& map);
std::unique_ptr<TBitmap32> LoadMapFile(const std::string& path);
// ReadMapFile, then WallsOfMapText.
TWallGrid WallsOfMapFile(const std::string& path);
