#pragma once
// Row writers of the counting, density, triangle, outline and gill functions: the
// surface tools record their step with Inscrit_Mesure_Surface, then every one of these
// functions closes its row with Inscrit_Mesure_Grille, which writes the function's
// remaining columns in one go (counts as plain numbers, computed values as plain
// numbers or under the display mask).

#include <string>

// Text of the " %" cell of a gill row: the agreement percentage as a plain number, or
// empty when none was computed during that counting.
std::string Texte_Pourcentage_Lames(bool calcule, double pourcentage);

// The counting-box text as the count written into the grid: its number as a plain
// number ("3" for " 3"), 0 for a text that is not a number.
double Compte_Boite(const std::string& texte);

// One step of a surface measurement (triangle, outline): the opening steps of the
// writers (full-grid rescue save, status bar cleared, automatic save, LignePrec, row
// number), the grids' current column at EtapeClic; on the function's last step the
// image number and an empty comment, the mirror, and the step advanced (past
// NbCellules: back to step 1 with ValEtapes(1 to 6) cleared and Compteur_Lignes -1).
// Then the mirror, the grid frame and, when it is shown, the statistics. A grid beyond
// its size shows MSG(174). Any failure shows "alerte 95"; what was written stays.
void Inscrit_Mesure_Surface();

// Writes the closing columns of the row LigneCourante by function:
//   10  column 1 the count; the counting box back to "0"; the row closed.
//   11  step 1: A (the count) in column 1, step 2 follows; step 2: B in column 2 and
//       A + 2B in column 3, the row closed. A and B are kept in cell 1's second point
//       of TabMesures; the step prompt (message 55) becomes " marquer  les bosses
//       internes" after step 1 and " marquer  les bosses externes" after step 2.
//   13, 14  the count in column 2, count / S in 3 and its square root in 4 under
//       Format_Decimal (S from ValMesure(1), none when it is 0); the counting box
//       back to "0"; the row closed.
//   15  ValMesure(1), (3), (2) in columns 1 to 3; the row closed.
//   16  ValMesure(1), (2), (6), (5) in columns 1 to 4; the row closed.
//   22  column 1 the estimate shown by Label12, column 2 the agreement percentage
//       (empty when none was computed); the row closed.
// The table row of a triangle or a gill count, or of a count closed with nothing
// counted, is started here (Commence_Ligne_Table); the other rows were started by their
// tool. A table row still without an image takes Index_Image and Expo_Zoom.
// Functions 10, 11 and 13 to 16 and 22 get the row number in column 0; every one the
// image number. Closing a row moves LigneCourante on, with EtapeClic 1 and
// Compteur_Lignes 0. Then the mirror, the grid frame and, when it is shown, the
// statistics. On a full grid nothing is written: functions 10, 11 and 22 save the
// session to the rescue file and say so (the others were told when their row opened).
// Any failure shows "alerte 95"; what was written stays.
void Inscrit_Mesure_Grille();

// Whether an agreement percentage was computed since the gill counting started, and
// its value (the gill tool sets both; Comptage_Lames clears them).
extern bool Pourcentage_Lames_Calcule;
