// TBitmap32: pixel storage, the pixel-level operations, and transfers by
// draw mode. Every write is clipped to the bitmap; coordinates may be
// anywhere in the 32-bit range, so clipping arithmetic runs in 64 bits
// (128 bits where a line's slope is multiplied out).
#include "raster/Bitmap32.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "raster/LineWalk.h"

namespace {

// More pixels than this (1 GiB of storage) are refused outright: no bitmap
// of the system comes near it, and refusing early keeps a wild size from
// reaching the allocator at all.
constexpr int64_t kMaxPixels = int64_t(1) << 28;

// Source rectangle of a transfer after clipping to both bitmaps, in source
// coordinates, with the destination's top left.
struct TClippedTransfer {
  int32_t srcLeft, srcTop, destLeft, destTop, width, height;
};

bool ClipTransfer(const TBitmap32& dest, int32_t x, int32_t y, const TBitmap32& source, TClippedTransfer& out) {
  if (dest.Empty() || source.Empty()) return false;
  const int64_t left = std::max<int64_t>(x, 0);
  const int64_t top = std::max<int64_t>(y, 0);
  const int64_t right = std::min<int64_t>(int64_t(x) + source.Width(), dest.Width());
  const int64_t bottom = std::min<int64_t>(int64_t(y) + source.Height(), dest.Height());
  if (right <= left || bottom <= top) return false;
  out.destLeft = int32_t(left);
  out.destTop = int32_t(top);
  out.srcLeft = int32_t(left - x);
  out.srcTop = int32_t(top - y);
  out.width = int32_t(right - left);
  out.height = int32_t(bottom - top);
  return true;
}

}  // namespace

void TBitmap32::Resize(int32_t w, int32_t h) {
  w = std::max(w, 0);
  h = std::max(h, 0);
  if (w == width_ && h == height_) return;
  const TRect oldBounds = BoundsRect();
  const int64_t count = int64_t(w) * int64_t(h);
  // Drop the old storage first so that a failure leaves the bitmap empty,
  // not half-resized, and so that the old pixels do not count twice.
  std::vector<TColor32>().swap(bits_);
  width_ = 0;
  height_ = 0;
  if (count > kMaxPixels) {
    if (onChange_) onChange_(oldBounds);
    throw EBitmapAllocation();
  }
  try {
    bits_.assign(size_t(count), 0);
  } catch (const std::bad_alloc&) {
    if (onChange_) onChange_(oldBounds);
    throw EBitmapAllocation();
  }
  width_ = w;
  height_ = h;
  // The observer hears of both the old and the new extent: a shrink
  // uncovers what the old pixels showed.
  if (onChange_) onChange_(UnionRect(oldBounds, BoundsRect()));
}

void TBitmap32::Fill(TColor32 color) {
  if (Empty()) return;
  // Only the pixels that change are reported: clearing a large layer that
  // holds one small mark must not recompose the whole field.
  TRect changed{width_, height_, 0, 0};
  const std::vector<TColor32> uniform(size_t(width_), color);
  const size_t rowBytes = size_t(width_) * sizeof(TColor32);
  for (int32_t y = 0; y < height_; ++y) {
    TColor32* row = ScanLine(y);
    if (std::memcmp(row, uniform.data(), rowBytes) == 0) continue;
    TColor32* end = row + width_;
    TColor32* first = std::find_if(row, end, [color](TColor32 c) { return c != color; });
    if (first == end) continue;
    TColor32* last = end;
    while (*(last - 1) == color) --last;
    std::fill(first, last, color);
    changed.Left = std::min(changed.Left, int32_t(first - row));
    changed.Right = std::max(changed.Right, int32_t(last - row));
    changed.Top = std::min(changed.Top, y);
    changed.Bottom = y + 1;
  }
  if (changed.Left < changed.Right) Changed(changed);
}

TColor32 TBitmap32::ReadPixel(int32_t x, int32_t y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return outerColor_;
  return bits_[size_t(y) * size_t(width_) + size_t(x)];
}

void TBitmap32::WritePixel(int32_t x, int32_t y, TColor32 color) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  bits_[size_t(y) * size_t(width_) + size_t(x)] = color;
}

void TBitmap32::PutLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, TColor32 color, bool includeLast) {
  const TRect touched = WalkLine(x1, y1, x2, y2, includeLast, width_, height_, [&](int32_t x, int32_t y) {
    bits_[size_t(y) * size_t(width_) + size_t(x)] = color;
  });
  Changed(touched);
}

void TBitmap32::DrawBitmap(int32_t x, int32_t y, const TBitmap32* source) {
  if (source) TransferBitmap(*this, x, y, *source);
}

void TBitmap32::CopyOnto(TBitmap32& destination) const { TransferBitmap(destination, 0, 0, *this); }

void TBitmap32::SetDrawMode(TDrawMode mode) {
  if (mode == drawMode_) return;
  drawMode_ = mode;
  Changed();
}

void TBitmap32::Changed(const TRect& area) {
  if (!onChange_) return;
  const TRect clipped = IntersectRect(area, BoundsRect());
  if (!clipped.Empty()) onChange_(clipped);
}

void TransferBitmap(TBitmap32& dest, int32_t x, int32_t y, const TBitmap32& source) {
  TClippedTransfer t;
  if (!ClipTransfer(dest, x, y, source, t)) return;
  // A bitmap drawn onto itself reads from a snapshot so that rows already
  // written do not feed later ones.
  std::vector<TColor32> snapshot;
  const TColor32* srcBits = source.Bits();
  const int32_t srcWidth = source.Width();
  if (&dest == &source) {
    snapshot.assign(source.Bits(), source.Bits() + size_t(source.Width()) * size_t(source.Height()));
    srcBits = snapshot.data();
  }
  const TDrawMode mode = source.DrawMode();
  const TColor32 key = source.OuterColor();
  bool wrote = true;
  for (int32_t row = 0; row < t.height; ++row) {
    const TColor32* s = srcBits + size_t(t.srcTop + row) * size_t(srcWidth) + size_t(t.srcLeft);
    TColor32* d = dest.ScanLine(t.destTop + row) + t.destLeft;
    switch (mode) {
      case dmOpaque:
        std::memcpy(d, s, size_t(t.width) * sizeof(TColor32));
        break;
      case dmBlend:
        if (source.MasterAlpha() == 0) {
          wrote = false;
          break;
        }
        for (int32_t i = 0; i < t.width; ++i) d[i] = BlendColor32(s[i], d[i]);
        break;
      case dmTransparent:
        for (int32_t i = 0; i < t.width; ++i)
          if (s[i] != key) d[i] = s[i];
        break;
      case dmCustom:
        // No custom transfer exists in this system; the pixels stay.
        wrote = false;
        break;
    }
    if (!wrote) break;
  }
  if (wrote) dest.Changed({t.destLeft, t.destTop, t.destLeft + t.width, t.destTop + t.height});
}

TBitmap32& TBitmap32List::Add() {
  items_.push_back(std::make_unique<TBitmap32>());
  return *items_.back();
}

TBitmap32* TBitmap32List::BitmapAt(int32_t i) const {
  if (i < 0 || i >= Count()) return nullptr;
  return items_[size_t(i)].get();
}
