#include "shell/function_menus.h"

#include "base/globals.h"
#include "base/text_tables.h"
#include "colour/colour_options.h"
#include "forms/main_window.h"
#include "measure/counting_tools.h"
#include "measure/grid_reset.h"
#include "measure/grid_statistics.h"
#include "measure/grid_templates.h"
#include "measure/measure_state.h"
#include "measure/outline_tool.h"
#include "measure/panels.h"
#include "measure/redraw.h"
#include "measure/table_commands.h"
#include "platform/colour.h"
#include "platform/dialogs.h"
#include "reports/stat_rows.h"
#include "shell/button_bar.h"
#include "shell/function_switch.h"

namespace {

constexpr int kFonctionCouleur = 20;
constexpr platform::Colour kRouge = 0xFF;

void Invite(QVL& f, const std::string& texte) { f.StatusBar1.setSimpleText(texte); }

// The question before a change of function, asked only when the grid holds a
// measurement; true when the change may go on.
bool Confirme_Changement() {
  if (LigneCourante <= 1) return true;
  return platform::MsgBox(Txt_Confirm(1), platform::vbYesNo) == platform::vbYes;
}

// The grid laid out for the current function with fresh statistics rows, then the
// picture redrawn.
void Active_Fonction() {
  Choix_Fonction_Mesure();
  Calcul_stat();
  Entetes_Stat();
  Retrace(0);
}

// The table rows and the grid's current row after a counting grid was cleared.
void Oublie_Lignes(QVL& f) {
  Efface_Grille(1);
  int ligne = f.GrilleRef.row();
  Efface_ligne(ligne);
  for (int i = 0; i <= 10; ++i) TabMesures(i).NumImage = 0;
}

// Segment, spores 2D and spores 3D.
void Fonction_Simple(QVL& f, int code) {
  if (FonctionCourante == code || !Confirme_Changement()) return;
  Ini_fonc();
  Ferme_Panneaux();
  Reinit_Fonction();
  f.Picture1.setFocus();
  FonctionCourante = code;
  Active_Fonction();
}

// The colour zone. Its grid, cells and prompt come from the function switch, which
// also loads the default colour standard.
void Fonction_Couleur(QVL& f) {
  if (FonctionCourante == kFonctionCouleur) {
    Charge_Etalon_Defaut();
    return;
  }
  if (!Confirme_Changement()) return;
  Ini_fonc();
  Reinit_Fonction();
  FonctionCourante = kFonctionCouleur;
  f.TBox(4).setVisible(false);
  Active_Fonction();
  Etalon_Charge = false;
}

}  // namespace

void Menus_Fonction(int code) {
  QVL& f = Qvl();
  const bool couleur = code == kFonctionCouleur;
  // Functions whose rows a trame cannot hold: the counts, the densities, the
  // triangle, the colour zone and the gill count.
  const bool sansTrame = code == 10 || code == 11 || code == 13 || code == 14 || code == 15 || couleur ||
                         code == 22;
  f.MnuFIC(9).setEnabled(!sansTrame);
  f.MnuFIC(10).setEnabled(!couleur);
  f.MnuFonc(6).setEnabled(!couleur);
  f.MnuFonc(7).setEnabled(!couleur);
  f.MnuEDit(9).setEnabled(code == 2);
  f.spo(1).setEnabled(code == 2);
  f.MntoolXp(4).setEnabled(couleur);
}

void Outils_Fonction(int code) {
  QVL& f = Qvl();
  const bool comptage = code == 10 || code == 11 || code == 22;
  const bool densite = code == 13 || code == 14;
  Mode_Comptage = comptage;
  if (comptage) BGr_Etat1 = true;
  Comptage_Actif = false;
  Mode_Densite = densite;
  if (comptage || densite) f.TBox(6).setText("0");
  Mode_Surface = code == 15;
  Mode_Surface2 = code == 16;
  // Each tool starts with its first point: the outline's vertex 1, the triangle's 0.
  Nouveau_Contour(code == 16 ? 1 : 0);
  PGr_Etat = false;
  f.Frame1.setVisible(false);
  f.Bout(9).setBackColor(platform::kButtonFace);
  f.Bout(9).setEnabled(!comptage);
  f.Bout(10).setEnabled(!comptage && !densite);
  f.Bout(42).setVisible((code >= 1 && code <= 6) || code == 15 || code == 16);
  f.Bout(45).setEnabled(code == 2);
  f.Optn(5).setEnabled(!densite);
  f.Optn(6).setEnabled(!densite);
}

