// The canvas's composed field is the picture; only the edge marks are drawn
// here. They lie in the margin round the field, where the hint never
// paints, in the placed light's yellow with a brown rim, so nothing of them
// is taken for dark floor.
#include "judge/JudgePicture.h"

#include <QBuffer>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

#include "framework/WholeFile.h"
#include "judge/JudgeCanvas.h"

namespace {

// 96 dots an inch, what the pictures have always said they are.
constexpr int PictureDotsPerMeter = 3780;
constexpr QRgb MarkFill = 0xFFFFEF5B;
constexpr QRgb MarkRim = 0xFF8A3A00;

// A triangle in the margin at the field's edge point nearest the light,
// its tip toward the light. Cell units in, field pixels (cell a cell) out.
void DrawEdgeMark(QPainter& painter, const TLevel& level, double lightX, double lightY, int32_t cell) {
  const double ex = std::clamp(lightX, 0.0, double(level.Width())), ey = std::clamp(lightY, 0.0, double(level.Height()));
  double dx = lightX - ex, dy = lightY - ey;
  const double length = std::hypot(dx, dy);
  dx /= length;
  dy /= length;
  const QPointF edge(GridToPixel(0, cell) + cell * ex, GridToPixel(0, cell) + cell * ey);
  const double k = cell / 10.0;  // the mark's lengths are for 10 pixels a cell
  const QPointF along(k * dx, k * dy), across(-k * dy, k * dx);
  QPainterPath mark;
  mark.moveTo(edge + 9.0 * along);
  mark.lineTo(edge + 2.0 * along + 4.0 * across);
  mark.lineTo(edge + 2.0 * along - 4.0 * across);
  mark.closeSubpath();
  painter.setPen(QPen(QColor::fromRgba(MarkRim), k));
  painter.setBrush(QColor::fromRgba(MarkFill));
  painter.drawPath(mark);
}

}  // namespace

QImage JudgePicture(TJudgeCanvas& canvas, const std::vector<TGridPoint>& lights) {
  const TBitmap32& composed = canvas.Compose(lights);
  // The screen shows the colour channels alone (game/FieldImage.cpp).
  QImage picture(composed.Width(), composed.Height(), QImage::Format_ARGB32);
  picture.setDotsPerMeterX(PictureDotsPerMeter);
  picture.setDotsPerMeterY(PictureDotsPerMeter);
  for (int32_t y = 0; y < composed.Height(); ++y) {
    const TColor32* from = composed.ScanLine(y);
    auto* to = reinterpret_cast<QRgb*>(picture.scanLine(y));
    for (int32_t x = 0; x < composed.Width(); ++x) to[x] = from[x] | 0xFF000000u;
  }
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing);
  for (const TGridPoint& light : lights)
    if (!canvas.Level().OnField(light)) DrawEdgeMark(painter, canvas.Level(), light.x, light.y, canvas.cellPixels);
  return picture;
}

bool WriteJudgePicture(TJudgeCanvas& canvas, const std::vector<TGridPoint>& lights, const std::string& path) {
  // Encoded in memory and written under the path's own bytes: Qt would
  // take the name as text, and a name that is no UTF-8 would change.
  QByteArray png;
  QBuffer buffer(&png);
  if (!buffer.open(QIODevice::WriteOnly) || !JudgePicture(canvas, lights).save(&buffer, "PNG")) return false;
  return WriteFileAtomically(path, std::string_view(png.constData(), size_t(png.size())), TDurability::Renamed);
}
