// The main window's design: every control and menu with its designed caption and
// place (twips). The start-up code connects the handlers once the window is built.
#include "forms/main_window.h"

#include <initializer_list>
#include <memory>

#include "platform/colour.h"

using platform::Container;

platform::MenuItem& MenuArr::operator()(int i) const {
  if (!a) throw platform::IndexError("menu array not built");
  return (*a)(i);
}

namespace {

QVL* g_instance = nullptr;

}  // namespace

QVL::QVL() : FormDesign("QVL") {
  g_instance = this;
  creerControles();
  creerBarre();
  creerPanneaux();
  creerMenus();
  // Panels and listings lie over the picture.
  for (int i : Frame.indices()) Frame(i).zOrder(0);
  for (platform::Control* c : std::initializer_list<platform::Control*>{
           &FraMC(0), &Frame1, &FraCharte, &FraDial_Seq, &FraListeImg, &FraQvrl, &FraRep,
           &FrameEditer, &FrameQuitter, &Frame_Export_trame, &TBox(4), &TextExif, &FraFlash})
    c->zOrder(0);
  // A panel hidden while one of its controls has the focus hands it to the picture,
  // which takes no text and whose keys act on it.
  setFocusAfterHide(&Picture1);
}

QVL::~QVL() {
  if (g_instance == this) g_instance = nullptr;
}

bool QvlExists() { return g_instance != nullptr; }

// Frames first: the controls made after them sit in them.
bool QVL::creerCadres() {
  for (int i : {1, 4, 6, 7, 8, 9, 10, 11, 12, 13, 14}) Frame.add(i);
  FraMC.add(0);
  return true;
}

void QVL::creerControles() {
  setCaption("Quorvale");
  move(0, 0, 14000, 10500);

  // Picture boxes and hidden image holders.
  place(Picture1, 3000, 1000, 10800, 8500);
  Picture1.setBackColor(platform::RGB(128, 128, 128));
  Picture1.setBorderStyle(1);
  Picture1.setFixedScaleWidth(kLargeurEchellePicture1);
  Picture2.setVisible(false);
  picbase.setVisible(false);
  place(PictureCharte, 3000, 5500, 2000, 1500).setVisible(false);
  place(VignP, 0, 2750, 2500, 1875);
  VignP.setBorderStyle(1);
  place(PLoupePic, 10, 6500, 3000, 3000);
  PLoupePic.setBorderStyle(1);
  for (platform::ImageBox* im : {&Image1, &Image2, &Image3, &ImageMem}) im->setVisible(false);
  place(Label_Illust, 0, 0, 4800, 2000).setVisible(false);
  Label_Illust.setBackStyle(0);

  // Grids: the measurement and statistics grids in the grid frame, the mini grid
  // in the left column.
  place(GrilleRef, 0, 1000, 4000, 3900);
  place(GrilleRefP, 0, 5170, 4000, 1700);
  place(MGrille, 0, 5250, 2500, 1250);
  GrilleRef.setBackColor(0xC0FFC0);
  GrilleRefP.setBackColor(0xC0FFC0);
  GrilleRefP.setRows(13);

  // Left column: calibration and zoom captions, file name, picture size, counter,
  // live value.
  place(label.add(5), 30, 1020, 1450, 240);
  place(label.add(2), 1500, 1020, 1450, 240);
  place(Label_Calib, 30, 1260, 2920, 240);
  place(labNomFic, 30, 1500, 2920, 240);
  place(lblWidth, 30, 1740, 700, 240);
  place(lblHeight, 760, 1740, 700, 240);
  place(TBox.add(6), 1500, 1730, 700, 260);
  place(label.add(6), 2250, 1740, 700, 240);
  place(label.add(9), 30, 1980, 2920, 240);
  place(titled(lblFichier, "LabelFichier"), 30, 1980, 2920, 240).setVisible(false);
  place(titled(Check2, "Poly"), 30, 2220, 1450, 240);
  place(titled(Affmesure, "insère dim"), 1500, 2220, 1450, 240);
  place(titled(Check6, "Zoom auto"), 30, 2460, 1450, 240);
  place(titled(Check.add(2), "AutoRetrace"), 1500, 2460, 1450, 240);

  // Hidden work lists. Ldeci is filled in ascending order of the values it lists,
  // which a sort of its texts would break for negative values.
  place(Ldeci, 0, 0, 1000, 1000).setVisible(false);
  place(test, 0, 0, 1000, 1000).setVisible(false);

  // Diagnostics box and EXIF listing, over the picture when shown.
  auto& diag = TBox.add(4, true);
  place(diag, 8000, 1000, 4500, 7500).setVisible(false);
  diag.setScrollBars(2);
  place(TextExif, 3000, 1000, 8000, 6000).setVisible(false);
  TextExif.setScrollBars(2);
}

