// Number texts and string functions with the behaviour the program's files and
// displays depend on. Numbers are turned into text from their shortest round-trip
// decimal digits (std::to_chars), so that rounding to a mask works on the decimal value
// the user sees (2.345 rounds to 2.35 although its binary value lies just below).
#include "platform/runtime.h"

#include <QChar>
#include <QDate>
#include <QTime>
#include <QLocale>
#include <QString>

#include <algorithm>
#include <atomic>
#include <charconv>
#include <cmath>
#include <ctime>
#include <limits>
#include <system_error>

#include "platform/events.h"
#include "platform/qt_bridge.h"
#include "platform/textfile.h"
#include "platform/utf8.h"

namespace platform {

namespace {

std::atomic<char> pinnedSeparator{0};

// --- decimal digits of a double ------------------------------------------------

// |x| = 0.d1 d2 d3 ... x 10^point: the digits without leading or trailing zeros
// ("" for zero) and the count of digits before the decimal point (may be negative
// or beyond the digits).
struct Decimal {
  bool negative = false;
  std::string digits;
  int point = 0;
};

// Shortest digits that read back to x exactly; x must be finite.
// The digits of x: the shortest that read back exactly, or, with `significant` above
// 0, x rounded to that many significant digits (nearest, ties to even on the exact
// binary value). Trailing zeros are dropped.
Decimal decimalDigits(double x, int significant) {
  Decimal d;
  d.negative = std::signbit(x);
  if (x == 0.0) return d;
  char buf[64];
  const auto res = significant > 0
                       ? std::to_chars(buf, buf + sizeof buf, std::fabs(x), std::chars_format::scientific,
                                       significant - 1)
                       : std::to_chars(buf, buf + sizeof buf, std::fabs(x), std::chars_format::scientific);
  const std::string text(buf, res.ptr);
  const std::size_t e = text.find('e');
  const std::string mantissa = text.substr(0, e);
  int exponent = 0;
  if (e != std::string::npos) {
    const char* first = text.data() + e + 1;
    if (*first == '+') ++first;
    std::from_chars(first, text.data() + text.size(), exponent);
  }
  for (char c : mantissa) {
    if (c >= '0' && c <= '9') d.digits.push_back(c);
  }
  while (!d.digits.empty() && d.digits.back() == '0') d.digits.pop_back();
  std::size_t lead = 0;
  while (lead < d.digits.size() && d.digits[lead] == '0') ++lead;
  d.digits.erase(0, lead);
  d.point = exponent + 1 - static_cast<int>(lead);
  if (d.digits.empty()) d.point = 0;
  return d;
}

Decimal shortestDecimal(double x) { return decimalDigits(x, 0); }

// Numbers as the system prints them carry at most 15 significant digits.
constexpr int kChiffresImprimes = 15;

// Whole part and exactly `decimals` fraction digits of |value|, rounded half away
// from zero on the decimal digits. The whole part has no leading zeros ("" for 0).
void roundDecimal(const Decimal& d, int decimals, std::string* whole, std::string* fraction) {
  std::string digits = d.digits;
  int point = d.point;
  const long keep = static_cast<long>(point) + decimals;  // digits that survive
  if (keep < static_cast<long>(digits.size())) {
    const bool up = keep >= 0 && digits[static_cast<std::size_t>(keep)] >= '5';
    digits.resize(keep > 0 ? static_cast<std::size_t>(keep) : 0);
    if (keep < 0) {
      digits.clear();
    } else if (up) {
      // Add one unit in the last kept place, carrying to the left.
      std::size_t k = digits.size();
      bool carry = true;
      while (carry && k > 0) {
        --k;
        if (digits[k] == '9') {
          digits[k] = '0';
        } else {
          ++digits[k];
          carry = false;
        }
      }
      if (carry) {
        digits.insert(digits.begin(), '1');
        ++point;
      }
    }
  }
  whole->clear();
  fraction->clear();
  for (long k = 0; k < point; ++k) {
    whole->push_back(k < static_cast<long>(digits.size()) ? digits[static_cast<std::size_t>(k)] : '0');
  }
  for (long k = point; k < point + decimals; ++k) {
    const bool inside = k >= 0 && k < static_cast<long>(digits.size());
    fraction->push_back(inside ? digits[static_cast<std::size_t>(k)] : '0');
  }
  std::size_t lead = 0;
  while (lead < whole->size() && (*whole)[lead] == '0') ++lead;
  whole->erase(0, lead);
}

// --- display masks --------------------------------------------------------------

enum class TokenKind { Zero, Hash, Point, Literal };

struct Token {
  TokenKind kind;
  std::string text;  // literals only
};

// Mask split into digit places, the decimal point (the first '.') and literal text
// ("\x" and "..." quote literal characters).
std::vector<Token> tokenizeMask(const std::string& mask) {
  std::vector<Token> tokens;
  bool havePoint = false;
  for (std::size_t k = 0; k < mask.size(); ++k) {
    const char c = mask[k];
    if (c == '0') {
      tokens.push_back({TokenKind::Zero, {}});
    } else if (c == '#') {
      tokens.push_back({TokenKind::Hash, {}});
    } else if (c == '.' && !havePoint) {
      tokens.push_back({TokenKind::Point, {}});
      havePoint = true;
    } else if (c == '\\' && k + 1 < mask.size()) {
      tokens.push_back({TokenKind::Literal, std::string(1, mask[++k])});
    } else if (c == '"') {
      const std::size_t end = mask.find('"', k + 1);
      const std::size_t stop = end == std::string::npos ? mask.size() : end;
      tokens.push_back({TokenKind::Literal, mask.substr(k + 1, stop - k - 1)});
      k = stop;
    } else {
      tokens.push_back({TokenKind::Literal, std::string(1, c)});
    }
  }
  return tokens;
}

bool isPlace(const Token& t) { return t.kind == TokenKind::Zero || t.kind == TokenKind::Hash; }

// Whole-number part under the tokens before the point: digits fill the places from the
// right, the leftmost place takes all the digits left over, '0' places left of the
// number write zeros from the first '0' on.
std::string renderWhole(const std::vector<Token>& tokens, std::string whole) {
  int places = 0;
  int firstZero = -1;
  for (const Token& t : tokens) {
    if (isPlace(t)) {
      if (t.kind == TokenKind::Zero && firstZero < 0) firstZero = places;
      ++places;
    }
  }
  const int minDigits = firstZero < 0 ? 0 : places - firstZero;
  if (static_cast<int>(whole.size()) < minDigits) whole.insert(0, minDigits - whole.size(), '0');
  if (places == 0) {
    std::string out;
    for (const Token& t : tokens) out += t.text;
    return out + whole;
  }
  // Right to left; the text is built reversed piece by piece.
  std::vector<std::string> pieces;
  int placeIndex = places;  // places still to the left, including the current one
  std::size_t remaining = whole.size();
  for (auto it = tokens.rbegin(); it != tokens.rend(); ++it) {
    if (!isPlace(*it)) {
      pieces.push_back(it->text);
      continue;
    }
    --placeIndex;
    if (placeIndex == 0) {
      pieces.push_back(whole.substr(0, remaining));
      remaining = 0;
    } else if (remaining > 0) {
      pieces.push_back(std::string(1, whole[remaining - 1]));
      --remaining;
    }
  }
  std::string out;
  for (auto it = pieces.rbegin(); it != pieces.rend(); ++it) out += *it;
  return out;
}

// Fraction part under the tokens after the point: one digit per place, trailing zero
// digits under '#' places dropped.
std::string renderFraction(const std::vector<Token>& tokens, const std::string& fraction) {
  // Index of the last place whose digit is written.
  int lastWritten = -1;
  int place = 0;
  for (const Token& t : tokens) {
    if (!isPlace(t)) continue;
    const char digit = place < static_cast<int>(fraction.size()) ? fraction[static_cast<std::size_t>(place)] : '0';
    if (t.kind == TokenKind::Zero || digit != '0') lastWritten = place;
    ++place;
  }
  std::string out;
  place = 0;
  for (const Token& t : tokens) {
    if (!isPlace(t)) {
      out += t.text;
      continue;
    }
    if (place <= lastWritten && place < static_cast<int>(fraction.size())) {
      out.push_back(fraction[static_cast<std::size_t>(place)]);
    }
    ++place;
  }
  return out;
}

// --- UTF-8 positions --------------------------------------------------------------

// Byte offset reached after `count` characters from byte offset `from` (clamped).
std::size_t advanceChars(const std::string& s, std::size_t from, long count) {
  std::size_t pos = from;
  while (count > 0 && pos < s.size()) {
    long cp = -1;
    pos += utf8::decodeAt(s, pos, &cp);
    --count;
  }
  return pos;
}

// Characters in the bytes [0, end) of s.
int countChars(const std::string& s, std::size_t end) {
  int n = 0;
  std::size_t pos = 0;
  while (pos < end && pos < s.size()) {
    long cp = -1;
    pos += utf8::decodeAt(s, pos, &cp);
    ++n;
  }
  return n;
}

// Each well-formed character mapped through f; malformed bytes copied unchanged.
template <typename F>
std::string mapChars(const std::string& s, F f) {
  std::string out;
  out.reserve(s.size());
  std::size_t pos = 0;
  while (pos < s.size()) {
    long cp = -1;
    const std::size_t len = utf8::decodeAt(s, pos, &cp);
    if (cp < 0) {
      out.push_back(s[pos]);
    } else {
      utf8::append(&out, f(cp));
    }
    pos += len;
  }
  return out;
}

std::string twoDigits(int v) {
  v = std::abs(v) % 100;
  return std::string(1, static_cast<char>('0' + v / 10)) + static_cast<char>('0' + v % 10);
}

bool isValBlank(char c) { return c == ' ' || c == '\t' || c == '\n'; }

// Reads a "&H..." or "&O..." number at s[pos] (pos on the '&'); 0 when malformed or
// beyond 64 bits.
double readRadix(const std::string& s, std::size_t pos) {
  ++pos;
  int radix = 8;
  if (pos < s.size() && (s[pos] == 'H' || s[pos] == 'h')) {
    radix = 16;
    ++pos;
  } else if (pos < s.size() && (s[pos] == 'O' || s[pos] == 'o')) {
    ++pos;
  }
  std::uint64_t value = 0;
  for (; pos < s.size(); ++pos) {
    if (isValBlank(s[pos])) continue;
    const char c = s[pos];
    int digit = -1;
    if (c >= '0' && c <= '9') digit = c - '0';
    else if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
    if (digit < 0 || digit >= radix) break;
    if (value > (std::numeric_limits<std::uint64_t>::max() - static_cast<unsigned>(digit)) /
                    static_cast<unsigned>(radix)) {
      return 0.0;
    }
    value = value * static_cast<unsigned>(radix) + static_cast<unsigned>(digit);
  }
  return static_cast<double>(value);
}

std::int32_t roundHalfEven(double x) {
  if (std::isnan(x)) return 0;
  constexpr double lo = std::numeric_limits<std::int32_t>::min();
  constexpr double hi = std::numeric_limits<std::int32_t>::max();
  if (x <= lo) return std::numeric_limits<std::int32_t>::min();
  if (x >= hi) return std::numeric_limits<std::int32_t>::max();
  const double f = std::floor(x);
  const double diff = x - f;
  double r = f;
  if (diff > 0.5) {
    r = f + 1.0;
  } else if (diff == 0.5) {
    r = std::fmod(f, 2.0) == 0.0 ? f : f + 1.0;
  }
  if (r >= hi) return std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int32_t>(r);
}

}  // namespace

// --- decimal separator ----------------------------------------------------------

char DecimalSeparator() {
  const char pinned = pinnedSeparator.load();
  if (pinned != 0) return pinned;
  static const char fromLocale = [] {
    const QString point = QLocale::system().decimalPoint();
    return !point.isEmpty() && point.at(0) == QLatin1Char(',') ? ',' : '.';
  }();
  return fromLocale;
}

void SetDecimalSeparator(char sep) {
  pinnedSeparator.store(sep == ',' || sep == '.' ? sep : 0);
}

// --- numbers to text --------------------------------------------------------------

std::string Format(double x, const std::string& mask) {
  if (!std::isfinite(x)) return "";
  if (mask.empty()) return CStr(x);
  // The pieces of the last mask used, kept: grids format thousands of values with one.
  struct MasqueDecoupe {
    std::string mask;
    std::vector<Token> before, after;
    bool seenPoint = false;
    int decimals = 0;
  };
  thread_local MasqueDecoupe m;
  if (m.mask != mask) {
    m = MasqueDecoupe{};
    for (const Token& t : tokenizeMask(mask)) {
      if (t.kind == TokenKind::Point) {
        m.seenPoint = true;
      } else {
        (m.seenPoint ? m.after : m.before).push_back(t);
      }
    }
    for (const Token& t : m.after) m.decimals += isPlace(t) ? 1 : 0;
    m.mask = mask;
  }
  const std::vector<Token>& before = m.before;
  const std::vector<Token>& after = m.after;
  const bool seenPoint = m.seenPoint;
  const int decimals = m.decimals;
  std::string whole, fraction;
  const Decimal d = shortestDecimal(x);
  roundDecimal(d, decimals, &whole, &fraction);
  const bool zero = whole.empty() && fraction.find_first_not_of('0') == std::string::npos;
  std::string out = renderWhole(before, whole);
  if (seenPoint) {
    out.push_back(DecimalSeparator());
    out += renderFraction(after, fraction);
  }
  if (d.negative && !zero) out = std::string(1, '-') + out;
  return out;
}

std::string FormatDate(int year, int month, int day, int hour, int minute, int second,
                       const std::string& mask) {
  std::string out;
  std::size_t k = 0;
  auto at = [&](const char* token) {
    const std::size_t n = std::char_traits<char>::length(token);
    if (k + n > mask.size()) return false;
    for (std::size_t j = 0; j < n; ++j) {
      const char c = mask[k + j];
      const char lower = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
      if (lower != token[j]) return false;
    }
    k += n;
    return true;
  };
  while (k < mask.size()) {
    if (at("yyyy")) {
      std::string y = std::to_string(std::abs(year));
      if (y.size() < 4) y.insert(0, 4 - y.size(), '0');
      out += y;
    } else if (at("yy")) {
      out += twoDigits(year);
    } else if (at("dd")) {
      out += twoDigits(day);
    } else if (at("mm")) {
      out += twoDigits(month);
    } else if (at("hh")) {
      out += twoDigits(hour);
    } else if (at("nn")) {
      out += twoDigits(minute);
    } else if (at("ss")) {
      out += twoDigits(second);
    } else {
      out.push_back(mask[k++]);
    }
  }
  return out;
}

std::string FormatNow(const std::string& mask) {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  if (localtime_r(&now, &local) == nullptr) return FormatDate(1970, 1, 1, 0, 0, 0, mask);
  return FormatDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                    local.tm_min, local.tm_sec, mask);
}

