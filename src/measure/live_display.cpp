#include "measure/live_display.h"

#include <cmath>
#include <exception>

#include "base/globals.h"
#include "forms/main_window.h"
#include "images/image_state.h"
#include "measure/density_tool.h"
#include "measure/drawing.h"
#include "measure/lengths.h"
#include "measure/measure_state.h"
#include "platform/colour.h"
#include "platform/events.h"
#include "platform/picturebox.h"
#include "platform/runtime.h"

namespace {

// Picture1 takes back the picture kept in an image holder; an empty holder changes
// nothing (no picture was kept yet).
void Restaure(const platform::ImageBox& depuis) {
  const platform::Picture p = depuis.picture();
  if (!p.isNull()) Qvl().Picture1.setPicture(p);
}

// A line on Picture1 in the drawing mode `mode`; the picture's mode is put back
// afterwards.
void Ligne_Mode(int mode, double x1, double y1, double x2, double y2) {
  platform::PictureBox& pic = Qvl().Picture1;
  const int avant = pic.drawMode();
  pic.setDrawMode(mode);
  try {
    pic.line(x1, y1, x2, y2);
  } catch (const std::exception&) {
  }
  pic.setDrawMode(avant);
}

// A line of the rubber band, in XOR over the picture, so that it shows on any
// background.
void Ligne_Elastique(double x1, double y1, double x2, double y2) {
  Ligne_Mode(platform::kXorPen, x1, y1, x2, y2);
}

// A line of the Palmer guide in the current ForeColor, copied onto the picture: the
// guide drawn at the last move stays on the picture after the release.
void Ligne_Guide(double x1, double y1, double x2, double y2) {
  Ligne_Mode(platform::kCopyPen, x1, y1, x2, y2);
}

void Valeur_En_Cours(const std::string& texte) { Qvl().label(9).setCaption(texte); }

// Length factor from units of Picture1 to calibrated units.
double Facteur_Longueur() {
  if (Ratio_Ecran == 0) return 0;
  const double f = Calibrage * K_Zoom * Facteur_Resol / Ratio_Ecran;
  return std::isfinite(f) ? f : 0;
}

// Cumulated length of the polyline to the mouse, calibrated, under "##0.0000".
void Valeur_Polyligne(int X, int Y) {
  const double dx = X - Pt_X, dy = Y - Pt_Y;
  Valeur_En_Cours(
      platform::Format((Longueur_Cumulee + std::sqrt(dx * dx + dy * dy)) * Facteur_Longueur(), "##0.0000"));
}

// Density figure (ellipse of function 13, box of function 14) and its live area.
void Trace_Densite(int X, int Y) {
  QVL& f = Qvl();
  Restaure(f.Image1);
  double surface = 0;
  if (!Trace_Figure_Densite(X, Y, surface)) return;
  const double k = Facteur_Longueur();
  Valeur_En_Cours("S= " + platform::Format(surface * k * k, Format_Decimal));
}

// Rounded length from the start point to the mouse, kept in NbSegments_Calib.
void Longueur_Elastique(int X, int Y) {
  NbSegments_Calib = Arrondi_Longueur(Longueur_Segment(Depart_X, Depart_Y, X, Y));
}

}  // namespace

bool Pied_Palmer(int p0x, int p0y, int x, int y, double pente, double somme, int& fx, int& fy) {
  if (!std::isfinite(pente) || !std::isfinite(somme)) return false;
  if (std::fabs(pente) < 0.001) {
    fx = p0x;
    fy = y;
    return true;
  }
  if (somme == 0) return false;
  const double rx = (x * pente + p0y - y + p0x / pente) / somme;
  if (!std::isfinite(rx) || std::fabs(rx) > 2147483647.0) return false;
  const int ix = platform::CInt(rx);
  const double ry = p0y - (ix - p0x) / pente;
  if (!std::isfinite(ry) || std::fabs(ry) > 2147483647.0) return false;
  fx = ix;
  fy = platform::CInt(ry);
  return true;
}

void Peint_Loupe(double X, double Y) {
  QVL& f = Qvl();
  platform::PictureBox& loupe = f.PLoupePic;
  platform::PictureBox& pic = f.Picture1;
  const platform::Picture image = pic.image();
  if (image.isNull() || !(pic.scaleWidth() > 0) || !(pic.scaleHeight() > 0)) return;
  // The source square in twips of Picture1's image (15 per pixel of its canvas).
  const double tx = 15.0 * pic.canvasWidthPixels() / pic.scaleWidth();
  const double ty = 15.0 * pic.canvasHeightPixels() / pic.scaleHeight();
  loupe.paintPicture(image, 0, 0, Taille_Loupe, Taille_Loupe, (X - Pas_Loupe2) * tx, (Y - Pas_Loupe2) * ty,
                     Pas_Loupe * tx, Pas_Loupe * ty);
  // Centre cross in the first drawing colour, merged with the inverse of the picture.
  const int mode = loupe.drawMode();
  loupe.setForeColor(platform::QBColor(CouleursTrace(0)));
  loupe.setDrawMode(platform::kMergePenNot);
  const double c = Taille_Loupe2;
  loupe.line(c - Taille_Loupe2, c, c + Taille_Loupe2, c);
  loupe.line(c, c - Taille_Loupe2, c, c + Taille_Loupe2);
  loupe.setDrawMode(mode);
}

