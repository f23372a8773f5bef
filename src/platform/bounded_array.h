#pragma once
// Program-wide tables with fixed bounds (Lo to Hi inclusive), read and written as
// X(i); an index outside the bounds throws IndexError instead of touching memory.

#include <array>
#include <string>

#include "platform/control.h"

namespace platform {

template <class T, int Lo, int Hi>
class BoundedArray {
  static_assert(Hi >= Lo, "empty bounds");

 public:
  static constexpr int lower = Lo;
  static constexpr int upper = Hi;
  static constexpr int size = Hi - Lo + 1;

  T& operator()(int i) { return data_[check(i)]; }
  const T& operator()(int i) const { return data_[check(i)]; }
  static bool inBounds(int i) { return i >= Lo && i <= Hi; }
  void fill(const T& v) { data_.fill(v); }
  auto begin() { return data_.begin(); }
  auto end() { return data_.end(); }
  auto begin() const { return data_.begin(); }
  auto end() const { return data_.end(); }

 private:
  static int check(int i) {
    if (!inBounds(i))
      throw IndexError("index " + std::to_string(i) + " outside " + std::to_string(Lo) + " to " +
                       std::to_string(Hi));
    return i - Lo;
  }
  std::array<T, size> data_{};
};

}  // namespace platform
