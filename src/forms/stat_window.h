#pragma once
// The statistics window FenHisto ("NUMERAX"): its panels, controls and menus with
// their designed captions and places (twips). The statistics-window code connects
// the handlers and lays the panels out at run time.
//
// Panels are the frames stcadre(1) to (8): (1) the chart of the histogram and the
// scatter plot, (2) the diagram panel, (7) the frame of the test and law panels,
// which holds (3) and (4) (comparisons of means), (5) and (6) (normal and Student
// laws) and the test frames FraTest(2) and FraTest(3); (8) is never shown.

#include <functional>
#include <map>
#include <string>

#include "forms/design.h"
#include "forms/menu_titles.h"
#include "platform/menu.h"
#include "platform/picturebox.h"

class FenHisto : public FormDesign {
 public:
  FenHisto();
  ~FenHisto() override;

  // --- panels, made first: the other controls sit in them -------------------------
  Array<platform::Frame> stcadre{*this, "stcadre"};     // 1 to 8
  Array<platform::Frame> Framehist{*this, "Framehist"}; // 0 to 3, in stcadre(1)
  Array<platform::Frame> MFrame1{*this, "MFrame1"};     // 0 to 8, in stcadre(2)
  Array<platform::Frame> FraTest{*this, "FraTest"};     // 2, 3, in stcadre(7)
  bool cadresFaits_ = creerCadres();
  platform::Frame Frame1{stcadre(1), "Frame1"};
  platform::Frame Frame2{stcadre(1), "Frame2"};
  platform::Frame Frame4{stcadre(1), "Frame4"};
  platform::Frame Frame_extraire{stcadre(1), "Frame_extraire"};

  // --- panel 1: histogram and scatter plot ----------------------------------------
  platform::PictureBox HistPicHist{stcadre(1), "HistPicHist"};
  platform::ImageBox Image_extr{stcadre(1), "Image_extr"};
  Array<Button> Histcmd{Frame4, "Histcmd"};              // 0 to 6, the series
  Label LabelHisto{Frame4, "LabelHisto"};
  Array<CheckBox> ChkH{Framehist(2), "ChkH"};            // 0 to 6, the series
  Array<Label> lblNbDe{Framehist(2), "lblNbDe"};         // 15
  TextBox Text1histo{Framehist(2), "Text1histo"};
  platform::VScrollBar VScroll1Hist{Framehist(2), "VScroll1Hist"};
  platform::ListBox List1{Framehist(3), "List1"};
  Array<Button> cmdH{Framehist(3), "cmdH"};              // 0 (X), 1 (Y)
  Array<TextBox> Text2Hist{Framehist(3), "Text2Hist"};   // 0 (X), 1 (Y)
  Array<Button> CmdHist1{Frame2, "CmdHist1"};            // 0 "Histogramme", 1 "Nuage de pts"
  Array<Button> CmdHisto{Frame_extraire, "CmdHisto"};    // 0 "Extraire", 1 "Classes"
  Array<Option> Option1{Frame_extraire, "Option1"};      // 1 rectangle, 2 circle, 3 ellipse
  Button Command1{stcadre(1), "Command1"};               // arms a rectangle extraction
  Label Label3{stcadre(1), "Label3"};                    // the extraction's result line
  Button Command12{stcadre(1), "Command12"};
  // The automatic split's frame Framehist(1): "X0=", the cut value and its buttons.
  Label Label12{Framehist(1), "Label12"};
  Label Label11{Framehist(1), "Label11"};
  Array<Button> Command11{Framehist(1), "Command11"};    // 0 "Annule", 1 "x < X0", 2 "x > X0"
  Button cmdCopie_Ecran{stcadre(1), "cmdCopie_Ecran"};   // screen copy
  Array<Button> Cmd_Copyboard{*this, "Cmd_Copyboard"};   // 1 (panel 2), 2 (panel 1)
  Array<Button> CmdHist{stcadre(1), "CmdHist"};          // 0, the chart save
  // Scatter plot options, its value lists and its texts.
  Array<CheckBox> Check2{Framehist(0), "Check2"};        // 0 "Dte regression", 1 "Ellipse tolérance"
  Array<CheckBox> CheckN{Framehist(0), "CheckN"};        // 0 "Repère Normé"
  CheckBox Check4{Framehist(0), "Check4"};               // "X <=> Y"
  Array<CheckBox> Check3{stcadre(1), "Check3"};          // 0 dominant, 1 median, 2 mean point
  CheckBox CheckLgn{Frame1, "CheckLgn"};                 // "marquer num ligne"
  Button Command9{Frame1, "Command9"};                   // "test": redraw
  Array<platform::ListBox> List2{stcadre(1), "List2"};   // 0 X values, 1 Y values (hidden)
  Label Label8{stcadre(1), "Label8"};                    // covariance and correlation
  Array<Label> Label10{stcadre(1), "Label10"};           // 0 the level, 1 "%conf."
  platform::HScrollBar FlatScrollBar1{stcadre(1), "FlatScrollBar1"};   // level 1 to 3

