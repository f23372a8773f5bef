#include "measure/drawing.h"

#include <algorithm>
#include <cmath>
#include <exception>

#include "base/geometry.h"
#include "base/globals.h"
#include "base/helpers.h"
#include "base/text_tables.h"
#include "forms/main_window.h"
#include "images/image_state.h"
#include "images/picture_view.h"
#include "measure/measure_state.h"
#include "measure/redraw.h"
#include "platform/runtime.h"

namespace {

bool Fini(double v) { return std::isfinite(v); }

// A line (with boite, a box outline) on the box, a failure of the platform being ignored.
void Segment_Sur(platform::PictureBox& pic, double x1, double y1, double x2, double y2, bool boite = false) {
  if (!Fini(x1) || !Fini(y1) || !Fini(x2) || !Fini(y2)) return;
  try {
    pic.line(x1, y1, x2, y2, platform::kUseForeColor, boite);
  } catch (const std::exception&) {
  }
}

void Croix_Sur(platform::PictureBox& pic, double x, double y, double bras) {
  if (!Fini(x) || !Fini(y)) return;
  const double cx = std::round(x);
  const double cy = std::round(y);
  Segment_Sur(pic, cx - bras, cy, cx + bras, cy);
  Segment_Sur(pic, cx, cy - bras, cx, cy + bras);
}

void Lignes_Sur(platform::PictureBox& pic, double x, double y, const std::string& texte) {
  if (!Fini(x) || !Fini(y)) return;
  const std::vector<std::string> lignes = Lignes_A_Imprimer(texte);
  if (lignes.empty()) return;
  pic.setCurrentX(x);
  pic.setCurrentY(y);
  for (const std::string& l : lignes) {
    pic.print(l, true);
    pic.setCurrentX(x);
  }
}

// Zoom factor of the stored-point rule: Base_Zoom ^ Expo_Zoom.
double Facteur_Zoom() { return std::pow(Base_Zoom, static_cast<double>(Expo_Zoom)); }

}  // namespace

double Taille_Texte_Image(double t) { return Fini(t) && t > kTaillePoliceMinimum ? t : kTaillePoliceMinimum; }

std::vector<std::string> Lignes_A_Imprimer(const std::string& texte) {
  std::vector<std::string> pieces;
  if (texte.empty()) return pieces;
  std::size_t debut = 0;
  for (;;) {
    const std::size_t p = texte.find("\r\n", debut);
    if (p == std::string::npos) {
      pieces.push_back(texte.substr(debut));
      break;
    }
    pieces.push_back(texte.substr(debut, p - debut));
    debut = p + 2;
  }
  return pieces;
}

void Trace_Croix_Simple(double x, double y) {
  if (!QvlExists()) return;
  Croix_Sur(Qvl().Picture1, x, y, kBrasCroix);
}

void Trace_Croix_Couleur(double x, double y, platform::Colour colour) {
  if (!QvlExists()) return;
  Qvl().Picture1.setForeColor(colour);
  Croix_Sur(Qvl().Picture1, x, y, kBrasCroix);
}

void Trace_Croix_Illustration(double x, double y, platform::Colour couleur, int epaisseur) {
  if (!QvlExists()) return;
  platform::PictureBox& pic = Qvl().Picture2;
  if (epaisseur <= 0) epaisseur = 1;
  if (epaisseur > 1000) epaisseur = 1000;
  const int largeur = pic.drawWidth();
  pic.setDrawWidth(epaisseur);
  pic.setForeColor(couleur);
  Croix_Sur(pic, x, y, epaisseur * kBrasCroix);
  pic.setDrawWidth(largeur);
}

void Imprime_Lignes(double x, double y, const std::string& texte) {
  if (!QvlExists()) return;
  Lignes_Sur(Qvl().Picture1, x, y, texte);
}

void Imprime_Lignes_Illustration(double x, double y, const std::string& texte) {
  if (!QvlExists()) return;
  Lignes_Sur(Qvl().Picture2, x, y, texte);
}

void Imprime_Numero(double x, double y, int n) {
  if (!QvlExists() || !Fini(x) || !Fini(y)) return;
  platform::PictureBox& pic = Qvl().Picture1;
  pic.setCurrentX(x);
  pic.setCurrentY(y);
  pic.print(platform::Str(n), true);
}

bool Point_Ecran(double X, double Y, double& x, double& y) {
  const platform::PictureView v = picture1View(Facteur_Zoom());
  if (!Fini(v.k) || v.k == 0.0) return false;
  const double rx = v.boxX(X);
  const double ry = v.boxY(Y);
  if (!Fini(rx) || !Fini(ry)) return false;
  x = rx;
  y = ry;
  return true;
}

