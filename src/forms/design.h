#pragma once
// What every window's design uses: the names of the control types and the helpers
// that give a control its place (twips) and caption as it is made.

#include <string>

#include "platform/controls.h"
#include "platform/form.h"

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
