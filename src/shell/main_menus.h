#pragma once
// The main window's Edition menu and the Options items that act by themselves ("Image
// par défaut", "Machine rapide").

// Edition: 1 the panel of the export comment, 2 quick results export, 4 the
// calibration panel, 5 the calibration files, 7 the summary to the clipboard, 8 a
// results file read into the grid, 9 the archive input; the others have no command
// and are greyed.
void MnuEDit_Click(int Index);
// Options: 15 asks twice and beeps (the default image is not implemented), 25 toggles
// "Machine rapide": unticked, the Palmer variant is off and the two option boxes
// unticked.
void MnuOpt_Click(int Index);
class QVL;
// Greys the main menus' items that have no command of their own: the blank and
// waiting items of Fichiers and Aide, "Charger Ref Couleur", "Sauver Ref Couleur",
// "Charger grille", "Histogrammes", "Cherche archives", "perso", the "**" and
// "Chromatogrammes" items of Outils, the third item of "Illustrer écran", "Afficher la
// base CSV" and the "**" items of the colour tools' menu.
void Grise_Articles_Sans_Commande(QVL& f);
// Connects the Edition menu and the two Options items, and greys the items without a
// command.
void Connecte_Menus_Principaux(QVL& f);
