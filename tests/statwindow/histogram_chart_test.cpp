// Histogram classes, caption and bars, without a window.
#include "statwindow/histogram_chart.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/runtime.h"
#include "statwindow/chart_log.h"
#include "statwindow/table_grid.h"

namespace {

const std::vector<std::string> kLongueurs = {"6,2", "7,5", "5,1", "8,8", "6,9", "7,2", "5,8", "9,4", "7,7"};

class HistogramChart : public ::testing::Test {
 protected:
  void SetUp() override { platform::SetDecimalSeparator(','); }
  void TearDown() override { platform::SetDecimalSeparator(0); }
};

TEST_F(HistogramChart, CountsEveryValueIntoItsClassTheMaximumInTheLast) {
  const TableGrid g({kLongueurs});
  const auto h = Classes_Histogramme(g, 1, 9, 5);
  ASSERT_TRUE(h);
  EXPECT_EQ(h->effectifs, (std::vector<int>{2, 1, 3, 1, 2}));
  EXPECT_EQ(h->nbValeurs, 9);
  EXPECT_EQ(h->min.row, 3);
  EXPECT_EQ(h->max.row, 8);
  EXPECT_NEAR(h->largeur, 0.86, 1e-12);
  EXPECT_EQ(Legende_Histogramme("Long.", *h, "###0.00", "\r\n"),
            "Long. :   5  classes de largeur 0,86 :  Min (3)= 5,10   Max(8)= 9,40\r\n"
            "5,10\\ 5,96\\ 6,82\\ 7,68\\ 8,54\\ 9,40\\ ");
}

TEST_F(HistogramChart, EachSeriesReadsItsOwnRowsAndSkipsEmptyCells) {
  // A 0 in column 1 and an empty cell in column 2: column 2 still counts its 4 values,
  // and rows past lastRow are not read.
  const TableGrid g({{"1", "0", "3", "4", "99"}, {"2", "", "6", "8", "1000"}});
  const auto h2 = Classes_Histogramme(g, 2, 4, 2);
  ASSERT_TRUE(h2);
  EXPECT_EQ(h2->nbValeurs, 3);
  EXPECT_EQ(h2->effectifs, (std::vector<int>{1, 2}));   // width 3: 2 | 6, 8
  const auto h1 = Classes_Histogramme(g, 1, 4, 2);
  ASSERT_TRUE(h1);
  EXPECT_EQ(h1->min.value, 0);
  EXPECT_EQ(h1->nbValeurs, 4);
}

TEST_F(HistogramChart, SeriesThatCannotBeDrawnGiveNothing) {
  const struct {
    std::vector<std::string> cells;
    int N;
  } cases[] = {
      {{}, 5},                     // no value
      {{"4,2"}, 5},                // one value
      {{"3", "3", "3"}, 5},        // all equal
      {{"1", "2", "3"}, 1},        // too few classes
      {{"1", "2", "3"}, 22},       // too many
      {{"-3", "-1", "-2"}, 40},
  };
  for (const auto& c : cases) EXPECT_FALSE(Classes_Histogramme(TableGrid({c.cells}), 1, 20, c.N)) << c.N;
  // Negative values only are drawn (the largest is found below 0).
  const auto h = Classes_Histogramme(TableGrid({{"-3", "-1", "-2"}}), 1, 20, 2);
  ASSERT_TRUE(h);
  EXPECT_EQ(h->max.value, -1);
  EXPECT_EQ(h->effectifs, (std::vector<int>{1, 2}));
}

TEST_F(HistogramChart, ClassCountTextIsBroughtIntoRange) {
  const struct {
    const char* texte;
    int n;
  } cases[] = {{"5", 5}, {"1", 2}, {"0", 2}, {"", 2}, {"abc", 2}, {"-4", 2},
               {"20", 20}, {"21", 21}, {"30", 21}, {"4.5", 4}, {"5.5", 6}};
  for (const auto& c : cases) EXPECT_EQ(Nombre_Classes(c.texte), c.n) << c.texte;
}

TEST_F(HistogramChart, UnitsKeepTheHeightOfOneValueReal) {
  const struct {
    int classes, valeurs, slot;
    double hauteur;
  } cases[] = {{5, 9, 170, 208.3333333}, {2, 3000, 425, 0.25}, {21, 10, 40, 787.5}, {4, 4, 212, 375}};
  for (const auto& c : cases) {
    const HistogramUnits u = Unites_Histogramme(c.classes, c.valeurs);
    EXPECT_EQ(u.slot, c.slot) << c.classes;
    EXPECT_NEAR(u.hauteur, c.hauteur, 1e-6) << c.classes;
  }
}

TEST_F(HistogramChart, BarsStandInTheirSlotsEachSeriesShiftedBy20) {
  const TableGrid g({kLongueurs, kLongueurs});
  const auto h = Classes_Histogramme(g, 1, 9, 5);
  ASSERT_TRUE(h);
  ChartLog log;
  platform::Colour fore = 0;
  Trace_Histogramme(log, *h, 1, fore);
  Trace_Histogramme(log, *h, 2, fore);
  const auto bleu = log.of('b', platform::QBColor(1));
  ASSERT_EQ(bleu.size(), 5u);
  const double attendu[][4] = {{32, 100, 50, 516.6667}, {202, 100, 220, 308.3333}, {372, 100, 390, 725}};
  for (int i = 0; i < 3; ++i) {
    EXPECT_DOUBLE_EQ(bleu[i].x1, attendu[i][0]);
    EXPECT_DOUBLE_EQ(bleu[i].y1, attendu[i][1]);
    EXPECT_DOUBLE_EQ(bleu[i].x2, attendu[i][2]);
    EXPECT_NEAR(bleu[i].y2, attendu[i][3], 1e-3);
  }
  const auto vert = log.of('b', platform::QBColor(2));
  ASSERT_EQ(vert.size(), 5u);
  EXPECT_DOUBLE_EQ(vert[0].x1, 52);
  EXPECT_DOUBLE_EQ(vert[0].x2, 70);
  // The first series' axes in the black fore colour and six black ticks per series at
  // the class limits; "Max." after the last one; the second series' axes take the
  // first series' colour.
  const auto noires = log.of('l', platform::QBColor(0));
  ASSERT_EQ(noires.size(), 2u + 12u);
  EXPECT_DOUBLE_EQ(noires[7].x1, 880);
  const ChartLog::Text* max = log.find("Max.");
  ASSERT_NE(max, nullptr);
  EXPECT_DOUBLE_EQ(max->x, 880);
  EXPECT_EQ(log.of('l', platform::QBColor(1)).size(), 4u);   // marks of series 1, axes of series 2
  EXPECT_EQ(fore, platform::QBColor(2));
}

TEST_F(HistogramChart, ManyValuesStillGiveVisibleBars) {
  std::vector<std::string> cells;
  for (int i = 0; i < 3000; ++i) cells.push_back(i % 2 ? "2" : "1");
  const auto h = Classes_Histogramme(TableGrid({cells}), 1, 3000, 2);
  ASSERT_TRUE(h);
  ChartLog log;
  platform::Colour fore = 0;
  Trace_Histogramme(log, *h, 1, fore);
  for (const auto& b : log.of('b', platform::QBColor(1))) EXPECT_NEAR(b.y2 - b.y1, 375, 1e-9);
}

}  // namespace
