// Tables pasted from a spreadsheet into the measurement grid, and the copy buttons.
#include "statwindow/spreadsheet_paste.h"

#include <algorithm>

#include "base/globals.h"
#include "base/text_tables.h"
#include "forms/main_window.h"
#include "forms/stat_window.h"
#include "measure/grid_reset.h"
#include "measure/grid_statistics.h"
#include "measure/measure_state.h"
#include "measure/redraw.h"
#include "platform/clipboard.h"
#include "platform/dialogs.h"
#include "platform/runtime.h"
#include "platform/textfile.h"
#include "statwindow/grid_columns.h"
#include "statwindow/stat_window.h"
#include "stats/number_text.h"

namespace {

constexpr int kSeriesMax = 6;
constexpr double kLargeurSerie = 500;
constexpr int kLignesNumeroImage = 10;   // TabMesures rows 0 to 10 lose their image

std::string lettre(int serie) { return std::string(1, static_cast<char>('A' + serie)); }

std::string entier(long long n) { return platform::CStr(n); }

// The cells of a line split at tabs, each read; false at the first one that is wrong.
bool litCellules(const std::string& ligne, std::vector<std::optional<double>>* cellules) {
  cellules->clear();
  for (const std::string& c : platform::Split(ligne, "\t")) {
    std::optional<double> v;
    if (!Lit_Cellule_Tableur(c, &v)) return false;
    cellules->push_back(v);
  }
  return true;
}

// Replaces the grid with the table (after the clear question, whose No keeps
// everything): d series in columns 1 to d, blank headings on the two columns after
// them, row numbers in column 0 when asked, values written in single precision when
// asked.
bool remplitGrille(const TableauColle& t, bool numeros, bool simple) {
  QVL& q = Qvl();
  const int avant = LigneCourante;
  if (!Efface_Grille(0)) return false;
  const int d = static_cast<int>(t.series.size());
  platform::FlexGrid& g = q.GrilleRef;
  platform::FlexGrid& p = q.GrilleRefP;
  NbCellules = d + 1;
  for (platform::FlexGrid* grille : {&g, &p, &q.MGrille}) grille->setCols(d + 3);
  if (g.rows() < t.lignes + 1) g.setRows(t.lignes + 1);
  for (int c = 1; c < g.cols(); ++c) {
    g.setColWidth(c, kLargeurSerie);
    p.setColWidth(c, g.colWidth(c));
  }
  Efface_Lignes_Table(std::max(avant, t.lignes + 1));
  for (int r = 0; r <= kLignesNumeroImage; ++r) TabMesures(r).NumImage = 0;
  for (int c = 1; c < g.cols(); ++c) {
    const std::string titre = c <= d ? lettre(c - 1) : std::string();
    g.setTextMatrix(0, c, titre);
    p.setTextMatrix(0, c, titre);
  }
  for (int k = 0; k < d; ++k) {
    const auto& serie = t.series[static_cast<std::size_t>(k)];
    for (std::size_t j = 0; j < serie.size(); ++j) {
      if (!serie[j]) continue;
      g.setTextMatrix(static_cast<int>(j) + 1, k + 1, simple ? stats::singleNumber(*serie[j]) : platform::CStr(*serie[j]));
    }
  }
  if (numeros)
    for (int r = 1; r <= t.lignes; ++r) g.setTextMatrix(r, 0, entier(r));
  LigneCourante = t.lignes + 1;
  Liste_Extrait.clear();
  Retrace(0);
  return true;
}

}  // namespace

bool Lit_Cellule_Tableur(const std::string& cellule, std::optional<double>* valeur) {
  *valeur = std::nullopt;
  if (platform::Trim(cellule).empty()) return true;
  double v = 0;
  if (!ReadGridNumber(cellule, v)) return false;
  *valeur = v;
  return true;
}

std::vector<std::string> Lignes_Entieres(const std::string& texte) {
  std::vector<std::string> lignes;
  std::string courante;
  for (std::size_t i = 0; i < texte.size(); ++i) {
    const char c = texte[i];
    if (c == '\r' || c == '\n') {
      lignes.push_back(courante);
      courante.clear();
      if (c == '\r' && i + 1 < texte.size() && texte[i + 1] == '\n') ++i;
    } else {
      courante += c;
    }
  }
  return lignes;
}

LectureTableau Lit_Tableau_H(const std::string& texte, int tailleGrille) {
  LectureTableau l;
  std::vector<std::string> lignes = Lignes_Entieres(texte);
  if (lignes.empty()) return l;
  if (lignes.size() > kSeriesMax) {
    l.avertissement6 = true;
    lignes.resize(kSeriesMax);
  }
  TableauColle t;
  for (const std::string& ligne : lignes) {
    std::vector<std::optional<double>> cellules;
    if (!litCellules(ligne, &cellules)) {
      l.erreur = NMST(1) + NMST(2);
      return l;
    }
    if (static_cast<int>(cellules.size()) > tailleGrille) {
      l.erreur = entier(tailleGrille) + " mesures au maximum  (ajuster dans options)";
      return l;
    }
    t.lignes = std::max(t.lignes, static_cast<int>(cellules.size()));
    t.series.push_back(std::move(cellules));
  }
  l.tableau = std::move(t);
  return l;
}

