#include "base/globals.h"

std::string Rep_Prog;
std::string Rep_Data;
std::string Nom_Utilisateur;
std::string Nom_Systeme;
bool Premiere_Activation = false;
long VELOCE = 0;

int Vue_Stat = 3;
std::string Langue = "fr";
std::string Format_Decimal = "###0.00";
bool Aff_Consignes = true;
bool Aide_Touches_Ouverte = false;
bool Avert_Attente = false;
bool Diag_Langue = false;
bool Stat_Autonome = false;
platform::BoundedArray<int, 0, 2> CouleursTrace;
platform::BoundedArray<std::string, 0, 3> Champs_Archive;
const std::string SautLigne = "\r\n";
int Type_Vue = 1;
bool Auto_Pdms = true;
std::string Liste_Extrait;
std::string Fic_Nuancier, Fic_Etalon, Fic_Scanner;
std::string Fic_ArchNua = "Archv_Nuancier.nua";
int ZoneCouleur = 3;
bool Etalon_Charge = false;
std::vector<std::string> Ext_Images;
float Alpha_Archive = 0.2f;
std::string Filtre_Archive;
bool Alerte_W7 = true;

double Largeur_Ecran = 0;
double Largeur_Pic_Init = 0;
double Largeur_Pic_Cour = 0;

bool FDecimAuto = false;
bool AutoRetrace = false;
bool Etalon_Actif = false;
std::string Coul_Ref;
float TaillePolice = 0;
float TaillePoliceImg = 0;
std::string Fic_Session;
std::string Fic_Session_Lue;
std::string Fic_Ligne_Cmd;
bool Export_Fait = false;
std::string NomObjet;
std::string Fic_Resultats;
int Etat_Archive = 0;
platform::BoundedArray<unsigned, 0, 6> Couleurs;
