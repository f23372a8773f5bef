#include "reports/results_export.h"

#include <algorithm>
#include <array>

#include "base/helpers.h"
#include "base/text_tables.h"
#include "platform/runtime.h"
#include "platform/textfile.h"
#include "reports/column_values.h"
#include "reports/notations.h"
#include "reports/stat_rows.h"

namespace {

// A grid row: every cell (line breaks made blanks) followed by the separator; a row
// outside the grid gives empty cells.
std::string ligneGrille(const TextGrid& g, int r, const std::string& sep) {
  std::string s;
  std::size_t taille = 0;
  for (int c = 0; c < g.cols(); ++c) taille += g.text(r, c).size() + sep.size();
  s.reserve(taille);
  for (int c = 0; c < g.cols(); ++c) {
    const std::string& t = g.text(r, c);
    if (std::none_of(t.begin(), t.end(), [](char ch) { return ch == '\r' || ch == '\n'; }))
      s += t;
    else
      s += sansSautLigne(t);
    s += sep;
  }
  return s;
}

// "title", sep, then the statistic of columns 1 to Der_Colonne each followed by sep,
// then one more sep.
std::string ligneStatistique(const ReportModel& m, const std::string& titre,
                             const std::array<double, kDerniereColonneStat + 1>& table,
                             const std::string& sep) {
  std::string s = titre + sep;
  for (int j = 1; j <= m.Der_Colonne; ++j)
    s += (j <= kDerniereColonneStat ? generalNumber(statistique(table, j)) : "") + sep;
  return s + sep;
}

// "Long. : N=12; D1,9 ;(8.40 )8.54 - 12.88(13.00)" for column j.
std::string ligneNotation(const ReportModel& m, int j) {
  const TextGrid& p = m.GrilleRefP;
  return sansSautLigne(p.text(0, j)) + " : " + "N=" + generalNumber(statistique(m.Stat_N, j)) + "; D1,9 ;(" +
         p.text(2, j) + " )" + generalNumber(statistique(m.Stat_D1, j)) + " - " +
         generalNumber(statistique(m.Stat_D9, j)) + "(" + p.text(3, j) + ")";
}

void ajouteTexte(std::vector<std::string>& lignes, const std::string& texte) {
  for (std::string& l : platform::splitLines(texte)) lignes.push_back(std::move(l));
}

// Lines 1 to the shape class: date, resolution mode, function, object, imported file,
// images with their calibrations, comment, count of measurements.
void ajouteEntete(std::vector<std::string>& l, const ReportModel& m, const ExportHeader& h,
                  const std::string& sep) {
  l.push_back(" Résultat des mesures du " + h.date + " à " + h.time);
  l.push_back(h.independent ? "indépendance Résolution" : "indépendance Dimension");
  l.push_back("Fonction : " + h.NomFonction);
  l.push_back(MSG(131) + " : " + h.NomObjet);
  if (!m.Fic_CSV_Import.empty()) {
    l.push_back("CSV importé : " + Nom_Fichier(m.Fic_CSV_Import));
    l.push_back("");
  }
  l.push_back("num" + sep + MSG(126) + " " + MSG(109));
  for (std::size_t k = 0; k < h.images.size(); ++k)
    l.push_back(platform::CStr(static_cast<long long>(k + 1)) + sep + h.images[k].path + sep +
                generalNumber(h.images[k].calibration));
  l.push_back(sansSautLigne(h.comment));
  l.push_back("");
  l.push_back(platform::CStr(static_cast<long long>(m.LigneCourante - 1)) + " mesures");
  // The class text ends with its own line break, so an empty line follows it.
  if (m.Leiosporee) ajouteTexte(l, Type_Spore(m) + platform::vbCrLf);
}

// After the grid: statistics rows 0 to 7, counts, deciles, medians, dominant values,
// one notation line per column, the volume of spores in three dimensions and the
// notation text.
void ajouteStatistiques(ExportLines& out, const ReportModel& m, const std::string& sep) {
  std::vector<std::string>& l = out.lines;
  // A statistics row that holds nothing but its heading is signalled by a beep.
  for (int r = 0; r <= 7; ++r) {
    l.push_back(ligneGrille(m.GrilleRefP, r, sep));
    if (l.back() == "N°; ; ; ; ; ; ; ") out.beep = true;
  }
  l.push_back(ligneStatistique(m, "Effectif = ", m.Stat_N, sep));
  l.push_back(ligneStatistique(m, "1er décile", m.Stat_D1, sep));
  l.push_back(ligneStatistique(m, "médiane", m.Stat_Mediane, sep));
  l.push_back(ligneStatistique(m, "9ème décile", m.Stat_D9, sep));
  std::string modes = "Mode ;";
  for (int j = 1; j <= m.Der_Colonne - 2; ++j)
    modes += platform::Format(Stat_Colonne(m, j, &out.notices), m.Format_Decimal) + sep;
  l.push_back(modes + sep);
  l.push_back("");
  for (int j = 1; j <= m.Der_Colonne; ++j) l.push_back(ligneNotation(m, j));
  if (m.FonctionCourante == 3)
    l.push_back(m.Volume > 0 ? "Vol. Approx.3D = " + Suite_Volume_Export(m) : "Vol. Approx.3D = NC ");
  l.push_back("");
  ajouteTexte(l, Texte_Mesures(m, 1, &out.notices) + platform::vbCrLf);
}

}  // namespace

std::string Separateur_Export(const std::string& type) { return type == "txt" ? "\t;" : "; "; }

ExportLines Lignes_Export(const ReportModel& m, const ExportHeader& h) {
  ExportLines out;
  const std::string sep = Separateur_Export(h.type);
  ajouteEntete(out.lines, m, h, sep);
  out.lines.push_back("LISTE=");
  out.lines.reserve(out.lines.size() + static_cast<std::size_t>(std::max(m.LigneCourante, 0)) + 64);
  for (int r = 0; r < m.LigneCourante; ++r) out.lines.push_back(ligneGrille(m.GrilleRef, r, sep));
  out.lines.push_back(ligneGrille(TextGrid(1, m.GrilleRef.cols()), 0, sep));
  ajouteStatistiques(out, m, sep);
  return out;
}

std::string Nom_Court_Fonction(const std::string& modeleTitres, const std::string& NomFonction) {
  const auto dollar = modeleTitres.find('$');
  const std::string nom = platform::Trim(dollar == std::string::npos ? "" : modeleTitres.substr(0, dollar));
  return nom.empty() ? NomFonction : nom;
}

std::string Nom_Export_Defaut(const std::string& imagePath, bool sansImage, const std::string& nomCourt,
                              const std::string& type) {
  const std::string base = sansImage ? "mesures." : Nom_Fichier(imagePath);
  const std::string tige = base.substr(0, base.find('.'));
  return tige + "- " + nomCourt + "." + type;
}

std::string Suite_Volume_Export(const ReportModel& m) {
  if (m.FonctionCourante != 3 || !(m.Volume > 0)) return "";
  return platform::Format(m.Volume, m.Format_Decimal) +
         "  Sigma_Vol = " + platform::Format(m.Sigma_Volume, m.Format_Decimal);
}
