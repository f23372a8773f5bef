#pragma once
// The values of a stored measurement row measured again from its segments, as a
// reloaded session or a grid update shows them: each segment's length in picture
// units is taken to the units the measuring tools count in, with the scale of the
// row's own image (not of the picture on show), rounded half to even as the tools
// round it, and multiplied by that image's calibration.
//
// With d the segment's length in picture units, W the image's natural width in
// pixels and S the measuring scale width of Picture1:
//   Echelle = Wm / S, Wm = W x 15 x 2540 / 1440   (the view's relation, picture_view.h)
//   Facteur_Resol = 1 ("Ind. Res.") or W x 0.001 ("Ind. Dim.")
//   n = CInt(d x Facteur_Resol / (Echelle x Ratio_Ecran)),  value = n x calibration.

#include <optional>
#include <string>
#include <vector>

#include "measure/measure_state.h"
#include "measure/row_writers.h"

// The image a row was measured on.
struct ImageRemesure {
  double largeurPixels = 0;   // natural width in pixels
  double calibrage = 0;       // its calibration (Calib_Images of its number)
};

// What every row shares: the resolution mode, Picture1's measuring scale width,
// Ratio_Ecran and the display mask.
struct ParametresRemesure {
  bool indepResol = false;
  double largeurEchelle = 0;
  double ratioEcran = 1;
  std::string masque = "###0.00";
  double baseZoom = 1.189207115;   // Base_Zoom: a row's zoom factor is baseZoom ^ ExpZoom
};

// The calibrated value of segment s of that image (formula above); nothing when the
// width, the scale width or the ratio is not a positive finite number, when the
// calibration or a coordinate is not finite, or when the result would not be finite.
std::optional<double> Valeur_Segment(const Segment& s, const ImageRemesure& image,
                                     const ParametresRemesure& p);

// Cells of a row that are lengths, measured again: 1 for function 1, 2 for 2, 3 for 3
// and 4, 4 for 5 and 5 for 6 (their further columns are ratios); 0 for the functions
// whose columns are not made of lengths.
int Cellules_Longueurs(int fonction);

// The surface of a density figure stored in cell 1 of a row (full-size image pixels,
// from the figure's start to its end) in square calibrated units, as the tool worked it
// out: the figure taken back to the units of Picture1 at the row's own zoom
// (baseZoom ^ ExpZoom) and scale, its area there (function 13: the ellipse,
// Int(r^2 x k x 3.1416); 14: the rectangle) times the square of the length factor
// calibration x zoom x Facteur_Resol / Ratio_Ecran. Nothing for another function, an
// unknown scale, an ellipse without aspect or a value that is not finite.
std::optional<double> Surface_Figure(int fonction, const Mesure& m, const ImageRemesure& image,
                                     const ParametresRemesure& p);

// The value cells of a stored row: columns 1 to Cellules_Longueurs(fonction) under the
// mask, then the computed columns (function 2: Q when the width is above 0.01 and V,
// both under the mask; function 3: Q and L when their divisors are above 0; functions
// 5 and 6: the three ratios from the values as the grid shows them, none when the base
// or the middle width is 0). No cell at all when the image is unknown or one of the
// lengths cannot be measured. The counting and density rows give what their cells
// keep: function 11 the counts A and B kept in cell 1's second point and A + 2B, as
// plain numbers (no image needed); 13 and 14 the surface of their figure under the
// mask in column 1 (their counts are not kept). Other functions give nothing. `valeurs` (when given) receives the calibrated values of
// cells 0 to Cellules_Longueurs(fonction) (entry 0 unused), empty when no cell is given.
std::vector<CelluleCalculee> Cellules_Remesurees(int fonction, const Mesure& m,
                                                 const std::optional<ImageRemesure>& image,
                                                 const ParametresRemesure& p,
                                                 std::vector<double>* valeurs = nullptr);
