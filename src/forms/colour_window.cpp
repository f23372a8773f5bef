// The colour-match window's design: every control and menu with its designed caption
// and place (twips).
#include "forms/colour_window.h"

#include <string>
#include <utility>

#include "platform/colour.h"

Ajustement::Ajustement() : FormDesign("Ajustement") {
  setCaption("Form2");
  // Tall enough for the row under the tolerance and archive panels: the frame and
  // picture without behaviour, and the archive's calendar, which cover nothing there.
  move(1000, 500, 10300, 9700);
  creerEntree();
  creerRecherche();
  creerTolerance();
  creerArchive();
  creerMenus();
}

Ajustement::~Ajustement() = default;

bool Ajustement::creerCadres() {
  place(Frame3, 120, 120, 1900, 650);
  place(titled(Frame4, "Source"), 120, 2000, 1900, 1450);
  place(titled(Frame2, "delta"), 2150, 120, 1700, 2850);
  place(Frame5, 2150, 3050, 1700, 700);
  place(titled(Frame1, "Tolérance a virer"), 120, 4650, 4600, 1900);
  place(titled(Frame8, "distance"), 120, 6700, 1600, 1100);
  for (int i = 0; i <= 1; ++i) place(titled(Frame6.add(i), "Frame6"), 3950, 2300 + i * 800.0, 1500, 700);
  place(titled(Frame7, "Ajout à Nuancier Archive"), 4800, 4200, 5300, 2600).setVisible(false);
  return true;
}

// Colour space, the three input boxes, the source and expert mode.
void Ajustement::creerEntree() {
  place(titled(Option2.add(0), "RVB"), 60, 250, 800, 250);
  place(titled(Option2.add(1), "Lab"), 950, 250, 800, 250).setValue(true);
  const char* canaux[] = {"R", "V", "B"};
  for (int i = 0; i <= 2; ++i) {
    place(titled(Label_C.add(i), canaux[i]), 120, 880 + i * 360.0, 300, 240);
    place(Text3.add(i), 450, 850 + i * 360.0, 1100, 285);
  }
  const char* sources[] = {"Moyenne", "Dern.mesure", "valeurs RGB", "N° Grille"};
  // The first three take the width of the frame; "N° Grille" leaves room for its row box.
  for (int i = 0; i <= 3; ++i) place(titled(Option3.add(i), sources[i]), 60, 250 + i * 280.0, i < 2 ? 1780 : i == 2 ? 1550 : 1150, 250);
  place(Text5, 1220, 1060, 400, 285).setText("1");
  platform::VScrollBar& ligne = place(VScroll3.add(0), 1630, 1040, 220, 330);
  ligne.setMin(1);
  ligne.setMax(1);
  place(titled(Check3, "mode expert"), 120, 3550, 1900, 250);
}

// Formulas, search option, neighbour count, buttons, result box and swatches.
void Ajustement::creerRecherche() {
  const char* formules[] = {"RVB", "RVBrel", "vide", "Lab quad", "CIE_Lab", "CIE94", "CMC", "CIE2000"};
  for (int i = 1; i <= 8; ++i) place(titled(OpDelta.add(i), formules[i - 1]), 60, 250 + (i - 1) * 280.0, 1500, 250);
  place(titled(ChKRel, "Relatif"), 60, 2500, 1500, 250);
  place(titled(Option5.add(0), "Ajuster"), 60, 200, 1500, 230).setValue(true);
  place(titled(Option5.add(1), "comparer"), 60, 440, 1500, 230);
  place(titled(Label1, "Nb de résultats voisins"), 2150, 3850, 1750, 240);
  place(Text4, 2150, 4120, 550, 285).setText("5");
  place(VScroll2, 2720, 4100, 250, 330);
  VScroll2.setMin(1);
  VScroll2.setMax(14);
  VScroll2.setValue(5);

  const std::pair<Button*, const char*> boutons[] = {{&ComCalc, "Calcul"},
                                                     {&Command3, "Copier"},
                                                     {&Command2, "voir Grille"},
                                                     {&Comm_nuancier, "détails nuancier"},
                                                     {&Command7, "essai"}};
  for (int k = 0; k < 5; ++k) place(titled(*boutons[k].first, boutons[k].second), 3950, 120 + k * 360.0, 1500, 300);
  place(titled(Command1.add(0), "Fermer"), 3950, 1920, 1500, 300);
  place(titled(Check5, "Check5"), 3950, 3950, 1500, 250);

  place(titled(Label8, "Nuancier : **"), 5600, 120, 4500, 240);
  place(titled(Label9, "donnée brutes/corrigées"), 5600, 400, 4500, 240);
  place(Text2, 5600, 700, 4500, 3450).setText("ààà");
  Text2.setScrollBars(3);
}

