// The statistics window's design: every panel, control and menu with its designed
// caption and place (twips).
#include "forms/stat_window.h"

#include <string>
#include <tuple>
#include <utility>

#include "platform/colour.h"
#include "platform/runtime.h"

FenHisto::FenHisto() : FormDesign("FenHisto") {
  setCaption("NUMERAX");
  move(1000, 500, 11612, 9600);
  creerPanneau1();
  creerPanneau2();
  creerPanneauxTests();
  creerMenus();
}

FenHisto::~FenHisto() = default;

// The panels and the frames inside them, before the controls they hold.
bool FenHisto::creerCadres() {
  const std::pair<int, const char*> panneaux[] = {
      {1, "Nuage de Points"}, {2, "Diagramme"}, {7, "Frame1- lois de proba-test moy"}, {8, "Vide"}};
  for (const auto& [i, caption] : panneaux) titled(stcadre.add(i), caption).setVisible(false);
  place(stcadre(1), 480, 240, 11412, 8700);
  place(stcadre(2), 10, 10, 11500, 7700);
  place(stcadre(7), 0, 0, 7000, 8000);
  place(stcadre(8), 0, 0, 1000, 1000);
  const std::pair<int, const char*> tests[] = {{3, "comp.  m, s  / nb "}, {4, "comp. m1, s1 /m2, s2"},
                                               {5, "Loi Normale"}, {6, "Loi de Student"}};
  for (const auto& [i, caption] : tests) titled(stcadre.addIn(stcadre(7), i), caption).setVisible(false);
  place(stcadre(3), 0, 0, 6852, 4655);
  place(stcadre(4), 0, 0, 6850, 4655);
  place(stcadre(5), 0, 0, 4575, 2800);
  place(stcadre(6), 0, 0, 4575, 2175);

  // Panel 1: scatter options, automatic split, series choice, scatter columns.
  const std::pair<int, const char*> graphes[] = {{0, ""}, {1, ""}, {2, "Choix"}, {3, "Nuage de points"}};
  for (const auto& [i, caption] : graphes) titled(Framehist.addIn(stcadre(1), i), caption);
  place(Framehist(0), 8800, 780, 1500, 1100).setVisible(false);
  place(Framehist(1), 9000, 6620, 1215, 1380).setVisible(false);
  place(Framehist(2), 9000, 720, 1335, 2600).setVisible(false);
  place(Framehist(3), 240, 6900, 4695, 1215);

  // Panel 2: the data-source frames share one place; the mesures frame shows first.
  const char* sources[] = {" entrée", "PDMS", "Options", "Calcul", "Mesure",
                           "Fichier", "texte", "fichier", "Extrait"};
  for (int i = 0; i <= 8; ++i) titled(MFrame1.addIn(stcadre(2), i), sources[i]);
  place(MFrame1(0), 120, 240, 1215, 1300);
  for (int i : {4, 6, 7, 8}) place(MFrame1(i), 1400, 240, 1215, 1300).setVisible(i == 4);
  place(MFrame1(1), 2640, 5160, 3000, 2300);
  place(MFrame1(2), 5700, 5160, 3000, 2300);
  place(MFrame1(3), 8760, 5160, 2600, 2300);
  place(MFrame1(5), 120, 5160, 2450, 2300);

  // The test frames of the "Tests" menu.
  titled(FraTest.addIn(stcadre(7), 2), "Test Möls");
  titled(FraTest.addIn(stcadre(7), 3), "Test shapiro");
  for (int i : {2, 3}) place(FraTest(i), 0, 0, 7000, 3000).setVisible(false);
  return true;
}

