#pragma once
// A read-only display grid of text cells. Rows and columns are numbered from 0; the
// first fixedRows() rows and fixedCols() columns are headings: ordinary cells for text
// access, drawn frozen (they do not scroll) on the fixed back colour. One cell is the
// current cell (row(), col()); text() reads and writes it.
//
// Sizes are in twips (15 per logical pixel). Every row or column index is checked:
// an index outside the grid throws IndexError, which the event boundary reports.
//
// Mouse events report the cell under the pointer in mouseRow()/mouseCol(). A left
// click on a non-fixed cell makes it the current cell, then fires onClick once after
// the button is released. Arrow and page keys move the current cell and fire
// onRowColChange; setting row or col from code fires nothing.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/control.h"

namespace platform {

// Alignment codes of columns and cells.
enum GridAlignment {
  kAlignLeftTop = 0,
  kAlignLeftCentre = 1,
  kAlignLeftBottom = 2,
  kAlignCentreTop = 3,
  kAlignCentreCentre = 4,
  kAlignCentreBottom = 5,
  kAlignRightTop = 6,
  kAlignRightCentre = 7,
  kAlignRightBottom = 8,
  kAlignGeneral = 9,   // text on the left, numbers on the right, centred vertically
};

class FlexGrid : public Control {
 public:
  // A cell colour meaning "no colour of its own": the cell shows the grid's colour.
  static constexpr Colour kNoColour = 0xFFFFFFFF;

  FlexGrid(Container& parent, const std::string& name, int index = -1);
  ~FlexGrid() override;

  // --- size ------------------------------------------------------------------------
  // Number of rows (>= 0). Shrinking keeps rows 0..n-1 with their texts and colours;
  // growing adds empty rows. n < fixedRows() or n < 0 throws IndexError.
  int rows() const;
  void setRows(int n);
  // Number of columns, as rows; columns keep their widths and alignments.
  int cols() const;
  void setCols(int n);
  // Heading rows and columns at the top and left (0..rows() / 0..cols(), else
  // IndexError).
  int fixedRows() const;
  void setFixedRows(int n);
  int fixedCols() const;
  void setFixedCols(int n);

  // --- texts -----------------------------------------------------------------------
  // Text of cell (r, c); IndexError when outside the grid.
  std::string textMatrix(int r, int c) const;
  // The same text without a copy, valid until the grid next changes.
  const std::string& textRef(int r, int c) const;
  void setTextMatrix(int r, int c, const std::string& text);
  // Current cell. Setting row or col checks the index (IndexError), keeps it until
  // changed, does not scroll and fires no event. A new grid has 2 rows and 2 columns,
  // one of each fixed, and its current cell is (1, 1); when the grid shrinks the
  // current cell is brought back inside it.
  int row() const;
  void setRow(int r);
  int col() const;
  void setCol(int c);
  // Text of the current cell; IndexError when the grid has no cell.
  std::string text() const;
  void setText(const std::string& text);
  // Empties every text and drops the cells' own colours and alignments; the size,
  // widths and headings' layout stay.
  void clear();
  // Inserts a row at index (0..rows(); -1 appends) whose cells take the tab-separated
  // fields of item from column 0 on (fields beyond the last column are dropped).
  void addItem(const std::string& item, int index = -1);
  // Removes row r; the rows below move up and rows() drops by one. Removing a fixed
  // row or the last non-fixed row throws IndexError.
  void removeItem(int r);

  // --- change journal of the texts ------------------------------------------------------
  // For callers that keep values read from the texts (numbers of a column) and read
  // again only what changed. Revisions are stamps of one counter shared by every grid
  // of the program, so a revision never describes two states.
  // Revision of column c: a new stamp at every change of one of its texts and at every
  // change of the grid's shape (rows or columns added or removed, clear()).
  // IndexError outside the grid.
  std::uint64_t textRevision(int c) const;
  // The rows of column c whose texts changed after the column had revision `since` (a
  // revision read from this column), in order of change, a row possibly more than
  // once; true with no row when `since` is the present revision. False when they are
  // not all known (the shape changed since, or more than the last 32 texts of the
  // column changed): the caller then reads the whole column again. IndexError outside
  // the grid.
  bool textChangesSince(int c, std::uint64_t since, std::vector<int>& rows) const;

