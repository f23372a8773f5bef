#include "measure/lengths.h"

#include <cmath>

#include "images/image_state.h"
#include "images/resolution.h"
#include "platform/runtime.h"

double Facteur_Resol_Pour(bool independent, double widthPixels) {
  if (independent) return 1.0;
  if (!(widthPixels > 0) || !std::isfinite(widthPixels)) return 1.0;
  return widthPixels * 0.001;
}

double Longueur_Corrigee(double x1, double y1, double x2, double y2, double kZoom,
                         double ratioEcran, double facteurResol) {
  if (ratioEcran == 0) return 0.0;
  const double d = std::hypot(x1 - x2, y1 - y2);
  const double longueur = d * kZoom / ratioEcran * facteurResol;
  if (!std::isfinite(longueur)) return 0.0;
  return std::fabs(longueur);
}

std::int32_t Arrondi_Longueur(double longueur) { return platform::CInt(longueur); }

double Valeur_Calibree_Pour(double n, double calibrage) {
  const double v = n * calibrage;
  return std::isfinite(v) ? v : 0.0;
}

double Longueur_Segment(double x1, double y1, double x2, double y2) {
  Facteur_Resol = Facteur_Resolution();
  return Longueur_Corrigee(x1, y1, x2, y2, K_Zoom, Ratio_Ecran, Facteur_Resol);
}

double Valeur_Calibree(double n) { return Valeur_Calibree_Pour(n, Calibrage); }

LengthScale Echelle_Longueur() {
  LengthScale s;
  s.Calibrage = Calibrage;
  s.Facteur_Resol = Facteur_Resol;
  s.K_Zoom = K_Zoom;
  s.Ratio_Ecran = Ratio_Ecran;
  return s;
}
