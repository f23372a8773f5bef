#pragma once
// Colour differences between an input colour (the reference, colour 1) and a chart
// entry (colour 2):
// - the root mean square of the channel differences, in RGB or in L*a*b*;
// - CIE 1976 Delta E*ab;
// - CIE94 (CIE 116-1995) with kL = kC = kH = 1, its weights taken from the input's
//   chroma;
// - CMC(1:1) (Clarke, McDonald and Rigg 1984), weights from the input;
// - CIEDE2000 (CIE 142-2001) as set out by Sharma, Wu and Dalal, "The CIEDE2000
//   colour-difference formula: implementation notes, supplementary test data and
//   mathematical observations", Color Research and Application 30 (2005) 21-30,
//   with kL = kC = kH = 1.
// Angles are in degrees, converted to and from radians with pi = 3.14159 (the value
// stored charts were ranked with); against the published test data this moves the
// results by less than 1e-4.

#include <array>

using Couleur3 = std::array<double, 3>;

// Hue angle of (a, b) in degrees, from 0 up to but not including 360, measured from
// the positive a axis towards positive b; 0 when a = b = 0.
double Angle_Teinte(double a, double b);

// Root mean square of the three coordinate differences: sqrt((d1² + d2² + d3²) / 3).
double Ecart_Quadratique(const Couleur3& c1, const Couleur3& c2);

// CIE 1976 Delta E*ab: sqrt(dL² + da² + db²).
double Delta_E76(const Couleur3& lab1, const Couleur3& lab2);

// CIE94 with lab1 as the reference.
double Delta_E94(const Couleur3& lab1, const Couleur3& lab2);

// CMC(1:1) with lab1 as the reference.
double Delta_ECMC(const Couleur3& lab1, const Couleur3& lab2);

// CIEDE2000 (symmetric).
double Delta_E2000(const Couleur3& lab1, const Couleur3& lab2);

// Chromaticity of an RGB colour: each channel divided by the channel sum rounded to
// a whole number (halves to even); 1/3 each when that sum is 0. With parCanal the sum
// is rounded after each channel is added (how the input colour is summed), else once.
Couleur3 Chromaticite(const Couleur3& rvb, bool parCanal);
