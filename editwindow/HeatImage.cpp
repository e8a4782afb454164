#include "editwindow/HeatImage.h"

#include <QColor>
#include <cmath>

QImage HeatImage(const TVisibilityHeat& heat) {
  QImage image(heat.width, heat.height, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  for (int32_t y = 0; y < heat.height; ++y) {
    auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int32_t x = 0; x < heat.width; ++x) {
      const int32_t seeing = heat.At(x, y);
      if (seeing < 0) continue;
      // The square root spreads the few-seen cells, which matter, apart.
      const double t = heat.most > 0 ? std::sqrt(double(seeing) / heat.most) : 0;
      const QColor colour = QColor::fromHsvF(float(t / 3), 0.95f, 0.95f, float(0.72 - 0.35 * t));
      row[x] = qPremultiply(colour.rgba());
    }
  }
  return image;
}
