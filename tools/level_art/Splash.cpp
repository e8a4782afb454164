// Drawing the splash picture. The level is shown as the game would show it
// with a few lights burning (lit picture where a light sees, unlit
// elsewhere, the faint grid, the lights and a warm haze round each), cut to
// the splash size, dimmed towards the edges, and the game's name is set
// over it with a glow.
#include "Splash.h"

#include <QFont>
#include <QFontDatabase>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>

#include "art/ArtColor.h"
#include "SplashLights.h"

namespace {

constexpr int SplashLightCount = 2;

// A DejaVu face from the Debian font folder, or the family by name when the
// file is missing (the system then picks what it has).
QString FontFamily(const QString& file, const QString& fallback) {
  const int id = QFontDatabase::addApplicationFont(QStringLiteral("/usr/share/fonts/truetype/dejavu/") + file);
  if (id >= 0) {
    const QStringList families = QFontDatabase::applicationFontFamilies(id);
    if (!families.isEmpty()) return families.first();
  }
  return fallback;
}

// The field as the game shows it with `lights` on: every pixel whose centre
// a light sees shows the lit picture.
QImage LitScene(const ArtMap& map, const FieldPictures& pictures, const std::vector<QPoint>& lights) {
  QImage scene = pictures.unlit.copy();
  const int w = scene.width(), h = scene.height();
  for (int y = map.Margin(); y < h - map.Margin(); ++y) {
    QRgb* line = reinterpret_cast<QRgb*>(scene.scanLine(y));
    const QRgb* lit = reinterpret_cast<const QRgb*>(pictures.lit.constScanLine(y));
    for (int x = map.Margin(); x < w - map.Margin(); ++x) {
      const double fx = (x + 0.5 - map.Margin()) / map.cell, fy = (y + 0.5 - map.Margin()) / map.cell;
      for (const QPoint& l : lights) {
        if (SeesPoint(map, l.x(), l.y(), fx, fy, 0.05)) {
          line[x] = lit[x];
          break;
        }
      }
    }
  }
  // The faint grid over the floor, as in the game; walls cover it there.
  for (int y = map.Margin(); y < h - map.Margin(); ++y) {
    QRgb* line = reinterpret_cast<QRgb*>(scene.scanLine(y));
    for (int x = map.Margin(); x < w - map.Margin(); ++x) {
      if ((x - map.Margin()) % map.cell != 0 && (y - map.Margin()) % map.cell != 0) continue;
      if (map.IsWallInMap((x - map.Margin()) / map.cell, (y - map.Margin()) / map.cell)) continue;
      line[x] = ArtToRgb(ArtMix(ArtFromRgb(line[x]), {255, 255, 255}, 38.0 / 255.0));
    }
  }
  return scene;
}

// The lights themselves: a broad warm haze added onto the scene, a bright
// flame and the game's icon of a placed light.
void DrawLights(QImage& scene, const std::vector<QPoint>& lights, const QImage& icon) {
  QPainter p(&scene);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  for (const QPoint& l : lights) {
    // The splash is drawn from the pictures at the game's own size.
    const QPointF at(DesignCellPixels * (l.x() + 1) + 0.5, DesignCellPixels * (l.y() + 1) + 0.5);
    constexpr double hazeRadius = 110;
    QRadialGradient haze(at, hazeRadius);
    haze.setColorAt(0.0, QColor(255, 214, 130, 150));
    haze.setColorAt(0.25, QColor(255, 180, 80, 60));
    haze.setColorAt(1.0, QColor(255, 150, 50, 0));
    p.setCompositionMode(QPainter::CompositionMode_Plus);
    p.setBrush(haze);
    p.drawEllipse(at, hazeRadius, hazeRadius);
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    constexpr double flameRadius = 16;
    QRadialGradient flame(at, flameRadius);
    flame.setColorAt(0.0, QColor(255, 255, 255, 255));
    flame.setColorAt(0.2, QColor(255, 250, 200, 255));
    flame.setColorAt(0.5, QColor(255, 220, 90, 170));
    flame.setColorAt(1.0, QColor(255, 190, 60, 0));
    p.setBrush(flame);
    p.drawEllipse(at, flameRadius, flameRadius);
    p.drawImage(int(at.x()) - icon.width() / 2, int(at.y()) - icon.height() / 2, icon);
  }
}

// A box-blurred copy of an image (premultiplied), `passes` times radius r.
QImage Blurred(const QImage& source, int r, int passes) {
  QImage img = source.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  const int w = img.width(), h = img.height();
  std::vector<double> ch(size_t(w) * size_t(h) * 4), tmp(ch.size());
  for (int y = 0; y < h; ++y) {
    const QRgb* line = reinterpret_cast<const QRgb*>(img.constScanLine(y));
    for (int x = 0; x < w; ++x) {
      double* px = &ch[(size_t(y) * w + x) * 4];
      px[0] = qAlpha(line[x]), px[1] = qRed(line[x]), px[2] = qGreen(line[x]), px[3] = qBlue(line[x]);
    }
  }
  for (int pass = 0; pass < passes; ++pass) {
    for (int axis = 0; axis < 2; ++axis) {
      for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
          for (int k = 0; k < 4; ++k) {
            double s = 0;
            for (int d = -r; d <= r; ++d) {
              const int sx = axis == 0 ? std::clamp(x + d, 0, w - 1) : x;
              const int sy = axis == 1 ? std::clamp(y + d, 0, h - 1) : y;
              s += ch[(size_t(sy) * w + sx) * 4 + k];
            }
            tmp[(size_t(y) * w + x) * 4 + k] = s / (2 * r + 1);
          }
        }
      }
      ch.swap(tmp);
    }
  }
  for (int y = 0; y < h; ++y) {
    QRgb* line = reinterpret_cast<QRgb*>(img.scanLine(y));
    for (int x = 0; x < w; ++x) {
      const double* px = &ch[(size_t(y) * w + x) * 4];
      line[x] = qRgba(ArtChannel(px[1]), ArtChannel(px[2]), ArtChannel(px[3]), ArtChannel(px[0]));
    }
  }
  return img;
}

