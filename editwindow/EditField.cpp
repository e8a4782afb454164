// The field draws from an image of one pixel a cell, scaled without
// smoothing, so a stroke on the largest level repaints a few cells, never
// the 40,000 of the whole field; grid lines come only where cells are large
// enough to tell them apart.
#include "editwindow/EditField.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

namespace {

constexpr QRgb WallColour = 0xFF3B3631;
constexpr QRgb FloorColour = 0xFFE4DCC8;
const QColor MarginColour(0x26, 0x24, 0x22);
const QColor GridColour(0, 0, 0, 40);
const QColor LitColour(255, 214, 40, 115);
const QColor LightColour(255, 200, 0);
const QColor WitnessColour(214, 30, 150);
const QColor CursorColour(255, 120, 0);
// Grid lines only from this many pixels a cell: below, they would hide
// the cells.
constexpr int GridFromPixels = 6;

}  // namespace

TEditField::TEditField(QWidget* parent) : QWidget(parent) {
  setFocusPolicy(Qt::StrongFocus);
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void TEditField::SetSession(TEditSession* session) {
  session_ = session;
  dragButton_ = Qt::NoButton;
  rectAnchor_.reset();
  CellsChanged({0, 0, session_ ? session_->Width() : 0, session_ ? session_->Height() : 0}, true);
}

void TEditField::SetOverlays(const TFieldOverlays* overlays) {
  overlays_ = overlays;
  update();
}

void TEditField::CellsChanged(const TCellRect& cells, bool resized) {
  if (!session_) return;
  if (resized || cells_.width() != session_->Width() || cells_.height() != session_->Height()) {
    cells_ = QImage(session_->Width(), session_->Height(), QImage::Format_RGB32);
    RedrawCells({0, 0, session_->Width(), session_->Height()});
    SetCursorCell(cursor_.x(), cursor_.y());
    SetCellPixels(cell_);
    update();
    return;
  }
  RedrawCells(cells);
  UpdateCells(cells);
}

void TEditField::RedrawCells(const TCellRect& cells) {
  for (int y = std::max(cells.top, 0); y < std::min(cells.bottom, cells_.height()); ++y) {
    auto* row = reinterpret_cast<QRgb*>(cells_.scanLine(y));
    for (int x = std::max(cells.left, 0); x < std::min(cells.right, cells_.width()); ++x)
      row[x] = session_->IsWall(x, y) ? WallColour : FloorColour;
  }
}

QRect TEditField::RectOf(const TCellRect& cells) const {
  return QRect((cells.left + 1) * cell_, (cells.top + 1) * cell_, (cells.right - cells.left) * cell_,
               (cells.bottom - cells.top) * cell_);
}

QRect TEditField::CellRect(int x, int y) const { return RectOf({x, y, x + 1, y + 1}); }

void TEditField::UpdateCells(const TCellRect& cells) {
  // The cursor's frame reaches a little beyond its cell.
  update(RectOf(cells).adjusted(-3, -3, 3, 3));
}

void TEditField::SetCellPixels(int cell) {
  cell_ = std::clamp(cell, MinCellPixels, MaxCellPixels);
  const int w = session_ ? session_->Width() : 0, h = session_ ? session_->Height() : 0;
  setFixedSize((w + 2) * cell_, (h + 2) * cell_);
  update();
}

int TEditField::FittingCellPixels(QSize room) const {
  if (!session_) return cell_;
  const int across = room.width() / (session_->Width() + 2), down = room.height() / (session_->Height() + 2);
  return std::clamp(std::min(across, down), MinCellPixels, MaxCellPixels);
}

void TEditField::SetCursorCell(int x, int y) {
  if (!session_) return;
  const QPoint before = cursor_;
  cursor_ = {std::clamp(x, 0, session_->Width() - 1), std::clamp(y, 0, session_->Height() - 1)};
  if (before == cursor_) return;
  UpdateCells({before.x(), before.y(), before.x() + 1, before.y() + 1});
  UpdateCells({cursor_.x(), cursor_.y(), cursor_.x() + 1, cursor_.y() + 1});
  emit CursorMoved(cursor_.x(), cursor_.y());
}

QPoint TEditField::CellAt(QPointF position) const {
  return {int(std::floor(position.x() / cell_)) - 1, int(std::floor(position.y() / cell_)) - 1};
}

void TEditField::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  const QRect area = event->rect();
  painter.fillRect(area, MarginColour);
  if (!session_) return;
  const int w = session_->Width(), h = session_->Height();
  const QRect field(cell_, cell_, w * cell_, h * cell_);
  painter.drawImage(field, cells_);
  if (overlays_ && overlays_->showHeat && overlays_->heat.width() == w && overlays_->heat.height() == h)
    painter.drawImage(field, overlays_->heat);
  if (cell_ >= GridFromPixels) {
    painter.setPen(GridColour);
    const QRect lines = area.intersected(field.adjusted(0, 0, 1, 1));
    for (int i = lines.left() / cell_; i <= lines.right() / cell_ && i <= w + 1; ++i)
      if (i >= 1) painter.drawLine(i * cell_, field.top(), i * cell_, field.bottom() + 1);
    for (int j = lines.top() / cell_; j <= lines.bottom() / cell_ && j <= h + 1; ++j)
      if (j >= 1) painter.drawLine(field.left(), j * cell_, field.right() + 1, j * cell_);
  }
  DrawOverlays(painter, area);
  if (rectAnchor_) {
    const TCellRect spanned = CellsBetween(rectAnchor_->x(), rectAnchor_->y(), rectCorner_.x(), rectCorner_.y());
    const bool wall = dragButton_ == Qt::LeftButton;
    painter.setPen(QPen(CursorColour, 2, Qt::DashLine));
    painter.setBrush(wall ? QColor(0x3B, 0x36, 0x31, 120) : QColor(0xE4, 0xDC, 0xC8, 150));
    painter.drawRect(RectOf(spanned));
  }
  DrawCursor(painter);
}

