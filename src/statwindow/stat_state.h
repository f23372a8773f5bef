#pragma once
// Variables of the statistics window: they live while the window is loaded and
// return to zero each time it loads.

#include "platform/bounded_array.h"

extern int Mode_Histogramme;   // panel 1 shows the histogram (-1) or the scatter plot (0)
extern int Nb_Classes;         // number of histogram classes, copied from Text1histo
// Grid columns of the scatter plot's X (entry 0) and Y (entry 1); entry 2 unused.
extern platform::BoundedArray<double, 0, 2> Colonnes_Nuage;
extern float Serie_Courante;   // histogram series 0 to 6 last ticked

// Sets every variable above back to zero.
void ResetStatWindowVariables();