  // --- geometry (twips) ---------------------------------------------------------------
  // Width of column c; a negative width sets the default (960 twips). c = -1 sets every
  // column. NaN is taken as the default; widths are capped at 1e6 twips.
  double colWidth(int c) const;
  void setColWidth(int c, double twips);
  // Height of row r; a negative height sets the default (from the font). r = -1 sets
  // every row. A height of 0 hides the row.
  double rowHeight(int r) const;
  void setRowHeight(int r, double twips);
  // Left edge of column c and top edge of row r from the grid's top-left corner at the
  // present scroll position (negative for cells scrolled out above or to the left).
  double colPos(int c) const;
  double rowPos(int r) const;
  // First non-fixed row and column shown. Setting them scrolls; the value is brought
  // into fixedRows()..(last row that can be at the top); an index outside the grid
  // throws IndexError.
  int topRow() const;
  void setTopRow(int r);
  int leftCol() const;
  void setLeftCol(int c);
  // True when some part of row r / column c is inside the visible area.
  bool rowIsVisible(int r) const;
  bool colIsVisible(int c) const;
  // Row and column under the mouse at the last mouse event; -1 beyond the cells.
  int mouseRow() const;
  int mouseCol() const;

  // --- alignment -----------------------------------------------------------------------
  // Alignment code (GridAlignment) of the non-fixed cells of column c (default 9) and
  // of its fixed cells (default 1). c = -1 sets every column; a code outside 0..9
  // throws std::invalid_argument.
  int colAlignment(int c) const;
  void setColAlignment(int c, int alignment);
  int fixedAlignment(int c) const;
  void setFixedAlignment(int c, int alignment);
  // Alignment of one cell: its own code if it has one, else its column's. Setting -1
  // returns the cell to its column's alignment.
  int cellAlignment(int r, int c) const;
  void setCellAlignment(int r, int c, int alignment);
  int cellAlignment() const;
  void setCellAlignment(int alignment);

  // --- colours ---------------------------------------------------------------------------
  // Back colour of a cell: its own colour, else the grid's (backColor() for normal
  // cells, backColorFixed() for headings). Setting kNoColour drops the cell's own.
  Colour cellBackColor(int r, int c) const;
  void setCellBackColor(int r, int c, Colour colour);
  Colour cellBackColor() const;   // current cell
  void setCellBackColor(Colour colour);
  // Text colour of a cell, the same way (foreColor() / foreColorFixed()).
  Colour cellForeColor(int r, int c) const;
  void setCellForeColor(int r, int c, Colour colour);
  Colour cellForeColor() const;
  void setCellForeColor(Colour colour);
  // Back and text colour of the cells without their own (default window colours).
  void setBackColor(Colour c) override;
  void setForeColor(Colour c) override;
  // Colours of the headings (default button face and window text), of the area beyond
  // the last cells (default dark grey) and of the grid lines.
  Colour backColorFixed() const;
  void setBackColorFixed(Colour c);
  Colour foreColorFixed() const;
  void setForeColorFixed(Colour c);
  Colour backColorBkg() const;
  void setBackColorBkg(Colour c);
  Colour gridColor() const;
  void setGridColor(Colour c);
  Colour gridColorFixed() const;
  void setGridColorFixed(Colour c);

  // --- appearance -------------------------------------------------------------------------
  // Grid lines of the normal and fixed cells: 0 none, 1 flat, 2 inset, 3 raised
  // (other values throw std::invalid_argument).
  int gridLines() const;
  void setGridLines(int style);
  int gridLinesFixed() const;
  void setGridLinesFixed(int style);
  // Scroll bars: 0 none, 1 horizontal, 2 vertical, 3 both (shown only when needed).
  int scrollBars() const;
  void setScrollBars(int which);
  // How the current cell is marked: 0 never, 1 always, 2 only when the grid has focus.
  int highLight() const;
  void setHighLight(int mode);
  // While false the grid is not repainted on changes (bulk fills); setting it back to
  // true repaints once.
  bool redraw() const;
  void setRedraw(bool on);

  // --- events ------------------------------------------------------------------------------
  std::function<void()> onClick;
  std::function<void()> onDblClick;
  std::function<void()> onRowColChange;
  std::function<void()> onScroll;
  std::function<void()> onGotFocus;
  std::function<void()> onLostFocus;
  KeyHandler onKeyDown;
  KeyHandler onKeyUp;
  KeyPressHandler onKeyPress;
  MouseHandler onMouseDown;
  MouseHandler onMouseMove;
  MouseHandler onMouseUp;

  struct Impl;   // internal

 private:
  std::unique_ptr<Impl> d_;
};

}  // namespace platform
