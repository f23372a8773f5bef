// The display grid: size changes keep or drop rows with their texts and colours,
// every index is checked, the current cell, colours, widths and scrolling; then the
// widget driven for real on the offscreen platform: mouse clicks, keys, and the
// rendered cells.

#include "platform/flexgrid.h"

#include <gtest/gtest.h>

#include <QAbstractScrollArea>
#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPixmap>
#include <QScrollBar>
#include <QWidget>

#include <cmath>
#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/form.h"

namespace platform {
namespace {

std::string label(int r, int c) { return std::to_string(r) + "," + std::to_string(c); }

class FlexGridTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form.move(0, 0, 9000, 7000);
    grid = std::make_unique<FlexGrid>(form, "Grille");
    grid->move(0, 0, 6000, 4000);
  }
  void TearDown() override { grid.reset(); }

  // Every cell of an r x c grid holds "row,col".
  void fill(int r, int c) {
    grid->setRows(r);
    grid->setCols(c);
    for (int i = 0; i < r; ++i)
      for (int j = 0; j < c; ++j) grid->setTextMatrix(i, j, label(i, j));
  }

  void showForm() {
    form.show();
    for (int i = 0; i < 5; ++i) QApplication::processEvents();
  }

  QAbstractScrollArea* area() const { return static_cast<QAbstractScrollArea*>(grid->widget()); }

  // Centre of cell (r, c) in pixels of the grid widget, from the grid's own twips.
  QPoint cellCentre(int r, int c) const {
    const double x = grid->colPos(c) + grid->colWidth(c) / 2;
    const double y = grid->rowPos(r) + grid->rowHeight(r) / 2;
    return QPoint(static_cast<int>(x / 15), static_cast<int>(y / 15));
  }

  // A mouse event of the given kind at a point of the grid widget, sent to the
  // viewport where the cells are.
  void mouse(QEvent::Type type, QPoint widgetPoint, Qt::MouseButton button, Qt::MouseButtons held) {
    QWidget* vp = area()->viewport();
    const QPointF local = vp->mapFrom(grid->widget(), widgetPoint);
    QMouseEvent e(type, local, vp->mapToGlobal(local), button, held, Qt::NoModifier);
    QApplication::sendEvent(vp, &e);
  }
  void click(QPoint p, Qt::MouseButton button = Qt::LeftButton) {
    mouse(QEvent::MouseButtonPress, p, button, button);
    mouse(QEvent::MouseButtonRelease, p, button, Qt::NoButton);
  }

  void key(int qtKey, const QString& text = QString(), bool autoRepeat = false) {
    QKeyEvent down(QEvent::KeyPress, qtKey, Qt::NoModifier, text, autoRepeat);
    QApplication::sendEvent(grid->widget(), &down);
    QKeyEvent up(QEvent::KeyRelease, qtKey, Qt::NoModifier, text, autoRepeat);
    QApplication::sendEvent(grid->widget(), &up);
  }

  Form form{"FlexGridTestForm"};
  std::unique_ptr<FlexGrid> grid;
};

// ---- size ----

