#pragma once
// The peak of this process's resident memory over a step of a test: how much memory the
// step made present at most beyond what was there when it started, whether or not it
// gave it back. Linux only (/proc/self); the peak is reset by the kernel's clear_refs
// when it may be, else the step's growth is counted from the peak before it, which can
// only understate it.

#include <fstream>
#include <string>

namespace test_support {

class PeakMemory {
 public:
  PeakMemory() {
    std::ofstream clear("/proc/self/clear_refs");
    clear << "5";
    clear.close();
    start_ = clear ? field("VmRSS:") : field("VmHWM:");
  }

  // Bytes by which the resident memory peaked above its level at the start; 0 when
  // /proc cannot be read.
  long long growth() const {
    const long long peak = field("VmHWM:");
    return peak > start_ ? peak - start_ : 0;
  }

 private:
  // A line of /proc/self/status, in kB there, in bytes here; 0 when it is missing.
  static long long field(const std::string& name) {
    std::ifstream status("/proc/self/status");
    std::string key;
    long long kb = 0;
    while (status >> key) {
      if (key == name && status >> kb) return kb * 1024;
      std::getline(status, key);
    }
    return 0;
  }

  long long start_ = 0;
};

}  // namespace test_support
