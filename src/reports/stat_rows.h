#pragma once
// Rows 8 to 12 of the statistics grid: count, first decile, median, ninth decile and
// the title of the dominant-value row.

#include <string>

// The general number form of x: at most 15 significant digits, no trailing zeros, the
// system's decimal separator, no decimal part for a whole number ("30", "12.35"); very
// large or small magnitudes in exponent form ("1E+20", "1.5E-07"); non-finite gives "0".
std::string generalNumber(double x);

// Writes the titles "N=", "D1", "médiane", "D9" in column 0 of rows 8 to 11 of the
// statistics grid, then for every column 1 to Der_Colonne runs Cdecile and writes its
// count and median in general number form and its deciles with the display mask;
// ends with Entete_Dom. Columns beyond the per-column tables (above 8) are emptied.
void Entetes_Stat();

// Gives the statistics grid 13 rows and titles row 12 "Dom".
void Entete_Dom();