// The text journal: each change of a text gives its column a new revision and is
// listed since any earlier revision of that column; writing the same text is no
// change; a change of shape, or more changes than the journal keeps, leaves the
// changes unknown.
TEST_F(FlexGridTest, TextJournalListsTheChangedRows) {
  fill(6, 3);
  std::vector<int> rows;
  const std::uint64_t r0 = grid->textRevision(1);
  EXPECT_TRUE(grid->textChangesSince(1, r0, rows));
  EXPECT_TRUE(rows.empty());

  grid->setTextMatrix(3, 1, "new");
  grid->setTextMatrix(1, 1, "other");
  grid->setTextMatrix(3, 1, "again");
  grid->setTextMatrix(2, 1, label(2, 1));   // the same text
  grid->setTextMatrix(4, 2, "column 2");
  const std::uint64_t r1 = grid->textRevision(1);
  EXPECT_GT(r1, r0);
  ASSERT_TRUE(grid->textChangesSince(1, r0, rows));
  EXPECT_EQ(rows, (std::vector<int>{3, 1, 3}));
  ASSERT_TRUE(grid->textChangesSince(1, r1, rows));
  EXPECT_TRUE(rows.empty());
  grid->setText("current");   // the current cell (1, 1)
  ASSERT_TRUE(grid->textChangesSince(1, r1, rows));
  EXPECT_EQ(rows, (std::vector<int>{1}));

  // Every change of shape: the changes since an earlier revision are not known.
  const struct {
    const char* name;
    std::function<void(FlexGrid&)> change;
  } shapes[] = {
      {"more rows", [](FlexGrid& g) { g.setRows(g.rows() + 1); }},
      {"fewer rows", [](FlexGrid& g) { g.setRows(g.rows() - 1); }},
      {"more columns", [](FlexGrid& g) { g.setCols(g.cols() + 1); }},
      {"row inserted", [](FlexGrid& g) { g.addItem("a\tb", 2); }},
      {"row removed", [](FlexGrid& g) { g.removeItem(2); }},
      {"cleared", [](FlexGrid& g) { g.clear(); }},
  };
  for (const auto& s : shapes) {
    const std::uint64_t before = grid->textRevision(1);
    s.change(*grid);
    EXPECT_GT(grid->textRevision(1), before) << s.name;
    EXPECT_FALSE(grid->textChangesSince(1, before, rows)) << s.name;
    EXPECT_TRUE(grid->textChangesSince(1, grid->textRevision(1), rows)) << s.name;
  }

  // The last 32 changes are kept.
  const std::uint64_t start = grid->textRevision(1);
  for (int k = 0; k < 32; ++k) grid->setTextMatrix(1 + k % 3, 1, "v" + std::to_string(k));
  ASSERT_TRUE(grid->textChangesSince(1, start, rows));
  EXPECT_EQ(rows.size(), 32u);
  grid->setTextMatrix(2, 1, "one more");
  EXPECT_FALSE(grid->textChangesSince(1, start, rows));

  // Revisions are never shared with another grid.
  FlexGrid other(form, "Autre");
  EXPECT_GT(other.textRevision(0), grid->textRevision(1));
  EXPECT_THROW(grid->textRevision(grid->cols()), IndexError);
  EXPECT_THROW(grid->textChangesSince(-1, 0, rows), IndexError);
}

TEST_F(FlexGridTest, NewGridHasTwoByTwoWithOneFixedRowAndColumn) {
  EXPECT_EQ(grid->rows(), 2);
  EXPECT_EQ(grid->cols(), 2);
  EXPECT_EQ(grid->fixedRows(), 1);
  EXPECT_EQ(grid->fixedCols(), 1);
  EXPECT_EQ(grid->row(), 1);
  EXPECT_EQ(grid->col(), 1);
  EXPECT_EQ(grid->text(), "");
}

TEST_F(FlexGridTest, ShrinkingKeepsFirstRowsWithTextsAndColours) {
  fill(10, 3);
  grid->setCellBackColor(4, 2, 0x00FF00);
  grid->setCellBackColor(7, 1, 0x0000FF);
  grid->setRows(5);
  ASSERT_EQ(grid->rows(), 5);
  for (int r = 0; r < 5; ++r)
    for (int c = 0; c < 3; ++c) EXPECT_EQ(grid->textMatrix(r, c), label(r, c));
  EXPECT_EQ(grid->cellBackColor(4, 2), 0x00FF00u);
  EXPECT_THROW(grid->textMatrix(5, 0), IndexError);
}

TEST_F(FlexGridTest, GrowingAddsEmptyRowsWithoutOldContents) {
  fill(10, 3);
  grid->setBackColor(0xC0FFC0);
  grid->setCellBackColor(7, 1, 0x0000FF);
  grid->setRows(5);
  grid->setRows(9);
  ASSERT_EQ(grid->rows(), 9);
  EXPECT_EQ(grid->textMatrix(4, 1), "4,1");
  for (int r = 5; r < 9; ++r)
    for (int c = 0; c < 3; ++c) EXPECT_EQ(grid->textMatrix(r, c), "") << r << "," << c;
  // Row 7 had its own colour before the shrink; the new row 7 has none.
  EXPECT_EQ(grid->cellBackColor(7, 1), 0xC0FFC0u);
}

