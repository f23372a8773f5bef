#pragma once
// The measurement table and its cursor: program-wide state of the measuring engine.

#include <string>

#include "platform/bounded_array.h"

// One measured segment: its two end points in picture units.
struct Segment {
  double X1 = 0;
  double Y1 = 0;
  double X2 = 0;
  double Y2 = 0;
};

// One measurement row: cells 1 to NbCellules (at most 16) of its function, the number
// of the image measured (1 to 50), the zoom exponent at measuring time and a text.
struct Mesure {
  platform::BoundedArray<Segment, 0, 16> Seg;
  int NumImage = 0;
  int ExpZoom = 0;
  std::string Texte;
};

constexpr int kDerniereLigneTable = 3000;

// Rows 0 to 3000; row k belongs to row k of the measurement grid (row 0: headings).
extern platform::BoundedArray<Mesure, 0, kDerniereLigneTable> TabMesures;

extern int LigneCourante;     // the row the next finished measurement fills (1 when empty)
extern int EtapeClic;         // click step inside the measurement in progress (1 at start)
extern int NbCellules;        // segments per measurement of the current function
extern int Taille_Grille;     // maximum rows of the grid (1 to 3000)
extern int FonctionCourante;  // current measuring function code
extern int Fonction_Demarrage;  // start-up function (0: spores in two dimensions)
extern int Compteur_Lignes;

// Measuring state flags.
extern bool Etat_Pt1, Etat_Pt2, Etat_Pt3, Etat_Pt4;
extern bool PGr_Etat;
extern bool Mode_Pointage;    // single-click pointing ("Poly")
extern bool Mode_Standard;
extern int Palmer;            // 1 "Bipoint", 2 "Palmer"
extern int Tol_Clic;          // click tolerance
extern bool Mode_Comptage;
extern bool Trace_Ok;
extern bool Mode_Annot, Illus_Trait, Mode_InsRef, Mode_InsTexte;
extern bool Touche_Enfoncee;
extern int EpaisseurTrait;
extern int Largeur_Pic, Largeur_Pic2;
extern int Sauve_Auto;        // rows between automatic saves
extern std::string Fic_Trame; // current session file
extern std::string Ext_Export;
extern std::string Fic_CSV_Import;
extern bool Rep_Trame_Ok;

// Clamps a grid size to the bounds of the measurement table (1 to 3000).
int Borne_Taille_Grille(long long n);
