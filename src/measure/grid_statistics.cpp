#include "measure/grid_statistics.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "base/globals.h"
#include "base/helpers.h"
#include "base/text_tables.h"
#include "forms/main_window.h"
#include "measure/grid_numbers.h"
#include "measure/grid_reset.h"
#include "measure/measure_state.h"
#include "platform/dialogs.h"
#include "platform/runtime.h"
#include "reports/stat_rows.h"
#include "stats/descriptive.h"

ColumnSummary summariseColumn(std::span<const double> values, std::span<const char> counted) {
  ColumnSummary s;
  std::vector<double> pris;
  pris.reserve(values.size());
  for (std::size_t i = 0; i < values.size(); ++i) {
    const double x = values[i];
    const bool compte = i < counted.size() ? counted[i] != 0 : x != 0;
    if (!compte || !std::isfinite(x)) continue;
    // The first value counted is both extremes; strict comparisons keep the first of
    // equal ones.
    const int ligne = static_cast<int>(i) + 1;
    if (s.maxRow == 0 || x > s.max) {
      s.max = x;
      s.maxRow = ligne;
    }
    if (s.minRow == 0 || x < s.min) {
      s.min = x;
      s.minRow = ligne;
    }
    pris.push_back(x);
  }
  const stats::SampleMoments m = stats::computeMoments(pris, kSigmaMinimum);
  s.n = m.n;
  s.mean = m.mean;
  s.sigma = m.sigma;
  s.skewness = m.skewness;
  s.kurtosis = m.kurtosis;
  return s;
}

SporeVolume sporeVolume(double m1, double m2, double m3, double s1, double s2, double s3) {
  constexpr double kPi = 3.14159;   // the constant of every spore volume of the program
  SporeVolume v;
  v.volume = kPi * m1 * m2 * m3 / 6;
  const double a = m1 * m2 * s3, b = m1 * m3 * s2, c = m2 * m3 * s1;
  v.sigma = std::sqrt(a * a + b * b + c * c) * kPi / 6;
  if (!std::isfinite(v.volume)) v.volume = 0;
  if (!std::isfinite(v.sigma)) v.sigma = 0;
  return v;
}

namespace {

// True once the full-grid notice has been shown, until the grid has room again.
bool avisGrillePleine = false;

// Writes, colours and aligns cells that exist; other indices are skipped.
bool existe(const platform::FlexGrid& g, int r, int c) {
  return r >= 0 && r < g.rows() && c >= 0 && c < g.cols();
}
void ecrit(platform::FlexGrid& g, int r, int c, const std::string& texte) {
  if (existe(g, r, c)) g.setTextMatrix(r, c, texte);
}
void colore(platform::FlexGrid& g, int r, int c, platform::Colour couleur) {
  if (existe(g, r, c)) g.setCellBackColor(r, c, couleur);
}

// Statistics of column c over rows 1 to derniere, each cell given the grid's light
// green.
ColumnSummary resumeColonne(platform::FlexGrid& g, int c, int derniere) {
  for (int r = 1; r <= derniere; ++r) g.setCellBackColor(r, c, kVertGrille);
  const std::span<const double> nombres = Nombres_Colonne(g, c, derniere);
  return summariseColumn(nombres, Comptes_Colonne(g, c, derniere));
}

// Rows 1 to 7 of column c of the statistics grid.
void ecritColonne(platform::FlexGrid& p, int c, const ColumnSummary& s, const std::string& masque) {
  const double valeurs[6] = {s.mean, s.min, s.max, s.sigma, s.skewness, s.kurtosis};
  for (int r = 1; r <= 6; ++r) ecrit(p, r, c, platform::Format(valeurs[r - 1], masque));
  ecrit(p, 7, c, s.sigma > kSigmaMinimum ? platform::Format(s.mean / s.sigma, Format_Decimal) : "");
}

// Spores in three dimensions: volume of the mean spore from the means and sigmas of
// columns 1 to 3 as displayed.
void volumeMoyen(const platform::FlexGrid& p) {
  if (p.cols() < 4 || p.rows() < 5) return;
  auto lit = [&](int r, int c) { return Val_Decimal(p.textMatrix(r, c)); };
  const SporeVolume v = sporeVolume(lit(1, 1), lit(1, 2), lit(1, 3), lit(4, 1), lit(4, 2), lit(4, 3));
  ValMesure(0) = v.volume;
  ValMesure(1) = v.sigma;
}

}  // namespace

void Calcul_stat() {
  QVL& f = Qvl();
  if (!f.Check.exists(3) || f.Check(3).value() != 1) return;
  Calcul_stat_Force();
}

void Calcul_stat_Force() {
  QVL& f = Qvl();
  platform::FlexGrid& g = f.GrilleRef;
  platform::FlexGrid& p = f.GrilleRefP;
  if (g.rows() < 1) return;
  const int cols = g.cols();
  const int derniereStat = cols - 3;
  // A full grid has no row LigneCourante: its statistics cover every row it has.
  const int derniereLigne = std::clamp(LigneCourante, 0, g.rows() - 1);
  {
    SansRedessin gelG(g), gelP(p);
    for (int c = 0; c <= derniereStat; ++c) ecrit(p, 0, c, g.textMatrix(0, c));
    ecrit(p, 0, cols - 1, "index");
    g.setBackColor(kVertGrille);

    std::string minima, maxima;
    for (int c = 1; c <= derniereStat; ++c) {
      const ColumnSummary s = resumeColonne(g, c, derniereLigne);
      const bool colonneV = FonctionCourante == 2 && c == 4;
      ecritColonne(p, c, s, colonneV ? std::string("###0.0") : Format_Decimal);
      minima += std::to_string(s.minRow) + " / ";
      maxima += std::to_string(s.maxRow) + " / ";
      if (s.minRow > 0) colore(g, s.minRow, c, kVertMinimum);
      if (s.maxRow > 0) colore(g, s.maxRow, c, kJauneMaximum);
      colore(g, 0, c, kVertGrille);
    }
    if (FonctionCourante == 3) volumeMoyen(p);

    static const char* const titres[] = {"Moy", "Min", "Max", "Sigma", "Diss", "Kurt", "m/s"};
    for (int r = 1; r <= 7; ++r) ecrit(p, r, 0, titres[r - 1]);
    for (int r = 2; r <= 3; ++r) {
      if (!existe(p, r, cols - 1)) continue;
      p.setCellAlignment(r, cols - 1, platform::kAlignLeftCentre);
      p.setTextMatrix(r, cols - 1, r == 2 ? minima : maxima);
    }
    p.setBackColor(kVertGrille);

    if (derniereStat >= 0 && derniereStat < cols) {
      g.setRow(0);
      g.setCol(derniereStat);
    }
    if (existe(p, 3, cols - 1)) {
      p.setRow(3);
      p.setCol(cols - 1);
    }
  }

  const bool pleine = g.rows() > 1 && LigneCourante >= g.rows();
  if (pleine && !avisGrillePleine) {
    avisGrillePleine = true;
    platform::MsgBox(MSG(174), platform::vbOKOnly);
  } else if (!pleine) {
    avisGrillePleine = false;
  }
}

void cmdStat_Click(int) { Entetes_Stat(); }

void Connecte_Statistiques(QVL& f) {
  f.cmdStat.onClick = [](int index) { cmdStat_Click(index); };
}