// The tolerance panel and the controls that have no behaviour.
void Ajustement::creerTolerance() {
  const char* labels[] = {"%  R", "%  V", "%  B"};
  for (int i = 0; i <= 2; ++i) {
    place(Text1.add(i), 60 + i * 900.0, 300, 550, 285).setText("1");
    platform::VScrollBar& b = place(VScroll1.add(i), 620 + i * 900.0, 280, 220, 330);
    b.setMin(1);
    b.setMax(256);
    place(titled(Label2.add(i), labels[i]), 60 + i * 900.0, 650, 800, 240);
  }
  place(titled(Option1.add(0), " sigma Lum."), 2800, 280, 1500, 250);
  place(titled(Option1.add(1), "% de donnée"), 2800, 560, 1500, 250);
  place(titled(Check4, "Auto "), 2800, 900, 1500, 250);
  place(titled(Check1, "identiques"), 60, 1100, 1500, 250);
  place(titled(Check2, "Pondéré"), 60, 1400, 1500, 250);
  for (int i = 0; i <= 2; ++i) place(titled(Option4.add(i), "Option4"), 60, 250 + i * 260.0, 1400, 240);
  place(Picture1, 1900, 6750, 1000, 1000);
}

// The chart-archive panel and its calendar.
void Ajustement::creerArchive() {
  place(titled(Label5.add(0), "fichier d'archive :"), 120, 280, 1500, 240);
  place(titled(Label5.add(1), "Archv_Nuancier.nua"), 1650, 280, 3500, 240);
  place(titled(Option7.add(4), "Moyenne"), 120, 620, 1200, 250).setValue(true);
  place(titled(Option7.add(5), "N° Grille"), 1400, 620, 1200, 250);
  place(Text7, 2700, 600, 500, 285).setText("1");
  platform::VScrollBar& ligne = place(VScroll7.add(1), 3220, 580, 220, 330);
  ligne.setMin(1);
  ligne.setMax(1);
  place(titled(Label7, "Commentaire"), 120, 1020, 1200, 240);
  place(Text6, 1400, 1000, 3750, 285).setText("Genre espèce Ref");
  place(Label10, 120, 1400, 5050, 480);
  place(titled(Command5, "+ date"), 120, 2050, 1300, 300);
  place(titled(Command6, "enregistrer"), 1600, 2050, 1500, 300);
  place(titled(Command4, "Fermer"), 3300, 2050, 1500, 300);
  place(MonthView1, 4800, 6900, 3000, 2300).setVisible(false);
}

bool Ajustement::creerTitres() {
  const std::pair<int, const char*> titres[] = {{1, "Fichiers"}, {2, "Comparer"}, {3, "**"},
                                                {4, "Ajuster"},  {5, "**"},       {6, "Chromatogrammes"},
                                                {7, "**"},       {8, "**"},       {9, "**"},
                                                {10, "Outils"},  {11, "**"},      {12, "Aide"}};
  for (const auto& [i, caption] : titres) Fic_Ajust.add(i, caption);
  return true;
}

void Ajustement::creerMenus() {
  const std::pair<int, const char*> fichiers[] = {{1, "Charger Nuancier"},
                                                  {5, "Charger étalon couleur"},
                                                  {7, "Ajout archive nuancier"},
                                                  {8, "Editer Nuancier Archv"}};
  for (const auto& [i, caption] : fichiers) Fic_Charte.add(i, caption);
  const std::pair<int, const char*> outils[] = {{2, "Création Nuancier"}, {3, "Sauver nuancier"},
                                                {5, "création étalon"},   {6, "Sauver étalon"},
                                                {10, "Import nuancier 1.05"}, {12, "Export coeft "}};
  for (const auto& [i, caption] : outils) Outil_coul.add(i, caption);
}
