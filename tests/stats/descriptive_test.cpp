// Two-pass moments and the NaN-safe sort, on samples whose moments are worked out by
// hand below.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "stats/descriptive.h"

namespace {

using stats::computeMoments;
using stats::SampleMoments;

// 2, 4, 4, 4, 5, 5, 7, 9: sum 40, mean 5; deviations -3, -1, -1, -1, 0, 0, 2, 4.
// Squares 9+1+1+1+0+0+4+16 = 32, variance 32/8 = 4, sigma 2 (population form).
// Cubes -27-1-1-1+0+0+8+64 = 42, m3 = 5.25, skewness 5.25/8 = 0.65625.
// Fourth powers 81+1+1+1+0+0+16+256 = 356, m4 = 44.5, kurtosis 44.5/16 = 2.78125.
TEST(Descriptive, TextbookSampleGivesPopulationMoments) {
  const std::vector<double> x = {2, 4, 4, 4, 5, 5, 7, 9};
  const SampleMoments m = computeMoments(x);
  EXPECT_EQ(m.n, 8);
  EXPECT_DOUBLE_EQ(m.mean, 5.0);
  EXPECT_DOUBLE_EQ(m.variance, 4.0);
  EXPECT_DOUBLE_EQ(m.sigma, 2.0);
  EXPECT_DOUBLE_EQ(m.skewness, 0.65625);
  EXPECT_DOUBLE_EQ(m.kurtosis, 2.78125);
}

// The same spread far from zero: 1e9 + 4, 7, 13, 16. Mean 1e9 + 10, deviations -6, -3,
// 3, 6: variance (36+9+9+36)/4 = 22.5, skewness 0, m4 = (1296+81+81+1296)/4 = 688.5,
// kurtosis 688.5/22.5^2 = 1.36. The one-pass sums of x^2 (about 1e18, spacing 128)
// cannot resolve these; the two passes must.
TEST(Descriptive, LargeOffsetKeepsTheSpread) {
  const double b = 1e9;
  const std::vector<double> x = {b + 4, b + 7, b + 13, b + 16};
  const SampleMoments m = computeMoments(x);
  EXPECT_DOUBLE_EQ(m.mean, b + 10);
  EXPECT_NEAR(m.variance, 22.5, 1e-9);
  EXPECT_NEAR(m.skewness, 0.0, 1e-12);
  EXPECT_NEAR(m.kurtosis, 1.36, 1e-12);
}

// Shifting and scaling a sample leaves skewness and kurtosis as they are; the mean and
// sigma follow: x' = 1000 x + 1e6 on the textbook sample gives mean 1,005,000 and
// sigma 2000.
TEST(Descriptive, ShiftAndScaleFollowTheDefinitions) {
  std::vector<double> x = {2, 4, 4, 4, 5, 5, 7, 9};
  for (double& d : x) d = 1000 * d + 1e6;
  const SampleMoments m = computeMoments(x);
  EXPECT_DOUBLE_EQ(m.mean, 1005000.0);
  EXPECT_DOUBLE_EQ(m.sigma, 2000.0);
  EXPECT_NEAR(m.skewness, 0.65625, 1e-12);
  EXPECT_NEAR(m.kurtosis, 2.78125, 1e-12);
}

TEST(Descriptive, EmptyAndSingleSamples) {
  const SampleMoments e = computeMoments(std::vector<double>{});
  EXPECT_EQ(e.n, 0);
  EXPECT_EQ(e.mean, 0.0);
  EXPECT_EQ(e.sigma, 0.0);
  EXPECT_EQ(e.kurtosis, 0.0);

  const SampleMoments one = computeMoments(std::vector<double>{3.5});
  EXPECT_EQ(one.n, 1);
  EXPECT_DOUBLE_EQ(one.mean, 3.5);
  EXPECT_EQ(one.sigma, 0.0);
  EXPECT_EQ(one.skewness, 0.0);
  EXPECT_EQ(one.kurtosis, 0.0);

  // Equal values: no spread, no shape.
  const SampleMoments flat = computeMoments(std::vector<double>{0.7, 0.7, 0.7});
  EXPECT_EQ(flat.sigma, 0.0);
  EXPECT_EQ(flat.skewness, 0.0);
}

// 1 and 1.001: mean 1.0005, sigma 0.0005. Below the threshold 0.001 the shape is 0;
// with no threshold two points give skewness 0 and kurtosis 1 ((1 + 1) / 2 on z = +-1).
TEST(Descriptive, ShapeOnlyAboveTheSigmaThreshold) {
  const std::vector<double> x = {1.0, 1.001};
  const SampleMoments cut = computeMoments(x, 0.001);
  EXPECT_NEAR(cut.sigma, 0.0005, 1e-15);
  EXPECT_EQ(cut.kurtosis, 0.0);
  const SampleMoments all = computeMoments(x, 0.0);
  EXPECT_NEAR(all.kurtosis, 1.0, 1e-9);
  EXPECT_NEAR(all.skewness, 0.0, 1e-9);
}

TEST(Descriptive, NonFiniteValuesAreLeftOut) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  const std::vector<double> x = {2, nan, 4, 4, inf, 4, 5, -inf, 5, 7, 9};
  const SampleMoments m = computeMoments(x);
  EXPECT_EQ(m.n, 8);
  EXPECT_DOUBLE_EQ(m.mean, 5.0);
  EXPECT_DOUBLE_EQ(m.sigma, 2.0);
  EXPECT_EQ(stats::mean(std::vector<double>{nan, inf}), 0.0);
}

