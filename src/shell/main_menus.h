#pragma once
// The main window's Edition menu and the Options items that act by themselves ("Image
// par défaut", "Machine rapide").

// Edition: 1 the panel of the export comment, 2 quick results export, 7 the summary
// to the clipboard, 8 a results file read into the grid; the others are not there yet
// and do nothing.
void MnuEDit_Click(int Index);
// Options: 15 asks twice and beeps (the default image is not implemented), 25 toggles
// "Machine rapide": unticked, the Palmer variant is off and the two option boxes
// unticked.
void MnuOpt_Click(int Index);
class QVL;
// Connects the Edition menu and the two Options items.
void Connecte_Menus_Principaux(QVL& f);
