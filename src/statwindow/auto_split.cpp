// The automatic split of the scatter plot.
#include "statwindow/auto_split.h"

#include <optional>
#include <vector>

#include "base/globals.h"
#include "base/helpers.h"
#include "base/text_tables.h"
#include "forms/main_window.h"
#include "forms/stat_window.h"
#include "platform/dialogs.h"
#include "platform/runtime.h"
#include "statwindow/extraction.h"
#include "statwindow/stat_state.h"
#include "statwindow/stat_window.h"

namespace {

constexpr unsigned kRouge = 255;

}  // namespace

void Command12_Click() { Extr_Auto(); }

void Extr_Auto() {
  FenHisto& f = StatWindow();
  Qvl().StatusBar1.setSimpleText(
      "un point de césure est calculé automatiquement. Permet de scinder une distribution non homogène");
  const std::optional<double> x0 = Point_Coupure(Points_Nuage());
  if (!x0) {
    platform::MsgBox(MSG(187), platform::vbOKOnly);
    return;
  }
  f.Framehist(1).setVisible(true);
  f.Label11.setCaption(platform::CStr(*x0));
}

void Command11_Click(int Index) {
  FenHisto& f = StatWindow();
  if (Index == 0) {
    Mnstat_Click(1);
    f.Framehist(1).setVisible(false);
    Mnstat_Click(1);
    Qvl().StatusBar1.setSimpleText("");
  } else if (Index == 1 || Index == 2) {
    Mnstat_Click(1);
    const double x0 = Val_Decimal(f.Label11.caption());
    Liste_Extrait.clear();
    f.HistPicHist.setForeColor(kRouge);
    std::vector<ExtractPoint> choisis;
    if (Coef_X > 0 && Coef_Y > 0) choisis = Selection_Coupure(Points_Nuage(), x0, Index == 1);
    Marque_Extrait(choisis, kRouge);
  }
  f.Mnstat6(1).setEnabled(!Liste_Extrait.empty());
}

void ConnecteCoupure(FenHisto& f) {
  f.Command12.onClick = [] { Command12_Click(); };
  f.Command11.onClick = [](int i) { Command11_Click(i); };
}
