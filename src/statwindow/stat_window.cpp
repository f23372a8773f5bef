// The statistics window's life: made on first use, opened modal from the main window,
// loaded, activated on the grid's data, closed.
#include "statwindow/stat_window.h"

#include <algorithm>
#include <string>

#include "base/globals.h"
#include "forms/main_window.h"
#include "forms/stat_window.h"
#include "measure/grid_statistics.h"
#include "measure/measure_state.h"
#include "platform/colour.h"
#include "statwindow/auto_split.h"
#include "statwindow/diagram_panel.h"
#include "statwindow/extract_files.h"
#include "statwindow/extraction.h"
#include "statwindow/histogram.h"
#include "statwindow/law_panels.h"
#include "statwindow/normality_panels.h"
#include "statwindow/panel_layout.h"
#include "statwindow/spreadsheet_paste.h"
#include "statwindow/stat_state.h"
#include "statwindow/test_panels.h"

namespace {

FenHisto* g_fenetre = nullptr;

constexpr int kSeries = 7;   // Histcmd(0..6), ChkH(0..6)

void connecte(FenHisto& f) {
  f.onLoad = [] { FenHisto_Form_Load(); };
  f.onActivate = [] { FenHisto_Form_Activate(); };
  f.Mnstat.onClick = [](int i) { Mnstat_Click(i); };
  f.Mnstat3.onClick = [](int i) { Mnstat3_Click(i); };
  f.Mnstat4.onClick = [](int i) { Mnstat4_Click(i); };
  f.Mnstat6.onClick = [](int i) { Mnstat6_Click(i); };
  f.Hopt.onClick = [](int i) { Hopt_Click(i); };
  f.Cmd_Copyboard.onClick = [](int i) { Cmd_Copyboard_Click(i); };
  f.CmdHist.onClick = [](int i) { CmdHist_Click(i); };
  f.EVScroll1.onChange = [] { EVScroll1_Change(); };
  f.txttest.onChange = [] { txttest_Change(); };
  ConnecteHistogramme(f);
  ConnecteDiagramme(f);
  ConnecteTestsNormalite(f);
  ConnecteLois(f);
  ConnecteComparaisons(f);
  ConnecteExtraction(f);
  ConnecteCoupure(f);
  ConnecteCollage(f);
  f.cmdCopie_Ecran.onClick = [] { cmdCopie_Ecran_Click(); };
  // The blank items of Tests, Tables stat and "vide" have no command: greyed.
  Grise_Articles(f.Mnstat3, {5});
  Grise_Articles(f.Mnstat4, {3, 4, 5});
  Grise_Articles(f.Mnstat5, {1, 2});
}

// One series per value column (every column but the row number, the image number and
// the comment): the first seven get the series buttons and boxes, every one is listed
// once in List1 for the scatter plot.
void titresSeries(FenHisto& f) {
  QVL& q = Qvl();
  f.List1.clear();
  if (q.GrilleRefP.rows() > 0) q.GrilleRefP.setRow(0);
  f.Histcmd(2).setWidth(750);
  f.ChkH(2).setEnabled(true);
  f.Histcmd(0).setEnabled(f.ChkH(0).enabled());
  const int derniere = std::min(q.GrilleRef.cols() - 4, q.GrilleRefP.cols() - 2);
  for (int i = 0; i <= derniere; ++i) {
    const std::string titre = q.GrilleRefP.textMatrix(0, i + 1);
    if (i < kSeries) {
      f.Histcmd(i).setCaption(titre);
      f.ChkH(i).setCaption(titre);
      f.ChkH(i).setForeColor(platform::QBColor(i + 1));
    }
    f.List1.addItem(titre);
  }
}

// The scatter plot's axes: the first two columns, or column 1 on both for the
// single-segment function.
void axesNuage(FenHisto& f) {
  Colonnes_Nuage(0) = 1;
  Colonnes_Nuage(1) = 2;
  f.Text2Hist(0).setText(f.List1.list(0));
  f.Text2Hist(1).setText(f.List1.list(1));
  if (FonctionCourante == 1) {
    Colonnes_Nuage(1) = 1;
    f.Text2Hist(1).setText(f.List1.list(0));
  }
}

}  // namespace

FenHisto& StatWindow() {
  if (!g_fenetre) {
    g_fenetre = new FenHisto();
    connecte(*g_fenetre);
  }
  return *g_fenetre;
}

void ForgetStatisticsWindow() {
  if (!g_fenetre) return;
  g_fenetre->unload();
  delete g_fenetre;
  g_fenetre = nullptr;
}

bool StatWindowExists() { return g_fenetre != nullptr; }

void ShowStatisticsWindow() {
  FenHisto& f = StatWindow();
  f.load();
  f.move(1000, 500);
  f.showModal();
}

void UnloadStatisticsWindow() {
  if (StatWindowExists()) StatWindow().unload();
}

void Quitte_Stat() { StatWindow().unload(); }

void FenHisto_Form_Load() {
  FenHisto& f = StatWindow();
  ResetStatWindowVariables();
  RAZ_Panneau1();
  f.MOption1(3).setEnabled(false);
  M_init();
}

void FenHisto_Form_Activate() {
  FenHisto& f = StatWindow();
  RAZ_Choix();
  f.Framehist(1).setVisible(false);
  Calcul_stat();
  f.move(3500, 2000);
  switch (Vue_Stat) {
    case 1:
      Init_cadrage_frames(1);
      Montre_Choix_Graphe(true);
      Mode_Histogramme = 0;
      break;
    case 2:
      Init_cadrage_frames(1);
      Montre_Choix_Graphe(false);
      Mode_Histogramme = -1;
      break;
    case 3:
      Init_cadrage_frames(2);
      MText4_Change();
      break;
    case 4:
      Init_cadrage_frames(3);
      break;
    default:
      break;
  }
  Charge_entetes();
  if (!Liste_Extrait.empty()) f.MOption1(3).setEnabled(true);
  f.MCheck1(0).setValue(0);
  if (Auto_Pdms) f.MCheck1(0).setValue(1);
  titresSeries(f);
  f.Text1histo.setText("5");
  Nb_Classes = 5;
  f.VScroll1Hist.setValue(5);
  axesNuage(f);
  f.MOption1(0).setValue(true);
  f.MVScroll2(3).setValue(1);
}