void TEditField::DrawOverlays(QPainter& painter, const QRect& area) {
  if (!overlays_) return;
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  if (overlays_->showCover) {
    painter.save();
    painter.translate(cell_, cell_);
    painter.scale(cell_, cell_);
    painter.fillPath(overlays_->litArea, LitColour);
    painter.restore();
    const double radius = std::max(3.0, cell_ * 0.38);
    painter.setPen(QPen(QColor(60, 40, 0), std::max(1.0, cell_ / 10.0)));
    painter.setBrush(LightColour);
    for (const TGridPoint& light : overlays_->lights) {
      const QPointF at((light.x + 1) * cell_, (light.y + 1) * cell_);
      if (area.intersects(QRectF(at.x() - radius - 2, at.y() - radius - 2, 2 * radius + 4, 2 * radius + 4).toAlignedRect()))
        painter.drawEllipse(at, radius, radius);
    }
  }
  if (overlays_->showWitnesses) {
    const double r = std::max(3.0, cell_ * 0.32);
    painter.setPen(QPen(Qt::white, 1));
    painter.setBrush(WitnessColour);
    for (const QPointF& w : overlays_->witnesses) {
      const QPointF at((w.x() + 1) * cell_, (w.y() + 1) * cell_);
      const QPointF diamond[4] = {{at.x(), at.y() - r}, {at.x() + r, at.y()}, {at.x(), at.y() + r}, {at.x() - r, at.y()}};
      painter.drawPolygon(diamond, 4);
    }
  }
  painter.restore();
}

void TEditField::DrawCursor(QPainter& painter) {
  // Two frames, dark outside and bright inside, so that the cursor shows on
  // wall and on floor alike; brighter while the field has the keys.
  const QRect cell = CellRect(cursor_.x(), cursor_.y());
  const int width = std::max(2, cell_ / 6);
  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(Qt::black, width + 2));
  painter.drawRect(cell);
  painter.setPen(QPen(hasFocus() ? CursorColour : CursorColour.darker(160), width));
  painter.drawRect(cell);
}

void TEditField::mousePressEvent(QMouseEvent* event) {
  setFocus(Qt::MouseFocusReason);
  if (!session_ || dragButton_ != Qt::NoButton) return;  // a second button while one is held
  if (event->button() != Qt::LeftButton && event->button() != Qt::RightButton) return;
  dragButton_ = event->button();
  const QPoint cell = CellAt(event->position());
  const bool wall = dragButton_ == Qt::LeftButton;
  if (event->modifiers() & Qt::ShiftModifier) {
    const QPoint inside(std::clamp(cell.x(), 0, session_->Width() - 1), std::clamp(cell.y(), 0, session_->Height() - 1));
    rectAnchor_ = inside;
    rectCorner_ = inside;
    update();
  } else {
    session_->BeginStroke(wall, cell.x(), cell.y());
  }
  HoverAt(cell);
}