bool Point_Image(double x, double y, double& X, double& Y) {
  const platform::PictureView v = picture1View(K_Zoom);
  const double rx = v.pictureX(x);
  const double ry = v.pictureY(y);
  if (!Fini(rx) || !Fini(ry)) return false;
  X = rx;
  Y = ry;
  return true;
}


bool Trace_Cadre_Zone(double X, double Y, int t) {
  if (!QvlExists() || t < 0 || !Fini(X) || !Fini(Y)) return false;
  platform::PictureBox& pic = Qvl().Picture1;
  const int largeur = pic.canvasWidthPixels(), hauteur = pic.canvasHeightPixels();
  if (largeur <= 0 || hauteur <= 0) return false;
  // The canvas pixels are taken through the map a click takes: the square's pixels
  // are those whose position shows a picture pixel from the one holding the point less
  // t to it plus t. The frame lies on the last canvas pixel before them and on the
  // first one after them.
  const platform::PictureView v = picture1View(K_Zoom);
  if (!Fini(v.k) || !(v.k > 0)) return false;
  const double pasX = (pic.columnPosition(largeur) - pic.columnPosition(0)) / largeur;
  const double pasY = (pic.rowPosition(hauteur) - pic.rowPosition(0)) / hauteur;
  if (!Fini(pasX) || !Fini(pasY) || pasX == 0 || pasY == 0) return false;
  const double cx = std::floor(imagePixels(X)), cy = std::floor(imagePixels(Y));
  if (!Fini(v.boxX(pictureUnits(cx))) || !Fini(v.boxY(pictureUnits(cy)))) return false;
  // The search starts from the canvas pixel the inverse map gives, at most two pixels
  // beyond the canvas: a side farther out is then drawn somewhere outside it, where it
  // is not seen anyway.
  auto depart = [](double n, int taille) {
    return static_cast<int>(std::clamp(std::ceil(n), -2.0, taille + 2.0));
  };
  auto colonne = [&](double c) {
    const double n = (v.boxX(pictureUnits(c)) - pic.columnPosition(0)) / pasX;
    return firstPixelShowing([&](int i) { return v.pictureX(pic.columnPosition(i)); }, depart(n, largeur), c);
  };
  auto rangee = [&](double c) {
    const double n = (v.boxY(pictureUnits(c)) - pic.rowPosition(0)) / pasY;
    return firstPixelShowing([&](int j) { return v.pictureY(pic.rowPosition(j)); }, depart(n, hauteur), c);
  };
  Segment_Sur(pic, pic.columnPosition(colonne(cx - t) - 1), pic.rowPosition(rangee(cy - t) - 1),
              pic.columnPosition(colonne(cx + t + 1)), pic.rowPosition(rangee(cy + t + 1)), true);
  return true;
}

// --- inclined text and the saved picture ---------------------------------------------

double Angle_Pente(double xa, double ya, double xb, double yb) {
  if (xa == xb) return 90.0;
  return std::atan((yb - ya) / (xb - xa)) * 180.0 / 3.14159;
}

void Imprime_Texte_Angle(const std::string& Texte, const Police_Texte& police, double x, double y) {
  if (!QvlExists() || !Fini(x) || !Fini(y)) return;
  platform::PictureBox& pic = Qvl().Picture1;
  const std::string nom = pic.fontName();
  const double taille = pic.fontSize();
  const bool gras = pic.fontBold(), italique = pic.fontItalic(), souligne = pic.fontUnderline();
  try {
    // A face name holds at most 31 characters.
    pic.setFontName(platform::Left(police.Name, 31));
    pic.setFontSize(Taille_Texte_Image(police.Size));
    pic.setFontBold(police.Bold);
    pic.setFontItalic(police.Italic);
    pic.setFontUnderline(police.Underline);
    pic.printRotated(Texte, police.Angle, x, y);
  } catch (const std::exception&) {
  }
  pic.setFontName(nom);
  pic.setFontSize(taille);
  pic.setFontBold(gras);
  pic.setFontItalic(italique);
  pic.setFontUnderline(souligne);
}

void TextIncline(const std::string& Texte, int Xpos, int Ypos, double sens, int Xbout, int Ybout) {
  Police_Texte police;
  police.Name = "Arial";
  police.Size = 10;
  police.Bold = true;
  police.Angle = platform::CInt(-Angle_Pente(Clic_X1, Clic_Y1, Clic_X2, Clic_Y2));
  if (sens > 0)
    Imprime_Texte_Angle(Texte, police, Xpos, Ypos);
  else
    Imprime_Texte_Angle(Texte, police, Xbout, Ybout);
}

