// The level carried inside the program: the map text, the unlit and lit
// field pictures, the five light icons and the splash picture, kept as Qt
// resources under :/level/ (data/CMakeLists.txt) and turned here into the
// image lists of the game window and of the judge's canvas. A level
// designer's map (glowmere --map, glowmere-judge --map) takes the place of
// the shipped map; its pictures are drawn from it at start by the code
// that drew the shipped ones.
#pragma once

#include <QImage>
#include <QString>
#include <stdexcept>
#include <string>

#include "raster/Bitmap32.h"

inline const QString LevelMapResource = QStringLiteral(":/level/map.txt");
inline const QString LevelUnlitResource = QStringLiteral(":/level/unlit.png");
inline const QString LevelLitResource = QStringLiteral(":/level/lit.png");
inline const QString LevelSplashResource = QStringLiteral(":/level/splash.png");
// The icons by their index in imlPoints2: marker, placed, forbidden,
// hovered, dragged.
enum TIcon { icMarker = 0, icPlaced = 1, icForbidden = 2, icHovered = 3, icDragged = 4 };
inline const QString LevelIconResources[5] = {
    QStringLiteral(":/level/icon0_marker.png"),  QStringLiteral(":/level/icon1_placed.png"),
    QStringLiteral(":/level/icon2_forbidden.png"), QStringLiteral(":/level/icon3_hovered.png"),
    QStringLiteral(":/level/icon4_dragged.png"),
};

// The icons' transparent colour in their list (opaque magenta); no icon
// pixel has this value.
constexpr TColor32 IconOuterColor = 0xFFFF00FF;

// Raised when a level resource is missing or unreadable: the program was
// built without its level, and there is nothing sensible to show.
class ELevelResource : public std::runtime_error {
 public:
  explicit ELevelResource(const QString& name)
      : std::runtime_error("Level resource missing: " + name.toStdString()) {}
};

// Reads a picture (a resource name or a file path) into out, pixel for
// pixel as unpremultiplied ARGB. Returns false and leaves out as it was when
// the picture cannot be read. Throws EBitmapAllocation when out cannot hold
// it. Draw mode and outer colour of out are not touched.
bool LoadLevelImage(const QString& resourceName, TBitmap32& out);
// The image's pixels into out (resized to it), as unpremultiplied ARGB.
void CopyLevelImage(const QImage& image, TBitmap32& out);

// The level a window plays or the judge judges against.
struct TLevelChoice {
  std::string mapPath;  // a level designer's map file, absolute; empty: the shipped level
  std::string mapText;  // its picture, as ReadMapFile checked it
  bool Shipped() const { return mapPath.empty(); }
};
// The designer's map at mapPath (relative to the current directory);
// throws EEngineError as ReadMapFile does, naming the path as given.
TLevelChoice DesignerLevel(const std::string& mapPath);

// The level's map text: the shipped map's, or the designer's. Throws
// ELevelResource when the shipped map is missing.
std::string LevelMapText(const TLevelChoice& level);

// Appends to imlMap2 the map (image 0, 0xFF000000 wall and 0xFFFFFFFF free
// pixels, from the map text), the unlit picture (1) and the lit picture
// (2), the shipped ones or those drawn for the designer's map; appends to
// imlPoints2 the five icons, each with draw mode dmTransparent and outer
// colour IconOuterColor. Throws ELevelResource when a resource is missing.
void LoadLevelLists(const TLevelChoice& level, TBitmap32List& imlMap2, TBitmap32List& imlPoints2);