// 1e200 and 3e200: mean 2e200 and sigma 1e200; the squares of the deviations would
// overflow without scaling. The variance itself (1e400) cannot be held and is 0.
TEST(Descriptive, HugeValuesKeepAFiniteSigma) {
  const SampleMoments m = computeMoments(std::vector<double>{1e200, 3e200});
  EXPECT_DOUBLE_EQ(m.mean, 2e200);
  EXPECT_NEAR(m.sigma / 1e200, 1.0, 1e-15);
  EXPECT_EQ(m.variance, 0.0);
  EXPECT_NEAR(m.kurtosis, 1.0, 1e-12);
}

// Ten times 0.1: the plain sum is 0.9999999999999999 and its tenth one unit of the
// last place below 0.1; the corrected mean is 0.1 to the last bit.
TEST(Descriptive, MeanIsCorrectedBySecondPass) {
  const std::vector<double> x(10, 0.1);
  EXPECT_EQ(stats::mean(x), 0.1);
}

// Samples whose deviations from the mean are exactly symmetric have a skewness of
// exactly 0, whatever their order and size: 1 to 25 (mean 13, deviations -12 to 12),
// the same taken from both ends in turn, a wide symmetric spread around 1e6 and one of
// tiny values.
TEST(Descriptive, ExactlySymmetricSamplesHaveNoSkewness) {
  std::vector<double> un_a_25, entrelaces, large, petits;
  for (int i = 1; i <= 25; ++i) un_a_25.push_back(i);
  for (int i = 0; i < 12; ++i) {
    entrelaces.push_back(25 - i);
    entrelaces.push_back(1 + i);
  }
  entrelaces.push_back(13);
  for (double d : {0.0, 3.0, 1e-3, 250.0, 7.5, 1e5}) {
    large.push_back(1e6 + d);
    large.push_back(1e6 - d);
  }
  for (double d : {1.0, 3.0, 5.0, 11.0}) {
    petits.push_back(0x1p-900 * (64 + d));
    petits.push_back(0x1p-900 * (64 - d));
  }
  for (const std::vector<double>* x : {&un_a_25, &entrelaces, &large, &petits}) {
    const SampleMoments m = computeMoments(*x);
    EXPECT_EQ(m.skewness, 0.0) << x->size();
    EXPECT_GT(m.kurtosis, 1.0) << x->size();
  }
  // 1 to 25: variance (25^2 - 1) / 12 = 52; fourth central moment 2 (1^4 + ... +
  // 12^4) / 25 = 2 x 60710 / 25 = 4856.8, kurtosis 4856.8 / 52^2.
  const SampleMoments m = computeMoments(un_a_25);
  EXPECT_DOUBLE_EQ(m.variance, 52.0);
  EXPECT_NEAR(m.kurtosis, 4856.8 / 2704, 1e-15);
}

TEST(Descriptive, SortAscendingPutsNaNLast) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  std::vector<double> x = {3, nan, -1, 2, 2, nan, 0};
  stats::sortAscending(x);
  ASSERT_EQ(x.size(), 7u);
  EXPECT_EQ(x[0], -1);
  EXPECT_EQ(x[1], 0);
  EXPECT_EQ(x[2], 2);
  EXPECT_EQ(x[3], 2);
  EXPECT_EQ(x[4], 3);
  EXPECT_TRUE(std::isnan(x[5]));
  EXPECT_TRUE(std::isnan(x[6]));

  std::vector<double> empty;
  stats::sortAscending(empty);
  EXPECT_TRUE(empty.empty());
  std::vector<double> reverse = {5, 4, 3, 2, 1};
  stats::sortAscending(reverse);
  EXPECT_EQ(reverse, (std::vector<double>{1, 2, 3, 4, 5}));
}

}  // namespace
