// The identity the game starts the framework with: contest year, task name
// and level. The per-user folder, the file names and the single-game lock
// all follow from it.
#pragma once

#include <cstdint>

inline constexpr int32_t GlowmereYear = 2009;
inline constexpr const char* GlowmereTaskName = "Glowmere";
inline constexpr int32_t GlowmereLevel = 2;
