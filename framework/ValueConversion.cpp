// Value texts of the named-value files; see ValueConversion.h. Nothing here
// calls locale-dependent C routines: the process may run under any locale.
#include "framework/ValueConversion.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace {

constexpr char DecimalSeparator = ',';
constexpr int SignificantDigits = 15;
constexpr int64_t MSecsPerDay = 86400000;

// TDateTime day numbers of 0001-01-01 and 9999-12-31.
constexpr int64_t FirstDay = -693593;
constexpr int64_t LastDay = 2958465;
// Days from 1899-12-30 (day 0) to 1970-01-01.
constexpr int64_t UnixEpochDay = 25569;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Days since 1970-01-01 of a proleptic Gregorian date.
int64_t DaysFromCivil(int64_t y, unsigned m, unsigned d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<int64_t>(doe) - 719468;
}

void CivilFromDays(int64_t z, int& y, unsigned& m, unsigned& d) {
  z += 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  d = doy - (153 * mp + 2) / 5 + 1;
  m = mp < 10 ? mp + 3 : mp - 9;
  y = static_cast<int>(static_cast<int64_t>(yoe) + era * 400 + (m <= 2));
}

unsigned DaysInMonth(int y, unsigned m) {
  static constexpr unsigned days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
  return m == 2 && leap ? 29 : days[m - 1];
}

struct TDecoded {
  int Year;
  unsigned Month, Day;
  int64_t MSecs;  // milliseconds since midnight, < MSecsPerDay
};

// The calendar reading of a date-time: the integer part counts days, the
// fraction's absolute value is the time of day (so -1.25 is 29.12.1899 6:00).
bool Decode(TDateTime value, TDecoded& out) {
  if (!std::isfinite(value)) return false;
  const double dayPart = std::trunc(value);
  if (dayPart < FirstDay || dayPart > LastDay) return false;
  int64_t day = static_cast<int64_t>(dayPart);
  int64_t msecs = std::llround(std::fabs(value - dayPart) * MSecsPerDay);
  if (msecs >= MSecsPerDay) {
    msecs = 0;
    if (++day > LastDay) return false;
  }
  CivilFromDays(day - UnixEpochDay, out.Year, out.Month, out.Day);
  out.MSecs = msecs;
  return true;
}

std::string FormatDate(const TDecoded& d) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%02u.%02u.%04d", d.Day, d.Month, d.Year);
  return buffer;
}

std::string FormatTime(const TDecoded& d) {
  const int64_t seconds = d.MSecs / 1000;
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%02d:%02d:%02d", static_cast<int>(seconds / 3600),
                static_cast<int>(seconds / 60 % 60), static_cast<int>(seconds % 60));
  return buffer;
}

// Reads minDigits..maxDigits decimal digits at text[pos].
bool ReadNumber(std::string_view text, size_t& pos, size_t minDigits, size_t maxDigits, int& value) {
  size_t count = 0;
  value = 0;
  while (pos < text.size() && IsDigit(text[pos]) && count < maxDigits) {
    value = value * 10 + (text[pos] - '0');
    ++pos;
    ++count;
  }
  return count >= minDigits && (pos == text.size() || !IsDigit(text[pos]));
}

bool Expect(std::string_view text, size_t& pos, char c) {
  if (pos >= text.size() || text[pos] != c) return false;
  ++pos;
  return true;
}

}  // namespace

std::string IntegerToText(int32_t value) { return std::to_string(value); }

bool TextToInteger(std::string_view text, int32_t& value) {
  size_t pos = 0;
  bool negative = false;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) negative = text[pos++] == '-';
  unsigned base = 10;
  if (pos < text.size() && text[pos] == '$') {
    base = 16;
    ++pos;
  } else if (text.size() - pos >= 3 && text[pos] == '0' && (text[pos + 1] == 'x' || text[pos + 1] == 'X')) {
    base = 16;
    pos += 2;
  }
  if (pos == text.size()) return false;
  // The magnitude stops growing one past the largest one allowed, so it
  // never overflows however long the digits run.
  constexpr uint64_t Limit = uint64_t{1} << 31;
  uint64_t magnitude = 0;
  for (; pos < text.size(); ++pos) {
    const int digit = base == 16 ? HexDigitValue(text[pos]) : (IsDigit(text[pos]) ? text[pos] - '0' : -1);
    if (digit < 0) return false;
    magnitude = magnitude * base + static_cast<unsigned>(digit);
    if (magnitude > Limit) return false;
  }
  if (!negative && magnitude == Limit) return false;
  value = negative ? static_cast<int32_t>(-static_cast<int64_t>(magnitude)) : static_cast<int32_t>(magnitude);
  return true;
}

