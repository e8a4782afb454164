// TPolygon: building contour 0 point by point, boolean combination through
// the GPC calls, and the area in extended precision.
#include "geometry/Polygons.h"

#include <cmath>
#include <utility>

TPolygon::TPolygon() : contours_(1), holes_(1, 0) {}

TPolygon::~TPolygon() { Clear(); }

void TPolygon::AddPoint(long double x, long double y) {
  if (contours_.empty()) {
    contours_.emplace_back();
    holes_.push_back(0);
  }
  contours_[0].push_back(gpc_vertex{static_cast<double>(x), static_cast<double>(y)});
  DropDrawingForm();
}

void TPolygon::AddContour(const TContour& contour, int32_t hole) {
  holes_.reserve(holes_.size() + 1);  // so the two lists cannot part
  contours_.push_back(contour);
  holes_.push_back(hole);
  DropDrawingForm();
}

void TPolygon::AddContour(TContour&& contour, int32_t hole) {
  holes_.reserve(holes_.size() + 1);
  contours_.push_back(std::move(contour));
  holes_.push_back(hole);
  DropDrawingForm();
}

int32_t TPolygon::PointCount() const {
  return contours_.empty() ? 0 : static_cast<int32_t>(contours_[0].size());
}

long double TPolygon::PointX(int32_t i) const {
  if (contours_.empty() || i < 0 || static_cast<size_t>(i) >= contours_[0].size()) return 0.0L;
  return contours_[0][static_cast<size_t>(i)].x;
}

long double TPolygon::PointY(int32_t i) const {
  if (contours_.empty() || i < 0 || static_cast<size_t>(i) >= contours_[0].size()) return 0.0L;
  return contours_[0][static_cast<size_t>(i)].y;
}

void TPolygon::ToGpcPolygon(gpc_polygon& polygon) const {
  polygon.num_contours = 0;
  polygon.hole = nullptr;
  polygon.contour = nullptr;
  for (size_t i = 0; i < contours_.size(); ++i) {
    gpc_vertex_list list;
    list.num_vertices = static_cast<int32_t>(contours_[i].size());
    // gpc_add_contour copies the vertices and never writes through this.
    list.vertex = const_cast<gpc_vertex*>(contours_[i].data());
    try {
      gpc_add_contour(&polygon, &list, holes_[i]);
    } catch (...) {
      gpc_free_polygon(&polygon);
      throw;
    }
  }
}

void TPolygon::TakeResult(const gpc_polygon& result) {
  // Built aside first, so that running out of memory here leaves the set
  // as it was, like a failure inside the clipper.
  std::vector<TContour> contours(static_cast<size_t>(result.num_contours));
  std::vector<int32_t> holes(static_cast<size_t>(result.num_contours));
  for (int32_t i = 0; i < result.num_contours; ++i) {
    holes[static_cast<size_t>(i)] = result.hole[i];
    const gpc_vertex_list& list = result.contour[i];
    if (list.vertex != nullptr && list.num_vertices > 0) {
      contours[static_cast<size_t>(i)].assign(list.vertex, list.vertex + list.num_vertices);
    }
  }
  Clear();
  contours_ = std::move(contours);
  holes_ = std::move(holes);
  DropDrawingForm();
}

namespace {
// The three records of one clipper call, released on every way out.
struct TGpcOperands {
  gpc_polygon subject{};
  gpc_polygon clip{};
  gpc_polygon result{};
  TGpcOperands() = default;
  TGpcOperands(const TGpcOperands&) = delete;
  TGpcOperands& operator=(const TGpcOperands&) = delete;
  ~TGpcOperands() {
    gpc_free_polygon(&subject);
    gpc_free_polygon(&clip);
    gpc_free_polygon(&result);
  }
};
}  // namespace

void TPolygon::Clip(uint8_t operation, const TPolygon* other) {
  if (other == nullptr) return;
  TGpcOperands gpc;
  ToGpcPolygon(gpc.subject);
  other->ToGpcPolygon(gpc.clip);
  gpc_polygon_clip(static_cast<gpc_op>(operation), &gpc.subject, &gpc.clip, &gpc.result);
  TakeResult(gpc.result);
}

void TPolygon::SubtractUnion(const std::vector<TContour>& shapes) {
  TGpcOperands gpc;
  ToGpcPolygon(gpc.subject);
  for (const TContour& shape : shapes) {
    gpc_vertex_list list;
    list.num_vertices = static_cast<int32_t>(shape.size());
    list.vertex = const_cast<gpc_vertex*>(shape.data());
    gpc_add_contour(&gpc.clip, &list, 0);
  }
  gpc_subtract_union(&gpc.subject, &gpc.clip, &gpc.result);
  TakeResult(gpc.result);
}

long double TPolygon::ContourArea(int32_t i) const {
  if (i < 0 || static_cast<size_t>(i) >= contours_.size()) return 0.0L;
  const TContour& c = contours_[static_cast<size_t>(i)];
  const size_t n = c.size();
  long double sum = 0.0L;
  for (size_t j = 0; j < n; ++j) {
    const gpc_vertex& a = c[j];
    const gpc_vertex& b = c[j + 1 == n ? 0 : j + 1];
    sum += (static_cast<long double>(a.x) - b.x) * (static_cast<long double>(a.y) + b.y) / 2.0L;
  }
  return std::fabs(sum);
}

long double TPolygon::Area() const {
  long double total = 0.0L;
  for (size_t i = 0; i < contours_.size(); ++i) {
    const long double a = ContourArea(static_cast<int32_t>(i));
    total += holes_[i] == 0 ? a : -a;
  }
  return std::fabs(total);
}

void TPolygon::Clear() {
  for (TContour& c : contours_) c.clear();
  contours_.clear();
  holes_.clear();
  DropDrawingForm();
}
