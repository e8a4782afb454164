#include "solver/WitnessRows.h"

#include <algorithm>

int32_t TWitnessRows::Add(std::vector<int32_t> row) {
  const int32_t r = int32_t(rows_.size());
  for (int32_t c : row) rowsOf_[size_t(c)].push_back(r);
  entries_ += int64_t(row.size());
  rows_.push_back(std::move(row));
  return r;
}

std::vector<int32_t> TWitnessRows::Unmet(const std::vector<int32_t>& chosen) const {
  std::vector<uint8_t> met(rows_.size(), 0);
  for (int32_t c : chosen)
    for (int32_t r : rowsOf_[size_t(c)]) met[size_t(r)] = 1;
  std::vector<int32_t> unmet;
  for (size_t r = 0; r < met.size(); ++r)
    if (!met[r]) unmet.push_back(int32_t(r));
  return unmet;
}
