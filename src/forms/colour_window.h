#pragma once
// The colour-match window Ajustement ("Form2"): the input colour and its source, the
// colour space and formula, the neighbour count, the result box with its swatches,
// the tolerance panel, the chart-archive panel and the menus, with their designed
// captions and places (twips). The colour code connects the handlers.

#include <string>

#include "forms/design.h"
#include "forms/menu_titles.h"
#include "platform/calendar.h"
#include "platform/menu.h"
#include "platform/picturebox.h"

class Ajustement : public FormDesign {
 public:
  Ajustement();
  ~Ajustement() override;

  // --- frames, made first: the option groups and panels sit in them -----------------
  platform::Frame Frame3{*this, "Frame3"};              // colour space (caption emptied at load)
  platform::Frame Frame4{*this, "Frame4"};              // source of the input colour
  platform::Frame Frame2{*this, "Frame2"};              // "delta": the formulas
  platform::Frame Frame5{*this, "Frame5"};              // "Ajuster" / "comparer"
  platform::Frame Frame1{*this, "Frame1"};              // "Tolérance a virer"
  platform::Frame Frame8{*this, "Frame8"};              // "distance"
  Array<platform::Frame> Frame6{*this, "Frame6"};       // 0 "mesure", 1 the entry listed last
  platform::Frame Frame7{*this, "Frame7"};              // "Ajout à Nuancier Archive"
  bool cadresFaits_ = creerCadres();

  // --- the input colour ----------------------------------------------------------------
  Array<Option> Option2{Frame3, "Option2"};             // 0 "RVB", 1 "Lab"
  Array<Label> Label_C{*this, "Label_C"};               // 0 to 2: "R", "V", "B" or "L", "a", "b"
  Array<TextBox> Text3{*this, "Text3"};                 // 0 to 2: the input colour
  Array<Option> Option3{Frame4, "Option3"};             // 0 "Moyenne", 1 "Dern.mesure", 2 "valeurs RGB", 3 "N° Grille"
  TextBox Text5{Frame4, "Text5"};                       // grid row of "N° Grille"
  Array<platform::VScrollBar> VScroll3{Frame4, "VScroll3"};   // 0: its spinner
  CheckBox Check3{*this, "Check3"};                     // "mode expert"

  // --- formula, count and search ---------------------------------------------------------
  Array<Option> OpDelta{Frame2, "OpDelta"};             // 1 to 8
  CheckBox ChKRel{Frame2, "ChKRel"};                    // "Relatif"
  Array<Option> Option5{Frame5, "Option5"};             // 0 "Ajuster", 1 "comparer"
  Label Label1{*this, "Label1"};                        // "Nb de résultats voisins"
  TextBox Text4{*this, "Text4"};                        // the neighbour count
  platform::VScrollBar VScroll2{*this, "VScroll2"};
  Button ComCalc{*this, "ComCalc"};                     // "Calcul"
  CheckBox Check5{*this, "Check5"};                     // the automatic RGB search

  // --- buttons, result box and captions ----------------------------------------------------
  Array<Button> Command1{*this, "Command1"};            // 0 "Fermer"
  Button Command2{*this, "Command2"};                   // "voir Grille"
  Button Command3{*this, "Command3"};                   // "Copier"
  Button Comm_nuancier{*this, "Comm_nuancier"};         // "détails nuancier"
  Button Command7{*this, "Command7"};                   // "essai": entries of the archive
  TextBox Text2{*this, "Text2", -1, true};              // the result box
  Label Label8{*this, "Label8"};                        // the chart
  Label Label9{*this, "Label9"};                        // raw or corrected data; the archive count

  // --- tolerance panel ------------------------------------------------------------------------
  Array<TextBox> Text1{Frame1, "Text1"};                // 0 to 2: reference colour
  Array<platform::VScrollBar> VScroll1{Frame1, "VScroll1"};   // 0 to 2
  Array<Label> Label2{Frame1, "Label2"};                // 0 to 2: "%  R", "%  V", "%  B"
  Array<Option> Option1{Frame1, "Option1"};             // 0 " sigma Lum.", 1 "% de donnée"
  CheckBox Check4{Frame1, "Check4"};                    // "Auto "
  CheckBox Check1{Frame1, "Check1"};                    // "identiques"
  CheckBox Check2{Frame1, "Check2"};                    // "Pondéré"
  Array<Option> Option4{Frame8, "Option4"};             // 0 to 2
  platform::PictureBox Picture1{*this, "Picture1"};

  // --- chart-archive panel ------------------------------------------------------------------
  Array<Label> Label5{Frame7, "Label5"};                // 0 "fichier d'archive :", 1 the archive's name
  Array<Option> Option7{Frame7, "Option7"};             // 4 "Moyenne", 5 "N° Grille"
  TextBox Text7{Frame7, "Text7"};                       // grid row archived
  Array<platform::VScrollBar> VScroll7{Frame7, "VScroll7"};   // 1: its spinner
  Label Label7{Frame7, "Label7"};                       // "Commentaire"
  TextBox Text6{Frame7, "Text6"};                       // the comment
  Label Label10{Frame7, "Label10"};                     // preview of the archive line
  Button Command5{Frame7, "Command5"};                  // "+ date"
  Button Command6{Frame7, "Command6"};                  // "enregistrer"
  Button Command4{Frame7, "Command4"};                  // "Fermer"
  platform::Calendar MonthView1{*this, "MonthView1"};

  // --- menus ---------------------------------------------------------------------------------
  MenuTitles Fic_Ajust{*this, "Fic_Ajust"};             // 1 to 12
  bool menusFaits_ = creerTitres();
  platform::MenuArray Fic_Charte{Fic_Ajust(1), "Fic_Charte"};   // 1, 5, 7, 8
  platform::MenuArray Outil_coul{Fic_Ajust(10), "Outil_coul"};  // 2, 3, 5, 6, 10, 12

 private:
  bool creerCadres();
  bool creerTitres();
  void creerEntree();
  void creerRecherche();
  void creerTolerance();
  void creerArchive();
  void creerMenus();
};