void FenHisto::creerPanneau1() {
  place(HistPicHist, 240, 240, 8500, 5580);
  HistPicHist.setBackColor(platform::RGB(255, 255, 255));
  HistPicHist.setAutoRedraw(true);
  place(Image_extr, 25000, 20000, 8500, 5580).setVisible(false);

  // Series buttons and the chart caption.
  place(Frame4, 120, 5900, 5532, 972);
  for (int i = 0; i <= 6; ++i) place(Histcmd.add(i), 60 + i * 780.0, 150, 750, 300).setEnabled(false);
  place(LabelHisto, 60, 480, 5400, 450);

  // Series boxes and the number of classes.
  for (int i = 0; i <= 6; ++i) place(ChkH.add(i), 60, 220 + i * 260.0, 1200, 250);
  place(titled(lblNbDe.add(15), "Nb de Classes"), 60, 2050, 1200, 240);
  place(Text1histo, 60, 2290, 500, 285).setText("5");
  place(VScroll1Hist, 600, 2290, 250, 285);
  VScroll1Hist.setMin(2);
  VScroll1Hist.setMax(20);
  VScroll1Hist.setValue(5);

  // Columns of the scatter plot.
  place(List1, 60, 220, 1800, 900);
  for (int i = 0; i <= 1; ++i) {
    place(titled(cmdH.add(i), ">"), 1950, 250 + i * 400.0, 350, 300);
    place(Text2Hist.add(i), 2400, 255 + i * 400.0, 2200, 285);
  }

  // Switch buttons, extraction, automatic split, chart copy and save.
  place(Frame2, 8760, 3480, 1572, 612);
  place(titled(CmdHist1.add(0), "Histogramme"), 60, 60, 1450, 240);
  place(titled(CmdHist1.add(1), "Nuage de pts"), 60, 320, 1450, 240);
  place(Frame_extraire, 9000, 5000, 1212, 1572);
  place(titled(CmdHisto.add(0), "Extraire"), 60, 240, 1090, 300);
  const char* formes[] = {"rectangle", "cercle", "ellipse"};
  for (int i = 1; i <= 3; ++i) place(titled(Option1.add(i), formes[i - 1]), 60, 340 + i * 235.0, 1090, 230);
  Option1(1).setValue(true);
  place(titled(CmdHisto.add(1), "Classes"), 60, 1290, 1090, 260);
  place(titled(Command1, "Command1"), 10260, 5000, 1000, 300);
  // Tall enough for a long list of extracted rows, which wraps after each ";".
  place(titled(Label3, "liste extraite"), 5160, 7500, 3780, 1150);
  place(titled(Label12, "X0="), 60, 240, 400, 240);
  place(Label11, 480, 240, 700, 240);
  const char* coupes[] = {"Annule", "x < X0", "x > X0"};
  for (int i = 0; i <= 2; ++i) place(titled(Command11.add(i), coupes[i]), 60, 540 + i * 270.0, 1090, 260);
  place(titled(cmdCopie_Ecran, "copie écran"), 7750, 6960, 1200, 300);
  place(titled(Command12, "Extraction automatique"), 9000, 2720, 1500, 500).setVisible(false);
  place(titled(Cmd_Copyboard.addIn(stcadre(1), 2), "Copier"), 8800, 4160, 1500, 300);
  place(titled(CmdHist.add(0), "Sauver"), 8800, 4520, 1500, 300);
  place(Frame1, 5160, 6960, 2532, 492);

  // Scatter plot options and texts.
  place(titled(Check2.add(0), "Dte regression"), 60, 200, 1420, 220);
  place(titled(Check2.add(1), "Ellipse tolérance"), 60, 420, 1420, 220).setEnabled(false);
  place(titled(CheckN.add(0), "Repère Normé"), 60, 640, 1420, 220);
  place(titled(Check4, "X <=> Y"), 60, 860, 1420, 220);
  const std::pair<int, const char*> points[] = {{0, "point dominant"}, {1, "point median"}, {2, "point moyen"}};
  const platform::Colour couleurs[] = {platform::RGB(255, 0, 0), platform::RGB(0, 255, 255), platform::RGB(0, 128, 0)};
  for (const auto& [i, caption] : points)
    place(titled(Check3.add(i), caption), 8800, 1920 + i * 240.0, 1500, 230).setForeColor(couleurs[i]);
  place(titled(CheckLgn, "marquer num ligne"), 60, 150, 1750, 240);
  place(titled(Command9, "test"), 1850, 120, 600, 300);
  for (int i = 0; i <= 1; ++i) place(List2.add(i), 25000 + i * 1000.0, 20000, 900, 900).setVisible(false);
  place(Label8, 5760, 5900, 2900, 500);
  place(FlatScrollBar1, 5760, 6450, 1200, 250);
  FlatScrollBar1.setMin(1);
  FlatScrollBar1.setMax(3);
  FlatScrollBar1.setValue(1);
  place(titled(Label10.add(0), "90"), 7020, 6450, 400, 250);
  place(titled(Label10.add(1), "%conf."), 7440, 6450, 800, 250);
}