std::string ShortDateNow() {
  int y = 1970, m = 1, d = 1;
  clock().localDate(&y, &m, &d);
  return programLocale().toString(QDate(y, m, d), QLocale::ShortFormat).toStdString();
}

std::string ShortTimeNow() {
  const double s = std::fmod(std::max(clock().secondsSinceMidnight(), 0.0), 86400.0);
  const QTime t = QTime::fromMSecsSinceStartOfDay(static_cast<int>(s * 1000));
  return programLocale().toString(t, QLocale::ShortFormat).toStdString();
}

namespace {

// The text of digits d as the system converts a number.
std::string texteNombre(const Decimal& d) {
  if (d.digits.empty()) return "0";
  std::string out = d.negative ? "-" : "";
  const int exponent = d.point - 1;  // of the first digit
  if (exponent >= 15 || exponent < -4) {
    out.push_back(d.digits[0]);
    if (d.digits.size() > 1) {
      out.push_back(DecimalSeparator());
      out.append(d.digits, 1, std::string::npos);
    }
    out += exponent < 0 ? "E-" : "E+";
    const std::string e = std::to_string(std::abs(exponent));
    out += (e.size() < 2 ? "0" : "") + e;
    return out;
  }
  std::string whole, fraction;
  roundDecimal(d, std::max(0, static_cast<int>(d.digits.size()) - d.point), &whole, &fraction);
  out += whole.empty() ? "0" : whole;
  if (!fraction.empty()) {
    out.push_back(DecimalSeparator());
    out += fraction;
  }
  return out;
}

}  // namespace

