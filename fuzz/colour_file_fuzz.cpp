// libFuzzer entry for the colour files (a chart saved from the colour grid, a colour
// standard written in its layout): any bytes as the colour-standard file, read alone
// and then paired with a sound scanner file into the scanner correction.
#include <cstddef>
#include <cstdint>

#include "colour_pair.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::Start(false);
  fuzz::Correction_Avec(true, data, size);
  return 0;
}
