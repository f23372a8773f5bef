// Grid statistics: the column summary and the spore volume as pure functions, then
// Calcul_stat and the statistics controls on the main window.
#include <gtest/gtest.h>

#include <cmath>

#include <memory>
#include <string>
#include <vector>

#include "base/globals.h"
#include "forms/main_window.h"
#include "measure/grid_statistics.h"
#include "measure/measure_state.h"
#include "platform/dialogs.h"
#include "platform/events.h"
#include "platform/runtime.h"
#include "reports/stat_rows.h"
#include "support/user_input.h"

namespace {

// --- pure ------------------------------------------------------------------------

// 2, 4, 4, 4, 5, 5, 7, 9 (rows 1 to 8): mean 5; deviations -3, -1, -1, -1, 0, 0, 2, 4
// give variance 32/8 = 4 (sigma 2, population form), m3 = 42/8 = 5.25 (skewness
// 5.25/8 = 0.65625) and m4 = 356/8 = 44.5 (kurtosis 44.5/16 = 2.78125).
TEST(ColumnSummary, TextbookColumn) {
  const std::vector<double> v = {2, 4, 4, 4, 5, 5, 7, 9};
  const ColumnSummary s = summariseColumn(v);
  EXPECT_EQ(s.n, 8);
  EXPECT_DOUBLE_EQ(s.mean, 5.0);
  EXPECT_DOUBLE_EQ(s.sigma, 2.0);
  EXPECT_DOUBLE_EQ(s.skewness, 0.65625);
  EXPECT_DOUBLE_EQ(s.kurtosis, 2.78125);
  EXPECT_EQ(s.min, 2.0);
  EXPECT_EQ(s.minRow, 1);
  EXPECT_EQ(s.max, 9.0);
  EXPECT_EQ(s.maxRow, 8);
}

// Zeros (empty cells) count nowhere; a negative value counts like any other, and is
// the minimum when it is the smallest; a value of 99999 or more is the minimum when it
// is the smallest; equal extremes: first row.
TEST(ColumnSummary, ExtremesFollowTheirRules) {
  // rows:                      1  2   3   4  5       6  7   8
  const std::vector<double> v = {0, 3, -6, 3, 100000, 0, 9, 9};
  const ColumnSummary s = summariseColumn(v);
  EXPECT_EQ(s.n, 6);
  EXPECT_DOUBLE_EQ(s.mean, (3 - 6 + 3 + 100000 + 9 + 9) / 6.0);
  EXPECT_EQ(s.min, -6.0);
  EXPECT_EQ(s.minRow, 3);
  EXPECT_EQ(s.max, 100000.0);
  EXPECT_EQ(s.maxRow, 5);

  // The volumes of an uncalibrated picture: all far above 99999.
  const ColumnSummary big = summariseColumn(std::vector<double>{828882328.5, 0, 150000, 99999.5});
  EXPECT_EQ(big.min, 99999.5);
  EXPECT_EQ(big.minRow, 4);
  EXPECT_EQ(big.max, 828882328.5);
  EXPECT_EQ(big.maxRow, 1);

  const ColumnSummary ties = summariseColumn(std::vector<double>{4, 1, 7, 1, 7});
  EXPECT_EQ(ties.minRow, 2);
  EXPECT_EQ(ties.maxRow, 3);
}

TEST(ColumnSummary, EmptyAndSingleColumns) {
  const ColumnSummary none = summariseColumn(std::vector<double>{0, 0, 0});
  EXPECT_EQ(none.n, 0);
  EXPECT_EQ(none.mean, 0.0);
  EXPECT_EQ(none.sigma, 0.0);
  EXPECT_EQ(none.min, 99999.0);
  EXPECT_EQ(none.max, 0.0);
  EXPECT_EQ(none.minRow, 0);
  EXPECT_EQ(none.maxRow, 0);

  const ColumnSummary one = summariseColumn(std::vector<double>{0, 6.5});
  EXPECT_EQ(one.n, 1);
  EXPECT_EQ(one.sigma, 0.0);
  EXPECT_EQ(one.skewness, 0.0);
  EXPECT_EQ(one.kurtosis, 0.0);
  EXPECT_EQ(one.minRow, 2);
  EXPECT_EQ(one.maxRow, 2);

  // Negative values only: the largest is the maximum.
  const ColumnSummary neg = summariseColumn(std::vector<double>{-1, -3});
  EXPECT_EQ(neg.n, 2);
  EXPECT_DOUBLE_EQ(neg.mean, -2.0);
  EXPECT_DOUBLE_EQ(neg.sigma, 1.0);
  EXPECT_EQ(neg.min, -3.0);
  EXPECT_EQ(neg.minRow, 2);
  EXPECT_EQ(neg.max, -1.0);
  EXPECT_EQ(neg.maxRow, 1);
}

// Means 10, 6, 5: 3.14159 x 300 / 6 = 157.0795. With sigmas 1, 1, 1 the deviation is
// 3.14159 / 6 x sqrt(60^2 + 50^2 + 30^2) = 3.14159 / 6 x sqrt(7000).
TEST(ColumnSummary, SporeVolume) {
  const SporeVolume a = sporeVolume(10, 6, 5, 0, 0, 0);
  EXPECT_NEAR(a.volume, 157.0795, 1e-9);
  EXPECT_EQ(a.sigma, 0.0);
  const SporeVolume b = sporeVolume(10, 6, 5, 1, 1, 1);
  EXPECT_NEAR(b.sigma, 3.14159 / 6 * 83.66600265340756, 1e-9);
  const SporeVolume c = sporeVolume(1e300, 1e300, 1e300, 1, 1, 1);
  EXPECT_EQ(c.volume, 0.0);   // overflow
  EXPECT_EQ(c.sigma, 0.0);
}

// --- the main window -------------------------------------------------------------

// Shows the main window once; questions of the start-up chain (a missing settings
// file...) get the neutral scripted answer.
void showMainWindow() {
  platform::setDialogs(std::make_unique<platform::ScriptedDialogs>());
  Qvl().show();
  platform::DoEvents();
  platform::setDialogs(nullptr);
}

// Texts and back colours of every cell of a grid, to compare before and after.
struct GridImage {
  int rows = 0, cols = 0;
  std::vector<std::string> texts;
  std::vector<platform::Colour> colours;
  explicit GridImage(const platform::FlexGrid& g) : rows(g.rows()), cols(g.cols()) {
    for (int r = 0; r < rows; ++r)
      for (int c = 0; c < cols; ++c) {
        texts.push_back(g.textMatrix(r, c));
        colours.push_back(g.cellBackColor(r, c));
      }
  }
  bool operator==(const GridImage&) const = default;
};

// Layout of the spores in two dimensions: N°, L, l, Q, V, img, comment (7 columns,
// statistics over columns 1 to 4); the measurement grid holds 20 rows.
class CalculStat : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::SetDecimalSeparator('.');
    showMainWindow();
    QVL& f = Qvl();
    auto d = std::make_unique<platform::ScriptedDialogs>();
    dialogs_ = d.get();
    platform::setDialogs(std::move(d));
    saved_ = {f.GrilleRef.rows(), f.GrilleRef.cols(), f.GrilleRefP.rows(), f.GrilleRefP.cols(),
              LigneCourante, FonctionCourante, Der_Colonne};
    savedMask_ = Format_Decimal;
    layout(20, {"N°", "L", "l", "Q", "V", "img", "comment"});
    FonctionCourante = 1;
    Format_Decimal = "###0.00";
    LigneCourante = 1;
    f.Check(3).setValue(1);
  }
  void TearDown() override {
    QVL& f = Qvl();
    f.Check(3).setValue(1);
    f.GrilleRef.clear();
    f.GrilleRefP.clear();
    f.GrilleRef.setRows(saved_[0]);
    f.GrilleRef.setCols(saved_[1]);
    f.GrilleRefP.setRows(saved_[2]);
    f.GrilleRefP.setCols(saved_[3]);
    LigneCourante = saved_[4];
    FonctionCourante = saved_[5];
    Der_Colonne = saved_[6];
    Format_Decimal = savedMask_;
    ValMesure(0) = ValMesure(1) = 0;
    EXPECT_TRUE(dialogs_->unanswered().empty());
    platform::setDialogs(nullptr);
    platform::SetDecimalSeparator(0);
  }
  static void layout(int rows, const std::vector<std::string>& headings) {
    QVL& f = Qvl();
    f.GrilleRef.clear();
    f.GrilleRefP.clear();
    f.GrilleRef.setRows(rows);
    f.GrilleRef.setCols(static_cast<int>(headings.size()));
    f.GrilleRefP.setRows(13);
    f.GrilleRefP.setCols(static_cast<int>(headings.size()));
    for (int c = 0; c < static_cast<int>(headings.size()); ++c) f.GrilleRef.setTextMatrix(0, c, headings[c]);
  }
  // Writes the texts into column c from row 1; the cursor goes to the row after them.
  static void column(int c, const std::vector<std::string>& texts) {
    int r = 1;
    for (const std::string& t : texts) Qvl().GrilleRef.setTextMatrix(r++, c, t);
    if (r > LigneCourante) LigneCourante = r;
  }
  static std::string stat(int r, int c) { return Qvl().GrilleRefP.textMatrix(r, c); }
  static platform::Colour colour(int r, int c) { return Qvl().GrilleRef.cellBackColor(r, c); }
  int msgBoxes() const {
    int n = 0;
    for (const auto& a : dialogs_->log()) n += a.kind == "msgBox";
    return n;
  }

  platform::ScriptedDialogs* dialogs_ = nullptr;
  std::vector<int> saved_;
  std::string savedMask_;
};

