// btHint: acts while held, with any mouse button; it has no click and takes
// no keyboard focus, so only the mouse triggers it.
#pragma once

#include <QPushButton>
#include <functional>

#include "game/FieldImage.h"

class THintButton : public QPushButton {
  Q_OBJECT
 public:
  explicit THintButton(QWidget* parent = nullptr);

  std::function<void(TMouseButton)> OnMouseDown;
  std::function<void(TMouseButton)> OnMouseUp;

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
};
