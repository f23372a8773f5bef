// Rows 8 to 12 of the statistics grid and the general number form they use.
#include <gtest/gtest.h>

#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "base/globals.h"
#include "forms/main_window.h"
#include "measure/measure_state.h"
#include "platform/dialogs.h"
#include "platform/events.h"
#include "platform/runtime.h"
#include "reports/deciles.h"
#include "reports/stat_rows.h"

namespace {

struct NumberCase {
  double x;
  const char* point;
  const char* comma;
};

// At most 15 significant digits, no trailing zeros, no decimals for whole numbers.
const NumberCase kNumbers[] = {
    {30, "30", "30"},
    {12.35, "12.35", "12,35"},
    {0.1 + 0.2, "0.3", "0,3"},   // 0.30000000000000004 held to 15 digits
    {-2.5, "-2.5", "-2,5"},
    {0, "0", "0"},
    {-0.0, "0", "0"},
    {123456789012345.0, "123456789012345", "123456789012345"},
    {1e20, "1E+20", "1E+20"},
    {1.5e-7, "1.5E-07", "1,5E-07"},
    {0.0001, "0.0001", "0,0001"},
};

TEST(StatRows, GeneralNumberForm) {
  for (const NumberCase& c : kNumbers) {
    platform::SetDecimalSeparator('.');
    EXPECT_EQ(generalNumber(c.x), c.point);
    platform::SetDecimalSeparator(',');
    EXPECT_EQ(generalNumber(c.x), c.comma);
  }
  EXPECT_EQ(generalNumber(std::numeric_limits<double>::quiet_NaN()), "0");
  EXPECT_EQ(generalNumber(std::numeric_limits<double>::infinity()), "0");
  platform::SetDecimalSeparator(0);
}

// Shows the main window once; questions of the start-up chain (a missing settings
// file...) get the neutral scripted answer.
void showMainWindow() {
  platform::setDialogs(std::make_unique<platform::ScriptedDialogs>());
  Qvl().show();
  platform::DoEvents();
  platform::setDialogs(nullptr);
}

// The statistics grid of the main window with a measurement grid of 30 rows and 7
// columns (row label, four values, image, comment); everything is put back afterwards.
class StatRowsWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::SetDecimalSeparator('.');
    showMainWindow();
    QVL& q = Qvl();
    saved_ = {q.GrilleRef.rows(), q.GrilleRef.cols(), q.GrilleRefP.rows(), q.GrilleRefP.cols(),
              LigneCourante, Der_Colonne, NbCellules};
    savedMask_ = Format_Decimal;
    q.GrilleRef.clear();
    q.GrilleRefP.clear();
    q.GrilleRef.setRows(30);
    q.GrilleRef.setCols(7);
    q.GrilleRefP.setRows(13);
    q.GrilleRefP.setCols(7);
    LigneCourante = 1;
    Der_Colonne = 4;
    NbCellules = 2;
    Format_Decimal = "###0.00";
    RAZ_Tableaux_Stat();
  }
  void TearDown() override {
    QVL& q = Qvl();
    q.GrilleRef.clear();
    q.GrilleRefP.clear();
    q.GrilleRef.setRows(saved_[0]);
    q.GrilleRef.setCols(saved_[1]);
    q.GrilleRefP.setRows(saved_[2]);
    q.GrilleRefP.setCols(saved_[3]);
    LigneCourante = saved_[4];
    Der_Colonne = saved_[5];
    NbCellules = saved_[6];
    Format_Decimal = savedMask_;
    RAZ_Tableaux_Stat();
    platform::SetDecimalSeparator(0);
  }
  void column(int c, const std::vector<std::string>& texts) {
    int r = 1;
    for (const std::string& t : texts) Qvl().GrilleRef.setTextMatrix(r++, c, t);
    if (r > LigneCourante) LigneCourante = r;
  }
  static std::string cell(int r, int c) { return Qvl().GrilleRefP.textMatrix(r, c); }
  std::vector<int> saved_;
  std::string savedMask_;
};

// Eleven values: median v5 = 12.35; D1 = v0 + 0.2 (v1 - v0) = 12.3; D9 = v9 + 0.8 (v10
// - v9) = 14.1.
const std::vector<std::string> kEleven = {"12.3", "12.3", "12.31", "12.32", "12.33", "12.35",
                                          "12.4", "12.5", "13",    "14.1",  "14.1"};

TEST_F(StatRowsWindow, TitlesAndValuesWithTheDefaultMask) {
  column(1, kEleven);
  column(2, {"2", "3", "4"});
  Entetes_Stat();
  QVL& f = Qvl();
  EXPECT_EQ(f.GrilleRefP.rows(), 13);
  EXPECT_EQ(cell(8, 0), "N=");
  EXPECT_EQ(cell(9, 0), "D1");
  EXPECT_EQ(cell(10, 0), "médiane");
  EXPECT_EQ(cell(11, 0), "D9");
  EXPECT_EQ(cell(12, 0), "Dom");
  EXPECT_EQ(cell(8, 1), "11");
  EXPECT_EQ(cell(9, 1), "12.30");
  EXPECT_EQ(cell(10, 1), "12.35");
  EXPECT_EQ(cell(11, 1), "14.10");
  // Fewer than 11 values: deciles 0 under the mask.
  EXPECT_EQ(cell(8, 2), "3");
  EXPECT_EQ(cell(9, 2), "0.00");
  EXPECT_EQ(cell(10, 2), "3");
  EXPECT_EQ(cell(11, 2), "0.00");
  // Empty columns: count and median 0.
  EXPECT_EQ(cell(8, 3), "0");
  EXPECT_EQ(cell(10, 4), "0");
  EXPECT_EQ(cell(12, 1), "");   // the dominant value is not written here
}

