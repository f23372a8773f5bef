#pragma once
// The measuring-function switch: makes FonctionCourante the active measuring function
// of the main window (cells per measurement, step prompt, grids, window caption).

// Revision number of the program, written after "Quorvale 2.0" in the window caption.
constexpr int kRevisionProgramme = 1;

// Makes FonctionCourante the active function: LigneCourante, Ligne_Ref and EtapeClic
// back to 1, Compteur_Lignes to 0, NbCellules, NbPoints_Copie, Der_Colonne, Trace_Poly
// and the step prompt (message 55) by function (a code without an entry keeps the
// previous counts and prompt), the three grids laid out from the function's templates
// with Taille_Grille + 1 rows in GrilleRef (Taille_Grille kept within 1 to 3000) and
// 4 in MGrille, the window caption, and the modes, buttons and menus the function's
// menu item leaves (Outils_Fonction, Menus_Fonction). Asks nothing and clears no
// measurement.
// Returns false, after the layout step has reported it, when the function's width
// template cannot be applied; the caption and row counts are then left as they were.
bool Choix_Fonction_Mesure();
// The same after FonctionCourante := fonction.
bool Choix_Fonction_Mesure(int fonction);

// Only the grids of `fonction`, as Choix_Fonction_Mesure lays them out (templates,
// headings and NomFonction, Taille_Grille + 1 rows, statistics headings), with its
// NbCellules and Der_Colonne; nothing else changes: no caption, colour set-up,
// prompt, cursor or calibration. False after the layout step reported a template it
// could not apply.
bool Dispose_Grilles_Fonction(int fonction);

// The window caption while no measuring function is current: "Quorvale 2.0", the
// revision, "  /  " and Nom_Utilisateur, without " : " and a function name.
void Titre_Sans_Fonction();

// Bottom-left alignment for the headings of every column of GrilleRef; leaves its
// current row at 0.
void Aligne_Titres_Grille();
