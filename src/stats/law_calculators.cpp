#include "stats/law_calculators.h"

#include <cmath>

#include "base/text_tables.h"
#include "platform/runtime.h"
#include "reports/stat_rows.h"
#include "stats/normal.h"
#include "stats/number_text.h"
#include "stats/student.h"

namespace stats {

StudentCaptions Libelles_Student(bool tInverse, bool bilateral) {
  StudentCaptions c;
  c.StLabel3_0 = tInverse ? NMST(5) : "t= ";
  c.StLabel3_1 = " Nddl (N-1) = ";
  c.StLabel3_2 = tInverse ? "t= " : NMST(5);
  c.StlblLabel1 = bilateral ? "p(|T| <= t)" : "p(T <= t)";
  return c;
}

std::optional<std::string> Calcul_Student(bool tInverse, bool bilateral, const std::string& first,
                                          const std::string& df) {
  const std::optional<double> x = typedNumber(first), nu = typedNumber(df);
  if (!x || !nu || !(*nu > 0)) return std::nullopt;
  if (!tInverse) {
    const std::optional<StudentPoint> F = Loi_Student(bilateral ? std::fabs(*x) : *x, *nu);
    if (!F) return std::nullopt;
    return NMST(5) + generalNumber(bilateral ? 2 * F->p - 1 : F->p);
  }
  if (!(*x > 0 && *x < 1)) return std::nullopt;
  // The t whose upper tail is the risk: by symmetry minus the t of the lower tail, taken
  // from the risk itself (1 - risk would keep no digit of a risk below 1e-16).
  const std::optional<double> t = Inverse_Student(bilateral ? *x / 2 : *x, *nu);
  if (!t) return std::nullopt;
  return " t = " + generalNumber(*t == 0 ? 0.0 : -*t);
}

std::string Libelle_Normale(bool inverse) { return inverse ? "p= " : "X= "; }

NormalLawLabels CalculS_LN(bool inverse, const std::string& m, const std::string& s, const std::string& xOrP) {
  const std::optional<double> mean = typedNumber(m), sd = typedNumber(s), v = typedNumber(xOrP);
  if (!mean || !sd || !v || !(*sd > 0)) return {};
  if (inverse && !(*v > 0 && *v < 1)) return {};
  const std::string& crlf = platform::vbCrLf;
  static const double decile = Normale_Inverse(0.9);
  const std::string d1 = generalNumber(*mean - decile * *sd), d9 = generalNumber(*mean + decile * *sd);

  NormalLawLabels r;
  if (!inverse) {
    const double u = (*v - *mean) / *sd;
    if (!std::isfinite(u)) return {};
    const double P = Loi_Normale(u)->p;
    const std::string x = generalNumber(*v);
    r.LNLabel7 = " u = " + generalNumber(u) + crlf + "p(X< " + x + " ) = " + generalNumber(P) + crlf + "p(X > " + x +
                 " ) = " + generalNumber(Loi_Normale(-u)->p) + crlf + crlf + "p(|X| < " + x +
                 " ) = " + generalNumber(2 * Loi_Normale(std::fabs(u))->p - 1) + crlf;
    r.LNLabel4 = "Déciles: " + crlf + "D1 = " + d1 + crlf + "D9 = " + d9 + crlf;
  } else {
    const double u = Normale_Inverse(*v);
    const std::string x = generalNumber(u * *sd + *mean);
    r.LNLabel7 = " u = " + generalNumber(u) + crlf + "X =" + x + crlf + "p(X < " + x + ")= " + generalNumber(*v) + crlf;
    r.LNLabel4 = "Déciles: " + crlf + "D1 = " + d1 + crlf + " D9 = " + d9;
  }
  return r;
}

}  // namespace stats
