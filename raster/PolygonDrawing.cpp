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