// The game's name, centred in `box` with its baseline on the box's bottom:
// gold letters with a dark rim over a blurred orange glow.
void DrawTitle(QPainter& p, const QString& family, const QRectF& box) {
  QFont font(family);
  font.setPixelSize(76);
  font.setBold(true);
  const QString title = QStringLiteral("Glowmere");
  const QFontMetricsF fm(font);
  QPainterPath path;
  path.addText(box.center().x() - fm.horizontalAdvance(title) / 2.0, box.bottom(), font, title);

  QImage glow(p.device()->width(), p.device()->height(), QImage::Format_ARGB32_Premultiplied);
  glow.fill(Qt::transparent);
  {
    QPainter g(&glow);
    g.setRenderHint(QPainter::Antialiasing);
    g.setPen(QPen(QColor(255, 150, 40), 6.0));
    g.setBrush(QColor(255, 170, 60));
    g.drawPath(path);
  }
  const QImage soft = Blurred(glow, 5, 3);
  p.drawImage(0, 0, soft);
  p.drawImage(0, 0, soft);

  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(70, 30, 5, 220), 2.5));
  p.setBrush(Qt::NoBrush);
  p.drawPath(path);
  QLinearGradient fill(0, box.bottom() - fm.ascent(), 0, box.bottom());
  fill.setColorAt(0.0, QColor(255, 251, 228));
  fill.setColorAt(0.55, QColor(255, 226, 140));
  fill.setColorAt(1.0, QColor(240, 160, 60));
  p.setPen(Qt::NoPen);
  p.setBrush(fill);
  p.drawPath(path);
}

