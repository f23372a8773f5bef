#include "colour/colour_options.h"

#include <algorithm>
#include <string>
#include <vector>

#include "base/globals.h"
#include "base/helpers.h"
#include "base/text_tables.h"
#include "colour/chart.h"
#include "colour/colour_file.h"
#include "colour/colour_state.h"
#include "colour/scanner_correction.h"
#include "forms/main_window.h"
#include "images/image_state.h"
#include "measure/comment_panel.h"
#include "measure/measure_state.h"
#include "platform/dialogs.h"
#include "platform/runtime.h"
#include "platform/textfile.h"

namespace {

constexpr double kRouge = 255;
constexpr double kJaune = 65535;

const char* const kFiltreNuancier = "Fic Ref (*.Nua)|*.Nua|Fic Texte(.txt)|*.txt|Tous les fichiers (*.*)|*.*";
const char* const kFiltreEtalon = "Fic Ref (*.Etl)|*.Etl|Fic Texte(.txt)|*.txt|Tous les fichiers (*.*)|*.*";
const char* const kFiltreScanner = "Fic Ref (*.scn)|*.scn|Fic Texte(.txt)|*.txt|Tous les fichiers (*.*)|*.*";

// The colour frame's boxes as the colour logic reads them.
CasesCouleur Lit_Cases(QVL& f) {
  return {f.CheckExpert.value() == 1, f.CheckCalibre.enabled(), f.CheckCalibre.value() == 1};
}

// The boxes set back; "Mode expert" first, its own Click touching "Calibré".
void Ecrit_Cases(QVL& f, const CasesCouleur& c) {
  f.CheckExpert.setValue(c.expert ? 1 : 0);
  f.CheckCalibre.setEnabled(c.calibreActif);
  f.CheckCalibre.setValue(c.calibre ? 1 : 0);
}

void Montre(const std::string& message) {
  if (!message.empty()) platform::MsgBox(message);
}

void Liste_Points(QVL& f, const std::vector<std::string>& lignes) {
  for (const std::string& l : lignes) f.test.addItem(l);
}

// The open dialog of a colour file: the file named before when there is one, else the
// pattern in the program folder. The chosen path, or "" when cancelled.
std::string Choisit_Fichier(const std::string& actuel, const std::string& motif,
                            const std::string& filtre) {
  platform::FileRequest r;
  r.initialFolder = Rep_Prog;
  const std::string chemin = Chemin_Fichier_Couleur(actuel);
  r.fileName = !chemin.empty() && Fichier_Existe(chemin) ? chemin : Rep_Prog + "/" + motif;
  r.filter = filtre;
  const platform::FileAnswer a = platform::dialogs().openFile(r);
  return a.cancelled ? std::string() : a.path();
}

void Montre_Scanner(QVL& f) { f.Label6(1).setCaption("Scanner : " + Nom_Fichier(Fic_Scanner)); }

// What the colour file is written from: the record typed in the panel, the grid's
// headings and finished rows, "Calibré", and the time of writing.
ContenuFichierCouleur Contenu_Couleur(QVL& f) {
  ContenuFichierCouleur c;
  c.date = platform::ShortDateNow();
  c.heure = platform::ShortTimeNow();
  c.nomObjet = NomObjet;
  c.enregistrement = f.TBox(3).text();
  c.calibre = f.CheckCalibre.value() == 1;
  const platform::FlexGrid& g = f.GrilleRef;
  const int derniere = std::min(LigneCourante - 1, g.rows() - 1);
  for (int r = 0; r <= derniere; ++r) {
    std::vector<std::string> ligne;
    for (int col = 0; col < g.cols(); ++col) ligne.push_back(g.textMatrix(r, col));
    c.grille.push_back(std::move(ligne));
  }
  return c;
}

}  // namespace

void Charge_Etalon_Defaut() {
  QVL& f = Qvl();
  f.MntoolXp(4).setEnabled(true);
  // At the foot of the picture: the button bar it repeats stays uncovered, and so does
  // the grid frame at its usual place.
  f.FraCharte.move(f.Picture1.left() + 840, f.Picture1.top() + f.Picture1.height() - f.FraCharte.height() - 30);
  f.FraCharte.setVisible(true);
  f.OptnMchrt->setVisible(true);
  f.Bout(14).setVisible(false);
  f.Bout(10).setVisible(false);
  CasesCouleur cases = Lit_Cases(f);
  std::vector<std::string> listing;
  const std::vector<std::string> messages = Demarre_Couleur(cases, &listing);
  Ecrit_Cases(f, cases);
  Liste_Points(f, listing);
  for (const std::string& m : messages) Montre(m);
}

void Ferme_Couleur() {
  QVL& f = Qvl();
  if (!f.FraCharte.visible()) return;
  f.FraCharte.setVisible(false);
  f.OptnMchrt->setVisible(false);
  f.Bout(10).setVisible(true);
  f.Bout(14).setVisible(true);
}

