#include "shell/function_switch.h"

#include <string>

#include "base/globals.h"
#include "base/text_tables.h"
#include "colour/colour_options.h"
#include "forms/main_window.h"
#include "measure/calibration.h"
#include "measure/grid_reset.h"
#include "measure/grid_setup.h"
#include "measure/grid_statistics.h"
#include "measure/grid_templates.h"
#include "measure/measure_state.h"
#include "measure/redraw.h"
#include "platform/dialogs.h"
#include "platform/flexgrid.h"
#include "reports/stat_rows.h"
#include "shell/function_menus.h"

namespace {

constexpr int kGarderCellules = -1;   // NbPoints_Copie keeps the previous NbCellules

// Cells, columns and step prompt of one measuring function.
struct RegleFonction {
  int code;
  int cellules;       // NbCellules
  int copie;          // NbPoints_Copie, or kGarderCellules
  int derniere;       // Der_Colonne
  std::string (*invite)();   // message 55; nullptr leaves it as it is
};

std::string inviteMarquerPoint() { return MSG(166); }
std::string inviteComptage() { return "marquer l'élément"; }
std::string inviteBosses() { return MSG(202) + MSG(204); }
std::string inviteDensite() { return MSG(202) + MSG(205); }
std::string inviteCouleur() { return " marquer la zone couleur à mesurer"; }

constexpr RegleFonction kRegles[] = {
    {1, 1, 1, 1, inviteMarquerPoint},
    {2, 2, 2, 4, inviteMarquerPoint},
    {3, 3, 2, 5, inviteMarquerPoint},
    {4, 3, 3, 3, inviteMarquerPoint},
    {5, 7, 4, 7, inviteMarquerPoint},
    {6, 8, 5, 8, inviteMarquerPoint},
    {10, 1, 1, 1, inviteComptage},
    {11, 2, 2, 2, inviteBosses},
    {13, 3, 2, 3, inviteDensite},
    {14, 3, 2, 3, inviteDensite},
    {15, 2, 1, 2, nullptr},
    {16, 2, 1, 2, nullptr},
    {20, 6, kGarderCellules, 6, inviteCouleur},
    // The gill count keeps the cells of the function before it; its values are its
    // columns 1 and 2.
    {22, kGarderCellules, kGarderCellules, 2, nullptr},
};

const RegleFonction* regleDe(int code) {
  for (const auto& r : kRegles)
    if (r.code == code) return &r;
  return nullptr;
}

void appliqueRegle(const RegleFonction& r) {
  if (r.code == 20)
    Charge_Etalon_Defaut();
  else
    Ferme_Couleur();
  if (r.cellules != kGarderCellules) NbCellules = r.cellules;
  if (r.copie != kGarderCellules) NbPoints_Copie = r.copie;
  Der_Colonne = r.derniere;
  if (r.invite) MSG.set(55, r.invite());
  if (r.code == 3) {
    Trace_Poly = true;
    Qvl().PopOrg(1).setVisible(true);
  }
}

// The statistics grid repeats the headings of the value columns (all but the image
// number and the comment).
void recopieTitresStatistiques(QVL& f) {
  platform::FlexGrid& ref = f.GrilleRef;
  platform::FlexGrid& stat = f.GrilleRefP;
  if (stat.rows() < 1) return;
  stat.setRow(0);
  for (int c = 0; c <= ref.cols() - 3 && c < stat.cols(); ++c) {
    ref.setCol(c);
    stat.setCol(c);
    stat.setText(ref.textMatrix(0, c));
  }
}

// The grids laid out from the templates of `fonction`: the measurement grid with
// Taille_Grille + 1 rows, the mirror with 4, aligned headings and the statistics
// headings. False when the width template cannot be applied.
bool disposeGrilles(QVL& f, int fonction) {
  if (!Prepare_Grilles_Mesure(fonction)) return false;
  Prepare_Grille(fonction);
  Fonction_Grille = fonction;
  f.GrilleRef.setRows(Borne_Taille_Grille(Taille_Grille) + 1);
  f.MGrille.setRows(4);
  Aligne_Titres_Grille();
  recopieTitresStatistiques(f);
  return true;
}

}  // namespace

void Aligne_Titres_Grille() {
  platform::FlexGrid& ref = Qvl().GrilleRef;
  ref.setFixedAlignment(0, platform::kAlignLeftBottom);
  ref.setRow(0);
  for (int c = 0; c < ref.cols(); ++c) ref.setFixedAlignment(c, platform::kAlignLeftBottom);
}

bool Choix_Fonction_Mesure() {
  QVL& f = Qvl();
  // A marking or guided calibration ends with the function; its grid is laid out anew.
  if (Calibrage_En_Cours()) {
    Oublie_Segments_Calibrage();
    Annule_Calibrage();
  }
  Ligne_Ref = 1;
  LigneCourante = 1;
  // A tool belongs to its function: a function made current without its menu (by a
  // trame, a session, at start-up) arms its own tools and no other function's.
  Outils_Fonction(FonctionCourante);
  f.PopOrg(1).setVisible(false);
  NbPoints_Copie = NbCellules;
  Trace_Poly = false;
  EtapeClic = 1;
  Compteur_Lignes = 0;
  if (const RegleFonction* r = regleDe(FonctionCourante)) appliqueRegle(*r);

  if (!disposeGrilles(f, FonctionCourante)) return false;
  Titre_Sans_Fonction();
  f.setCaption(f.caption() + " : " + NomFonction);
  Compteur_Lignes = 0;
  Menus_Fonction(FonctionCourante);
  return true;
}

bool Dispose_Grilles_Fonction(int fonction) {
  if (const RegleFonction* r = regleDe(fonction)) {
    if (r->cellules != kGarderCellules) NbCellules = r->cellules;
    Der_Colonne = r->derniere;
  }
  return disposeGrilles(Qvl(), fonction);
}

void Titre_Sans_Fonction() {
  Qvl().setCaption("Quorvale 2.0" + std::to_string(kRevisionProgramme) + "  /  " + Nom_Utilisateur);
}

bool Choix_Fonction_Mesure(int fonction) {
  FonctionCourante = fonction;
  return Choix_Fonction_Mesure();
}
