#include "base/helpers.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <fstream>
#include <system_error>

#include "base/text_tables.h"
#include "platform/app.h"
#include "platform/dialogs.h"
#include "platform/events.h"
#include "platform/runtime.h"
#include "platform/textfile.h"

bool Vista_Ou_Plus = true;

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Value of a hexadecimal or octal digit, -1 when c is not one of the radix.
int radixDigit(char c, int radix) {
  int v = -1;
  if (c >= '0' && c <= '9') v = c - '0';
  else if (c >= 'A' && c <= 'F') v = c - 'A' + 10;
  else if (c >= 'a' && c <= 'f') v = c - 'a' + 10;
  return v < radix ? v : -1;
}

// Whole number in radix 16 or 8 from position i; blanks ignored; above 32 bits gives 0.
double readRadix(const std::string& s, std::size_t i, int radix) {
  std::uint64_t value = 0;
  for (; i < s.size(); ++i) {
    if (s[i] == ' ') continue;
    const int d = radixDigit(s[i], radix);
    if (d < 0) break;
    value = value * static_cast<std::uint64_t>(radix) + static_cast<std::uint64_t>(d);
    if (value > 0xFFFFFFFFull) return 0.0;
  }
  return static_cast<double>(value);
}

bool isSeparator(char c) { return c == '/' || c == '\\'; }

// Index of the last "/" or "\" of a path, npos when there is none.
std::size_t lastSeparator(const std::string& path) { return path.find_last_of("/\\"); }

// Index of the last "." of the path's last part, npos when that part has none.
std::size_t extensionDot(const std::string& name) {
  const std::size_t dot = name.find_last_of('.');
  if (dot == std::string::npos) return dot;
  const std::size_t sep = lastSeparator(name);
  if (sep != std::string::npos && sep > dot) return std::string::npos;
  return dot;
}

enum class Lookup { kFound, kNone, kFailed };

// One lookup of the first regular file of `folder` matching `name` (wildcards allowed).
Lookup lookupOnce(const std::string& folder, const std::string& name, std::string* found) {
  constexpr std::size_t kLongestName = 255;   // bytes of one name on the disk
  if (name.size() > kLongestName) return Lookup::kFailed;
  std::error_code ec;
  std::filesystem::directory_iterator probe(folder, ec);
  if (ec) {
    if (ec == std::errc::no_such_file_or_directory || ec == std::errc::not_a_directory)
      return Lookup::kNone;
    return Lookup::kFailed;
  }
  if (name.find_first_of("*?") != std::string::npos) {
    for (const std::string& n : platform::listFiles(folder, name)) {
      if (platform::fileExists(folder + "/" + n)) {
        *found = n;
        return Lookup::kFound;
      }
    }
    return Lookup::kNone;
  }
  const std::string path = platform::findFileNoCase(folder, name);
  if (path.empty() || !platform::fileExists(path)) return Lookup::kNone;
  *found = Nom_Fichier(path);
  return Lookup::kFound;
}

}  // namespace

namespace {

// The power of ten of the first non-zero digit of a plain "-ddd.ddd" text (0 for
// "5.2", 2 for "123", -3 for "0.0012"); empty when every digit is 0.
std::optional<long long> firstDigitPower(const std::string& t) {
  const std::size_t point = t.find('.');
  const std::size_t units = point == std::string::npos ? t.size() : point;
  const std::size_t first = t.find_first_of("123456789");
  if (first == std::string::npos) return std::nullopt;
  if (first < units) return static_cast<long long>(units - first) - 1;
  return -static_cast<long long>(first - units);
}

// LeadingNumber, telling in *overflow whether the number is written but lies beyond
// the largest double.
double leadingNumber(const std::string& s, bool* overflow) {
  *overflow = false;
  const std::size_t n = s.size();
  std::size_t i = 0;
  while (i < n && (s[i] == ' ' || s[i] == '\t' || s[i] == '\n')) ++i;

  if (i + 1 < n && s[i] == '&') {
    const char k = s[i + 1];
    if (k == 'H' || k == 'h') return readRadix(s, i + 2, 16);
    if (k == 'O' || k == 'o') return readRadix(s, i + 2, 8);
    return 0.0;
  }

  // The number is copied without its blanks into a plain "-ddd.ddde-dd" text.
  std::string t;
  if (i < n && (s[i] == '+' || s[i] == '-')) {
    if (s[i] == '-') t += '-';
    ++i;
  }
  bool digits = false;
  bool point = false;
  for (; i < n; ++i) {
    const char c = s[i];
    if (c == ' ') continue;
    if (isDigit(c)) {
      t += c;
      digits = true;
    } else if (c == '.' && !point) {
      t += '.';
      point = true;
    } else {
      break;
    }
  }
  if (!digits) return 0.0;

  constexpr long long kExposantBorne = 1000000;   // far beyond any double's exponent
  const std::string mantisse = t;
  long long puissance = 0;   // the exponent written after the digits

  if (i < n && (s[i] == 'E' || s[i] == 'e' || s[i] == 'D' || s[i] == 'd')) {
    std::string e = "e";
    std::size_t j = i + 1;
    while (j < n && s[j] == ' ') ++j;
    bool negatif = false;
    if (j < n && (s[j] == '+' || s[j] == '-')) {
      negatif = s[j] == '-';
      if (negatif) e += '-';
      ++j;
    }
    bool expDigits = false;
    long long exposant = 0;
    for (; j < n; ++j) {
      if (s[j] == ' ') continue;
      if (!isDigit(s[j])) break;
      e += s[j];
      expDigits = true;
      exposant = std::min(exposant * 10 + (s[j] - '0'), kExposantBorne);
    }
    if (expDigits) {
      t += e;
      puissance = negatif ? -exposant : exposant;
    }
  }

  double value = 0.0;
  const auto r = std::from_chars(t.data(), t.data() + t.size(), value);
  if (r.ec == std::errc::result_out_of_range) {
    const std::optional<long long> p = firstDigitPower(mantisse);
    *overflow = p && *p + puissance > 0;
  }
  if (r.ec != std::errc() || !std::isfinite(value)) return 0.0;
  return value == 0.0 ? 0.0 : value;   // no "-0"
}

}  // namespace

