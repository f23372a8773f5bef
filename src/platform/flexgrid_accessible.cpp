// The accessible table of the display grid. The grid's own view is the table; its
// cells are interfaces of their own, made on first request and kept in a cache keyed
// by position until the grid changes shape. A cell reads its text from the grid each
// time it is asked, so a cached cell never shows a stale text. Notices go out only for
// a grid whose table a reader has asked for.

#include "platform/flexgrid_accessible.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QHash>
#include <QPointer>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <functional>
#include <utility>

#include "platform/flexgrid.h"
#include "platform/qt_bridge.h"

namespace platform {

namespace {

class GridTable;

// The table interface of a view, null when no reader has asked for it yet.
GridTable* tableOf(const QWidget* view);

std::function<void(QAccessibleEvent*)>& sink() {
  static std::function<void(QAccessibleEvent*)> s;
  return s;
}

// True when notices have somewhere to go.
bool listening() { return sink() || QAccessible::isActive(); }

void send(QAccessibleEvent* e) {
  if (sink())
    sink()(e);
  else
    QAccessible::updateAccessibility(e);
}

QHash<const QObject*, GridTable*>& tables() {
  static QHash<const QObject*, GridTable*> t;
  return t;
}

// Cache key of cell (r, c).
qint64 cellKey(int r, int c) { return (static_cast<qint64>(r) << 32) | static_cast<quint32>(c); }

// One cell; (row, col) is its position in the grid.
class GridCell : public QAccessibleInterface, public QAccessibleTableCellInterface {
 public:
  GridCell(QWidget* view, int row, int col) : view_(view), row_(row), col_(col) {}

  const FlexGrid* grid() const { return view_ ? flexGridOfView(view_) : nullptr; }

  bool isValid() const override {
    const FlexGrid* g = grid();
    return g && row_ < g->rows() && col_ < g->cols();
  }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override {
    return view_ && view_->window() ? view_->window()->windowHandle() : nullptr;
  }
  QAccessibleInterface* parent() const override {
    return view_ ? QAccessible::queryAccessibleInterface(view_.data()) : nullptr;
  }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }

  QString text(QAccessible::Text t) const override {
    if (t != QAccessible::Name || !isValid()) return QString();
    return toQ(grid()->textMatrix(row_, col_));
  }
  void setText(QAccessible::Text, const QString&) override {}

  // Screen rectangle of the cell; empty when it is scrolled out of view.
  QRect rect() const override {
    if (!isValid() || !shown()) return QRect();
    const FlexGrid* g = grid();
    const QPoint topLeft(twipsToPixels(g->colPos(col_)), twipsToPixels(g->rowPos(row_)));
    const QSize size(twipsToPixels(g->colWidth(col_)), twipsToPixels(g->rowHeight(row_)));
    return QRect(view_->mapToGlobal(topLeft), size);
  }

  QAccessible::Role role() const override {
    const FlexGrid* g = grid();
    if (g && row_ < g->fixedRows()) return QAccessible::ColumnHeader;
    if (g && col_ < g->fixedCols()) return QAccessible::RowHeader;
    return QAccessible::Cell;
  }

  QAccessible::State state() const override {
    QAccessible::State s;
    if (!isValid()) {
      s.invalid = true;
      return s;
    }
    s.readOnly = true;
    s.selectable = true;
    s.focusable = true;
    if (!shown()) s.invisible = true;
    if (isSelected()) {
      s.selected = true;
      if (view_->hasFocus()) s.focused = true;
    }
    return s;
  }

  void* interface_cast(QAccessible::InterfaceType t) override {
    return t == QAccessible::TableCellInterface ? static_cast<QAccessibleTableCellInterface*>(this) : nullptr;
  }

  // --- table cell ---
  bool isSelected() const override {
    const FlexGrid* g = grid();
    return g && isValid() && g->row() == row_ && g->col() == col_;
  }
  QList<QAccessibleInterface*> columnHeaderCells() const override { return headings(true); }
  QList<QAccessibleInterface*> rowHeaderCells() const override { return headings(false); }
  int columnIndex() const override { return col_; }
  int rowIndex() const override { return row_; }
  int columnExtent() const override { return 1; }
  int rowExtent() const override { return 1; }
  QAccessibleInterface* table() const override { return parent(); }

 private:
  // The heading cells of this cell's column (ofColumn) or row; none for a heading.
  QList<QAccessibleInterface*> headings(bool ofColumn) const;
  bool shown() const {
    const FlexGrid* g = grid();
    return g->rowIsVisible(row_) && g->colIsVisible(col_) && g->rowHeight(row_) > 0 && g->colWidth(col_) > 0;
  }

