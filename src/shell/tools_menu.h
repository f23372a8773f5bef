#pragma once
// The main window's tools menu (Outils).

// Item Index of the tools menu: 4 "maj grille" measures every row again (Maj_Grille),
// 5 "Numerax" opens the statistics window as the button bar's "Numerax" does, 6 gives
// the current calibration to every image of the multi-layer group after a question
// (an empty group: MSG(200) alone), 10 "commenter la grille" opens the comment panel
// in its comment mode, 11 the EXIF data, 14 "Sporogrammes" the spore-outline window,
// 20 "Illustrer copie  Image soure" the illustration window, 21 the folders window,
// 22 the eyepiece calibration (the button bar's CalObj_1), 25 "Transfert de  session"
// saves a local trame (Sauve_Trame_Locale).
void Mntool_Click(int Index);

class QVL;
// Connects the tools menu and its submenu "Illustrer écran".
void Connecte_Menu_Outils(QVL& f);
