// The solver's answer as a solution file of the game: the document that
// the game's Save writes and its Load and glowmere-judge read, in the one
// form of engine/SolutionFormat.h.
#pragma once

#include <string>
#include <vector>

#include "engine/LevelMap.h"

// Replaces the file (atomically: the old file stays whole on failure) by
// the task's level and the lights in the given order. False when it cannot be
// written.
bool WriteSolutionFile(const std::string& path, const std::vector<TGridPoint>& lights);
