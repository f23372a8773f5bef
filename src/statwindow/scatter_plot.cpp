// The scatter plot of panel 1 over the measurement grid.
#include "statwindow/scatter_plot.h"

#include <cmath>
#include <exception>
#include <utility>

#include "base/globals.h"
#include "forms/stat_window.h"
#include "measure/measure_state.h"
#include "platform/runtime.h"
#include "statwindow/chart_canvas.h"
#include "statwindow/grid_columns.h"
#include "statwindow/scatter_chart.h"
#include "statwindow/stat_state.h"
#include "statwindow/stat_window.h"

namespace {

bool coche(const platform::CheckBox& c) { return c.value() == 1; }

// Redraws while panel 1 shows the scatter plot.
void redessine() {
  if (Mode_Histogramme == 0) Trace_Nuage();
}

ScatterOptions options(FenHisto& f) {
  ScatterOptions o;
  o.droite = coche(f.Check2(0));
  o.ellipse = coche(f.Check2(1));
  o.norme = coche(f.CheckN(0));
  o.echange = coche(f.Check4);
  o.numeros = coche(f.CheckLgn);
  o.dominant = coche(f.Check3(0));
  o.median = coche(f.Check3(1));
  o.moyen = coche(f.Check3(2));
  o.covariance = FonctionCourante != 1;
  o.niveau = f.FlatScrollBar1.value();
  o.niveauTexte = f.Label10(0).caption();
  const double h = f.HistPicHist.height();
  o.ratio = h > 0 ? f.HistPicHist.width() / h : 1;
  o.mask = Format_Decimal;
  o.saut = SautLigne;
  return o;
}

int colonne(double c) { return std::isfinite(c) ? static_cast<int>(std::nearbyint(c)) : 0; }

}  // namespace

void Trace_Nuage() {
  FenHisto& f = StatWindow();
  try {
    f.Check2(1).setEnabled(coche(f.CheckN(0)));
    f.Label8.setCaption("");
    int colX = 0, colY = 0;
    Colonnes_Axes(colX, colY);
    NbLignes_Nuage = LigneCourante - 1;
    f.List2(0).clear();
    f.List2(1).clear();
    Donnees_X.clear();
    Donnees_Y.clear();
    PictureCanvas canvas(f.HistPicHist);
    const auto d = Lit_Nuage(Grille_Mesures(), colX, colY, NbLignes_Nuage);
    if (!d) {
      canvas.clear(0xFFFFFF);
      return;
    }
    Donnees_X = d->x;
    Donnees_Y = d->y;
    for (std::size_t i = 0; i < Donnees_X.size(); ++i) {
      f.List2(0).addItem(platform::CStr(Donnees_X[i]));
      f.List2(1).addItem(platform::CStr(Donnees_Y[i]));
    }
    const ScatterResult r = Trace_Nuage(canvas, Donnees_X, Donnees_Y, options(f));
    if (!r.trace) return;
    Coef_X = r.coefX;
    Coef_Y = r.coefY;
    Min_list2(0) = r.x.min;
    Min_list2(1) = r.y.min;
    if (r.legende) f.LabelHisto.setCaption(*r.legende);
    f.Label8.setCaption(r.covariance);
  } catch (const std::exception&) {
    // A failing chart ends quietly, leaving what was drawn.
  }
}

void Colonnes_Axes(int& colX, int& colY) {
  colX = colonne(Colonnes_Nuage(0));
  colY = colonne(Colonnes_Nuage(1));
  if (coche(StatWindow().Check4)) std::swap(colX, colY);
}

void Check2_Click(int /*Index*/) { redessine(); }

void Check3_Click(int /*Index*/) {
  FenHisto& f = StatWindow();
  Marque_Points = coche(f.Check3(0)) || coche(f.Check3(1)) || coche(f.Check3(2));
  redessine();
}

void CheckN_Click(int /*Index*/) { redessine(); }

void Check4_Click() {
  FenHisto& f = StatWindow();
  f.CmdHisto(0).setEnabled(!coche(f.Check4));
  redessine();
}

void CheckLgn_Click() { redessine(); }

void Command9_Click() { redessine(); }

void FlatScrollBar1_Change() {
  FenHisto& f = StatWindow();
  const char* niveaux[] = {"90", "95", "99"};
  const int v = f.FlatScrollBar1.value();
  if (v >= 1 && v <= 3) f.Label10(0).setCaption(niveaux[v - 1]);
  redessine();
}

void cmdH_Click(int Index) {
  FenHisto& f = StatWindow();
  const int choisi = f.List1.listIndex();
  if (choisi < 0 || Index < 0 || Index > 1) return;
  Colonnes_Nuage(Index) = choisi + 1;
  f.Text2Hist(Index).setText(f.List1.list(choisi));
}

void RAZ_Options_Nuage(FenHisto& f) {
  const auto c2 = std::exchange(f.Check2.onClick, nullptr);
  const auto c3 = std::exchange(f.Check3.onClick, nullptr);
  const auto cn = std::exchange(f.CheckN.onClick, nullptr);
  const auto c4 = std::exchange(f.Check4.onClick, nullptr);
  const auto cl = std::exchange(f.CheckLgn.onClick, nullptr);
  const auto fs = std::exchange(f.FlatScrollBar1.onChange, nullptr);
  for (int i = 0; i <= 1; ++i) f.Check2(i).setValue(0);
  for (int i = 0; i <= 2; ++i) f.Check3(i).setValue(0);
  f.CheckN(0).setValue(0);
  f.Check4.setValue(0);
  f.CheckLgn.setValue(0);
  f.FlatScrollBar1.setValue(1);
  f.Label10(0).setCaption("90");
  f.CmdHisto(0).setEnabled(true);
  f.Check2.onClick = c2;
  f.Check3.onClick = c3;
  f.CheckN.onClick = cn;
  f.Check4.onClick = c4;
  f.CheckLgn.onClick = cl;
  f.FlatScrollBar1.onChange = fs;
}

void ConnecteNuage(FenHisto& f) {
  f.Check2.onClick = [](int i) { Check2_Click(i); };
  f.Check3.onClick = [](int i) { Check3_Click(i); };
  f.CheckN.onClick = [](int i) { CheckN_Click(i); };
  f.Check4.onClick = [] { Check4_Click(); };
  f.CheckLgn.onClick = [] { CheckLgn_Click(); };
  f.Command9.onClick = [] { Command9_Click(); };
  f.FlatScrollBar1.onChange = [] { FlatScrollBar1_Change(); };
  f.cmdH.onClick = [](int i) { cmdH_Click(i); };
}
