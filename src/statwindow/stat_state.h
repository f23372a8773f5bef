#pragma once
// Variables of the statistics window: they live while the window is loaded and
// return to zero each time it loads.

#include <vector>

#include "platform/bounded_array.h"

extern int Mode_Histogramme;   // panel 1 shows the histogram (-1) or the scatter plot (0)
extern int Nb_Classes;         // number of histogram classes, copied from Text1histo
// Grid columns of the scatter plot's X (entry 0) and Y (entry 1); entry 2 unused.
extern platform::BoundedArray<double, 0, 2> Colonnes_Nuage;
extern float Serie_Courante;   // histogram series 0 to 6 last ticked
// The scatter plot last drawn: its X and Y values, the number of rows read and the
// picture units per data unit of each axis.
extern std::vector<double> Donnees_X;
extern std::vector<double> Donnees_Y;
extern int NbLignes_Nuage;
extern double Coef_X;
extern double Coef_Y;
extern bool Marque_Points;   // one of the three point-mark boxes is ticked
// The scatter plot last drawn: the smallest X (entry 0) and Y (entry 1) after the
// zero-range rule.
extern platform::BoundedArray<double, 0, 1> Min_list2;
// The extraction: armed by "Extraire" and not yet released; a shape being drawn from
// the press point (X_Centre, Y_Centre), in picture units.
extern bool Extraction_Armee;
extern bool Selection_En_Cours;
extern int X_Centre;
extern int Y_Centre;

// Sets every variable above back to zero.
void ResetStatWindowVariables();
