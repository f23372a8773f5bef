#include "measure/grid_reset.h"

#include "forms/main_window.h"
#include "measure/grid_statistics.h"
#include "platform/flexgrid.h"

void Efface_Table() {
  platform::FlexGrid& g = Qvl().GrilleRef;
  const bool redessin = g.redraw();
  g.setRedraw(false);
  for (int r = 1; r < g.rows(); ++r)
    for (int c = 1; c < g.cols(); ++c) g.setCellBackColor(r, c, kVertGrille);
  g.setRedraw(redessin);
}
