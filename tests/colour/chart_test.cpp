// The chart file: entries, names and the expert flag read from files written by hand
// (comma decimals, lower-case key, blank lines, the archive's lines, UTF-8 with LF),
// the limit of 3000 entries, and files that must change nothing.
#include "colour/chart.h"
#include "colour/colour_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "colour_fixture.h"

namespace {

using colour_test::ColourTest;
using colour_test::dataFile;

using ChartFile = ColourTest;

void expectEntry(int i, float r, float v, float b, float l, float a, float bb, const std::string& nom) {
  SCOPED_TRACE("entry " + std::to_string(i));
  EXPECT_FLOAT_EQ(Nuancier(i, 1), r);
  EXPECT_FLOAT_EQ(Nuancier(i, 2), v);
  EXPECT_FLOAT_EQ(Nuancier(i, 3), b);
  EXPECT_FLOAT_EQ(Nuancier(i, 4), l);
  EXPECT_FLOAT_EQ(Nuancier(i, 5), a);
  EXPECT_FLOAT_EQ(Nuancier(i, 6), bb);
  EXPECT_EQ(Nuancier(i, 0), 0.0f);
  EXPECT_EQ(Nuancier_Noms(i), nom);
}

// The notes of a record run from its NOTES key to the next FINNOTES line (letter
// case and blanks ignored); a NOTES line that nothing closes is a note on its own.
TEST(ChartNotes, LinesOfTheNotes) {
  const std::vector<std::string> lignes = {"CODE= A1", " notes = vu le 3", "LISTE= 4", "CalibrageCol=1",
                                           "  finNotes", "LISTE=", "1;2;3;4;5;6;7;8;9;x;", "NOTES=", "fin"};
  EXPECT_EQ(Lignes_De_Notes(lignes),
            (std::vector<bool>{false, true, true, true, true, false, false, true, false}));
  EXPECT_TRUE(Lignes_De_Notes({}).empty());
  EXPECT_EQ(Lignes_De_Notes({"FINNOTES", "NOTESX=1", "NOTES=a", "NOTES=b", "FINNOTES"}),
            (std::vector<bool>{false, false, true, true, true}));
}

// Key words in the notes are text: the entries start at the LISTE= after the header,
// and a CALIBRAGECOL written in the notes is not read.
TEST(ChartNotes, KeysInTheNotesAreNotRead) {
  const std::vector<std::string> lignes = {
      "CODE=  A12", "NOTES=", "voir la liste= des exsiccata", "liste=12;13;14;15;16;17;18;", "CALIBRAGECOL=1",
      "NBMESURES =9", "FINNOTES", "", "REM= les lignes suivantes ne doivent pas être modifiées !",
      "N°;R;V;B;L;a;b;zone;S;comment;", "CALIBRAGECOL=0", "NBMESURES =2", "LISTE=",
      "1;90;60;30;28.11;9.85;23.29;8;1;;", "2;30;120;90;44.87;-37.21;7.4;8;1;b, c;"};
  const NuancierLu lu = Analyse_Nuancier(lignes);
  ASSERT_TRUE(lu.liste);
  ASSERT_EQ(lu.valeurs.size(), 2u);
  EXPECT_EQ(lu.noms, (std::vector<std::string>{"", "b, c"}));
  EXPECT_FLOAT_EQ(lu.valeurs[1][3], 44.87f);
  ASSERT_TRUE(lu.calibrage.has_value());
  EXPECT_FALSE(*lu.calibrage);

  TableCouleur t;
  const FichierCouleurLu c = Analyse_Fichier_Couleur(lignes, t);
  EXPECT_TRUE(c.valide);
  EXPECT_EQ(c.annonce, 2);
  EXPECT_EQ(c.compte(), 2);
  EXPECT_DOUBLE_EQ(t(2, 2), 30);
  EXPECT_DOUBLE_EQ(t(2, 3), 120);
}

TEST_F(ChartFile, HandWrittenChartWithCommasLowerCaseKeyAndBlankLines) {
  CasesCouleur cases{true, false, false};
  Correction_Valide = true;
  const std::string path = dataFile("chart/comma_lowercase/chart.Nua");
  const ResultatNuancier r = Charge_Nuancier(path, cases);
  EXPECT_EQ(r.etat, ChargementNuancier::Charge);
  EXPECT_EQ(r.message, "");
  ASSERT_EQ(NbNuancier, 4);
  expectEntry(1, 120.5f, 80, 60, 40, 10, 20, "bolet");
  expectEntry(2, 120.5f, 80, 60, 40, 10, 20, "bolet");
  // Nine fields without the final ";": the name is the field before the last ";".
  expectEntry(3, 200, 30, 40, 43.3f, 63.58f, 39.67f, "39,67");
  expectEntry(4, 88.25f, 140, 35, 52.5f, -20.75f, 48, "lichen");
  EXPECT_EQ(Compte_Entrees_Liste(path), NbNuancier);
  EXPECT_EQ(Fic_Nuancier, path);
  // CALIBRAGECOL= True: an expert chart; "Mode expert" unticked, "Calibré" enabled and
  // ticked because a valid correction exists.
  EXPECT_TRUE(Mode_Expert);
  EXPECT_FALSE(cases.expert);
  EXPECT_TRUE(cases.calibreActif);
  EXPECT_TRUE(cases.calibre);
}

TEST_F(ChartFile, ExpertChartWithoutValidCorrectionLeavesCalibreOff) {
  CasesCouleur cases{false, true, true};
  Correction_Valide = false;
  ASSERT_EQ(Charge_Nuancier(dataFile("chart/comma_lowercase/chart.Nua"), cases).etat,
            ChargementNuancier::Charge);
  EXPECT_TRUE(Mode_Expert);
  EXPECT_FALSE(cases.calibreActif);
  EXPECT_FALSE(cases.calibre);
}

TEST_F(ChartFile, ArchiveLinesAreNamedByTheirComment) {
  const std::string path = dataFile("chart/archive/Archv_Nuancier.nua");
  CasesCouleur cases{true, true, true};
  Mode_Expert = true;
  ASSERT_EQ(Charge_Nuancier(path, cases).etat, ChargementNuancier::Charge);
  ASSERT_EQ(NbNuancier, 3);
  expectEntry(1, 120.49f, 80.64f, 40.79f, 37.88f, 12.57f, 29.44f, " Lactarius deliciosus");
  expectEntry(2, 90, 60, 30, 28.11f, 9.85f, 23.29f, " Cortinarius sp.");
  expectEntry(3, 95.5f, 80.25f, 60, 36.41f, 4.12f, 16.08f, " Russula sp.");
  EXPECT_EQ(Compte_Entrees_Liste(path), 3);
  // No CALIBRAGECOL line: the flag and both boxes stay as they were.
  EXPECT_TRUE(Mode_Expert);
  EXPECT_TRUE(cases.expert && cases.calibreActif && cases.calibre);
}

TEST_F(ChartFile, Utf8WithLineFeedsAndShortEntries) {
  CasesCouleur cases;
  ASSERT_EQ(Charge_Nuancier(dataFile("chart/utf8_lf/chart.txt"), cases).etat,
            ChargementNuancier::Charge);
  ASSERT_EQ(NbNuancier, 2);
  expectEntry(1, 10, 20, 30, 40, -5, 6.5f, "gris bleuté");
  // Missing fields read 0; the name is the field before the last ";".
  expectEntry(2, 1, 2, 0, 0, 0, 0, "1");
}

TEST_F(ChartFile, ParsedLinesOneByOne) {
  struct Case {
    const char* line;
    std::array<float, 6> values;
    const char* name;
  };
  const Case cases[] = {
      {"4;88,25;140;35;52,5;-20,75;48;8;2;lichen;", {88.25f, 140, 35, 52.5f, -20.75f, 48}, "lichen"},
      {"3;95.50;80.25;60.00;36.41;4.12;16.08;; Moy; Russula sp.", {95.5f, 80.25f, 60, 36.41f, 4.12f, 16.08f}, " Russula sp."},
      {"1;90;60;30;28.11;9.85;23.29;8;1;;", {90, 60, 30, 28.11f, 9.85f, 23.29f}, ""},
      {"1;2;3;4;5;6;7;nom;", {2, 3, 4, 5, 6, 7}, "nom"},
      {"7;12abc;x;;4e1;-0,5;3", {12, 0, 0, 40, -0.5f, 3}, "-0,5"},
      {"seul", {0, 0, 0, 0, 0, 0}, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    const NuancierLu lu = Analyse_Nuancier({"LISTE=", c.line});
    ASSERT_TRUE(lu.liste);
    ASSERT_EQ(lu.valeurs.size(), 1u);
    for (int k = 0; k < 6; ++k) EXPECT_FLOAT_EQ(lu.valeurs[0][k], c.values[k]) << k;
    EXPECT_EQ(lu.noms[0], c.name);
  }
}

TEST(ChartTruth, CalibrationValues) {
  EXPECT_TRUE(Valeur_Logique("1"));
  EXPECT_TRUE(Valeur_Logique(" -1 "));
  EXPECT_TRUE(Valeur_Logique("TRUE"));
  EXPECT_TRUE(Valeur_Logique("tRue"));
  EXPECT_TRUE(Valeur_Logique("0,5"));
  EXPECT_FALSE(Valeur_Logique("0"));
  EXPECT_FALSE(Valeur_Logique("False"));
  EXPECT_FALSE(Valeur_Logique(""));
  EXPECT_FALSE(Valeur_Logique("oui"));
  EXPECT_FALSE(Valeur_Logique("1 2"));
}

TEST_F(ChartFile, CalibrationKeyValueZeroDisablesCalibre) {
  CasesCouleur cases{true, true, true};
  Correction_Valide = true;
  ASSERT_EQ(Charge_Nuancier(dataFile("colour_file/point/expected.Nua"), cases).etat,
            ChargementNuancier::Charge);
  EXPECT_FALSE(Mode_Expert);
  EXPECT_FALSE(cases.expert || cases.calibreActif || cases.calibre);
  // The program's own chart: its two rows, named by their comments.
  ASSERT_EQ(NbNuancier, 2);
  expectEntry(1, 90, 60, 30, 28.11f, 9.85f, 23.29f, "");
  expectEntry(2, 30, 120, 90, 44.87f, -33.45f, 8.63f, "b, c");
}

TEST_F(ChartFile, EmptyListGivesNoEntry) {
  CasesCouleur cases;
  ASSERT_EQ(Charge_Nuancier(dataFile("chart/archive/Archv_Nuancier.nua"), cases).etat,
            ChargementNuancier::Charge);
  const std::string vide = dir_.file("vide.Nua");
  ASSERT_TRUE(platform::writeLines(vide, {"CALIBRAGECOL=0", "LISTE=", "", "  "}));
  EXPECT_EQ(Charge_Nuancier(vide, cases).etat, ChargementNuancier::Charge);
  EXPECT_EQ(NbNuancier, 0);
  EXPECT_EQ(Nuancier(1, 1), 0.0f);
  EXPECT_EQ(Nuancier_Noms(1), "");
  EXPECT_EQ(Compte_Entrees_Liste(vide), 0);
}

TEST_F(ChartFile, MoreThan3000EntriesLoadTheFirst3000) {
  std::vector<std::string> lignes = {"LISTE="};
  for (int i = 1; i <= 3005; ++i) {
    lignes.push_back(std::to_string(i) + ";" + std::to_string(i % 256) + ";1;2;3;4;5;8;1;n" +
                     std::to_string(i) + ";");
  }
  const std::string path = dir_.file("grand.Nua");
  ASSERT_TRUE(platform::writeLines(path, lignes));
  CasesCouleur cases;
  const ResultatNuancier r = Charge_Nuancier(path, cases);
  EXPECT_EQ(r.etat, ChargementNuancier::Charge);
  EXPECT_EQ(r.message, "Nuancier limité à 3000 couleurs : 5 lignes non chargées");
  EXPECT_EQ(NbNuancier, 3000);
  EXPECT_EQ(Nuancier_Noms(3000), "n3000");
  EXPECT_FLOAT_EQ(Nuancier(3000, 1), 3000 % 256);
  EXPECT_EQ(Compte_Entrees_Liste(path), 3005);
}

// --- files that change nothing ------------------------------------------------------------

TEST_F(ChartFile, NoListLineAfterAGoodChartChangesNothing) {
  CasesCouleur cases;
  const std::string bon = dataFile("chart/comma_lowercase/chart.Nua");
  ASSERT_EQ(Charge_Nuancier(bon, cases).etat, ChargementNuancier::Charge);
  const CasesCouleur avant = cases;
  const std::string mauvais = dataFile("chart/malformed_no_liste/chart.Nua");
  const ResultatNuancier r = Charge_Nuancier(mauvais, cases);
  EXPECT_EQ(r.etat, ChargementNuancier::Invalide);
  EXPECT_EQ(r.message, " Fichier de référence ''" + mauvais + "'' invalide");
  EXPECT_EQ(NbNuancier, 4);
  expectEntry(4, 88.25f, 140, 35, 52.5f, -20.75f, 48, "lichen");
  EXPECT_EQ(Fic_Nuancier, bon);
  EXPECT_TRUE(Mode_Expert);  // its CALIBRAGECOL=1 is not applied either
  EXPECT_EQ(cases.calibre, avant.calibre);
  EXPECT_EQ(cases.calibreActif, avant.calibreActif);
  EXPECT_EQ(Compte_Entrees_Liste(mauvais), 0);
}

TEST_F(ChartFile, UnreadableFileChangesNothing) {
  CasesCouleur cases;
  ASSERT_EQ(Charge_Nuancier(dataFile("chart/archive/Archv_Nuancier.nua"), cases).etat,
            ChargementNuancier::Charge);
  const ResultatNuancier r = Charge_Nuancier(dir_.file("absent.Nua"), cases);
  EXPECT_EQ(r.etat, ChargementNuancier::Illisible);
  EXPECT_EQ(r.message, "absent.Nua problème chargement fichier de référence");
  EXPECT_EQ(NbNuancier, 3);
  EXPECT_EQ(Nuancier_Noms(3), " Russula sp.");
  EXPECT_EQ(Compte_Entrees_Liste(dir_.file("absent.Nua")), 0);
  EXPECT_EQ(Charge_Nuancier("", cases).etat, ChargementNuancier::Illisible);
}

TEST_F(ChartFile, TableBoundsAreChecked) {
  EXPECT_THROW(Nuancier(3001, 1), platform::IndexError);
  EXPECT_THROW(Nuancier(1, 7), platform::IndexError);
  EXPECT_THROW(Nuancier(-1, 0), platform::IndexError);
  EXPECT_NO_THROW(Nuancier(3000, 6));
}

TEST_F(ChartFile, BareNamesMeanTheProgramFolder) {
  EXPECT_EQ(Chemin_Fichier_Couleur(""), "");
  EXPECT_EQ(Chemin_Fichier_Couleur("/data/x.Etl"), "/data/x.Etl");
  EXPECT_EQ(Chemin_Fichier_Couleur("x.Etl"), dir_.file("x.Etl"));
  const std::string ecrit = dir_.copy("correction/etalon.Etl", "ETALONCOULEUR.ETL");
  EXPECT_EQ(Chemin_Fichier_Couleur("EtalonCouleur.Etl"), ecrit);
  EXPECT_EQ(Fichier_Etalon_Defaut(), ecrit);
}

}  // namespace
