// The composed field is kept in one bitmap; a change of a layer marks its
// area stale and asks Qt to repaint that area only. Painting recomposes the
// stale part and draws it without smoothing, so pixels stay crisp when a
// high-DPI screen scales the window.
#include "game/FieldImage.h"

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
  stale_ = composed_.BoundsRect();
  setFixedSize(width, height);
  update();
}

void TImage32::Recompose() {
  if (stale_.Empty()) return;
  layers_->Compose(composed_, stale_);
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
  if (composed_.Empty()) {
    painter.fillRect(rect(), Qt::black);
    return;
  }
  // The bitmap's pixels are ARGB words, exactly QImage's ARGB32 layout.
  const QImage image(reinterpret_cast<const uchar*>(composed_.Bits()), composed_.Width(), composed_.Height(),
                     composed_.Width() * 4, QImage::Format_ARGB32);
  const QRect r = event->rect().intersected(image.rect());
  painter.drawImage(r.topLeft(), image, r);
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
