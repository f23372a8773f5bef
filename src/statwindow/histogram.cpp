// The series controls of panel 1, the switch between its two charts and the
// histogram drawn from the measurement grid.
#include "statwindow/histogram.h"

#include <exception>
#include <utility>

#include "base/globals.h"
#include "base/text_tables.h"
#include "forms/main_window.h"
#include "forms/stat_window.h"
#include "measure/measure_state.h"
#include "platform/colour.h"
#include "platform/runtime.h"
#include "statwindow/chart_canvas.h"
#include "statwindow/grid_columns.h"
#include "statwindow/histogram_chart.h"
#include "statwindow/scatter_plot.h"
#include "statwindow/stat_state.h"
#include "statwindow/stat_window.h"

namespace {

constexpr int kSeries = 7;

bool panneau1Visible() { return StatWindow().stcadre(1).visible(); }

bool coche(platform::CheckBox& c) { return c.value() == 1; }

void effaceGraphe(FenHisto& f) {
  PictureCanvas c(f.HistPicHist);
  c.clear(0xFFFFFF);
}

void modeNuage(FenHisto& f) {
  f.CmdHist1(1).setEnabled(false);
  f.CmdHist1(0).setEnabled(true);
  f.stcadre(1).setCaption(MSG(103));
  f.Framehist(2).setEnabled(false);
  for (int i = 0; i < kSeries; ++i) f.ChkH(i).setEnabled(false);
  Trace_Nuage();
}

// The ticked series, later ones over earlier ones; the caption of series s.
void histogrammes(FenHisto& f, int s) {
  f.Framehist(2).setEnabled(true);
  f.CmdHist1(0).setEnabled(false);
  f.CmdHist1(1).setEnabled(true);
  f.stcadre(1).setCaption(MSG(107));
  for (int i = 0; i < kSeries; ++i) f.ChkH(i).setEnabled(true);
  PictureCanvas c(f.HistPicHist);
  c.scale(0, 1000, 1000, 0);
  platform::Colour fore = f.HistPicHist.foreColor();
  QVL& q = Qvl();
  for (int v = 1; v <= kSeries; ++v) {
    if (!coche(f.ChkH(v - 1))) continue;
    Nb_Classes = Nombre_Classes(f.Text1histo.text());
    const auto h = Classes_Histogramme(Grille_Mesures(), v, LigneCourante - 1, Nb_Classes);
    if (!h) continue;
    Trace_Histogramme(c, *h, v, fore);
    if (v - 1 == s) f.LabelHisto.setCaption(Legende_Histogramme(f.Histcmd(s).caption(), *h, Format_Decimal, SautLigne));
    if (v < q.GrilleRef.cols()) {
      q.GrilleRef.setCellBackColor(h->min.row, v, 0x00FFFF);
      q.GrilleRef.setCellBackColor(h->max.row, v, 0xFFFFFF);
    }
  }
  f.HistPicHist.setForeColor(fore);
}

}  // namespace

void RAZ_Choix() {
  FenHisto& f = StatWindow();
  for (int i = 0; i < kSeries; ++i) {
    f.Histcmd(i).setEnabled(false);
    f.Histcmd(i).setCaption("");
    f.ChkH(i).setCaption("");
  }
}

void Exec_Hist(int s) {
  FenHisto& f = StatWindow();
  try {
    effaceGraphe(f);
    if (s < 0 || s >= kSeries) s = 0;
    const int courante = static_cast<int>(Serie_Courante);
    if (courante < 0 || courante >= kSeries || !coche(f.ChkH(courante))) s = 0;
    if (FonctionCourante == 1 && !coche(f.ChkH(0))) {
      f.ChkH(0).setValue(1);   // its click draws first
    }
    if (Mode_Histogramme == 0)
      modeNuage(f);
    else
      histogrammes(f, s);
  } catch (const std::exception&) {
    // A failing chart ends quietly, leaving what was drawn.
  }
}

void ChkH_Click(int i) {
  FenHisto& f = StatWindow();
  effaceGraphe(f);
  f.LabelHisto.setCaption("");
  for (int b = 0; b < kSeries; ++b) f.Histcmd(b).setEnabled(coche(f.ChkH(b)));
  if (coche(f.ChkH(i))) Serie_Courante = static_cast<float>(i);
  Exec_Hist(i);
}

void Histcmd_Click(int i) {
  effaceGraphe(StatWindow());
  Exec_Hist(i);
}

void Montre_Choix_Graphe(bool nuage) {
  FenHisto& f = StatWindow();
  f.Framehist(0).setVisible(nuage);
  f.Framehist(2).setVisible(!nuage);
  f.Command12.setVisible(nuage);
  for (int i = 0; i <= 2; ++i) f.Check3(i).setVisible(nuage);
}

void CmdHist1_Click(int i) {
  FenHisto& f = StatWindow();
  Montre_Choix_Graphe(i != 0);
  Mode_Histogramme = Mode_Histogramme == 0 ? -1 : 0;
  f.Frame_extraire.setEnabled(Mode_Histogramme == 0);
  f.Label8.setCaption("");
  Exec_Hist(0);
}

void Text1histo_Change() {
  FenHisto& f = StatWindow();
  const int n = Nombre_Classes(f.Text1histo.text());
  const std::string texte = std::to_string(n);
  // The box shows the count the histogram uses: out of range or followed by other
  // characters ("2bc"), it is rewritten.
  if (f.Text1histo.text() != texte) {
    f.Text1histo.setText(texte);   // fires this handler again, which draws
    return;
  }
  if (panneau1Visible()) Exec_Hist(static_cast<int>(Serie_Courante));
}

void VScroll1Hist_Change() {
  FenHisto& f = StatWindow();
  f.Text1histo.setText(std::to_string(f.VScroll1Hist.value()));
}

void Text2Hist_Change(int /*Index*/) {
  if (panneau1Visible()) Exec_Hist(0);
}

void RAZ_Panneau1() {
  FenHisto& f = StatWindow();
  // The boxes go back to their design state without drawing.
  const auto series = std::exchange(f.ChkH.onClick, nullptr);
  for (int i = 0; i < kSeries; ++i) {
    f.ChkH(i).setValue(0);
    f.ChkH(i).setEnabled(true);
  }
  f.ChkH.onClick = series;
  RAZ_Options_Nuage(f);
}

void ConnecteHistogramme(FenHisto& f) {
  f.ChkH.onClick = [](int i) { ChkH_Click(i); };
  f.Histcmd.onClick = [](int i) { Histcmd_Click(i); };
  f.CmdHist1.onClick = [](int i) { CmdHist1_Click(i); };
  f.VScroll1Hist.onChange = [] { VScroll1Hist_Change(); };
  f.Text1histo.onChange = [] { Text1histo_Change(); };
  f.Text2Hist.onChange = [](int i) { Text2Hist_Change(i); };
  ConnecteNuage(f);
}
