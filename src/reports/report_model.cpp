#include "reports/report_model.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>

#include "platform/runtime.h"

namespace {

const std::string kVide;

bool estBlanc(char c) { return c == ' ' || c == '\t'; }

}  // namespace

TextGrid::TextGrid(int rows, int cols) { resize(rows, cols); }

TextGrid::TextGrid(int rows, int cols, std::vector<std::string> cells)
    : rows_(std::max(rows, 0)), cols_(std::max(cols, 0)), cells_(std::move(cells)) {
  cells_.resize(static_cast<std::size_t>(rows_) * static_cast<std::size_t>(cols_));
}

const std::string& TextGrid::vide() { return kVide; }

void TextGrid::setText(int r, int c, std::string t) {
  if (r < 0 || r >= rows_ || c < 0 || c >= cols_) return;
  cells_[static_cast<std::size_t>(r) * static_cast<std::size_t>(cols_) + static_cast<std::size_t>(c)] =
      std::move(t);
}

void TextGrid::resize(int rows, int cols) {
  rows = std::max(rows, 0);
  cols = std::max(cols, 0);
  std::vector<std::string> cells(static_cast<std::size_t>(rows) * static_cast<std::size_t>(cols));
  for (int r = 0; r < std::min(rows, rows_); ++r)
    for (int c = 0; c < std::min(cols, cols_); ++c)
      cells[static_cast<std::size_t>(r) * static_cast<std::size_t>(cols) + static_cast<std::size_t>(c)] =
          std::move(cells_[static_cast<std::size_t>(r) * static_cast<std::size_t>(cols_) +
                           static_cast<std::size_t>(c)]);
  cells_ = std::move(cells);
  rows_ = rows;
  cols_ = cols;
}

double statistique(const std::array<double, kDerniereColonneStat + 1>& table, int col) {
  if (col < 0 || col > kDerniereColonneStat) return 0;
  return table[static_cast<std::size_t>(col)];
}

std::string legendeNotation(const ReportModel& m, int t) {
  if (t < 1 || t > kDernierTypeNotation) return "";
  return m.Legendes_Notation[static_cast<std::size_t>(t)];
}

bool litNombre(const std::string& text, double* x) {
  std::size_t debut = 0, fin = text.size();
  while (debut < fin && estBlanc(text[debut])) ++debut;
  while (fin > debut && estBlanc(text[fin - 1])) --fin;
  std::string s = text.substr(debut, fin - debut);
  if (s.empty()) return false;
  bool negatif = false;
  if (s[0] == '+' || s[0] == '-') {
    negatif = s[0] == '-';
    s.erase(0, 1);
  }
  if (s.empty() || !(std::isdigit(static_cast<unsigned char>(s[0])) || s[0] == '.' || s[0] == ','))
    return false;
  if (std::count(s.begin(), s.end(), ',') + std::count(s.begin(), s.end(), '.') > 1) return false;
  std::replace(s.begin(), s.end(), ',', '.');
  double v = 0;
  const auto [fin_lu, erreur] = std::from_chars(s.data(), s.data() + s.size(), v, std::chars_format::general);
  if (erreur != std::errc() || fin_lu != s.data() + s.size() || !std::isfinite(v)) return false;
  *x = negatif ? -v : v;
  return true;
}

std::string masqueTexte(const std::string& text, const std::string& mask) {
  double x = 0;
  if (!litNombre(text, &x)) return text;
  return platform::Format(x, mask);
}

std::string sansSautLigne(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t k = 0; k < text.size(); ++k) {
    const char c = text[k];
    if (c == '\r' || c == '\n') {
      out += ' ';
      if (c == '\r' && k + 1 < text.size() && text[k + 1] == '\n') ++k;
    } else {
      out += c;
    }
  }
  return out;
}
