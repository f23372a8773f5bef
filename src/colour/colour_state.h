#pragma once
// State of the colour function shared by its files, its correction, its measurement
// and the colour window: the flags of the loaded chart, the two pending records, the
// "Calibré" rule, and the last measured zone.

#include <string>

#include "platform/bounded_array.h"

// The CALIBRAGECOL value of the last chart loaded: its colours were measured with the
// scanner correction on.
extern bool Mode_Expert;
// The reference chart was found and loaded when the colour function was switched on.
extern bool Nuancier_Trouve;
// A chart was chosen (and loaded) in the chart dialog; false after a cancel or a bad file.
extern bool Nuancier_Choisi;
// A chart record is pending ("Sauver nuancier").
extern bool Charte_Demande2;
// A scanner-calibration record is pending ("Valider le calibrage scanner").
extern bool Charte_Demande;
// Correction points built from the current standard and scanner files exist: the only
// state in which "Calibré" may be enabled or ticked. Unlike Etalon_Charge, switching the
// function on does not clear it; a failed build, another standard or a saved scanner
// file do.
extern bool Correction_Valide;
// Rows of the grid the colour-match window works on (finished rows when it opened).
extern int NbLignes_Ajust;

// R, V, B of the last measured zone (0 to 255, two decimals).
extern platform::BoundedArray<float, 1, 3> Coul_Mesure;
// L*, a*, b* of the last measured zone (two decimals).
extern platform::BoundedArray<float, 1, 3> Coul_Lab;

// The check boxes of the colour frame as the colour logic sets them: the window copies
// them from its controls before a call and back after it.
struct CasesCouleur {
  bool expert = false;        // "Mode expert" ticked
  bool calibreActif = false;  // "Calibré" enabled
  bool calibre = false;       // "Calibré" ticked
};

// The full path of a colour file named in the settings or chosen in a dialog: a name
// without a folder (older settings kept bare names) is taken in the program folder,
// whatever its letter case there; "" for "".
std::string Chemin_Fichier_Couleur(const std::string& nom);
