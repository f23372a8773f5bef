// Student t distribution for real degrees of freedom. For df >= 1 the lower tail is
// the series of the incomplete beta ratio near t = 0 and a continued fraction of the
// tail beyond, with the constant term written through Stirling errors (Loader 2000);
// for df < 1 the incomplete beta ratio I_x(1/2, df/2) and, in the far tails, its
// leading asymptotic term. The inverse starts from the Cornish-Fisher expansion of
// Abramowitz and Stegun 26.7.5, or from the tail's leading term, and takes Newton steps
// on log P, then one on the incomplete beta ratio.
#include "stats/student.h"

#include <cmath>

#include "base/helpers.h"
#include "stats/incomplete_beta.h"
#include "stats/normal.h"
#include "stats/log_gamma.h"

namespace stats {

namespace {

constexpr double kLogSqrt2Pi = 0.9189385332046728;     // log(sqrt(2 pi))
constexpr double kInvSqrt2Pi = 0.3989422804014327;     // 1 / sqrt(2 pi)
constexpr double kLog1_5 = 0.4054651081081644;         // log(1.5)
constexpr double kStirling0_5 = 0.05481412105191765;   // E(0.5)
constexpr double kTinyY = 0x1p-1024;                   // below it y^(df/2) is formed from t

constexpr int kMaxPasses = 100000;   // guard of the tail loops (a few hundred at most)
constexpr int kMaxNewtonSteps = 100; // ordinary arguments need 10 at most

// log of the constant of the extreme lower tail for df < 1, B = df / 2:
// (B + 1) LPMX(B / 1.5) + E(B + 0.5) - E(0.5) - log Gamma(1 + B).
double farTailLog(double B) {
  return (B + 1) * Log_1_Plus_Moins_X(B / 1.5) + (Erreur_Stirling(B + 0.5) - kStirling0_5) -
         Lgamma_1_Plus(B);
}

// Lower tail and density for df < 1 (X, y and A as in Loi_Student).
StudentPoint fractionalDf(double t, double df, double X, double y, double A) {
  const double B = df / 2;
  StudentPoint r;
  r.density = std::exp((1 / df + 1) * A + 0.5 + B * Log_1_Plus(-0.5 / (B + 1)) + Erreur_Stirling(B - 0.5) -
                       Erreur_Stirling(B)) *
              std::sqrt(B / (B + 1)) * kInvSqrt2Pi;
  r.term = y > 0 ? r.density / std::sqrt(y) : 0;
  if (y >= kTinyY) {
    double half;
    if (t < 0)
      half = X < y ? Beta_Incomplete_Compl(X, 0.5, B).value_or(0) : Beta_Incomplete(y, B, 0.5).value_or(0);
    else
      half = 1 + (X < y ? Beta_Incomplete(X, 0.5, B).value_or(0) : Beta_Incomplete_Compl(y, B, 0.5).value_or(0));
    r.p = 0.5 * half;
    return r;
  }
  const double R = std::exp(B * (std::log(df) - 2 * std::log(std::fabs(t)) + (B - 0.5) / 1.5 + kLog1_5) +
                            farTailLog(B)) *
                   0.25 / (B + 0.5);
  r.p = t < 0 ? R : 1 - R;
  return r;
}

}  // namespace

StudentPoint Queue_Student(double X, double y, double A, double df) {
  const double K = Est_Pair(df) ? Erreur_Stirling(df - 1) + A - 2 * Erreur_Stirling(df / 2 - 1)
                                : df * Log_1_Plus_Moins_X(1 / df) + A + 2 * Erreur_Stirling((df - 1) / 2) -
                                      Erreur_Stirling(df - 1);
  const double D = std::exp(K - kLogSqrt2Pi);
  StudentPoint r;
  r.term = D;
  r.density = std::sqrt(y) * D;
  if (4 * y > X * df) {
    double s = 0, term = 1, a = 3, b = df + 1;
    for (int pass = 0; pass < kMaxPasses; ++pass) {
      a += 2;
      b += 2;
      term *= b * X / a;
      s += term;
      if (!(s * 5e-16 < term)) break;
    }
    r.p = 0.5 - D * (1 + (df + 1) * X * (s + 1) / 3) * std::sqrt(X * df);
    return r;
  }
  if (D == 0) {
    r.p = 0;
    return r;
  }
  const double g = 2 * y + 2, h = 8 * y;
  double P0 = 1, Q0 = (df - 3) * X + 7;
  double P1 = (df - 5) * X + 11, Q1 = P1 * Q0 - 20 * y;
  double c = -30 * y, e = -42 * y, f = (df - 7) * X + 15;
  for (int pass = 0; pass < kMaxPasses && std::fabs(P1 * Q0 - P0 * Q1) > std::fabs(1e-15 * Q0 * P1); ++pass) {
    P0 = P1 * f + P0 * e;
    Q0 = f * Q1 + e * Q0;
    e = c + e;
    c = c - h;
    f = g + f;
    P1 = P0 * f + P1 * e;
    Q1 = e * Q1 + f * Q0;
    e = c + e;
    c = c - h;
    f = g + f;
    double scale = 1;
    if (std::fabs(Q1) > kScaleUp) scale = kScaleDown;
    else if (std::fabs(Q1) < kScaleDown) scale = kScaleUp;
    if (scale != 1) {
      P0 *= scale;
      Q0 *= scale;
      P1 *= scale;
      Q1 *= scale;
    }
  }
  r.p = (1 - y / (((df - 1) * X + 3) - 6 * y * P1 / Q1)) * D / std::sqrt(X * df);
  return r;
}

std::optional<StudentPoint> Loi_Student(double t, double df) {
  if (std::isnan(t) || !(df > 0)) return std::nullopt;
  if (std::isinf(t)) return StudentPoint{t > 0 ? 1.0 : 0.0, 0.0, 0.0};

  double X, y;
  if (std::isinf(df)) {
    X = 0;
    y = 1;
  } else if (std::fabs(t) < Min_D(1, df)) {
    const double t2 = t * t;
    X = t2 / (t2 + df);
    y = df / (t2 + df);
  } else {
    const double r = df / t;
    const double u = t + r;
    y = r / u;
    X = t / u;
  }

  if (df > 1e30) {
    const NormalPoint n = *Loi_Normale(t);
    return StudentPoint{n.p, n.density, y > 0 ? n.density / std::sqrt(y) : 0};
  }

  const double B = df / 2;
  double A;
  if (y >= kTinyY)
    A = std::fabs(X) >= 0.5 ? B * std::log(y) : B * Log_1_Plus(-X);
  else
    A = (std::log(df) - 2 * std::log(std::fabs(t))) * B;

  if (df >= 1) {
    StudentPoint r = Queue_Student(X, y, A, df);
    if (t >= 0) r.p = 1 - r.p;
    return r;
  }
  return fractionalDf(t, df, X, y, A);
}

namespace {

// The negative start of the Newton steps for the lower probability q <= 0.5 (p is
// the probability asked for), and whether the steps start from a computed point.
struct NewtonStart {
  double t = 0;
  bool evaluated = false;
};

// P(T <= t) for t <= 0 as half the incomplete beta ratio I_y(df / 2, 1 / 2), y = df /
// (df + t^2) (its complement in X = 1 - y when X is the smaller); empty when it cannot
// be formed.
std::optional<double> lowerTailByBeta(double t, double df) {
  const double t2 = t * t;
  const double X = t2 / (df + t2), y = df / (df + t2);
  if (!std::isfinite(X) || !std::isfinite(y)) return std::nullopt;
  const std::optional<double> v = X < y ? Beta_Incomplete_Compl(X, 0.5, df / 2) : Beta_Incomplete(y, df / 2, 0.5);
  if (!v) return std::nullopt;
  return 0.5 * *v;
}

NewtonStart startingPoint(double p, double q, double df) {
  const double B = df / 2;
  if (q < 0.5 && df < 1) {
    const double Q = ((B - 0.5) / 1.5 + kLog1_5 + std::log(df)) / 2 +
                     (farTailLog(B) - std::log(4 * q * (B + 0.5))) / df;
    return {-std::exp(Q), true};
  }
  const bool farTail = (df < 2 && p < 0.001) || (df < 5 && p < 1e-6) || (df < 10 && p < 1e-15) ||
                       (df < 20 && p < 1e-30) || (df < 50 && p < 1e-50);
  if (q < 0.5 && farTail) {
    const double f0 = Loi_Student(0, df)->density;
    return {-std::sqrt(df) * std::exp(-std::log(std::sqrt(df) * p / f0) / df), true};
  }
  const double u = q < 0.5 ? Normale_Inverse(q) : 0.0;
  const double w = u * u;
  double e = ((((79 * w + 776) * w + 1482) * w - 1920) * w - 945) / (92160 * df);
  e = ((((3 * w + 19) * w + 17) * w - 15) / 384 + e) / df;
  e = (((5 * w + 16) * w + 3) / 96 + e) / df;
  e = ((w + 1) / 4 + e) / df;
  return {u * (1 + e), false};
}

}  // namespace

std::optional<double> Inverse_Student(double p, double df) {
  if (!(p > 0 && p < 1) || !(df > 0)) return std::nullopt;
  const double q = p > 0.5 ? 1 - p : p;
  const double tol = -std::log(p) * 1e-14 * p;

  const NewtonStart start = startingPoint(p, q, df);
  double t = start.t;
  if (!std::isfinite(t)) return std::nullopt;
  double P = 0;
  double step = std::fabs(t) + 1;
  if (start.evaluated) {
    const std::optional<StudentPoint> s = Loi_Student(t, df);
    if (!s) return std::nullopt;
    P = s->p;
    // A first Newton step from the start, unless the density there vanishes.
    step = s->density >= 1e-316 ? P / s->density * Log_1_Plus((P - q) / q) : 0;
    t -= step;
    if (!std::isfinite(step) || !std::isfinite(t)) return std::nullopt;
  }

  for (int k = 0;; ++k) {
    if (std::fabs(P - q) <= tol || std::fabs(step) <= 1e-14 * (std::fabs(t) + 1)) break;
    if (k == kMaxNewtonSteps) return std::nullopt;
    const std::optional<StudentPoint> s = Loi_Student(t, df);
    if (!s || !(s->density > 0)) return std::nullopt;
    P = s->p;
    step = P / s->density * Log_1_Plus((P - q) / q);
    t -= step;
    if (!std::isfinite(step) || !std::isfinite(t)) return std::nullopt;
  }
  // The distribution function keeps about 14 digits near the centre; one Newton step on
  // the tail of the incomplete beta ratio, which keeps 15, settles the last one.
  const std::optional<StudentPoint> s = Loi_Student(t, df);
  const std::optional<double> tail = lowerTailByBeta(t, df);
  if (s && tail && s->density > 0) {
    const double last = (*tail - q) / s->density;
    if (std::isfinite(last) && std::fabs(last) <= 1e-10 * (std::fabs(t) + 1)) t -= last;
  }
  return p <= 0.5 ? t : -t;
}

}  // namespace stats
