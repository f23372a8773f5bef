#include "stats/number_text.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "base/helpers.h"
#include "reports/stat_rows.h"

namespace stats {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

}  // namespace

std::optional<double> typedNumber(const std::string& text) {
  std::size_t i = 0;
  while (i < text.size() && isBlank(text[i])) ++i;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  // Blanks inside the number and one decimal mark may come before its first digit.
  bool mark = false;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (isDigit(c)) {
      if (NumberOverflows(text)) return std::nullopt;
      return Val_Decimal(text);
    }
    if (c == ' ') continue;
    if ((c == '.' || c == ',') && !mark) {
      mark = true;
      continue;
    }
    break;
  }
  return std::nullopt;
}

std::vector<double> dataValues(const std::string& text, bool logarithms) {
  std::vector<double> values;
  std::size_t start = 0;
  for (std::size_t end = text.find(';'); end != std::string::npos; end = text.find(';', start)) {
    const std::string item = text.substr(start, end - start);
    start = end + 1;
    bool blank = true;
    for (char c : item) blank = blank && isBlank(c);
    if (blank) continue;
    const double v = Val_Decimal(item);
    if (!logarithms) values.push_back(v);
    else if (v > 0) values.push_back(std::log(v));
  }
  return values;
}

double toSingle(double x) { return static_cast<double>(static_cast<float>(x)); }

std::string singleNumber(double x) {
  const double s = toSingle(x);
  if (!std::isfinite(s)) return "0";
  // The 7-digit decimal of the single, read back as the nearest double, prints with
  // the same digits in the 15-digit general form.
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.7g", s);
  return generalNumber(std::strtod(buf, nullptr));
}

}  // namespace stats
