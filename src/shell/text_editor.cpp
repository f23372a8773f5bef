#include "shell/text_editor.h"

#include <vector>

#include "base/globals.h"
#include "base/helpers.h"
#include "base/text_tables.h"
#include "colour/colour_state.h"
#include "forms/main_window.h"
#include "images/image_state.h"
#include "measure/measure_state.h"
#include "measure/trame_dialogs.h"
#include "platform/app.h"
#include "platform/dialogs.h"
#include "platform/menu.h"
#include "platform/runtime.h"
#include "platform/textfile.h"
#include "shell/button_bar.h"
#include "shell/language.h"
#include "shell/settings_file.h"

int Type_Fichier_Edit = 0;

namespace {

constexpr int kCalibrage = 1, kParametres = 2, kArchiveNuancier = 3, kTrameCommande = 4;
constexpr int kFonctionCouleur = 20;

// The frame's caption for an editor type.
std::string Titre_Editeur(int type) {
  switch (type) {
    case kCalibrage:
      return Fic_Calib;
    case kParametres:
      return kFichierParametres;
    case kArchiveNuancier:
      return Nom_Fichier(Fic_ArchNua);
    default:
      return platform::App::Command();
  }
}

void Ouvre_Si_Present(int type) {
  const std::string path = Fichier_Edite(type);
  if (Fichier_Existe(path)) EditerTexte(path);
}

}  // namespace

std::string Texte_A_Ecrire(const std::string& texte) {
  std::string t = platform::Trim(texte);
  if (!t.empty() && t.back() == '\n') t.pop_back();
  if (!t.empty() && t.back() == '\r') t.pop_back();
  return platform::encodeLines({t});
}

std::string Fichier_Edite(int type) {
  switch (type) {
    case kCalibrage:
    case kParametres:
      return Fichier_Programme(Titre_Editeur(type));
    case kArchiveNuancier:
      return Chemin_Fichier_Couleur(Fic_ArchNua);
    case kTrameCommande:
      return Fic_Ligne_Cmd;
    default:
      return "";
  }
}

void Editeur_GF(int ouvre) {
  switch (Type_Fichier_Edit) {
    case kCalibrage:
      if (ouvre == 0) return;
      if (Fichier_Existe(Fichier_Edite(kCalibrage)))
        EditerTexte(Fichier_Edite(kCalibrage));
      else
        platform::MsgBox("Etalonner et sauver le calibrage préalablement");
      break;
    case kParametres:
      if (ouvre != 0) Ouvre_Si_Present(kParametres);
      break;
    case kArchiveNuancier:
      Ouvre_Si_Present(kArchiveNuancier);
      break;
    case kTrameCommande:
      if (Fichier_Existe(Fic_Ligne_Cmd, "", 1)) EditerTexte(Fic_Ligne_Cmd);
      break;
    default:
      break;
  }
}

void EditerTexte(const std::string& Fichier) {
  QVL& f = Qvl();
  if (Type_Fichier_Edit >= kCalibrage && Type_Fichier_Edit <= kTrameCommande) {
    Place_Objet(f.FrameEditer, 4800, 3720, 950, 4200);
    f.TextEdit.move(0, 500, 4200, f.FrameEditer.height() - 500);
    f.FrameEditer.setCaption(Titre_Editeur(Type_Fichier_Edit));
  }
  if (!Fichier_Existe(Fichier, MSG(137), 1)) return;
  std::vector<std::string> lignes;
  std::string erreur;
  if (!platform::readLines(Fichier, &lignes, &erreur)) {
    platform::MsgBox(MSG(144) + erreur);
    return;
  }
  f.TextEdit.setText("");
  f.FrameEditer.setVisible(true);
  std::string texte;
  for (const std::string& l : lignes) texte += l + SautLigne;
  f.TextEdit.setText(texte);
}

bool Sauve_Texte(const std::string& t_texte, const std::string& nomfichier) {
  if (!Fichier_Existe(nomfichier, "", 1)) return false;
  std::string erreur;
  if (!platform::saveFileAtomic(nomfichier, Texte_A_Ecrire(t_texte), &erreur)) {
    platform::MsgBox(MSG(144) + erreur, platform::vbExclamation);
    return false;
  }
  Qvl().FrameEditer.setVisible(false);
  return true;
}

void Command8_Click(int Index) {
  QVL& f = Qvl();
  if (Index == 0) {
    f.FrameEditer.setVisible(false);
    return;
  }
  if (Index != 1) return;
  if (Type_Fichier_Edit >= kCalibrage && Type_Fichier_Edit <= kArchiveNuancier)
    Sauve_Texte(f.TextEdit.text(), Fichier_Edite(Type_Fichier_Edit));
}

void Command9_Click(int Index) {
  switch (Index) {
    case 0:
      Etat_Archive = 0;
      break;
    case 1:
      Etat_Archive = 2;
      break;
    case 2:
      Qvl().FraDial_Seq.setVisible(false);
      break;
    default:
      break;
  }
}

void MntoolXp_Click(int Index) {
  if (Index >= 2 && Index <= 5) {
    Type_Fichier_Edit = Index - 1;
    Editeur_GF(-1);
    return;
  }
  if (Index != 6) return;
  if (platform::MsgBox(" Re-définir le calibrage ?", platform::vbYesNo) == platform::vbYes &&
      platform::MsgBox(" Confirmer le calibrage de  " + Qvl().labNomFic.caption(), platform::vbYesNo) ==
          platform::vbYes)
    Maj_Grille();
  Bout_Click(8);
}

void Articles_Editer() {
  QVL& f = Qvl();
  // The settings file and the chart archive open only when they exist; their items
  // are greyed otherwise. The archive is edited in the colour function only.
  if (f.MntoolXp.exists(kParametres + 1)) f.MntoolXp(kParametres + 1).setEnabled(Fichier_Existe(Fichier_Edite(kParametres)));
  if (f.MntoolXp.exists(kArchiveNuancier + 1)) {
    platform::MenuItem& archive = f.MntoolXp(kArchiveNuancier + 1);
    if (!Fichier_Existe(Fichier_Edite(kArchiveNuancier)))
      archive.setEnabled(false);
    else if (FonctionCourante == kFonctionCouleur)
      archive.setEnabled(true);
  }
}

void Connecte_Editeur(QVL& f) {
  f.Command8.onClick = [](int i) { Command8_Click(i); };
  f.Command9.onClick = [](int i) { Command9_Click(i); };
  f.MntoolXp->onClick = [](int i) { MntoolXp_Click(i); };
  // The "Editer" list runs its title's click as it opens.
  if (auto* editer = dynamic_cast<platform::MenuItem*>(f.find("MnOutilsFichiers"))) editer->onClick = [] { Articles_Editer(); };
}
