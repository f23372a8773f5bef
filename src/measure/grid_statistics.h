#pragma once
// Per-column statistics of the measurement grid (mean, extremes, sigma, skewness,
// kurtosis, mean over sigma) shown in rows 1 to 7 of the statistics grid, with the
// cells of each column's minimum and maximum marked in the measurement grid.

#include <span>

#include "platform/colour.h"

// Colours of the two grids (&HBBGGRR).
constexpr platform::Colour kVertGrille = 0xC0FFC0;    // background, scanned cells
constexpr platform::Colour kVertMinimum = 0x00FF00;   // cell of a column's minimum
constexpr platform::Colour kJauneMaximum = 0x00FFFF;  // cell of a column's maximum
constexpr platform::Colour kGrisStatArret = 0xE0E0E0; // statistics grid while switched off

// Below this sigma the skewness, the kurtosis and the mean over sigma are not shown.
constexpr double kSigmaMinimum = 0.001;
// The minimum shown for a column without a positive value.
constexpr double kMinimumInitial = 99999.0;

// Statistics of one grid column.
struct ColumnSummary {
  int n = 0;                     // values counted (negative ones included)
  double mean = 0;               // of the values counted; 0 when n = 0
  double sigma = 0;              // population standard deviation; 0 when n = 0
  double skewness = 0;           // 0 unless sigma > kSigmaMinimum
  double kurtosis = 0;           // not reduced by 3; 0 unless sigma > kSigmaMinimum
  double min = kMinimumInitial;  // smallest value counted, else 99999
  int minRow = 0;                // its grid row (first of equal ones), 0 when none
  double max = 0;                // largest value counted, else 0
  int maxRow = 0;                // its grid row (first of equal ones), 0 when none
};

// Statistics of a column whose grid row r + 1 holds values[r] (0 for an empty or
// unreadable cell). Row r + 1 counts where counted[r] is not 0 or, when counted is
// shorter, where its value is not 0; a value that is not finite never counts.
ColumnSummary summariseColumn(std::span<const double> values, std::span<const char> counted = {});

// Volume of the ellipsoid of diameters m1, m2, m3 (3.14159 m1 m2 m3 / 6) and its
// standard deviation from the sigmas s1, s2, s3 of the diameters (first-order error
// propagation); a result that is not finite is 0.
struct SporeVolume {
  double volume = 0;
  double sigma = 0;
};
SporeVolume sporeVolume(double m1, double m2, double m3, double s1, double s2, double s3);

// Recomputes the statistics of value columns 1 to Cols - 3 of the measurement grid
// over rows 1 to LigneCourante (at most the last row of the grid) into the statistics
// grid, marks the extremes and, for spores in three dimensions, leaves the volume in
// ValMesure(0) and (1). Does nothing while "Calc..stat." is unticked. A full grid is
// reported once, until the grid has room again. The numbers of each column, and which
// of them count (negative values too, a written 0 only in the colour zone), come from
// measure/grid_numbers.h, which reads again only the cells whose texts changed.
void Calcul_stat();

// The same whether "Calc..stat." is ticked or not: the actions that copy or test the
// statistics (the archive) must not read stale ones.
void Calcul_stat_Force();

// Any of the three statistics buttons: rewrites the statistics rows (Entetes_Stat).
void cmdStat_Click(int Index);

class QVL;
// Connects the grid-statistics buttons.
void Connecte_Statistiques(QVL& f);
