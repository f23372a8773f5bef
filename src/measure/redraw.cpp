#include "measure/redraw.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <exception>
#include <limits>
#include <stdexcept>
#include <string>

#include "base/globals.h"
#include "forms/main_window.h"
#include "images/image_state.h"
#include "images/picture_view.h"
#include "measure/drawing.h"
#include "measure/lengths.h"
#include "platform/colour.h"
#include "platform/picturebox.h"
#include "platform/runtime.h"

namespace {

// Raised by a drawer that cannot go on; the redraw ends there silently.
struct TraceImpossible : std::runtime_error {
  TraceImpossible() : std::runtime_error("redraw") {}
};

constexpr int kDerniereCellule = 16;
constexpr double kRayonPolygone = 300.0;   // circle of a polygon row, units of Picture1

// A colour zone was drawn by the present redraw.
bool g_zoneTracee = false;

const Mesure& Ligne(int i) {
  if (i < 0 || i > kDerniereLigneTable) throw TraceImpossible();
  return TabMesures(i);
}

// Both ends of a stored cell in units of Picture1.
void Extremites(const Segment& s, double& x1, double& y1, double& x2, double& y2) {
  if (!Point_Ecran(s.X1, s.Y1, x1, y1) || !Point_Ecran(s.X2, s.Y2, x2, y2)) throw TraceImpossible();
}

// A coordinate taken to a 16-bit integer; false when it does not fit.
bool Entier16(double v, int& n) {
  if (!std::isfinite(v) || v < -32768.5 || v >= 32767.5) return false;
  n = platform::CInt(v);
  return true;
}

// The calibrated value of the segment as drawn, along it. A segment whose ends leave
// the 16-bit range gets no label.
void Etiquette_Valeur(double x1, double y1, double x2, double y2) {
  int a = 0, b = 0, c = 0, d = 0;
  if (!Entier16(x1, a) || !Entier16(y1, b) || !Entier16(x2, c) || !Entier16(y2, d)) return;
  int n = 0;
  if (!Entier16(Longueur_Segment(a, b, c, d), n)) return;
  const std::string texte = platform::Format(Valeur_Calibree(n), Format_Decimal);
  SegmentTextIncline(texte, c, d, 0.0, a, b);
}

// Runs one statement of a drawer that skips what fails.
template <class F>
void Instruction(F&& fn) {
  try {
    fn();
  } catch (const std::exception&) {
  }
}

platform::Colour Couleur(int i) { return platform::QBColor(CouleursTrace(i)); }

// Steps 1 to 5 of the redraw; false when it ended at a row without image number in
// multi-layer mode (the focus is then not given back).
bool Retrace_Lignes(QVL& f) {
  const double wm = Vue_Himetrique(f.picbase.picture().width());
  const double sw = f.Picture1.scaleWidth();
  if (!(wm > 0) || !(sw > 0)) return true;
  Echelle = wm / sw;
  const std::int32_t tx = Point_Vignette(f.VignP.scaleWidth(), Larg_Affichee, f.picbase.width());
  const std::int32_t ty = Point_Vignette(f.VignP.scaleHeight(), Haut_Affichee, f.picbase.height());
  K_Zoom = std::pow(Base_Zoom, static_cast<double>(Expo_Zoom));
  Applique_Zoom(tx, ty);

  const int fin_walk = Derniere_Ligne_Tracee(LigneCourante, Mode_Comptage, Comptage_Actif, FonctionCourante);
  if (Comptage_Actif) {
    Mode_Comptage = false;
    f.Bout(9).setBackColor(platform::kButtonFace);
    Comptage_Actif = false;
  }
  const bool multiCouche = f.ListImgMC.listCount() >= 1;
  const bool autresImages = f.chkMC(1).value() == 1 && f.chkMC(0).value() == 1;
  for (int i = 1; i <= fin_walk; ++i) {
    f.Picture1.setForeColor(Couleur(0));
    const Mesure& m = Ligne(i);
    if (multiCouche && m.NumImage == 0) return false;
    if (m.NumImage != Index_Image) {
      if (!autresImages) continue;
      f.Picture1.setForeColor(Couleur(1));
    }
    int fin = 0;
    switch (FonctionCourante) {
      case 1: case 2: case 3: case 4: case 5: case 6:
        Trace_Segment(i, fin);
        break;
      case 10: case 11:
        Trace_Comptage(i, fin);
        break;
      case 13: case 14:
        Trace_Ellipse(i, fin);
        break;
      case 16:
        if (i < LigneCourante) Trace_Cercle(i, fin);
        break;
      case 20:
        Trace_Couleur(i, fin);
        break;
      default:
        break;
    }
    if (fin == 1) break;
  }
  return true;
}

}  // namespace

int Cellules_Tracees(int fonction, int nbCellules) {
  int n = nbCellules;
  if (fonction == 5) n = 4;
  if (fonction == 6) n = 5;
  return std::clamp(n, 0, kDerniereCellule);
}

bool Cellule_Vide(const Segment& s) { return s.X1 == 0 && s.Y1 == 0 && s.X2 == 0 && s.Y2 == 0; }

