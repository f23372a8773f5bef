#pragma once
// Calibration on the main window: the calibration panel (Frame(7)) and its actions,
// the marking of a reference segment on the picture and its typed value, the
// correction frame, the guided eyepiece procedure, the objective preset buttons, and
// the calibration file of the program folder (store, load, choose, name the current
// coefficient). Every change of Calibrage made here is written into Calib_Images of
// the image shown.

#include <string>

class QVL;

extern int Code_Calib;               // last action of the panel, read by its "Valider"
extern std::string Calib_Choisie;    // the file line last chosen in the list
// Kept apart from the measuring values: the coefficient when the correction frame
// opened, and the values of a marking (rounded picture lengths of the segments, the
// first typed value of a division measurement, the guided length in micrometres).
extern double Calib_Correction;
extern int Longueur_Marquee1, Longueur_Marquee2;
extern double Valeur_Marquee1;
extern double Longueur_Guidee;
// The missing calibration file was reported in this run (it is reported once).
extern bool Absence_Calib_Signalee;

// Opens the panel: file caption, the coefficient kept for "Quitter calibrage sans
// modifier", the action buttons enabled, TBox(0) showing the coefficient. With 0 the
// measurement in progress is given up first and TBox(0) turns yellow.
void Calibrage_Ouvre(int idx_cal);
// Edition > "Etalonnage/Résolution" (also a right click on "Etalonner" and a click on
// the calibration name): the name kept, the list loaded silently, the panel opened.
void Menu_Etalonnage();
// The panel's action buttons (Bout(21) to Bout(27) and Bout(44) give Index - 21):
// 2 marks a known length or graduations, 3 loads the list, 4 asks the comment to
// store, 5 the correction factor entry, 6 marks the two segments of one eyepiece
// division, 23 shows or hides the correction frame.
void Calibrage_Action(int code);
// The panel's "Valider" (Bout(20), Enter in TBox(0)), by Code_Calib: 3 the chosen list
// line becomes the coefficient, 4 stores the coefficient under the typed comment.
void Calibrage_Valide();
// A marking starts: segments of an earlier marking still last in the grid leave it,
// the count of marked segments goes back to 0.
void Debut_Marquage_Calibrage();
// A segment was written while marking: the dialogue asks its value.
void PasCalibr();
// "OK" of the dialogue while marking: the typed value gives the coefficient (or the
// value of one eyepiece division); the marked segments leave the grid. 0 or no number
// ends the marking ("Mini 0.0001"); a negative, too small or too large value, or one
// beyond any number ("1e400", refused as invalid), keeps the dialogue for another.
void Valide_Calibrage();
// True when the last Valide_Calibrage took its value.
bool Valeur_Calibrage_Acceptee();
// "Annule" of the dialogue, or the end of a marking or guided procedure by a change of
// function: marking stopped, the pending marked segments removed from the grid (only
// those still last in it), the guided procedure idle, the dialogue hidden.
void Annule_Calibrage();
// True while a marking, a guided procedure or a marked segment awaits its value.
bool Calibrage_En_Cours();
// The grid was cleared or laid out again: the marked segments are gone with it.
void Oublie_Segments_Calibrage();
// Hand-off of the row writers after a segment was written: counts it, keeps its
// length, asks its value while marking, or goes on with the guided procedure.
void Segment_Ecrit_Calibrage();
// Correction frame: 0 " X" multiplies the coefficient by k, 1 "Annuler" restores the
// coefficient the frame opened with.
void Command1_Click(int Index);
// The guided eyepiece procedure, steps 0 to 3.
void CalObj_1(int index);
// Preset buttons: apply (Command13), program from the chosen line (Command14), clear
// (right button on Command14), and the look of button i for its preset.
void Command13_Click(int Index);
void Command14_Click(int Index);
void Efface_Predefini(int Index);
void Montre_Predefini(QVL& f, int Index);

// The calibration file Fic_Calib of the program folder.
// Appends the coefficient under the comment of TBox(0) (created first with its header,
// after a message); the list receives the entry. A failed write shows why and names
// nothing.
void Calibrage_Sauve();
// Fills ListCalib with the file's entries; a missing file empties it (code 0 silently,
// otherwise after MSG(137)).
void Calibrage_Charge(int code);
// A list line chosen: its value becomes the coefficient, pending "Valider".
void ListCalib_Click();
// Label_Calib names the coefficient: the file entry whose value equals it, else the
// coefficient as text. A missing file is reported once per run.
void ChercheCal_FicCalibrage();
// Caption of label(5): prefix then the coefficient under "###0.0000".
void Affiche_Coefficient(const std::string& prefixe);

// Connects the panel, the dialogue's entry box, the correction frame and the presets.
void Connecte_Calibrage(QVL& f);
