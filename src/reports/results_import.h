#pragma once
// Reading a results file back into grid contents. The file is read whole before
// anything else happens; the caller lays the grids out and fills them only from a
// successful result.
//
// What the reader relies on: the first line starting with "Fonction :" names the
// measuring function; the last line that is "LISTE=" once trimmed is followed by the
// heading row, then one line per measurement with its cells separated by ";" in grid
// column order; the first line whose fields are all empty ends the rows. A line
// "N mesures" above the list gives the count of rows written. Other lines are passed
// over.

#include <string>
#include <vector>

// A function whose grid a results file may name: the name written on its "Fonction :"
// line, its code and the column count of its grid.
struct FonctionImportable {
  std::string nom;
  int code = 0;
  int colonnes = 0;
};

// The functions with a grid template: the names of messages 56 to 62 (functions 1 to 6
// and 20), the template names of functions 10, 11, 13 to 16 and 22, and the two
// captions of the polygon function (closed curve, open polygon); column counts from
// the width templates (Modeles_Grille must have filled them).
std::vector<FonctionImportable> Fonctions_Importables(const std::string& courbeFermee,
                                                      const std::string& polygoneOuvert);

// Column layout of a file that names no known function: 8 columns.
constexpr int kColonnesSansFonction = 8;

struct ResultatsLus {
  enum class Etat { Lu, Absent, Illisible, SansListe };
  Etat etat = Etat::Lu;
  std::string message;  // for the user: why nothing was read, or how many rows were
  int fonction = 0;     // code of the function named, 0 when none is known
  std::string nomFonction;  // the name on the "Fonction :" line, trimmed ("" when none)
  int colonnes = kColonnesSansFonction;
  // Row 0 the headings, then the measurements; each row holds `colonnes` cells.
  std::vector<std::vector<std::string>> lignes;
  int laissees = 0;  // measurement rows beyond the capacity, not read
  int annoncees = -1;  // the count of the file's "N mesures" line above the list; -1 without one
};

// Splits one row into `colonnes` cells: every field is read, trimmed of blanks and
// tabs, and the last (comment) column takes the rest of the line up to its last ";",
// so a comment may hold "; " and no field of the row is lost.
std::vector<std::string> Cellules_Ligne(const std::string& ligne, int colonnes);

// Reads the text of a results file; at most `capacite` measurement rows are kept and
// the message then says how many were read. When the rows end before the count of the
// file's "N mesures" line (an empty row in the list, a file cut short), the message
// says how many of them were read ("3 mesures lues sur 5").
ResultatsLus Lit_Resultats(const std::string& texte, const std::vector<FonctionImportable>& fonctions,
                           int capacite);

// Reads the file at path (Windows-1252, UTF-8 or UTF-16 with or without its mark;
// CR LF, LF or CR). A missing file, an unreadable or binary one and one without "LISTE=" give their
// state and a message, and no row.
ResultatsLus Lit_Fichier_Resultats(const std::string& path, const std::vector<FonctionImportable>& fonctions,
                                   int capacite);
