// The results export: golden files of a spore grid in both types, and its edges.
#include "reports/results_export.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "base/text_tables.h"
#include "golden.h"
#include "report_window.h"
#include "reports/column_values.h"
#include "reports/notations.h"
#include "reports/results_import.h"

namespace {

using report_window::kDouzeSpores;
using report_window::ReportWindow;
using report_window::Spore;

ExportHeader header(const std::string& type) {
  ExportHeader h;
  h.date = "14/06/2024";
  h.time = "16:35";
  h.type = type;
  h.NomFonction = "mesure Spore 2D";
  h.NomObjet = "Inocybe geophylla";
  h.images = {{"/data/spores/IMG_0412.jpg", 0.0625}, {"/data/spores/IMG_0413.jpg", 0.0625}};
  h.comment = "récolte été";
  return h;
}

// The lines from "LISTE=" to the first empty row, both included.
std::vector<std::string> listLines(const std::vector<std::string>& lines) {
  auto first = std::find(lines.begin(), lines.end(), "LISTE=");
  auto last = std::find_if(first, lines.end(), [](const std::string& l) {
    return !l.empty() && l.find_first_not_of("; \t") == std::string::npos;
  });
  return {first, last == lines.end() ? last : last + 1};
}

// Exported, the twelve spores give the golden file byte for byte (Windows-1252, CR LF);
// read back, the file gives the same grid, which exports the same list again.
TEST_F(ReportWindow, ExportRoundTrip) {
  ReportModel m = spores2D(kDouzeSpores);
  m.Leiosporee = true;
  m.Type_Notation = 1;
  const auto fonctions = Fonctions_Importables("Courbe fermée", "Polygone ouvert");
  for (const std::string type : {"csv", "txt"}) {
    const ExportLines e = Lignes_Export(m, header(type));
    EXPECT_FALSE(e.beep);
    EXPECT_FALSE(e.notices.grilleIncomplete);
    const std::string file = "export_spore2d/expected." + type;
    golden::expectFile(file, platform::encodeLines(e.lines));

    const ResultatsLus lu = Lit_Fichier_Resultats(golden::path(file), fonctions, 3000);
    ASSERT_EQ(lu.etat, ResultatsLus::Etat::Lu) << lu.message;
    EXPECT_EQ(lu.fonction, 2);
    ASSERT_EQ(lu.colonnes, 7);
    ASSERT_EQ(lu.lignes.size(), 13u);
    ReportModel again = m;
    again.GrilleRef = TextGrid(14, 7);
    for (int r = 0; r <= 12; ++r)
      for (int c = 0; c < 7; ++c) {
        EXPECT_EQ(lu.lignes[r][c], m.GrilleRef.text(r, c)) << type << " " << r << "," << c;
        again.GrilleRef.setText(r, c, lu.lignes[r][c]);
      }
    EXPECT_EQ(listLines(Lignes_Export(again, header(type)).lines), listLines(e.lines)) << type;
  }
}

ReportModel emptyModel() {
  ReportModel m;
  m.FonctionCourante = 2;
  m.Der_Colonne = 4;
  m.GrilleRef = TextGrid(1, 7);
  const char* titles[] = {"N°", "Long.", "Larg.", "Q", "V", "img", "comment"};
  for (int c = 0; c < 7; ++c) m.GrilleRef.setText(0, c, titles[c]);
  m.GrilleRefP = TextGrid(13, 7);
  m.GrilleRefP.setText(0, 0, "N°");
  return m;
}

TEST(ResultsExport, EmptyGridAndFieldSeparators) {
  platform::SetDecimalSeparator('.');
  Messages_Defaut();
  ReportModel m = emptyModel();
  std::vector<std::string> lines = Lignes_Export(m, header("csv")).lines;
  EXPECT_EQ(listLines(lines),
            (std::vector<std::string>{"LISTE=", "N°; Long.; Larg.; Q; V; img; comment; ", "; ; ; ; ; ; ; "}));
  EXPECT_EQ(*(std::find(lines.begin(), lines.end(), "LISTE=") - 1), "0 mesures");
  EXPECT_TRUE(Lignes_Export(m, header("csv")).beep);  // the empty statistics heading row

  // Line breaks in a cell or the comment become blanks; txt ends every field with a tab
  // and ";".
  m.GrilleRef.resize(3, 7);
  m.GrilleRef.setText(1, 6, "deux\r\nlignes");
  m.LigneCourante = 2;
  ExportHeader h = header("txt");
  h.comment = "a\nb";
  const ExportLines e = Lignes_Export(m, h);
  EXPECT_EQ(listLines(e.lines)[2], "\t;\t;\t;\t;\t;\t;deux lignes\t;");
  EXPECT_EQ(listLines(e.lines)[3], "\t;\t;\t;\t;\t;\t;\t;");
  EXPECT_FALSE(e.beep);
  EXPECT_NE(std::find(e.lines.begin(), e.lines.end(), "a b"), e.lines.end());

  // Spores in three dimensions without a volume.
  m.FonctionCourante = 3;
  lines = Lignes_Export(m, header("csv")).lines;
  EXPECT_NE(std::find(lines.begin(), lines.end(), "Vol. Approx.3D = NC "), lines.end());
  platform::SetDecimalSeparator(0);
}

TEST(ResultsExport, DefaultFileName) {
  const struct {
    const char* image;
    bool noImage;
    const char* shortName;
    const char* type;
    const char* name;
  } cases[] = {
      {"/data/IMG_12.jpg", false, "mesure Cystide 4", "csv", "IMG_12- mesure Cystide 4.csv"},
      {"C:\\photos\\a.b.jpg", false, "mesure Spore 2D", "txt", "a- mesure Spore 2D.txt"},
      {"/data/IMG_12.jpg", true, "mesure Segment", "csv", "mesures- mesure Segment.csv"},
      {"/data/sans_point", false, "Triangle", "csv", "sans_point- Triangle.csv"},
  };
  for (const auto& c : cases) EXPECT_EQ(Nom_Export_Defaut(c.image, c.noImage, c.shortName, c.type), c.name);
  EXPECT_EQ(Nom_Court_Fonction("mesure Cystide 3 $6$Long.$", "x"), "mesure Cystide 3");
  // An imported grid has no template: the function's name stands in.
  EXPECT_EQ(Nom_Court_Fonction("", "mesure Spore 2D"), "mesure Spore 2D");
}

// The model read from the window carries each measured column's dominant value, the
// same as a reading of its texts gives; after cells change (one under the deciles'
// threshold, one of six decimals) the next model, its mode row and its type 5 notation
// follow the new values.
TEST_F(ReportWindow, DominantValuesFollowTheGrid) {
  const ReportModel m = spores2D(kDouzeSpores);
  ReportModel fromTexts = m;
  fromTexts.Dominantes = {};
  for (int c = 1; c <= 4; ++c) {
    EXPECT_TRUE(m.Dominantes[static_cast<std::size_t>(c)].connue) << c;
    EXPECT_EQ(Stat_Colonne(m, c), Stat_Colonne(fromTexts, c)) << c;
  }
  // Lengths: five spores at 12.6, one tiny value, one of six decimals.
  std::vector<double> longueurs;
  for (const Spore& s : kDouzeSpores) longueurs.push_back(s.longueur);
  platform::FlexGrid& g = Qvl().GrilleRef;
  for (int r = 1; r <= 5; ++r) {
    g.setTextMatrix(r, 1, "12.60");
    longueurs[static_cast<std::size_t>(r - 1)] = 12.6;
  }
  g.setTextMatrix(6, 1, "0.00004");
  longueurs[5] = 0.00004;
  g.setTextMatrix(7, 1, "10.123456");
  longueurs[6] = 10.123456;
  Calcul_stat();
  Entetes_Stat();
  ReportModel apres = Modele_Rapport();
  const double dl = Dominante_Valeurs(longueurs), dw = Stat_Colonne(m, 2);
  ASSERT_NE(dl, Stat_Colonne(m, 1));
  EXPECT_EQ(Stat_Colonne(apres, 1), dl);
  EXPECT_EQ(Stat_Colonne(apres, 2), dw);

  const std::vector<std::string> lines = Lignes_Export(apres, header("csv")).lines;
  const std::string mode = "Mode ;" + platform::Format(dl, "###0.00") + "; " + platform::Format(dw, "###0.00") + "; ; ";
  EXPECT_NE(std::find(lines.begin(), lines.end(), mode), lines.end()) << mode;
  apres.Type_Notation = 5;
  EXPECT_NE(Texte_Mesures(apres, 1).find("-" + generalNumber(dl) + "-"), std::string::npos) << generalNumber(dl);
}

}  // namespace
