// Count, median and deciles of a grid column: the pure computation on sorted samples,
// the sort items, and Cdecile on the main window's measurement grid.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "forms/main_window.h"
#include "measure/measure_state.h"
#include "platform/dialogs.h"
#include "platform/events.h"
#include "platform/runtime.h"
#include "reports/deciles.h"

namespace {

// Samples v[i] = (i + 1)^2, so that each interpolation shows which two values it used.
std::vector<double> squares(int n) {
  std::vector<double> v;
  for (int i = 1; i <= n; ++i) v.push_back(static_cast<double>(i) * i);
  return v;
}

struct DecileCase {
  int n;
  double median;
  int medianItem;
  double d1;
  double d9;
};

// Worked by hand from the ranks (n + 1) / 10 and 9 (n + 1) / 10, m = n mod 10 + 1:
// n = 11: k = 1, D1 = v0 + 0.2 (v1 - v0) = 1 + 0.6 = 1.6; j = 10,
//         D9 = v9 + 0.8 (v10 - v9) = 100 + 0.8 x 21 = 116.8; median v5 = 36.
// n = 20: m = 1, k = 2, D1 = v1 + 0.1 (v2 - v1) = 4 + 0.5 = 4.5; j = 18,
//         D9 = v17 + 0.9 (v18 - v17) = 324 + 0.9 x 37 = 357.3; median (v9 + v10) / 2 = 110.5.
// n = 23: m = 4, k = 2, D1 = v1 + 0.4 (v2 - v1) = 4 + 2 = 6; j = 21,
//         D9 = v20 + 0.6 (v21 - v20) = 441 + 0.6 x 43 = 466.8; median v11 = 144.
// n = 29: m = 10, k = 2, D1 = v1 + 1.0 (v2 - v1) = 9; j = 27, D9 = v26 + 0 = 729.
const DecileCase kWorked[] = {
    {11, 36.0, 5, 1.6, 116.8},
    {20, 110.5, -1, 4.5, 357.3},
    {23, 144.0, 11, 6.0, 466.8},
    {29, 225.0, 14, 9.0, 729.0},
};

TEST(Deciles, WorkedExamples) {
  for (const DecileCase& c : kWorked) {
    SCOPED_TRACE(c.n);
    const std::vector<double> v = squares(c.n);
    const DecileSummary s = computeDeciles(v);
    EXPECT_EQ(s.n, c.n);
    EXPECT_DOUBLE_EQ(s.median, c.median);
    EXPECT_EQ(s.medianItem, c.medianItem);
    EXPECT_NEAR(s.d1, c.d1, 1e-12);
    EXPECT_NEAR(s.d9, c.d9, 1e-12);
  }
}

// Fewer than 11 values: deciles 0; the median for every n >= 1, 0 for none.
TEST(Deciles, SmallSamples) {
  const DecileSummary none = computeDeciles(std::vector<double>{});
  EXPECT_EQ(none.n, 0);
  EXPECT_EQ(none.median, 0.0);
  EXPECT_EQ(none.medianItem, -1);

  const DecileSummary one = computeDeciles(std::vector<double>{7.25});
  EXPECT_EQ(one.n, 1);
  EXPECT_EQ(one.median, 7.25);
  EXPECT_EQ(one.medianItem, 0);

  EXPECT_EQ(computeDeciles(std::vector<double>{2, 5}).median, 3.5);
  EXPECT_EQ(computeDeciles(std::vector<double>{2, 5, 9}).median, 5.0);
  EXPECT_EQ(computeDeciles(std::vector<double>{1, 2, 3, 4}).median, 2.5);
  const DecileSummary five = computeDeciles(std::vector<double>{1, 2, 3, 4, 5});
  EXPECT_EQ(five.median, 3.0);
  EXPECT_EQ(five.medianItem, 2);   // the third item

  const DecileSummary ten = computeDeciles(squares(10));
  EXPECT_EQ(ten.d1, 0.0);
  EXPECT_EQ(ten.d9, 0.0);
  EXPECT_EQ(ten.median, (25.0 + 36.0) / 2);
}

TEST(Deciles, ItemsHoldFourDecimalsWithTheSystemSeparator) {
  platform::SetDecimalSeparator('.');
  EXPECT_EQ(decileItem(12.34567), "00012.3457");
  EXPECT_EQ(decileItem(0.00005), "00000.0001");   // half away from zero
  EXPECT_EQ(decileItem(3), "00003.0000");
  EXPECT_EQ(decileValue(12.34567), 12.3457);
  platform::SetDecimalSeparator(',');
  EXPECT_EQ(decileItem(12.34567), "00012,3457");
  EXPECT_EQ(decileValue(12.34567), 12.3457);
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

// Cdecile on the main window: the fixture lays out a grid of 40 rows and 7 columns
// (row label, four values, image, comment) and puts everything back afterwards.
class CdecileWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::SetDecimalSeparator('.');
    showMainWindow();
    QVL& f = Qvl();
    savedRows_ = f.GrilleRef.rows();
    savedCols_ = f.GrilleRef.cols();
    savedLigne_ = LigneCourante;
    savedDer_ = Der_Colonne;
    f.GrilleRef.clear();
    f.GrilleRef.setRows(40);
    f.GrilleRef.setCols(7);
    Der_Colonne = 4;
    LigneCourante = 1;
    RAZ_Tableaux_Stat();
  }
  void TearDown() override {
    QVL& f = Qvl();
    f.GrilleRef.clear();
    f.GrilleRef.setRows(savedRows_);
    f.GrilleRef.setCols(savedCols_);
    LigneCourante = savedLigne_;
    Der_Colonne = savedDer_;
    RAZ_Tableaux_Stat();
    f.Ldeci.clear();
    platform::SetDecimalSeparator(0);
  }
  // Writes the texts into column c from row 1 and puts the cursor after them.
  void column(int c, const std::vector<std::string>& texts) {
    int r = 1;
    for (const std::string& t : texts) Qvl().GrilleRef.setTextMatrix(r++, c, t);
    if (r > LigneCourante) LigneCourante = r;
  }
  int savedRows_ = 0, savedCols_ = 0, savedLigne_ = 1, savedDer_ = 0;
};

