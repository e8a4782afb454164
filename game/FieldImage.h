// imgField: the control that shows the field's layer stack. The stack is
// composed in device pixels (the field's pixels: cellPixels a cell) and
// shown 1:1 on the screen's pixels, centred in the control, so nothing is
// scaled on the way and nothing blurs. It owns the layer collection,
// recomposes only the area that the layers report as changed, hands mouse
// events to the window's handlers in field pixels, and keys while it has
// the focus. When its size on screen or the screen's pixel ratio asks for
// another number of pixels per cell, it tells the window (OnCellPixels),
// which draws the field anew at that size.
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
  // The field: cellsAcross x cellsDown cells (the map and its margin) at
  // cellPixels device pixels a cell.
  void SetFieldSize(int cellsAcross, int cellsDown, int cellPixels);
  int CellPixels() const { return cellPixels_; }
  // The pixels per cell that the control's size and pixel ratio ask for.
  int WantedCellPixels() const;
  double PixelRatio() const { return devicePixelRatioF(); }
  // Where field pixel (0, 0) lies in the control, in device pixels: the
  // field centred, or at the top left where the control is too small.
  QPoint FieldOrigin() const;
  // The field pixel under a point of the control (logical coordinates).
  QPoint FieldPixelAt(QPointF position) const;

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
  // The control asks for the field at another number of pixels per cell.
  std::function<void(int cellPixels)> OnCellPixels;

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  void Recompose();
  void AskForCellPixels();
  // The control's logical rectangle that shows field pixels r.
  QRect LogicalRectOf(const TRect& r) const;

  std::unique_ptr<TLayerCollection> layers_;
  int cellsAcross_ = 0, cellsDown_ = 0, cellPixels_ = 0;
  TBitmap32 composed_;  // the stack composed, field pixels
  QImage shown_;        // composed_ made opaque, what paintEvent copies
  TRect stale_;         // part of composed_ (and shown_) not yet recomposed
};
