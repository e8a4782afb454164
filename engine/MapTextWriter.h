// The writer of level maps, beside their one reader (engine/MapText.h): a
// wall grid as the reader's own picture, '#' a wall cell and '.' a floor
// cell, one line per row, every line ended, the last one too. The reader
// reads what it writes as the same grid, and a picture in this form, every
// line ended alike, is written back byte for byte, so a level opened and
// saved unchanged stays the file it was.
#pragma once

#include <string>

#include "engine/WallGrid.h"

enum class TLineEnd { Lf, CrLf };

// The line end a picture uses, to be kept when it is written again: CrLf
// when its first line ends with CR LF, else (one line without an end
// included) Lf.
TLineEnd LineEndOf(const std::string& text);

// The picture of walls. A grid without floor is written too; the reader
// refuses it ("the map has no floor"), so a caller about to save asks
// MapTextProblem of the text first.
std::string MapTextOf(const TWallGrid& walls, TLineEnd lineEnd = TLineEnd::Lf);
