// The diagram panel: where its series comes from (a grid column, a typed or pasted
// text, an extract), its result text and its copies.
#include "statwindow/diagram_panel.h"

#include <algorithm>
#include <exception>
#include <optional>
#include <span>

#include "base/globals.h"
#include "base/helpers.h"
#include "base/text_tables.h"
#include "forms/main_window.h"
#include "forms/stat_window.h"
#include "measure/measure_state.h"
#include "platform/clipboard.h"
#include "platform/runtime.h"
#include "statwindow/data_series.h"
#include "statwindow/diagram_state.h"
#include "statwindow/extraction.h"
#include "statwindow/grid_columns.h"
#include "statwindow/modes.h"
#include "statwindow/stat_window.h"

namespace {

// While the panel's controls are set back to their start state, their handlers do
// nothing (a box unticked at load must not compute nor change the settings).
bool g_miseEnPlace = false;

const char kExemple[] =
    "1,532;1,538;1,544;1,638;1,667;1,667;1,692;1,692;1,694;1,694;1,724;1,774;1,833;1,855;1,867;1,867;1,923;2;";

// Runs a handler of the panel unless the controls are being set up.
template <class F>
auto quand(F fn) {
  return [fn](auto... args) {
    if (!g_miseEnPlace) fn(args...);
  };
}

// The grid column named by a text: a whole number within 16 bits.
bool numeroColonne(const std::string& texte, int& col) {
  double v = 0;
  if (!ReadGridNumber(texte, v) || v < -32768 || v > 32767) return false;
  col = platform::CInt(v);
  return true;
}

// The cells of grid column col (rows 1 to LigneCourante - 1), every one or only the
// non-zero ones, each followed by ";"; empty for a column outside the grid.
std::optional<std::string> texteColonne(int col, bool toutes) {
  const platform::FlexGrid& g = Qvl().GrilleRef;
  if (col < 0 || col >= g.cols() || g.rows() < 1) return std::nullopt;
  std::string t;
  const int derniere = std::min(LigneCourante - 1, g.rows() - 1);
  for (int r = 1; r <= derniere; ++r) {
    const std::string cellule = g.textMatrix(r, col);
    if (toutes || Val_Decimal(cellule) != 0) t += cellule + ";";
  }
  return t;
}

// Fills MText3 from grid column col, every cell or only the non-zero ones.
bool chargeColonne(int col, bool toutes) {
  FenHisto& f = StatWindow();
  const std::optional<std::string> lu = texteColonne(col, toutes);
  if (!lu) return false;
  const std::string& t = *lu;
  f.MText3.setText("");
  f.NmColonne.setCaption(Qvl().GrilleRef.textMatrix(0, col));
  f.MText3.setText(t);
  if (f.MCheck1(6).value() != 1) Texte_Donnees = t;
  if (Texte_Donnees == ";") {
    f.MText3.setText("");
    f.NmColonne.setCaption(" entrer les données + ;  et presser 'calcul'");
  }
  return true;
}

// No values loaded: the results and the diagram are emptied, and nothing of the
// previous series stays to be read by the test panels.
void videDonnees(FenHisto& f) {
  Donnees.assign(1, 0.0);
  NbDonnees = 0;
  Val_Dominante = 0;
  Moyenne_M = Ecart_Type_M = Mediane_M = D1_M = D9_M = 0;
  f.MText1.setText("");
  f.MHistPic.setBackColor(0xFFFFFF);
}

// The panel's controls back to their designed state.
void controlesDeDepart(FenHisto& f) {
  g_miseEnPlace = true;
  for (int i = 0; i <= 3; ++i) f.MOption1(i).setValue(false);
  f.MText4.setText("1");
  f.MVScroll1.setMin(1);
  f.MVScroll1.setValue(1);
  f.MText3.setText("");
  f.NmColonne.setCaption("");
  for (int i = 1; i <= 7; ++i) f.MCheck1(i).setValue(i <= 2 ? 1 : 0);
  f.MVScroll2(4).setValue(50);
  f.MVScroll2(5).setValue(0);
  f.MScroll1(5).setValue(f.MScroll1(5).min());
  f.groupe.setCaption("1 pixel");
  f.MCommand2.setCaption("PDMS 1");
  f.MCommand2.setBackColor(0xC0C0C0);
  f.MCommand2.setEnabled(true);
  f.MLabel5(1).setCaption("-");
  f.MLabel5(2).setCaption("-");
  f.lblNb.setCaption("nb;nb/u");
  for (int i : {3, 4, 5, 15, 16}) f.MCommand5(i).setEnabled(false);
  f.MHistPic.setBackColor(0xFFFFFF);
  g_miseEnPlace = false;
}

void statut(const std::string& texte) { Qvl().StatusBar1.setSimpleText(texte); }

std::span<const float> modes() { return std::span<const float>(Modes.begin(), Modes.end()); }

}  // namespace