void FenHisto::creerPanneau2() {
  // Data source.
  const char* sources[] = {"mesures", "fichier", "Texte", "Extrait"};
  for (int i = 0; i <= 3; ++i) place(titled(MOption1.add(i), sources[i]), 60, 250 + i * 250.0, 1100, 240);
  MOption1(3).setEnabled(false);
  // Grid column and its spinner (upwards to the last column of the function).
  place(titled(MLabel2, "Colonne"), 60, 250, 1100, 240);
  place(MText4, 60, 520, 600, 285).setText("1");
  place(MVScroll1, 700, 500, 250, 330);
  MVScroll1.setMax(1);
  MVScroll1.setMin(1);
  MVScroll1.setValue(1);
  place(titled(MCommand3.addIn(MFrame1(4), 2), "Copier"), 60, 900, 1000, 300);
  // Typed text, file and extract.
  place(titled(MCommand3.addIn(MFrame1(6), 4), "Coller"), 60, 250, 1000, 300);
  place(titled(MCommand3.addIn(MFrame1(6), 6), "Calcul"), 60, 600, 1000, 300);
  place(titled(MCommand3.addIn(MFrame1(6), 7), "Raz"), 60, 950, 1000, 300);
  place(titled(MCommand3.addIn(MFrame1(7), 0), "charger"), 60, 250, 1000, 300);
  place(titled(MCommand3.addIn(MFrame1(7), 1), "Calcul"), 60, 600, 1000, 300);
  place(MText4E, 60, 300, 600, 285);
  place(EVScroll1, 700, 300, 250, 285);
  place(titled(MCommand3.addIn(MFrame1(8), 8), "Copier"), 60, 900, 1000, 300);

  // The data text, the column title, the diagram and its copy.
  place(NmColonne, 2670, 300, 5000, 240);
  place(MText2, 7800, 260, 900, 285);
  // The paste buttons show with the typed-text source.
  place(titled(Command2.add(0), "table(H) =>grille "), 8760, 240, 1350, 300).setVisible(false);
  place(titled(Command2.add(1), "table(V)=>grille"), 10150, 240, 1300, 300).setVisible(false);
  place(MText3, 120, 1640, 2450, 3400);
  MText3.setScrollBars(2);
  place(titled(MLabel3, "Diagramme"), 2670, 1000, 3000, 240);
  for (int i = 0; i <= 6; ++i)
    place(titled(MCommand1.add(i), std::to_string(i + 1)), 5800 + i * 330.0, 960, 300, 300);
  place(MHistPic, 2670, 1320, 8505, 3780);
  MHistPic.setBackColor(platform::RGB(255, 255, 255));
  MHistPic.setAutoRedraw(true);
  place(titled(Cmd_Copyboard.addIn(stcadre(2), 1), "Copier"), 9700, 940, 1475, 300);
  place(titled(Command8, "Test"), 8250, 940, 1350, 300);

  // The result text, its copies and the overview.
  place(titled(Tblcopie.addIn(MFrame1(3), 2), "Copier"), 60, 250, 1000, 300);
  place(MText1, 60, 600, 2480, 1640);
  MText1.setScrollBars(3);
  const char* copies[] = {"copie ecran", "fichier", "Presse papier"};
  for (int i = 0; i <= 2; ++i) place(titled(MCommand5.addIn(MFrame1(5), i), copies[i]), 60, 250 + i * 400.0, 1500, 300);
  place(titled(cmdResumeTout, "Aperçu global"), 60, 1450, 1500, 300);
  place(txttest, 120, 7300, 600, 285).setVisible(false);
  creerModesEtOptions();
}

