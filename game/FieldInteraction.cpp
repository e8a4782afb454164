// Play on the field: hover feedback, drag and drop of lights, removal, and
// the dark remainder while the hint button is held. The mouse handlers turn
// pixels into a grid point (GridPointUnder, the one place that does) and
// then work on grid points, as the keyboard does (FieldKeyboard.cpp): both
// share the one hover state, so the same rules answer them.
#include "engine/LevelMap.h"
#include "engine/LightPlacement.h"
#include "game/Glowmere.h"

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
  ClearOverlay();
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
    // Whether the light in hand, or a new one, may go down here: not where
    // another light stands (without a drag, the one found is the one
    // picked up).
    dropBlocked = PlacementFaultAt(*level, {gx, gy}, found && dragLight) != TPlacementFault::None;
    if (!found) {
      cursorLight->SetIcon(imlPoints->BitmapAt(dropBlocked ? icForbidden : icMarker));
      cursorLight->MoveToGridPoint(gx, gy);
      cursorLight->SetVisible(true);
    } else if (!dragLight) {
      found->SetIcon(imlPoints->BitmapAt(icHovered));
      TLight::ShowRegionOutline(*found);
    } else {
      found->SetIcon(imlPoints->BitmapAt(icForbidden));
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
  // The drop is judged at the point under the release; but after a right
  // click removed the light under the dragged one (no hover point, the drop
  // refused), a release with no move since stays refused.
  if (hoverX != -1 || !dropBlocked) imgFieldMouseMove(x, y);
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
  ClearOverlay();
  UpdateState(true);
  // The marker shows at once where the light stood. During a drag the point
  // is left unexamined, so the drop there stays refused until a move.
  if (!dragLight) ExamineGridPoint(gx, gy);
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
  ClearOverlay();
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
  // Refused where the hover point's placement was (ExamineGridPoint), and
  // where there is no hover point.
  if (hoverX == -1 || dropBlocked) {
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

void TfrmGlowmere::KeepDarkFloorShown() {
  if (hintKeyHeld_) PaintDarkFloor(*level, LightRegions());
}

// The keyboard cursor may stand on a light while the mouse is on the
// button: its outline gives way to the dark floor and comes back after, as
// with the H key.
void TfrmGlowmere::btHintMouseDown(TMouseButton) {
  ClearOverlay();
  PaintDarkFloor(*level, LightRegions());
}

void TfrmGlowmere::btHintMouseUp(TMouseButton) {
  ClearOverlay();
  if (hoverLight) TLight::ShowRegionOutline(*hoverLight);
}
