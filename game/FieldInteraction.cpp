// Play with the mouse: hover feedback, drag and drop of lights, removal with
// the right button, and the dark remainder while the hint button is held.
#include "engine/LevelMap.h"
#include "game/Glowmere.h"
#include "raster/Polygon32.h"

namespace {
constexpr TColor32 Transparent = 0x00000000;
constexpr TColor32 Orange = 0xFFFFAE00;
constexpr TColor32 Black = 0xFF000000;
constexpr TColor32 Yellow = 0xFFFFFF00;
enum TIcon { icMarker = 0, icPlaced = 1, icForbidden = 2, icHovered = 3, icDragged = 4 };
}  // namespace

bool TfrmGlowmere::IsWalledGridPoint(int32_t gx, int32_t gy) const { return ::IsWalledGridPoint(*mapBitmap, gx, gy); }

void TfrmGlowmere::ClearHover() {
  if (hoverLight) {
    hoverLight->SetIcon(imlPoints->BitmapAt(icPlaced));
    hoverLight = nullptr;
  } else if (hoverX != -1) {
    cursorLight->SetVisible(false);
  }
  hoverX = -1;
  hoverY = -1;
  layOverlay->LayerBitmap().Fill(Transparent);
}

namespace {
void GridPointUnder(int32_t x, int32_t y, int32_t& gx, int32_t& gy) {
  gx = PixelToGridX(x);
  gy = PixelToGridY(y);
  if (gx == -1 || gy == -1) gx = gy = -1;
}
}  // namespace

void TfrmGlowmere::imgFieldMouseMove(int32_t x, int32_t y) {
  if (dragLight) dragLight->MoveToPixel(x, y);
  int32_t gx, gy;
  GridPointUnder(x, y, gx, gy);
  if (gx == hoverX && gy == hoverY) return;
  ClearHover();
  dropBlocked = false;
  if (gx != -1) {
    TLight* found = nullptr;
    for (const auto& light : lights) {
      if (light.get() != dragLight && light->GridX == gx && light->GridY == gy) {
        found = light.get();
        break;
      }
    }
    if (!found) {
      const bool walled = IsWalledGridPoint(gx, gy);
      cursorLight->SetIcon(imlPoints->BitmapAt(walled ? icForbidden : icMarker));
      dropBlocked = walled;
      cursorLight->MoveToGridPoint(gx, gy);
      cursorLight->SetVisible(true);
    } else if (!dragLight) {
      found->SetIcon(imlPoints->BitmapAt(icHovered));
      TLight::ShowRegionOutline(*found);
    } else {
      found->SetIcon(imlPoints->BitmapAt(icForbidden));
      dropBlocked = true;
    }
    hoverLight = found;
  }
  hoverX = gx;
  hoverY = gy;
}

void TfrmGlowmere::imgFieldMouseDown(TMouseButton button, int32_t x, int32_t y) {
  if (button == TMouseButton::mbRight) {
    if (!hoverLight) return;
    TLight* gone = hoverLight;
    hoverLight = nullptr;
    hoverX = -1;
    hoverY = -1;
    lights.Remove(gone);
    layOverlay->LayerBitmap().Fill(Transparent);
    UpdateState(true);
    return;
  }
  if (button != TMouseButton::mbLeft || dragLight) return;
  if (hoverLight) {
    dragLight = hoverLight;
  } else {
    newDragLight_ = std::make_unique<TLight>();
    dragLight = newDragLight_.get();
  }
  dragLight->SetIcon(imlPoints->BitmapAt(icDragged));
  dragLight->MoveToPixel(x, y);
  TLight::UpdateLitLayer(dragLight, false);
  hoverLight = nullptr;
  layOverlay->LayerBitmap().Fill(Transparent);
  UpdateState(true);
}

void TfrmGlowmere::DiscardNewDragLight() {
  dragLight = nullptr;
  newDragLight_.reset();
}

void TfrmGlowmere::imgFieldMouseUp(TMouseButton, int32_t x, int32_t y) {
  if (!dragLight) return;
  int32_t gx, gy;
  GridPointUnder(x, y, gx, gy);
  const bool refused = hoverLight != nullptr || gx == -1 || dropBlocked;
  const bool isNew = dragLight == newDragLight_.get();
  if (refused) {
    if (isNew) {
      DiscardNewDragLight();
    } else {
      dragLight->MoveToGridPoint(dragLight->GridX, dragLight->GridY);
      dragLight->SetIcon(imlPoints->BitmapAt(icPlaced));
      TLight::UpdateLitLayer(dragLight, true);
    }
    if (hoverLight) {
      hoverLight->SetIcon(imlPoints->BitmapAt(icHovered));
      TLight::ShowRegionOutline(*hoverLight);
    }
  } else {
    if (isNew) lights.Add(std::move(newDragLight_));
    dragLight->MoveToGridPoint(gx, gy);
    dragLight->SetIcon(imlPoints->BitmapAt(icHovered));
    TLight::UpdateLitLayer(dragLight, true);
    ClearHover();
    TLight::ShowRegionOutline(*dragLight);
    hoverLight = dragLight;
    hoverX = gx;
    hoverY = gy;
  }
  dragLight = nullptr;
  UpdateState(true);
}

void TfrmGlowmere::imgFieldMouseLeave() { ClearHover(); }

void TfrmGlowmere::btHintMouseDown(TMouseButton) {
  const std::unique_ptr<TPolygon> dark = DarkRemainderOf(*floorPolygon, lights);
  const TPolygon& remainder = *dark;
  TPolygon32& shape = Polygon32(remainder);
  shape.SmoothLevel = 0;
  shape.Smooth = true;
  TBitmap32& overlay = layOverlay->LayerBitmap();
  if (remainder.Area() > 0.5L) {
    shape.Render(overlay, Orange, Black, &fieldTransform);
  } else {
    // Slivers too small to see are marked by a grown outline.
    const auto outline = shape.MakeOutline();
    const auto band = outline->OffsetContours(-6554, 0.0f);
    band->Render(overlay, Orange, Yellow, &fieldTransform);
  }
}

void TfrmGlowmere::btHintMouseUp(TMouseButton) { layOverlay->LayerBitmap().Fill(Transparent); }
