// Column functions on a grid model, without a window.
#include "statwindow/grid_columns.h"
#include "statwindow/table_grid.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace {

TEST(GridColumns, CountSkipsEmptyZeroAndTextCells) {
  const TableGrid g({{"1,5", "", "0", "abc", "2.25", "0,00", "-3", "7x"}}, 12);
  // 1,5  2.25  -3 and the leading 7 of "7x": four cells read as non-zero numbers.
  EXPECT_EQ(Nb_Lignes_Colonne(g, 1), 4);
  EXPECT_EQ(Nb_Lignes_Colonne(g, 2), 0);   // a column beyond the data
}

TEST(GridColumns, EqualMinimaGiveTheFirstRow) {
  const TableGrid g({{"5", "6", "2,5", "8", "9", "7", "2.5", "4"}});
  const ColumnExtreme m = Min_Colonne(g, 1, 8);
  EXPECT_DOUBLE_EQ(m.value, 2.5);
  EXPECT_EQ(m.row, 3);
  const TableGrid h({{"9", "1", "9", "3"}});
  const ColumnExtreme x = Max_Colonne(h, 1, 4);
  EXPECT_DOUBLE_EQ(x.value, 9);
  EXPECT_EQ(x.row, 1);
}

TEST(GridColumns, ZeroInColumnOneDoesNotShortenOtherColumns) {
  // Ten filled rows; row 3 of column 1 holds 0, so column 1 counts nine values.
  const TableGrid g({{"4", "5", "0", "6", "7", "5", "4", "6", "5", "7"},
                     {"2,1", "2,3", "2,2", "2,0", "2,4", "2,2", "2,1", "2,5", "1,9", "2,8"}});
  EXPECT_EQ(Nb_Lignes_Colonne(g, 1), 9);
  const ColumnExtreme m = Min_Colonne(g, 2, 10);
  const ColumnExtreme x = Max_Colonne(g, 2, 10);
  EXPECT_DOUBLE_EQ(m.value, 1.9);
  EXPECT_EQ(m.row, 9);
  EXPECT_DOUBLE_EQ(x.value, 2.8);
  EXPECT_EQ(x.row, 10);
  // The 0 itself is a value of column 1.
  EXPECT_EQ(Min_Colonne(g, 1, 10).row, 3);
}

TEST(GridColumns, AllNegativeColumnHasItsTrueMaximum) {
  const TableGrid g({{"-4,5", "-1,25", "-3", "-1,25", "-7"}});
  const ColumnExtreme x = Max_Colonne(g, 1, 5);
  EXPECT_DOUBLE_EQ(x.value, -1.25);
  EXPECT_EQ(x.row, 2);
  const ColumnExtreme m = Min_Colonne(g, 1, 5);
  EXPECT_DOUBLE_EQ(m.value, -7);
  EXPECT_EQ(m.row, 5);
}

TEST(GridColumns, EmptyColumnAndEmptyGrid) {
  const TableGrid vide({{"", "", ""}}, 4);
  const TableGrid sansLigne({}, 1);
  for (const ColumnGrid* g : {static_cast<const ColumnGrid*>(&vide), static_cast<const ColumnGrid*>(&sansLigne)}) {
    EXPECT_EQ(Nb_Lignes_Colonne(*g, 1), 0);
    const ColumnExtreme m = Min_Colonne(*g, 1, 3);
    const ColumnExtreme x = Max_Colonne(*g, 1, 3);
    EXPECT_EQ(m.value, 999999999.0);
    EXPECT_EQ(m.row, 0);
    EXPECT_EQ(x.value, 0.0);
    EXPECT_EQ(x.row, 0);
  }
}

TEST(GridColumns, ExtremesSkipTextAndStopAtTheLastFilledRow) {
  const TableGrid g({{"3", "n.m.", "1,5 µm", "", "4", "0,5", "12"}}, 20);
  // Rows 1 to 5 only: "n.m." and "1,5 µm" are not numbers, row 4 is empty.
  EXPECT_EQ(Min_Colonne(g, 1, 5).row, 1);
  EXPECT_EQ(Max_Colonne(g, 1, 5).row, 5);
  // A last row beyond the grid reads to the grid's end.
  EXPECT_EQ(Min_Colonne(g, 1, 500).row, 6);
  EXPECT_EQ(Max_Colonne(g, 1, 500).row, 7);
  EXPECT_EQ(Max_Colonne(g, 1, 0).row, 0);
}

TEST(GridColumns, PowerOfTen) {
  const double inf = std::numeric_limits<double>::infinity();
  const struct {
    double x;
    int expected;
  } cases[] = {{0.5, 1},      {10, 1},     {10.5, 10},  {11, 10},    {1000, 100}, {99999, 10000},
               {100000, 10000}, {100001, 0}, {200000, 0}, {-50, 1},    {0, 1},      {1e300, 0},
               {inf, 0},      {-inf, 0},   {std::nan(""), 0}};
  for (const auto& c : cases) EXPECT_EQ(Puissance_Dix(c.x), c.expected) << c.x;
}

TEST(GridColumns, CellNumbers) {
  const struct {
    const char* text;
    bool ok;
    double value;
  } cases[] = {{"12,5", true, 12.5}, {" 3.25 ", true, 3.25}, {"-4", true, -4}, {"+2", true, 2},
               {"1e3", true, 1000}, {"0", true, 0},       {"", false, 0},    {"  ", false, 0},
               {"abc", false, 0},   {"12abc", false, 0},  {"1.234,5", false, 0}, {"inf", false, 0},
               {"nan", false, 0},   {"1e400", false, 0},  {"--1", false, 0}};
  for (const auto& c : cases) {
    double v = -99;
    EXPECT_EQ(ReadGridNumber(c.text, v), c.ok) << c.text;
    if (c.ok) {
      EXPECT_DOUBLE_EQ(v, c.value) << c.text;
    }
  }
}

}  // namespace
