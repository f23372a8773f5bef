#include "measure/table_editing.h"

#include <algorithm>

#include "measure/measure_state.h"
#include "measure/row_writers.h"
#include "platform/runtime.h"

namespace {

constexpr int kFonctionCouleur = 20;
constexpr int kDerniereCellule = 16;

bool ligneTable(int r) { return r >= 0 && r <= kDerniereLigneTable; }

bool celluleGrille(const Grille_Edition& g, int r, int c) {
  return r >= 0 && r < g.lignes() && c >= 0 && c < g.colonnes();
}

void videCellule(Grille_Edition& g, int r, int c) {
  if (celluleGrille(g, r, c)) g.ecrit(r, c, "");
}

// The marks a row undone here keeps: no image, the text "0", zoom exponent 1.
void marqueAnnulee(int r) {
  if (!ligneTable(r)) return;
  Mesure& m = TabMesures(r);
  m.NumImage = 0;
  m.Texte = "0";
  m.ExpZoom = 1;
}

void videSegment(int r, int c) {
  if (ligneTable(r) && c >= 0 && c <= kDerniereCellule) TabMesures(r).Seg(c) = Segment{};
}

void decompte() { Compteur_Lignes = std::max(0, Compteur_Lignes - 1); }

// The measurement in progress on row r is given up: its cells and table row emptied.
void abandonne(Grille_Edition& g, int r) {
  for (int c = 1; c < g.colonnes(); ++c) videCellule(g, r, c);
  Efface_Ligne_Table(r);
  EtapeClic = 1;
  Compteur_Lignes = 0;
}

// The step that measures the first cell an undo of a whole row empties.
int etapeRouverte(int fonction) {
  switch (fonction) {
    case 3: return 2;
    case 5: case 6: return Derniere_Etape(fonction, NbCellules);
    case kFonctionCouleur: return 1;
    default: return NbCellules;
  }
}

bool colonneUnVide(const Grille_Edition& g, int r) {
  return !celluleGrille(g, r, 1) || g.texte(r, 1).empty();
}

}  // namespace

void Efface_Ligne_Table(int ligne) {
  if (ligneTable(ligne)) TabMesures(ligne) = Mesure{};
}

Mesure* Commence_Ligne_Table() {
  if (!ligneTable(LigneCourante)) return nullptr;
  Efface_Ligne_Table(LigneCourante);
  return &TabMesures(LigneCourante);
}

Annulation Annule_Derniere_Etape(Grille_Edition& g) {
  const int f = FonctionCourante;
  if (f == 5 && EtapeClic > 4) EtapeClic = 4;
  if (f == 6 && EtapeClic > 5) EtapeClic = 5;
  if (LigneCourante == 1) {
    if (EtapeClic <= 1) return Annulation::Rien;
    if (EtapeClic == 2 || f == kFonctionCouleur) {
      abandonne(g, 1);
      return Annulation::Mesure_Abandonnee;
    }
  }
  if (f == kFonctionCouleur && EtapeClic > 1) {
    abandonne(g, LigneCourante);
    return Annulation::Mesure_Abandonnee;
  }
  if (LigneCourante < 2 && EtapeClic <= 1) return Annulation::Rien;
  if (LigneCourante > kDerniereLigneTable + 1) LigneCourante = kDerniereLigneTable + 1;

  if (EtapeClic <= 1) {
    LigneCourante -= 1;
    const int r = LigneCourante;
    marqueAnnulee(r);
    const int premiere = f == kFonctionCouleur ? 1 : std::max(1, NbPoints_Copie);
    for (int c = premiere; c < g.colonnes(); ++c) {
      videCellule(g, r, c);
      videSegment(r, c);
    }
    EtapeClic = std::max(1, etapeRouverte(f));
    decompte();
    return Annulation::Ligne_Rouverte;
  }

  EtapeClic -= 1;
  videCellule(g, LigneCourante, EtapeClic);
  marqueAnnulee(LigneCourante);
  videSegment(LigneCourante, EtapeClic);
  decompte();
  return Annulation::Etape_Annulee;
}

int Supprime_Ligne(Grille_Edition& g, int num_ligne) {
  if (num_ligne == 0) num_ligne = LigneCourante;
  if (num_ligne < 1 || num_ligne > LigneCourante || num_ligne > kDerniereLigneTable ||
      num_ligne >= g.lignes())
    return 0;
  if (num_ligne == LigneCourante) {
    if (!colonneUnVide(g, num_ligne)) {
      abandonne(g, num_ligne);
      return num_ligne;
    }
    num_ligne -= 1;
  } else if (colonneUnVide(g, num_ligne)) {
    num_ligne -= 1;
  }
  if (num_ligne < 1) return 0;

  g.retireLigne(num_ligne);
  const int fin = std::min(LigneCourante, kDerniereLigneTable);
  for (int i = num_ligne; i < fin; ++i) TabMesures(i) = TabMesures(i + 1);
  Efface_Ligne_Table(fin);
  LigneCourante = std::max(1, LigneCourante - 1);
  Compteur_Lignes = 0;
  for (int r = num_ligne; r <= LigneCourante && r < g.lignes(); ++r)
    g.ecrit(r, 0, platform::CStr(static_cast<long long>(r)));
  return num_ligne;
}
