#include "measure/surface_writers.h"

#include <cmath>
#include <exception>
#include <stdexcept>

#include "base/globals.h"
#include "base/helpers.h"
#include "base/text_tables.h"
#include "forms/main_window.h"
#include "images/image_state.h"
#include "measure/grid_statistics.h"
#include "measure/grid_templates.h"
#include "measure/measure_state.h"
#include "measure/row_writers.h"
#include "measure/table_editing.h"
#include "platform/dialogs.h"
#include "platform/flexgrid.h"
#include "platform/runtime.h"
#include "reports/stat_rows.h"

bool Pourcentage_Lames_Calcule = false;

namespace {

constexpr int kComptage = 10;
constexpr int kBosses = 11;
constexpr int kEllipse = 13;
constexpr int kRectangle = 14;
constexpr int kTriangle = 15;
constexpr int kPolygone = 16;
constexpr int kLames = 22;

std::string nombre(double v) { return platform::CStr(v); }

std::string entier(long long n) { return platform::CStr(n); }

void alerte() { platform::MsgBox(MSG(101) + "95"); }


// The row of TabMesures being closed, nullptr outside the table.
Mesure* rangeeTable(int ligne) {
  if (ligne < 0 || ligne > kDerniereLigneTable) return nullptr;
  return &TabMesures(ligne);
}

// The count of the counting box, then the box back to "0".
double prendCompte() {
  QVL& f = Qvl();
  const double n = Compte_Boite(f.TBox(6).text());
  f.TBox(6).setText("0");
  return n;
}

// Function 11: A at step 1, B and A + 2B at step 2.
void ecritBosses(int ligne) {
  Mesure* m = rangeeTable(ligne);
  const double n = prendCompte();
  if (EtapeClic <= 1) {
    Ecrit_Cellule_Grille(ligne, 1, nombre(n));
    if (m) m->Seg(1).X2 = n;
    EtapeClic = 2;
    MSG.set(55, MSG(202) + MSG(203));
  } else {
    const double a = m ? m->Seg(1).X2 : Val_Decimal(Qvl().GrilleRef.textMatrix(ligne, 1));
    Ecrit_Cellule_Grille(ligne, 2, nombre(n));
    Ecrit_Cellule_Grille(ligne, 3, entier(platform::CLng(a + 2 * n)));
    if (m) m->Seg(1).Y2 = n;
    MSG.set(55, MSG(202) + MSG(204));
    Ferme_Rangee();
  }
  if (m) {
    m->NumImage = Index_Image;
    m->ExpZoom = Expo_Zoom;
  }
}

// Functions 13 and 14: the count and the densities of the surface ValMesure(1).
void ecritDensite(int ligne) {
  const double n = prendCompte();
  const double s = ValMesure(1);
  Ecrit_Cellule_Grille(ligne, 2, nombre(n));
  if (s != 0 && std::isfinite(n / s)) {
    Ecrit_Cellule_Grille(ligne, 3, platform::Format(n / s, Format_Decimal));
    Ecrit_Cellule_Grille(ligne, 4, platform::Format(std::sqrt(n / s), Format_Decimal));
  }
  Ferme_Rangee();
}

void ecritLames(int ligne) {
  Ecrit_Cellule_Grille(ligne, EtapeClic, Qvl().Label12.caption());
  Ecrit_Cellule_Grille(ligne, EtapeClic + 1, Texte_Pourcentage_Lames(Pourcentage_Lames_Calcule, ValMesure(10)));
  Ferme_Rangee();
}

// The table row of the row being written. The triangle and the gill count keep nothing
// in the table, and a count closed with no element counted has no mark: their row is
// started here. The other rows were started by their tool, which this writer completes.
Mesure* rangeeEcrite(int fonction, int ligne) {
  const bool compte = (fonction == kComptage || fonction == kBosses) && EtapeClic <= 1;
  const bool sansOutil = fonction == kTriangle || fonction == kLames;
  if (sansOutil || (compte && Compte_Boite(Qvl().TBox(6).text()) == 0)) return Commence_Ligne_Table();
  return rangeeTable(ligne);
}

bool numeroteLigne(int fonction) {
  return fonction == kComptage || fonction == kBosses || (fonction >= kEllipse && fonction <= kPolygone) ||
         fonction == kLames;
}

void ecritGrille() {
  QVL& f = Qvl();
  platform::FlexGrid& g = f.GrilleRef;
  const int fonction = FonctionCourante;
  const int ligne = LigneCourante;
  if (ligne < 1 || ligne > Capacite_Grille()) {
    if (fonction == kComptage || fonction == kBosses || fonction == kLames) Grille_Pleine();
    return;
  }
  if (numeroteLigne(fonction)) Ecrit_Cellule_Grille(ligne, 0, entier(ligne));
  if (g.cols() >= 1) g.setColAlignment(g.cols() - 1, platform::kAlignLeftTop);
  Ecrit_Cellule_Grille(ligne, g.cols() - 2, entier(Index_Image));
  if (Mesure* m = rangeeEcrite(fonction, ligne); m && m->NumImage == 0) {
    m->NumImage = Index_Image;
    m->ExpZoom = Expo_Zoom;
  }
  switch (fonction) {
    case kComptage:
      Ecrit_Cellule_Grille(ligne, 1, nombre(prendCompte()));
      Ferme_Rangee();
      break;
    case kBosses:
      ecritBosses(ligne);
      break;
    case kEllipse:
    case kRectangle:
      ecritDensite(ligne);
      break;
    case kTriangle:
      Ecrit_Cellule_Grille(ligne, 1, nombre(ValMesure(1)));
      Ecrit_Cellule_Grille(ligne, 2, nombre(ValMesure(3)));
      Ecrit_Cellule_Grille(ligne, 3, nombre(ValMesure(2)));
      Ferme_Rangee();
      break;
    case kPolygone:
      Ecrit_Cellule_Grille(ligne, 1, nombre(ValMesure(1)));
      Ecrit_Cellule_Grille(ligne, 2, nombre(ValMesure(2)));
      Ecrit_Cellule_Grille(ligne, 3, nombre(ValMesure(6)));
      Ecrit_Cellule_Grille(ligne, 4, nombre(ValMesure(5)));
      Ferme_Rangee();
      break;
    case kLames:
      ecritLames(ligne);
      break;
    default:
      break;
  }
  Rafraichit_Grille(ligne);
}

void ecritSurface() {
  QVL& f = Qvl();
  const int capacite = Capacite_Grille();
  if (LigneCourante == capacite + 1) {
    Grille_Pleine();
    return;
  }
  Ouverture_Rangee();
  platform::FlexGrid& g = f.GrilleRef;
  if (EtapeClic >= 0 && EtapeClic < g.cols()) g.setCol(EtapeClic);
  if (EtapeClic >= 0 && EtapeClic < f.MGrille.cols()) f.MGrille.setCol(EtapeClic);
  if (LigneCourante > capacite + 1) {
    platform::MsgBox(MSG(174));
    return;
  }
  if (EtapeClic == NbCellules) {
    Ecrit_Cellule_Grille(LigneCourante, g.cols() - 2, entier(Index_Image));
    Ecrit_Cellule_Grille(LigneCourante, g.cols() - 1, "");
    Dimensionne_Grille(LigneCourante);
    EtapeClic += 1;
    if (EtapeClic > NbCellules) {
      for (int k = 1; k <= 6; ++k) ValEtapes(k) = 0;
      EtapeClic = 1;
      Compteur_Lignes = -1;
    }
  }
  Rafraichit_Grille(LigneCourante);
}

}  // namespace

std::string Texte_Pourcentage_Lames(bool calcule, double pourcentage) {
  return calcule ? nombre(pourcentage) : std::string();
}

double Compte_Boite(const std::string& texte) {
  const double n = platform::Val(texte);
  return std::isfinite(n) ? n : 0;
}

void Inscrit_Mesure_Surface() {
  try {
    ecritSurface();
  } catch (const std::exception&) {
    alerte();
  }
}

void Inscrit_Mesure_Grille() {
  try {
    ecritGrille();
  } catch (const std::exception&) {
    alerte();
  }
}
