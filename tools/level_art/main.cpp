// level_art: draws the level's pictures from its map text.
//
//   level_art MAP.txt OUTDIR           writes unlit.png, lit.png, the five
//                                      icons, splash.png and the program's
//                                      icons app_icon_<size>.png into OUTDIR
//   level_art --check MAP.txt OUTDIR   draws them again and compares with
//                                      the pictures and icons in OUTDIR
//                                      pixel for pixel; exit status 1 when
//                                      one is missing or differs
//
// The map is read by the engine's one map reader and the field pictures are
// drawn by the art library, the same code that draws a level designer's map
// in the game. Everything is deterministic (hashed, no clock, no random
// device), so the committed images are exactly what this program draws from
// the committed map. The splash is left out of the check: its lettering depends on the
// installed font files and their rasteriser.
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <cstdio>

#include "AppIcon.h"
#include "art/LightIcons.h"
#include "Splash.h"
#include "art/ArtMap.h"
#include "art/FieldPictures.h"
#include "engine/EngineError.h"
#include "engine/MapText.h"

namespace {

bool Save(const QImage& image, const QDir& dir, const QString& name) {
  const QString path = dir.filePath(name);
  if (!image.save(path, "PNG")) {
    std::fprintf(stderr, "level_art: cannot write %s\n", qPrintable(path));
    return false;
  }
  return true;
}

bool Matches(const QImage& drawn, const QDir& dir, const QString& name) {
  const QImage stored = QImage(dir.filePath(name)).convertToFormat(QImage::Format_ARGB32);
  if (stored.isNull()) {
    std::fprintf(stderr, "level_art: %s is missing\n", qPrintable(name));
    return false;
  }
  if (stored.size() != drawn.size()) {
    std::fprintf(stderr, "level_art: %s has the wrong size\n", qPrintable(name));
    return false;
  }
  for (int y = 0; y < drawn.height(); ++y) {
    const QRgb* a = reinterpret_cast<const QRgb*>(drawn.constScanLine(y));
    const QRgb* b = reinterpret_cast<const QRgb*>(stored.constScanLine(y));
    for (int x = 0; x < drawn.width(); ++x) {
      // Fully transparent pixels may lose their colour on the way.
      if (a[x] != b[x] && !(qAlpha(a[x]) == 0 && qAlpha(b[x]) == 0)) {
        std::fprintf(stderr, "level_art: %s differs at (%d, %d); run tools/make-level-art.sh\n",
                     qPrintable(name), x, y);
        return false;
      }
    }
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  QStringList args = app.arguments();
  args.removeFirst();
  const bool check = !args.isEmpty() && args.first() == QStringLiteral("--check");
  if (check) args.removeFirst();
  if (args.size() != 2) {
    std::fprintf(stderr, "usage: level_art [--check] MAP.txt OUTDIR\n");
    return 2;
  }
  ArtMap map;
  try {
    map = ArtMapOf(WallsOfMapFile(args[0].toStdString()));
  } catch (const EEngineError& e) {
    std::fprintf(stderr, "level_art: %s\n", e.what());
    return 1;
  }
  const QDir out(args[1]);
  if (!check && !QDir().mkpath(out.path())) {
    std::fprintf(stderr, "level_art: cannot create %s\n", qPrintable(out.path()));
    return 1;
  }

  const FieldPictures pictures = DrawFieldPictures(map);
  const std::vector<LightIcon> icons = DrawLightIcons();
  const std::vector<AppIcon> appIcons = DrawAppIcons();
  if (check) {
    bool ok = Matches(pictures.unlit, out, QStringLiteral("unlit.png")) &&
              Matches(pictures.lit, out, QStringLiteral("lit.png"));
    for (const LightIcon& icon : icons) ok = ok && Matches(icon.image, out, icon.fileName);
    for (const AppIcon& icon : appIcons) ok = ok && Matches(icon.image, out, icon.fileName);
    return ok ? 0 : 1;
  }
  bool ok = Save(pictures.unlit, out, QStringLiteral("unlit.png")) &&
            Save(pictures.lit, out, QStringLiteral("lit.png"));
  for (const LightIcon& icon : icons) ok = ok && Save(icon.image, out, icon.fileName);
  for (const AppIcon& icon : appIcons) ok = ok && Save(icon.image, out, icon.fileName);
  ok = ok && Save(DrawSplash(map, pictures, icons), out, QStringLiteral("splash.png"));
  return ok ? 0 : 1;
}
