#include "measure/panels.h"

#include "forms/main_window.h"
#include "measure/measure_state.h"
#include "platform/colour.h"

void Ferme_Panneaux() {
  QVL& f = Qvl();
  f.FraCharte.setVisible(false);
  f.OptnMchrt->setVisible(false);
  f.Bout(10).setVisible(true);
  f.Bout(14).setVisible(true);
  Mode_Comptage = false;
  Mode_Densite = false;
  f.Bout(9).setBackColor(platform::kButtonFace);
  f.Bout(9).setEnabled(true);
  f.Bout(10).setEnabled(true);
  f.MnuFIC(9).setEnabled(true);
}