const std::vector<std::string> kTextbook = {"2", "4", "4", "4", "5", "5", "7", "9"};

TEST_F(CalculStat, TextbookColumnWithTheDefaultMask) {
  column(1, kTextbook);
  Calcul_stat();
  // Rows 1 to 7 of column 1: mean, min, max, sigma, skewness, kurtosis, m/s.
  EXPECT_EQ(stat(1, 1), "5.00");
  EXPECT_EQ(stat(2, 1), "2.00");
  EXPECT_EQ(stat(3, 1), "9.00");
  EXPECT_EQ(stat(4, 1), "2.00");
  EXPECT_EQ(stat(5, 1), "0.66");   // 0.65625
  EXPECT_EQ(stat(6, 1), "2.78");   // 2.78125
  EXPECT_EQ(stat(7, 1), "2.50");   // 5 / 2
  // Titles, headings and the "index" heading of the last column.
  const char* titles[] = {"N°", "Moy", "Min", "Max", "Sigma", "Diss", "Kurt", "m/s"};
  for (int r = 0; r <= 7; ++r) EXPECT_EQ(stat(r, 0), titles[r]) << r;
  EXPECT_EQ(stat(0, 1), "L");
  EXPECT_EQ(stat(0, 4), "V");
  EXPECT_EQ(stat(0, 5), "");        // column Cols - 2 untouched
  EXPECT_EQ(stat(0, 6), "index");
  // Lists of the rows of the extremes, one per statistics column.
  EXPECT_EQ(stat(2, 6), "1 / 0 / 0 / 0 / ");
  EXPECT_EQ(stat(3, 6), "8 / 0 / 0 / 0 / ");
  QVL& f = Qvl();
  EXPECT_EQ(f.GrilleRefP.cellAlignment(2, 6), platform::kAlignLeftCentre);
  EXPECT_EQ(f.GrilleRefP.cellAlignment(3, 6), platform::kAlignLeftCentre);
  // Marks: the 2 green, the 9 yellow, the rest and row 0 light green.
  EXPECT_EQ(colour(1, 1), kVertMinimum);
  EXPECT_EQ(colour(8, 1), kJauneMaximum);
  for (int r = 2; r <= 7; ++r) EXPECT_EQ(colour(r, 1), kVertGrille) << r;
  EXPECT_EQ(colour(0, 1), kVertGrille);
  EXPECT_EQ(f.GrilleRef.backColor(), kVertGrille);
  EXPECT_EQ(f.GrilleRefP.backColor(), kVertGrille);
  // Current cells left by the procedure.
  EXPECT_EQ(f.GrilleRef.row(), 0);
  EXPECT_EQ(f.GrilleRef.col(), 4);
  EXPECT_EQ(f.GrilleRefP.row(), 3);
  EXPECT_EQ(f.GrilleRefP.col(), 6);
}