  // --- panel 2: diagram panel --------------------------------------------------------
  platform::PictureBox MHistPic{stcadre(2), "MHistPic"};
  Array<Option> MOption1{MFrame1(0), "MOption1"};        // 0 to 3, the data source
  Array<CheckBox> MCheck1{*this, "MCheck1"};             // 0 to 7
  Array<Button> MCommand3{*this, "MCommand3"};           // 0 to 2, 4, 6 to 8
  Label MLabel2{MFrame1(4), "MLabel2"};
  Label MLabel3{stcadre(2), "MLabel3"};
  TextBox MText4{MFrame1(4), "MText4"};
  TextBox MText4E{MFrame1(8), "MText4E"};
  platform::VScrollBar EVScroll1{MFrame1(8), "EVScroll1"};
  TextBox MText3{stcadre(2), "MText3", -1, true};
  Label Label4{MFrame1(2), "Label4"};
  Array<platform::VScrollBar> MVScroll2{MFrame1(2), "MVScroll2"};   // 3 X window, 4 Y range, 5 resolution
  TextBox txttest{stcadre(2), "txttest"};
  TextBox MText1{MFrame1(3), "MText1", -1, true};        // the result text
  TextBox MText2{stcadre(2), "MText2"};                  // the raw clipboard text of a paste
  Array<Button> Command2{stcadre(2), "Command2"};        // 0 lines, 1 columns of a table pasted
  Label NmColonne{stcadre(2), "NmColonne"};              // column title or entry prompt
  platform::VScrollBar MVScroll1{MFrame1(4), "MVScroll1"};   // column spinner
  Array<Button> MCommand1{stcadre(2), "MCommand1"};      // 0 to 6, "1" to "7"
  Array<Button> MCommand5{*this, "MCommand5"};           // 0 to 2 in MFrame1(5); 3 to 5, 14 to 16 in MFrame1(1)
  Button MCommand2{MFrame1(1), "MCommand2"};             // mode marking on and off
  Array<Label> MLabel5{MFrame1(1), "MLabel5"};           // 0 "limites", 1 and 2 the limits
  Label lblNb{MFrame1(1), "lblNb"};
  Array<CheckBox> Check1{MFrame1(1), "Check1"};          // 0
  Button cmdResumeTout{MFrame1(5), "cmdResumeTout"};
  Button Command8{stcadre(2), "Command8"};              // "Test": D'Agostino of MText3
  Button Command5{MFrame1(2), "Command5"};
  Label Label1{MFrame1(2), "Label1"};
  Label groupe{MFrame1(2), "groupe"};
  Array<platform::HScrollBar> MScroll1{MFrame1(2), "MScroll1"};   // 5, origin of the fixed X window
  Array<Button> Tblcopie{*this, "Tblcopie"};             // 2 to 6, one per panel 2 to 6

