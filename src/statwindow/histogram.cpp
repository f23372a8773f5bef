// The series controls of panel 1 and the entry point of its charts.
#include "statwindow/histogram.h"

#include "forms/stat_window.h"
#include "statwindow/stat_state.h"
#include "statwindow/stat_window.h"

namespace {

bool panneau1Visible() { return StatWindow().stcadre(1).visible(); }

}  // namespace

void RAZ_Choix() {
  FenHisto& f = StatWindow();
  for (int i = 0; i <= 6; ++i) {
    f.Histcmd(i).setEnabled(false);
    f.Histcmd(i).setCaption("");
    f.ChkH(i).setCaption("");
  }
}

// Stand-in until the charts are drawn: leaves the picture as it is.
void Exec_Hist(int /*s*/) {}

void Text1histo_Change() {
  if (panneau1Visible()) Exec_Hist(static_cast<int>(Serie_Courante));
}

void Text2Hist_Change(int /*Index*/) {
  if (panneau1Visible()) Exec_Hist(0);
}
