// The best cut maximises the between-groups sum of squares of the two groups, here
// n T_k^2 / (k (n - k)) with T_k the sum of the first k deviations from the mean. The
// significance level of Ro is (2^(n-1) - 1) Ro^(n-2) / W(n-2), W(m) = m!! / (m-1)!!,
// times 2 / pi (to five places) for odd n, formed through its logarithm so that large
// samples do not overflow.
#include "stats/homogeneity.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "base/text_tables.h"
#include "platform/runtime.h"
#include "reports/stat_rows.h"
#include "stats/descriptive.h"
#include "stats/notices.h"
#include "stats/number_text.h"

namespace stats {

namespace {

constexpr double kLn2 = 0.69314718055994530942;
constexpr double kTwoOverPi = 0.63662;   // the factor of odd sample sizes

// log(m!!), with 0!! = (-1)!! = 1.
double logDoubleFactorial(int m) {
  if (m <= 0) return 0;
  const int k = m / 2;
  if (m % 2 == 0) return k * kLn2 + std::lgamma(k + 1.0);
  return std::lgamma(2.0 * k + 2) - k * kLn2 - std::lgamma(k + 1.0);
}

// The approximate significance level of Ro for n values; 0 when Ro is 0.
double significance(int n, double ro) {
  if (n > 2 && ro == 0) return 0;
  double logP = (n - 1) * kLn2 + std::log1p(-std::exp2(1.0 - n)) -
                (logDoubleFactorial(n - 2) - logDoubleFactorial(n - 3));
  if (n > 2) logP += (n - 2) * std::log(ro);
  if (n % 2 == 1) logP += std::log(kTwoOverPi);
  return std::exp(logP);
}

// The verdict lines of a cut at significance p.
std::string verdict(int n, const BestCut& best, double ro, double p) {
  const std::string& crlf = platform::vbCrLf;
  const std::string x = platform::Format(best.x0, "###0.00");
  std::string t = " Ro= " + generalNumber(ro) + crlf;
  t += std::to_string(n) + " données " + "  ;  ";
  t += " Pm=  " + std::to_string(best.k) + "  ;  " + crlf;
  t += crlf;
  t += "La  population ";
  if (p < 0.05) {
    t += p < 0.01 ? "est clairement (risque 1%)" : "est probablement (risque 5%)";
    t += " hétérogène" + crlf + " (au niveau approximatif de signification de " +
         platform::Format(p, "###0.00000000") + crlf;
  } else {
    t += " est peut être homogène ";
  }
  if (p < 0.8) t += "alpha = " + generalNumber(p) + crlf;
  if (p > 0.05)
    t += crlf + "Un sous groupe est peut être séparable à la valeur  " + crlf + " x = " + x + ".";
  else
    t += crlf + "Le premier sous groupe est constitué par les valeurs " + crlf + " x <= " + x + ".";
  return t;
}

}  // namespace

std::optional<BestCut> Meilleure_Coupure(std::span<const double> sorted) {
  const int n = static_cast<int>(sorted.size());
  if (n < 2) return std::nullopt;
  for (double v : sorted)
    if (!std::isfinite(v)) return std::nullopt;

  const double m = mean(sorted);
  BestCut best;
  best.k = 1;
  for (double v : sorted) best.total += (v - m) * (v - m);
  if (sorted.front() != sorted.back()) {
    double t = 0;
    for (int k = 1; k < n; ++k) {
      t += sorted[k - 1] - m;
      const double between = t * t * n / (static_cast<double>(k) * (n - k));
      if (k == 1 || between > best.between) {
        best.k = k;
        best.between = between;
      }
    }
  }
  best.between = std::min(best.between, best.total);
  best.criterion = best.between + n * m * m;
  best.x0 = (sorted[best.k - 1] + sorted[best.k]) / 2;
  return best;
}

std::optional<HomogeneityResult> Test_Homogeneite(std::span<const double> values) {
  std::vector<double> x(values.begin(), values.end());
  std::sort(x.begin(), x.end());
  const std::optional<BestCut> best = Meilleure_Coupure(x);
  if (!best) return std::nullopt;
  const int n = static_cast<int>(x.size());

  HomogeneityResult r;
  r.best = *best;
  r.cut = platform::Format(best->x0, "###0.00");
  if (x.front() == x.back()) {
    r.text = std::to_string(n) + " données ; toutes les valeurs sont égales : la population est homogène.";
    r.p = 1;
    return r;
  }
  r.ro = best->total > 0 ? std::sqrt(std::max(0.0, (best->total - best->between) / best->total)) : 0;
  r.p = significance(n, r.ro);
  r.text = verdict(n, *best, r.ro, r.p);
  if (best->k == 1) Stat_Beep();
  return r;
}

std::optional<HomogeneityResult> Test_Homogeneite_Texte(const std::string& dataText) {
  const std::vector<double> values = dataValues(dataText);
  if (values.size() < 4) {
    Show_Stat_Message(MSG(187));
    return std::nullopt;
  }
  return Test_Homogeneite(values);
}

}  // namespace stats
