// libFuzzer entry for the statistics archive: any bytes as the archive file, searched
// by the archive window for the records compatible with a grid of seven spores (with
// and without a name filter, both risks' tails), then a record appended to it as the
// archive menu appends one.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "forms/archive_window.h"
#include "fuzz_support.h"
#include "measure/grid_statistics.h"
#include "measure/measure_state.h"
#include "measure/row_writers.h"
#include "reports/archive_file.h"
#include "reports/archive_window.h"
#include "shell/function_switch.h"

namespace {

// Lengths and widths of seven spores, written as the row writers write a measured row.
void Sept_Spores() {
  QVL& f = Qvl();
  f.GrilleRef.setRows(1);
  if (!Choix_Fonction_Mesure(2)) std::abort();
  const double mesures[7][2] = {{12.0, 5.8}, {8.1, 5.8}, {11.4, 7.4}, {10.2, 5.7}, {12.6, 5.1}, {11.2, 6.8}, {10.0, 6.2}};
  platform::FlexGrid& g = f.GrilleRef;
  LigneCourante = 1;
  for (const auto& m : mesures) {
    const int r = LigneCourante;
    g.setTextMatrix(r, 0, std::to_string(r));
    g.setTextMatrix(r, 1, platform::Format(m[0], Format_Decimal));
    g.setTextMatrix(r, 2, platform::Format(m[1], Format_Decimal));
    for (const CelluleCalculee& c : Colonnes_Calculees(2, 2, {0, m[0], m[1]}, Format_Decimal))
      g.setTextMatrix(r, c.colonne, c.texte);
    g.setTextMatrix(r, g.cols() - 2, "1");
    LigneCourante = r + 1;
  }
  f.Check(3).setValue(1);
  Calcul_stat();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz::Start(true);
  Sept_Spores();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::Start(true);
  const std::string path = fuzz::WriteInput("ArchvStat.ArS2", data, size);
  Fen_Nmst& w = Fenetre_Archive();
  for (const char* filtre : {"", "lact"}) {
    for (float risque : {0.1f, 0.0005f}) {
      w.Nom_Fic_Archive = path;
      Filtre_Archive = filtre;
      Alpha_Archive = risque;
      Nmst_Test();
    }
  }
  Filtre_Archive.clear();
  ArchiveAnswers a;
  a.genre = "Lactarius";
  a.espece = "sp.";
  const std::string ligne = Ligne_Archive(a, 7, {"10.79", "1.39", "6.11", "0.71", "1.79", "0.34"}, ";");
  std::string erreur;
  if (!Ajoute_Enregistrement(path, ligne, false, &erreur) && erreur.empty()) __builtin_trap();
  return 0;
}
