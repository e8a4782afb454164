// The field as the solver sees it: the floor, the candidate lights with
// their lit regions, and what a set of candidates leaves dark.
//
// Candidates are the grid points where the game lets a light stand: every
// grid point of the field that is not walled in (IsWalledGridPoint). Each candidate's region is the engine's own
// ComputeLitRegion, so "lit" here is what the game's panel counts.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "geometry/Polygons.h"
#include "raster/Bitmap32.h"

struct TCandidate {
  int32_t gridX = 0, gridY = 0;
  std::unique_ptr<TPolygon> region;  // cell units, owned
  // The region's bounding box, cell units.
  double left = 0, top = 0, right = 0, bottom = 0;
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
  // map: WallPixel cells are walls, any other cell floor; its pixels are
  // the same after the call. Sets the engine's field size to the map's.
  // threads > 1 computes the regions on that many threads.
  TCoverField(TBitmap32& map, int32_t threads);

  int32_t Width() const { return width_; }
  int32_t Height() const { return height_; }
  int32_t FreeCells() const { return freeCells_; }
  bool IsWallCell(int32_t x, int32_t y) const;  // outside the field: wall
  const TPolygon& Floor() const { return *floor_; }
  const std::vector<TCandidate>& Candidates() const { return candidates_; }
  int32_t CandidateCount() const { return int32_t(candidates_.size()); }

  // How close to a candidate's region a point still counts as seen by it,
  // in cells. A witness that no chosen region comes this close to is the
  // corner of a dark quarter disc (it lies in a free cell, and the slack
  // is below half a cell) of pi r^2 / 4 square cells, chosen four times
  // the dark area that the game's full share allows: so a set of lights
  // that misses a witness is not full even by the game's tolerance, and
  // every lower bound holds for the game's record as well as for exact
  // covers. The slack is also far above the rounding of region vertices
  // (about 6e-14 cells), so rounding never takes a seen point for unseen.
  // Darkness thinner than the slack cannot be told from light by a
  // witness; the solver says so when it meets such a choice
  // (TSolveResult::stalled).
  double SeeingSlack() const { return seeingSlack_; }
  // p lies in the candidate's region or within SeeingSlack of it.
  bool Sees(int32_t candidate, gpc_vertex p) const;
  // For each point, the candidates that see it, ascending; on threads.
  std::vector<std::vector<int32_t>> SeersOf(const std::vector<gpc_vertex>& points, int32_t threads) const;

  // The floor that the chosen candidates leave dark: the floor minus each
  // chosen region, by the same clipper as every region.
  std::unique_ptr<TPolygon> DarkRemainder(const std::vector<int32_t>& chosen) const;
  // The chosen candidates leave no dark area beyond rounding.
  bool LightsWholeFloor(const std::vector<int32_t>& chosen) const;
  // The lit share as the game's panel computes it (the union's area over
  // the free cells, in percent).
  long double LitPercent(const std::vector<int32_t>& chosen) const;

 private:
  int32_t width_ = 0, height_ = 0, freeCells_ = 0;
  double seeingSlack_ = 0;
  std::vector<uint8_t> walls_;  // width_ * height_, row by row; 1 = wall
  std::unique_ptr<TPolygon> floor_;
  std::vector<TCandidate> candidates_;
};
