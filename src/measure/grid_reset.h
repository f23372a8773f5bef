#pragma once
// Clearing and resetting the measurement grid GrilleRef, its mirror MGrille, the
// statistics grid GrilleRefP and the measurement table, keeping them and the cursor
// consistent with each other. Row 0 and column 0 of the grids (headings and row
// numbers) are never cleared here.

#include <string>

#include "platform/flexgrid.h"

// Holds a grid's repainting during a bulk change; the grid repaints once at the end.
class SansRedessin {
 public:
  explicit SansRedessin(platform::FlexGrid& g) : g_(g), avant_(g.redraw()) { g_.setRedraw(false); }
  ~SansRedessin() { g_.setRedraw(avant_); }
  SansRedessin(const SansRedessin&) = delete;
  SansRedessin& operator=(const SansRedessin&) = delete;

 private:
  platform::FlexGrid& g_;
  bool avant_;
};

// Clears the measurement grid (texts emptied, cells back to light green), the mirror
// and the statistics grid, and puts the cursor back to row 1, step 1. With flag 0 and
// a value in cell (1, 1) it first asks MSG(190) & " " & MSG(188) & " ? " (Yes/No); No
// switches the calibration marking and the illustration mode off, clears nothing and
// returns false. Returns true when the grid was cleared (the name of an imported
// results file is then forgotten, and the extract Liste_Extrait, which named its rows,
// emptied). TabMesures is not touched.
bool Efface_Grille(int flag);

// Empties every cell of the statistics grid outside row 0 and column 0, then the
// per-column statistics tables.
void Efface_Grille_Stat();

// Gives every cell of the measurement grid outside row 0 and column 0 the light green
// background.
void Efface_Table();

// Empties the measurement grid, its mirror and the statistics rows 1 to 12 (row 0 and
// the titles of column 0 stay) and forgets every measurement of the table and the
// extract: LigneCourante and EtapeClic back to 1, the name of an imported results file
// forgotten.
void Vide_Grille_Mesures();

// The text of cell (row, col) of the measurement grid, which becomes its current cell;
// "" for a cell outside the grid (the current cell then stays).
std::string Lit_Cellule(int row, int col);

// Empties rows 1 to `derniere` of TabMesures (at most row 3000).
void Efface_Lignes_Table(int derniere);

// Clears the stored cells 1 to NbCellules of the row of the cursor (with its zoom
// exponent, text and image number), puts the cursor back to Ligne_Ref, step 1, and
// redraws the picture's measurements.
void Retrace_Mesures();

// Calib_Images(0 to 50) := 1.0.
void RAZ_Echelles();

// The full reset for a new or repeated measuring function: the table rows the session
// used are emptied, the grid cleared without question, the cursor back to row 1 and
// the mirror refreshed, the picture shown again at the current zoom exponent, the
// measurement in progress abandoned (an unfinished outline or triangle included: the
// next one starts empty), Compteur_Lignes 0 and PGr_Etat cleared.
void Reinit_Fonction();

// The statistics of the grid after rows were written, deleted, cleared or loaded:
// Calcul_stat (when "Calc..stat." is ticked) and the statistics rows.
void Statistiques_Grille();
