// The homogeneity, Shapiro-Wilk and D'Agostino frames of the statistics window.
#include "statwindow/normality_panels.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <utility>

#include "forms/stat_window.h"
#include "measure/measure_state.h"
#include "platform/app.h"
#include "platform/colour.h"
#include "platform/dialogs.h"
#include "platform/runtime.h"
#include "stats/dagostino.h"
#include "stats/homogeneity.h"
#include "stats/notices.h"
#include "stats/number_text.h"
#include "stats/shapiro_wilk.h"
#include "statwindow/diagram_panel.h"
#include "statwindow/panel_layout.h"
#include "statwindow/stat_window.h"

namespace {

// Set while a menu item prepares a frame: the boxes it writes do not test yet.
bool g_miseEnPlace = false;

// Where the pointer was pressed in a test frame (its own coordinates).
double g_pressionX = 0, g_pressionY = 0;

// The last value column of the grid (at least 1): the columns a test may take.
int derniereColonne() { return std::max(1, Der_Colonne); }

// The whole number a box holds, if any.
std::optional<int> nombreEntier(const std::string& text) {
  const std::optional<double> v = stats::typedNumber(text);
  if (!v || !std::isfinite(*v) || std::fabs(*v) > 32767) return std::nullopt;
  return platform::CInt(*v);
}

// A column box and its spinner: the spinner follows the box, the number capped to the
// grid's value columns (the box then shows the cap, its own Change handler doing
// nothing then). False when the box holds no number or the grid is empty.
bool regleColonne(platform::TextBox& box, platform::VScrollBar& spin) {
  if (LigneCourante == 1) return false;
  const std::optional<int> k = nombreEntier(box.text());
  if (!k) return false;
  const bool avant = std::exchange(g_miseEnPlace, true);
  spin.setMax(derniereColonne());
  const int col = std::clamp(*k, 1, derniereColonne());
  if (col != *k) box.setText(platform::CStr(static_cast<long long>(col)));
  spin.setValue(col);
  g_miseEnPlace = avant;
  return true;
}

// The grid column a column box names, capped to the grid's value columns.
std::optional<int> colonneDe(const platform::TextBox& box) {
  const std::optional<int> k = nombreEntier(box.text());
  if (!k) return std::nullopt;
  return std::clamp(*k, 1, derniereColonne());
}

// A spinner writes its value into its box when the box says otherwise.
void spinnerVersBoite(platform::VScrollBar& spin, platform::TextBox& box) {
  const std::optional<int> k = nombreEntier(box.text());
  if (!k || *k != spin.value()) box.setText(platform::CStr(static_cast<long long>(spin.value())));
}

// With the grid's measures as the diagram panel's source, loads the grid column of box
// into MText3; a typed, pasted, file or extract series stays as it is.
void chargeColonne(const platform::TextBox& box) {
  if (!Source_Mesures()) return;
  if (const std::optional<int> col = colonneDe(box)) MText3_2_MstrData_test(*col);
}

// The values a test reads: the grid column its column box shows while the source is
// the grid's measures, else the data text as it stands. Nothing is loaded into the
// diagram panel.
std::string donneesDe(const platform::TextBox& box) {
  if (Source_Mesures() && LigneCourante != 1) {
    if (const std::optional<int> col = colonneDe(box))
      if (std::optional<std::string> t = Texte_Colonne_Test(*col)) return *t;
  }
  return StatWindow().MText3.text();
}

}  // namespace

void Tests_Normalite(int index) {
  if (index != 2 && index != 3) return;
  FenHisto& f = StatWindow();
  const bool grille = LigneCourante != 1;
  f.Ttxt1(index).setEnabled(grille);
  f.TVScroll1(index).setEnabled(grille);
  const std::string donnees = donneesDe(f.Ttxt1(index));
  if (index == 2) {
    if (auto r = stats::Test_Homogeneite_Texte(donnees)) f.Tlabel1(2).setCaption(r->text);
  } else {
    const bool logNormale = f.Option3(1).value();
    if (auto t = stats::Normalite_Shapiro_Wilk(donnees, logNormale, f.Ttxt2(3).text())) f.Tlabel1(3).setCaption(*t);
  }
}

void Teste_Colonne(int index) {
  if (index != 2 && index != 3) return;
  FenHisto& f = StatWindow();
  chargeColonne(f.Ttxt1(index));
  Tests_Normalite(index);
}

void Affiche_Test(int Index) {
  FenHisto& f = StatWindow();
  if (Index == 2 || Index == 3) {
    // One test panel at a time: the D'Agostino panel would lie over this one.
    f.TestNorm.setVisible(false);
    platform::Frame& cadre = f.FraTest(Index);
    // The test frame fills the test panels' frame: it takes the place of the panel in
    // view, and the window takes its size.
    Cache_Cadres_Test();
    f.stcadre(7).setVisible(true);
    cadre.move(0, 0, 7000, 3000);
    f.stcadre(7).move(0, 0, 7000, 3000);
    Taille_Fenetre(f.stcadre(7));
    cadre.setVisible(true);
    g_miseEnPlace = true;
    regleColonne(f.Ttxt1(Index), f.TVScroll1(Index));
    if (Index == 3) {
      f.Ttxt2(3).setText("5");
      f.TVScroll2(3).setValue(5);
    }
    g_miseEnPlace = false;
    Tests_Normalite(Index);
  } else if (Index == 4) {
    Place_Dagostino();
    RedimXnom(f.TNCmd(0), "Fermer", 300, 120, 2800, 1200);
    RedimXnom(f.TNCmd(1), "Calcul", 300, 1400, 2800, 1200);
    f.TNLabel(0).setBackColor(platform::RGB(0xC0, 0xFF, 0xC0));
    f.TNLabel(0).setCaption("");
    f.VScroll1(0).setMax(derniereColonne());
    f.TestNorm.setVisible(true);
  }
}

