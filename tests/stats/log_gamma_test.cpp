// Special functions against mpmath at 50 digits (values rounded to double beside each
// case) and the values quoted.
#include <gtest/gtest.h>

#include <cmath>

#include "stat_test_support.h"
#include "stats/log_gamma.h"

namespace {

using stat_test::relError;
using namespace stats;

TEST(LogGamma, LogarithmsAndExponentialMinusOne) {
  struct Case {
    double x, log1p, log1pmx, expm1;
  };
  // mpmath: log1p(x), log1p(x) - x, expm1(x).
  const Case cases[] = {
      {-0.9, -2.302585092994046, -1.4025850929940458, -0.5934303402594009},
      {-0.79, -1.5606477482646683, -0.7706477482646684, -0.5461552047176442},
      {-0.5, -0.6931471805599453, -0.19314718055994531, -0.3934693402873666},
      {-0.01, -0.010050335853501442, -5.0335853501441186e-05, -0.009950166250831947},
      {-1e-9, -1.0000000005e-09, -5.000000003333333e-19, -9.999999995e-10},
      {1e-12, 9.999999999995e-13, -4.999999999996667e-25, 1.0000000000005e-12},
      {0.005, 0.004987541511039074, -1.2458488960926388e-05, 0.005012520859401064},
      {0.3, 0.26236426446749106, -0.03763573553250895, 0.34985880757600313},
      {0.99, 0.688134638736401, -0.301865361263599, 1.6912344723492623},
      {1.5, 0.9162907318741551, -0.5837092681258449, 3.481689070338065},
  };
  for (const Case& c : cases) {
    EXPECT_LE(relError(Log_1_Plus(c.x), c.log1p), 4e-16) << c.x;
    EXPECT_LE(relError(Log_1_Plus_Moins_X(c.x), c.log1pmx), 1e-15) << c.x;
    EXPECT_LE(relError(Exp_Moins_1(c.x), c.expm1), 1e-14) << c.x;
  }
  EXPECT_EQ(Log_1_Plus(-1), 0.0);
  EXPECT_EQ(Log_1_Plus(-7), 0.0);
  EXPECT_EQ(Log_1_Plus(std::nan("")), 0.0);
  EXPECT_EQ(Log_1_Plus_Moins_X(-1), -1e308);
  EXPECT_EQ(Exp_Moins_1(1e-5), 1.0000050000166667e-05);
  EXPECT_NEAR(Exp_Moins_1(-1.5), -0.77686983985157, 1e-14);
  EXPECT_EQ(Exp_Moins_1(2), std::exp(2.0) - 1);
}

// The sum over k of x^k / (i + k d), mpmath.nsum.
TEST(LogGamma, LogarithmicContinuedFraction) {
  EXPECT_LE(relError(Log_Fraction_Continue(0.5, 1, 2), 1.246450480280461), 1e-15);
  EXPECT_LE(relError(Log_Fraction_Continue(-0.25, 42, 1), 0.019137028950188727), 1e-15);
  EXPECT_LE(relError(Log_Fraction_Continue(0.9, 3, 2), 1.0186787460155016), 1e-14);
}

TEST(LogGamma, StirlingErrorOnEveryRange) {
  struct Case {
    double x, e;
  };
  // mpmath: loggamma(x + 2) - ((x + 1.5) log(x + 1) - (x + 1) + log(sqrt(2 pi))).
  const Case cases[] = {
      {-0.9, 0.512740081331915},     {-0.5, 0.15342640972002736},  {0, 0.0810614667953273},
      {0.3, 0.06299524571347395},    {0.5, 0.0548141210519177},    {2.5, 0.023746163656297496},
      {5, 0.0138761288230707},       {5.999, 0.011898407430431262}, {6, 0.01189670994589177},
      {7.5, 0.009799416126158804},   {100, 0.0008250798122425884}, {1e11, 8.33333333325e-13},
  };
  for (const Case& c : cases) EXPECT_LE(relError(Erreur_Stirling(c.x), c.e), 1e-14) << c.x;
  EXPECT_EQ(Erreur_Stirling(-1), 1e308);
  EXPECT_EQ(Erreur_Stirling(-3), 1e308);
  // E(x) - E(x + 1) at -0.5, 0.3, 2.5.
  EXPECT_LE(relError(Terme_Lgamma_1_Plus(-0.5), 0.09861228866810968), 1e-14);
  EXPECT_LE(relError(Terme_Lgamma_1_Plus(0.3), 0.026980745241703318), 1e-14);
  EXPECT_LE(relError(Terme_Lgamma_1_Plus(2.5), 0.005257713123624311), 1e-14);
}

TEST(LogGamma, StirlingErrorDerivatives) {
  struct Case {
    double x, d1, d3, d5, d7;
  };
  // mpmath.diff of E, orders 1, 3, 5 and 7.
  const Case cases[] = {
      {-0.5, -0.27036284546147815, -4.82879664423432, -291.47424982666723, -38443.45792380302},
      {0.3, -0.046939768718906094, -0.15158040268108722, -1.5926299484551305, -34.82993037326435},
      {2.5, -0.006749184992981951, -0.003247783420153059, -0.005165036217625633, -0.017125822168458284},
      {7.5, -0.0011518165050859435, -9.534835197964081e-05, -2.6263668786131878e-05, -1.5166191873280429e-05},
      {100, -8.16905366710019e-06, -4.8047447302635446e-09, -9.41980602289149e-12, -3.878173386899081e-14},
  };
  for (const Case& c : cases) {
    EXPECT_LE(relError(Erreur_Stirling_D1(c.x), c.d1), 1e-13) << c.x;
    EXPECT_LE(relError(Erreur_Stirling_D3(c.x), c.d3), 1e-13) << c.x;
    EXPECT_LE(relError(Erreur_Stirling_D5(c.x), c.d5), 1e-13) << c.x;
    // The seventh derivative only corrects Diff_Erreur_Stirling by a^7 / 1.6e6: its
    // truncated series is good to about 1e-11 just above 6.
    EXPECT_LE(relError(Erreur_Stirling_D7(c.x), c.d7), 2e-11) << c.x;
  }
  EXPECT_NEAR(Erreur_Stirling_D1(0), -0.0772156649015329, 1e-16);  // 0.5 - Euler's constant
  EXPECT_EQ(Terme_Lgamma_1_Plus_D3(0), -0.375);
  // The same derivatives of E(x) - E(x + 1) at 0.3.
  EXPECT_LE(relError(Terme_Lgamma_1_Plus_D1(0.3), -0.031461830495597747), 1e-14);
  EXPECT_LE(relError(Terme_Lgamma_1_Plus_D5(0.3), -1.5320308550744446), 1e-14);
  EXPECT_LE(relError(Terme_Lgamma_1_Plus_D7(0.3), -34.378665667681474), 1e-14);
  EXPECT_EQ(Erreur_Stirling_D3(-1), -1e308);
}

TEST(LogGamma, DifferenceOfStirlingErrors) {
  // 0.01 <= 0.03 x 1.31: the Taylor form; mpmath E(0.31) - E(0.3), E(20.001) - E(20).
  EXPECT_LE(relError(Diff_Erreur_Stirling(0.01, 0.3), -0.00046596453456540667), 1e-14);
  EXPECT_LE(relError(Diff_Erreur_Stirling(0.001, 20), -1.8891267794424198e-07), 1e-13);
  EXPECT_LE(relError(Diff_Erreur_Stirling(0.2, 0.3), Erreur_Stirling(0.5) - Erreur_Stirling(0.3)), 1e-15);
}

TEST(LogGamma, LogGammaOfOnePlusSmallArguments) {
  struct Case {
    double a, lgamma;
  };
  // mpmath.loggamma(1 + a).
  const Case cases[] = {
      {-0.9, 2.252712651734206},      {-0.5, 0.5723649429247001},     {-1e-8, 5.772156731262032e-09},
      {1e-10, -5.7721566481928616e-11}, {0.01, -0.005690307946069646}, {0.25, -0.09827183642181316},
      {0.49, -0.12110025854219772},   {0.9, -0.03898427592308333},
  };
  for (const Case& c : cases) EXPECT_LE(relError(Lgamma_1_Plus(c.a), c.lgamma), 5e-15) << c.a;
  EXPECT_EQ(Lgamma_1_Plus(0), 0.0);
}

TEST(LogGamma, EvenWholeNumbers) {
  EXPECT_TRUE(Est_Pair(4));
  EXPECT_TRUE(Est_Pair(0));
  EXPECT_TRUE(Est_Pair(-2));
  EXPECT_FALSE(Est_Pair(3));
  EXPECT_FALSE(Est_Pair(4.5));
}

}  // namespace
