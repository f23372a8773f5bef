#include "base/text_tables.h"

#include <utility>

#include "platform/control.h"

TextTable MSG("MSG", 400);
TextTable NMST("NMST", 255);
TextTable MNUSTAT("MNUSTAT", 120);
TextTable MNU("MNU", 255);
TextTable TINTAVEL("TINTAVEL", 255);

TextTable::TextTable(std::string name, int upper)
    : name_(std::move(name)), texts_(upper < 0 ? 0 : static_cast<std::size_t>(upper) + 1) {}

void TextTable::check(int n) const {
  if (n < 0 || static_cast<std::size_t>(n) >= texts_.size())
    throw platform::IndexError(name_ + "(" + std::to_string(n) + "): index outside 0.." +
                               std::to_string(upper()));
}

const std::string& TextTable::operator()(int n) const {
  check(n);
  return texts_[static_cast<std::size_t>(n)];
}

void TextTable::set(int n, const std::string& text) {
  check(n);
  texts_[static_cast<std::size_t>(n)] = text;
}

int TextTable::upper() const { return static_cast<int>(texts_.size()) - 1; }

void TextTable::clear() {
  for (auto& t : texts_) t.clear();
}
