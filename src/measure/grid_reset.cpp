#include "measure/calibration.h"
#include "measure/grid_reset.h"

#include <algorithm>

#include "base/globals.h"
#include "base/text_tables.h"
#include "forms/main_window.h"
#include "images/image_state.h"
#include "images/picture_view.h"
#include "measure/dispatch.h"
#include "measure/grid_statistics.h"
#include "measure/grid_templates.h"
#include "measure/measure_state.h"
#include "measure/outline_tool.h"
#include "measure/redraw.h"
#include "measure/table_editing.h"
#include "platform/dialogs.h"
#include "platform/events.h"
#include "platform/flexgrid.h"
#include "reports/deciles.h"
#include "reports/stat_rows.h"

namespace {

// Empties the texts of every cell outside row 0 and column 0; with a colour, gives
// each of them that background too.
void videCellules(platform::FlexGrid& g, bool fond) {
  SansRedessin gel(g);
  for (int r = 1; r < g.rows(); ++r)
    for (int c = 1; c < g.cols(); ++c) {
      g.setTextMatrix(r, c, "");
      if (fond) g.setCellBackColor(r, c, kVertGrille);
    }
}

}  // namespace

bool Efface_Grille(int flag) {
  QVL& f = Qvl();
  platform::FlexGrid& g = f.GrilleRef;
  if (flag == 0 && g.rows() > 1 && g.cols() > 1 && !g.textMatrix(1, 1).empty()) {
    const int reponse = platform::MsgBox(MSG(190) + " " + MSG(188) + " ? ", platform::vbYesNo);
    if (reponse != platform::vbYes) {
      Mode_Etalonnage = false;
      Mode_Illus = false;
      return false;
    }
  }
  videCellules(g, true);
  videCellules(f.MGrille, false);
  Oublie_Segments_Calibrage();
  Efface_Grille_Stat();
  Liste_Extrait.clear();
  EtapeClic = 1;
  LigneCourante = 1;
  Compteur_Lignes = 0;
  Fic_CSV_Import.clear();
  return true;
}

void Efface_Grille_Stat() {
  videCellules(Qvl().GrilleRefP, false);
  RAZ_Tableaux_Stat();
}

void Efface_Table() {
  platform::FlexGrid& g = Qvl().GrilleRef;
  SansRedessin gel(g);
  for (int r = 1; r < g.rows(); ++r)
    for (int c = 1; c < g.cols(); ++c) g.setCellBackColor(r, c, kVertGrille);
}

std::string Lit_Cellule(int row, int col) {
  platform::FlexGrid& g = Qvl().GrilleRef;
  if (row < 0 || row >= g.rows() || col < 0 || col >= g.cols()) return "";
  g.setRow(row);
  g.setCol(col);
  return g.text();
}

void Efface_Lignes_Table(int derniere) {
  for (int r = 1; r <= std::min(derniere, kDerniereLigneTable); ++r) Efface_Ligne_Table(r);
}

void Retrace_Mesures() {
  if (LigneCourante >= 1 && LigneCourante <= kDerniereLigneTable) {
    Mesure& m = TabMesures(LigneCourante);
    for (int c = 1; c <= std::min(NbCellules, 16); ++c) m.Seg(c) = Segment{};
    m.ExpZoom = 0;
    m.Texte.clear();
    m.NumImage = 0;
  }
  LigneCourante = Ligne_Ref;
  EtapeClic = 1;
  Compteur_Lignes = 0;
  Retrace(0);
}

void RAZ_Echelles() { Calib_Images.fill(1.0); }

void Reinit_Fonction() {
  Efface_Lignes_Table(LigneCourante);
  Efface_Grille(1);
  Retrace_Mesures();
  platform::DoEvents();
  Dimensionne_Grille(0);
  Affiche_Image(Expo_Zoom);
  RAZ_Mesure();
  // An outline left unfinished is not carried into the next one.
  Nouveau_Contour(0);
  Compteur_Lignes = 0;
  PGr_Etat = false;
}

void Statistiques_Grille() {
  Calcul_stat();
  Entetes_Stat();
}

void Vide_Grille_Mesures() {
  constexpr int kDerniereLigneStat = 12;
  QVL& f = Qvl();
  platform::FlexGrid& stat = f.GrilleRefP;
  for (int r = 1; r <= kDerniereLigneStat && r < stat.rows(); ++r)
    for (int c = 1; c < stat.cols(); ++c) stat.setTextMatrix(r, c, "");
  f.GrilleRef.setRows(f.GrilleRef.fixedRows());
  f.MGrille.setRows(f.MGrille.fixedRows());
  for (auto& m : TabMesures) m = Mesure{};
  Liste_Extrait.clear();
  LigneCourante = 1;
  EtapeClic = 1;
  Fic_CSV_Import.clear();
}
