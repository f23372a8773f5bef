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

// The list's items of the numbers of a column: the sort item of each value above
// 0.0001, in ascending order of the values they hold, with the decimal separator in
// force when they were taken.
std::vector<std::string> itemsDecile(const std::vector<double>& valeurs, char separateur) {
  struct Item {
    double valeur;
    double brute;
  };
  std::vector<Item> items;
  items.reserve(valeurs.size());
  for (double x : valeurs)
    if (x > 0.0001) items.push_back({decileValue(x), x});
  std::sort(items.begin(), items.end(), [](const Item& a, const Item& b) { return a.valeur < b.valeur; });
  std::vector<std::string> textes;
  textes.reserve(items.size());
  for (const Item& i : items) {
    std::string t = decileItem(i.brute);
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
  const DecileSummary s = computeDeciles(Deciles_Colonne(g, col, derniere));

  if (fillList) {
    // The hidden list is filled when it is read or shown, from the numbers as they are
    // now.
    const std::span<const double> n = Nombres_Colonne(g, col, derniere);
    f.Ldeci.setItemsLater(
        [valeurs = std::vector<double>(n.begin(), n.end()), sep = platform::DecimalSeparator()] {
          return itemsDecile(valeurs, sep);
        },
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
