// The capture-naming window's design: its controls with their captions and places
// (twips).
#include "forms/twain_prefixe.h"

TwainPrefixe::TwainPrefixe() : FormDesign("TwainPrefixe") {
  setCaption("Prefixe Image Capture");
  move(2000, 1500, 5400, 4300);

  place(titled(Label2, "Préfixe selon"), 120, 120, 1500, 255);
  place(titled(Option1.add(0), "Boutons Calibre"), 1700, 120, 1700, 255);
  place(titled(Option1.add(1), "Votre choix"), 3500, 120, 1500, 255);

  place(titled(Frame1, ""), 120, 480, 5040, 1300);
  place(titled(Label1.addIn(Frame1, 0), "Préfixe"), 120, 240, 1300, 255);
  place(Text1.add(0), 1500, 200, 1900, 315).setText("X60_");
  place(titled(Command3, "Insère date"), 3500, 200, 1400, 315);
  place(titled(Label1.addIn(Frame1, 1), "Premier numéro"), 120, 720, 1300, 255);
  place(Text1.add(1), 1500, 680, 900, 315).setText("1");

  place(titled(Label1.add(2), "Répertoire"), 120, 1900, 5040, 480);
  place(titled(Command2, "Changer le  répertoire"), 120, 2420, 2400, 315);
  place(titled(Check1.add(0), "Enreg. Captures Twain"), 120, 2860, 2500, 255);
  place(titled(Check1.add(1), "Enreg. Captures P¨resse Papier"), 2640, 2860, 2600, 255);

  place(titled(Command1.add(0), "OK"), 1200, 3340, 1300, 375);
  place(titled(Command1.add(1), "Annule"), 2800, 3340, 1300, 375);
}

TwainPrefixe::~TwainPrefixe() = default;
