// The Student and normal law calculators. References: scipy.stats.t.cdf, quantiles to 40
// digits with mpmath (1.7822875556493200745 at 0.95 and 12 df, 4.0607113593000837192 at
// 0.99 and 3.5 df), scipy.stats.norm (tests/data/stats/make_test_refs.py, "Student" and "normal").
#include "stats/law_calculators.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <tuple>

#include "stat_test_support.h"

namespace {

using stat_test::withSeparator;

TEST(LawCalculators, StudentLines) {
  const std::tuple<bool, bool, const char*, const char*, const char*> cases[] = {
      {false, false, "2.5", "7", " risque =0.979503890707124"},
      {false, true, "-0.8", "5", " risque =0.539985933096263"},
      {false, true, "0,8", "5", " risque =0.539985933096263"},
      {false, false, "0", "10", " risque =0.5"},
      {true, true, "0.1", "12", " t = 1.78228755564932"},
      {true, false, "0.01", "3,5", " t = 4.06071135930008"},
      {true, true, "0.05", "10", " t = 2.22813885198627"},
      {true, false, "0.05", "10", " t = 1.81246112281168"},
  };
  for (char sep : {'.', ','}) {
    stat_test::PinnedSeparator pinned(sep);
    for (const auto& [inverse, bilateral, first, df, line] : cases)
      EXPECT_EQ(stats::Calcul_Student(inverse, bilateral, first, df), withSeparator(line, sep)) << first << " " << df;
  }
  // Input it cannot use leaves the last result: a risk outside (0, 1), df <= 0, no number.
  const std::tuple<bool, const char*, const char*> kept[] = {
      {true, "5", "10"}, {true, "0", "10"}, {true, "1", "10"}, {false, "1", "0"},
      {false, "1", "-3"}, {false, "", "10"}, {false, "-", "10"}, {true, "0.05", "."},
  };
  for (const auto& [inverse, first, df] : kept)
    EXPECT_FALSE(stats::Calcul_Student(inverse, false, first, df).has_value()) << first << " " << df;
}

// "T-inv" for risks down to 1e-300: the t exceeded with that probability, to 12 digits.
// References: the upper tail 0.5 I_y(df/2, 1/2), y = df / (df + t^2), solved for t by
// bisection with mpmath's betainc at 50 digits, and again by bisection on log t over the
// series B_y(a, 1/2) = y^a sum (1/2)_n y^n / (n! (a + n)) in long double (both agree to
// 17 digits).
TEST(LawCalculators, InverseStudentFromTinyRisks) {
  const std::tuple<double, const char*, bool, double> cases[] = {
      {1, "1e-300", false, 3.1830988618379067154e+299},  {1, "2e-17", true, 31830988618379067.154},
      {3, "1e-100", false, 2.2257698238224420358e+33},   {5, "1e-16", false, 2485.7338279612052058},
      {10, "1e-3", false, 4.1437004940465896662},        {10, "1e-5", false, 7.5269540193396510589},
      {10, "1e-17", false, 128.49509145889273683},       {10, "1e-300", false, 2.564525718948197828e+30},
      {10, "2e-300", true, 2.564525718948197828e+30},    {30, "1e-10", false, 9.3774897804071431961},
      {100, "1e-200", false, 968.22280668187905377},     {1000, "1e-300", false, 54.291388553051742855},
      {2.5, "1e-50", false, 87654378822799919496.0},     {10, "0.9", false, -1.3721836411103356272},
      {12, "0.1", true, 1.7822875556493200745},
  };
  stat_test::PinnedSeparator pinned('.');
  for (const auto& [df, risk, bilateral, t] : cases) {
    const std::optional<std::string> line = stats::Calcul_Student(true, bilateral, risk, std::to_string(df));
    ASSERT_TRUE(line.has_value()) << risk << " " << df;
    ASSERT_EQ(line->rfind(" t = ", 0), 0u) << *line;
    const double got = std::strtod(line->c_str() + 5, nullptr);
    EXPECT_NEAR(got / t, 1.0, 1e-12) << risk << " " << df << ": " << *line;
  }
}

TEST(LawCalculators, NormalLaw) {
  for (char sep : {'.', ','}) {
    stat_test::PinnedSeparator pinned(sep);
    const auto d = [sep](const std::string& t) { return withSeparator(t, sep); };
    const stats::NormalLawLabels fromX = stats::CalculS_LN(false, "20", "3", d("25.1"));
    EXPECT_EQ(fromX.LNLabel7, d(" u = 1.7\r\np(X< 25.1 ) = 0.955434537241457\r\np(X > 25.1 ) = 0.044565462758543\r\n\r\n"
                                "p(|X| < 25.1 ) = 0.910869074482914\r\n"));
    EXPECT_EQ(fromX.LNLabel4, d("Déciles: \r\nD1 = 16.1553453033662\r\nD9 = 23.8446546966338\r\n"));
    // Below the mean: the same two-sided probability, never negative.
    EXPECT_NE(stats::CalculS_LN(false, "20", "3", "14.9").LNLabel7.find(d("p(|X| < 14.9 ) = 0.910869074482914")),
              std::string::npos);
    const stats::NormalLawLabels fromP = stats::CalculS_LN(true, "20", "3", d("0.9"));
    EXPECT_EQ(fromP.LNLabel7, d(" u = 1.2815515655446\r\nX =23.8446546966338\r\np(X < 23.8446546966338)= 0.9\r\n"));
    EXPECT_EQ(fromP.LNLabel4, d("Déciles: \r\nD1 = 16.1553453033662\r\n D9 = 23.8446546966338"));
    EXPECT_EQ(stats::CalculS_LN(false, "2", "1", "2").LNLabel7,
              d(" u = 0\r\np(X< 2 ) = 0.5\r\np(X > 2 ) = 0.5\r\n\r\np(|X| < 2 ) = 0\r\n"));
  }
  // s <= 0, p outside (0, 1) and boxes without a number clear both labels, with no message.
  stat_test::NoticeCapture notices;
  const std::tuple<bool, const char*, const char*, const char*> cleared[] = {
      {false, "20", "0", "25"}, {false, "20", "-1", "25"}, {true, "20", "3", "0"}, {true, "20", "3", "1"},
      {true, "20", "3", "0."},  {false, "", "3", "25"},    {false, "20", "3", "x"},
  };
  for (const auto& [inverse, m, s, v] : cleared) {
    const stats::NormalLawLabels r = stats::CalculS_LN(inverse, m, s, v);
    EXPECT_TRUE(r.LNLabel7.empty() && r.LNLabel4.empty()) << s << " " << v;
  }
  EXPECT_TRUE(notices.messages.empty());
}

}  // namespace
