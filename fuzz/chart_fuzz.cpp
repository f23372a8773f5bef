// libFuzzer entry for the colour chart reader: any bytes as the chart file, loaded
// into the chart table as the chart dialog loads it, its entries counted, its details
// shown in the colour window, then a search of every formula run on what was loaded.
#include <cstddef>
#include <cstdint>
#include <string>

#include "colour/chart.h"
#include "colour/colour_state.h"
#include "colour/colour_window.h"
#include "colour/nearest_search.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::Start(true);
  const std::string path = fuzz::WriteInput("input.Nua", data, size);
  Nuancier.clear();
  NbNuancier = 0;
  CasesCouleur cases;
  Charge_Nuancier(path, cases);
  Compte_Entrees_Liste(path);
  Fic_Nuancier = path;
  Comm_nuancier_Click();
  for (int formule = kDeltaRVB; formule <= kDeltaCIE2000; ++formule) {
    DemandeAjust d;
    d.formule = formule;
    d.entree = {"50", "20", "30"};
    d.nombre = "5";
    calcul_Ajust(d, Nuancier_Courant());
  }
  DemandeAjust autoRvb;
  autoRvb.automatique = true;
  autoRvb.entree = {"90", "60", "30"};
  autoRvb.nombre = "5";
  AjusteAuto_aout09(autoRvb, Nuancier_Courant());
  return 0;
}
