#pragma once
// The histogram of one grid column, with no window: its values counted into classes,
// the caption under the chart and the drawing of its bars on a DiagramCanvas whose
// scale runs from (0, 1000) at the top-left to (1000, 0) at the bottom-right.

#include <optional>
#include <string>
#include <vector>

#include "platform/colour.h"
#include "statwindow/chart_canvas.h"
#include "statwindow/grid_columns.h"

// Fewest and most classes the histogram draws.
constexpr int kClassesMin = 2;
constexpr int kClassesMax = 21;

// The class count a box text gives: the number read (point before the fraction)
// rounded half to even, brought back into kClassesMin to kClassesMax.
int Nombre_Classes(const std::string& text);

// One column counted into classes of equal width from its minimum to its maximum.
struct HistogramSeries {
  int nbValeurs = 0;            // values counted
  ColumnExtreme min;            // smallest value and its row
  ColumnExtreme max;            // largest value and its row
  double largeur = 0;           // class width (max - min) / N
  std::vector<int> effectifs;   // count of each class 0 to N - 1
  int classes() const { return static_cast<int>(effectifs.size()); }
};

// Counts column col over rows 1 to lastRow (empty cells and cells that are not a
// number skipped): the class of x is Int((x - min) / width), the maximum falling in
// the last class. Nothing with fewer than two values, with all values equal, or with
// N outside kClassesMin to kClassesMax.
std::optional<HistogramSeries> Classes_Histogramme(const ColumnGrid& grid, int col, int lastRow, int N);

// The caption: name & " :   " & N & "  classes de largeur " & width & " :  Min (" & row
// & ")= " & min & "   Max(" & row & ")= " & max, the line break, then the N + 1
// class limits each followed by "\ "; reals under `mask`.
std::string Legende_Histogramme(const std::string& nom, const HistogramSeries& h, const std::string& mask,
                                const std::string& saut);

// Draws series v (1 to 7, palette colour v) over what is drawn: the axes in the
// colour `fore`, black ticks at the class limits with "Max." after the last, the
// marks of one and five values and the bars, each series 20 units right of the one
// before in its class slot. `fore` becomes palette colour v, as the picture's fore
// colour does.
void Trace_Histogramme(DiagramCanvas& canvas, const HistogramSeries& h, int v, platform::Colour& fore);

// Bar slot width (850 / N, rounded half to even) and the height of one value
// (750 N / (2 values), kept real so that many values never give flat bars).
struct HistogramUnits {
  int slot = 0;
  double hauteur = 0;
};
HistogramUnits Unites_Histogramme(int classes, int nbValeurs);
