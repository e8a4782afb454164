// Typed values as the texts a named-value file holds. The formats are fixed
// to those of the Russian users the files were made for (decimal comma,
// "dd.mm.yyyy", "hh:nn:ss"), so a file means the same on every machine
// whatever locale the process runs in.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "framework/NameValueTree.h"

std::string IntegerToText(int32_t value);
// Optional sign, then decimal digits, "$" and hex digits, or "0x"/"0X" and
// hex digits. False for anything else, also for a value past 32 bits.
bool TextToInteger(std::string_view text, int32_t& value);

// General format through double precision: up to 15 significant digits,
// fixed notation unless that would need more than 15 integer digits or the
// value is below 0.00001 ("1E-20", "1,5E20"). NaN and infinities are written
// "NAN", "INF", "-INF" and read back as no number.
std::string FloatToText(long double value);
bool TextToFloat(std::string_view text, long double& value);

// Dates outside the years 1..9999 and non-finite values have no text and
// give the empty string. Times are shown to the second (milliseconds
// dropped); a time that rounds up to the next midnight carries into the day.
std::string DateToText(TDateTime value);
std::string TimeToText(TDateTime value);
std::string DateTimeToText(TDateTime value);  // the time left out at midnight
bool TextToDate(std::string_view text, TDateTime& value);
bool TextToTime(std::string_view text, TDateTime& value);
bool TextToDateTime(std::string_view text, TDateTime& value);  // date, time, or both
