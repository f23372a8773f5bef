// Special functions of the Student law and the incomplete beta ratio. log(1 + x),
// log(1 + x) - x and log Gamma(1 + a) go through the logarithmic continued fraction and
// the zeta series of log Gamma, after Welinder's accurate gamma-tail routines (2005);
// the Stirling error E(x) of (x + 1)! and its differences follow Loader (2000), "Fast
// and accurate computation of binomial probabilities", with the Stirling series for
// large arguments and the exact step difference E(x) - E(x + 1) below 6. exp(x) - 1 is
// the Gauss continued fraction of tanh(x / 2) in convergent form.
#include "stats/log_gamma.h"

#include <cmath>

namespace stats {

namespace {

// Every convergent loop below stops long before this; it only rules out a hang on an
// argument outside the domain.
constexpr int kMaxPasses = 100000;

constexpr double kEulerGamma = 0.5772156649015329;

// The Stirling-series constant of the last term, as the series is stored.
constexpr double kStirlingK = 1.67699982016711;

// E(0) to E(5), computed with mpmath at 50 digits and rounded to double.
constexpr double kStirlingTable[6] = {
    0.08106146679532726, 0.0413406959554093,   0.02767792568499834,
    0.020790672103765093, 0.016644691189821193, 0.013876128823070748,
};

// (zeta(k + 2) - 1) / (k + 2) for k = 0 to 40: mpmath 1.2 at 50 digits,
// (mp.zeta(k + 2) - 1) / (k + 2) printed with Python's repr of the rounded double.
constexpr double kLgammaCoef[41] = {
    0.3224670334241132,     0.0673523010531981,     0.020580808427784546,
    0.007385551028673986,   0.0028905103307415234,  0.001192753911703261,
    0.0005096695247430425,  0.00022315475845357939, 9.945751278180853e-05,
    4.492623673813314e-05,  2.050721277567069e-05,  9.439488275268397e-06,
    4.374866789907488e-06,  2.039215753801366e-06,  9.55141213040742e-07,
    4.492469198764566e-07,  2.1207184805554665e-07, 1.0043224823968099e-07,
    4.7698101693639804e-08, 2.2711094608943164e-08, 1.0838659214896955e-08,
    5.183475041970047e-09,  2.4836745438024785e-09, 1.1921401405860912e-09,
    5.731367241678862e-10,  2.7595228851242334e-10, 1.330476437424449e-10,
    6.4229645638381e-11,    3.1044247747322276e-11, 1.5021384080754142e-11,
    7.275974480239079e-12,  3.527742476575915e-12,  1.711991790559618e-12,
    8.315385841420285e-13,  4.04220052528944e-13,   1.9664756310966165e-13,
    9.573630387838556e-14,  4.6640760264283744e-14, 2.2737369600659724e-14,
    1.1091399470834522e-14, 5.413659156725363e-15,
};

// Sums f over x, x + 1, ... while below 6 and adds g at the first argument reaching 6:
// the way E and its derivatives climb to the range of their series.
template <class Step, class Tail>
double climbToSix(double x, Step f, Tail g) {
  double s = 0;
  while (x < 6) {
    s += f(x);
    x += 1;
  }
  return s + g(x);
}

}  // namespace

double Log_Fraction_Continue(double x, double i, double d) {
  double c1 = 2 * d;
  double c2 = i + d;
  double c4 = c2 + d;
  double a1 = c2;
  double b1 = i * (c2 - i * x);
  double b2 = d * d * x;
  double a2 = c4 * c2 - b2;
  b2 = c4 * b1 - i * b2;
  for (int pass = 0; pass < kMaxPasses && std::fabs(a2 * b1 - a1 * b2) > std::fabs(1e-15 * b1 * a2);
       ++pass) {
    double c3 = c2 * c2 * x;
    c2 += d;
    c4 += d;
    a1 = c4 * a2 - c3 * a1;
    b1 = c4 * b2 - c3 * b1;
    c3 = c1 * c1 * x;
    c1 += d;
    c4 += d;
    a2 = c4 * a1 - c3 * a2;
    b2 = c4 * b1 - c3 * b2;
    double scale = 1;
    if (std::fabs(b2) > kScaleUp) scale = kScaleDown;
    else if (std::fabs(b2) < kScaleDown) scale = kScaleUp;
    if (scale != 1) {
      a1 *= scale;
      b1 *= scale;
      a2 *= scale;
      b2 *= scale;
    }
  }
  return a2 / b2;
}

double Log_1_Plus(double x) {
  if (!(x > -1)) return 0;
  if (std::fabs(x) > 0.5) return std::log(1 + x);
  const double r = x / (x + 2);
  return 2 * r * Log_Fraction_Continue(r * r, 1, 2);
}

double Log_1_Plus_Moins_X(double x) {
  if (!(x > -1)) return -1e308;
  const double r = x / (x + 2);
  const double y = r * r;
  if (std::fabs(x) < 0.01)
    return r * ((((2.0 / 9 * y + 2.0 / 7) * y + 0.4) * y + 2.0 / 3) * y - x);
  if (x < -0.79149064 || x > 1) return std::log(1 + x) - x;
  return r * (2 * y * Log_Fraction_Continue(y, 3, 2) - x);
}

double Exp_Moins_1(double x) {
  if (!(std::fabs(x) < 2)) return std::exp(x) - 1;
  const double f = x * x / 4;
  double d = 2 * (12 - x * (6 - x));
  double g = 8 * (f + 15);
  double h = 120 - x * (60 - x * (12 - x));
  double l = 7;
  double m = 24;
  for (int pass = 0; pass < kMaxPasses && std::fabs(g * d - m * h) > std::fabs(1e-14 * d * g);
       ++pass) {
    m = f * m + g * l;
    d = f * d + l * h;
    l += 2;
    g = f * g + m * l;
    h = f * h + l * d;
    l += 2;
    if (h > kScaleUp) {
      m *= kScaleDown;
      d *= kScaleDown;
      g *= kScaleDown;
      h *= kScaleDown;
    }
  }
  return x * g / h;
}

double Terme_Lgamma_1_Plus(double x) {
  if (!(x > -1)) return 1e308;
  const double y = 1 / (2 * x + 3);
  const double c = y * y;
  return c * Log_Fraction_Continue(c, 3, 2);
}

double Erreur_Stirling(double x) {
  if (!(x > -1)) return 1e308;
  if (x >= 1e10) return (1.0 / 12) / (x + 1);
  if (x >= 6) {
    const double z = x + 1;
    const double w = 1 / (z * z);
    return (1 / (12 * z)) *
           (1 - w * (1.0 / 30 -
                     w * (1.0 / 105 -
                          w * (1.0 / 140 -
                               w * (1.0 / 99 -
                                    w * (691.0 / 30030 -
                                         w * (1.0 / 13 - w * (0.350686068964593 - kStirlingK * w))))))));
  }
  if (x == std::floor(x) && x >= 0) return kStirlingTable[static_cast<int>(x)];
  return climbToSix(x, Terme_Lgamma_1_Plus, Erreur_Stirling);
}

double Terme_Lgamma_1_Plus_D1(double x) {
  const double p = (x + 1) * (x + 2);
  return (Terme_Lgamma_1_Plus(x) - 0.25 / p) / (x + 1.5);
}

double Terme_Lgamma_1_Plus_D3(double x) {
  const double p = (x + 1) * (x + 2);
  return -(2 * x + 3) / (p * p * p);
}

double Terme_Lgamma_1_Plus_D5(double x) {
  const double p = (x + 1) * (x + 2);
  return -6 * (2 * x + 3) * (5 * x * x + 15 * x + 12) / std::pow(p, 5);
}

double Terme_Lgamma_1_Plus_D7(double x) {
  const double p = (x + 1) * (x + 2);
  const double x2 = x * x;
  return -120 * (2 * x + 3) * (14 * x2 * x2 + 84 * x2 * x + 196 * x2 + 210 * x + 87) /
         std::pow(p, 7);
}

double Erreur_Stirling_D1(double x) {
  if (!(x > -1)) return -1e308;
  if (x >= 1e10) return -(1.0 / 12) * std::pow(x + 1, -2);
  if (x >= 6) {
    const double c = 1 / ((x + 1) * (x + 1));
    return -(1.0 / 12) * c *
           (1 - c * (0.1 - c * (0.04761904761904762 -
                                c * (0.049999999999999996 -
                                     c * (0.09090909090909091 -
                                          c * (0.2531135531135531 -
                                               c * (1 - c * (5.260291034468895 - 17 * kStirlingK * c))))))));
  }
  return climbToSix(x, Terme_Lgamma_1_Plus_D1, Erreur_Stirling_D1);
}

double Erreur_Stirling_D3(double x) {
  if (!(x > -1)) return -1e308;
  if (x >= 1e10) return -0.5 * std::pow(x + 1, -4);
  if (x >= 6) {
    const double c = 1 / ((x + 1) * (x + 1));
    return -(1.0 / 12) * c * c *
           (6 - c * (2 - c * (2 - c * (3.6 - c * (10 - c * (39.48571428571428 -
                                                            c * (210 - c * (1430.7991613755394 -
                                                                            5814 * kStirlingK * c))))))));
  }
  return climbToSix(x, Terme_Lgamma_1_Plus_D3, Erreur_Stirling_D3);
}

double Erreur_Stirling_D5(double x) {
  if (!(x > -1)) return -1e308;
  if (x >= 1e10) return -10 * std::pow(x + 1, -6);
  if (x >= 6) {
    const double c = 1 / ((x + 1) * (x + 1));
    return -(1.0 / 12) * c * c * c *
           (120 - c * (84 - c * (144 - c * (396 - c * (1560.0000000000002 -
                                                       c * (8292 - c * (57120 - c * (489333.3131904345 -
                                                                                     2441880 * kStirlingK * c))))))));
  }
  return climbToSix(x, Terme_Lgamma_1_Plus_D5, Erreur_Stirling_D5);
}

double Erreur_Stirling_D7(double x) {
  if (!(x > -1)) return -1e308;
  if (x >= 1e10) return -420 * std::pow(x + 1, -8);
  if (x >= 6) {
    const double c = 1 / ((x + 1) * (x + 1));
    const double c2 = c * c;
    return -(1.0 / 12) * c2 * c2 *
           (5040 - c * (6048 - c * (15840.000000000002 -
                                    c * (61776 - c * (327600 - c * (2255424 -
                                                                    c * (19535040 - c * (205519991.53998247 -
                                                                                         1235591280 * kStirlingK * c))))))));
  }
  return climbToSix(x, Terme_Lgamma_1_Plus_D7, Erreur_Stirling_D7);
}

double Diff_Erreur_Stirling(double a, double b) {
  if (a <= 0.03 * (a + b + 1)) {
    const double h = b + a / 2;
    const double s = a * a;
    return a * (Erreur_Stirling_D1(h) +
                s / 24 * (Erreur_Stirling_D3(h) + s / 80 * (Erreur_Stirling_D5(h) + s / 168 * Erreur_Stirling_D7(h))));
  }
  return Erreur_Stirling(a + b) - Erreur_Stirling(b);
}

double Lgamma_1_Plus(double a) {
  double s = kLgammaCoef[40] * Log_Fraction_Continue(-a / 2, 42, 1);
  for (int k = 39; k >= 0; --k) s = kLgammaCoef[k] - a * s;
  return a * (a * s - kEulerGamma) - Log_1_Plus_Moins_X(a);
}

bool Est_Pair(double x) { return std::floor(x / 2) * 2 == x; }

}  // namespace stats
