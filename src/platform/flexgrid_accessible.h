#pragma once
// The display grid as assistive technology sees it: an accessible table whose cells
// are accessible objects named by their texts, made when a screen reader asks for
// them. Internal to the platform layer. Every notification returns at once while no
// assistive technology has looked at the grid.

#include <functional>

class QAccessibleEvent;
class QObject;
class QWidget;

namespace platform {

class FlexGrid;

// Registers the accessible table of the grids with Qt; later calls do nothing.
void installFlexGridAccessible();

// The grid that a widget shows; null when the widget is no grid's view or the grid
// is gone. (Defined with the grid.)
const FlexGrid* flexGridOfView(const QObject* view);

// The text of cell (r, c) of the grid shown in view changed.
void flexGridCellChanged(QWidget* view, int r, int c);
// Every text of the grid may have changed (the grid was cleared).
void flexGridTextsChanged(QWidget* view);
// Rows, columns or sizes changed: cells beyond the new size are dropped and the cell
// objects made so far are made again on demand.
void flexGridLayoutChanged(QWidget* view);
// The current cell moved to (r, c) by the user.
void flexGridCurrentChanged(QWidget* view, int r, int c);

// Where the grids' notices go: to Qt's accessibility while assistive technology
// listens (the default), or to this function when one is set (tests, on a display
// without accessibility). An empty function restores the default.
void setGridAccessibleSink(std::function<void(QAccessibleEvent*)> sink);

}  // namespace platform
