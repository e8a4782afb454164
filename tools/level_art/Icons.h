// The five light icons: soft glows (and one cross) with per-pixel alpha,
// stored unpremultiplied. A fully transparent pixel is 0x00000000; no pixel
// is the list's transparent colour 0xFFFF00FF.
#pragma once

#include <QImage>
#include <QString>
#include <vector>

struct LightIcon {
  QString fileName;  // e.g. "icon0_marker.png"
  QImage image;      // Format_ARGB32
};

// Index 0 marker, 1 placed, 2 forbidden, 3 hovered, 4 dragged.
std::vector<LightIcon> DrawLightIcons();