void Ini_fonc() {
  QVL& f = Qvl();
  f.Bout(2).setEnabled(true);
  Invite(f, "");
  f.MnuFIC(9).setEnabled(true);
  Mode_Surface = false;
  Mode_Surface2 = false;
  Nouveau_Contour(0);
  Mode_Densite = false;
  f.Frame1.setVisible(false);
}

void MnuFonc_Click(int Index) {
  QVL& f = Qvl();
  switch (Index) {
    case 1:
    case 2:
    case 3:
      Fonction_Simple(f, Index);
      break;
    case 8:
      if (!Confirme_Changement()) return;
      Ini_fonc();
      MnLames(1);
      break;
    case kFonctionCouleur:
      Fonction_Couleur(f);
      break;
    default:
      break;
  }
}

void Mncp_Click(int Index) {
  if (Index < 1 || Index > 2) return;
  const int code = Index + 9;
  if (FonctionCourante == code || !Confirme_Changement()) return;
  QVL& f = Qvl();
  Ini_fonc();
  f.Bout(41).setEnabled(false);
  FonctionCourante = code;
  Choix_Fonction_Mesure();
  EtapeClic = 1;
  Oublie_Lignes(f);
  f.Picture1.setFocus();
  Retrace(0);
  Invite(f, MSG(55));
}

void Cyst_Click(int Index) {
  if (Index < 1 || Index > 3 || !Confirme_Changement()) return;
  QVL& f = Qvl();
  Reinit_Fonction();
  Ferme_Panneaux();
  f.Picture1.setFocus();
  FonctionCourante = Index + 3;
  Ini_fonc();
  Active_Fonction();
}

void MnDens_Click(int Index) {
  if (Index < 1 || Index > 2 || !Confirme_Changement()) return;
  QVL& f = Qvl();
  Ini_fonc();
  FonctionCourante = Index + 12;
  Reinit_Fonction();
  f.Picture1.setFocus();
  Choix_Fonction_Mesure();
  Calcul_stat();
  Entetes_Stat();
  Invite(f, MSG(69));
  Retrace(0);
}

void Mnusurf_Click(int Index) {
  if (Index < 1 || Index > 3 || !Confirme_Changement()) return;
  QVL& f = Qvl();
  Ini_fonc();
  Ferme_Panneaux();
  Reinit_Fonction();
  FonctionCourante = Index == 1 ? 15 : 16;
  if (Index != 1) Courbe_Fermee = Index == 2;
  f.Picture1.setFocus();
  Active_Fonction();
}

void MnLames(int) {
  QVL& f = Qvl();
  FonctionCourante = 22;
  NbLames = 0;
  Choix_Fonction_Mesure();
  EtapeClic = 1;
  f.Bout(41).setEnabled(false);
  Comptage_Lames();
  Oublie_Lignes(f);
}

void Fdemarrage_Click(int Index) {
  QVL& f = Qvl();
  if (!f.Fdemarrage.exists(Index)) return;
  for (int i : {0, 1, 2, 3, 4, 5, 20}) f.Fdemarrage(i).setChecked(false);
  f.Fdemarrage(Index).setChecked(true);
  Fonction_Demarrage = Index == 20 ? 20 : Index + 1;
}

void MNSav_Click(int Index) {
  QVL& f = Qvl();
  if (Index < 0 || Index > 2) return;
  for (int i = 0; i <= 2; ++i) f.MNSav(i).setChecked(false);
  f.MNSav(Index).setChecked(true);
  Sauve_Auto = Index * 10;
}

void Poly_Click() {
  QVL& f = Qvl();
  Mode_Pointage = false;
  f.Check2.setBackColor(platform::kButtonFace);
  if (f.Check2.value() == 1) {
    Mode_Pointage = true;
    f.Check2.setBackColor(kRouge);
  }
}

void Leiosporee_Click() {
  Bout_Click(39);
  Bout_Click(39);
}

void Connecte_Fonctions(QVL& f) {
  f.MnuFonc->onClick = [](int i) { MnuFonc_Click(i); };
  f.Mncp->onClick = [](int i) { Mncp_Click(i); };
  f.Cyst->onClick = [](int i) { Cyst_Click(i); };
  f.MnDens->onClick = [](int i) { MnDens_Click(i); };
  f.Mnusurf->onClick = [](int i) { Mnusurf_Click(i); };
  f.Fdemarrage->onClick = [](int i) { Fdemarrage_Click(i); };
  f.MNSav->onClick = [](int i) { MNSav_Click(i); };
  f.Check2.onClick = [] { Poly_Click(); };
  f.Check4.onClick = [] { Leiosporee_Click(); };
}
