// Greedy covers: quick upper bounds for the witness solver.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Adds columns to chosen until every row holds a chosen column, each time
// the column that covers the most rows still uncovered (the lowest column
// among equals). rows hold columns below `columns`; chosen stays in the
// order the columns were added.
void GreedyExtend(std::vector<int32_t>& chosen, const std::vector<std::vector<int32_t>>& rows, int32_t columns);
