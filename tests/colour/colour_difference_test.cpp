// Colour differences against published and independently computed values.
#include "colour/colour_difference.h"

#include <gtest/gtest.h>

namespace {

// The 34 pairs published by Sharma, Wu and Dalal (Color Research and Application 30,
// 2005, table 1) with their CIEDE2000 differences; checked in both orders.
TEST(ColourDifference, Ciede2000MatchesThePublishedPairs) {
  struct Case {
    Couleur3 c1, c2;
    double dE;
  };
  const Case cases[] = {
      {{50.0000, 2.6772, -79.7751}, {50.0000, 0.0000, -82.7485}, 2.0425},
      {{50.0000, 3.1571, -77.2803}, {50.0000, 0.0000, -82.7485}, 2.8615},
      {{50.0000, 2.8361, -74.0200}, {50.0000, 0.0000, -82.7485}, 3.4412},
      {{50.0000, -1.3802, -84.2814}, {50.0000, 0.0000, -82.7485}, 1.0000},
      {{50.0000, -1.1848, -84.8006}, {50.0000, 0.0000, -82.7485}, 1.0000},
      {{50.0000, -0.9009, -85.5211}, {50.0000, 0.0000, -82.7485}, 1.0000},
      {{50.0000, 0.0000, 0.0000}, {50.0000, -1.0000, 2.0000}, 2.3669},
      {{50.0000, -1.0000, 2.0000}, {50.0000, 0.0000, 0.0000}, 2.3669},
      {{50.0000, 2.4900, -0.0010}, {50.0000, -2.4900, 0.0009}, 7.1792},
      {{50.0000, 2.4900, -0.0010}, {50.0000, -2.4900, 0.0010}, 7.1792},
      {{50.0000, 2.4900, -0.0010}, {50.0000, -2.4900, 0.0011}, 7.2195},
      {{50.0000, 2.4900, -0.0010}, {50.0000, -2.4900, 0.0012}, 7.2195},
      {{50.0000, -0.0010, 2.4900}, {50.0000, 0.0009, -2.4900}, 4.8045},
      {{50.0000, -0.0010, 2.4900}, {50.0000, 0.0010, -2.4900}, 4.8045},
      {{50.0000, -0.0010, 2.4900}, {50.0000, 0.0011, -2.4900}, 4.7461},
      {{50.0000, 2.5000, 0.0000}, {50.0000, 0.0000, -2.5000}, 4.3065},
      {{50.0000, 2.5000, 0.0000}, {73.0000, 25.0000, -18.0000}, 27.1492},
      {{50.0000, 2.5000, 0.0000}, {61.0000, -5.0000, 29.0000}, 22.8977},
      {{50.0000, 2.5000, 0.0000}, {56.0000, -27.0000, -3.0000}, 31.9030},
      {{50.0000, 2.5000, 0.0000}, {58.0000, 24.0000, 15.0000}, 19.4535},
      {{50.0000, 2.5000, 0.0000}, {50.0000, 3.1736, 0.5854}, 1.0000},
      {{50.0000, 2.5000, 0.0000}, {50.0000, 3.2972, 0.0000}, 1.0000},
      {{50.0000, 2.5000, 0.0000}, {50.0000, 1.8634, 0.5757}, 1.0000},
      {{50.0000, 2.5000, 0.0000}, {50.0000, 3.2592, 0.3350}, 1.0000},
      {{60.2574, -34.0099, 36.2677}, {60.4626, -34.1751, 39.4387}, 1.2644},
      {{63.0109, -31.0961, -5.8663}, {62.8187, -29.7946, -4.0864}, 1.2630},
      {{61.2901, 3.7196, -5.3901}, {61.4292, 2.2480, -4.9620}, 1.8731},
      {{35.0831, -44.1164, 3.7933}, {35.0232, -40.0716, 1.5901}, 1.8645},
      {{22.7233, 20.0904, -46.6940}, {23.0331, 14.9730, -42.5619}, 2.0373},
      {{36.4612, 47.8580, 18.3852}, {36.2715, 50.5065, 21.2231}, 1.4146},
      {{90.8027, -2.0831, 1.4410}, {91.1528, -1.6435, 0.0447}, 1.4441},
      {{90.9257, -0.5406, -0.9208}, {88.6381, -0.8985, -0.7239}, 1.5381},
      {{6.7747, -0.2908, -2.4247}, {5.8714, -0.0985, -2.2286}, 0.6377},
      {{2.0776, 0.0795, -1.1350}, {0.9033, -0.0636, -0.5514}, 0.9082},
  };
  int n = 0;
  for (const Case& c : cases) {
    ++n;
    EXPECT_NEAR(Delta_E2000(c.c1, c.c2), c.dE, 1e-4) << "pair " << n;
    EXPECT_NEAR(Delta_E2000(c.c2, c.c1), c.dE, 1e-4) << "pair " << n << " swapped";
  }
}

// CIE76, CIE94 (kL = kC = kH = 1, K1 0.045, K2 0.015) and CMC(1:1), the first colour as
// the reference, computed independently with Debian's python3-colormath 3.0
// (delta_e_cie1976, delta_e_cie1994, delta_e_cmc with pl = pc = 1).
TEST(ColourDifference, Cie76Cie94AndCmcAgainstIndependentValues) {
  struct Case {
    Couleur3 c1, c2;
    double e76, e94, cmc;
  };
  const Case cases[] = {
      {{12, 3, -4}, {14, 2, -3}, 2.449490, 2.311671, 4.198186},
      {{14, 2, -3}, {12, 3, -4}, 2.449490, 2.342956, 4.249257},
      {{50, 2.5, 0}, {73, 25, -18}, 36.868008, 34.689163, 42.108755},
      {{15, -10, 10}, {20, -12, 7}, 6.164414, 5.816254, 10.355019},   // L1 < 16: SL = 0.511
      {{16, -10, -10}, {30, 5, 5}, 25.416530, 22.066201, 33.981039},
      {{42.3, 58.59, 32.19}, {43.3, 63.58, 39.67}, 9.047127, 2.985396, 3.878053},
      {{70, -30, 60}, {65, -25, 50}, 12.247449, 5.721887, 5.466909},
      {{40, 20, -60}, {45, 15, -55}, 8.660254, 5.527509, 5.994705},  // 164 <= h1 <= 345
      {{50, 5, 5}, {56, 5, 5}, 6.000000, 6.000000, 5.513118},
      {{88, 1, 2}, {85, -2, 4}, 4.690416, 4.540566, 5.293047},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.c1[0]) + " " + std::to_string(c.c2[0]));
    EXPECT_NEAR(Delta_E76(c.c1, c.c2), c.e76, 1e-5);
    EXPECT_NEAR(Delta_E94(c.c1, c.c2), c.e94, 1e-4);
    EXPECT_NEAR(Delta_ECMC(c.c1, c.c2), c.cmc, 1e-4);
  }
}