std::string CStr(double x) {
  if (!std::isfinite(x)) return "0";
  return texteNombre(decimalDigits(x, kChiffresImprimes));
}

std::string ExactText(double x) {
  if (!std::isfinite(x)) return "0";
  return texteNombre(shortestDecimal(x));
}

std::string CStr(long long n) { return std::to_string(n); }

std::string Str(double x) {
  const std::string s = CStr(x);
  return s[0] == '-' ? s : " " + s;
}

// --- text to numbers --------------------------------------------------------------

double Val(const std::string& s) {
  std::size_t pos = 0;
  while (pos < s.size() && isValBlank(s[pos])) ++pos;
  if (pos < s.size() && s[pos] == '&') return readRadix(s, pos);
  // Gather sign, digits, point and exponent, skipping blanks as the original does.
  std::string clean;
  bool digitsSeen = false;
  bool pointSeen = false;
  auto skipBlanks = [&] {
    while (pos < s.size() && isValBlank(s[pos])) ++pos;
  };
  if (pos < s.size() && (s[pos] == '+' || s[pos] == '-')) {
    if (s[pos] == '-') clean.push_back('-');
    ++pos;
  }
  for (; pos < s.size(); ++pos) {
    const char c = s[pos];
    if (isValBlank(c)) continue;
    if (c >= '0' && c <= '9') {
      clean.push_back(c);
      digitsSeen = true;
    } else if (c == '.' && !pointSeen) {
      clean.push_back('.');
      pointSeen = true;
    } else {
      break;
    }
  }
  if (!digitsSeen) return 0.0;
  if (pos < s.size() && (s[pos] == 'e' || s[pos] == 'E' || s[pos] == 'd' || s[pos] == 'D')) {
    ++pos;
    skipBlanks();
    std::string exp = "e";
    if (pos < s.size() && (s[pos] == '+' || s[pos] == '-')) {
      exp.push_back(s[pos]);
      ++pos;
    }
    bool expDigits = false;
    for (; pos < s.size(); ++pos) {
      if (isValBlank(s[pos])) continue;
      if (s[pos] < '0' || s[pos] > '9') break;
      exp.push_back(s[pos]);
      expDigits = true;
    }
    if (expDigits) clean += exp;
  }
  double value = 0.0;
  const auto res = std::from_chars(clean.data(), clean.data() + clean.size(), value);
  if (res.ec != std::errc() || !std::isfinite(value)) return 0.0;
  return value;
}

