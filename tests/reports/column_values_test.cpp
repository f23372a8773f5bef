// The dominant value of a grid column and the spore shape class.
#include "reports/column_values.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/runtime.h"

namespace {

// A model whose grid column 1 holds the given texts in rows 1, 2, ...
ReportModel columnModel(const std::vector<std::string>& texts) {
  ReportModel m;
  m.GrilleRef = TextGrid(static_cast<int>(texts.size()) + 2, 3);
  for (std::size_t k = 0; k < texts.size(); ++k) m.GrilleRef.setText(static_cast<int>(k) + 1, 1, texts[k]);
  m.LigneCourante = static_cast<int>(texts.size()) + 1;
  return m;
}

// The reference sample gives 10.55 (an independent transcription of the successive-
// narrowing search), with either decimal mark; fewer than five values give 0; a
// column whose cells are all empty, zero or words has nothing to count.
TEST(ColumnValues, DominantValueOfAColumn) {
  const struct {
    std::vector<std::string> cells;
    double dominant;
    bool incomplete;
  } cases[] = {
      {{"10.5", "8.4", "12.4", "9.6", "11.3", "10.0", "13.0", "9.1", "10.9", "11.8", "10.2"}, 10.55, false},
      {{"10,5", "8,4", "12,4", "9,6", "11,3", "10,0", "13,0", "9,1", "10,9", "11,8", "10,2"}, 10.55, false},
      {{"0", "12.5", "", "11.8"}, 0, false},
      {{"0", "", "-3", "abc"}, 0, false},
      {{"0", "", "0,00", "abc"}, 0, true},
  };
  for (const auto& c : cases) {
    ReportNotices n;
    EXPECT_NEAR(Stat_Colonne(columnModel(c.cells), 1, &n), c.dominant, 1e-9) << c.cells[0];
    EXPECT_EQ(n.grilleIncomplete, c.incomplete) << c.cells[0];
  }
  // Rows from LigneCourante on are not measured; a column outside the grid has nothing.
  ReportModel m = columnModel({"5", "5", "5", "5", "5", "9"});
  m.LigneCourante = 3;
  EXPECT_EQ(Stat_Colonne(m, 1), 0);
  ReportNotices n;
  EXPECT_EQ(Stat_Colonne(m, 7, &n), 0);
  EXPECT_TRUE(n.grilleIncomplete);
}

// Single-precision thresholds against Q held in single precision (numpy.float32): a
// mean written on a threshold falls in the upper class.
TEST(ColumnValues, ShapeClassInSinglePrecision) {
  const struct {
    double meanQ;
    const char* shape;
  } cases[] = {{1.049, "Globuleuse"},     {1.05, "Subglobuleuse"},
               {1.1499, "Subglobuleuse"}, {1.15, "Largement ellipsoïde"},
               {1.3, "Ellipsoïde"},       {1.5999, "Ellipsoïde"},
               {1.6, "Oblongue "},        {2.0, " Cylindrique  "},
               {2.99, " Cylindrique  "},  {3.0, " Bacilliforme   "},
               {4.5, " Bacilliforme   "}};
  for (const auto& c : cases) EXPECT_EQ(Classe_Spore(static_cast<float>(c.meanQ)), c.shape) << c.meanQ;
}

TEST(ColumnValues, ShapeLineOnlyForTickedTwoDimensionSpores) {
  platform::SetDecimalSeparator(',');
  ReportModel m;
  m.GrilleRefP = TextGrid(13, 7);
  const struct {
    bool ticked;
    int function;
    const char* meanQ;
    const char* line;
  } cases[] = {{true, 2, "1,60", " type de spore :  Oblongue \r\n"},
               {true, 2, "1.30", " type de spore :  Ellipsoïde\r\n"},
               {false, 2, "1.30", ""},
               {true, 3, "1.30", ""},
               {true, 2, "", ""},
               {true, 2, "NaN", ""},
               {true, 2, "1.3x", ""}};
  for (const auto& c : cases) {
    m.Leiosporee = c.ticked;
    m.FonctionCourante = c.function;
    m.GrilleRefP.setText(1, 3, c.meanQ);
    EXPECT_EQ(Type_Spore(m), c.line) << c.ticked << " " << c.function << " " << c.meanQ;
  }
  // Texts that are not whole numbers pass the mask unchanged.
  for (const char* t : {"", "Moy", "1 / 3 / ", "12 mm", "1.2.3", "inf"})
    EXPECT_EQ(masqueTexte(t, "###0.00"), t);
  EXPECT_EQ(masqueTexte(" 12.345\t", "###0.00"), "12,35");
  platform::SetDecimalSeparator(0);
}

}  // namespace