LectureTableau Lit_Tableau_V(const std::string& texte, int tailleGrille) {
  LectureTableau l;
  const std::vector<std::string> lignes = Lignes_Entieres(texte);
  if (lignes.empty()) return l;
  if (static_cast<int>(lignes.size()) > tailleGrille) {
    l.erreur = entier(tailleGrille) + " mesures au maximum (ajuster dans options)";
    return l;
  }
  const int d = std::min<int>(static_cast<int>(platform::Split(lignes[0], "\t").size()), kSeriesMax);
  l.avertissement6 = platform::Split(lignes[0], "\t").size() > kSeriesMax;
  TableauColle t;
  t.series.resize(static_cast<std::size_t>(d));
  for (std::size_t r = 0; r < lignes.size(); ++r) {
    std::vector<std::string> cellules = platform::Split(lignes[r], "\t");
    bool bon = static_cast<int>(cellules.size()) >= d;
    for (int k = 0; bon && k < d; ++k) {
      std::optional<double> v;
      bon = Lit_Cellule_Tableur(cellules[static_cast<std::size_t>(k)], &v);
      t.series[static_cast<std::size_t>(k)].push_back(v);
    }
    if (!bon) {
      l.erreur = entier(static_cast<long long>(r)) + " erreur ligne ";
      return l;
    }
  }
  t.lignes = static_cast<int>(lignes.size());
  l.tableau = std::move(t);
  return l;
}

bool Excel_Coller_H() {
  const LectureTableau l = Lit_Tableau_H(platform::Clipboard::getText(), Taille_Grille);
  if (l.avertissement6) platform::MsgBox("6 lignes de 511 mesures au maximum)", platform::vbOKOnly);
  if (!l.erreur.empty()) {
    platform::MsgBox(l.erreur, platform::vbOKOnly);
    return false;
  }
  if (!l.tableau) return false;
  if (!remplitGrille(*l.tableau, false, false)) return false;
  FonctionCourante = 0;
  return true;
}

bool Excel_Coller_V() {
  const LectureTableau l = Lit_Tableau_V(platform::Clipboard::getText(), Taille_Grille);
  if (l.avertissement6) platform::MsgBox(" 6 lignes maxi seront chargées", platform::vbOKOnly);
  if (!l.erreur.empty()) {
    platform::MsgBox(l.erreur, platform::vbOKOnly);
    return false;
  }
  if (!l.tableau) return false;
  return remplitGrille(*l.tableau, true, true);
}

void Command2_Click(int Index) {
  const bool colle = Index == 0 ? Excel_Coller_H() : Index == 1 && Excel_Coller_V();
  if (!colle) return;
  Calcul_stat();
  FenHisto& f = StatWindow();
  f.MOption1(0).setValue(true);
  FenHisto_Form_Activate();
  // The extract named rows of the grid just replaced.
  f.MOption1(3).setEnabled(false);
  f.Mnstat6(1).setEnabled(false);
}

void Tblcopie_Click(int Index) {
  FenHisto& f = StatWindow();
  std::string t;
  switch (Index) {
    case 2: t = f.MText1.text() + SautLigne; break;
    case 3: t = f.CLabel3.caption() + SautLigne + f.Clabel5(0).caption(); break;
    case 4: t = f.CLabel6(3).caption() + SautLigne + f.CLabel6(4).caption() + SautLigne; break;
    case 5: t = f.LNLabel(7).caption() + SautLigne + f.LNLabel(4).caption() + SautLigne; break;
    case 6: t = f.StLabel3(2).caption() + SautLigne; break;
    default: return;
  }
  platform::Clipboard::clear();
  platform::Clipboard::setText(t);
}

void TCopie_Click(int Index) {
  if (Index != 2 && Index != 3) return;
  platform::Clipboard::clear();
  platform::Clipboard::setText(Fins_CrLf(StatWindow().Tlabel1(Index).caption()));
}

std::string Fins_CrLf(const std::string& texte) {
  std::string t;
  for (const std::string& ligne : platform::splitLines(texte)) t += ligne + platform::vbCrLf;
  // A text that does not end with a line break keeps its last line open.
  const bool finOuverte = !texte.empty() && texte.back() != '\r' && texte.back() != '\n';
  if (finOuverte && t.size() >= 2) t.resize(t.size() - 2);
  return t;
}

void ConnecteCollage(FenHisto& f) {
  f.Command2.onClick = [](int i) { Command2_Click(i); };
  f.Tblcopie.onClick = [](int i) { Tblcopie_Click(i); };
  f.TCopie.onClick = [](int i) { TCopie_Click(i); };
}
