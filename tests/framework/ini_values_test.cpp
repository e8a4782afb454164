// Value texts of the named-value files: integers, booleans' integers,
// reals with the decimal comma, dates and times.
#include <gtest/gtest.h>

#include <cfloat>
#include <clocale>
#include <cmath>
#include <random>

#include "support/CommaLocale.h"
#include "framework/ValueConversion.h"

namespace {

int32_t IntegerOr(const std::string& text, int32_t def) {
  int32_t value = 0;
  return TextToInteger(text, value) ? value : def;
}

long double FloatOr(const std::string& text, long double def) {
  long double value = 0;
  return TextToFloat(text, value) ? value : def;
}

TDateTime DateTimeOr(bool (*convert)(std::string_view, TDateTime&), const std::string& text, TDateTime def) {
  TDateTime value = 0;
  return convert(text, value) ? value : def;
}

// Day number of a date by walking the calendar one month at a time from
// 30.12.1899: slow, and obviously right.
int64_t WalkedDayNumber(int year, int month, int day) {
  const auto daysIn = [](int y, int m) {
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
    return m == 2 && leap ? 29 : days[m - 1];
  };
  int64_t n = 2;  // 1.1.1900, counted from 30.12.1899 as day 0
  int y = 1900, m = 1;
  if (year >= 1900) {
    while (y < year || m < month) {
      n += daysIn(y, m);
      if (++m > 12) m = 1, ++y;
    }
    return n + day - 1;
  }
  while (y > year || m > month) {
    if (--m < 1) m = 12, --y;
    n -= daysIn(y, m);
  }
  return n + day - 1;
}

}  // namespace

TEST(IntegerText, WritesDecimalWithMinus) {
  EXPECT_EQ(IntegerToText(0), "0");
  EXPECT_EQ(IntegerToText(-17), "-17");
  EXPECT_EQ(IntegerToText(INT32_MAX), "2147483647");
  EXPECT_EQ(IntegerToText(INT32_MIN), "-2147483648");
}

TEST(IntegerText, ReadsDecimalAndBothHexForms) {
  EXPECT_EQ(IntegerOr("42", -1), 42);
  EXPECT_EQ(IntegerOr("+42", -1), 42);
  EXPECT_EQ(IntegerOr("-42", -1), -42);
  EXPECT_EQ(IntegerOr("007", -1), 7);
  EXPECT_EQ(IntegerOr("0x1F", -1), 31);
  EXPECT_EQ(IntegerOr("0X1f", -1), 31);
  EXPECT_EQ(IntegerOr("$1F", -1), 31);
  EXPECT_EQ(IntegerOr("$ff", -1), 255);
  EXPECT_EQ(IntegerOr("-0x1F", -1), -31);
  EXPECT_EQ(IntegerOr("-$10", -1), -16);
}

TEST(IntegerText, AnythingElseGivesDefault) {
  for (const char* text : {"", "12abc", "abc", "+", "-", "$", "0x", "0X", "$g", "0x1G", " 5", "5 ", "1,5", "1e3",
                           "--1", "+-1", "x1F", "true"}) {
    EXPECT_EQ(IntegerOr(text, -99), -99) << '"' << text << '"';
  }
  // Too short for the 0x form, so read as decimal, which it is not.
  EXPECT_EQ(IntegerOr("0x", 5), 5);
}

TEST(IntegerText, LimitsOfThirtyTwoBitsHoldAndBeyondGivesDefault) {
  EXPECT_EQ(IntegerOr("2147483647", 0), INT32_MAX);
  EXPECT_EQ(IntegerOr("-2147483648", 0), INT32_MIN);
  EXPECT_EQ(IntegerOr("$7FFFFFFF", 0), INT32_MAX);
  EXPECT_EQ(IntegerOr("-0x80000000", 0), INT32_MIN);
  for (const char* text : {"2147483648", "-2147483649", "$80000000", "0xFFFFFFFF", "99999999999999999999999999",
                           "-0x1000000000000000000000"}) {
    EXPECT_EQ(IntegerOr(text, 3), 3) << text;
  }
}

TEST(IntegerText, EveryValueRoundTrips) {
  std::mt19937 random(20090202);
  SCOPED_TRACE("seed 20090202");
  std::uniform_int_distribution<int32_t> any(INT32_MIN, INT32_MAX);
  for (int i = 0; i < 10000; ++i) {
    const int32_t v = any(random);
    EXPECT_EQ(IntegerOr(IntegerToText(v), v == 0 ? 1 : 0), v);
  }
}