void ConnecteDiagramme(FenHisto& f) {
  f.MOption1.onClick = quand([](int i) { MOption1_Click(i); });
  f.MText4.onChange = quand([] { MText4_Change(); });
  f.MVScroll1.onChange = quand([] { MVScroll1_Change(); });
  f.MText4E.onChange = quand([] { MText4E_Change(); });
  f.MCommand3.onClick = quand([](int i) { MCommand3_Click(i); });
  f.MCommand1.onClick = quand([](int i) { MCommand1_Click(i); });
  f.cmdResumeTout.onClick = quand([] { cmdResumeTout_Click(); });
  f.MCheck1.onClick = quand([](int i) { MCheck1_Click(i); });
  f.MVScroll2.onChange = quand([](int i) { MVScroll2_Change(i); });
  f.MScroll1.onChange = quand([](int i) { MScroll1_Change(i); });
  f.Command5.onClick = quand([] { Command5_Click(); });
  ConnecteModes(f);
}

void M_init() {
  ResetDiagramVariables();
  FenHisto& f = StatWindow();
  controlesDeDepart(f);
  f.MText2.setText(platform::CStr(0.5));
  f.MText1.setText("");
  Texte_Complet = Texte_Donnees;
  f.MCheck1(3).setCaption("Ech. X fixe " + platform::CStr(platform::Int(Echelle_X)) + "%");
  f.MCheck1(4).setCaption("Ech. Y fixe " + std::to_string(Echelle_Y) + "%");
  Marquage_PDM = false;
  Attente_Borne2 = false;

  f.HistPicHist.move(240, 240, 8500, 5580);
  f.Framehist(0).setVisible(false);
  f.Framehist(2).setVisible(false);
  if (Vue_Stat == 1) f.Framehist(0).setVisible(true);
  if (Vue_Stat == 2) f.Framehist(2).setVisible(true);
}

// --- sources -----------------------------------------------------------------------

void MOption1_Click(int Index) {
  FenHisto& f = StatWindow();
  for (int i : {4, 6, 7, 8}) {
    f.MFrame1(i).move(1400, f.MFrame1(0).top());
    f.MFrame1(i).setVisible(false);
  }
  for (int i : {0, 1}) f.Command2(i).setVisible(Index == 2);
  switch (Index) {
    case 0:
      Libelle_Donnees.clear();
      f.MFrame1(4).setVisible(true);
      MText4_Change();
      break;
    case 1:
      f.MFrame1(7).setVisible(true);
      break;
    case 2:
      f.MFrame1(6).setVisible(true);
      Libelle_Donnees = "X";
      break;
    case 3:
      Libelle_Donnees.clear();
      // The extract's column box starts at column 1; its spinner goes up to the
      // function's last column of values.
      g_miseEnPlace = true;
      f.EVScroll1.setMax(1);
      f.EVScroll1.setMin(std::max(1, Der_Colonne));
      f.EVScroll1.setValue(1);
      f.MText4E.setText("1");
      g_miseEnPlace = false;
      MText4E_Change();
      break;
    default:
      break;
  }
  f.MVScroll1.setMin(std::max(1, Der_Colonne));
}

void MVScroll1_Change() {
  FenHisto& f = StatWindow();
  platform::VScrollBar& b = f.MVScroll1;
  if (b.value() > 15) b.setValue(15);
  if (Val_Decimal(f.MText4.text()) != b.value()) f.MText4.setText(std::to_string(b.value()));
  if (b.value() > 15) b.setValue(15);
}

void MText4_Change() {
  FenHisto& f = StatWindow();
  const double v = Val_Decimal(f.MText4.text());
  if (v != f.MVScroll1.value()) f.MVScroll1.setValue(platform::CInt(v));
  traite_Stats();
}

void MText4E_Change() {
  FenHisto& f = StatWindow();
  try {
    f.EVScroll1.setValue(platform::CInt(Val_Decimal(f.MText4E.text())));
    f.MCheck1(6).setValue(0);
    OublieModes();
    const int col = f.EVScroll1.value();
    affecte_extrait(Liste_Extrait, col);
    const platform::FlexGrid& g = Qvl().GrilleRef;
    f.NmColonne.setCaption(col >= 0 && col < g.cols() && g.rows() > 0 ? g.textMatrix(0, col) : std::string());
    f.MFrame1(8).setVisible(true);
    calcul_extrait();
  } catch (const std::exception&) {
  }
}

void traite_Stats() {
  FenHisto& f = StatWindow();
  try {
    int col = 0;
    if (!numeroColonne(f.MText4.text(), col)) return;
    RazModes(1);
    f.MCheck1(6).setValue(0);
    OublieModes();
    if (!MText3_2_MstrData(col)) return;
    f.MText1.setText("");
    Recalcul_Diagramme();
  } catch (const std::exception&) {
  }
}

