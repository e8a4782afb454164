// Witnesses from the fractional solution of the LP relaxation: floor points
// that the solution lights less than once (the sum of its values over the
// candidates that see the point is below 1). Each is a row that the LP
// solution leaves short, so once it joins, the LP's value rises or its
// solution moves, whether or not any integer cover came near; that keeps
// the bound rising while the local search finds nothing.
//
// The pieces of floor lit less than once are the faces of the arrangement
// of the support's regions whose sum is below 1. They are found by
// sampling: every region adds its value at the sample points inside it on
// a grid of SamplesPerCell points a cell side, and the samples below 1 are
// then checked exactly through the sight grid (TCoverField::SeersOf, which
// never leaves out a candidate that sees the point): only points whose row
// is short are returned. A face thinner than the sample spacing can be
// missed, never one reported wrongly.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "solver/CoverField.h"
#include "solver/Deadline.h"

constexpr int32_t SamplesPerCell = 8;

struct TFractionalWitness {
  gpc_vertex point;
  std::vector<int32_t> row;  // SeersOf(point)
  double lit = 0;            // the solution's sum over row, below 1
};

// solution: (candidate, value) with values in (0, 1]; the regions of its
// candidates must be computed (TCoverField::PrepareRegions). At most most
// witnesses, the least lit first, no two with the same row. Empty when
// the deadline came first.
std::vector<TFractionalWitness> FractionalWitnesses(const TCoverField& field,
                                                    const std::vector<std::pair<int32_t, double>>& solution,
                                                    size_t most, int32_t threads, const TDeadline& deadline);
