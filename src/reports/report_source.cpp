#include "reports/report_source.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "base/globals.h"
#include "forms/main_window.h"
#include "images/image_state.h"
#include "measure/measure_state.h"
#include "measure/grid_numbers.h"
#include "reports/column_values.h"
#include "reports/deciles.h"

namespace {

TextGrid copie(const platform::FlexGrid& g, int lignes) {
  const int colonnes = g.cols();
  std::vector<std::string> textes;
  textes.reserve(static_cast<std::size_t>(std::max(lignes, 0)) * static_cast<std::size_t>(colonnes));
  for (int r = 0; r < lignes; ++r)
    for (int c = 0; c < colonnes; ++c) textes.push_back(g.textRef(r, c));
  return TextGrid(lignes, colonnes, std::move(textes));
}

}  // namespace

ReportModel Modele_Rapport() {
  QVL& f = Qvl();
  ReportModel m;
  m.GrilleRef = copie(f.GrilleRef, std::clamp(LigneCourante + 1, 0, f.GrilleRef.rows()));
  m.GrilleRefP = copie(f.GrilleRefP, f.GrilleRefP.rows());
  m.LigneCourante = LigneCourante;
  m.Der_Colonne = Der_Colonne;
  m.NbCellules = NbCellules;
  m.FonctionCourante = FonctionCourante;
  m.Fonction_Grille = Fonction_Grille;
  m.Format_Decimal = Format_Decimal;
  for (int c = 0; c <= kDerniereColonneStat; ++c) {
    const auto k = static_cast<std::size_t>(c);
    m.Stat_N[k] = Stat_N(c);
    m.Stat_D1[k] = Stat_D1(c);
    m.Stat_Mediane[k] = Stat_Mediane(c);
    m.Stat_D9[k] = Stat_D9(c);
  }
  // The dominant values of the measured columns, from the numbers the statistics keep
  // sorted, once for every report read from this model.
  const int derniere = std::min(LigneCourante - 1, f.GrilleRef.rows() - 1);
  for (int c = 1; c <= std::min({Der_Colonne, kDerniereColonneStat, f.GrilleRef.cols() - 1}); ++c)
    m.Dominantes[static_cast<std::size_t>(c)] = Dominante_Triee(Comptees_Colonne(f.GrilleRef, c, derniere));
  m.Volume = ValMesure(0);
  m.Sigma_Volume = ValMesure(1);
  // The highest ticked item counts.
  for (int t = 1; t <= kDernierTypeNotation; ++t) {
    if (!f.NotExp.exists(t)) continue;
    m.Legendes_Notation[static_cast<std::size_t>(t)] = f.NotExp(t).caption();
    if (f.NotExp(t).checked()) m.Type_Notation = t;
  }
  m.Leiosporee = f.Check4.value() == 1;
  m.Img_Active = Img_Active;
  m.Fic_CSV_Import = Fic_CSV_Import;
  return m;
}
