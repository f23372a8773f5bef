#pragma once
// The automatic split of the scatter plot's X values into a low and a high group: the
// cut point X0 shown in the frame Framehist(1), and the extract of either group.

class FenHisto;

// "Extraction automatique": runs Extr_Auto.
void Command12_Click();
// The cut point of the X values of the scatter plot's rows (rows 1 to LigneCourante - 1
// whose X and Y cells are filled) written into Label11 and its frame shown; MSG(187)
// with fewer than four values.
void Extr_Auto();
// 0 "Annule" closes the frame (the extract stays); 1 "x < X0" and 2 "x > X0" redraw
// the scatter plot and make the rows at or below (at or above) X0 the extract, each
// marked with a red cross.
void Command11_Click(int Index);

// Connects the split's buttons (once, when the window is made).
void ConnecteCoupure(FenHisto& f);