void QVL::creerBarre() {
  // Three rows of the top band: the button bar, then the zoom buttons, check boxes
  // and the small test buttons.
  const double h = 300, w = 1150, step = 1160;
  const double rows[3] = {15, 330, 645};
  struct Item {
    int index;
    const char* caption;
  };
  const Item rangee1[] = {{1, "retrace"}, {2, "<="}, {3, "grille"}, {4, "loupe"}, {5, "<   >"},
                          {7, "Voir Options"}, {8, "Images"}, {9, "Compter"}, {10, "Etalonner"},
                          {11, "Numerax"}, {12, "Couleur1"}, {13, "Couleur2"}};
  const Item rangee2[] = {{14, "Cherche"}, {15, "Eff.  ligne"}, {16, "Raz gril."}, {17, "Raz tout"},
                          {39, "Aperçu"}, {40, ""}, {41, "Stock N"}, {42, ""},
                          {45, "Test Archv"}, {46, "Rappel écran"}, {47, "Sauve ecran"}};
  double x = 15;
  for (const Item& it : rangee1) {
    place(titled(Bout.add(it.index), it.caption), x, rows[0], w, h);
    x += step;
  }
  x = 15;
  for (const Item& it : rangee2) {
    place(titled(Bout.add(it.index), it.caption), x, rows[1], w, h);
    x += step;
  }
  place(titled(cmdChargeMC, "Groupe MC"), x, rows[1], w, h);

  const char* zoom[] = {"Z+", "Z-", "Z1", "<<"};
  x = 15;
  for (int i = 0; i < 4; ++i) {
    place(titled(Czoom.add(i), zoom[i]), x, rows[2], 560, h);
    x += 575;
  }
  place(titled(Check.add(1), "chkdispo"), x, rows[2] + 30, 1100, 240);
  x += 1160;
  place(titled(chkMC.add(0), "mode MC"), x, rows[2] + 30, 1100, 240);
  x += 1160;
  place(titled(chkMC.add(1), "Img MC"), x, rows[2] + 30, 1100, 240);
  x += 1160;
  place(Check3, x, rows[2] + 30, 300, 240);
  x += 360;
  struct Petit {
    Button* b;
    const char* caption;
  };
  const Petit petits[] = {{&cmdTest, "test"}, {&cmdFlash, "testflash"}, {&Command3, "test2"},
                          {&Command4, ""}, {&Command5, "Test"}, {&Command6, ""},
                          {&Command11, ""}, {&copie, ""}};
  for (const Petit& p : petits) {
    place(titled(*p.b, p.caption), x, rows[2], 800, h);
    x += 815;
  }
  Command3.setVisible(false);
}

