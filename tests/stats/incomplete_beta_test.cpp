// The incomplete beta ratio and the binomial tails against scipy tables
// (tests/data/stats, made by make_tables.py), mpmath values and the values quoted.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "stat_test_support.h"
#include "stats/incomplete_beta.h"

namespace {

using stat_test::relError;
using stats::Beta_Incomplete;
using stats::Beta_Incomplete_Compl;

double I(double z, double a, double b) { return Beta_Incomplete(z, a, b).value(); }
double Ic(double z, double a, double b) { return Beta_Incomplete_Compl(z, a, b).value(); }

// The route the Student law takes: a = 0.5 with b = 0.01 .. 0.49, and the swapped pair;
// scipy.special.betainc, the complement as betainc(b, a, 1 - z).
TEST(IncompleteBeta, PowerSeriesRouteMatchesScipy) {
  double worst = 0;
  for (const auto& row : stat_test::readTable("beta_series.txt")) {
    const double b = row[0] / 100, z = row[1] / 100;
    worst = std::max({worst, relError(I(z, 0.5, b), row[2]), relError(Ic(z, 0.5, b), row[3]),
                      relError(I(z, b, 0.5), row[4]), relError(Ic(z, b, 0.5), row[5])});
  }
  EXPECT_LE(worst, 2e-14);
}

// Every route: a, b in {0.3 .. 200}, z = 0.05 .. 0.95. Values below 1e-300 are compared
// absolutely (scipy and the ratio both reach the end of the double range there).
TEST(IncompleteBeta, AllRoutesMatchScipyOnAShapeGrid) {
  double worst = 0;
  for (const auto& row : stat_test::readTable("beta_grid.txt")) {
    const double a = row[0], b = row[1], z = row[2] / 20;
    const double got[2] = {I(z, a, b), Ic(z, a, b)};
    for (int k = 0; k < 2; ++k) {
      const double want = row[3 + k];
      const double err = std::fabs(want) < 1e-300 ? std::fabs(got[k] - want) : relError(got[k], want);
      EXPECT_LE(err, 1e-12) << a << " " << b << " " << z << (k ? " complement" : "");
      worst = std::max(worst, err);
    }
  }
  EXPECT_LE(worst, 1e-12);
}

TEST(IncompleteBeta, QuotedValues) {
  struct Case {
    double z, a, b, value;
  };
  const Case cases[] = {
      {0.1, 0.5, 0.25, 0.123787456009936},   // power series
      {1.0 / 3, 0.25, 0.5, 0.602243221682644},
      {0.5, 0.5, 0.5, 0.5},
      {0.25, 1, 1, 0.25},
      {0.3, 2, 3, 0.3483},                    // continued fraction
      {0.3, 0.5, 3, 0.840069472573549},       // negative index
      {0.2, 0.5, 0.35, 0.231125248671697},
  };
  for (const Case& c : cases) {
    EXPECT_LE(relError(I(c.z, c.a, c.b), c.value), 1e-14) << c.z << " " << c.a << " " << c.b;
    EXPECT_LE(std::fabs(Ic(c.z, c.a, c.b) - (1 - c.value)), 1e-15) << c.z << " " << c.a << " " << c.b;
  }
  EXPECT_LE(relError(Ic(0.1, 0.5, 0.25), 0.876212543990064), 1e-14);
}

TEST(IncompleteBeta, EdgesAndRefusals) {
  stat_test::NoticeCapture notices;
  EXPECT_EQ(I(0.4, 0, 0), 0.0);
  EXPECT_EQ(notices.beeps, 1);
  EXPECT_EQ(Ic(0.4, 0, 0), 0.0);
  EXPECT_EQ(notices.beeps, 1);   // the complement does not beep
  EXPECT_EQ(I(0.4, 0, 2), 1.0);
  EXPECT_EQ(Ic(0.4, 0, 2), 0.0);
  EXPECT_EQ(I(0.4, 2, 0), 0.0);
  EXPECT_EQ(Ic(0.4, 2, 0), 1.0);
  for (double z : {0.0, -3.0}) {
    EXPECT_EQ(I(z, 2, 3), 0.0);
    EXPECT_EQ(Ic(z, 2, 3), 1.0);
  }
  for (double z : {1.0, 7.0}) {
    EXPECT_EQ(I(z, 2, 3), 1.0);
    EXPECT_EQ(Ic(z, 2, 3), 0.0);
  }
  const double nan = std::nan(""), inf = std::numeric_limits<double>::infinity();
  EXPECT_FALSE(Beta_Incomplete(nan, 1, 2).has_value());
  EXPECT_FALSE(Beta_Incomplete(0.5, -1, 2).has_value());
  EXPECT_FALSE(Beta_Incomplete_Compl(0.5, 1, nan).has_value());
  EXPECT_FALSE(Beta_Incomplete_Compl(0.5, inf, 2).has_value());
  EXPECT_TRUE(notices.messages.empty());
}

// Shapes from 1e-300 to 1e100 and z up to the edges: every result lies in [0, 1] and
// the ratio and its complement add to 1.
TEST(IncompleteBeta, ExtremeArgumentsStayInsideTheUnitInterval) {
  const double shapes[] = {1e-300, 1e-10, 0.01, 0.5, 0.999, 1, 1.001, 2, 50.5, 51, 1e3, 1e6, 1e10, 1e100};
  const double zs[] = {1e-300, 1e-10, 0.01, 0.3, 0.5, 0.7, 0.99, 1 - 1e-10, 1 - 1e-16};
  for (double a : shapes)
    for (double b : shapes)
      for (double z : zs) {
        const double i = I(z, a, b), c = Ic(z, a, b);
        ASSERT_TRUE(i >= 0 && i <= 1 && c >= 0 && c <= 1) << z << " " << a << " " << b;
        EXPECT_NEAR(i + c, 1.0, 1e-12) << z << " " << a << " " << b;
      }
}

// Binomial law with n = i + j: C(10, 3) 0.2^3 0.8^7 = 0.201326592, and its lower tail.
TEST(IncompleteBeta, BinomialTailsAndTerm) {
  EXPECT_LE(relError(stats::Terme_Binomial(3, 7, 0.2, 0.8, -1, 0).value, 0.201326592), 1e-14);
  EXPECT_FALSE(stats::Terme_Binomial(3, 7, 0.2, 0.8, -1, 0).limit);
  EXPECT_LE(relError(stats::Repartition_Binomiale(3, 7, 0.2, 0.8, -1), 0.8791261184), 1e-14);
  EXPECT_LE(relError(stats::Repartition_Binomiale_Compl(3, 7, 0.2, 0.8, -1), 0.1208738816), 1e-14);
  // Real indices (mpmath: Gamma(9.8) / (Gamma(3.5) Gamma(7.3)) 0.3^2.5 0.7^6.3, and
  // 1 - I_0.3(3.5, 6.3)).
  EXPECT_LE(relError(stats::Terme_Binomial(2.5, 6.3, 0.3, 0.7, 8.8 * 0.3 - 2.5, 0).value, 0.28585942663179817318),
            1e-14);
  EXPECT_LE(relError(stats::Repartition_Binomiale(2.5, 6.3, 0.3, 0.7, 8.8 * 0.3 - 2.5), 0.62162122739314659738),
            1e-14);
  // Both indices above 50, |d| = 2 below a tenth of 80: the expansion; mpmath gives
  // 1 - I_0.41(81, 120) = 0.41627132324699731046.
  EXPECT_LE(relError(stats::Repartition_Binomiale(80, 120, 0.41, 0.59, 2), 0.41627132324699731046), 1e-14);
  EXPECT_LE(relError(stats::Binomiale_Asymptotique(119, 80, 2, false), 0.41627132324699731046), 1e-14);
  EXPECT_LE(relError(stats::Binomiale_Fraction_Continue(80, 120, 0.41, 0.59, 2, false), 0.41627132324699731046),
            1e-13);
  // Boundary terms are exact and flagged.
  EXPECT_EQ(stats::Terme_Binomial(0, 0, 0.3, 0.7, 0, 0).value, 1.0);
  EXPECT_TRUE(stats::Terme_Binomial(0, 0, 0.3, 0.7, 0, 0).limit);
  EXPECT_EQ(stats::Terme_Binomial(-1, 4, 0.3, 0.7, 0, 0).value, 0.0);
  EXPECT_TRUE(stats::Terme_Binomial(2, -1, 0.3, 0.7, 0, 0).limit);
}

}  // namespace
