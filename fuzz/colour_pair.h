#pragma once
// The scanner correction built from a colour-standard file and a scanner calibration
// file, one of them the fuzzed bytes and the other a sound four-row file; then every
// channel corrects a few values with the points it built.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "colour/colour_file.h"
#include "colour/colour_state.h"
#include "colour/scanner_correction.h"
#include "fuzz_support.h"

namespace fuzz {

// A colour file of four rows, as the program writes it.
inline const char* const kFichierCouleurQuatre =
    "R\xe9sultat des mesures du 12/03/2024 \xe0 14:05:09\r\n"
    "REM= les lignes suivantes ne doivent pas \xeatre modifi\xe9" "es !\r\n"
    "N\xb0;R;V;B;L;a;b;zone;S;comment;\r\n"
    "CALIBRAGECOL=0\r\n"
    "NBMESURES =4\r\n"
    "LISTE=\r\n"
    "1;100;170;90;0;0;0;8;1;patch 3;\r\n"
    "2;20;35;30;0;0;0;8;1;patch 1;\r\n"
    "3;245;235;240;0;0;0;8;1;patch 4;\r\n"
    "4;230;105;160;0;0;0;8;1;patch 2;\r\n";

// The fuzzed bytes as the standard (fuzzedIsStandard) or the scanner file: the file
// read alone, then the correction built as choosing that file builds it.
inline void Correction_Avec(bool fuzzedIsStandard, const std::uint8_t* data, std::size_t size) {
  const std::string fuzzed = WriteInput(fuzzedIsStandard ? "input.Etl" : "input.Scn", data, size);
  const std::string other = Folder() + (fuzzedIsStandard ? "/other.Scn" : "/other.Etl");
  Write(other, kFichierCouleurQuatre);
  TableCouleur table;
  Lit_Fichier_Couleur(fuzzed, table);
  CasesCouleur cases;
  cases.expert = true;
  std::vector<std::string> listing;
  Fic_Etalon = fuzzedIsStandard ? fuzzed : other;
  if (fuzzedIsStandard)
    Choix_Etalon(fuzzed, cases);
  Choix_Scanner(fuzzedIsStandard ? other : fuzzed, cases, &listing);
  Liste_Canaux();
  for (int canal = 1; canal <= 3; ++canal)
    for (double v : {0.0, 1.0, 50.5, 128.0, 254.9, 255.0, 300.0})
      if (const auto c = Corrige_Canal(canal, v)) Arrondi_Correction(*c);
}

}  // namespace fuzz