TEST_F(CalculStat, CommaSeparator) {
  platform::SetDecimalSeparator(',');
  column(1, kTextbook);
  column(2, {"1,5", "2,5"});
  Calcul_stat();
  EXPECT_EQ(stat(1, 1), "5,00");
  EXPECT_EQ(stat(5, 1), "0,66");
  EXPECT_EQ(stat(6, 1), "2,78");
  EXPECT_EQ(stat(7, 1), "2,50");
  EXPECT_EQ(stat(1, 2), "2,00");
  EXPECT_EQ(stat(4, 2), "0,50");
}

// An empty grid: mean 0, minimum 99999, maximum 0, no shape, no m/s, "0 / " lists.
TEST_F(CalculStat, EmptyGrid) {
  Calcul_stat();
  for (int c = 1; c <= 4; ++c) {
    EXPECT_EQ(stat(1, c), "0.00");
    EXPECT_EQ(stat(2, c), "99999.00");
    EXPECT_EQ(stat(3, c), "0.00");
    EXPECT_EQ(stat(4, c), "0.00");
    EXPECT_EQ(stat(5, c), "0.00");
    EXPECT_EQ(stat(6, c), "0.00");
    EXPECT_EQ(stat(7, c), "");
  }
  EXPECT_EQ(stat(2, 6), "0 / 0 / 0 / 0 / ");
}

