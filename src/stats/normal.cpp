// Normal distribution function: the Taylor series of the integral of the density
// below |x| = 1.5, Laplace's continued fraction for Mills' ratio in its even
// contraction above (Abramowitz and Stegun 26.2.14), exact limits beyond |x| = 40.
// Inverse: Wichura (1988), algorithm AS 241, the 16-digit variant PPND16.
#include "stats/normal.h"

#include <cmath>

#include "stats/notices.h"
#include "stats/log_gamma.h"

namespace stats {

namespace {

constexpr double kLogSqrt2Pi = 0.9189385332046728;  // log(sqrt(2 pi))

// Guard for the loops: the series needs some 30 passes, the continued fraction a few
// hundred at |x| = 1.5.
constexpr int kMaxPasses = 100000;

// Integral of the density from 0 to x divided by the density: x + x^3/3 + x^5/15 + ...
double seriesRatio(double x) {
  const double z = x * x;
  double s = 0, term = 1, k = 3;
  for (int pass = 0; pass < kMaxPasses; ++pass) {
    k += 2;
    term *= z / k;
    s += term;
    if (!(s * 5e-16 < term)) break;
  }
  return x * (1 + z * (s + 1) / 3);
}

// Mills' ratio denominator (z + 1) - a1 / b1 of the contracted continued fraction, so
// that the upper tail is density x |x| / that.
double millsDenominator(double z) {
  double a2 = 2, b2 = z + 5;
  double c = z + 9;
  double a1 = 2 * c, b1 = c * b2 - 12;
  double k = 5;
  c += 4;
  for (int pass = 0; pass < kMaxPasses && std::fabs(a1 * b2 - a2 * b1) > std::fabs(1e-15 * b2 * a1);
       ++pass) {
    double m = (k + 1) * k;
    a2 = a1 * c - a2 * m;
    b2 = c * b1 - m * b2;
    k += 2;
    c += 4;
    m = (k + 1) * k;
    a1 = a2 * c - a1 * m;
    b1 = c * b2 - m * b1;
    k += 2;
    c += 4;
    if (b1 > kScaleUp) {
      a2 *= kScaleDown;
      b2 *= kScaleDown;
      a1 *= kScaleDown;
      b1 *= kScaleDown;
    }
  }
  return (z + 1) - a1 / b1;
}

// Polynomial of degree 7 with coefficients c[0] + c[1] r + ... by Horner's rule.
double poly7(const double (&c)[8], double r) {
  double v = c[7];
  for (int k = 6; k >= 0; --k) v = v * r + c[k];
  return v;
}

}  // namespace

std::optional<NormalPoint> Loi_Normale(double x) {
  if (std::isnan(x)) return std::nullopt;
  if (std::fabs(x) > 40) return NormalPoint{x > 0 ? 1.0 : 0.0, 0.0};
  const double phi = std::exp(-x * x / 2 - kLogSqrt2Pi);
  if (std::fabs(x) < 1.5) return NormalPoint{0.5 + phi * seriesRatio(x), phi};
  const double r = phi * std::fabs(x) / millsDenominator(x * x);
  return NormalPoint{x > 0 ? 1 - r : r, phi};
}

double Normale_Inverse(double p) {
  static constexpr double a[8] = {3.3871328727963666080e0, 1.3314166789178437745e+2,
                                  1.9715909503065514427e+3, 1.3731693765509461125e+4,
                                  4.5921953931549871457e+4, 6.7265770927008700853e+4,
                                  3.3430575583588128105e+4, 2.5090809287301226727e+3};
  static constexpr double b[8] = {1.0, 4.2313330701600911252e+1, 6.8718700749205790830e+2,
                                  5.3941960214247511077e+3, 2.1213794301586595867e+4,
                                  3.9307895800092710610e+4, 2.8729085735721942674e+4,
                                  5.2264952788528545610e+3};
  static constexpr double c[8] = {1.42343711074968357734e0, 4.63033784615654529590e0,
                                  5.76949722146069140550e0, 3.64784832476320460504e0,
                                  1.27045825245236838258e0, 2.41780725177450611770e-1,
                                  2.27238449892691845833e-2, 7.74545014278341407640e-4};
  static constexpr double d[8] = {1.0, 2.05319162663775882187e0, 1.67638483018380384940e0,
                                  6.89767334985100004550e-1, 1.48103976427480074590e-1,
                                  1.51986665636164571966e-2, 5.47593808499534494600e-4,
                                  1.05075007164441684324e-9};
  static constexpr double e[8] = {6.65790464350110377720e0, 5.46378491116411436990e0,
                                  1.78482653991729133580e0, 2.96560571828504891230e-1,
                                  2.65321895265761230930e-2, 1.24266094738807843860e-3,
                                  2.71155556874348757815e-5, 2.01033439929228813265e-7};
  static constexpr double f[8] = {1.0, 5.99832206555887937690e-1, 1.36929880922735805310e-1,
                                  1.48753612908506148525e-2, 7.86869131145613259100e-4,
                                  1.84631831751005468180e-5, 1.42151175831644588870e-7,
                                  2.04426310338993978564e-15};
  if (!(p > 0 && p < 1)) {
    Show_Stat_Message(kAlerteCLNI);
    return 0;
  }
  const double q = p - 0.5;
  if (std::fabs(q) <= 0.425) {
    const double r = 0.180625 - q * q;
    return q * poly7(a, r) / poly7(b, r);
  }
  double r = std::sqrt(-std::log(q < 0 ? p : 1 - p));
  double z;
  if (r <= 5) {
    r -= 1.6;
    z = poly7(c, r) / poly7(d, r);
  } else {
    r -= 5;
    z = poly7(e, r) / poly7(f, r);
  }
  return q < 0 ? -z : z;
}

}  // namespace stats
