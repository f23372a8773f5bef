// Outline area by the shoelace formula: S = |sum (x_i y_(i+1) - x_(i+1) y_i)| / 2 over
// consecutive vertices of the listed path.

#include "measure/figures.h"

#include <algorithm>
#include <cmath>

#include "base/helpers.h"
#include "measure/lengths.h"
#include "platform/runtime.h"

namespace {

constexpr double kPiEllipse = 3.1416;      // constant of the density ellipse's area
constexpr double kQuatrePi = 12.5664;      // 4 pi of the shape factor
constexpr double kDegresParRadian = 180.0 / 3.14159;

double fini(double v) { return std::isfinite(v) ? v : 0.0; }

}  // namespace

double Arrondi_Masque(double v, const std::string& masque) {
  return Val_Decimal(platform::Format(v, masque));
}

bool Ellipse_Densite(double x0, double y0, double x, double y, EllipseDensite& e) {
  const double dx = x - x0, dy = y - y0;
  if (dx == 0 || !std::isfinite(dx) || !std::isfinite(dy)) return false;
  const double r = std::hypot(dx, dy), k = std::fabs(dy / dx);
  if (!std::isfinite(r) || !std::isfinite(k)) return false;
  e.r = r;
  e.k = k;
  return true;
}

bool Surface_Ellipse(double x0, double y0, double x, double y, double& surface) {
  EllipseDensite e;
  if (!Ellipse_Densite(x0, y0, x, y, e)) return false;
  const double dx = x - x0, dy = y - y0;
  const double s = platform::Int((dx * dx + dy * dy) * e.k * kPiEllipse);
  if (!std::isfinite(s)) return false;
  surface = s;
  return true;
}

double Surface_Rectangle(double x0, double y0, double x, double y) {
  return fini(std::fabs((y0 - y) * (x0 - x)));
}

Contour Mesure_Contour(const std::vector<double>& xs, const std::vector<double>& ys, double L) {
  Contour c;
  const std::size_t n = std::min(xs.size(), ys.size());
  if (n == 0) return c;
  double sx = 0, sy = 0, p = 0, aire = 0;
  for (std::size_t i = 0; i < n; ++i) {
    sx += xs[i];
    sy += ys[i];
    if (i + 1 < n) {
      p += std::hypot(xs[i + 1] - xs[i], ys[i + 1] - ys[i]);
      aire += xs[i] * ys[i + 1] - xs[i + 1] * ys[i];
    }
  }
  const bool allerRetour = n == 2 || (n == 3 && xs[2] == xs[0] && ys[2] == ys[0]);
  if (allerRetour) p /= 2;
  c.xMoyen = fini(sx / static_cast<double>(n));
  c.yMoyen = fini(sy / static_cast<double>(n));
  c.P = fini(p * L);
  c.S = fini(std::fabs(aire / 2) * L * L);
  return c;
}

double Facteur_Forme(double S, double P) {
  if (S == 0) return 0;
  return fini(P * P / S / kQuatrePi - 1);
}

double Rayon_Moyen(double S, double P) {
  if (P == 0) return 0;
  return fini(2 * S / P);
}

Triangle Mesure_Triangle(double x0, double y0, double x1, double y1, double x2, double y2,
                         const LengthScale& scale) {
  Triangle t;
  t.S = Mesure_3_Points_Base(x0, y0, x1, y1, x2, y2, scale);
  t.angle = fini(Mesure_3_Points(t.S, x0, y0, x1, y1, x2, y2, scale) * kDegresParRadian);
  auto cote = [&](double xa, double ya, double xb, double yb) {
    const double d = Longueur_Corrigee(xa, ya, xb, yb, scale.K_Zoom, scale.Ratio_Ecran, scale.Facteur_Resol);
    return Valeur_Calibree_Pour(Arrondi_Longueur(d), scale.Calibrage);
  };
  t.perimetre = cote(x0, y0, x1, y1) + cote(x0, y0, x2, y2) + cote(x2, y2, x1, y1);
  return t;
}
