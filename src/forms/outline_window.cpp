// The spore-outline window's design: its controls with their captions and places
// (twips). The pictures and the controls below them take their places when the
// window is prepared.
#include "forms/outline_window.h"

Sporogramme::Sporogramme() : FormDesign("Sporogramme") {
  setCaption("Sporogramme");
  move(600, 600, 12000, 9000);

  place(Picture1, 0, 0, 5880, 4000);
  place(Picture2, 6000, 0, 5880, 4000).setBackColor(0xFFFFFF);
  place(Image1, 0, 0, 5880, 4000).setVisible(false);

  place(titled(Label1, "Epaisseur trait"), 120, 4200, 1400, 255);
  place(Text1, 1560, 4160, 600, 315).setText("3");
  place(titled(Frame1, "Mode"), 2400, 4080, 2000, 900);
  place(titled(Option1.add(0), "Manuel"), 120, 240, 1700, 255).setValue(true);
  place(titled(Option1.add(1), "Auto"), 120, 540, 1700, 255);
  place(titled(Frame2, "Contour"), 4560, 4080, 2200, 900);
  place(titled(Option2.add(0), "Point à point"), 120, 240, 1900, 255).setValue(true);
  place(titled(Option2.add(1), "Continu"), 120, 540, 1900, 255);
  place(titled(Frame4, "Auto"), 6920, 4080, 3200, 1300).setVisible(false);
  place(titled(Command1, "Tracer contour"), 120, 240, 1600, 375);
  place(titled(Check1.add(0), "Lissage"), 1840, 240, 1200, 255);
  place(titled(Check1.add(1), "Couleur"), 1840, 540, 1200, 255);
  place(titled(Check1.add(2), "Trait épais"), 1840, 840, 1200, 255);
  place(titled(Command2, "Bip"), 10300, 4160, 900, 375);
}

Sporogramme::~Sporogramme() = default;
