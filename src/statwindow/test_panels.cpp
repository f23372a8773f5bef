// The Tests menu and the comparisons of means (panels 3 and 4).
#include "statwindow/test_panels.h"

#include <optional>
#include <string>

#include "forms/stat_window.h"
#include "platform/colour.h"
#include "platform/runtime.h"
#include "reports/stat_rows.h"
#include "stats/mean_comparison.h"
#include "stats/number_text.h"
#include "statwindow/data_series.h"
#include "statwindow/diagram_state.h"
#include "statwindow/normality_panels.h"
#include "statwindow/panel_layout.h"
#include "statwindow/stat_window.h"

namespace {

void ecrit(platform::Control& label, const std::optional<std::string>& texte) {
  if (texte) label.setCaption(*texte);
}

// A risk box: a number from 1 to 99 moves its spinner and recomputes; anything else
// changes nothing.
bool risqueValide(const std::string& texte, platform::VScrollBar& spin) {
  const std::optional<double> r = stats::typedNumber(texte);
  if (!r || !(*r >= 1 && *r <= 99)) return false;
  spin.setValue(platform::CInt(*r));
  return true;
}

// A spinner writes its value into its risk box when the box says otherwise.
void spinnerVersRisque(platform::VScrollBar& spin, platform::TextBox& box) {
  const std::optional<double> r = stats::typedNumber(box.text());
  if (!r || platform::CInt(*r) != spin.value()) box.setText(platform::CStr(static_cast<long long>(spin.value())));
}

void separateurDecimal(int& keyAscii) {
  if (keyAscii == '.' || keyAscii == ',') keyAscii = static_cast<unsigned char>(platform::DecimalSeparator());
}

}  // namespace

void Mnstat3_Click(int Index) {
  FenHisto& f = StatWindow();
  // Every item first folds the test frame and the two test frames away.
  f.stcadre(7).move(0, 0, 0, 0);
  for (int i : {2, 3}) {
    f.FraTest(i).move(0, 0, 0, 0);
    f.FraTest(i).setVisible(false);
  }
  switch (Index) {
    case 1:
      f.stcadre(7).move(0, 0, 7000, 8000);
      f.stcadre(7).setVisible(true);
      ChoixComp_Click(1);
      break;
    case 2:
    case 3:
    case 4:
      Affiche_Test(Index);
      break;
    default:
      break;
  }
}

void CompMoy_1() {
  FenHisto& f = StatWindow();
  stats::OneSampleInput in;
  in.mean = f.Ctxt(0).text();
  in.reference = f.Ctxt(5).text();
  in.deviation = f.Ctxt(6).text();
  in.standardError = f.Ctxt(1).text();
  in.size = f.Ctxt(2).text();
  in.risk = f.Ctxt(3).text();
  in.deviationGiven = f.COption1(1).value();
  in.normalPower = f.chkLoiNormale(0).value() == 1;
  in.showT = f.Copt(4).value() == 1;
  in.column = f.MText4.text();
  const stats::OneSampleLabels r = stats::CompMoy_1(in);
  ecrit(f.CLabel1, r.CLabel1);
  ecrit(f.CLabel2, r.CLabel2);
  ecrit(f.CLabel3, r.CLabel3);
  ecrit(f.CLabel4(0), r.CLabel4);
  ecrit(f.Clabel5(0), r.Clabel5_0);
  ecrit(f.Clabel5(1), r.Clabel5_1);
  ecrit(f.lblMoyenne(5), r.lblMoyenne5);
}

void CompMoy_2() {
  FenHisto& f = StatWindow();
  stats::TwoSampleInput in;
  in.n1 = f.ctxt1(1).text();
  in.n2 = f.ctxt1(2).text();
  in.m1 = f.ctxt1(3).text();
  in.m2 = f.ctxt1(4).text();
  in.s1 = f.ctxt1(5).text();
  in.s2 = f.ctxt1(6).text();
  in.risk = f.ctxt1(10).text();
  in.unequal = f.Copt(0).value() == 1;
  in.twoSided = f.Copt(2).value() == 1;
  in.showCalc = f.Copt(3).value() == 1;
  in.column = f.MText4.text();
  const stats::TwoSampleLabels r = stats::CompMoy_2(in);
  ecrit(f.CLabel6(1), r.CLabel6_1);
  ecrit(f.CLabel6(3), r.CLabel6_3);
  ecrit(f.CLabel6(4), r.CLabel6_4);
  ecrit(f.CLabel6(11), r.CLabel6_11);
  ecrit(f.lblMoyenne(10), r.lblMoyenne10);
}