// Volumes of an uncalibrated picture, all above 99999: the minimum is the smallest of
// them and its cell is marked.
TEST_F(CalculStat, LargeValuesHaveTheirOwnMinimum) {
  column(1, {"828882328.50", "150000.25", "99999.50"});
  Calcul_stat();
  EXPECT_EQ(stat(2, 1), "99999.50");
  EXPECT_EQ(stat(3, 1), "828882328.50");
  EXPECT_EQ(stat(2, 6).substr(0, 4), "3 / ");
  EXPECT_EQ(colour(3, 1), kVertMinimum);
  EXPECT_EQ(colour(1, 1), kJauneMaximum);
}

// Each column finds its own extremes: a column of zeros and blanks marks nothing and
// lists 0, whatever the column before it found.
TEST_F(CalculStat, ExtremesAreResetForEachColumn) {
  column(1, kTextbook);
  column(2, {"0", "", "0", "", "0"});
  column(3, {"3", "1", "3"});
  Calcul_stat();
  EXPECT_EQ(stat(2, 6), "1 / 0 / 2 / 0 / ");
  EXPECT_EQ(stat(3, 6), "8 / 0 / 1 / 0 / ");
  for (int r = 1; r <= 9; ++r) EXPECT_EQ(colour(r, 2), kVertGrille) << r;
  EXPECT_EQ(colour(2, 3), kVertMinimum);
  EXPECT_EQ(colour(1, 3), kJauneMaximum);
  EXPECT_EQ(colour(3, 3), kVertGrille);   // the equal 3 below is not marked
}

// One value: sigma 0, the shape 0, m/s empty, its cell yellow (both extremes).
TEST_F(CalculStat, OneValueEndsYellow) {
  column(1, {"4.5"});
  Calcul_stat();
  EXPECT_EQ(stat(4, 1), "0.00");
  EXPECT_EQ(stat(5, 1), "0.00");
  EXPECT_EQ(stat(7, 1), "");
  EXPECT_EQ(colour(1, 1), kJauneMaximum);
}