void QVL::creerPanneaux() {
  // Grid frame: the measurement grid, the statistics buttons and grid, its close button.
  auto& grille = titled(Frame(6), "Grille");
  place(grille, 9990, 1000, 4000, 6800);
  place(titled(Bout.addIn(grille, 18), "fermer"), 2900, 250, 1000, 300);
  for (int i = 0; i < 3; ++i)
    place(titled(cmdStat.addIn(grille, i), "calc. Stat"), i * 700.0, 4910, 650, 250);
  place(titled(Check.addIn(grille, 3), "Calc..stat."), 2200, 4910, 1600, 250);

  // Calibration frame.
  auto& cal = titled(Frame(7), "Calibrage ");
  place(cal, 3000, 1000, kLargeurCalibrage, 4800);
  place(label.addIn(cal, 3), 100, 250, 6300, 250);
  place(label.addIn(cal, 7), 100, 540, 3000, 250);
  place(TBox.addIn(cal, 0), 3200, 520, 1500, 285);
  const std::pair<int, const char*> calButtons[] = {
      {21, "0 entrée  coefficient de calibrage"}, {22, "1 Balance des blancs"},
      {23, "Calibrage sur une portion d'image"}, {24, "Charger fichier calibrage"},
      {25, "Sauvegarde"}, {26, "5 correction/résolution"}, {27, "Etalon. Objectif"},
      {44, "Corrrection calibrage"}, {6, "Editer le fichier de calibrage"}};
  double y = 900;
  for (const auto& [i, caption] : calButtons) {
    place(titled(Bout.addIn(cal, i), caption), 100, y, 3000, 300);
    y += 320;
  }
  place(ListCalib, 3300, 900, 3100, 1300);
  place(Label10, 3300, 2250, 3100, 250);
  const std::tuple<int, const char*, double, double, double, int> options[] = {
      {1, "Ind. Dim.", 3300, 2550, 1500, 1}, {2, "Ind. Res.", 4850, 2550, 1500, 1},
      {3, "Calibrage / longueur", 3300, 2830, 1620, 2},
      {4, "Calibrage / graduations", 4950, 2830, 1780, 2},
      {5, "Palmer", 4200, 3130, 1000, 3}, {6, "Bipoint", 5250, 3130, 1100, 3}};
  for (const auto& [i, caption, l, t, w, g] : options) {
    auto& o = place(titled(Optn.addIn(cal, i), caption), l, t, w, 260);
    o.setGroup(g);
  }
  place(TBox.addIn(cal, 2), 3300, 3120, 800, 285);
  place(titled(Check5, "ref APN"), 3300, 3440, 1200, 260);
  place(titled(Command10, "Gestion des fichiers de calibrage"), 4550, 3420, 1850, 300);
  const char* apply[] = {"x10", "x40", "x60", "x100", " X"};
  const char* program[] = {"X10", "X40", "X60", "X100", "X"};
  for (int i = 0; i < 5; ++i) {
    place(titled(Command13.addIn(cal, i), apply[i]), 100 + i * 620.0, 3800, 600, 300);
    place(titled(Command14.addIn(cal, i), program[i]), 100 + i * 620.0, 4150, 600, 300);
  }
  place(titled(Bout.addIn(cal, 19), "Quitter calibrage  sans modifier"), 3300, 3800, 2000, 300);
  place(titled(Bout.addIn(cal, 20), "Valider"), 5350, 3800, 1050, 300);

  // Entry dialogue.
  auto& dial = titled(Frame(8), "Dialogue");
  place(dial, 7000, 1500, 3100, 1450);
  place(label.addIn(dial, 8), 100, 250, 2900, 300);
  place(TBox.addIn(dial, 5), 100, 600, 2000, 315);
  place(titled(Bout_Symb, "µ"), 2200, 600, 400, 315);
  place(titled(Bout.addIn(dial, 31), "OK"), 100, 1000, 1300, 300);
  place(titled(Bout.addIn(dial, 32), "Annule"), 1600, 1000, 1300, 300);

  // Welcome frame.
  auto& bienvenue = titled(Frame(9), "Bienvenue sur Quorvale");
  place(bienvenue, 4000, 3000, 7000, 5000);
  auto& texte = TBox.addIn(bienvenue, 7, true);
  place(texte, 50, 250, 6900, 2800);
  texte.setScrollBars(2);
  place(titled(Bout.addIn(bienvenue, 33), "aide clés"), 200, 3300, 1800, 400);
  place(titled(Bout.addIn(bienvenue, 34), "fermer"), 2200, 3300, 1800, 400);
  place(titled(Check.addIn(bienvenue, 4), "ignorer au démarrage"), 4200, 3350, 2500, 300);

  // Comment and export panel.
  auto& enr = titled(Frame(10), "enregistrement tableau");
  place(enr, 4000, 800, 5200, 2300);
  place(label.addIn(enr, 10), 100, 250, 3000, 250);
  place(Text4, 3200, 230, 700, 285);
  place(VScroll2, 3950, 230, 250, 300);
  auto& commentaire = TBox.addIn(enr, 3, true);
  place(commentaire, 100, 550, 5000, 300);
  const char* dialCaptions[] = {"Valider", "annuler", "Raz commentaire"};
  const char* barCaptions[] = {"xxx", "yyy", "zzz"};
  for (int i = 0; i < 3; ++i) {
    place(titled(Bout_dial.addIn(enr, 28 + i), dialCaptions[i]), 100 + i * 1700.0, 1000, 1600, 300);
    place(titled(Bout.addIn(enr, 28 + i), barCaptions[i]), 100 + i * 1700.0, 1650, 1600, 300);
  }

  // Preview frame of the statistics summary.
  auto& apercu = titled(Frame(12), "Aperçu");
  place(apercu, 3100, 5300, 6000, 4200);
  place(Bout.addIn(apercu, 43), 200, 200, 800, 300);
  place(titled(Bout.addIn(apercu, 37), "Copier"), 1100, 200, 800, 300);
  place(titled(Bout.addIn(apercu, 38), "fermer"), 2000, 200, 800, 300);
  place(titled(Check4, "Leiosporée"), 3000, 220, 1600, 260);
  auto& resume = TBox.addIn(apercu, 8, true);
  place(resume, 0, 600, 6000, 3500);
  resume.setScrollBars(2);
  apercu.setVisible(false);

  for (int i : {7, 8, 9, 10}) Frame(i).setVisible(false);
  titled(Frame(13), "DialogueBis");
  titled(Frame(14), "correction calibrage");
  place(Frame(14), 3960, 3400, 2172, 972);
  place(titled(LabelK, "k ="), 100, 330, 400, 250);
  place(TBox.addIn(Frame(14), 1), 550, 300, 700, 285);
  place(titled(Command1.addIn(Frame(14), 0), " X"), 1350, 200, 700, 300);
  place(titled(Command1.addIn(Frame(14), 1), "Annuler"), 1350, 550, 700, 300);
  Frame(14).setVisible(false);
  for (int i : {1, 4, 11}) {
    place(Frame(i), 0, 2700, 3000, 40).setVisible(false);
    Frame(i).setBorderStyle(0);
  }

  // Gill count.
  place(Frame1, 3100, 1100, 2500, 900).setVisible(false);
  place(Label12, 100, 200, 2300, 600);

  // Colour band and its controls.
  place(FraCharte, 3840, 0, 8532, 972);
  const std::pair<int, const char*> compact[] = {{2, "<="}, {3, " grille"}, {5, "<   >"},
                                                 {6, "retrace"}, {7, "Voir Options"},
                                                 {8, "Images"}, {39, "Aperçu"}};
  double x = 50;
  for (const auto& [i, caption] : compact) {
    const double w = i == 7 ? 850 : 700;   // "Voir Options" takes more
    place(titled(Bout_C.addIn(FraCharte, i), caption), x, 100, w, 300);
    x += w + 20;
  }
  place(titled(cmd_Ch, "Ajuster"), 5290, 100, 900, 300);
  place(titled(Command2, "calcul bernstein"), 6240, 100, 1500, 300);
  place(titled(CheckExpert, "Mode expert"), 50, 520, 1300, 260);
  place(titled(CheckCalibre, "Calibré"), 1400, 520, 1100, 260);
  place(Label8.addIn(FraCharte, 0), 2550, 540, 800, 240);
  place(VScroll3.add(0), 3400, 450, 250, 450);
  VScroll3(0).setMin(1);
  VScroll3(0).setMax(6);
  place(Label8.addIn(FraCharte, 1), 3700, 540, 900, 240);
  place(Label6.addIn(FraCharte, 1), 4650, 540, 1900, 240);
  // The zone's result: its longest text takes two lines, down to the frame's foot.
  place(Label7, 6600, 520, 1880, 420);
  FraCharte.setVisible(false);

  // Step-by-step input panel (archive) with its calendar.
  place(FraDial_Seq, 3720, 120, 4500, 2900).setVisible(false);
  place(Label9.addIn(FraDial_Seq, 0), 100, 250, 4300, 600);
  place(Label9.addIn(FraDial_Seq, 1), 100, 900, 4300, 300);
  place(Text9, 100, 1250, 4300, 300);
  const char* seq[] = {"OK", "Annule", "Fermer", ""};
  for (int i = 0; i < 4; ++i)
    place(titled(Command9.addIn(FraDial_Seq, i), seq[i]), 100 + i * 1100.0, 1650, 1000, 300);
  Command9(3).setVisible(false);
  place(MonthView1, 900, 500, 3000, 2200).setVisible(false);

  // Message panel.
  place(FraFlash, 5600, 4300, 4000, 1200).setVisible(false);
  place(titled(lblLabelflashx, "Labelflash"), 100, 100, 3800, 1000);

  // Image list panel.
  place(FraListeImg, 11000, 1000, 3000, 1500).setVisible(false);
  place(listImgTxt, 0, 0, 3000, 285);
  place(ListImgAff, 0, 300, 3000, 1200);

  // Multi-layer group.
  auto& mc = titled(FraMC(0), "Groupage Multicouche");
  place(mc, 3100, 6000, kLargeurGroupeMC, 2250);
  ListIMGchar.setMultiSelect(2);
  place(ListIMGchar, 100, 250, 3000, 1900);
  const char* mcCaptions[] = {">", "<", ">>", "<<", "OK"};
  for (int i = 0; i < 5; ++i)
    place(titled(BoutMC.addIn(mc, i), mcCaptions[i]), 3200, 250 + i * 360.0, 600, 300);
  place(ListImgMC, 3900, 250, 2800, 1900);
  ListImgIdx.setVisible(false);

  // About panel.
  place(titled(FraQvrl, "A propos"), 3000, 1000, 5100, 1200);
  place(label.addIn(FraQvrl, 0), 100, 250, 2500, 300);
  place(titled(Bout.addIn(FraQvrl, 35), "Fermer"), 2700, 250, 1100, 300);
  place(titled(Bout.addIn(FraQvrl, 36), "Historique"), 3900, 250, 1100, 300);
  place(titled(Bout.addIn(FraQvrl, 50), "Contacter le support"), 2700, 650, 2300, 300);

  // Folder frame.
  place(FraRep, 0, 2500, 3015, 4515);
  ListRep.setMultiSelect(2);
  place(ListRep, 0, 180, 3015, 3500);
  place(repText1, 0, 3700, 3015, 285);
  place(RepDrive, 0, 180, 3015, 300).setVisible(false);
  place(RepDir, 0, 500, 3015, 2000).setVisible(false);
  const char* rep[] = {"Charger", "Répertoire", "Fermer"};
  for (int i = 0; i < 3; ++i) place(titled(cmdRep.addIn(FraRep, i), rep[i]), i * 1005.0, 4115, 1000, 300);

  // Text editor.
  place(FrameEditer, 3720, 950, 4200, 4800).setVisible(false);
  place(TextEdit, 0, 500, 4200, 4300);
  TextEdit.setScrollBars(3);
  place(titled(Command8.addIn(FrameEditer, 0), "Annuler"), 100, 100, 1200, 300);
  place(titled(Command8.addIn(FrameEditer, 1), "Valider"), 1400, 100, 1200, 300);

  // Quit panel.
  place(FrameQuitter, 3500, 3000, 2415, 1695).setVisible(false);
  for (int i = 0; i < 3; ++i) place(Command15.addIn(FrameQuitter, i), 100, 200 + i * 450.0, 2215, 400);

  // Session export frame.
  place(titled(Frame_Export_trame, "Export Trame"), 3720, 950, 3000, 3200).setVisible(false);
  place(Drive1, 100, 250, 2800, 300);
  place(Dir1, 100, 600, 2800, 1500);
  place(Label11, 100, 2150, 2800, 250);
  place(Text2, 100, 2450, 1800, 285);
  place(titled(Command12.addIn(Frame_Export_trame, 1), "OK"), 100, 2800, 1300, 300);
  place(titled(Command12.addIn(Frame_Export_trame, 2), "Créer Sous Rep"), 1500, 2800, 1400, 300);
}
