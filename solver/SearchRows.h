// The rows as the local search sees them: every known witness row, each
// restricted to the search's columns (the core), with rows that another
// row's restriction lies inside and columns that another column's rows
// hold left out. A choice that meets every row here meets every known row
// (a left-out row holds a kept row's columns, a left-out column's rows all
// hold the column that held it), so the search works on a fraction of the
// nonzeros; and the dark check stays geometric, so a column left out can
// make the search worse, never a cover wrong.
//
// Rows are numbered as in the witness rows. The search rows are read by
// several searches at once and changed only between their time slices,
// on the thread that owns them.
#pragma once

#include <cstdint>
#include <vector>

#include "solver/WitnessRows.h"

class TSearchRows {
 public:
  explicit TSearchRows(int32_t columns) : rowsOf_(size_t(columns)), inSearch_(size_t(columns), 1) {}

  // Every known row anew over core (ascending candidates; empty: every
  // candidate, and then without the dominance, which would cost more than
  // it saves on whole rows). A row with no column in the core keeps all of
  // its own.
  void Build(const TWitnessRows& known, const std::vector<int32_t>& core);
  // Takes in the rows known since the last Build or Extend, each over the
  // search's columns, or all of its own where it holds none of them.
  void Extend(const TWitnessRows& known);

  int32_t Columns() const { return int32_t(rowsOf_.size()); }
  int32_t Count() const { return int32_t(rows_.size()); }  // rows taken in, left-out ones included
  // The search's columns of row r, ascending; empty: left out.
  const std::vector<int32_t>& Row(int32_t r) const { return rows_[size_t(r)]; }
  // The rows that column c is a search column of, ascending.
  const std::vector<int32_t>& RowsOf(int32_t c) const { return rowsOf_[size_t(c)]; }
  int64_t Entries() const { return entries_; }
  // Counts the Builds: a search that saw another one takes everything anew.
  int64_t Generation() const { return generation_; }

 private:
  void Add(int32_t r, std::vector<int32_t> row);
  // A row's search columns, or all of its own (which then join them).
  std::vector<int32_t> Restrict(const std::vector<int32_t>& whole);

  std::vector<std::vector<int32_t>> rows_, rowsOf_;
  std::vector<uint8_t> inSearch_;  // per column
  int64_t entries_ = 0;
  int64_t generation_ = 0;
};
