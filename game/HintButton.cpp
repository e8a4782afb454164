#include "game/HintButton.h"

#include <QMouseEvent>

THintButton::THintButton(QWidget* parent) : QPushButton(parent) { setFocusPolicy(Qt::NoFocus); }

void THintButton::mousePressEvent(QMouseEvent* event) {
  setDown(true);
  if (OnMouseDown) OnMouseDown(MouseButtonOf(event->button()));
}

void THintButton::mouseReleaseEvent(QMouseEvent* event) {
  setDown(false);
  if (OnMouseUp) OnMouseUp(MouseButtonOf(event->button()));
}