TEST(FloatText, GeneralFormatWithDecimalComma) {
  EXPECT_EQ(FloatToText(0), "0");
  EXPECT_EQ(FloatToText(3.14L), "3,14");
  EXPECT_EQ(FloatToText(-2.5L), "-2,5");
  EXPECT_EQ(FloatToText(100), "100");
  EXPECT_EQ(FloatToText(0.1L), "0,1");
  EXPECT_EQ(FloatToText(1.0L / 3), "0,333333333333333");
  EXPECT_EQ(FloatToText(2.0L / 3), "0,666666666666667");
  EXPECT_EQ(FloatToText(123456789012345.0L), "123456789012345");
  EXPECT_EQ(FloatToText(0.00001L), "0,00001");
}

TEST(FloatText, ScientificBeyondFifteenIntegerDigitsOrBelowOneHundredThousandth) {
  EXPECT_EQ(FloatToText(1e-20L), "1E-20");
  EXPECT_EQ(FloatToText(1e15L), "1E15");
  EXPECT_EQ(FloatToText(1.5e20L), "1,5E20");
  EXPECT_EQ(FloatToText(-2.25e-6L), "-2,25E-6");
  EXPECT_EQ(FloatToText(1.7976931348623157e308L), "1,79769313486232E308");
  EXPECT_EQ(FloatToText(4.9406564584124654e-324L), "4,94065645841247E-324");
}

TEST(FloatText, NonFiniteValuesHaveTextsThatReadAsDefault) {
  EXPECT_EQ(FloatToText(NAN), "NAN");
  EXPECT_EQ(FloatToText(INFINITY), "INF");
  EXPECT_EQ(FloatToText(-INFINITY), "-INF");
  for (const char* text : {"NAN", "INF", "-INF"}) EXPECT_EQ(FloatOr(text, 7), 7) << text;
}

TEST(FloatText, ReadsOnlyTheCommaForm) {
  EXPECT_EQ(FloatOr("3,14", 0), static_cast<long double>(3.14));
  EXPECT_EQ(FloatOr("-0,5", 0), -0.5L);
  EXPECT_EQ(FloatOr(",5", 0), 0.5L);
  EXPECT_EQ(FloatOr("5,", 0), 5.0L);
  EXPECT_EQ(FloatOr("+1E3", 0), 1000.0L);
  EXPECT_EQ(FloatOr("1e-20", 0), static_cast<long double>(1e-20));
  EXPECT_EQ(FloatOr("42", 0), 42.0L);
  for (const char* text : {"", "3.14", ",", "-", "1E", "1E+", "1,2,3", "1 ", " 1", "abc", "1E400", "0x10", "1,5x"}) {
    EXPECT_EQ(FloatOr(text, -7), -7) << '"' << text << '"';
  }
}

TEST(FloatText, DoesNotDependOnTheProcessLocale) {
  // Under a locale with a decimal comma printf writes "3,25" and strtod
  // stops at a point; the file texts must stay as they are in the C locale.
  TCommaNumericLocale comma;
  ASSERT_TRUE(comma.Active()) << comma.Why();
  EXPECT_EQ(FloatToText(3.25L), "3,25");
  EXPECT_EQ(FloatToText(-1e-20L), "-1E-20");
  EXPECT_EQ(FloatOr("3,25", 0), 3.25L);
  EXPECT_EQ(FloatOr("3.25", -7), -7);
}

TEST(FloatText, RoundTripsThroughFifteenDigits) {
  std::mt19937_64 random(1899);
  SCOPED_TRACE("seed 1899");
  std::uniform_real_distribution<double> mantissa(-10, 10);
  std::uniform_int_distribution<int> exponent(-300, 300);
  for (int i = 0; i < 5000; ++i) {
    const double v = mantissa(random) * std::pow(10.0, exponent(random));
    const long double back = FloatOr(FloatToText(v), 0);
    EXPECT_NEAR(static_cast<double>(back), v, std::fabs(v) * 1e-14) << FloatToText(v);
    // The text is stable: writing what was read gives the same text.
    EXPECT_EQ(FloatToText(back), FloatToText(v));
  }
}

TEST(DateText, ShortDateIsDayMonthYear) {
  EXPECT_EQ(DateToText(0), "30.12.1899");
  EXPECT_EQ(DateToText(1), "31.12.1899");
  EXPECT_EQ(DateToText(2), "01.01.1900");
  EXPECT_EQ(DateToText(39846.75), "02.02.2009");
  EXPECT_EQ(DateToText(-1), "29.12.1899");
  EXPECT_EQ(DateToText(-693593), "01.01.0001");
  EXPECT_EQ(DateToText(2958465), "31.12.9999");
}

TEST(DateText, DayNumbersAgreeWithAWalkThroughTheCalendar) {
  for (int year = 1700; year <= 2300; year += 7) {
    for (int month = 1; month <= 12; ++month) {
      for (int day : {1, 15, 28}) {
        char text[16];
        std::snprintf(text, sizeof text, "%02d.%02d.%04d", day, month, year);
        const TDateTime value = DateTimeOr(TextToDate, text, 1e9);
        EXPECT_EQ(value, static_cast<TDateTime>(WalkedDayNumber(year, month, day))) << text;
        EXPECT_EQ(DateToText(value), text);
      }
    }
  }
}

