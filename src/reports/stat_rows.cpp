#include "reports/stat_rows.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "base/globals.h"
#include "forms/main_window.h"
#include "measure/measure_state.h"
#include "platform/runtime.h"
#include "reports/deciles.h"

namespace {

constexpr int kLignesGrilleStat = 13;   // rows 0 to 12

// Writes a cell of the statistics grid when it exists.
void ecrit(platform::FlexGrid& g, int r, int c, const std::string& texte) {
  if (r >= 0 && r < g.rows() && c >= 0 && c < g.cols()) g.setTextMatrix(r, c, texte);
}

}  // namespace

std::string generalNumber(double x) {
  if (!std::isfinite(x)) return "0";
  if (x == 0) return "0";
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.15g", x);
  std::string s = buf;
  std::string exposant;
  if (const auto e = s.find('e'); e != std::string::npos) {
    const int p = std::atoi(s.c_str() + e + 1);
    char eb[16];
    std::snprintf(eb, sizeof eb, "E%c%02d", p < 0 ? '-' : '+', std::abs(p));
    exposant = eb;
    s.erase(e);
  }
  if (const auto point = s.find('.'); point != std::string::npos)
    s[point] = platform::DecimalSeparator();
  return s + exposant;
}

void Entetes_Stat() {
  platform::FlexGrid& p = Qvl().GrilleRefP;
  if (p.rows() < kLignesGrilleStat) p.setRows(kLignesGrilleStat);
  ecrit(p, 8, 0, "N=");
  ecrit(p, 9, 0, "D1");
  ecrit(p, 10, 0, "médiane");
  ecrit(p, 11, 0, "D9");

  for (int c = 1; c <= NbCellules; ++c)
    if (Stat_N.inBounds(c)) Stat_N(c) = 0;

  // Columns past the grid and the tables are not visited (Der_Colonne is never above
  // the column count of a laid-out grid).
  const int fin = std::min(Der_Colonne, std::max(p.cols() - 1, Stat_N.upper));
  // The sorted list ends with the items of the last column treated.
  const int derniere = lastDecileColumn(fin);
  for (int c = 1; c <= fin; ++c) {
    if (!Stat_N.inBounds(c)) {
      for (int r = 8; r <= 11; ++r) ecrit(p, r, c, "");
      continue;
    }
    Cdecile(c, c == derniere);
    ecrit(p, 8, c, generalNumber(Stat_N(c)));
    ecrit(p, 9, c, platform::Format(Stat_D1(c), Format_Decimal));
    ecrit(p, 10, c, generalNumber(Stat_Mediane(c)));
    ecrit(p, 11, c, platform::Format(Stat_D9(c), Format_Decimal));
  }
  Entete_Dom();
}

void Entete_Dom() {
  platform::FlexGrid& p = Qvl().GrilleRefP;
  p.setRows(kLignesGrilleStat);
  ecrit(p, 12, 0, "Dom");
}
