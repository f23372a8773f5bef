// libFuzzer entry for the language files: any bytes as "Qvrl2_en.lng" of the program
// folder, loaded into the text tables and the main window's captions as the language
// menu loads it. The French texts are put back before each input.
#include <cstddef>
#include <cstdint>
#include <string>

#include "base/text_tables.h"
#include "fuzz_support.h"
#include "shell/language.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::Start(true);
  Messages_Defaut();
  fuzz::Write(Rep_Prog + "/Qvrl2_en.lng", fuzz::Bytes(data, size));
  Langue = "en";
  Charge_Langue();
  Langue = "fr";
  return 0;
}
