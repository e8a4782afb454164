// The searches for a better cover than the best, one per thread, over one
// set of search rows that they share and only read while they run. Rows
// join, and the core is rebuilt, between their time slices, on the thread
// that owns the team; each search keeps its own weights and choice, and a
// cover that one search finds lowers the size every other one works at.
//
// The threads start inside Run and are joined before it returns, so that
// a caller that forks a child (ContainedCall) has none running at the
// fork: a team running alongside a child is started after the fork.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <stop_token>
#include <vector>

#include "solver/CoverSearch.h"
#include "solver/Deadline.h"
#include "solver/SearchRows.h"
#include "solver/WitnessRows.h"

class TCoverSearchTeam {
 public:
  TCoverSearchTeam(int32_t columns, int32_t searches, uint64_t seed);

  // Rows known since the last call join every search, with weight 1.
  void Take(const TWitnessRows& known);
  // Every known row anew over core (TSearchRows::Build), weights kept.
  void SetCore(const TWitnessRows& known, const std::vector<int32_t>& core);
  // Every search works at size columns from now: those at another size
  // go on from the columns of from (trimmed or extended to size), those at
  // size from where they are.
  void Aim(const std::vector<int32_t>& from, int32_t size);
  int32_t Target() const { return target_; }

  // Runs searches 0 .. threads-1, each on a thread of its own (the
  // calling thread runs the first), until the deadline or a stop request;
  // with untilFirst, until the first search that meets every row. Each
  // cover found goes to TakeFound(); without untilFirst (where no one can
  // check the covers yet) every search then works one column below it,
  // but not below lowest: a search that found a cover of lowest columns
  // stops there, for each unchecked size below the best costs a check.
  void Run(int32_t threads, const TDeadline& deadline, std::stop_token stop, bool untilFirst, int32_t lowest = 1);
  // The covers found since the last call, smallest first.
  std::vector<std::vector<int32_t>> TakeFound();

  int32_t Searches() const { return int32_t(searches_.size()); }
  const TSearchRows& Rows() const { return rows_; }
  int64_t Moves() const;
  double Seconds() const { return seconds_; }      // wall-clock time in Run
  double Busy() const { return busySeconds_; }     // search threads' time, summed

 private:
  void RunOne(TCoverSearch& search, const TDeadline& deadline, std::stop_token stop, bool untilFirst, int32_t lowest);

  TSearchRows rows_;
  std::vector<std::unique_ptr<TCoverSearch>> searches_;
  std::atomic<int32_t> target_{INT32_MAX};  // the size every search works at, at most
  std::atomic<bool> done_{false};
  std::mutex foundLock_;
  std::vector<std::vector<int32_t>> found_;
  double seconds_ = 0, busySeconds_ = 0;
};