// The modes frame MFrame1(1) and the diagram options MFrame1(2).
void FenHisto::creerModesEtOptions() {
  place(titled(MCheck1.addIn(MFrame1(1), 0), " PDM"), 60, 250, 1500, 250);
  place(titled(MCommand2, "PDMS 1"), 1600, 220, 1300, 300).setBackColor(0xC0C0C0);
  const char* limites[] = {"limites", "-", "-"};
  for (int i = 0; i <= 2; ++i) place(titled(MLabel5.add(i), limites[i]), 60 + i * 950.0, 600, 900, 240);
  const std::pair<int, const char*> boutons[] = {{3, "calcul"}, {4, "Ok"}, {5, "Annule"},
                                                 {14, "Raz"}, {15, "Xi"}, {16, "/Xi"}};
  for (int k = 0; k < 6; ++k) {
    const auto& [i, caption] = boutons[k];
    place(titled(MCommand5.addIn(MFrame1(1), i), caption), 60 + (k % 3) * 940.0, k < 3 ? 900 : 1550, 900, 300)
        .setEnabled(false);
  }
  place(titled(lblNb, "nb;nb/u"), 60, 1250, 2800, 240);
  place(titled(MCheck1.addIn(MFrame1(1), 6), " S"), 60, 1920, 600, 250);
  place(titled(MCheck1.addIn(MFrame1(1), 7), "Auto-Pdms"), 700, 1920, 1200, 250);
  place(titled(Check1.add(0), "Ignore \"0\""), 1950, 1920, 1000, 250);

  const char* options[] = {" Simple", " Cumulé", "Echelle X fixe %", "Echelle Y fixe", "Optimal"};
  for (int i = 1; i <= 5; ++i)
    place(titled(MCheck1.addIn(MFrame1(2), i), options[i - 1]), 60, 250 + (i - 1) * 260.0, 1900, 250);
  MCheck1(1).setValue(1);
  MCheck1(2).setValue(1);
  place(titled(Label4, "Origine X"), 60, 1560, 1900, 240);
  place(MScroll1.add(5), 60, 1820, 1550, 250);
  place(titled(Command5, "R"), 1650, 1800, 300, 290).setToolTipText("Origine X");
  const int bornes[][3] = {{3, 1, 100}, {4, 1, 1000}, {5, 0, 8}};
  for (int k = 0; k < 3; ++k) {
    platform::VScrollBar& b = place(MVScroll2.add(bornes[k][0]), 2000 + k * 300.0, 250, 250, 1400);
    b.setMin(bornes[k][1]);
    b.setMax(bornes[k][2]);
  }
  MVScroll2(4).setValue(50);
  place(titled(Label1, "Résol."), 2000, 1700, 900, 240);
  place(titled(groupe, "1 pixel"), 2000, 1950, 900, 240);
}

