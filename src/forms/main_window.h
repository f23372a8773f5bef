#pragma once
// The main window QVL: the program's only start-up object. Its controls and menus are
// made in the constructor (the window's design); Form_Load runs the start-up chain.

#include <memory>
#include <string>

#include "forms/design.h"
#include "platform/calendar.h"
#include "platform/controls.h"
#include "platform/flexgrid.h"
#include "platform/form.h"
#include "platform/menu.h"
#include "platform/picturebox.h"

// A menu array made while the menus are built, read as X(i) and X->onClick.
struct MenuArr {
  std::unique_ptr<platform::MenuArray> a;
  platform::MenuItem& operator()(int i) const;
  platform::MenuArray* operator->() const { return a.get(); }
  bool exists(int i) const { return a && a->exists(i); }
};

class QVL : public FormDesign {
 public:
  QVL();
  ~QVL() override;

  // --- frames (panels), made first: other controls sit in them ------------------
  Array<platform::Frame> Frame{*this, "Frame"};  // 1, 4, 6 to 14
  Array<platform::Frame> FraMC{*this, "FraMC"};  // 0
  bool cadresFaits_ = creerCadres();
  platform::Frame Frame1{*this, "Frame1"};
  platform::Frame FraCharte{*this, "FraCharte"};
  platform::Frame FraDial_Seq{*this, "FraDial_Seq"};
  platform::Frame FraFlash{*this, "FraFlash"};
  platform::Frame FraListeImg{*this, "FraListeImg"};
  platform::Frame FraQvrl{*this, "FraQvrl"};
  platform::Frame FraRep{*this, "FraRep"};
  platform::Frame FrameEditer{*this, "FrameEditer"};
  platform::Frame FrameQuitter{*this, "FrameQuitter"};
  platform::Frame Frame_Export_trame{*this, "Frame_Export_trame"};

  // --- pictures -----------------------------------------------------------------
  platform::PictureBox Picture1{*this, "Picture1"};
  platform::PictureBox Picture2{*this, "Picture2"};
  platform::ImageBox picbase{*this, "picbase"};
  platform::PictureBox PictureCharte{*this, "PictureCharte"};
  platform::PictureBox VignP{*this, "VignP"};
  platform::PictureBox PLoupePic{*this, "PLoupePic"};
  platform::ImageBox Image1{*this, "Image1"};
  platform::ImageBox Image2{*this, "Image2"};
  platform::ImageBox Image3{*this, "Image3"};
  platform::ImageBox ImageMem{*this, "ImageMem"};

  // --- grids --------------------------------------------------------------------
  platform::FlexGrid GrilleRef{Frame(6), "GrilleRef"};
  platform::FlexGrid GrilleRefP{Frame(6), "GrilleRefP"};
  platform::FlexGrid MGrille{*this, "MGrille"};

  // --- button arrays and single buttons ------------------------------------------
  Array<Button> Bout{*this, "Bout"};            // 1 to 47 and 50
  Array<Button> Bout_C{*this, "Bout_C"};        // 2, 3, 5, 6, 7, 8, 39
  Array<Button> Bout_dial{*this, "Bout_dial"};  // 28 to 30
  Array<Button> BoutMC{*this, "BoutMC"};        // 0 to 4
  Array<Button> Czoom{*this, "Czoom"};          // 0 to 3
  Array<Button> cmdStat{*this, "cmdStat"};      // 0 to 2
  Array<Button> cmdRep{*this, "cmdRep"};        // 0 to 2
  Array<Button> Command1{*this, "Command1"};    // 0, 1
  Array<Button> Command8{*this, "Command8"};    // 0, 1
  Array<Button> Command9{*this, "Command9"};    // 0 to 3
  Array<Button> Command12{*this, "Command12"};  // 1, 2
  Array<Button> Command13{*this, "Command13"};  // 0 to 4
  Array<Button> Command14{*this, "Command14"};  // 0 to 4
  Array<Button> Command15{*this, "Command15"};  // 0 to 2
  Button Bout_Symb{Frame(8), "Bout_Symb"};
  Button cmd_Ch{FraCharte, "cmd_Ch"};
  Button cmdTest{*this, "cmdTest"};
  Button cmdFlash{*this, "cmdFlash"};
  Button cmdChargeMC{*this, "cmdChargeMC"};
  Button Command2{FraCharte, "Command2"};
  Button Command3{*this, "Command3"};
  Button Command4{*this, "Command4"};
  Button Command5{*this, "Command5"};
  Button Command6{*this, "Command6"};
  Button Command10{Frame(7), "Command10"};
  Button Command11{*this, "Command11"};
  Button copie{*this, "copie"};

