#include "images/image_files.h"

#include <algorithm>
#include <array>
#include <vector>

#include "base/globals.h"
#include "base/helpers.h"
#include "base/shell_services.h"
#include "base/text_tables.h"
#include "forms/main_window.h"
#include "images/capture.h"
#include "images/image_list.h"
#include "images/image_state.h"
#include "images/picture_view.h"
#include "images/resolution.h"
#include "measure/drawing.h"
#include "measure/grid_reset.h"
#include "measure/measure_state.h"
#include "measure/redraw.h"
#include "platform/app.h"
#include "platform/clipboard.h"
#include "platform/colour.h"
#include "platform/dialogs.h"
#include "platform/runtime.h"
#include "platform/textfile.h"

namespace {

// Colour of the panel that refuses to open a file during a measurement (&H80C0FF).
constexpr double kOrangeRefus = 8438015;
// Colour of the panel that says a pasted picture differs in width from the first.
constexpr double kVertAvis = 65280;

// Size of the built-in background picture, in pixels.
constexpr int kLargeurFond = 1200;
constexpr int kHauteurFond = 900;
// Grey levels of its top and bottom rows.
constexpr int kGrisHaut = 72;
constexpr int kGrisBas = 168;

// The program's name in capitals of a 5 x 7 dot font, each row's dots in the five
// low bits (the highest bit on the left).
constexpr int kColonnesLettre = 5;
constexpr int kLignesLettre = 7;
constexpr std::array<std::array<unsigned char, kLignesLettre>, 8> kNomProgramme = {{
    {0x0E, 0x11, 0x11, 0x11, 0x15, 0x12, 0x0D},   // Q
    {0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x0E},   // U
    {0x0E, 0x11, 0x11, 0x11, 0x11, 0x11, 0x0E},   // O
    {0x1E, 0x11, 0x11, 0x1E, 0x14, 0x12, 0x11},   // R
    {0x11, 0x11, 0x11, 0x11, 0x11, 0x0A, 0x04},   // V
    {0x0E, 0x11, 0x11, 0x1F, 0x11, 0x11, 0x11},   // A
    {0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x1F},   // L
    {0x1F, 0x10, 0x10, 0x1E, 0x10, 0x10, 0x1F},   // E
}};
// Pixels per dot of the name, and its grey level.
constexpr int kPoint = 16;
constexpr int kGrisNom = 235;

// The built-in background as rows of blue, green, red bytes, the top row first.
std::vector<unsigned char> Pixels_Fond_Integre() {
  const size_t ligne = static_cast<size_t>(kLargeurFond) * 3;
  std::vector<unsigned char> px(ligne * kHauteurFond);
  for (int y = 0; y < kHauteurFond; ++y) {
    const int g = kGrisHaut + (kGrisBas - kGrisHaut) * y / (kHauteurFond - 1);
    std::fill_n(px.begin() + static_cast<std::ptrdiff_t>(ligne * y), ligne, static_cast<unsigned char>(g));
  }
  const int pas = (kColonnesLettre + 1) * kPoint;
  const int largeurNom = static_cast<int>(kNomProgramme.size()) * pas - kPoint;
  const int x0 = (kLargeurFond - largeurNom) / 2;
  const int y0 = (kHauteurFond - kLignesLettre * kPoint) / 2;
  for (size_t n = 0; n < kNomProgramme.size(); ++n)
    for (int r = 0; r < kLignesLettre; ++r)
      for (int c = 0; c < kColonnesLettre; ++c) {
        if (!(kNomProgramme[n][static_cast<size_t>(r)] & (1u << (kColonnesLettre - 1 - c)))) continue;
        const int x = x0 + static_cast<int>(n) * pas + c * kPoint;
        const int y = y0 + r * kPoint;
        for (int dy = 0; dy < kPoint; ++dy)
          std::fill_n(px.begin() + static_cast<std::ptrdiff_t>(ligne * (y + dy) + 3 * static_cast<size_t>(x)),
                      3 * kPoint, static_cast<unsigned char>(kGrisNom));
      }
  return px;
}

// Width (pixels) of the picture in picbase rounded to a whole number.
int Largeur_Entiere() { return platform::CInt(Largeur_Image_Pixels()); }

// Appends the file just loaded by the open dialog to the list (and to the group in
// group mode), makes it current and shows it in the fitted view.
void Ajoute_Image_Ouverte(const std::string& chemin) {
  QVL& f = Qvl();
  const int numero = Ajoute_Image_Liste(chemin);
  if (numero > 0) {
    f.MnuEDit(2).setEnabled(false);
    if (f.chkMC(0).value() == 1) {
      f.ListImgMC.addItem(chemin);
      f.ListImgIdx.addItem(platform::CStr(static_cast<long long>(numero - 1)));
      Img_Marque(numero - 1) = -1;
    }
  }
  Image_Courante(chemin);
  if (f.chkMC(0).value() == 1) aff_liste_images();
  f.Efface_Image();
  Pause(0.2);

  Facteur_Resol = 1.0;
  const int largeur = Largeur_Entiere();
  if (Img_Temp)
    Largeur_Img_Prec = largeur;
  else if (largeur != Largeur_Img_Prec)
    f.Picture2.setFontSize(f.Picture1.fontSize());
  Img_Temp = false;
  Affiche_Taille_Image();
  Applique_Zoom(0, 0);
  Efface_Table();
  Facteur_Resol = Facteur_Resolution();
  Aff_Consignes = true;
  if (f.chkMC(0).value() == 1) Retrace(0);
}

}  // namespace