TEST(DateText, InvalidDatesGiveDefault) {
  for (const char* text : {"", "30.02.2009", "29.02.2100", "32.01.2009", "00.01.2009", "01.13.2009", "01.00.2009",
                           "1.1.09", "01.01.20091", "01/01/2009", "01.01.0000", "01.01.2009 ", "a.b.c"}) {
    EXPECT_EQ(DateTimeOr(TextToDate, text, -5), -5) << '"' << text << '"';
  }
  EXPECT_EQ(DateTimeOr(TextToDate, "29.02.2000", -5), 36585);
  EXPECT_EQ(DateTimeOr(TextToDate, "1.2.2009", -5), 39845);
}

TEST(DateText, OutOfRangeAndNonFiniteValuesHaveNoText) {
  for (TDateTime v : {-693594.0, 2958466.0, 1e300, -1e300, static_cast<double>(NAN), static_cast<double>(INFINITY)}) {
    EXPECT_EQ(DateToText(v), "") << v;
    EXPECT_EQ(TimeToText(v), "") << v;
    EXPECT_EQ(DateTimeToText(v), "") << v;
  }
}

TEST(TimeText, LongTimeIsHoursMinutesSeconds) {
  EXPECT_EQ(TimeToText(0), "00:00:00");
  EXPECT_EQ(TimeToText(0.5), "12:00:00");
  EXPECT_EQ(TimeToText(39846 + (13 * 3600 + 5 * 60 + 9) / 86400.0), "13:05:09");
  EXPECT_EQ(TimeToText(-1.25), "06:00:00");  // before day 0 the fraction still counts from midnight
  EXPECT_EQ(TimeToText(0.999 / 86400), "00:00:00");  // milliseconds are dropped
}

TEST(TimeText, ReadsTimesWithAndWithoutSeconds) {
  EXPECT_EQ(DateTimeOr(TextToTime, "12:00:00", -1), 0.5);
  EXPECT_EQ(DateTimeOr(TextToTime, "6:00", -1), 0.25);
  EXPECT_EQ(DateTimeOr(TextToTime, "23:59:59", -1), 86399 / 86400.0);
  for (const char* text : {"", "24:00:00", "12:60:00", "12:00:60", "12", "12:", "12:00:", "12-00-00", "1:2:3:4"}) {
    EXPECT_EQ(DateTimeOr(TextToTime, text, -1), -1) << '"' << text << '"';
  }
}

TEST(DateTimeText, TimeIsLeftOutAtMidnight) {
  EXPECT_EQ(DateTimeToText(39846), "02.02.2009");
  EXPECT_EQ(DateTimeToText(39846.5), "02.02.2009 12:00:00");
  EXPECT_EQ(DateTimeToText(-1.25), "29.12.1899 06:00:00");
}

TEST(DateTimeText, TimeThatRoundsToMidnightCarriesIntoTheNextDay) {
  const TDateTime almostNext = 39846 + (86400000 - 0.1) / 86400000.0;
  EXPECT_EQ(DateTimeToText(almostNext), "03.02.2009");
  EXPECT_EQ(TimeToText(almostNext), "00:00:00");
}

TEST(DateTimeText, ReadsDateTimeDateAloneOrTimeAlone) {
  EXPECT_EQ(DateTimeOr(TextToDateTime, "02.02.2009 12:00:00", -1), 39846.5);
  EXPECT_EQ(DateTimeOr(TextToDateTime, "02.02.2009", -1), 39846);
  EXPECT_EQ(DateTimeOr(TextToDateTime, "06:00:00", -1), 0.25);
  EXPECT_EQ(DateTimeOr(TextToDateTime, "29.12.1899 06:00:00", 0), -1.25);
  for (const char* text : {"02.02.2009  12:00:00", "02.02.2009 ", "x 12:00:00", "02.02.2009 25:00:00"}) {
    EXPECT_EQ(DateTimeOr(TextToDateTime, text, -1), -1) << '"' << text << '"';
  }
}

TEST(DateTimeText, WholeSecondsRoundTrip) {
  std::mt19937 random(2009);
  SCOPED_TRACE("seed 2009");
  std::uniform_int_distribution<int> days(-693593, 2958465);
  std::uniform_int_distribution<int> seconds(0, 86399);
  for (int i = 0; i < 5000; ++i) {
    const int d = days(random);
    const double t = seconds(random) / 86400.0;
    const TDateTime v = d < 0 ? d - t : d + t;
    const TDateTime back = DateTimeOr(TextToDateTime, DateTimeToText(v), 1e9);
    EXPECT_NEAR(back, v, 1e-9) << DateTimeToText(v);
    EXPECT_EQ(DateTimeToText(back), DateTimeToText(v));
  }
}