TEST_F(CdecileWindow, CountsValuesOfEitherSignAboveTheThreshold) {
  // Usable: 3.5, 1,25 (comma), -4, 2, 0.00011 (rounds to 0.0001 in its item). Not
  // counted: "", "0", "0.0001" (not above it), "abc" (reads as 0).
  column(1, {"3.5", "", "0", "1,25", "-4", "0.0001", "2", "abc", "0.00011"});
  Cdecile(1);
  EXPECT_EQ(Stat_N(1), 5.0);
  EXPECT_DOUBLE_EQ(Stat_Mediane(1), 1.25);   // -4, 0.0001, 1.25, 2, 3.5
  EXPECT_EQ(Stat_D1(1), 0.0);
  EXPECT_EQ(Stat_D9(1), 0.0);
  // The items in the order of their values, the negative one first.
  QVL& f = Qvl();
  ASSERT_EQ(f.Ldeci.listCount(), 5);
  EXPECT_EQ(f.Ldeci.list(0), "-00004.0000");
  EXPECT_EQ(f.Ldeci.list(1), "00000.0001");
  EXPECT_EQ(f.Ldeci.list(4), "00003.5000");
  EXPECT_EQ(f.Ldeci.text(), "00001.2500");
}

TEST_F(CdecileWindow, TwentyThreeRowsGiveTheWorkedDeciles) {
  std::vector<std::string> texts;
  for (int i = 23; i >= 1; --i) texts.push_back(platform::CStr(static_cast<double>(i) * i));
  column(2, texts);   // written in descending order: Cdecile sorts
  Cdecile(2);
  EXPECT_EQ(Stat_N(2), 23.0);
  EXPECT_DOUBLE_EQ(Stat_Mediane(2), 144.0);
  EXPECT_NEAR(Stat_D1(2), 6.0, 1e-12);
  EXPECT_NEAR(Stat_D9(2), 466.8, 1e-12);
  QVL& f = Qvl();
  EXPECT_EQ(f.Ldeci.listIndex(), 11);
  EXPECT_EQ(f.Ldeci.text(), "00144.0000");
}

