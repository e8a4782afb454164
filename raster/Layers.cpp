// The layer stack: registration, invalid-area bookkeeping and composition.
// Nothing is painted when a layer changes; the change only marks control
// pixels invalid and tells the control, which recomposes that rectangle
// from every visible layer, bottom first.
#include "raster/Layers.h"

#include <cmath>
#include <cstring>

namespace {

// Rounds a coordinate to a pixel edge, saturated; NaN goes to 0.
int32_t FloorToPixel(double v) {
  if (!(v == v)) return 0;
  const double f = std::floor(v);
  if (f <= double(INT32_MIN)) return INT32_MIN;
  if (f >= double(INT32_MAX)) return INT32_MAX;
  return int32_t(f);
}
int32_t CeilToPixel(double v) {
  if (!(v == v)) return 0;
  const double f = std::ceil(v);
  if (f <= double(INT32_MIN)) return INT32_MIN;
  if (f >= double(INT32_MAX)) return INT32_MAX;
  return int32_t(f);
}

// One row of a layer's pixels over the target, by the bitmap's draw mode.
void TransferRow(TColor32* d, const TColor32* s, int32_t n, const TBitmap32& bitmap) {
  switch (bitmap.DrawMode()) {
    case dmOpaque:
      std::memcpy(d, s, size_t(n) * sizeof(TColor32));
      break;
    case dmBlend: {
      if (bitmap.MasterAlpha() == 0) return;
      // Most pixels of a field's layers are transparent or opaque, in long
      // runs: four at a time are skipped or copied when all four are.
      constexpr uint64_t alphas = 0xFF000000FF000000ull;
      int32_t i = 0;
      for (; i + 4 <= n; i += 4) {
        uint64_t lo, hi;
        std::memcpy(&lo, s + i, sizeof lo);
        std::memcpy(&hi, s + i + 2, sizeof hi);
        if (((lo | hi) & alphas) == 0) continue;
        if ((lo & hi & alphas) == alphas) {
          std::memcpy(d + i, s + i, 4 * sizeof(TColor32));
          continue;
        }
        for (int32_t k = i; k < i + 4; ++k) d[k] = BlendColor32(s[k], d[k]);
      }
      for (; i < n; ++i) d[i] = BlendColor32(s[i], d[i]);
      break;
    }
    case dmTransparent: {
      const TColor32 key = bitmap.OuterColor();
      for (int32_t i = 0; i < n; ++i)
        if (s[i] != key) d[i] = s[i];
      break;
    }
    case dmCustom:
      break;
  }
}

}  // namespace

TCustomLayer::TCustomLayer(TLayerCollection& owner) : owner_(&owner) { owner.layers_.push_back(this); }

TCustomLayer::~TCustomLayer() {
  auto& layers = owner_->layers_;
  layers.erase(std::remove(layers.begin(), layers.end(), this), layers.end());
}

void TCustomLayer::SetVisible(bool visible) {
  if (visible == visible_) return;
  visible_ = visible;
  Invalidate(Bounds());
}

void TCustomLayer::Invalidate(const TRect& area) { owner_->Invalidate(area); }

TPositionedLayer::~TPositionedLayer() {
  if (Visible()) Invalidate(Bounds());
}

void TPositionedLayer::SetPlacement(const TFloatRect& r) {
  if (r == placement_) return;
  const TRect old = Bounds();
  placement_ = r;
  if (Visible()) {
    Invalidate(old);
    Invalidate(Bounds());
  }
}

TRect TPositionedLayer::Bounds() const {
  TRect r{FloorToPixel(placement_.Left), FloorToPixel(placement_.Top), CeilToPixel(placement_.Right),
          CeilToPixel(placement_.Bottom)};
  return r.Empty() ? TRect{} : r;
}

