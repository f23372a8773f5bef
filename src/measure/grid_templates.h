#pragma once
// Grid templates of the measuring functions, and the mini grid MGrille that mirrors
// the heading row and the latest rows of the measurement grid GrilleRef.
//
// A title template reads: function name, "$", column count, "$", then each column
// heading followed by "$". A width template reads: number of grid columns (column 0
// included), "$", then the width in twips of columns 1, 2, ..., each followed by "$".

#include <string>
#include <vector>

#include "platform/bounded_array.h"

constexpr int kDernierCodeFonction = 25;

// Title and width templates by function code (0 to 25); codes without a grid of
// their own hold empty texts.
extern platform::BoundedArray<std::string, 0, kDernierCodeFonction> Modele_Titres;
extern platform::BoundedArray<std::string, 0, kDernierCodeFonction> Modele_Largeurs;
// 1: the question asked before the grid is cleared on a change of function;
// 2: the notice that an image has already been measured.
extern platform::BoundedArray<std::string, 1, 2> Txt_Confirm;
// Display name of the current measuring function (first item of its title template).
extern std::string NomFonction;

// The items of a template text: each text before a "$", trimmed of blanks; a last
// piece without its "$" is not an item. An empty text gives no item.
std::vector<std::string> Items_Modele(const std::string& modele);

// Fills Modele_Titres, Modele_Largeurs and Txt_Confirm from the message table (the
// titles of functions 1 to 4 and both questions) and the fixed texts of the others.
void Modeles_Grille();

// Refreshes MGrille from GrilleRef: the heading row, then the rows of GrilleRef that
// end at row `derniere` (the first rows when `derniere` is below MGrille's row
// count). `derniere` beyond the last row of GrilleRef is taken as that row; rows
// GrilleRef lacks show empty. Does nothing while FonctionCourante is 0. When the two
// grids' columns do not match it stops with the grid-error message and keeps what
// was copied so far.
void Dimensionne_Grille(int derniere);