TEST_F(FlexGridTest, ColumnsShrinkAndGrowKeepingTheFirstColumns) {
  fill(4, 5);
  grid->setColWidth(1, 550);
  grid->setCols(2);
  grid->setCols(4);
  EXPECT_EQ(grid->textMatrix(3, 1), "3,1");
  EXPECT_EQ(grid->textMatrix(3, 2), "");
  EXPECT_EQ(grid->textMatrix(0, 3), "");
  EXPECT_DOUBLE_EQ(grid->colWidth(1), 550);
  EXPECT_DOUBLE_EQ(grid->colWidth(3), 960);
}

TEST_F(FlexGridTest, ShrinkingBringsTheCurrentCellInside) {
  fill(10, 4);
  grid->setRow(8);
  grid->setCol(3);
  grid->setRows(6);
  grid->setCols(2);
  EXPECT_EQ(grid->row(), 5);
  EXPECT_EQ(grid->col(), 1);
  EXPECT_EQ(grid->text(), "5,1");
}

TEST_F(FlexGridTest, RemoveItemShiftsRowsUpWithTextsAndColours) {
  fill(6, 3);
  grid->setCellBackColor(3, 1, 0x00FFFF);
  grid->setCellForeColor(4, 2, 0x0000FF);
  grid->removeItem(2);
  ASSERT_EQ(grid->rows(), 5);
  EXPECT_EQ(grid->textMatrix(1, 0), "1,0");
  EXPECT_EQ(grid->textMatrix(2, 0), "3,0");
  EXPECT_EQ(grid->textMatrix(2, 1), "3,1");
  EXPECT_EQ(grid->cellBackColor(2, 1), 0x00FFFFu);
  EXPECT_EQ(grid->cellForeColor(3, 2), 0x0000FFu);
  EXPECT_EQ(grid->textMatrix(4, 2), "5,2");
  EXPECT_THROW(grid->textMatrix(5, 0), IndexError);
}

TEST_F(FlexGridTest, RemoveItemRefusesFixedRowAndLastNonFixedRow) {
  fill(3, 2);
  EXPECT_THROW(grid->removeItem(0), IndexError);
  EXPECT_THROW(grid->removeItem(3), IndexError);
  grid->removeItem(1);
  ASSERT_EQ(grid->rows(), 2);
  EXPECT_EQ(grid->textMatrix(1, 0), "2,0");
  try {
    grid->removeItem(1);
    FAIL() << "removing the last non-fixed row must throw";
  } catch (const IndexError& e) {
    EXPECT_NE(std::string(e.what()).find("last non-fixed row"), std::string::npos) << e.what();
  }
  EXPECT_EQ(grid->rows(), 2);
  EXPECT_EQ(grid->textMatrix(1, 0), "2,0");
}

TEST_F(FlexGridTest, AddItemSplitsAtTabsAndInserts) {
  fill(3, 3);
  grid->addItem("a\tb\tc\td");   // "d" falls beyond the last column
  ASSERT_EQ(grid->rows(), 4);
  EXPECT_EQ(grid->textMatrix(3, 0), "a");
  EXPECT_EQ(grid->textMatrix(3, 2), "c");
  grid->addItem("x\t\ty", 1);
  ASSERT_EQ(grid->rows(), 5);
  EXPECT_EQ(grid->textMatrix(1, 0), "x");
  EXPECT_EQ(grid->textMatrix(1, 1), "");
  EXPECT_EQ(grid->textMatrix(1, 2), "y");
  EXPECT_EQ(grid->textMatrix(2, 0), "1,0");
  grid->addItem("only", 5);
  EXPECT_EQ(grid->textMatrix(5, 0), "only");
  EXPECT_EQ(grid->textMatrix(5, 1), "");
  EXPECT_THROW(grid->addItem("z", 7), IndexError);
  EXPECT_THROW(grid->addItem("z", -2), IndexError);
}

TEST_F(FlexGridTest, ClearEmptiesTextsAndCellColoursButKeepsSize) {
  fill(4, 3);
  grid->setCellBackColor(2, 2, 0x0000FF);
  grid->clear();
  EXPECT_EQ(grid->rows(), 4);
  EXPECT_EQ(grid->cols(), 3);
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 3; ++c) EXPECT_EQ(grid->textMatrix(r, c), "");
  EXPECT_EQ(grid->cellBackColor(2, 2), grid->backColor());
}

