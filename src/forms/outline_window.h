#pragma once
// The spore-outline window Sporogramme: a half-size copy of the main picture on which
// the main direction of a spore and then its outline are traced, the same trace drawn
// alone on a white surface beside it, the line width and the tracing options. Its
// handlers are connected by the measuring code.

#include "forms/design.h"
#include "platform/picturebox.h"

class Sporogramme : public FormDesign {
 public:
  Sporogramme();
  ~Sporogramme() override;

  platform::PictureBox Picture1{*this, "Picture1"};   // the picture copy, traced on
  platform::PictureBox Picture2{*this, "Picture2"};   // the white drawing surface
  platform::ImageBox Image1{*this, "Image1"};         // the copy kept without the rubber band
  Label Label1{*this, "Label1"};                      // "Epaisseur trait"
  TextBox Text1{*this, "Text1"};                      // line width, "3"
  platform::Frame Frame1{*this, "Frame1"};            // "Mode"
  platform::Frame Frame2{*this, "Frame2"};            // "Contour"
  Array<Option> Option1{Frame1, "Option1"};           // 0 "Manuel", 1 "Auto"
  Array<Option> Option2{Frame2, "Option2"};           // 0 "Point à point", 1 "Continu"
  platform::Frame Frame4{*this, "Frame4"};            // shown while "Auto" is chosen
  Button Command1{Frame4, "Command1"};                // "Tracer contour"
  Array<CheckBox> Check1{Frame4, "Check1"};           // 0 "Lissage", 1 "Couleur", 2 "Trait épais"
  Button Command2{*this, "Command2"};
};
