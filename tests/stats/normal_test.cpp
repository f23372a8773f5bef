// The normal law and its inverse against scipy tables (tests/data/stats, made by
// make_tables.py) and the values quoted beside each case.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "stat_test_support.h"
#include "stats/normal.h"

namespace {

using stat_test::relError;
using stats::Loi_Normale;
using stats::Normale_Inverse;

// scipy.stats.norm.cdf at x = k / 100, k = -3700 .. 3700.
TEST(Normal, DistributionFunctionMatchesScipyFromMinus37To37) {
  double worstAbs = 0, worstRelTo20 = 0, worstRelBeyond = 0;
  for (const auto& row : stat_test::readTable("normal_cdf.txt")) {
    const double x = row[0] / 100;
    const auto n = Loi_Normale(x);
    ASSERT_TRUE(n.has_value());
    worstAbs = std::max(worstAbs, std::fabs(n->p - row[1]));
    if (x < 0) {
      double& worst = x >= -20 ? worstRelTo20 : worstRelBeyond;
      worst = std::max(worst, relError(n->p, row[1]));
    }
  }
  EXPECT_LE(worstAbs, 3e-16);
  EXPECT_LE(worstRelTo20, 5e-14);
  EXPECT_LE(worstRelBeyond, 5e-13);
}

TEST(Normal, QuotedValuesAndDensity) {
  struct Case {
    double x, p, density;
  };
  // Densities exp(-x^2/2) / sqrt(2 pi); probabilities from scipy.stats.norm.cdf.
  const Case cases[] = {
      {-2.5, 0.00620966532577613, 0.01752830049356854},
      {0.8, 0.788144601416603, 0.28969155276148273},
      {0, 0.5, 0.3989422804014327},
      {1.959963984540, 0.9749999999999969, 0.05844506980504157},
  };
  for (const Case& c : cases) {
    const auto n = Loi_Normale(c.x);
    ASSERT_TRUE(n.has_value());
    EXPECT_LE(relError(n->p, c.p), 1e-14) << c.x;
    EXPECT_LE(relError(n->density, c.density), 1e-14) << c.x;
  }
  // 1.5 and -1.5 both take the continued fraction; their probabilities add to 1.
  EXPECT_NEAR(Loi_Normale(-1.5)->p + Loi_Normale(1.5)->p, 1.0, 1e-16);
}

TEST(Normal, FarArgumentsGiveExactLimitsWithZeroDensity) {
  const double inf = std::numeric_limits<double>::infinity();
  for (double x : {41.0, 45.0, 1e300, inf}) {
    EXPECT_EQ(Loi_Normale(x)->p, 1.0) << x;
    EXPECT_EQ(Loi_Normale(x)->density, 0.0) << x;
    EXPECT_EQ(Loi_Normale(-x)->p, 0.0) << x;
    EXPECT_EQ(Loi_Normale(-x)->density, 0.0) << x;
  }
  EXPECT_FALSE(Loi_Normale(std::nan("")).has_value());
}

// scipy.special.ndtri at 10^-k (k = 1 .. 300), 0.001 .. 0.999 by 0.001, 1 - 10^-k.
TEST(Normal, InverseMatchesScipyToTwoUlpsOfRelativeError) {
  double worst = 0;
  for (const auto& row : stat_test::readTable("normal_quantile.txt"))
    worst = std::max(worst, row[1] == 0 ? std::fabs(Normale_Inverse(row[0])) : relError(Normale_Inverse(row[0]), row[1]));
  EXPECT_LE(worst, 2e-15);
}

TEST(Normal, InverseQuotedValues) {
  EXPECT_NEAR(Normale_Inverse(0.995), 2.5758293035489, 1e-13);
  EXPECT_NEAR(Normale_Inverse(1e-12), -7.03448382530113, 1e-13);
  EXPECT_NEAR(Normale_Inverse(0.975), 1.95996398454005, 1e-13);
  EXPECT_EQ(Normale_Inverse(0.5), 0.0);
  // 1e-300 lies in the far branch (r > 5); scipy.special.ndtri(1e-300).
  EXPECT_LE(relError(Normale_Inverse(1e-300), -37.0470962993612), 2e-15);
}

TEST(Normal, InverseOutsideTheOpenIntervalSaysAlerteCLNIAndGivesZero) {
  for (double p : {0.0, 1.0, -4.0, 1.5, std::nan("")}) {
    stat_test::NoticeCapture notices;
    EXPECT_EQ(Normale_Inverse(p), 0.0) << p;
    ASSERT_EQ(notices.messages.size(), 1u) << p;
    EXPECT_EQ(notices.messages[0], "alerte CLNI");
  }
  stat_test::NoticeCapture notices;
  Normale_Inverse(0.3);
  EXPECT_TRUE(notices.messages.empty());
}

}  // namespace