// --- rounding -----------------------------------------------------------------------

std::int32_t CInt(double x) { return roundHalfEven(x); }
std::int32_t CLng(double x) { return roundHalfEven(x); }

double Int(double x) { return std::isnan(x) ? 0.0 : std::floor(x); }
double Fix(double x) { return std::isnan(x) ? 0.0 : std::trunc(x); }

// --- strings ------------------------------------------------------------------------

int Len(const std::string& s) { return countChars(s, s.size()); }

std::string Left(const std::string& s, int n) {
  if (n <= 0) return "";
  return s.substr(0, advanceChars(s, 0, n));
}

std::string Right(const std::string& s, int n) {
  if (n <= 0) return "";
  const int len = Len(s);
  if (n >= len) return s;
  return s.substr(advanceChars(s, 0, len - n));
}

std::string Mid(const std::string& s, int start, int n) {
  if (start < 1) start = 1;
  const std::size_t from = advanceChars(s, 0, start - 1);
  if (n < 0) return s.substr(from);
  const std::size_t to = advanceChars(s, from, n);
  return s.substr(from, to - from);
}

int InStr(const std::string& s, const std::string& what, int start) {
  if (start < 1) start = 1;
  if (s.empty() || start > Len(s)) return 0;
  if (what.empty()) return start;
  const std::size_t from = advanceChars(s, 0, start - 1);
  const std::size_t found = s.find(what, from);
  if (found == std::string::npos) return 0;
  return countChars(s, found) + 1;
}

