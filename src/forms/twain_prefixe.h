#pragma once
// The capture-naming window TwainPrefixe ("Prefixe Image Capture"): the prefix and the
// first number of the next capture files, their folder, and which pictures are kept
// as captures. Its handlers are connected by the image code.

#include "forms/design.h"

class TwainPrefixe : public FormDesign {
 public:
  TwainPrefixe();
  ~TwainPrefixe() override;

  platform::Frame Frame1{*this, "Frame1"};           // shown in "Votre choix" mode
  Array<Option> Option1{*this, "Option1"};           // 0 "Boutons Calibre", 1 "Votre choix"
  Array<TextBox> Text1{Frame1, "Text1"};             // 0 prefix, 1 first number
  Array<Label> Label1{*this, "Label1"};              // 0, 1 in Frame1; 2 the folder
  Label Label2{*this, "Label2"};
  Array<CheckBox> Check1{*this, "Check1"};           // 0 scanner captures, 1 pasted pictures
  Array<Button> Command1{*this, "Command1"};         // 0 "OK", 1 "Annule"
  Button Command2{*this, "Command2"};                // change the folder
  Button Command3{Frame1, "Command3"};               // insert the date
};
