// Scanner correction: points built from a standard and a scanner file given in another
// row order, interpolation worked out by hand, the listing, the count checks with their
// messages, and the switch-on and the choices that keep "Calibré" honest.
#include "colour/scanner_correction.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "colour_fixture.h"
#include "measure/measure_state.h"

namespace {

using colour_test::ColourTest;
using colour_test::dataFile;

using ScannerCorrection = ColourTest;

// The correction/ files pair, row by row (standard, scanner):
//   R (110,100) (15,25) (250,245) (235,225)
//   V (180,170) (30,40) (240,250) (100,95)
//   B (95,100) (25,35) (245,240) (168,180)
ResultatCorrection construit(CasesCouleur& cases, std::vector<std::string>* listing = nullptr) {
  return Charge_Correction_Scanner(dataFile("correction/etalon.Etl"),
                                   dataFile("correction/scanner.Scn"), cases, listing);
}

TEST_F(ScannerCorrection, PointsAreSortedByScannerValue) {
  CasesCouleur cases;
  std::vector<std::string> listing;
  const ResultatCorrection r = construit(cases, &listing);
  ASSERT_TRUE(r.construite) << r.message;
  EXPECT_EQ(r.message, "");
  EXPECT_EQ(NbEtalon, 4);
  EXPECT_EQ(NbScanner, 4);
  EXPECT_EQ(NbLames, 4);
  EXPECT_TRUE(Etalon_Charge && Correction_Valide);
  EXPECT_TRUE(cases.calibreActif && cases.calibre);

  // Green: (0,0), (40,30), (95,100), (170,180), (250,240), (255,255) from rows 2, 4, 1, 3.
  const double s[] = {0, 40, 95, 170, 250, 255};
  const double e[] = {0, 30, 100, 180, 240, 255};
  const int num[] = {0, 2, 4, 1, 3, 5};
  for (int j = 0; j <= 5; ++j) {
    EXPECT_EQ(Table_Correction(j, 2).Val_Scanner, s[j]) << j;
    EXPECT_EQ(Table_Correction(j, 2).Val_Etalon, e[j]) << j;
    EXPECT_EQ(Table_Correction(j, 2).Num, num[j]) << j;
  }
  const std::vector<std::string> attendu = {
      "1 / 2\t25\t15", "2 / 1\t100\t110", "3 / 4\t225\t235", "4 / 3\t245\t250", "5 / 5\t255\t255",
      "-Vert-",
      "1 / 2\t40\t30", "2 / 4\t95\t100", "3 / 1\t170\t180", "4 / 3\t250\t240", "5 / 5\t255\t255",
      "-Bleu-",
      "1 / 2\t35\t25", "2 / 1\t100\t95", "3 / 4\t180\t168", "4 / 3\t240\t245", "5 / 5\t255\t255",
      "----"};
  EXPECT_EQ(listing, attendu);
}

TEST_F(ScannerCorrection, InterpolationBetweenNeighbours) {
  CasesCouleur cases;
  ASSERT_TRUE(construit(cases).construite);
  struct Case {
    int canal;
    double v, attendu;
  };
  // By hand: 50 lies between (40,30) and (95,100): 30 + 70 x 10/55 = 42.7272...;
  // 200 between (170,180) and (250,240): 180 + 60 x 30/80 = 202.5; 252 between
  // (250,240) and (255,255): 240 + 15 x 2/5 = 246; 20 on (0,0)-(40,30): 15.
  const Case cases_[] = {
      {2, 95, 100}, {2, 50, 30 + 70.0 * 10 / 55}, {2, 200, 202.5}, {2, 252, 246}, {2, 20, 15},
      {2, 0, 0}, {2, -3, 0}, {2, 255, 255},
      // The grey 150 of the colour-zone check: R 160, V 158.666..., B 140.625.
      {1, 150, 160}, {2, 150, 100 + 80.0 * 55 / 75}, {3, 150, 140.625},
  };
  for (const Case& c : cases_) {
    const std::optional<double> v = Corrige_Canal(c.canal, c.v);
    ASSERT_TRUE(v.has_value()) << c.canal << " " << c.v;
    EXPECT_NEAR(*v, c.attendu, 1e-12) << c.canal << " " << c.v;
  }
  EXPECT_FALSE(Corrige_Canal(2, 255.5).has_value());
  EXPECT_FALSE(Corrige_Canal(2, std::nan("")).has_value());
  EXPECT_FALSE(Corrige_Canal(0, 10).has_value());
  EXPECT_FALSE(Corrige_Canal(4, 10).has_value());
  // Two decimals, halves away from zero, whatever the separator.
  for (const char sep : {'.', ','}) {
    platform::SetDecimalSeparator(sep);
    EXPECT_DOUBLE_EQ(Arrondi_Correction(*Corrige_Canal(3, 150)), 140.63);
    EXPECT_DOUBLE_EQ(Arrondi_Correction(*Corrige_Canal(2, 150)), 158.67);
    EXPECT_DOUBLE_EQ(Arrondi_Correction(*Corrige_Canal(1, 150)), 160);
  }
}

TEST_F(ScannerCorrection, NoCorrectionBuiltCorrectsNothing) {
  EXPECT_FALSE(Corrige_Canal(1, 10).has_value());
  EXPECT_FALSE(Corrige_Canal(1, 0).has_value());
}

TEST_F(ScannerCorrection, EqualScannerValuesKeepTheirFileOrder) {
  Liste_Scanner.clear();
  Liste_Etalon.clear();
  const double scanner[] = {50, 20, 50, 10};
  const double etalon[] = {60, 25, 70, 5};
  for (int j = 1; j <= 4; ++j) {
    Liste_Scanner(j, 1) = j;
    Liste_Scanner(j, 2) = scanner[j - 1];
    Liste_Etalon(j, 2) = etalon[j - 1];
  }
  NbLames = 4;
  Tables_Canaux(1);
  const int num[] = {0, 4, 2, 1, 3, 5};
  for (int j = 0; j <= 5; ++j) EXPECT_EQ(Table_Correction(j, 1).Num, num[j]) << j;
  // One row only: (0,0), the row, (255,255).
  NbLames = 1;
  Tables_Canaux(1);
  EXPECT_EQ(Table_Correction(1, 1).Val_Scanner, 50);
  EXPECT_EQ(Table_Correction(2, 1).Val_Scanner, 255);
  EXPECT_DOUBLE_EQ(*Corrige_Canal(1, 25), 30);
}

TEST_F(ScannerCorrection, CountsThatDoNotMatch) {
  struct Case {
    const char* etalon;
    const char* scanner;
    const char* message;
  };
  const Case cases[] = {
      {"correction/etalon.Etl", "correction/scanner3.Scn",
       "Tailles des fichiers Etalon et Scanner incompatibles (4 , 3)"},
      {"correction/etalon.Etl", "colour_file/malformed_short/scanner.Scn",
       "fichiers Etalon ou Scanner incorrect (4 , 0)"},
      {"colour_file/malformed_eleven_fields/etalon.Etl", "correction/scanner3.Scn",
       "fichiers Etalon ou Scanner incorrect (0 , 3)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.scanner);
    CasesCouleur cases_;
    ASSERT_TRUE(construit(cases_).construite);
    const double avant = Table_Correction(2, 2).Val_Scanner;
    cases_.expert = true;
    const ResultatCorrection r =
        Charge_Correction_Scanner(dataFile(c.etalon), dataFile(c.scanner), cases_);
    EXPECT_FALSE(r.construite);
    EXPECT_FALSE(r.absent);
    EXPECT_EQ(r.message, c.message);
    EXPECT_FALSE(Correction_Valide);
    EXPECT_FALSE(cases_.calibre || cases_.calibreActif);
    // Even in expert mode "Calibré" cannot come back.
    Mode_Expert = true;
    Applique_Mode_Expert(cases_);
    EXPECT_FALSE(cases_.calibre || cases_.calibreActif);
    // The points of the last build stay.
    EXPECT_EQ(Table_Correction(2, 2).Val_Scanner, avant);
  }
}

TEST_F(ScannerCorrection, MissingFilesChangeNothing) {
  CasesCouleur cases;
  ASSERT_TRUE(construit(cases).construite);
  const CasesCouleur avant = cases;
  ResultatCorrection r =
      Charge_Correction_Scanner(dir_.file("absent.Etl"), dataFile("correction/scanner.Scn"), cases);
  EXPECT_TRUE(r.absent);
  EXPECT_EQ(r.message, "fichier étalon non chargé ");
  r = Charge_Correction_Scanner(dataFile("correction/etalon.Etl"), "", cases);
  EXPECT_TRUE(r.absent);
  EXPECT_EQ(r.message, "fichier scanner absent ");
  EXPECT_EQ(NbEtalon, 4);
  EXPECT_TRUE(Correction_Valide);
  EXPECT_EQ(cases.calibre, avant.calibre);
  EXPECT_EQ(cases.calibreActif, avant.calibreActif);
}

// --- switching on and choosing files ----------------------------------------------------------

TEST_F(ScannerCorrection, SwitchOnLoadsTheChartAndTicksCalibreSilently) {
  Fic_Nuancier = dir_.copy("chart/comma_lowercase/chart.Nua", "ref.Nua");
  Fic_Etalon = dir_.copy("correction/etalon.Etl", "etalon.Etl");
  Fic_Scanner = "scanner.Scn";  // a bare name from older settings: the program folder
  dir_.copy("correction/scanner.Scn", "scanner.Scn");
  CasesCouleur cases;
  const std::vector<std::string> messages = Demarre_Couleur(cases);
  EXPECT_TRUE(messages.empty()) << messages.front();
  EXPECT_TRUE(Nuancier_Trouve);
  EXPECT_EQ(NbNuancier, 4);
  EXPECT_TRUE(Mode_Expert);
  EXPECT_TRUE(Etalon_Charge && Correction_Valide);
  EXPECT_TRUE(cases.calibre && cases.calibreActif);
}

TEST_F(ScannerCorrection, SwitchOnWithMismatchedScannerSaysSoOnce) {
  Fic_Etalon = dir_.copy("correction/etalon.Etl", "etalon.Etl");
  Fic_Scanner = dir_.copy("correction/scanner3.Scn", "scanner3.Scn");
  CasesCouleur cases;
  const std::vector<std::string> messages = Demarre_Couleur(cases);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0], "Tailles des fichiers Etalon et Scanner incompatibles (4 , 3)");
  EXPECT_FALSE(Nuancier_Trouve);
  EXPECT_FALSE(cases.calibre || cases.calibreActif);
}

