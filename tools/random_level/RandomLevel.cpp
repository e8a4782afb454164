// Blocks are tried one after another at uniformly random sizes and places;
// overlapping earlier blocks is allowed (it makes the L and T shapes of the
// shipped level). Each try is checked by a flood fill of the floor, so a
// level takes a few thousand fills of its cells at most.
#include "tools/random_level/RandomLevel.h"

#include <algorithm>
#include <stdexcept>
#include <vector>

namespace {

// SplitMix64: small, fast and fully defined by its few lines.
class TRandom {
 public:
  explicit TRandom(uint64_t seed) : state_(seed) {}
  uint64_t Next() {
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  // Uniform in [0, n); the bias of the modulo is below 2^-40 for the
  // small n used here.
  int32_t Below(int32_t n) { return int32_t(Next() % uint64_t(n)); }

 private:
  uint64_t state_;
};

class TLevel {
 public:
  TLevel(int32_t width, int32_t height) : width_(width), height_(height), wall_(size_t(width) * size_t(height), 0) {}

  int32_t Walls() const { return walls_; }

  // Walls the block unless that leaves no floor or floor in two pieces.
  bool TryBlock(int32_t x0, int32_t y0, int32_t w, int32_t h) {
    std::vector<size_t> added;
    for (int32_t y = y0; y < y0 + h; ++y)
      for (int32_t x = x0; x < x0 + w; ++x)
        if (!wall_[Index(x, y)]) {
          wall_[Index(x, y)] = 1;
          added.push_back(Index(x, y));
        }
    if (added.empty()) return false;
    if (FloorInOnePiece(size_t(width_) * size_t(height_) - size_t(walls_) - added.size())) {
      walls_ += int32_t(added.size());
      return true;
    }
    for (size_t i : added) wall_[i] = 0;
    return false;
  }

  std::string Text() const {
    std::string text;
    text.reserve((size_t(width_) + 1) * size_t(height_));
    for (int32_t y = 0; y < height_; ++y) {
      for (int32_t x = 0; x < width_; ++x) text += wall_[Index(x, y)] ? '#' : '.';
      text += '\n';
    }
    return text;
  }

 private:
  size_t Index(int32_t x, int32_t y) const { return size_t(y) * size_t(width_) + size_t(x); }

  bool FloorInOnePiece(size_t floor) {
    if (floor == 0) return false;
    std::vector<uint8_t> seen(wall_.size(), 0);
    std::vector<size_t> stack;
    for (size_t i = 0; i < wall_.size() && stack.empty(); ++i)
      if (!wall_[i]) {
        seen[i] = 1;
        stack.push_back(i);
      }
    size_t reached = 0;
    while (!stack.empty()) {
      const size_t i = stack.back();
      stack.pop_back();
      ++reached;
      const int32_t x = int32_t(i % size_t(width_)), y = int32_t(i / size_t(width_));
      const int32_t nx[] = {x - 1, x + 1, x, x}, ny[] = {y, y, y - 1, y + 1};
      for (int k = 0; k < 4; ++k) {
        if (nx[k] < 0 || ny[k] < 0 || nx[k] >= width_ || ny[k] >= height_) continue;
        const size_t j = Index(nx[k], ny[k]);
        if (!wall_[j] && !seen[j]) {
          seen[j] = 1;
          stack.push_back(j);
        }
      }
    }
    return reached == floor;
  }

  int32_t width_, height_;
  std::vector<uint8_t> wall_;  // width_ * height_, row by row; 1 = wall
  int32_t walls_ = 0;
};

}  // namespace

std::string RandomLevelText(int32_t width, int32_t height, uint64_t seed, double wallShare) {
  if (width < 1 || height < 1 || width > 4096 || height > 4096) throw std::invalid_argument("level size out of range");
  TRandom random(seed);
  TLevel level(width, height);
  const int32_t target = int32_t(wallShare * double(width) * double(height) + 0.5);
  // Refused tries grow common as the floor thins out; a bound on them ends
  // levels too small to reach the share.
  int32_t refusedInARow = 0;
  while (level.Walls() < target && refusedInARow < 1000) {
    const int32_t w = 1 + random.Below(std::min(RandomLevelMaxBlock, width));
    const int32_t h = 1 + random.Below(std::min(RandomLevelMaxBlock, height));
    const int32_t x = random.Below(width - w + 1), y = random.Below(height - h + 1);
    refusedInARow = level.TryBlock(x, y, w, h) ? 0 : refusedInARow + 1;
  }
  return level.Text();
}
