// The row-weighting local search for a cover of a given size, in the
// manner of the row-weighting searches for unicost set cover: the fast way
// to answer "is there a cover of k columns?" when the answer is yes (when
// it is no, only the integer program can say so; the search just goes on).
//
// One search lives for the whole run: its row weights persist across
// sizes and across rows that join (a new row enters with weight 1 and its
// count taken from the current choice), so what it learnt of the hard
// rows is never lost. It runs in slices: Run returns when the choice meets
// every row or when the caller says enough, and the next Run goes on from
// there.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "solver/Deadline.h"
#include "solver/SearchRows.h"
#include "solver/WitnessRows.h"

class TCoverSearch {
 public:
  explicit TCoverSearch(uint64_t seed) : random_(seed) {}

  // Takes in the rows as they are now: after a Build of rows everything
  // anew from the choice (weights kept), else the rows added since.
  // Must come before the other calls whenever rows changed.
  void Sync(const TSearchRows& rows);
  // The choice becomes columns (repeats and order do not matter).
  void Choose(const std::vector<int32_t>& columns);
  // Takes out the columns missed least, or puts in those meeting most
  // unmet weight, until size are chosen.
  void Resize(int32_t size);
  // Moves until the choice meets every row (true) or enough() (asked every
  // few dozen moves) says to stop (false).
  bool Run(const std::function<bool()>& enough);

  bool Covered() const { return unmet_.empty(); }
  int32_t Size() const { return int32_t(members_.size()); }
  std::vector<int32_t> Chosen() const;  // ascending
  int64_t Moves() const { return moves_; }

 private:
  void Recount();
  void TakeRow(int32_t r);
  void Add(int32_t c);
  void Remove(int32_t c);
  void Move();
  int32_t LeastMissed(int32_t keep) const;
  int32_t BestFor(int32_t r, int32_t avoid) const;
  int32_t BestOfAll() const;
  void WeighUnmet();
  void Forget();
  void Cover(int32_t r);
  void Uncover(int32_t r);

  const TSearchRows* rows_ = nullptr;
  int64_t generation_ = -1;
  int32_t taken_ = 0;  // rows taken in
  uint64_t random_;
  int64_t moves_ = 0;
  int64_t added_ = 0;  // weight added since the last halving
  int32_t lastIn_ = -1;
  // Per column: chosen, allowed back in (configuration checking), score,
  // when it last changed.
  std::vector<uint8_t> chosen_, allowed_;
  std::vector<int64_t> score_, stamp_;
  // Per row: chosen columns in it, their sum, its weight, its place in unmet_.
  std::vector<int32_t> count_;
  std::vector<int64_t> sum_, weight_;
  std::vector<int32_t> place_, unmet_, members_;
};

struct TLocalSearchLimits {
  int64_t steps = INT64_MAX;  // moves at most
  TDeadline deadline;
  uint64_t seed = 1;  // the search is the same for the same seed
};

// A search of its own for size columns that meet every row of rows (all
// of their columns). chosen: the columns to start from (any number); on
// return the last choice, size columns, which meets every row when it
// returns true.
bool FindCoverOfSize(const TWitnessRows& rows, int32_t size, std::vector<int32_t>& chosen,
                     const TLocalSearchLimits& limits);
