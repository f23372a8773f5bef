// The picture view: zoom, fit, centring and panning of the picture shown in Picture1,
// and the thumbnail with its view frame.
//
// Picture1's measuring scale is a constant width (kLargeurEchellePicture1 logical
// twips) whatever the size of the window, and the view is painted across that whole
// width: where the view's formulas need the width of the box they take
// Picture1.scaleWidth(), so that the view and every measured length stay the same
// when the window changes size.
#include "images/picture_view.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <stdexcept>

#include "base/globals.h"
#include "base/text_tables.h"
#include "forms/main_window.h"
#include "images/image_state.h"
#include "images/picture_save.h"
#include "measure/redraw.h"
#include "platform/colour.h"
#include "platform/dialogs.h"
#include "platform/picture.h"
#include "platform/runtime.h"

namespace {

// Raised by a step of the view that cannot go on (no picture, exponent out of bounds);
// the caller restores the previous view.
struct VueImpossible : std::runtime_error {
  VueImpossible() : std::runtime_error("picture view") {}
};

// Size of the loaded picture in picture units (twips at its natural size).
double Wt(const QVL& f) { return f.picbase.picture().width(); }
double Ht(const QVL& f) { return f.picbase.picture().height(); }

// Zoom factor of an exponent.
double Facteur(int expo) { return std::pow(Base_Zoom, expo); }

// Runs one statement, skipping it when it fails.
template <class F>
void Instruction(F&& fn) {
  try {
    fn();
  } catch (const std::exception&) {
  }
}

// x rounded to a 16-bit integer (halves to even); a value outside that range fails.
double Entier16(double x) {
  if (!std::isfinite(x) || x < -32768.5 || x >= 32767.5) throw VueImpossible();
  return platform::CInt(x);
}

// Thumbnail point of the current offsets.
void Point_Vue(const QVL& f, std::int32_t& tx, std::int32_t& ty) {
  tx = Point_Vignette(f.VignP.scaleWidth(), Larg_Affichee, Wt(f));
  ty = Point_Vignette(f.VignP.scaleHeight(), Haut_Affichee, Ht(f));
}

}  // namespace

// --- pure geometry ------------------------------------------------------------------

double Vue_Himetrique(double twips) { return twips * 2540.0 / 1440.0; }

std::string Texte_Facteur_Zoom(double k) {
  if (!std::isfinite(k) || k <= 0) k = 1.0;
  const double valeur = platform::Int(100.0 / k + 0.5) * 0.005;
  return "Z= " + platform::CStr(valeur);
}

std::int32_t Decalage_Centre(double offset, double k, double r, double p, double largeur) {
  return platform::CLng(k * r * (p - largeur * 0.5) + offset);
}

std::int32_t Decalage_Deplace(double offset, double k, double r, double d) {
  return platform::CLng(offset - k * r * d);
}

std::int32_t Point_Vignette(double echelleVignette, double offset, double taille) {
  if (!(taille > 0)) return 0;
  const double v = echelleVignette * offset / taille;
  return std::isfinite(v) ? platform::CLng(v) : 0;
}

// --- the view -------------------------------------------------------------------------

bool Charge_Image_Memoire(const std::string& path) {
  QVL& f = Qvl();
  const platform::Picture image = platform::Picture::load(path);
  if (image.isNull()) return false;
  if (!f.chkMC.exists(0) || f.chkMC(0).value() == 0) {
    Larg_Affichee = 0;
    Haut_Affichee = 0;
  }
  f.picbase.setPicture(image);
  // The illustration copy belongs to the picture shown: the next insertion copies afresh.
  Loupe_Ouverte = false;
  const double wm = Vue_Himetrique(image.width());
  const double hm = Vue_Himetrique(image.height());
  Ratio_Image = wm / hm;
  Echelle = wm / f.Picture1.scaleWidth();
  Applique_Zoom(0, 0);
  return true;
}

