// Mean, variance, covariance and regression against values worked out by hand, numpy
// and scipy, and NIST StRD; the failures with their messages.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "base/text_tables.h"
#include "stat_test_support.h"
#include "stats/series.h"

namespace {

using namespace stats;

const std::vector<double> kX = {1, 2, 3, 4, 6};
const std::vector<double> kY = {1.5, 2.5, 2.9, 4.1, 6.3};

class Series : public ::testing::Test {
 protected:
  void SetUp() override { Messages_Defaut(); }
  stat_test::NoticeCapture notices;
};

TEST_F(Series, MeanVarianceAndStandardDeviation) {
  const std::vector<double> x = {1, 2, 3, 4};   // mean 2.5, squares of deviations 5, / 3
  EXPECT_DOUBLE_EQ(Moyenne(x), 2.5);
  EXPECT_DOUBLE_EQ(Variance_Estimee(x), 5.0 / 3);
  EXPECT_DOUBLE_EQ(Ecart_Type(x), std::sqrt(5.0 / 3));
  EXPECT_EQ(Moyenne({}), 0.0);
  EXPECT_EQ(Variance_Estimee(std::vector<double>{7}), 0.0);
}

TEST_F(Series, EqualValuesNeverGiveANegativeVariance) {
  // One pass gives -2e-16 here and its square root NaN.
  const std::vector<double> x(6, 0.7);
  EXPECT_GE(Variance_Estimee(x), 0.0);
  EXPECT_LT(Variance_Estimee(x), 1e-30);
  EXPECT_FALSE(std::isnan(Ecart_Type(x)));
}

// NIST StRD NumAcc3 and NumAcc4: 1000000.2 (10000000.2), then 500 pairs of .1 and .3
// above it; certified standard deviation 0.1.
TEST_F(Series, StandardDeviationOfNistNumAcc) {
  for (double base : {1000000.0, 10000000.0}) {
    std::vector<double> x = {base + 0.2};
    for (int k = 0; k < 500; ++k) {
      x.push_back(base + 0.1);
      x.push_back(base + 0.3);
    }
    EXPECT_NEAR(Ecart_Type(x), 0.1, 1e-9 * (base / 1000000.0)) << base;
  }
}

// numpy.cov(X, Y, bias=True)[0, 1] = 2.808; scipy.stats.pearsonr = 0.9913672175746417.
TEST_F(Series, CovarianceAndCorrelation) {
  const CovarianceResult r = Covariance_Correlation(kX, kY);
  EXPECT_NEAR(r.covariance, 2.808, 1e-14);
  EXPECT_NEAR(r.correlation, 0.991367217574642, 1e-14);
  EXPECT_EQ(r.message, 0);
  EXPECT_TRUE(notices.messages.empty());
}

TEST_F(Series, CovarianceFailures) {
  const CovarianceResult sizes = Covariance_Correlation(kX, std::vector<double>{1, 2, 3, 4, 5, 6});
  EXPECT_EQ(sizes.covariance, 0.0);
  EXPECT_EQ(sizes.correlation, kNoCorrelation);
  EXPECT_EQ(sizes.message, 233);
  // A constant series: the covariance stays, the correlation is marked.
  const CovarianceResult flat = Covariance_Correlation(kX, std::vector<double>(5, 0.7));
  EXPECT_NEAR(flat.covariance, 0.0, 1e-15);
  EXPECT_EQ(flat.correlation, kNoCorrelation);
  EXPECT_EQ(flat.message, 234);
  EXPECT_EQ(Covariance_Correlation({}, {}).message, 234);
  ASSERT_EQ(notices.messages.size(), 3u);
  EXPECT_EQ(notices.messages[0], "Séries de tailles différentes. Calcul abandonné");
  EXPECT_EQ(notices.messages[1], "un des ecarts-types est nul. Calcul abandonné");
}

// scipy.stats.linregress: slope 0.9486486486486485, intercept 0.42432432432432465.
TEST_F(Series, RegressionLine) {
  const RegressionLine r = Droite_Regression(kX, kY);
  EXPECT_NEAR(r.slope, 0.948648648648649, 1e-13);
  EXPECT_NEAR(r.intercept, 0.424324324324324, 1e-13);
  EXPECT_EQ(r.message, 0);
  const RegressionLine exact = Droite_Regression(std::vector<double>{0, 1, 2}, std::vector<double>{1, 3, 5});
  EXPECT_DOUBLE_EQ(exact.slope, 2.0);
  EXPECT_DOUBLE_EQ(exact.intercept, 1.0);
  // Away from zero the spread of x survives: y = 3x - 5 on x = 1000 + 0.1 k.
  std::vector<double> x, y;
  for (int k = 0; k < 10; ++k) {
    x.push_back(1000 + 0.1 * k);
    y.push_back(3 * x.back() - 5);
  }
  EXPECT_NEAR(Droite_Regression(x, y).slope, 3.0, 1e-10);
  EXPECT_NEAR(Droite_Regression(x, y).intercept, -5.0, 1e-7);
  EXPECT_TRUE(notices.messages.empty());
}

TEST_F(Series, RegressionFailures) {
  struct Case {
    std::vector<double> x, y;
    int message;
  };
  const Case cases[] = {
      {std::vector<double>(5, 2.3), {1, 2, 3, 4, 5}, 235},   // D = 2.8e-14 by one pass, not 0
      {{1e6, 1e6 + 0.5, 1e6 + 1}, {1, 2, 3}, 235},           // spread below 1e-6 of the values
      {{4, 4, 4}, {1, 2, 3}, 235},
      {{1.5}, {2}, 235},
      {{}, {}, 235},
      {kX, {1, 2}, 233},
  };
  for (const Case& c : cases) {
    const RegressionLine r = Droite_Regression(c.x, c.y);
    EXPECT_EQ(r.message, c.message);
    EXPECT_EQ(r.slope, 0.0);
    EXPECT_EQ(r.intercept, 0.0);
  }
  ASSERT_EQ(notices.messages.size(), 6u);
  EXPECT_EQ(notices.messages[0], "Valeurs nulles. Calcul impossible.");
  EXPECT_EQ(notices.messages[5], "Séries de tailles différentes. Calcul abandonné");
}

}  // namespace
