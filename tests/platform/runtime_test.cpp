// Number texts, number reading, rounding and the UTF-8 string functions.
#include "platform/runtime.h"

#include <gtest/gtest.h>

#include <QLocale>

#include <cmath>
#include <ctime>
#include <limits>
#include <string>

namespace {

using platform::Asc;
using platform::CInt;
using platform::CLng;
using platform::CStr;
using platform::ExactText;
using platform::Chr;
using platform::Fix;
using platform::Format;
using platform::FormatDate;
using platform::InStr;
using platform::Int;
using platform::LCase;
using platform::Left;
using platform::Len;
using platform::Mid;
using platform::Replace;
using platform::Right;
using platform::SetDecimalSeparator;
using platform::Split;
using platform::Str;
using platform::Trim;
using platform::UCase;
using platform::Val;

// Pins the decimal separator for one test and returns to the locale's afterwards.
class PinnedSeparator {
 public:
  explicit PinnedSeparator(char sep) { SetDecimalSeparator(sep); }
  ~PinnedSeparator() { SetDecimalSeparator(0); }
};

struct FormatCase {
  double value;
  const char* mask;
  const char* expected;  // with "." as separator
};

// Expected texts worked out by hand from the decimal value as typed: round half away
// from zero at the last place of the mask, '0' places always written, '#' places only
// when significant, the decimal point kept whenever the mask has one.
const FormatCase kFormatCases[] = {
    {2.345, "###0.00", "2.35"},        // 2.345 is 2.34499999999999997 in binary
    {2.344999, "###0.00", "2.34"},
    {-0.005, "###0.00", "-0.01"},
    {1234.5, "###0.00", "1234.50"},
    {0.0, "###0.00", "0.00"},
    {12345.678, "###0.00", "12345.68"},
    {0.125, "###0.00", "0.13"},
    {-0.004, "###0.00", "0.00"},       // rounds to zero: no sign
    {99.995, "###0.00", "100.00"},     // carry through every digit
    {2.5, "###0", "3"},
    {-2.5, "###0", "-3"},
    {0.4, "###0", "0"},
    {1234.5, "###0", "1235"},
    {1.23456789, "###0.0000", "1.2346"},
    {0.00005, "###0.0000", "0.0001"},
    {0.00004999, "###0.0000", "0.0000"},
    {1.0, "###0.0000", "1.0000"},
    {0.05, "0.0", "0.1"},
    {0.04, "0.0", "0.0"},
    {9.95, "0.0", "10.0"},             // 9.95 is 9.9499999... in binary
    {-9.95, "0.0", "-10.0"},
    {3.1, "0.##", "3.1"},
    {3.456, "0.##", "3.46"},
    {3.0, "0.##", "3."},
    {0.5, "#.0", ".5"},
    {0.0, "##", ""},
    {7.0, "##", "7"},
    {5.0, "00", "05"},
    {5.0, "000", "005"},
    {123.0, "0", "123"},
    {15.5, "##0.0000", "15.5000"},
    {0.45, "##.##", ".45"},
};

TEST(RuntimeFormat, MasksWithPointSeparator) {
  PinnedSeparator pin('.');
  for (const FormatCase& c : kFormatCases) {
    EXPECT_EQ(Format(c.value, c.mask), c.expected) << c.value << " " << c.mask;
  }
}

TEST(RuntimeFormat, MasksWithCommaSeparator) {
  PinnedSeparator pin(',');
  for (const FormatCase& c : kFormatCases) {
    std::string expected = c.expected;
    for (char& ch : expected) {
      if (ch == '.') ch = ',';
    }
    EXPECT_EQ(Format(c.value, c.mask), expected) << c.value << " " << c.mask;
  }
}

TEST(RuntimeFormat, LargeValuesKeepEveryWholeDigit) {
  PinnedSeparator pin('.');
  EXPECT_EQ(Format(1e20, "###0"), "100000000000000000000");
  EXPECT_EQ(Format(1e300, "0"), "1" + std::string(300, '0'));
  EXPECT_EQ(Format(123456789.0, "##0.0"), "123456789.0");
}

TEST(RuntimeFormat, NonFiniteGivesEmptyText) {
  EXPECT_EQ(Format(std::numeric_limits<double>::quiet_NaN(), "###0.00"), "");
  EXPECT_EQ(Format(std::numeric_limits<double>::infinity(), "###0.00"), "");
  EXPECT_EQ(Format(-std::numeric_limits<double>::infinity(), "0"), "");
}

TEST(RuntimeFormat, LiteralsAreCopied) {
  PinnedSeparator pin('.');
  EXPECT_EQ(Format(5.25, "0.0 \"um\""), "5.3 um");
  EXPECT_EQ(Format(42.0, "\\#0"), "#42");
}

TEST(RuntimeFormat, DateMasks) {
  EXPECT_EQ(FormatDate(2024, 3, 5, 7, 8, 9, "dd/mm/yyyy"), "05/03/2024");
  EXPECT_EQ(FormatDate(2024, 3, 5, 7, 8, 9, "yyyy-mm-dd"), "2024-03-05");
  EXPECT_EQ(FormatDate(2024, 3, 5, 7, 8, 9, "hh:nn:ss"), "07:08:09");
  EXPECT_EQ(FormatDate(2024, 3, 5, 7, 8, 9, "dd/mm/yy"), "05/03/24");
  EXPECT_EQ(FormatDate(2024, 3, 5, 7, 8, 9, "yyyymmdd"), "20240305");
  EXPECT_EQ(FormatDate(1999, 12, 31, 23, 59, 58, "Le dd/mm/yyyy à hh h nn"),
            "Le 31/12/1999 à 23 h 59");
}

TEST(RuntimeFormat, NowUsesLocalDate) {
  // The day may change between the two readings: either reading is accepted.
  auto today = [] {
    const std::time_t t = std::time(nullptr);
    std::tm tm{};
    localtime_r(&t, &tm);
    return FormatDate(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, 0, 0, 0, "yyyy-mm-dd");
  };
  const std::string before = today();
  const std::string now = platform::FormatNow("yyyy-mm-dd");
  const std::string after = today();
  EXPECT_TRUE(now == before || now == after) << now;
}

TEST(RuntimeSeparator, PinnedAndLocale) {
  SetDecimalSeparator(',');
  EXPECT_EQ(platform::DecimalSeparator(), ',');
  SetDecimalSeparator('.');
  EXPECT_EQ(platform::DecimalSeparator(), '.');
  SetDecimalSeparator(0);
  const QString point = QLocale::system().decimalPoint();
  const char expected = !point.isEmpty() && point.at(0) == QLatin1Char(',') ? ',' : '.';
  EXPECT_EQ(platform::DecimalSeparator(), expected);
}

TEST(RuntimeCStr, FifteenSignificantDigitsWithSystemSeparator) {
  {
    PinnedSeparator pin('.');
    EXPECT_EQ(CStr(0.1), "0.1");
    EXPECT_EQ(CStr(-1.5), "-1.5");
    EXPECT_EQ(CStr(10.0), "10");
    EXPECT_EQ(CStr(2.345), "2.345");
    EXPECT_EQ(CStr(0.0001), "0.0001");
    EXPECT_EQ(CStr(123456789012345.0), "123456789012345");
    EXPECT_EQ(CStr(1e15), "1E+15");
    EXPECT_EQ(CStr(1.5e-7), "1.5E-07");
    EXPECT_EQ(CStr(-2.5e100), "-2.5E+100");
    EXPECT_EQ(CStr(-0.0), "0");
    EXPECT_EQ(CStr(std::numeric_limits<double>::quiet_NaN()), "0");
  }
  {
    PinnedSeparator pin(',');
    EXPECT_EQ(CStr(0.1), "0,1");
    EXPECT_EQ(CStr(-1.5), "-1,5");
    EXPECT_EQ(CStr(10.0), "10");
    EXPECT_EQ(CStr(1.5e-7), "1,5E-07");
  }
  EXPECT_EQ(CStr(static_cast<long long>(-42)), "-42");
  EXPECT_EQ(CStr(9223372036854775807LL), "9223372036854775807");
}

// Values rounded to 15 significant digits; the expected texts are C's "%.15g" of the
// same doubles (correct rounding of the exact binary value), read in the system's form.
TEST(RuntimeCStr, RoundedToFifteenSignificantDigits) {
  PinnedSeparator pin('.');
  const std::pair<double, const char*> cases[] = {
      {0.01403443113772455, "0.0140344311377246"},   // a calibration of 1 / 71.25 picture units
      {0.7071067623730954, "0.707106762373095"},      // the zoom factor at exponent -2
      {0.1 + 0.2, "0.3"},
      {1.0 / 3.0, "0.333333333333333"},
      {-2.0 / 3.0, "-0.666666666666667"},
      {123456789012345.6, "123456789012346"},
      {999999999999999.9, "1E+15"},                    // rounding carries into the exponent form
      {9.999999999999999e-5, "0.0001"},
      {0.00012345678901234567, "0.000123456789012346"},
      {2.5e-16, "2.5E-16"},
      {6.02214076e23, "6.02214076E+23"},
  };
  for (const auto& [v, text] : cases) EXPECT_EQ(CStr(v), text) << v;
  EXPECT_EQ(Str(0.7071067623730954), " 0.707106762373095");
  // A number of 15 digits or fewer reads back exactly.
  for (double v : {0.1, 12345.6789, 6.02214076e23, 0.0140344311377246})
    EXPECT_EQ(Val(CStr(v)), v) << CStr(v);
}

// Stored values keep every digit they need to read back exactly.
TEST(RuntimeExactText, ShortestDigitsReadBack) {
  PinnedSeparator pin('.');
  EXPECT_EQ(ExactText(0.1 + 0.2), "0.30000000000000004");
  EXPECT_EQ(ExactText(1166.6666666666667), "1166.6666666666667");
  EXPECT_EQ(ExactText(10.0), "10");
  EXPECT_EQ(ExactText(-1.5e-7), "-1.5E-07");
  EXPECT_EQ(ExactText(std::numeric_limits<double>::infinity()), "0");
  const double values[] = {0.1, 1.0 / 3.0, 2.0 / 3.0, 1e-5 * 3.0, 12345.6789, 6.02214076e23, 486.819655590699123};
  for (double v : values) EXPECT_EQ(Val(ExactText(v)), v) << ExactText(v);
  PinnedSeparator virgule(',');
  EXPECT_EQ(ExactText(0.30000000000000004), "0,30000000000000004");
}

TEST(RuntimeStr, BlankBeforeNonNegative) {
  {
    PinnedSeparator pin('.');
    EXPECT_EQ(Str(10.0), " 10");
    EXPECT_EQ(Str(-1.5), "-1.5");
    EXPECT_EQ(Str(0.0), " 0");
    EXPECT_EQ(Str(0.25), " 0.25");
  }
  PinnedSeparator pin(',');
  EXPECT_EQ(Str(0.25), " 0,25");
  EXPECT_EQ(Str(-1.5), "-1,5");
}

struct ValCase {
  const char* text;
  double expected;
};

// Leading-number reading: blanks skipped, '.' the only decimal mark, &H / &O radix.
const ValCase kValCases[] = {
    {"12,5", 12.0},
    {"&H1F", 31.0},
    {"&h1f", 31.0},
    {"&O17", 15.0},
    {"&17", 15.0},
    {"1E400", 0.0},
    {"  -3.5e2xyz", -350.0},
    {"", 0.0},
    {"abc", 0.0},
    {".5", 0.5},
    {"-.5", -0.5},
    {"+7", 7.0},
    {"1 000", 1000.0},
    {"1e", 1.0},
    {"1.2.3", 1.2},
    {"1D2", 100.0},
    {"2.5E-1", 0.25},
    {"-", 0.0},
    {"nan", 0.0},
    {"inf", 0.0},
    {"\t42\n", 42.0},
    {"&HFFFFFFFFFFFFFFFFFF", 0.0},
    {"0x10", 0.0},
};

TEST(RuntimeVal, LeadingNumber) {
  for (const ValCase& c : kValCases) EXPECT_EQ(Val(c.text), c.expected) << c.text;
}

TEST(RuntimeRounding, CIntHalfToEven) {
  EXPECT_EQ(CInt(2.5), 2);
  EXPECT_EQ(CInt(3.5), 4);
  EXPECT_EQ(CInt(-2.5), -2);
  EXPECT_EQ(CInt(-3.5), -4);
  EXPECT_EQ(CInt(0.5), 0);
  EXPECT_EQ(CInt(1.5), 2);
  EXPECT_EQ(CInt(2.4999), 2);
  EXPECT_EQ(CInt(2.5001), 3);
  EXPECT_EQ(CInt(-0.4), 0);
  EXPECT_EQ(CInt(std::numeric_limits<double>::quiet_NaN()), 0);
  EXPECT_EQ(CInt(1e20), std::numeric_limits<std::int32_t>::max());
  EXPECT_EQ(CInt(-1e20), std::numeric_limits<std::int32_t>::min());
  EXPECT_EQ(CInt(std::numeric_limits<double>::infinity()), std::numeric_limits<std::int32_t>::max());
  EXPECT_EQ(CLng(2147483646.5), 2147483646);
  EXPECT_EQ(CLng(2147483647.5), std::numeric_limits<std::int32_t>::max());
  EXPECT_EQ(CLng(-2147483648.5), std::numeric_limits<std::int32_t>::min());
  EXPECT_EQ(CLng(-7.5), -8);
}

TEST(RuntimeRounding, IntFloorsFixTruncates) {
  EXPECT_EQ(Int(2.7), 2.0);
  EXPECT_EQ(Int(-2.5), -3.0);
  EXPECT_EQ(Fix(-2.5), -2.0);
  EXPECT_EQ(Fix(2.7), 2.0);
  EXPECT_EQ(Int(std::numeric_limits<double>::quiet_NaN()), 0.0);
  EXPECT_EQ(Fix(std::numeric_limits<double>::quiet_NaN()), 0.0);
}

TEST(RuntimeStrings, CountCharactersNotBytes) {
  EXPECT_EQ(Len("été"), 3);
  EXPECT_EQ(Len(""), 0);
  EXPECT_EQ(Len("\xFF" "a"), 2);  // a stray byte counts as one character
  EXPECT_EQ(Left("été", 2), "ét");
  EXPECT_EQ(Left("été", 0), "");
  EXPECT_EQ(Left("été", 10), "été");
  EXPECT_EQ(Right("été", 1), "é");
  EXPECT_EQ(Right("été", -1), "");
  EXPECT_EQ(Right("abc", 5), "abc");
  EXPECT_EQ(Mid("abcdé", 4), "dé");
  EXPECT_EQ(Mid("abcdé", 2, 2), "bc");
  EXPECT_EQ(Mid("abc", 0, 1), "a");
  EXPECT_EQ(Mid("abc", 5), "");
  EXPECT_EQ(Mid("aé€b", 3, 1), "€");
}

TEST(RuntimeStrings, InStrGivesCharacterPositions) {
  EXPECT_EQ(InStr("aébc", "b"), 3);
  EXPECT_EQ(InStr("abcabc", "c", 4), 6);
  EXPECT_EQ(InStr("abcabc", "c", 7), 0);
  EXPECT_EQ(InStr("abc", "x"), 0);
  EXPECT_EQ(InStr("", "a"), 0);
  EXPECT_EQ(InStr("abc", ""), 1);
  EXPECT_EQ(InStr("abc", "a", -3), 1);
}

TEST(RuntimeStrings, CaseOfAccentedLetters) {
  EXPECT_EQ(UCase("éàç ü œ ÿ abc"), "ÉÀÇ Ü Œ Ÿ ABC");
  EXPECT_EQ(LCase("ÉCOLE ÀÎ Œ"), "école àî œ");
  EXPECT_EQ(UCase("ß"), "ß");  // one character stays one character
  EXPECT_EQ(UCase("\xFF" "a"), "\xFF" "A");
}

TEST(RuntimeStrings, TrimOnlyBlanks) {
  EXPECT_EQ(Trim("  a b  "), "a b");
  EXPECT_EQ(Trim("\ta "), "\ta");
  EXPECT_EQ(Trim("   "), "");
  EXPECT_EQ(platform::LTrim("  a "), "a ");
  EXPECT_EQ(platform::RTrim("  a "), "  a");
}

TEST(RuntimeStrings, ReplaceAndSplit) {
  EXPECT_EQ(Replace("a.b.c", ".", ","), "a,b,c");
  EXPECT_EQ(Replace("aaa", "aa", "b"), "ba");
  EXPECT_EQ(Replace("abc", "", "x"), "abc");
  EXPECT_EQ(Replace("été", "é", "e"), "ete");
  EXPECT_EQ(Split("a;b;;c", ";"), (std::vector<std::string>{"a", "b", "", "c"}));
  EXPECT_EQ(Split("", ";"), (std::vector<std::string>{""}));
  EXPECT_EQ(Split("a;", ";"), (std::vector<std::string>{"a", ""}));
  EXPECT_EQ(Split("a$$b", "$$"), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(Split("abc", ""), (std::vector<std::string>{"abc"}));
}

TEST(RuntimeStrings, ChrAndAscThroughWindows1252) {
  EXPECT_EQ(Chr(65), "A");
  EXPECT_EQ(Chr(233), "é");
  EXPECT_EQ(Chr(128), "€");
  EXPECT_EQ(Chr(176), "°");
  EXPECT_EQ(Chr(0x81), "\xC2\x81");
  EXPECT_EQ(Chr(300), "");
  EXPECT_EQ(Chr(-1), "");
  EXPECT_EQ(Asc("A"), 65);
  EXPECT_EQ(Asc("é"), 233);
  EXPECT_EQ(Asc("€uro"), 128);
  EXPECT_EQ(Asc("Ω"), 63);  // no code in Windows-1252: '?'
  EXPECT_EQ(Asc(""), 0);
  for (int code = 1; code < 256; ++code) EXPECT_EQ(Asc(Chr(code)), code) << code;
}

}  // namespace
