#pragma once
// What the trame and extract targets share: the pictures the test trames name, in the
// run's folder, and a trame loaded in the resolution mode it asks for.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_support.h"
#include "images/image_state.h"
#include "measure/trame_reader.h"
#include "platform/picture.h"

namespace fuzz {

// Small grey pictures under the names the test trames give ("@DOSSIER@/lame 1.bmp",
// "LAME1.BMP", "Lame2.bmp"...), in Folder().
inline void Images_Des_Trames() {
  for (const char* name : {"lame 1.bmp", "lame1.bmp", "lame2.bmp"})
    platform::Picture::filled(40, 30, 0x808080).saveBmp(Folder() + "/" + name);
}

// The bytes as the trame `name` of Folder(), with "@DOSSIER@" (the test folder of the
// test trames) replaced by Folder(), which is also the image and data folder; the
// text written.
inline std::string Ecrit_Trame_Essai(const std::string& name, const std::uint8_t* data, std::size_t size) {
  Rep_Images = Rep_Data = Folder();
  std::string texte = WithFolder(Bytes(data, size));
  Write(Folder() + "/" + name, texte);
  return texte;
}

// Loads the trame at path as "Charger la trame" does, first in the mode independent
// of the resolution, then, when the trame asks for the other one, in that mode.
inline void Charge_Trame(const std::string& path) {
  for (bool independant : {true, false}) {
    Indep_Resol = independant;
    std::string p = path;
    int code = 0;
    Lit_Trame(p, code);
    if (code != kTrameResolutionIncompatible) break;
  }
}

}  // namespace fuzz
