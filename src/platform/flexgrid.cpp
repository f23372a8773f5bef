// The display grid: a flat row-major table of cells and a scroll area that paints
// only the visible cells. Row and column edges are cached as pixel prefix sums,
// rebuilt lazily after a change of size, so that filling thousands of cells costs one
// rebuild and setting a cell repaints just that cell's rectangle. Scrolling moves by
// whole rows and columns: the vertical scroll bar's value is the top row.

#include "platform/flexgrid.h"

#include <QAbstractScrollArea>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPointer>
#include <QScrollBar>
#include <QStyle>
#include <QTimer>

#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <cstddef>
#include <stdexcept>
#include <vector>

#include "platform/flexgrid_accessible.h"
#include "platform/form.h"
#include "platform/form_impl.h"
#include "platform/qt_bridge.h"

namespace platform {

namespace {

constexpr double kDefaultColWidth = 960;      // twips
constexpr double kMaxSize = 1e6;              // twips, cap of a width or height
constexpr std::size_t kMaxCells = 20000000;   // guards against runaway sizes
constexpr int kPaddingPx = 1;                 // text margin inside a cell

// The stamps of text revisions, shared by every grid.
std::atomic<std::uint64_t> lastStamp{0};
std::uint64_t newStamp() { return ++lastStamp; }

// The last text changes of one column.
struct ColumnJournal {
  static constexpr int kSize = 32;
  std::uint64_t revision = 0;   // stamp of the last change
  std::uint64_t known = 0;      // every change after this stamp is in the ring
  std::array<std::uint64_t, kSize> stamps{};
  std::array<int, kSize> rows{};
  int next = 0;    // ring position of the next change
  int count = 0;   // changes in the ring

  void reshaped() {
    revision = known = newStamp();
    count = 0;
  }
  void changed(int r) {
    if (count == kSize) known = stamps[static_cast<std::size_t>(next)];
    revision = newStamp();
    stamps[static_cast<std::size_t>(next)] = revision;
    rows[static_cast<std::size_t>(next)] = r;
    next = (next + 1) % kSize;
    if (count < kSize) ++count;
  }
};

struct Cell {
  std::string text;
  Colour back = FlexGrid::kNoColour;
  Colour fore = FlexGrid::kNoColour;
  std::int8_t align = -1;   // -1: the column's alignment
};

// A width or height as stored: negative or NaN means "default" (-1), else capped.
double sizeOrDefault(double twips) {
  if (std::isnan(twips) || twips < 0) return -1;
  return std::min(twips, kMaxSize);
}

void checkAlignment(int a) {
  if (a < 0 || a > 9)
    throw std::invalid_argument("alignment " + std::to_string(a) + " is not a code 0 to 9");
}

void checkLineStyle(int s) {
  if (s < 0 || s > 3)
    throw std::invalid_argument("grid line style " + std::to_string(s) + " is not 0 to 3");
}

// True for a text that reads as a number: blanks, sign, digits with one "." or ","
// and an optional exponent.
bool looksNumeric(const std::string& s) {
  std::size_t i = 0, n = s.size();
  while (i < n && s[i] == ' ') ++i;
  if (i < n && (s[i] == '+' || s[i] == '-')) ++i;
  bool digits = false, point = false;
  for (; i < n; ++i) {
    const char ch = s[i];
    if (ch >= '0' && ch <= '9') {
      digits = true;
    } else if ((ch == '.' || ch == ',') && !point) {
      point = true;
    } else {
      break;
    }
  }
  if (!digits) return false;
  if (i < n && (s[i] == 'e' || s[i] == 'E')) {
    std::size_t j = i + 1;
    if (j < n && (s[j] == '+' || s[j] == '-')) ++j;
    const std::size_t start = j;
    while (j < n && s[j] >= '0' && s[j] <= '9') ++j;
    if (j > start) i = j;
  }
  while (i < n && s[i] == ' ') ++i;
  return i == n;
}

Qt::Alignment qtAlignment(int code, const std::string& text) {
  if (code == kAlignGeneral)
    return (looksNumeric(text) ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
  static const Qt::Alignment horizontal[3] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight};
  static const Qt::Alignment vertical[3] = {Qt::AlignTop, Qt::AlignVCenter, Qt::AlignBottom};
  const int c = std::clamp(code, 0, 8);
  return horizontal[c / 3] | vertical[c % 3];
}

}  // namespace

// The widget: a scroll area whose viewport shows the cells.
class FlexGridView : public QAbstractScrollArea {
 public:
  explicit FlexGridView(QWidget* parent);
  FlexGrid::Impl* grid = nullptr;   // null once the control is gone

 protected:
  void paintEvent(QPaintEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  void changeEvent(QEvent* e) override;
  void scrollContentsBy(int dx, int dy) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void mouseDoubleClickEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void keyReleaseEvent(QKeyEvent* e) override;
  void focusInEvent(QFocusEvent* e) override;
  void focusOutEvent(QFocusEvent* e) override;
  FocusMemory focus_;
};

// Pixel layout of the visible area at the present size and scroll position.
struct FlexGridLayout {
  int fixedW = 0, fixedH = 0;   // size of the heading band
  int viewW = 0, viewH = 0;     // cell area
  bool needH = false, needV = false;
  int maxTop = 0, maxLeft = 0;  // last top row / left column that scrolling reaches
  int top = 0, left = 0;        // effective top row and left column
};

struct FlexGrid::Impl {
  FlexGrid* owner = nullptr;
  QPointer<FlexGridView> view;

  int rows = 2, cols = 2, fixedRows = 1, fixedCols = 1;
  std::vector<Cell> cells;          // rows * cols, row-major
  std::vector<ColumnJournal> journal;   // per column
  std::vector<double> colW;         // twips; -1 default
  std::vector<double> rowH;
  std::vector<std::int8_t> colAlign, fixedAlign;
  int row = 1, col = 1;
  int topReq = 1, leftReq = 1;      // asked-for scroll position (clamped on use)
  int mouseRow = -1, mouseCol = -1;

