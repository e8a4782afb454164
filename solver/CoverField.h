// The field as the solver sees it: the floor, the candidate lights, which
// candidates see a point, their lit regions, and what a set of candidates
// leaves dark.
//
// The walls, the floor, the free cells and the rule for where a light may
// stand are the level's (engine/Level.h), as the game and the judge take
// them. Candidates are the grid points where the game lets a light stand:
// every grid point of the field that is not walled in. A candidate's region
// is the level's own, so "lit" here is what the game's panel counts. Regions
// are computed on first use only: a search needs those of the lights it
// chooses, a small share of the candidates on a large map, and "which
// candidates see this point" is answered by TSightGrid without them.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "engine/Level.h"
#include "geometry/Polygons.h"
#include "raster/Bitmap32.h"
#include "solver/Deadline.h"
#include "solver/SightGrid.h"

struct TCandidate {
  int32_t gridX = 0, gridY = 0;
};

// Dark area that is only rounding, in square cells. Region vertices are
// rounded to the clipper's grid (about 6e-14 cells on a field of this
// size), and where two regions share a boundary line the two roundings can
// leave a sliver between them: at most 8e-28 square cells among 3000
// near-optimal sets on the shipped map, whose real dark pieces all
// measured above 2e-5. No real piece of floor is that small: every corner of a dark
// piece is where two lines through grid points meet, so its coordinates
// are fractions with denominators below 2 W H, and a piece of positive
// area holds a triangle of at least 1 / (2 (2 W H)^3) square cells, 5e-12
// for the shipped map and 1e-15 for the largest map the solver takes.
constexpr long double ArtefactArea = 1e-20L;

class TCoverField {
 public:
  // level: the level to light, shared with the caller (the editor keeps
  // drawing it while a solve runs).
  // seeingSlack: for tests only, a slack wider than the game's tolerance
  // asks (below 1/8 cell), so that darkness too thin for a witness is easy
  // to make; the bounds then hold for exact covers only.
  explicit TCoverField(std::shared_ptr<const TLevel> level, std::optional<double> seeingSlack = std::nullopt);
  ~TCoverField();

  const TLevel& Level() const { return *level_; }
  int32_t Width() const { return level_->Width(); }
  int32_t Height() const { return level_->Height(); }
  int32_t FreeCells() const { return level_->FreeCells(); }
  bool IsWallCell(int32_t x, int32_t y) const { return level_->IsWallCell(x, y); }  // outside the field: wall
  // The candidate at grid point p, or -1 when no light may stand there.
  int32_t CandidateAt(const TGridPoint& p) const;
  const std::vector<TCandidate>& Candidates() const { return candidates_; }
  int32_t CandidateCount() const { return int32_t(candidates_.size()); }

  // How close to a point a candidate must see for the point to count as
  // seen by it, in cells. A witness that no chosen light sees is the
  // corner of a dark quarter disc of this radius (it lies in a free cell,
  // and the slack is below half a cell) of pi r^2 / 4 square cells, chosen
  // four times the dark area that the game's full share allows: so a set
  // of lights that misses a witness is not full even by the game's
  // tolerance, and every lower bound holds for the game's record as well
  // as for exact covers. Darkness thinner than the slack cannot be told
  // from light by a witness; the solver says so when it meets such a
  // choice (TSolveResult::stalled).
  double SeeingSlack() const { return seeingSlack_; }
  // The candidates that see p, ascending: every candidate that lights
  // anything within SeeingSlack of p is among them (TSightGrid with twice
  // the slack as its margin), and a candidate is only among them when its
  // view of p comes within that margin of being clear.
  std::vector<int32_t> SeersOf(gpc_vertex p) const;
  // The same for many points, on threads; false (and rows incomplete) when
  // the deadline came first.
  bool SeersOf(const std::vector<gpc_vertex>& points, int32_t threads, const TDeadline& deadline,
               std::vector<std::vector<int32_t>>& rows) const;

  // A candidate's lit region, computed on first use (not thread-safe; use
  // PrepareRegions to compute many on threads).
  const TPolygon& Region(int32_t candidate) const;
  // Computes the regions of the candidates that have none yet, on
  // threads; false when the deadline came first (some stay missing).
  bool PrepareRegions(const std::vector<int32_t>& candidates, int32_t threads, const TDeadline& deadline) const;
  // Seconds spent computing regions so far.
  double RegionSeconds() const { return regionSeconds_; }

  // The floor that the chosen candidates leave dark: DarkRemainderOf their
  // regions (engine/Verdict.h), the one the judge measures.
  std::unique_ptr<TPolygon> DarkRemainder(const std::vector<int32_t>& chosen) const;
  // The chosen candidates leave no dark area beyond rounding.
  bool LightsWholeFloor(const std::vector<int32_t>& chosen) const;
  // The lit share as the game's panel computes it (the union's area over
  // the free cells, in percent).
  long double LitPercent(const std::vector<int32_t>& chosen) const;

 private:
  std::shared_ptr<const TLevel> level_;
  double seeingSlack_ = 0;
  std::vector<TCandidate> candidates_;
  std::vector<int32_t> candidateAt_;  // (W + 1) * (H + 1) grid points; -1: no candidate
  std::unique_ptr<TSightGrid> sight_;
  mutable std::vector<std::unique_ptr<TPolygon>> regions_;  // per candidate; null until needed
  mutable double regionSeconds_ = 0;
};
