// Calibration files and the arithmetic of a marked calibration, without a window.
#include "measure/calibration_file.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "platform/runtime.h"

namespace {

class CalibrationFile : public ::testing::Test {
 protected:
  void TearDown() override { platform::SetDecimalSeparator(0); }
};

// A new file's header, then two entries, as the store appends them, in both decimal
// separators.
TEST_F(CalibrationFile, GoldenBytesOfANewFileWithTwoEntries) {
  const struct {
    char sep;
    const char* octets;
  } cas[] = {
      {'.', "ne pas modifier les donn\xE9" "es num\xE9riques !\r\n\r\nx63 plan =  0.05\r\nimmersion =  0.0125\r\n"},
      {',', "ne pas modifier les donn\xE9" "es num\xE9riques !\r\n\r\nx63 plan =  0,05\r\nimmersion =  0,0125\r\n"},
  };
  for (const auto& c : cas) {
    platform::SetDecimalSeparator(c.sep);
    std::string octets = "ne pas modifier les donn\xE9" "es num\xE9riques !\r\n\r\n";
    octets = Octets_Avec_Entree(octets, Ligne_Calibrage("x63 plan", 0.05));
    octets = Octets_Avec_Entree(octets, Ligne_Calibrage("immersion", 0.0125));
    EXPECT_EQ(octets, c.octets) << c.sep;
  }
}

TEST_F(CalibrationFile, AppendingKeepsTheEarlierBytesAndTheirEncoding) {
  const struct {
    const char* nom;
    std::string avant, ligne, apres;
  } cas[] = {
      {"empty file", "", "a = 1", "a = 1\r\n"},
      {"no final break", "x = 2", "a = 1", "x = 2\r\na = 1\r\n"},
      {"LF file", "x = 2\n", "a = 1", "x = 2\na = 1\r\n"},
      {"UTF-8 file", "\xC3\xA9t\xC3\xA9 = 2\r\n", "\xC3\xA9 = 1", "\xC3\xA9t\xC3\xA9 = 2\r\n\xC3\xA9 = 1\r\n"},
      {"1252 file, 1252 entry", "\xE9t\xE9 = 2\r\n", "\xC3\xA9 = 1", "\xE9t\xE9 = 2\r\n\xE9 = 1\r\n"},
      {"1252 file, entry beyond 1252", "\xE9 = 2\r\n", "\xE2\x84\x96 = 1",
       "\xC3\xA9 = 2\r\n\xE2\x84\x96 = 1\r\n"},
  };
  for (const auto& c : cas) EXPECT_EQ(Octets_Avec_Entree(c.avant, c.ligne), c.apres) << c.nom;
}

// Blank lines, the header lines and a line without "=" are skipped; values after the
// first "=", trimmed, with a comma or a point.
TEST_F(CalibrationFile, ReadersListEntriesAndReadTheirValues) {
  const std::vector<std::string> lignes = {kEnteteCalibrage, "", "   ", "sans signe", "a = 0,5", "b=0.5"};
  const std::vector<std::string> entrees = Entrees_Calibrage(lignes);
  ASSERT_EQ(entrees, (std::vector<std::string>{"a = 0,5", "b=0.5"}));
  for (const std::string& e : entrees) EXPECT_DOUBLE_EQ(Valeur_Ligne(e), 0.5) << e;
  EXPECT_EQ(Texte_Valeur("x = y = 3"), "y = 3");
  EXPECT_EQ(Texte_Valeur("pas de valeur"), "");
  EXPECT_DOUBLE_EQ(Valeur_Ligne("c ="), 0);
  EXPECT_TRUE(Ligne_Entree(" = 0.1"));
  EXPECT_FALSE(Ligne_Entree("  "));
}

TEST_F(CalibrationFile, NearestEntryNamesOnlyAnExactValueTheFirstOfEqualOnes) {
  const std::vector<std::string> entrees = {"zero = 0", "mot = abc", "x40 = 0,25", "x40 bis = 0.25",
                                            "x100 =  0.1"};
  EXPECT_EQ(Entree_Correspondante(entrees, 0.25), 2);
  EXPECT_EQ(Entree_Correspondante(entrees, 0.1), 4);
  EXPECT_EQ(Entree_Correspondante(entrees, 0.25 + 1E-9), -1);
  EXPECT_EQ(Entree_Correspondante(entrees, 0.3), -1);
  EXPECT_EQ(Entree_Correspondante({}, 1.0), -1);
  // Text that is no number is passed over, not taken for 0.
  EXPECT_EQ(Entree_Correspondante(entrees, 0), -1);
}

TEST_F(CalibrationFile, CommentsHoldingTheSeparatorsAreRefused) {
  std::string signe;
  EXPECT_TRUE(Commentaire_Interdit("a=b", &signe));
  EXPECT_EQ(signe, "=");
  EXPECT_TRUE(Commentaire_Interdit("x40;x60", &signe));
  EXPECT_EQ(signe, ";");
  EXPECT_FALSE(Commentaire_Interdit("x63 plan, huile", &signe));
  EXPECT_FALSE(Commentaire_Interdit("", nullptr));
}

// Values worked by hand.
TEST_F(CalibrationFile, ArithmeticOfMarkedCalibrations) {
  platform::SetDecimalSeparator('.');
  // Known length: 37.5 across 1500 units.
  EXPECT_EQ(platform::Format(Coefficient_Longueur(37.5, 1500), "###0.0000"), "0.0250");
  // Graduations: 90 divisions through x60 across 1800 units: 90 x 100 / 60 / 1800.
  EXPECT_EQ(platform::Format(Coefficient_Graduations(90, 60, 1800), "###0.0000"), "0.0833");
  // One division: 50 across 400 units, then 30 divisions across 900 units.
  EXPECT_EQ(platform::Format(Valeur_Division(400, 50, 900, 30), "###0.000"), "3.750");
  EXPECT_TRUE(std::isnan(Coefficient_Longueur(5, 0)));
  EXPECT_TRUE(std::isnan(Coefficient_Graduations(5, 0, 100)));
  EXPECT_TRUE(std::isnan(Coefficient_Graduations(5, -40, 100)));
  EXPECT_TRUE(std::isnan(Valeur_Division(0, 50, 900, 30)));
}

TEST_F(CalibrationFile, TypedValueBounds) {
  const struct {
    double v;
    Controle c;
  } cas[] = {{0.0001, Controle::Accepte},  {10000, Controle::Accepte},     {37.5, Controle::Accepte},
             {10000.5, Controle::Trop_Grand}, {0.00009, Controle::Trop_Petit}, {0, Controle::Trop_Petit},
             {-3, Controle::Trop_Petit},    {NAN, Controle::Trop_Petit},   {INFINITY, Controle::Trop_Grand}};
  for (const auto& c : cas) EXPECT_EQ(Controle_Valeur(c.v), c.c) << c.v;
}

// x = width x 0.001 / coefficient picks the grid's mask; the last true test wins.
TEST_F(CalibrationFile, AutomaticMask) {
  const struct {
    double largeur, c;
    const char* masque;
  } cas[] = {{3000, 0.025, "###0.00"},   {5000, 0.1, "###0.0"},    {5000, 0.01, "###0.00"},
             {5000, 0.001, "###0.000"}, {2000, 1, "###0"},         {500, 1, "inchangé"},
             {1000, 1, "inchangé"},      {0, 1, "inchangé"},       {3000, 0, "inchangé"}};
  for (const auto& c : cas) EXPECT_EQ(Masque_Automatique(c.largeur, c.c, "inchangé"), c.masque) << c.largeur << " " << c.c;
}

}  // namespace