void Trace_Palmer(int X, int Y) {
  QVL& f = Qvl();
  platform::PictureBox& pic = f.Picture1;
  const int p0x = platform::CInt(Depart_X), p0y = platform::CInt(Depart_Y);
  Restaure(f.Image1);
  pic.setForeColor(platform::QBColor(CouleursTrace(1)));
  if (Largeur_Pic2 < 1) {
    const double h = pic.scaleHeight() / 10;
    Ligne_Guide(X, Y, X, Y - h);
    Ligne_Guide(X, Y, X, Y + h);
  } else {
    Ligne_Guide(X, Y, X + Largeur_Pic2, Y + Largeur_Pic2 * Pente_Ref);
    Ligne_Guide(X, Y, X - Largeur_Pic2, Y - Largeur_Pic2 * Pente_Ref);
  }
  int fx = 0, fy = 0;
  if (!Pied_Palmer(p0x, p0y, X, Y, Pente_Ref, Pente_Somme, fx, fy)) return;
  Pt_X = fx;
  Pt_Y = fy;
  pic.setForeColor(platform::QBColor(CouleursTrace(1)));
  Ligne_Guide(p0x, p0y, fx, fy);
  if (EtapeClic >= 0 && EtapeClic <= 20) {
    Segments_Etape(EtapeClic).X2 = fx;
    Segments_Etape(EtapeClic).Y2 = fy;
  }
}

void Trace_Elastique(int X, int Y) {
  QVL& f = Qvl();
  if (!Etat_Pt4) {
    try {
      Restaure(f.Image1);
      Ligne_Elastique(X, Y, Depart_X, Depart_Y);
      Longueur_Elastique(X, Y);
      Valeur_En_Cours(platform::Format(Valeur_Calibree(NbSegments_Calib), Format_Decimal));
    } catch (const std::exception&) {
    }
  }
  if (Palmer == 2 && EtapeClic > 1) {
    try {
      Trace_Palmer(X, Y);
    } catch (const std::exception&) {
    }
  }
}

void Affiche_Mesure_En_Cours(int, int, double X, double Y) {
  QVL& f = Qvl();
  if (Illus_Saisie) {
    Rappel_Ecran3();
    return;
  }
  if (Trace_Ok) return;
  int x = 0, y = 0;
  if (!std::isfinite(X) || !std::isfinite(Y) || std::fabs(X) > 32767 || std::fabs(Y) > 32767) return;
  x = platform::CInt(X);
  y = platform::CInt(Y);
  try {
    if (f.PLoupePic.visible()) Peint_Loupe(X, Y);
    if (Etat_Pt2) {
      if (Palmer == 0) {
        Restaure(f.Image1);
        Ligne_Elastique(x, y, Depart_X, Depart_Y);
      } else if (Mode_Densite) {
        Trace_Densite(x, y);
      } else if (Palmer == 1) {
        if (Mode_Pointage) {
          Restaure(f.Image1);
          if (EtapeClic == 1)
            Ligne_Elastique(x, y, Pt_X, Pt_Y);
          else
            Ligne_Elastique(x, y, Depart_X, Depart_Y);
          Valeur_Polyligne(x, y);
        } else if (Mode_Standard && Etat_Pt1) {
          Restaure(f.Image1);
          Ligne_Elastique(x, y, Depart_X, Depart_Y);
          Longueur_Elastique(x, y);
          Valeur_En_Cours(platform::Format(Valeur_Calibree(NbSegments_Calib), "###0.000"));
        }
      } else if (Palmer == 2) {
        if (Mode_Pointage) {
          Restaure(f.Image1);
          if (EtapeClic == 1) {
            Ligne_Elastique(x, y, Pt_X, Pt_Y);
          } else {
            Restaure(f.Image2);
            Trace_Elastique(x, y);
          }
          Valeur_Polyligne(x, y);
        } else if (Mode_Standard) {
          Restaure(f.Image2);
          Trace_Elastique(x, y);
        }
      }
    }
  } catch (const std::exception&) {
  }
  platform::DoEvents();
}
