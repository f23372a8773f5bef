#pragma once
// Lengths of segments drawn on Picture1 and their calibrated values.
//
// A length is measured on the units of Picture1 (its fixed logical scale, the units of
// its mouse events), multiplied by the zoom factor K_Zoom so that the same object
// measures the same at every zoom and window size, divided by Ratio_Ecran and
// multiplied by the resolution factor Facteur_Resol (1, or the picture width in pixels
// x 0.001). Callers round that length to a whole number before calibrating it, so
// every calibrated segment value is a whole number of length units times Calibrage.

#include <cstdint>

#include "base/geometry.h"

// --- pure formulas -------------------------------------------------------------------

// Resolution factor: 1 when independent is true, otherwise widthPixels x 0.001. A
// width that is not a positive finite number gives 1 (no picture: lengths stay
// uncorrected rather than all 0).
double Facteur_Resol_Pour(bool independent, double widthPixels);

// Length of the segment (x1, y1)-(x2, y2) in units of Picture1, corrected:
// Sqr(dx^2 + dy^2) x kZoom / ratioEcran x facteurResol. 0 for a degenerate segment;
// 0 when a value is not finite, when ratioEcran is 0 or when the result would not be
// finite. Never negative.
double Longueur_Corrigee(double x1, double y1, double x2, double y2, double kZoom,
                         double ratioEcran, double facteurResol);

// A length rounded to a whole number, halves to the even neighbour (2.5 gives 2, 3.5
// gives 4); clamped to the 32-bit range; NaN gives 0.
std::int32_t Arrondi_Longueur(double longueur);

// n x calibrage in double precision; 0 when the product is not finite.
double Valeur_Calibree_Pour(double n, double calibrage);

// --- with the program's current calibration and view -----------------------------------

// Length of the segment in corrected units (see Longueur_Corrigee) with the current
// K_Zoom, Ratio_Ecran and the resolution factor of the picture held in picbase, which
// is stored into Facteur_Resol first (1 when Indep_Resol is true or no picture is
// loaded). 0 for a degenerate segment, never negative.
double Longueur_Segment(double x1, double y1, double x2, double y2);

// n x Calibrage (micrometres with a calibrated picture); 0 when not finite.
double Valeur_Calibree(double n);

// The current calibration and view values as one length scale: Calibrage,
// Facteur_Resol, K_Zoom and Ratio_Ecran as they are now (Facteur_Resol is not
// recomputed). Its factor() turns a length of Picture1 units into micrometres.
LengthScale Echelle_Longueur();
