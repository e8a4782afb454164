// The result document of the judge operations: one value, "lights", index
// 0, written by CheckSolution (the verdict's number of lights, or the empty
// text for a solution that does not light the field) and ordered by
// CompareResults. The game window answers the framework's two judge
// operations with these, and glowmere-judge ranks its files by the same
// standing.
#pragma once

#include <cstdint>
#include <optional>

#include "framework/NameValueTree.h"

inline constexpr const char* ResultLightsKey = "lights";
// The standing of a result without lights: behind every solution that
// lights the field.
inline constexpr int32_t NoLightsCount = 1000000000;

// lights: the verdict's; none writes the empty text.
void WriteResult(TNameValueTree& result, const std::optional<int32_t>& lights);
// A missing, empty or unreadable "lights" stands as NoLightsCount.
int32_t ResultStanding(TNameValueTree& result);
// The standing of a verdict: what ResultStanding reads from WriteResult.
inline int32_t StandingOf(const std::optional<int32_t>& lights) { return lights.value_or(NoLightsCount); }

// Fewer lights is better: 1 when a is better, -1 when b is, 0 when equal.
inline int32_t CompareStandings(int32_t a, int32_t b) { return a > b ? -1 : (a < b ? 1 : 0); }
// CompareResults: the standings of two result documents, as CompareStandings.
int32_t CompareResultDocuments(TNameValueTree& a, TNameValueTree& b);
