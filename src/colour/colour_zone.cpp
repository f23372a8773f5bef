#include "colour/colour_zone.h"

#include <cmath>

#include "base/geometry.h"
#include "measure/trame_file.h"
#include "platform/runtime.h"

namespace {

double lineaire(double c) {
  const double u = c / 255.0;
  return (u > 0.04045 ? std::pow((u + 0.055) / 1.055, 2.4) : u / 12.92) * 100.0;
}

double f(double t) { return t > 0.008856 ? std::cbrt(t) : 7.787 * t + 16.0 / 116.0; }

float centiemes(double v) {
  const float stocke = static_cast<float>(v);
  return static_cast<float>(platform::Int(static_cast<double>(stocke) * 100.0 + 0.5) / 100.0);
}

}  // namespace

std::array<float, 3> RVB_Vers_Lab(double r, double v, double b) {
  const double rl = lineaire(r), gl = lineaire(v), bl = lineaire(b);
  const double X = 0.4124 * rl + 0.3576 * gl + 0.1805 * bl;
  const double Y = 0.2126 * rl + 0.7152 * gl + 0.0722 * bl;
  const double Z = 0.0193 * rl + 0.1192 * gl + 0.9505 * bl;
  const double fx = f(X / 94.811), fy = f(Y / 100.0), fz = f(Z / 107.304);
  return {centiemes(116.0 * fy - 16.0), centiemes(500.0 * (fx - fy)),
          centiemes(200.0 * (fy - fz))};
}

double Deux_Decimales(double m) { return platform::Int(m * 100.0 + 0.05) / 100.0; }

MesureZone Mesure_Zone(const LecteurPixel& pixel, int largeur, int hauteur, double xp,
                       double yp, int t) {
  MesureZone z;
  if (!std::isfinite(xp) || !std::isfinite(yp) || t < 0) return z;
  const double cx = std::floor(imagePixels(xp)), cy = std::floor(imagePixels(yp));
  if (cx - t < 1 || cy - t < 1 || cx + t > largeur - 1.0 || cy + t > hauteur - 1.0) return z;
  z.prise = true;
  z.X = static_cast<int>(cx);
  z.Y = static_cast<int>(cy);
  double m[3] = {0, 0, 0};
  for (int j = z.Y - t; j <= z.Y + t; ++j) {
    for (int i = z.X - t; i <= z.X + t; ++i) {
      const std::uint32_t c = pixel(i, j) & 0xFFFFFFu;
      if (c == 0) continue;
      ++z.n;
      const double canaux[3] = {static_cast<double>(c & 0xFF), static_cast<double>((c >> 8) & 0xFF),
                                static_cast<double>((c >> 16) & 0xFF)};
      for (int k = 0; k < 3; ++k) m[k] = ((z.n - 1) * m[k] + canaux[k]) / z.n;
    }
  }
  for (int k = 0; k < 3; ++k) z.rvb[k] = static_cast<float>(Deux_Decimales(m[k]));
  return z;
}

std::string Texte_Couleur(float v) { return platform::LTrim(Texte_Reel_Simple(v)); }
