#pragma once
// The gill count of a mushroom cap seen from below: from the angle swept round the
// centre since the first gill and the number of gills pointed, the estimated number of
// gills of the whole cap, and how well it agrees with the previous estimate. No widgets.

#include "platform/colour.h"

// Direction of the gill at (x, y) seen from the centre (cx, cy), in whole degrees
// (Angle_Direction), plus 360, minus `reference`, rounded (halves to even) and taken
// modulo 360: 0 to 359. 0 when a value is not finite.
double Angle_Lame(double reference, double cx, double cy, double x, double y);

// Estimated number of gills after `nbLames` clicks (the centre counted, so nbLames - 1
// gills after the first) sweeping `angle` degrees: Int((nbLames - 1) x 360 / |angle|)
// + 1, at most 32767; 0 when the angle is 0 or the result is not finite.
int Estimation_Lames(int nbLames, double angle);

// The reference of the agreement: the mean of those of a, b, c that are not 0; 0 when
// all three are.
double Reference_Lames(double a, double b, double c);

// Agreement of an estimate with its reference R (not 0): the deviation |E - R| / R and
// the percentage Int((1 - deviation) x 100), negative when E is more than twice R.
struct AccordLames {
  double ecart = 0;
  double pourcentage = 0;
};
AccordLames Accord_Lames(int estimation, double reference);

// Back colour of the result at gill click `nbLames` with that deviation: &HFFC0FF, or
// from the third click on &HFFFF80 under 0.1 and green (&H00FF00) under 0.01.
platform::Colour Couleur_Accord(int nbLames, double ecart);