void TEditField::mouseMoveEvent(QMouseEvent* event) {
  const QPoint cell = CellAt(event->position());
  HoverAt(cell);
  if (!session_ || dragButton_ == Qt::NoButton) return;
  if (rectAnchor_) {
    const QPoint inside(std::clamp(cell.x(), 0, session_->Width() - 1), std::clamp(cell.y(), 0, session_->Height() - 1));
    if (inside != rectCorner_) {
      rectCorner_ = inside;
      update();
    }
  } else {
    session_->PaintTo(cell.x(), cell.y());
  }
}

void TEditField::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != dragButton_ || dragButton_ == Qt::NoButton) return;
  EndDrag(CellAt(event->position()));
}

void TEditField::EndDrag(std::optional<QPoint> cell) {
  const bool wall = dragButton_ == Qt::LeftButton;
  dragButton_ = Qt::NoButton;
  if (rectAnchor_) {
    const QPoint anchor = *rectAnchor_;
    rectAnchor_.reset();
    update();
    const QPoint corner = cell.value_or(rectCorner_);
    const QPoint inside(std::clamp(corner.x(), 0, session_->Width() - 1),
                        std::clamp(corner.y(), 0, session_->Height() - 1));
    session_->FillRectangle(CellsBetween(anchor.x(), anchor.y(), inside.x(), inside.y()), wall);
  } else {
    if (cell) session_->PaintTo(cell->x(), cell->y());
    session_->EndStroke();
  }
  emit StepEnded();
}

void TEditField::HoverAt(QPoint cell) {
  const bool on = session_ && cell.x() >= 0 && cell.y() >= 0 && cell.x() < session_->Width() && cell.y() < session_->Height();
  const QPoint hover = on ? cell : QPoint(-1, -1);
  // The cell cursor follows the pointer, as the game's does, so that the
  // keys go on where the mouse was.
  if (on) SetCursorCell(cell.x(), cell.y());
  if (hover == hover_) return;
  hover_ = hover;
  emit HoverCell(hover_.x(), hover_.y());
}

void TEditField::leaveEvent(QEvent* event) {
  QWidget::leaveEvent(event);
  HoverAt({-1, -1});
}

void TEditField::keyPressEvent(QKeyEvent* event) {
  if (!session_ || (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
    QWidget::keyPressEvent(event);
    return;
  }
  switch (event->key()) {
    case Qt::Key_Left: SetCursorCell(cursor_.x() - 1, cursor_.y()); return;
    case Qt::Key_Right: SetCursorCell(cursor_.x() + 1, cursor_.y()); return;
    case Qt::Key_Up: SetCursorCell(cursor_.x(), cursor_.y() - 1); return;
    case Qt::Key_Down: SetCursorCell(cursor_.x(), cursor_.y() + 1); return;
    case Qt::Key_Space:
      // A held key repeats; one press is one toggle. Not while a button
      // paints: the stroke would end in the middle.
      if (!event->isAutoRepeat() && dragButton_ == Qt::NoButton) {
        session_->ToggleCell(cursor_.x(), cursor_.y());
        emit StepEnded();
      }
      return;
    default:
      QWidget::keyPressEvent(event);
  }
}

void TEditField::wheelEvent(QWheelEvent* event) {
  if (!(event->modifiers() & Qt::ControlModifier)) {
    event->ignore();  // the scroll area scrolls
    return;
  }
  // A touchpad turns the wheel in small parts; they add up to notches.
  wheelParts_ += event->angleDelta().y();
  const int steps = wheelParts_ / 120;
  wheelParts_ -= steps * 120;
  if (steps != 0) emit ZoomAsked(steps, event->position());
  event->accept();
}

void TEditField::focusInEvent(QFocusEvent* event) {
  QWidget::focusInEvent(event);
  UpdateCells({cursor_.x(), cursor_.y(), cursor_.x() + 1, cursor_.y() + 1});
}

void TEditField::focusOutEvent(QFocusEvent* event) {
  QWidget::focusOutEvent(event);
  // A button released elsewhere never comes back here: the step ends now.
  if (dragButton_ != Qt::NoButton) EndDrag(std::nullopt);
  UpdateCells({cursor_.x(), cursor_.y(), cursor_.x() + 1, cursor_.y() + 1});
}
