// TPolygon32: the fixed-point drawing polygon. Contours of 16.16 points,
// filled by a scanline filler (edges to per-row crossings, whole spans to
// the span routine), optionally antialiased, and stroked one pixel wide.
#pragma once

#include <cstdint>
#include <memory>

#include "geometry/Polygons.h"
#include "raster/Bitmap32.h"
#include "raster/FixedPoint.h"
#include "raster/PolygonFiller.h"
#include "raster/Transformation.h"

enum TPolyFillMode : uint8_t { pfAlternate = 0, pfWinding = 1 };  // even-odd, non-zero

class TPolygon32 : public TPolygonDrawingForm {
 public:
  TPolygon32();  // one empty contour, closed, even-odd, not smooth, level 2

  void StartContour();
  void AppendPoint(TFixedPoint p);  // to the last contour; drops normals

  std::unique_ptr<TPolygon32> MakeOutline() const;
  std::unique_ptr<TPolygon32> OffsetContours(TFixed delta, float sharpness) const;

  void Render(TBitmap32& bitmap, TColor32 outlineColor, TColor32 fillColor, const TTransformation* transformation) const;
  void RenderPattern(TBitmap32& bitmap, const TCustomPolygonFiller& filler, const TTransformation* transformation) const;

  TArrayOfArrayOfFixedPoint Points;
  bool ClosedContours = true;
  TPolyFillMode FillRule = pfAlternate;
  bool Smooth = false;
  int32_t SmoothLevel = 2;  // 0..4: 32, 16, 8, 4, 2 sub-samples per axis

  // Per-point unit normals in 16.16, built on demand.
  const TArrayOfArrayOfFixedPoint& Normals() const;

 private:
  mutable TArrayOfArrayOfFixedPoint normals_;
  mutable bool normalsValid_ = false;
  // The points the normals were built from: Points is public, so a direct
  // edit must not leave stale normals behind.
  mutable TArrayOfArrayOfFixedPoint normalsFrom_;
  mutable bool normalsClosed_ = true;
};

// The drawing form of a polygon set: built on first request after a change
// of its contours, owned by the set, returned again until the next change.
TPolygon32& Polygon32(const TPolygon& polygon);