TEST_F(FlexGridTest, FixedCountsAreChecked) {
  fill(3, 3);
  grid->setFixedRows(0);
  grid->setFixedCols(0);
  EXPECT_EQ(grid->fixedRows(), 0);
  EXPECT_THROW(grid->setFixedRows(4), IndexError);
  EXPECT_THROW(grid->setFixedCols(-1), IndexError);
  grid->setFixedRows(1);
  EXPECT_THROW(grid->setRows(0), IndexError);
  EXPECT_THROW(grid->setRows(-1), IndexError);
  EXPECT_EQ(grid->rows(), 3);
}

TEST_F(FlexGridTest, EmptyGridHasNoCurrentCellAndStillPaints) {
  grid->setFixedRows(0);
  grid->setFixedCols(0);
  grid->setRows(0);
  grid->setCols(0);
  EXPECT_THROW(grid->text(), IndexError);
  EXPECT_THROW(grid->setText("x"), IndexError);
  grid->setBackColorBkg(0x00FFFF);   // yellow beyond the cells
  showForm();
  const QImage img = grid->widget()->grab().toImage();
  EXPECT_EQ(img.pixelColor(img.width() / 2, img.height() / 2), QColor(255, 255, 0));
  grid->setRows(3);
  grid->setCols(2);
  EXPECT_EQ(grid->text(), "");
}

// ---- indices ----

TEST_F(FlexGridTest, OutOfRangeAccessThrowsIndexError) {
  fill(5, 4);
  EXPECT_THROW(grid->textMatrix(-1, 0), IndexError);
  EXPECT_THROW(grid->textMatrix(5, 0), IndexError);
  EXPECT_THROW(grid->textMatrix(0, 4), IndexError);
  EXPECT_THROW(grid->setTextMatrix(0, -1, "x"), IndexError);
  EXPECT_THROW(grid->setRow(5), IndexError);
  EXPECT_THROW(grid->setCol(-1), IndexError);
  EXPECT_THROW(grid->colWidth(4), IndexError);
  EXPECT_THROW(grid->setColWidth(-2, 100), IndexError);
  EXPECT_THROW(grid->rowHeight(5), IndexError);
  EXPECT_THROW(grid->cellBackColor(1, 4), IndexError);
  EXPECT_THROW(grid->setCellBackColor(6, 1, 0), IndexError);
  EXPECT_THROW(grid->colAlignment(9), IndexError);
  EXPECT_THROW(grid->setTopRow(5), IndexError);
  EXPECT_THROW(grid->colPos(4), IndexError);
  EXPECT_THROW(grid->rowPos(-1), IndexError);
  // A failed access changes nothing.
  EXPECT_EQ(grid->textMatrix(4, 3), "4,3");
  EXPECT_EQ(grid->row(), 1);
}

TEST_F(FlexGridTest, MessageNamesTheGridAndTheBounds) {
  fill(5, 4);
  try {
    grid->textMatrix(7, 1);
    FAIL();
  } catch (const IndexError& e) {
    EXPECT_STREQ(e.what(), "Grille: row 7 outside 0..4");
  }
}

// ---- current cell ----

TEST_F(FlexGridTest, RowAndColPersistAndTextFollowsThem) {
  fill(6, 4);
  grid->setRow(3);
  grid->setCol(2);
  EXPECT_EQ(grid->text(), "3,2");
  grid->setText("x");
  EXPECT_EQ(grid->textMatrix(3, 2), "x");
  grid->setTextMatrix(5, 1, "elsewhere");
  EXPECT_EQ(grid->row(), 3);
  EXPECT_EQ(grid->col(), 2);
  grid->setCol(0);
  EXPECT_EQ(grid->text(), "3,0");
  grid->setRow(0);   // a heading can be the current cell from code
  EXPECT_EQ(grid->text(), "0,0");
}

TEST_F(FlexGridTest, SettingRowAndColFromCodeFiresNothing) {
  fill(6, 4);
  int events = 0;
  grid->onClick = [&] { ++events; };
  grid->onRowColChange = [&] { ++events; };
  grid->setRow(4);
  grid->setCol(3);
  EXPECT_EQ(events, 0);
}

// ---- colours ----

