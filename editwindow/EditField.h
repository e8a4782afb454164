// The field of the editor: the level's cells at a whole number of logical
// pixels a cell with a margin of one cell, inside a scroll area. It turns
// the mouse and the keys into the edit session's steps and draws the
// session's cells, the overlays and the cell cursor; it keeps no level of
// its own.
//
// Mouse: the left button paints wall, the right one floor, as long as it is
// held; with Shift held at the press, the drag spans a rectangle that is
// filled at the release. Keys while it has the focus: the arrows move the
// cell cursor, Space toggles the cell under it. Ctrl with the wheel asks the
// window to zoom; the wheel alone scrolls.
#pragma once

#include <QImage>
#include <QPoint>
#include <QWidget>
#include <optional>

#include "editor/CellRect.h"
#include "editor/EditSession.h"
#include "editwindow/FieldOverlays.h"

class TEditField : public QWidget {
  Q_OBJECT
 public:
  static constexpr int MinCellPixels = 2;
  static constexpr int MaxCellPixels = 64;

  explicit TEditField(QWidget* parent = nullptr);

  // The session shown and edited (not owned); all of it redrawn.
  void SetSession(TEditSession* session);
  // The session's report of changed cells (TEditSession::OnChanged).
  void CellsChanged(const TCellRect& cells, bool resized);
  void SetOverlays(const TFieldOverlays* overlays);  // not owned; null: none
  void OverlaysChanged() { update(); }

  int CellPixels() const { return cell_; }
  void SetCellPixels(int cell);  // clamped; the widget takes the field's size
  // The largest cell size at which the whole field fits `room` (logical).
  int FittingCellPixels(QSize room) const;

  QPoint CursorCell() const { return cursor_; }
  void SetCursorCell(int x, int y);  // clamped to the field
  // The cell under a point of the widget; off the field it lies outside
  // 0..W-1 x 0..H-1 (the cells beyond, counted on).
  QPoint CellAt(QPointF position) const;
  // The widget's rectangle of cell (x, y).
  QRect CellRect(int x, int y) const;

 signals:
  void HoverCell(int x, int y);  // the cell under the pointer; -1, -1 off the field
  void CursorMoved(int x, int y);
  void StepEnded();              // a stroke, a rectangle or a toggle has ended
  void ZoomAsked(int steps, QPointF position);  // Ctrl+wheel: + larger, - smaller

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  void RedrawCells(const TCellRect& cells);
  void UpdateCells(const TCellRect& cells);  // schedules their repaint
  void DrawOverlays(class QPainter& painter, const QRect& area);
  void DrawCursor(class QPainter& painter);
  QRect RectOf(const TCellRect& cells) const;
  // The drag's step, its last cell at `cell` (none: where it got to).
  void EndDrag(std::optional<QPoint> cell);
  void HoverAt(QPoint cell);

  TEditSession* session_ = nullptr;
  const TFieldOverlays* overlays_ = nullptr;
  int cell_ = 10;
  QImage cells_;          // one pixel a cell, the session's walls and floor
  QPoint cursor_{0, 0};   // the cell cursor
  QPoint hover_{-1, -1};  // the cell under the pointer
  // The button being held over the field (NoButton: none), and for a
  // rectangle its first corner and its present one.
  Qt::MouseButton dragButton_ = Qt::NoButton;
  std::optional<QPoint> rectAnchor_;
  QPoint rectCorner_;
  int wheelParts_ = 0;  // eighths of a degree not yet a notch
};
