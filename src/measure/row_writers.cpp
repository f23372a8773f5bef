#include "measure/row_writers.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <stdexcept>

#include "base/globals.h"
#include "base/helpers.h"
#include "base/text_tables.h"
#include "colour/colour_state.h"
#include "colour/colour_zone.h"
#include "forms/main_window.h"
#include "images/image_state.h"
#include "images/resolution.h"
#include "measure/calibration.h"
#include "measure/grid_statistics.h"
#include "measure/grid_templates.h"
#include "measure/lengths.h"
#include "measure/measure_state.h"
#include "measure/table_editing.h"
#include "measure/trame_file.h"
#include "platform/app.h"
#include "platform/dialogs.h"
#include "platform/flexgrid.h"
#include "platform/runtime.h"
#include "reports/spore_marking.h"
#include "reports/stat_rows.h"

namespace {

constexpr double kPi = 3.14159;            // constant of the spore volumes
constexpr double kLargeurMinimaleQ = 0.01; // narrower spores get no Q
constexpr int kBoutonFonction = 41;        // tool button, disabled while a row is open
constexpr double kJaune = 65535;           // message panel colour of notices
constexpr double kVertAvis = 65280;        // message panel colour of good news
constexpr int kDelaiRetablissement = 2;    // seconds the save working again is shown

bool g_sauvegardeEnEchec = false;          // the last automatic save failed

bool celluleExiste(const platform::FlexGrid& g, int r, int c) {
  return r >= 0 && r < g.rows() && c >= 0 && c < g.cols();
}

// The value of the segment just finished, in calibrated units.
double valeurEtape() {
  if (Mode_Densite) return ValMesure(1);
  if (Mode_Pointage && EtapeClic == 1) {
    Facteur_Resol = Facteur_Resolution();
    return Longueur_Cumulee * Echelle_Longueur().factor();
  }
  return Valeur_Calibree(NbSegments_Calib);
}


// The last step of a row: tool button back, image number, empty comment, computed
// columns.
void completeRangee(QVL& f, int derniere) {
  platform::FlexGrid& g = f.GrilleRef;
  if (f.Bout.exists(kBoutonFonction)) f.Bout(kBoutonFonction).setEnabled(true);
  Ecrit_Cellule_Grille(LigneCourante, g.cols() - 2, platform::CStr(static_cast<long long>(Index_Image)));
  Ecrit_Cellule_Grille(LigneCourante, g.cols() - 1, "");
  std::vector<double> valeurs;
  for (int k = 0; k <= 6; ++k) valeurs.push_back(ValEtapes(k));
  for (const CelluleCalculee& c : Colonnes_Calculees(FonctionCourante, derniere, valeurs, Format_Decimal))
    Ecrit_Cellule_Grille(LigneCourante, c.colonne, c.texte);
  if ((FonctionCourante == 5 || FonctionCourante == 6) && FonctionCourante == EtapeClic + 1) {
    f.StatusBar1.setSimpleText(kEnteteRapports);
    Calcule_Rapports(FonctionCourante, LigneCourante);
  }
}

void ecritValeur() {
  QVL& f = Qvl();
  if (Calibrage == 0) platform::MsgBox(MSG(136));
  const int capacite = Capacite_Grille();
  if (LigneCourante == capacite + 1) {
    Grille_Pleine();
    return;
  }
  Ouverture_Rangee();
  if (FonctionCourante == 5 && EtapeClic > 4) EtapeClic = 4;
  if (FonctionCourante == 6 && EtapeClic > 5) EtapeClic = 5;

  if (LigneCourante > capacite + 1) {
    platform::MsgBox(MSG(174));
    return;
  }
  if (EtapeClic < 1 || EtapeClic > 6) throw std::out_of_range("click step outside 1 to 6");
  const double valeur = valeurEtape();
  Ecrit_Cellule_Grille(LigneCourante, EtapeClic, platform::Format(valeur, Format_Decimal));
  ValEtapes(EtapeClic) = valeur;
  if (valeur == 0) platform::App::Beep();
  if (f.Bout.exists(kBoutonFonction)) f.Bout(kBoutonFonction).setEnabled(false);

  const int derniere = Derniere_Etape(FonctionCourante, NbCellules);
  if (EtapeClic == derniere) completeRangee(f, derniere);

  Dimensionne_Grille(LigneCourante);
  f.Frame(6).setVisible(true);

  EtapeClic += 1;
  bool nouvelleRangee = false;
  if (EtapeClic > derniere) {
    Ferme_Rangee();
    nouvelleRangee = true;
  } else {
    // Density rows are closed by their count of values; the other functions only by
    // their last step.
    Compteur_Lignes += 1;
    if (Mode_Densite && NbPoints_Copie > 0 && Compteur_Lignes >= NbPoints_Copie) Ferme_Rangee();
  }

  if (f.Frame(6).visible()) {
    Calcul_stat();
    Entetes_Stat();
  }
  Segment_Ecrit_Calibrage();
  if (nouvelleRangee) Spore_Optimale_Nouvelle_Rangee();
}

void ecritCouleur() {
  QVL& f = Qvl();
  platform::FlexGrid& g = f.GrilleRef;
  EtapeClic = 1;
  if (Calibrage == 0) platform::MsgBox(MSG(136));
  const int capacite = Capacite_Grille();
  if (LigneCourante < 1 || LigneCourante > capacite) {
    Grille_Pleine();
    return;
  }
  Ouverture_Rangee();
  const int ligne = LigneCourante;
  for (int k = 1; k <= 3; ++k) {
    Ecrit_Cellule_Grille(ligne, k, Texte_Couleur(Coul_Mesure(k)));
    Ecrit_Cellule_Grille(ligne, k + 3, Texte_Couleur(Coul_Lab(k)));
  }
  Ecrit_Cellule_Grille(ligne, 7, platform::CStr(static_cast<long long>(Taille_Zone)));
  Ecrit_Cellule_Grille(ligne, g.cols() - 2, platform::CStr(static_cast<long long>(Index_Image)));
  Ecrit_Cellule_Grille(ligne, g.cols() - 1, "");
  Passe_Ligne_Suivante();
  Mode_Cumul = false;
  Rafraichit_Grille(LigneCourante);
  if (LigneCourante > capacite) Grille_Pleine();
}

}  // namespace

