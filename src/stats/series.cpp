// Mean, variance, covariance and regression in two passes: the means first, then the
// sums of products of deviations from them, so that a variance is never negative and
// values far from zero keep their spread (Chan, Golub and LeVeque 1983).
#include "stats/series.h"

#include <algorithm>
#include <cmath>

#include "base/text_tables.h"
#include "stats/notices.h"

namespace stats {

namespace {

// Sum of (x - mx)(y - my) over the pairs.
double centredProducts(std::span<const double> x, double mx, std::span<const double> y, double my) {
  double s = 0;
  for (std::size_t k = 0; k < x.size(); ++k) s += (x[k] - mx) * (y[k] - my);
  return s;
}

void show(int message) { Show_Stat_Message(MSG(message)); }

}  // namespace

double Moyenne(std::span<const double> x) {
  if (x.empty()) return 0;
  double s = 0;
  for (double v : x) s += v;
  return s / static_cast<double>(x.size());
}

double Variance_Estimee(std::span<const double> x) {
  if (x.size() < 2) return 0;
  const double m = Moyenne(x);
  double s1 = 0, s2 = 0;
  for (double v : x) {
    s1 += v - m;
    s2 += (v - m) * (v - m);
  }
  const double n = static_cast<double>(x.size());
  return std::max(0.0, (s2 - s1 * s1 / n) / (n - 1));
}

double Ecart_Type(std::span<const double> x) { return std::sqrt(Variance_Estimee(x)); }

CovarianceResult Covariance_Correlation(std::span<const double> x, std::span<const double> y) {
  CovarianceResult r;
  if (x.size() != y.size()) {
    show(233);
    r.correlation = kNoCorrelation;
    r.message = 233;
    return r;
  }
  const double n = static_cast<double>(x.size());
  const double P = centredProducts(x, Moyenne(x), y, Moyenne(y));
  if (n > 0) r.covariance = P / n;
  const double sx = Ecart_Type(x), sy = Ecart_Type(y);
  if (sx != 0 && sy != 0) {
    r.correlation = P / ((n - 1) * sx * sy);
    return r;
  }
  show(234);
  r.correlation = kNoCorrelation;
  r.message = 234;
  return r;
}

RegressionLine Droite_Regression(std::span<const double> x, std::span<const double> y) {
  RegressionLine r;
  if (x.size() != y.size()) {
    show(233);
    r.message = 233;
    return r;
  }
  const double n = static_cast<double>(x.size());
  const double mx = Moyenne(x), my = Moyenne(y);
  double sxx = 0;
  for (double v : x) sxx += v * v;
  const double cxx = centredProducts(x, mx, x, mx);
  // D = (sum x)^2 - n sum x^2 = -n sum (x - mx)^2; below 1e-12 n sum x^2 it is rounding.
  const double D = -n * cxx;
  if (!(std::fabs(D) > 1e-12 * n * sxx)) {
    show(235);
    r.message = 235;
    return r;
  }
  r.slope = centredProducts(x, mx, y, my) / cxx;
  r.intercept = my - r.slope * mx;
  return r;
}

}  // namespace stats
