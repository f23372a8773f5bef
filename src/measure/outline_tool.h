#pragma once
// The outline tool of the polygon function (16): left clicks place the vertices of an
// outline, the right click closes it through the first vertex and measures its area S,
// perimeter P, mean radius Rm = 2S / P and shape factor F = P^2 / (12.5664 S) - 1.
// With Courbe_Fermee cleared (the open polygon) the right click adds its vertex and
// writes the row without closing or measuring it.

#include <string>
#include <vector>

#include "platform/bounded_array.h"

// The vertices of the outline being traced, units of Picture1: (1) the X and (2) the Y
// values, each as a run of ";" and the number (so each list starts with ";"). Emptied
// when the function is chosen and after each measured outline.
extern platform::BoundedArray<std::string, 1, 2> Liste_Sommets;

// Starts the next outline empty: both vertex lists emptied and NbPoints_Surface :=
// premier (1, the first vertex, for the outline tool; 0 for the triangle tool, whose
// first point is 0; the outline tool takes 0 as 1 too).
void Nouveau_Contour(int premier);

// The numbers of a vertex list, in order (the empty piece before the first ";" skipped,
// numbers read with a comma or a point).
std::vector<double> Valeurs_Sommets(const std::string& liste);

// One event of the tool at whole units (X, Y) of Picture1; only a mouse-down (Kind not
// 0) acts. The status bar shows MSG(277). A left click draws a cross in
// QBColor(CouleursTrace(0)); the first vertex (NbPoints_Surface 1) starts the row of
// the table (Commence_Ligne_Table) and becomes the start point with the row number
// beside it; each later vertex is joined to the previous one in that colour, with its
// calibrated length along the edge when "insère dim" is ticked. The right click (after
// a first vertex; before it nothing happens) closes the outline through the first
// vertex whatever the mouse position, measures it
// (Calcul_Polygone), rounds S, P, F and Rm to the display mask and writes the row
// (Inscrit_Mesure_Surface, Inscrit_Mesure_Grille); the closed row's cell 2 gets the
// outline flag (second point X: 1 closed, 0 open) and NbPoints_Surface goes back to 1.
// A failure ends the event silently.
void Mesure_Polygone(int X, int Y, int& Button, int Kind);

// Measures the outline of Liste_Sommets with the current length factor: the mean
// vertex into the first point of cell 1 of TabMesures(LigneCourante) (picture units),
// label(9) "S= " & S & " P=" & P under Format_Decimal (also printed at the mean vertex,
// with a cross in QBColor(CouleursTrace(1)), when "insère dim" is ticked), S and P
// rounded to the mask into ValMesure(1) and (2); when S is not 0 the shape factor into
// ValMesure(3), Rm into ValMesure(6) (both rounded) and (S x 1000, P x 1000) into the
// first point of cell 2; otherwise ValMesure(3) and (6) 0. The lists are then emptied.
void Calcul_Polygone();
