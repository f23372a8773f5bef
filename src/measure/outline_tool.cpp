#include "measure/outline_tool.h"

#include <exception>

#include "base/globals.h"
#include "base/helpers.h"
#include "base/text_tables.h"
#include "forms/main_window.h"
#include "images/image_state.h"
#include "images/resolution.h"
#include "measure/drawing.h"
#include "measure/figures.h"
#include "measure/lengths.h"
#include "measure/measure_state.h"
#include "measure/surface_writers.h"
#include "measure/table_editing.h"
#include "platform/colour.h"
#include "platform/control.h"
#include "platform/runtime.h"

platform::BoundedArray<std::string, 1, 2> Liste_Sommets;

namespace {

constexpr int kMsgContour = 277;   // " Clic gauche sur points successifs, clic droit pour terminer"

platform::Colour couleurTrace(int i) { return platform::QBColor(CouleursTrace(i)); }

bool insereDimensions() { return Qvl().Affmesure.value() == 1; }

double arrondi(double v) { return Arrondi_Masque(v, Format_Decimal); }

void ajouteSommet(int X, int Y) {
  Liste_Sommets(1) += ";" + std::to_string(X);
  Liste_Sommets(2) += ";" + std::to_string(Y);
}

void videListes() {
  Liste_Sommets(1).clear();
  Liste_Sommets(2).clear();
}

Mesure* rangeeCourante() {
  if (LigneCourante < 0 || LigneCourante > kDerniereLigneTable) return nullptr;
  return &TabMesures(LigneCourante);
}

// The edge from the previous vertex (second end of Segments_Etape(1)) to (x, y), with
// its calibrated length along it when "insère dim" is ticked; (x, y) becomes the
// previous vertex.
void traceArete(double x, double y) {
  QVL& f = Qvl();
  Segment& precedent = Segments_Etape(1);
  const double x0 = precedent.X2, y0 = precedent.Y2;
  Segments_Etape(2).X2 = x;
  Segments_Etape(2).Y2 = y;
  f.Picture1.line(x0, y0, x, y, couleurTrace(0));
  if (insereDimensions()) {
    const double v = Valeur_Calibree(Arrondi_Longueur(Longueur_Segment(x0, y0, x, y)));
    SegmentTextIncline(platform::Format(v, Format_Decimal) + "  ", platform::CInt(x0), platform::CInt(y0), 1.0,
                       platform::CInt(x), platform::CInt(y));
  }
  precedent.X2 = x;
  precedent.Y2 = y;
}

// The right click: the values rounded, the row written, the outline flag of the row
// just closed, and the tool ready for the next outline.
void termineContour() {
  QVL& f = Qvl();
  ValMesure(1) = arrondi(ValMesure(1));
  ValMesure(2) = arrondi(ValMesure(2));
  if (ValMesure(1) != 0) {
    ValMesure(5) = arrondi(Facteur_Forme(ValMesure(1), ValMesure(2)));
  } else {
    ValMesure(5) = 0;
    ValMesure(6) = 0;
  }
  Inscrit_Mesure_Surface();
  Inscrit_Mesure_Grille();
  if (LignePrec >= 0 && LignePrec <= kDerniereLigneTable) TabMesures(LignePrec).Seg(2).X2 = Courbe_Fermee ? 1.0 : 0.0;
  NbPoints_Surface = 1;
  videListes();
  f.ImageMem.setPicture(f.Picture1.image());
}

void sommet(int X, int Y, bool droit) {
  QVL& f = Qvl();
  f.StatusBar1.setSimpleText(MSG(kMsgContour));
  if (NbPoints_Surface < 1) NbPoints_Surface = 1;
  // A right click before the first vertex has no outline to close.
  if (droit && NbPoints_Surface == 1) return;
  if (!droit) Trace_Croix_Couleur(X, Y, couleurTrace(0));
  // The first vertex starts the row.
  if (Mesure* m = NbPoints_Surface == 1 ? Commence_Ligne_Table() : rangeeCourante()) {
    m->ExpZoom = Expo_Zoom;
    m->NumImage = Index_Image;
  }
  for (int i : {1, 2, 3, 4, 6}) ValMesure(i) = 0;
  if (NbPoints_Surface == 1) {
    Depart_X = X;
    Depart_Y = Y;
    Imprime_Numero(X, Y, LigneCourante);
    ajouteSommet(X, Y);
    Segments_Etape(1).X2 = X;
    Segments_Etape(1).Y2 = Y;
    Segments_Etape(3).X2 = X;
    Segments_Etape(3).Y2 = Y;
  } else if (Courbe_Fermee && droit) {
    const int x = platform::CInt(Segments_Etape(3).X2), y = platform::CInt(Segments_Etape(3).Y2);
    ajouteSommet(x, y);
    Calcul_Polygone();
    traceArete(x, y);
  } else {
    ajouteSommet(X, Y);
    traceArete(X, Y);
  }
  NbPoints_Surface += 1;
  if (droit) termineContour();
}

}  // namespace

void Nouveau_Contour(int premier) {
  videListes();
  NbPoints_Surface = premier;
}

std::vector<double> Valeurs_Sommets(const std::string& liste) {
  std::vector<double> v;
  const std::vector<std::string> pieces = platform::Split(liste, ";");
  for (std::size_t i = 1; i < pieces.size(); ++i) v.push_back(Val_Decimal(pieces[i]));
  return v;
}

void Mesure_Polygone(int X, int Y, int& Button, int Kind) {
  if (Kind == 0) return;
  try {
    sommet(X, Y, (Button & platform::kRightButton) != 0);
  } catch (const std::exception&) {
  }
}

void Calcul_Polygone() {
  QVL& f = Qvl();
  Facteur_Resol = Facteur_Resolution();
  const Contour c =
      Mesure_Contour(Valeurs_Sommets(Liste_Sommets(1)), Valeurs_Sommets(Liste_Sommets(2)), Echelle_Longueur().factor());
  Mesure* m = rangeeCourante();
  double xi = 0, yi = 0;
  if (m && Point_Image(c.xMoyen, c.yMoyen, xi, yi)) {
    m->Seg(1).X1 = xi;
    m->Seg(1).Y1 = yi;
  }
  const std::string texte = "S= " + platform::Format(c.S, Format_Decimal) + " P=" + platform::Format(c.P, Format_Decimal);
  f.label(9).setCaption(texte);
  if (insereDimensions()) {
    Trace_Croix_Couleur(c.xMoyen, c.yMoyen, couleurTrace(1));
    Imprime_Lignes(c.xMoyen, c.yMoyen, texte);
  }
  ValMesure(1) = arrondi(c.S);
  ValMesure(2) = arrondi(c.P);
  if (c.S != 0) {
    ValMesure(3) = arrondi(Facteur_Forme(c.S, c.P));
    if (m) {
      m->Seg(2).X1 = c.S * 1000;
      m->Seg(2).Y1 = c.P * 1000;
    }
    ValMesure(6) = arrondi(Rayon_Moyen(c.S, c.P));
  } else {
    ValMesure(3) = 0;
    ValMesure(6) = 0;
  }
  videListes();
}
