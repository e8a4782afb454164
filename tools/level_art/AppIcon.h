// The programs' icons for the desktop's menu. The game's: a dungeon tile
// with two wall blocks, the floor lit around them by the placed light's
// glow, with their shadows left dark. The level editor's: the same tile
// with a grid of cells, a light and a pencil. Drawn at each size rather
// than scaled, so the small ones stay sharp.
#pragma once

#include <QImage>
#include <QString>
#include <vector>

struct AppIcon {
  QString fileName;  // "app_icon_<size>.png", "editor_icon_<size>.png"
  QImage image;      // Format_ARGB32, size x size
};

// 48, 64, 128 and 256 pixels: the sizes the icon theme is given.
std::vector<AppIcon> DrawAppIcons();
