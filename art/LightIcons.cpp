// Drawing the light icons. A glow is centred on the icon's pixel
// (size div 2, size div 2), the pixel that lands on the light's grid point;
// its colour runs from a pale core out to the icon's colour, and its alpha
// falls to nothing at the edge.
#include "art/LightIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

QImage DrawGlow(int size, const GlowStyle& style) {
  QImage img(size, size, QImage::Format_ARGB32);
  const int centre = size / 2;
  const double edge = size / 2.0 - 0.5;
  for (int y = 0; y < size; ++y) {
    QRgb* line = reinterpret_cast<QRgb*>(img.scanLine(y));
    for (int x = 0; x < size; ++x) {
      const double d = std::hypot(double(x - centre), double(y - centre));
      const double t = std::clamp((d - style.solid) / (edge - style.solid), 0.0, 1.0);
      const double alpha = style.peakAlpha * std::pow(1.0 - t, style.fade);
      const int a = ArtChannel(alpha);
      if (a == 0) {
        line[x] = 0;
        continue;
      }
      const ArtRgb c = ArtMix(style.core, style.colour, ArtSmoothStep(style.coreStart, style.coreEnd, d));
      line[x] = ArtToRgb(c, a);
    }
  }
  return img;
}

GlowStyle PlacedLightStyle() { return {{255, 255, 255}, ArtFromRgb(0xFFEF5B), 5.0, 3.5, 1.6, 255}; }

GlowStyle Scaled(const GlowStyle& style, double factor) {
  GlowStyle scaled = style;
  scaled.coreEnd *= factor;
  scaled.solid *= factor;
  return scaled;
}

namespace {

// The forbidden mark: a red-orange diagonal cross with a dark rim, so that
// it reads on the bright lit floor as well as on the dark one. Lengths are
// those of the 20-pixel cross times k.
QImage DrawCross(int size) {
  const double k = size / 20.0;
  QImage canvas(size, size, QImage::Format_ARGB32_Premultiplied);
  canvas.fill(Qt::transparent);
  {
    QPainter p(&canvas);
    p.setRenderHint(QPainter::Antialiasing);
    const double c = size / 2 + 0.5, arm = size / 2.0 - 4.0 * k;
    QPainterPath cross;
    cross.moveTo(c - arm, c - arm);
    cross.lineTo(c + arm, c + arm);
    cross.moveTo(c + arm, c - arm);
    cross.lineTo(c - arm, c + arm);
    p.setPen(QPen(QColor(60, 8, 0, 150), 5.6 * k, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(cross);
    p.setPen(QPen(QColor(0xFF, 0x45, 0x12), 3.2 * k, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(cross);
    p.setPen(QPen(QColor(0xFF, 0x9A, 0x60, 200), 1.0 * k, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(cross);
  }
  return StoredForm(canvas);
}

}  // namespace

int LightIconSize(int designSize, double scale) { return std::max(1, int(std::lround(designSize * scale))); }

std::vector<LightIcon> DrawLightIcons(double scale) {
  const int glow = LightIconSize(26, scale);
  // The glow's radii follow the size actually drawn, so it fills the icon
  // as at 26 pixels.
  const auto draw = [glow](const GlowStyle& style) {
    GlowStyle sized = Scaled(style, glow / 26.0);
    sized.coreStart *= glow / 26.0;
    return DrawGlow(glow, sized);
  };
  std::vector<LightIcon> icons;
  icons.push_back({QStringLiteral("icon0_marker.png"),
                   draw({ArtFromRgb(0xEBEBEB), ArtFromRgb(0xEBEBEB), 2.0, 2.0, 1.7, 235})});
  icons.push_back({QStringLiteral("icon1_placed.png"), draw(PlacedLightStyle())});
  icons.push_back({QStringLiteral("icon2_forbidden.png"), DrawCross(LightIconSize(20, scale))});
  icons.push_back({QStringLiteral("icon3_hovered.png"),
                   draw({ArtFromRgb(0xFFF3DC), ArtFromRgb(0xFF9600), 5.0, 3.5, 1.6, 255})});
  icons.push_back({QStringLiteral("icon4_dragged.png"),
                   draw({ArtFromRgb(0xFFE6DA), ArtFromRgb(0xFF3900), 5.0, 3.5, 1.6, 255})});
  return icons;
}

QImage StoredForm(const QImage& canvas) {
  QImage img = canvas.convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < img.height(); ++y) {
    QRgb* line = reinterpret_cast<QRgb*>(img.scanLine(y));
    for (int x = 0; x < img.width(); ++x) {
      if (qAlpha(line[x]) == 0) line[x] = 0;
    }
  }
  return img;
}
