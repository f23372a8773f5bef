// The best cut and the homogeneity verdict. References: Ro and P from exact rational
// sums and 60-digit arithmetic (tests/data/stats/make_test_refs.py, "homogeneity").
#include "stats/homogeneity.h"

#include <gtest/gtest.h>

#include "stat_test_support.h"

namespace {

TEST(Homogeneity, BestCutTable) {
  struct Case {
    std::vector<double> sorted;
    int k;
    double criterion, x0;
  };
  const Case cases[] = {
      {{2.1, 2.2, 2.4, 2.6, 5.3, 5.5, 5.9}, 4, 114.58583333333333, 3.95},
      {{0, 1, 1, 2}, 1, 16.0 / 3, 0.5},   // k = 1 and k = 3 tie: the first stays
      {{0, 0, 0, 0, 0}, 1, 0, 0},
  };
  for (const Case& c : cases) {
    const auto cut = stats::Meilleure_Coupure(c.sorted);
    ASSERT_TRUE(cut.has_value());
    EXPECT_EQ(cut->k, c.k);
    EXPECT_NEAR(cut->criterion, c.criterion, 1e-12 * c.criterion);
    EXPECT_NEAR(cut->x0, c.x0, 1e-15);
  }
  EXPECT_FALSE(stats::Meilleure_Coupure(std::vector<double>{4}).has_value());
}

TEST(Homogeneity, WorkedExampleTextWithBothSeparators) {
  for (char sep : {'.', ','}) {
    stat_test::PinnedSeparator pinned(sep);
    const auto r = stats::Test_Homogeneite_Texte("12;1;3;10;2;11;");
    ASSERT_TRUE(r.has_value());
    const std::string d(1, sep);
    EXPECT_EQ(r->text, " Ro= 0" + d + "178528737070981\r\n6 données   ;   Pm=  3  ;  \r\n\r\n"
                       "La  population est probablement (risque 5%) hétérogène\r\n"
                       " (au niveau approximatif de signification de 0" + d + "01180934\r\n"
                       "alpha = 0" + d + "0118093363597403\r\n\r\n"
                       "Le premier sous groupe est constitué par les valeurs \r\n x <= 6" + d + "50.");
    EXPECT_EQ(r->cut, "6" + d + "50");
  }
}

TEST(Homogeneity, SignificanceAgainstExactArithmetic) {
  std::vector<double> hundredths, oneToTwelve;
  for (int k = 1; k <= 1201; ++k) hundredths.push_back(k / 100.0);
  for (int k = 1; k <= 12; ++k) oneToTwelve.push_back(k);
  const std::tuple<std::vector<double>, int, double, double, const char*> cases[] = {
      {hundredths, 600, 0.5, 0.04607550112948004, "est probablement (risque 5%) hétérogène"},
      {{2.1, 2.4, 2.2, 2.6, 5.3, 5.9, 5.5}, 4, 0.13495234480365954, 0.00095746240408359867, "est clairement (risque 1%)"},
      {oneToTwelve, 6, 0.49472744491815365, 0.44246452984950655, " est peut être homogène alpha = "},
  };
  stat_test::PinnedSeparator pinned('.');
  for (const auto& [values, k, ro, p, verdict] : cases) {
    const auto r = stats::Test_Homogeneite(values);
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(r->best.k, k);
    EXPECT_LE(stat_test::relError(r->ro, ro), 1e-12) << k;
    EXPECT_LE(stat_test::relError(r->p, p), 1e-9) << k;
    EXPECT_NE(r->text.find(verdict), std::string::npos) << r->text;
  }
  EXPECT_TRUE(stats::Test_Homogeneite(hundredths)->text.ends_with(" x <= 6.01."));
  EXPECT_TRUE(stats::Test_Homogeneite(oneToTwelve)->text.ends_with("séparable à la valeur  \r\n x = 6.50."));
}

TEST(Homogeneity, EqualValuesLoneLowValueAndTooFewValues) {
  stat_test::PinnedSeparator pinned(',');
  stat_test::NoticeCapture notices;
  const auto equal = stats::Test_Homogeneite_Texte("2,5;2,5;2,5;2,5;2,5;");
  EXPECT_EQ(equal->text, "5 données ; toutes les valeurs sont égales : la population est homogène.");
  EXPECT_EQ(equal->cut, "2,50");
  EXPECT_EQ(notices.beeps, 0);
  EXPECT_EQ(stats::Test_Homogeneite(std::vector<double>{1, 50, 51, 52, 53})->best.k, 1);
  EXPECT_EQ(notices.beeps, 1);

  EXPECT_FALSE(stats::Test_Homogeneite_Texte("1;2;;3; ;").has_value());
  EXPECT_FALSE(stats::Test_Homogeneite_Texte("1;2;3;4").has_value());   // no value after the last ";"
  EXPECT_EQ(notices.messages, std::vector<std::string>(2, " nombre de mesures insuffisant"));
  EXPECT_TRUE(stats::Test_Homogeneite_Texte("1;2;;3; ;0;").has_value());   // zeros are values
}

}  // namespace
