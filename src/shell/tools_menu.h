#pragma once
// The main window's tools menu (Outils).

// Item Index of the tools menu: 5 "Numerax" opens the statistics window as the
// button bar's "Numerax" does.
void Mntool_Click(int Index);

class QVL;
// Connects the tools menu.
void Connecte_Menu_Outils(QVL& f);
