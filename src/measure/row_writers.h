#pragma once
// Writing measured values into the measurement grid GrilleRef for the functions
// measured segment by segment (1 to 6, and the surface of the densities): each value
// goes into column EtapeClic of row LigneCourante at once; after the function's last
// value the computed columns (Q and V of spores in two dimensions, Q and L of spores in
// three dimensions, the ratios of cystidia), the image number and an empty comment
// follow and the cursor moves to the next row. The mini grid and the statistics
// follow every value, and the session is saved as a trame every Sauve_Auto rows, just
// before a new row is opened.

#include <string>
#include <vector>

// Text of the status bar while the ratio columns of cystidia are computed.
inline const std::string kEnteteRapports = "colonnes 5,6,7 : rapports   A/C, A/M,  B/M";
// Notice of a cystidium whose base or middle width is 0.
inline const std::string kDimensionNulle = " dimension nulle, calcul rapports annulé";

// --- pure rules ---------------------------------------------------------------------------

// The click step that completes a row: 4 for function 5, 5 for function 6 (their
// further columns are computed), nbCellules for the others.
int Derniere_Etape(int fonction, int nbCellules);

// True when the session is due for its automatic save before the value about to be
// written: sauveAuto > 0, a row is being opened (etape 1), it is not the first row and
// sauveAuto rows have been completed since the last save (ligne - 1 a multiple of
// sauveAuto): with 10, before rows 11, 21, 31...
bool Sauvegarde_Due(int sauveAuto, int etape, int ligne);

// A computed cell of the completed row.
struct CelluleCalculee {
  int colonne = 0;
  std::string texte;
  bool operator==(const CelluleCalculee&) const = default;
};

// The computed columns of a row completed at step `etape` from its values (valeurs[k]
// the value of step k): function 2, Q = length / width at etape + 1 under `masque`
// when the width exceeds 0.01, and V = width x length x width x 3.14159 / 6 at
// etape + 2 under `masqueVolume`; function 3, Q = length / width at etape + 1 when the
// width is above 0 and L = length / thickness at etape + 2 when the thickness is above
// 0, both under `masque`. Other functions, or values missing from `valeurs`, give none.
std::vector<CelluleCalculee> Colonnes_Calculees(int fonction, int etape,
                                                const std::vector<double>& valeurs,
                                                const std::string& masque,
                                                const std::string& masqueVolume = "###0.0");

// The ratio columns of a cystidium of function 5 or 6 from its base B, middle width M
// and apex width A: A / M at column `fonction`, A / B at fonction + 1 and B / M at
// fonction + 2, under `masque`. None when M x B is 0 or the function is not 5 or 6.
std::vector<CelluleCalculee> Rapports_Cystide(int fonction, double B, double M, double A,
                                              const std::string& masque);

// --- on the main window -------------------------------------------------------------------

// Rows the measurement grid may fill: Taille_Grille within the table, and never more
// than GrilleRef has.
int Capacite_Grille();
// The mirror of row ligne, the grid frame shown, then the statistics when it is.
void Rafraichit_Grille(int ligne);
// Writes a cell of GrilleRef; a cell outside the grid throws std::out_of_range.
void Ecrit_Cellule_Grille(int r, int c, const std::string& texte);
// A full grid: the session is saved to the rescue file "TrameSav.trm", then MSG(214)
// is shown (MSG(215) and the reason when the save fails).
void Grille_Pleine();
// The cursor moves to the next row (LigneCourante + 1), which is emptied: no
// measurement has written into it yet, and whatever an earlier one left there (a grid
// clear keeps the table's rows) is neither drawn by a redraw nor kept.
void Passe_Ligne_Suivante();
// The row is complete: the values of the steps cleared, the cursor on the next row
// (Passe_Ligne_Suivante), step 1, no segment counted.
void Ferme_Rangee();
// Opening steps of a writer: the status bar cleared, the automatic save when due,
// LignePrec and Etape_Calib taken, the row number written in column 0 of GrilleRef's
// row LigneCourante and of MGrille's row 1 (cells outside the grids are skipped).
void Ouverture_Rangee();

// Writes the value of the segment just finished (Valeur_Calibree(NbSegments_Calib); the
// cumulated polyline length at step 1 with "Poly"; ValMesure(1) in density mode) at
// column EtapeClic of row LigneCourante under Format_Decimal, keeps it in
// ValEtapes(EtapeClic), and completes and closes the row after the function's last
// step. Before a new row it runs the automatic save (a failure is shown in the message
// panel and measuring goes on). A full grid (LigneCourante = Taille_Grille + 1) is
// saved to "TrameSav.trm" in the program folder and reported, and nothing is written;
// beyond it only "grille pleine - cf options" is shown. A Calibrage of 0 is reported
// and the value written anyway. Any failure ends the call with "alerte 95"; what was
// written stays.
void Inscrit_Mesure_Rapports();

// Writes the colour row of the zone just measured (function 20) at row LigneCourante:
// the row number, Coul_Mesure and Coul_Lab in columns 1 to 6 and Taille_Zone in column
// 7 as plain numbers ("120.49"), the image number and an empty comment; the cursor
// moves on, then the mirror, the grid frame and the statistics. A Calibrage of 0 is
// reported and the row written anyway; the automatic save runs before the row when due.
// A full grid writes nothing: the session is saved to "TrameSav.trm" and the user told.
// The row that fills the grid is written whole, then the session is saved the same
// way. Any failure shows "alerte 95_m"; what was written stays.
void Inscrit_Mesure_Couleur();

// Ratio columns of the cystidium of row `ligne` (function 5 or 6) from the numbers of
// its columns 2, 3 and 4 (B, M, A); when M x B is 0 the notice kDimensionNulle is
// flashed for 1 second and no ratio is written. Rows or columns outside the grid write
// nothing.
void Calcule_Rapports(int fonction, int ligne);

// Writes the session to Fichier_Sauvegarde_Auto(). A failure ("Sauvegarde automatique
// impossible : " and the cause) stays in the message panel until a later save
// succeeds, which then says so for 2 seconds ("Sauvegarde automatique rétablie : " and
// the file). True when written.
bool Sauvegarde_Automatique();