  // --- labels -------------------------------------------------------------------
  Array<Label> label{*this, "label"};  // 0, 2, 3, 5 to 10
  Array<Label> Label6{*this, "Label6"};
  Array<Label> Label8{*this, "Label8"};
  Array<Label> Label9{*this, "Label9"};
  Label Label_Calib{*this, "Label_Calib"};
  Label Label7{FraCharte, "Label7"};
  Label Label10{Frame(7), "Label10"};
  Label Label11{Frame_Export_trame, "Label11"};
  Label Label12{Frame1, "Label12"};
  Label labNomFic{*this, "labNomFic"};
  Label lblFichier{*this, "lblFichier"};
  Label lblWidth{*this, "lblWidth"};
  Label lblHeight{*this, "lblHeight"};
  Label lblLabelflashx{FraFlash, "lblLabelflashx"};
  Label Label_Illust{Picture1, "Label_Illust"};
  Label LabelK{Frame(14), "LabelK"};

  // --- text boxes ---------------------------------------------------------------
  Array<TextBox> TBox{*this, "TBox"};  // 0 to 8
  TextBox Text2{Frame_Export_trame, "Text2"};
  TextBox Text4{Frame(10), "Text4"};
  TextBox Text9{FraDial_Seq, "Text9"};
  TextBox TextEdit{FrameEditer, "TextEdit", -1, true};
  TextBox TextExif{*this, "TextExif", -1, true};
  TextBox repText1{FraRep, "repText1"};
  TextBox listImgTxt{FraListeImg, "listImgTxt"};

  // --- check and option boxes ---------------------------------------------------
  Array<CheckBox> Check{*this, "Check"};  // 1 to 4
  Array<CheckBox> chkMC{*this, "chkMC"};  // 0, 1
  CheckBox Check2{*this, "Check2"};
  CheckBox Check3{*this, "Check3"};
  CheckBox Check4{Frame(12), "Check4"};
  CheckBox Check5{Frame(7), "Check5"};
  CheckBox Check6{*this, "Check6"};
  CheckBox CheckExpert{FraCharte, "CheckExpert"};
  CheckBox CheckCalibre{FraCharte, "CheckCalibre"};
  CheckBox Affmesure{*this, "Affmesure"};
  Array<platform::OptionButton> Optn{*this, "Optn"};  // 1 to 6

  // --- lists, scroll bars, status bar, calendar ---------------------------------
  platform::ListBox ListIMGchar{FraMC(0), "ListIMGchar"};
  platform::ListBox ListImgAff{FraListeImg, "ListImgAff"};
  platform::ListBox ListImgMC{FraMC(0), "ListImgMC"};
  platform::ListBox ListImgIdx{FraMC(0), "ListImgIdx"};
  platform::ListBox ListCalib{Frame(7), "ListCalib"};
  platform::ListBox ListRep{FraRep, "ListRep"};
  platform::ListBox Ldeci{*this, "Ldeci"};
  platform::ListBox test{*this, "test"};
  platform::DriveList RepDrive{FraRep, "RepDrive"};
  platform::FolderList RepDir{FraRep, "RepDir"};
  platform::DriveList Drive1{Frame_Export_trame, "Drive1"};
  platform::FolderList Dir1{Frame_Export_trame, "Dir1"};
  platform::VScrollBar VScroll2{Frame(10), "VScroll2"};
  Array<platform::VScrollBar> VScroll3{FraCharte, "VScroll3"};  // 0
  platform::StatusBar& StatusBar1 = statusBar();
  platform::Calendar MonthView1{FraDial_Seq, "MonthView1"};

