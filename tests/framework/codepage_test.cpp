// The Windows-1251 tables: conversion both ways and the upper-casing that
// section and key names compare by.
#include <gtest/gtest.h>

#include <string>

#include "framework/CodePage.h"

namespace {

// Decodes well-formed UTF-8 of one character (the tests feed only that).
char32_t SingleCodePoint(const std::string& utf8) {
  const auto b = [&](size_t i) { return static_cast<unsigned char>(utf8[i]); };
  if (utf8.size() == 1) return b(0);
  if (utf8.size() == 2) return ((b(0) & 0x1F) << 6) | (b(1) & 0x3F);
  return ((b(0) & 0x0F) << 12) | ((b(1) & 0x3F) << 6) | (b(2) & 0x3F);
}

// Upper-casing by the Unicode blocks themselves: the slow model the byte
// table must agree with.
char32_t UnicodeUpper(char32_t cp) {
  if (cp >= U'a' && cp <= U'z') return cp - 0x20;
  if (cp >= 0x0430 && cp <= 0x044F) return cp - 0x20;  // а..я
  if (cp >= 0x0450 && cp <= 0x045F) return cp - 0x50;  // ѐ..џ
  if (cp == 0x0491) return 0x0490;                     // ґ
  return cp;
}

std::string Byte(unsigned b) { return std::string(1, static_cast<char>(b)); }

}  // namespace

TEST(CodePageConversion, RussianTextRoundTrips) {
  const std::string utf8 = "Привет, Ёлка! №5 — «да» €";
  const std::string cp = Utf8ToCp1251(utf8);
  EXPECT_EQ(cp, "\xCF\xF0\xE8\xE2\xE5\xF2, \xA8\xEB\xEA\xE0! \xB9"
                "5 \x97 \xAB\xE4\xE0\xBB \x88");
  EXPECT_EQ(Cp1251ToUtf8(cp), utf8);
}

TEST(CodePageConversion, EveryAssignedByteRoundTrips) {
  for (unsigned b = 0; b < 256; ++b) {
    if (b == 0x98) continue;
    EXPECT_EQ(Utf8ToCp1251(Cp1251ToUtf8(Byte(b))), Byte(b)) << "byte " << b;
  }
}

TEST(CodePageConversion, NoTwoBytesShareACharacter) {
  for (unsigned a = 0x80; a < 256; ++a) {
    for (unsigned b = a + 1; b < 256; ++b) {
      EXPECT_NE(Cp1251ToUtf8(Byte(a)), Cp1251ToUtf8(Byte(b))) << a << " " << b;
    }
  }
}

TEST(CodePageConversion, UnassignedByteShowsAsReplacementAndComesBackAsQuestionMark) {
  EXPECT_EQ(Cp1251ToUtf8("\x98"), "\xEF\xBF\xBD");
  EXPECT_EQ(Utf8ToCp1251("\xEF\xBF\xBD"), "?");
}

TEST(CodePageConversion, CharactersOutsideTheCodePageBecomeOneQuestionMarkEach) {
  EXPECT_EQ(Utf8ToCp1251("a\xE6\x97\xA5z"), "a?z");           // a CJK ideograph
  EXPECT_EQ(Utf8ToCp1251("\xF0\x9F\x92\xA1!"), "?!");         // outside the BMP
  EXPECT_EQ(Utf8ToCp1251("\xC3\xA9"), "?");                   // é has no form
}

TEST(CodePageConversion, MalformedUtf8BecomesQuestionMarksWithoutReadingPastTheEnd) {
  EXPECT_EQ(Utf8ToCp1251("\x80"), "?");                 // stray continuation
  EXPECT_EQ(Utf8ToCp1251("\xD0"), "?");                 // truncated at the end
  EXPECT_EQ(Utf8ToCp1251("\xD0z"), "?z");               // truncated in the middle
  EXPECT_EQ(Utf8ToCp1251("\xC0\xAF"), "??");            // overlong '/'
  EXPECT_EQ(Utf8ToCp1251("\xED\xA0\x80"), "???");       // surrogate
  EXPECT_EQ(Utf8ToCp1251("\xF4\x90\x80\x80"), "????");  // past U+10FFFF
  EXPECT_EQ(Utf8ToCp1251(std::string("a\0b", 3)), std::string("a\0b", 3));
}

TEST(CodePageUpperCase, FoldsLatinAndRussianLetters) {
  EXPECT_EQ(UpperCaseCp1251("/etc/Level"), "/ETC/LEVEL");
  EXPECT_EQ(UpperCaseCp1251(Utf8ToCp1251("/привет/ёж")), Utf8ToCp1251("/ПРИВЕТ/ЁЖ"));
  EXPECT_EQ(UpperCaseCp1251(Utf8ToCp1251("ўіїєґђѓљњќћџјѕ")), Utf8ToCp1251("ЎІЇЄҐЂЃЉЊЌЋЏЈЅ"));
}

TEST(CodePageUpperCase, LeavesEverythingButLowerCaseLettersAlone) {
  EXPECT_EQ(UpperCaseCp1251("0-9 []=;#/\x01"), "0-9 []=;#/\x01");
  EXPECT_EQ(UpperCaseCp1251("\xB5"), "\xB5");  // the micro sign has no upper case here
  EXPECT_EQ(UpperCaseCp1251(std::string("a\0b", 3)), std::string("A\0B", 3));
}

TEST(CodePageUpperCase, AgreesWithUnicodeCaseForEveryByte) {
  for (unsigned b = 0; b < 256; ++b) {
    if (b == 0x98) continue;
    const char32_t expected = UnicodeUpper(SingleCodePoint(Cp1251ToUtf8(Byte(b))));
    const char32_t actual = SingleCodePoint(Cp1251ToUtf8(UpperCaseCp1251(Byte(b))));
    EXPECT_EQ(actual, expected) << "byte " << b;
  }
}

TEST(CodePageUpperCase, IsIdempotent) {
  for (unsigned b = 0; b < 256; ++b) {
    const std::string once = UpperCaseCp1251(Byte(b));
    EXPECT_EQ(UpperCaseCp1251(once), once) << "byte " << b;
  }
}