TEST_F(ScannerCorrection, SwitchOnFallsBackOnTheDefaultStandard) {
  // A valid correction ticked earlier; its standard has since gone.
  CasesCouleur cases;
  ASSERT_TRUE(construit(cases).construite);
  Fic_Etalon = dir_.file("parti.Etl");
  Fic_Scanner = dir_.copy("correction/scanner.Scn", "scanner.Scn");
  std::vector<std::string> messages = Demarre_Couleur(cases);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0], "fichier étalon non chargé ");
  // No "EtalonCouleur.Etl" either: "Calibré" unticked and disabled.
  EXPECT_FALSE(Correction_Valide);
  EXPECT_FALSE(cases.calibre || cases.calibreActif);
  Mode_Expert = true;
  cases.expert = true;
  Applique_Mode_Expert(cases);
  EXPECT_FALSE(cases.calibreActif);

  // With the default standard in the program folder the fallback builds and validates.
  ASSERT_TRUE(construit(cases).construite);
  dir_.copy("correction/etalon.Etl", "EtalonCouleur.Etl");
  messages = Demarre_Couleur(cases);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_TRUE(Correction_Valide && Etalon_Charge);
  EXPECT_TRUE(cases.calibre && cases.calibreActif);
}

TEST_F(ScannerCorrection, AnotherStandardInvalidatesTheSameOneDoesNot) {
  CasesCouleur cases;
  Fic_Etalon = "/d/a.Etl";
  ASSERT_TRUE(construit(cases).construite);
  EXPECT_EQ(Choix_Etalon("/d/a.Etl", cases), "");
  EXPECT_TRUE(Correction_Valide && cases.calibre);
  EXPECT_EQ(Choix_Etalon("/d/b.Etl", cases), "Attention : Recharger éventuellement le fichier scanner !");
  EXPECT_EQ(Fic_Etalon, "/d/b.Etl");
  EXPECT_FALSE(Correction_Valide || Etalon_Charge);
  EXPECT_FALSE(cases.calibre || cases.calibreActif);

  // A bare name from older settings stands for the program folder: the same file.
  Fic_Etalon = "EtalonCouleur.Etl";
  ASSERT_TRUE(construit(cases).construite);
  EXPECT_EQ(Choix_Etalon(dir_.file("EtalonCouleur.Etl"), cases), "");
  EXPECT_TRUE(Correction_Valide && cases.calibre);
}