int Derniere_Ligne_Tracee(int ligneCourante, bool modeComptage, bool comptageActif, int fonction) {
  int last = ligneCourante;
  if (modeComptage && fonction != 10 && fonction != 11) last = ligneCourante - 1;
  if (comptageActif) last = ligneCourante - 1;
  return std::clamp(last, 0, kDerniereLigneTable);
}

void Retrace(int mode) {
  if (!QvlExists()) return;
  QVL& f = Qvl();
  bool focus = true;
  {
    // Every row is drawn in one pass: one painter for the texts, one repaint.
    platform::PictureBox::Batch lot(f.Picture1);
    g_zoneTracee = false;
    try {
      focus = Retrace_Lignes(f);
    } catch (const std::exception&) {
    }
    // The preview of the colour zone draws over the picture with the zones' frames.
    if (g_zoneTracee) f.Image1.setPicture(f.Picture1.image());
  }
  if (mode == 1 && focus) f.Picture1.setFocus();
}

void Retrace_0(int mode) { Retrace(mode); }

void Trace_Segment(int i, int& fin) {
  fin = 0;
  if (i < 0 || i > kDerniereLigneTable) {
    fin = 1;
    return;
  }
  QVL& f = Qvl();
  platform::PictureBox& pic = f.Picture1;
  const Mesure& m = Ligne(i);
  const int n = Cellules_Tracees(FonctionCourante, NbCellules);
  const bool valeurs = f.Affmesure.value() == 1;
  for (int c = 1; c <= n; ++c) {
    const Segment& s = m.Seg(c);
    if (Cellule_Vide(s)) {
      if (FonctionCourante != 3) fin = 1;
      continue;
    }
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    Extremites(s, x1, y1, x2, y2);
    pic.line(x1, y1, x2, y2);
    Trace_Croix_Simple(x1, y1);
    Trace_Croix_Simple(x2, y2);
    if (valeurs)
      Etiquette_Valeur(x1, y1, x2, y2);
    else
      Imprime_Numero(x1, y1, i);
  }
}

void Trace_Comptage(int i, int& fin) {
  fin = 0;
  if (i < 0 || i > kDerniereLigneTable) {
    fin = 1;
    return;
  }
  const Mesure& m = Ligne(i);
  const int n = std::clamp(NbCellules, 0, kDerniereCellule);
  for (int c = 1; c <= n; ++c) {
    const Segment& s = m.Seg(c);
    if (s.X1 == 0 && s.Y1 == 0) break;
    double x1 = 0, y1 = 0;
    if (!Point_Ecran(s.X1, s.Y1, x1, y1)) throw TraceImpossible();
    Trace_Croix_Simple(x1, y1);
    Imprime_Numero(x1, y1, i);
  }
}

void Trace_Ellipse(int i, int& fin) {
  fin = 0;
  if (i < 0 || i > kDerniereLigneTable) {
    fin = 1;
    return;
  }
  platform::PictureBox& pic = Qvl().Picture1;
  const Segment& s = Ligne(i).Seg(1);
  if (Cellule_Vide(s)) return;
  double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  if (!Point_Ecran(s.X1, s.Y1, x1, y1)) return;
  if (FonctionCourante == 13) {
    Instruction([&] { Trace_Croix_Couleur(x1, y1, Couleur(0)); });
    Instruction([&] { pic.setForeColor(Couleur(1)); });
    Instruction([&] { Imprime_Numero(x1, y1, i); });
  } else if (FonctionCourante == 14) {
    Instruction([&] { pic.setForeColor(Couleur(1)); });
    Instruction([&] {
      if (Point_Ecran(s.X2, s.Y2, x2, y2)) pic.line(x1, y1, x2, y2, platform::kUseForeColor, true);
    });
    Instruction([&] {
      if (i < LigneCourante) Imprime_Numero(x1, y1, i);
    });
  }
}

void Trace_Cercle(int i, int& fin) {
  fin = 0;
  if (i < 0 || i > kDerniereLigneTable) {
    fin = 1;
    return;
  }
  platform::PictureBox& pic = Qvl().Picture1;
  const Segment& s = Ligne(i).Seg(1);
  if (Cellule_Vide(s)) return;
  double x1 = 0, y1 = 0;
  if (!Point_Ecran(s.X1, s.Y1, x1, y1)) throw TraceImpossible();
  Trace_Croix_Couleur(x1, y1, Couleur(0));
  pic.print(platform::Str(i), true);
  if (Courbe_Fermee)
    pic.circle(x1, y1, kRayonPolygone);
  else
    pic.circle(x1, y1, kRayonPolygone, platform::kUseForeColor, 0.7, 4.5, 0.5);
}

void Trace_Couleur(int i, int& fin) {
  fin = 0;
  if (i < 0 || i > kDerniereLigneTable) {
    fin = 1;
    return;
  }
  const Mesure& m = Ligne(i);
  const int n = std::clamp(NbCellules, 0, kDerniereCellule);
  for (int c = 1; c <= n; ++c) {
    const Segment& s = m.Seg(c);
    if (s.X1 == 0 && s.Y1 == 0) break;
    double x1 = 0, y1 = 0;
    if (!Point_Ecran(s.X1, s.Y1, x1, y1) || !Trace_Cadre_Zone(s.X1, s.Y1, Taille_Zone)) throw TraceImpossible();
    Imprime_Numero(x1, y1, i);
    g_zoneTracee = true;
  }
}
