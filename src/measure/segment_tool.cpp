#include "measure/segment_tool.h"

#include <cmath>
#include <exception>
#include <string>
#include <vector>

#include "base/globals.h"
#include "base/text_tables.h"
#include "forms/main_window.h"
#include "images/image_state.h"
#include "images/resolution.h"
#include "measure/dispatch.h"
#include "measure/drawing.h"
#include "measure/lengths.h"
#include "measure/live_display.h"
#include "measure/row_writers.h"
#include "measure/table_editing.h"
#include "platform/colour.h"
#include "platform/control.h"
#include "platform/dialogs.h"
#include "platform/runtime.h"

namespace {

constexpr double kPenteVerticale = 34000.0;
constexpr double kPenteMinimale = 0.001;
constexpr int kEtapeEpaisseur = 3;   // thickness step of spores in three dimensions

// The two variants that share the segment steps.
enum class Variante { Palmer, Bipoint };

bool boutonDroit(int Button) { return (Button & platform::kRightButton) != 0; }

void messageEtat(int n) { Qvl().StatusBar1.setSimpleText(MSG(n)); }

// Colour i of CouleursTrace as a palette colour (an index outside 0..2 throws).
platform::Colour couleurTrace(int i) { return platform::QBColor(CouleursTrace(i)); }

// The image holder takes a copy of the picture shown in Picture1.
void copiePicture(platform::ImageBox& vers) {
  QVL& f = Qvl();
  vers.setPicture(f.Picture1.image());
}

// Slope of the first segment and extent of the Palmer guide from segment s.
void regleGuide(const Segment& s) {
  const GuidePalmer g = Guide_Palmer(s.X2 - s.X1, s.Y2 - s.Y1, Largeur_Pic, Pente_Somme);
  Pente_Ref = g.pente;
  Pente_Somme = g.somme;
  Largeur_Pic2 = g.largeur;
}

// A press takes (X, Y) as the start point of a new segment. A release still to be
// swallowed belonged to a segment abandoned before this press: it is forgotten.
void nouveauDepart(int X, int Y) {
  Depart_X = X;
  Depart_Y = Y;
  Etat_Pt1 = true;
  Loupe_Pt = true;
  Etat_Pt2 = true;
  PGr_Etat = false;
}

void fermeSegment() {
  Etat_Pt1 = false;
  Loupe_Pt = false;
  Etat_Pt2 = false;
  Etat_Pt3 = false;
  PGr_Etat = false;
}

// Step 1 of a segment: the press that opens it.
void ouvreSegment(int X, int Y) {
  if (Etat_Pt1 || Etat_Pt3) return;
  nouveauDepart(X, Y);
  Trace_Croix_Couleur(X, Y, couleurTrace(0));
  copiePicture(Qvl().Image1);
}

// The end point of the segment released at (X, Y): the release point, or in "Palmer"
// after the first step the foot of the perpendicular from the start point onto the
// guide through the release point (kept in Pt_X, Pt_Y and Segments_Etape(etape)).
void pointFinal(Variante v, int etape, int X, int Y, double& xf, double& yf) {
  xf = X;
  yf = Y;
  if (v != Variante::Palmer || etape <= 1) return;
  const int p0x = platform::CInt(Depart_X), p0y = platform::CInt(Depart_Y);
  int fx = 0, fy = 0;
  if (!Pied_Palmer(p0x, p0y, X, Y, Pente_Ref, Pente_Somme, fx, fy))
    throw std::runtime_error("foot of the perpendicular out of range");
  Pt_X = fx;
  Pt_Y = fy;
  Segments_Etape(etape).X2 = fx;
  Segments_Etape(etape).Y2 = fy;
  xf = fx;
  yf = fy;
}

// Stores the finished segment of step `etape` and hands it to the row writer.
void termineSegment(Variante v, int& etape, double xf, double yf) {
  QVL& f = Qvl();
  const double x1 = Depart_X, y1 = Depart_Y;
  Range_Segment(etape, x1, y1, xf, yf);
  if (v == Variante::Palmer || !Loupe_Active) f.Picture1.line(x1, y1, xf, yf);
  if (etape == 1) regleGuide(Segments_Etape(1));
  NbSegments_Calib = Arrondi_Longueur(Longueur_Segment(x1, y1, xf, yf));
  const double valeur = Valeur_Calibree(NbSegments_Calib);
  f.label(9).setCaption(platform::Format(valeur, v == Variante::Bipoint ? "##0.0000" : Format_Decimal));
  copiePicture(f.ImageMem);
  Inscrit_Mesure_Rapports();
  fermeSegment();
  if (f.Affmesure.value() == 1)
    SegmentTextIncline(platform::Format(valeur, Format_Decimal), platform::CInt(x1), platform::CInt(y1),
                       1.0, platform::CInt(xf), platform::CInt(yf));
}

// Release of a segment of "Palmer" or "Bipoint".
void relache(Variante v, int& etape, int X, int Y, int Button) {
  if (!Etat_Pt1) return;
  if (Clic_Sur_Place(X, Y, Depart_X, Depart_Y, Tol_Clic)) {
    Etat_Pt3 = true;
    return;
  }
  if (PGr_Etat) {
    PGr_Etat = false;
    return;
  }
  // Density counting has a tool of its own; its events never end a segment here.
  if (v == Variante::Palmer && Mode_Densite) return;

  QVL& f = Qvl();
  Trace_Croix_Couleur(X, Y, couleurTrace(0));
  if (f.Affmesure.value() != 1) Imprime_Numero(Depart_X, Depart_Y, LigneCourante);

  double xf = 0, yf = 0;
  pointFinal(v, etape, X, Y, xf, yf);
  if (etape > 1 && Trace_Poly && (boutonDroit(Button) || Trace_Continu)) {
    // Width or thickness of a spore in three dimensions.
    if (Trace_Continu) {
      etape = kEtapeEpaisseur;
    } else {
      NbSegments_Calib = Arrondi_Longueur(Longueur_Segment(Depart_X, Depart_Y, xf, yf));
      Affiche_Pop3D();
    }
    if (v == Variante::Palmer && etape > 1) pointFinal(v, etape, X, Y, xf, yf);
  } else if (boutonDroit(Button)) {
    NbSegments_Calib = Arrondi_Longueur(Longueur_Segment(Depart_X, Depart_Y, xf, yf));
    Mode_Cumul = false;
    Affiche_PopEtalon();
    if (!Mode_Cumul) return;
  }
  termineSegment(v, etape, xf, yf);
}

void evenementSegment(Variante v, int& Etape, int X, int Y, int& Button, int& Kind) {
  messageEtat(163);
  if (Kind == 1)
    ouvreSegment(X, Y);
  else if (Kind == 0)
    relache(v, Etape, X, Y, Button);
}

void alerte(const std::string& code) { platform::MsgBox(MSG(101) + code); }

// The visible items of a pop-up menu (items 1 to last of the array), its choice
// handed to `clic`; returns the index chosen, 0 when none.
int affichePopup(const MenuArr& items, int derniere, void (*clic)(int)) {
  std::vector<std::string> captions;
  std::vector<int> indices;
  for (int i = 1; i <= derniere; ++i) {
    if (!items.exists(i) || !items(i).visible()) continue;
    captions.push_back((items(i).enabled() ? "" : "\x01") + items(i).caption());
    indices.push_back(items(i).enabled() ? i : 0);
  }
  if (captions.empty()) return 0;
  const int choix = platform::dialogs().popupMenu(captions);
  if (choix < 0 || choix >= static_cast<int>(indices.size())) return 0;
  const int index = indices[static_cast<std::size_t>(choix)];
  if (index > 0) clic(index);
  return index;
}

}  // namespace

