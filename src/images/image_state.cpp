#include "images/image_state.h"

#include <cmath>
#include <limits>

double Calibrage = 1.0;

bool Calibrage_Plausible(double c) { return c >= kCalibrageMin && c <= kCalibrageMax; }
platform::BoundedArray<double, 0, 50> Calib_Images;
double Facteur_Resol = 1.0;
bool Indep_Resol = false;

double Base_Zoom = std::sqrt(1.4142136);
int Pas_Zoom = 1;
int Expo_Zoom = 0;
int Expo_Zoom_Initial = 0;
double K_Zoom = 1.0;
std::int32_t Larg_Affichee = 0;
std::int32_t Haut_Affichee = 0;
double Ratio_Image = 1.0;
double Echelle = 1.0;
double Ratio_Ecran = 1.0;
double Ratio_Aspect = 1.0;
bool Zoom_Auto = true;
bool Retrace_Zoom = true;
int Taille_Max = 2500;

double Taille_Loupe = 3000, Taille_Loupe2 = 1500;
double Pas_Loupe = 1000, Pas_Loupe2 = 500;
bool Loupe_Visible = false, Loupe_Active = false, Loupe_Ouverte = false;
bool Pan_Etat = false, Pan_Etat2 = false, Pan_Actif = false;
bool Mode_Main = false;

int Index_Image = 0;
std::string Etape_CalObj = "99";
bool Mode_Etalonnage = false;
int Type_Etalonnage = 0;
int NbClics_Calib = 0;
bool CalObj_Actif = false;
int Mode_Panneau_Calib = 0;
double Calibrage_Avant = std::numeric_limits<double>::quiet_NaN();
std::string NomCalib;

std::string Rep_Images;
int Format_Image = 0;
bool Img_Temp = true;
std::string Prefixe_Capture;
std::string Prefixe_Capture2 = "TwainImg";
int Num_Capture = 1;
bool Nom_Auto = true;
platform::BoundedArray<bool, 0, 1> Sauve_Captures;
std::string Fic_Calib = "Qvrl.Cal";

std::string Img_Active;
platform::BoundedArray<int, 0, 50> Img_Marque;
int Img_A_Calibrer = 99;
int Largeur_Img_Prec = 0;

platform::BoundedArray<std::string, 0, 4> Calib_Predef;
platform::BoundedArray<std::string, 0, 5> Ref_APN;
