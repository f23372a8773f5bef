#pragma once
// The frequency diagram of a sorted series: a horizontal axis, ticks for the dominant
// value and the accepted modes, sticks of values grouped by a resolution step and a
// cumulative staircase, drawn through DiagramCanvas (chart_canvas.h). X is in data
// units (a value v at v minus the origin), Y grows upwards.

#include <span>
#include <string>

#include "platform/colour.h"
#include "statwindow/chart_canvas.h"

// The diagram's options as its boxes and bars hold them.
struct DiagramSettings {
  bool simple = false;     // sticks of grouped values
  bool cumule = false;     // cumulative staircase
  bool fixedX = false;     // fixed X window [0, echelleX] from the origin
  bool fixedY = false;     // fixed Y range [0, echelleY]
  int resolution = 0;      // r, 0 to 8: grouping width 10^(0.5 r - 4); 0 one pixel
  double echelleX = 9;     // width of the fixed X window in data units
  double origine = 0;      // value drawn at the left edge of the fixed X window
  int echelleY = 50;       // fixed Y range, also the unit of the ticks and sticks
  int pasValeur = 2;       // height of one value on the staircase
  int code = 0;            // 1 when the values are part of the data (a mode's)
};

// What is drawn: the sorted values (element 0 is 0 and starts the staircase), their
// dominant value and the accepted modes modes[1] to modes[nbModes - 1].
struct DiagramValues {
  std::span<const double> donnees;
  double dominante = 0;
  std::span<const float> modes;
  int nbModes = 1;
};

// Colours of the drawing (&HBBGGRR).
constexpr platform::Colour kDominantColour = 0xFF00FF;
constexpr platform::Colour kDominantPartColour = 0xC000C0;
constexpr platform::Colour kModeColour = 0x00FF00;
constexpr platform::Colour kStickColour = 0xFF0000;
constexpr platform::Colour kStairColour = 0x0000FF;

// X window of the fitted diagram: 0.9 x min to 1.1 x max for positive values;
// otherwise min - 10 % of the range to max + 10 % (min - 1 to max + 1 for a zero range).
struct XWindow {
  double xmin = 0;
  double xmax = 0;
};
XWindow Fenetre_X(double min, double max);

// Half the grouping width: 0.5 x 10^(0.5 r - 4) for r != 0, else the X window over
// the width in twips (one pixel).
double Pas_Groupe(int r, const XWindow& w, double widthTwips);

// Caption of the grouping width: "pixel" for r = 0, else 10^(0.5 r - 4) under "#.000".
std::string Legende_Resolution(int r);

// Draws the diagram after clearing the canvas to white; returns the axis height
// (5 % of the Y range). Without values, or when the window cannot be set (a fixed X
// width of 0, values that are not finite), only the clearing is done and 0 returned.
double Trace_diagramme(DiagramCanvas& canvas, const DiagramValues& v, const DiagramSettings& s);