std::string FloatToText(long double value) {
  const double d = static_cast<double>(value);
  if (std::isnan(d)) return "NAN";
  if (std::isinf(d)) return d > 0 ? "INF" : "-INF";
  if (d == 0) return "0";

  // "-d.dddddddddddddde-XX": the digits rounded to 15 places, and where the
  // decimal point belongs.
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, d, std::chars_format::scientific,
                                    SignificantDigits - 1);
  const std::string_view formatted(buffer, static_cast<size_t>(result.ptr - buffer));
  const size_t e = formatted.find('e');
  const bool negative = formatted.front() == '-';
  std::string digits;
  for (const char c : formatted.substr(0, e)) {
    if (IsDigit(c)) digits += c;
  }
  int exponent = 0;
  std::from_chars(formatted.data() + e + (formatted[e + 1] == '+' ? 2 : 1), formatted.data() + formatted.size(),
                  exponent);
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

  std::string text = negative ? "-" : "";
  if (exponent >= SignificantDigits || exponent < -5) {
    text += digits[0];
    if (digits.size() > 1) text += DecimalSeparator + digits.substr(1);
    text += 'E';
    text += std::to_string(exponent);
  } else if (exponent >= 0) {
    const size_t integerDigits = static_cast<size_t>(exponent) + 1;
    if (digits.size() <= integerDigits) {
      text += digits + std::string(integerDigits - digits.size(), '0');
    } else {
      text += digits.substr(0, integerDigits) + DecimalSeparator + digits.substr(integerDigits);
    }
  } else {
    text += "0";
    text += DecimalSeparator;
    text += std::string(static_cast<size_t>(-exponent - 1), '0') + digits;
  }
  return text;
}

bool TextToFloat(std::string_view text, long double& value) {
  // Checks the shape [sign] digits [, digits] [E [sign] digits] with at least
  // one mantissa digit, and rewrites it for from_chars (point, no "+").
  std::string normal;
  size_t pos = 0;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
    if (text[pos] == '-') normal += '-';
    ++pos;
  }
  size_t mantissaDigits = 0;
  std::string integerPart, fractionPart;
  while (pos < text.size() && IsDigit(text[pos])) integerPart += text[pos++];
  if (pos < text.size() && text[pos] == DecimalSeparator) {
    ++pos;
    while (pos < text.size() && IsDigit(text[pos])) fractionPart += text[pos++];
  }
  mantissaDigits = integerPart.size() + fractionPart.size();
  if (mantissaDigits == 0) return false;
  normal += integerPart.empty() ? "0" : integerPart;
  if (!fractionPart.empty()) normal += "." + fractionPart;
  if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
    ++pos;
    normal += 'e';
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
      if (text[pos] == '-') normal += '-';
      ++pos;
    }
    const size_t start = pos;
    while (pos < text.size() && IsDigit(text[pos])) normal += text[pos++];
    if (pos == start) return false;
  }
  if (pos != text.size()) return false;

  double parsed = 0;
  const auto result = std::from_chars(normal.data(), normal.data() + normal.size(), parsed);
  if (result.ec != std::errc() || result.ptr != normal.data() + normal.size()) return false;
  value = parsed;
  return true;
}

std::string DateToText(TDateTime value) {
  TDecoded d;
  return Decode(value, d) ? FormatDate(d) : std::string();
}

std::string TimeToText(TDateTime value) {
  TDecoded d;
  return Decode(value, d) ? FormatTime(d) : std::string();
}

std::string DateTimeToText(TDateTime value) {
  TDecoded d;
  if (!Decode(value, d)) return std::string();
  return d.MSecs == 0 ? FormatDate(d) : FormatDate(d) + " " + FormatTime(d);
}

bool TextToDate(std::string_view text, TDateTime& value) {
  size_t pos = 0;
  int day, month, year;
  if (!ReadNumber(text, pos, 1, 2, day) || !Expect(text, pos, '.') || !ReadNumber(text, pos, 1, 2, month) ||
      !Expect(text, pos, '.') || !ReadNumber(text, pos, 4, 4, year) || pos != text.size())
    return false;
  if (year < 1 || month < 1 || month > 12 || day < 1 ||
      static_cast<unsigned>(day) > DaysInMonth(year, static_cast<unsigned>(month)))
    return false;
  value = static_cast<TDateTime>(
      DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) + UnixEpochDay);
  return true;
}

bool TextToTime(std::string_view text, TDateTime& value) {
  size_t pos = 0;
  int hours, minutes, seconds = 0;
  if (!ReadNumber(text, pos, 1, 2, hours) || !Expect(text, pos, ':') || !ReadNumber(text, pos, 1, 2, minutes))
    return false;
  if (pos < text.size() && (!Expect(text, pos, ':') || !ReadNumber(text, pos, 1, 2, seconds))) return false;
  if (pos != text.size() || hours > 23 || minutes > 59 || seconds > 59) return false;
  value = static_cast<TDateTime>(hours * 3600 + minutes * 60 + seconds) / 86400.0;
  return true;
}

bool TextToDateTime(std::string_view text, TDateTime& value) {
  const size_t blank = text.find(' ');
  if (blank == std::string_view::npos) return TextToDate(text, value) || TextToTime(text, value);
  TDateTime date, time;
  if (!TextToDate(text.substr(0, blank), date) || !TextToTime(text.substr(blank + 1), time)) return false;
  // Before day 0 the fraction still counts forward from midnight.
  value = date < 0 ? date - time : date + time;
  return true;
}
