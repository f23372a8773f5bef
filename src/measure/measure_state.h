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
// The function whose templates laid the grid out: FonctionCourante, or after a results
// import the function the file names (0 when it names none).
extern int Fonction_Grille;
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
extern bool Rep_Trame_Ok;   // the trame being read is a local one
extern bool Mode_Illus;     // illustration mode (the illustration tools)

// Clamps a grid size to the bounds of the measurement table (1 to 3000).
int Borne_Taille_Grille(long long n);

// Set by the measuring-function switch.
extern int Der_Colonne;       // last grid column holding values of the current function
extern int NbPoints_Copie;    // first grid column that undoing a whole row clears
extern int Ligne_Ref;         // row the redraw moves the cursor back to
extern bool Trace_Poly;       // the measurement is drawn as a polyline (function 3)
extern bool Courbe_Fermee;    // polygon function: closed curve (true) or open polygon

// Values of the measurement being finished (0 to 10); after the grid statistics of
// spores in three dimensions, 0 holds the volume of the mean spore and 1 its standard
// deviation.
extern platform::BoundedArray<double, 0, 10> ValMesure;

// Working state of the measuring tools on the picture. Points and lengths are in units
// of Picture1 unless said otherwise.
extern double Depart_X, Depart_Y;    // start point of the segment being drawn
// Segments of the measurement in progress, index = click step (units of Picture1).
extern platform::BoundedArray<Segment, 0, 20> Segments_Etape;
extern int Pt_X, Pt_Y;               // last marked point (vertex, Palmer foot, count)
extern double Longueur_Cumulee;      // cumulated length of the polyline being drawn
extern double Pente_Ref;             // slope of the first segment (34000 near vertical)
extern double Pente_Somme;           // Pente_Ref + 1 / Pente_Ref
extern bool Loupe_Pt;                // set with Etat_Pt1, read by the magnifier
extern bool Ignore_Relache;          // the next mouse-up is not passed to the tools
extern bool BGr_Etat1;               // counting: button released since the last count
extern int Appui_X, Appui_Y;         // last mouse-down (origin of a hand pan)
extern int NbSegments_Calib;         // rounded length of the last segment drawn
extern bool Mode_Surface;            // three-point surface tool
extern int NbPoints_Surface;         // points already placed by it (0 to 2)
extern bool Mode_Surface2;           // polygon and triangle tool
extern bool Illus_Texte;             // next mouse-up ends a reference-line direction
extern bool Illus_Saisie;            // reference line waiting for its length and unit
extern bool Mode_Densite;            // density counting
extern bool Comptage_Actif;          // a count is in progress
extern bool Mode_Commentaire;        // the comment panel writes into the grid (button 28)
extern bool Seq_Ouvert;              // the comment panel is open for a results export
extern bool Trace_Continu;           // continuous tracing (key "E" held)
extern bool Mode_Cumul;              // cumulated length chosen in the pop-up menu
extern bool Pan_Clic;                // key "W": the next window click moves the magnifier
extern bool Deplace_Grille;          // key "G": the next window click moves Frame(6)
extern bool Main_Bascule;            // hand mode toggled by the Ctrl key
extern bool Bascule_Alt;             // inverted at each release of Alt
extern int Clic_X1, Clic_Y1, Clic_X2, Clic_Y2;   // measurement cursor (units of Picture1)
extern int Etat_Saisie;              // entry panel: 0 start, 1 value, 2 accepted, 3 unit, 4 cancel
extern double Val_Saisie;            // length typed in the entry panel (calibrated units)
extern int Taille_Zone;              // side of the colour sampling square, pixels
extern int NbLames;                  // counting total (gills, density marks)

// Row writers of the measurement grid.
// Calibrated value written at each click step of the row in progress (1 to 6; all 0
// once a row is complete).
extern platform::BoundedArray<double, 0, 6> ValEtapes;
extern int LignePrec;                // LigneCourante when the last writer started
extern int Etape_Calib;              // EtapeClic at the same moment