  QPointer<QWidget> view_;
  int row_, col_;
};

class GridTable : public QAccessibleWidget, public QAccessibleTableInterface {
 public:
  explicit GridTable(QWidget* view) : QAccessibleWidget(view, QAccessible::Table), view_(view) {
    if (const FlexGrid* g = grid()) {
      knownRows_ = g->rows();
      knownCols_ = g->cols();
    }
    tables().insert(view, this);
  }
  ~GridTable() override {
    tables().remove(view_);
    dropCells();
  }

  const FlexGrid* grid() const { return flexGridOfView(object()); }

  bool isValid() const override { return QAccessibleWidget::isValid() && grid(); }

  int childCount() const override {
    const FlexGrid* g = grid();
    return g ? g->rows() * g->cols() : 0;
  }
  QAccessibleInterface* child(int index) const override {
    const FlexGrid* g = grid();
    if (!g || index < 0 || index >= childCount()) return nullptr;
    return cellAt(index / g->cols(), index % g->cols());
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    const FlexGrid* g = grid();
    if (!g || !child) return -1;
    auto* cell = const_cast<QAccessibleInterface*>(child)->tableCellInterface();
    if (!cell || cell->table() != this) return -1;
    return cell->rowIndex() * g->cols() + cell->columnIndex();
  }
  // The cell under a screen point; null beyond the cells.
  QAccessibleInterface* childAt(int x, int y) const override {
    const FlexGrid* g = grid();
    if (!g) return nullptr;
    const QPoint p = widget()->mapFromGlobal(QPoint(x, y));
    const int r = lineAt(p.y(), g->rows(), g->fixedRows(), g->topRow(), [g](int i) { return g->rowPos(i); },
                         [g](int i) { return g->rowHeight(i); }, [g](int i) { return g->rowIsVisible(i); });
    const int c = lineAt(p.x(), g->cols(), g->fixedCols(), g->leftCol(), [g](int i) { return g->colPos(i); },
                         [g](int i) { return g->colWidth(i); }, [g](int i) { return g->colIsVisible(i); });
    return r >= 0 && c >= 0 ? cellAt(r, c) : nullptr;
  }
  // The current cell while the grid has the focus.
  QAccessibleInterface* focusChild() const override {
    const FlexGrid* g = grid();
    if (!g || !widget()->hasFocus()) return nullptr;
    return cellAt(g->row(), g->col());
  }

  void* interface_cast(QAccessible::InterfaceType t) override {
    if (t == QAccessible::TableInterface) return static_cast<QAccessibleTableInterface*>(this);
    return QAccessibleWidget::interface_cast(t);
  }

  // --- table ---
  QAccessibleInterface* caption() const override { return nullptr; }
  QAccessibleInterface* summary() const override { return nullptr; }

  QAccessibleInterface* cellAt(int r, int c) const override {
    const FlexGrid* g = grid();
    if (!g || r < 0 || c < 0 || r >= g->rows() || c >= g->cols()) return nullptr;
    const qint64 key = cellKey(r, c);
    if (const auto it = cells_.constFind(key); it != cells_.constEnd())
      if (QAccessibleInterface* iface = QAccessible::accessibleInterface(*it)) return iface;
    auto* cell = new GridCell(widget(), r, c);
    cells_.insert(key, QAccessible::registerAccessibleInterface(cell));
    return cell;
  }
  // A cell made already; null when none was asked for.
  QAccessibleInterface* cachedCell(int r, int c) const {
    const FlexGrid* g = grid();
    if (!g || r < 0 || c < 0 || r >= g->rows() || c >= g->cols()) return nullptr;
    const auto it = cells_.constFind(cellKey(r, c));
    return it == cells_.constEnd() ? nullptr : QAccessible::accessibleInterface(*it);
  }

  // The current cell is the selection.
  int selectedCellCount() const override { return currentCell() ? 1 : 0; }
  QList<QAccessibleInterface*> selectedCells() const override {
    QList<QAccessibleInterface*> list;
    if (QAccessibleInterface* c = currentCell()) list.append(c);
    return list;
  }
  QString columnDescription(int c) const override {
    const FlexGrid* g = grid();
    if (!g || g->fixedRows() < 1 || c < 0 || c >= g->cols()) return QString();
    return toQ(g->textMatrix(0, c));
  }
  QString rowDescription(int r) const override {
    const FlexGrid* g = grid();
    if (!g || g->fixedCols() < 1 || r < 0 || r >= g->rows()) return QString();
    return toQ(g->textMatrix(r, 0));
  }
  int selectedColumnCount() const override { return 0; }
  int selectedRowCount() const override { return 0; }
  int columnCount() const override { return grid() ? grid()->cols() : 0; }
  int rowCount() const override { return grid() ? grid()->rows() : 0; }
  QList<int> selectedColumns() const override { return {}; }
  QList<int> selectedRows() const override { return {}; }
  bool isColumnSelected(int) const override { return false; }
  bool isRowSelected(int) const override { return false; }
  bool selectRow(int) override { return false; }
  bool selectColumn(int) override { return false; }
  bool unselectRow(int) override { return false; }
  bool unselectColumn(int) override { return false; }

