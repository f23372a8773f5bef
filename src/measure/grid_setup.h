#pragma once
// Lays out the measurement grid GrilleRef, the statistics grid GrilleRefP and the mini
// grid MGrille from the grid templates of a measuring function.

// Width in twips of column 0 (the row numbers) of the three grids.
constexpr double kLargeurColonneNumero = 350;

// Applies the width template of function `code` (0 to 25): column 0 of the three
// grids 350 twips wide and headed "N°" on light green, then their column count and
// the widths of columns 1, 2, ..., then refreshes the mini grid. Returns false after
// reporting when the code is outside 0 to 25 or the template holds an item that is
// not a whole number (within -32768..32767), a column count outside 1 to
// kMaxColonnesGrille or a width beyond the last column; what was set before stays
// and the mini grid is not refreshed. An empty template changes no column.
bool Prepare_Grilles_Mesure(int code);

// Refills the templates, then writes NomFonction and the headings of row 0 of
// GrilleRef from the title template of function `code`; for the polygon (16) the
// name is the caption of the closed-curve or open-polygon surface menu item. A
// heading beyond the last column, a code outside 0 to 25 or an empty template ends
// the heading step silently (the polygon name is then not set). Always ends by
// refreshing the mini grid.
void Prepare_Grille(int code);

// Most columns a width template may give the grids.
constexpr int kMaxColonnesGrille = 64;
