#pragma once
// What the tests of the statistical laws share: reading a reference table of
// tests/data/stats (one row of numbers a line, "#" lines are comments), error
// measures, a capture of what the routines send to the message and beep slots, and a
// pinned decimal separator with the default texts loaded.

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "base/text_tables.h"
#include "platform/runtime.h"
#include "stats/notices.h"

namespace stat_test {

// The rows of a reference table; fails the test when the file cannot be read or a
// field is not a number (read independently of the locale).
inline std::vector<std::vector<double>> readTable(const std::string& name) {
  std::vector<std::vector<double>> rows;
  std::ifstream in(std::string(QV_TEST_DATA) + "/stats/" + name);
  EXPECT_TRUE(in.good()) << name;
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    std::vector<double> row;
    std::string f;
    while (fields >> f) {
      double v = 0;
      const auto [end, ec] = std::from_chars(f.data(), f.data() + f.size(), v);
      EXPECT_TRUE(ec == std::errc() && end == f.data() + f.size()) << name << ": " << f;
      row.push_back(v);
    }
    rows.push_back(row);
  }
  EXPECT_FALSE(rows.empty()) << name;
  return rows;
}

// |got - want| / |want|, or |got| when want is 0.
inline double relError(double got, double want) {
  return want == 0 ? std::fabs(got) : std::fabs(got - want) / std::fabs(want);
}

// Records the messages and beeps of the statistical routines while it lives.
class NoticeCapture {
 public:
  NoticeCapture() {
    stats::Stat_Notices().message = [this](const std::string& t) { messages.push_back(t); };
    stats::Stat_Notices().beep = [this] { ++beeps; };
  }
  ~NoticeCapture() { stats::Stat_Notices() = {}; }
  NoticeCapture(const NoticeCapture&) = delete;
  NoticeCapture& operator=(const NoticeCapture&) = delete;

  std::vector<std::string> messages;
  int beeps = 0;
};

// Pins the system's decimal separator while it lives and loads the default texts.
class PinnedSeparator {
 public:
  explicit PinnedSeparator(char sep) {
    platform::SetDecimalSeparator(sep);
    Messages_Defaut();
  }
  ~PinnedSeparator() { platform::SetDecimalSeparator(0); }
  PinnedSeparator(const PinnedSeparator&) = delete;
  PinnedSeparator& operator=(const PinnedSeparator&) = delete;
};

// The text with every "." replaced by sep.
inline std::string withSeparator(std::string text, char sep) {
  for (char& c : text)
    if (c == '.') c = sep;
  return text;
}

}  // namespace stat_test
