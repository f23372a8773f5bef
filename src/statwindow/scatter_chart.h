#pragma once
// The scatter plot of two series, with no window: the rows read from a grid, the
// graduation of an axis, the normed (common-scale) frame, the tolerance ellipse and
// the whole chart drawn on a DiagramCanvas with its caption texts.

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "statwindow/chart_canvas.h"
#include "statwindow/grid_columns.h"

// The X and Y values of the rows 1 to lastRow whose cells in both columns are filled;
// a row with either cell empty is skipped. Nothing when a filled cell is not a number.
struct ScatterData {
  std::vector<double> x;
  std::vector<double> y;
};
std::optional<ScatterData> Lit_Nuage(const ColumnGrid& grid, int colX, int colY, int lastRow);

// Graduation of an axis whose values run from vmin to vmax at `coef` picture units
// per data unit over `span` units: the step 10^Int(log10(range)), halved once when it
// gives fewer than five ticks; p the step in picture units, t the tick count rule,
// and the value at the axis (70 units before the minimum's 150), where the ticks
// start: vmin - 80 / coef.
struct Graduation {
  double pas = 0;
  double p = 0;
  int t = 0;
  double origine = 0;
};
Graduation Graduer(double vmin, double vmax, double coef, double span);

// Smallest and largest of a series with the zero-range rule: when they are equal the
// smallest is taken as 0.
struct Range {
  double min = 0;
  double max = 0;
};
Range Etendue(std::span<const double> v);

// The common-scale frame: the scales kx = 850 / X range and ky = 850 / Y range, their
// ratio q, the common scale k (the smaller) and the top edge of the picture's square
// units for a picture `ratio` times as wide as high.
struct NormedFrame {
  double kx = 0, ky = 0, q = 0, k = 0;
  double haut = 0;
};
NormedFrame Cadre_Norme(const Range& x, const Range& y, double ratio);

// Chi-square value of the confidence level 1 (90 %), 2 (95 %), 3 (99 %); 0 otherwise.
double Chi2_Niveau(int niveau);

// The tolerance ellipse of the pairs (x[i], y[i]) in data units: centred on the mean
// point, along the principal axes of their covariance matrix (divisor n - 1, the
// matrix's eigenvalues l1 >= l2), semi-axes a = sqrt(c l1) along the major axis and
// b = sqrt(c l2) across it, theta the major axis's angle from the X axis in radians,
// in (-pi/2, pi/2] (0 when the matrix has no preferred direction). The region holds
// the chi-square level c of 2 degrees of freedom of a bivariate normal law. All zero
// with fewer than two pairs or series of different lengths.
struct ToleranceEllipse {
  double a = 0, b = 0, theta = 0;
  double cx = 0, cy = 0;   // the mean point
};
ToleranceEllipse Ellipse_Tolerance(std::span<const double> x, std::span<const double> y, double chi2);

// The outline of an ellipse centred on (cx, cy) with semi-axis a along the angle theta
// and b across it: 127 vertices for t = 0, 0.05 ... while t <= 6.3, each coordinate
// rounded down, after the start point at the end of the a-axis. Empty when an
// argument is not finite.
struct Vertex {
  double x = 0, y = 0;
};
std::vector<Vertex> Sommets_Ellipse(double cx, double cy, double a, double b, double theta);

// Draws that outline as lines from its start point; returns the last vertex (the
// start point when nothing is drawn).
Vertex traceEllipse(DiagramCanvas& canvas, double cx, double cy, double a, double b, double theta,
                    platform::Colour colour);

// A cross of half-size d centred on (x, y) in the colour; returns the position it
// leaves, the lower end of its vertical stroke, where a row number is printed.
Vertex Trace_Croix(DiagramCanvas& canvas, double x, double y, double d, platform::Colour colour);

// Dominant value, median and mean of a series, computed on a sorted private copy.
struct PointMarks {
  double dominante = 0, mediane = 0, moyenne = 0;
};
PointMarks Points_Remarquables(std::span<const double> v);

// What the option boxes of the chart hold.
struct ScatterOptions {
  bool droite = false;      // least-squares line of Y on X
  bool ellipse = false;     // tolerance ellipse, normed frame only
  bool norme = false;       // common scale on both axes
  bool echange = false;     // X and Y exchanged (the legend says so)
  bool numeros = false;     // each point's number after its cross
  bool dominant = false, median = false, moyen = false;   // point marks
  bool covariance = true;   // covariance and correlation written
  int niveau = 1;           // confidence level 1 to 3
  std::string niveauTexte = "90";
  double ratio = 1;         // width over height of the picture
  std::string mask = "###0.00";
  std::string saut = "\r\n";
};

// What the drawing leaves for the window.
struct ScatterResult {
  bool trace = false;                  // false: no values, the picture left blank
  std::optional<std::string> legende;  // the caption of origins and steps
  std::string covariance;              // covariance and correlation text
  double coefX = 0, coefY = 0;         // picture units per data unit
  Range x, y;                          // extremes after the zero-range rule
  double droite[2] = {0, 0};           // slope and intercept when computed
  bool droiteCalculee = false;
  std::string ligneEllipse;            // the ellipse's result line when drawn
};

// Draws the chart of the pairs (x[i], y[i]) after clearing the canvas to white: in the
// plain frame (scale 0 to 1000 both ways, y upwards) or the normed one. The covariance
// is computed once and only with two points or more; the regression only when the
// line or the ellipse is asked for, and a line that cannot be computed is not drawn.
ScatterResult Trace_Nuage(DiagramCanvas& canvas, std::span<const double> x, std::span<const double> y,
                          const ScatterOptions& o);