  void modelChange(QAccessibleTableModelChangeEvent* e) override {
    if (e->modelChangeType() != QAccessibleTableModelChangeEvent::DataChanged) dropCells();
  }

  // When the row or column count differs from the one last seen: drops the cells
  // made so far and returns true.
  bool reshaped() {
    const FlexGrid* g = grid();
    if (!g || (g->rows() == knownRows_ && g->cols() == knownCols_)) return false;
    knownRows_ = g->rows();
    knownCols_ = g->cols();
    dropCells();
    return true;
  }

 private:
  QAccessibleInterface* currentCell() const {
    const FlexGrid* g = grid();
    if (!g || g->row() < g->fixedRows() || g->col() < g->fixedCols()) return nullptr;
    return cellAt(g->row(), g->col());
  }

  void dropCells() {
    if (cells_.isEmpty()) return;
    for (const QAccessible::Id id : std::as_const(cells_)) QAccessible::deleteAccessibleInterface(id);
    cells_.clear();
  }

  // Index of the row (or column) at pixel position pos of the view: the fixed ones
  // first, then the scrolled ones from `first` while they are visible; -1 when none.
  template <class Pos, class Size, class Visible>
  static int lineAt(int pos, int count, int fixed, int first, Pos position, Size size, Visible visible) {
    auto hit = [&](int i) {
      const int start = twipsToPixels(position(i));
      return pos >= start && pos < start + twipsToPixels(size(i));
    };
    for (int i = 0; i < std::min(fixed, count); ++i)
      if (hit(i)) return i;
    for (int i = std::max(first, fixed); i < count && visible(i); ++i)
      if (hit(i)) return i;
    return -1;
  }

  const QObject* view_;
  mutable QHash<qint64, QAccessible::Id> cells_;
  int knownRows_ = 0, knownCols_ = 0;
};

QList<QAccessibleInterface*> GridCell::headings(bool ofColumn) const {
  QList<QAccessibleInterface*> list;
  const FlexGrid* g = grid();
  GridTable* t = tableOf(view_.data());
  if (!g || !t) return list;
  const int fixed = ofColumn ? g->fixedRows() : g->fixedCols();
  if ((ofColumn ? row_ : col_) < fixed) return list;
  for (int i = 0; i < fixed; ++i) list.append(ofColumn ? t->cellAt(i, col_) : t->cellAt(row_, i));
  return list;
}

GridTable* tableOf(const QWidget* view) { return view ? tables().value(view, nullptr) : nullptr; }

QAccessibleInterface* gridFactory(const QString&, QObject* object) {
  if (!object || !object->isWidgetType() || !flexGridOfView(object)) return nullptr;
  return new GridTable(static_cast<QWidget*>(object));
}

}  // namespace

void installFlexGridAccessible() {
  static bool installed = false;
  if (installed) return;
  installed = true;
  QAccessible::installFactory(gridFactory);
}

void flexGridCellChanged(QWidget* view, int r, int c) {
  GridTable* t = tableOf(view);
  if (!t || !listening()) return;
  if (QAccessibleInterface* cell = t->cachedCell(r, c)) {
    QAccessibleEvent named(cell, QAccessible::NameChanged);
    send(&named);
  }
  QAccessibleTableModelChangeEvent e(view, QAccessibleTableModelChangeEvent::DataChanged);
  e.setFirstRow(r);
  e.setLastRow(r);
  e.setFirstColumn(c);
  e.setLastColumn(c);
  send(&e);
}

void flexGridTextsChanged(QWidget* view) {
  GridTable* t = tableOf(view);
  if (!t || !listening() || t->rowCount() == 0 || t->columnCount() == 0) return;
  QAccessibleTableModelChangeEvent e(view, QAccessibleTableModelChangeEvent::DataChanged);
  e.setFirstRow(0);
  e.setLastRow(t->rowCount() - 1);
  e.setFirstColumn(0);
  e.setLastColumn(t->columnCount() - 1);
  send(&e);
}

void flexGridLayoutChanged(QWidget* view) {
  GridTable* t = tableOf(view);
  if (!t || !t->reshaped() || !listening()) return;
  QAccessibleTableModelChangeEvent e(view, QAccessibleTableModelChangeEvent::ModelReset);
  send(&e);
}

void flexGridCurrentChanged(QWidget* view, int r, int c) {
  GridTable* t = tableOf(view);
  if (!t || !listening() || !view->hasFocus()) return;
  if (QAccessibleInterface* cell = t->cellAt(r, c)) {
    QAccessibleEvent focus(cell, QAccessible::Focus);
    send(&focus);
  }
}

void setGridAccessibleSink(std::function<void(QAccessibleEvent*)> s) { sink() = std::move(s); }

}  // namespace platform