TEST_F(StatRowsWindow, MedianKeepsItsDigitsUnderAShortMask) {
  Format_Decimal = "###0.0";
  column(1, kEleven);
  Entetes_Stat();
  EXPECT_EQ(cell(9, 1), "12.3");
  EXPECT_EQ(cell(10, 1), "12.35");
  EXPECT_EQ(cell(11, 1), "14.1");
}

TEST_F(StatRowsWindow, CommaSeparator) {
  platform::SetDecimalSeparator(',');
  std::vector<std::string> comma;
  for (std::string t : kEleven) comma.push_back(platform::Replace(t, ".", ","));
  column(1, comma);
  Entetes_Stat();
  EXPECT_EQ(cell(8, 1), "11");
  EXPECT_EQ(cell(9, 1), "12,30");
  EXPECT_EQ(cell(10, 1), "12,35");
  EXPECT_EQ(cell(11, 1), "14,10");
}

TEST_F(StatRowsWindow, TwiceGivesTheSameGrid) {
  column(1, kEleven);
  column(3, {"1.5", "2.5"});
  Entetes_Stat();
  std::vector<std::string> first;
  QVL& f = Qvl();
  for (int r = 0; r < f.GrilleRefP.rows(); ++r)
    for (int c = 0; c < f.GrilleRefP.cols(); ++c) first.push_back(cell(r, c));
  Entetes_Stat();
  std::size_t i = 0;
  for (int r = 0; r < f.GrilleRefP.rows(); ++r)
    for (int c = 0; c < f.GrilleRefP.cols(); ++c) EXPECT_EQ(cell(r, c), first[i++]) << r << "," << c;
}

// Clearing the grid, then measuring one row: the count is that one row, never the
// count before the clear.
TEST_F(StatRowsWindow, AfterAClearOneRowCountsOne) {
  column(1, kEleven);
  column(2, kEleven);
  Entetes_Stat();
  ASSERT_EQ(cell(8, 1), "11");

  // The clear of the grid: texts emptied, cursor back to row 1, tables cleared.
  QVL& f = Qvl();
  for (int r = 1; r < f.GrilleRef.rows(); ++r)
    for (int c = 1; c < f.GrilleRef.cols(); ++c) f.GrilleRef.setTextMatrix(r, c, "");
  LigneCourante = 1;
  RAZ_Tableaux_Stat();

  f.GrilleRef.setTextMatrix(1, 1, "7.5");
  f.GrilleRef.setTextMatrix(1, 2, "3.25");
  LigneCourante = 2;
  Entetes_Stat();
  EXPECT_EQ(cell(8, 1), "1");
  EXPECT_EQ(cell(10, 1), "7.5");
  EXPECT_EQ(cell(9, 1), "0.00");
  EXPECT_EQ(cell(8, 2), "1");
  EXPECT_EQ(cell(10, 2), "3.25");
  EXPECT_EQ(cell(8, 3), "0");
}

// Columns beyond the per-column tables (above 8) show nothing rather than old texts.
TEST_F(StatRowsWindow, ColumnsBeyondTheTablesAreEmptied) {
  QVL& f = Qvl();
  f.GrilleRef.setCols(12);
  f.GrilleRefP.setCols(12);
  Der_Colonne = 9;
  for (int r = 8; r <= 11; ++r) f.GrilleRefP.setTextMatrix(r, 9, "old");
  column(9, {"1", "2"});
  column(8, {"4", "6"});
  Entetes_Stat();
  for (int r = 8; r <= 11; ++r) EXPECT_EQ(cell(r, 9), "") << r;
  EXPECT_EQ(cell(8, 8), "2");
  EXPECT_EQ(cell(10, 8), "5");
}

// The sorted list ends with the values of the last column, its middle one selected.
TEST_F(StatRowsWindow, ListEndsWithTheLastColumn) {
  column(1, kEleven);
  column(4, {"9", "7", "8"});
  Entetes_Stat();
  QVL& f = Qvl();
  ASSERT_EQ(f.Ldeci.listCount(), 3);
  EXPECT_EQ(f.Ldeci.list(0), "00007.0000");
  EXPECT_EQ(f.Ldeci.list(2), "00009.0000");
  EXPECT_EQ(f.Ldeci.listIndex(), 1);
  // With Der_Colonne 2 the last column treated is 2.
  Der_Colonne = 2;
  column(2, {"5"});
  Entetes_Stat();
  ASSERT_EQ(f.Ldeci.listCount(), 1);
  EXPECT_EQ(f.Ldeci.list(0), "00005.0000");
}

// A statistics grid with fewer rows is given its 13 rows.
TEST_F(StatRowsWindow, ShortStatisticsGridGrows) {
  Qvl().GrilleRefP.setRows(8);
  column(1, {"1"});
  Entetes_Stat();
  EXPECT_EQ(Qvl().GrilleRefP.rows(), 13);
  EXPECT_EQ(cell(8, 1), "1");
}

}  // namespace
