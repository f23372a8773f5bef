#include "reports/summary.h"

#include "base/helpers.h"
#include "base/text_tables.h"
#include "platform/runtime.h"
#include "reports/column_values.h"
#include "reports/notations.h"
#include "reports/stat_rows.h"

namespace {

const std::string& CRLF = platform::vbCrLf;
const std::string& Tab = platform::vbTab;

constexpr double kPi = 3.14159;  // the constant of every spore volume of the program
constexpr int kLigneMediane = 10;

// The line of column j in notation type t (1 to 6); the dominant value of type 5 is
// added to the modes text.
std::string ligneColonne(const ReportModel& m, int t, int j, std::string* modes, ReportNotices* notices) {
  const TextGrid& p = m.GrilleRefP;
  auto F = [&](double x) { return platform::Format(x, m.Format_Decimal); };
  const std::string min = p.text(2, j), max = p.text(3, j);
  const double d1 = statistique(m.Stat_D1, j), d9 = statistique(m.Stat_D9, j);
  const double moy = Val_Decimal(p.text(1, j)), sigma = Val_Decimal(p.text(4, j));
  const std::string cap = legendeNotation(m, t);
  std::string s = p.text(0, j) + " : " + Tab + "N =" + generalNumber(statistique(m.Stat_N, j));
  switch (t) {
    case 1: return s + " ; D1,9 ; (" + min + ")" + F(d1) + " - " + F(d9) + "(" + max + ")";
    case 2:
      return s + " ;" + cap + " ; (" + min + ")" + F(d1) + " - " +
             generalNumber(statistique(m.Stat_Mediane, j)) + "-" + F(d9) + "(" + max + ")";
    case 3:
      return s + " ;" + cap + " =(" + " (" + min + ")" + F(moy - sigma) + " - " + F(moy + sigma) + "(" + max +
             ")";
    case 4:
      return s + " ;" + cap + " =(" + " (" + min + ")" + F(moy - 1.96 * sigma) + " - " +
             F(1.96 * sigma + moy) + "(" + max + ")";
    case 5: {
      const std::string dom = F(Stat_Colonne(m, j, notices));
      *modes += Tab + dom;
      return s + " ;D1,Dom., D9; (" + min + ")" + F(d1) + " - " + dom + " - " + F(d9) + "(" + max + ")";
    }
    default:
      return s + " ; D1, Moy, D9 ; (" + min + ")" + F(d1) + " - " + F(moy) + "-" + F(d9) + "(" + max + ")";
  }
}

// One row of the statistics grid, every cell through the mask and followed by a tab;
// with vColonne the V column of spores in two dimensions takes one decimal and a blank.
std::string ligneStatistiques(const ReportModel& m, int r, bool vColonne) {
  std::string s;
  for (int c = 0; c < m.GrilleRefP.cols(); ++c) {
    if (vColonne && c == 4)
      s += masqueTexte(m.GrilleRefP.text(r, c), "###0.0") + " ";
    else
      s += masqueTexte(m.GrilleRefP.text(r, c), m.Format_Decimal) + Tab;
  }
  return s;
}

// Volumes of the mean, median and dominant spores of three dimensions.
std::string volumes(const ReportModel& m, ReportNotices* notices) {
  auto F = [&](double x) { return platform::Format(x, m.Format_Decimal); };
  if (!(m.Volume > 0)) return "Vol. Approx.3D = NC ";
  std::string s = "Vol. estimé /moy.3D = " + F(m.Volume) + "  Sigma_Vol = " + F(m.Sigma_Volume);
  const double vMed = kPi * statistique(m.Stat_Mediane, 1) * statistique(m.Stat_Mediane, 2) *
                      statistique(m.Stat_Mediane, 3) / 6;
  s += CRLF + "Vol  estimé /médiane 3D = " + F(vMed);
  // Each dominant dimension as shown, with the displayed decimals.
  double w[3];
  for (int k = 1; k <= 3; ++k) w[k - 1] = Val_Decimal(F(Stat_Colonne(m, k, notices)));
  s += CRLF + "Vol  estimé /dominante 3D = " + F(kPi * w[0] * w[1] * w[2] / 6);
  return s + CRLF + " *** voir documentation";
}

}  // namespace

StatSummary Texte_Resume(const ReportModel& m) {
  StatSummary r;
  r.insufficient = m.LigneCourante < 11;
  const int t = m.Type_Notation >= 1 && m.Type_Notation <= kDernierTypeNotation ? m.Type_Notation : 0;

  std::string s = MSG(71) + Nom_Fichier(m.Img_Active) + CRLF;
  if (!m.Fic_CSV_Import.empty()) s += "CSV importé : " + Nom_Fichier(m.Fic_CSV_Import) + CRLF;
  if (m.Leiosporee) s += Type_Spore(m);
  std::string modes;
  if (t != 0) {
    s += "Type notation  : " + legendeNotation(m, t);
    for (int j = 1; j <= m.Der_Colonne && j <= kDerniereColonneStat; ++j)
      s += CRLF + ligneColonne(m, t, j, &modes, &r.notices);
  }
  s += CRLF + std::string(21, '.');
  s += CRLF + "Modes :" + modes + CRLF;
  for (int row = 0; row <= 7; ++row) s += ligneStatistiques(m, row, m.FonctionCourante == 2) + CRLF;
  if (m.LigneCourante > 10) s += ligneStatistiques(m, kLigneMediane, false) + CRLF;
  if (m.FonctionCourante == 3) s += CRLF + volumes(m, &r.notices);
  s += CRLF;
  // Deciles need 11 values: the closing notation falls back to mean and sigma.
  const int tFinal = statistique(m.Stat_N, 1) < 11 ? 3 : t;
  if (m.FonctionCourante != 3 && tFinal != 0)
    s += "Notation : " + legendeNotation(m, tFinal) + CRLF + Notation_LxL(m, tFinal, &r.notices) + CRLF;
  r.text = std::move(s);
  return r;
}