void ChoixComp_Click(int Index) {
  if (Index == 0) {
    Init_cadrage_frames(3);
    CompMoy_1();
  } else if (Index == 1) {
    Init_cadrage_frames(4);
    CompMoy_2();
  }
}

void cmdCalcul_Click(int Index) {
  if (Index == 1) CompMoy_1();
  if (Index == 2) CompMoy_2();
}

void Ctxt_Change(int Index) {
  FenHisto& f = StatWindow();
  if (Index == 3 && !risqueValide(f.Ctxt(3).text(), f.CVScroll1(3))) return;
  CompMoy_1();
}

void ctxt1_Change(int Index) {
  FenHisto& f = StatWindow();
  if (Index == 10 && !risqueValide(f.ctxt1(10).text(), f.CVScroll1(0))) return;
  CompMoy_2();
}

void CVScroll1_Change(int Index) {
  FenHisto& f = StatWindow();
  if (Index == 0) spinnerVersRisque(f.CVScroll1(0), f.ctxt1(10));
  if (Index == 3) spinnerVersRisque(f.CVScroll1(3), f.Ctxt(3));
}

void cmdDonnes_Click(int Index) {
  // Nothing is copied until the diagram panel has described a series.
  if (NbDonnees < 1) return;
  FenHisto& f = StatWindow();
  const std::string n = platform::CStr(static_cast<long long>(NbDonnees));
  if (Index == 1) {
    f.Ctxt(2).setText(n);
    f.Ctxt(0).setText(generalNumber(Moyenne_M));
    f.Ctxt(6).setText(generalNumber(Ecart_Type_M));
  } else if (Index == 0) {
    f.ctxt1(1).setText(n);
    f.ctxt1(3).setText(generalNumber(Moyenne_M));
    f.ctxt1(5).setText(generalNumber(Ecart_Type_Estime(Ecart_Type_M, NbDonnees)));
  }
}

void COption1_Click(int Index) {
  FenHisto& f = StatWindow();
  const bool erreurTapee = Index == 0;
  const platform::Colour blanc = platform::RGB(255, 255, 255), face = 0x8000000F;
  f.Ctxt(1).setEnabled(erreurTapee);
  f.Ctxt(1).setBackColor(erreurTapee ? blanc : face);
  f.Ctxt(6).setEnabled(!erreurTapee);
  f.Ctxt(6).setBackColor(erreurTapee ? face : blanc);
  CompMoy_1();
}

void Copt_Click(int Index) {
  if (Index == 4)
    CompMoy_1();
  else
    CompMoy_2();
}

void Exemple_Comparaison() {
  FenHisto& f = StatWindow();
  const std::string d(1, platform::DecimalSeparator());
  if (f.stcadre(3).visible()) {
    f.Ctxt(0).setText("11" + d + "1");
    f.Ctxt(1).setText("0" + d + "2464");
    f.Ctxt(5).setText("11" + d + "5");
    f.Ctxt(6).setText("1" + d + "25");
  }
  if (f.stcadre(4).visible()) f.Ctxt(0).setText("10" + d + "5");
}

void ConnecteComparaisons(FenHisto& f) {
  f.ChoixComp.onClick = [](int i) { ChoixComp_Click(i); };
  f.cmdCalcul.onClick = [](int i) { cmdCalcul_Click(i); };
  f.cmdDonnes.onClick = [](int i) { cmdDonnes_Click(i); };
  f.Ctxt.onChange = [](int i) { Ctxt_Change(i); };
  f.Ctxt.onClick = [](int i) { Ctxt_Change(i); };
  f.ctxt1.onChange = [](int i) { ctxt1_Change(i); };
  f.Ctxt.onKeyPress = [](int, int& k) { separateurDecimal(k); };
  f.ctxt1.onKeyPress = [](int, int& k) { separateurDecimal(k); };
  f.CVScroll1.onChange = [](int i) { CVScroll1_Change(i); };
  f.COption1.onClick = [](int i) { COption1_Click(i); };
  f.chkLoiNormale.onClick = [](int) { CompMoy_1(); };
  f.Copt.onClick = [](int i) { Copt_Click(i); };
}
