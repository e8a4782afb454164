#include "engine/MapTextWriter.h"

TLineEnd LineEndOf(const std::string& text) {
  const size_t end = text.find('\n');
  return end != std::string::npos && end > 0 && text[end - 1] == '\r' ? TLineEnd::CrLf : TLineEnd::Lf;
}

std::string MapTextOf(const TWallGrid& walls, TLineEnd lineEnd) {
  const std::string ending = lineEnd == TLineEnd::CrLf ? "\r\n" : "\n";
  std::string text;
  text.reserve(size_t(walls.height) * (size_t(walls.width) + ending.size()));
  for (int32_t y = 0; y < walls.height; ++y) {
    for (int32_t x = 0; x < walls.width; ++x) text += walls.IsWallCell(x, y) ? '#' : '.';
    text += ending;
  }
  return text;
}
