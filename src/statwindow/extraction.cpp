// The extract of grid rows read back from the measurement grid.
#include "statwindow/extraction.h"

#include <vector>

#include "base/helpers.h"
#include "forms/main_window.h"
#include "forms/stat_window.h"
#include "platform/runtime.h"
#include "statwindow/stat_window.h"

void affecte_extrait(const std::string& List_Extr, int num_col) {
  FenHisto& f = StatWindow();
  const platform::FlexGrid& g = Qvl().GrilleRef;
  f.MText3.setText("");
  std::vector<std::string> lignes = platform::Split(List_Extr, ";");
  lignes.pop_back();   // what follows the last ";"
  if (lignes.size() > 3001) lignes.resize(3001);
  std::string t;
  for (const std::string& l : lignes) {
    const double r = Val_Decimal(l);
    if (num_col < 0 || num_col >= g.cols() || r < 1 || r >= g.rows()) continue;
    t += g.textMatrix(static_cast<int>(r), num_col) + ";";
  }
  f.MText3.setText(t);
}
