// The illustration window: insertions armed from it, line width, fonts, and the
// reference picture saved beside the image.
#include "measure/illustration.h"

#include <exception>
#include <string>

#include "base/globals.h"
#include "base/helpers.h"
#include "base/text_tables.h"
#include "forms/illustration_window.h"
#include "forms/main_window.h"
#include "images/dib_section.h"
#include "images/image_state.h"
#include "images/picture_save.h"
#include "images/resolution.h"
#include "measure/annotations.h"
#include "measure/drawing.h"
#include "measure/measure_state.h"
#include "platform/dialogs.h"
#include "platform/events.h"
#include "platform/runtime.h"

namespace {

constexpr double kGauche = 1000, kHaut = 500, kLargeur = 6500, kHauteur = 1700;
constexpr int kLargeurs[] = {1, 2, 3, 5};
constexpr int kDernierLibre = 9999;
constexpr int kQualiteJpeg = 100;

Fen_Illust* g_fenetre = nullptr;

void connecte(Fen_Illust& f) {
  f.onLoad = [] { Fen_Illust_Form_Load(); };
  // The close box is "Quitter"; a window closed by code keeps the armed insertion.
  f.onQueryUnload = [](int& /*cancel*/, int mode) {
    if (mode == platform::kFormControlMenu) {
      Ins_Notation = false;
      Mode_InsTexte = false;
      Mode_InsRef = false;
      Mode_Annot = false;
    }
  };
  f.Command1.onClick = [](int i) { Fen_Illust_Command1_Click(i); };
  f.IllustImg.onClick = [](int i) { IllustImg_Click(i); };
  f.Illus_Trace.onClick = [](int i) { Illus_Trace_Click(i); };
  // "Fond" has no command: greyed.
  if (f.IllustImg.exists(5)) f.IllustImg(5).setEnabled(false);
}

// Shows the window modal at its place, the save button as told.
void montre(bool sauvegarde) {
  Fen_Illust& f = FenIllust();
  f.load();
  f.Command1(1).setEnabled(sauvegarde);
  f.move(kGauche, kHaut, kLargeur, kHauteur);
  f.showModal();
}

bool largeurConnue(int index) {
  for (const int l : kLargeurs)
    if (l == index) return true;
  return false;
}

std::string extension(bool jpeg) { return jpeg ? ".jpg" : ".bmp"; }

// Picture2's persistent image cut to the full-size picture's pixels, through a
// 24-bit bitmap.
bool copieImage(aDIBSection& dib, std::string* erreur) {
  QVL& f = Qvl();
  const platform::Picture base = f.picbase.picture();
  const platform::Picture dessin = f.Picture2.image();
  if (base.isNull() || dessin.isNull() || !dib.Create(base.widthPixels(), base.heightPixels())) {
    *erreur = "Aucune image à enregistrer";
    return false;
  }
  dib.LoadPictureBlt(dessin, 0, 0, -1, -1, platform::kSrcCopy);
  return true;
}

// The name to write: the reference picture, or, when it exists and the user does not
// want it replaced, the first free one. "" when none is free.
std::string nomAEcrire(bool jpeg) {
  const std::string nom = Nom_Reference(Img_Active, jpeg);
  if (!Fichier_Existe(nom)) return nom;
  const int reponse = platform::MsgBox(" le fichier " + nom + " existe déjà ... oui= Ecraser / Non = nouveau Ref",
                                       platform::vbYesNo);
  return reponse == platform::vbYes ? nom : Nom_Reference_Libre(Img_Active, jpeg);
}

}  // namespace

Fen_Illust& FenIllust() {
  if (!g_fenetre) {
    g_fenetre = new Fen_Illust();
    connecte(*g_fenetre);
  }
  return *g_fenetre;
}

bool FenIllustExists() { return g_fenetre != nullptr; }

void ForgetIllustrationWindow() {
  if (!g_fenetre) return;
  g_fenetre->unload();
  delete g_fenetre;
  g_fenetre = nullptr;
}

void Affiche_Fen_Illust() { montre(false); }

void Montre_Illustration() {
  if (Img_Active.empty()) return;
  montre(true);
}

void Fen_Illust_Form_Load() {
  Fen_Illust& f = FenIllust();
  f.setCaption(MNU(119));
  for (int i = 1; i <= 4; ++i) f.IllustImg(i).setCaption(MNU(119 + i));
  f.Command1(1).setCaption(MNU(126));
  f.Command1(2).setCaption(MNU(127));
  if (QvlExists()) {
    Qvl().Label_Illust.setCaption("");
    Qvl().Label_Illust.setBackStyle(0);
  }
  Illus_Trace_Click(EpaisseurTrait);
  f.Command1(1).setEnabled(false);
  Ins_Notation = false;
}

void Illus_Trace_Click(int index) {
  if (!largeurConnue(index)) return;
  Fen_Illust& f = FenIllust();
  for (const int l : kLargeurs) f.Illus_Trace(l).setChecked(false);
  EpaisseurTrait = index;
  f.Illus_Trace(index).setChecked(true);
}

