#pragma once
// The chart archive and the chart details of the colour-match window.
//
// Chart archive (text, CR LF, Windows-1252; default "Archv_Nuancier.nua"): three
// header lines, then one entry per line, its running number, ";" and the archive line:
//
//   Nuancier archivé
//   N°;R;V;B;L;a;b;zone;S;comment;
//   LISTE=
//   1;60.00;90.00;60.00;36.49;-11.80;15.96;; Moy; Lactarius sp.
//   2;30;120;90;44.87;-33.45;8.63;;; Lactarius sp.
//
// An archived mean carries " Moy" in the S field, an archived grid row nothing; the
// values are the grid's texts as shown.

#include <array>
#include <string>
#include <vector>

// The header lines of a new archive.
const std::vector<std::string>& Entete_Archive_Nuancier();

// The archive line: the six values, each followed by ";", then "; Moy" for a mean or
// ";" for a grid row, "; " and the comment, whose ";" are written "," (they would
// split it) and whose line breaks become blanks.
std::string Ligne_Archive_Nuancier(const std::array<std::string, 6>& valeurs, bool moyenne,
                                   const std::string& commentaire);

// Outcome of adding one line to an archive.
struct ResultatArchive {
  enum Etat { Cree, Ajoute, Echec } etat = Echec;
  int numero = 0;        // running number given to the entry
  std::string message;   // why it failed (for a message box)
};

// Adds an entry to the archive at chemin. A file that does not exist is created with
// the header and the entry numbered 1. An existing file gets the entry numbered after
// the entries it holds, its earlier bytes kept (a last line without its line break
// gets one first); the entry is written in the file's encoding (UTF-8 when the file is
// UTF-8, else Windows-1252 as for a new file). A file that exists but cannot be read,
// a UTF-16 file, or a write that fails leaves the file as it was and gives Echec with
// MSG 144 and the cause. Saves are atomic.
ResultatArchive Ecrit_Archive_Nuancier(const std::string& chemin, const std::string& ligne);

// The chart details of a chart file's lines: the date, "   Image : " and the image's
// name; ".................. "; TINTAVEL 11, " : " and the chart's name; then, from
// the non-blank lines, each key tested apart anywhere in the line, letter case
// ignored: a line holding "CODE=" with a blank before it; lines holding "SCANNER=",
// "RESOLUTION=", "LUMINANCE=", "CONTRASTE=" or "CALIBRAGECOL=" as they are; a line
// holding "NOTES=" and the non-blank lines after it up to the one holding "FINNOTES"
// (not shown), the file's last line not shown when the notes run to the end; last
// MSG 219 and the entry count. Every line ends with CR LF.
std::string Details_Nuancier(const std::vector<std::string>& lignes, const std::string& date,
                             const std::string& image, const std::string& nuancier, int nombre);
