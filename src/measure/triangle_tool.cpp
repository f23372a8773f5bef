#include "measure/triangle_tool.h"

#include <exception>

#include "base/globals.h"
#include "forms/main_window.h"
#include "images/image_state.h"
#include "images/resolution.h"
#include "measure/drawing.h"
#include "measure/figures.h"
#include "measure/lengths.h"
#include "measure/measure_state.h"
#include "measure/surface_writers.h"
#include "platform/colour.h"
#include "platform/control.h"
#include "platform/runtime.h"

namespace {

platform::Colour couleurTrace(int i) { return platform::QBColor(CouleursTrace(i)); }

// The triangle of the vertex and the two points of Segments_Etape(1) and (2): its
// values shown, rounded to the mask into ValMesure(1) to (3), and the row written.
void termineTriangle() {
  QVL& f = Qvl();
  const Segment& a = Segments_Etape(1);
  const Segment& b = Segments_Etape(2);
  Facteur_Resol = Facteur_Resolution();
  const Triangle t = Mesure_Triangle(Depart_X, Depart_Y, a.X2, a.Y2, b.X2, b.Y2, Echelle_Longueur());
  f.label(9).setCaption("S=" + platform::Format(t.S, Format_Decimal) + " Deg =" +
                        platform::Format(t.angle, Format_Decimal));
  ValMesure(1) = Arrondi_Masque(t.S, Format_Decimal);
  ValMesure(2) = Arrondi_Masque(t.angle, Format_Decimal);
  ValMesure(3) = Arrondi_Masque(t.perimetre, Format_Decimal);
  Inscrit_Mesure_Surface();
  Inscrit_Mesure_Grille();
  f.ImageMem.setPicture(f.Picture1.image());
}

void pointTriangle(int X, int Y) {
  QVL& f = Qvl();
  platform::PictureBox& pic = f.Picture1;
  Trace_Croix_Couleur(X, Y, couleurTrace(0));
  if (NbPoints_Surface < 1 || NbPoints_Surface > 2) {
    NbPoints_Surface = 0;
    pic.print(platform::Str(LigneCourante), true);
    ValMesure(3) = 0;
    Depart_X = X;
    Depart_Y = Y;
  } else {
    const int k = NbPoints_Surface;
    Segments_Etape(k) = Segment{Depart_X, Depart_Y, static_cast<double>(X), static_cast<double>(Y)};
    pic.setForeColor(couleurTrace(1));
    pic.line(Depart_X, Depart_Y, X, Y);
    if (k == 2) {
      pic.setForeColor(couleurTrace(0));
      pic.line(Segments_Etape(1).X2, Segments_Etape(1).Y2, X, Y);
    }
  }
  NbPoints_Surface += 1;
  if (NbPoints_Surface < 3) return;
  NbPoints_Surface = 0;
  termineTriangle();
}

}  // namespace

void Mesure_Surface(int X, int Y, int& Button, int Kind) {
  if (Kind == 0 || (Button & platform::kLeftButton) == 0) return;
  try {
    pointTriangle(X, Y);
  } catch (const std::exception&) {
  }
}