void Rafraichit_Grille(int ligne) {
  QVL& f = Qvl();
  Dimensionne_Grille(ligne);
  f.Frame(6).setVisible(true);
  if (f.Frame(6).visible()) {
    Calcul_stat();
    Entetes_Stat();
  }
}

int Capacite_Grille() {
  const platform::FlexGrid& g = Qvl().GrilleRef;
  return std::min(Borne_Taille_Grille(Taille_Grille), std::max(g.rows() - 1, 0));
}

void Ecrit_Cellule_Grille(int r, int c, const std::string& texte) {
  platform::FlexGrid& g = Qvl().GrilleRef;
  if (!celluleExiste(g, r, c)) throw std::out_of_range("grid cell outside the grid");
  g.setTextMatrix(r, c, texte);
}

void Grille_Pleine() {
  std::string erreur;
  if (Ecrit_Trame(Fichier_Trame_Secours(), &erreur))
    platform::MsgBox(MSG(214));
  else
    platform::MsgBox(MSG(215) + platform::vbCrLf + erreur);
}

void Passe_Ligne_Suivante() {
  LigneCourante += 1;
  Efface_Ligne_Table(LigneCourante);
}

void Ferme_Rangee() {
  for (int k = 1; k <= 6; ++k) ValEtapes(k) = 0;
  Passe_Ligne_Suivante();
  EtapeClic = 1;
  Compteur_Lignes = 0;
}

void Ouverture_Rangee() {
  QVL& f = Qvl();
  platform::FlexGrid& g = f.GrilleRef;
  f.StatusBar1.setSimpleText("");
  if (Sauvegarde_Due(Sauve_Auto, EtapeClic, LigneCourante)) Sauvegarde_Automatique();
  LignePrec = LigneCourante;
  Etape_Calib = EtapeClic;
  const std::string numero = platform::CStr(static_cast<long long>(LigneCourante));
  if (celluleExiste(f.MGrille, 1, 0)) f.MGrille.setTextMatrix(1, 0, numero);
  if (celluleExiste(g, LigneCourante, 0)) g.setTextMatrix(LigneCourante, 0, numero);
}

