#pragma once
// Program-wide settings and state shared by every part of the program.

#include <string>
#include <vector>

#include "platform/bounded_array.h"

extern std::string Rep_Prog;     // program folder
extern std::string Rep_Data;     // data folder
extern std::string Nom_Utilisateur;
extern std::string Nom_Systeme;
extern bool Premiere_Activation;
extern long VELOCE;              // mouse speed read at load (kept, never applied)

extern int Vue_Stat;             // first view of the statistics window
extern std::string Langue;
extern std::string Format_Decimal;
extern bool Aff_Consignes;
extern bool Aide_Touches_Ouverte;
extern bool Avert_Attente;       // the thanks of the accepted first-start warning are shown
extern bool Diag_Langue;
extern bool Stat_Autonome;
// Drawing colours as 16-colour palette codes.
extern platform::BoundedArray<int, 0, 2> CouleursTrace;
extern platform::BoundedArray<std::string, 0, 3> Champs_Archive;
extern const std::string SautLigne;
extern int Type_Vue;
extern bool Auto_Pdms;
// Grid rows extracted in the statistics window, as numbers each followed by ";".
extern std::string Liste_Extrait;
extern std::string Fic_Nuancier, Fic_Etalon, Fic_Scanner;
extern std::string Fic_ArchNua;
extern int ZoneCouleur;
extern bool Etalon_Charge;
extern std::vector<std::string> Ext_Images;
extern float Alpha_Archive;          // one-sided risk of the archive search
extern std::string Filtre_Archive;   // name filter of the archive search ("" none)
extern bool Alerte_W7;

// Window measures (twips, reals).
extern double Largeur_Ecran;     // screen width in pixels
extern double Largeur_Pic_Init;
extern double Largeur_Pic_Cour;

// Settings kept by the settings file "Qvrl.dat".
extern bool FDecimAuto;          // the number of decimals follows the calibration
extern bool AutoRetrace;         // the automatic-redraw box is ticked at activation
extern bool Etalon_Actif;        // the colour standard is in use
extern std::string Coul_Ref;     // path of the last colour file saved
extern float TaillePolice;       // font size of texts on the picture (points)
extern float TaillePoliceImg;    // font size of the annotation label (points)
extern std::string Fic_Session;  // session file saved when the program last quit
extern std::string Fic_Session_Lue;  // the SESSION line as the settings file gave it at start
extern std::string Fic_Ligne_Cmd;    // the trame named on the command line, or the one last opened
extern bool Export_Fait;         // an export with its dialog was made in this run
extern std::string NomObjet;     // name of the studied object, written in exports
extern std::string Fic_Resultats;  // the export comment kept for the next quick export
extern int Etat_Archive;         // the archive input frame: 0 answered, 1 waiting, 2 cancelled
// Colour table (&HBBGGRR) reset at each activation; entries 1 to 5 colour the
// programmed preset-calibration buttons.
extern platform::BoundedArray<unsigned, 0, 6> Couleurs;
