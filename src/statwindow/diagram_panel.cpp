// The diagram panel's entry points that the window's frame calls.
#include "statwindow/diagram_panel.h"

#include "base/globals.h"
#include "forms/stat_window.h"
#include "statwindow/stat_window.h"

namespace {

// Stand-in until the diagram panel is built: its data and results start empty.
void initDonneesDiagramme() {}

}  // namespace

void M_init() {
  initDonneesDiagramme();
  FenHisto& f = StatWindow();
  f.HistPicHist.move(240, 240, 8500, 5580);
  f.Framehist(0).setVisible(false);
  f.Framehist(2).setVisible(false);
  if (Vue_Stat == 1) f.Framehist(0).setVisible(true);
  if (Vue_Stat == 2) f.Framehist(2).setVisible(true);
}

// Stand-ins until the diagram panel is built: nothing is loaded, computed or drawn.
void traite_Stats() {}
void Recalcul_Diagramme() {}
void Mcalcul0() {}
void MText4_Change() {}
void Exemple_Diagramme() {}
