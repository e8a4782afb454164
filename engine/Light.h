// TLight: one light on the field. A grid point, an icon layer on the field
// image, and the cached lit region, computed once and kept until the light
// is activated again.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "engine/LevelMap.h"
#include "engine/LightHost.h"
#include "geometry/Polygons.h"
#include "raster/Bitmap32.h"
#include "raster/Layers.h"

class TLight {
 public:
  TLight();           // Create: a 1 x 1 transparent icon layer at (0, 0)
  virtual ~TLight();  // Destroy: frees layer and region, repaints layLit

  // Shows icon centred on (PixelX, PixelY); nullptr only re-centres.
  void SetIcon(const TBitmap32* icon);
  // Shows the last icon given again, as its bitmap now is: the window
  // redraws its icons in place for a field drawn at another size.
  void RefreshIcon() { SetIcon(Icon); }
  void SetVisible(bool visible);
  void MoveToPixel(int32_t x, int32_t y);
  void MoveToGridPoint(int32_t i, int32_t j);  // keeps Region

  // Sets light's Active (when given) and repaints layLit from all active
  // lights of the host's list; the given light, when active, gets a fresh
  // region. An engine error stops the repaint at that light and propagates.
  // The layer ends as a whole repaint would leave it, but where only the
  // given light was switched on, only its region is painted (the pattern
  // is opaque, so painting one region over the others gives the same
  // pixels), and where nothing painted changes, nothing is painted.
  static void UpdateLitLayer(TLight* light, bool active);
  // Replaces layOverlay's content by the outline of light's region.
  static void ShowRegionOutline(TLight& light);

  int32_t PixelX = 0;  // icon centre, field pixels
  int32_t PixelY = 0;
  int32_t GridX = -1;  // -1 while never placed
  int32_t GridY = -1;
  TBitmapLayer* Layer = nullptr;    // owned
  const TBitmap32* Icon = nullptr;  // the icon last given, not owned
  std::unique_ptr<TPolygon> Region;  // cell units; null until computed
  bool Active = false;
};

// An owning list of lights. A light is taken out of the list before it is
// destroyed, so its repaint never meets it.
class TLightList {
 public:
  ~TLightList() { Clear(); }
  int32_t Count() const { return int32_t(items_.size()); }
  TLight* operator[](int32_t i) const { return items_[size_t(i)].get(); }
  void Add(std::unique_ptr<TLight> light) { items_.push_back(std::move(light)); }
  int32_t IndexOf(const TLight* light) const;
  void Delete(int32_t i);       // removes and destroys
  void Remove(TLight* light);   // removes and destroys, when present
  void Clear();                 // removes and destroys all, last first
  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }

 private:
  std::vector<std::unique_ptr<TLight>> items_;
};

// New lights at these points appended to the host's list, in order, each showing
// icon and switched on, and the lit layer painted once: every region is
// computed there, and the layer shows what a repaint per light would. An
// engine error propagates as UpdateLitLayer's does.
void AddLitLights(const std::vector<TGridPoint>& points, const TBitmap32* icon);
// The area, in square cells, of the union of the regions of all lights in
// the list that have one.
long double LitAreaOf(const TLightList& lights);
// The region of each light of the list, in order; null where a light has
// none.
std::vector<const TPolygon*> RegionsOf(const TLightList& lights);