  Colour backFixed = kButtonFace, foreFixed = kWindowText, backBkg = 0x808080;
  Colour gridColour = 0xC0C0C0, gridColourFixed = 0x000000;
  int gridLines = 1, gridLinesFixed = 2, scrollBars = 3, highLight = 1;
  bool redraw = true;

  // Pixel prefix sums: colX[c] is the left edge of column c with nothing scrolled,
  // colX[cols] the total width; the same for rowY.
  bool prefixDirty = true;
  std::vector<int> colX, rowY;
  int defaultRowPx = 16;
  bool syncScheduled = false;
  bool syncing = false;

  // Mouse state between press and release.
  bool leftPressed = false;
  bool afterDoubleClick = false;

  // --- cells ---------------------------------------------------------------------
  std::string where(const char* what) const { return owner->name() + ": " + what; }

  // The checks stay cheap enough to inline at every cell access; the error is built
  // out of line.
  [[noreturn]] __attribute__((noinline, cold)) void rowError(int r) const {
    throw IndexError(where("row ") + std::to_string(r) + " outside 0.." + std::to_string(rows - 1));
  }
  [[noreturn]] __attribute__((noinline, cold)) void colError(int c) const {
    throw IndexError(where("column ") + std::to_string(c) + " outside 0.." + std::to_string(cols - 1));
  }
  void checkRow(int r) const {
    if (r < 0 || r >= rows) [[unlikely]] rowError(r);
  }
  void checkCol(int c) const {
    if (c < 0 || c >= cols) [[unlikely]] colError(c);
  }
  Cell& at(int r, int c) {
    checkRow(r);
    checkCol(c);
    return cells[static_cast<std::size_t>(r) * static_cast<std::size_t>(cols) + static_cast<std::size_t>(c)];
  }
  const Cell& at(int r, int c) const { return const_cast<Impl*>(this)->at(r, c); }
  bool isFixed(int r, int c) const { return r < fixedRows || c < fixedCols; }

  void checkTotal(int r, int c) const {
    if (r < 0 || c < 0 || static_cast<std::size_t>(r) * static_cast<std::size_t>(c) > kMaxCells)
      throw IndexError(where("grid size ") + std::to_string(r) + " x " + std::to_string(c) +
                       " out of range");
  }

  void resizeRows(int n) {
    checkTotal(n, cols);
    if (n < fixedRows)
      throw IndexError(where("row count ") + std::to_string(n) + " below the fixed rows (" +
                       std::to_string(fixedRows) + ")");
    if (n != rows) textsReshaped();
    cells.resize(static_cast<std::size_t>(n) * static_cast<std::size_t>(cols));
    rowH.resize(static_cast<std::size_t>(n), -1);
    rows = n;
    afterShrink();
  }

  void resizeCols(int n) {
    checkTotal(rows, n);
    if (n < fixedCols)
      throw IndexError(where("column count ") + std::to_string(n) + " below the fixed columns (" +
                       std::to_string(fixedCols) + ")");
    if (n != cols) {
      std::vector<Cell> next(static_cast<std::size_t>(rows) * static_cast<std::size_t>(n));
      const int keep = std::min(cols, n);
      for (int r = 0; r < rows; ++r)
        for (int c = 0; c < keep; ++c)
          next[static_cast<std::size_t>(r) * n + c] = std::move(cells[static_cast<std::size_t>(r) * cols + c]);
      cells.swap(next);
    }
    if (n != cols) {
      journal.resize(static_cast<std::size_t>(n));
      textsReshaped();
    }
    colW.resize(static_cast<std::size_t>(n), -1);
    colAlign.resize(static_cast<std::size_t>(n), kAlignGeneral);
    fixedAlign.resize(static_cast<std::size_t>(n), kAlignLeftCentre);
    cols = n;
    afterShrink();
  }

  // Every column's texts moved, appeared or went.
  void textsReshaped() {
    for (ColumnJournal& j : journal) j.reshaped();
  }

  // Brings the current cell back inside the grid after it shrank.
  void afterShrink() {
    row = std::clamp(row, 0, std::max(0, rows - 1));
    col = std::clamp(col, 0, std::max(0, cols - 1));
    if (mouseRow >= rows) mouseRow = -1;
    if (mouseCol >= cols) mouseCol = -1;
    structureChanged();
  }

  // --- layout ----------------------------------------------------------------------
  int colPx(int c) const {
    return twipsToPixels(colW[static_cast<std::size_t>(c)] < 0 ? kDefaultColWidth : colW[static_cast<std::size_t>(c)]);
  }
  int rowPx(int r) const {
    const double h = rowH[static_cast<std::size_t>(r)];
    return h < 0 ? defaultRowPx : twipsToPixels(h);
  }

  void ensurePrefix() {
    if (!prefixDirty) return;
    if (view) defaultRowPx = std::max(1, view->fontMetrics().height() + 3);
    colX.assign(static_cast<std::size_t>(cols) + 1, 0);
    for (int c = 0; c < cols; ++c) colX[c + 1] = colX[c] + colPx(c);
    rowY.assign(static_cast<std::size_t>(rows) + 1, 0);
    for (int r = 0; r < rows; ++r) rowY[r + 1] = rowY[r] + rowPx(r);
    prefixDirty = false;
  }

  // The first index i in [lo, hi] with edges[i] >= value (hi when none).
  static int firstAtLeast(const std::vector<int>& edges, int lo, int hi, int value) {
    if (lo >= hi) return hi;
    auto it = std::lower_bound(edges.begin() + lo, edges.begin() + hi, value);
    return static_cast<int>(it - edges.begin());
  }

