// The help markup parser, without widgets.
#include <gtest/gtest.h>

#include <random>

#include "framework/HelpMarkup.h"

namespace {

// The runs as one line per run: text runs as the text with their style
// flags in brackets (b, i, u, s), line breaks as "<n>".
std::string Describe(const std::vector<THelpRun>& runs) {
  std::string out;
  for (const THelpRun& run : runs) {
    if (run.lineBreak) {
      out += "<n>\n";
      continue;
    }
    std::string flags;
    if (run.attributes.bold) flags += 'b';
    if (run.attributes.italic) flags += 'i';
    if (run.attributes.underline) flags += 'u';
    if (run.attributes.strikeOut) flags += 's';
    out += run.text + "[" + flags + "]\n";
  }
  return out;
}

THelpAttributes LastAttributes(std::string_view markup) {
  const std::vector<THelpRun> runs = ParseHelpMarkup(std::string(markup) + "|");
  return runs.back().attributes;
}

TEST(HelpMarkup, BoldPieceThenALineBreak) {
  EXPECT_EQ(Describe(ParseHelpMarkup("a{{{+b}}}b{{{-b}}}c{{{n}}}d")),
            "a[]\n"
            "b[b]\n"
            "c[]\n"
            "<n>\n"
            "d[]\n");
}

TEST(HelpMarkup, UnclosedCommandIsShownAsText) {
  EXPECT_EQ(Describe(ParseHelpMarkup("x{{{+b")), "x{{{+b[]\n");
  EXPECT_EQ(Describe(ParseHelpMarkup("{{{+i}}}x{{{n")), "x{{{n[i]\n");
}

TEST(HelpMarkup, ClosingMarkerAloneIsText) { EXPECT_EQ(Describe(ParseHelpMarkup("a}}}b")), "a}}}b[]\n"); }

TEST(HelpMarkup, StylesSwitchIndependentlyAndPersist) {
  EXPECT_EQ(Describe(ParseHelpMarkup("{{{+i}}}1{{{+u}}}2{{{+s}}}3{{{+b}}}4{{{-i}}}5{{{-u}}}6{{{-s}}}7{{{-b}}}8")),
            "1[i]\n2[iu]\n3[ius]\n4[bius]\n5[bus]\n6[bs]\n7[b]\n8[]\n");
  // Line breaks do not reset anything.
  EXPECT_EQ(Describe(ParseHelpMarkup("{{{+b}}}x{{{n}}}y")), "x[b]\n<n>\ny[b]\n");
}

TEST(HelpMarkup, CommandsAreCaseSensitiveAndUnknownOnesIgnored) {
  EXPECT_EQ(Describe(ParseHelpMarkup("{{{+B}}}a{{{N}}}b{{{}}}c{{{bold}}}d{{{ +b}}}e")), "a[]\nb[]\nc[]\nd[]\ne[]\n");
}

TEST(HelpMarkup, StartsBlackArialFourteenPixelsPlain) {
  const THelpAttributes start = ParseHelpMarkup("x").front().attributes;
  EXPECT_EQ(start, THelpAttributes{});
  EXPECT_EQ(start.color, 0x000000u);
  EXPECT_EQ(start.fontName, "Arial");
  EXPECT_EQ(start.heightPx, 14);
  EXPECT_FALSE(start.bold || start.italic || start.underline || start.strikeOut);
}

TEST(HelpMarkup, ColourTakesSixHexDigitsRedGreenBlue) {
  EXPECT_EQ(LastAttributes("{{{c=FF0000}}}").color, 0xFF0000u);
  EXPECT_EQ(LastAttributes("{{{c=00a0ff}}}").color, 0x00A0FFu);
  EXPECT_EQ(LastAttributes("{{{c=123456789}}}").color, 0x123456u);
}

TEST(HelpMarkup, BadColourKeepsTheColourInForce) {
  for (const char* bad : {"c=FF00", "c=", "c=GG0000", "c=12 456", "c=-12345"}) {
    EXPECT_EQ(LastAttributes(std::string("{{{c=00FF00}}}{{{") + bad + "}}}").color, 0x00FF00u) << bad;
  }
}

TEST(HelpMarkup, FontTakesTheRestOfTheCommand) {
  EXPECT_EQ(LastAttributes("{{{f=Courier New}}}").fontName, "Courier New");
  EXPECT_EQ(LastAttributes("{{{f=Courier New}}}{{{f=}}}").fontName, "Courier New");
}

TEST(HelpMarkup, HeightChangesOnlyForASaneInteger) {
  EXPECT_EQ(LastAttributes("{{{s=20}}}").heightPx, 20);
  EXPECT_EQ(LastAttributes("{{{s=+16}}}").heightPx, 16);
  for (const char* bad : {"s=", "s=abc", "s=12px", "s= 12", "s=1.5", "s=0", "s=-5", "s=501", "s=99999999999999999999"}) {
    EXPECT_EQ(LastAttributes(std::string("{{{s=18}}}{{{") + bad + "}}}").heightPx, 18) << bad;
  }
}

TEST(HelpMarkup, TextBytesPassThroughUnchanged) {
  const std::string cp1251 = "\xD3\xF1\xEB\xEE\xE2\xE8\xE5";  // "Условие"
  const std::vector<THelpRun> runs = ParseHelpMarkup("{{{+b}}}" + cp1251);
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_EQ(runs[0].text, cp1251);
}

TEST(HelpMarkup, PointSizesRoundToTheNearest) {
  EXPECT_EQ(HelpHeightToPoints(14, 96), 11);  // 10.5 rounds up
  EXPECT_EQ(HelpHeightToPoints(16, 96), 12);
  EXPECT_EQ(HelpHeightToPoints(13, 96), 10);  // 9.75
  EXPECT_EQ(HelpHeightToPoints(20, 120), 12);
  EXPECT_EQ(HelpHeightToPoints(14, 0), 11);
  EXPECT_EQ(HelpHeightToPoints(500, 1), 36000);
}

// The text that survives is the input with every closed command taken out;
// checked on random strings made of the markup's own characters.
TEST(HelpMarkup, RandomTextKeepsEverythingButClosedCommands) {
  const unsigned seed = 20090202;
  std::mt19937 random(seed);
  const std::string alphabet = "{}{}+-bn=sc1x";
  for (int round = 0; round < 2000; ++round) {
    std::string input;
    const int length = static_cast<int>(random() % 24);
    for (int i = 0; i < length; ++i) input += alphabet[random() % alphabet.size()];
    std::string expected;
    int breaks = 0;
    for (size_t at = 0; at < input.size();) {
      const size_t open = input.find("{{{", at);
      const size_t close = open == std::string::npos ? std::string::npos : input.find("}}}", open + 3);
      if (close == std::string::npos) {
        expected += input.substr(at);
        break;
      }
      expected += input.substr(at, open - at);
      breaks += input.substr(open + 3, close - open - 3) == "n";
      at = close + 3;
    }
    std::string text;
    int seenBreaks = 0;
    for (const THelpRun& run : ParseHelpMarkup(input)) {
      if (run.lineBreak) ++seenBreaks;
      else {
        EXPECT_FALSE(run.text.empty());
        text += run.text;
      }
    }
    ASSERT_EQ(text, expected) << "seed " << seed << " input " << input;
    ASSERT_EQ(seenBreaks, breaks) << "seed " << seed << " input " << input;
  }
}

}  // namespace
