// The menu-bar title arrays every window's design uses.
#include "forms/design.h"

#include "platform/runtime.h"

platform::MenuItem& MenuTitles::add(int index, const std::string& caption) {
  platform::MenuItem& item = form_->addMenu(name_, caption, index);
  item.onClick = [this, index] {
    if (onClick) onClick(index);
  };
  items_[index] = &item;
  return item;
}

platform::MenuItem& MenuTitles::operator()(int index) const {
  auto it = items_.find(index);
  if (it == items_.end())
    throw platform::IndexError(name_ + "(" + std::to_string(index) + ") does not exist");
  return *it->second;
}
