// libFuzzer entry for the extract trames: any bytes as an extract trame file beside
// the pictures the test trames name, loaded as any trame; the rows its "EXTRAITS=" line
// lists (after " / ") then become the extract, read into the diagram panel's data for
// every column and saved again as an extract trame, which loads in its turn. The seeds
// are trames of the tests: a file without that line has every row as its extract.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "measure/measure_state.h"
#include "statwindow/extract_files.h"
#include "statwindow/extraction.h"
#include "trame_support.h"

namespace {

// The extract the file names: on its first "EXTRAITS=" line, the text after " / "
// (the value whole when it holds none); every row loaded when the file has no such
// line. memmem lets the fuzzer see the key it looks for.
std::string Extrait_Du_Fichier(const std::string& texte) {
  const char kCle[] = "EXTRAITS=";
  const void* trouve = memmem(texte.data(), texte.size(), kCle, sizeof kCle - 1);
  if (trouve == nullptr) {
    std::string toutes;
    for (int r = 1; r < LigneCourante; ++r) toutes += std::to_string(r) + ";";
    return toutes;
  }
  const std::size_t debut = static_cast<std::size_t>(static_cast<const char*>(trouve) - texte.data()) + sizeof kCle - 1;
  const std::size_t fin = texte.find_first_of("\r\n", debut);
  const std::string valeur = texte.substr(debut, fin == std::string::npos ? std::string::npos : fin - debut);
  const std::size_t barre = valeur.find(" / ");
  return barre == std::string::npos ? valeur : valeur.substr(barre + 3);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz::Start(true);
  fuzz::Images_Des_Trames();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::Start(true);
  const std::string texte = fuzz::Ecrit_Trame_Essai("input_EX.trm", data, size);
  fuzz::Charge_Trame(fuzz::Folder() + "/input_EX.trm");
  Liste_Extrait = Extrait_Du_Fichier(texte);
  for (int colonne = 0; colonne <= 17; ++colonne) affecte_extrait(Liste_Extrait, colonne);
  const std::string encore = fuzz::Folder() + "/again_EX.trm";
  if (Extrait_Sauve(encore)) fuzz::Charge_Trame(encore);
  Liste_Extrait.clear();
  return 0;
}
