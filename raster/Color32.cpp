// Colour conversion and the two blending rules that every transfer, layer
// composition and smooth fill goes through. Both blends round to nearest
// with a denominator of 256 (not 255), and blend the alpha channel like the
// colour channels, so results match the stored pictures bit for bit.
#include "raster/Color32.h"

namespace {

// The system colours in 0x00BBGGRR, indexed by the low byte of a negative
// GUI colour. The values are the usual light desktop scheme; the system
// only asks for the button face (15) and the window colours.
constexpr uint32_t kSystemColors[] = {
    0xC8C8C8,  //  0 scroll bar
    0x000000,  //  1 background
    0xD1B499,  //  2 active caption
    0xDBCDBF,  //  3 inactive caption
    0xF0F0F0,  //  4 menu
    0xFFFFFF,  //  5 window
    0x646464,  //  6 window frame
    0x000000,  //  7 menu text
    0x000000,  //  8 window text
    0x000000,  //  9 caption text
    0xB4B4B4,  // 10 active border
    0xFCF7F4,  // 11 inactive border
    0xABABAB,  // 12 application workspace
    0xD77800,  // 13 highlight
    0xFFFFFF,  // 14 highlight text
    0xF0F0F0,  // 15 button face
    0xA0A0A0,  // 16 button shadow
    0x6D6D6D,  // 17 grey text
    0x000000,  // 18 button text
    0x000000,  // 19 inactive caption text
    0xFFFFFF,  // 20 button highlight
    0x696969,  // 21 3D dark shadow
    0xE3E3E3,  // 22 3D light
    0x000000,  // 23 info text
    0xE1FFFF,  // 24 info background
    0xB5B5B5,  // 25 (unused slot)
    0xCC6600,  // 26 hot light
    0xEAD1B9,  // 27 gradient active caption
    0xF2E4D7,  // 28 gradient inactive caption
    0xD77800,  // 29 menu highlight
    0xF0F0F0,  // 30 menu bar
};

inline uint32_t Mix(uint32_t s, uint32_t d, uint32_t a) { return (s * a + d * (256 - a) + 128) >> 8; }

inline TColor32 MixChannels(TColor32 s, TColor32 d, uint32_t a) {
  const uint32_t alpha = Mix(s >> 24, d >> 24, a);
  const uint32_t red = Mix((s >> 16) & 0xFF, (d >> 16) & 0xFF, a);
  const uint32_t green = Mix((s >> 8) & 0xFF, (d >> 8) & 0xFF, a);
  const uint32_t blue = Mix(s & 0xFF, d & 0xFF, a);
  return (alpha << 24) | (red << 16) | (green << 8) | blue;
}

}  // namespace

TColor32 SystemColorToColor32(int32_t color) {
  uint32_t bgr = uint32_t(color);
  if (color < 0) {
    const uint32_t index = bgr & 0xFF;
    bgr = index < sizeof(kSystemColors) / sizeof(kSystemColors[0]) ? kSystemColors[index] : 0;
  }
  return 0xFF000000u | ((bgr & 0xFF) << 16) | (bgr & 0xFF00) | ((bgr >> 16) & 0xFF);
}

TColor32 BlendColor32(TColor32 s, TColor32 d) {
  const uint32_t a = s >> 24;
  if (a == 0) return d;
  if (a == 255) return s;
  return MixChannels(s, d, a);
}

TColor32 BlendColor32Weighted(TColor32 color, uint8_t w, TColor32 d) {
  const uint32_t e = ((uint32_t(AlphaOf(color)) + 1) * w) >> 8;
  if (e == 0) return d;
  const TColor32 s = (TColor32(w) << 24) | (color & 0x00FFFFFF);
  return MixChannels(s, d, e);
}
