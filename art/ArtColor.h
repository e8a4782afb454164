// A floating-point RGB colour for composing the art, and its conversion to
// the 8-bit channels of a QImage pixel.
#pragma once

#include <QRgb>
#include <algorithm>
#include <cmath>

struct ArtRgb {
  double r = 0, g = 0, b = 0;  // 0..255, may stray outside while composing

  ArtRgb operator*(double k) const { return {r * k, g * k, b * k}; }
  ArtRgb operator+(const ArtRgb& o) const { return {r + o.r, g + o.g, b + o.b}; }
  ArtRgb operator-(const ArtRgb& o) const { return {r - o.r, g - o.g, b - o.b}; }
  ArtRgb Plus(double v) const { return {r + v, g + v, b + v}; }
};

inline ArtRgb ArtMix(const ArtRgb& a, const ArtRgb& b, double t) { return a + (b - a) * t; }

inline ArtRgb ArtFromRgb(QRgb c) { return {double(qRed(c)), double(qGreen(c)), double(qBlue(c))}; }

inline int ArtChannel(double v) { return int(std::lround(std::clamp(v, 0.0, 255.0))); }

inline QRgb ArtToRgb(const ArtRgb& c, int alpha = 255) {
  return qRgba(ArtChannel(c.r), ArtChannel(c.g), ArtChannel(c.b), alpha);
}

inline double ArtSmoothStep(double e0, double e1, double x) {
  if (e1 <= e0) return x < e0 ? 0.0 : 1.0;
  const double t = std::clamp((x - e0) / (e1 - e0), 0.0, 1.0);
  return t * t * (3.0 - 2.0 * t);
}