TEST_F(FlexGridTest, CellBackColourAndGridBackColour) {
  fill(5, 3);
  grid->setBackColor(0xC0FFC0);
  grid->setCellBackColor(2, 1, 0x00FF00);
  EXPECT_EQ(grid->cellBackColor(2, 1), 0x00FF00u);
  EXPECT_EQ(grid->cellBackColor(2, 2), 0xC0FFC0u);
  EXPECT_EQ(grid->cellBackColor(0, 1), grid->backColorFixed());   // heading
  // The grid colour reaches every cell without its own, also later.
  grid->setBackColor(0xE0E0E0);
  EXPECT_EQ(grid->cellBackColor(3, 2), 0xE0E0E0u);
  EXPECT_EQ(grid->cellBackColor(2, 1), 0x00FF00u);
  grid->setCellBackColor(2, 1, FlexGrid::kNoColour);
  EXPECT_EQ(grid->cellBackColor(2, 1), 0xE0E0E0u);
  // The current cell's colour.
  grid->setRow(4);
  grid->setCol(2);
  grid->setCellBackColor(0x00FFFF);
  EXPECT_EQ(grid->cellBackColor(4, 2), 0x00FFFFu);
  EXPECT_EQ(grid->cellBackColor(), 0x00FFFFu);
}

// ---- alignment ----

TEST_F(FlexGridTest, AlignmentsOfColumnsHeadingsAndCells) {
  fill(4, 3);
  EXPECT_EQ(grid->colAlignment(1), kAlignGeneral);
  EXPECT_EQ(grid->fixedAlignment(1), kAlignLeftCentre);
  grid->setColAlignment(1, kAlignRightCentre);
  grid->setFixedAlignment(0, kAlignLeftBottom);
  EXPECT_EQ(grid->cellAlignment(2, 1), kAlignRightCentre);
  EXPECT_EQ(grid->cellAlignment(2, 0), kAlignLeftBottom);   // fixed column
  EXPECT_EQ(grid->cellAlignment(0, 1), kAlignLeftCentre);   // heading
  grid->setCellAlignment(2, 1, kAlignLeftCentre);
  EXPECT_EQ(grid->cellAlignment(2, 1), kAlignLeftCentre);
  grid->setCellAlignment(2, 1, -1);
  EXPECT_EQ(grid->cellAlignment(2, 1), kAlignRightCentre);
  grid->setColAlignment(-1, kAlignCentreCentre);
  EXPECT_EQ(grid->colAlignment(0), kAlignCentreCentre);
  EXPECT_EQ(grid->colAlignment(2), kAlignCentreCentre);
  EXPECT_THROW(grid->setColAlignment(1, 10), std::invalid_argument);
  EXPECT_THROW(grid->setCellAlignment(1, 1, -2), std::invalid_argument);
}

// ---- geometry ----

TEST_F(FlexGridTest, ColumnWidthRoundTripInTwips) {
  fill(3, 4);
  grid->setColWidth(1, 550);
  EXPECT_DOUBLE_EQ(grid->colWidth(1), 550);
  EXPECT_DOUBLE_EQ(grid->colWidth(2), 960);   // default
  grid->setColWidth(1, -1);
  EXPECT_DOUBLE_EQ(grid->colWidth(1), 960);
  grid->setColWidth(-1, 750);
  for (int c = 0; c < 4; ++c) EXPECT_DOUBLE_EQ(grid->colWidth(c), 750);
  // 750 twips are 50 pixels exactly; 700 twips round to 47 pixels, i.e. 705 twips.
  EXPECT_DOUBLE_EQ(grid->colPos(2) - grid->colPos(1), 750);
  grid->setColWidth(1, 700);
  EXPECT_DOUBLE_EQ(grid->colPos(2) - grid->colPos(1), 705);
  grid->setColWidth(2, std::nan(""));
  EXPECT_DOUBLE_EQ(grid->colWidth(2), 960);
}

TEST_F(FlexGridTest, RowHeightRoundTripAndHiddenRow) {
  fill(5, 2);
  const double normal = grid->rowHeight(2);
  EXPECT_GT(normal, 0);
  grid->setRowHeight(2, 450);
  EXPECT_DOUBLE_EQ(grid->rowHeight(2), 450);
  EXPECT_DOUBLE_EQ(grid->rowPos(3) - grid->rowPos(2), 450);
  grid->setRowHeight(2, 0);
  EXPECT_DOUBLE_EQ(grid->rowPos(3), grid->rowPos(2));
  grid->setRowHeight(2, -5);
  EXPECT_DOUBLE_EQ(grid->rowHeight(2), normal);
}

