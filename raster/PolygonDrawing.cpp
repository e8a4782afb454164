// The drawing form of a polygon set: its contours in 16.16 fixed point,
// built once after each change of the set and cached in it.
#include "raster/Polygon32.h"

TPolygon32& Polygon32(const TPolygon& polygon) {
  if (auto* cached = dynamic_cast<TPolygon32*>(polygon.DrawingForm())) return *cached;
  // The constructor's empty first contour stays in front; it draws nothing.
  auto form = std::make_unique<TPolygon32>();
  for (const TContour& contour : polygon.Contours()) {
    form->StartContour();
    form->Points.back().reserve(contour.size());
    for (const gpc_vertex& v : contour) form->AppendPoint({ToFixed(v.x), ToFixed(v.y)});
  }
  TPolygon32& result = *form;
  polygon.SetDrawingForm(std::move(form));
  return result;
}

std::unique_ptr<TPolygon32> UnionDrawingForm(const std::vector<const TPolygon*>& sets) {
  auto form = std::make_unique<TPolygon32>();
  form->FillRule = pfWinding;
  for (const TPolygon* set : sets) {
    // The set's own drawing form holds its contours in fixed point, behind
    // the constructor's empty contour.
    const TArrayOfArrayOfFixedPoint& points = Polygon32(*set).Points;
    const std::vector<int32_t>& holes = set->Holes();
    for (size_t i = 0; i < holes.size() && i + 1 < points.size(); ++i) {
      const TArrayOfFixedPoint& contour = points[i + 1];
      // Twice the signed area, positive for outers once turned.
      __int128 twice = 0;
      for (size_t k = 0; k < contour.size(); ++k) {
        const TFixedPoint& a = contour[k];
        const TFixedPoint& b = contour[k + 1 == contour.size() ? 0 : k + 1];
        twice += __int128(a.X) * b.Y - __int128(b.X) * a.Y;
      }
      const bool outer = holes[i] == 0;
      form->StartContour();
      if ((twice >= 0) == outer) form->Points.back() = contour;
      else form->Points.back().assign(contour.rbegin(), contour.rend());
    }
  }
  return form;
}
