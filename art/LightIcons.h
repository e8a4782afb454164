// The five light icons: soft glows (and one cross) with per-pixel alpha,
// stored unpremultiplied. A fully transparent pixel is 0x00000000; no pixel
// is the list's transparent colour 0xFFFF00FF. Drawn at 26 (the cross at
// 20) pixels for the field's design size, and for a field drawn larger at
// that size times its scale, with the same look.
#pragma once

#include <QImage>
#include <QString>
#include <vector>

#include "art/ArtColor.h"

// How a glow looks; radii in pixels of an icon of the given size.
struct GlowStyle {
  ArtRgb core;     // colour at the centre
  ArtRgb colour;   // colour of the glow outside the core
  double coreEnd;  // radius where the core colour has given way, in pixels
  double solid;    // radius out to which alpha stays full
  double fade;     // exponent of the alpha fall-off beyond `solid`
  int peakAlpha;
  double coreStart = 1.0;  // radius out to which the core colour is pure
};

// The placed light's glow, for an icon of 26 pixels; Scaled() keeps its
// look at another size.
GlowStyle PlacedLightStyle();
GlowStyle Scaled(const GlowStyle& style, double factor);
QImage DrawGlow(int size, const GlowStyle& style);
// A drawn canvas in the stored form: unpremultiplied ARGB32, every fully
// transparent pixel 0x00000000.
QImage StoredForm(const QImage& canvas);

struct LightIcon {
  QString fileName;  // e.g. "icon0_marker.png"
  QImage image;      // Format_ARGB32
};

// Index 0 marker, 1 placed, 2 forbidden, 3 hovered, 4 dragged; scale: the
// field's pixels per cell over 10 (the shipped icons are those of 1).
std::vector<LightIcon> DrawLightIcons(double scale = 1.0);
// An icon's size in pixels at a scale: its design size times the scale,
// rounded, at least 1.
int LightIconSize(int designSize, double scale);
