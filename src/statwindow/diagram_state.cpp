#include "statwindow/diagram_state.h"

std::string Texte_Donnees;
std::string Texte_Complet;
std::vector<double> Donnees{0.0};
int NbDonnees = 0;
double Val_Dominante = 0;
double Moyenne_M = 0, Ecart_Type_M = 0, Mediane_M = 0, D1_M = 0, D9_M = 0;
platform::BoundedArray<float, 0, 16> Modes;
int NbModes = 1;
bool Marquage_PDM = false;
bool Attente_Borne2 = false;
float Borne1 = 0, Borne2 = 0;
int Indice1 = 0, Indice2 = 0;
std::string Libelle_Donnees;
platform::BoundedArray<std::string, 1, 2> Resume_Global;
bool Sauve_Resume = false;
double Echelle_X = 9.0;
double Echelle_X_Defaut = 9.0;
int Echelle_Y = 50;
int Pas_Valeur = 2;

void OublieModes() {
  for (int m = 1; m <= 16; ++m) Modes(m) = 0;
  NbModes = 1;
}

void ResetDiagramVariables() {
  Texte_Donnees.clear();
  Texte_Complet.clear();
  Donnees.assign(1, 0.0);
  NbDonnees = 0;
  Val_Dominante = 0;
  Moyenne_M = Ecart_Type_M = Mediane_M = D1_M = D9_M = 0;
  Modes.fill(0);
  NbModes = 1;
  Marquage_PDM = false;
  Attente_Borne2 = false;
  Borne1 = Borne2 = 0;
  Indice1 = Indice2 = 0;
  Libelle_Donnees.clear();
  Resume_Global.fill("");
  Sauve_Resume = false;
  Echelle_X = Echelle_X_Defaut = 9.0;
  Echelle_Y = 50;
  Pas_Valeur = 2;
}
