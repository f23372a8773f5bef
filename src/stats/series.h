#pragma once
// Descriptive routines on series whose every element is a value (0-based): mean,
// estimated variance and standard deviation, covariance with the correlation
// coefficient of two series, and the least-squares line of one series on another.
// The failures go to the message slot and come back in the result.

#include <span>

namespace stats {

// Arithmetic mean; 0 for an empty series.
double Moyenne(std::span<const double> x);

// Estimated variance (divisor n - 1), never negative; 0 with fewer than two values.
double Variance_Estimee(std::span<const double> x);

// Square root of Variance_Estimee.
double Ecart_Type(std::span<const double> x);

// The correlation that marks "not computed".
inline constexpr double kNoCorrelation = 1000000.0;

// Population covariance (divisor n) and Pearson correlation coefficient; `message` is
// 0, or the MSG number that was shown: 233 for series of different lengths (0 and
// kNoCorrelation), 234 when a standard deviation is zero (the covariance and
// kNoCorrelation).
struct CovarianceResult {
  double covariance = 0;
  double correlation = 0;
  int message = 0;
};
CovarianceResult Covariance_Correlation(std::span<const double> x, std::span<const double> y);

// Least-squares line y = slope x + intercept; `message` is 0, or 233 for series of
// different lengths and 235 when the x values do not spread (all equal, or fewer than
// two points), both with (0, 0).
struct RegressionLine {
  double slope = 0;
  double intercept = 0;
  int message = 0;
};
RegressionLine Droite_Regression(std::span<const double> x, std::span<const double> y);

}  // namespace stats
