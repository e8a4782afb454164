// Painting the floors of the field pictures and putting them together with
// the masonry. The walls cast a soft shadow to the lower right onto the
// floor (light from the top left, as on the bricks) and darken the floor a
// little near them, so the walls read as standing up from it.
#include "art/FieldPictures.h"

#include <algorithm>
#include <vector>

#include "art/ArtColor.h"
#include "art/ArtNoise.h"
#include "art/Masonry.h"

namespace {

// How one floor looks.
struct FloorStyle {
  ArtRgb base;         // mean tile colour
  ArtRgb warmTile;     // the two ends of the tile-to-tile hue spread
  ArtRgb coolTile;
  double toneSpread;   // tile brightness spread, as a factor
  double grain;        // pixel texture amplitude, in channel steps
  double joint;        // factor on the joint lines
  double castShadow;   // darkening under the walls' cast shadow
  double occlusion;    // darkening near walls
  ArtRgb shadowTint;   // what the shadow turns the floor towards
  uint32_t stream;
};

const FloorStyle UnlitFloor{
    {40, 46, 60}, {46, 50, 58}, {36, 44, 64}, 0.07, 3.0, 0.72, 0.55, 0.22, {8, 10, 18}, 101};
const FloorStyle LitFloor{
    {236, 201, 134}, {241, 195, 118}, {232, 208, 152}, 0.045, 6.0, 0.80, 0.42, 0.16, {120, 70, 30}, 201};

bool Stopped(const std::atomic<bool>* stop) { return stop && stop->load(std::memory_order_relaxed); }

// A box blur of a float field, radius r, clamped at the edges.
std::vector<double> BoxBlur(const std::vector<double>& in, int w, int h, int r, const std::atomic<bool>* stop) {
  std::vector<double> tmp(in.size()), out(in.size());
  for (int y = 0; y < h; ++y) {
    if (Stopped(stop)) return out;
    for (int x = 0; x < w; ++x) {
      double s = 0;
      for (int d = -r; d <= r; ++d) s += in[size_t(y) * w + size_t(std::clamp(x + d, 0, w - 1))];
      tmp[size_t(y) * w + x] = s / (2 * r + 1);
    }
  }
  for (int y = 0; y < h; ++y) {
    if (Stopped(stop)) return out;
    for (int x = 0; x < w; ++x) {
      double s = 0;
      for (int d = -r; d <= r; ++d) s += tmp[size_t(std::clamp(y + d, 0, h - 1)) * w + x];
      out[size_t(y) * w + x] = s / (2 * r + 1);
    }
  }
  return out;
}

// Cast shadow (stone shifted to the lower right, softened) and occlusion
// (stone nearby, softened more), both 0..1 per pixel.
struct ShadowMaps {
  std::vector<double> cast, occlusion;
};

ShadowMaps MakeShadows(const ArtMap& map, const std::vector<uint8_t>& stone, int w, int h,
                       const std::atomic<bool>* stop) {
  const int shift = map.Scaled(3);
  std::vector<double> shifted(stone.size()), plain(stone.size());
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const int sx = std::max(x - shift, 0), sy = std::max(y - shift, 0);
      shifted[size_t(y) * w + x] = stone[size_t(sy) * w + sx];
      plain[size_t(y) * w + x] = stone[size_t(y) * w + x];
    }
  }
  ShadowMaps maps;
  maps.cast = BoxBlur(BoxBlur(shifted, w, h, map.Scaled(2), stop), w, h, map.Scaled(1), stop);
  maps.occlusion = BoxBlur(BoxBlur(plain, w, h, map.Scaled(3), stop), w, h, map.Scaled(3), stop);
  return maps;
}

void PaintFloor(const ArtMap& map, const FloorStyle& style, const std::vector<uint8_t>& stone,
                const ShadowMaps& shadows, QImage& picture, const std::atomic<bool>* stop) {
  const int w = picture.width(), h = picture.height();
  const int margin = map.Margin(), tile = 2 * map.cell;  // a flagstone covers 2 x 2 cells
  for (int y = 0; y < h; ++y) {
    if (Stopped(stop)) return;
    QRgb* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
    for (int x = 0; x < w; ++x) {
      const size_t i = size_t(y) * w + x;
      if (stone[i]) continue;
      const int tx = (x - margin) / tile, ty = (y - margin) / tile;
      const int u = (x - margin) % tile, v = (y - margin) % tile;
      ArtRgb c = ArtMix(style.coolTile, style.warmTile, ArtUnit(tx, ty, 0, style.stream));
      c = ArtMix(style.base, c, 0.5);
      c = c * (1.0 + style.toneSpread * ArtSigned(tx, ty, 0, style.stream + 1));
      // Broad mottling over the whole floor, then fine grain and specks.
      c = c * (1.0 + 0.05 * ArtFractalNoise(x, y, map.Scaled(48), style.stream + 2));
      c = c.Plus(style.grain * ArtFractalNoise(x, y, map.Scaled(5), style.stream + 5) +
                 0.5 * style.grain * ArtSigned(x, y, 0, style.stream + 8));
      if (ArtUnit(x, y, 0, style.stream + 9) < 0.02) c = c * 0.9;
      // Joints between the flagstones, with a soft rounded edge either side.
      if (u == 0 || v == 0) {
        c = c * style.joint;
      } else {
        if (u == 1 || v == 1) c = c * 1.03;
        if (u == tile - 1 || v == tile - 1) c = c * 0.95;
      }
      const double dark = std::clamp(style.castShadow * shadows.cast[i] + style.occlusion * shadows.occlusion[i], 0.0, 0.85);
      c = ArtMix(c, style.shadowTint, dark);
      line[x] = ArtToRgb(c);
    }
  }
}

}  // namespace

FieldPictures DrawFieldPictures(const ArtMap& map, const std::atomic<bool>* stop) {
  const int w = map.PictureWidth(), h = map.PictureHeight();
  const std::vector<uint8_t> stone = StoneMask(map);
  const ShadowMaps shadows = MakeShadows(map, stone, w, h, stop);
  if (Stopped(stop)) return {};

  QImage walls(w, h, QImage::Format_ARGB32);
  walls.fill(0xFF000000u);
  PaintMasonry(map, stone, walls);

  FieldPictures pictures;
  pictures.unlit = walls.copy();
  pictures.lit = walls.copy();
  PaintFloor(map, UnlitFloor, stone, shadows, pictures.unlit, stop);
  PaintFloor(map, LitFloor, stone, shadows, pictures.lit, stop);
  if (Stopped(stop)) return {};
  return pictures;
}

FieldPictures DrawFieldPictures(const TWallGrid& walls, int cell) { return DrawFieldPictures(ArtMapOf(walls, cell)); }
