// Swap search with row weights, in the manner of the row-weighting local
// searches for unicost set cover. With `size` columns chosen, each step
// takes out the chosen column whose rows are least missed (the one just
// put in stays), puts in the column that meets most weight among the rows
// of a random unmet row (the one just taken out stays out), and adds 1 to
// the weight of every row still unmet, so that rows that stay unmet pull
// ever harder. Ties go to the column that changed longest ago.
//
// Scores follow every change incrementally. A chosen column's score is
// minus the weight of the rows that only it meets; another column's is
// the weight of the unmet rows it would meet. The one chosen column of a
// row met once is found as the sum of the row's chosen columns, so no row
// is ever searched.
#include "solver/CoverLocalSearch.h"

#include <algorithm>

namespace {

class TSearch {
 public:
  TSearch(const TWitnessRows& rows) : rows_(rows) {
    const size_t n = size_t(rows.Count()), m = size_t(rows.Columns());
    chosen_.assign(m, 0);
    score_.assign(m, 0);
    stamp_.assign(m, 0);
    count_.assign(n, 0);
    sum_.assign(n, 0);
    weight_.assign(n, 1);
    place_.assign(n, -1);
    for (size_t r = 0; r < n; ++r) Uncover(int32_t(r));
    for (int32_t c = 0; c < rows.Columns(); ++c) score_[size_t(c)] = int64_t(rows.RowsOf(c).size());
  }

  bool Done() const { return unmet_.empty(); }

  void Add(int32_t c, int64_t step) {
    chosen_[size_t(c)] = 1;
    stamp_[size_t(c)] = step;
    members_.push_back(c);
    score_[size_t(c)] = 0;
    for (int32_t r : rows_.RowsOf(c)) {
      const int64_t w = weight_[size_t(r)];
      if (++count_[size_t(r)] == 1) {
        Cover(r);
        for (int32_t other : rows_.Row(r))
          if (other != c) score_[size_t(other)] -= w;
        score_[size_t(c)] -= w;
      } else if (count_[size_t(r)] == 2) {
        score_[size_t(sum_[size_t(r)])] += w;  // no longer the only one
      }
      sum_[size_t(r)] += c;
    }
  }

  void Remove(int32_t c, int64_t step) {
    chosen_[size_t(c)] = 0;
    stamp_[size_t(c)] = step;
    members_.erase(std::find(members_.begin(), members_.end(), c));
    score_[size_t(c)] = 0;
    for (int32_t r : rows_.RowsOf(c)) {
      const int64_t w = weight_[size_t(r)];
      sum_[size_t(r)] -= c;
      if (--count_[size_t(r)] == 0) {
        Uncover(r);
        for (int32_t other : rows_.Row(r)) score_[size_t(other)] += w;
      } else if (count_[size_t(r)] == 1) {
        score_[size_t(sum_[size_t(r)])] -= w;  // now the only one
      }
    }
  }

  // The chosen column missed least, other than keep.
  int32_t LeastMissed(int32_t keep) const {
    int32_t best = -1;
    for (int32_t c : members_) {
      if (c == keep) continue;
      if (best < 0 || score_[size_t(c)] > score_[size_t(best)] ||
          (score_[size_t(c)] == score_[size_t(best)] && stamp_[size_t(c)] < stamp_[size_t(best)]))
        best = c;
    }
    return best;
  }

  // The column of row r that meets most unmet weight, other than avoid.
  int32_t BestFor(int32_t r, int32_t avoid) const {
    int32_t best = -1;
    for (int32_t c : rows_.Row(r)) {
      if (c == avoid) continue;
      if (best < 0 || score_[size_t(c)] > score_[size_t(best)] ||
          (score_[size_t(c)] == score_[size_t(best)] && stamp_[size_t(c)] < stamp_[size_t(best)]))
        best = c;
    }
    return best;
  }

  // The column that meets most unmet weight of all.
  int32_t BestOfAll() const {
    int32_t best = -1;
    for (int32_t c = 0; c < rows_.Columns(); ++c)
      if (!chosen_[size_t(c)] && (best < 0 || score_[size_t(c)] > score_[size_t(best)])) best = c;
    return best;
  }

  void WeighUnmet() {
    for (int32_t r : unmet_) {
      ++weight_[size_t(r)];
      for (int32_t c : rows_.Row(r)) ++score_[size_t(c)];
    }
  }

  int32_t UnmetRow(uint64_t random) const { return unmet_[size_t(random % unmet_.size())]; }
  const std::vector<int32_t>& Members() const { return members_; }
  size_t Size() const { return members_.size(); }

 private:
  void Cover(int32_t r) {
    const int32_t at = place_[size_t(r)];
    const int32_t last = unmet_.back();
    unmet_[size_t(at)] = last;
    place_[size_t(last)] = at;
    unmet_.pop_back();
    place_[size_t(r)] = -1;
  }
  void Uncover(int32_t r) {
    place_[size_t(r)] = int32_t(unmet_.size());
    unmet_.push_back(r);
  }

  const TWitnessRows& rows_;
  std::vector<uint8_t> chosen_;
  std::vector<int64_t> score_, stamp_;
  std::vector<int32_t> count_;
  std::vector<int64_t> sum_, weight_;
  std::vector<int32_t> place_, unmet_, members_;
};

uint64_t Next(uint64_t& state) {
  uint64_t z = (state += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

}  // namespace

bool FindCoverOfSize(const TWitnessRows& rows, int32_t size, std::vector<int32_t>& chosen,
                     const TLocalSearchLimits& limits) {
  TSearch search(rows);
  int64_t step = 0;
  std::vector<int32_t> start = chosen;
  std::sort(start.begin(), start.end());
  start.erase(std::unique(start.begin(), start.end()), start.end());
  for (int32_t c : start) search.Add(c, step);
  while (int32_t(search.Size()) > size) search.Remove(search.LeastMissed(-1), step);
  while (int32_t(search.Size()) < size) {
    const int32_t c = search.BestOfAll();
    if (c < 0) break;
    search.Add(c, step);
  }
  uint64_t random = limits.seed;
  int32_t lastIn = -1;
  while (!search.Done() && step < limits.steps && search.Size() > 0) {
    if (++step % 16 == 0 && limits.deadline.Passed()) break;
    const int32_t out = search.LeastMissed(lastIn);
    if (out < 0) break;
    search.Remove(out, step);
    const int32_t in = search.BestFor(search.UnmetRow(Next(random)), out);
    if (in < 0) {
      search.Add(out, step);
      break;
    }
    search.Add(in, step);
    lastIn = in;
    search.WeighUnmet();
  }
  chosen = search.Members();
  std::sort(chosen.begin(), chosen.end());
  return search.Done();
}
