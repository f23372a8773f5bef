// The normal and Student law calculators.
#include "statwindow/law_panels.h"

#include "forms/stat_window.h"
#include "platform/app.h"
#include "platform/runtime.h"
#include "stats/law_calculators.h"
#include "statwindow/panel_layout.h"
#include "statwindow/stat_window.h"

namespace {

// A point or a comma typed in a number box becomes the system's decimal separator.
void separateurDecimal(int& keyAscii) {
  if (keyAscii == '.' || keyAscii == ',') keyAscii = static_cast<unsigned char>(platform::DecimalSeparator());
}

}  // namespace

void Mnstat4_Click(int Index) {
  if (Index != 1 && Index != 2) return;
  StatWindow().stcadre(7).setVisible(false);
  Init_cadrage_frames(Index == 1 ? 5 : 6);
}

void Calcul_Student() {
  FenHisto& f = StatWindow();
  const auto r = stats::Calcul_Student(f.StOptTInv(1).value(), f.StOption2(1).value(), f.StText(1).text(),
                                       f.StText(2).text());
  if (r) f.StLabel3(2).setCaption(*r);
}

void StOption2_Click(int /*Index*/) {
  FenHisto& f = StatWindow();
  f.StlblLabel1.setCaption(stats::Libelles_Student(f.StOptTInv(1).value(), f.StOption2(1).value()).StlblLabel1);
  Calcul_Student();
}

void StOptTInv_Click(int /*Index*/) {
  FenHisto& f = StatWindow();
  const stats::StudentCaptions c = stats::Libelles_Student(f.StOptTInv(1).value(), f.StOption2(1).value());
  f.StLabel3(0).setCaption(c.StLabel3_0);
  f.StLabel3(1).setCaption(c.StLabel3_1);
  f.StLabel3(2).setCaption(c.StLabel3_2);
  Calcul_Student();
}

void StText_Change(int /*Index*/) { Calcul_Student(); }

void CalculS_LN() {
  FenHisto& f = StatWindow();
  const stats::NormalLawLabels r =
      stats::CalculS_LN(f.LNOpt(2).value(), f.LNTxt(1).text(), f.LNTxt(2).text(), f.LNTxt(3).text());
  f.LNLabel(7).setCaption(r.LNLabel7);
  f.LNLabel(4).setCaption(r.LNLabel4);
}

void LNOpt_Click(int /*Index*/) {
  FenHisto& f = StatWindow();
  f.LNLabel(3).setCaption(stats::Libelle_Normale(f.LNOpt(2).value()));
  CalculS_LN();
}

void LNTxt_Change(int Index) {
  FenHisto& f = StatWindow();
  if (!f.LNTxt.exists(Index)) return;
  if (f.LNTxt(Index).text().empty()) {
    platform::App::Beep();
    return;
  }
  CalculS_LN();
}

void ConnecteLois(FenHisto& f) {
  f.StOption2.onClick = [](int i) { StOption2_Click(i); };
  f.StOptTInv.onClick = [](int i) { StOptTInv_Click(i); };
  f.StText.onChange = [](int i) { StText_Change(i); };
  f.LNOpt.onClick = [](int i) { LNOpt_Click(i); };
  f.LNTxt.onChange = [](int i) { LNTxt_Change(i); };
  f.StText.onKeyPress = [](int, int& k) { separateurDecimal(k); };
  f.LNTxt.onKeyPress = [](int, int& k) { separateurDecimal(k); };
}
