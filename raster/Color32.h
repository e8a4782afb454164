// TColor32: a 32-bit ARGB pixel, alpha in the top byte (0 transparent).
#pragma once

#include <cstdint>

using TColor32 = uint32_t;

constexpr TColor32 MakeColor32(uint8_t r, uint8_t g, uint8_t b, uint8_t a) {
  return (TColor32(a) << 24) | (TColor32(r) << 16) | (TColor32(g) << 8) | TColor32(b);
}
constexpr uint8_t AlphaOf(TColor32 c) { return uint8_t(c >> 24); }
constexpr uint8_t RedOf(TColor32 c) { return uint8_t(c >> 16); }
constexpr uint8_t GreenOf(TColor32 c) { return uint8_t(c >> 8); }
constexpr uint8_t BlueOf(TColor32 c) { return uint8_t(c); }

// A GUI colour 0x00BBGGRR, or (negative) a system colour whose index is the
// low byte, to an opaque TColor32.
TColor32 SystemColorToColor32(int32_t color);

// s over d (plain blending: every channel, alpha included).
TColor32 BlendColor32(TColor32 s, TColor32 d);
// Colour's RGB with weight w (0..255) over d, scaled by the colour's alpha.
TColor32 BlendColor32Weighted(TColor32 color, uint8_t w, TColor32 d);
