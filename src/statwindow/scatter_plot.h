#pragma once
// The scatter plot of panel 1 drawn from the measurement grid, and its options.

class FenHisto;

// Redraws the scatter plot from the grid: columns Colonnes_Nuage (exchanged when
// "X <=> Y" is ticked), rows 1 to LigneCourante - 1, in the plain or the normed
// frame; fills List2, Donnees_X, Donnees_Y, Coef_X and Coef_Y and writes LabelHisto
// and Label8. A cell that is not a number leaves the picture blank.
void Trace_Nuage();

// The grid columns on the scatter plot's X and Y axes: Colonnes_Nuage, exchanged when
// "X <=> Y" is ticked.
void Colonnes_Axes(int& colX, int& colY);

// Option handlers: each redraws while the scatter plot is shown.
void Check2_Click(int Index);
void Check3_Click(int Index);
void CheckN_Click(int Index);
void Check4_Click();
void CheckLgn_Click();
void Command9_Click();
void FlatScrollBar1_Change();
// Assigns the column selected in List1 to X (0) or Y (1); nothing when none is
// selected. The new column is used at the next redraw.
void cmdH_Click(int Index);

// Unticks the option boxes and sets the level back to 90 % without drawing.
void RAZ_Options_Nuage(FenHisto& f);

// Connects the scatter plot's controls (once, when the window is made).
void ConnecteNuage(FenHisto& f);
