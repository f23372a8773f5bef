#pragma once
// Numbers as the test panels read and show them: the number typed in a box, the values
// of a data text (items separated by ";"), the single-precision form of risks, and
// lines joined by CR LF. Pure functions of their arguments and of the system's decimal
// separator.

#include <optional>
#include <string>
#include <vector>

namespace stats {

// The number typed in a box, read with Val_Decimal (a comma or a point as decimal
// mark); empty when the text holds no number at all: nothing but blanks, or no digit
// where a number should start ("", "-", "abc", ".", "e5"), and when the number is too
// large for a double ("1e400").
std::optional<double> typedNumber(const std::string& text);

// The values of a data text: items separated by ";", each read with Val_Decimal. An
// item that is empty or blank is no value; the text after the last ";" is never one, so
// a text without ";" holds none. Other items that hold no number count as 0. With
// logarithms, the natural logarithms of the positive values (the others are left out).
std::vector<double> dataValues(const std::string& text, bool logarithms = false);

// x rounded to single precision, in the general form with at most 7 significant
// digits and the system's decimal separator ("5", "2.5", "0.05"); "0" when not finite.
std::string singleNumber(double x);

// x rounded to single precision (the rounding of risks and powers before they are
// compared or shown).
double toSingle(double x);

}  // namespace stats
