// Turning the level's Qt resources into TBitmap32 images.
#include "art/LevelResources.h"

#include <QFile>
#include <QImage>
#include <cstring>
#include <filesystem>

#include "art/FieldPictures.h"
#include "engine/MapText.h"
#include "engine/WallGrid.h"

namespace {

// The picture as unpremultiplied ARGB, or a null image.
QImage ReadPicture(const QString& name) {
  QImage image(name);
  if (image.isNull()) return image;
  return image.convertToFormat(QImage::Format_ARGB32);
}

TBitmap32& AddPicture(TBitmap32List& list, const QString& name) {
  const QImage image = ReadPicture(name);
  if (image.isNull()) throw ELevelResource(name);
  TBitmap32& added = list.Add();
  CopyLevelImage(image, added);
  return added;
}

}  // namespace

// QRgb and TColor32 share one layout (alpha in the top byte, then red,
// green, blue), so the rows copy across as they are.
void CopyLevelImage(const QImage& image, TBitmap32& out) {
  const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
  out.Resize(argb.width(), argb.height());
  for (int y = 0; y < argb.height(); ++y) {
    std::memcpy(out.ScanLine(y), argb.constScanLine(y), size_t(argb.width()) * sizeof(TColor32));
  }
  out.Changed();
}

bool LoadLevelImage(const QString& resourceName, TBitmap32& out) {
  const QImage image = ReadPicture(resourceName);
  if (image.isNull()) return false;
  CopyLevelImage(image, out);
  return true;
}

TLevelChoice DesignerLevel(const std::string& mapPath) {
  std::string text = ReadMapFile(mapPath);
  // Absolute, so the map's folder stays known whatever the current
  // directory becomes.
  std::error_code error;
  const std::filesystem::path absolute = std::filesystem::absolute(mapPath, error);
  return {error ? mapPath : absolute.string(), std::move(text)};
}

std::string LevelMapText(const TLevelChoice& level) {
  if (!level.Shipped()) return level.mapText;
  QFile mapFile(LevelMapResource);
  if (!mapFile.open(QIODevice::ReadOnly)) throw ELevelResource(LevelMapResource);
  return mapFile.readAll().toStdString();
}

void LoadLevelLists(const TLevelChoice& level, TBitmap32List& imlMap2, TBitmap32List& imlPoints2) {
  if (level.Shipped()) {
    LoadMapText(LevelMapText(level), imlMap2.Add());
    AddPicture(imlMap2, LevelUnlitResource);
    AddPicture(imlMap2, LevelLitResource);
  } else {
    const TWallGrid walls = WallsOfMapText(LevelMapText(level));
    walls.WriteTo(imlMap2.Add());
    const FieldPictures pictures = DrawFieldPictures(walls);
    CopyLevelImage(pictures.unlit, imlMap2.Add());
    CopyLevelImage(pictures.lit, imlMap2.Add());
  }
  for (const QString& name : LevelIconResources) {
    TBitmap32& icon = AddPicture(imlPoints2, name);
    icon.SetDrawMode(dmTransparent);
    icon.SetOuterColor(IconOuterColor);
  }
}
