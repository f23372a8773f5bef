#pragma once
// The menus that choose the measuring function (Fonction and its sub-menus), the
// start-up function, the automatic save, the "Poly" and "Leiosporée" boxes, and the
// reset of tool buttons and menus that precedes a change of function.
//
// Every choice that changes the function asks Txt_Confirm(1) first when the grid holds
// a measurement (LigneCourante above 1); No leaves function, grid, modes, options and
// menus exactly as they were.

// The menu items that follow the measuring function, as choosing function `code` from
// its menu leaves them: "Sauver la Trame", "Charger la trame", "Comptage", "Densité",
// "Archiver données stat.", the archive search parameters and the chart-archive editor.
// Run by the function switch, so that a function made current by a trame or at
// start-up leaves the menus as its menu item does.
void Menus_Fonction(int code);

// The modes and buttons that follow the measuring function, as choosing function
// `code` from its menu leaves them: the counting mode (Mode_Comptage, BGr_Etat1) armed
// with the count box at "0" for the counts and the gill count (10, 11, 22), the density
// mode for 13 and 14 (count box at "0"), the triangle tool for 15, the outline tool for
// 16 (an unfinished outline or triangle forgotten), no count stored, no segment under
// way, the gill-count frame hidden; "Compter" at the button face, enabled but for the counts; "Etalonner" enabled
// but for the counts and densities; the copy button shown for 1 to 6, 15 and 16; "Test
// Archv" enabled for spores 2D only; the Palmer and bipoint options enabled but for the
// densities. Run by the function switch, so that a function made current by a trame, a
// session or at start-up leaves the same tools as its menu item.
void Outils_Fonction(int code);

// Reset of the tool buttons and menus for a function: "Nouv. mes." enabled, the prompt
// line emptied, "Sauver la Trame" enabled, the surface and density modes off with any
// unfinished outline or triangle forgotten, the gill-count frame hidden.
void Ini_fonc();

// Fonction menu. Items 1 to 3 (segment, spores 2D, spores 3D) switch to functions 1 to
// 3 and do nothing when the function is already current; 8 starts a gill count; 20
// switches to the colour zone (already current: the default colour standard is loaded
// again, nothing else). Other items (the sub-menu titles) do nothing.
void MnuFonc_Click(int Index);
// Counting sub-menu: 1 "simple" (function 10), 2 "bosses" (11); nothing when the
// function is already current.
void Mncp_Click(int Index);
// Cystidia sub-menu: items 1 to 3 give functions 4 to 6; asks even when the function
// is current, and lays its grid out afresh.
void Cyst_Click(int Index);
// Density sub-menu: 1 ellipse (13), 2 rectangle (14); the density mode on, the count
// box at "0", the prompt MSG(69).
void MnDens_Click(int Index);
// Surface sub-menu: 1 triangle (15), 2 closed curve and 3 open polygon (16).
void Mnusurf_Click(int Index);
// Starts the gill count (function 22) on a cleared grid, without a question of its own.
void MnLames(int Index);

// Start-up function: ticks item Index (0 to 5, 20) alone; Fonction_Demarrage :=
// Index + 1, or 20 for item 20. The current function does not change.
void Fdemarrage_Click(int Index);
// Automatic save: ticks item Index (0 to 2) alone; Sauve_Auto := Index x 10 rows.
void MNSav_Click(int Index);
// "Poly": the single-click pointing mode follows the box, which turns red while on.
void Poly_Click();
// "Leiosporée": the preview is closed and built again (button 39 twice).
void Leiosporee_Click();

class QVL;
// Connects the function menus, the start-up function, the automatic save and the two
// boxes.
void Connecte_Fonctions(QVL& f);
