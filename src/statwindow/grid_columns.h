#pragma once
// Column functions of the measurement grid that the statistics window's charts,
// extraction and diagram use: the number of rows holding a value, the smallest and
// largest value of a column with the row where each first stands, and a power of ten
// for axis and scroll steps. No window involved: they read any grid through
// ColumnGrid; the measurement grid's own versions come at the end.

#include <string>

// A grid as the column functions read it: row 0 holds the headings.
class ColumnGrid {
 public:
  virtual ~ColumnGrid() = default;
  virtual int rows() const = 0;
  // Text of cell (row, col); "" outside the grid.
  virtual std::string cell(int row, int col) const = 0;
};

// A value of a column and the grid row where it was first found (0: none).
struct ColumnExtreme {
  double value = 0;
  int row = 0;
};

// What Min_Colonne gives for a column without a value.
constexpr double kMinColonneVide = 999999999.0;

// Number of rows 1 to rows() - 1 whose cell in column k reads (comma or point) as a
// non-zero number: empty cells, zeros and texts without a leading number are not
// counted. 0 for a grid without value rows or a column outside it.
int Nb_Lignes_Colonne(const ColumnGrid& grid, int k);

// Smallest number of column k over rows 1 to lastRow (the filled rows); empty cells
// and cells that are not wholly a number are skipped; on equal values the first row
// wins. No value: {999999999, 0}.
ColumnExtreme Min_Colonne(const ColumnGrid& grid, int k, int lastRow);

// Largest number of column k over rows 1 to lastRow, on the same rules; negative
// values count (the search starts from the first value). No value: {0, 0}.
ColumnExtreme Max_Colonne(const ColumnGrid& grid, int k, int lastRow);

// 10 raised to the number of divisions by 10 that bring x down to 10 or less (10
// gives 1, 10.5 gives 10, anything up to 10 gives 1); 0 when that power is above
// 32767 (x above 100000) and for NaN or infinity.
int Puissance_Dix(double x);

// The number a grid cell holds: blanks around it allowed, "," or "." before the
// fraction, an optional exponent. False for an empty cell, any other text and a
// value that is not finite.
bool ReadGridNumber(const std::string& text, double& value);

// --- the measurement grid GrilleRef of the main window ------------------------------

// GrilleRef read as a grid of columns.
const ColumnGrid& Grille_Mesures();

// Nb_Lignes_Colonne of column k of GrilleRef.
int Nb_Lignes_Colonne(int k);
// Min_Colonne and Max_Colonne of column k of GrilleRef over its filled rows 1 to
// LigneCourante - 1; row receives the grid row found (0 for none).
double Min_Colonne(int k, int& row);
double Max_Colonne(int k, int& row);
