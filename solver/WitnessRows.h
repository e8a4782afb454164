// The rows of the cover problem known so far: for every witness, the
// candidates that see it; and for every candidate, the rows it is in, so
// that the greedy cover and the local search can follow a column to its
// rows without building that index again each time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class TWitnessRows {
 public:
  explicit TWitnessRows(int32_t columns) : rowsOf_(size_t(columns)) {}

  int32_t Columns() const { return int32_t(rowsOf_.size()); }
  int32_t Count() const { return int32_t(rows_.size()); }
  int64_t Entries() const { return entries_; }  // the rows' lengths, summed
  const std::vector<int32_t>& Row(int32_t r) const { return rows_[size_t(r)]; }
  const std::vector<std::vector<int32_t>>& Rows() const { return rows_; }
  const std::vector<int32_t>& RowsOf(int32_t column) const { return rowsOf_[size_t(column)]; }

  // Adds a row (columns ascending, not empty); returns its number.
  int32_t Add(std::vector<int32_t> row);
  // The rows that none of chosen is in, ascending.
  std::vector<int32_t> Unmet(const std::vector<int32_t>& chosen) const;

 private:
  std::vector<std::vector<int32_t>> rows_;
  std::vector<std::vector<int32_t>> rowsOf_;
  int64_t entries_ = 0;
};
