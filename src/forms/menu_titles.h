#pragma once
// Titles of a window's menu bar that form one array (Mnstat(1..15), IllustImg(0..5)):
// read as X(i), one onClick receiving the index.

#include <functional>
#include <initializer_list>
#include <map>
#include <string>

#include "platform/form.h"
#include "platform/menu.h"

// Indexing a missing title throws IndexError.
class MenuTitles {
 public:
  MenuTitles(platform::Form& form, std::string name) : form_(&form), name_(std::move(name)) {}
  platform::MenuItem& add(int index, const std::string& caption);
  platform::MenuItem& operator()(int index) const;
  bool exists(int index) const { return items_.count(index) != 0; }

  std::function<void(int index)> onClick;

 private:
  platform::Form* form_;
  std::string name_;
  std::map<int, platform::MenuItem*> items_;   // owned by the form
};

// Greys the items of a menu array (MenuTitles, platform::MenuArray or the main
// window's arrays) that have no command; an index the array does not hold is passed
// over.
template <class Menu>
void Grise_Articles(Menu& menu, std::initializer_list<int> articles) {
  for (int i : articles)
    if (menu.exists(i)) menu(i).setEnabled(false);
}