bool MText3_2_MstrData(int col) { return chargeColonne(col, false); }

bool MText3_2_MstrData_test(int col) { return chargeColonne(col, true); }

std::optional<std::string> Texte_Colonne_Test(int col) { return texteColonne(col, true); }

bool Source_Mesures() { return StatWindow().MOption1(0).value(); }

// --- computing -----------------------------------------------------------------------

void Recalcul_Diagramme() {
  FenHisto& f = StatWindow();
  try {
    if (Texte_Donnees == ";") {
      f.MText3.setText("");
      f.NmColonne.setCaption(NMST(16));
    }
    Mcalcul0();
  } catch (const std::exception&) {
  }
}

void Mcalcul0() {
  FenHisto& f = StatWindow();
  if (Marquage_PDM) {
    MCommand2_Click();
    OublieModes();
    f.MCommand2.setCaption("PDMS ");
    f.MFrame1(1).setCaption("PDMS");
  }
  Mcalcul(Texte_Donnees, 0);
}

void ReCalcul(int Index) {
  FenHisto& f = StatWindow();
  Texte_Donnees = f.MText3.text();
  if (Marquage_PDM) MCommand2_Click();
  f.MFrame1(1).setCaption("");
  f.MHistPic.cls();
  if (Index == 1) RazModes(1);
  Mcalcul0();
}

void calcul_extrait() { ReCalcul(0); }

void Mcalcul(const std::string& MstrData, int code) {
  FenHisto& f = StatWindow();
  f.MText1.setText("");
  if (!Marquage_PDM) Texte_Complet = MstrData;
  std::optional<SeriesData> s;
  if (!platform::Trim(f.MText3.text()).empty()) s = Mcharge_data(MstrData);
  if (!s) {
    videDonnees(f);
    return;
  }
  Donnees = std::move(s->donnees);
  NbDonnees = static_cast<int>(Donnees.size()) - 1;
  Val_Dominante = s->dominante;
  if (!Marquage_PDM) Modes(0) = static_cast<float>(Val_Dominante);
  Msto_texte();
  Trace_diagramme(code);
}

void Msto_texte() {
  FenHisto& f = StatWindow();
  NbDonnees = static_cast<int>(Donnees.size()) - 1;
  if (NbDonnees < 1) {
    f.MText1.setText("");
    return;
  }
  ResultInput in;
  in.horodatage = platform::FormatNow("dd/mm/yyyy - hh:nn:ss");
  // The column box of the source in use: the extract's or the grid's.
  in.colonne = f.MOption1(3).value() ? f.MText4E.text() : f.MText4.text();
  in.nomColonne = f.NmColonne.caption();
  in.libelle = Libelle_Donnees;
  in.donnees = Donnees;
  in.modes = modes();
  in.nbModes = NbModes;
  const ResultText r = Texte_Resultats(in);
  Moyenne_M = r.moyenneEt.moyenne;
  Ecart_Type_M = r.moyenneEt.ecartType;
  Mediane_M = r.mediane.mediane;
  D1_M = r.mediane.d1;
  D9_M = r.mediane.d9;
  if (Sauve_Resume) {
    Resume_Global(1) = r.entete;
    Resume_Global(2) = r.statistiques;
    Sauve_Resume = false;
  }
  f.MText1.setText(r.full());
}

// --- buttons -------------------------------------------------------------------------

void MCommand3_Click(int Index) {
  FenHisto& f = StatWindow();
  f.MVScroll1.setMin(std::max(1, Der_Colonne));
  switch (Index) {
    case 2:
      platform::Clipboard::clear();
      platform::Clipboard::setText(Texte_Donnees);
      break;
    case 4: {
      const std::string presse = platform::Clipboard::getText();
      f.MText2.setText(presse);
      f.MCheck1(3).setValue(0);
      f.MText3.setText(Texte_Colle(presse));
      break;
    }
    case 6:
      ReCalcul(1);
      break;
    case 7:
      f.MText3.setText("");
      break;
    default:
      break;
  }
}

void MCommand1_Click(int /*Index*/) {
  StatWindow().MText3.setText("");
  ReCalcul(0);
}

void cmdResumeTout_Click() {
  StatWindow().MText1.setText(Resume_Global(1) + Lignes_Modes(modes(), NbModes));
  statut("résultats relatif à l'ensemble des données");
}

void Exemple_Diagramme() {
  FenHisto& f = StatWindow();
  Texte_Donnees = kExemple;
  f.MText3.setText(kExemple);
  f.MCheck1(3).setValue(0);
  Mcalcul0();
}
