#pragma once
// The editing commands of the measurement table on the main window: undoing the last
// step, deleting a row, clearing the grid and the image list, going back from a grid
// row to its image, and the small commands around the grid (values on the drawn
// measurements, the mini grid, the sub-folder frame of the session export).

// Undoes the last step of the measuring (Backspace on the picture, "<="), as
// Annule_Derniere_Etape says; then the mirror, the picture's measurements and the
// statistics are refreshed. A reopened row gets back the values of its kept steps,
// so that its computed columns come out right when it is finished again.
void EffacE_1();

// Deletes grid row num_ligne (0: the row of the cursor) as Supprime_Ligne says, then
// refreshes the mirror, makes row LigneCourante current and recomputes the statistics;
// the extract Liste_Extrait, which named rows of the grid, is emptied.
// num_ligne receives the row deleted. A failure shows "alerte 97"; what was done
// stays.
void Efface_ligne(int& num_ligne);

// "Raz tout": when the grid holds a value asks MSG(190) " la grille & la liste
// d'images ?" (No: the grid frame hidden, the light green background back,
// calibration marking off). Otherwise the function is reset (Reinit_Fonction), every
// calibration back to 1 (the one in force kept), the image list emptied by its own
// clear, the cell colours reset, PGr_Etat cleared and the grid scrolled to row 1.
void RAZ_Grille_total();

// "Cherche": for a finished row of the grid (current row 1 to LigneCourante - 1), shows
// its image through the image list (the background picture when its image is not
// listed), with its calibration, then centres the view on the row's measurement (the
// middle of its first segment for functions 1 to 6 and 13, its first point for 10, 11
// and 16), at the row's zoom exponent when "Zoom auto" is ticked. Other rows: nothing.
void Cherche_spore();

// The cancel button of the entry panel: the panel hidden, calibration marking off,
// the last step undone, the focus to the picture.
void Annule_Mesure();

// "insère dim": redraws the measurements (with their values while it is ticked).
void Affmesure_Click();

// "MiniGrille Visible" (index 5): shows or hides the mini grid, the item's caption
// telling what the next click does. Other indices do nothing.
void IntrFace_Click(int Index);

// Dragging the mini grid with the left button.
void MGrille_MouseMove(int Button, int Shift, double X, double Y);

// Buttons of the session-export frame: 1 exports (nothing yet), 2 creates the
// sub-folder named in Text2 inside the folder of Dir1. An empty name, "..", or a name
// holding "/" or "\" is refused with a message; an existing folder is reported.
void Command12_Click(int Index);
void Export_Trame();

class QVL;
// Connects the check box, menu item, mini grid and buttons above.
void Connecte_Table(QVL& f);