  FlexGridLayout geometry() {
    ensurePrefix();
    FlexGridLayout g;
    g.fixedW = colX[fixedCols];
    g.fixedH = rowY[fixedRows];
    int outerW = 0, outerH = 0, bar = 0;
    if (view) {
      const int fw = view->frameWidth();
      outerW = std::max(0, view->width() - 2 * fw);
      outerH = std::max(0, view->height() - 2 * fw);
      bar = view->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, view);
    }
    const bool canV = scrollBars & 2, canH = scrollBars & 1;
    const int totalW = colX[cols], totalH = rowY[rows];
    g.needV = canV && totalH > outerH;
    g.needH = canH && totalW > outerW - (g.needV ? bar : 0);
    if (g.needH && !g.needV) g.needV = canV && totalH > outerH - bar;
    g.viewW = std::max(0, outerW - (g.needV ? bar : 0));
    g.viewH = std::max(0, outerH - (g.needH ? bar : 0));
    // The last top row leaves no blank below the last row when the rest fits.
    g.maxTop = std::min(std::max(fixedRows, rows - 1),
                        firstAtLeast(rowY, fixedRows, rows, totalH - (g.viewH - g.fixedH)));
    g.maxLeft = std::min(std::max(fixedCols, cols - 1),
                         firstAtLeast(colX, fixedCols, cols, totalW - (g.viewW - g.fixedW)));
    g.maxTop = std::max(g.maxTop, fixedRows);
    g.maxLeft = std::max(g.maxLeft, fixedCols);
    g.top = std::clamp(topReq, fixedRows, g.maxTop);
    g.left = std::clamp(leftReq, fixedCols, g.maxLeft);
    return g;
  }

  // Pixel position of row r / column c in the viewport (fixed ones do not scroll).
  int rowTopPx(const FlexGridLayout& g, int r) const {
    return r < fixedRows ? rowY[r] : g.fixedH + rowY[r] - rowY[g.top];
  }
  int colLeftPx(const FlexGridLayout& g, int c) const {
    return c < fixedCols ? colX[c] : g.fixedW + colX[c] - colX[g.left];
  }
  QRect cellRect(const FlexGridLayout& g, int r, int c) const {
    return QRect(colLeftPx(g, c), rowTopPx(g, r), colX[c + 1] - colX[c], rowY[r + 1] - rowY[r]);
  }
  bool rowShown(const FlexGridLayout& g, int r) const {
    if (rowY[r + 1] == rowY[r]) return false;
    if (r < fixedRows) return rowY[r] < g.viewH;
    return r >= g.top && rowTopPx(g, r) < g.viewH;
  }
  bool colShown(const FlexGridLayout& g, int c) const {
    if (colX[c + 1] == colX[c]) return false;
    if (c < fixedCols) return colX[c] < g.viewW;
    return c >= g.left && colLeftPx(g, c) < g.viewW;
  }

  // Row / column under a viewport point; -1 beyond the cells.
  int rowAt(const FlexGridLayout& g, int y) const {
    if (y < 0) return -1;
    int content;
    int lo, hi;
    if (y < g.fixedH) {
      content = y;
      lo = 0;
      hi = fixedRows;
    } else {
      content = y - g.fixedH + rowY[g.top];
      lo = g.top;
      hi = rows;
    }
    auto it = std::upper_bound(rowY.begin() + lo, rowY.begin() + hi + 1, content);
    const int r = static_cast<int>(it - rowY.begin()) - 1;
    return r >= lo && r < hi ? r : -1;
  }
  int colAt(const FlexGridLayout& g, int x) const {
    if (x < 0) return -1;
    int content;
    int lo, hi;
    if (x < g.fixedW) {
      content = x;
      lo = 0;
      hi = fixedCols;
    } else {
      content = x - g.fixedW + colX[g.left];
      lo = g.left;
      hi = cols;
    }
    auto it = std::upper_bound(colX.begin() + lo, colX.begin() + hi + 1, content);
    const int c = static_cast<int>(it - colX.begin()) - 1;
    return c >= lo && c < hi ? c : -1;
  }

  // --- repaint ---------------------------------------------------------------------
  void repaintAll() {
    if (view && redraw) view->viewport()->update();
  }
  void repaintCell(int r, int c) {
    if (!view || !redraw) return;
    if (prefixDirty) {
      view->viewport()->update();
      return;
    }
    const FlexGridLayout g = geometry();
    if (rowShown(g, r) && colShown(g, c)) view->viewport()->update(cellRect(g, r, c));
  }

  // Sizes changed: edges are rebuilt on next use, the scroll bars after the current
  // burst of calls.
  void structureChanged() {
    prefixDirty = true;
    scheduleSync();
    repaintAll();
    flexGridLayoutChanged(view.data());
  }
  void scheduleSync() {
    if (!view || syncScheduled) return;
    syncScheduled = true;
    FlexGridView* v = view.data();
    QTimer::singleShot(0, v, [v] {
      if (v->grid) {
        v->grid->syncScheduled = false;
        v->grid->syncScrollBars();
      }
    });
  }

  // Shows, hides and sets the scroll bars from the present layout.
  void syncScrollBars() {
    if (!view || syncing) return;
    syncing = true;
    const FlexGridLayout g = geometry();
    auto apply = [](QScrollBar* bar, bool need, int lo, int hi, int value, int page) {
      bar->setRange(lo, std::max(lo, hi));
      bar->setPageStep(std::max(1, page));
      bar->setSingleStep(1);
      bar->setValue(value);
      (void)need;
    };
    const Qt::ScrollBarPolicy vp = g.needV ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff;
    const Qt::ScrollBarPolicy hp = g.needH ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff;
    if (view->verticalScrollBarPolicy() != vp) view->setVerticalScrollBarPolicy(vp);
    if (view->horizontalScrollBarPolicy() != hp) view->setHorizontalScrollBarPolicy(hp);
    apply(view->verticalScrollBar(), g.needV, fixedRows, g.maxTop, g.top, visibleRowCount(g));
    apply(view->horizontalScrollBar(), g.needH, fixedCols, g.maxLeft, g.left, visibleColCount(g));
    syncing = false;
  }

