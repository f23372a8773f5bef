#pragma once
// The archive search window Fen_Nmst: the results text, the risk scroll bar with its
// caption, the name-filter caption, the parameter frame and the window's menus. Its
// behaviour is the archive search's.

#include <string>

#include "forms/design.h"
#include "forms/stat_window.h"

// Height in twips of the window: the entry frame lies below the results and the risk
// bar, covering nothing.
constexpr double kHauteurFenetreArchives = 6000;

class Fen_Nmst : public FormDesign {
 public:
  Fen_Nmst();
  ~Fen_Nmst() override;

  TextBox Text1{*this, "Text1", -1, true};          // the results
  platform::HScrollBar HScroll1{*this, "HScroll1"};  // the risk, 1 to 100
  Label Label1{*this, "Label1"};                     // "Risque 20%"
  Label Label2{*this, "Label2"};                     // "Filtre :  ..."
  platform::Frame Frame2{*this, "Frame2"};           // the parameter being edited
  TextBox Text2{Frame2, "Text2"};
  Array<Button> Command1{Frame2, "Command1"};        // 0 "OK", 1 "Annule"

  MenuTitles Nmst_m{*this, "Nmst_m"};                // 1 Fermer, 2 Copier, 3 Paramètres, 4 Re-chercher
  bool menusFaits_ = creerMenus();
  platform::MenuArray Nmst_p{Nmst_m(3), "Nmst_p"};   // 1 "Risque %", 2 "Filtre nom"

  std::string Nom_Fic_Archive;   // the archive file searched
  int NbLgn = 2;                 // lines of the results text
  int Parametre = 0;             // what Frame2 edits: 1 the risk, 2 the name filter

 private:
  bool creerMenus();
};
