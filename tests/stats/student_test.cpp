// The Student law and its inverse against scipy and 40-digit mpmath tables
// (tests/data/stats, made by make_tables.py), closed forms, and the values quoted.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>

#include "stat_test_support.h"
#include "stats/normal.h"
#include "stats/student.h"

namespace {

using stat_test::relError;
using stats::Inverse_Student;
using stats::Loi_Student;

const double kDf[] = {0.1, 0.2, 0.3, 0.5, 0.7, 0.9, 1, 1.5, 2, 2.5, 3, 4, 5, 7.3, 10, 23.7, 30, 58, 100, 1000, 1e5};

double cdf(double t, double df) {
  const auto s = Loi_Student(t, df);
  EXPECT_TRUE(s.has_value()) << t << " " << df;
  return s ? s->p : -1;
}

// Student density from log Gamma: Gamma((df+1)/2) / (sqrt(df pi) Gamma(df/2)) (1 + t^2/df)^-(df+1)/2.
double density(double t, double df) {
  return std::exp(std::lgamma((df + 1) / 2) - std::lgamma(df / 2) - 0.5 * std::log(df * std::numbers::pi) -
                  (df + 1) / 2 * std::log1p(t * t / df));
}

// scipy.stats.t.cdf at t = k / 20, k = -200 .. 200, for the 21 df of kDf.
TEST(Student, DistributionFunctionMatchesScipyOnTheGrid) {
  double worstRel = 0, worstAbs = 0;
  for (const auto& row : stat_test::readTable("student_cdf.txt")) {
    const double t = row[1] / 20;
    const double p = cdf(t, row[0]);
    if (t < 0) worstRel = std::max(worstRel, relError(p, row[2]));
    else worstAbs = std::max(worstAbs, std::fabs(p - row[2]));
  }
  EXPECT_LE(worstRel, 1e-13);
  EXPECT_LE(worstAbs, 1e-13);
}

// mpmath at 40 digits for |t| = 10^(e/4), e = 4 .. 24, both signs.
TEST(Student, FarTailsMatchFortyDigitReference) {
  double worst = 0;
  for (const auto& row : stat_test::readTable("student_cdf_far.txt"))
    worst = std::max(worst, relError(cdf(row[1], row[0]), row[2]));
  EXPECT_LE(worst, 1e-12);
}

TEST(Student, QuotedValues) {
  struct Case {
    double t, df, p, tol;
  };
  const Case cases[] = {
      {-2.7, 4, 0.027047161224461, 1e-13},
      {0.9, 0.6, 0.699506970917581, 1e-13},     // incomplete-beta route
      {3.3, 1e31, 0.999516575857616, 1e-13},    // the normal law
      {-1e170, 0.3, 3.49500723383857E-52, 1e-13},  // extreme tail, relative
      {-1, 0.5, 0.301121610841322, 1e-13},
  };
  for (const Case& c : cases) EXPECT_LE(relError(cdf(c.t, c.df), c.p), c.tol) << c.t << " " << c.df;
  EXPECT_EQ(cdf(3.3, 1e31), stats::Loi_Normale(3.3)->p);
}

TEST(Student, ClosedFormsAndSymmetry) {
  for (double t : {-30.0, -3.0, -0.7, 0.2, 1.0, 4.5, 250.0}) {
    EXPECT_NEAR(cdf(t, 1), 0.5 + std::atan(t) / std::numbers::pi, 2e-16 + 1e-14 * cdf(t, 1)) << t;
    EXPECT_NEAR(cdf(t, 2), 0.5 + t / (2 * std::sqrt(t * t + 2)), 2e-16 + 1e-14 * cdf(t, 2)) << t;
    for (double df : kDf) EXPECT_NEAR(cdf(-t, df) + cdf(t, df), 1.0, 4e-16) << t << " " << df;
  }
}

TEST(Student, DensityTravelsWithEveryRoute) {
  // Up to 100 degrees of freedom the log-Gamma form above is exact enough to compare.
  for (double df : kDf) {
    if (df > 100) continue;
    const auto at0 = Loi_Student(0, df);
    EXPECT_EQ(at0->p, 0.5) << df;
    EXPECT_LE(relError(at0->density, density(0, df)), 1e-13) << df;
    for (double t : {-40.0, -2.5, -0.3, 0.8, 6.0}) {
      const auto s = Loi_Student(t, df);
      EXPECT_LE(relError(s->density, density(t, df)), 1e-12) << t << " " << df;
      const double y = df / (df + t * t);
      EXPECT_LE(relError(s->term, s->density / std::sqrt(y)), 1e-12) << t << " " << df;
    }
  }
  // Beyond, mpmath at 40 digits.
  struct Case {
    double t, df, density;
  };
  const Case large[] = {
      {0, 1000, 0.398842557313858155},     {-40, 1000, 8.0656771237521828248e-209},
      {-2.5, 1000, 0.017640133095133486506}, {6, 1000, 8.1892458614730914209e-9},
      {0, 1e5, 0.39894128304697838457},    {-2.5, 1e5, 0.01752942064310939395},
      {0.8, 1e5, 0.28969019816864982724},  {6, 1e5, 6.0944837498303213118e-9},
  };
  for (const Case& c : large) EXPECT_LE(relError(Loi_Student(c.t, c.df)->density, c.density), 1e-12) << c.t << " " << c.df;
  const auto normal = Loi_Student(1.2, 1e31);
  EXPECT_EQ(normal->density, stats::Loi_Normale(1.2)->density);
}

TEST(Student, RefusesNaNAndNonPositiveDegrees) {
  const double nan = std::nan("");
  EXPECT_FALSE(Loi_Student(nan, 5).has_value());
  EXPECT_FALSE(Loi_Student(1, nan).has_value());
  EXPECT_FALSE(Loi_Student(1, 0).has_value());
  EXPECT_FALSE(Loi_Student(1, -3).has_value());
  const double inf = std::numeric_limits<double>::infinity();
  EXPECT_EQ(cdf(-inf, 3), 0.0);
  EXPECT_EQ(cdf(inf, 0.2), 1.0);
  EXPECT_EQ(cdf(0.4, inf), stats::Loi_Normale(0.4)->p);
}

// From 1e-300 to the largest double, for t and df: a probability, a finite density,
// and an inverse that is finite or refused.
TEST(Student, ExtremeArgumentsGiveProbabilitiesAndFiniteDensities) {
  const double big = std::numeric_limits<double>::max();
  const double dfs[] = {1e-300, 1e-10, 0.001, 0.3, 0.999999, 1, 1.0000001, 2, 3, 1e10, 1e29, 1e30, 2e30, 1e300, big};
  const double ts[] = {0, 1e-300, 1e-10, 0.5, 1, 3, 1e10, 1e100, 1e300, big};
  for (double df : dfs) {
    for (double t : ts) {
      for (double sign : {-1.0, 1.0}) {
        const auto s = Loi_Student(sign * t, df);
        ASSERT_TRUE(s.has_value());
        EXPECT_TRUE(s->p >= 0 && s->p <= 1) << sign * t << " " << df;
        EXPECT_TRUE(std::isfinite(s->density) && s->density >= 0) << sign * t << " " << df;
      }
    }
    for (double p : {1e-300, 1e-100, 1e-10, 0.3, 0.7, 1 - 1e-10, 1 - 1e-16}) {
      const auto t = Inverse_Student(p, df);
      if (t) {
        EXPECT_TRUE(std::isfinite(*t)) << p << " " << df;
      }
    }
  }
}

// 40-digit references: mpmath.findroot on the 40-digit distribution function.
TEST(Student, InverseQuotedValues) {
  struct Case {
    double p, df, t;
  };
  const Case cases[] = {
      {0.95, 8, 1.85954803753089839},
      {0.005, 2.5, -7.1637281389487855199},
      {1e-12, 1.5, -52194694.273446353902},    // tail start
      {0.2, 0.4, -3.5182666335722516963},      // fractional-df start
      {0.975, 10, 2.2281388519862747484},
      {1e-20, 3, -4795275.7204689731019},      // tail start, small p
      {0.1, 0.5, -10.27032441023450615},       // fractional-df start
      {0.4, 0.001, -1.2857646412922043568e+95},  // still representable at df = 0.001
  };
  for (const Case& c : cases) {
    const auto t = Inverse_Student(c.p, c.df);
    ASSERT_TRUE(t.has_value()) << c.p << " " << c.df;
    EXPECT_LE(relError(*t, c.t), 1e-13) << c.p << " " << c.df;
  }
  EXPECT_EQ(*Inverse_Student(0.5, 7), 0.0);
  EXPECT_EQ(*Inverse_Student(0.5, 0.3), 0.0);
}

TEST(Student, InverseRoundTripsOverProbabilitiesAndDegrees) {
  const double ps[] = {1e-30, 1e-20, 1e-10, 1e-6, 0.001, 0.01, 0.025, 0.05, 0.1,
                       0.25,  0.4,   0.6,   0.75, 0.9,   0.95, 0.975, 0.99, 0.999};
  for (double df : kDf) {
    for (double p : ps) {
      const auto t = Inverse_Student(p, df);
      ASSERT_TRUE(t.has_value()) << p << " " << df;
      EXPECT_LE(std::fabs(cdf(*t, df) - p), 1e-13 * std::min(p, 1 - p)) << p << " " << df;
      // Inverse_Student(1 - p) = -Inverse_Student(q) for the q = 1 - (1 - p) that 1 - p holds.
      if (p < 0.5 && 1 - p < 1) {
        const auto mirror = Inverse_Student(1 - p, df);
        const auto same = Inverse_Student(1 - (1 - p), df);
        ASSERT_TRUE(mirror && same) << p << " " << df;
        EXPECT_LE(relError(-*mirror, *same), 1e-13) << p << " " << df;
      }
    }
  }
}

TEST(Student, InverseRefusesBadArgumentsAtOnce) {
  const double nan = std::nan("");
  for (double p : {0.0, 1.0, -4.0, nan}) EXPECT_FALSE(Inverse_Student(p, 5).has_value()) << p;
  for (double df : {0.0, -1.0, nan}) EXPECT_FALSE(Inverse_Student(0.05, df).has_value()) << df;
  // At df = 0.001 the fractional-df start overflows unless p is near 1/2.
  for (double p : {1e-6, 0.01, 0.05, 0.2, 0.8, 0.95, 0.999}) EXPECT_FALSE(Inverse_Student(p, 0.001).has_value()) << p;
}

}  // namespace
