#pragma once
// Choosing grid rows on the scatter plot, with no window: the points of the rows read,
// the shapes drawn around them (rectangle, circle, ellipse), the cut of the automatic
// split and the list of the rows chosen ("4;9;17;").

#include <optional>
#include <string>
#include <vector>

#include "statwindow/grid_columns.h"

// A row of the grid whose X and Y cells are both filled, with their values (a text that
// is not a number reads 0, as Val_Decimal reads it).
struct ExtractPoint {
  int row = 0;
  double x = 0, y = 0;
};

// Rows 1 to lastRow (at most the grid's last row), in order, whose cells in colX and
// colY both hold text.
std::vector<ExtractPoint> Points_Extraction(const ColumnGrid& grid, int colX, int colY, int lastRow);

// Where the scatter plot draws a value: (value - minimum) * coefficient + 150 on each
// axis, in picture units.
struct ScatterMap {
  double minX = 0, minY = 0, coefX = 0, coefY = 0;
  double px(double vx) const { return (vx - minX) * coefX + 150; }
  double py(double vy) const { return (vy - minY) * coefY + 150; }
};

// The shapes of the extraction.
enum FormeExtraction { kRectangle = 1, kCercle = 2, kEllipse = 3 };

// A shape drawn from the press point (xc, yc), the centre, to the point (x, y), in
// picture units. `poids` weighs the vertical difference of the circle: the square of
// the picture units per pixel across over those up, so that the circle is round on
// the screen.
struct FormeTracee {
  int forme = kRectangle;
  double xc = 0, yc = 0, x = 0, y = 0;
  double poids = 1;
};

// The rectangle centred on the press point with a corner on (x, y), in data units,
// ordered and held in single precision as the selection compares them.
struct BornesRectangle {
  float xlo = 0, xhi = 0, ylo = 0, yhi = 0;
};
BornesRectangle Bornes_Rectangle(const FormeTracee& f, const ScatterMap& m);

// Radius of the circle: sqrt(dx^2 + poids * dy^2) from the centre to (x, y).
double Rayon_Cercle(const FormeTracee& f);

// The ellipse: semi-axis d (centre to (x, y)) along the angle theta of that segment
// (0 when it is vertical), semi-axis 100 across it.
struct EllipseExtraction {
  double d = 0, theta = 0;
};
constexpr double kDemiAxeTravers = 100;
EllipseExtraction Ellipse_Extraction(const FormeTracee& f);

// True when the value pair lies in the shape: rectangle borders included, the circle's
// and the ellipse's edge excluded. False for values that are not finite.
bool Dans_Forme(const FormeTracee& f, const ScatterMap& m, double vx, double vy);

// The points inside the shape, in row order.
std::vector<ExtractPoint> Selection_Forme(const std::vector<ExtractPoint>& points, const FormeTracee& f,
                                          const ScatterMap& m);

// The points at or below x0 (bas) or at or above it, in row order.
std::vector<ExtractPoint> Selection_Coupure(const std::vector<ExtractPoint>& points, double x0, bool bas);

// The cut point of the automatic split over the X values of the points: the midpoint
// of the best cut of the sorted values. Empty with fewer than four values or a value
// that is not finite.
std::optional<double> Point_Coupure(const std::vector<ExtractPoint>& points);

// "4;9;17;": each row number followed by ";".
std::string Liste_Lignes(const std::vector<ExtractPoint>& points);

// The row numbers of a list written that way: the items before the last ";" that read
// as numbers 1 to 3000, at most 3001 items read, in list order.
std::vector<int> Lignes_Liste(const std::string& liste);
