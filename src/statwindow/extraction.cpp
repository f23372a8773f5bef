// The extract of grid rows: the shapes drawn on the scatter plot, the selection and
// the extract read back from the measurement grid.
#include "statwindow/extraction.h"

#include <cmath>
#include <vector>

#include "base/globals.h"
#include "base/helpers.h"
#include "forms/main_window.h"
#include "forms/stat_window.h"
#include "measure/measure_state.h"
#include "platform/runtime.h"
#include "stats/notices.h"
#include "statwindow/chart_canvas.h"
#include "statwindow/scatter_chart.h"
#include "statwindow/scatter_plot.h"
#include "statwindow/stat_state.h"
#include "statwindow/stat_window.h"

namespace {

constexpr double kDemiCroix = 20;
constexpr double kRayonCentre = 5;

int formeCochee(FenHisto& f) {
  for (int i = kCercle; i <= kEllipse; ++i)
    if (f.Option1(i).value()) return i;
  return kRectangle;
}

// Halves to even, as the press point is rounded.
int arrondi(double v) { return std::isfinite(v) ? static_cast<int>(std::nearbyint(v)) : 0; }

FormeTracee forme(FenHisto& f, double X, double Y) {
  return {formeCochee(f), static_cast<double>(X_Centre), static_cast<double>(Y_Centre), X, Y, Poids_Vertical()};
}

// The chart as it was when the extraction was armed.
void restaureGraphe(FenHisto& f) {
  const platform::Picture image = f.Image_extr.picture();
  if (image.isNull()) return;
  platform::PictureBox& p = f.HistPicHist;
  p.paintPicture(image, p.scaleLeft(), p.scaleTop());
}

void traceForme(FenHisto& f, const FormeTracee& t) {
  platform::PictureBox& p = f.HistPicHist;
  switch (t.forme) {
    case kRectangle:
      p.line(2 * t.xc - t.x, 2 * t.yc - t.y, t.x, t.y, platform::kUseForeColor, true);
      break;
    case kCercle: {
      const double r = Rayon_Cercle(t);
      if (std::isfinite(r)) p.circle(t.xc, t.yc, r);
      p.circle(t.xc, t.yc, kRayonCentre);
      break;
    }
    case kEllipse: {
      const EllipseExtraction e = Ellipse_Extraction(t);
      PictureCanvas c(p);
      traceEllipse(c, t.xc, t.yc, e.d, kDemiAxeTravers, e.theta, p.foreColor());
      break;
    }
    default:
      break;
  }
}

}  // namespace

double Poids_Vertical() {
  const platform::PictureBox& p = StatWindow().HistPicHist;
  const int l = p.canvasWidthPixels(), h = p.canvasHeightPixels();
  if (l <= 0 || h <= 0) return 1;
  const double travers = std::fabs(p.scaleWidth()) / l, haut = std::fabs(p.scaleHeight()) / h;
  const double q = travers / haut;
  return std::isfinite(q) && q > 0 ? q * q : 1;
}

std::vector<ExtractPoint> Points_Nuage() {
  int colX = 0, colY = 0;
  Colonnes_Axes(colX, colY);
  return Points_Extraction(Grille_Mesures(), colX, colY, LigneCourante - 1);
}

ScatterMap Repere_Nuage() { return {Min_list2(0), Min_list2(1), Coef_X, Coef_Y}; }

void Marque_Extrait(const std::vector<ExtractPoint>& choisis, unsigned colour) {
  FenHisto& f = StatWindow();
  PictureCanvas c(f.HistPicHist);
  const ScatterMap m = Repere_Nuage();
  const bool numeros = f.CheckLgn.value() == 1;
  for (const ExtractPoint& p : choisis) {
    const Vertex fin = Trace_Croix(c, arrondi(m.px(p.x)), arrondi(m.py(p.y)), kDemiCroix, colour);
    if (numeros) {
      c.textColour(colour);
      c.text(fin.x, fin.y, platform::CStr(static_cast<long long>(p.row)), 8);
    }
  }
  Liste_Extrait = Liste_Lignes(choisis);
}

void CmdHisto_Click(int Index) {
  if (Index != 0) return;
  FenHisto& f = StatWindow();
  Trace_Nuage();
  f.StatusBar2.setSimpleText("B.G. : encadrer les points / B.D. : valider le choix");
  f.Image_extr.setPicture(f.HistPicHist.image());
  Extraction_Armee = true;
}

void Command1_Click() {
  FenHisto& f = StatWindow();
  Extraction_Armee = true;
  f.Option1(kRectangle).setValue(true);
}

void HistPicHist_MouseDown(int Button, int /*Shift*/, double X, double Y) {
  FenHisto& f = StatWindow();
  if (Button == 1 && Extraction_Armee) {
    X_Centre = arrondi(X);
    Y_Centre = arrondi(Y);
    Selection_En_Cours = true;
    f.CmdHisto(0).setEnabled(false);
  } else if (Button == 2 && Selection_En_Cours) {
    restaureGraphe(f);
    f.CmdHisto(0).setEnabled(true);
    Selection_En_Cours = false;
    Extraction_Armee = false;
    Extraire(X, Y);
  }
}

void HistPicHist_MouseMove(int /*Button*/, int /*Shift*/, double X, double Y) {
  if (!Selection_En_Cours) return;
  FenHisto& f = StatWindow();
  restaureGraphe(f);
  traceForme(f, forme(f, X, Y));
}

void Extraire(double X, double Y) {
  FenHisto& f = StatWindow();
  f.StatusBar2.setSimpleText("Sauvegarde extrait : menu Outil  ou  reselection  : extraire");
  Liste_Extrait.clear();
  std::vector<ExtractPoint> choisis;
  if (Coef_X > 0 && Coef_Y > 0) choisis = Selection_Forme(Points_Nuage(), forme(f, X, Y), Repere_Nuage());
  Marque_Extrait(choisis, f.HistPicHist.foreColor());
  f.MOption1(3).setEnabled(false);
  if (choisis.empty()) {
    stats::Stat_Beep();
    f.CmdHisto(0).setEnabled(true);
  } else {
    f.MOption1(3).setEnabled(true);
  }
  f.CmdHisto(1).setEnabled(!f.CmdHisto(0).enabled());
  f.Mnstat6(1).setEnabled(!Liste_Extrait.empty());
  f.Label3.setCaption(platform::CStr(static_cast<long long>(choisis.size())) + " pts : " + Liste_Extrait);
}

void affecte_extrait(const std::string& List_Extr, int num_col) {
  FenHisto& f = StatWindow();
  const platform::FlexGrid& g = Qvl().GrilleRef;
  f.MText3.setText("");
  std::string t;
  for (int r : Lignes_Liste(List_Extr)) {
    if (num_col < 0 || num_col >= g.cols() || r >= g.rows()) continue;
    t += g.textMatrix(r, num_col) + ";";
  }
  f.MText3.setText(t);
}

void ConnecteExtraction(FenHisto& f) {
  f.CmdHisto.onClick = [](int i) { CmdHisto_Click(i); };
  f.Command1.onClick = [] { Command1_Click(); };
  f.HistPicHist.onMouseDown = [](int b, int s, double x, double y) { HistPicHist_MouseDown(b, s, x, y); };
  f.HistPicHist.onMouseMove = [](int b, int s, double x, double y) { HistPicHist_MouseMove(b, s, x, y); };
}