double LeadingNumber(const std::string& s) {
  bool overflow = false;
  return leadingNumber(s, &overflow);
}

bool NumberOverflows(const std::string& s) {
  std::string t = s;
  for (char& c : t)
    if (c == ',') c = '.';
  bool overflow = false;
  leadingNumber(t, &overflow);
  return overflow;
}

double Val_Decimal(const std::string& s) {
  std::string t = s;
  for (char& c : t)
    if (c == ',') c = '.';
  return LeadingNumber(t);
}

double Min_D(double a, double b) { return a < b ? a : b; }

double Max_D(double a, double b) { return a > b ? a : b; }

bool Fichier_Existe(const std::string& path, const std::string& message, int flag) {
  bool ok = false;
  if (!path.empty()) {
    const std::string p = platform::normalizePath(path);
    if (platform::fileExists(p)) {
      std::ifstream in(p, std::ios::in | std::ios::binary);
      ok = in.is_open();
    }
  }
  if (!ok && flag == 1) {
    std::string text = message;
    if (text.empty()) text = (path.empty() ? std::string("fichier") : path) + " " + MSG(177);
    platform::MsgBox(text, platform::vbOKOnly);
  }
  return ok;
}

std::string Nom_Fichier(const std::string& path) {
  const std::size_t sep = lastSeparator(path);
  return sep == std::string::npos ? path : path.substr(sep + 1);
}

std::string Rep_Fichier(const std::string& path) {
  const std::size_t sep = lastSeparator(path);
  return sep == std::string::npos ? std::string() : path.substr(0, sep + 1);
}

bool Meme_Dossier(const std::string& a, const std::string& b) {
  auto sansFin = [](std::string d) {
    while (d.size() > 1 && (d.back() == '/' || d.back() == '\\')) d.pop_back();
    return d;
  };
  if (a.empty() || b.empty()) return false;
  if (sansFin(a) == sansFin(b)) return true;
  std::error_code ec;
  return std::filesystem::equivalent(a, b, ec) && !ec;
}

std::string Sans_Extension(const std::string& name) {
  const std::size_t dot = extensionDot(name);
  return dot == std::string::npos ? name : name.substr(0, dot);
}

std::string Extension_Fichier(const std::string& name) {
  const std::size_t dot = extensionDot(name);
  return dot == std::string::npos ? std::string() : platform::UCase(name.substr(dot + 1));
}

int Position_Car(const std::string& text, const std::string& ch) {
  if (text.empty() || platform::Len(ch) != 1) return 0;
  return platform::InStr(text, ch);
}

std::string Dir_Sur(const std::string& pattern) {
  if (pattern.empty()) return std::string();
  std::string folder = platform::normalizePath(Rep_Fichier(pattern));
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  if (folder.empty()) folder = platform::App::Path();
  else if (folder.front() != '/') folder = platform::App::Path() + "/" + folder;
  std::string name = Nom_Fichier(pattern);
  if (name.empty()) name.push_back('*');   // a bare folder: its first file

  std::string found;
  Lookup r = lookupOnce(folder, name, &found);
  if (r == Lookup::kFailed) {
    Pause(1.0);
    r = lookupOnce(folder, name, &found);
  }
  return r == Lookup::kFound ? found : std::string();
}

void Pause(double seconds) {
  if (!std::isfinite(seconds) || seconds <= 0) return;
  platform::Pause(seconds);
}

std::string Rep_Windows() {
  const char* home = std::getenv("HOME");
  if (home != nullptr && *home != '\0') {
    std::string h = home;
    while (h.size() > 1 && isSeparator(h.back())) h.pop_back();
    if (platform::folderExists(h)) return h;
  }
  return "/";
}

std::string Version_Windows() {
  Vista_Ou_Plus = true;
  return platform::App::OsName();
}
