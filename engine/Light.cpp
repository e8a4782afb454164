// TLight and its owning list: the icon layer of one light, the cached lit
// region, and the repaint of the lit layer and of a region outline from the
// host's shared objects. The region union that the panel measures lives
// here too, since it is defined over the lights.
#include "engine/Light.h"

#include <algorithm>
#include <stdexcept>

#include "engine/LevelMap.h"
#include "engine/Visibility.h"
#include "geometry/Union.h"
#include "raster/Polygon32.h"
#include "raster/PolygonDrawing.h"

namespace {

// Layer placements are floats: beyond 2^24 whole pixels stop being exact and
// near 2^31 a rounded-out bound no longer fits an int. An icon that far off
// the field is invisible either way, so its placement is held at this limit.
constexpr int64_t PlacementLimit = int64_t(1) << 24;

float PlacementCoord(int64_t v) { return float(std::clamp(v, -PlacementLimit, PlacementLimit)); }

}  // namespace

TLight::TLight() {
  if (!LightHost) throw std::logic_error("TLight needs a light host");
  Layer = LightHost->NewFieldLayer(0, 0, 1, 1);
  Layer->LayerBitmap().SetDrawMode(dmBlend);
  Layer->LayerBitmap().Fill(0x00000000);
}

TLight::~TLight() {
  delete Layer;
  Layer = nullptr;
  Region.reset();
  if (!LightHost) return;
  // A destructor cannot pass an error on. The repaint can fail only at
  // another light whose region is still missing; that light is tried again,
  // and its error raised, by the next repaint.
  try {
    UpdateLitLayer(this, false);
  } catch (const std::exception&) {
  }
}

void TLight::SetIcon(const TBitmap32* icon) {
  TBitmap32& bitmap = Layer->LayerBitmap();
  const TBitmap32& shown = icon ? *icon : bitmap;
  const int32_t w = shown.Width();
  const int32_t h = shown.Height();
  // Division truncates towards zero (26 -> 13); 64 bits since the centre may
  // be anywhere in the int range.
  const int64_t left = int64_t(PixelX) - w / 2;
  const int64_t top = int64_t(PixelY) - h / 2;
  if (icon) {
    Icon = icon;
    bitmap.Resize(w, h);
  }
  const int64_t right = std::clamp(left, -PlacementLimit, PlacementLimit) + w;
  const int64_t bottom = std::clamp(top, -PlacementLimit, PlacementLimit) + h;
  Layer->SetPlacement(TFloatRect{PlacementCoord(left), PlacementCoord(top), float(right), float(bottom)});
  if (icon) icon->CopyOnto(bitmap);
}

void TLight::SetVisible(bool visible) { Layer->SetVisible(visible); }

void TLight::MoveToPixel(int32_t x, int32_t y) {
  PixelX = x;
  PixelY = y;
  SetIcon(nullptr);
}

void TLight::MoveToGridPoint(int32_t i, int32_t j) {
  GridX = i;
  GridY = j;
  const int32_t cell = LightHost ? LightHost->CellPixels() : DesignCellPixels;
  MoveToPixel(GridToPixel(i, cell), GridToPixel(j, cell));
}

namespace {

bool InList(const TLightList& lights, const TLight* light) { return lights.IndexOf(light) != -1; }

// Whether every active light of the list but `except` is painted: a region
// that failed to be computed leaves its light unpainted until a whole
// repaint tries it again.
bool OthersPainted(const TLightList& lights, const TLight* except) {
  for (const auto& item : lights)
    if (item.get() != except && item->Active && !item->Region) return false;
  return true;
}

// Lit regions are filled with hard edges at the design size, exactly as
// the field has always been drawn; drawn larger, their edges are smoothed.
bool SmoothEdges() { return LightHost->CellPixels() > DesignCellPixels; }

void Paint(const TPolygon& region, TBitmap32& lit) {
  TPolygon32& shape = Polygon32(region);
  shape.Smooth = SmoothEdges();
  shape.SmoothLevel = 2;
  shape.RenderPattern(lit, LightHost->LitFiller(), &LightHost->FieldTransform());
}

// The regions of all active lights (computed where missing, in list order)
// in one smooth fill of their union. An error stops at that light: the
// lights before it are painted, and the error goes on.
void PaintUnion(TLightList& lights, const TLight* fresh, TBitmap32& lit) {
  std::vector<const TPolygon*> regions;
  const auto fill = [&] {
    const std::unique_ptr<TPolygon32> shape = UnionDrawingForm(regions);
    shape->Smooth = true;
    shape->SmoothLevel = 2;
    shape->RenderPattern(lit, LightHost->LitFiller(), &LightHost->FieldTransform());
  };
  for (const auto& item : lights) {
    TLight& x = *item;
    if (!x.Active) continue;
    if (&x == fresh) x.Region.reset();
    try {
      if (!x.Region) x.Region = ComputeLitRegion(x.GridX, x.GridY, LightHost->WallRects());
    } catch (...) {
      fill();
      throw;
    }
    regions.push_back(x.Region.get());
  }
  fill();
}

}  // namespace

