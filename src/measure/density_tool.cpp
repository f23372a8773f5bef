#include "measure/density_tool.h"

#include <exception>
#include <limits>

#include "base/globals.h"
#include "base/text_tables.h"
#include "forms/main_window.h"
#include "images/image_state.h"
#include "images/resolution.h"
#include "measure/drawing.h"
#include "measure/figures.h"
#include "measure/lengths.h"
#include "measure/measure_state.h"
#include "measure/row_writers.h"
#include "measure/segment_tool.h"
#include "platform/colour.h"
#include "platform/dialogs.h"
#include "platform/runtime.h"

namespace {

constexpr int kEllipse = 13;
constexpr int kRectangle = 14;
constexpr int kSansGrille = 21;   // a code without a grid template: nothing is refused

platform::Colour couleurTrace(int i) { return platform::QBColor(CouleursTrace(i)); }

void ouvreFigure(int X, int Y) {
  if (Etat_Pt1 || Etat_Pt3) return;
  QVL& f = Qvl();
  Etat_Pt1 = true;
  Loupe_Pt = true;
  Etat_Pt2 = true;
  PGr_Etat = false;
  Trace_Croix_Couleur(X, Y, couleurTrace(1));
  Depart_X = X;
  Depart_Y = Y;
  f.Image1.setPicture(f.Picture1.image());
}

void fermeFigure() {
  Etat_Pt1 = false;
  Loupe_Pt = false;
  Etat_Pt2 = false;
  Etat_Pt3 = false;
  PGr_Etat = false;
}

// The release that ends the figure at (X, Y).
void termineFigure(int& Etape, int X, int Y) {
  QVL& f = Qvl();
  platform::PictureBox& pic = f.Picture1;
  const platform::Picture fond = f.Image1.picture();
  if (!fond.isNull()) pic.setPicture(fond);
  double surface = 0;
  const bool figure = Trace_Figure_Densite(X, Y, surface);
  // An ellipse released straight above or below its centre has no aspect: it stays open.
  if (FonctionCourante == kEllipse && !figure) return;
  Range_Segment(Etape, Depart_X, Depart_Y, X, Y);
  if (FonctionCourante == kEllipse) {
    Imprime_Numero(X, Y, LigneCourante);
  } else if (FonctionCourante == kRectangle) {
    Trace_Croix_Couleur(X, Y, couleurTrace(1));
    Imprime_Numero(X, Y, LigneCourante);
    pic.setForeColor(couleurTrace(0));
  }
  if (surface == 0 && FonctionCourante != kSansGrille) {
    platform::MsgBox(MSG(216));
    return;
  }
  Facteur_Resol = Facteur_Resolution();
  const double facteur = Echelle_Longueur().factor();
  surface *= facteur * facteur;
  f.label(9).setCaption("S= " + platform::Format(surface, Format_Decimal));
  ValMesure(1) = surface;
  f.ImageMem.setPicture(pic.image());
  f.Image1.setPicture(pic.image());
  f.Image2.setPicture(pic.image());
  Inscrit_Mesure_Rapports();
  EtapeClic = 2;
  Etape = EtapeClic;
  fermeFigure();
}

}  // namespace

bool Trace_Figure_Densite(int X, int Y, double& surface) {
  platform::PictureBox& pic = Qvl().Picture1;
  if (FonctionCourante == kEllipse) {
    EllipseDensite e;
    if (!Ellipse_Densite(Depart_X, Depart_Y, X, Y, e) || !Surface_Ellipse(Depart_X, Depart_Y, X, Y, surface))
      return false;
    const double sansAngle = std::numeric_limits<double>::quiet_NaN();
    pic.circle(Depart_X, Depart_Y, e.rayonCercle(), platform::kUseForeColor, sansAngle, sansAngle, e.k);
    return true;
  }
  if (FonctionCourante == kRectangle) {
    pic.line(X, Y, Depart_X, Depart_Y, platform::kUseForeColor, true);
    surface = Surface_Rectangle(Depart_X, Depart_Y, X, Y);
    return true;
  }
  return false;
}

void Mesure_Densite(int& Etape, int X, int Y, int& /*Button*/, int Kind) {
  try {
    if (Kind == 1) {
      ouvreFigure(X, Y);
      return;
    }
    if (!Etat_Pt1) return;
    if (Clic_Sur_Place(X, Y, Depart_X, Depart_Y, Tol_Clic)) {
      Etat_Pt3 = true;
      return;
    }
    termineFigure(Etape, X, Y);
  } catch (const std::exception&) {
  }
}
