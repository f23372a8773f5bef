// Corrected two-pass moments (Chan, Golub and LeVeque, 1983): a first pass for the
// mean, a second for the deviations, with the mean corrected by the mean deviation of
// the second pass. The central moments are sums of powers of the deviations from the
// mean, scaled by a power of two so that large values do not overflow their fourth
// power.
#include "stats/descriptive.h"

#include <algorithm>
#include <cmath>

namespace stats {

namespace {

// The finite values of x, in order.
std::vector<double> finiteValues(std::span<const double> x) {
  std::vector<double> v;
  v.reserve(x.size());
  for (double d : x)
    if (std::isfinite(d)) v.push_back(d);
  return v;
}

double finiteOrZero(double d) { return std::isfinite(d) ? d : 0.0; }

// Bound of the scaling exponent: deviations up to the largest double become at most
// 2^24, and their fourth powers stay far from overflow.
constexpr int kScaleExponent = 1000;

}  // namespace

double mean(std::span<const double> x) {
  double s = 0;
  int n = 0;
  for (double d : x) {
    if (!std::isfinite(d)) continue;
    s += d;
    ++n;
  }
  if (n == 0) return 0.0;
  const double m = s / n;
  if (!std::isfinite(m)) return 0.0;
  double c = 0;   // correction: mean of the deviations, 0 in exact arithmetic
  for (double d : x)
    if (std::isfinite(d)) c += d - m;
  return finiteOrZero(m + c / n);
}

SampleMoments computeMoments(std::span<const double> x, double minSigma) {
  SampleMoments r;
  const std::vector<double> v = finiteValues(x);
  if (v.empty()) return r;
  const double n = static_cast<double>(v.size());
  r.n = static_cast<int>(v.size());
  r.mean = mean(v);

  // The deviations from the mean are scaled by the power of two nearest above the
  // largest: exactly, so that exactly symmetric deviations give third-moment sums of
  // exactly 0, and their fourth powers cannot overflow.
  double largest = 0;
  for (double d : v) largest = std::max(largest, std::fabs(d - r.mean));
  if (!(largest > 0) || !std::isfinite(largest)) return r;
  int exposant = 0;
  std::frexp(largest, &exposant);
  exposant = std::clamp(exposant, -kScaleExponent, kScaleExponent);
  const double echelle = std::ldexp(1.0, -exposant);
  double s1 = 0, s2 = 0, s3 = 0, s4 = 0;
  for (double d : v) {
    const double u = (d - r.mean) * echelle;
    const double u2 = u * u;
    s1 += u;
    s2 += u2;
    s3 += u2 * u;
    s4 += u2 * u2;
  }
  const double m2 = (s2 - s1 * s1 / n) / n;
  if (!(m2 > 0)) return r;
  r.sigma = finiteOrZero(std::ldexp(std::sqrt(m2), exposant));
  r.variance = finiteOrZero(r.sigma * r.sigma);
  if (!(r.sigma > minSigma) || !(r.sigma > 0)) return r;
  r.skewness = finiteOrZero(s3 / n / (m2 * std::sqrt(m2)));
  r.kurtosis = finiteOrZero(s4 / n / (m2 * m2));
  return r;
}

void sortAscending(std::vector<double>& x) {
  const auto firstNaN = std::partition(x.begin(), x.end(), [](double d) { return !std::isnan(d); });
  std::sort(x.begin(), firstNaN);
}

}  // namespace stats
