#include "measure/gill_estimate.h"

#include <cmath>

#include "base/geometry.h"
#include "platform/runtime.h"

namespace {

constexpr platform::Colour kRose = 0xFFC0FF;
constexpr platform::Colour kBleuClair = 0xFFFF80;
constexpr platform::Colour kVert = 0x00FF00;
constexpr double kEstimationMax = 32767;

}  // namespace

double Angle_Lame(double reference, double cx, double cy, double x, double y) {
  const double direction = Angle_Direction(static_cast<float>(x), static_cast<float>(y), static_cast<float>(cx),
                                           static_cast<float>(cy));
  const double a = direction + 360 - reference;
  if (!std::isfinite(a) || std::fabs(a) > 2e9) return 0;
  int n = platform::CLng(a) % 360;
  if (n < 0) n += 360;
  return n;
}

int Estimation_Lames(int nbLames, double angle) {
  if (angle == 0 || !std::isfinite(angle)) return 0;
  const double e = platform::Int((nbLames - 1) * 360.0 / std::fabs(angle)) + 1;
  if (!std::isfinite(e)) return 0;
  if (e > kEstimationMax) return static_cast<int>(kEstimationMax);
  return static_cast<int>(e);
}

double Reference_Lames(double a, double b, double c) {
  double somme = 0;
  int n = 0;
  for (double v : {a, b, c}) {
    if (v == 0 || !std::isfinite(v)) continue;
    somme += v;
    ++n;
  }
  return n == 0 ? 0 : somme / n;
}

AccordLames Accord_Lames(int estimation, double reference) {
  AccordLames a;
  if (reference == 0 || !std::isfinite(reference)) return a;
  a.ecart = std::fabs(estimation - reference) / reference;
  a.pourcentage = platform::Int((1 - a.ecart) * 100);
  return a;
}

platform::Colour Couleur_Accord(int nbLames, double ecart) {
  platform::Colour c = kRose;
  if (nbLames >= 3) {
    if (ecart < 0.1) c = kBleuClair;
    if (ecart < 0.01) c = kVert;
  }
  return c;
}
