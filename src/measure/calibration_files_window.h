#pragma once
// The calibration files window: the ".cal" files of the program folder listed in a
// combo box with type-ahead; a new file made with its header, a file renamed (never
// over another), deleted after a question, opened in the text editor, or made the
// current calibration file. Only listed files are renamed or deleted; a typed name
// holding "/", "\" or "..", or an empty one, is refused.

#include <string>

class Cmpl;

// The window, created on first use with its handlers connected.
Cmpl& Fenetre_Fichiers_Calibrage();
// Edition > "Gestion fichier .Cal" and the panel's "Gestion des fichiers de
// calibrage": the window shown modal; afterwards NomCalib takes the calibration name.
void Ouvre_Fichiers_Calibrage();

// A name the window accepts: not blank, without "/", "\" nor "..".
bool Nom_Fichier_Cal_Valide(const std::string& nom);
// The name with ".cal" appended unless its extension is already cal in any case.
std::string Nom_Avec_Cal(const std::string& nom);

// Handlers, named after the controls.
void Cmpl_Form_Load();
void Liste_fichiers_cal();
void Cmpl_Combo1_KeyPress(int& KeyAscii);
void Cmpl_Command2_Click(int Index);
void Cmpl_Command1_Click();
void Cmpl_Command3_Click();
void Cmpl_Command0_Click();
