// libFuzzer entry for the picture reader: any bytes as a picture file, decoded whole
// as an opened image is, and its size read from the header alone as the trame reader
// reads it for pictures not shown.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_support.h"
#include "platform/image_size.h"
#include "platform/picture.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::Start(false);
  const std::string path = fuzz::WriteInput("input.img", data, size);
  std::string error;
  const platform::Picture p = platform::Picture::load(path, &error);
  if (p.isNull() && error.empty()) __builtin_trap();
  int w = 0, h = 0;
  platform::pictureSizeOfFile(path, &w, &h);
  return 0;
}