// --- pure geometry ---------------------------------------------------------------------

GuidePalmer Guide_Palmer(double dx, double dy, int largeurPic, double sommeAvant) {
  GuidePalmer g;
  if (!std::isfinite(dx) || !std::isfinite(dy) || std::fabs(dx) <= 1) {
    g.pente = kPenteVerticale;
    g.somme = kPenteVerticale + 1 / kPenteVerticale;
    g.largeur = 0;
    return g;
  }
  g.pente = dy / dx;
  if (std::fabs(g.pente) >= kPenteMinimale) {
    g.somme = g.pente + 1 / g.pente;
    g.largeur = platform::CInt(largeurPic / std::sqrt(g.pente * g.pente + 1));
  } else {
    g.somme = sommeAvant;
    g.largeur = largeurPic;
  }
  return g;
}

bool Clic_Sur_Place(double x, double y, double x0, double y0, int tolerance) {
  const double d = std::fabs(x - x0) + std::fabs(y - y0);
  if (!std::isfinite(d)) return false;
  return d < tolerance;
}

Segment Segment_Poly(double x0, double y0, double xn, double yn, double longueur) {
  Segment s{x0, y0, x0, y0};
  if (!std::isfinite(longueur) || longueur <= 0) return s;
  const double dx = xn - x0, dy = yn - y0;
  const double corde = std::hypot(dx, dy);
  double ux = 0, uy = 1;
  if (corde > 0 && std::isfinite(corde)) {
    ux = dx / corde;
    uy = dy / corde;
  }
  s.X2 = x0 + longueur * ux;
  s.Y2 = y0 + longueur * uy;
  return s;
}

// --- the tool ----------------------------------------------------------------------------

