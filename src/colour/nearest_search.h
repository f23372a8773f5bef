#pragma once
// The nearest-entry search of the colour window: for one input colour, the entries of
// a chart ranked by one colour difference, as the lines of the result box, with the
// colour swatches that follow the results. Every distance is computed once per search;
// each pass then lists the nearest entry not yet listed (the lower number on a tie).

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "colour/chart.h"

// The formula options of the colour window (their index).
enum DeltaAjust : int {
  kDeltaRVB = 1,       // RGB, absolute or relative ("Relatif")
  kDeltaRVBrel = 2,    // never enabled: runs nothing
  kDeltaVide = 3,      // never enabled: runs nothing
  kDeltaLabQuad = 4,
  kDeltaCieLab = 5,
  kDeltaCIE94 = 6,
  kDeltaCMC = 7,
  kDeltaCIE2000 = 8,
};

// Most result lines a search writes.
constexpr int kMaxResultats = 15;

// What a search starts from: the window's controls.
struct DemandeAjust {
  int formule = 0;                    // the selected formula option, 0 when none
  bool relatif = false;               // "Relatif" ticked
  bool automatique = false;           // the automatic RGB search box ticked
  std::array<std::string, 3> entree;  // the three input boxes (R, V, B or L, a, b)
  std::string nombre;                 // the neighbour count box
  std::string entete;                 // Texte_Entete_Ajust of the moment
};

// A colour swatch frame after the search.
struct Pastille {
  bool visible = false;
  std::optional<std::uint32_t> couleur;  // new back colour (&HBBGGRR); none: unchanged
  std::optional<std::string> legende;    // new caption; none: unchanged
};

// What the window shows after a search.
struct ResultatAjust {
  bool ecrit = false;         // the result box is replaced by texte
  std::string texte;
  std::string texteRes;       // the result lines alone
  Pastille mesure;            // first swatch ("mesure")
  Pastille nuancier;          // second swatch (the entry listed last)
  int message = 0;            // MSG entry for a message box: 221 no chart, 223 bad input
  bool archiveBloquee = false;  // the archive menu item is disabled
};

// The header of a result: date, "  Image : " and the image's file name; TINTAVEL 11,
// " : " and the chart's file name; TINTAVEL 36 (" données corrigées") when the colours
// are corrected, else 35; lines joined by CR LF, none after the last.
std::string Texte_Entete_Ajust(const std::string& date, const std::string& image,
                               const std::string& nuancier, bool calibre);

// True when one of the elements 0 to taille of table equals numero; elements past the
// end of table are not read.
bool appartient(int numero, std::span<const int> table, int taille);

// Runs the search of the selected formula on a chart. No chart (nb 0): MSG 221, the
// result box unchanged. Both swatches start hidden. The count box is read with a point
// as decimal mark and rounded (halves to even); the input boxes with a point or a
// comma. At most kMaxResultats lines; a pass that finds no entry nearer than 9999 ends
// the search. Under "CIE_Lab" an input box that is empty or does not begin with a
// number gives MSG 223 and the header and title alone.
ResultatAjust calcul_Ajust(const DemandeAjust& demande, const VueNuancier& charte);

// The automatic RGB search: "ajustauto 09" followed by one line per entry, ranked by
// sqrt(dR² + dV² + dB²) / 3.
ResultatAjust AjusteAuto_aout09(const DemandeAjust& demande, const VueNuancier& charte);
