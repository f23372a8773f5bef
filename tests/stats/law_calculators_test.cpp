// The Student and normal law calculators. References: scipy.stats.t.cdf, quantiles to 40
// digits with mpmath (1.7822875556493200745 at 0.95 and 12 df, 4.0607113593000837192 at
// 0.99 and 3.5 df), scipy.stats.norm (tests/data/stats/make_test_refs.py, "Student" and "normal").
#include "stats/law_calculators.h"

#include <gtest/gtest.h>

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
