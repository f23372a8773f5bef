#include "images/capture.h"

#include "base/helpers.h"
#include "base/text_tables.h"
#include "forms/main_window.h"
#include "images/capture_naming.h"
#include "images/image_files.h"
#include "images/image_list.h"
#include "images/image_loading.h"
#include "images/image_state.h"
#include "images/picture_save.h"
#include "images/picture_view.h"
#include "platform/clipboard.h"
#include "platform/dialogs.h"
#include "platform/runtime.h"
#include "platform/scanner.h"

namespace {

// Shows a picture that is not a file of the list: written as the temporary picture
// and loaded from it, it becomes the current picture outside the list.
void Montre_Image_Hors_Liste(const platform::Picture& image) {
  const std::string chemin = Chemin_Image_Temporaire();
  std::string erreur;
  if (!image.saveBmp(chemin, &erreur)) {
    Signale_Echec_Ecriture(chemin, erreur);
    return;
  }
  if (!Charge_Image_Memoire(chemin)) {
    Message_Echec_Chargement(chemin, 481);
    return;
  }
  Image_Courante(chemin);
}

}  // namespace

std::string Nom_Capture_Suivant() {
  return Prefixe_Capture + platform::CStr(static_cast<long long>(Num_Capture)) + ".bmp";
}

std::string Dossier_Captures() {
  std::string dossier = Rep_Images;
  while (dossier.size() > 1 && (dossier.back() == '/' || dossier.back() == '\\')) dossier.pop_back();
  return dossier;
}

std::string Chemin_Capture_Suivant() { return Dossier_Captures() + "/" + Nom_Capture_Suivant(); }

std::string Question_Ecrasement(const std::string& path) {
  return " attention, le fichier " + path + " existe déjà et sera écrasé. Continuer ?";
}

bool Confirme_Ecrasement_Capture(const std::string& path) {
  if (!Fichier_Existe(path)) return true;
  if (platform::MsgBox(Question_Ecrasement(path), platform::vbYesNo) == platform::vbYes) return true;
  Affiche_TwainPrefixe();
  return false;
}

bool Ecrit_Capture(const platform::Picture& image) {
  const std::string chemin = Chemin_Capture_Suivant();
  std::string erreur;
  if (image.saveBmp(chemin, &erreur)) return true;
  Signale_Echec_Ecriture(chemin, erreur);
  return false;
}

void AjouteImageTwain() {
  if (!QvlExists()) return;
  QVL& f = Qvl();
  Rep_Panneau = 33;
  const std::string chemin = Chemin_Capture_Suivant();
  ++Num_Capture;
  if (Position_Image(chemin) >= 0) {
    appel_img_listchar(chemin);
  } else if (Ajoute_Image_Liste(chemin) > 0) {
    appel_img_listchar(chemin);
  } else {
    Message_Echec_Chargement(chemin, 9);
  }
  f.FraListeImg.setVisible(true);
  aff_liste_images();
}

bool Capture_Presse_Papier(const platform::Picture& image) {
  const std::string chemin = Chemin_Capture_Suivant();
  if (!Confirme_Ecrasement_Capture(chemin) || !Ecrit_Capture(image)) return false;
  AjouteImageTwain();
  return Img_Active == chemin;
}

void Twain_Source() {
  std::string erreur;
  if (platform::Scanner::sources(&erreur).empty()) {
    platform::MsgBox(erreur.empty() ? std::string("Aucune source d'acquisition trouvée") : erreur,
                     platform::vbExclamation);
    return;
  }
  platform::Scanner::selectSource();   // a cancelled choice keeps the previous one
}

void Twain_Acquisition() {
  if (!QvlExists()) return;
  QVL& f = Qvl();
  if (Sauve_Captures(0) && !Confirme_Ecrasement_Capture(Chemin_Capture_Suivant())) return;

  platform::Clipboard::clear();
  platform::Picture image;
  std::string erreur;
  if (!platform::Scanner::acquire(&image, &erreur) || image.isNull()) {
    platform::MsgBox("Echec de la capture Twain" + platform::vbCrLf + erreur, platform::vbExclamation);
    return;
  }
  platform::Clipboard::setImage(image);
  f.Picture1.setPicture(image);
  f.Image1.setPicture(image);
  if (!Sauve_Captures(0)) {
    Montre_Image_Hors_Liste(image);
    return;
  }
  if (Ecrit_Capture(image)) AjouteImageTwain();
}

void MnuTwain_Click(int Index) {
  switch (Index) {
    case 1:
      Twain_Source();
      break;
    case 2:
      Prefixe_Capture = Prefixe_Capture2 + "_";
      Twain_Acquisition();
      break;
    case 3:
    case 4:
      Sauve_Twain(Index - 2);
      break;
    case 5:
      Affiche_TwainPrefixe();
      break;
    default:
      break;
  }
}

void Connecte_Captures(QVL& f) {
  f.MnuTwain->onClick = [](int i) { MnuTwain_Click(i); };
  f.Command6.onClick = [] { MnuTwain_Click(2); };
  f.MnuOpt(18).onClick = [] { Affiche_TwainPrefixe(); };
  f.Mntool_a(3).onClick = [] { Sauve_Capture("essai", 1); };
  f.copie.onClick = [] { Sauve_Capture("essai", 1); };
  f.Mn_Copie_Ecran->onClick = [](int i) { Mn_Copie_Ecran_Click(i); };
}
