#pragma once
// The test files of the EXIF reader, in tests/data/exif (made by make_fixtures.py).

#include <string>

#include "platform/textfile.h"

namespace exif_test {

inline std::string dataPath(const std::string& name) {
  return std::string(QV_TEST_DATA) + "/exif/" + name;
}

// The bytes of a test file; "" when it cannot be read.
inline std::string readAll(const std::string& path) {
  std::string bytes;
  if (!platform::readBytes(path, &bytes)) bytes.clear();
  return bytes;
}

}  // namespace exif_test