int Derniere_Etape(int fonction, int nbCellules) {
  if (fonction == 5) return 4;
  if (fonction == 6) return 5;
  return nbCellules;
}

bool Sauvegarde_Due(int sauveAuto, int etape, int ligne) {
  return sauveAuto > 0 && etape == 1 && ligne > 1 && (ligne - 1) % sauveAuto == 0;
}

std::vector<CelluleCalculee> Colonnes_Calculees(int fonction, int etape,
                                                const std::vector<double>& valeurs,
                                                const std::string& masque,
                                                const std::string& masqueVolume) {
  std::vector<CelluleCalculee> out;
  auto valeur = [&](int k) {
    return k >= 0 && k < static_cast<int>(valeurs.size()) ? valeurs[static_cast<std::size_t>(k)] : 0.0;
  };
  auto ajoute = [&](int colonne, double v, const std::string& m) {
    if (std::isfinite(v)) out.push_back({colonne, platform::Format(v, m)});
  };
  if (static_cast<int>(valeurs.size()) <= std::max(etape, 0)) return out;
  const double longueur = valeur(1), largeur = valeur(2);
  if (fonction == 2) {
    if (largeur > kLargeurMinimaleQ) ajoute(etape + 1, longueur / largeur, masque);
    ajoute(etape + 2, largeur * longueur * largeur * kPi / 6, masqueVolume);
  } else if (fonction == 3) {
    const double epaisseur = valeur(3);
    if (largeur > 0) ajoute(etape + 1, longueur / largeur, masque);
    if (epaisseur > 0) ajoute(etape + 2, longueur / epaisseur, masque);
  }
  return out;
}

std::vector<CelluleCalculee> Rapports_Cystide(int fonction, double B, double M, double A,
                                              const std::string& masque) {
  std::vector<CelluleCalculee> out;
  if (fonction != 5 && fonction != 6) return out;
  if (M * B == 0 || !std::isfinite(M * B) || !std::isfinite(A)) return out;
  out.push_back({fonction, platform::Format(A / M, masque)});
  out.push_back({fonction + 1, platform::Format(A / B, masque)});
  out.push_back({fonction + 2, platform::Format(B / M, masque)});
  return out;
}

void Calcule_Rapports(int fonction, int ligne) {
  QVL& f = Qvl();
  platform::FlexGrid& g = f.GrilleRef;
  if (!celluleExiste(g, ligne, 4)) return;
  const double B = Val_Decimal(g.textMatrix(ligne, 2));
  const double M = Val_Decimal(g.textMatrix(ligne, 3));
  const double A = Val_Decimal(g.textMatrix(ligne, 4));
  if (M * B == 0) {
    f.Flash(kJaune, kDimensionNulle, 1);
    return;
  }
  for (const CelluleCalculee& c : Rapports_Cystide(fonction, B, M, A, Format_Decimal))
    if (celluleExiste(g, ligne, c.colonne)) g.setTextMatrix(ligne, c.colonne, c.texte);
}

bool Sauvegarde_Automatique() {
  QVL& f = Qvl();
  const std::string chemin = Fichier_Sauvegarde_Auto();
  std::string erreur;
  if (Ecrit_Trame(chemin, &erreur)) {
    if (g_sauvegardeEnEchec) {
      g_sauvegardeEnEchec = false;
      f.Flash_Permanent_Fin();
      f.Flash(kVertAvis, "Sauvegarde automatique rétablie : " + chemin, kDelaiRetablissement);
    }
    return true;
  }
  // Every later save may fail as well: the failure stays shown until one succeeds.
  g_sauvegardeEnEchec = true;
  f.Flash_Permanent(kJaune, "Sauvegarde automatique impossible : " + erreur);
  return false;
}

void Inscrit_Mesure_Couleur() {
  try {
    ecritCouleur();
  } catch (const std::exception&) {
    platform::MsgBox(MSG(101) + "95_m");
  }
}

void Inscrit_Mesure_Rapports() {
  try {
    ecritValeur();
  } catch (const std::exception&) {
    platform::MsgBox(MSG(101) + "95");
  }
}