TEST_F(CdecileWindow, OneRowGivesCountOneAndItsMedian) {
  Stat_N(3) = 17;          // an earlier session's count
  Stat_Mediane(3) = 99;    // and median
  column(3, {"4.2"});
  ASSERT_EQ(LigneCourante, 2);
  Cdecile(3);
  EXPECT_EQ(Stat_N(3), 1.0);
  EXPECT_DOUBLE_EQ(Stat_Mediane(3), 4.2);
  EXPECT_EQ(Qvl().Ldeci.listIndex(), 0);
}

TEST_F(CdecileWindow, EmptyColumnGivesZeros) {
  Stat_N(1) = 5;
  Stat_Mediane(1) = 3;
  Stat_D1(1) = 1;
  LigneCourante = 1;
  Cdecile(1);
  EXPECT_EQ(Stat_N(1), 0.0);
  EXPECT_EQ(Stat_Mediane(1), 0.0);
  EXPECT_EQ(Stat_D1(1), 0.0);
  EXPECT_EQ(Qvl().Ldeci.listCount(), 0);
}

// Rows from LigneCourante on are not read (the row in progress).
TEST_F(CdecileWindow, RowInProgressIsNotRead) {
  column(1, {"1", "2", "3"});
  Qvl().GrilleRef.setTextMatrix(4, 1, "50");   // cell of the row being measured
  Cdecile(1);
  EXPECT_EQ(Stat_N(1), 3.0);
  EXPECT_EQ(Stat_Mediane(1), 2.0);
}

TEST_F(CdecileWindow, ColumnsOutsideTheirBoundsChangeNothing) {
  column(1, {"1", "2", "3"});
  for (int c = 0; c <= 8; ++c) Stat_N(c) = 42;
  Cdecile(5);    // beyond Der_Colonne
  Cdecile(0);
  Cdecile(-3);
  Cdecile(9);    // beyond the tables
  Der_Colonne = 8;
  Cdecile(7);    // beyond the grid's 7 columns
  for (int c = 0; c <= 8; ++c) EXPECT_EQ(Stat_N(c), 42.0) << c;
}

// A cursor past the last row (full grid) reads every row the grid has.
TEST_F(CdecileWindow, FullGridReadsItsLastRow) {
  QVL& f = Qvl();
  f.GrilleRef.setRows(4);
  column(1, {"1", "2", "6"});
  LigneCourante = 4;
  Cdecile(1);
  EXPECT_EQ(Stat_N(1), 3.0);
  LigneCourante = 9;
  Cdecile(1);
  EXPECT_EQ(Stat_N(1), 3.0);
  EXPECT_EQ(Stat_Mediane(1), 2.0);
}

TEST_F(CdecileWindow, CommaSeparatorGivesTheSameValues) {
  platform::SetDecimalSeparator(',');
  column(1, {"1,5", "2.5", "3,25", "0,75", "10"});
  Cdecile(1);
  EXPECT_EQ(Stat_N(1), 5.0);
  EXPECT_DOUBLE_EQ(Stat_Mediane(1), 2.5);
  EXPECT_EQ(Qvl().Ldeci.list(0), "00000,7500");
  EXPECT_EQ(Qvl().Ldeci.text(), "00002,5000");
}

TEST(Deciles, ClearCoversEveryColumnOfEveryTable) {
  for (auto* t : {&Stat_N, &Stat_Mediane, &Stat_D1, &Stat_D9, &Stat_Col4})
    for (int c = 0; c <= 8; ++c) (*t)(c) = c + 1.5;
  RAZ_Tableaux_Stat();
  for (auto* t : {&Stat_N, &Stat_Mediane, &Stat_D1, &Stat_D9, &Stat_Col4})
    for (int c = 0; c <= 8; ++c) EXPECT_EQ((*t)(c), 0.0) << c;
}

}  // namespace
