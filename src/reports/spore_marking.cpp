#include "reports/spore_marking.h"

#include <algorithm>
#include <span>
#include <string>

#include "base/globals.h"
#include "base/helpers.h"
#include "base/text_tables.h"
#include "forms/main_window.h"
#include "measure/grid_numbers.h"
#include "measure/grid_statistics.h"
#include "measure/measure_state.h"
#include "platform/app.h"
#include "platform/dialogs.h"
#include "stats/dominant.h"
#include "reports/optimal_spore.h"
#include "reports/report_model.h"

namespace {

constexpr platform::Colour kMarque = 0x808000;   // the optimal spore's row
constexpr double kJaune = 65535;
constexpr int kDerniereOptionPopup = 6;
constexpr int kLigneMoy = 1, kLigneSigma = 4, kLigneMediane = 10;

float nombre(const platform::FlexGrid& p, int r, int c) {
  if (r >= p.rows() || c >= p.cols()) return 0;
  return static_cast<float>(Val_Decimal(p.textMatrix(r, c)));
}

// The statistics an option reads: the statistics grid's means, sigmas and medians
// (read up to the first empty median), and the dominant values when asked.
SporeStats Statistiques(platform::FlexGrid& g, int option, int derniere) {
  const platform::FlexGrid& p = Qvl().GrilleRefP;
  SporeStats s;
  s.moyL = nombre(p, kLigneMoy, 1);
  s.moyW = nombre(p, kLigneMoy, 2);
  s.moyQ = nombre(p, kLigneMoy, 3);
  s.sigL = nombre(p, kLigneSigma, 1);
  s.sigW = nombre(p, kLigneSigma, 2);
  const bool medL = p.rows() > kLigneMediane && p.cols() > 1 && !p.textMatrix(kLigneMediane, 1).empty();
  if (medL) s.medL = nombre(p, kLigneMediane, 1);
  if (medL && p.cols() > 2 && !p.textMatrix(kLigneMediane, 2).empty()) s.medW = nombre(p, kLigneMediane, 2);
  if (option >= 7) {
    // The positive values kept sorted for the deciles: no sort of its own.
    s.domL = static_cast<float>(stats::Recherche_Dominante(Deciles_Colonne(g, 1, derniere)));
    s.domW = static_cast<float>(stats::Recherche_Dominante(Deciles_Colonne(g, 2, derniere)));
  }
  return s;
}

// Column 0 of rows 0 to last back to the grid's green.
void Efface_Marques(platform::FlexGrid& g, int derniere) {
  for (int r = 0; r <= std::min(derniere, g.rows() - 1); ++r) g.setCellBackColor(r, 0, kVertGrille);
}

void Coche_Option(QVL& f, int Index) {
  for (int i = 0; i <= kDerniereOptionSpore; ++i) {
    if (f.nspo1.exists(i)) f.nspo1(i).setChecked(i == Index);
    if (f.spoOptions.exists(i)) f.spoOptions(i).setChecked(i == Index);
  }
  for (int i = 0; i <= kDerniereOptionPopup; ++i)
    if (f.nspoItems.exists(i)) f.nspoItems(i).setChecked(i == Index);
}

// The option click of either menu.
void Choisit_Option(int Index, int derniere) {
  QVL& f = Qvl();
  if (FonctionCourante != 2) {
    f.Flash(kJaune, MSG(238), 2);
    return;
  }
  if (Index < 0 || Index > derniere) return;
  Efface_Marques(f.GrilleRef, LigneCourante - 1);
  Coche_Option(f, Index);
  if (Index != 0) Spore_Optimale();
}

}  // namespace

int Option_Spore_Optimale() {
  QVL& f = Qvl();
  int option = 0;
  for (int i = 0; i <= kDerniereOptionSpore; ++i)
    if (f.nspo1.exists(i) && f.nspo1(i).checked()) option = i;
  return option;
}

void Spore_Optimale() {
  QVL& f = Qvl();
  const int option = Option_Spore_Optimale();
  if (EtapeClic >= 2) {
    f.Flash(kJaune, MSG(178), 2);
    return;
  }
  const platform::FlexGrid& p = f.GrilleRefP;
  if (p.rows() <= kLigneMoy || p.cols() <= 1 || p.textMatrix(kLigneMoy, 1).empty()) {
    platform::App::Beep();
    return;
  }
  platform::FlexGrid& g = f.GrilleRef;
  const int derniere = std::clamp(LigneCourante - 1, 0, g.rows() - 1);
  const SporeStats s = Statistiques(g, option, derniere);
  if (Option_Qm(option) && s.moyQ == 0)
    platform::MsgBox("probleme Qm = 0 . Nb données insuffisantes ?", platform::vbOKOnly);
  const SporeReference ref = Reference_Spore(option, s);
  const std::span<const double> L = Nombres_Colonne(g, 1, derniere);
  const std::span<const double> W = Nombres_Colonne(g, 2, derniere);
  // A row whose length or width holds no number is no candidate.
  auto candidat = [&](int r) {
    double x = 0;
    return (L[r - 1] != 0 || litNombre(g.textMatrix(r, 1), &x)) &&
           (W[r - 1] != 0 || litNombre(g.textMatrix(r, 2), &x));
  };
  const int rang = Rang_Spore_Optimale(ref, L, W, candidat);
  Efface_Marques(g, derniere);
  g.setRow(rang);
  g.setCol(0);
  if (rang > 0) g.setCellBackColor(rang, 0, kMarque);
}

void Spore_Optimale_Nouvelle_Rangee() {
  if (FonctionCourante != 2 || EtapeClic >= 2 || Option_Spore_Optimale() == 0) return;
  Spore_Optimale();
}

void nspo1_Click(int Index) { Choisit_Option(Index, kDerniereOptionSpore); }

void nspo_Click(int Index) { Choisit_Option(Index, kDerniereOptionPopup); }

void OutlP_Click(int Index) {
  // The other items open their sub-menus.
  if (Index != 1) return;
  if (FonctionCourante != 2) {
    Qvl().Flash(kJaune, MSG(238), 2);
    return;
  }
  Spore_Optimale();
}

void Connecte_Spore_Optimale(QVL& f) {
  f.nspo1->onClick = [](int i) { nspo1_Click(i); };
  f.spoOptions->onClick = [](int i) { nspo1_Click(i); };
  f.nspoItems->onClick = [](int i) { nspo_Click(i); };
  f.OutlPItems->onClick = [](int i) { OutlP_Click(i); };
  f.cmdFlash.onClick = [] { nspo1_Click(2); };
}
