#pragma once
// Geometry of the figures measured on the picture: the ellipse and the rectangle of the
// density counts, closed outlines (polygons) and three-point triangles. Points are in
// units of Picture1; the length factor (micrometres per unit) is passed in, never read
// from the program-wide state. No widgets.
//
// Outline area: the shoelace formula (Gauss's area formula for a simple polygon).

#include <string>
#include <vector>

#include "base/geometry.h"

// v as the display mask shows it, read back as a number ("###0.00": 2.345 gives 2.35);
// 0 for a value the mask cannot show.
double Arrondi_Masque(double v, const std::string& masque);

// --- density figures ---------------------------------------------------------------------

// The density ellipse dragged from its centre (x0, y0) to (x, y): r the distance between
// the two points, k = |dy / dx| the aspect. It is drawn with the semi-axes r across and
// r x k down, and its area is Int(r^2 x k x 3.1416).
struct EllipseDensite {
  double r = 0;
  double k = 0;
  double demiAxeX() const { return r; }
  double demiAxeY() const { return r * k; }
  // Radius for the picture box's circle primitive, which takes the larger semi-axis and
  // the aspect k: r when k <= 1, r x k beyond.
  double rayonCercle() const { return k > 1 ? r * k : r; }
};

// The ellipse dragged to (x, y); false (nothing written) when dx is 0 or a value is not
// finite.
bool Ellipse_Densite(double x0, double y0, double x, double y, EllipseDensite& e);

// Area of that ellipse before the length factor: Int(r^2 x k x 3.1416), r^2 taken as
// dx^2 + dy^2. False when dx is 0 (the aspect is undefined) or the area is not finite.
bool Surface_Ellipse(double x0, double y0, double x, double y, double& surface);

// Area of the rectangle with corners (x0, y0) and (x, y) before the length factor:
// |dx x dy|; 0 when it is not finite.
double Surface_Rectangle(double x0, double y0, double x, double y);

// --- outlines ------------------------------------------------------------------------------

// An outline measured: area S (square micrometres), perimeter P (micrometres) and the
// mean of its listed vertices (units of Picture1).
struct Contour {
  double S = 0;
  double P = 0;
  double xMoyen = 0;
  double yMoyen = 0;
};

// The outline through the listed vertices (xs[i], ys[i]), in order; a closed outline
// lists its first vertex again at the end. P is the sum of the distances between
// consecutive vertices times L; for a line traced there and back (two vertices listed,
// or three whose last is the first) it is the length of that line. S is the shoelace
// area over consecutive pairs times L^2, never negative. Extra entries of the longer
// list are ignored; no vertex gives all 0; a non-finite result gives 0.
Contour Mesure_Contour(const std::vector<double>& xs, const std::vector<double>& ys, double L);

// Shape factor of an outline, P^2 / S / 12.5664 - 1 (0 for a circle); 0 when S is 0 or
// the result is not finite.
double Facteur_Forme(double S, double P);
// Mean radius of an outline, 2 S / P; 0 when P is 0 or the result is not finite.
double Rayon_Moyen(double S, double P);

// --- triangles -------------------------------------------------------------------------------

// A three-point triangle: its area in square micrometres, the angle at the vertex in
// degrees (radians x 180 / 3.14159) and its perimeter in micrometres.
struct Triangle {
  double S = 0;
  double angle = 0;
  double perimetre = 0;
};

// The triangle of vertex (x0, y0) and points (x1, y1), (x2, y2): the area by Heron's
// formula on the calibrated sides, the true vertex angle (obtuse included), and the
// perimeter as the tools measure segments: each side's corrected length (x K_Zoom /
// Ratio_Ecran x Facteur_Resol of the scale) rounded to a whole number, halves to even,
// times Calibrage, the three summed. Collinear points give S = 0.
Triangle Mesure_Triangle(double x0, double y0, double x1, double y1, double x2, double y2,
                         const LengthScale& scale);