  int visibleRowCount(const FlexGridLayout& g) const {
    const int bottom = rowY[g.top] + (g.viewH - g.fixedH);
    return firstAtLeast(rowY, g.top, rows, bottom + 1) - g.top - 1;
  }
  int visibleColCount(const FlexGridLayout& g) const {
    const int right = colX[g.left] + (g.viewW - g.fixedW);
    return firstAtLeast(colX, g.left, cols, right + 1) - g.left - 1;
  }

  // --- scrolling -------------------------------------------------------------------
  // Sets the asked-for top row / left column; fires Scroll when the view moved.
  void scrollTo(int top, int left) {
    const FlexGridLayout before = geometry();
    topReq = top;
    leftReq = left;
    const FlexGridLayout after = geometry();
    syncScrollBars();
    if (before.top != after.top || before.left != after.left) {
      repaintAll();
      fire("Scroll", owner->onScroll);
    }
  }

  // Scrolls the least so that cell (r, c) is wholly visible (fixed parts stay).
  void scrollIntoView(int r, int c) {
    FlexGridLayout g = geometry();
    int top = g.top, left = g.left;
    if (r >= fixedRows) {
      if (r < top) {
        top = r;
      } else {
        const int avail = g.viewH - g.fixedH;
        top = std::max(top, firstAtLeast(rowY, fixedRows, r, rowY[r + 1] - avail));
      }
    }
    if (c >= fixedCols) {
      if (c < left) {
        left = c;
      } else {
        const int avail = g.viewW - g.fixedW;
        left = std::max(left, firstAtLeast(colX, fixedCols, c, colX[c + 1] - avail));
      }
    }
    if (top != g.top || left != g.left) scrollTo(top, left);
  }

  // --- events ----------------------------------------------------------------------
  // Runs a handler inside the error boundary; false when the grid went away meanwhile.
  template <class Fn, class... Args>
  bool fire(const char* event, Fn& handler, Args&&... args) {
    if (!handler) return true;
    QPointer<FlexGridView> alive(view);
    std::string place = owner->name();
    if (owner->index() >= 0) place += "(" + std::to_string(owner->index()) + ")";
    place += std::string("_") + event;
    auto fn = handler;   // the handler may replace itself
    guarded(place.c_str(), [&] { fn(std::forward<Args>(args)...); });
    return alive && alive->grid;
  }

  // Moves the current cell as the user does: no move onto a heading; RowColChange
  // when the cell changed.
  bool userMove(int r, int c) {
    if (rows <= fixedRows || cols <= fixedCols) return true;
    r = std::clamp(r, fixedRows, rows - 1);
    c = std::clamp(c, fixedCols, cols - 1);
    scrollIntoView(r, c);
    if (r == row && c == col) return true;
    const int oldR = row, oldC = col;
    row = r;
    col = c;
    if (oldR < rows && oldC < cols) repaintCell(oldR, oldC);
    repaintCell(r, c);
    flexGridCurrentChanged(view.data(), r, c);
    return fire("RowColChange", owner->onRowColChange);
  }

  // Grid position in twips of a viewport point.
  std::pair<double, double> twipsOf(const QPointF& p) const {
    const double fw = view ? view->frameWidth() : 0;
    return {pixelsToTwips(p.x() + fw), pixelsToTwips(p.y() + fw)};
  }

  void trackMouse(const QPointF& p) {
    const FlexGridLayout g = geometry();
    const QPoint q = p.toPoint();
    mouseRow = q.y() < g.viewH ? rowAt(g, q.y()) : -1;
    mouseCol = q.x() < g.viewW ? colAt(g, q.x()) : -1;
  }

  // --- painting --------------------------------------------------------------------
  void paint(QPainter& p, const QRect& exposed) {
    const FlexGridLayout g = geometry();
    p.fillRect(exposed, toQColor(backBkg));
    // Visible rows and columns, fixed first, clipped to the exposed rectangle.
    std::vector<int> vr, vc;
    auto collect = [&](std::vector<int>& out, const std::vector<int>& edges, int fixed, int first,
                       int count, int band, int limit, int lo, int hi) {
      for (int i = 0; i < fixed; ++i)
        if (edges[i + 1] > lo && edges[i] < hi && edges[i] < limit) out.push_back(i);
      int i = std::max(first, static_cast<int>(std::upper_bound(edges.begin() + first, edges.begin() + count,
                                                                lo - band + edges[first]) -
                                                   edges.begin()) - 1);
      for (; i < count; ++i) {
        const int pos = band + edges[i] - edges[first];
        if (pos >= hi || pos >= limit) break;
        if (pos + edges[i + 1] - edges[i] > lo) out.push_back(i);
      }
    };
    collect(vr, rowY, fixedRows, g.top, rows, g.fixedH, g.viewH, exposed.top(), exposed.bottom() + 1);
    collect(vc, colX, fixedCols, g.left, cols, g.fixedW, g.viewW, exposed.left(), exposed.right() + 1);
    // The grid's own colours, resolved once per paint.
    const QColor back = toQColor(owner->backColor()), fore = toQColor(owner->foreColor());
    const QColor headBack = toQColor(backFixed), headFore = toQColor(foreFixed);
    const bool showCurrent = highLight == 1 || (highLight == 2 && view && view->hasFocus());
    for (int r : vr) {
      for (int c : vc) {
        const QRect rect = cellRect(g, r, c);
        if (rect.isEmpty()) continue;
        const Cell& cell = cells[static_cast<std::size_t>(r) * cols + c];
        const bool fixed = isFixed(r, c);
        p.fillRect(rect, cell.back != FlexGrid::kNoColour ? toQColor(cell.back) : fixed ? headBack : back);
        drawLines(p, rect, fixed ? gridLinesFixed : gridLines, fixed ? gridColourFixed : gridColour);
        if (!cell.text.empty()) {
          const int code = cell.align >= 0 ? cell.align : fixed ? fixedAlign[c] : colAlign[c];
          p.setPen(cell.fore != FlexGrid::kNoColour ? toQColor(cell.fore) : fixed ? headFore : fore);
          const QRect box = rect.adjusted(kPaddingPx, 0, -kPaddingPx - 1, -1);
          const QString text = toQ(cell.text);
          Qt::Alignment align = qtAlignment(code, cell.text);
          // A text wider than its cell shows its beginning, whatever its alignment.
          if (p.fontMetrics().horizontalAdvance(text) > box.width())
            align = (align & Qt::AlignVertical_Mask) | Qt::AlignLeft;
          p.drawText(box, align | Qt::TextSingleLine, text);
        }
        if (showCurrent && !fixed && r == row && c == col && rect.width() > 3 && rect.height() > 3) {
          QPen pen(fore);
          pen.setStyle(Qt::DotLine);
          p.setPen(pen);
          p.setBrush(Qt::NoBrush);
          p.drawRect(rect.adjusted(1, 1, -3, -3));
        }
      }
    }
  }

