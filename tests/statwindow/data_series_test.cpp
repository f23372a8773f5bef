// A series read from a data text and described, without a window.
#include "statwindow/data_series.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "platform/runtime.h"

namespace {

const std::string kTreize = "4,6;3,2;5,1;2,8;3,9;4,4;6,2;3,5;4,1;2,9;5,6;3,7;4,8;";

// Pins the decimal separator for one test.
class Separator {
 public:
  explicit Separator(char c) { platform::SetDecimalSeparator(c); }
  ~Separator() { platform::SetDecimalSeparator(0); }
};

std::vector<double> charge(const std::string& texte) {
  const auto s = Mcharge_data(texte);
  return s ? s->donnees : std::vector<double>{};
}

ResultText resultats(const std::vector<double>& d, const std::array<float, 17>& modes, int nb,
                     const std::string& libelle = "X") {
  ResultInput in;
  in.horodatage = "01/02/2024 - 10:20:30";
  in.colonne = "1";
  in.nomColonne = "Long.";
  in.libelle = libelle;
  in.donnees = d;
  in.modes = modes;
  in.nbModes = nb;
  return Texte_Resultats(in);
}

TEST(DataSeries, LoadingReadsEveryPieceBeforeASemicolonSorted) {
  const struct {
    const char* texte;
    std::vector<double> attendu;   // elements 1 to n
  } cases[] = {
      {"1,2;3,4;", {1.2, 3.4}},
      {"1,2;3,4;5", {1.2, 3.4}},      // after the last ";": not a value
      {"3;1.5;2;", {1.5, 2, 3}},      // point or comma, sorted
      {";", {0}},                     // an empty piece counts as 0
      {"1;\r\n2;\n3;", {1, 2, 3}},    // typed on several lines
      {"abc;7;", {0, 7}},
  };
  for (const auto& c : cases) {
    const std::vector<double> d = charge(c.texte);
    ASSERT_EQ(d.size(), c.attendu.size() + 1) << c.texte;
    EXPECT_EQ(d[0], 0) << c.texte;
    for (size_t i = 0; i < c.attendu.size(); ++i) EXPECT_DOUBLE_EQ(d[i + 1], c.attendu[i]) << c.texte;
  }
  EXPECT_FALSE(Mcharge_data("abc"));
  EXPECT_FALSE(Mcharge_data(""));
}

TEST(DataSeries, MedianForEveryCountDecilesFromEleven) {
  // Deciles at ranks (n + 1) / 10 and 9 (n + 1) / 10 (numpy percentile, method
  // "weibull"); medians by hand.
  const struct {
    std::string texte;
    double mediane, d1, d9;
  } cases[] = {
      {"5;", 5, 0, 0},
      {"3;1;2;", 2, 0, 0},
      {"1;2;3;4;", 2.5, 0, 0},
      {"1;2;3;4;5;", 3, 0, 0},
      {"1;2;3;4;5;6;7;8;9;10;", 5.5, 0, 0},
      {"1;2;3;4;5;6;7;8;9;10;11;", 6, 1.2, 10.8},
      {kTreize, 4.1, 2.84, 5.96},
  };
  for (const auto& c : cases) {
    const MedianDeciles m = SCdecile(charge(c.texte));
    // Exact: the interpolations are rounded to 15 significant digits.
    EXPECT_EQ(m.mediane, c.mediane) << c.texte;
    EXPECT_EQ(m.d1, c.d1) << c.texte;
    EXPECT_EQ(m.d9, c.d9) << c.texte;
  }
  EXPECT_EQ(SCdecile(std::vector<double>{0}).mediane, 0);
}

TEST(DataSeries, MeanAndDeviations) {
  // Python statistics.mean, pstdev and stdev of the same values.
  const std::vector<double> d = charge(kTreize);
  const MeanDeviation m = Calcul_Moy_ET(d);
  EXPECT_NEAR(m.moyenne, 4.2153846153846155, 1e-14);
  EXPECT_NEAR(m.ecartType, 0.9929336129688195, 1e-14);
  EXPECT_NEAR(Ecart_Type_Estime(m.ecartType, 13), 1.033478070922128, 1e-14);
  EXPECT_EQ(Ecart_Type_Estime(0.5, 1), 0);
  const MeanDeviation vide = Calcul_Moy_ET(std::vector<double>{0});
  EXPECT_EQ(vide.moyenne, 0);
  EXPECT_EQ(vide.ecartType, 0);
}

TEST(DataSeries, ResultLinesWithEitherSeparator) {
  const struct {
    char sep;
    std::vector<std::string> lignes;
  } cases[] = {
      {',', {"13 données", " Minimum = 2,8", " Maximum = 6,2", " D1 = 2,84", " D9 = 5,96", " Médiane = 4,1",
             " Moyenne = 4,22", " Ecart-type vrai = 0,9929", " Ecart-type estimé = 1,0335",
             "X : N=13; (2,8)2,84-5,96(6,2)"}},
      {'.', {"13 données", " Minimum = 2.8", " Maximum = 6.2", " D1 = 2.84", " D9 = 5.96", " Médiane = 4.1",
             " Moyenne = 4.22", " Ecart-type vrai = 0.9929", " Ecart-type estimé = 1.0335",
             "X : N=13; (2.8)2.84-5.96(6.2)"}},
  };
  for (const auto& c : cases) {
    Separator sep(c.sep);
    const ResultText r = resultats(charge(kTreize), {}, 1);
    const std::string texte = r.full();
    EXPECT_EQ(texte.rfind("01/02/2024 - 10:20:30\r\ncol 1 : Long.\r\n", 0), 0u);
    for (const std::string& l : c.lignes) EXPECT_NE(texte.find("\r\n" + l + "\r\n"), std::string::npos) << l;
    EXPECT_EQ(r.entete + r.modes + r.statistiques, texte);
  }
}

TEST(DataSeries, WholeResultTextOfOneAndThreeValues) {
  Separator sep(',');
  const std::array<float, 17> modes{};
  // One value: no estimated deviation; fewer than five values: the PDM is 0.
  EXPECT_EQ(resultats(charge("5;"), modes, 1, "").full(),
            "01/02/2024 - 10:20:30\r\ncol 1 : Long.\r\n1 données\r\n Minimum = 5\r\n Maximum = 5\r\n"
            " PDM  = ,\r\n D1 = 0,\r\n D9 = 0,\r\n Médiane = 5,\r\n Moyenne = 5,\r\n Ecart-type vrai = 0,\r\n"
            "Notation D1,D9 \r\n : N=1; (5)0,-0,(5)\r\nNotation D1,PDM,D9 \r\n : N=1; (5)0,-,-0,(5)\r\n");
  const std::string trois = resultats(charge("1;2;3;"), modes, 1).full();
  EXPECT_NE(trois.find(" Médiane = 2,\r\n Moyenne = 2,\r\n Ecart-type vrai = 0,8165\r\n"
                       " Ecart-type estimé = 1,\r\n"),
            std::string::npos)
      << trois;
}

TEST(DataSeries, ModeLinesListAcceptedModesThenTheSlotBeingMarked) {
  Separator sep(',');
  std::array<float, 17> modes{};
  modes[0] = 5.0f;
  modes[1] = 3.2f;
  modes[2] = 6.1f;
  modes[3] = 9.9f;   // a value in the slot being marked is not listed
  EXPECT_EQ(Lignes_Modes(modes, 1), " PDM  = 5,\r\n");
  EXPECT_EQ(Lignes_Modes(modes, 3), " PDMS 1 = 3,2\r\n PDMS 2 = 6,1\r\n PDMS 3 = 5,\r\n");
  modes[0] = 0.5f;
  EXPECT_EQ(Lignes_Modes(modes, 2), " PDMS 1 = 3,2\r\n PDMS 2 = ,5\r\n");
  // Beyond the last slot only the accepted ones.
  EXPECT_EQ(Lignes_Modes(modes, 17).find(" PDMS 17"), std::string::npos);
  // The notation uses the current PDM.
  const std::string t = resultats(charge(kTreize), modes, 3).full();
  EXPECT_NE(t.find("X : N=13; (2,8)2,84-,5-5,96(6,2)"), std::string::npos);
  EXPECT_NE(t.find(" Maximum = 6,2\r\n PDMS 1 = 3,2\r\n"), std::string::npos);
}

TEST(DataSeries, PasteGivesOneValuePerFilledCell) {
  const struct {
    const char* presse;
    const char* texte;
  } cases[] = {
      {"1.25\t2.5\r\n\t3.75\r\n4\r\n", "1,25;2,5;3,75;4;"},   // an empty cell gives nothing
      {"1.5\t2\r\n3\r\n", "1,5;2;3;"},
      {"1\t2", "1;2"},                                         // no final line end
      {"1\t \t2\n3\n", "1;2;3;"},                              // blank cell, LF line ends
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(Texte_Colle(c.presse), c.texte) << c.presse;
}

TEST(DataSeries, IndexSearchComparesAsSinglePrecision) {
  const std::vector<double> d = {0, 1, 2, 2, 3, 10};
  const struct {
    float absc;
    int dte, attendu;
  } cases[] = {
      {1.5f, 0, 2}, {0.5f, 0, 1}, {11, 0, 0}, {2, 0, 2},    // first at or above
      {3, 1, 3},    {2, 1, 1},    {0.5f, 1, 0}, {10, 1, 5}, // last below, or n
      {11, 1, 5},   {2, 2, 0},
  };
  for (const auto& c : cases) EXPECT_EQ(Mcherche_Xi(d, c.absc, c.dte), c.attendu) << c.absc << " " << c.dte;
  // 0.3 is below 0.3f in double precision but equal in single.
  EXPECT_EQ(Mcherche_Xi(std::vector<double>{0, 0.1, 0.2, 0.3}, 0.3f, 0), 3);
  EXPECT_EQ(Mcherche_Xi(std::vector<double>{0}, 1, 0), 0);
}

TEST(DataSeries, ValuesBetweenLimits) {
  platform::SetDecimalSeparator(',');
  const std::vector<double> d = {0, 1, 2, 2, 3, 10};
  const struct {
    float b1, b2;
    int i1, i2;
    const char* texte;
    const char* nb;
  } cases[] = {
      {1.5f, 3, 2, 3, "2;2;", "2 ::  * "},
      {3, 1.5f, 2, 3, "2;2;", "2 ::  * "},                  // right to left
      {0, 11, 1, 5, "1;2;2;3;10;", "5 pts # ,6"},
      {1.5f, 10.5f, 2, 5, "2;2;3;10;", "4 pts # ,5"},
  };
  for (const auto& c : cases) {
    const auto m = Valeurs_Entre(d, c.b1, c.b2);
    ASSERT_TRUE(m) << c.b1;
    EXPECT_EQ(m->indice1, c.i1);
    EXPECT_EQ(m->indice2, c.i2);
    EXPECT_EQ(m->texte, c.texte);
    EXPECT_EQ(m->nbParUnite, c.nb);
  }
  EXPECT_FALSE(Valeurs_Entre(d, 11, 12));   // both above the largest value
  EXPECT_FALSE(Valeurs_Entre(d, 4, 5));     // between two values
  EXPECT_EQ(Valeurs_Hors(d, 2, 3), "1;3;10;");
  EXPECT_EQ(Valeurs_Hors(d, 1, 5), "");
  platform::SetDecimalSeparator(0);
}

}  // namespace