std::string Dossier_Choisi(const platform::FileAnswer& a) {
  if (!a.folder.empty()) return a.folder;
  std::string d = Rep_Fichier(a.path());
  if (d.size() > 1 && (d.back() == '/' || d.back() == '\\')) d.pop_back();
  return d;
}

std::string Chemin_Image_Temporaire() { return platform::App::Path() + "/ImgTempo.bmp"; }

std::string Chemin_Fond_Ecran() {
  const std::string trouve = platform::findFileNoCase(Rep_Prog, "Fondecran.jpg");
  return trouve.empty() ? Rep_Prog + "/Fondecran.jpg" : trouve;
}

platform::Picture Image_Fond_Integree() {
  static platform::Picture fond;
  if (!fond.isNull()) return fond;
  const std::vector<unsigned char> px = Pixels_Fond_Integre();
  fond = platform::Picture::fromBgrRows(px.data(), kLargeurFond, kHauteurFond, 3LL * kLargeurFond, false);
  if (fond.isNull()) fond = platform::Picture::filled(kLargeurFond, kHauteurFond, platform::RGB(128, 128, 128));
  return fond;
}

void Message_Echec_Chargement(const std::string& path, int numero) {
  platform::MsgBox(MSG(157) + platform::vbCrLf + path, platform::vbInformation,
                   "Err number " + platform::CStr(static_cast<long long>(numero)));
}

void Ouvre_Image() {
  if (!QvlExists()) return;
  QVL& f = Qvl();
  if (EtapeClic > 1) {
    f.Flash(kOrangeRefus, MSG(178), 2);
    return;
  }
  // Prompts are off while the dialog is up; an open that ends early leaves them as
  // they were.
  const bool consignes = Aff_Consignes;
  Aff_Consignes = false;
  platform::FileRequest demande;
  demande.filter = kFiltreImages;
  demande.initialFolder = Rep_Images;
  const platform::FileAnswer reponse = platform::dialogs().openFile(demande);
  const std::string chemin = reponse.path();
  if (reponse.cancelled || chemin.empty()) {
    Aff_Consignes = consignes;
    return;
  }

  const bool vider = Nombre_Images() > 0 && Confirme_Vider_Liste();
  const int position = vider ? -1 : Position_Image(chemin);
  if (position < 0 && !vider && Nombre_Images() >= kMaxImages) {
    Message_Echec_Chargement(chemin, 9);
    Aff_Consignes = consignes;
    return;
  }
  if (!Charge_Image_Memoire(chemin)) {
    Message_Echec_Chargement(chemin, platform::fileExists(chemin) ? 481 : 53);
    Aff_Consignes = consignes;
    return;
  }
  Rep_Images = Dossier_Choisi(reponse);
  if (Meme_Dossier(Rep_Images, Rep_Prog)) Appelle_Service(Services_Shell().Alerte_Unique);
  if (vider) Vide_Listes_Et_Grille();

  if (position >= 0) {
    Image_Courante(chemin);
    Aff_Consignes = true;
    platform::MsgBox(MSG(111));
    return;
  }

  Ajoute_Image_Ouverte(chemin);
}

void Image_Temporaire() {
  if (!QvlExists()) return;
  QVL& f = Qvl();
  const platform::Picture image =
      platform::Clipboard::hasImage() ? platform::Clipboard::getImage() : platform::Picture();
  if (image.isNull()) {
    platform::MsgBox(MSG(76));
    return;
  }
  const std::string chemin = Chemin_Image_Temporaire();
  std::string erreur;
  if (!image.saveBmp(chemin, &erreur)) {
    platform::MsgBox(MSG(144) + platform::vbCrLf + erreur, platform::vbExclamation);
    return;
  }
  if (!Charge_Image_Memoire(chemin)) {
    Message_Echec_Chargement(chemin, 481);
    return;
  }
  // The grid's rows name their images by number: they go with the list, after a Yes.
  if (Nombre_Images() > 0 && Confirme_Vider_Grille()) Vide_Listes_Et_Grille();
  // Kept as a capture, the picture becomes a file of the list; otherwise it stays the
  // temporary picture outside the list.
  if (!(Sauve_Captures(1) && Capture_Presse_Papier(image))) Image_Courante(chemin);

  const int largeur = Largeur_Entiere();
  const double hauteur = f.picbase.picture().heightPixels();
  if (Img_Temp) {
    Largeur_Img_Prec = largeur;
  } else if (largeur != Largeur_Img_Prec) {
    f.Flash(kVertAvis, MSG(75), 2);
    f.Picture1.setFontSize(Taille_Texte_Image(hauteur * 0.01));
    f.Picture2.setFontSize(f.Picture1.fontSize());
  }
  Img_Temp = false;
}

void Charge_Fond_Ecran(int /*Index*/) {
  if (!QvlExists()) return;
  QVL& f = Qvl();
  Larg_Affichee = 0;
  Haut_Affichee = 0;
  platform::Picture fond;
  const std::string fichier = platform::findFileNoCase(Rep_Prog, "Fondecran.jpg");
  if (!fichier.empty()) fond = platform::Picture::load(fichier);
  if (fond.isNull()) fond = Image_Fond_Integree();
  f.picbase.setPicture(fond);
  const double wm = Vue_Himetrique(fond.width());
  const double hm = Vue_Himetrique(fond.height());
  if (hm > 0) Ratio_Image = wm / hm;
  const double largeurBoite = f.Picture1.scaleWidth();
  if (largeurBoite > 0) Echelle = wm / largeurBoite;
  Applique_Zoom(0, 0);
}
