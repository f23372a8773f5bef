#pragma once
// Resets of the measurement grid's appearance.

// Gives every cell of GrilleRef outside row 0 and column 0 the grid's light green
// background (kVertGrille), undoing the minimum and maximum colours of the statistics;
// texts and the measurement table are not touched.
void Efface_Table();

// Empties the measurement grid, its mirror and the statistics rows 1 to 12 (row 0 and
// the titles of column 0 stay) and forgets every measurement of the table:
// LigneCourante and EtapeClic back to 1.
void Vide_Grille_Mesures();
