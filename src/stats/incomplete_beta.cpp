// Regularized incomplete beta ratio. Near an edge with a shape argument below 1: the
// power series of I_z(a, b) with its leading factor written through log Gamma(1 + a)
// and Stirling-error differences, so that the complement needs no subtraction.
// Elsewhere I_z(a, b) is a tail of the binomial law with real indices: Loader's
// saddle-point binomial term (2000) times a continued fraction for the ratios of the
// terms below it, or, for large and balanced indices, the asymptotic expansion of the
// binomial tail about the Student law with 2 (n + 1) degrees of freedom (Temme's
// uniform expansion of the incomplete beta ratio, coefficients to the sixth order).
#include "stats/incomplete_beta.h"

#include <algorithm>
#include <cmath>

#include "base/helpers.h"
#include "stats/notices.h"
#include "stats/log_gamma.h"
#include "stats/student.h"

namespace stats {

namespace {

constexpr double kInvSqrt2Pi = 0.3989422804014327;  // 1 / sqrt(2 pi)
constexpr double kLpmxSplit = -0.79149064;          // where log(1 + x) - x changes method
constexpr int kMaxPasses = 100000;                  // guard of the convergent loops

// I_z(a, b), or its complement when complement; the arguments are checked.
double betaRatio(double z, double a, double b, bool complement) {
  if (a == 0) {
    if (!complement && b == 0) Stat_Beep();
    return complement ? 0 : (b == 0 ? 0 : 1);
  }
  if (b == 0) return complement ? 1 : 0;
  if (z <= 0) return complement ? 1 : 0;
  if (z >= 1) return complement ? 0 : 1;
  if (a < 1 && b < 1) return Beta_Par_Serie(z, a, b, complement);
  if ((b + 1) * z <= 1 && a < 1) return Beta_Par_Serie(z, a, b, complement);
  if ((a + 1) * z >= a && b < 1) return Beta_Par_Serie(1 - z, b, a, !complement);
  if (a < 1)
    return complement ? Repartition_Binomiale(-a, b, z, 1 - z, 0) : Repartition_Binomiale_Compl(-a, b, z, 1 - z, 0);
  if (b < 1)
    return complement ? Repartition_Binomiale_Compl(-b, a, 1 - z, z, 0) : Repartition_Binomiale(-b, a, 1 - z, z, 0);
  const double d = (a + b - 1) * z - a + 1;
  return complement ? Repartition_Binomiale(a - 1, b, z, 1 - z, d) : Repartition_Binomiale_Compl(a - 1, b, z, 1 - z, d);
}

// I_z(a, b) or its complement, kept inside [0, 1] against the last rounding.
double boundedRatio(double z, double a, double b, bool complement) {
  return std::clamp(betaRatio(z, a, b, complement), 0.0, 1.0);
}

bool acceptedShapes(double z, double a, double b) {
  return !std::isnan(z) && a >= 0 && b >= 0 && std::isfinite(a) && std::isfinite(b);
}

// Binomial tail by continued fraction or expansion: which one the indices call for.
double binomialTail(double i, double j, double p, double q, double d, bool complement) {
  const double m = Min_D(i, j);
  if (0.1 * m > std::fabs(d) && m > 50) return Binomiale_Asymptotique(j - 1, i, d, complement);
  return Binomiale_Fraction_Continue(i, j, p, q, d, complement);
}

}  // namespace

std::optional<double> Beta_Incomplete(double z, double a, double b) {
  if (!acceptedShapes(z, a, b)) return std::nullopt;
  return boundedRatio(z, a, b, false);
}

std::optional<double> Beta_Incomplete_Compl(double z, double a, double b) {
  if (!acceptedShapes(z, a, b)) return std::nullopt;
  return boundedRatio(z, a, b, true);
}

double Beta_Par_Serie(double z, double a, double b, bool complement) {
  if (z > 0.5) return Beta_Par_Serie(1 - z, b, a, !complement);
  const double c = b + 1;
  const double M = a * ((a - 0.5) / c + std::log(c * z)) + (a + b + 0.5) * Log_1_Plus_Moins_X(a / c) -
                   Lgamma_1_Plus(a);
  const double S = Somme_Serie_Beta(z, a, b);
  if (!complement) return std::exp(M + Erreur_Stirling(a + b) - Erreur_Stirling(b)) * (1 - S) * b / (a + b);
  double A = -Exp_Moins_1(M + Diff_Erreur_Stirling(a, b));
  A = A + (1 - A) * S;
  return A + (1 - A) * a / (a + b);
}

double Somme_Serie_Beta(double z, double a, double b) {
  double T = z;
  double S = z / (a + 1);
  double k = 2;
  for (int pass = 0; pass < kMaxPasses && std::fabs(T) > std::fabs(5e-16 * S); ++pass) {
    T = -T * (b - k) * z / k;
    S += T / (a + k);
    k += 1;
  }
  return (b - 1) * a * S;
}

BinomialTerm Terme_Binomial(double i, double j, double p, double q, double d, double L) {
  if (i == 0 && j <= 0) return {std::exp(L), true};
  if (i <= -1 || j < 0) return {0, true};
  const double N1 = i + 1 + j;
  double h, g, t;
  if (p < q) {
    h = i;
    g = j;
    t = p;
  } else {
    h = j;
    g = i;
    t = q;
    d = -d;
  }
  const double w = (d - (1 - t)) / (h + 1);
  const double v = -(d + t) / (g + 1);
  const double K = Erreur_Stirling(i + j) - Erreur_Stirling(i) - Erreur_Stirling(j);
  const double root = std::sqrt(N1 / ((g + 1) * (h + 1))) * kInvSqrt2Pi;
  if (w >= kLpmxSplit)
    return {std::exp(L + h * Log_1_Plus_Moins_X(w) - w + K + g * Log_1_Plus_Moins_X(v) - v) * root, false};
  if (h != 0) {
    if (t == 0 && h > 0) return {0, true};
    return {std::exp(L + K + h * (std::log(t * N1 / (h + 1)) - w) - w + g * Log_1_Plus_Moins_X(v) - v) * root,
            false};
  }
  return {std::exp(L + g * Log_1_Plus(-t)), false};
}

double Repartition_Binomiale(double i, double j, double p, double q, double d) {
  return binomialTail(i, j, p, q, d, false);
}

double Repartition_Binomiale_Compl(double i, double j, double p, double q, double d) {
  return binomialTail(i, j, p, q, d, true);
}

double Binomiale_Fraction_Continue(double i, double j, double p, double q, double d, bool complement) {
  double i1;
  if (-1 < i && i < 0) {
    i1 = -i;
    i = i1 - 1;
  } else {
    i1 = i + 1;
  }
  const double N = i + 3 + j;
  double tol = 1e-14;
  bool swapped = false;
  if (i < 0) {
    tol = 1e-15;
  } else if ((p > q && N * q >= j + 1) || (p <= q && N * p <= i + 2)) {
    swapped = true;
    const double oldJ = j;
    i = oldJ - 1;
    j = i1;
    i1 = oldJ;
    std::swap(p, q);
    d = 1 - d;
  }
  // A tail P computed for the (possibly mirrored) indices, as the caller asked for it.
  const auto result = [&](double P) { return swapped == complement ? P : 1 - P; };

  if (i > -1 && (j <= 0 || p == 0)) return result(1);

  BinomialTerm term;
  double P0;
  if (!(-1 < i && i < 0) && !(i == -1 && i1 > 0)) {
    term = Terme_Binomial(i, j, p, q, d, 0);
    P0 = term.value;
  } else {
    term = Terme_Binomial(i1, j, p, q, (i1 + j) * p - i1, 0);
    P0 = i1 * term.value / ((i1 + j) * p);
    d = (j + i) * p - i;
  }
  if (term.limit || P0 == 0) return result(P0);

  double k;
  if (i > 0) {
    k = std::floor(std::floor(6 * std::sqrt(p + 0.5) * std::exp(std::log(N * p * q) / 3)) - d);
    if (k > i) k = std::floor(i);
  } else {
    k = std::floor(i);
  }
  if (k < 0) k = 0;

  // The sum of the term ratios below index i - k.
  const double c = q + 1;
  double v = (i - k) * q;
  double B = d + k + 1;
  double u = B;
  double A1 = 0, B1 = 1;
  double r = v;
  double s = 0;
  for (int pass = 0; pass < kMaxPasses && !(std::fabs(v * B1 - A1 * B) <= std::fabs(v * B1 * tol)); ++pass) {
    const double s1 = s + 1;
    const double r1 = r - q;
    const double e1 = r1 * s1;
    const double u1 = c + u;
    A1 = v * u1 + A1 * e1;
    B1 = u1 * B + e1 * B1;
    s = s1 + 1;
    r = r1 - q;
    const double e2 = r * s;
    u = c + u1;
    v = u * A1 + v * e2;
    B = u * B1 + B * e2;
    double scale = 1;
    if (std::fabs(B) > kScaleUp) scale = kScaleDown;
    else if (std::fabs(B) < kScaleDown) scale = kScaleUp;
    if (scale != 1) {
      A1 *= scale;
      B1 *= scale;
      v *= scale;
      B *= scale;
    }
    if (r < 0 && tol > 1e-15) tol = 1e-15;
  }
  double F = v == 0 ? 0 : v / B;

  // Carried back up to index i, one term at a time.
  double G = q * (i - k + 1);
  double H = p * (j + k);
  for (; k > 0; k -= 1) {
    F = G / H * (F + 1);
    G += q;
    H -= p;
  }
  return result(P0 * (F + 1));
}

double Binomiale_Asymptotique(double m, double i, double d, bool complement) {
  const double s = m + i;
  const double s1 = s + 1;
  const double e = (i + d) / s1 - d;
  const double r = (m * Log_1_Plus_Moins_X(e / m) + i * Log_1_Plus_Moins_X(-e / i)) / s;
  const double H = -Exp_Moins_1(r);
  const double y = (m / s) * (i / s);

  const double c1 = (2 - 17 * y) / 24;
  const double c2 = (4 + y * (76 - 503 * y)) / 1152;
  const double c3 = (-1112 + y * (8196 + y * (53310 - 315733 * y))) / 414720;
  const double c4 = (-9136 + y * (-697376 + y * (4059192 + y * (15386296 - 85262251 * y)))) / 39813120;
  const double c5 =
      (5244128 + y * (-43679536 + y * (-703410640 + y * (3904584040 + y * (10438368262 - 55253161559 * y))))) /
      6688604160;
  const double c6 =
      (335796416 +
       y * (61701376704 +
            y * (-433635420336 + y * (-3242780782432 + y * (18320560326516 + y * (38020748623980 -
                                                                                 194479285104469 * y)))))) /
      4815794995200;
  const double e1 = -(y + 2) / 135;
  const double e2 = (4 - y * (86 + 44 * y)) / 2835;
  const double e3 = (8 + y * (48 - y * (786 + 404 * y))) / 8505;
  const double e4 = (-4496 + y * (118160 + y * (302244 - y * (4721524 + 2421272 * y)))) / 12629925;
  const double e5 = (-167072 + y * (-1870064 + y * (38704888 + y * (57300188 - y * (928767700 + 473759128 * y))))) /
                    492567075;
  const double e6 =
      (349376 + y * (-11596512 + y * (-44963088 + y * (990295352 + y * (954602040 - y * (16836643200 +
                                                                                          8530742848 * y)))))) /
      1477701225;

  // y (s + k), the divisor of each order.
  const auto ys = [&](double k) { return y * (s + k); };
  const double Gc =
      1 + (c1 + (c2 + (c3 + (c4 + (c5 + c6 / ys(6.5)) / ys(5.5)) / ys(4.5)) / ys(3.5)) / ys(2.5)) / ys(1.5);

  const StudentPoint tail = Queue_Student(H, 1 - H, s1 * r, 2 * s1);
  const double T = tail.p;
  const double D = tail.term;

  const double Z = s1 * H;
  const double Rz = std::sqrt(2 * Z);
  const double al = (2.0 / 3) * (s + 1.5) * H;

  double De, Om;
  if (Z <= 1e50) {
    const double h0 = Z + 1;
    const double b1 = H * Z * (s + 2) / 2;
    const double h1 = h0 + b1;
    const double b2 = H * b1 * (s + 3) / 3;
    const double h2 = h1 + b2;
    const double b3 = H * b2 * (s + 4) / 4;
    const double h3 = h2 + b3;
    const double b4 = H * b3 * (s + 5) / 5;
    const double h4 = h3 + b4;
    const double b5 = H * b4 * (s + 6) / 6;
    const double h5 = h4 + b5;
    const double k0 = al + 1;
    const double g1 = H * (s + 2.5) * al * 0.4;
    const double k1 = k0 + g1;
    const double g2 = H * (s + 3.5) * g1 * 2 / 7;
    const double k2 = k1 + g2;
    const double g3 = H * (s + 4.5) * g2 * 2 / 9;
    const double k3 = k2 + g3;
    const double g4 = H * (s + 5.5) * g3 * 2 / 11;
    const double k4 = k3 + g4;
    De = (((((e6 * h5 / ys(7) + e5 * h4) / ys(6) + e4 * h3) / ys(5) + e3 * h2) / ys(4) + e2 * h1) / ys(3) + e1 * h0) /
         ys(2);
    Om = ((((c6 * k4 / ys(6.5) + c5 * k3) / ys(5.5) + c4 * k2) / ys(4.5) + c3 * k1) / ys(3.5) + c2 * k0) / ys(2.5);
  } else {
    // The same sums, each divided by its factors as it grows, so that nothing overflows.
    const double h0 = (Z + 1) / (s + 2);
    const double b1 = H * Z / 2;
    const double h1 = (h0 + b1) / (s + 3);
    const double b2 = H * b1 / 3;
    const double h2 = (h1 + b2) / (s + 4);
    const double b3 = H * b2 / 4;
    const double h3 = (h2 + b3) / (s + 5);
    const double b4 = H * b3 / 5;
    const double h4 = (h3 + b4) / (s + 6);
    const double b5 = H * b4 / 6;
    const double h5 = (h4 + b5) / (s + 7);
    const double k0 = (al + 1) / (s + 2.5);
    const double g1 = H * al * 0.4;
    const double k1 = (k0 + g1) / (s + 3.5);
    const double g2 = H * g1 * 2 / 7;
    const double k2 = (k1 + g2) / (s + 4.5);
    const double g3 = H * g2 * 2 / 9;
    const double k3 = (k2 + g3) / (s + 5.5);
    const double g4 = H * g3 * 2 / 11;
    const double k4 = (k3 + g4) / (s + 6.5);
    De = (((((e6 * h5 / y + e5 * h4) / y + e4 * h3) / y + e3 * h2) / y + e2 * h1) / y + e1 * h0) / y;
    Om = ((((c6 * k4 / y + c5 * k3) / y + c4 * k2) / y + c3 * k1) / y + c2 * k0) / y;
  }

  const double J = Rz * (c1 + Om) / ys(1.5);
  const double Kd = 2 * (De + 1.0 / 3) * (m - i) / (s * std::sqrt(s1 * y));
  if (!complement) return e > 0 ? 1 - T + D * (Kd - J) / Gc : T + D * (Kd + J) / Gc;
  return e > 0 ? T - D * (Kd - J) / Gc : 1 - T - D * (Kd + J) / Gc;
}

}  // namespace stats
