// Play from the keyboard. The keyboard cursor is a grid point (keyX, keyY);
// the arrows move it, and it is shown through the same hover state as the
// mouse (marker, red cross, outline), so a move of either one moves both.
// Space or Enter places a light, or picks one up and puts it down where the
// cursor then is; Escape puts a picked light back; Delete removes the light
// under the cursor; H, held, shows the dark floor. What the cursor stands on
// is told to screen readers through the field's accessible name.
#include <algorithm>

#include "engine/LevelMap.h"
#include "game/Glowmere.h"

namespace {

// The hint key, wherever the keyboard layout puts its letter: H, or the
// Cyrillic Р that Russian layouts give the same key.
bool IsHintKey(int key) { return key == Qt::Key_H || key == 0x0420; }

}  // namespace

void TfrmGlowmere::ShowKeyboardCursor() {
  if (dragLight) dragLight->MoveToPixel(GridToPixel(keyX, cellPixels), GridToPixel(keyY, cellPixels));
  HoverGridPoint(keyX, keyY);
}

void TfrmGlowmere::MoveKeyboardCursor(int32_t dx, int32_t dy) {
  // The cursor stops at the field's edge; a light standing off the field
  // (a file may put one anywhere) is reached with the mouse alone.
  keyX = std::clamp(keyX + dx, 0, FieldWidth);
  keyY = std::clamp(keyY + dy, 0, FieldHeight);
  ShowKeyboardCursor();
}

void TfrmGlowmere::UseKeyboardCursor() {
  ShowKeyboardCursor();
  if (dragLight) {
    // A light carried with the keys stays in hand where it may not go;
    // Escape puts it back.
    if (!hoverLight && !dropBlocked) DropDragLight();
    return;
  }
  if (hoverLight) {
    BeginDrag(GridToPixel(keyX, cellPixels), GridToPixel(keyY, cellPixels));
    return;
  }
  if (dropBlocked) return;  // walled
  BeginDrag(GridToPixel(keyX, cellPixels), GridToPixel(keyY, cellPixels));
  DropDragLight();
}

bool TfrmGlowmere::imgFieldKeyDown(int key, bool autoRepeat) {
  switch (key) {
    case Qt::Key_Left: MoveKeyboardCursor(-1, 0); return true;
    case Qt::Key_Right: MoveKeyboardCursor(1, 0); return true;
    case Qt::Key_Up: MoveKeyboardCursor(0, -1); return true;
    case Qt::Key_Down: MoveKeyboardCursor(0, 1); return true;
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
      if (!autoRepeat) UseKeyboardCursor();
      return true;
    case Qt::Key_Escape:
      if (!dragLight) return false;
      PutDragLightBack();
      return true;
    case Qt::Key_Delete:
      if (autoRepeat) return true;
      ShowKeyboardCursor();
      RemoveHoverLight();
      // A carried light may go down where the removed one stood: the cursor
      // shows the point as it now is.
      if (dragLight) ShowKeyboardCursor();
      return true;
    default:
      break;
  }
  if (!IsHintKey(key)) return false;
  // A held key repeats; the dark floor is painted once, at the first press.
  if (!autoRepeat && !hintKeyHeld_) {
    hintKeyHeld_ = true;
    btHintMouseDown(TMouseButton::mbLeft);
  }
  return true;
}

bool TfrmGlowmere::imgFieldKeyUp(int key, bool autoRepeat) {
  if (!IsHintKey(key)) return false;
  if (!autoRepeat) ReleaseHintKey();
  return true;
}

void TfrmGlowmere::ReleaseHintKey() {
  if (!hintKeyHeld_) return;
  hintKeyHeld_ = false;
  btHintMouseUp(TMouseButton::mbLeft);
}

// A key released elsewhere never reaches the field.
void TfrmGlowmere::imgFieldFocusLeave() { ReleaseHintKey(); }

void TfrmGlowmere::DescribeKeyboardCursor() {
  // The light the cursor stands on, as the hover search finds it.
  const TLight* standing = nullptr;
  for (const auto& light : lights)
    if (light.get() != dragLight && light->GridX == keyX && light->GridY == keyY) {
      standing = light.get();
      break;
    }
  QString state;
  if (standing) state = Text("access/light");
  else if (IsWalledGridPoint(keyX, keyY)) state = Text("access/walled");
  else state = Text("access/free");
  if (dragLight) state += QStringLiteral("; ") + Text("access/carrying");
  // "%1, %2" in the text take the column and the row; a text without them
  // (a missing key reads " - ") gets the numbers after it.
  QString point = Text("access/point");
  if (!point.contains(QLatin1String("%2"))) point += QStringLiteral(" %1, %2");
  const QString name = Text("access/field") + QStringLiteral(", ") + point.arg(keyX).arg(keyY) +
                       QStringLiteral(": ") + state;
  // Qt tells screen readers of the change when the name differs.
  if (imgField->accessibleName() != name) imgField->setAccessibleName(name);
}
