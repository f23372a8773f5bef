// The statistics summary: golden texts in the six notation types, and its edges.
#include "reports/summary.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "golden.h"
#include "report_window.h"

namespace {

using report_window::kOnzeSpores;
using report_window::ReportWindow;

bool contains(const std::string& text, const std::string& piece) {
  return text.find(piece) != std::string::npos;
}

TEST_F(ReportWindow, SummaryInEveryNotationType) {
  ReportModel m = spores2D(kOnzeSpores);
  m.Leiosporee = true;
  m.Img_Active = "/data/spores/IMG_0412.jpg";
  for (int t = 1; t <= 6; ++t) {
    m.Type_Notation = t;
    const StatSummary s = Texte_Resume(m);
    EXPECT_FALSE(s.insufficient);
    EXPECT_FALSE(s.notices.grilleIncomplete);
    golden::expectFile("summary_spore2d/type" + std::to_string(t) + ".txt", s.text);
    EXPECT_EQ(Texte_Resume(m).text, s.text) << "a second run differs, type " << t;
  }
}

TEST_F(ReportWindow, SummaryOfNineRows) {
  ReportModel m = spores2D(std::vector<report_window::Spore>(kOnzeSpores.begin(), kOnzeSpores.begin() + 9));
  m.Type_Notation = 1;
  m.Fic_CSV_Import = "/data/results/IMG_0412- mesure Spore 2D.csv";
  const StatSummary s = Texte_Resume(m);
  EXPECT_TRUE(s.insufficient);
  EXPECT_TRUE(contains(s.text, "\r\nCSV importé : IMG_0412- mesure Spore 2D.csv\r\n"));
  EXPECT_TRUE(contains(s.text, "Type notation  : D1,9\r\nLong. : \tN =9 ; D1,9 ; (8.40)0.00 - 0.00(13.00)"));
  EXPECT_FALSE(contains(s.text, "médiane"));
  EXPECT_TRUE(contains(s.text, "\r\nNotation : m ± sigma\r\n Lxl:N= 9 ; m ± sigma ; ("));
}

TEST(Summary, VolumesOfSporesInThreeDimensions) {
  platform::SetDecimalSeparator('.');
  ReportModel m;
  m.FonctionCourante = 3;
  m.Der_Colonne = 5;
  m.GrilleRef = TextGrid(2, 8);
  m.GrilleRefP = TextGrid(13, 8);
  m.Type_Notation = 2;
  m.Legendes_Notation[2] = "D1,5,9";
  m.Stat_Mediane = {0, 10, 8, 6};
  m.Volume = 250.125;
  m.Sigma_Volume = 31.4;
  StatSummary s = Texte_Resume(m);
  // 3.14159 x 10 x 8 x 6 / 6 = 251.3272.
  EXPECT_TRUE(contains(s.text,
                       "\r\n\r\nVol. estimé /moy.3D = 250.13  Sigma_Vol = 31.40\r\n"
                       "Vol  estimé /médiane 3D = 251.33\r\n"
                       "Vol  estimé /dominante 3D = 0.00\r\n *** voir documentation\r\n"));
  EXPECT_TRUE(s.notices.grilleIncomplete);  // no measured row: no dominant value
  EXPECT_FALSE(contains(s.text, "Notation : "));
  m.Volume = 0;
  s = Texte_Resume(m);
  EXPECT_TRUE(contains(s.text, "\r\n\r\nVol. Approx.3D = NC \r\n"));
  EXPECT_FALSE(contains(s.text, "Vol  estimé"));
  // No notation ticked: neither the notation line nor the column lines.
  m.Type_Notation = 0;
  s = Texte_Resume(m);
  EXPECT_FALSE(contains(s.text, "Type notation"));
  EXPECT_FALSE(contains(s.text, "N ="));
  platform::SetDecimalSeparator(0);
}

}  // namespace
