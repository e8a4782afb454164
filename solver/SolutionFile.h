// The solver's answer as a solution file of the game: the document that
// the game's Save writes and its Load and glowmere-judge read, in the one
// form of engine/SolutionFormat.h.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "geometry/Polygons.h"

#include "engine/LevelMap.h"

// Replaces the file (atomically: the old file stays whole on failure) by
// the task's level and the lights in the given order. False when it cannot be
// written.
bool WriteSolutionFile(const std::string& path, const std::vector<TGridPoint>& lights);

// The lights of a solution file (as the game's Load reads them): nothing
// when the file cannot be read or holds no solution; error says why.
std::optional<std::vector<TGridPoint>> ReadSolutionFile(const std::string& path, int64_t gridPoints,
                                                        std::string& error);

// Witness points as text, one "x y" per line in the shortest decimals that
// read back to the same doubles, so that a later solve starts from
// exactly the points this one knew.
std::string WitnessText(const std::vector<gpc_vertex>& points);
// Nothing when a line is not two finite numbers; error names the line.
std::optional<std::vector<gpc_vertex>> ReadWitnessText(const std::string& text, std::string& error);
