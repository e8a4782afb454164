// TLight and its owning list: the icon layer of one light, the cached lit
// region, and the repaint of the lit layer and of a region outline from the
// host's shared objects. The region union that the panel measures lives
// here too, since it is defined over the lights.
#include "engine/Light.h"

#include <algorithm>
#include <cmath>
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

// One region with hard edges: opaque pixels over opaque ones, so regions
// filled one after the other show their union.
void Paint(const TPolygon& region, TBitmap32& lit) {
  TPolygon32& shape = Polygon32(region);
  shape.Smooth = false;
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

// The lit filler, handing on only the pixels that keep(current pixel, x,
// y, coverage) keeps; keep may change the pixel first.
template <typename Keep>
class TKeptFiller : public TCustomPolygonFiller {
 public:
  TKeptFiller(const TCustomPolygonFiller& inner, Keep& keep) : inner_(inner), keep_(keep) {}
  TFillLineEvent FillLineEvent() const override {
    const TFillLineEvent span = inner_.FillLineEvent();
    if (!span) return {};
    Keep& keep = keep_;
    return [span, &keep](TColor32* d, int32_t x, int32_t y, int32_t n, const uint8_t* w) {
      for (int32_t i = 0; i < n;) {
        if (!keep(d[i], x + i, y, w ? w[i] : uint8_t(255))) {
          ++i;
          continue;
        }
        int32_t j = i + 1;
        while (j < n && keep(d[j], x + j, y, w ? w[j] : uint8_t(255))) ++j;
        span(d + i, x + i, y, j - i, w ? w + i : nullptr);
        i = j;
      }
    };
  }

 private:
  const TCustomPolygonFiller& inner_;
  Keep& keep_;
};

// A light that comes on at a smoothed size. Its region is filled over the
// others wherever that gives the union's coverage: where it covers a pixel
// whole, or where no region covered the pixel. Pixels that held the lit picture
// whole are left alone: blending a partial coverage over them would take
// some of their alpha away, and the dark floor would show along every edge
// of the region that crosses lit floor. Where both the region and those
// before it cover a pixel in part, the pixel gets what a fill of the whole
// union gives it, computed in the box of those pixels only: a smoothed fill
// of the whole field costs tens of milliseconds on a large one.
void PaintOver(const TLight& fresh, const TLightList& lights, TBitmap32& lit) {
  const TAffineTransformation& t = LightHost->FieldTransform();
  std::vector<std::pair<int32_t, int32_t>> shared;
  TRect box;
  // A weighted blend keeps about w * w / 256 of alpha, so a pixel that
  // another region covers at one or two sample points may show alpha 0;
  // only its colour tells. A pixel is clear when it holds 0 and the lit
  // picture there has a channel of 32 or more, which any coverage leaves a
  // trace of.
  const TBitmapPolygonFiller& litFiller = LightHost->LitFiller();
  const TBitmap32* pattern = litFiller.PatternBitmap;
  auto clear = [&](TColor32 d, int32_t x, int32_t y) {
    if (d != 0x00000000) return false;
    const auto wrap = [](int64_t v, int32_t n) { return int32_t(((v % n) + n) % n); };
    const TColor32 p = pattern->ScanLine(wrap(int64_t(y) - litFiller.PatternOffsetY, pattern->Height()))
                           [wrap(int64_t(x) - litFiller.PatternOffsetX, pattern->Width())];
    return ((p >> 16) & 0xFF) >= 32 || ((p >> 8) & 0xFF) >= 32 || (p & 0xFF) >= 32;
  };
  auto over = [&](TColor32& d, int32_t x, int32_t y, uint8_t w) {
    if (w == 255 || clear(d, x, y)) return true;
    if (AlphaOf(d) != 255) {
      shared.emplace_back(x, y);
      box = UnionRect(box, {x, y, x + 1, y + 1});
    }
    return false;
  };
  TPolygon32& shape = Polygon32(*fresh.Region);
  shape.Smooth = true;
  shape.SmoothLevel = 2;
  shape.RenderPattern(lit, TKeptFiller(litFiller, over), &t);
  if (shared.empty()) return;

  // The active regions that reach the box (its sides in cells; the field
  // transformation only scales and moves), filled together into a bitmap
  // of the box's size moved by whole pixels, so that every pixel has the
  // sample points it has in the layer.
  const double sx = t.Matrix[0][0], sy = t.Matrix[1][1], dx = t.Matrix[2][0], dy = t.Matrix[2][1];
  const double x0 = (box.Left - dx) / sx, x1 = (box.Right - dx) / sx;
  const double y0 = (box.Top - dy) / sy, y1 = (box.Bottom - dy) / sy;
  std::vector<const TPolygon*> reaching;
  for (const auto& item : lights) {
    if (!item->Active || !item->Region) continue;
    const bool meets = std::any_of(item->Region->Contours().begin(), item->Region->Contours().end(),
                                   [&](const TContour& c) {
                                     double l = INFINITY, r = -INFINITY, u = INFINITY, b = -INFINITY;
                                     for (const gpc_vertex& v : c) {
                                       l = std::min(l, v.x), r = std::max(r, v.x);
                                       u = std::min(u, v.y), b = std::max(b, v.y);
                                     }
                                     return l <= x1 && r >= x0 && u <= y1 && b >= y0;
                                   });
    if (meets) reaching.push_back(item->Region.get());
  }
  TBitmap32 part;
  part.Resize(box.Right - box.Left, box.Bottom - box.Top);
  part.Fill(0x00000000);
  TAffineTransformation moved = t;
  moved.TranslateBy(float(-box.Left), float(-box.Top));
  TBitmapPolygonFiller filler = litFiller;
  filler.PatternOffsetX -= box.Left;
  filler.PatternOffsetY -= box.Top;
  const std::unique_ptr<TPolygon32> united = UnionDrawingForm(reaching);
  united->Smooth = true;
  united->SmoothLevel = 2;
  united->RenderPattern(part, filler, &moved);
  for (const auto& [x, y] : shared) lit.ScanLine(y)[x] = part.ScanLine(y - box.Top)[x - box.Left];
  lit.Changed(box);
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
      if (SmoothEdges()) {
        PaintOver(*light, lights, lit);
      } else {
        Paint(*light->Region, lit);
      }
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

void AddLitLights(const std::vector<TGridPoint>& points, const TBitmap32* icon) {
  TLightList& lights = LightHost->Lights();
  for (const TGridPoint& p : points) {
    auto light = std::make_unique<TLight>();
    light->MoveToGridPoint(p.x, p.y);
    light->SetIcon(icon);
    light->Active = true;
    lights.Add(std::move(light));
  }
  TLight::UpdateLitLayer(nullptr, false);
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
