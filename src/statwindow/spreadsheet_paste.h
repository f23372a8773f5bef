#pragma once
// A table copied from a spreadsheet pasted into the measurement grid, each series
// (a line of the table, or a column) becoming a grid column headed "A", "B"...; and
// the copy buttons of the result labels.

#include <optional>
#include <string>
#include <vector>

class FenHisto;

// A table read from the clipboard: series of cells (empty optional: an empty cell).
struct TableauColle {
  std::vector<std::vector<std::optional<double>>> series;
  int lignes = 0;   // value rows the grid receives
};

// What went wrong while reading a table: the message the paste shows. Empty: none.
struct LectureTableau {
  std::optional<TableauColle> tableau;   // empty when there is nothing to paste or an error
  std::string erreur;                    // the message; "" when none
  bool avertissement6 = false;           // more than six series: the first six are kept
};

// A cell of a pasted table: blanks around it are dropped; "," or "." is the decimal
// mark whatever the system's; an empty cell gives an empty value. False for anything
// else that is not a number.
bool Lit_Cellule_Tableur(const std::string& cellule, std::optional<double>* valeur);

// The whole lines of a clipboard text (each ended by CR LF, LF or CR); a last piece
// without a line break is not a whole line.
std::vector<std::string> Lignes_Entieres(const std::string& texte);

// Lines are series: at most six lines; a line of more than tailleGrille cells, or a
// cell that is not a number, is an error. lignes: the longest line's cell count.
LectureTableau Lit_Tableau_H(const std::string& texte, int tailleGrille);
// Columns are series: as many as the first line has cells, at most six; every line a
// row. More than tailleGrille lines, a line with fewer cells than the first or a cell
// that is not a number is an error.
LectureTableau Lit_Tableau_V(const std::string& texte, int tailleGrille);

// "table(H) =>grille " (0) and "table(V)=>grille" (1): the paste, then the grid
// statistics, the "mesures" source and the window's data reloaded from the grid.
void Command2_Click(int Index);
// The pastes; true when the grid was replaced. Nothing changes when the clipboard
// holds no whole line, when a cell is wrong (its message is shown) or when the user
// keeps the grid.
bool Excel_Coller_H();
bool Excel_Coller_V();

// Copy buttons: the text of a panel's result label on the clipboard.
void Tblcopie_Click(int Index);
// The test frames' "Copier": their result with every line ending CR LF.
void TCopie_Click(int Index);
// The text with each line break (CR, LF or CR LF) written CR LF.
std::string Fins_CrLf(const std::string& texte);

// Connects the paste and copy buttons (once, when the window is made).
void ConnecteCollage(FenHisto& f);
