// Colour files: the file written from a colour grid against golden files (both decimal
// separators, Windows-1252, CR LF), read back; the records; the reader on files that
// must give 0 rows; the pending records and their save.
#include "colour/colour_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "colour/colour_zone.h"
#include "colour_fixture.h"

namespace {

using colour_test::bytesOf;
using colour_test::ColourTest;
using colour_test::dataFile;

using ColourFile = ColourTest;

// Two function-20 rows as the grid shows them, in the system's decimal separator.
std::vector<std::vector<std::string>> grilleDeuxLignes() {
  auto ligne = [](int n, std::array<float, 3> rvb, std::array<float, 3> lab, const std::string& c) {
    std::vector<std::string> l = {std::to_string(n)};
    for (float v : rvb) l.push_back(Texte_Couleur(v));
    for (float v : lab) l.push_back(Texte_Couleur(v));
    l.insert(l.end(), {"8", "1", c});
    return l;
  };
  return {{"N°", "R", "V", "B", "L", "a", "b", "zone", "S", "comment"},
          ligne(1, {90, 60, 30}, RVB_Vers_Lab(90, 60, 30), ""),
          ligne(2, {30, 120, 90}, RVB_Vers_Lab(30, 120, 90), "b; c")};
}

ContenuFichierCouleur contenuDeuxLignes() {
  ContenuFichierCouleur c;
  c.date = "12/03/2024";
  c.heure = "14:05:09";
  c.nomObjet = "Russula.jpg";
  // The record as the user left it: one line of notes typed with a bare line feed.
  std::string fiche = Fiche_Nuancier("/data/img/Russula.jpg", "/data/prog/scan1.Scn", false);
  fiche.insert(fiche.find("FINNOTES"), "cuticule rose\n");
  c.enregistrement = fiche;
  c.grille = grilleDeuxLignes();
  c.calibre = false;
  return c;
}

TEST_F(ColourFile, GoldenFilesInBothSeparators) {
  for (const char sep : {'.', ','}) {
    SCOPED_TRACE(std::string(1, sep));
    platform::SetDecimalSeparator(sep);
    const std::string attendu =
        dataFile(sep == '.' ? "colour_file/point/expected.Nua" : "colour_file/comma/expected.Nua");
    EXPECT_EQ(platform::encodeLines(Lignes_Fichier_Couleur(contenuDeuxLignes())), bytesOf(attendu));

    // Saved through the pending chart record: the same bytes, and read back.
    Charte_Demande2 = true;
    CasesCouleur cases;
    const std::string path = dir_.file(std::string("nuancier") + sep + ".Nua");
    std::string erreur;
    ASSERT_TRUE(Ecrit_Resultats_Couleur(path, contenuDeuxLignes(), cases, &erreur)) << erreur;
    EXPECT_EQ(bytesOf(path), bytesOf(attendu));
    EXPECT_EQ(Coul_Ref, path);
    EXPECT_FALSE(Charte_Demande2 || Charte_Demande);

    TableCouleur t;
    const FichierCouleurLu lu = Lit_Fichier_Couleur(path, t);
    EXPECT_TRUE(lu.lisible && lu.valide);
    EXPECT_EQ(lu.annonce, 2);
    EXPECT_EQ(lu.lues, 2);
    EXPECT_EQ(lu.compte(), 2);
    const double attendus[2][10] = {{1, 90, 60, 30, 28.11, 9.85, 23.29, 8, 1, 0},
                                    {2, 30, 120, 90, 44.87, -33.45, 8.63, 8, 1, 0}};
    for (int f = 1; f <= 2; ++f)
      for (int c = 1; c <= 10; ++c) EXPECT_DOUBLE_EQ(t(f, c), attendus[f - 1][c - 1]) << f << "," << c;
    EXPECT_EQ(t(3, 1), 0.0);
  }
}

TEST_F(ColourFile, Records) {
  EXPECT_EQ(Fiche_Nuancier("C:\\img\\planche.jpg", "/prog/scan.Scn", true),
            "CODE=  ex : A12\r\nImage nuancier= planche.jpg\r\nSCANNER= scan.Scn\r\n"
            "CALIBRAGE_COULEUR=1\r\nRESOLUTION=\r\nLUMINANCE=\r\nCONTRASTE=\r\nNOTES=\r\nFINNOTES");
  EXPECT_EQ(Fiche_Scanner(), "SCANNER=\r\nRESOLUTION=\r\nLUMINANCE=\r\nCONTRASTE=\r\nNOTES=\r\nFINNOTES");
}

TEST_F(ColourFile, CellTexts) {
  EXPECT_EQ(Texte_Cellule_Couleur("b; c"), "b, c");
  EXPECT_EQ(Texte_Cellule_Couleur("a\r\nb\nc\rd"), "a b c d");
  EXPECT_EQ(Texte_Cellule_Couleur("12,5"), "12,5");
  ContenuFichierCouleur c;
  c.date = "d";
  c.heure = "h";
  const std::vector<std::string> l = Lignes_Fichier_Couleur(c);
  // No grid: an empty title line, no row; no record: one empty line.
  ASSERT_EQ(l.size(), 10u);
  EXPECT_EQ(l[3], "");
  EXPECT_EQ(l[6], "");
  EXPECT_EQ(l[8], "NBMESURES =0");
}

// --- the reader ------------------------------------------------------------------------------

TEST_F(ColourFile, FilesThatCountNoRow) {
  struct Case {
    const char* file;
    bool valide;
    int annonce;
    int lues;
  };
  const Case cases[] = {
      {"colour_file/malformed_eleven_fields/etalon.Etl", false, 3, 0},
      {"colour_file/malformed_short/scanner.Scn", true, 4, 3},
      {"colour_file/malformed_no_nbmesures/scanner.Scn", true, 2, 0},
      {"colour_file/over_254/scanner.Scn", false, 255, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    TableCouleur t;
    t(1, 2) = 99;
    const FichierCouleurLu lu = Lit_Fichier_Couleur(dataFile(c.file), t);
    EXPECT_TRUE(lu.lisible);
    EXPECT_EQ(lu.valide, c.valide);
    EXPECT_EQ(lu.annonce, c.annonce);
    EXPECT_EQ(lu.lues, c.lues);
    EXPECT_EQ(lu.compte(), 0);
    if (!c.valide) {
      EXPECT_EQ(t(1, 2), 0.0);
    }
  }
  TableCouleur t;
  t(1, 2) = 99;
  const FichierCouleurLu absent = Lit_Fichier_Couleur(dir_.file("absent.Scn"), t);
  EXPECT_FALSE(absent.lisible);
  EXPECT_EQ(absent.compte(), 0);
  EXPECT_EQ(t(1, 2), 0.0);
}

TEST_F(ColourFile, RowsEndAtAShortLineAndKeysResume) {
  TableCouleur t;
  const FichierCouleurLu lu = Analyse_Fichier_Couleur(
      {"REM= x", "GENER=1", "sans egal", "", "nbmesures = 3", "LISTE=", "1;10,5;20;30;", "2;40",
       "NBMESURES =2", "LISTE=", "5;50;60;70;", "6;80;90;100"},
      t);
  // Row 1, then "2;40" ends the list and the key lines resume; the second count and
  // list bring the rows up to the count announced last, and the line after is a key line.
  EXPECT_TRUE(lu.valide);
  EXPECT_EQ(lu.annonce, 2);
  EXPECT_EQ(lu.lues, 2);
  EXPECT_DOUBLE_EQ(t(1, 1), 1);
  EXPECT_DOUBLE_EQ(t(1, 2), 10.5);
  EXPECT_DOUBLE_EQ(t(2, 1), 2);
  EXPECT_DOUBLE_EQ(t(2, 2), 50);
  EXPECT_DOUBLE_EQ(t(2, 4), 70);
  EXPECT_EQ(t(3, 2), 0.0);
  // A row without the final ";" keeps its last field.
  TableCouleur u;
  ASSERT_EQ(Analyse_Fichier_Couleur({"NBMESURES =1", "LISTE=", "1;255;0;7"}, u).compte(), 1);
  EXPECT_DOUBLE_EQ(u(1, 4), 7);
}

TEST_F(ColourFile, FewerAnnouncedRowsThanListedReadsTheAnnounced) {
  TableCouleur t;
  const FichierCouleurLu lu =
      Analyse_Fichier_Couleur({"NBMESURES =1", "LISTE=", "1;1;2;3;", "2;4;5;6;"}, t);
  EXPECT_EQ(lu.compte(), 1);
  EXPECT_EQ(t(2, 2), 0.0);
}

// --- pending records ------------------------------------------------------------------------

TEST_F(ColourFile, OpeningARecord) {
  Fic_Scanner = "/prog/scan1.Scn";
  FicheOuverte o = Prepare_Fiche_Nuancier(false, 3, 0, "/img/a.jpg", true);
  EXPECT_EQ(o.message, 0);
  EXPECT_EQ(o.titre, "Enregistrement Nuancier");
  EXPECT_EQ(o.couleurFond, 0xFFFF80u);
  EXPECT_EQ(o.texte, Fiche_Nuancier("/img/a.jpg", "/prog/scan1.Scn", true));
  EXPECT_TRUE(Charte_Demande2);
  EXPECT_FALSE(Charte_Demande);

  // Choosing the other record clears the first's flag.
  o = Prepare_Fiche_Nuancier(true, 3, 1, "/img/a.jpg", true);
  EXPECT_EQ(o.titre, "Enregistrement Calibrage Scanner");
  EXPECT_EQ(o.texte, Fiche_Scanner());
  EXPECT_TRUE(Charte_Demande);
  EXPECT_FALSE(Charte_Demande2);

  // Refusals clear both flags and open nothing.
  o = Prepare_Fiche_Nuancier(false, 1, 0, "", false);
  EXPECT_EQ(o.message, 130);
  EXPECT_EQ(o.texte, "");
  EXPECT_FALSE(Charte_Demande || Charte_Demande2);
  Charte_Demande = true;
  o = Prepare_Fiche_Nuancier(true, 4, 2, "", false);
  EXPECT_EQ(o.message, 178);
  EXPECT_FALSE(Charte_Demande || Charte_Demande2);
}

TEST_F(ColourFile, QuestionsAndFilters) {
  Charte_Demande = true;
  EXPECT_EQ(Question_Sauve_Couleur(true), 217);
  EXPECT_EQ(Question_Sauve_Couleur(false), 0);
  EXPECT_EQ(Filtre_Sauve_Couleur(), "*.Scn|*.Scn|");
  Abandonne_Fiche_Couleur();
  Charte_Demande2 = true;
  EXPECT_EQ(Question_Sauve_Couleur(false), 218);
  EXPECT_EQ(Question_Sauve_Couleur(true), 0);
  EXPECT_EQ(Filtre_Sauve_Couleur(), "*.Nua|*.Nua|");
  Abandonne_Fiche_Couleur();
  EXPECT_FALSE(Charte_Demande || Charte_Demande2);
}

TEST_F(ColourFile, SavedScannerFileInvalidatesTheCorrection) {
  Charte_Demande = true;
  Etalon_Charge = Correction_Valide = true;
  CasesCouleur cases{false, true, true};
  const std::string path = dir_.file("scan2.Scn");
  ASSERT_TRUE(Ecrit_Resultats_Couleur(path, contenuDeuxLignes(), cases));
  EXPECT_EQ(Fic_Scanner, path);
  EXPECT_EQ(Coul_Ref, path);
  EXPECT_FALSE(Etalon_Charge || Correction_Valide);
  EXPECT_FALSE(cases.calibre || cases.calibreActif);
}

TEST_F(ColourFile, FailedSaveKeepsTheOldFile) {
  const std::string path = dir_.file("ancien.Nua");
  ASSERT_TRUE(platform::writeLines(path, {"ancien"}));
  const std::string avant = bytesOf(path);
  // A file in a folder that does not exist cannot be written.
  Charte_Demande2 = true;
  CasesCouleur cases;
  std::string erreur;
  EXPECT_FALSE(Ecrit_Resultats_Couleur(dir_.file("absent/x.Nua"), contenuDeuxLignes(), cases, &erreur));
  EXPECT_FALSE(erreur.empty());
  EXPECT_EQ(Coul_Ref, "");
  EXPECT_FALSE(Charte_Demande2);
  EXPECT_EQ(bytesOf(path), avant);
}

}  // namespace
