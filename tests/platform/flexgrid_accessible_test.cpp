// The display grid as a screen reader sees it through Qt's accessibility interface:
// a table with its row and column counts, cells named by their texts and found by
// position, by index or under a point, the headings as header cells, the change
// events that keep a reader current, and a grid of thousands of rows.

#include "platform/flexgrid.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

#include <memory>
#include <string>
#include <vector>

#include "platform/flexgrid_accessible.h"
#include "platform/form.h"

namespace platform {
namespace {

// The notices the grid sends to assistive technology while it lives (the offscreen
// display has no accessibility bridge to receive them).
class EventLog {
 public:
  EventLog() {
    setGridAccessibleSink([this](QAccessibleEvent* e) { record(e); });
  }
  ~EventLog() { setGridAccessibleSink(nullptr); }

  struct Event {
    QAccessible::Event type;
    QAccessibleInterface* iface;
    int modelChange = -1, firstRow = -1, firstCol = -1;
  };
  const std::vector<Event>& events() const { return events_; }
  void clear() { events_.clear(); }
  // How many events of a type were sent.
  int count(QAccessible::Event type) const {
    int n = 0;
    for (const Event& e : events_) n += e.type == type;
    return n;
  }

 private:
  void record(QAccessibleEvent* e) {
    Event ev{e->type(), e->accessibleInterface()};
    if (e->type() == QAccessible::TableModelChanged) {
      const auto* t = static_cast<QAccessibleTableModelChangeEvent*>(e);
      ev.modelChange = t->modelChangeType();
      ev.firstRow = t->firstRow();
      ev.firstCol = t->firstColumn();
    }
    events_.push_back(ev);
  }

  std::vector<Event> events_;
};

class FlexGridAccessible : public ::testing::Test {
 protected:
  void SetUp() override {
    form.move(0, 0, 9000, 7000);
    grid = std::make_unique<FlexGrid>(form, "Grille");
    grid->move(0, 0, 6000, 3000);
    grid->setRows(4);
    grid->setCols(3);
    const char* texts[4][3] = {{"N°", "Long.", "Larg."}, {"1", "13.27", "5.77"}, {"2", "12.50", "6.00"}, {"3", "", ""}};
    for (int r = 0; r < 4; ++r)
      for (int c = 0; c < 3; ++c) grid->setTextMatrix(r, c, texts[r][c]);
    form.show();
    for (int i = 0; i < 3; ++i) QApplication::processEvents();
  }
  void TearDown() override {
    grid.reset();
    form.unload();
  }

  QAccessibleInterface* table() const { return QAccessible::queryAccessibleInterface(grid->widget()); }
  QAccessibleTableInterface* tableOf() const { return table()->tableInterface(); }
  std::string name(QAccessibleInterface* cell) const {
    return cell ? cell->text(QAccessible::Name).toStdString() : "<none>";
  }

