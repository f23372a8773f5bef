// Shapiro-Wilk W and p against values computed independently in double precision
// (the worked samples) and against scipy.stats.shapiro, the same algorithm in single
// precision (tests/data/stats/make_test_refs.py, "Shapiro-Wilk").
#include "stats/shapiro_wilk.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "stat_test_support.h"

namespace {

const char* const kTwentyText = "0.11;7.87;4.61;10.14;7.95;3.14;0.46;4.43;0.21;4.75;0.71;1.52;3.24;0.93;0.42;"
                                "4.97;9.53;4.55;0.47;6.66;";
const std::vector<double> kTwenty = {0.11, 7.87, 4.61, 10.14, 7.95, 3.14, 0.46, 4.43, 0.21, 4.75,
                                     0.71, 1.52, 3.24, 0.93, 0.42, 4.97, 9.53, 4.55, 0.47, 6.66};

// ((37 i^2 + 11 i) mod 101) / 10, i = 1 .. n, the sample of the reference script.
std::vector<double> formulaSample(int n) {
  std::vector<double> x;
  for (long i = 1; i <= n; ++i) x.push_back(static_cast<double>((37 * i * i + 11 * i) % 101) / 10);
  return x;
}

// Fault, W and pw of the sorted values, the n1 smallest known (all when n1 < 0).
std::tuple<int, double, double> run(std::vector<double> x, int n1 = -1) {
  std::sort(x.begin(), x.end());
  const int n = static_cast<int>(x.size());
  bool init = false;
  std::vector<double> a;
  double W = 0, pw = 0;
  const int fault = stats::Test_Shapiro_Wilk(init, x, n, n1 < 0 ? n : n1, static_cast<int>(std::nearbyint(n / 2.0)), a, W, pw);
  return {fault, W, pw};
}

TEST(ShapiroWilk, WorkedSamplesInDoublePrecision) {
  std::vector<double> logs;
  for (double v : kTwenty) logs.push_back(std::log(v));
  const std::tuple<std::vector<double>, double, double> cases[] = {
      {kTwenty, 0.900472869646947, 0.0420895576359821},
      {logs, 0.891922295702424, 0.0291762913344219},
      {{3.1, 3.3, 3.4, 3.9, 4.6}, 0.897830517723016, 0.398011240397501},
      {{3.1, 3.3, 3.4, 3.9, 4.6, 5.0}, 0.901924939089772, 0.385433156531368},
  };
  for (const auto& [x, W, pw] : cases) {
    const auto [fault, w, p] = run(x);
    EXPECT_EQ(fault, 0);
    EXPECT_NEAR(w, W, 1e-12) << x.size();
    EXPECT_NEAR(p, pw, 1e-12) << x.size();
  }
}

TEST(ShapiroWilk, AgreesWithSinglePrecisionScipy) {
  // n = 3 exact p; 5 and 6 the two normalisations; 11 and 12 the two p-value forms; 0
  // samples are the 20 worked values, -40 the 30 smallest of 40 known (swilk, n1 = 30).
  // Single precision loses digits as n grows: W within 2e-7 to 2e-6, p within 5e-6 to 1e-3.
  const std::tuple<int, double, double, double, double> cases[] = {
      {0, 0.90047287940979, 0.04208957031369209, 2e-7, 5e-6},
      {3, 0.9423078298568726, 0.5367366671562195, 2e-7, 5e-6},
      {5, 0.8830764889717102, 0.32348552346229553, 2e-7, 5e-6},
      {6, 0.9570249319076538, 0.7965439558029175, 2e-7, 5e-6},
      {11, 0.9110865592956543, 0.25121527910232544, 2e-7, 5e-6},
      {12, 0.904987633228302, 0.1839379072189331, 2e-7, 5e-6},
      {100, 0.9662044644355774, 0.011411664076149464, 2e-6, 1e-4},
      {1000, 0.9652983546257019, 1.0706484594833095e-14, 2e-6, 1e-3},
      {-40, 0.9728328585624695, 0.6302805542945862, 2e-6, 1e-4},
  };
  for (const auto& [n, W, pw, wTol, pTol] : cases) {
    const auto [fault, w, p] = n == 0 ? run(kTwenty) : n < 0 ? run(formulaSample(-n), 30) : run(formulaSample(n));
    EXPECT_EQ(fault, 0);
    EXPECT_NEAR(w, W, wTol) << n;
    EXPECT_LE(stat_test::relError(p, pw), pTol) << n;
  }
}

TEST(ShapiroWilk, ExitCodesAndThePValueOfAGivenW) {
  stat_test::PinnedSeparator pinned('.');
  stat_test::NoticeCapture notices;
  const std::vector<double> forty = formulaSample(40);
  const std::tuple<std::vector<double>, int, int, int, int> cases[] = {
      {{1, 2}, 2, 2, 1, 1},               // fewer than 3 values
      {{1, 2, 3, 4, 5, 6}, 6, 6, 2, 3},   // too few coefficient slots
      {{1, 2, 3, 4, 5, 6}, 6, 5, 3, 4},   // censoring below 20 values
      {forty, 40, 7, 20, 5},               // more than 80 % censored
      {{2, 2, 2, 2, 2}, 5, 5, 2, 6},      // all equal
      {{1, 2, 5, 4, 6}, 5, 5, 2, 7},      // out of order at the 4th value
  };
  for (const auto& [x, n, n1, n2, code] : cases) {
    bool init = false;
    std::vector<double> a;
    double W = 0, pw = 0;
    EXPECT_EQ(stats::Test_Shapiro_Wilk(init, x, n, n1, n2, a, W, pw), code);
    EXPECT_EQ(pw, 1.0) << code;
  }
  EXPECT_EQ(notices.messages, std::vector<std::string>{"4  ème donnée incorrecte. Fin de procédure"});

  std::vector<double> x = kTwenty, a;
  std::sort(x.begin(), x.end());
  bool init = false;
  double W = -0.900472869646947, pw = 0;
  EXPECT_EQ(stats::Test_Shapiro_Wilk(init, x, 20, 20, 10, a, W, pw), 0);
  EXPECT_NEAR(pw, 0.0420895576359821, 1e-12);
  W = -0.3;   // ln(1 - W) = -0.357 >= gamma(4) = -2.273 + 0.459 x 4: beyond the small-sample form
  EXPECT_EQ(stats::Test_Shapiro_Wilk(init = false, x, 4, 4, 2, a, W, pw), 0);
  EXPECT_EQ(pw, 1e-19);
}

TEST(ShapiroWilk, PanelTextsWithBothSeparators) {
  const std::string head = "Shapiro-Wilk W = 0.900472869646947\rShapiro-Wilk pvalue = 0.0420895576359821\r";
  const std::string logHead = "Shapiro-Wilk W = 0.891922295702424\rShapiro-Wilk pvalue = 0.0291762913344219\r";
  for (char sep : {'.', ','}) {
    stat_test::PinnedSeparator pinned(sep);
    const auto d = [sep](const std::string& t) { return stat_test::withSeparator(t, sep); };
    EXPECT_EQ(stats::Normalite_Shapiro_Wilk(kTwentyText, false, "5"),
              d(head + "risque du rejet  : 0.05\r") + "hypothèse de normalité rejetée  L'hypothèse de normalité "
                                                      "est rejetée avec un risque  inférieur à 5 % de se tromper");
    EXPECT_EQ(stats::Normalite_Shapiro_Wilk(kTwentyText, false, "4"),
              d(head + "risque du rejet  : 0.04\r") + "hypothèse de normalité non rejetée  = le test est 'non- "
                                                      "significatif'. Attention : cela ne signifie pas qu'on doit l'accepter");
    // Log-normal: values <= 0 are left out; the risk may hold a comma or a point.
    EXPECT_EQ(stats::Normalite_Shapiro_Wilk(std::string("0;-1;") + kTwentyText, true, "3,5"),
              d(logHead + "risque du rejet  : 0.035\r") + "hypothèse de normalité rejetée  L'hypothèse de normalité "
                                                          "est rejetée avec un risque  inférieur à 3,5 % de se tromper");
  }
}

TEST(ShapiroWilk, PanelEdges) {
  stat_test::PinnedSeparator pinned('.');
  stat_test::NoticeCapture notices;
  // A p-value equal to the risk in single precision is not a rejection.
  EXPECT_NE(stats::Texte_Shapiro_Wilk(0.9, 0.0500000001, "5").find("non rejetée"), std::string::npos);
  EXPECT_EQ(stats::Normalite_Shapiro_Wilk("3;3;3;3;", false, "5"), "Shapiro-Wilk : valeurs toutes égales, test impossible");
  EXPECT_FALSE(stats::Normalite_Shapiro_Wilk("1;2;;3;", false, "5").has_value());
  EXPECT_FALSE(stats::Normalite_Shapiro_Wilk("1;2;0;3;", true, "5").has_value());
  EXPECT_EQ(notices.messages, std::vector<std::string>(2, " nombre de mesures insuffisant"));
}

}  // namespace
