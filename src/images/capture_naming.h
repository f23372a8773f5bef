#pragma once
// The capture-naming window TwainPrefixe: prefix, first number and folder of the next
// captures, and which pictures are kept as captures. One program-wide window, not
// modal, unloaded by OK and Annule.

#include <array>
#include <string>

class TwainPrefixe;

// The window, created on first use with its handlers connected.
TwainPrefixe& FenTwainPrefixe();
// Options menu "Prefixe Image capture": loads the window when needed and shows it.
void Affiche_TwainPrefixe();

// The two files the next captures write with the typed prefix and first number n:
// Rep_Images / prefix & n & ".bmp" (pasted pictures) and Rep_Images / prefix & "_" & n
// & ".bmp" (menu acquisitions, which add "_").
std::array<std::string, 2> Noms_Captures_Prevues(const std::string& prefixe, int n);

// The first number typed: a whole number from 0 to 32767, blanks around allowed;
// -1 for anything else.
int Premier_Numero(const std::string& texte);

// Load: the mode options from Nom_Auto (Frame1 shown in "Votre choix" mode), the
// prefix and number boxes from Prefixe_Capture and Num_Capture, the folder caption,
// the two check boxes from Sauve_Captures; the change checks are off meanwhile.
void TwainPrefixe_Form_Load();
// 0 "Boutons Calibre" (Nom_Auto true, Frame1 hidden); 1 "Votre choix".
void TwainPrefixe_Option1_Click(int Index);
// Sauve_Captures(Index) follows the box at once.
void TwainPrefixe_Check1_Click(int Index);
// 0 OK: refuses a first number that is not valid ("Premier numéro invalide") and a
// name already in the image list; otherwise Prefixe_Capture and Prefixe_Capture2 take
// the prefix, Num_Capture the number, Sauve_Captures the boxes, and the window
// unloads. 1 Annule: unloads.
void TwainPrefixe_Command1_Click(int Index);
// "Changer le  répertoire": Rep_Images := the folder chosen (a cancel keeps it).
void TwainPrefixe_Command2_Click();
// "Insère date": the prefix box := today's date "yyyymmdd" & "_".
void TwainPrefixe_Command3_Click();
// Once loaded, a change of either box checks the names the next captures write: one
// already in the image list gives "nom d'image déjà sdans le chargeur"; an existing
// file asks whether to overwrite it, and Yes closes the window without applying.
void TwainPrefixe_Text1_Change(int Index);
// -1 when the image list holds one of Noms_Captures_Prevues of the boxes, else 0.
int test_nom_chargeur();
