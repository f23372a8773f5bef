#pragma once
// Resets of the measurement grid's appearance.

// Gives every cell of GrilleRef outside row 0 and column 0 the grid's light green
// background (kVertGrille), undoing the minimum and maximum colours of the statistics;
// texts and the measurement table are not touched.
void Efface_Table();
