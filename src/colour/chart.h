#pragma once
// The colour chart: the program's table of named reference colours, its file and
// the entry counter of chart and chart-archive files.
//
// Chart file (text, any extension, ".Nua" by default): header lines, of which only
// a line holding "CALIBRAGECOL=" (a truth value after its first "=") is read; the
// first line holding "LISTE=" (letter case ignored) ends the header. The record's
// notes (from "NOTES=" to "FINNOTES") are free text: nothing in them is a key. Every non-blank
// line after it is one entry, fields separated by ";":
//
//   number;R;V;B;L;a;b;zone;S;comment;
//
// R, V, B, L, a, b read with a point or a comma; the name is the comment (field 9)
// when the line has ten fields or more, else the field before the last ";".

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "colour/colour_state.h"
#include "platform/bounded_array.h"

// Entries a chart holds at most.
constexpr int kMaxNuancier = 3000;

// Values of the chart entries: rows 0 to kMaxNuancier, columns 0 to 6 (1 R, 2 V, 3 B,
// 4 L*, 5 a*, 6 b*; column 0 and row 0 stay 0). An index outside throws IndexError.
class TableNuancier {
 public:
  TableNuancier();
  float& operator()(int i, int c);
  float operator()(int i, int c) const;
  // Every value back to 0.
  void clear();

 private:
  static std::size_t at(int i, int c);
  std::vector<float> v_;
};

using NomsNuancier = platform::BoundedArray<std::string, 0, kMaxNuancier>;

extern TableNuancier Nuancier;      // the loaded chart
extern NomsNuancier Nuancier_Noms;  // its entry names
extern int NbNuancier;              // entries in use, 1 to NbNuancier; 0 when none

// A chart as the searches read it.
struct VueNuancier {
  const TableNuancier& valeurs;
  const NomsNuancier& noms;
  int nb;  // entries 1 to nb are read (kept within the table)
};
// The loaded chart.
VueNuancier Nuancier_Courant();

// A chart file parsed, not yet installed.
struct NuancierLu {
  bool liste = false;                       // a "LISTE=" line was found
  std::optional<bool> calibrage;            // the CALIBRAGECOL flag, when the key is there
  std::vector<std::array<float, 6>> valeurs;  // R, V, B, L, a, b of entries 1, 2, ...
  std::vector<std::string> noms;
  int refusees = 0;                         // entries beyond kMaxNuancier, not kept
};

// The truth value of a CALIBRAGECOL text (trimmed): "true" or "false" in any letter
// case, or a number (a point or a comma) that is true unless 0; anything else is false.
bool Valeur_Logique(const std::string& texte);

// For each line of a colour record file, true when it belongs to the record's notes,
// free text that is never read as a key: from a line whose key (the text before its
// first "=", trimmed, letter case ignored) is NOTES to the next line that starts with
// FINNOTES (blanks and letter case ignored), both included. A NOTES line that no
// FINNOTES line follows is a note on its own.
std::vector<bool> Lignes_De_Notes(const std::vector<std::string>& lignes);

// Parses the lines of a chart file. The header ends at the first line holding
// "LISTE=" outside the notes; a CALIBRAGECOL line in the notes is not read either. Blank lines (blanks and tabs only) are skipped;
// missing or unreadable fields read 0; at most kMaxNuancier entries are kept.
NuancierLu Analyse_Nuancier(const std::vector<std::string>& lignes);

// Outcome of loading a chart file.
enum class ChargementNuancier { Charge, Illisible, Invalide };
struct ResultatNuancier {
  ChargementNuancier etat = ChargementNuancier::Illisible;
  std::string message;  // for a message box; "" when there is nothing to say
};

// Loads a chart file into Nuancier, Nuancier_Noms and NbNuancier, whole or not at all.
// Loaded (a "LISTE=" line): the table, names and count are replaced (rows past the
// count are 0 and empty), Fic_Nuancier := fichier, and when the file carries
// CALIBRAGECOL: Mode_Expert takes it, "Mode expert" and "Calibré" are unticked and
// "Calibré" disabled, then enabled and ticked when Mode_Expert and Correction_Valide
// hold. More than kMaxNuancier entries: the first ones load and the message says how
// many were left out. Unreadable file: the bare name and MSG 220; no "LISTE=" line:
// MSG 230, the path, MSG 231; in both cases nothing changes.
ResultatNuancier Charge_Nuancier(const std::string& fichier, CasesCouleur& cases);

// Number of entries of a chart or chart-archive file: the non-blank lines after its
// first line holding "LISTE=" (letter case ignored) outside the notes; 0 for a file
// without that line or one that cannot be read.
int Compte_Entrees_Liste(const std::string& fichier);
