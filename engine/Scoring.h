// The shares that decide whether a solution lights the whole floor, and the
// verdict the judge operations give a share beyond the tolerance.
#pragma once

#include <cstdint>

// A field is full from this share on; the slack absorbs rounding in the
// union of many regions, never a missing sliver of visible size.
constexpr long double FullThreshold = 99.9999999999L;
// No set of exact regions lights more than the floor; a share from here on
// can only come from a wrong region.
constexpr long double OverLitThreshold = 100.0000000001L;
// What CheckSolution gives a full solution whose share lies outside
// (FullThreshold, OverLitThreshold): the count of a weak solution, so that
// such a file ranks like one.
constexpr int32_t OverLitVerdict = 21;

// Whether the game counts a field lit to this share as full: the share that
// decides is the computed one, never its rounded text.
inline bool FullShare(long double percent) { return percent >= FullThreshold; }
// True when a full solution's verdict comes from its share rather than from
// its number of lights.
inline bool OverLitShare(long double percent) { return percent <= FullThreshold || percent >= OverLitThreshold; }
