#include "reports/column_values.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "base/helpers.h"
#include "measure/grid_numbers.h"
#include "platform/runtime.h"
#include "stats/dominant.h"

namespace {

// The dominant value of values in any order, every one of them taking part.
double dominanteDe(std::vector<double> valeurs) {
  std::sort(valeurs.begin(), valeurs.end());
  return stats::Recherche_Dominante(valeurs);
}

}  // namespace

double Dominante_Valeurs(std::span<const double> values) {
  std::vector<double> valeurs;
  for (double v : values)
    if (v != 0) valeurs.push_back(v);
  return dominanteDe(std::move(valeurs));
}

DominanteColonne Dominante_Triee(std::span<const double> compteesTriees) {
  DominanteColonne d;
  // The search reports an infinite value itself, when the column is asked for.
  if (!compteesTriees.empty() && (!std::isfinite(compteesTriees.front()) || !std::isfinite(compteesTriees.back())))
    return d;
  d.connue = true;
  d.remplie = !compteesTriees.empty();
  d.valeur = stats::Recherche_Dominante(compteesTriees);
  return d;
}

double Stat_Colonne(const ReportModel& m, int col, ReportNotices* notices) {
  if (col >= 0 && col <= kDerniereColonneStat && m.Dominantes[static_cast<std::size_t>(col)].connue) {
    const DominanteColonne& d = m.Dominantes[static_cast<std::size_t>(col)];
    if (!d.remplie && notices != nullptr) notices->grilleIncomplete = true;
    return d.valeur;
  }
  const int derniere = std::min(m.LigneCourante - 1, m.GrilleRef.rows() - 1);
  const bool zero = writtenZeroCounts(m.Fonction_Grille);
  std::vector<double> valeurs;
  if (col >= 0 && col < m.GrilleRef.cols()) {
    for (int r = 1; r <= derniere; ++r) {
      const std::string& t = m.GrilleRef.text(r, col);
      const double v = Val_Decimal(t);
      if (cellCounts(t, v, zero)) valeurs.push_back(v);
    }
  }
  if (valeurs.empty()) {
    if (notices != nullptr) notices->grilleIncomplete = true;
    return 0;
  }
  return dominanteDe(std::move(valeurs));
}

std::string Classe_Spore(float q) {
  struct Classe {
    float seuil;
    const char* texte;
  };
  static const Classe classes[] = {
      {1.05f, "Globuleuse"}, {1.15f, "Subglobuleuse"}, {1.3f, "Largement ellipsoïde"},
      {1.6f, "Ellipsoïde"},  {2.0f, "Oblongue "},      {3.0f, " Cylindrique  "},
  };
  for (const Classe& c : classes)
    if (c.seuil > q) return c.texte;
  return " Bacilliforme   ";
}

std::string Type_Spore(const ReportModel& m) {
  if (!m.Leiosporee || m.FonctionCourante != 2) return "";
  double q = 0;
  if (!litNombre(m.GrilleRefP.text(1, 3), &q)) return "";
  return " type de spore :  " + Classe_Spore(static_cast<float>(q)) + platform::vbCrLf;
}
