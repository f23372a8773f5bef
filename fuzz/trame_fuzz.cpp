// libFuzzer entry for the trame reader: any bytes as a trame file beside the pictures
// the test trames name, loaded into the main window as "Charger la trame" loads it
// (in the resolution mode the file asks for). "@DOSSIER@" stands for that folder, as
// in the test trames the seeds come from.
#include <cstddef>
#include <cstdint>
#include <string>

#include "trame_support.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz::Start(true);
  fuzz::Images_Des_Trames();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::Start(true);
  fuzz::Ecrit_Trame_Essai("input.trm", data, size);
  fuzz::Charge_Trame(fuzz::Folder() + "/input.trm");
  return 0;
}
