// Text pictures to level map bitmaps. The picture is measured completely
// before the bitmap is touched, so a refused picture changes nothing.
#include "engine/MapText.h"

#include <algorithm>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "engine/EngineError.h"
#include "engine/LevelMap.h"

namespace {

std::vector<std::string_view> SplitLines(const std::string& text) {
  std::vector<std::string_view> lines;
  const std::string_view all(text);
  size_t start = 0;
  while (start < all.size()) {
    size_t end = all.find('\n', start);
    if (end == std::string_view::npos) end = all.size();
    std::string_view line = all.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    if (lines.size() > size_t(MaxMapTextSide)) break;  // refused below; stop counting
    start = end + 1;
  }
  return lines;
}

}  // namespace

void LoadMapText(const std::string& text, TBitmap32& map) {
  const std::vector<std::string_view> lines = SplitLines(text);
  size_t width = 0;
  for (const std::string_view& line : lines) width = std::max(width, line.size());
  const size_t height = lines.size();
  if (width > size_t(MaxMapTextSide) || height > size_t(MaxMapTextSide) ||
      int64_t(width) * int64_t(height) > MaxMapTextCells) {
    throw EEngineError("map picture too large: at most " + std::to_string(MaxMapTextSide) + " cells a side and " +
                       std::to_string(MaxMapTextCells) + " cells in all");
  }
  map.Resize(int32_t(width), int32_t(height));
  for (size_t y = 0; y < height; ++y) {
    const std::string_view line = lines[y];
    for (size_t x = 0; x < width; ++x) {
      const bool wall = x < line.size() && line[x] == '#';
      map.WritePixel(int32_t(x), int32_t(y), wall ? WallPixel : FreePixel);
    }
  }
  map.Changed();
}

std::unique_ptr<TBitmap32> LoadMapText(const std::string& text) {
  auto map = std::make_unique<TBitmap32>();
  LoadMapText(text, *map);
  return map;
}

void LoadMapFile(const std::string& path, TBitmap32& map) {
  std::ifstream file(path, std::ios::binary);
  if (!file) throw EEngineError("cannot read the map file " + path);
  // No picture within the limits is longer than this (each row's cells
  // plus a CR LF); a longer file is refused without reading it whole.
  constexpr std::streamoff MaxBytes = std::streamoff(MaxMapTextSide) * (MaxMapTextSide + 2);
  std::string text;
  char buffer[65536];
  while (file.read(buffer, sizeof buffer) || file.gcount() > 0) {
    text.append(buffer, size_t(file.gcount()));
    if (std::streamoff(text.size()) > MaxBytes) throw EEngineError("map picture too large: " + path);
  }
  if (file.bad()) throw EEngineError("cannot read the map file " + path);
  LoadMapText(text, map);
}

std::unique_ptr<TBitmap32> LoadMapFile(const std::string& path) {
  auto map = std::make_unique<TBitmap32>();
  LoadMapFile(path, *map);
  return map;
}
