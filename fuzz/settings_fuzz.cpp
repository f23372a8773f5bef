// libFuzzer entry for the settings file: any bytes as "Qvrl.dat" of the program
// folder, read into the variables and the main window as at start-up, then its
// SESSION line written back. Before each input the settings in force when the run
// began are written and read again, so that every input meets the same program.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_support.h"
#include "shell/settings_file.h"

namespace {

Reglages g_depart;
std::string g_dossier;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz::Start(true);
  g_depart = Reglages_Courants();
  g_dossier = Rep_Prog;
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::Start(true);
  Rep_Prog = g_dossier;
  platform::SetDecimalSeparator('.');
  if (!platform::writeLines(Chemin_Parametres(), Lignes_Parametres(g_depart))) std::abort();
  Lire_Parametres();
  fuzz::Write(Chemin_Parametres(), fuzz::Bytes(data, size));
  Lire_Parametres();
  IniSession_Sauve();
  return 0;
}
