// libFuzzer entry for the scanner records (scanner calibration files): any bytes as
// the scanner file, read alone and then paired with a sound colour standard into the
// scanner correction, as choosing a scanner file does.
#include <cstddef>
#include <cstdint>

#include "colour_pair.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::Start(false);
  fuzz::Correction_Avec(false, data, size);
  return 0;
}
