// libFuzzer entry for the results import ("fich.CSV=> grille"): any bytes as the file
// chosen in the open dialog, read and laid out into the grids of the main window.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_support.h"
#include "reports/report_commands.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::Start(true);
  fuzz::Questions().openNext = fuzz::WriteInput("input.csv", data, size);
  Ouvre_CSV();
  return 0;
}