platform::PictureView picture1View(double kZoom) {
  platform::PictureView v;
  v.k = kZoom * Echelle;
  v.left = Larg_Affichee;
  v.top = Haut_Affichee;
  return v;
}

void Affiche_Image(int level) {
  QVL& f = Qvl();
  try {
    const platform::Picture image = f.picbase.picture();
    f.Picture1.setPicture(platform::Picture());
    const double bw = f.Picture1.scaleWidth();
    if (!image.isNull()) f.Picture1.paintView(image, picture1View(Facteur(level)), bw, Ratio_Image * bw);
  } catch (const std::exception&) {
  }
  Affiche_Facteur_Zoom();
  const platform::Picture vue = f.Picture1.image();
  f.ImageMem.setPicture(vue);
  f.Image2.setPicture(vue);
  f.Image1.setPicture(f.Image2.picture());
}

void Applique_Zoom(std::int32_t tx, std::int32_t ty) {
  Dessine_Vignette(Taille_Max);
  if (Zoom_Auto) {
    Cadre_Vignette(tx, ty);
    Affiche_Image(Expo_Zoom);
  }
}

void Affiche_Facteur_Zoom() {
  if (!QvlExists()) return;
  Qvl().label(2).setCaption(Texte_Facteur_Zoom(K_Zoom));
}

void Zoom_Initial() {
  Expo_Zoom = -2 * Pas_Zoom;
  K_Zoom = Facteur(Expo_Zoom);
  Expo_Zoom_Initial = Expo_Zoom;
  Affiche_Image(Expo_Zoom);
  Dessine_Vignette(Taille_Max);
}

void Redimensionne_Image() {
  if (!QvlExists()) return;
  QVL& f = Qvl();
  try {
    if (f.windowState() != platform::kMaximized) Ratio_Ecran = 1.0;
    f.Dimensionne_Cadres_Image(f.windowState());
    // With no picture loaded there is nothing to measure: the scale is kept.
    const double wm = Vue_Himetrique(Wt(f));
    if (wm > 0) Echelle = wm / f.Picture1.scaleWidth();
    f.Place_Cadre_Grille();
    Larg_Affichee = 0;
    Haut_Affichee = 0;
    Expo_Zoom = Expo_Zoom_Initial;
    K_Zoom = Facteur(Expo_Zoom);
    Applique_Zoom(0, 0);
    Affiche_Facteur_Zoom();
  } catch (const std::exception&) {
  }
  if (Retrace_Zoom) Retrace(0);
}

void Deplace_Image(double dx, double dy) {
  QVL& f = Qvl();
  const double r = Vue_Himetrique(Wt(f)) / f.Picture1.scaleWidth();
  Larg_Affichee = Decalage_Deplace(Larg_Affichee, K_Zoom, r, platform::CLng(dx));
  Haut_Affichee = Decalage_Deplace(Haut_Affichee, K_Zoom, r, platform::CLng(dy));
  std::int32_t tx = 0, ty = 0;
  Point_Vue(f, tx, ty);
  Applique_Zoom(tx, ty);
}

void Centre_Image_Point(double x, double y) {
  QVL& f = Qvl();
  Dessine_Vignette(Taille_Max);
  const double r = Vue_Himetrique(Wt(f)) / f.Picture1.scaleWidth();
  Larg_Affichee = Decalage_Centre(Larg_Affichee, K_Zoom, r, platform::CLng(x), f.Picture1.scaleWidth());
  Haut_Affichee = Decalage_Centre(Haut_Affichee, K_Zoom, r, platform::CLng(y), f.Picture1.scaleHeight());
  std::int32_t tx = 0, ty = 0;
  Point_Vue(f, tx, ty);
  Applique_Zoom(tx, ty);
}

void Zoom_Clic(int button, int, double x, double y) {
  const int c = button == 1 ? -1 : (button == 2 ? 1 : 0);
  const int expo = Expo_Zoom + c * Pas_Zoom;
  if (expo < kExpoZoomMin || expo > kExpoZoomMax) return;
  Expo_Zoom = expo;
  K_Zoom = Facteur(Expo_Zoom);
  // The clicked point divided by the step: at the new factor it lies where the box's
  // centre will be.
  const double pas = std::pow(Base_Zoom, c);
  Centre_Image_Point(platform::CLng(x / pas), platform::CLng(y / pas));
}

