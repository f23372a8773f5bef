#include "measure/grid_setup.h"

#include <cmath>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

#include "forms/main_window.h"
#include "measure/grid_statistics.h"
#include "measure/grid_templates.h"
#include "measure/measure_state.h"
#include "platform/control.h"
#include "platform/flexgrid.h"
#include "platform/runtime.h"

namespace {

// The whole number an item of a width template denotes (a decimal number rounded half
// to even, "," or "." before the fraction); throws when the item is not a number or
// lies outside -32768..32767.
int entierModele(const std::string& item) {
  std::string texte = platform::Replace(platform::UCase(item), ",", ".");
  const bool nombre = !texte.empty() && texte.find_first_not_of("+-.0123456789") == std::string::npos &&
                      texte.find_first_of("0123456789") != std::string::npos;
  char* fin = nullptr;
  const double v = nombre ? std::strtod(texte.c_str(), &fin) : 0.0;
  if (!nombre || fin == nullptr || *fin != '\0' || !std::isfinite(v))
    throw std::invalid_argument("\"" + item + "\" n'est pas un nombre entier");
  if (v < -32768.5 || v > 32767.5) throw std::out_of_range("\"" + item + "\" dépasse les bornes");
  const int n = platform::CInt(v);
  if (n < -32768 || n > 32767) throw std::out_of_range("\"" + item + "\" dépasse les bornes");
  return n;
}

// Column count and widths of the three grids from the width template of `code`.
void appliqueLargeurs(int code) {
  QVL& f = Qvl();
  platform::FlexGrid* grilles[] = {&f.GrilleRef, &f.GrilleRefP, &f.MGrille};
  const std::vector<std::string> items = Items_Modele(Modele_Largeurs(code));
  int n = 0;
  for (size_t k = 0; k < items.size(); ++k) {
    const int valeur = entierModele(items[k]);
    if (k == 0) {
      if (valeur < 1 || valeur > kMaxColonnesGrille)
        throw platform::IndexError("nombre de colonnes " + std::to_string(valeur) + " hors limites");
      n = valeur;
      for (auto* g : grilles) g->setCols(n);
      continue;
    }
    const int c = static_cast<int>(k);
    if (c > n - 1)
      throw platform::IndexError("colonne " + std::to_string(c) + " au-delà de la dernière");
    for (auto* g : grilles) g->setColWidth(c, valeur);
  }
}

// NomFonction and the headings of row 0 of GrilleRef from the title template of
// `code`; stops at the first heading past the last column.
void ecritTitres(QVL& f, int code) {
  platform::FlexGrid& ref = f.GrilleRef;
  const std::vector<std::string> items = Items_Modele(Modele_Titres(code));
  if (items.empty()) return;
  NomFonction = items[0];
  // Item 1 is the column count (not used); the headings fill columns 1, 2, ...
  for (size_t k = 2; k < items.size(); ++k) {
    const int c = static_cast<int>(k) - 1;
    if (c >= ref.cols()) return;
    ref.setTextMatrix(0, c, items[k]);
  }
  if (code == 16) NomFonction = f.Mnusurf(Courbe_Fermee ? 2 : 3).caption();
}

}  // namespace

bool Prepare_Grilles_Mesure(int code) {
  QVL& f = Qvl();
  platform::FlexGrid& ref = f.GrilleRef;
  ref.setColWidth(0, kLargeurColonneNumero);
  ref.setRow(0);
  ref.setCol(0);
  ref.setBackColor(kVertGrille);
  ref.setText("N°");
  f.MGrille.setColWidth(0, ref.colWidth(0));
  f.GrilleRefP.setColWidth(0, ref.colWidth(0));
  f.GrilleRefP.setRow(ref.row());
  f.GrilleRefP.setCol(ref.col());
  f.GrilleRefP.setBackColor(ref.backColor());
  f.GrilleRefP.setText(ref.text());
  try {
    if (!platform::BoundedArray<int, 0, kDernierCodeFonction>::inBounds(code))
      throw platform::IndexError("fonction " + std::to_string(code) + " sans modèle de grille");
    appliqueLargeurs(code);
  } catch (const std::exception& e) {
    platform::reportError("Prepare_Grilles_Mesure", e.what());
    return false;
  }
  Dimensionne_Grille(0);
  return true;
}

void Prepare_Grille(int code) {
  Modeles_Grille();
  QVL& f = Qvl();
  platform::FlexGrid& ref = f.GrilleRef;
  ref.setRow(0);
  ref.setCol(0);
  ref.setBackColor(kVertGrille);
  ref.setText("N°");
  // Headings: a missing template, a heading past the last column or any other failure
  // ends this step without a message.
  try {
    ecritTitres(f, code);
  } catch (const std::exception&) {
  }
  Dimensionne_Grille(0);
}
