// libFuzzer entry for the tables pasted from a spreadsheet: any bytes as the text of
// the clipboard, pasted into the grid by both buttons of the statistics window
// ("table(H) =>grille" with lines as series, "table(V)=>grille" with columns), each on
// the same grid of three spores.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_support.h"
#include "measure/measure_state.h"
#include "platform/clipboard.h"
#include "shell/function_switch.h"
#include "statwindow/spreadsheet_paste.h"

namespace {

void Trois_Spores() {
  QVL& f = Qvl();
  f.GrilleRef.clear();
  f.GrilleRefP.clear();
  if (!Choix_Fonction_Mesure(2)) std::abort();
  const char* lignes[3][2] = {{"10.2", "5.1"}, {"11.4", "5.6"}, {"9.8", "4.9"}};
  for (int r = 1; r <= 3; ++r) {
    f.GrilleRef.setTextMatrix(r, 0, std::to_string(r));
    for (int c = 1; c <= 2; ++c) f.GrilleRef.setTextMatrix(r, c, lignes[r - 1][c - 1]);
  }
  LigneCourante = 4;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::Start(true);
  Qvl().Check(3).setValue(1);
  for (int bouton : {0, 1}) {
    Trois_Spores();
    platform::Clipboard::setText(std::string(fuzz::Bytes(data, size)));
    Command2_Click(bouton);
  }
  return 0;
}