void SegmentTextIncline(const std::string& Texte, int Xpos, int Ypos, double sens, int Xbout, int Ybout) {
  if (!QvlExists()) return;
  const platform::PictureBox& pic = Qvl().Picture1;
  if (!(K_Zoom > 0)) return;
  Police_Texte police;
  police.Name = pic.fontName();
  police.Bold = pic.fontBold();
  police.Italic = pic.fontItalic();
  police.Underline = pic.fontUnderline();
  police.Size = platform::CInt(TaillePolice / K_Zoom);
  police.Angle = platform::CInt(-Angle_Pente(Xpos, Ypos, Xbout, Ybout));
  if (Xpos > Xbout) sens = -sens;
  if (sens > 0)
    Imprime_Texte_Angle(Texte, police, Xpos, Ypos);
  else
    Imprime_Texte_Angle(Texte, police, Xbout, Ybout);
}

void Sauve_Ecran3() {
  if (!QvlExists()) return;
  QVL& f = Qvl();
  f.Image3.setPicture(f.Picture1.image());
}

void Rappel_Ecran3() {
  if (!QvlExists()) return;
  QVL& f = Qvl();
  const platform::Picture p = f.Image3.picture();
  if (!p.isNull()) f.Picture1.setPicture(p);
}

// --- oriented reference line ---------------------------------------------------------

bool Fin_Ligne_Mesure(int x1, int y1, int x2, int y2, double L, double& xe, double& ye, double& a) {
  if (!Fini(L)) return false;
  const double s = x2 < x1 ? -1.0 : 1.0;
  const double angle =
      x1 == x2 ? 3.1416 / 2 : std::atan(static_cast<double>(y2 - y1) / static_cast<double>(x2 - x1));
  const double rx = s * L * std::cos(angle) + x1;
  const double ry = s * L * std::sin(angle) + y1;
  if (!Fini(rx) || !Fini(ry)) return false;
  xe = rx;
  ye = ry;
  a = angle;
  return true;
}

namespace {

// State 0: the entry panel opens with the calibrated length of the segment just drawn.
void Ouvre_Saisie_Longueur() {
  QVL& f = Qvl();
  Val_Saisie = 10;
  f.Frame(8).setVisible(true);
  f.Frame(8).zOrder(0);
  f.TBox(5).setBackColor(0xFFFF);
  f.label(8).setCaption(MSG(192));
  Val_Saisie = Val_Decimal(platform::Format(NbSegments_Calib * Calibrage, Format_Decimal));
  if (Val_Saisie == 0) Val_Saisie = 10;
  f.TBox(5).setText(platform::Str(Val_Saisie));
  f.TBox(5).setFocus();
  Etat_Saisie = 1;
}

// State 3: the line of the typed length along the direction drawn, its caption and
// its two end marks.
void Dessine_Ligne_Mesure() {
  QVL& f = Qvl();
  platform::PictureBox& pic = f.Picture1;
  Etat_Saisie = 0;
  pic.setDrawWidth(3);
  const double diviseur = Calibrage * K_Zoom * Facteur_Resol;
  if (diviseur == 0) return;
  const double L = Val_Saisie / diviseur * Ratio_Ecran;
  double xr = 0, yr = 0, a = 0;
  if (!Fin_Ligne_Mesure(Clic_X1, Clic_Y1, Clic_X2, Clic_Y2, L, xr, yr, a)) return;
  if (xr < -32768.5 || xr >= 32767.5 || yr < -32768.5 || yr >= 32767.5) return;
  const int xe = platform::CInt(xr), ye = platform::CInt(yr);
  const double s = Clic_X2 < Clic_X1 ? -1.0 : 1.0;
  TextIncline(" " + platform::Str(Val_Saisie) + f.TBox(5).text(), Clic_X1, Clic_Y1, s, xe, ye);
  Illus_Saisie = false;
  pic.line(Clic_X1, Clic_Y1, xe, ye, platform::QBColor(CouleursTrace(0)));
  pic.setDrawWidth(2);
  const double sa = std::sin(a) * kBrasCroix, ca = std::cos(a) * kBrasCroix;
  pic.line(Clic_X1 + sa, Clic_Y1 - ca, Clic_X1 - sa, Clic_Y1 + ca);
  pic.line(xe + sa, ye - ca, xr - sa, yr + ca);
  pic.setDrawWidth(1);
  Sauve_Ecran3();
  Etat_Saisie = 0;
  Illus_Texte = false;
  f.Frame(8).setVisible(false);
}

}  // namespace

void Trace_Ligne_Mesure() {
  if (!QvlExists()) return;
  try {
    switch (Etat_Saisie) {
      case 0:
        Ouvre_Saisie_Longueur();
        break;
      case 3:
        Dessine_Ligne_Mesure();
        break;
      case 4: {
        Retrace(0);
        Etat_Saisie = 0;
        Illus_Texte = false;
        Qvl().Frame(8).setVisible(false);
        break;
      }
      default:
        break;
    }
  } catch (const std::exception&) {
  }
}
