#pragma once
// UTF-8 stepping shared by the string functions and the text file readers. A byte that
// does not start a well-formed sequence counts as one character of its own, so every
// function here accepts any bytes.

#include <cstddef>
#include <string>

namespace platform::utf8 {

// Length in bytes (1 to 4) of the character starting at s[pos] and its code point in
// *cp; a malformed or truncated sequence gives 1 and *cp = -1. pos past the end gives 0.
inline std::size_t decodeAt(const std::string& s, std::size_t pos, long* cp) {
  if (pos >= s.size()) {
    *cp = -1;
    return 0;
  }
  const auto b0 = static_cast<unsigned char>(s[pos]);
  *cp = -1;
  if (b0 < 0x80) {
    *cp = b0;
    return 1;
  }
  std::size_t len = 0;
  long value = 0;
  long minimum = 0;
  if (b0 >= 0xC2 && b0 <= 0xDF) {
    len = 2; value = b0 & 0x1F; minimum = 0x80;
  } else if (b0 >= 0xE0 && b0 <= 0xEF) {
    len = 3; value = b0 & 0x0F; minimum = 0x800;
  } else if (b0 >= 0xF0 && b0 <= 0xF4) {
    len = 4; value = b0 & 0x07; minimum = 0x10000;
  } else {
    return 1;
  }
  if (pos + len > s.size()) return 1;
  for (std::size_t k = 1; k < len; ++k) {
    const auto b = static_cast<unsigned char>(s[pos + k]);
    if ((b & 0xC0) != 0x80) return 1;
    value = (value << 6) | (b & 0x3F);
  }
  if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return 1;
  *cp = value;
  return len;
}

// Appends the UTF-8 bytes of code point cp (0 to 0x10FFFF, surrogates excluded);
// anything else appends U+FFFD.
inline void append(std::string* out, long cp) {
  if (cp < 0 || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = 0xFFFD;
  if (cp < 0x80) {
    out->push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out->push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out->push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out->push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out->push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out->push_back(static_cast<char>(0xF0 | (cp >> 18)));
    out->push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

// True when every byte of s belongs to a well-formed UTF-8 sequence.
inline bool isValid(const std::string& s) {
  std::size_t pos = 0;
  while (pos < s.size()) {
    long cp = -1;
    const std::size_t len = decodeAt(s, pos, &cp);
    if (cp < 0) return false;
    pos += len;
  }
  return true;
}

}  // namespace platform::utf8
