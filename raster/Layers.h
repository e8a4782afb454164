// The layer stack of the field image: an ordered collection of layers, the
// first at the bottom, composed into one bitmap. Any change of a layer (its
// bitmap, placement or visibility) marks the affected area invalid; the
// control that shows the stack recomposes only that area.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "raster/Bitmap32.h"
#include "raster/Rect.h"

class TLayerCollection;

class TCustomLayer {
 public:
  explicit TCustomLayer(TLayerCollection& owner);  // appended on top
  virtual ~TCustomLayer();                         // removed from owner
  TCustomLayer(const TCustomLayer&) = delete;
  TCustomLayer& operator=(const TCustomLayer&) = delete;

  bool Visible() const { return visible_; }
  void SetVisible(bool visible);

  // Draws this layer's part of area onto target (whose pixel (0, 0) is
  // control pixel (0, 0)).
  virtual void Paint(TBitmap32& target, const TRect& area) const = 0;
  // The control pixels the layer may touch.
  virtual TRect Bounds() const = 0;

 protected:
  void Invalidate(const TRect& area);

 private:
  friend class TLayerCollection;
  TLayerCollection* owner_;
  bool visible_ = true;
};

class TPositionedLayer : public TCustomLayer {
 public:
  using TCustomLayer::TCustomLayer;
  ~TPositionedLayer() override;  // repaints the area it covered
  const TFloatRect& Placement() const { return placement_; }
  void SetPlacement(const TFloatRect& r);
  TRect Bounds() const override;  // placement rounded outwards

 private:
  TFloatRect placement_;
};

class TBitmapLayer : public TPositionedLayer {
 public:
  explicit TBitmapLayer(TLayerCollection& owner);
  ~TBitmapLayer() override;
  TBitmap32& LayerBitmap() { return *bitmap_; }
  const TBitmap32& LayerBitmap() const { return *bitmap_; }
  // Nearest-neighbour mapping of the bitmap onto the placement, transferred
  // by the bitmap's draw mode.
  void Paint(TBitmap32& target, const TRect& area) const override;

 private:
  std::unique_ptr<TBitmap32> bitmap_;
};

// The collection does not own its layers while their owners hold them: a
// layer's owner destroys it before the collection goes. Whatever layers are
// still registered when the collection is destroyed are deleted by it, so
// they must have been created with new.
class TLayerCollection {
 public:
  using TInvalidateHandler = std::function<void(const TRect& area)>;

  TLayerCollection() = default;
  ~TLayerCollection();  // destroys the layers still in it
  TLayerCollection(const TLayerCollection&) = delete;
  TLayerCollection& operator=(const TLayerCollection&) = delete;

  int32_t Count() const { return int32_t(layers_.size()); }
  TCustomLayer* Items(int32_t i) const { return layers_[size_t(i)]; }
  int32_t IndexOf(const TCustomLayer* layer) const;  // -1 if absent

  // Paints every visible layer, bottom first, over target within area;
  // target is first cleared to 0 there.
  void Compose(TBitmap32& target, const TRect& area) const;

  // Areas that changed since the last TakeInvalidRect, united.
  const TRect& InvalidRect() const { return invalid_; }
  TRect TakeInvalidRect();
  void SetOnInvalidate(TInvalidateHandler handler) { onInvalidate_ = std::move(handler); }
  void Invalidate(const TRect& area);

 private:
  friend class TCustomLayer;
  std::vector<TCustomLayer*> layers_;  // not owned while the layer lives
  TRect invalid_;
  TInvalidateHandler onInvalidate_;
};
