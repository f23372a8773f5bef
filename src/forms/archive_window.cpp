// The archive search window's design (twips).
#include "forms/archive_window.h"

Fen_Nmst::Fen_Nmst() : FormDesign("Fen_Nmst") {
  setCaption("archives");
  move(1000, 500, 11000, kHauteurFenetreArchives);
  place(Text1, 120, 120, 10600, 3500);
  Text1.setScrollBars(3);
  place(titled(Label1, "Risque 20%"), 120, 3720, 1500, 255);
  place(HScroll1, 1700, 3720, 4000, 255);
  HScroll1.setMin(1);
  HScroll1.setMax(100);
  place(titled(Label2, ""), 6000, 3720, 4700, 255);
  place(titled(Frame2, "Risque alpha %"), 3500, 4080, 3200, 1400);
  place(Text2, 200, 300, 2800, 375);
  place(titled(Command1.addIn(Frame2, 0), "OK"), 200, 850, 1300, 375);
  place(titled(Command1.addIn(Frame2, 1), "Annule"), 1700, 850, 1300, 375);
  Frame2.setVisible(false);
  Nmst_p.add(1, "Risque %");
  Nmst_p.add(2, "Filtre nom");
}

bool Fen_Nmst::creerMenus() {
  Nmst_m.add(1, "Fermer");
  Nmst_m.add(2, "Copier");
  Nmst_m.add(3, "Paramètres");
  Nmst_m.add(4, "Re-chercher");
  return true;
}

Fen_Nmst::~Fen_Nmst() = default;