void FenHisto::creerPanneauxTests() {
  // One sample against a reference: the boxes beside their titles.
  auto& un = stcadre(3);
  const char* titres1[] = {"Echantillon", "Effectif", "Moyenne", " risque alpha %", "E-Type", "Colonne"};
  for (int i = 0; i <= 5; ++i) place(titled(lblMoyenne.addIn(un, i), titres1[i]), 120, 300 + i * 330.0, 1500, 240);
  const std::string d(1, platform::DecimalSeparator());
  const std::tuple<int, double, std::string> boites[] = {
      {5, 280, "10"}, {2, 610, "35"}, {0, 940, "9" + d + "9"}, {3, 1270, "5"}, {6, 1600, "0" + d + "4"}};
  for (const auto& [i, top, texte] : boites) place(Ctxt.add(i), 1700, top, 1000, 285).setText(texte);
  Ctxt(5).setToolTipText("Moyenne du type");
  place(CVScroll1.addIn(un, 3), 2720, 1250, 250, 330);
  place(titled(COption1.add(0), "E-T Est.Moy."), 3100, 610, 1700, 250);
  place(Ctxt.add(1), 4850, 590, 900, 285).setText("1");
  place(titled(COption1.add(1), "E-T. échantillon"), 3100, 940, 1700, 250);
  place(titled(Copt.addIn(un, 4), "Aff.Calc"), 3100, 1270, 1700, 250);
  place(titled(chkLoiNormale.add(0), "Loi normale"), 3100, 1600, 1700, 250);
  place(titled(ChoixComp.addIn(un, 1), "2 Echant."), 5000, 200, 1600, 300);
  place(titled(Tblcopie.addIn(un, 3), "Copier"), 5900, 590, 800, 300);
  place(titled(cmdCalcul.addIn(un, 1), "Calcul"), 5900, 940, 800, 300);
  place(titled(cmdDonnes.addIn(un, 1), "Données stat."), 5000, 1270, 1700, 300);
  place(CLabel1, 3100, 1900, 3500, 240);
  place(Clabel5.add(1), 120, 2300, 3000, 480);
  place(CLabel2, 120, 2780, 6600, 480);
  place(CLabel3, 120, 3280, 6600, 480);
  place(Clabel5.add(0), 120, 3780, 6600, 720);
  place(CLabel4.add(0), 3200, 2300, 3500, 240);

  // Two samples: sample 1 then sample 2 on each line.
  auto& deux = stcadre(4);
  const char* titres2[] = {"Effectif", "Moyenne", " risque alpha %", "E-Type", "Colonne"};
  for (int i = 6; i <= 10; ++i)
    place(titled(lblMoyenne.addIn(deux, i), titres2[i - 6]), 120, 300 + (i - 6) * 330.0, 1500, 240);
  const std::tuple<int, double, double, std::string> boites2[] = {
      {1, 1700, 280, "30"}, {2, 2750, 280, "30"}, {3, 1700, 610, "10" + d + "9"}, {4, 2750, 610, "10" + d + "5"},
      {10, 1700, 940, "5"}, {5, 1700, 1270, "1" + d + "2"}, {6, 2750, 1270, "1" + d + "3"}};
  for (const auto& [i, left, top, texte] : boites2) place(ctxt1.add(i), left, top, 1000, 285).setText(texte);
  place(CVScroll1.addIn(deux, 0), 2720, 920, 250, 330);
  const char* options[] = {"E-T différents", "Ech apariés", " bilatéral", "Aff.Calc"};
  // "Aff.Calc" leaves room for the button beside it.
  for (int i = 0; i <= 3; ++i) place(titled(Copt.addIn(deux, i), options[i]), 3900, 300 + i * 330.0, i < 3 ? 1800 : 1050, 250);
  Copt(3).setValue(1);
  place(titled(ChoixComp.addIn(deux, 0), "Echant/Type"), 5000, 1700, 1600, 300);
  place(titled(Tblcopie.addIn(deux, 4), "Copier"), 5000, 2050, 1600, 300);
  place(titled(cmdCalcul.addIn(deux, 2), "Calcul"), 5000, 2400, 1600, 300);
  place(titled(cmdDonnes.addIn(deux, 0), "Données stat."), 5000, 1350, 1600, 300);
  // The computation below the "Colonne" line, the texts below the buttons.
  place(CLabel6.add(11), 120, 1900, 3000, 720);
  place(CLabel6.add(1), 120, 2720, 6600, 480);
  place(CLabel6.add(3), 120, 3220, 6600, 480);
  place(CLabel6.add(4), 120, 3720, 6600, 900);
  for (auto [i, v] : {std::pair{0, 5}, std::pair{3, 5}}) {
    CVScroll1(i).setMin(1);
    CVScroll1(i).setMax(99);
    CVScroll1(i).setValue(v);
  }
  COption1(1).setValue(true);
  Ctxt(1).setEnabled(false);
  Copt(4).setValue(1);

  // Normal and Student laws.
  const char* normale[] = {"m= ", "s= ", "X= "};
  const char* defauts[] = {"2", "1", ""};
  for (int i = 1; i <= 3; ++i) {
    place(titled(LNLabel.add(i), normale[i - 1]), 120, 300 + (i - 1) * 360.0, 500, 240);
    place(LNTxt.add(i), 640, 280 + (i - 1) * 360.0, 1200, 285).setText(defauts[i - 1]);
  }
  place(titled(LNOpt.add(1), "LN"), 2000, 660, 700, 250).setValue(true);
  place(titled(LNOpt.add(2), "LN inv"), 2000, 940, 900, 250);
  place(LNLabel.add(7), 120, 1380, 2600, 1300);
  place(LNLabel.add(4), 2800, 1380, 1700, 1300);
  place(titled(Tblcopie.addIn(stcadre(5), 5), "Copier"), 2800, 300, 1500, 300);

  place(titled(StLabel3.add(0), "t= "), 120, 320, 1300, 240);
  place(StText.add(1), 1440, 300, 1000, 285).setText("0");
  place(titled(StLabel3.add(1), " Nddl (N-1) = "), 120, 680, 1300, 240);
  place(StText.add(2), 1440, 660, 1000, 285).setText("10");
  place(titled(StOptTInv.add(0), "tdist"), 120, 1040, 1000, 250).setValue(true);
  place(titled(StOptTInv.add(1), "T-inv"), 1200, 1040, 1000, 250);
  place(StFrame, 2600, 700, 1850, 700);
  place(titled(StOption2.addIn(StFrame, 0), "Unilateral"), 60, 120, 1700, 250).setValue(true);
  place(titled(StOption2.addIn(StFrame, 1), "Bilateral"), 60, 400, 1700, 250);
  place(titled(StlblLabel1, "p(T <= t)"), 120, 1400, 2400, 240);
  place(titled(StLabel3.add(2), " risque ="), 120, 1700, 4300, 300);
  place(titled(Tblcopie.addIn(stcadre(6), 6), "Copier"), 2800, 300, 1500, 300);

  // Test frames: close, compute and copy.
  for (int i : {2, 3}) {
    place(titled(Command3.addIn(FraTest(i), i), "Fermer"), 120, 300, 1200, 300);
    place(titled(Command4.addIn(FraTest(i), i), "Calcul"), 1400, 300, 1200, 300);
    place(titled(TCopie.addIn(FraTest(i), i), "Copier"), 2680, 300, 1200, 300);
    place(titled(Tlabel.addIn(FraTest(i), i), "Colonne"), 120, 760, 900, 240);
    place(Ttxt1.addIn(FraTest(i), i), 1040, 720, 600, 285).setText("1");
    place(TVScroll1.addIn(FraTest(i), i), 1660, 700, 250, 330);
    place(titled(Tlabel1.addIn(FraTest(i), i), "Résultats"), 120, 1140, 6700, 1740);
  }
  place(Ttxt2.addIn(FraTest(3), 3), 2680, 720, 600, 285).setText("5");
  Ttxt2(3).setToolTipText("risque %");
  place(TVScroll2.addIn(FraTest(3), 3), 3300, 700, 250, 330);
  TVScroll2(3).setMin(1);
  TVScroll2(3).setMax(99);
  TVScroll2(3).setValue(5);
  place(titled(Option3.addIn(FraTest(3), 0), "Normale"), 4000, 640, 1500, 240).setValue(true);
  place(titled(Option3.addIn(FraTest(3), 1), "Log-normale"), 4000, 880, 1500, 240);

  // The D'Agostino panel.
  titled(place(TestNorm, 4440, 3360, 4935, 3255), "TestNorm").setVisible(false);
  place(TNLabel.add(0), 120, 240, 4680, 1900);
  place(titled(TNLabel.add(1), "Colonne"), 120, 2260, 800, 240);
  place(TnText.add(0), 940, 2220, 600, 285).setText("1");
  place(VScroll1.add(0), 1560, 2200, 250, 330);
  place(titled(Option4.add(0), "Normale"), 2000, 2180, 1500, 240).setValue(true);
  place(titled(Option4.add(1), "LogNormale"), 2000, 2420, 1500, 240);
  place(titled(TNCmd.add(0), "Fermer*"), 120, 2800, 1200, 300);
  place(titled(TNCmd.add(1), "Calcul*"), 1400, 2800, 1200, 300);
  for (auto* b : {&TVScroll1(2), &TVScroll1(3), &VScroll1(0)}) {
    b->setMin(1);
    b->setMax(1);
  }
}

