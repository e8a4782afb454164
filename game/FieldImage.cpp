// The composed field is kept in one bitmap; a change of a layer marks its
// area stale and asks Qt to repaint that area only. Painting recomposes the
// stale part and copies it without smoothing, so pixels stay crisp when a
// high-DPI screen scales the window.
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
#include <cmath>

namespace {

int PixelOf(qreal v) { return int(std::floor(v)); }

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
    update(QRect(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top));
  });
}

TImage32::~TImage32() {
  // Layers still in the stack go with it; nothing may repaint during that.
  layers_->SetOnInvalidate(nullptr);
  layers_.reset();
}

void TImage32::SetFieldSize(int width, int height) {
  composed_.Resize(width, height);
  shown_ = QImage(width, height, QImage::Format_RGB32);
  stale_ = composed_.BoundsRect();
  setFixedSize(width, height);
  update();
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

void TImage32::paintEvent(QPaintEvent* event) {
  Recompose();
  QPainter painter(this);
  painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
  painter.setCompositionMode(QPainter::CompositionMode_Source);
  if (composed_.Empty()) {
    painter.fillRect(rect(), Qt::black);
    return;
  }
  const QRect r = event->rect().intersected(shown_.rect());
  painter.drawImage(r.topLeft(), shown_, r);
}

void TImage32::mousePressEvent(QMouseEvent* event) {
  if (OnMouseDown) OnMouseDown(MouseButtonOf(event->button()), PixelOf(event->position().x()), PixelOf(event->position().y()));
}

void TImage32::mouseMoveEvent(QMouseEvent* event) {
  if (OnMouseMove) OnMouseMove(PixelOf(event->position().x()), PixelOf(event->position().y()));
}

void TImage32::mouseReleaseEvent(QMouseEvent* event) {
  if (OnMouseUp) OnMouseUp(MouseButtonOf(event->button()), PixelOf(event->position().x()), PixelOf(event->position().y()));
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