  // --- menus --------------------------------------------------------------------
  platform::MenuItem *Mnfichiers = nullptr, *MnEdit = nullptr, *Mnfonctions = nullptr,
                     *MnOptions = nullptr, *MnOutils = nullptr, *Mnaide = nullptr,
                     *OptnMchrt = nullptr, *MnApropos = nullptr, *PopEtalon = nullptr,
                     *pop3D = nullptr, *nspo = nullptr, *OutlP = nullptr;
  MenuArr MnuFIC, MnuTwain, MnuCharg, MnuSession, MnuEDit, MnuFonc, Cyst, Mncp, MnDens,
      Mnusurf, MnuOpt, Fdemarrage, mnFormat, TgrilleMax, Pclic, Mndecim, MnLang, statdef, MNSav,
      NotExp, Mn_Copie_Ecran, F_Img, IntrFace, Mntool, Mntool_a, Illus, MntoolXp, OutlPItems,
      nspo1, Archv1, spo, insref, CalSrc, TTrace, MnuChrt, Lrg, Mnuaide, DocLng, PopOrg,
      PopExt, nspoItems, spoOptions;

  // --- public procedures other windows call -------------------------------------
  // Timed message panel: shows Chn on the colour couleur for delai seconds while
  // events keep running, then hides it; a negative delai hides it at once.
  void Flash(double couleur, const std::string& Chn, int delai);
  // Shows Chn in the panel (current colour) and returns at once.
  void Flash_ouvre(const std::string& Chn);
  // Waits delai seconds (events running), then hides the panel.
  void Flash_ferme(int delai);
  // Keeps Chn on the colour couleur in the panel until Flash_Permanent_Fin: a timed
  // message shown meanwhile gives the panel back to it when its time is over.
  void Flash_Permanent(double couleur, const std::string& Chn);
  // Ends the message of Flash_Permanent and hides the panel (nothing when none is kept).
  void Flash_Permanent_Fin();

  // Sizes Picture1 for the window state (0 normal, 1 minimised, 2 maximised).
  void Dimensionne_Cadres_Image(int mode);
  // Places the grid frame Frame(6) by Type_Vue.
  void Place_Cadre_Grille();
  void Efface_Image();
  void Reinit_Etape();
  void Procedure_Vide();
  void Affiche_Export_Trame();

  // Line-width menu: ticks item Index of TTrace (1, 2 or 5) and unticks the others.
  void TTrace_Click(int Index);
  // Image-format menu: ticks item index of F_Img (0 to 6), Format_Image := index.
  void F_Img_Click(int index);

  // Start-up chain (Form_Load runs it).
  void Init_Fenetre_Principale();
  void Init_Parametres();
  void Place_Boite_Outils();

  void Form_Load();
  void Form_Resize();

 private:
  bool creerCadres();
  void creerControles();
  void creerBarre();
  void creerPanneaux();
  void creerMenus();
  void creerMenusOutils();
  void initParametresValeurs();
};

// The one program-wide instance, created on first use with every handler connected
// (the start-up code makes it).
QVL& Qvl();
// True once the instance exists (code that may run before it checks this).
bool QvlExists();

// Width in twips of Picture1's measuring scale: the width the layout gives the picture
// box in a start-up window 15000 twips wide with a 120-twip border, (15000 - 3000 - 120)
// x 0.99. Lengths measured on the picture depend on it, never on the screen.
constexpr double kLargeurEchellePicture1 = 11761.2;

// Width in twips of the multi-layer group frame FraMC(0): it lies over the picture left
// of the grid frame.
constexpr double kLargeurGroupeMC = 6800;

// Width in twips of the calibration panel Frame(7): room for its kinds of marking side
// by side.
constexpr double kLargeurCalibrage = 6800;