// Statistics of an earlier state never stay: after the grid is cleared, every row
// shows the empty grid's values, the m/s row included, and the marks are gone.
TEST_F(CalculStat, NothingStaysFromAnEarlierGrid) {
  column(1, kTextbook);
  Calcul_stat();
  ASSERT_EQ(stat(7, 1), "2.50");
  QVL& f = Qvl();
  for (int r = 1; r < f.GrilleRef.rows(); ++r)
    for (int c = 1; c < f.GrilleRef.cols(); ++c) f.GrilleRef.setTextMatrix(r, c, "");
  LigneCourante = 1;
  Calcul_stat();
  EXPECT_EQ(stat(1, 1), "0.00");
  EXPECT_EQ(stat(3, 1), "0.00");
  EXPECT_EQ(stat(7, 1), "");
  EXPECT_EQ(stat(2, 6), "0 / 0 / 0 / 0 / ");
  EXPECT_EQ(colour(1, 1), kVertGrille);

  // A constant column after a spread one: m/s emptied (sigma 0.001 or less).
  column(1, {"3", "3.0005", "3"});
  Calcul_stat();
  EXPECT_EQ(stat(4, 1), "0.00");
  EXPECT_EQ(stat(7, 1), "");
}

// A negative value counts, in the grid statistics and in the counts, medians and
// deciles, and can be the minimum. Empty cells, zeros and words count nowhere, but in
// the colour zone a written 0 is a value: (0, -2, 5, 0,00, 3) there, (-2, 5, 3)
// elsewhere.
TEST_F(CalculStat, NegativeValuesCountAndZerosOnlyForColours) {
  Der_Colonne = 4;
  column(1, {"0", "", "-2", "5", "0,00", "3", "abc"});
  const struct {
    int fonction;
    const char *moy, *min, *n, *mediane;
  } cas[] = {{1, "2.00", "-2.00", "3", "3"}, {20, "1.20", "-2.00", "5", "0"}};
  for (const auto& c : cas) {
    FonctionCourante = Fonction_Grille = c.fonction;
    Calcul_stat();
    Entetes_Stat();
    EXPECT_EQ(stat(1, 1), c.moy) << c.fonction;
    EXPECT_EQ(stat(2, 1), c.min) << c.fonction;
    EXPECT_EQ(stat(3, 1), "5.00") << c.fonction;
    EXPECT_EQ(stat(8, 1), c.n) << c.fonction;
    EXPECT_EQ(stat(10, 1), c.mediane) << c.fonction;
    EXPECT_EQ(stat(2, 6).substr(0, 4), "3 / ") << c.fonction;
    EXPECT_EQ(colour(3, 1), kVertMinimum) << c.fonction;
  }
}

TEST_F(CalculStat, VolumeColumnOfTwoDimensionsShowsOneDecimal) {
  FonctionCourante = 2;
  column(4, {"10.26", "20.5"});
  column(3, {"10.26", "20.5"});
  Calcul_stat();
  EXPECT_EQ(stat(1, 4), "15.4");   // 15.38
  EXPECT_EQ(stat(2, 4), "10.3");
  EXPECT_EQ(stat(4, 4), "5.1");    // 5.12
  EXPECT_EQ(stat(1, 3), "15.38");
  EXPECT_EQ(stat(7, 4), "3.00");   // m/s keeps the display mask
}

// Spores in three dimensions: the volume of the mean spore from the displayed means.
TEST_F(CalculStat, VolumeOfTheMeanSpore) {
  layout(20, {"N°", "L", "l", "e", "Q", "Q2", "img", "comment"});
  FonctionCourante = 3;
  column(1, {"10", "10"});
  column(2, {"6", "6"});
  column(3, {"5", "5"});
  Calcul_stat();
  EXPECT_NEAR(ValMesure(0), 157.0795, 1e-9);
  EXPECT_EQ(ValMesure(1), 0.0);
  // With spread: lengths 9 and 11 (mean 10, sigma 1), the rest constant:
  // sigma of the volume = 3.14159 / 6 x 6 x 5 x 1 = 15.7079...
  column(1, {"9", "11"});
  Calcul_stat();
  EXPECT_NEAR(ValMesure(0), 157.0795, 1e-9);
  EXPECT_NEAR(ValMesure(1), 3.14159 / 6 * 30, 1e-9);
}