  // --- panels 3 to 7: comparisons of means, laws and tests -----------------------------
  Array<Label> lblMoyenne{*this, "lblMoyenne"};          // 0 to 5 in stcadre(3), 6 to 10 in stcadre(4)
  Array<TextBox> Ctxt{stcadre(3), "Ctxt"};               // 0 mean, 1 standard error, 2 size, 3 risk %, 5 reference, 6 deviation
  Array<Option> COption1{stcadre(3), "COption1"};        // 0, 1
  Array<CheckBox> Copt{*this, "Copt"};                   // 0 to 3 in stcadre(4), 4 in stcadre(3)
  Array<Button> ChoixComp{*this, "ChoixComp"};           // 0 in stcadre(4), 1 in stcadre(3)
  Array<TextBox> ctxt1{stcadre(4), "ctxt1"};             // 1, 2 sizes; 3, 4 means; 5, 6 deviations; 10 risk %
  Array<platform::VScrollBar> CVScroll1{*this, "CVScroll1"};   // 0 risk of stcadre(4), 3 of stcadre(3)
  Array<CheckBox> chkLoiNormale{stcadre(3), "chkLoiNormale"};  // 0: the power from the normal law
  Label CLabel1{stcadre(3), "CLabel1"};                  // t
  Label CLabel2{stcadre(3), "CLabel2"};                  // hypotheses
  Label CLabel3{stcadre(3), "CLabel3"};                  // decision and beta
  Array<Label> CLabel4{stcadre(3), "CLabel4"};           // 0
  Array<Label> Clabel5{stcadre(3), "Clabel5"};           // 0 critical probability and power, 1 standard error
  Array<Label> CLabel6{stcadre(4), "CLabel6"};           // 1 hypotheses, 3 decision, 4 power, 11 the computation
  Array<Button> cmdCalcul{*this, "cmdCalcul"};           // 1 in stcadre(3), 2 in stcadre(4)
  Array<Button> cmdDonnes{*this, "cmdDonnes"};           // 1 in stcadre(3), 0 in stcadre(4)
  Array<TextBox> LNTxt{stcadre(5), "LNTxt"};             // 1 m, 2 s, 3 x or p
  Array<Option> LNOpt{stcadre(5), "LNOpt"};              // 1 "LN", 2 "LN inv"
  Array<Label> LNLabel{stcadre(5), "LNLabel"};           // 1, 2, 3 of the boxes; 7 results, 4 deciles
  Array<TextBox> StText{stcadre(6), "StText"};           // 1 t or risk, 2 degrees of freedom
  Array<Option> StOptTInv{stcadre(6), "StOptTInv"};      // 0 "tdist", 1 "T-inv"
  // Made before the options it holds, so that it goes after them.
  platform::Frame StFrame{stcadre(6), "StFrame"};        // holds StOption2
  Array<Option> StOption2{*this, "StOption2"};           // 0 "Unilateral", 1 "Bilateral" in StFrame
  Array<Label> StLabel3{stcadre(6), "StLabel3"};         // 0, 1 of the boxes; 2 the result
  Label StlblLabel1{stcadre(6), "StlblLabel1"};          // name of the probability
  Array<Button> Command3{*this, "Command3"};             // 2, 3: "Fermer" of FraTest(i)
  Array<Button> Command4{*this, "Command4"};             // 2, 3: "Calcul" of FraTest(i)
  Array<Button> TCopie{*this, "TCopie"};                 // 2, 3: "Copier" of FraTest(i)
  Array<Label> Tlabel{*this, "Tlabel"};                  // 2, 3: "Colonne" of FraTest(i)
  Array<TextBox> Ttxt1{*this, "Ttxt1"};                  // 2, 3: grid column of FraTest(i)
  Array<platform::VScrollBar> TVScroll1{*this, "TVScroll1"};   // 2, 3: its spinner
  Array<TextBox> Ttxt2{*this, "Ttxt2"};                  // 3: risk in %
  Array<platform::VScrollBar> TVScroll2{*this, "TVScroll2"};   // 3: its spinner, 1 to 99
  Array<Option> Option3{*this, "Option3"};               // 0 "Normale", 1 "Log-normale" in FraTest(3)
  Array<Label> Tlabel1{*this, "Tlabel1"};                // 2, 3: results of FraTest(i)

  // The D'Agostino panel, on the window itself.
  platform::Frame TestNorm{*this, "TestNorm"};
  Array<Label> TNLabel{TestNorm, "TNLabel"};             // 0 results, 1 "Colonne"
  Array<TextBox> TnText{TestNorm, "TnText"};             // 0: grid column
  Array<platform::VScrollBar> VScroll1{TestNorm, "VScroll1"};   // 0: its spinner
  Array<Option> Option4{TestNorm, "Option4"};            // 0 "Normale", 1 "LogNormale"
  Array<Button> TNCmd{TestNorm, "TNCmd"};                // 0 close, 1 compute

  // --- menus -----------------------------------------------------------------------------
  MenuTitles Mnstat{*this, "Mnstat"};                    // 1 to 7, 15
  bool menusFaits_ = creerTitres();
  platform::MenuArray Mnstat3{Mnstat(3), "Mnstat3"};     // Tests: 1 to 5
  platform::MenuArray Mnstat4{Mnstat(4), "Mnstat4"};     // Tables stat: 1 to 5
  platform::MenuArray Mnstat5{Mnstat(5), "Mnstat5"};     // 1, 2
  platform::MenuArray Mnstat6{Mnstat(6), "Mnstat6"};     // Outils: 1, 2, 5, 6
  platform::MenuArray Hopt{Mnstat(7), "Hopt"};           // Options: 1

  platform::StatusBar& StatusBar2 = statusBar();

 private:
  bool creerCadres();
  bool creerTitres();
  void creerPanneau1();
  void creerPanneau2();
  void creerModesEtOptions();
  void creerPanneauxTests();
  void creerMenus();
};
