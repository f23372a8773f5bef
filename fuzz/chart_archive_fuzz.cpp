// libFuzzer entry for the chart archive: any bytes as the archive file, its entries
// counted as the colour window counts them, then an entry added to it as the window's
// archive button adds one (numbered after those it holds, in its encoding).
#include <cstddef>
#include <cstdint>
#include <string>

#include "colour/chart.h"
#include "colour/chart_archive.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::Start(false);
  const std::string path = fuzz::WriteInput("Archv_Nuancier.nua", data, size);
  Compte_Entrees_Liste(path);
  const std::string ligne = Ligne_Archive_Nuancier({"60.00", "90.00", "60.00", "36.49", "-11.80", "15.96"}, true,
                                                   "Lactarius sp.");
  const ResultatArchive r = Ecrit_Archive_Nuancier(path, ligne);
  if (r.etat == ResultatArchive::Echec && r.message.empty()) __builtin_trap();
  return 0;
}
