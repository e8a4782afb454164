#include "game/HintButton.h"

#include <QMouseEvent>

namespace {
TMouseButton ButtonOf(Qt::MouseButton b) {
  switch (b) {
    case Qt::LeftButton: return TMouseButton::mbLeft;
    case Qt::RightButton: return TMouseButton::mbRight;
    case Qt::MiddleButton: return TMouseButton::mbMiddle;
    default: return TMouseButton::mbOther;
  }
}
}  // namespace

THintButton::THintButton(QWidget* parent) : QPushButton(parent) { setFocusPolicy(Qt::NoFocus); }

void THintButton::mousePressEvent(QMouseEvent* event) {
  setDown(true);
  if (OnMouseDown) OnMouseDown(ButtonOf(event->button()));
}

void THintButton::mouseReleaseEvent(QMouseEvent* event) {
  setDown(false);
  if (OnMouseUp) OnMouseUp(ButtonOf(event->button()));
}
