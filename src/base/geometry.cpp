// Triangle area by Heron's formula in the cancellation-free arrangement of
// W. Kahan, "Miscalculating Area and Angles of a Needle-like Triangle" (2014):
// with sides a >= b >= c, area = sqrt((a+(b+c))(c-(a-b))(c+(a-b))(a+(b-c))) / 4.

#include "base/geometry.h"

#include <algorithm>
#include <cmath>
#include <numbers>

double LengthScale::factor() const {
  const double f = Calibrage * Facteur_Resol * K_Zoom / Ratio_Ecran;
  return std::isfinite(f) ? f : 0.0;
}

double Mesure_3_Points_Base(double x1, double y1, double x2, double y2, double x3, double y3,
                            const LengthScale& scale) {
  const double f = scale.factor();
  // Points on one line: Heron's product would only hold rounding noise.
  const double cross = (x2 - x1) * (y3 - y1) - (x3 - x1) * (y2 - y1);
  if (cross == 0.0) return 0.0;
  double s[3] = {f * std::hypot(x1 - x2, y1 - y2), f * std::hypot(x1 - x3, y1 - y3),
                 f * std::hypot(x2 - x3, y2 - y3)};
  for (double d : s)
    if (!std::isfinite(d)) return 0.0;
  std::sort(s, s + 3, [](double p, double q) { return p > q; });
  const double a = std::fabs(s[0]), b = std::fabs(s[1]), c = std::fabs(s[2]);
  const double product = (a + (b + c)) * (c - (a - b)) * (c + (a - b)) * (a + (b - c));
  if (!(product > 0.0) || !std::isfinite(product)) return 0.0;
  return std::sqrt(product) / 4.0;
}

double Mesure_3_Points(double surface, double x1, double y1, double x2, double y2, double x3,
                       double y3, const LengthScale& scale) {
  const double f = scale.factor();
  const double d12 = f * std::hypot(x1 - x2, y1 - y2);
  const double d13 = f * std::hypot(x1 - x3, y1 - y3);
  if (!std::isfinite(surface) || !std::isfinite(d12) || !std::isfinite(d13)) return 0.0;
  if (d12 == 0.0 || d13 == 0.0) return 0.0;
  const double sine = (surface * 2.0) / d12 / d13;
  const double dot = (x2 - x1) * (x3 - x1) + (y2 - y1) * (y3 - y1);
  const double cosine = f * f * dot / d12 / d13;
  if (!std::isfinite(sine) || !std::isfinite(cosine)) return 0.0;
  return std::atan2(sine, cosine);
}

int firstPixelShowing(const std::function<double(int)>& point, int estimate, double c) {
  constexpr int kPasMax = 64;
  auto montre = [&](int n) { return std::floor(imagePixels(point(n))) >= c; };
  int n = estimate;
  for (int pas = 0; pas < kPasMax && !montre(n); ++pas) ++n;
  for (int pas = 0; pas < kPasMax && montre(n - 1); ++pas) --n;
  return n;
}

float Angle_Direction(float x, float y, float x0, float y0) {
  const float dx = x - x0;
  const float dy = y - y0;
  if (!std::isfinite(dx) || !std::isfinite(dy)) return 0.0f;
  constexpr double pi = std::numbers::pi;
  double a;
  if (dx > 0) {
    a = std::atan(static_cast<double>(dy / dx));
    if (dy < 0) a += 2.0 * pi;
  } else if (dx < 0) {
    a = std::atan(static_cast<double>(dy / dx)) + pi;
  } else {
    a = dy >= 0 ? pi / 2.0 : 3.0 * pi / 2.0;
  }
  double d = std::floor(a * 180.0 / pi) + 270.0;
  if (d > 360.0) d -= 360.0;
  return static_cast<float>(d);
}
