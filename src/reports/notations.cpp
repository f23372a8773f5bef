#include "reports/notations.h"

#include <utility>
#include <vector>

#include "base/helpers.h"
#include "platform/runtime.h"
#include "reports/column_values.h"
#include "reports/stat_rows.h"

namespace {

const std::string& CRLF = platform::vbCrLf;

// Rows of the statistics grid that the notations read.
constexpr int kLigneMoy = 1, kLigneMin = 2, kLigneMax = 3, kLigneSigma = 4;
constexpr int kLigneD1 = 9, kLigneMediane = 10, kLigneD9 = 11;

// Cell of the statistics grid through the display mask.
std::string cellule(const ReportModel& m, int ligne, int col) {
  return masqueTexte(m.GrilleRefP.text(ligne, col), m.Format_Decimal);
}

double valeur(const ReportModel& m, int ligne, int col) { return Val_Decimal(m.GrilleRefP.text(ligne, col)); }

std::string masque(const ReportModel& m, double x) { return platform::Format(x, m.Format_Decimal); }

// The central range of a notation, between the minimum and the maximum. With
// moyenneGenerale the mean of type 6 is written in general number form.
std::string partieCentrale(const ReportModel& m, int type, int col, bool moyenneGenerale,
                           ReportNotices* notices) {
  const std::string d1 = cellule(m, kLigneD1, col), d9 = cellule(m, kLigneD9, col);
  const double moy = valeur(m, kLigneMoy, col), sigma = valeur(m, kLigneSigma, col);
  switch (type) {
    case 1: return d1 + "-" + d9;
    case 2: return d1 + "-" + cellule(m, kLigneMediane, col) + "-" + d9;
    case 3: return masque(m, moy - sigma) + "-" + masque(m, moy + sigma);
    case 4: return masque(m, moy - 1.96 * sigma) + "-" + masque(m, moy + 1.96 * sigma);
    case 5: return d1 + "-" + generalNumber(Stat_Colonne(m, col, notices)) + "-" + d9;
    case 6: return d1 + "-" + (moyenneGenerale ? generalNumber(moy) : cellule(m, kLigneMoy, col)) + "-" + d9;
    default: return "";
  }
}

// "(min)central(max)" of a column.
std::string encadre(const ReportModel& m, int type, int col, bool moyenneGenerale, ReportNotices* notices) {
  return "(" + cellule(m, kLigneMin, col) + ")" + partieCentrale(m, type, col, moyenneGenerale, notices) +
         "(" + cellule(m, kLigneMax, col) + ")";
}

std::string effectif(const ReportModel& m, int col) { return generalNumber(statistique(m.Stat_N, col)); }

// Label and grid column of each quantity line, by function.
using Lignes = std::vector<std::pair<const char*, int>>;
const Lignes* quantites(int fonction) {
  static const Lignes spore3D = {
      {"Longueur :", 1}, {"largeur : ", 2}, {"Epaisseur : ", 3}, {"Q : ", 4}, {"L : ", 5}};
  static const Lignes cystide3 = {{"Longueur :", 1}, {"Base : ", 2}, {"M : ", 3}};
  static const Lignes cystide4 = {{"Longueur :", 1}, {"Base : ", 2}, {" M  : ", 3}, {"A : ", 4},
                                  {"A/C  : ", 5},    {"A/B : ", 6},  {"B/C : ", 7}};
  static const Lignes cystide5 = {{"Longueur :", 1}, {"Base : ", 2}, {"Col : ", 3},  {"A : ", 4},
                                  {"L + : ", 5},     {"A/C  : ", 6}, {"A/B :  ", 7}, {"B/C :  ", 8}};
  static const Lignes triangle = {{"Surface :", 1}, {"périmètre : ", 2}, {"Angle : ", 3}};
  static const Lignes polygone = {{"Surface :", 1}, {"périmètre : ", 2}, {"Rm : ", 3}, {"F : ", 4}};
  switch (fonction) {
    case 3: return &spore3D;
    case 4: return &cystide3;
    case 5: return &cystide4;
    case 6: return &cystide5;
    case 15: return &triangle;
    case 16: return &polygone;
    default: return nullptr;
  }
}

}  // namespace

std::string Notation_Colonne(const ReportModel& m, int type, int col, ReportNotices* notices) {
  if (type < 1 || type > kDernierTypeNotation) return "";
  const std::string corps = encadre(m, type, col, false, notices);
  if (type == 1) return " : N= " + effectif(m, col) + " ;D1,9; " + corps;
  return " " + corps;
}

std::string Notation_LxL(const ReportModel& m, int type, ReportNotices* notices) {
  static const std::pair<const char*, const char*> tetes[] = {
      {" Lxl: N= ", " ;D1,9; ("},           {" Lxl: N= ", " ;D1,5,9; ("}, {" Lxl:N= ", " ; m ± sigma ; ("},
      {" Lxl:N= ", " ; m ± 1.96 sigma; ("}, {" Lxl: N= ", " ; dMd; ("},   {" Lxl: N= ", " ; D1-Moy-D9; ("},
  };
  if (type < 1 || type > kDernierTypeNotation) return "";
  const auto& tete = tetes[type - 1];
  // The head ends with the opening parenthesis of the length's minimum.
  std::string s = tete.first + effectif(m, 1) + tete.second;
  s += encadre(m, type, 1, true, notices).substr(1);
  if (m.FonctionCourante != 1) {
    if (type == 1) s += CRLF;
    s += " x " + encadre(m, type, 2, true, notices);
  }
  const int colQ = m.FonctionCourante == 3 ? 4 : 3;
  s += CRLF + "   Qm= " + cellule(m, kLigneMoy, colQ) + "    SigmaQ = " + cellule(m, kLigneSigma, colQ);
  if (m.FonctionCourante == 3)
    s += CRLF + "   Lm= " + cellule(m, kLigneMoy, 5) + "   SigmaL = " + cellule(m, kLigneSigma, 5);
  return s;
}

std::string Texte_Mesures(const ReportModel& m, int mode, ReportNotices* notices) {
  int type = m.Type_Notation;
  // Deciles need 11 values; spores in two dimensions keep the chosen type all the same.
  if (m.LigneCourante < 12 && m.FonctionCourante != 2) type = 3;
  const std::string cap = legendeNotation(m, type);
  const std::string n = effectif(m, 1);
  switch (m.FonctionCourante) {
    case 1: return "Longueur : " + cap + " ; N = " + n + Notation_Colonne(m, type, 1, notices) + CRLF;
    case 2: return Notation_LxL(m, type, notices) + CRLF;
    default: break;
  }
  const Lignes* lignes = quantites(m.FonctionCourante);
  if (lignes == nullptr) return "";
  const bool marque = mode == 1 || m.FonctionCourante == 4;
  std::string s = (marque ? "Notation " : "") + cap + " ; N = " + n + CRLF;
  for (const auto& [libelle, col] : *lignes) s += libelle + Notation_Colonne(m, type, col, notices) + CRLF;
  return s;
}