void Bouton_Zoom(int index) {
  std::int32_t tx = 0, ty = 0;
  switch (index) {
    case 0:
      Ajuste_Image_Fenetre(1, tx, ty);
      break;
    case 1:
      if (Expo_Zoom < 0) Ajuste_Image_Fenetre(2, tx, ty);
      break;
    case 2:
      Larg_Affichee = 0;
      Haut_Affichee = 0;
      Expo_Zoom = Expo_Zoom_Initial;
      K_Zoom = Facteur(Expo_Zoom);
      Applique_Zoom(0, 0);
      break;
    case 3: {
      QVL& f = Qvl();
      if (Pas_Zoom == 2) {
        Pas_Zoom = 1;
        f.Czoom(3).setCaption("<<");
      } else {
        Pas_Zoom = 2;
        f.Czoom(3).setCaption(">>");
      }
      break;
    }
    default:
      break;
  }
}

void Czoom_Click(int index) {
  Bouton_Zoom(index);
  if (Retrace_Zoom) Retrace(0);
}

void Ajuste_Image_Fenetre(int mode, std::int32_t& tx, std::int32_t& ty) {
  QVL& f = Qvl();
  const std::int32_t larg = Larg_Affichee, haut = Haut_Affichee;
  const int expo = Expo_Zoom;
  try {
    int nouveau = expo;
    if (mode == 1) nouveau = expo - Pas_Zoom;
    if (mode == 2) nouveau = expo + Pas_Zoom;
    if (nouveau < kExpoZoomMin || nouveau > kExpoZoomMax) throw VueImpossible();
    if (!(Wt(f) > 0) || !(Ht(f) > 0)) throw VueImpossible();
    Expo_Zoom = nouveau;
    K_Zoom = Facteur(Expo_Zoom);
    Point_Vue(f, tx, ty);
    Affiche_Depuis_Vignette(tx, ty);
  } catch (const std::exception&) {
    Larg_Affichee = larg;
    Haut_Affichee = haut;
    Expo_Zoom = expo;
    K_Zoom = Facteur(Expo_Zoom);
    Point_Vue(f, tx, ty);
    Applique_Zoom(tx, ty);
  }
}

void Affiche_Depuis_Vignette(std::int32_t tx, std::int32_t ty) {
  const std::int32_t larg = Larg_Affichee, haut = Haut_Affichee;
  const int expo = Expo_Zoom;
  try {
    Dessine_Vignette(Taille_Max);
    // The frame of the view at the thumbnail point. The offsets and the exponent are
    // then restored, so a zoom step keeps the view's top-left corner; the view at the
    // thumbnail point itself would never be seen (no event runs before the repaint
    // below), so it is not painted.
    Cadre_Vignette(tx, ty);
  } catch (const std::exception&) {
  }
  Larg_Affichee = larg;
  Haut_Affichee = haut;
  Expo_Zoom = expo;
  K_Zoom = Facteur(Expo_Zoom);
  Affiche_Image(Expo_Zoom);
}

// --- thumbnail ----------------------------------------------------------------------

