#pragma once
// Numbers of the measurement grid's columns, kept beside their texts so that the
// statistics after a new value cost little more than the value itself. The grid
// statistics (Calcul_stat) and the column deciles (Cdecile) read a column's numbers
// here: each cell's text is converted once, when the cell first counts or after it
// changed, and the usable decile values of the rows counted are kept sorted. Every
// number is exactly the one a fresh reading of the texts gives.
//
// Which cells count: every value but 0, negative ones as well as positive ones; an
// empty cell or a 0 counts nowhere, except in the colour zone, whose channels are
// signed and where a written 0 ("0", "0,00") is a colour measured like any other.
//
// What changed is learnt from the grid's text journal (FlexGrid::textChangesSince):
// any writer of the grid is seen without telling, whether it appends a value, edits a
// cell, deletes or inserts rows, clears the grid or loads a session; a change of the
// grid's shape or a burst of more than 32 changes in a column makes the next reading
// convert that column's texts again. Relit_Nombres_Grille drops everything kept, for a
// caller that wants the next statistics read from the texts alone.

#include <span>
#include <string>
#include <vector>

namespace platform {
class FlexGrid;
}

// True when a written 0 is a measured value in the measuring function of that code
// (the colour zone); in every other function a 0 counts nowhere.
bool writtenZeroCounts(int function);

// True when a cell whose text reads as value counts in the statistics: any value but
// 0; a 0 only when writtenZero is set and the text is a number (not an empty cell, not
// a word).
bool cellCounts(const std::string& text, double value, bool writtenZero);

// The numbers of one column, rows 1 to size(). No grid, no window.
class NombresColonne {
 public:
  // Rows held.
  int size() const { return static_cast<int>(valeurs_.size()); }
  // Sets row r (1 to size() + 1; others are ignored) from the text of its cell.
  void set(int r, const std::string& texte);
  // Keeps rows 1 to n only (n >= 0).
  void truncate(int n);
  void clear() { truncate(0); }
  // Whether a written 0 counts (cellCounts); off at first. A change takes effect on
  // every row held.
  void setWrittenZeroCounts(bool on);
  // Rows 1 to n (clamped to 0..size()) as the grid statistics read them: the number
  // of the text (Val_Decimal), 0 for an empty cell.
  std::span<const double> values(int n) const;
  // Rows 1 to n (clamped): 1 where the row counts (cellCounts), else 0.
  std::span<const char> counted(int n) const;
  // The usable decile values of rows 1 to n (clamped), ascending, each as its sort
  // item holds it (decileValue): the counted numbers whose size is above 0.0001, or
  // every counted number while a written 0 counts.
  const std::vector<double>& sortedDeciles(int n);
  // The counted numbers of rows 1 to n (clamped), ascending, exactly as values(n)
  // holds them. When every counted number is a usable decile value kept whole by its
  // sort item (texts of up to four decimals), these are the sorted deciles themselves
  // and nothing is sorted again.
  const std::vector<double>& sortedCounted(int n);

 private:
  // Sets counted and decile value of row index i from its number.
  void classe(std::size_t i);
  void ajouteTrie(double d);
  void retireTrie(double d);

  std::vector<double> valeurs_;
  std::vector<char> zeros_;       // 1 where the text is a written 0
  std::vector<char> comptes_;     // 1 where the row counts
  std::vector<double> deciles_;   // decileValue of each row, NaN when not usable
  std::vector<double> tries_;     // usable deciles_ of rows 1 to lignesTriees_, ascending
  std::vector<double> comptees_;  // sortedCounted when they differ from the deciles
  int lignesTriees_ = 0;
  bool zeroCompte_ = false;
};

// The functions below count a written 0 as the current measuring function does
// (writtenZeroCounts of Fonction_Grille).

// Rows 1 to last (clamped to the grid) of column c of grid g, read again where the
// texts changed since the last reading. An empty span for a column outside the grid.
std::span<const double> Nombres_Colonne(platform::FlexGrid& g, int c, int last);
// The rows of Nombres_Colonne that count (see NombresColonne::counted).
std::span<const char> Comptes_Colonne(platform::FlexGrid& g, int c, int last);
// The usable decile values of rows 1 to last of column c of g, ascending (see
// NombresColonne::sortedDeciles); empty for a column outside the grid.
const std::vector<double>& Deciles_Colonne(platform::FlexGrid& g, int c, int last);
// The counted numbers of rows 1 to last of column c of g, ascending (see
// NombresColonne::sortedCounted); empty for a column outside the grid.
const std::vector<double>& Comptees_Colonne(platform::FlexGrid& g, int c, int last);
// Drops every number kept: the next reading of each column converts all its texts.
void Relit_Nombres_Grille();