void DrawCentredText(QPainter& p, const QFont& font, const QString& text, double centreX, double baseline,
                     const QColor& colour) {
  const QFontMetricsF fm(font);
  QPainterPath path;
  path.addText(centreX - fm.horizontalAdvance(text) / 2.0, baseline, font, text);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(0, 0, 0, 170), 3.0));
  p.setBrush(Qt::NoBrush);
  p.drawPath(path);
  p.setPen(Qt::NoPen);
  p.setBrush(colour);
  p.drawPath(path);
}

}  // namespace

QImage DrawSplash(const ArtMap& map, const FieldPictures& pictures, const std::vector<LightIcon>& icons) {
  // The lights stand inside the part of the field that the splash shows,
  // above and below the band that carries the name, so their glow is seen.
  const int ox = (map.PictureWidth() - SplashWidth) / 2, oy = (map.PictureHeight() - SplashHeight) / 2;
  const auto allowed = [&](const QPoint& g) {
    const int sx = map.cell * g.x() + map.Margin() - ox, sy = map.cell * g.y() + map.Margin() - oy;
    return sx >= 60 && sx <= SplashWidth - 60 && ((sy >= 30 && sy <= 75) || (sy >= 255 && sy <= 320));
  };
  const std::vector<QPoint> lights = ChooseSplashLights(map, SplashLightCount, allowed);
  QImage scene = LitScene(map, pictures, lights).convertToFormat(QImage::Format_ARGB32_Premultiplied);
  DrawLights(scene, lights, icons[1].image);

  QImage splash = scene.copy(ox, oy, SplashWidth, SplashHeight);
  QPainter p(&splash);
  p.setRenderHint(QPainter::Antialiasing);

  // Dim the scene, most towards the edges, and darken a band for the name.
  p.fillRect(splash.rect(), QColor(6, 8, 16, 60));
  QRadialGradient vignette(QPointF(SplashWidth / 2.0, SplashHeight / 2.0), SplashWidth * 0.62);
  vignette.setColorAt(0.0, QColor(0, 0, 0, 0));
  vignette.setColorAt(0.65, QColor(0, 0, 0, 60));
  vignette.setColorAt(1.0, QColor(0, 0, 0, 200));
  p.fillRect(splash.rect(), vignette);
  QLinearGradient band(0, 70, 0, 250);
  band.setColorAt(0.0, QColor(5, 6, 12, 0));
  band.setColorAt(0.3, QColor(5, 6, 12, 150));
  band.setColorAt(0.7, QColor(5, 6, 12, 150));
  band.setColorAt(1.0, QColor(5, 6, 12, 0));
  p.fillRect(QRectF(0, 70, SplashWidth, 180), band);

  const QString serif = FontFamily(QStringLiteral("DejaVuSerif-Bold.ttf"), QStringLiteral("DejaVu Serif"));
  const QString sans = FontFamily(QStringLiteral("DejaVuSans.ttf"), QStringLiteral("DejaVu Sans"));
  DrawTitle(p, serif, QRectF(0, 100, SplashWidth, 82));

  // A thin gold rule between the name and the line under it.
  QLinearGradient rule(136, 0, SplashWidth - 136, 0);
  rule.setColorAt(0.0, QColor(255, 200, 110, 0));
  rule.setColorAt(0.5, QColor(255, 210, 130, 230));
  rule.setColorAt(1.0, QColor(255, 200, 110, 0));
  p.fillRect(QRectF(136, 198, SplashWidth - 272, 1.5), rule);

  QFont subtitle(sans);
  subtitle.setPixelSize(19);
  DrawCentredText(p, subtitle, QStringLiteral("Олимпиада по информатике · 2009"), SplashWidth / 2.0, 228,
                  QColor(240, 230, 208));
  QFont small(sans);
  small.setPixelSize(13);
  DrawCentredText(p, small, QStringLiteral("Загрузка…"), SplashWidth / 2.0, SplashHeight - 22,
                  QColor(200, 190, 170));
  p.end();
  return splash.convertToFormat(QImage::Format_ARGB32);
}
