// Deterministic randomness for the level art: integer hashes and smooth
// value noise, the same on every machine and every run (no global seeds,
// no library generators whose sequence could change between versions).
#pragma once

#include <cmath>
#include <cstdint>

// A well-mixed 32-bit hash of up to three integers and a stream number.
inline uint32_t ArtHash(int32_t a, int32_t b = 0, int32_t c = 0, uint32_t stream = 0) {
  uint32_t h = 0x9E3779B9u ^ stream * 0x85EBCA6Bu;
  for (uint32_t v : {uint32_t(a), uint32_t(b), uint32_t(c)}) {
    h ^= v * 0xCC9E2D51u;
    h = (h << 15) | (h >> 17);
    h *= 0x1B873593u;
    h ^= h >> 13;
    h *= 0xC2B2AE35u;
    h ^= h >> 16;
  }
  return h;
}

// The hash as a real in [0, 1).
inline double ArtUnit(int32_t a, int32_t b = 0, int32_t c = 0, uint32_t stream = 0) {
  return double(ArtHash(a, b, c, stream) >> 8) / double(1u << 24);
}

// The hash as a real in [-1, 1).
inline double ArtSigned(int32_t a, int32_t b = 0, int32_t c = 0, uint32_t stream = 0) {
  return 2.0 * ArtUnit(a, b, c, stream) - 1.0;
}

// Smooth value noise in [-1, 1], one lattice point per `scale` pixels.
inline double ArtValueNoise(double x, double y, double scale, uint32_t stream) {
  const double fx = x / scale, fy = y / scale;
  const double x0 = std::floor(fx), y0 = std::floor(fy);
  const int32_t ix = int32_t(x0), iy = int32_t(y0);
  double tx = fx - x0, ty = fy - y0;
  tx = tx * tx * (3.0 - 2.0 * tx);
  ty = ty * ty * (3.0 - 2.0 * ty);
  const double a = ArtSigned(ix, iy, 0, stream), b = ArtSigned(ix + 1, iy, 0, stream);
  const double c = ArtSigned(ix, iy + 1, 0, stream), d = ArtSigned(ix + 1, iy + 1, 0, stream);
  return (a + (b - a) * tx) + ((c + (d - c) * tx) - (a + (b - a) * tx)) * ty;
}

// Three octaves of value noise, in about [-1, 1].
inline double ArtFractalNoise(double x, double y, double scale, uint32_t stream) {
  return 0.57 * ArtValueNoise(x, y, scale, stream) +
         0.29 * ArtValueNoise(x, y, scale / 2.0, stream + 1) +
         0.14 * ArtValueNoise(x, y, scale / 4.0, stream + 2);
}
