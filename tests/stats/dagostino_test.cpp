// Moments of a data text and the D'Agostino test against scipy.stats skewtest,
// kurtosistest and normaltest (tests/data/stats/make_test_refs.py, "D'Agostino").
#include "stats/dagostino.h"

#include <gtest/gtest.h>

#include "stat_test_support.h"
#include "stats/number_text.h"

namespace {

const std::string kLengths =
    "9.1;9.4;9.6;9.7;9.8;9.9;10.0;10.0;10.1;10.2;10.2;10.3;10.3;10.4;10.4;10.5;10.5;10.6;10.7;10.8;"
    "10.9;11.0;11.1;11.2;11.4;11.5;11.8;12.1;12.6;13.4;";

TEST(Dagostino, AgreesWithScipy) {
  std::string formula;   // ((37 i^2 + 11 i) mod 101) / 10, i = 1 .. 60
  for (long i = 1; i <= 60; ++i) formula += std::to_string((37 * i * i + 11 * i) % 101) + "e-1;";
  const std::tuple<std::string, bool, double, double, double, double> cases[] = {
      {kLengths, false, 2.369253867521994, 1.56442554578836, 8.060791177083134, 0.017767300022967444},
      {"5,0;4,1;4,9;3,0;4,8;5,2;4,7;1,2;", false, -2.2511437648440586, 1.555963259132843, 7.4886699137675805,
       0.023651352988043512},
      {formula, false, -0.2767153901477858, -2.525544120457313, 6.454944511521144, 0.039657616510776844},
      {"0;-3;" + kLengths, true, 1.858708208025165, 1.1174513328249651, 4.703493683812411, 0.09520271278917451},
  };
  for (const auto& [text, logs, z1, z2, k2, p] : cases) {
    const auto r = stats::Dagostino(stats::momentsOf(stats::dataValues(text, logs)));
    ASSERT_TRUE(r.has_value()) << text;
    EXPECT_NEAR(r->z1, z1, 1e-12) << text;
    EXPECT_NEAR(r->z2, z2, 1e-12) << text;
    EXPECT_NEAR(r->k2, k2, 1e-12) << text;
    EXPECT_NEAR(r->p, p, 1e-12) << text;
  }
  // A skewness of exactly 0 gives Z1 = 0.
  EXPECT_EQ(stats::Dagostino(stats::momentsOf(std::vector<double>{1, 2, 3, 4, 5, 6, 7, 8, 9}))->z1, 0.0);
}

TEST(Dagostino, PanelTexts) {
  for (char sep : {'.', ','}) {
    stat_test::PinnedSeparator pinned(sep);
    EXPECT_EQ(stats::Texte_Dagostino(kLengths, false),
              stat_test::withSeparator("n = 30\r\nZ1 (asymétrie) = 2.36925386752199\r\nZ2 (aplatissement) = "
                                       "1.56442554578836\r\nK² = 8.06079117708314\r\np (khi², 2 ddl) = 0.0177673000229674",
                                       sep));
  }
  // 1 to 25 is symmetric about 13: Z1 is exactly 0 and written "0".
  std::string un_a_25;
  for (int i = 1; i <= 25; ++i) un_a_25 += std::to_string(i) + ";";
  EXPECT_EQ(stats::Texte_Dagostino(un_a_25, false).rfind("n = 25\r\nZ1 (asymétrie) = 0\r\nZ2 (aplatissement) = ", 0), 0u)
      << stats::Texte_Dagostino(un_a_25, false);
  EXPECT_EQ(stats::Texte_Dagostino("1;2;3;4;5;6;7;", false), "D'Agostino : il faut au moins 8 valeurs");
  EXPECT_EQ(stats::Texte_Dagostino("1;2;3;4;5;6;7;0;8", true), "D'Agostino : il faut au moins 8 valeurs");
  EXPECT_EQ(stats::Texte_Dagostino("4;4;4;4;4;4;4;4;", false), "D'Agostino : écart-type nul, test impossible");
  EXPECT_EQ(stats::Texte_Dagostino("4;4.0001;4;4;4;4;4;4;", false), "D'Agostino : écart-type nul, test impossible");
}

TEST(Dagostino, MomentsOfADataText) {
  // n, mean, variance, third and fourth central moments, skewness, kurtosis.
  const std::pair<const char*, std::vector<double>> cases[] = {
      {"1;2;3;", {3, 2, 2.0 / 3, 0, 2.0 / 3, 0, 1.5}},
      {"1;2;3", {2, 1.5, 0.25, 0, 0.0625, 0, 1}},
      {"0;;0;3;", {3, 1, 2, 2, 6, 2 / std::pow(2.0, 1.5), 1.5}},
      {"7;7;7;", {3, 7, 0, 0, 0, 0, 0}},
  };
  for (const auto& [text, want] : cases) {
    const auto m = stats::Calcul_Moments(text);
    ASSERT_TRUE(m.has_value()) << text;
    const double got[] = {m->n, m->mean, m->variance, m->m3, m->m4, m->skewness, m->kurtosis};
    for (int i = 0; i < 7; ++i) EXPECT_NEAR(got[i], want[i], 1e-14) << text << " " << i;
  }
  EXPECT_FALSE(stats::Calcul_Moments("1 2 3").has_value());
}

}  // namespace
