// Play on the field: hover feedback, drag and drop of lights, removal, and
// the dark remainder while the hint button is held. The mouse handlers turn
// pixels into a grid point (GridPointUnder, the one place that does) and
// then work on grid points, as the keyboard does (FieldKeyboard.cpp): both
// share the one hover state, so the same rules answer them.
#include "engine/LevelMap.h"
#include "engine/Verdict.h"
#include "game/Glowmere.h"
#include "raster/Polygon32.h"

namespace {
constexpr TColor32 Transparent = 0x00000000;
constexpr TColor32 Orange = 0xFFFFAE00;
constexpr TColor32 Black = 0xFF000000;
constexpr TColor32 Yellow = 0xFFFFFF00;
enum TIcon { icMarker = 0, icPlaced = 1, icForbidden = 2, icHovered = 3, icDragged = 4 };
}  // namespace

bool TfrmGlowmere::IsWalledGridPoint(int32_t gx, int32_t gy) const { return level->IsWalledGridPoint(gx, gy); }

void TfrmGlowmere::GridPointUnder(int32_t x, int32_t y, int32_t& gx, int32_t& gy) const {
  gx = PixelToGridX(x, cellPixels);
  gy = PixelToGridY(y, cellPixels);
  if (gx == -1 || gy == -1) gx = gy = -1;
}

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

void TfrmGlowmere::HoverGridPoint(int32_t gx, int32_t gy) {
  // Hover work is done once per change of grid point.
  if (gx == hoverX && gy == hoverY) return;
  ExamineGridPoint(gx, gy);
}

void TfrmGlowmere::ExamineGridPoint(int32_t gx, int32_t gy) {
  ClearHover();
  dropBlocked = false;
  if (gx != -1) {
    TLight* found = nullptr;
    // The grid point a dragged light came from counts as empty, so the
    // light can be put back there.
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
    keyX = gx;
    keyY = gy;
  }
  hoverX = gx;
  hoverY = gy;
  KeepDarkFloorShown();
  DescribeKeyboardCursor();
}

void TfrmGlowmere::imgFieldMouseMove(int32_t x, int32_t y) {
  if (dragLight) dragLight->MoveToPixel(x, y);
  int32_t gx, gy;
  GridPointUnder(x, y, gx, gy);
  HoverGridPoint(gx, gy);
}

void TfrmGlowmere::imgFieldMouseDown(TMouseButton button, int32_t x, int32_t y) {
  // The hover state may be stale: after the pointer left and came back, or
  // a window passed over it, a press can come with no move before it. So the
  // point under the press is examined first, exactly as a move there would.
  imgFieldMouseMove(x, y);
  if (button == TMouseButton::mbRight) {
    RemoveHoverLight();
    return;
  }
  if (button != TMouseButton::mbLeft || dragLight) return;
  BeginDrag(x, y);
}

void TfrmGlowmere::imgFieldMouseUp(TMouseButton, int32_t x, int32_t y) {
  if (!dragLight) return;
  imgFieldMouseMove(x, y);  // the drop is judged at the point under the release
  DropDragLight();
}

void TfrmGlowmere::imgFieldMouseLeave() { ClearHover(); }

void TfrmGlowmere::RemoveHoverLight() {
  if (!hoverLight) return;
  TLight* gone = hoverLight;
  const int32_t gx = hoverX, gy = hoverY;
  hoverLight = nullptr;
  hoverX = -1;
  hoverY = -1;
  lights.Remove(gone);
  layOverlay->LayerBitmap().Fill(Transparent);
  UpdateState(true);
  // The marker shows at once where the light stood.
  ExamineGridPoint(gx, gy);
}

void TfrmGlowmere::BeginDrag(int32_t iconX, int32_t iconY) {
  if (hoverLight) {
    dragLight = hoverLight;
  } else {
    newDragLight_ = std::make_unique<TLight>();
    dragLight = newDragLight_.get();
  }
  dragLight->SetIcon(imlPoints->BitmapAt(icDragged));
  dragLight->MoveToPixel(iconX, iconY);
  // Switched off: the lit layer no longer shows it, but its region stays, so
  // the figures count it at its old place until the drop.
  TLight::UpdateLitLayer(dragLight, false);
  hoverLight = nullptr;
  layOverlay->LayerBitmap().Fill(Transparent);
  KeepDarkFloorShown();
  UpdateState(true);
  DescribeKeyboardCursor();
}

void TfrmGlowmere::DiscardNewDragLight() {
  dragLight = nullptr;
  newDragLight_.reset();
}

void TfrmGlowmere::DropDragLight() {
  if (!dragLight) return;
  // Refused: another light stands there, the point is off the field, or it
  // is walled.
  if (hoverLight || hoverX == -1 || dropBlocked) {
    PutDragLightBack();
    return;
  }
  const int32_t gx = hoverX, gy = hoverY;
  if (dragLight == newDragLight_.get()) lights.Add(std::move(newDragLight_));
  dragLight->MoveToGridPoint(gx, gy);
  TLight::UpdateLitLayer(dragLight, true);
  dragLight = nullptr;
  ExamineGridPoint(gx, gy);  // the dropped light, hovered, with its outline
  UpdateState(true);
}

void TfrmGlowmere::PutDragLightBack() {
  if (!dragLight) return;
  if (dragLight == newDragLight_.get()) {
    DiscardNewDragLight();
  } else {
    dragLight->MoveToGridPoint(dragLight->GridX, dragLight->GridY);
    dragLight->SetIcon(imlPoints->BitmapAt(icPlaced));
    TLight::UpdateLitLayer(dragLight, true);
    dragLight = nullptr;
  }
  // The hover point is shown anew: a light there gets its outline, and the
  // light put back is found again when the point is the one it came from.
  if (hoverX != -1) ExamineGridPoint(hoverX, hoverY);
  UpdateState(true);
}

void TfrmGlowmere::PaintDarkFloor() {
  const std::unique_ptr<TPolygon> dark = DarkRemainderOf(level->Floor(), LightRegions());
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

void TfrmGlowmere::KeepDarkFloorShown() {
  if (hintKeyHeld_) PaintDarkFloor();
}

// The mouse is on the button, so leaving the field has cleared the overlay.
void TfrmGlowmere::btHintMouseDown(TMouseButton) { PaintDarkFloor(); }

void TfrmGlowmere::btHintMouseUp(TMouseButton) { layOverlay->LayerBitmap().Fill(Transparent); }