bool FenHisto::creerTitres() {
  const std::pair<int, const char*> titres[] = {{1, "Nuage pts"}, {2, "Diagrammes"}, {3, "Tests"},
                                                {4, "Tables stat"}, {5, "vide"}, {6, "Outils"},
                                                {7, "Options"}, {15, "Fermer Vuderive"}};
  for (const auto& [i, caption] : titres) Mnstat.add(i, caption);
  return true;
}

void FenHisto::creerMenus() {
  const std::pair<int, const char*> tests[] = {{1, "Moyenne"}, {2, "Homogénéité Möls"},
                                               {3, "Normalité Shapiro-Wilk"},
                                               {4, "Normalité D'Agostino"}, {5, ""}};
  for (const auto& [i, caption] : tests) Mnstat3.add(i, caption);
  const std::pair<int, const char*> lois[] = {{1, "Loi normale"}, {2, "Loi de Student"}, {3, ""}, {4, ""}, {5, ""}};
  for (const auto& [i, caption] : lois) Mnstat4.add(i, caption);
  Mnstat5.add(1, "");
  Mnstat5.add(2, "");
  const std::pair<int, const char*> outils[] = {{1, "Sauver trame extraite"}, {2, "export CSV extrait"},
                                                {5, "Exemple"}, {6, "Documentation"}};
  for (const auto& [i, caption] : outils) Mnstat6.add(i, caption);
  Mnstat6(1).setEnabled(false);
  Hopt.add(1, "alertes").setChecked(true);
}