void Dessine_Vignette(int width) {
  QVL& f = Qvl();
  platform::PictureBox& v = f.VignP;
  const platform::Picture image = f.picbase.picture();
  Instruction([&] {
    if (image.isNull()) throw VueImpossible();
  });
  Instruction([&] { v.scale(); });
  Instruction([&] { v.setAutoRedraw(true); });
  Instruction([&] { v.setPicture(platform::Picture()); });
  Instruction([&] { v.setWidth(width); });
  Instruction([&] {
    // The client area, not the whole box, takes the picture's aspect: the border is
    // added to the height, so that no row of a wide picture falls below the client area.
    const double bord = std::max(0.0, v.width() - v.scaleWidth());
    if (image.isNull()) throw VueImpossible();
    v.setHeight(Entier16(v.scaleWidth() * image.height() / image.width() + bord));
  });
  Instruction([&] {
    // The thumbnail's scale: its client width across, client width / Ratio_Image down.
    if (!(Ratio_Image > 0) || !std::isfinite(Ratio_Image)) throw VueImpossible();
    v.setScaleHeight(v.scaleWidth() / Ratio_Image);
  });
  Instruction([&] {
    if (image.isNull()) throw VueImpossible();
    v.paintPicture(image, 0, 0, v.scaleWidth(), v.scaleHeight(), 0, 0, image.width(), image.height());
  });
  Instruction([&] { v.setAutoRedraw(false); });
}

void Cadre_Vignette(std::int32_t tx, std::int32_t ty) {
  QVL& f = Qvl();
  double facteur = 1, a = 0, w = 0, h = 0;
  Instruction([&] {
    if (f.windowState() == platform::kMaximized) facteur = platform::CInt(Ratio_Aspect);
  });
  Instruction([&] { a = f.Picture1.scaleWidth() / f.Picture1.scaleHeight(); });
  Instruction([&] {
    // The view's width in thumbnail units: K_Zoom x Wm picture units.
    const double wt = Wt(f);
    if (!(wt > 0)) throw VueImpossible();
    const double x = f.VignP.scaleWidth() * K_Zoom * Vue_Himetrique(wt) / wt;
    w = Entier16(x > 30000 ? 20000 : x);
  });
  Instruction([&] {
    if (w > 30000) w = 20000;
    if (a == 0 || facteur == 0) throw VueImpossible();
    const double y = w / a / facteur;
    h = Entier16(y > 30000 ? 20000 : y);
  });
  if (tx < -32768 || tx > 32767 || ty < -32768 || ty > 32767) return;
  Instruction([&] { Rectangle_Vignette(tx, ty, w, h); });
}

void Rectangle_Vignette(double x, double y, double w, double h) {
  platform::PictureBox& v = Qvl().VignP;
  const platform::Colour c = platform::QBColor(CouleursTrace(1));
  Instruction([&] { v.line(x, y, x + w, y, c); });
  Instruction([&] { v.line(x + w, y, x + w, y + h, c); });
  Instruction([&] { v.line(x + w, y + h, x, y + h, c); });
  Instruction([&] { v.line(x, y + h, x, y, c); });
}

void Clic_Vignette(int /*button*/, int /*shift*/, double x, double y) {
  QVL& f = Qvl();
  try {
    const double largeur = f.VignP.width();
    const double r = largeur > 0 ? Wt(f) / largeur : 0.0;
    Dessine_Vignette(Taille_Max);
    if (Zoom_Auto) {
      if (!std::isfinite(x * r) || !std::isfinite(y * r)) throw VueImpossible();
      Larg_Affichee = platform::CLng(x * r);
      Haut_Affichee = platform::CLng(y * r);
      Cadre_Vignette(platform::CLng(x), platform::CLng(y));
      Affiche_Image(Expo_Zoom);
    }
    if (Retrace_Zoom) Retrace(0);
  } catch (const std::exception&) {
    platform::MsgBox(MSG(101) + "103");
  }
}

void VignP_MouseDown(int Button, int Shift, double X, double Y) {
  Clic_Vignette(Button, Shift, X, Y);
  Retrace(0);
}

// --- connections ----------------------------------------------------------------------

void Connecte_Vue(QVL& f) {
  f.Czoom.onClick = [](int index) { Czoom_Click(index); };
  f.VignP.onMouseDown = VignP_MouseDown;
  // Each item of the file menu gets its own handler, so the array's handler (the
  // other items) stays free for the image-file commands.
  f.MnuFIC(15).onClick = [] { Sauver_Image_actuelle(0); };
  f.MnuFIC(16).onClick = [] { Sauver_Image_actuelle(1); };
}