TEST_F(FlexGridTest, DefaultRowHeightFollowsTheFont) {
  fill(5, 2);
  grid->setFontSize(8);
  const double small = grid->rowHeight(1);
  grid->setRowHeight(2, 300);
  grid->setFontSize(24);
  EXPECT_GT(grid->rowHeight(1), small);
  EXPECT_DOUBLE_EQ(grid->rowHeight(2), 300);   // a height of its own stays
  EXPECT_DOUBLE_EQ(grid->rowPos(2) - grid->rowPos(1), grid->rowHeight(1));
}

TEST_F(FlexGridTest, TopRowScrollsAndStopsAtTheLastPage) {
  fill(100, 3);
  showForm();
  int scrolls = 0;
  grid->onScroll = [&] { ++scrolls; };
  EXPECT_EQ(grid->topRow(), 1);
  grid->setTopRow(50);
  EXPECT_EQ(grid->topRow(), 50);
  EXPECT_EQ(scrolls, 1);
  // The first scrolled row sits just below the heading row, which stays.
  EXPECT_DOUBLE_EQ(grid->rowPos(50), grid->rowPos(0) + grid->rowHeight(0));
  EXPECT_TRUE(grid->rowIsVisible(0));
  EXPECT_TRUE(grid->rowIsVisible(50));
  EXPECT_FALSE(grid->rowIsVisible(1));
  EXPECT_FALSE(grid->rowIsVisible(99));
  EXPECT_LT(grid->rowPos(1), 0);
  // Asking for the last row stops where the last row ends inside the grid.
  grid->setTopRow(99);
  const int top = grid->topRow();
  EXPECT_LT(top, 99);
  EXPECT_GT(top, 50);
  EXPECT_TRUE(grid->rowIsVisible(99));
  EXPECT_LE(grid->rowPos(99) + grid->rowHeight(99), grid->height());
  EXPECT_EQ(area()->verticalScrollBar()->value(), top);
  grid->setTopRow(0);   // a heading: the first non-fixed row
  EXPECT_EQ(grid->topRow(), 1);
  EXPECT_EQ(scrolls, 3);
}

TEST_F(FlexGridTest, LeftColScrollsAndKeepsTheFixedColumn) {
  fill(3, 30);
  showForm();
  grid->setLeftCol(10);
  EXPECT_EQ(grid->leftCol(), 10);
  EXPECT_DOUBLE_EQ(grid->colPos(10), grid->colPos(0) + grid->colWidth(0));
  EXPECT_TRUE(grid->colIsVisible(0));
  EXPECT_FALSE(grid->colIsVisible(5));
}

TEST_F(FlexGridTest, LargeGridReadsBackEveryColumn) {
  fill(4097, 12);
  for (int r = 0; r < 4097; r += 97) EXPECT_EQ(grid->textMatrix(r, 11), label(r, 11));
  grid->setRows(4096);
  EXPECT_EQ(grid->textMatrix(4095, 5), "4095,5");
}

// ---- widget ----

TEST_F(FlexGridTest, ClickMovesTheCurrentCellThenFiresClickOnce) {
  fill(10, 4);
  showForm();
  int clicks = 0, rowAtClick = -1, colAtClick = -1;
  grid->onClick = [&] {
    ++clicks;
    rowAtClick = grid->row();
    colAtClick = grid->col();
  };
  std::vector<std::string> order;
  grid->onMouseDown = [&](int b, int, double, double) { order.push_back("down" + std::to_string(b)); };
  grid->onMouseUp = [&](int b, int, double, double) { order.push_back("up" + std::to_string(b)); };
  grid->onRowColChange = [&] { order.push_back("rowcol"); };
  click(cellCentre(3, 2));
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(rowAtClick, 3);
  EXPECT_EQ(colAtClick, 2);
  EXPECT_EQ(grid->row(), 3);
  EXPECT_EQ(grid->col(), 2);
  EXPECT_EQ(grid->mouseRow(), 3);
  EXPECT_EQ(grid->mouseCol(), 2);
  EXPECT_EQ(grid->text(), "3,2");
  EXPECT_EQ(order, (std::vector<std::string>{"rowcol", "down1", "up1"}));
}

