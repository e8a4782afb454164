// Drawing the program's icon. Everything is laid out in units of the icon's
// side, so the four sizes are one picture.
#include "AppIcon.h"

#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <algorithm>
#include <cmath>

#include "art/LightIcons.h"

namespace {

const QPointF LightAt(0.42, 0.44);
const QRectF Blocks[] = {{0.60, 0.18, 0.20, 0.17}, {0.18, 0.64, 0.17, 0.18}, {0.68, 0.66, 0.12, 0.12}};

double Cross(const QPointF& o, const QPointF& a, const QPointF& b) {
  return (a.x() - o.x()) * (b.y() - o.y()) - (a.y() - o.y()) * (b.x() - o.x());
}

// Convex hull (monotone chain), counter-clockwise.
QPolygonF Hull(std::vector<QPointF> points) {
  std::sort(points.begin(), points.end(),
            [](const QPointF& a, const QPointF& b) { return a.x() < b.x() || (a.x() == b.x() && a.y() < b.y()); });
  std::vector<QPointF> hull(2 * points.size());
  size_t k = 0;
  for (size_t i = 0; i < points.size(); ++i) {
    while (k >= 2 && Cross(hull[k - 2], hull[k - 1], points[i]) <= 0) --k;
    hull[k++] = points[i];
  }
  for (size_t i = points.size() - 1, t = k + 1; i-- > 0;) {
    while (k >= t && Cross(hull[k - 2], hull[k - 1], points[i]) <= 0) --k;
    hull[k++] = points[i];
  }
  hull.resize(k > 0 ? k - 1 : 0);
  return QPolygonF(QList<QPointF>(hull.begin(), hull.end()));
}

// A block and what it hides from the light: its corners and the same
// corners pushed far away from the light.
QPolygonF BlockAndShadow(const QRectF& block, const QPointF& light, double side) {
  std::vector<QPointF> points;
  for (const QPointF& corner : {block.topLeft(), block.topRight(), block.bottomLeft(), block.bottomRight()}) {
    const QPointF c = corner * side, l = light * side;
    points.push_back(c);
    points.push_back(l + (c - l) * 20.0);
  }
  return Hull(points);
}

// The rounded stone tile that both icons stand on, painted on a canvas of
// s pixels a side; its rectangle.
QRectF PaintStoneTile(QPainter& p, double s) {
  p.setRenderHint(QPainter::Antialiasing);
  QPainterPath tile;
  const QRectF tileRect(0.04 * s, 0.04 * s, 0.92 * s, 0.92 * s);
  tile.addRoundedRect(tileRect, 0.16 * s, 0.16 * s);
  p.fillPath(tile, QColor(92, 86, 80));
  return tileRect;
}

QImage DrawAppIcon(int size) {
  const double s = size;
  QImage canvas(size, size, QImage::Format_ARGB32_Premultiplied);
  canvas.fill(Qt::transparent);
  QPainter p(&canvas);
  const QRectF tileRect = PaintStoneTile(p, s);
  // The dark floor inside the stone rim.
  QPainterPath floor;
  const QRectF floorRect = tileRect.adjusted(0.045 * s, 0.045 * s, -0.045 * s, -0.045 * s);
  floor.addRoundedRect(floorRect, 0.12 * s, 0.12 * s);
  p.fillPath(floor, QColor(34, 39, 52));

  QPainterPath lit = floor;
  for (const QRectF& block : Blocks) {
    QPainterPath hidden;
    hidden.addPolygon(BlockAndShadow(block, LightAt, s));
    hidden.closeSubpath();
    lit = lit.subtracted(hidden);
  }
  QRadialGradient warmth(LightAt * s, 0.70 * s);
  warmth.setColorAt(0.0, QColor(246, 222, 160));
  warmth.setColorAt(1.0, QColor(188, 138, 74));
  p.fillPath(lit, warmth);

  for (const QRectF& block : Blocks) {
    const QRectF r(block.x() * s, block.y() * s, block.width() * s, block.height() * s);
    p.fillRect(r, QColor(120, 110, 100));
    const double edge = std::max(1.0, 0.025 * s);
    p.fillRect(QRectF(r.x(), r.y(), r.width(), edge), QColor(158, 148, 136));
    p.fillRect(QRectF(r.x(), r.bottom() - edge, r.width(), edge), QColor(70, 62, 56));
  }

  const int glow = std::max(9, int(std::lround(0.56 * s)));
  const QImage halo = DrawGlow(glow, Scaled(PlacedLightStyle(), glow / 26.0));
  p.drawImage(QPointF(LightAt.x() * s - glow / 2, LightAt.y() * s - glow / 2), halo);
  p.end();

  return StoredForm(canvas);
}

// The level editor's icon: the same tile, its floor a grid of cells with a
// few walls, one light glowing on a cell corner, and a pencil drawing a
// wall.
QImage DrawEditorIcon(int size) {
  const double s = size;
  QImage canvas(size, size, QImage::Format_ARGB32_Premultiplied);
  canvas.fill(Qt::transparent);
  QPainter p(&canvas);
  const QRectF tileRect = PaintStoneTile(p, s);
  // Five by five cells inside the rim; walls where the mask says so.
  const QRectF grid = tileRect.adjusted(0.08 * s, 0.08 * s, -0.08 * s, -0.08 * s);
  const double cell = grid.width() / 5;
  static const char* const Cells[5] = {"..#..", "..#..", ".....", "##...", "....."};
  p.save();
  QPainterPath inside;
  inside.addRoundedRect(grid, 0.06 * s, 0.06 * s);
  p.setClipPath(inside);
  for (int r = 0; r < 5; ++r)
    for (int c = 0; c < 5; ++c)
      p.fillRect(QRectF(grid.x() + c * cell, grid.y() + r * cell, cell, cell),
                 Cells[r][c] == '#' ? QColor(58, 53, 48) : QColor(228, 218, 196));
  p.setPen(QPen(QColor(0, 0, 0, 60), std::max(1.0, 0.01 * s)));
  for (int k = 1; k < 5; ++k) {
    p.drawLine(QPointF(grid.x() + k * cell, grid.top()), QPointF(grid.x() + k * cell, grid.bottom()));
    p.drawLine(QPointF(grid.left(), grid.y() + k * cell), QPointF(grid.right(), grid.y() + k * cell));
  }
  p.restore();

  const int glow = std::max(9, int(std::lround(0.40 * s)));
  const QImage halo = DrawGlow(glow, Scaled(PlacedLightStyle(), glow / 26.0));
  const QPointF light(grid.x() + cell, grid.y() + cell);
  p.drawImage(QPointF(light.x() - glow / 2, light.y() - glow / 2), halo);

  // The pencil, from the lower right corner towards the middle.
  p.save();
  p.translate(0.64 * s, 0.64 * s);
  p.rotate(-45);
  const double w = 0.12 * s, body = 0.33 * s, tip = 0.11 * s;
  p.setPen(QPen(QColor(40, 30, 20), std::max(1.0, 0.012 * s)));
  p.setBrush(QColor(240, 178, 40));
  p.drawRect(QRectF(0, -w / 2, body, w));
  p.setBrush(QColor(236, 206, 160));
  const QPointF cone[3] = {{0, -w / 2}, {0, w / 2}, {-tip, 0}};
  p.drawPolygon(cone, 3);
  p.setBrush(QColor(40, 30, 20));
  const QPointF lead[3] = {{-tip * 0.62, -w * 0.19}, {-tip * 0.62, w * 0.19}, {-tip, 0}};
  p.drawPolygon(lead, 3);
  p.restore();
  p.end();

  return StoredForm(canvas);
}

}  // namespace

std::vector<AppIcon> DrawAppIcons() {
  std::vector<AppIcon> icons;
  for (int size : {48, 64, 128, 256}) {
    icons.push_back({QStringLiteral("app_icon_%1.png").arg(size), DrawAppIcon(size)});
    icons.push_back({QStringLiteral("editor_icon_%1.png").arg(size), DrawEditorIcon(size)});
  }
  return icons;
}