int Drwtrace_lire() {
  if (!FenIllustExists()) return EpaisseurTrait;
  const Fen_Illust& f = *g_fenetre;
  for (int i = 1; i <= 5; ++i)
    if (f.Illus_Trace.exists(i) && f.Illus_Trace(i).checked())
      return platform::CInt(platform::Val(f.Illus_Trace(i).caption()));
  return 0;
}

void IllustImg_Click(int index) {
  try {
    switch (index) {
      case 0:
      case 1:
      case 2:
        Illus_Ins_ref(index);
        break;
      case 4:
        Choix_Police(true);
        break;
      default:
        break;
    }
  } catch (const std::exception&) {
  }
}

void Illus_Ins_ref(int index) {
  if (!QvlExists() || index < 0 || index > 2) return;
  QVL& f = Qvl();
  Mode_InsTexte = false;
  Ins_Notation = false;
  switch (index) {
    case 0:
      Ins_Notation = true;
      Mode_InsRef = true;
      Mode_Annot = false;
      break;
    case 1:
      Mode_InsTexte = true;
      Mode_InsRef = true;
      Mode_Annot = false;
      break;
    default:
      Mode_Annot = true;
      Prepare_Copie_Illustration();
      break;
  }
  if (FenIllustExists()) FenIllust().unload();
  // After the closing, whose activation of the main window writes its usual prompt.
  f.StatusBar1.setSimpleText(MSG(194));
}

void PictureText(const std::string& texte, double posx, double posy) {
  if (!QvlExists()) return;
  platform::Label& l = Qvl().Label_Illust;
  l.setAlignment(0);
  l.move(posx, posy, 4800, 2000);
  l.setBackStyle(0);
  l.setCaption(texte);
  l.setVisible(true);
}

void Fen_Illust_Command1_Click(int index) {
  if (index != 1 && index != 2) return;
  if (index == 1 && !Sauve_Reference()) return;
  Ins_Notation = false;
  Mode_InsTexte = false;
  Mode_InsRef = false;
  Mode_Annot = false;
  FenIllust().unload();
}

std::string Nom_Reference(const std::string& image, bool jpeg) {
  return Sans_Extension(image) + "_Ref" + extension(jpeg);
}

std::string Nom_Reference_Libre(const std::string& image, bool jpeg) {
  const std::string racine = Sans_Extension(image) + "_Ref_";
  for (int n = 2; n <= kDernierLibre; ++n) {
    const std::string nom = racine + std::to_string(n) + extension(jpeg);
    if (!Fichier_Existe(nom)) return nom;
  }
  return "";
}

bool Sauve_Reference() {
  if (!QvlExists()) return false;
  if (!Fichier_Existe(Img_Active)) {
    platform::MsgBox("fichier image " + Img_Active + MSG(177));
    return false;
  }
  if (Format_Image != 0 && Format_Image != 1) {
    QVL& f = Qvl();
    const std::string format =
        f.F_Img.exists(Format_Image) ? f.F_Img(Format_Image).caption() : std::to_string(Format_Image);
    platform::MsgBox("format " + format + " : l'image de référence s'enregistre en BMP ou en JPG",
                     platform::vbExclamation);
    return false;
  }
  const bool jpeg = Format_Image == 1;
  std::string erreur;
  aDIBSection dib;
  const std::string nom = nomAEcrire(jpeg);
  bool ecrit = false;
  if (nom.empty())
    erreur = "aucun nom libre";
  else if (copieImage(dib, &erreur))
    ecrit = jpeg ? Ecrit_JPEG(dib, nom, kQualiteJpeg, &erreur) : dib.ToPicture().saveBmp(nom, &erreur);
  if (!ecrit) {
    Signale_Echec_Ecriture(nom.empty() ? Nom_Reference(Img_Active, jpeg) : nom, erreur);
    return false;
  }
  platform::DoEvents();
  return true;
}

void Choix_Police(bool pourImage) {
  if (!QvlExists()) return;
  QVL& f = Qvl();
  float& taille = pourImage ? TaillePoliceImg : TaillePolice;
  platform::FontChoice depart;
  depart.size = taille;
  depart.scalableOnly = true;
  if (!pourImage) depart.name = f.Picture1.fontName();
  const std::optional<platform::FontChoice> choix = platform::dialogs().chooseFont(depart);
  if (!choix) return;
  if (!choix->name.empty()) f.Picture1.setFontName(choix->name);
  if (choix->size > 0) taille = static_cast<float>(choix->size);
  f.Picture1.setFontSize(Taille_Texte_Image(taille));
  f.Picture1.setFontBold(choix->bold);
  if (pourImage) {
    f.Label_Illust.setFontName(f.Picture1.fontName());
    f.Label_Illust.setFontSize(taille);
    f.Label_Illust.setFontBold(choix->bold);
  }
}

void Illustrer_Copie() {
  if (!QvlExists()) return;
  QVL& f = Qvl();
  Mode_Illus = false;
  if (Img_Active.empty()) {
    platform::MsgBox("Charger une image");
    return;
  }
  f.Picture2.setPicture(f.Picture2.image());
  Affiche_Fen_Illust();
  f.Picture2.setPicture(f.picbase.picture());
  Facteur_Resol = Facteur_Resolution();
}
