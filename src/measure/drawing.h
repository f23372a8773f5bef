#pragma once
// Drawing primitives of the measuring tools on Picture1 (and the illustration picture
// Picture2): cross marks, several lines of text at a point, and the conversion of
// stored picture coordinates to the units of Picture1.
//
// Coordinates of Picture1 are its fixed logical units (the units of its mouse events);
// cross arms are 100 of those units whatever the zoom or the window size.

#include <string>
#include <vector>

#include "platform/colour.h"

// Half length of the arms of a cross mark, in units of the picture box drawn on.
constexpr double kBrasCroix = 100.0;

// Smallest font size of a text drawn on a picture, in points: below it a text is a
// dash nobody can read.
constexpr double kTaillePoliceMinimum = 6.0;
// The font size for a text drawn on a picture: t points, or kTaillePoliceMinimum when
// t is smaller or not a finite number.
double Taille_Texte_Image(double t);

// Draws on Picture1, in its current fore colour, the segments (x - 100, y)-(x + 100, y)
// and (x, y - 100)-(x, y + 100) in its current pen width. Coordinates are rounded to
// whole units; not finite values, a missing window or a failing segment draw nothing
// (the other segment is still drawn).
void Trace_Croix_Simple(double x, double y);
// Sets Picture1's fore colour to colour (&HBBGGRR), then draws the same cross; the
// colour stays set afterwards.
void Trace_Croix_Couleur(double x, double y, platform::Colour colour);
// On Picture2: pen width epaisseur (0 counts as 1; restored afterwards), fore colour
// couleur, then a cross of arms epaisseur x 100 units of Picture2.
void Trace_Croix_Illustration(double x, double y, platform::Colour couleur, int epaisseur);

// Prints texte on Picture1 from (x, y), one line per CR LF separated piece, each line
// starting at x; an empty text prints nothing, a text ending in a line break prints a
// last empty line. Font, size and colour are Picture1's.
void Imprime_Lignes(double x, double y, const std::string& texte);
// The same on Picture2.
void Imprime_Lignes_Illustration(double x, double y, const std::string& texte);

// The pieces Imprime_Lignes prints, in order: texte split at every CR LF pair; an
// empty text gives no piece.
std::vector<std::string> Lignes_A_Imprimer(const std::string& texte);

// Prints the number n at (x, y) of Picture1 in its font and fore colour, followed by a
// line end (the row-number label of the stored measurements).
void Imprime_Numero(double x, double y, int n);

// Position in units of Picture1 of a stored point (picture units), by the view
// picture1View(K) with K = Base_Zoom ^ Expo_Zoom: (X - Larg_Affichee) / (K x Echelle),
// likewise Y with Haut_Affichee. False (and nothing written) when the scale is zero or
// a result is not finite.
bool Point_Ecran(double X, double Y, double& x, double& y);
// The inverse: the picture point (picture units) that position (x, y) of Picture1
// shows, by the view picture1View(K_Zoom): X = x x (K_Zoom x Echelle) + Larg_Affichee,
// likewise Y with Haut_Affichee. The canvas pixel at a click's position shows the
// picture pixel (floor(X / 15), floor(Y / 15)). False when a result is not finite.
bool Point_Image(double x, double y, double& X, double& Y);

// The outline of the sampling square of a colour zone around the stored point (X, Y)
// (picture units): the image pixels from the one holding the point less t to it plus t,
// across and down, framed on Picture1 in its fore colour on the canvas pixels just
// outside them at the present view (the pixels being those a click takes, through
// Point_Image's view), so that what the frame holds is what is sampled. False (nothing
// drawn) when the view's scale or a position is not usable.
bool Trace_Cadre_Zone(double X, double Y, int t);

// --- inclined text and the saved picture ---------------------------------------------

// Font of a text printed at an angle: point size, direction in degrees counter-clockwise,
// style and face name.
struct Police_Texte {
  int Size = 10;
  int Angle = 0;
  bool Bold = false;
  bool Italic = false;
  bool Underline = false;
  std::string Name = "Arial";
};

// Slope angle in degrees of the segment (xa, ya)-(xb, yb): 90 when xa = xb, otherwise
// Atn((yb - ya) / (xb - xa)) x 180 / 3.14159, so between -90 and 90.
double Angle_Pente(double xa, double ya, double xb, double yb);
// Prints Texte on Picture1 at (x, y) in the font described (face name cut to 32
// characters, a size below 1 taken as 1) at its angle; Picture1's own font is put back
// afterwards. Not finite coordinates print nothing.
void Imprime_Texte_Angle(const std::string& Texte, const Police_Texte& police, double x, double y);
// Prints Texte in Arial 10 bold along the measurement cursor segment (Clic_X1, Clic_Y1)-
// (Clic_X2, Clic_Y2), at (Xpos, Ypos) when sens > 0, else at (Xbout, Ybout).
void TextIncline(const std::string& Texte, int Xpos, int Ypos, double sens, int Xbout, int Ybout);
// Prints Texte along the segment (Xpos, Ypos)-(Xbout, Ybout) in Picture1's font at the
// size TaillePolice / K_Zoom (rounded): at (Xpos, Ypos) when sens, negated when Xpos >
// Xbout, is > 0, else at (Xbout, Ybout). With sens 1 the text starts at the left end.
void SegmentTextIncline(const std::string& Texte, int Xpos, int Ypos, double sens, int Xbout, int Ybout);
// Image3 keeps a copy of Picture1 with everything drawn on it.
void Sauve_Ecran3();
// Picture1 takes back the copy kept by Sauve_Ecran3 (nothing when none was kept).
void Rappel_Ecran3();

// --- oriented reference line ---------------------------------------------------------

// End point of the reference line of length L (units of Picture1) from (x1, y1) along
// the direction (x1, y1)-(x2, y2): s = -1 when x2 < x1, else 1; a = 3.1416 / 2 when
// x1 = x2, else Atn((y2 - y1) / (x2 - x1)); the end is (s L cos a + x1, s L sin a + y1)
// unrounded. False when a value is not finite.
bool Fin_Ligne_Mesure(int x1, int y1, int x2, int y2, double L, double& xe, double& ye, double& a);

// Oriented reference line: one step of the entry-panel state machine Etat_Saisie
// (0 segment drawn: the entry panel opens with the segment's calibrated length; 3 value
// and unit known: the line, its end marks and its caption are drawn; 4 cancelled);
// other states do nothing. Stops silently at the first failure.
void Trace_Ligne_Mesure();
