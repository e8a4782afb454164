// The judge's reasons: the texts it says about one file beside the file's
// line. Each remark is one line of text, without the program's name and
// the file's, which the caller puts in front.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/Level.h"
#include "engine/LightPlacement.h"
#include "engine/SolutionFormat.h"

// Why a document holds no solution; empty when it holds one. bytes: the
// file's contents; gridPoints: the field's.
std::string NoSolutionRemark(const TSolutionCount& count, const std::string& bytes, int64_t gridPoints);
// Empty when the document's level is the task's or it names none.
std::string LevelRemark(const TDocumentLevel& level);
// One line for each light with a key that is missing or no whole number
// ("light 23: x is not a whole number (\"nan\"), read as 0"), in order.
std::vector<std::string> KeyRemarks(const std::vector<TLightKeys>& keys);
// One line for each light that breaks a placement rule, in order.
std::vector<std::string> PlacementRemarks(const TLevel& level, const std::vector<TGridPoint>& points,
                                          const std::vector<TPlacement>& placements);
// A solution that leaves floor dark: its number of lights, the dark area in
// square cells, as the hint button would paint it, and the dark pieces as
// a player counts them (engine/DarkPieces.h).
std::string DarkFloorRemark(const TLevel& level, const std::vector<const TPolygon*>& regions);

// A number with ten decimals and a decimal point, whatever the locale.
std::string TenDecimals(long double value);
