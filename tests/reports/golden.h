#pragma once
// Golden files of the report tests, under tests/data/reports/: compared byte for byte.

#include <gtest/gtest.h>

#include <string>

#include "platform/textfile.h"

namespace golden {

inline std::string path(const std::string& relative) {
  return std::string(QV_TEST_DATA) + "/reports/" + relative;
}

// Compares bytes with the golden file; on a difference the bytes are written beside
// the test's temporary files for inspection, and the test fails naming both.
inline void expectFile(const std::string& relative, const std::string& bytes) {
  std::string expected;
  const bool read = platform::readBytes(path(relative), &expected);
  if (read && expected == bytes) return;
  std::string name = relative;
  for (char& c : name)
    if (c == '/') c = '_';
  const std::string actual = ::testing::TempDir() + name;
  platform::saveFileAtomic(actual, bytes);
  ADD_FAILURE() << (read ? "differs from " : "missing: ") << path(relative) << "; written: " << actual;
}

}  // namespace golden
