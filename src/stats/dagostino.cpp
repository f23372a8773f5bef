// D'Agostino's omnibus test: the skewness transformation of D'Agostino (1970), the
// kurtosis transformation of Anscombe and Glynn (1983), K^2 = Z1^2 + Z2^2 compared with
// the chi-square law with 2 degrees of freedom (D'Agostino, Belanger and D'Agostino,
// 1990, The American Statistician 44).
#include "stats/dagostino.h"

#include <cmath>
#include <vector>

#include "platform/runtime.h"
#include "reports/stat_rows.h"
#include "stats/descriptive.h"
#include "stats/number_text.h"

namespace stats {

namespace {

constexpr double kMinDeviation = 0.001;   // a smaller spread gives no higher moments
constexpr int kMinValues = 8;             // the skewness transformation needs 8 values

// Z1 of the skewness g1 for n values.
double skewnessStatistic(double g1, double n) {
  const double y = g1 * std::sqrt((n + 1) * (n + 3) / (6 * (n - 2)));
  const double beta2 = 3 * (n * n + 27 * n - 70) * (n + 1) * (n + 3) / ((n - 2) * (n + 5) * (n + 7) * (n + 9));
  const double w2 = std::sqrt(2 * (beta2 - 1)) - 1;
  const double delta = 1 / std::sqrt(std::log(std::sqrt(w2)));
  const double alpha = std::sqrt(2 / (w2 - 1));
  return delta * std::asinh(y / alpha);
}

// Z2 of the kurtosis b2 for n values.
double kurtosisStatistic(double b2, double n) {
  const double e = 3 * (n - 1) / (n + 1);
  const double v = 24 * n * (n - 2) * (n - 3) / ((n + 1) * (n + 1) * (n + 3) * (n + 5));
  const double x = (b2 - e) / std::sqrt(v);
  const double sb1 = 6 * (n * n - 5 * n + 2) / ((n + 7) * (n + 9)) * std::sqrt(6 * (n + 3) * (n + 5) / (n * (n - 2) * (n - 3)));
  const double A = 6 + (8 / sb1) * (2 / sb1 + std::sqrt(1 + 4 / (sb1 * sb1)));
  const double ratio = (1 - 2 / A) / (1 + x * std::sqrt(2 / (A - 4)));
  return ((1 - 2 / (9 * A)) - std::cbrt(ratio)) / std::sqrt(2 / (9 * A));
}

}  // namespace

Moments momentsOf(std::span<const double> values) {
  const SampleMoments s = computeMoments(values, kMinDeviation);
  Moments m;
  m.n = s.n;
  m.mean = s.mean;
  m.variance = s.variance;
  m.skewness = s.skewness;
  m.kurtosis = s.kurtosis;
  m.m3 = s.skewness * s.sigma * s.sigma * s.sigma;
  m.m4 = s.kurtosis * s.variance * s.variance;
  return m;
}

std::optional<Moments> Calcul_Moments(const std::string& dataText) {
  if (dataText.find(';') == std::string::npos) return std::nullopt;
  return momentsOf(dataValues(dataText));
}

std::optional<DagostinoResult> Dagostino(const Moments& m) {
  const double n = std::round(m.n);
  if (n < kMinValues || !(std::sqrt(m.variance) > kMinDeviation)) return std::nullopt;
  DagostinoResult r;
  r.z1 = skewnessStatistic(m.skewness, n);
  r.z2 = kurtosisStatistic(m.kurtosis, n);
  r.k2 = r.z1 * r.z1 + r.z2 * r.z2;
  r.p = std::exp(-r.k2 / 2);
  if (!std::isfinite(r.z1) || !std::isfinite(r.z2) || !std::isfinite(r.k2)) return std::nullopt;
  return r;
}

std::string Texte_Dagostino(const std::string& dataText, bool logNormal) {
  std::vector<double> x = dataValues(dataText, logNormal);
  if (x.size() < kMinValues) return "D'Agostino : il faut au moins 8 valeurs";
  const Moments m = momentsOf(x);
  const std::optional<DagostinoResult> r = Dagostino(m);
  if (!r) return "D'Agostino : écart-type nul, test impossible";
  const std::string& crlf = platform::vbCrLf;
  return "n = " + std::to_string(x.size()) + crlf + "Z1 (asymétrie) = " + generalNumber(r->z1) + crlf +
         "Z2 (aplatissement) = " + generalNumber(r->z2) + crlf + "K² = " + generalNumber(r->k2) + crlf +
         "p (khi², 2 ddl) = " + generalNumber(r->p);
}

}  // namespace stats