TBitmapLayer::TBitmapLayer(TLayerCollection& owner) : TPositionedLayer(owner), bitmap_(std::make_unique<TBitmap32>()) {
  // A pixel change invalidates the control pixels that show it. A change
  // that reaches outside the bitmap (a resize that shrank it) or a bitmap
  // that shows nothing maps to the whole placement.
  bitmap_->SetOnChange([this](const TRect& area) {
    if (!Visible()) return;
    const TFloatRect& p = Placement();
    const TBitmap32& b = *bitmap_;
    const TRect inside = IntersectRect(area, b.BoundsRect());
    if (b.Empty() || !(inside == area)) {
      Invalidate(Bounds());
      return;
    }
    const double sx = (double(p.Right) - p.Left) / b.Width();
    const double sy = (double(p.Bottom) - p.Top) / b.Height();
    // Nearest-neighbour sampling at pixel centres never shows a source
    // pixel outside its scaled rectangle rounded outwards.
    const TRect mapped{FloorToPixel(p.Left + area.Left * sx), FloorToPixel(p.Top + area.Top * sy),
                       CeilToPixel(p.Left + area.Right * sx), CeilToPixel(p.Top + area.Bottom * sy)};
    Invalidate(IntersectRect(mapped, Bounds()));
  });
}

TBitmapLayer::~TBitmapLayer() { bitmap_->SetOnChange(nullptr); }

void TBitmapLayer::Paint(TBitmap32& target, const TRect& area) const {
  const TBitmap32& b = *bitmap_;
  if (b.Empty()) return;
  const TRect bounds = Bounds();
  const TRect r = IntersectRect(IntersectRect(area, bounds), target.BoundsRect());
  if (r.Empty()) return;
  const TFloatRect& p = Placement();
  const double pw = double(p.Right) - p.Left, ph = double(p.Bottom) - p.Top;

  // The system's case: 1:1 at a whole-pixel offset, row by row.
  if (pw == b.Width() && ph == b.Height() && double(bounds.Left) == double(p.Left) &&
      double(bounds.Top) == double(p.Top)) {
    for (int32_t y = r.Top; y < r.Bottom; ++y) {
      const TColor32* s = b.ScanLine(int32_t(int64_t(y) - bounds.Top)) + (int64_t(r.Left) - bounds.Left);
      TransferRow(target.ScanLine(y) + r.Left, s, r.Right - r.Left, b);
    }
    return;
  }

  // Scaled: each target pixel takes the bitmap pixel under its centre.
  std::vector<TColor32> row(size_t(r.Right - r.Left));
  std::vector<int32_t> columns(row.size());
  for (int32_t x = r.Left; x < r.Right; ++x) {
    const double u = (x + 0.5 - p.Left) * b.Width() / pw;
    columns[size_t(x - r.Left)] = int32_t(std::clamp(std::floor(u), 0.0, double(b.Width() - 1)));
  }
  for (int32_t y = r.Top; y < r.Bottom; ++y) {
    const double v = (y + 0.5 - p.Top) * b.Height() / ph;
    const int32_t sy = int32_t(std::clamp(std::floor(v), 0.0, double(b.Height() - 1)));
    const TColor32* s = b.ScanLine(sy);
    for (size_t i = 0; i < row.size(); ++i) row[i] = s[columns[i]];
    TransferRow(target.ScanLine(y) + r.Left, row.data(), r.Right - r.Left, b);
  }
}

TLayerCollection::~TLayerCollection() {
  // Nobody is told of repaints while the stack goes away.
  onInvalidate_ = nullptr;
  while (!layers_.empty()) delete layers_.back();
}

int32_t TLayerCollection::IndexOf(const TCustomLayer* layer) const {
  for (size_t i = 0; i < layers_.size(); ++i)
    if (layers_[i] == layer) return int32_t(i);
  return -1;
}

void TLayerCollection::Compose(TBitmap32& target, const TRect& area) const {
  const TRect r = IntersectRect(area, target.BoundsRect());
  if (r.Empty()) return;
  for (int32_t y = r.Top; y < r.Bottom; ++y) std::fill_n(target.ScanLine(y) + r.Left, r.Right - r.Left, TColor32(0));
  for (const TCustomLayer* layer : layers_)
    if (layer->Visible()) layer->Paint(target, r);
}

TRect TLayerCollection::TakeInvalidRect() {
  const TRect r = invalid_;
  invalid_ = {};
  return r;
}

void TLayerCollection::Invalidate(const TRect& area) {
  if (area.Empty()) return;
  invalid_ = UnionRect(invalid_, area);
  if (onInvalidate_) onInvalidate_(area);
}
