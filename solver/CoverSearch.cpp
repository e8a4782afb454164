// With size columns chosen, each move takes out the chosen column whose
// rows are least missed (the one just put in stays), puts in the column
// that meets most weight among the rows of a random unmet row (the one
// just taken out stays out), and adds 1 to the weight of every row still
// unmet, so that rows that stay unmet pull ever harder. Ties go to the
// column that changed longest ago. Configuration checking keeps the search
// from cycling: a column that was taken out may come back only once one
// of its rows has been met or left unmet since, that is once the choice
// around it changed.
//
// Scores follow every change incrementally. A chosen column's score is
// minus the weight of the rows that only it meets; another column's is
// the weight of the unmet rows it would meet. The one chosen column of a
// row met once is found as the sum of the row's chosen columns, so no row
// is ever searched.
#include "solver/CoverSearch.h"

#include <algorithm>

namespace {

// The weight added since the last halving, per row, that brings the next.
constexpr int64_t ForgetAfter = 100;

uint64_t Next(uint64_t& state) {
  uint64_t z = (state += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

}  // namespace

void TCoverSearch::Sync(const TSearchRows& rows) {
  const bool anew = rows_ != &rows || generation_ != rows.Generation();
  rows_ = &rows;
  generation_ = rows.Generation();
  const size_t m = size_t(rows.Columns());
  if (chosen_.size() != m) {
    chosen_.assign(m, 0);
    allowed_.assign(m, 1);
    score_.assign(m, 0);
    stamp_.assign(m, 0);
    members_.clear();
  }
  weight_.resize(size_t(rows.Count()), 1);
  if (anew) {
    Recount();
    return;
  }
  count_.resize(weight_.size(), 0);
  sum_.resize(weight_.size(), 0);
  place_.resize(weight_.size(), -1);
  for (; taken_ < rows.Count(); ++taken_) TakeRow(taken_);
}

void TCoverSearch::Recount() {
  const size_t n = weight_.size();
  count_.assign(n, 0);
  sum_.assign(n, 0);
  place_.assign(n, -1);
  unmet_.clear();
  std::fill(score_.begin(), score_.end(), 0);
  for (taken_ = 0; taken_ < rows_->Count(); ++taken_) TakeRow(taken_);
}

// Row r's count, sum and place from the choice, and its weight in the
// scores of its columns.
void TCoverSearch::TakeRow(int32_t r) {
  const auto& row = rows_->Row(r);
  if (row.empty()) return;  // left out of the search
  int32_t count = 0;
  int64_t sum = 0;
  for (int32_t c : row)
    if (chosen_[size_t(c)]) {
      ++count;
      sum += c;
    }
  count_[size_t(r)] = count;
  sum_[size_t(r)] = sum;
  const int64_t w = weight_[size_t(r)];
  if (count == 0) {
    Uncover(r);
    for (int32_t c : row) score_[size_t(c)] += w;
  } else if (count == 1) {
    score_[size_t(sum)] -= w;
  }
}

void TCoverSearch::Add(int32_t c) {
  chosen_[size_t(c)] = 1;
  stamp_[size_t(c)] = moves_;
  members_.push_back(c);
  score_[size_t(c)] = 0;
  for (int32_t r : rows_->RowsOf(c)) {
    const int64_t w = weight_[size_t(r)];
    if (++count_[size_t(r)] == 1) {
      Cover(r);
      for (int32_t other : rows_->Row(r)) {
        if (other != c) score_[size_t(other)] -= w;
        allowed_[size_t(other)] = 1;
      }
      score_[size_t(c)] -= w;
    } else if (count_[size_t(r)] == 2) {
      score_[size_t(sum_[size_t(r)])] += w;  // no longer the only one
    }
    sum_[size_t(r)] += c;
  }
}

void TCoverSearch::Remove(int32_t c) {
  chosen_[size_t(c)] = 0;
  stamp_[size_t(c)] = moves_;
  members_.erase(std::find(members_.begin(), members_.end(), c));
  score_[size_t(c)] = 0;
  for (int32_t r : rows_->RowsOf(c)) {
    const int64_t w = weight_[size_t(r)];
    sum_[size_t(r)] -= c;
    if (--count_[size_t(r)] == 0) {
      Uncover(r);
      for (int32_t other : rows_->Row(r)) {
        score_[size_t(other)] += w;
        allowed_[size_t(other)] = 1;
      }
    } else if (count_[size_t(r)] == 1) {
      score_[size_t(sum_[size_t(r)])] -= w;  // now the only one
    }
  }
  allowed_[size_t(c)] = 0;
}

void TCoverSearch::Choose(const std::vector<int32_t>& columns) {
  std::vector<uint8_t> wanted(chosen_.size(), 0);
  for (int32_t c : columns) wanted[size_t(c)] = 1;
  for (const int32_t c : std::vector<int32_t>(members_))
    if (!wanted[size_t(c)]) Remove(c);
  for (int32_t c : columns)
    if (!chosen_[size_t(c)]) Add(c);
  lastIn_ = -1;
}

void TCoverSearch::Resize(int32_t size) {
  while (Size() > std::max(size, 0)) Remove(LeastMissed(-1));
  while (Size() < size) {
    const int32_t c = BestOfAll();
    if (c < 0) break;
    Add(c);
  }
  lastIn_ = -1;
}

bool TCoverSearch::Run(const std::function<bool()>& enough) {
  while (!Covered()) {
    if (members_.empty()) return false;
    if (moves_ % 64 == 0 && enough()) return false;
    Move();
  }
  return true;
}

void TCoverSearch::Move() {
  ++moves_;
  int32_t out = LeastMissed(lastIn_);
  if (out < 0) out = LeastMissed(-1);  // a choice of one column
  Remove(out);
  int32_t in = BestFor(unmet_[size_t(Next(random_) % unmet_.size())], out);
  if (in < 0) in = out;
  Add(in);
  lastIn_ = in;
  WeighUnmet();
}

int32_t TCoverSearch::LeastMissed(int32_t keep) const {
  int32_t best = -1;
  for (int32_t c : members_) {
    if (c == keep) continue;
    if (best < 0 || score_[size_t(c)] > score_[size_t(best)] ||
        (score_[size_t(c)] == score_[size_t(best)] && stamp_[size_t(c)] < stamp_[size_t(best)]))
      best = c;
  }
  return best;
}

// The column of row r that meets most unmet weight, other than avoid, of
// those allowed back in; of all of them where none is.
int32_t TCoverSearch::BestFor(int32_t r, int32_t avoid) const {
  int32_t best = -1;
  bool bestAllowed = false;
  for (int32_t c : rows_->Row(r)) {
    if (c == avoid) continue;
    const bool allowed = allowed_[size_t(c)] != 0;
    if (best < 0 || (allowed && !bestAllowed) ||
        (allowed == bestAllowed &&
         (score_[size_t(c)] > score_[size_t(best)] ||
          (score_[size_t(c)] == score_[size_t(best)] && stamp_[size_t(c)] < stamp_[size_t(best)])))) {
      best = c;
      bestAllowed = allowed;
    }
  }
  return best;
}

int32_t TCoverSearch::BestOfAll() const {
  int32_t best = -1;
  for (int32_t c = 0; c < int32_t(chosen_.size()); ++c)
    if (!chosen_[size_t(c)] && (best < 0 || score_[size_t(c)] > score_[size_t(best)]))
      best = c;
  return best;
}

void TCoverSearch::WeighUnmet() {
  for (int32_t r : unmet_) {
    ++weight_[size_t(r)];
    for (int32_t c : rows_->Row(r)) ++score_[size_t(c)];
  }
  added_ += int64_t(unmet_.size());
  if (added_ > ForgetAfter * int64_t(weight_.size() + 1)) Forget();
}

// Weights that only grow come to be so far apart after a long run that a
// move hardly changes which rows lead: halving them all now and then
// keeps the order of the hard rows and lets the others count again.
void TCoverSearch::Forget() {
  for (int64_t& w : weight_) w = std::max<int64_t>(1, w / 2);
  added_ = 0;
  Recount();
}

void TCoverSearch::Cover(int32_t r) {
  const int32_t at = place_[size_t(r)];
  const int32_t last = unmet_.back();
  unmet_[size_t(at)] = last;
  place_[size_t(last)] = at;
  unmet_.pop_back();
  place_[size_t(r)] = -1;
}

void TCoverSearch::Uncover(int32_t r) {
  place_[size_t(r)] = int32_t(unmet_.size());
  unmet_.push_back(r);
}

std::vector<int32_t> TCoverSearch::Chosen() const {
  std::vector<int32_t> chosen = members_;
  std::sort(chosen.begin(), chosen.end());
  return chosen;
}

bool FindCoverOfSize(const TWitnessRows& rows, int32_t size, std::vector<int32_t>& chosen,
                     const TLocalSearchLimits& limits) {
  TSearchRows searchRows(rows.Columns());
  searchRows.Build(rows, {});
  TCoverSearch search(limits.seed);
  search.Sync(searchRows);
  search.Choose(chosen);
  search.Resize(size);
  const bool found = search.Run([&] { return search.Moves() >= limits.steps || limits.deadline.Passed(); });
  chosen = search.Chosen();
  return found && search.Size() == size;
}
