// Column functions over any grid: counts, extremes and the power of ten of a range.
#include "statwindow/grid_columns.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "base/helpers.h"

namespace {

// Scans column k over rows 1 to lastRow (within the grid) and keeps the first value
// for which better(value, kept) holds.
template <class Better>
ColumnExtreme extreme(const ColumnGrid& grid, int k, int lastRow, ColumnExtreme start, Better better) {
  const int last = std::min(lastRow, grid.rows() - 1);
  bool found = false;
  for (int r = 1; r <= last; ++r) {
    double v = 0;
    if (!ReadGridNumber(grid.cell(r, k), v)) continue;
    if (!found || better(v, start.value)) start = {v, r};
    found = true;
  }
  return start;
}

}  // namespace

bool ReadGridNumber(const std::string& text, double& value) {
  std::size_t a = text.find_first_not_of(' ');
  if (a == std::string::npos) return false;
  std::size_t b = text.find_last_not_of(' ');
  std::string t = text.substr(a, b - a + 1);
  for (char& c : t)
    if (c == ',') c = '.';
  const char* first = t.data();
  const char* end = t.data() + t.size();
  if (*first == '+') ++first;
  double v = 0;
  const auto r = std::from_chars(first, end, v);
  if (r.ec != std::errc() || r.ptr != end || !std::isfinite(v)) return false;
  value = v;
  return true;
}

int Nb_Lignes_Colonne(const ColumnGrid& grid, int k) {
  int n = 0;
  for (int r = 1; r <= grid.rows() - 1; ++r)
    if (Val_Decimal(grid.cell(r, k)) != 0) ++n;
  return n;
}

ColumnExtreme Min_Colonne(const ColumnGrid& grid, int k, int lastRow) {
  // The first value always replaces the start, which stays only for an empty column.
  return extreme(grid, k, lastRow, {kMinColonneVide, 0}, [](double v, double m) { return v < m; });
}

ColumnExtreme Max_Colonne(const ColumnGrid& grid, int k, int lastRow) {
  return extreme(grid, k, lastRow, {0, 0}, [](double v, double m) { return v > m; });
}

int Puissance_Dix(double x) {
  if (!std::isfinite(x)) return 0;
  int i = 0;
  while (x > 10) {
    x /= 10;
    ++i;
  }
  if (i > 4) return 0;   // 10^5 and above do not fit in 16 bits
  int p = 1;
  while (i-- > 0) p *= 10;
  return p;
}
