#pragma once
// Descriptive statistics of a sample: mean, population variance and standard
// deviation, skewness and kurtosis by the corrected two-pass algorithm of Chan, Golub
// and LeVeque (1983, "Algorithms for computing the sample variance", The American
// Statistician 37), and an ascending sort that tolerates NaN. No windows, no state.

#include <span>
#include <vector>

namespace stats {

// Moments of a sample, all with the divisor n (population form).
struct SampleMoments {
  int n = 0;                // number of finite values taken
  double mean = 0;          // arithmetic mean
  double sigma = 0;         // square root of (sum of squared deviations / n)
  double variance = 0;      // sigma squared; 0 when it would overflow
  double skewness = 0;      // third central moment / sigma^3
  double kurtosis = 0;      // fourth central moment / sigma^4 (not reduced by 3)
};

// Moments of the finite values of x (NaN and infinities are left out). With no value
// every field is 0. Skewness and kurtosis are 0 unless sigma > minSigma (pass 0 to
// get them for any non-zero spread); a result that would not be finite is 0.
SampleMoments computeMoments(std::span<const double> x, double minSigma = 0.0);

// Arithmetic mean of the finite values of x; 0 when there is none.
double mean(std::span<const double> x);

// Sorts x in ascending order in place; NaN values go to the end (in no given order),
// so the call is defined for any input.
void sortAscending(std::vector<double>& x);

}  // namespace stats
