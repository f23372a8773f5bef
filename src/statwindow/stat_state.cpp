#include "statwindow/stat_state.h"

int Mode_Histogramme = 0;
int Nb_Classes = 0;
platform::BoundedArray<double, 0, 2> Colonnes_Nuage;
float Serie_Courante = 0;
std::vector<double> Donnees_X;
std::vector<double> Donnees_Y;
int NbLignes_Nuage = 0;
double Coef_X = 0;
double Coef_Y = 0;
bool Marque_Points = false;
platform::BoundedArray<double, 0, 1> Min_list2;
bool Extraction_Armee = false;
bool Selection_En_Cours = false;
int X_Centre = 0;
int Y_Centre = 0;

void ResetStatWindowVariables() {
  Mode_Histogramme = 0;
  Nb_Classes = 0;
  Colonnes_Nuage.fill(0);
  Serie_Courante = 0;
  Donnees_X.clear();
  Donnees_Y.clear();
  NbLignes_Nuage = 0;
  Coef_X = 0;
  Coef_Y = 0;
  Marque_Points = false;
  Min_list2.fill(0);
  Extraction_Armee = false;
  Selection_En_Cours = false;
  X_Centre = 0;
  Y_Centre = 0;
}
