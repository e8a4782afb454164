// TPolygon: the only plane-geometry value of the game. A set of closed
// contours in cell units (x right, y down), each flagged outer (0) or hole
// (non-zero), combined through the GPC interface and measured by area.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "geometry/gpc.h"

// Base of the drawing form that the raster library caches in a set. The
// set owns it and drops it on every change of its contours; geometry knows
// nothing else of it.
class TPolygonDrawingForm {
 public:
  virtual ~TPolygonDrawingForm() = default;
};

using TContour = std::vector<gpc_vertex>;  // closed implicitly

class TPolygon {
 public:
  TPolygon();  // one empty contour, hole flag 0
  virtual ~TPolygon();
  TPolygon(const TPolygon&) = delete;
  TPolygon& operator=(const TPolygon&) = delete;

  // Contour 0 building and reading. On a set without contours AddPoint
  // first recreates contour 0; the readers return 0.
  void AddPoint(long double x, long double y);
  int32_t PointCount() const;
  long double PointX(int32_t i) const;
  long double PointY(int32_t i) const;
  // Appends a whole contour with its hole flag (for sets of several
  // contours, such as the wall outlines).
  void AddContour(const TContour& contour, int32_t hole = 0);
  void AddContour(TContour&& contour, int32_t hole = 0);

  // Replaces the set by (set op other); other == nullptr changes nothing.
  // An operation code other than the four of gpc_op throws
  // std::invalid_argument and changes nothing.
  void Clip(uint8_t operation, const TPolygon* other);

  // Replaces the set by the set minus the union of shapes, each shape one
  // closed contour read on its own by even-odd parity: the same set as
  // Clip(GPC_DIFF, ...) with every shape in turn, but in one clipper pass,
  // so overlapping shapes neither cancel nor cost a pass each.
  void SubtractUnion(const std::vector<TContour>& shapes);

  long double ContourArea(int32_t i) const;  // unsigned
  long double Area() const;                  // outer minus holes, absolute

  // Fills polygon (overwritten, not freed) with copies of all contours.
  void ToGpcPolygon(gpc_polygon& polygon) const;
  void Clear();  // no contour at all afterwards

  const std::vector<TContour>& Contours() const { return contours_; }
  const std::vector<int32_t>& Holes() const { return holes_; }

  // The cached drawing form (see raster/PolygonDrawing.h).
  TPolygonDrawingForm* DrawingForm() const { return drawing_.get(); }
  void SetDrawingForm(std::unique_ptr<TPolygonDrawingForm> form) const { drawing_ = std::move(form); }

 private:
  void DropDrawingForm() { drawing_.reset(); }
  // Replaces the contours and flags by a copy of result's.
  void TakeResult(const gpc_polygon& result);

  std::vector<TContour> contours_;
  std::vector<int32_t> holes_;  // one per contour
  mutable std::unique_ptr<TPolygonDrawingForm> drawing_;
};

// An owning list of polygon sets, as the wall lists are.
using TPolygonList = std::vector<std::unique_ptr<TPolygon>>;