TEST_F(FlexGridTest, MouseCoordinatesAreTwipsOfTheGrid) {
  fill(10, 4);
  showForm();
  double gotX = -1, gotY = -1;
  int gotButton = -1;
  grid->onMouseDown = [&](int b, int, double x, double y) {
    gotButton = b;
    gotX = x;
    gotY = y;
  };
  const QPoint p = cellCentre(2, 1);
  click(p, Qt::RightButton);
  EXPECT_EQ(gotButton, kRightButton);
  EXPECT_DOUBLE_EQ(gotX, p.x() * 15.0);
  EXPECT_DOUBLE_EQ(gotY, p.y() * 15.0);
  // The right button shows the cell under the mouse but moves nothing.
  EXPECT_EQ(grid->mouseRow(), 2);
  EXPECT_EQ(grid->mouseCol(), 1);
  EXPECT_EQ(grid->row(), 1);
}

TEST_F(FlexGridTest, ClickOnHeadingFiresClickWithoutMoving) {
  fill(10, 4);
  showForm();
  grid->setRow(5);
  grid->setCol(1);
  int clicks = 0;
  grid->onClick = [&] { ++clicks; };
  click(cellCentre(0, 3));
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(grid->mouseRow(), 0);
  EXPECT_EQ(grid->mouseCol(), 3);
  EXPECT_EQ(grid->row(), 5);
  EXPECT_EQ(grid->col(), 1);
}

TEST_F(FlexGridTest, DoubleClickFiresClickOnceAndDblClickOnce) {
  fill(10, 4);
  showForm();
  int clicks = 0, doubles = 0, ups = 0;
  grid->onClick = [&] { ++clicks; };
  grid->onDblClick = [&] { ++doubles; };
  grid->onMouseUp = [&](int, int, double, double) { ++ups; };
  const QPoint p = cellCentre(4, 1);
  click(p);
  mouse(QEvent::MouseButtonDblClick, p, Qt::LeftButton, Qt::LeftButton);
  mouse(QEvent::MouseButtonRelease, p, Qt::LeftButton, Qt::NoButton);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(doubles, 1);
  EXPECT_EQ(ups, 2);
}

TEST_F(FlexGridTest, MouseMoveReportsTheCellUnderThePointer) {
  fill(10, 4);
  showForm();
  int button = -1;
  grid->onMouseMove = [&](int b, int, double, double) { button = b; };
  mouse(QEvent::MouseMove, cellCentre(6, 3), Qt::NoButton, Qt::NoButton);
  EXPECT_EQ(button, 0);
  EXPECT_EQ(grid->mouseRow(), 6);
  EXPECT_EQ(grid->mouseCol(), 3);
  // Below the last row there is no cell.
  grid->setRows(3);
  QApplication::processEvents();
  mouse(QEvent::MouseMove, cellCentre(2, 3) + QPoint(0, 200), Qt::NoButton, Qt::NoButton);
  EXPECT_EQ(grid->mouseRow(), -1);
  EXPECT_EQ(grid->mouseCol(), 3);
}

TEST_F(FlexGridTest, KeysGiveOriginalCodesAndMoveTheCurrentCell) {
  fill(10, 4);
  showForm();
  std::vector<int> downs, presses, ups;
  int moves = 0;
  grid->onKeyDown = [&](int& k, int) { downs.push_back(k); };
  grid->onKeyPress = [&](int& a) { presses.push_back(a); };
  grid->onKeyUp = [&](int& k, int) { ups.push_back(k); };
  grid->onRowColChange = [&] { ++moves; };
  key(Qt::Key_Space, " ");
  key(Qt::Key_Down);
  key(Qt::Key_Right);
  key(Qt::Key_A, "a");
  EXPECT_EQ(downs, (std::vector<int>{32, 40, 39, 65}));
  EXPECT_EQ(ups, (std::vector<int>{32, 40, 39, 65}));
  EXPECT_EQ(presses, (std::vector<int>{32, 97}));
  EXPECT_EQ(grid->row(), 2);
  EXPECT_EQ(grid->col(), 2);
  EXPECT_EQ(moves, 2);
}

TEST_F(FlexGridTest, KeyDownHandlerCanSwallowANavigationKey) {
  fill(10, 4);
  showForm();
  grid->onKeyDown = [&](int& k, int) {
    if (k == 40) k = 0;
  };
  key(Qt::Key_Down);
  EXPECT_EQ(grid->row(), 1);
  key(Qt::Key_Up);   // row 0 is a heading: the current cell stays on row 1
  EXPECT_EQ(grid->row(), 1);
}

