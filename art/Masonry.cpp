// Laying and painting the masonry of the field pictures.
#include "art/Masonry.h"

#include <algorithm>
#include <cmath>

#include "art/ArtColor.h"
#include "art/ArtNoise.h"

namespace {

struct Brick {
  int x0, y0, x1, y1;  // pixel rectangle, end exclusive
  uint32_t seed;
  bool frame;  // part of the margin round the field
};

// Direction in which a stone pixel is laid.
enum Lay : uint8_t { layNone, layAcross, layDown };

int FloorDiv(int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

// The length of the horizontal and the vertical run of wall cells through
// cell (c, r).
int RunAcross(const ArtMap& map, int c, int r) {
  int a = c, b = c;
  while (map.IsWallInMap(a - 1, r)) --a;
  while (map.IsWallInMap(b + 1, r)) ++b;
  return b - a + 1;
}
int RunDown(const ArtMap& map, int c, int r) {
  int a = r, b = r;
  while (map.IsWallInMap(c, a - 1)) --a;
  while (map.IsWallInMap(c, b + 1)) ++b;
  return b - a + 1;
}

class MasonryLayout {
 public:
  explicit MasonryLayout(const ArtMap& map)
      : map_(map), w_(map.PictureWidth()), h_(map.PictureHeight()), margin_(map.Margin()) {
    lay_.assign(size_t(w_) * size_t(h_), layNone);
    owner_.assign(size_t(w_) * size_t(h_), -1);
    // Each cell's direction once, not once per pixel: a long run would
    // otherwise be walked for every pixel of every cell on it.
    cellLay_.assign(size_t(map.width) * size_t(map.height), layNone);
    for (int r = 0; r < map.height; ++r)
      for (int c = 0; c < map.width; ++c)
        if (map.IsWallInMap(c, r))
          cellLay_[size_t(r) * size_t(map.width) + size_t(c)] =
              RunAcross(map, c, r) >= RunDown(map, c, r) ? layAcross : layDown;
    for (int y = 0; y < h_; ++y) {
      for (int x = 0; x < w_; ++x) lay_[Index(x, y)] = LayOf(x, y);
    }
    LayCourses(layAcross);
    LayCourses(layDown);
  }

  const std::vector<Brick>& Bricks() const { return bricks_; }
  int OwnerAt(int x, int y) const { return owner_[Index(x, y)]; }

 private:
  size_t Index(int x, int y) const { return size_t(y) * size_t(w_) + size_t(x); }

  Lay LayOf(int x, int y) const {
    const bool marginRow = y < margin_ || y >= h_ - margin_;
    const bool marginCol = x < margin_ || x >= w_ - margin_;
    if (marginRow) return layAcross;
    if (marginCol) return layDown;
    const int c = (x - margin_) / map_.cell, r = (y - margin_) / map_.cell;
    return cellLay_[size_t(r) * size_t(map_.width) + size_t(c)];
  }

  bool IsFramePixel(int x, int y) const {
    return x < margin_ || y < margin_ || x >= w_ - margin_ || y >= h_ - margin_;
  }

  // Where course k begins across `dir`: two courses to a cell, the first
  // half a cell deep (the smaller half of an odd cell), so that no course
  // straddles two rows of cells, whose laying directions may differ. Course
  // 0 begins where the field does.
  int CourseStart(int k) const { return margin_ + FloorDiv(k, 2) * map_.cell + (k & 1) * (map_.cell / 2); }

  // Courses run along `dir`, and are cut into runs wherever the laying
  // direction changes or the frame meets the field (a forced joint, so no
  // brick straddles both).
  void LayCourses(Lay dir) {
    const int along = dir == layAcross ? w_ : h_;
    const int across = dir == layAcross ? h_ : w_;
    std::vector<int> previousJoints, joints;
    for (int k = -2 * FloorDiv(margin_ + map_.cell - 1, map_.cell); CourseStart(k) < across; ++k) {
      const int c0 = CourseStart(k);
      const int c1 = std::min(CourseStart(k + 1), across);
      if (c1 <= c0) continue;  // a cell of one pixel has one course
      joints.clear();
      int s = 0;
      while (s < along) {
        if (PixelLay(dir, s, c0) != dir) {
          ++s;
          continue;
        }
        int e = s + 1;
        while (e < along && PixelLay(dir, e, c0) == dir && !ForcedJoint(dir, e, c0)) ++e;
        LayRun(dir, k, s, e, c0, c1, previousJoints, joints);
        s = e;
      }
      previousJoints.swap(joints);
    }
  }

  Lay PixelLay(Lay dir, int along, int across) const {
    return dir == layAcross ? lay_[Index(along, across)] : lay_[Index(across, along)];
  }

  // A joint between the frame and the field.
  bool ForcedJoint(Lay dir, int along, int across) const {
    const int x = dir == layAcross ? along : across, y = dir == layAcross ? across : along;
    const int px = dir == layAcross ? along - 1 : across, py = dir == layAcross ? across : along - 1;
    return IsFramePixel(x, y) != IsFramePixel(px, py);
  }

  void LayRun(Lay dir, int course, int s, int e, int c0, int c1, const std::vector<int>& previousJoints,
              std::vector<int>& joints) {
    const bool frame = dir == layAcross ? IsFramePixel(s, c0) : IsFramePixel(c0, s);
    const int minLen = map_.Scaled(frame ? 12 : 7), spread = map_.Scaled(frame ? 11 : 9);
    const uint32_t stream = dir == layAcross ? 11u : 23u;
    int pos = s, n = 0;
    while (pos < e) {
      int len;
      if (n == 0 && (course & 1)) {
        len = map_.Scaled(3) + int(ArtHash(course, s, n, stream) % uint32_t(map_.Scaled(5)));  // the half brick of the bond
      } else {
        len = minLen + int(ArtHash(course, s, n, stream) % uint32_t(spread));
      }
      // Keep joints of neighbouring courses apart, and no sliver at the end.
      for (int tries = 0; tries < 3; ++tries) {
        const int j = pos + len;
        const bool close = std::any_of(previousJoints.begin(), previousJoints.end(),
                                       [j](int p) { return std::abs(p - j) <= 1; });
        if (!close) break;
        len += map_.Scaled(3);
      }
      if (e - (pos + len) < map_.Scaled(4)) len = e - pos;
      Brick b{};
      if (dir == layAcross) {
        b = {pos, c0, pos + len, c1, ArtHash(pos, c0, 1, stream), frame};
      } else {
        b = {c0, pos, c1, pos + len, ArtHash(c0, pos, 2, stream), frame};
      }
      const int id = int(bricks_.size());
      bricks_.push_back(b);
      for (int y = b.y0; y < b.y1; ++y) {
        for (int x = b.x0; x < b.x1; ++x) {
          if (lay_[Index(x, y)] == dir) owner_[Index(x, y)] = id;
        }
      }
      pos += len;
      joints.push_back(pos);
      ++n;
    }
  }

  const ArtMap& map_;
  int w_, h_;
  int margin_;  // pixels
  std::vector<Lay> cellLay_;  // per cell, row by row
  std::vector<Lay> lay_;
  std::vector<int> owner_;
  std::vector<Brick> bricks_;
};

// The face colour of one brick.
ArtRgb BrickColour(const Brick& b) {
  static const ArtRgb stones[] = {
      {126, 117, 105}, {113, 109, 104}, {134, 121, 101}, {104, 101, 99}, {120, 112, 96},
  };
  ArtRgb c = stones[b.seed % 5u];
  c = c * (0.86 + 0.24 * ArtUnit(int32_t(b.seed), 0, 0, 3));
  const double wear = ArtUnit(int32_t(b.seed), 0, 0, 4);
  if (wear < 0.07) {
    c = ArtMix(c, {82, 100, 70}, 0.30);  // moss in the damp stones
  } else if (wear > 0.94) {
    c = c * 0.80;  // soot-darkened
  }
  if (b.frame) c = c * 0.62;
  return c;
}

}  // namespace

std::vector<uint8_t> StoneMask(const ArtMap& map) {
  const int w = map.PictureWidth(), h = map.PictureHeight();
  std::vector<uint8_t> stone(size_t(w) * size_t(h), 1);
  for (int r = 0; r < map.height; ++r) {
    for (int c = 0; c < map.width; ++c) {
      if (map.IsWallInMap(c, r)) continue;
      for (int y = 0; y < map.cell; ++y) {
        for (int x = 0; x < map.cell; ++x) {
          const int px = map.Margin() + map.cell * c + x, py = map.Margin() + map.cell * r + y;
          stone[size_t(py) * size_t(w) + size_t(px)] = 0;
        }
      }
    }
  }
  return stone;
}

void PaintMasonry(const ArtMap& map, const std::vector<uint8_t>& stone, QImage& picture) {
  const MasonryLayout layout(map);
  const int w = map.PictureWidth(), h = map.PictureHeight();
  const auto isStone = [&](int x, int y) {
    return x < 0 || y < 0 || x >= w || y >= h || stone[size_t(y) * size_t(w) + size_t(x)] != 0;
  };
  const ArtRgb mortar{58, 53, 49};
  for (int y = 0; y < h; ++y) {
    QRgb* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
    for (int x = 0; x < w; ++x) {
      if (!isStone(x, y)) continue;
      const int id = layout.OwnerAt(x, y);
      if (id < 0) continue;  // cannot happen: every stone pixel has a brick
      const Brick& b = layout.Bricks()[size_t(id)];
      const double grain = 8.0 * ArtFractalNoise(x, y, map.Scaled(4), 31) + 3.5 * ArtSigned(x, y, 0, 32);
      ArtRgb c;
      if (x == b.x1 - 1 || y == b.y1 - 1) {
        c = (mortar * (b.frame ? 0.75 : 1.0)).Plus(0.5 * grain);
      } else {
        c = BrickColour(b).Plus(grain);
        // Light from the top left: a lit upper and left edge, a shaded lower
        // and right edge on every brick.
        if (y == b.y0) c = c.Plus(20);
        if (x == b.x0) c = c.Plus(11);
        if (y == b.y1 - 2) c = c * 0.86;
        if (x == b.x1 - 2) c = c * 0.90;
        // A chip knocked out of a few corners.
        if (ArtUnit(x, y, 0, 33) < 0.035) c = c * 0.78;
      }
      // The region's own edge: raised blocks catch the light on top and to
      // the left and fall into shadow below and to the right.
      if (!isStone(x, y - 1)) c = c.Plus(26);
      if (!isStone(x - 1, y)) c = c.Plus(14);
      if (!isStone(x, y + 1)) c = c * 0.48;
      if (!isStone(x + 1, y)) c = c * 0.60;
      if (x == 0 || y == 0 || x == w - 1 || y == h - 1) c = c * 0.55;
      line[x] = ArtToRgb(c);
    }
  }
}
