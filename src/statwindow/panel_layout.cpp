// Which panel of the statistics window is shown, where its frames go and how large the
// window becomes.
#include "statwindow/panel_layout.h"

#include <algorithm>

#include "base/helpers.h"
#include "forms/stat_window.h"
#include "platform/runtime.h"
#include "statwindow/stat_window.h"

void RedimFrame(platform::Control& f, const std::string& nom, double h, double L, double t, double W) {
  Place_Objet(f, h, L, t, W);
  f.setCaption(nom);
}

void RedimX(platform::Control& f, double h, double L, double t, double W) { Place_Objet(f, h, L, t, W); }

void RedimXnom(platform::Control& f, const std::string& nom, double h, double L, double t, double W) {
  f.setCaption(nom);
  Place_Objet(f, h, L, t, W);
}

void RedimPicbox(platform::Control& f, const std::string& nom, double h, double L, double t, double W) {
  Place_Objet(f, nom, h, L, t, W);
}

void Cache_Cadres_Test() {
  FenHisto& f = StatWindow();
  for (int i = 1; i <= 7; ++i) f.stcadre(i).setVisible(false);
  // The D'Agostino panel belongs to the panel it was opened over.
  f.TestNorm.setVisible(false);
  f.Mnstat6(1).setEnabled(false);
}

void init_cadre_nuage() {
  FenHisto& f = StatWindow();
  f.Image_extr.move(25000, 20000);
  // At the panels' place, so that the window sized to the panel holds it whole.
  RedimFrame(f.stcadre(1), "Nuage de points", 8700, 10, 10, 11412);
  RedimFrame(f.Frame1, "", 492, 5160, 6960, 2532);
  RedimFrame(f.Frame2, "", 612, 8760, 3480, 1572);
  RedimFrame(f.Frame4, "", 972, 120, 5900, 5532);
  RedimFrame(f.Frame_extraire, "", 1572, 9000, 5000, 1212);
  RedimPicbox(f.HistPicHist, "", 5580, 240, 240, 8500);
  RedimX(f.Framehist(2), 2600, 9000, 720, 1335);
  RedimX(f.Framehist(1), 1380, 9000, 6620, 1215);
  RedimX(f.Framehist(0), 1100, 8800, 780, 1500);
  RedimFrame(f.Framehist(3), "Nuage de points", 1215, 240, 6900, 4695);
  f.Command12.move(f.Framehist(2).left(), f.Framehist(2).top() + 2000);
}

namespace {

// Panel 2: the three data-source frames at one place, the diagram beside them.
void cadreDiagramme(FenHisto& f) {
  f.stcadre(2).setHeight(7700);
  f.stcadre(2).setWidth(11500);
  f.Mnstat6(1).setEnabled(true);
  for (int i : {4, 6, 8}) RedimFrame(f.MFrame1(i), "", 1300, 1400, 240, 1215);
  RedimPicbox(f.MHistPic, "", 3780, 2670, 1320, 8505);
  f.MFrame1(4).setVisible(true);
}

// Panels 3 to 6 sit in the test frame stcadre(7).
void cadreTests(FenHisto& f, int p) {
  platform::Frame& tests = f.stcadre(7);
  switch (p) {
    case 3:
      RedimX(tests, 4600, 0, 0, 6850);
      RedimX(f.stcadre(3), 4655, 0, 0, 6852);
      tests.setLeft(0);
      tests.setVisible(true);
      f.Mnstat6(1).setEnabled(true);
      break;
    case 4:
      RedimX(f.stcadre(4), 4655, 0, 0, 6850);
      tests.setLeft(0);
      tests.setVisible(true);
      break;
    case 5:
      tests.setVisible(true);
      tests.setEnabled(true);
      RedimX(tests, 4111, 0, 0, 6850);
      f.stcadre(5).setHeight(2800);
      f.stcadre(5).setWidth(4575);
      f.LNTxt(3).setText(platform::CStr(0.1));
      break;
    case 6:
      tests.setVisible(true);
      tests.setEnabled(true);
      RedimX(tests, 6650, 0, 0, 5295);
      RedimX(f.stcadre(3), 6650, 0, 0, 5295);
      f.stcadre(6).setHeight(2175);
      f.stcadre(6).setWidth(4575);
      f.StText(1).setText(platform::CStr(0.1));
      f.StOptTInv(0).setValue(true);
      break;
    default:
      break;
  }
  // The test frame holds the panel in view whole, and no more than the window.
  if (p >= 3 && p <= 6) {
    f.stcadre(p).move(0, 0);
    RedimX(tests, f.stcadre(p).height(), 0, 0, f.stcadre(p).width());
  }
}

}  // namespace

void Init_cadrage_frames(int p) {
  if (p < 1 || p > 6) return;
  FenHisto& f = StatWindow();
  Cache_Cadres_Test();
  f.MFrame1(1).move(2640, 5160);
  platform::Frame& panneau = f.stcadre(p);
  panneau.move(10, 10);
  if (p == 1)
    init_cadre_nuage();
  else if (p == 2)
    cadreDiagramme(f);
  else
    cadreTests(f, p);
  Taille_Fenetre(panneau);
  panneau.setVisible(true);
}

void Taille_Fenetre(const platform::Control& panneau) {
  FenHisto& f = StatWindow();
  f.setWidth(panneau.width() + 200);
  f.setHeight(panneau.height() + 900);
}

void Place_Dagostino() {
  FenHisto& f = StatWindow();
  platform::Frame& cadre = f.TestNorm;
  // Over the chart of panel 1 or 2 (the place lies inside both charts), or alone at
  // the panels' place; the window grows when it does not hold the panel.
  const bool surGraphe = f.stcadre(1).visible() || f.stcadre(2).visible();
  RedimFrame(cadre, "Test de D'Agostino", 3255, surGraphe ? 3200 : 10, surGraphe ? 1500 : 10, 4935);
  f.setWidth(std::max(f.width(), cadre.left() + cadre.width() + 200));
  f.setHeight(std::max(f.height(), cadre.top() + cadre.height() + 900));
}
