// The identity the game starts the framework with: contest year, task name
// and level. The per-user folder, the file names and the single-game lock
// all follow from it, and every solution file carries the level: the
// game's Save, the solver's --out and the judge's check of a file's level
// take it from here.
#pragma once

#include <cstdint>

inline constexpr int32_t GlowmereYear = 2009;
inline constexpr const char* GlowmereTaskName = "Glowmere";
inline constexpr int32_t GlowmereLevel = 2;
