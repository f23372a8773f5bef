#include "colour/colour_difference.h"

#include <cmath>

#include "platform/runtime.h"

namespace {

constexpr double kPi = 3.14159;

double rad(double degres) { return degres * kPi / 180.0; }
double sind(double degres) { return std::sin(rad(degres)); }
double cosd(double degres) { return std::cos(rad(degres)); }
double carre(double x) { return x * x; }
double puissance7(double x) { return std::pow(x, 7.0); }

// Chroma, hue angle and the hue difference Delta H of two colours (CIE94 and CMC).
struct Teintes {
  double C1, C2, h1, dC, dH;
};

Teintes teintes(const Couleur3& lab1, const Couleur3& lab2) {
  Teintes t{};
  t.C1 = std::hypot(lab1[1], lab1[2]);
  t.C2 = std::hypot(lab2[1], lab2[2]);
  t.h1 = Angle_Teinte(lab1[1], lab1[2]);
  double dh = std::fabs(t.h1 - Angle_Teinte(lab2[1], lab2[2]));
  if (dh > 180.0) dh = 360.0 - dh;
  t.dC = std::fabs(t.C1 - t.C2);
  t.dH = 2.0 * std::sqrt(t.C1 * t.C2) * sind(dh / 2.0);
  return t;
}

}  // namespace

double Angle_Teinte(double a, double b) {
  if (a == 0.0 && b == 0.0) return 0.0;
  double h = std::atan2(b, a) * 180.0 / kPi;
  if (h < 0.0) h += 360.0;
  if (h >= 360.0) h -= 360.0;
  return h;
}

double Ecart_Quadratique(const Couleur3& c1, const Couleur3& c2) {
  return std::sqrt((carre(c1[0] - c2[0]) + carre(c1[1] - c2[1]) + carre(c1[2] - c2[2])) / 3.0);
}

double Delta_E76(const Couleur3& lab1, const Couleur3& lab2) {
  return std::sqrt(carre(lab1[0] - lab2[0]) + carre(lab1[1] - lab2[1]) + carre(lab1[2] - lab2[2]));
}

double Delta_E94(const Couleur3& lab1, const Couleur3& lab2) {
  const Teintes t = teintes(lab1, lab2);
  const double SC = 1.0 + 0.045 * t.C1;
  const double SH = 1.0 + 0.015 * t.C1;
  return std::sqrt(carre(lab1[0] - lab2[0]) + carre(t.dC / SC) + carre(t.dH / SH));
}

double Delta_ECMC(const Couleur3& lab1, const Couleur3& lab2) {
  const Teintes t = teintes(lab1, lab2);
  const double L1 = lab1[0];
  const double SL = L1 < 16.0 ? 0.511 : 0.040975 * L1 / (1.0 + 0.01765 * L1);
  const double SC = 0.0638 * t.C1 / (1.0 + 0.0131 * t.C1) + 0.638;
  const double C4 = carre(carre(t.C1));
  const double F = std::sqrt(C4 / (C4 + 1900.0));
  const double T = (t.h1 >= 164.0 && t.h1 <= 345.0) ? 0.56 + std::fabs(0.2 * cosd(t.h1 + 168.0))
                                                   : 0.36 + std::fabs(0.4 * cosd(t.h1 + 35.0));
  const double SH = SC * (F * T + 1.0 - F);
  return std::sqrt(carre((L1 - lab2[0]) / SL) + carre(t.dC / SC) + carre(t.dH / SH));
}

double Delta_E2000(const Couleur3& lab1, const Couleur3& lab2) {
  const double L1 = lab1[0], a1 = lab1[1], b1 = lab1[2];
  const double L2 = lab2[0], a2 = lab2[1], b2 = lab2[2];
  const double Cm = (std::hypot(a1, b1) + std::hypot(a2, b2)) / 2.0;
  const double G = 0.5 * (1.0 - std::sqrt(puissance7(Cm) / (puissance7(Cm) + puissance7(25.0))));
  const double a1p = (1.0 + G) * a1, a2p = (1.0 + G) * a2;
  const double C1p = std::hypot(a1p, b1), C2p = std::hypot(a2p, b2);
  const double h1p = Angle_Teinte(a1p, b1), h2p = Angle_Teinte(a2p, b2);
  const bool neutre = C1p * C2p == 0.0;

  const double dLp = L2 - L1;
  const double dCp = C2p - C1p;
  double dhp = h2p - h1p;
  if (dhp < -180.0) dhp += 360.0;
  else if (dhp > 180.0) dhp -= 360.0;
  if (neutre) dhp = 0.0;
  const double dHp = 2.0 * std::sqrt(C1p * C2p) * sind(dhp / 2.0);

  const double Lmp = (L1 + L2) / 2.0;
  const double Cmp = (C1p + C2p) / 2.0;
  double Hmp;
  if (neutre) Hmp = h1p + h2p;
  else if (std::fabs(h1p - h2p) <= 180.0) Hmp = (h1p + h2p) / 2.0;
  else if (h1p + h2p < 360.0) Hmp = (h1p + h2p + 360.0) / 2.0;
  else Hmp = (h1p + h2p - 360.0) / 2.0;

  const double T = 1.0 - 0.17 * cosd(Hmp - 30.0) + 0.24 * cosd(2.0 * Hmp) +
                   0.32 * cosd(3.0 * Hmp + 6.0) - 0.20 * cosd(4.0 * Hmp - 63.0);
  const double dTheta = 30.0 * std::exp(-carre((Hmp - 275.0) / 25.0));
  const double RC = 2.0 * std::sqrt(puissance7(Cmp) / (puissance7(Cmp) + puissance7(25.0)));
  const double RT = -sind(2.0 * dTheta) * RC;
  const double SL = 1.0 + 0.015 * carre(Lmp - 50.0) / std::sqrt(20.0 + carre(Lmp - 50.0));
  const double SC = 1.0 + 0.045 * Cmp;
  const double SH = 1.0 + 0.015 * Cmp * T;
  const double tL = dLp / SL, tC = dCp / SC, tH = dHp / SH;
  return std::sqrt(tL * tL + tC * tC + tH * tH + RT * tC * tH);
}

Couleur3 Chromaticite(const Couleur3& rvb, bool parCanal) {
  double s = 0;
  if (parCanal) {
    for (double c : rvb) s = platform::CInt(s + c);
  } else {
    s = platform::CInt(rvb[0] + rvb[1] + rvb[2]);
  }
  if (s == 0.0) return {1.0 / 3.0, 1.0 / 3.0, 1.0 / 3.0};
  return {rvb[0] / s, rvb[1] / s, rvb[2] / s};
}
