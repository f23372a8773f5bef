#include "reports/column_values.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "base/helpers.h"
#include "platform/runtime.h"
#include "stats/dominant.h"

double Dominante_Valeurs(std::span<const double> values) {
  // Element 0 holds 0 and takes no part; the values follow.
  std::vector<double> echantillon{0.0};
  for (double v : values)
    if (v > 0) echantillon.push_back(v);
  if (echantillon.size() == 1) return 0;
  const int k = static_cast<int>(echantillon.size()) - 1;
  stats::Tri_Rapide(echantillon, 1, k);
  return stats::Valeur_Dominante(echantillon);
}

DominanteColonne Dominante_Triee(std::span<const double> positifsTries) {
  DominanteColonne d;
  // The search reports an infinite value itself, when the column is asked for.
  if (!positifsTries.empty() && !std::isfinite(positifsTries.back())) return d;
  d.connue = true;
  d.positive = !positifsTries.empty();
  d.valeur = stats::Recherche_Dominante(positifsTries);
  return d;
}

double Stat_Colonne(const ReportModel& m, int col, ReportNotices* notices) {
  if (col >= 0 && col <= kDerniereColonneStat && m.Dominantes[static_cast<std::size_t>(col)].connue) {
    const DominanteColonne& d = m.Dominantes[static_cast<std::size_t>(col)];
    if (!d.positive && notices != nullptr) notices->grilleIncomplete = true;
    return d.valeur;
  }
  const int derniere = std::min(m.LigneCourante - 1, m.GrilleRef.rows() - 1);
  std::vector<double> valeurs;
  bool positive = false;
  if (col >= 0 && col < m.GrilleRef.cols()) {
    for (int r = 1; r <= derniere; ++r) {
      const double v = Val_Decimal(m.GrilleRef.text(r, col));
      valeurs.push_back(v);
      positive = positive || v > 0;
    }
  }
  if (!positive) {
    if (notices != nullptr) notices->grilleIncomplete = true;
    return 0;
  }
  return Dominante_Valeurs(valeurs);
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