TEST_F(ScannerCorrection, ChoosingAScannerRebuildsAndUnticks) {
  Fic_Etalon = dataFile("correction/etalon.Etl");
  CasesCouleur cases;
  ResultatCorrection r = Choix_Scanner(dataFile("correction/scanner.Scn"), cases);
  EXPECT_TRUE(r.construite);
  EXPECT_EQ(Fic_Scanner, dataFile("correction/scanner.Scn"));
  EXPECT_TRUE(cases.calibreActif);
  EXPECT_FALSE(cases.calibre);
  r = Choix_Scanner(dataFile("correction/scanner3.Scn"), cases);
  EXPECT_FALSE(r.construite);
  EXPECT_FALSE(cases.calibreActif || cases.calibre);

  // With the standard gone, points of the previous scanner file do not stand for the
  // new one.
  ASSERT_TRUE(Choix_Scanner(dataFile("correction/scanner.Scn"), cases).construite);
  Fic_Etalon = dir_.file("parti.Etl");
  r = Choix_Scanner(dataFile("correction/scanner.Scn"), cases);
  EXPECT_TRUE(r.absent);
  EXPECT_FALSE(Correction_Valide);
  EXPECT_FALSE(cases.calibreActif || cases.calibre);
}

TEST_F(ScannerCorrection, ExpertBoxFollowsTheChartAndTheCorrection) {
  struct Case {
    bool modeExpert, valide, expert;
    bool actifAvant, actifApres;
  };
  const Case cases[] = {
      {false, true, false, true, false},  // not an expert chart: disabled
      {false, true, true, true, true},    // expert box ticked: enabled again
      {false, false, true, true, false},  // but never without a valid correction
      {true, true, false, true, true},    // expert chart: left as it was
      {true, false, false, false, false},
  };
  for (const Case& c : cases) {
    Mode_Expert = c.modeExpert;
    Correction_Valide = c.valide;
    CasesCouleur b{c.expert, c.actifAvant, c.actifAvant};
    Applique_Mode_Expert(b);
    EXPECT_EQ(b.calibreActif, c.actifApres) << c.modeExpert << c.valide << c.expert;
    if (!c.valide) {
      EXPECT_FALSE(b.calibre);
    }
  }
}

}  // namespace
