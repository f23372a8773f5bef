#pragma once
// The colour of a zone of the picture: the mean of a square of pixels around the
// clicked point (pure black left out), kept to two decimals, and its conversion from
// sRGB to CIE L*a*b*.
//
// The conversion is sRGB companding (IEC 61966-2-1), the sRGB to XYZ matrix rounded
// to four digits, and CIE 1976 L*a*b* against the white 94.811 / 100 / 107.304 (D65
// for the 10 degree observer) with the cut 0.008856 and slope 7.787; each value is
// stored as a single and kept to two decimals by Int(v x 100 + 0.5) / 100. Charts
// measured by the program hold values made this way, so it is kept as it is, although
// greys are not neutral under it (white gives a* 0.42, b* -0.99).

#include <array>
#include <cstdint>
#include <functional>
#include <string>

// L*, a*, b* of a colour whose channels run from 0 to 255 (not clamped: values
// outside convert as they are). Black gives 0, 0, 0; white 100, 0.42, -0.99.
std::array<float, 3> RVB_Vers_Lab(double r, double v, double b);

// Pixel reader: the colour of pixel (x, y) as red + 256 green + 65536 blue.
using LecteurPixel = std::function<std::uint32_t(int x, int y)>;

// The mean colour of one zone.
struct MesureZone {
  bool prise = false;             // the square lies inside the picture
  int X = 0, Y = 0;               // its centre, in pixels
  int n = 0;                      // pixels counted (pure black is not)
  std::array<float, 3> rvb{};     // mean R, V, B, Int(m x 100 + 0.05) / 100; 0 with n = 0
};

// The centre of the zone for a point at (xp, yp) in picture units (twips of the
// full-size picture) is the image pixel holding it, X = floor(xp / 15), Y = floor(yp /
// 15). The zone of half-side
// t is taken when X - t >= 1, Y - t >= 1, X + t <= width - 1 and Y + t <= height - 1;
// its pixels are averaged by the running mean m = ((n - 1) m + c) / n, pure black
// skipped. A zone not taken reads nothing.
MesureZone Mesure_Zone(const LecteurPixel& pixel, int largeur, int hauteur, double xp,
                       double yp, int t);

// A mean kept to two decimals as the measurement keeps it: Int(m x 100 + 0.05) / 100
// (12.3449 and 12.3451 give 12.34, 12.3496 gives 12.35).
double Deux_Decimales(double m);

// A colour value as cells and captions show it: the shortest text that reads back as
// the same single ("120.49", not "120.49000549"), with the system's decimal separator.
std::string Texte_Couleur(float v);
