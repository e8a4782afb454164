// The cover program through GLPK: the LP relaxation by the simplex method,
// then branch and cut; the warm start enters through the callback as a
// heuristic solution, and the callback keeps the best node bound so that a
// time limit still yields a lower bound. GLPK runs on one thread.
#include <glpk.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <stdexcept>

#include "solver/CoverProgram.h"

namespace {

struct TGlpkProblem {
  glp_prob* problem = glp_create_prob();
  ~TGlpkProblem() { glp_delete_prob(problem); }
};

struct TSearch {
  const std::vector<double>* start = nullptr;  // 1-based values, or null
  int32_t atLeast = 0;
  bool started = false;
  double bound = -HUGE_VAL;
};

void Callback(glp_tree* tree, void* info) {
  auto* search = static_cast<TSearch*>(info);
  switch (glp_ios_reason(tree)) {
    case GLP_IHEUR:
      if (search->start && !search->started) {
        search->started = true;
        glp_ios_heur_sol(tree, search->start->data());
      }
      break;
    case GLP_IBINGO:
      // Nothing is smaller than the known bound: done.
      if (search->atLeast > 0 && glp_mip_obj_val(glp_ios_get_prob(tree)) < search->atLeast + 0.5)
        glp_ios_terminate(tree);
      break;
    case GLP_ISELECT: {
      const int best = glp_ios_best_node(tree);
      if (best != 0) search->bound = std::max(search->bound, glp_ios_node_bound(tree, best));
      break;
    }
    default:
      break;
  }
}

class TGlpkCoverProgram : public TCoverProgram {
 public:
  std::string Name() const override { return "glpk"; }
  TCoverAnswer Solve(const TCoverProblem& problem) override;
};

TCoverAnswer TGlpkCoverProgram::Solve(const TCoverProblem& problem) {
  const auto began = std::chrono::steady_clock::now();
  glp_term_out(GLP_OFF);
  const int ncols = problem.columns;
  const int nrows = int(problem.rows.size());
  TGlpkProblem p;
  glp_set_obj_dir(p.problem, GLP_MIN);
  if (nrows > 0) glp_add_rows(p.problem, nrows);
  glp_add_cols(p.problem, ncols);
  for (int c = 1; c <= ncols; ++c) {
    glp_set_col_kind(p.problem, c, GLP_BV);
    glp_set_obj_coef(p.problem, c, 1.0);
  }
  // GLPK's arrays start at 1.
  std::vector<int> ia{0}, ja{0};
  for (int r = 0; r < nrows; ++r) {
    glp_set_row_bnds(p.problem, r + 1, GLP_LO, 1.0, 0.0);
    for (int32_t c : problem.rows[size_t(r)]) {
      ia.push_back(r + 1);
      ja.push_back(c + 1);
    }
  }
  const std::vector<double> ar(ia.size(), 1.0);
  glp_load_matrix(p.problem, int(ia.size()) - 1, ia.data(), ja.data(), ar.data());

  auto msLeft = [&] {
    const double spent = std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
    return int(std::clamp((problem.timeLimit - spent) * 1000.0, 1.0, 2e9));
  };
  glp_smcp simplex;
  glp_init_smcp(&simplex);
  simplex.msg_lev = GLP_MSG_OFF;
  simplex.tm_lim = msLeft();
  const int lp = glp_simplex(p.problem, &simplex);

  TCoverAnswer answer;
  answer.chosen = problem.start;
  answer.lowerBound = problem.atLeast;
  if (lp != 0 || glp_get_status(p.problem) != GLP_OPT) {
    if (lp == GLP_ETMLIM) return answer;
    throw std::runtime_error("GLPK could not solve the cover program's relaxation");
  }
  TSearch search;
  search.atLeast = problem.atLeast;
  search.bound = glp_get_obj_val(p.problem);
  std::vector<double> start;
  if (!problem.start.empty()) {
    start.assign(size_t(ncols) + 1, 0.0);
    for (int32_t c : problem.start) start[size_t(c) + 1] = 1.0;
    search.start = &start;
  }
  glp_iocp iocp;
  glp_init_iocp(&iocp);
  iocp.msg_lev = GLP_MSG_OFF;
  iocp.tm_lim = msLeft();
  iocp.cb_func = Callback;
  iocp.cb_info = &search;
  iocp.gmi_cuts = GLP_ON;
  iocp.clq_cuts = GLP_ON;
  iocp.cov_cuts = GLP_ON;
  iocp.mir_cuts = GLP_ON;
  const int mip = glp_intopt(p.problem, &iocp);
  if (mip != 0 && mip != GLP_ETMLIM && mip != GLP_ESTOP) throw std::runtime_error("GLPK failed on the cover program");

  const int status = glp_mip_status(p.problem);
  if (status == GLP_OPT || status == GLP_FEAS) {
    answer.chosen.clear();
    for (int c = 1; c <= ncols; ++c)
      if (glp_mip_col_val(p.problem, c) > 0.5) answer.chosen.push_back(c - 1);
  }
  const int32_t size = int32_t(answer.chosen.size());
  answer.optimal = !answer.chosen.empty() && ((mip == 0 && status == GLP_OPT) || size <= problem.atLeast);
  answer.lowerBound = std::max(problem.atLeast, IntegerBound(search.bound));
  if (answer.optimal || (!answer.chosen.empty() && answer.lowerBound > size)) answer.lowerBound = size;
  return answer;
}

}  // namespace

std::unique_ptr<TCoverProgram> MakeGlpkCoverProgram() { return std::make_unique<TGlpkCoverProgram>(); }
