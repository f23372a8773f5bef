// The test and law panels of the statistics window.
#include "statwindow/test_panels.h"

#include "forms/stat_window.h"
#include "statwindow/normality_panels.h"
#include "statwindow/stat_window.h"

void Mnstat3_Click(int Index) {
  FenHisto& f = StatWindow();
  // Every item first folds the test frame and the two test frames away.
  f.stcadre(7).move(0, 0, 0, 0);
  for (int i : {2, 3}) {
    f.FraTest(i).move(0, 0, 0, 0);
    f.FraTest(i).setVisible(false);
  }
  switch (Index) {
    case 2:
    case 3:
    case 4:
      Affiche_Test(Index);
      break;
    default:
      // "Moyenne" comes with the comparisons of means.
      break;
  }
}

// Stand-ins until the comparisons of means are built: no panel is shown and nothing
// is computed.
void ChoixComp_Click(int /*Index*/) {}
void Exemple_Comparaison() {}
