#pragma once
// Files of an extract (the rows of Liste_Extrait): the extract saved as a trame file
// that loads as any session, or exported as a CSV or text table; and the screen copy.

#include <string>
#include <vector>

// The name the trame save proposes, without folder: the file name of the session's
// trame when there is one, else that of the file shown in the main window (when it
// exists; "Extrait." when none is shown, nothing when it is missing), cut before its
// first ".", then "_EX.trm".
std::string Nom_Trame_Extrait(const std::string& ficTrame, const std::string& fichierAffiche, bool fichierExiste);

// The name the export proposes, without folder: the file name of the picture shown
// ("mesures_Extr." when no file is shown), cut before its first ".", "_Extr", "." and
// the export type.
std::string Nom_Export_Extrait(const std::string& imageActive, bool aucunFichier, const std::string& type);

// What the export writes besides the grid.
struct EnteteExtrait {
  std::string date, heure;     // the system's short forms
  std::string type = "csv";    // "csv" or "txt"
  bool independant = false;    // measurements independent of the image resolution
  std::string NomFonction, NomObjet;
  std::string ficImport;       // the results file imported into the grid, or ""
  int lignesGrille = 0;        // rows of the grid (LigneCourante - 1)
};

// The lines of the export: the header, "k mesures sur n", "LISTE=", the headings row
// and the rows given (each a list of the cells of columns 0 to the last), every cell
// followed by the separator ("; ", or a tab and ";" for "txt"), then "; ; ; ; ; ; ;".
std::vector<std::string> Lignes_Export_Extrait(const EnteteExtrait& h, const std::vector<std::string>& titres,
                                               const std::vector<std::vector<std::string>>& lignes);

// Outils > "Sauver trame extraite": the extracted rows as a trame file ("Liste
// extraite vide" when there is no extract; MSG(130) when a row holds no measured
// segment, as pasted rows do). Cancel ends silently.
void exporte_trame_extrait();
// Writes the extract trame to FichierTrame (atomic); MSG(144) and the reason when it
// fails. False when nothing was written.
bool Extrait_Sauve(const std::string& FichierTrame);
// Outils > "export CSV extrait": MSG(130) when there is no extract, else the export.
void CSV_Export();
// Mode 1: asks for the file and writes the export of the extract.
void CSVexportGrille(int mode);
// The screen copy button: a capture of kind 2.
void cmdCopie_Ecran_Click();