void Command8_Click() {
  FenHisto& f = StatWindow();
  // The data text as it stands (typed, pasted or loaded), with no law: the panel then
  // shows beside the results the column and the law they come from, the diagram's
  // column while its source is the grid, no column for any other series.
  const std::string donnees = f.MText3.text();
  Affiche_Test(4);
  const std::optional<int> colonne = Source_Mesures() ? nombreEntier(f.MText4.text()) : std::nullopt;
  f.TnText(0).setText(colonne ? platform::CStr(static_cast<long long>(*colonne)) : std::string());
  f.Option4(0).setValue(true);
  f.TNLabel(0).setCaption(stats::Texte_Dagostino(donnees, false));
}

void Command3_Click(int Index) {
  FenHisto& f = StatWindow();
  if (f.FraTest.exists(Index)) f.FraTest(Index).setVisible(false);
}

void Command4_Click(int Index) { Tests_Normalite(Index); }

void Option3_Click(int /*Index*/) { Tests_Normalite(3); }

void Ttxt1_Change(int Index) {
  if (g_miseEnPlace || (Index != 2 && Index != 3)) return;
  FenHisto& f = StatWindow();
  if (!regleColonne(f.Ttxt1(Index), f.TVScroll1(Index))) return;
  Teste_Colonne(Index);
}

void Ttxt2_Change(int Index) {
  if (g_miseEnPlace || Index != 3) return;
  FenHisto& f = StatWindow();
  const std::optional<double> r = stats::typedNumber(f.Ttxt2(3).text());
  if (!r || !(*r >= 1 && *r <= 99)) return;
  f.TVScroll2(3).setValue(platform::CInt(*r));
  Tests_Normalite(3);
}

void TVScroll1_Change(int Index) {
  FenHisto& f = StatWindow();
  if (f.Ttxt1.exists(Index)) spinnerVersBoite(f.TVScroll1(Index), f.Ttxt1(Index));
}

void TVScroll2_Change(int Index) {
  FenHisto& f = StatWindow();
  if (!f.Ttxt2.exists(Index)) return;
  // A risk typed with a fraction keeps its text: the spinner shows it rounded.
  const std::optional<double> r = stats::typedNumber(f.Ttxt2(Index).text());
  if (!r || platform::CInt(*r) != f.TVScroll2(Index).value())
    f.Ttxt2(Index).setText(platform::CStr(static_cast<long long>(f.TVScroll2(Index).value())));
}

void TNCmd_Click(int Index) {
  FenHisto& f = StatWindow();
  if (Index == 0) {
    f.TestNorm.setVisible(false);
  } else if (Index == 1) {
    f.TNLabel(0).setCaption(stats::Texte_Dagostino(donneesDe(f.TnText(0)), f.Option4(1).value()));
  }
}

void TnText_Change(int /*Index*/) {
  FenHisto& f = StatWindow();
  regleColonne(f.TnText(0), f.VScroll1(0));
}

void VScroll1_Change(int /*Index*/) {
  FenHisto& f = StatWindow();
  spinnerVersBoite(f.VScroll1(0), f.TnText(0));
}

void ConnecteTestsNormalite(FenHisto& f) {
  stats::StatNotices& avis = stats::Stat_Notices();
  avis.message = [](const std::string& t) { platform::MsgBox(t); };
  avis.beep = [] { platform::App::Beep(); };
  f.Command3.onClick = [](int i) { Command3_Click(i); };
  f.Command4.onClick = [](int i) { Command4_Click(i); };
  f.Option3.onClick = [](int i) { Option3_Click(i); };
  f.Ttxt1.onChange = [](int i) { Ttxt1_Change(i); };
  f.Ttxt2.onChange = [](int i) { Ttxt2_Change(i); };
  f.TVScroll1.onChange = [](int i) { TVScroll1_Change(i); };
  f.TVScroll2.onChange = [](int i) { TVScroll2_Change(i); };
  f.TNCmd.onClick = [](int i) { TNCmd_Click(i); };
  f.Command8.onClick = [] { Command8_Click(); };
  f.TnText.onChange = [](int i) { TnText_Change(i); };
  f.VScroll1.onChange = [](int i) { VScroll1_Change(i); };
  // A test frame dragged with the left button follows the pointer's displacement
  // since the press.
  f.FraTest.onMouseDown = [](int, int button, int, double x, double y) {
    if (button != 1) return;
    g_pressionX = x;
    g_pressionY = y;
  };
  f.FraTest.onMouseMove = [](int i, int button, int, double x, double y) {
    if (button != 1 || !std::isfinite(x) || !std::isfinite(y)) return;
    platform::Frame& cadre = StatWindow().FraTest(i);
    cadre.move(cadre.left() + x - g_pressionX, cadre.top() + y - g_pressionY);
  };
}