TEST(ColourDifference, EqualColoursAndQuadraticMean) {
  const Couleur3 c{50, 5, 5};
  for (auto f : {Ecart_Quadratique, Delta_E76, Delta_E94, Delta_ECMC, Delta_E2000})
    EXPECT_EQ(f(c, c), 0.0);
  // Differing only in L* by 6: 6 / sqrt(3) = 3.4641...
  EXPECT_NEAR(Ecart_Quadratique(c, {56, 5, 5}), 3.4641016, 1e-7);
}

TEST(ColourDifference, HueAngles) {
  EXPECT_NEAR(Angle_Teinte(-10, 10), 135, 1e-3);
  EXPECT_NEAR(Angle_Teinte(-10, -10), 225, 1e-3);
  EXPECT_NEAR(Angle_Teinte(0, 10), 90, 1e-3);
  EXPECT_EQ(Angle_Teinte(0, 0), 0);
  EXPECT_GE(Angle_Teinte(1, -1e-12), 0);
  EXPECT_LT(Angle_Teinte(1, -1e-12), 360);
}

TEST(ColourDifference, Chromaticities) {
  const Couleur3 c = Chromaticite({190, 40, 50}, true);
  EXPECT_DOUBLE_EQ(c[0], 190.0 / 280);
  EXPECT_DOUBLE_EQ(c[2], 50.0 / 280);
  // The input is summed with rounding after each channel, an entry once.
  EXPECT_DOUBLE_EQ(Chromaticite({0.5, 0.5, 0.5}, true)[0], 1.0 / 3);
  EXPECT_DOUBLE_EQ(Chromaticite({0.5, 0.5, 0.5}, false)[0], 0.25);
  EXPECT_DOUBLE_EQ(Chromaticite({0, 0, 0}, false)[1], 1.0 / 3);
  // A colour and the same doubled.
  const Couleur3 d = Chromaticite({100, 50, 25}, false), e = Chromaticite({200, 100, 50}, false);
  EXPECT_EQ(Ecart_Quadratique(d, e), 0.0);
}

}  // namespace
