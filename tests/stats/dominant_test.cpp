// Quicksort on 1-based samples and the dominant value, on samples worked by hand and
// against a plain re-scan of every window on random samples.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "base/text_tables.h"
#include "stat_test_support.h"
#include "stats/dominant.h"

namespace {

using stats::Tri_Rapide;
using stats::Valeur_Dominante;

// A 1-based sample: element 0 holds `zero`, then the values.
std::vector<double> sample(std::vector<double> values, double zero = 0) {
  values.insert(values.begin(), zero);
  return values;
}

TEST(Dominant, SortLeavesElementZeroAndOrdersTheRange) {
  const std::vector<std::vector<double>> ranges = {
      {1, 2, 3, 4, 5},          // sorted
      {9, 7, 5, 3, 1, -1},      // reversed
      {4, 4, 4, 4},             // all equal
      {42},                     // one element
      {3, -2, 8, 8, 0.5, 3, 1e9, -7, 2},
  };
  for (const auto& r : ranges) {
    std::vector<double> s = sample(r, -99);   // a marker that would sort first
    EXPECT_TRUE(Tri_Rapide(s, 1, static_cast<int>(r.size())));
    EXPECT_EQ(s[0], -99);
    std::vector<double> want = r;
    std::sort(want.begin(), want.end());
    EXPECT_EQ(std::vector<double>(s.begin() + 1, s.end()), want);
  }
}

TEST(Dominant, SortTouchesOnlyItsRange) {
  std::vector<double> s = {0, 5, 4, 3, 2, 1};
  EXPECT_TRUE(Tri_Rapide(s, 2, 4));
  EXPECT_EQ(s, (std::vector<double>{0, 5, 2, 3, 4, 1}));
  EXPECT_TRUE(Tri_Rapide(s, 4, 2));   // first > last: nothing
  EXPECT_EQ(s, (std::vector<double>{0, 5, 2, 3, 4, 1}));
  EXPECT_FALSE(Tri_Rapide(s, 1, 6));  // past the end: refused, nothing touched
  EXPECT_FALSE(Tri_Rapide(s, -1, 3));
  EXPECT_EQ(s, (std::vector<double>{0, 5, 2, 3, 4, 1}));
}

TEST(Dominant, SortOfLargeShuffledAndNaNHoldingRanges) {
  std::mt19937 rng(7);
  std::uniform_real_distribution<double> u(0, 20);
  std::vector<double> s(3001);
  for (std::size_t k = 1; k < s.size(); ++k) s[k] = std::round(u(rng) * 100) / 100;
  std::vector<double> want(s.begin() + 1, s.end());
  std::sort(want.begin(), want.end());
  EXPECT_TRUE(Tri_Rapide(s, 1, 3000));
  EXPECT_EQ(std::vector<double>(s.begin() + 1, s.end()), want);
  // A NaN cannot be ordered, but the sort still ends and keeps every value.
  std::vector<double> n = {0, 3, std::nan(""), 1, 2, std::nan(""), 0.5};
  EXPECT_TRUE(Tri_Rapide(n, 1, 6));
  EXPECT_EQ(std::count_if(n.begin(), n.end(), [](double v) { return std::isnan(v); }), 2);
}

// Window by window (W = 3.01, 2.107, 1.475, 1.032, 0.723, 0.506): 8.1-10.5, 8.6-10.5,
// 8.6-9.8, 9.0-9.8, 9.2-9.8, 9.2-9.4; edge runs of one each, so (9.2 + 9.4) / 2.
TEST(Dominant, HandWorkedSamples) {
  const std::vector<double> spores = {8.1, 8.6, 9.0, 9.2, 9.3, 9.4, 9.8, 10.5, 11.9, 12.4};
  EXPECT_NEAR(Valeur_Dominante(sample(spores)), 9.3, 1e-15);
  std::vector<double> withZeros = spores;
  withZeros.insert(withZeros.begin(), {0, 0, 0});
  EXPECT_NEAR(Valeur_Dominante(sample(withZeros)), 9.3, 1e-15);
  // Windows 3-6, 4-6, 4-6, 4-5, 4-5, then the three 4s: 4.
  EXPECT_EQ(Valeur_Dominante(sample({3, 4, 4, 4, 5, 6, 9})), 4.0);
  // The cluster of 7 reaches the last element: its upper run stops there.
  EXPECT_EQ(Valeur_Dominante(sample({1, 2, 3, 7, 7, 7, 7})), 7.0);
  // Windows 1-2.2 until W falls below 0.2, then the four 2s.
  EXPECT_EQ(Valeur_Dominante(sample({1, 2, 2, 2, 2, 2.2, 5})), 2.0);
}

TEST(Dominant, TooFewValuesAndEqualValues) {
  EXPECT_EQ(Valeur_Dominante(sample({3, 4, 5, 6})), 0.0);
  EXPECT_EQ(Valeur_Dominante(sample({0, 0, 0, 3, 4, 5, 6})), 0.0);
  EXPECT_EQ(Valeur_Dominante(sample({})), 0.0);
  EXPECT_EQ(Valeur_Dominante({}), 0.0);
  EXPECT_EQ(Valeur_Dominante(sample(std::vector<double>(3000, 12.25))), 12.25);
  EXPECT_EQ(Valeur_Dominante(sample({-2, -2, -2, -2, -2})), -2.0);
  // Zeros take no part, wherever they stand.
  EXPECT_EQ(Valeur_Dominante(sample({0, 0, 3, 4, 4, 4, 5, 6, 9})), Valeur_Dominante(sample({3, 4, 4, 4, 5, 6, 9})));
}

TEST(Dominant, NonFiniteValueIsAnUnexpectedFailure) {
  Messages_Defaut();
  stat_test::NoticeCapture notices;
  EXPECT_EQ(Valeur_Dominante(sample({1, 2, 3, 4, 5, std::nan("")})), 0.0);
  EXPECT_EQ(Valeur_Dominante(sample({1, 2, 3, 4, 5, HUGE_VAL})), 0.0);
  EXPECT_EQ(notices.beeps, 2);
  ASSERT_EQ(notices.messages.size(), 2u);
  EXPECT_EQ(notices.messages[0], "erreur inattendue");
}

TEST(Dominant, UnsortedValuesAreSearchedInOrder) {
  EXPECT_NEAR(stats::Recherche_Dominante(std::vector<double>{12.4, 9.3, 8.1, 11.9, 9.0, 9.8, 8.6, 10.5, 9.4, 9.2}), 9.3,
              1e-15);
}

// The search as the steps read, each window scanned from its start: the reference
// for the one-sweep counts.
double plainDominant(const std::vector<double>& v) {
  const int m = static_cast<int>(v.size()) - 1;
  if (m < 4) return 0;
  const double f = static_cast<double>(0.7f);
  double W = (v[m] - v[0]) * f;
  int lo = 0, hi = m;
  for (int pass = 0; hi - lo >= 3 && pass <= 2 * m; ++pass) {
    int bestStart = lo, bestCount = 0;
    double bestSpread = 0;
    for (int i = lo; i <= hi - 3; ++i) {
      int j = i + 1;
      while (j <= hi && v[j] - v[i] <= W) ++j;
      const int c = j <= hi ? j - i : hi - i + 1;
      const double spread = (j <= hi ? v[j] - v[i] : v[hi] - v[i]) / c;
      if (c > bestCount || (c == bestCount && spread < bestSpread)) {
        bestStart = i;
        bestCount = c;
        bestSpread = spread;
      }
    }
    W *= f;
    lo = bestStart;
    hi = lo + bestCount - 1;
    if (v[lo] == v[hi]) break;
  }
  int below = 1, above = 1;
  for (int k = lo; k > 0 && v[k - 1] == v[k]; --k) ++below;
  for (int k = hi; k < m && v[k + 1] == v[k]; ++k) ++above;
  return below == above ? (v[lo] + v[hi]) / 2 : (below > above ? v[lo] : v[hi]);
}

TEST(Dominant, OneSweepCountsAgreeWithPlainScans) {
  std::mt19937 rng(2024);
  for (int trial = 0; trial < 300; ++trial) {
    const int n = 5 + trial % 200;
    std::normal_distribution<double> spores(10, 1 + trial % 3);
    std::vector<double> v(n);
    for (double& x : v) x = std::round(spores(rng) * 10) / 10;   // grid values, many ties
    std::sort(v.begin(), v.end());
    v.erase(std::remove(v.begin(), v.end(), 0.0), v.end());
    EXPECT_EQ(stats::Recherche_Dominante(v), plainDominant(v)) << trial;
  }
}

}  // namespace
