#pragma once
// Calibration and picture-view state shared by every window.

#include <cstdint>
#include <string>

#include "platform/bounded_array.h"

extern double Calibrage;   // current coefficient, length per picture unit

// Bounds of a calibration coefficient read from a file, in micrometres per picture
// unit: below 1e-7 even the longest length a picture gives (32767 units) shows as
// zero at three decimals; above 1e7 a single picture unit spans ten metres.
constexpr double kCalibrageMin = 1e-7;
constexpr double kCalibrageMax = 1e7;
// True when c lies within [kCalibrageMin, kCalibrageMax]; false for NaN and infinities.
bool Calibrage_Plausible(double c);
// Entry 0 the current coefficient, entries 1 to 50 those of the listed images.
extern platform::BoundedArray<double, 0, 50> Calib_Images;
extern double Facteur_Resol;
extern bool Indep_Resol;

extern double Base_Zoom;   // square root of 1.4142136
extern int Pas_Zoom;
extern int Expo_Zoom;
extern int Expo_Zoom_Initial;
extern double K_Zoom;
extern std::int32_t Larg_Affichee;   // view offsets in picture units
extern std::int32_t Haut_Affichee;
extern double Ratio_Image;
extern double Echelle;
extern double Ratio_Ecran;
extern double Ratio_Aspect;
extern bool Zoom_Auto;
extern bool Retrace_Zoom;
extern int Taille_Max;

// Magnifier and pan.
extern double Taille_Loupe, Taille_Loupe2;
extern double Pas_Loupe, Pas_Loupe2;
extern bool Loupe_Visible, Loupe_Active, Loupe_Ouverte;
extern bool Pan_Etat, Pan_Etat2, Pan_Actif;
extern bool Mode_Main;

extern int Index_Image;      // number of the image shown (0: not a list entry)
extern std::string Etape_CalObj;
extern bool Mode_Etalonnage;
extern int Type_Etalonnage;      // kind of marking: 0 known length, 3 graduations, 2 one division
extern int NbClics_Calib;        // segments marked since the marking started
extern bool CalObj_Actif;        // the guided objective calibration is running
extern int Mode_Panneau_Calib;   // calibration panel: 99 loading a file, 98 saving one
// Kept where the calibration panel opens and put back by its "leave without changing"
// button: the coefficient (NaN while nothing is kept) and the caption of Label_Calib.
extern double Calibrage_Avant;
extern std::string NomCalib;

// Image files.
extern std::string Rep_Images;
extern int Format_Image;     // index into Ext_Images
extern bool Img_Temp;
extern std::string Prefixe_Capture;    // stem of the next capture file names
extern std::string Prefixe_Capture2;   // prefix chosen by the user
extern int Num_Capture;
extern bool Nom_Auto;
extern platform::BoundedArray<bool, 0, 1> Sauve_Captures;
extern std::string Fic_Calib;

// The image list and the picture shown.
extern std::string Img_Active;   // path of the picture shown ("" for the background)
// Indexed by list position (0-based): -1 while that image is in the multi-layer group.
extern platform::BoundedArray<int, 0, 50> Img_Marque;
extern int Img_A_Calibrer;       // image also receiving the next calibration; 99 none
extern int Largeur_Img_Prec;     // pixel width of the first picture opened or pasted

// Preset calibrations of the objective buttons Command13/Command14 (0 to 4): each a
// whole calibration-file line, "" when the button is not programmed.
extern platform::BoundedArray<std::string, 0, 4> Calib_Predef;
// Camera reference of the current image: 1 make and model, 2 and 3 focal-plane
// resolutions, 4 focal length, 5 subject location (entry 0 unused).
extern platform::BoundedArray<std::string, 0, 5> Ref_APN;
