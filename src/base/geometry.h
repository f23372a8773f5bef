#pragma once
// Geometry of picture points: picture units and image pixels, the first screen pixel
// showing an image pixel, the calibrated area of the triangle of three points, the
// angle at the first point, and the direction of a vector in whole degrees. Pure
// functions: the calibration and zoom values they depend on are passed in, never read
// from the program-wide state.

#include <functional>

// Picture units are twips of the full-size image: 15 to an image pixel, across and
// down. Every conversion between stored points (or Picture2's units) and the pixels
// of the image goes through these two.
constexpr double kPictureUnitsPerPixel = 15.0;
// Image pixels of a length or position in picture units (u / 15, not rounded: pixel i
// spans [i, i + 1)).
constexpr double imagePixels(double pictureUnits) { return pictureUnits / kPictureUnitsPerPixel; }
// Picture units of a length or position in image pixels (p x 15).
constexpr double pictureUnits(double imagePixels) { return imagePixels * kPictureUnitsPerPixel; }

// The first pixel n of a row of screen pixels that shows image pixel c or a later one,
// point(n) being the picture point (picture units) that pixel n shows and growing with
// n: the smallest n with floor(imagePixels(point(n))) >= c, found by single steps from
// the estimate (at most 64 of them, so an estimate off by more gives the pixel reached).
// A point that is not a number counts as not reaching c.
int firstPixelShowing(const std::function<double(int)>& point, int estimate, double c);

// The values that turn a distance between picture points into micrometres:
// Calibrage x Facteur_Resol x K_Zoom / Ratio_Ecran. Callers fill it from the current
// calibration and view state at each call.
struct LengthScale {
  double Calibrage = 1.0;
  double Facteur_Resol = 1.0;
  double K_Zoom = 1.0;
  double Ratio_Ecran = 1.0;

  // The factor in micrometres per picture unit; 0 when it is not a finite number
  // (a Ratio_Ecran of 0, a NaN among the values).
  double factor() const;
};

// Area of the triangle (x1, y1) (x2, y2) (x3, y3), in square micrometres, by Heron's
// formula on the calibrated sides (evaluated in its numerically stable order). The
// product under the root is clamped at 0, and points on one line (cross product
// exactly 0) or coincident points give 0; non-finite inputs give 0. Never negative,
// never NaN.
double Mesure_3_Points_Base(double x1, double y1, double x2, double y2, double x3, double y3,
                            const LengthScale& scale);

// The angle at (x1, y1) between the sides towards (x2, y2) and (x3, y3), in radians,
// with surface the calibrated area of the triangle (as Mesure_3_Points_Base gives it).
// The sine is 2 x surface / (d12 x d13) on the calibrated sides and the cosine comes
// from the points, so a right angle gives pi/2 and an obtuse angle its true value in
// (pi/2, pi]; for an acute angle this is the arcsine of that sine. 0 when a side is of
// length 0, the scale is not usable or a value is not finite; a negative surface
// gives a negative angle.
double Mesure_3_Points(double surface, double x1, double y1, double x2, double y2, double x3,
                       double y3, const LengthScale& scale);

// Direction of the vector from (x0, y0) to (x, y) in whole degrees, 1 to 360, on the
// picture's axes (y downwards): 270 to the right (+x), 360 along +y, 90 to the left,
// 180 along -y; a zero vector gives 360. Differences are taken in single precision.
// 0 when a difference is not finite.
float Angle_Direction(float x, float y, float x0, float y0);
