// imgField: the control that shows the field's layer stack 1:1. It owns the
// layer collection, recomposes only the area that the layers report as
// changed, and hands mouse events to the window's handlers in field pixels,
// and keys while it has the focus.
#pragma once

#include <QImage>
#include <QWidget>
#include <functional>

#include "raster/Bitmap32.h"
#include "raster/Layers.h"

enum class TMouseButton { mbLeft, mbRight, mbMiddle, mbOther };
TMouseButton MouseButtonOf(Qt::MouseButton button);

class TImage32 : public QWidget {
  Q_OBJECT
 public:
  explicit TImage32(QWidget* parent = nullptr);
  ~TImage32() override;

  TLayerCollection& Layers() { return *layers_; }
  // Field size in pixels; the control keeps exactly this size.
  void SetFieldSize(int width, int height);

  // The composed stack (recomposed where stale). Its alpha is what the
  // blending left (223 on grid lines, for one); the screen shows its
  // colour channels alone, as opaque pixels.
  const TBitmap32& Composed();

  std::function<void(TMouseButton, int x, int y)> OnMouseDown;
  std::function<void(int x, int y)> OnMouseMove;
  std::function<void(TMouseButton, int x, int y)> OnMouseUp;
  std::function<void()> OnMouseLeave;
  // Keys while the field has the focus (it takes it from a click or Tab).
  // True when the key was used; an unused key goes on to the window.
  std::function<bool(int key, bool autoRepeat)> OnKeyDown;
  std::function<bool(int key, bool autoRepeat)> OnKeyUp;
  std::function<void()> OnFocusLeave;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  void Recompose();

  std::unique_ptr<TLayerCollection> layers_;
  TBitmap32 composed_;  // the stack composed, field pixels
  QImage shown_;        // composed_ made opaque, what paintEvent copies
  TRect stale_;         // part of composed_ (and shown_) not yet recomposed
};
