// Parser of the help markup.
#include "framework/HelpMarkup.h"

#include <cstdint>

namespace {

constexpr std::string_view Open = "{{{";
constexpr std::string_view Close = "}}}";

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Six hexadecimal digits, red green blue; anything shorter or not
// hexadecimal keeps the colour as it is.
bool ParseColor(std::string_view digits, uint32_t& color) {
  if (digits.size() < 6) return false;
  uint32_t value = 0;
  for (size_t i = 0; i < 6; ++i) {
    const int digit = HexDigit(digits[i]);
    if (digit < 0) return false;
    value = value * 16 + static_cast<uint32_t>(digit);
  }
  color = value;
  return true;
}

// An optional sign and decimal digits, nothing else.
bool ParseInteger(std::string_view text, int64_t& value) {
  size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  if (i == text.size()) return false;
  int64_t result = 0;
  for (; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
    result = result * 10 + (text[i] - '0');
    if (result > INT32_MAX) return false;
  }
  value = negative ? -result : result;
  return true;
}

void ApplyCommand(std::string_view command, THelpAttributes& attributes, std::vector<THelpRun>& runs) {
  if (command == "+i") attributes.italic = true;
  else if (command == "-i") attributes.italic = false;
  else if (command == "+b") attributes.bold = true;
  else if (command == "-b") attributes.bold = false;
  else if (command == "+u") attributes.underline = true;
  else if (command == "-u") attributes.underline = false;
  else if (command == "+s") attributes.strikeOut = true;
  else if (command == "-s") attributes.strikeOut = false;
  else if (command.starts_with("c=")) ParseColor(command.substr(2), attributes.color);
  else if (command.starts_with("f=")) {
    // An empty name would leave the view to pick any font; keep the one set.
    if (command.size() > 2) attributes.fontName = std::string(command.substr(2));
  } else if (command.starts_with("s=")) {
    int64_t height = 0;
    if (ParseInteger(command.substr(2), height) && height >= 1 && height <= MaxHelpHeightPx) {
      attributes.heightPx = static_cast<int32_t>(height);
    }
  } else if (command == "n") {
    runs.push_back(THelpRun{true, {}, attributes});
  }
}

}  // namespace

std::vector<THelpRun> ParseHelpMarkup(std::string_view text) {
  std::vector<THelpRun> runs;
  THelpAttributes attributes;
  std::string_view rest = text;
  while (!rest.empty()) {
    std::string piece;
    std::string_view command;
    const size_t open = rest.find(Open);
    if (open == std::string_view::npos) {
      piece = std::string(rest);
      rest = {};
    } else {
      piece = std::string(rest.substr(0, open));
      rest = rest.substr(open + Open.size());
      const size_t close = rest.find(Close);
      if (close == std::string_view::npos) {
        piece += std::string(Open) + std::string(rest);
        rest = {};
      } else {
        command = rest.substr(0, close);
        rest = rest.substr(close + Close.size());
      }
    }
    if (!piece.empty()) runs.push_back(THelpRun{false, std::move(piece), attributes});
    ApplyCommand(command, attributes, runs);
  }
  return runs;
}

int32_t HelpHeightToPoints(int32_t heightPx, int32_t dpi) {
  if (dpi <= 0) dpi = 96;
  const int64_t scaled = static_cast<int64_t>(heightPx) * 72;
  const int64_t points = scaled >= 0 ? (scaled * 2 + dpi) / (2 * dpi) : -((-scaled * 2 + dpi) / (2 * dpi));
  return static_cast<int32_t>(points);
}