  static void drawLines(QPainter& p, const QRect& r, int style, Colour colour) {
    if (style == 0) return;
    const int x0 = r.left(), y0 = r.top(), x1 = r.right(), y1 = r.bottom();
    if (style == 1) {
      p.setPen(toQColor(colour));
      p.drawLine(x1, y0, x1, y1);
      p.drawLine(x0, y1, x1, y1);
      return;
    }
    // Inset: dark above and left, light below and right; raised the other way round.
    const QColor light(255, 255, 255), dark(128, 128, 128);
    p.setPen(style == 2 ? dark : light);
    p.drawLine(x0, y0, x1, y0);
    p.drawLine(x0, y0, x0, y1);
    p.setPen(style == 2 ? light : dark);
    p.drawLine(x1, y0, x1, y1);
    p.drawLine(x0, y1, x1, y1);
  }
};

// --- FlexGridView ----------------------------------------------------------------------

FlexGridView::FlexGridView(QWidget* parent)
    : QAbstractScrollArea(parent),
      focus_([this] { if (grid) grid->fire("GotFocus", grid->owner->onGotFocus); },
             [this] { if (grid) grid->fire("LostFocus", grid->owner->onLostFocus); }) {
  setFocusPolicy(Qt::StrongFocus);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  viewport()->setMouseTracking(true);
  viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
}

void FlexGridView::paintEvent(QPaintEvent* e) {
  if (!grid) return;
  QPainter p(viewport());
  grid->paint(p, e->rect());
}

void FlexGridView::resizeEvent(QResizeEvent* e) {
  QAbstractScrollArea::resizeEvent(e);
  if (grid) grid->syncScrollBars();
}

void FlexGridView::changeEvent(QEvent* e) {
  QAbstractScrollArea::changeEvent(e);
  if (grid && e->type() == QEvent::FontChange) grid->structureChanged();
}

void FlexGridView::scrollContentsBy(int, int) {
  if (!grid || grid->syncing) return;
  grid->scrollTo(verticalScrollBar()->value(), horizontalScrollBar()->value());
}

void FlexGridView::mousePressEvent(QMouseEvent* e) {
  if (!grid) return;
  FlexGrid::Impl* d = grid;
  d->trackMouse(e->position());
  const int button = buttonsFromQt(e->button());
  const int shift = shiftMaskFromQt(e->modifiers());
  d->afterDoubleClick = false;
  d->leftPressed = button == kLeftButton;
  if (d->leftPressed && d->mouseRow >= d->fixedRows && d->mouseCol >= d->fixedCols) {
    if (!d->userMove(d->mouseRow, d->mouseCol)) return;
  }
  const auto [x, y] = d->twipsOf(e->position());
  d->fire("MouseDown", d->owner->onMouseDown, button, shift, x, y);
}

void FlexGridView::mouseReleaseEvent(QMouseEvent* e) {
  if (!grid) return;
  FlexGrid::Impl* d = grid;
  d->trackMouse(e->position());
  const int button = buttonsFromQt(e->button());
  const bool inside = viewport()->rect().contains(e->position().toPoint());
  const bool click = button == kLeftButton && d->leftPressed && !d->afterDoubleClick && inside;
  d->leftPressed = false;
  d->afterDoubleClick = false;
  const auto [x, y] = d->twipsOf(e->position());
  if (!d->fire("MouseUp", d->owner->onMouseUp, button, shiftMaskFromQt(e->modifiers()), x, y)) return;
  if (click) d->fire("Click", d->owner->onClick);
}

// The second press of a double click fires DblClick in place of MouseDown; its
// release fires MouseUp but no Click.
void FlexGridView::mouseDoubleClickEvent(QMouseEvent* e) {
  if (!grid) return;
  FlexGrid::Impl* d = grid;
  d->trackMouse(e->position());
  d->leftPressed = false;
  d->afterDoubleClick = true;
  if (e->button() == Qt::LeftButton) d->fire("DblClick", d->owner->onDblClick);
}

void FlexGridView::mouseMoveEvent(QMouseEvent* e) {
  if (!grid) return;
  FlexGrid::Impl* d = grid;
  d->trackMouse(e->position());
  const auto [x, y] = d->twipsOf(e->position());
  d->fire("MouseMove", d->owner->onMouseMove, buttonsFromQt(e->buttons()), shiftMaskFromQt(e->modifiers()), x, y);
}

// Keys go to KeyDown, then KeyPress; the arrow, page, Home and End keys then move
// the current cell. Other keys go on to the parent widgets (default buttons).
void FlexGridView::keyPressEvent(QKeyEvent* e) {
  if (!grid) return;
  FlexGrid::Impl* d = grid;
  const int shift = shiftMaskFromQt(e->modifiers());
  int code = keyCodeFromQt(e->key(), static_cast<int>(e->nativeVirtualKey()));
  const int original = code;
  // Auto-repeated keys reach no handler; they still move the current cell.
  if (!e->isAutoRepeat() && code != 0) {
    if (!d->fire("KeyDown", d->owner->onKeyDown, code, shift)) return;
  }
  if (original != 0 && code == 0) {   // the handler kept the key
    e->accept();
    return;
  }
  if (!e->isAutoRepeat()) {
    int ascii = keyAsciiOf(e);
    if (ascii > 0 && !d->fire("KeyPress", d->owner->onKeyPress, ascii)) return;
  }
  const FlexGridLayout g = d->geometry();
  const bool ctrl = shift & kCtrlMask;
  const int page = std::max(1, d->visibleRowCount(g));
  e->accept();
  switch (e->key()) {
    case Qt::Key_Up: d->userMove(d->row - 1, d->col); break;
    case Qt::Key_Down: d->userMove(d->row + 1, d->col); break;
    case Qt::Key_Left: d->userMove(d->row, d->col - 1); break;
    case Qt::Key_Right: d->userMove(d->row, d->col + 1); break;
    case Qt::Key_PageUp: d->userMove(d->row - page, d->col); break;
    case Qt::Key_PageDown: d->userMove(d->row + page, d->col); break;
    case Qt::Key_Home: d->userMove(ctrl ? 0 : d->row, d->fixedCols); break;
    case Qt::Key_End: d->userMove(ctrl ? d->rows - 1 : d->row, d->cols - 1); break;
    default: e->ignore(); break;
  }
}

void FlexGridView::keyReleaseEvent(QKeyEvent* e) {
  e->ignore();
  if (!grid || e->isAutoRepeat()) return;
  int code = keyCodeFromQt(e->key(), static_cast<int>(e->nativeVirtualKey()));
  if (code != 0) grid->fire("KeyUp", grid->owner->onKeyUp, code, shiftMaskFromQt(e->modifiers()));
}

void FlexGridView::focusInEvent(QFocusEvent* e) {
  QAbstractScrollArea::focusInEvent(e);
  if (!grid) return;
  if (grid->highLight == 2) grid->repaintAll();
  focus_.take(this, e);
}

void FlexGridView::focusOutEvent(QFocusEvent* e) {
  QAbstractScrollArea::focusOutEvent(e);
  if (!grid) return;
  if (grid->highLight == 2) grid->repaintAll();
  focus_.take(this, e);
}

const FlexGrid* flexGridOfView(const QObject* view) {
  const auto* v = dynamic_cast<const FlexGridView*>(view);
  return v && v->grid ? v->grid->owner : nullptr;
}

// --- FlexGrid ----------------------------------------------------------------------

FlexGrid::FlexGrid(Container& parent, const std::string& name, int index)
    : Control(parent, name, index), d_(std::make_unique<Impl>()) {
  d_->owner = this;
  d_->cells.resize(static_cast<std::size_t>(d_->rows) * d_->cols);
  d_->colW.assign(static_cast<std::size_t>(d_->cols), -1);
  d_->rowH.assign(static_cast<std::size_t>(d_->rows), -1);
  d_->colAlign.assign(static_cast<std::size_t>(d_->cols), kAlignGeneral);
  d_->fixedAlign.assign(static_cast<std::size_t>(d_->cols), kAlignLeftCentre);
  d_->journal.resize(static_cast<std::size_t>(d_->cols));
  d_->textsReshaped();
  auto* view = new FlexGridView(parent.clientWidget());
  view->grid = d_.get();
  d_->view = view;
  attach(view);
  installFlexGridAccessible();
  Control::setBackColor(kWindowBackground);
  Control::setForeColor(kWindowText);
  d_->structureChanged();
}

FlexGrid::~FlexGrid() {
  if (d_->view) d_->view->grid = nullptr;
}

int FlexGrid::rows() const { return d_->rows; }
void FlexGrid::setRows(int n) { d_->resizeRows(n); }
int FlexGrid::cols() const { return d_->cols; }
void FlexGrid::setCols(int n) { d_->resizeCols(n); }
int FlexGrid::fixedRows() const { return d_->fixedRows; }
int FlexGrid::fixedCols() const { return d_->fixedCols; }

void FlexGrid::setFixedRows(int n) {
  if (n < 0 || n > d_->rows)
    throw IndexError(d_->where("fixed rows ") + std::to_string(n) + " outside 0.." + std::to_string(d_->rows));
  d_->fixedRows = n;
  d_->structureChanged();
}

void FlexGrid::setFixedCols(int n) {
  if (n < 0 || n > d_->cols)
    throw IndexError(d_->where("fixed columns ") + std::to_string(n) + " outside 0.." + std::to_string(d_->cols));
  d_->fixedCols = n;
  d_->structureChanged();
}

std::string FlexGrid::textMatrix(int r, int c) const { return d_->at(r, c).text; }

const std::string& FlexGrid::textRef(int r, int c) const { return d_->at(r, c).text; }

void FlexGrid::setTextMatrix(int r, int c, const std::string& text) {
  Cell& cell = d_->at(r, c);
  if (cell.text == text) return;
  cell.text = text;
  d_->journal[static_cast<std::size_t>(c)].changed(r);
  d_->repaintCell(r, c);
  flexGridCellChanged(d_->view.data(), r, c);
}

std::uint64_t FlexGrid::textRevision(int c) const {
  d_->checkCol(c);
  return d_->journal[static_cast<std::size_t>(c)].revision;
}

bool FlexGrid::textChangesSince(int c, std::uint64_t since, std::vector<int>& rows) const {
  d_->checkCol(c);
  const ColumnJournal& j = d_->journal[static_cast<std::size_t>(c)];
  rows.clear();
  if (since == j.revision) return true;
  if (since < j.known || since > j.revision) return false;
  const int first = (j.next - j.count + ColumnJournal::kSize) % ColumnJournal::kSize;
  for (int k = 0; k < j.count; ++k) {
    const std::size_t i = static_cast<std::size_t>((first + k) % ColumnJournal::kSize);
    if (j.stamps[i] > since) rows.push_back(j.rows[i]);
  }
  return true;
}

int FlexGrid::row() const { return d_->row; }
int FlexGrid::col() const { return d_->col; }

void FlexGrid::setRow(int r) {
  d_->checkRow(r);
  const int old = d_->row;
  d_->row = r;
  if (old != r && d_->col < d_->cols) {
    if (old < d_->rows) d_->repaintCell(old, d_->col);
    d_->repaintCell(r, d_->col);
  }
}

void FlexGrid::setCol(int c) {
  d_->checkCol(c);
  const int old = d_->col;
  d_->col = c;
  if (old != c && d_->row < d_->rows) {
    if (old < d_->cols) d_->repaintCell(d_->row, old);
    d_->repaintCell(d_->row, c);
  }
}

std::string FlexGrid::text() const { return textMatrix(d_->row, d_->col); }
void FlexGrid::setText(const std::string& text) { setTextMatrix(d_->row, d_->col, text); }

void FlexGrid::clear() {
  for (Cell& cell : d_->cells) cell = Cell{};
  d_->textsReshaped();
  d_->repaintAll();
  flexGridTextsChanged(d_->view.data());
}

void FlexGrid::addItem(const std::string& item, int index) {
  if (index == -1) index = d_->rows;
  if (index < 0 || index > d_->rows)
    throw IndexError(d_->where("row ") + std::to_string(index) + " outside 0.." + std::to_string(d_->rows));
  d_->checkTotal(d_->rows + 1, d_->cols);
  const std::size_t cols = static_cast<std::size_t>(d_->cols);
  const std::size_t first = static_cast<std::size_t>(index) * cols;
  d_->cells.insert(d_->cells.begin() + static_cast<std::ptrdiff_t>(first), cols, Cell{});
  d_->rowH.insert(d_->rowH.begin() + index, -1);
  ++d_->rows;
  d_->textsReshaped();
  std::size_t start = 0;
  for (std::size_t c = 0; c < cols; ++c) {
    const std::size_t tab = item.find('\t', start);
    d_->cells[first + c].text = item.substr(start, tab == std::string::npos ? std::string::npos : tab - start);
    if (tab == std::string::npos) break;
    start = tab + 1;
  }
  d_->structureChanged();
}

void FlexGrid::removeItem(int r) {
  d_->checkRow(r);
  if (r < d_->fixedRows)
    throw IndexError(d_->where("cannot remove fixed row ") + std::to_string(r));
  if (d_->rows - d_->fixedRows <= 1)
    throw IndexError(d_->where("cannot remove the last non-fixed row"));
  const std::size_t cols = static_cast<std::size_t>(d_->cols);
  const auto first = d_->cells.begin() + static_cast<std::ptrdiff_t>(static_cast<std::size_t>(r) * cols);
  d_->cells.erase(first, first + static_cast<std::ptrdiff_t>(cols));
  d_->rowH.erase(d_->rowH.begin() + r);
  --d_->rows;
  d_->textsReshaped();
  d_->afterShrink();
}

// --- geometry ------------------------------------------------------------------------

double FlexGrid::colWidth(int c) const {
  d_->checkCol(c);
  const double w = d_->colW[static_cast<std::size_t>(c)];
  return w < 0 ? kDefaultColWidth : w;
}

void FlexGrid::setColWidth(int c, double twips) {
  if (c != -1) d_->checkCol(c);
  const double w = sizeOrDefault(twips);
  if (c == -1)
    std::fill(d_->colW.begin(), d_->colW.end(), w);
  else
    d_->colW[static_cast<std::size_t>(c)] = w;
  d_->structureChanged();
}

double FlexGrid::rowHeight(int r) const {
  d_->checkRow(r);
  const double h = d_->rowH[static_cast<std::size_t>(r)];
  if (h >= 0) return h;
  d_->ensurePrefix();
  return pixelsToTwips(d_->defaultRowPx);
}

void FlexGrid::setRowHeight(int r, double twips) {
  if (r != -1) d_->checkRow(r);
  const double h = sizeOrDefault(twips);
  if (r == -1)
    std::fill(d_->rowH.begin(), d_->rowH.end(), h);
  else
    d_->rowH[static_cast<std::size_t>(r)] = h;
  d_->structureChanged();
}

double FlexGrid::colPos(int c) const {
  d_->checkCol(c);
  const FlexGridLayout g = d_->geometry();
  const double fw = d_->view ? d_->view->frameWidth() : 0;
  return pixelsToTwips(d_->colLeftPx(g, c) + fw);
}

double FlexGrid::rowPos(int r) const {
  d_->checkRow(r);
  const FlexGridLayout g = d_->geometry();
  const double fw = d_->view ? d_->view->frameWidth() : 0;
  return pixelsToTwips(d_->rowTopPx(g, r) + fw);
}

int FlexGrid::topRow() const { return d_->geometry().top; }
int FlexGrid::leftCol() const { return d_->geometry().left; }

void FlexGrid::setTopRow(int r) {
  d_->checkRow(r);
  d_->scrollTo(r, d_->leftReq);
}

void FlexGrid::setLeftCol(int c) {
  d_->checkCol(c);
  d_->scrollTo(d_->topReq, c);
}

bool FlexGrid::rowIsVisible(int r) const {
  d_->checkRow(r);
  return d_->rowShown(d_->geometry(), r);
}

bool FlexGrid::colIsVisible(int c) const {
  d_->checkCol(c);
  return d_->colShown(d_->geometry(), c);
}

int FlexGrid::mouseRow() const { return d_->mouseRow; }
int FlexGrid::mouseCol() const { return d_->mouseCol; }

// --- alignment ------------------------------------------------------------------------

int FlexGrid::colAlignment(int c) const {
  d_->checkCol(c);
  return d_->colAlign[static_cast<std::size_t>(c)];
}

void FlexGrid::setColAlignment(int c, int alignment) {
  if (c != -1) d_->checkCol(c);
  checkAlignment(alignment);
  if (c == -1)
    std::fill(d_->colAlign.begin(), d_->colAlign.end(), static_cast<std::int8_t>(alignment));
  else
    d_->colAlign[static_cast<std::size_t>(c)] = static_cast<std::int8_t>(alignment);
  d_->repaintAll();
}

int FlexGrid::fixedAlignment(int c) const {
  d_->checkCol(c);
  return d_->fixedAlign[static_cast<std::size_t>(c)];
}

void FlexGrid::setFixedAlignment(int c, int alignment) {
  if (c != -1) d_->checkCol(c);
  checkAlignment(alignment);
  if (c == -1)
    std::fill(d_->fixedAlign.begin(), d_->fixedAlign.end(), static_cast<std::int8_t>(alignment));
  else
    d_->fixedAlign[static_cast<std::size_t>(c)] = static_cast<std::int8_t>(alignment);
  d_->repaintAll();
}

int FlexGrid::cellAlignment(int r, int c) const {
  const Cell& cell = d_->at(r, c);
  if (cell.align >= 0) return cell.align;
  return d_->isFixed(r, c) ? d_->fixedAlign[static_cast<std::size_t>(c)] : d_->colAlign[static_cast<std::size_t>(c)];
}

void FlexGrid::setCellAlignment(int r, int c, int alignment) {
  Cell& cell = d_->at(r, c);
  if (alignment != -1) checkAlignment(alignment);
  cell.align = static_cast<std::int8_t>(alignment);
  d_->repaintCell(r, c);
}

int FlexGrid::cellAlignment() const { return cellAlignment(d_->row, d_->col); }
void FlexGrid::setCellAlignment(int alignment) { setCellAlignment(d_->row, d_->col, alignment); }

// --- colours ----------------------------------------------------------------------------

Colour FlexGrid::cellBackColor(int r, int c) const {
  const Cell& cell = d_->at(r, c);
  if (cell.back != kNoColour) return cell.back;
  return d_->isFixed(r, c) ? d_->backFixed : backColor();
}

void FlexGrid::setCellBackColor(int r, int c, Colour colour) {
  Cell& cell = d_->at(r, c);
  if (cell.back == colour) return;
  cell.back = colour;
  d_->repaintCell(r, c);
}

Colour FlexGrid::cellBackColor() const { return cellBackColor(d_->row, d_->col); }
void FlexGrid::setCellBackColor(Colour colour) { setCellBackColor(d_->row, d_->col, colour); }

Colour FlexGrid::cellForeColor(int r, int c) const {
  const Cell& cell = d_->at(r, c);
  if (cell.fore != kNoColour) return cell.fore;
  return d_->isFixed(r, c) ? d_->foreFixed : foreColor();
}

void FlexGrid::setCellForeColor(int r, int c, Colour colour) {
  Cell& cell = d_->at(r, c);
  if (cell.fore == colour) return;
  cell.fore = colour;
  d_->repaintCell(r, c);
}

Colour FlexGrid::cellForeColor() const { return cellForeColor(d_->row, d_->col); }
void FlexGrid::setCellForeColor(Colour colour) { setCellForeColor(d_->row, d_->col, colour); }

void FlexGrid::setBackColor(Colour c) {
  if (c == backColor()) return;
  Control::setBackColor(c);
  d_->repaintAll();
}

void FlexGrid::setForeColor(Colour c) {
  Control::setForeColor(c);
  d_->repaintAll();
}

Colour FlexGrid::backColorFixed() const { return d_->backFixed; }
Colour FlexGrid::foreColorFixed() const { return d_->foreFixed; }
Colour FlexGrid::backColorBkg() const { return d_->backBkg; }
Colour FlexGrid::gridColor() const { return d_->gridColour; }
Colour FlexGrid::gridColorFixed() const { return d_->gridColourFixed; }

void FlexGrid::setBackColorFixed(Colour c) {
  d_->backFixed = c;
  d_->repaintAll();
}

void FlexGrid::setForeColorFixed(Colour c) {
  d_->foreFixed = c;
  d_->repaintAll();
}

void FlexGrid::setBackColorBkg(Colour c) {
  d_->backBkg = c;
  d_->repaintAll();
}

void FlexGrid::setGridColor(Colour c) {
  d_->gridColour = c;
  d_->repaintAll();
}

void FlexGrid::setGridColorFixed(Colour c) {
  d_->gridColourFixed = c;
  d_->repaintAll();
}

// --- appearance ---------------------------------------------------------------------------

int FlexGrid::gridLines() const { return d_->gridLines; }
int FlexGrid::gridLinesFixed() const { return d_->gridLinesFixed; }
int FlexGrid::scrollBars() const { return d_->scrollBars; }
int FlexGrid::highLight() const { return d_->highLight; }
bool FlexGrid::redraw() const { return d_->redraw; }

void FlexGrid::setGridLines(int style) {
  checkLineStyle(style);
  d_->gridLines = style;
  d_->repaintAll();
}

void FlexGrid::setGridLinesFixed(int style) {
  checkLineStyle(style);
  d_->gridLinesFixed = style;
  d_->repaintAll();
}

void FlexGrid::setScrollBars(int which) {
  if (which < 0 || which > 3)
    throw std::invalid_argument("scroll bars " + std::to_string(which) + " is not 0 to 3");
  d_->scrollBars = which;
  d_->syncScrollBars();
  d_->repaintAll();
}

void FlexGrid::setHighLight(int mode) {
  if (mode < 0 || mode > 2) throw std::invalid_argument("highlight " + std::to_string(mode) + " is not 0 to 2");
  d_->highLight = mode;
  d_->repaintAll();
}

void FlexGrid::setRedraw(bool on) {
  if (d_->redraw == on) return;
  d_->redraw = on;
  if (on) {
    d_->syncScrollBars();
    d_->repaintAll();
  }
}

}  // namespace platform
