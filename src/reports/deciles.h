#pragma once
// Per-column count, median and first and ninth deciles of the measurement grid.

#include <span>
#include <string>

#include "platform/bounded_array.h"

// Per-column statistics of the measurement grid, indexed by grid column 0 to 8
// (column 0 unused): count of usable values, median, first and ninth deciles.
// Written by Cdecile; the fifth table is kept per column beside them and cleared with
// them.
extern platform::BoundedArray<double, 0, 8> Stat_N;
extern platform::BoundedArray<double, 0, 8> Stat_Mediane;
extern platform::BoundedArray<double, 0, 8> Stat_D1;
extern platform::BoundedArray<double, 0, 8> Stat_D9;
extern platform::BoundedArray<double, 0, 8> Stat_Col4;

// Count, median and deciles of one sorted sample.
struct DecileSummary {
  int n = 0;             // number of values
  double median = 0;     // middle value, or mean of the two middle ones; 0 when n = 0
  double d1 = 0;         // first decile; 0 when n < 11
  double d9 = 0;         // ninth decile; 0 when n < 11
  int medianItem = -1;   // 0-based index of the middle value when n is odd, else -1
};

// Count, median and deciles of values sorted ascending. The deciles (n >= 11) sit at
// ranks (n + 1) / 10 and 9 (n + 1) / 10 counted from 1, interpolated between the two
// neighbouring values in tenths; with n < 11 both are 0.
DecileSummary computeDeciles(std::span<const double> sorted);

// The sort item of a value: five integer digits with leading zeros, the system's
// decimal separator and four decimals ("00012.3457"), rounded half away from zero;
// values of 100000 or more take more integer digits.
std::string decileItem(double v);

// The value as its sort item holds it (rounded to four decimals).
double decileValue(double v);

// Recomputes Stat_N, Stat_Mediane, Stat_D1 and Stat_D9 of grid column col from the
// usable decile values of rows 1 to LigneCourante - 1 of the measurement grid (values
// of either sign whose size is above 0.0001; in the colour zone every value written,
// 0 included: Deciles_Colonne), and leaves their items in the list Ldeci in ascending
// order of the values (the middle one selected when the count is odd). Does nothing
// when col is outside 1 to 8, beyond Der_Colonne or beyond the grid.
void Cdecile(int col);
// The same; with fillList false the list Ldeci is left as it is (a caller that treats
// several columns fills it for the last one only).
void Cdecile(int col, bool fillList);
// The last column Cdecile treats among 1 to last: the largest that is within the
// tables, not beyond Der_Colonne and inside the measurement grid; 0 when none.
int lastDecileColumn(int last);

// Sets entries 0 to 8 of the five per-column tables to 0.
void RAZ_Tableaux_Stat();
