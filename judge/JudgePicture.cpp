// The window's composed field image is the picture; only the edge marks
// are drawn here. They lie in the margin round the field, where the hint
// never paints, in the placed light's yellow with a brown rim, so nothing
// of them is taken for dark floor.
#include "judge/JudgePicture.h"

#include <QBuffer>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

#include "engine/LevelMap.h"
#include "framework/WholeFile.h"
#include "game/Glowmere.h"

namespace {

constexpr QRgb MarkFill = 0xFFFFEF5B;
constexpr QRgb MarkRim = 0xFF8A3A00;

// A triangle in the margin at the field's edge point nearest the light,
// its tip toward the light. Cell units in, field pixels (cell a cell) out.
void DrawEdgeMark(QPainter& painter, double lightX, double lightY, int32_t cell) {
  const double ex = std::clamp(lightX, 0.0, double(FieldWidth)), ey = std::clamp(lightY, 0.0, double(FieldHeight));
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

QImage JudgePicture(TfrmGlowmere& window) {
  window.btHintMouseDown(TMouseButton::mbLeft);
  const TBitmap32& composed = window.imgField->Composed();
  // The screen shows the colour channels alone (game/FieldImage.cpp).
  QImage picture(composed.Width(), composed.Height(), QImage::Format_ARGB32);
  for (int32_t y = 0; y < composed.Height(); ++y) {
    const TColor32* from = composed.ScanLine(y);
    auto* to = reinterpret_cast<QRgb*>(picture.scanLine(y));
    for (int32_t x = 0; x < composed.Width(); ++x) to[x] = from[x] | 0xFF000000u;
  }
  window.btHintMouseUp(TMouseButton::mbLeft);

  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing);
  for (const auto& light : window.lights) {
    const bool off = light->GridX < 0 || light->GridY < 0 || light->GridX > FieldWidth || light->GridY > FieldHeight;
    if (off) DrawEdgeMark(painter, light->GridX, light->GridY, window.cellPixels);
  }
  return picture;
}

bool WriteJudgePicture(TfrmGlowmere& window, const std::string& path) {
  // Encoded in memory and written under the path's own bytes: Qt would
  // take the name as text, and a name that is no UTF-8 would change.
  QByteArray png;
  QBuffer buffer(&png);
  if (!buffer.open(QIODevice::WriteOnly) || !JudgePicture(window).save(&buffer, "PNG")) return false;
  return WriteFileAtomically(path, std::string_view(png.constData(), size_t(png.size())), TDurability::Renamed);
}
