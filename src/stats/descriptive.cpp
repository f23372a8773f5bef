// Corrected two-pass moments (Chan, Golub and LeVeque, 1983): a first pass for the
// mean, a second for the deviations, with the mean corrected by the mean deviation of
// the second pass; the higher moments are taken on deviations scaled by sigma so that
// large values do not overflow their fourth power.
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

  // Deviations are scaled by the largest one so that their squares cannot overflow.
  double echelle = 0;
  for (double d : v) echelle = std::max(echelle, std::fabs(d - r.mean));
  if (!(echelle > 0) || !std::isfinite(echelle)) return r;
  double s1 = 0, s2 = 0;
  for (double d : v) {
    const double u = (d - r.mean) / echelle;
    s1 += u;
    s2 += u * u;
  }
  const double varReduite = (s2 - s1 * s1 / n) / n;
  if (!(varReduite > 0)) return r;
  r.sigma = finiteOrZero(echelle * std::sqrt(varReduite));
  r.variance = finiteOrZero(r.sigma * r.sigma);
  if (!(r.sigma > minSigma) || !(r.sigma > 0)) return r;

  double s3 = 0, s4 = 0;
  for (double d : v) {
    const double z = (d - r.mean) / r.sigma;
    const double z2 = z * z;
    s3 += z2 * z;
    s4 += z2 * z2;
  }
  r.skewness = finiteOrZero(s3 / n);
  r.kurtosis = finiteOrZero(s4 / n);
  return r;
}

void sortAscending(std::vector<double>& x) {
  const auto firstNaN = std::partition(x.begin(), x.end(), [](double d) { return !std::isnan(d); });
  std::sort(x.begin(), firstNaN);
}

}  // namespace stats
