#pragma once
// Runtime helpers whose exact behaviour the file formats and displayed texts depend on:
// number formatting and reading, rounding, and string functions that count characters
// (not bytes) of UTF-8 text. No widgets; usable without an application object.

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

// --- decimal separator --------------------------------------------------------
// The system's decimal separator ("," or "."): the locale's unless a test set one.
char DecimalSeparator();
// Pins the separator (tests); 0 returns to the locale's.
void SetDecimalSeparator(char sep);

// --- numbers to text ----------------------------------------------------------
// Value under a display mask: "###0", "###0.0", "###0.00", "###0.000", "###0.0000",
// "0.0", "0", "00", "000"... ('0' a digit always written, '#' a digit written only when
// significant, '.' the decimal separator). Rounds half away from zero on the decimal
// value of x (2.345 gives "2.35"). Non-finite values give "".
std::string Format(double x, const std::string& mask);
// Dates: masks "dd/mm/yyyy", "yyyy-mm-dd", "hh:nn:ss", "dd/mm/yy", "yyyymmdd" and any
// mix of the tokens dd, mm, yyyy, yy, hh, nn, ss with other characters copied.
std::string FormatDate(int year, int month, int day, int hour, int minute, int second,
                       const std::string& mask);
// Today's date and time under a date mask (local time).
std::string FormatNow(const std::string& mask);
// Today's date, and the time of day, in the system's short forms ("14/06/2024" and
// "16:35" in French), read from the program's clock.
std::string ShortDateNow();
std::string ShortTimeNow();

// At most 15 significant digits (x rounded to them, the shortest form when it needs
// fewer), decimal separator of the system, no blank, "-" for negatives; whole numbers
// without a decimal part; exponent form from 1E+15 up and below 1E-04; non-finite
// gives "0".
std::string CStr(double x);
std::string CStr(long long n);
// The same form with the shortest digits that read back exactly (up to 17): for
// values a file stores and the program reads back, such as measured coordinates.
std::string ExactText(double x);
// The printed form: CStr preceded by a blank for a non-negative number (" 10").
std::string Str(double x);

// --- text to numbers ----------------------------------------------------------
// The leading number of a text: blanks skipped, optional sign, digits, '.' as the only
// decimal mark, exponent E/D; stops at the first character that does not belong
// ("12,5" gives 12). "&H1F" and "&O17" read hex and octal. Never throws: nothing
// readable, overflow or NaN give 0.
double Val(const std::string& s);

// --- rounding -----------------------------------------------------------------
// Nearest integer, halves to the even neighbour (2.5 gives 2, 3.5 gives 4); clamped to
// the 32-bit range; NaN gives 0.
std::int32_t CInt(double x);
std::int32_t CLng(double x);
// Largest integer not greater than x, and x with its fraction cut off; NaN gives 0.
double Int(double x);
double Fix(double x);

// --- strings (UTF-8, counted in characters) -----------------------------------
int Len(const std::string& s);
std::string Left(const std::string& s, int n);
std::string Right(const std::string& s, int n);
// Characters from position start (1-based); n < 0 means to the end.
std::string Mid(const std::string& s, int start, int n = -1);
// 1-based position of what in s from start, 0 when absent.
int InStr(const std::string& s, const std::string& what, int start = 1);
std::string UCase(const std::string& s);
std::string LCase(const std::string& s);
std::string Trim(const std::string& s);   // blanks (spaces) only, as the original
std::string LTrim(const std::string& s);
std::string RTrim(const std::string& s);
std::string Replace(const std::string& s, const std::string& what, const std::string& with);
// Split at every occurrence of sep (an empty text gives one empty item).
std::vector<std::string> Split(const std::string& s, const std::string& sep);
std::string Chr(int code);   // the character of a Windows-1252 code as UTF-8
int Asc(const std::string& s);   // Windows-1252 code of the first character (0 for "")

// Line break of all texts and files.
inline const std::string vbCrLf = "\r\n";
inline const std::string vbTab = "\t";

}  // namespace platform
