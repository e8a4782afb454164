// The solver's answer as a solution file of the game: the document that
// the game's Save writes and its Load and glowmere-judge read.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// The task level that the framework writes into every saved solution.
constexpr int32_t SolutionFileLevel = 2;

// Replaces the file (atomically: the old file stays whole on failure) by
// "/etc/level" and the lights as grid points, "vertices" = n, "x", "y",
// "x#1", ... in the given order. False when it cannot be written.
bool WriteSolutionFile(const std::string& path, const std::vector<std::pair<int32_t, int32_t>>& lights);