void Range_Segment(int etape, double x1, double y1, double x2, double y2) {
  Segment s{x1, y1, x2, y2};
  Segments_Etape(etape) = s;
  if (LigneCourante < 0 || LigneCourante > kDerniereLigneTable) return;
  Segment img;
  if (!Point_Image(x1, y1, img.X1, img.Y1) || !Point_Image(x2, y2, img.X2, img.Y2))
    throw std::runtime_error("segment outside the picture units");
  // The first segment starts the row; the later ones add to it.
  Mesure& m = etape == 1 ? *Commence_Ligne_Table() : TabMesures(LigneCourante);
  m.Seg(etape) = img;
  m.ExpZoom = Expo_Zoom;
  m.NumImage = Index_Image;
}

void Mesure_Palmer(int& Etape, int X, int Y, int& Button, int& Kind) {
  try {
    evenementSegment(Variante::Palmer, Etape, X, Y, Button, Kind);
  } catch (const std::exception&) {
    alerte("102");
  }
}

void Mesure_Bipoint(int& Etape, int X, int Y, int& Button, int& Kind) {
  try {
    evenementSegment(Variante::Bipoint, Etape, X, Y, Button, Kind);
  } catch (const std::exception&) {
    RAZ_Mesure();
    RAZ_Compteurs_Points();
    alerte("101");
  }
}

namespace {

// A new vertex of the polyline at (X, Y): its edge drawn and its length added.
void ajouteSommet(int X, int Y) {
  QVL& f = Qvl();
  Longueur_Cumulee += std::hypot(static_cast<double>(X) - Pt_X, static_cast<double>(Y) - Pt_Y);
  Facteur_Resol = Facteur_Resolution();
  f.label(9).setCaption(platform::CStr(Longueur_Cumulee * Echelle_Longueur().factor()));
  f.Picture1.line(Pt_X, Pt_Y, X, Y);
  copiePicture(f.Image1);
  Pt_X = X;
  Pt_Y = Y;
}

void evenementPoly(int& Etape, int X, int Y, int Button, int Kind) {
  messageEtat(163);
  if (!Etat_Pt1) {
    if (Etat_Pt3 || Kind != 1) return;
    nouveauDepart(X, Y);
    Pt_X = X;
    Pt_Y = Y;
    Longueur_Cumulee = 0;
    Trace_Croix_Couleur(X, Y, couleurTrace(0));
    Ignore_Relache = true;
    return;
  }
  const bool loin = !Clic_Sur_Place(X, Y, Pt_X, Pt_Y, Tol_Clic);
  if (!boutonDroit(Button)) {
    if (!loin) {
      Etat_Pt3 = true;
      return;
    }
    if (PGr_Etat) {
      PGr_Etat = false;
      return;
    }
    ajouteSommet(X, Y);
    return;
  }
  Ignore_Relache = true;
  if (PGr_Etat) {
    PGr_Etat = false;
    return;
  }
  if (loin) ajouteSommet(X, Y);
  QVL& f = Qvl();
  const Segment s = Segment_Poly(Depart_X, Depart_Y, Pt_X, Pt_Y, Longueur_Cumulee);
  f.label(9).setCaption(platform::CStr(Longueur_Cumulee * Echelle_Longueur().factor()));
  Range_Segment(Etape, s.X1, s.Y1, s.X2, s.Y2);
  // The guide follows the straight segment whatever the variant.
  regleGuide(s);
  Inscrit_Mesure_Rapports();
  Longueur_Cumulee = 0;
  copiePicture(f.ImageMem);
  fermeSegment();
  Etat_Pt3 = true;
}

}  // namespace

void Mesure_Poly(int& Etape, int X, int Y, int& Button, int& Kind) {
  try {
    evenementPoly(Etape, X, Y, Button, Kind);
  } catch (const std::exception&) {
    platform::MsgBox(MSG(77));
  }
}

void Point_Illustration(int& /*Etape*/, int X, int Y, int& /*Button*/, int& Kind) {
  try {
    messageEtat(163);
    if (Kind == 1) {
      if (Etat_Pt1 || Etat_Pt3) return;
      nouveauDepart(X, Y);
    } else if (Kind == 0) {
      Etat_Pt1 = false;
      Loupe_Pt = false;
      Etat_Pt2 = false;
      Etat_Pt3 = false;
    }
  } catch (const std::exception&) {
    RAZ_Mesure();
    RAZ_Compteurs_Points();
    alerte("101");
  }
}

void PopOrg_Click(int Index) {
  switch (Index) {
    case 1:
    case 4:
      Mode_Cumul = true;
      break;
    case 5:
      RAZ_Mesure();
      RAZ_Compteurs_Points();
      break;
    default:
      break;
  }
}

void PopExt_Click(int Index) {
  // The thickness is the last step of a row: a step beyond it has no cell.
  if (Index == 2 && EtapeClic < NbCellules) EtapeClic += 1;
}

int Affiche_PopEtalon() { return affichePopup(Qvl().PopOrg, 5, PopOrg_Click); }

int Affiche_Pop3D() { return affichePopup(Qvl().PopExt, 2, PopExt_Click); }
