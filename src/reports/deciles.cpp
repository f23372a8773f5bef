// Deciles at ranks p (n + 1) with linear interpolation between neighbours: definition
// 6 of Hyndman and Fan (1996), "Sample quantiles in statistical packages", The American
// Statistician 50, taken in tenths of the gap as the ranks of deciles fall on them.
#include "reports/deciles.h"

#include <algorithm>
#include <climits>
#include <vector>

#include "base/helpers.h"
#include "forms/main_window.h"
#include "measure/grid_numbers.h"
#include "measure/measure_state.h"
#include "platform/runtime.h"

platform::BoundedArray<double, 0, 8> Stat_N;
platform::BoundedArray<double, 0, 8> Stat_Mediane;
platform::BoundedArray<double, 0, 8> Stat_D1;
platform::BoundedArray<double, 0, 8> Stat_D9;
platform::BoundedArray<double, 0, 8> Stat_Col4;

DecileSummary computeDeciles(std::span<const double> v) {
  DecileSummary s;
  const int n = static_cast<int>(std::min<std::size_t>(v.size(), INT_MAX));
  s.n = n;
  if (n == 0) return s;
  const int h = n / 2;
  if (n % 2 == 1) {
    s.median = v[h];
    s.medianItem = h;
  } else {
    s.median = (v[h] + v[h - 1]) * 0.5;
  }
  if (n < 11) return s;
  // 1-based ranks: D1 at (n + 1) / 10 = k + m / 10, D9 at 9 (n + 1) / 10 = j + (10 - m) / 10.
  const int m = n % 10 + 1;
  const int k = n / 10;
  const int j = static_cast<int>((static_cast<long long>(n) + 1) * 9 / 10);
  if (k < 1 || j < 1 || j > n - 1) return s;
  s.d1 = v[k - 1] + (v[k] - v[k - 1]) * m / 10;
  s.d9 = v[j - 1] + (v[j] - v[j - 1]) * (10 - m) / 10;
  return s;
}

std::string decileItem(double v) { return platform::Format(v, "00000.0000"); }

double decileValue(double v) { return Val_Decimal(decileItem(v)); }

namespace {

// The list's items of the sorted decile values of a column, with the decimal separator
// in force when they were taken.
std::vector<std::string> itemsDecile(const std::vector<double>& tries, char separateur) {
  std::vector<std::string> textes;
  textes.reserve(tries.size());
  for (double v : tries) {
    std::string t = decileItem(v);
    for (char& ch : t)
      if (ch == ',' || ch == '.') ch = separateur;
    textes.push_back(std::move(t));
  }
  return textes;
}

}  // namespace

void Cdecile(int col) { Cdecile(col, true); }

void Cdecile(int col, bool fillList) {
  if (col < 1 || col > Der_Colonne || !Stat_N.inBounds(col)) return;
  QVL& f = Qvl();
  platform::FlexGrid& g = f.GrilleRef;
  if (col >= g.cols()) return;
  const int derniere = std::min(LigneCourante - 1, g.rows() - 1);
  const std::vector<double>& tries = Deciles_Colonne(g, col, derniere);
  const DecileSummary s = computeDeciles(tries);

  if (fillList) {
    // The hidden list is filled when it is read or shown, from the values as they are
    // now, in their numeric order (negative values included).
    f.Ldeci.setItemsLater([tries, sep = platform::DecimalSeparator()] { return itemsDecile(tries, sep); },
                          s.medianItem);
  }

  Stat_N(col) = s.n;
  Stat_Mediane(col) = s.median;
  Stat_D1(col) = s.d1;
  Stat_D9(col) = s.d9;
}

int lastDecileColumn(int last) {
  const int cols = Qvl().GrilleRef.cols();
  int c = std::min({last, Der_Colonne, Stat_N.upper, cols - 1});
  return std::max(c, 0);
}

void RAZ_Tableaux_Stat() {
  for (auto* t : {&Stat_N, &Stat_Mediane, &Stat_D1, &Stat_D9, &Stat_Col4}) t->fill(0.0);
}
