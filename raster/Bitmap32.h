// TBitmap32: a 32-bit ARGB bitmap, row-major, top row first, no padding.
// Reads outside return OuterColor; nothing ever writes outside. Every
// operation that changes pixels, size or draw mode reports the changed
// rectangle to the one observer (the layer that shows the bitmap).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <vector>

#include "raster/Color32.h"
#include "raster/Rect.h"

enum TDrawMode : uint8_t { dmOpaque = 0, dmBlend = 1, dmCustom = 2, dmTransparent = 3 };
enum TCombineMode : uint8_t { cmBlend = 0, cmMerge = 1 };

// Raised when pixel storage cannot be had ("Can't allocate the DIB handle").
class EBitmapAllocation : public std::runtime_error {
 public:
  EBitmapAllocation() : std::runtime_error("Can't allocate the DIB handle") {}
};

class TBitmap32 {
 public:
  using TChangeHandler = std::function<void(const TRect& area)>;

  TBitmap32() = default;
  virtual ~TBitmap32() = default;
  TBitmap32(const TBitmap32&) = delete;
  TBitmap32& operator=(const TBitmap32&) = delete;

  int32_t Width() const { return width_; }
  int32_t Height() const { return height_; }
  bool Empty() const { return width_ == 0 || height_ == 0; }
  TColor32* Bits() { return bits_.data(); }
  const TColor32* Bits() const { return bits_.data(); }
  TColor32* ScanLine(int32_t y) { return bits_.data() + size_t(y) * size_t(width_); }
  const TColor32* ScanLine(int32_t y) const { return bits_.data() + size_t(y) * size_t(width_); }
  TRect BoundsRect() const { return {0, 0, width_, height_}; }

  // Negative sizes count as 0; the same size keeps the pixels; a new size
  // gives all-zero pixels. Throws EBitmapAllocation (bitmap left empty).
  void Resize(int32_t w, int32_t h);
  void Fill(TColor32 color);  // reports the rectangle of the pixels it changed
  TColor32 ReadPixel(int32_t x, int32_t y) const;
  void WritePixel(int32_t x, int32_t y, TColor32 color);  // no notification
  void PutLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, TColor32 color, bool includeLast);
  void DrawBitmap(int32_t x, int32_t y, const TBitmap32* source);  // by source's DrawMode
  void CopyOnto(TBitmap32& destination) const;                     // at (0, 0)

  TDrawMode DrawMode() const { return drawMode_; }
  void SetDrawMode(TDrawMode mode);
  TCombineMode CombineMode() const { return cmBlend; }
  uint8_t MasterAlpha() const { return masterAlpha_; }
  TColor32 OuterColor() const { return outerColor_; }
  void SetOuterColor(TColor32 color) { outerColor_ = color; }

  void SetOnChange(TChangeHandler handler) { onChange_ = std::move(handler); }
  // Tells the observer that area changed (clipped to the bitmap).
  void Changed(const TRect& area);
  void Changed() { Changed(BoundsRect()); }

 private:
  int32_t width_ = 0, height_ = 0;
  std::vector<TColor32> bits_;
  TDrawMode drawMode_ = dmOpaque;
  uint8_t masterAlpha_ = 255;
  TColor32 outerColor_ = 0;
  TChangeHandler onChange_;
};

// Transfers source onto dest with source's top left at (x, y), by the
// source's draw mode, clipped to both bitmaps.
void TransferBitmap(TBitmap32& dest, int32_t x, int32_t y, const TBitmap32& source);

// An image list: the bitmaps of a window component, owned by the list.
class TBitmap32List {
 public:
  TBitmap32& Add();  // appends an empty bitmap
  TBitmap32* BitmapAt(int32_t i) const;  // nullptr when out of range
  int32_t Count() const { return int32_t(items_.size()); }

 private:
  std::vector<std::unique_ptr<TBitmap32>> items_;
};
