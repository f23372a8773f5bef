#include "statwindow/stat_state.h"

int Mode_Histogramme = 0;
int Nb_Classes = 0;
platform::BoundedArray<double, 0, 2> Colonnes_Nuage;
float Serie_Courante = 0;

void ResetStatWindowVariables() {
  Mode_Histogramme = 0;
  Nb_Classes = 0;
  Colonnes_Nuage.fill(0);
  Serie_Courante = 0;
}
