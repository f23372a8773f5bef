#pragma once
// The extract of grid rows (Liste_Extrait): chosen on the scatter plot by a rectangle,
// a circle or an ellipse drawn around points, and read back as data of the diagram
// panel.

#include <string>
#include <vector>

#include "statwindow/extract_selection.h"

class FenHisto;

// "Extraire" (index 0): redraws the scatter plot, keeps the chart as drawn in
// Image_extr and arms the extraction. Index 1 does nothing.
void CmdHisto_Click(int Index);
// Arms a rectangle extraction without redrawing anything.
void Command1_Click();
// Left press while armed: the centre of the shape, drawing begins. Right press while
// a shape is being drawn: the chart is restored and the selection runs for that
// point. X and Y are picture units.
void HistPicHist_MouseDown(int Button, int Shift, double X, double Y);
// While a shape is being drawn: the chart restored and the shape drawn to the pointer.
void HistPicHist_MouseMove(int Button, int Shift, double X, double Y);
// The selection for the release point (X, Y): Liste_Extrait rewritten with the rows of
// the scatter plot (rows 1 to LigneCourante - 1) inside the checked shape, a cross on
// each, Label3, the "Extrait" source and "Sauver trame extraite" updated; a beep
// when none is chosen.
void Extraire(double X, double Y);

// The vertical weight of the circle on the chart as drawn: (picture units per pixel
// across / those up) squared; 1 when the chart has no area.
double Poids_Vertical();

// The points of the scatter plot (its columns, rows 1 to LigneCourante - 1) and where
// the chart last drawn put them.
std::vector<ExtractPoint> Points_Nuage();
ScatterMap Repere_Nuage();

// Marks the chosen points with crosses of half-size 20 in the colour, with
// their row number when "marquer num ligne" is ticked, and makes them the extract.
void Marque_Extrait(const std::vector<ExtractPoint>& choisis, unsigned colour);

// Empties MText3, then appends the text of grid column num_col, followed by ";", for
// each row listed in List_Extr (row numbers each followed by ";"; at most 3,001 are
// read), in list order. Rows and columns outside the measurement grid give nothing.
void affecte_extrait(const std::string& List_Extr, int num_col);

// Connects the chart's mouse, the extraction buttons (once, when the window is made).
void ConnecteExtraction(FenHisto& f);
