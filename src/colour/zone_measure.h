#pragma once
// The colour-zone function on the picture: a click averages the square of pixels
// around the point on the full-size picture, corrects it with the scanner correction
// when "Calibré" is ticked, converts it to L*a*b*, shows it in the colour frame, marks
// the point and writes a grid row. A reloaded session has its stored zones measured
// again the same way.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "colour/colour_zone.h"
#include "measure/row_writers.h"
#include "platform/picture.h"

struct Mesure;

// Red panel text of a click refused because "Calibré" is ticked and no correction
// has been built (the standard file named or not).
inline const std::string kEtalonNonCharge = " Fichier Etalon non chargé !";
inline const std::string kCorrectionAbsente = " Correction scanner non calculée !";
inline const std::string kMesureNonInscrite = " Mesure non inscrite.";

// What measuring one zone gave.
enum class EtatZone {
  Mesuree,          // rvb and lab hold the colour
  Hors_Image,       // the square leaves the picture (or no picture)
  Sans_Correction,  // correction asked and not built
};

struct CouleurZone {
  EtatZone etat = EtatZone::Hors_Image;
  MesureZone zone;             // the mean before correction
  std::array<float, 3> rvb{};  // R, V, B, corrected when asked (two decimals)
  std::array<float, 3> lab{};  // L*, a*, b* of rvb
};

// The colour of the zone of half-side t around the point (xp, yp), in picture units,
// of picture p: the mean of Mesure_Zone; with corriger, each channel through the
// scanner correction, kept to two decimals (halves away from zero); then L*a*b*.
CouleurZone Couleur_Zone(const platform::Picture& p, double xp, double yp, int t, bool corriger);

// A click of the colour function at (x, y), units of Picture1, taken as they are: the
// zone is centred on the picture pixel painted there (Point_Image), and that point is
// the one marked and stored. A square that leaves the picture beeps and changes
// nothing. Otherwise: the mean in Coul_Mesure, its whole channels in label(9) ("120
// 80  40"), the correction when "Calibré" is ticked (the red panel says " Fichier
// Etalon non chargé !" when no standard is named; with no correction built it says why
// and nothing is written), Coul_Lab, Label7 ("8     / R = 120.49 / V = 80.64 / B =
// 40.79"), the mark, the redraw and the grid row. With no listed image shown the
// status bar asks for one. A failure on the way beeps; what was shown stays.
void Mesure_Zone_Couleur(double x, double y);

// Marks a measured zone at (x, y), units of Picture1 (not rounded): Pt_X, Pt_Y, the row
// number printed there, and row LigneCourante of TabMesures started anew with cell 1
// (the picture point Point_Image gives), NumImage and ExpZoom.
void Marque_Point_Couleur(double x, double y);

// Stored colour rows measured again, image by image (the last picture decoded is
// kept): columns 1 to 7 of row m as a click writes them, with the present zone size
// and "Calibré". No cell when the row's image cannot be loaded, its point is not
// stored, the square leaves the picture or the correction is asked and not built.
class Remesure_Couleur {
 public:
  std::vector<CelluleCalculee> cellules(const Mesure& m);

 private:
  int numero_ = 0;
  platform::Picture image_;
};
