#pragma once
// What every window's design uses: the names of the control types and the helpers
// that give a control its place (twips) and caption as it is made.

#include <functional>
#include <map>
#include <string>
#include <utility>

#include "platform/controls.h"
#include "platform/form.h"
#include "platform/menu.h"

class FormDesign : public platform::Form {
 public:
  using platform::Form::Form;

  template <class T>
  using Array = platform::ControlArray<T>;
  using Button = platform::CommandButton;
  using Label = platform::Label;
  using TextBox = platform::TextBox;
  using CheckBox = platform::CheckBox;
  using Option = platform::OptionButton;
};

// Places c at left, top with width x height (twips of its container); returns c.
template <class C>
C& place(C& c, double left, double top, double width, double height) {
  c.move(left, top, width, height);
  return c;
}

// Sets the caption of c; returns c.
template <class C>
C& titled(C& c, const std::string& caption) {
  c.setCaption(caption);
  return c;
}

// Titles of the menu bar that form one array (Mnstat(1..15)): read as X(i), one
// onClick receiving the index. Indexing a missing title throws IndexError.
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
