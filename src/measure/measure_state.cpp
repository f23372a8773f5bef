#include "measure/measure_state.h"

#include <algorithm>

platform::BoundedArray<Mesure, 0, kDerniereLigneTable> TabMesures;

int LigneCourante = 1;
int EtapeClic = 1;
int NbCellules = 0;
int Taille_Grille = 3000;
int FonctionCourante = 0;
int Fonction_Grille = 0;
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
bool Mode_Illus = false;

int Borne_Taille_Grille(long long n) {
  return static_cast<int>(std::clamp<long long>(n, 1, kDerniereLigneTable));
}

int Der_Colonne = 0;
int NbPoints_Copie = 0;
int Ligne_Ref = 1;
bool Trace_Poly = false;
bool Courbe_Fermee = false;

platform::BoundedArray<double, 0, 10> ValMesure;

double Depart_X = 0, Depart_Y = 0;
platform::BoundedArray<Segment, 0, 20> Segments_Etape;
int Pt_X = 0, Pt_Y = 0;
double Longueur_Cumulee = 0;
double Pente_Ref = 0;
double Pente_Somme = 0;
bool Loupe_Pt = false;
bool Ignore_Relache = false;
bool BGr_Etat1 = false;
int Appui_X = 0, Appui_Y = 0;
int NbSegments_Calib = 0;
bool Mode_Surface = false;
int NbPoints_Surface = 0;
bool Mode_Surface2 = false;
bool Illus_Texte = false;
bool Illus_Saisie = false;
bool Mode_Densite = false;
bool Comptage_Actif = false;
bool Mode_Commentaire = false;
bool Seq_Ouvert = false;
bool Trace_Continu = false;
bool Mode_Cumul = false;
bool Pan_Clic = false;
bool Deplace_Grille = false;
bool Main_Bascule = false;
bool Bascule_Alt = false;
int Clic_X1 = 0, Clic_Y1 = 0, Clic_X2 = 0, Clic_Y2 = 0;
int Etat_Saisie = 0;
double Val_Saisie = 0;
int Taille_Zone = 8;   // 2 ^ ZoneCouleur (3 by default)
int NbLames = 0;

platform::BoundedArray<double, 0, 6> ValEtapes;
int LignePrec = 0;
int Etape_Calib = 0;