void TLight::UpdateLitLayer(TLight* light, bool active) {
  const bool wasActive = light && light->Active;
  if (light) light->Active = active;
  if (!LightHost) return;
  TBitmap32& lit = LightHost->LayLit().LayerBitmap();
  TLightList& lights = LightHost->Lights();
  if (light && !wasActive) {
    // A light that was off shows nothing: switched off again, or not in the
    // list, nothing changes; switched on, its region goes over the others.
    if (!active || !InList(lights, light)) return;
    if (OthersPainted(lights, light)) {
      light->Region.reset();  // stays missing when the computation fails
      light->Region = ComputeLitRegion(light->GridX, light->GridY, LightHost->WallRects());
      Paint(*light->Region, lit);
      return;
    }
  }
  lit.Fill(0x00000000);
  if (SmoothEdges()) {
    PaintUnion(lights, light, lit);
    return;
  }
  for (const auto& item : lights) {
    TLight& x = *item;
    if (!x.Active) continue;
    if (&x == light) x.Region.reset();
    // An error leaves the region missing and the layer as painted so far.
    if (!x.Region) x.Region = ComputeLitRegion(x.GridX, x.GridY, LightHost->WallRects());
    Paint(*x.Region, lit);
  }
}

void TLight::ShowRegionOutline(TLight& light) {
  if (!LightHost || !light.Region) return;
  const std::unique_ptr<TPolygon32> outline = Polygon32(*light.Region).MakeOutline();
  // 0.05 cell in 16.16: 3276.8 rounded to nearest.
  const std::unique_ptr<TPolygon32> band = outline->OffsetContours(3277, 1.0f);
  band->SmoothLevel = 0;
  band->Smooth = true;
  TBitmap32& overlay = LightHost->LayOverlay().LayerBitmap();
  overlay.Fill(0x00000000);
  constexpr TColor32 orange = 0xFFFFAE00;
  band->Render(overlay, orange, orange, &LightHost->FieldTransform());
}

int32_t TLightList::IndexOf(const TLight* light) const {
  for (size_t i = 0; i < items_.size(); ++i)
    if (items_[i].get() == light) return int32_t(i);
  return -1;
}

void TLightList::Delete(int32_t i) {
  if (i < 0 || i >= Count()) return;
  // Out of the list first: the light's destructor repaints from the list.
  std::unique_ptr<TLight> light = std::move(items_[size_t(i)]);
  items_.erase(items_.begin() + i);
  light.reset();
}

void TLightList::Remove(TLight* light) { Delete(IndexOf(light)); }

void TLightList::Clear() {
  while (!items_.empty()) Delete(Count() - 1);
}

std::vector<const TPolygon*> RegionsOf(const TLightList& lights) {
  std::vector<const TPolygon*> regions;
  regions.reserve(size_t(lights.Count()));
  for (const auto& light : lights) regions.push_back(light->Region.get());
  return regions;
}

long double LitAreaOf(const TLightList& lights) {
  // The same area as uniting the regions one by one with Clip(GPC_UNION),
  // in a few passes instead of one per light; a light without a region
  // adds nothing.
  return UnitedArea(RegionsOf(lights));
}