// "Calc..stat." unticked: neither grid changes, whatever the grid holds.
TEST_F(CalculStat, UntickedChangesNothing) {
  column(1, kTextbook);
  Calcul_stat();
  QVL& f = Qvl();
  f.Check(3).setValue(0);
  EXPECT_EQ(f.GrilleRefP.backColor(), kGrisStatArret);
  column(1, {"1", "1", "1", "50"});
  column(2, {"3"});
  const GridImage g(f.GrilleRef), p(f.GrilleRefP);
  Calcul_stat();
  EXPECT_TRUE(GridImage(f.GrilleRef) == g);
  EXPECT_TRUE(GridImage(f.GrilleRefP) == p);
  EXPECT_EQ(stat(1, 1), "5.00");
  // Ticking it again recomputes at once.
  f.Check(3).setValue(1);
  EXPECT_EQ(f.GrilleRefP.backColor(), kVertGrille);
  EXPECT_EQ(stat(1, 2), "3.00");
}

// A full grid: every row it has is counted, and the notice comes once until the grid
// has room again.
TEST_F(CalculStat, FullGridCountsItsRowsAndWarnsOnce) {
  layout(5, {"N°", "L", "l", "img", "comment"});
  column(1, {"2", "4", "6", "8"});
  ASSERT_EQ(LigneCourante, 5);   // past the last row (4)
  dialogs_->answerMsgBox(platform::vbOK);
  Calcul_stat();
  EXPECT_EQ(stat(1, 1), "5.00");
  EXPECT_EQ(stat(3, 1), "8.00");
  EXPECT_EQ(colour(4, 1), kJauneMaximum);
  ASSERT_EQ(msgBoxes(), 1);
  EXPECT_EQ(dialogs_->log().back().text, "grille pleine - cf options");
  Calcul_stat();
  Calcul_stat();
  EXPECT_EQ(msgBoxes(), 1);
  // Room again (a row undone), then full again: one more notice.
  LigneCourante = 4;
  Calcul_stat();
  EXPECT_EQ(msgBoxes(), 1);
  LigneCourante = 5;
  dialogs_->answerMsgBox(platform::vbOK);
  Calcul_stat();
  EXPECT_EQ(msgBoxes(), 2);
}

// Grids smaller than the layout: indices outside them are skipped, nothing throws.
TEST_F(CalculStat, SmallerStatisticsGridIsSkippedNotOverrun) {
  column(1, kTextbook);
  column(4, {"1", "2"});
  QVL& f = Qvl();
  f.GrilleRefP.setCols(3);
  f.GrilleRefP.setRows(5);
  EXPECT_NO_THROW(Calcul_stat());
  EXPECT_EQ(stat(1, 1), "5.00");
  EXPECT_EQ(stat(4, 1), "2.00");
  EXPECT_EQ(colour(2, 4), kJauneMaximum);

  f.GrilleRef.setCols(2);   // no statistics column at all
  EXPECT_NO_THROW(Calcul_stat());
}

TEST_F(CalculStat, ButtonsRewriteTheStatisticsRows) {
  Der_Colonne = 4;
  column(1, {"1", "2", "3"});
  QVL& f = Qvl();
  const bool grille = f.Frame(6).visible();
  f.Frame(6).setVisible(true);   // the grid frame holds the buttons
  for (int i = 0; i <= 2; ++i) {
    f.GrilleRefP.setTextMatrix(8, 1, "");
    user::click(f.cmdStat(i));
    EXPECT_EQ(stat(8, 0), "N=");
    EXPECT_EQ(stat(8, 1), "3") << i;
    EXPECT_EQ(stat(10, 1), "2") << i;
  }
  f.Frame(6).setVisible(grille);
}

}  // namespace
