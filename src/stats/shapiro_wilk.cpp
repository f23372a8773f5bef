// Shapiro-Wilk W test and its p-value: Royston (1995), Applied Statistics algorithm
// AS R94, in double precision, with the normal quantile of AS 241 in its 7-digit
// variant PPND7 (Wichura 1988) for the coefficients and the normal tail of AS 66
// (Hill 1973) for the p-value. The constants are those of the published algorithms.
#include "stats/shapiro_wilk.h"

#include <algorithm>
#include <cmath>

#include "base/helpers.h"
#include "base/text_tables.h"
#include "reports/stat_rows.h"
#include "stats/notices.h"
#include "stats/number_text.h"

namespace stats {

namespace {

constexpr double kSmall = 1e-19;

// c(0) + c(1) x + ... by Horner's rule.
template <std::size_t N>
double Polynome(const double (&c)[N], double x) {
  double v = c[N - 1];
  for (std::size_t k = N - 1; k-- > 0;) v = v * x + c[k];
  return v;
}

// The standard normal quantile of p, AS 241 PPND7; 0 with fault 1 when a tail
// probability is not above 0.
double Quantile_Normal(double p, int& fault) {
  static constexpr double a[4] = {3.3871327179, 50.434271938, 159.29113202, 59.10937472};
  static constexpr double b[4] = {1.0, 17.895169469, 78.757757664, 67.1875636};
  static constexpr double c[4] = {1.4234372777, 2.75681539, 1.3067284816, 0.17023821103};
  static constexpr double d[3] = {1.0, 0.7370016425, 0.12021132975};
  static constexpr double e[4] = {6.657905115, 3.081226386, 0.42868294337, 0.017337203997};
  static constexpr double f[3] = {1.0, 0.24197894225, 0.012258202635};
  fault = 0;
  const double q = p - 0.5;
  if (std::fabs(q) <= 0.425) {
    const double r = 0.180625 - q * q;
    return q * Polynome(a, r) / Polynome(b, r);
  }
  double r = q < 0 ? p : 1 - p;
  if (!(r > 0)) {
    fault = 1;
    return 0;
  }
  r = std::sqrt(-std::log(r));
  const double v = r <= 5 ? Polynome(c, r - 1.6) / Polynome(d, r - 1.6) : Polynome(e, r - 5) / Polynome(f, r - 5);
  return q < 0 ? -v : v;
}

// The upper (or lower) tail of the standard normal law at x, AS 66.
double Repartition_Normale(double x, bool upper) {
  bool up = upper;
  double z = x;
  if (z < 0) {
    up = !up;
    z = -z;
  }
  double v;
  if (z > 7 && (!up || z > 18.66)) {
    v = 0;
  } else {
    const double y = 0.5 * z * z;
    if (z <= 1.28)
      v = 0.5 - z * (0.398942280444 - 0.399903438504 * y /
                                          (y + 5.75885480458 - 29.8213557807 / (y + 2.62433121679 + 48.6959930692 / (y + 5.92885724438))));
    else
      v = 0.398942280385 * std::exp(-y) /
          (z - 3.8052e-8 + 1.00000615302 /
                               (z + 3.98064794e-4 + 1.98615381364 /
                                                        (z - 0.151679116635 + 5.29330324926 /
                                                                                  (z + 4.8385912808 - 15.1508972451 / (z + 0.742380924027 + 30.789933034 / (z + 3.99019417011))))));
  }
  return up ? v : 1 - v;
}

// 1 with the sign of b (+1 for b >= 0).
double Signe(int b) { return b >= 0 ? 1.0 : -1.0; }

// Fills a(1..n2) (0-based here) with the normalised coefficients for n values.
void coefficients(int n, int n2, std::vector<double>& a) {
  static constexpr double c1[6] = {0.0, 0.221157, -0.147981, -2.07119, 4.434685, -2.706056};
  static constexpr double c2[6] = {0.0, 0.042981, -0.293762, -1.752461, 5.682633, -3.582633};
  a.assign(n2, 0.0);
  if (n == 3) {
    a[0] = 0.70711;
    return;
  }
  const double an25 = n + 0.25;
  double summ2 = 0;
  for (int i = 1; i <= n2; ++i) {
    int fault = 0;
    a[i - 1] = Quantile_Normal((i - 0.375) / an25, fault);
    summ2 += a[i - 1] * a[i - 1];
  }
  summ2 *= 2;
  const double ssumm2 = std::sqrt(summ2);
  const double rsn = 1 / std::sqrt(static_cast<double>(n));
  const double a1 = Polynome(c1, rsn) - a[0] / ssumm2;
  int i1;
  double fac;
  if (n > 5) {
    i1 = 3;
    const double a2 = -a[1] / ssumm2 + Polynome(c2, rsn);
    fac = std::sqrt((summ2 - 2 * a[0] * a[0] - 2 * a[1] * a[1]) / (1 - 2 * a1 * a1 - 2 * a2 * a2));
    a[0] = a1;
    a[1] = a2;
  } else {
    i1 = 2;
    fac = std::sqrt((summ2 - 2 * a[0] * a[0]) / (1 - 2 * a1 * a1));
    a[0] = a1;
  }
  const int nn2 = static_cast<int>(std::nearbyint(n / 2.0));
  for (int i = i1; i <= nn2; ++i) a[i - 1] = -a[i - 1] / fac;
}

// 1 - W of the n1 known values of x (sorted), without cancellation near W = 1; empty
// (after the message) when the values are out of order.
std::optional<double> oneMinusW(std::span<const double> x, int n, int n1, const std::vector<double>& a,
                                double range) {
  double xx = x[0] / range;
  double sx = xx;
  double sa = -a[0];
  for (int i = 2, j = n - 1; i <= n1; ++i, --j) {
    const double xi = x[i - 1] / range;
    if (xx - xi > kSmall) {
      Show_Stat_Message(std::to_string(i) + " " + MSG(236));
      return std::nullopt;
    }
    sx += xi;
    if (i != j) sa += Signe(i - j) * a[std::min(i, j) - 1];
    xx = xi;
  }
  sa /= n1;
  sx /= n1;
  double ssa = 0, ssx = 0, sax = 0;
  for (int i = 1, j = n; i <= n1; ++i, --j) {
    const double asa = i != j ? Signe(i - j) * a[std::min(i, j) - 1] - sa : -sa;
    const double xsx = x[i - 1] / range - sx;
    ssa += asa * asa;
    ssx += xsx * xsx;
    sax += asa * xsx;
  }
  const double ssassx = std::sqrt(ssa * ssx);
  return std::max(0.0, (ssassx - sax) * (ssassx + sax) / (ssa * ssx));
}

// The p-value of W = 1 - w1 for n values, ncens of them censored; pw = 1e-19 beyond
// the small-sample approximation.
double pValue(int n, int ncens, double w1) {
  static constexpr double g[2] = {-2.273, 0.459};
  static constexpr double c3[4] = {0.544, -0.39978, 0.025054, -6.714e-4};
  static constexpr double c4[4] = {1.3822, -0.77857, 0.062767, -0.0020322};
  static constexpr double c5[4] = {-1.5861, -0.31082, -0.083751, 0.0038915};
  static constexpr double c6[3] = {-0.4803, -0.082676, 0.0030302};
  static constexpr double c7[2] = {0.164, 0.533};
  static constexpr double c8[2] = {0.1736, 0.315};
  static constexpr double c9[2] = {0.256, -0.00635};
  constexpr double z90 = 1.2816, z95 = 1.6449, z99 = 2.3263;
  if (n == 3) return std::clamp(1.909859 * (std::asin(std::sqrt(1 - w1)) - 1.047198), 0.0, 1.0);
  double y = std::log(w1);
  const double lx = std::log(static_cast<double>(n));
  double m, s;
  if (n <= 11) {
    const double gamma = Polynome(g, n);
    if (y >= gamma) return kSmall;
    y = -std::log(gamma - y);
    m = Polynome(c3, n);
    s = std::exp(Polynome(c4, n));
  } else {
    m = Polynome(c5, lx);
    s = std::exp(Polynome(c6, lx));
  }
  if (ncens > 0) {
    const double ld = -std::log(static_cast<double>(ncens) / n);
    const double bf = 1 + lx * 0.8378;
    const double z90f = z90 + bf * std::pow(Polynome(c7, std::pow(0.556, lx)), ld);
    const double z95f = z95 + bf * std::pow(Polynome(c8, std::pow(0.622, lx)), ld);
    const double z99f = z99 + bf * std::pow(Polynome(c9, lx), ld);
    const double zfm = (z90f + z95f + z99f) / 3;
    const double zsd = (z90 * (z90f - zfm) + z95 * (z95f - zfm) + z99 * (z99f - zfm)) / 0.56268;
    const double zbar = zfm - zsd * 1.7509;
    m += zbar * s;
    s *= zsd;
  }
  return Repartition_Normale((y - m) / s, true);
}

}  // namespace

int Test_Shapiro_Wilk(bool& init, std::span<const double> x, int n, int n1, int n2, std::vector<double>& a,
                      double& W, double& pw) {
  pw = 1;
  if (W >= 0) W = 1;
  const int nn2 = static_cast<int>(std::nearbyint(n / 2.0));
  if (n2 < nn2) return 3;
  if (n < 3 || x.size() < static_cast<std::size_t>(n)) return 1;
  if (!init) {
    coefficients(n, n2, a);
    init = true;
  }
  if (a.size() < static_cast<std::size_t>(nn2)) return 3;
  if (n1 < 3) return 1;
  const int ncens = n - n1;
  if (ncens < 0 || (ncens > 0 && n < 20)) return 4;
  if (static_cast<double>(ncens) / n > 0.8) return 5;

  double w1;
  if (W < 0) {
    w1 = 1 + W;
  } else {
    const double range = x[n1 - 1] - x[0];
    if (!(range >= kSmall)) return 6;
    const std::optional<double> d = oneMinusW(x, n, n1, a, range);
    if (!d) return 7;
    w1 = *d;
  }
  W = 1 - w1;
  pw = pValue(n, ncens, w1);
  return 0;
}

std::string Texte_Shapiro_Wilk(double W, double pw, const std::string& riskText) {
  const double r = toSingle(Val_Decimal(riskText) * 0.01);
  std::string t = "Shapiro-Wilk W = " + generalNumber(W) + "\r";
  t += "Shapiro-Wilk pvalue = " + generalNumber(pw) + "\r";
  t += "risque du rejet  : " + singleNumber(r) + "\r";
  if (toSingle(pw) >= r)
    t += "hypothèse de normalité non rejetée"
         "  = le test est 'non- significatif'. Attention : cela ne signifie pas qu'on doit l'accepter";
  else
    t += "hypothèse de normalité rejetée  L'hypothèse de normalité est rejetée avec un risque  inférieur à " +
         riskText + " % de se tromper";
  return t;
}

std::optional<std::string> Normalite_Shapiro_Wilk(const std::string& dataText, bool logNormal,
                                                  const std::string& riskText) {
  std::vector<double> x = dataValues(dataText, logNormal);
  if (x.size() < 4) {
    Show_Stat_Message(MSG(187));
    return std::nullopt;
  }
  std::sort(x.begin(), x.end());
  const int n = static_cast<int>(x.size());
  bool init = false;
  std::vector<double> a;
  double W = 0, pw = 1;
  const int fault = Test_Shapiro_Wilk(init, x, n, n, static_cast<int>(std::nearbyint(n / 2.0)), a, W, pw);
  if (fault == 6) return std::string("Shapiro-Wilk : valeurs toutes égales, test impossible");
  if (fault != 0) return std::nullopt;
  return Texte_Shapiro_Wilk(W, pw, riskText);
}

}  // namespace stats