  Form form{"frmGridAccess"};
  std::unique_ptr<FlexGrid> grid;
};

TEST_F(FlexGridAccessible, TableOfNamedCellsByPosition) {
  QAccessibleInterface* t = table();
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(t->role(), QAccessible::Table);
  QAccessibleTableInterface* ti = t->tableInterface();
  ASSERT_NE(ti, nullptr);
  EXPECT_EQ(ti->rowCount(), 4);
  EXPECT_EQ(ti->columnCount(), 3);
  EXPECT_EQ(t->childCount(), 12);

  struct Case {
    int r, c;
    const char* text;
    QAccessible::Role role;
  };
  const Case cases[] = {
      {0, 1, "Long.", QAccessible::ColumnHeader}, {0, 0, "N°", QAccessible::ColumnHeader},
      {2, 0, "2", QAccessible::RowHeader},        {1, 1, "13.27", QAccessible::Cell},
      {2, 2, "6.00", QAccessible::Cell},          {3, 2, "", QAccessible::Cell},
  };
  for (const Case& k : cases) {
    QAccessibleInterface* cell = ti->cellAt(k.r, k.c);
    ASSERT_NE(cell, nullptr) << k.r << "," << k.c;
    EXPECT_EQ(name(cell), k.text) << k.r << "," << k.c;
    EXPECT_EQ(cell->role(), k.role) << k.r << "," << k.c;
    EXPECT_EQ(cell->parent(), t);
    QAccessibleTableCellInterface* ci = cell->tableCellInterface();
    ASSERT_NE(ci, nullptr);
    EXPECT_EQ(ci->rowIndex(), k.r);
    EXPECT_EQ(ci->columnIndex(), k.c);
    // The same object by index, and the index of the object back.
    EXPECT_EQ(t->child(k.r * 3 + k.c), cell);
    EXPECT_EQ(t->indexOfChild(cell), k.r * 3 + k.c);
  }
  EXPECT_EQ(ti->cellAt(4, 0), nullptr);
  EXPECT_EQ(ti->cellAt(0, 3), nullptr);
  EXPECT_EQ(ti->cellAt(-1, 0), nullptr);
  EXPECT_EQ(t->child(12), nullptr);
  EXPECT_EQ(ti->columnDescription(2), "Larg.");
  EXPECT_EQ(ti->rowDescription(1), "1");
  // A value cell knows its headings.
  const QList<QAccessibleInterface*> heads = ti->cellAt(2, 1)->tableCellInterface()->columnHeaderCells();
  ASSERT_EQ(heads.size(), 1);
  EXPECT_EQ(name(heads.front()), "Long.");
  ASSERT_EQ(ti->cellAt(2, 1)->tableCellInterface()->rowHeaderCells().size(), 1);
  EXPECT_EQ(name(ti->cellAt(2, 1)->tableCellInterface()->rowHeaderCells().front()), "2");
}

TEST_F(FlexGridAccessible, CellUnderAPointAndOnTheScreen) {
  QAccessibleInterface* t = table();
  QAccessibleInterface* cell = tableOf()->cellAt(2, 1);
  const QRect r = cell->rect();
  ASSERT_FALSE(r.isEmpty());
  EXPECT_EQ(t->childAt(r.center().x(), r.center().y()), cell);
  const QRect head = tableOf()->cellAt(0, 2)->rect();
  EXPECT_EQ(name(t->childAt(head.center().x(), head.center().y())), "Larg.");
  // Beyond the last column: no cell.
  const QRect g = t->rect();
  EXPECT_EQ(t->childAt(g.right() - 2, r.center().y()), nullptr);
  EXPECT_FALSE(cell->state().invisible);
  // A row scrolled out of view has no rectangle and says so.
  grid->setRows(60);
  grid->setTopRow(40);
  QAccessibleInterface* hidden = tableOf()->cellAt(2, 1);
  EXPECT_TRUE(hidden->state().invisible);
  EXPECT_TRUE(hidden->rect().isEmpty());
}

TEST_F(FlexGridAccessible, TextChangesReachTheReader) {
  QAccessibleInterface* cell = tableOf()->cellAt(1, 2);
  EventLog log;
  grid->setTextMatrix(1, 2, "5.80");
  EXPECT_EQ(name(cell), "5.80");
  ASSERT_EQ(log.count(QAccessible::NameChanged), 1);
  ASSERT_EQ(log.count(QAccessible::TableModelChanged), 1);
  for (const auto& e : log.events()) {
    if (e.type == QAccessible::NameChanged) {
      EXPECT_EQ(e.iface, cell);
    }
    if (e.type == QAccessible::TableModelChanged) {
      EXPECT_EQ(e.modelChange, QAccessibleTableModelChangeEvent::DataChanged);
      EXPECT_EQ(e.firstRow, 1);
      EXPECT_EQ(e.firstCol, 2);
    }
  }
  // The same text again is no change.
  log.clear();
  grid->setTextMatrix(1, 2, "5.80");
  EXPECT_TRUE(log.events().empty());
  // A cell nobody asked for gets no object, only the table's notice.
  grid->setTextMatrix(3, 1, "9.99");
  EXPECT_EQ(log.count(QAccessible::NameChanged), 0);
  EXPECT_EQ(log.count(QAccessible::TableModelChanged), 1);
  // Clearing is one notice for the whole table.
  log.clear();
  grid->clear();
  EXPECT_EQ(log.count(QAccessible::TableModelChanged), 1);
  EXPECT_EQ(name(cell), "");
}

TEST_F(FlexGridAccessible, SizeChangesRebuildTheCells) {
  EventLog log;
  tableOf()->cellAt(3, 2);
  grid->addItem("4\t1.00\t2.00");
  ASSERT_EQ(log.count(QAccessible::TableModelChanged), 1);
  EXPECT_EQ(log.events().back().modelChange, QAccessibleTableModelChangeEvent::ModelReset);
  EXPECT_EQ(tableOf()->rowCount(), 5);
  EXPECT_EQ(name(tableOf()->cellAt(4, 1)), "1.00");
  grid->removeItem(1);
  EXPECT_EQ(name(tableOf()->cellAt(1, 1)), "12.50");
  grid->setCols(2);
  EXPECT_EQ(tableOf()->columnCount(), 2);
  EXPECT_EQ(tableOf()->cellAt(1, 2), nullptr);
  EXPECT_EQ(table()->childCount(), 8);
  // A width change is no change of the table's shape.
  log.clear();
  grid->setColWidth(1, 2000);
  EXPECT_EQ(log.count(QAccessible::TableModelChanged), 0);
}

TEST_F(FlexGridAccessible, CurrentCellIsTheSelectionAndTheFocus) {
  grid->setRow(2);
  grid->setCol(1);
  QAccessibleTableInterface* ti = tableOf();
  ASSERT_EQ(ti->selectedCellCount(), 1);
  EXPECT_EQ(name(ti->selectedCells().front()), "12.50");
  EXPECT_TRUE(ti->cellAt(2, 1)->state().selected);
  EXPECT_FALSE(ti->cellAt(1, 1)->state().selected);
  grid->widget()->setFocus();
  QApplication::processEvents();
  ASSERT_TRUE(grid->widget()->hasFocus());
  EXPECT_EQ(table()->focusChild(), ti->cellAt(2, 1));
  // The user moves the current cell: the reader is told which cell has the focus.
  EventLog log;
  QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
  QApplication::sendEvent(grid->widget(), &down);
  EXPECT_EQ(grid->row(), 3);
  ASSERT_EQ(log.count(QAccessible::Focus), 1);
  EXPECT_EQ(log.events().back().iface, ti->cellAt(3, 1));
}

// A full measuring grid: 3,001 rows are read by any cell without the others being
// made, and filling it while a reader listens keeps the counts right.
TEST_F(FlexGridAccessible, ThousandsOfRows) {
  grid->setCols(7);
  grid->setRows(1);
  ASSERT_EQ(tableOf()->rowCount(), 1);
  EventLog log;
  for (int r = 1; r <= 3000; ++r) grid->addItem(std::to_string(r) + "\t" + std::to_string(r) + ".00");
  QAccessibleTableInterface* ti = tableOf();
  EXPECT_EQ(ti->rowCount(), 3001);
  EXPECT_EQ(table()->childCount(), 3001 * 7);
  EXPECT_EQ(name(ti->cellAt(3000, 1)), "3000.00");
  EXPECT_EQ(name(table()->child(3000 * 7 + 1)), "3000.00");
  EXPECT_EQ(table()->child(3000 * 7 + 1), ti->cellAt(3000, 1));
}

}  // namespace
}  // namespace platform
