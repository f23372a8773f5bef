#pragma once
// Starting a row, undoing the last step of a measurement and deleting a row, on the
// measurement table TabMesures, its cursor (LigneCourante, EtapeClic, Compteur_Lignes)
// and the texts of the measurement grid. The grid is seen through Grille_Edition, so that the same rules
// run on the main window's grid and, in tests, on a plain table of texts. FonctionCourante,
// NbCellules and NbPoints_Copie say what a row holds.

#include <string>

struct Mesure;

// The texts of the measurement grid, row 0 the headings and column 0 the row numbers.
class Grille_Edition {
 public:
  virtual ~Grille_Edition() = default;
  virtual int lignes() const = 0;
  virtual int colonnes() const = 0;
  virtual std::string texte(int r, int c) const = 0;
  virtual void ecrit(int r, int c, const std::string& t) = 0;
  // Removes row r (1 to lignes() - 1): the rows below move up one and an empty row
  // comes at the end, so the number of rows stays.
  virtual void retireLigne(int r) = 0;
};

// Empties row `ligne` of TabMesures: the 17 cells at 0, Texte empty, ExpZoom and
// NumImage 0. A row outside 0 to 3000 is left alone.
void Efface_Ligne_Table(int ligne);

// The row of TabMesures that a new measurement starts, the row of the cursor
// (LigneCourante), emptied first as Efface_Ligne_Table does: whatever an earlier
// measurement left there (a grid clear keeps the table's rows) is gone, and the row
// holds only what this measurement writes into it, for the redraw and the trame.
// nullptr when the cursor lies outside the table. Every tool calls it for the first
// value of its row and for no later one, so that a row opened again by an undo at a
// later step is measured on from the cells it keeps.
Mesure* Commence_Ligne_Table();

// What an undo did.
enum class Annulation {
  Rien,            // nothing to undo
  Mesure_Abandonnee,  // the measurement in progress on the first row was removed
  Ligne_Rouverte,  // the last finished row is open again at its last step
  Etape_Annulee,   // the last step of the measurement in progress was undone
};

// Undoes the last step (the Backspace key, "<="):
// - functions 5 and 6 first bring EtapeClic down to 4 and 5;
// - on row 1 with nothing pending nothing happens; after the first click of row 1 the
//   measurement is abandoned (LigneCourante 1, EtapeClic 1, row 1 empty);
// - with no measurement in progress (EtapeClic 1, or always for the colour zone,
//   function 20) the last finished row is opened again: LigneCourante - 1, the row's
//   NumImage 0, Texte "0" and ExpZoom 1, its grid cells and table cells from column
//   NbPoints_Copie on emptied (from column 1 for function 20), and EtapeClic set to the
//   step that measures the first emptied cell again (2 for function 3, 4 for 5, 5 for
//   6, 1 for 20, NbCellules otherwise);
// - otherwise EtapeClic - 1, that step's grid cell and table cell emptied, and the row's
//   NumImage 0, Texte "0", ExpZoom 1.
// Compteur_Lignes goes down by one (never below 0). Rows and cells outside the grid or
// the table are not touched.
Annulation Annule_Derniere_Etape(Grille_Edition& g);

// Deletes row num_ligne (0: the row of the cursor, LigneCourante) and closes the gap:
// - a row below the cursor (num_ligne > LigneCourante), or beyond the table or the
//   grid, is not deleted;
// - on the cursor's row, a measurement in progress (column 1 holding a value) is only
//   abandoned: its cells emptied, its table row emptied, EtapeClic 1; without one, the
//   last finished row (LigneCourante - 1) is deleted instead;
// - a finished row whose column 1 is empty gives way to the row above it;
// - deleting finished row k removes it from the grid, moves the table rows after it
//   (the measurement in progress included) up one, empties table row LigneCourante,
//   LigneCourante - 1 (never below 1), Compteur_Lignes 0, and writes their own numbers
//   into column 0 of rows k to LigneCourante.
// Returns the row deleted or abandoned, 0 when nothing changed.
int Supprime_Ligne(Grille_Edition& g, int num_ligne);