TEST_F(FlexGridTest, AutoRepeatedKeysReachNoHandler) {
  fill(10, 4);
  showForm();
  int downs = 0;
  grid->onKeyDown = [&](int&, int) { ++downs; };
  key(Qt::Key_Down, QString(), true);
  EXPECT_EQ(downs, 0);
  EXPECT_EQ(grid->row(), 2);   // the cursor still moves
}

TEST_F(FlexGridTest, RenderedCellsShowTheirBackColours) {
  fill(10, 4);
  grid->setBackColor(0xC0FFC0);             // RGB(192, 255, 192)
  grid->setBackColorFixed(0x808080);        // RGB(128, 128, 128)
  for (int c = 0; c < 4; ++c) grid->setTextMatrix(3, c, "");
  grid->setCellBackColor(3, 1, 0x0000FF);   // &HBBGGRR: pure red
  grid->setCellBackColor(3, 2, 0xFF0000);   // pure blue
  showForm();
  const QImage img = grid->widget()->grab().toImage();
  auto at = [&](int r, int c) { return img.pixelColor(cellCentre(r, c)); };
  EXPECT_EQ(at(3, 1), QColor(255, 0, 0));
  EXPECT_EQ(at(3, 2), QColor(0, 0, 255));
  EXPECT_EQ(at(3, 3), QColor(192, 255, 192));
  EXPECT_EQ(at(3, 0), QColor(128, 128, 128));
  // A colour set after the first paint shows at the next one.
  grid->setCellBackColor(3, 3, 0x00FF00);
  QApplication::processEvents();
  EXPECT_EQ(grid->widget()->grab().toImage().pixelColor(cellCentre(3, 3)), QColor(0, 255, 0));
}

// A text that fits sits where its alignment puts it; a text wider than its cell shows
// its beginning whatever the alignment ("8" then blanks: the "8" stays in sight).
TEST_F(FlexGridTest, RenderedTextTooWideShowsItsBeginning) {
  fill(4, 3);
  grid->setBackColor(0xFFFFFF);
  grid->setForeColor(0x000000);
  grid->setColWidth(1, 600);
  grid->setGridLines(0);
  grid->setHighLight(0);
  const std::string wide = "8" + std::string(40, ' ');
  struct Case {
    int row;
    std::string text;
    int alignment;
    bool inkOnTheLeft;   // else on the right
  };
  const Case cases[] = {
      {1, "8", kAlignRightCentre, false},
      {2, wide, kAlignRightCentre, true},
      {3, wide, kAlignCentreCentre, true},
      {1, "8", kAlignLeftCentre, true},
  };
  showForm();
  for (const Case& k : cases) {
    grid->setTextMatrix(k.row, 1, k.text);
    grid->setCellAlignment(k.row, 1, k.alignment);
    QApplication::processEvents();
    const QImage img = grid->widget()->grab().toImage();
    const int left = static_cast<int>(grid->colPos(1) / 15), width = static_cast<int>(grid->colWidth(1) / 15);
    const int top = static_cast<int>(grid->rowPos(k.row) / 15), height = static_cast<int>(grid->rowHeight(k.row) / 15);
    int first = -1, last = -1;
    for (int x = 0; x < width; ++x)
      for (int y = 0; y < height; ++y)
        if (img.pixelColor(left + x, top + y).lightness() < 128) {
          if (first < 0) first = x;
          last = x;
        }
    ASSERT_GE(first, 0) << "no text drawn: row " << k.row;
    if (k.inkOnTheLeft) {
      EXPECT_LT(last, width / 3) << "row " << k.row;
    } else {
      EXPECT_GT(first, 2 * width / 3) << "row " << k.row;
    }
  }
}

TEST_F(FlexGridTest, RenderedGridFollowsScrolling) {
  fill(100, 4);
  grid->setCellBackColor(60, 1, 0x0000FF);
  showForm();
  grid->setTopRow(60);
  QApplication::processEvents();
  const QImage img = grid->widget()->grab().toImage();
  EXPECT_EQ(img.pixelColor(cellCentre(60, 1)), QColor(255, 0, 0));
  // Just below the heading row.
  EXPECT_EQ(cellCentre(60, 1).y(), static_cast<int>((grid->rowPos(0) + grid->rowHeight(0) * 1.5) / 15));
}

}  // namespace
}  // namespace platform
