// Notations of measured columns, on statistics computed by the program from a grid.
#include "reports/notations.h"

#include <gtest/gtest.h>

#include <string>

#include "report_window.h"
#include "reports/column_values.h"

namespace {

using report_window::kOnzeSpores;
using report_window::ReportWindow;

// The lengths 8.4, 9.1, 9.6, 10.0, 10.2, 10.5, 10.9, 11.3, 11.8, 12.4, 13.0: D1 8.54,
// median 10.5, D9 12.88 (numpy.percentile, method "weibull"); mean 10.65, sigma 1.34,
// skewness 0.12, kurtosis 2.13 (scipy.stats.skew, scipy.stats.kurtosis with fisher
// False); the dominant 10.55 from an independent transcription of the search.
TEST_F(ReportWindow, ReferenceColumn) {
  const ReportModel m = spores2D(kOnzeSpores);
  const struct {
    int row;
    const char* text;
  } cells[] = {{1, "10.65"}, {2, "8.40"}, {3, "13.00"}, {4, "1.34"},  {5, "0.12"},
               {6, "2.13"},  {8, "11"},   {9, "8.54"},  {10, "10.5"}, {11, "12.88"}};
  for (const auto& c : cells) EXPECT_EQ(m.GrilleRefP.text(c.row, 1), c.text) << "row " << c.row;
  EXPECT_NEAR(Stat_Colonne(m, 1), 10.55, 1e-9);

  const struct {
    int type;
    const char* notation;
  } notations[] = {
      {1, " : N= 11 ;D1,9; (8.40)8.54-12.88(13.00)"},
      {2, " (8.40)8.54-10.50-12.88(13.00)"},
      {3, " (8.40)9.31-11.99(13.00)"},
      {4, " (8.40)8.02-13.28(13.00)"},
      {5, " (8.40)8.54-10.55-12.88(13.00)"},
      {6, " (8.40)8.54-10.65-12.88(13.00)"},
      {7, ""},
      {0, ""},
  };
  for (const auto& n : notations) EXPECT_EQ(Notation_Colonne(m, n.type, 1), n.notation) << "type " << n.type;
}

// Functions other than spores in two dimensions fall back to mean and sigma below 11
// measured rows; the titles and labels keep their exact spacing.
TEST(Notations, MeasuresTextByFunction) {
  ReportModel m;
  m.GrilleRefP = TextGrid(13, 10);
  m.Type_Notation = 1;
  m.Legendes_Notation = {"", "D1,9", "D1,5,9", "m ± sigma"};
  const char* column[] = {"", "10.00", "8.00", "12.00", "1.00", "", "", "", "", "8.50", "", "11.50"};
  for (int c = 1; c <= 8; ++c) {
    for (int r = 1; r <= 11; ++r) m.GrilleRefP.setText(r, c, column[r]);
    m.Stat_N[static_cast<std::size_t>(c)] = 11;
  }
  const std::string d19 = " : N= 11 ;D1,9; (8.00)8.50-11.50(12.00)\r\n",
                    sigma = " (8.00)9.00-11.00(12.00)\r\n";
  const struct {
    int function, nextRow, mode;
    std::string text;
  } cases[] = {
      {4, 12, 0, "Notation D1,9 ; N = 11\r\nLongueur :" + d19 + "Base : " + d19 + "M : " + d19},
      {4, 11, 0, "Notation m ± sigma ; N = 11\r\nLongueur :" + sigma + "Base : " + sigma + "M : " + sigma},
      {16, 11, 0,
       "m ± sigma ; N = 11\r\nSurface :" + sigma + "périmètre : " + sigma + "Rm : " + sigma + "F : " + sigma},
      {1, 11, 1, "Longueur : m ± sigma ; N = 11" + sigma},
      {10, 12, 1, ""},
      {22, 12, 1, ""},
  };
  for (const auto& c : cases) {
    m.FonctionCourante = c.function;
    m.LigneCourante = c.nextRow;
    EXPECT_EQ(Texte_Mesures(m, c.mode), c.text) << c.function;
  }
  // Spores in two dimensions keep the decile type; the segment function has no width
  // part in the length-by-width notation, whatever the type.
  m.FonctionCourante = 2;
  EXPECT_EQ(Texte_Mesures(m, 1).substr(0, 20), " Lxl: N= 11 ;D1,9; (");
  m.FonctionCourante = 1;
  for (int t = 1; t <= 6; ++t) EXPECT_EQ(Notation_LxL(m, t).find(" x "), std::string::npos) << t;
}

}  // namespace
