// One sample: z = (m - mt) / se against the normal law for the critical probability;
// the power at the observed difference is P(T <= |t| - z(1 - alpha)) with the Student
// law (n - 1 df) or the normal law. Two samples: Student's pooled t, or Welch's t with
// the Welch-Satterthwaite degrees of freedom; the power is P(T <= |t| - z(1 - a)).
#include "stats/mean_comparison.h"

#include <cmath>

#include "base/text_tables.h"
#include "platform/runtime.h"
#include "stats/normal.h"
#include "stats/notices.h"
#include "stats/number_text.h"
#include "stats/student.h"

namespace stats {

namespace {

constexpr double kMaxSize = 32767;   // sizes were 16-bit counts

// The failure text of both panels.
std::string incorrectes() { return NMST(1) + NMST(2); }

// A size typed in a box, rounded half to even; empty without a number or beyond the
// 16-bit range.
std::optional<double> typedSize(const std::string& text) {
  const std::optional<double> v = typedNumber(text);
  if (!v) return std::nullopt;
  const double n = std::nearbyint(*v);
  if (std::fabs(n) > kMaxSize) return std::nullopt;
  return n;
}

// A risk in percent as a probability; empty outside (0, 100).
std::optional<double> typedRisk(const std::string& text) {
  const std::optional<double> v = typedNumber(text);
  if (!v || !(*v > 0 && *v < 100)) return std::nullopt;
  return *v / 100;
}

// The normal quantile of 1 - a; empty when a rounds to no probability inside (0, 1).
std::optional<double> criticalValue(double a) {
  if (!(a > 0 && 1 - a < 1 && 1 - a > 0)) return std::nullopt;
  return Normale_Inverse(1 - a);
}

// "Risque de 2ème espèce : Beta = " and beta in percent.
std::string betaLine(double beta) { return NMST(41) + platform::Format(beta * 100, "##0.00") + " %"; }

// " Puissance du test : " and the power (single precision) in whole percent, with CR LF.
std::string powerLine(double power) {
  return NMST(43) + platform::Format(toSingle(power * 100), "#0") + " %" + platform::vbCrLf;
}

// The warning of a power below 0.8 ("très" below 0.6); "" otherwise.
std::string powerWarning(double power) {
  if (!(power < 0.8)) return "";
  return NMST(32) + (power < 0.6 ? NMST(33) : "") + NMST(34);
}

// P(X <= x) for the Student law with df degrees of freedom, or the normal law.
double lowerTail(double x, double df, bool normal) {
  if (normal) return Loi_Normale(x)->p;
  return Loi_Student(x, df)->p;
}

}  // namespace

OneSampleLabels CompMoy_1(const OneSampleInput& in) {
  const std::string& crlf = platform::vbCrLf;
  OneSampleLabels r;
  r.CLabel1 = "";
  r.lblMoyenne5 = "colonne " + in.column;
  auto fail = [&r] {
    r.CLabel3 = incorrectes();
    r.CLabel4 = "";
    r.Clabel5_0 = "";
    r.Clabel5_1 = "";
    return r;
  };

  const std::optional<double> m = typedNumber(in.mean), mt = typedNumber(in.reference);
  const std::optional<double> n = typedNumber(in.size);
  if (!m || !mt || !n || *n < 1) return fail();
  const double df = std::nearbyint(*n - 1);
  if (df > kMaxSize) return fail();
  if (df == 0) {
    // One value is no sample: a beep, and no decision of an earlier one stays.
    Stat_Beep();
    r.CLabel3 = "";
    r.CLabel4 = "";
    r.Clabel5_0 = "";
    r.Clabel5_1 = "";
    return r;
  }
  const std::optional<double> typedSe = typedNumber(in.deviationGiven ? in.deviation : in.standardError);
  const std::optional<double> alpha = typedRisk(in.risk);
  if (!typedSe || !alpha) return fail();
  const double se = in.deviationGiven ? *typedSe / std::sqrt(df) : *typedSe;
  const double t = (*m - *mt) / se;
  const std::optional<double> z = criticalValue(*alpha);
  if (!(se > 0) || !std::isfinite(t) || !z) return fail();

  r.Clabel5_1 = in.deviationGiven ? NMST(13) + "=" + platform::Format(se, "##.####") + crlf : "";
  const bool above = *m - *mt >= 0;
  const double phi = Loi_Normale(t)->p;
  const double pc = above ? 1 - phi : phi;
  r.CLabel2 = "Ho : " + NMST(20) + " ; " + crlf + "H1 : " + NMST(21) + " " + (above ? NMST(22) : NMST(23)) + crlf;

  const double F = lowerTail(std::fabs(t) - *z, df, in.normalPower);
  const double power = toSingle(F);
  r.CLabel3 = NMST(25) + singleNumber(toSingle(*alpha) * 100) + " % " + (pc > *alpha ? NMST(27) : NMST(26)) +
              " ; " + crlf + betaLine(1 - F);
  r.Clabel5_0 = NMST(42) + platform::Format(pc * 100, "##0.00") + " %" + powerLine(power) + powerWarning(power);
  if (in.showT) r.CLabel1 = " t = " + platform::Format(t, "##0.00000");
  return r;
}

TwoSampleLabels CompMoy_2(const TwoSampleInput& in) {
  const std::string& crlf = platform::vbCrLf;
  TwoSampleLabels r;
  r.lblMoyenne10 = "colonne " + in.column;
  r.CLabel6_11 = "";
  auto fail = [&r] {
    r.CLabel6_3 = incorrectes();
    r.CLabel6_4 = "";
    return r;
  };

  const std::optional<double> n1 = typedSize(in.n1), n2 = typedSize(in.n2);
  const std::optional<double> m1 = typedNumber(in.m1), m2 = typedNumber(in.m2);
  const std::optional<double> s1 = typedNumber(in.s1), s2 = typedNumber(in.s2);
  const std::optional<double> risk = typedRisk(in.risk);
  if (!n1 || !n2 || !m1 || !m2 || !s1 || !s2 || !risk) return fail();
  const double least = in.unequal ? 2 : 1;
  if (*n1 < least || *n2 < least || *n1 + *n2 < 3 || !(*s1 > 0) || !(*s2 > 0)) return fail();

  const double alpha = toSingle(*risk);
  const double a = in.twoSided ? toSingle(alpha / 2) : alpha;
  const std::optional<double> z = criticalValue(a);
  if (!z) return fail();
  double t, df, s;
  if (in.unequal) {
    const double v1 = *s1 * *s1 / *n1, v2 = *s2 * *s2 / *n2;
    s = std::sqrt(v1 + v2);
    t = (*m1 - *m2) / s;
    df = (v1 + v2) * (v1 + v2) / (v2 * v2 / (*n2 - 1) + v1 * v1 / (*n1 - 1));
  } else {
    s = std::sqrt(((*n1 - 1) * *s1 * *s1 + (*n2 - 1) * *s2 * *s2) / (*n1 + *n2 - 2));
    t = (*m1 - *m2) / s / std::sqrt(1 / *n2 + 1 / *n1);
    df = *n1 + *n2 - 2;
  }
  if (!std::isfinite(t) || !(df > 0) || !std::isfinite(df)) return fail();
  t = std::fabs(t);

  const std::string sign = in.twoSided ? " <> " : (*m1 - *m2 >= 0 ? " > " : " < ");
  r.CLabel6_1 = "Ho : " + NMST(36) + "=" + NMST(37) + crlf + "H1 : " + NMST(36) + sign + NMST(37) + crlf;

  const double pc = 1 - Loi_Student(t, df)->p;
  const double F = Loi_Student(t - *z, df)->p;
  const double power = toSingle(F);
  r.CLabel6_3 = NMST(40) + singleNumber(alpha * 100) + " % ," + (toSingle(pc) > a ? NMST(27) : NMST(26)) + crlf +
                betaLine(1 - F);
  std::string c4 = powerLine(power) + NMST(42) + platform::Format(pc * (in.twoSided ? 200 : 100), "##0.00") + " %" + crlf;
  if (in.showCalc)
    r.CLabel6_11 = " nddl = " + platform::Format(df, "##.000") + crlf + " S=" + platform::Format(s, "##.00000") + crlf +
                   " t= " + platform::Format(t, "##.00000");
  c4 += powerWarning(power);
  if (!in.unequal && (*s1 / *s2 > 2 || *s2 / *s1 > 2)) c4 += " EcT inégaux - voir options";
  r.CLabel6_4 = c4;
  return r;
}

}  // namespace stats
