// The help texts' inline markup, parsed without any widget: a text with
// commands between "{{{" and "}}}" becomes a list of runs, each a piece of
// text (Windows-1251) or a line break, with the attributes in force there.
// Commands, compared with case: +i -i +b -b +u -u +s -s (style on/off),
// c=RRGGBB (colour), f=NAME (font), s=PIXELS (height), n (line break);
// anything else is ignored, and an unclosed "{{{" is shown as text.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct THelpAttributes {
  uint32_t color = 0x000000;  // 0xRRGGBB
  std::string fontName = "Arial";
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strikeOut = false;
  int32_t heightPx = 14;  // character height in screen pixels

  bool operator==(const THelpAttributes&) const = default;
};

struct THelpRun {
  bool lineBreak = false;  // true: a line break; text is then empty
  std::string text;        // never empty for a text run
  THelpAttributes attributes;
};

// Heights outside 1..MaxHelpHeightPx are ignored like non-integers: a
// zero, negative or absurd size would make the text vanish or the view
// allocate without bound.
constexpr int32_t MaxHelpHeightPx = 500;

std::vector<THelpRun> ParseHelpMarkup(std::string_view text);

// A pixel height as a point size at `dpi` pixels per inch, rounded to the
// nearest (halves away from zero). Non-positive dpi counts as 96.
int32_t HelpHeightToPoints(int32_t heightPx, int32_t dpi);
