#pragma once
// The calibration files window Cmpl: the ".cal" files of the program folder in a combo
// box, a name entry with its "OK" and "Annule", the close button, and the four file
// commands. Its behaviour is the calibration code's.

#include "forms/design.h"

class Cmpl : public FormDesign {
 public:
  Cmpl();
  ~Cmpl() override;

  platform::Frame Frame1{*this, "Frame1"};         // the whole window
  platform::ComboBox Combo1{Frame1, "Combo1"};      // the file names
  TextBox Text1{Frame1, "Text1"};                   // name entry, hidden until needed
  Button Command1{Frame1, "Command1"};              // "OK" of the name entry
  Button Command3{Frame1, "Command3"};              // "Annule" of the name entry
  Button Command0{Frame1, "Command0"};              // "OK / fermer"
  platform::Frame Frame2{Frame1, "Frame2"};
  Array<Button> Command2{Frame2, "Command2"};       // 0 new, 1 rename, 2 edit, 3 delete
};
