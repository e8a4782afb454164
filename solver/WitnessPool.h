// What the witness search knows and the work on it that touches the
// geometry: the witness rows, the share of them that the integer program
// is asked about (the active rows), the dark remainder of a choice and the
// witnesses placed in it, and the greedy repair of a choice into a full
// cover. Every step that can take long reads the deadline and gives up
// when it passed; the times go to the counters of TSolveTimes.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "solver/CoverField.h"
#include "solver/Deadline.h"
#include "solver/FewestLights.h"
#include "solver/LagrangianBound.h"
#include "solver/WitnessRows.h"

class TWitnessPool {
 public:
  TWitnessPool(TCoverField& field, const TSolveOptions& options, TSolveTimes& times);

  // The search gives up at this deadline; it lies before the end of the
  // time limit by what the final measurement of the best cover will take.
  const TDeadline& Deadline() const { return deadline_; }
  // Keeps seconds free at the end of the time limit.
  void Reserve(double seconds);
  double Elapsed() const;
  // The longest dark remainder so far, in seconds.
  double LongestDark() const { return longestDark_; }

  const TWitnessRows& Rows() const { return rows_; }
  size_t Witnesses() const { return witnesses_; }

  // Adds the rows of points; the numbers of the new rows go to added.
  // False when the deadline came first.
  bool AddWitnesses(const std::vector<gpc_vertex>& points, std::vector<int32_t>* added);
  // Adds witnesses whose rows are known (rows[k] = SeersOf(points[k]));
  // returns the numbers of the new rows.
  std::vector<int32_t> AddRows(const std::vector<gpc_vertex>& points, std::vector<std::vector<int32_t>> rows);
  // The witness point of each row, by row number.
  const std::vector<gpc_vertex>& Points() const { return points_; }
  // The dark remainder of chosen; null when the deadline came first.
  std::unique_ptr<TPolygon> Dark(const std::vector<int32_t>& chosen);
  // Witnesses in the pieces of dark, added; the new rows go to added.
  // Of the samples in a piece (SamplesInDark) only those join whose row
  // holds no other sample's row: a light that sees such a sample sees
  // the other too, so its row would ask for less. At most
  // 2 * witnessesPerPiece join per piece, the shortest rows first. False
  // when the deadline came first.
  bool AddWitnessesIn(const TPolygon& dark, std::vector<int32_t>* added);

  // Extends chosen until it lights the whole floor: greedily over the
  // witnesses (GreedyExtend, guided by prices where there are any), then
  // over new ones in whatever it leaves dark. Where the
  // darkness is too thin for a witness that chosen does not see, the
  // candidate that lights most of it is added instead. firstDark: the dark
  // area of the first greedy extension. False when the deadline came first.
  bool MakeFull(std::vector<int32_t>& chosen, long double& firstDark, const TMultipliers& prices = {});

  // Of rows, those that none of chosen is in.
  std::vector<int32_t> UnmetAmong(const std::vector<int32_t>& rows, const std::vector<int32_t>& chosen) const;

  // The active rows: those the integer program is asked about.
  std::vector<int32_t>& Active() { return active_; }
  // Up to batch of unmet join the active rows: rows that share no column
  // first (each of them needs a light of its own), then the smallest.
  void Activate(const std::vector<int32_t>& unmet, int32_t batch);

 private:
  int32_t LightsMostOf(const TPolygon& dark, const std::vector<int32_t>& rows);

  TCoverField& field_;
  const TSolveOptions& options_;
  TSolveTimes& times_;
  TDeadline end_, deadline_;
  TWitnessRows rows_;
  std::vector<gpc_vertex> points_;  // rows_.Count() of them
  std::vector<int32_t> active_;
  size_t witnesses_ = 0;
  double longestDark_ = 0;
};
