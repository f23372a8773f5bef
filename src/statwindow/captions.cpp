// Captions of the statistics window from the text tables (a language file may have
// replaced them).
#include "base/text_tables.h"
#include "forms/stat_window.h"
#include "platform/control.h"
#include "statwindow/stat_window.h"

namespace {

// Controls and menu items named `name` with indices first..last take the entries
// entry, entry + step... of MNUSTAT (of MSG when fromMsg).
struct Captions {
  const char* name;
  int first;
  int last;
  int entry;
  int step = 1;
  bool fromMsg = false;
};

// In this order: lblMoyenne(6) is written twice and keeps "Effectif".
const Captions kCaptions[] = {
    {"Mnstat", 1, 6, 1},          {"Mnstat", 15, 15, 8},       {"Mnstat3", 1, 1, 10},
    {"Mnstat4", 1, 2, 16},        {"Mnstat6", 1, 1, 61},       {"Framehist", 3, 3, 12},
    {"CmdHist1", 1, 1, 1},        {"lblNbDe", 15, 15, 21},     {"MCommand3", 1, 1, 25},
    {"MCommand3", 6, 6, 25},      {"Command4", 2, 3, 25, 0},   {"MCommand3", 2, 2, 30},
    {"TCopie", 2, 3, 30, 0},      {"Tblcopie", 2, 6, 30, 0},   {"MCommand3", 4, 4, 32},
    {"Command3", 2, 3, 18, 0, true}, {"CmdHisto", 0, 0, 70},   {"MFrame1", 0, 7, 22},
    {"MLabel2", -1, -1, 29},      {"MLabel3", -1, -1, 2},      {"MOption1", 0, 2, 26},
    {"MCheck1", 0, 4, 33},        {"COption1", 0, 0, 54},      {"COption1", 1, 1, 53},
    {"Label4", -1, -1, 38},       {"lblMoyenne", 0, 0, 39},    {"lblMoyenne", 1, 6, 40},
    {"lblMoyenne", 6, 10, 40},    {"Copt", 0, 3, 48},          {"ChoixComp", 0, 1, 55},
};

}  // namespace

void Charge_entetes() {
  FenHisto& f = StatWindow();
  for (const Captions& c : kCaptions) {
    for (int i = c.first; i <= c.last; ++i) {
      const int n = c.entry + (i - c.first) * c.step;
      const std::string& texte = c.fromMsg ? MSG(n) : MNUSTAT(n);
      platform::Component* comp = f.find(c.name, i);
      if (!comp) throw platform::IndexError(std::string(c.name) + "(" + std::to_string(i) + ") does not exist");
      comp->setCaption(texte);
    }
  }
  f.Copt(4).setCaption(f.Copt(3).caption());
}
