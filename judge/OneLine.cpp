#include "judge/OneLine.h"

std::string OneLine(std::string_view text) {
  static const char* const Hex = "0123456789abcdef";
  std::string line;
  line.reserve(text.size());
  for (const char c : text) {
    const auto u = static_cast<unsigned char>(c);
    if (c == '\\') {
      line += "\\\\";
    } else if (c == '\t') {
      line += "\\t";
    } else if (c == '\n') {
      line += "\\n";
    } else if (c == '\r') {
      line += "\\r";
    } else if (u < 0x20 || u == 0x7F) {
      line += "\\x";
      line += Hex[u >> 4];
      line += Hex[u & 15];
    } else {
      line += c;
    }
  }
  return line;
}
