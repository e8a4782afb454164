// The composed field is kept in one bitmap of device pixels; a change of a
// layer marks its area stale and asks Qt to repaint that area only.
// Painting recomposes the stale part and copies it without smoothing onto
// the screen's own pixels: the copy carries the screen's pixel ratio, so Qt
// puts each field pixel on one device pixel, at 1, 1.5 or 2 alike.
//
// Composed pixels keep the alpha that blending leaves, below 255 on grid
// lines and glow edges. Drawn as they are, Qt would blend them over what
// the window showed before (dark rings around lights after a restart, a
// dimmed grid after the hint). So the screen gets an opaque copy, forced
// to alpha 255, and that copy replaces the old pixels outright.
#include "game/FieldImage.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "game/FieldScale.h"

namespace {

// Round the field: the area of the control that the field leaves free.
const QColor Surround(28, 28, 30);

}  // namespace

TMouseButton MouseButtonOf(Qt::MouseButton b) {
  switch (b) {
    case Qt::LeftButton: return TMouseButton::mbLeft;
    case Qt::RightButton: return TMouseButton::mbRight;
    case Qt::MiddleButton: return TMouseButton::mbMiddle;
    default: return TMouseButton::mbOther;
  }
}

TImage32::TImage32(QWidget* parent) : QWidget(parent), layers_(std::make_unique<TLayerCollection>()) {
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
  layers_->SetOnInvalidate([this](const TRect& r) {
    stale_ = UnionRect(stale_, IntersectRect(r, composed_.BoundsRect()));
    update(LogicalRectOf(r));
  });
}

TImage32::~TImage32() {
  // Layers still in the stack go with it; nothing may repaint during that.
  layers_->SetOnInvalidate(nullptr);
  layers_.reset();
}

void TImage32::SetFieldSize(int cellsAcross, int cellsDown, int cellPixels) {
  cellsAcross_ = cellsAcross;
  cellsDown_ = cellsDown;
  cellPixels_ = cellPixels;
  const int width = cellsAcross * cellPixels, height = cellsDown * cellPixels;
  if (composed_.Width() != width || composed_.Height() != height) {
    composed_.Resize(width, height);
    shown_ = QImage(width, height, QImage::Format_RGB32);
  }
  stale_ = composed_.BoundsRect();
  update();
}

int TImage32::WantedCellPixels() const {
  return FittingCellPixels(DeviceSizeOf(size(), PixelRatio()), cellsAcross_, cellsDown_);
}

QPoint TImage32::FieldOrigin() const {
  const QSize area = DeviceSizeOf(size(), PixelRatio());
  return {std::max(0, (area.width() - composed_.Width()) / 2), std::max(0, (area.height() - composed_.Height()) / 2)};
}

QPoint TImage32::FieldPixelAt(QPointF position) const {
  const double ratio = PixelRatio();
  return QPoint(DevicePixelOf(position.x(), ratio), DevicePixelOf(position.y(), ratio)) - FieldOrigin();
}

QRect TImage32::LogicalRectOf(const TRect& r) const {
  const double ratio = PixelRatio();
  const QPoint o = FieldOrigin();
  const int left = int(std::floor((r.Left + o.x()) / ratio)), top = int(std::floor((r.Top + o.y()) / ratio));
  const int right = int(std::ceil((r.Right + o.x()) / ratio)), bottom = int(std::ceil((r.Bottom + o.y()) / ratio));
  return QRect(left, top, right - left, bottom - top);
}

void TImage32::Recompose() {
  if (stale_.Empty()) return;
  layers_->Compose(composed_, stale_);
  for (int32_t y = stale_.Top; y < stale_.Bottom; ++y) {
    const TColor32* from = composed_.Bits() + size_t(y) * size_t(composed_.Width());
    auto* to = reinterpret_cast<TColor32*>(shown_.scanLine(y));
    for (int32_t x = stale_.Left; x < stale_.Right; ++x) to[x] = from[x] | 0xFF000000u;
  }
  stale_ = TRect{};
}

const TBitmap32& TImage32::Composed() {
  Recompose();
  return composed_;
}

void TImage32::AskForCellPixels() {
  if (cellPixels_ == 0) return;
  const int wanted = WantedCellPixels();
  if (wanted != cellPixels_ && OnCellPixels) OnCellPixels(wanted);
}

bool TImage32::event(QEvent* event) {
  // Moved to a screen of another pixel ratio: the same size on screen holds
  // another number of device pixels.
  if (event->type() == QEvent::ScreenChangeInternal) {
    AskForCellPixels();
    update();
  }
  return QWidget::event(event);
}

void TImage32::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  AskForCellPixels();
}

void TImage32::paintEvent(QPaintEvent* event) {
  Recompose();
  QPainter painter(this);
  painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
  painter.setCompositionMode(QPainter::CompositionMode_Source);
  const double ratio = PixelRatio();
  const QPoint origin = FieldOrigin();
  const QRectF field(origin.x() / ratio, origin.y() / ratio, composed_.Width() / ratio, composed_.Height() / ratio);
  // The surround: what the field leaves of the exposed area.
  QRegion surround(event->rect());
  surround -= field.toAlignedRect().adjusted(1, 1, -1, -1);
  for (const QRect& r : surround) painter.fillRect(r, Surround);
  if (composed_.Empty()) return;
  shown_.setDevicePixelRatio(ratio);
  // Only the exposed part, in whole field pixels.
  const QRectF exposed = QRectF(event->rect()).intersected(field);
  if (exposed.isEmpty()) return;
  const int left = std::max(0, int(std::floor(exposed.left() * ratio)) - origin.x());
  const int top = std::max(0, int(std::floor(exposed.top() * ratio)) - origin.y());
  const int right = std::min(composed_.Width(), int(std::ceil(exposed.right() * ratio)) - origin.x());
  const int bottom = std::min(composed_.Height(), int(std::ceil(exposed.bottom() * ratio)) - origin.y());
  if (right <= left || bottom <= top) return;
  const QRectF target((origin.x() + left) / ratio, (origin.y() + top) / ratio, (right - left) / ratio,
                      (bottom - top) / ratio);
  painter.drawImage(target, shown_, QRectF(left, top, right - left, bottom - top));
}

void TImage32::mousePressEvent(QMouseEvent* event) {
  const QPoint p = FieldPixelAt(event->position());
  if (OnMouseDown) OnMouseDown(MouseButtonOf(event->button()), p.x(), p.y());
}

void TImage32::mouseMoveEvent(QMouseEvent* event) {
  const QPoint p = FieldPixelAt(event->position());
  if (OnMouseMove) OnMouseMove(p.x(), p.y());
}

void TImage32::mouseReleaseEvent(QMouseEvent* event) {
  const QPoint p = FieldPixelAt(event->position());
  if (OnMouseUp) OnMouseUp(MouseButtonOf(event->button()), p.x(), p.y());
}

void TImage32::leaveEvent(QEvent*) {
  if (OnMouseLeave) OnMouseLeave();
}

void TImage32::keyPressEvent(QKeyEvent* event) {
  if (OnKeyDown && OnKeyDown(event->key(), event->isAutoRepeat())) return;
  QWidget::keyPressEvent(event);
}

void TImage32::keyReleaseEvent(QKeyEvent* event) {
  if (OnKeyUp && OnKeyUp(event->key(), event->isAutoRepeat())) return;
  QWidget::keyReleaseEvent(event);
}

void TImage32::focusOutEvent(QFocusEvent* event) {
  QWidget::focusOutEvent(event);
  if (OnFocusLeave) OnFocusLeave();
}
