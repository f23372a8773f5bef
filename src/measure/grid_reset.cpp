#include "measure/grid_reset.h"

#include "forms/main_window.h"
#include "measure/grid_statistics.h"
#include "measure/measure_state.h"
#include "platform/flexgrid.h"

void Efface_Table() {
  platform::FlexGrid& g = Qvl().GrilleRef;
  const bool redessin = g.redraw();
  g.setRedraw(false);
  for (int r = 1; r < g.rows(); ++r)
    for (int c = 1; c < g.cols(); ++c) g.setCellBackColor(r, c, kVertGrille);
  g.setRedraw(redessin);
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
  LigneCourante = 1;
  EtapeClic = 1;
}
