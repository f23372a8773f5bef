// The calibration files window's design (twips).
#include "forms/calibration_files_window.h"

Cmpl::Cmpl() : FormDesign("Cmpl") {
  setCaption("");
  move(1000, 500, 5400, 3300);
  place(Frame1, 0, 0, 5300, 3200);   // inside the client area, within the window's edges
  place(Combo1, 150, 350, 3000, 315);
  place(Text1, 150, 800, 3000, 285);
  place(titled(Command1, "OK"), 3300, 780, 900, 300);
  place(titled(Command3, "Annule"), 4300, 780, 900, 300);
  place(titled(Command0, "OK / fermer"), 3300, 330, 1900, 330);
  place(titled(Frame2, ""), 150, 1300, 5050, 1300);
  const char* const captions[] = {"Nouveau", "Renomme", "Editer", "Effacer"};
  for (int i = 0; i <= 3; ++i)
    place(titled(Command2.add(i), captions[i]), 100 + i * 1230.0, 450, 1150, 400);
}

Cmpl::~Cmpl() = default;
