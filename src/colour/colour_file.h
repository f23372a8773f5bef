#pragma once
// Colour files: the colour grid saved as a chart (".Nua") or as a scanner calibration
// (".Scn"), and the colour-standard files (".Etl", written by hand in the same layout).
//
//   Résultat des mesures du <date> à <time>
//   Image de référence chargée : <object name>
//                                          (empty line)
//   <record, as the user completed it: CODE=, SCANNER=, ... NOTES= ... FINNOTES>
//                                          (empty line)
//   REM= les lignes suivantes ne doivent pas être modifiées !
//   N°;R;V;B;L;a;b;zone;S;comment;         (the grid titles, each followed by ";")
//   CALIBRAGECOL=0 | 1
//   NBMESURES =n
//   LISTE=
//   1;90;60;30;28.11;9.85;23.29;8;1;;      (n rows: every cell followed by ";")
//
// Cells keep the grid's text (its decimal separator); a ";" inside a cell is written
// "," and a line break a blank. Readers take a point or a comma.

#include <string>
#include <vector>

#include "colour/colour_state.h"
#include "platform/bounded_array.h"

// Rows a colour file may hold for the correction: the point table keeps two closing
// points besides them.
constexpr int kMaxLignesCouleur = 254;
// Columns of a row in the reader's table: 1 the row's ordinal, 2 to 10 fields 1 to 9.
constexpr int kColonnesCouleur = 10;

// A table of colour rows: rows 0 to 255, columns 0 to 10 (row 0 and column 0 unused).
class TableCouleur {
 public:
  TableCouleur();
  double& operator()(int f, int c);
  double operator()(int f, int c) const;
  void clear();

 private:
  static std::size_t at(int f, int c);
  std::vector<double> v_;
};

// The record the user completes before a chart is saved; lines joined by CR LF, no
// line break after the last. imageActive and ficScanner are paths (their bare names
// are written).
std::string Fiche_Nuancier(const std::string& imageActive, const std::string& ficScanner,
                           bool calibre);
// The record of a scanner calibration.
std::string Fiche_Scanner();

// What a colour file is written from.
struct ContenuFichierCouleur {
  std::string date;            // the current date and time, as text in the system's formats
  std::string heure;
  std::string nomObjet;        // NomObjet
  std::string enregistrement;  // the completed record (line breaks of any kind)
  // Row 0: the grid titles; rows 1 to n: the measured rows; every column of each.
  std::vector<std::vector<std::string>> grille;
  bool calibre = false;        // "Calibré" ticked
};

// The cell text as a colour file holds it: ";" becomes "," and each line break (CR LF,
// LF or CR) a blank.
std::string Texte_Cellule_Couleur(const std::string& cellule);

// The lines of a colour file, in file order (NBMESURES is the number of grid rows
// after the title row; no title row gives an empty title line and no row).
std::vector<std::string> Lignes_Fichier_Couleur(const ContenuFichierCouleur& contenu);

// A colour file read back.
struct FichierCouleurLu {
  bool lisible = false;  // the file could be read
  bool valide = false;   // no row over kMaxLignesCouleur, none of more than ten fields
  int annonce = 0;       // NBMESURES (0 without the key before "LISTE=")
  int lues = 0;          // rows read (0 when not valide)
  // The count the correction compares: annonce when the file is valide and holds as
  // many rows as it announces, else 0.
  int compte() const { return valide && lues == annonce ? annonce : 0; }
};

// Reads the rows of a colour file's lines into tableau (emptied first). Key lines
// ("KEY = value", blank lines, lines without "=" and the record's notes from "NOTES="
// to "FINNOTES" skipped) are read until "LISTE=";
// NBMESURES gives the rows announced. Then, while fewer rows than announced were read,
// each line split at ";" is a row (fewer than three parts end the rows and the key
// lines resume): row f gets f in column 1 and its fields 1, 2, ... in columns 2, 3, ...
// (a point or a comma; text reads 0; a final ";" adds no field). A row of more than
// ten fields or more than kMaxLignesCouleur rows leave the result not valide, with no
// row read and the table empty.
FichierCouleurLu Analyse_Fichier_Couleur(const std::vector<std::string>& lignes,
                                         TableCouleur& tableau);

// The same on a file; an unreadable file reads nothing (lisible false).
FichierCouleurLu Lit_Fichier_Couleur(const std::string& fichier, TableCouleur& tableau);

// --- saving a record -------------------------------------------------------------------

// What opening a record asks of the window.
struct FicheOuverte {
  int message = 0;           // MSG 130 (empty grid, box) or 178 (unfinished measurement,
                             // yellow panel); the panel then stays closed
  std::string titre;         // caption of the record panel
  unsigned couleurFond = 0;  // its back colour (&HBBGGRR)
  std::string texte;         // the record for the text box
};

// Opens a chart record (scanner false) or a scanner record (scanner true): the pending
// flag of that record is set and the other's cleared; a refusal clears both.
// ligneCourante is the grid row the next measurement fills (1 when the grid is
// empty); etapeClic the step of the measurement in progress.
FicheOuverte Prepare_Fiche_Nuancier(bool scanner, int ligneCourante, int etapeClic,
                                    const std::string& imageActive, bool calibre);

// The question asked before a pending record is saved: MSG 217 for a scanner record
// with "Calibré" ticked, MSG 218 for a chart record with it unticked, else 0. A No
// keeps the record pending.
int Question_Sauve_Couleur(bool calibre);

// Filter of the save dialog of the pending record: "*.Scn|*.Scn|" or "*.Nua|*.Nua|".
std::string Filtre_Sauve_Couleur();

// Both pending flags cleared (dialog cancelled, or Cancel to the overwrite question).
void Abandonne_Fiche_Couleur();

// Writes the colour file of the pending record to path (atomic: a failure leaves any
// previous file whole, returns false and says why in *error). Written: Coul_Ref :=
// path, and for a scanner record Fic_Scanner := path, Etalon_Charge and
// Correction_Valide cleared, "Calibré" unticked and disabled. Both pending flags are
// cleared in every case.
bool Ecrit_Resultats_Couleur(const std::string& path, const ContenuFichierCouleur& contenu,
                             CasesCouleur& cases, std::string* error = nullptr);