void Choix_Nuancier_Ref() {
  QVL& f = Qvl();
  const std::string chemin = Choisit_Fichier(Fic_Nuancier, "*.nua", kFiltreNuancier);
  if (chemin.empty()) {
    Nuancier_Choisi = false;
    return;
  }
  CasesCouleur cases = Lit_Cases(f);
  const ResultatNuancier r = Charge_Nuancier(chemin, cases);
  Nuancier_Choisi = r.etat == ChargementNuancier::Charge;
  if (Nuancier_Choisi) Ecrit_Cases(f, cases);
  Montre(r.message);
}

void Ouvre_Etalon() {
  QVL& f = Qvl();
  const std::string chemin = Choisit_Fichier(Fic_Etalon, "*.etl", kFiltreEtalon);
  if (chemin.empty()) return;
  CasesCouleur cases = Lit_Cases(f);
  const std::string alerte = Choix_Etalon(chemin, cases);
  Ecrit_Cases(f, cases);
  if (!alerte.empty()) f.Flash(kRouge, alerte, 2);
}

void Ouvre_Scanner() {
  QVL& f = Qvl();
  const std::string chemin = Choisit_Fichier(Fic_Scanner, "*.Scn", kFiltreScanner);
  if (chemin.empty()) return;
  CasesCouleur cases = Lit_Cases(f);
  std::vector<std::string> listing;
  const ResultatCorrection r = Choix_Scanner(chemin, cases, &listing);
  Montre_Scanner(f);
  Ecrit_Cases(f, cases);
  Liste_Points(f, listing);
  Montre(r.message);
}

void Command2_Click() {
  QVL& f = Qvl();
  Etalon_Charge = false;
  CasesCouleur cases = Lit_Cases(f);
  std::vector<std::string> listing;
  const ResultatCorrection r = Charge_Correction_Scanner(
      Chemin_Fichier_Couleur(Fic_Etalon), Chemin_Fichier_Couleur(Fic_Scanner), cases, &listing);
  Ecrit_Cases(f, cases);
  Liste_Points(f, listing);
  Montre(r.message);
}

void Prepare_Fiche_Nuancier(bool scanner) {
  QVL& f = Qvl();
  const FicheOuverte o = Prepare_Fiche_Nuancier(scanner, LigneCourante, EtapeClic, Img_Active,
                                                f.CheckCalibre.value() == 1);
  if (o.message == 130) {
    platform::MsgBox(MSG(130));
    return;
  }
  if (o.message != 0) {
    f.Flash(kJaune, MSG(o.message), 2);
    return;
  }
  // The panel's other purposes (a row's comment, the comment mode) are left.
  Mode_Commentaire = false;
  Panneau_Commentaire(2);
  platform::Frame& cadre = f.Frame(10);
  cadre.setBackColor(o.couleurFond);
  cadre.setCaption(o.titre);
  f.TBox(3).setText(o.texte);
  f.Bout_dial(30).setVisible(false);
  f.TBox(3).setFocus();
  Seq_Ouvert = true;
}

void Sauve_Resultats_Couleur() {
  QVL& f = Qvl();
  if (!Charte_Demande && !Charte_Demande2) return;
  const int question = Question_Sauve_Couleur(f.CheckCalibre.value() == 1);
  if (question != 0 && platform::MsgBox(MSG(question), platform::vbYesNo) != platform::vbYes) return;
  const std::string filtre = Filtre_Sauve_Couleur();
  Ferme_Panneau_Commentaire();
  f.Bout_dial(30).setVisible(true);

  platform::FileRequest demande;
  demande.initialFolder = Rep_Prog;
  demande.fileName = Coul_Ref;
  demande.filter = filtre;
  const platform::FileAnswer a = platform::dialogs().saveFile(demande);
  if (a.cancelled || a.path().empty()) {
    Abandonne_Fiche_Couleur();
    return;
  }
  const std::string chemin = a.path();
  if (platform::fileExists(chemin) &&
      platform::MsgBox(MSG(116), platform::vbOKCancel) != platform::vbOK) {
    Coul_Ref = chemin;
    Abandonne_Fiche_Couleur();
    return;
  }
  const bool scanner = Charte_Demande;
  const ContenuFichierCouleur contenu = Contenu_Couleur(f);
  CasesCouleur cases = Lit_Cases(f);
  std::string erreur;
  if (!Ecrit_Resultats_Couleur(chemin, contenu, cases, &erreur)) {
    platform::MsgBox(MSG(144) + " :  " + chemin + SautLigne + erreur, platform::vbExclamation);
    return;
  }
  Ecrit_Cases(f, cases);
  if (scanner) Montre_Scanner(f);
}

void MnuChrt_Click(int Index) {
  switch (Index) {
    case 2: Choix_Nuancier_Ref(); break;
    case 3: Prepare_Fiche_Nuancier(false); break;
    case 6: Ouvre_Etalon(); break;
    case 7: Ouvre_Scanner(); break;
    case 8: Prepare_Fiche_Nuancier(true); break;
    default: break;
  }
}

void Connecte_Couleur(QVL& f) {
  f.MnuChrt->onClick = [](int i) { MnuChrt_Click(i); };
  f.Command2.onClick = [] { Command2_Click(); };
  Enregistre_Couleur() = [] { Sauve_Resultats_Couleur(); };
}
