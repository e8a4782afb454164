// Windows-1251, the 8-bit code page of the Russian texts, converted to and
// from UTF-8 and upper-cased by its own tables, so that the result never
// depends on which locales the machine has installed.
#include "framework/CodePage.h"

#include <array>
#include <cstdint>

namespace {

// Unicode code points of the bytes 0x80..0xFF. 0x98 has no character in the
// code page; it shows as the replacement character.
constexpr std::array<char32_t, 128> HighHalf = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,  // 0x80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,  // 0x88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 0x90
    0xFFFD, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,  // 0x98
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,  // 0xA0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,  // 0xA8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,  // 0xB0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,  // 0xB8
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417,  // 0xC0
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F,  // 0xC8
    0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427,  // 0xD0
    0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F,  // 0xD8
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437,  // 0xE0
    0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F,  // 0xE8
    0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447,  // 0xF0
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F,  // 0xF8
};

constexpr char Unmappable = '?';
constexpr unsigned UnassignedByte = 0x98;

// Byte to its upper-case byte: Latin a-z, the Russian alphabet (ё too) and
// the other Cyrillic pairs of the code page. Everything else maps to itself.
constexpr std::array<unsigned char, 256> MakeUpperTable() {
  std::array<unsigned char, 256> table{};
  for (unsigned b = 0; b < 256; ++b) table[b] = static_cast<unsigned char>(b);
  for (unsigned b = 'a'; b <= 'z'; ++b) table[b] = static_cast<unsigned char>(b - 0x20);
  for (unsigned b = 0xE0; b <= 0xFF; ++b) table[b] = static_cast<unsigned char>(b - 0x20);
  constexpr unsigned char pairs[][2] = {
      {0xB8, 0xA8},  // ё Ё
      {0xA2, 0xA1},  // ў Ў
      {0xB3, 0xB2},  // і І
      {0xBF, 0xAF},  // ї Ї
      {0xBA, 0xAA},  // є Є
      {0xB4, 0xA5},  // ґ Ґ
      {0x90, 0x80},  // ђ Ђ
      {0x83, 0x81},  // ѓ Ѓ
      {0x9A, 0x8A},  // љ Љ
      {0x9C, 0x8C},  // њ Њ
      {0x9D, 0x8D},  // ќ Ќ
      {0x9E, 0x8E},  // ћ Ћ
      {0x9F, 0x8F},  // џ Џ
      {0xBC, 0xA3},  // ј Ј
      {0xBE, 0xBD},  // ѕ Ѕ
  };
  for (const auto& pair : pairs) table[pair[0]] = pair[1];
  return table;
}

constexpr std::array<unsigned char, 256> UpperTable = MakeUpperTable();

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    // The table holds nothing beyond the Basic Multilingual Plane.
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

char CodePointToCp1251(char32_t cp) {
  if (cp < 0x80) return static_cast<char>(cp);
  if (cp >= 0x0410 && cp <= 0x044F) return static_cast<char>(0xC0 + (cp - 0x0410));
  for (unsigned i = 0; i < HighHalf.size(); ++i) {
    if (HighHalf[i] == cp && i + 0x80 != UnassignedByte) return static_cast<char>(0x80 + i);
  }
  return Unmappable;
}

// Decodes one UTF-8 sequence at bytes[pos]; advances pos. Malformed input
// (stray continuation bytes, truncated or overlong sequences, surrogates,
// values past U+10FFFF) yields nothing for one byte, so every bad byte
// becomes one '?'.
bool DecodeUtf8(std::string_view bytes, size_t& pos, char32_t& cp) {
  const auto byteAt = [&](size_t i) { return static_cast<unsigned char>(bytes[i]); };
  const unsigned lead = byteAt(pos);
  size_t length;
  char32_t minimum;
  if (lead < 0x80) {
    cp = lead;
    ++pos;
    return true;
  } else if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, minimum = 0x80, cp = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, minimum = 0x800, cp = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, minimum = 0x10000, cp = lead & 0x07;
  } else {
    ++pos;
    return false;
  }
  if (pos + length > bytes.size()) {
    ++pos;
    return false;
  }
  for (size_t i = 1; i < length; ++i) {
    const unsigned next = byteAt(pos + i);
    if ((next & 0xC0) != 0x80) {
      ++pos;
      return false;
    }
    cp = (cp << 6) | (next & 0x3F);
  }
  if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
    ++pos;
    return false;
  }
  pos += length;
  return true;
}

}  // namespace

std::string Cp1251ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (const char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    if (b < 0x80) {
      out += c;
    } else {
      AppendUtf8(out, HighHalf[b - 0x80]);
    }
  }
  return out;
}

std::string Utf8ToCp1251(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  size_t pos = 0;
  while (pos < utf8.size()) {
    char32_t cp = 0;
    out += DecodeUtf8(utf8, pos, cp) ? CodePointToCp1251(cp) : Unmappable;
  }
  return out;
}

std::string UpperCaseCp1251(std::string_view bytes) {
  std::string out(bytes);
  for (char& c : out) c = static_cast<char>(UpperTable[static_cast<unsigned char>(c)]);
  return out;
}
