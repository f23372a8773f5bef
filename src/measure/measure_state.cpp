#include "measure/measure_state.h"

#include <algorithm>

platform::BoundedArray<Mesure, 0, kDerniereLigneTable> TabMesures;

int LigneCourante = 1;
int EtapeClic = 1;
int NbCellules = 0;
int Taille_Grille = 3000;
int FonctionCourante = 0;
int Fonction_Demarrage = 0;
int Compteur_Lignes = 0;

bool Etat_Pt1 = false, Etat_Pt2 = false, Etat_Pt3 = false, Etat_Pt4 = false;
bool PGr_Etat = false;
bool Mode_Pointage = false;
bool Mode_Standard = true;
int Palmer = 2;
int Tol_Clic = 30;
bool Mode_Comptage = false;
bool Trace_Ok = false;
bool Mode_Annot = false, Illus_Trait = false, Mode_InsRef = false, Mode_InsTexte = false;
bool Touche_Enfoncee = false;
int EpaisseurTrait = 2;
int Largeur_Pic = 0, Largeur_Pic2 = 0;
int Sauve_Auto = 10;
std::string Fic_Trame;
std::string Ext_Export = "csv";
std::string Fic_CSV_Import;
bool Rep_Trame_Ok = false;

int Borne_Taille_Grille(long long n) {
  return static_cast<int>(std::clamp<long long>(n, 1, kDerniereLigneTable));
}