std::string UCase(const std::string& s) {
  return mapChars(s, [](long cp) { return static_cast<long>(QChar::toUpper(static_cast<char32_t>(cp))); });
}

std::string LCase(const std::string& s) {
  return mapChars(s, [](long cp) { return static_cast<long>(QChar::toLower(static_cast<char32_t>(cp))); });
}

std::string LTrim(const std::string& s) {
  const std::size_t first = s.find_first_not_of(' ');
  return first == std::string::npos ? std::string() : s.substr(first);
}

std::string RTrim(const std::string& s) {
  const std::size_t last = s.find_last_not_of(' ');
  return last == std::string::npos ? std::string() : s.substr(0, last + 1);
}

std::string Trim(const std::string& s) { return LTrim(RTrim(s)); }

std::string Replace(const std::string& s, const std::string& what, const std::string& with) {
  if (what.empty()) return s;
  std::string out;
  std::size_t pos = 0;
  while (true) {
    const std::size_t found = s.find(what, pos);
    if (found == std::string::npos) break;
    out.append(s, pos, found - pos);
    out += with;
    pos = found + what.size();
  }
  out.append(s, pos, std::string::npos);
  return out;
}

std::vector<std::string> Split(const std::string& s, const std::string& sep) {
  std::vector<std::string> items;
  if (sep.empty()) {
    items.push_back(s);
    return items;
  }
  std::size_t pos = 0;
  while (true) {
    const std::size_t found = s.find(sep, pos);
    if (found == std::string::npos) break;
    items.push_back(s.substr(pos, found - pos));
    pos = found + sep.size();
  }
  items.push_back(s.substr(pos));
  return items;
}

std::string Chr(int code) {
  if (code < 0 || code > 255) return "";
  return decodeWindows1252(std::string(1, static_cast<char>(code)));
}

int Asc(const std::string& s) {
  if (s.empty()) return 0;
  long cp = -1;
  const std::size_t len = utf8::decodeAt(s, 0, &cp);
  if (cp < 0) return static_cast<unsigned char>(s[0]);
  std::string byte;
  if (!encodeWindows1252(s.substr(0, len), &byte) || byte.size() != 1) return '?';
  return static_cast<unsigned char>(byte[0]);
}

}  // namespace platform
