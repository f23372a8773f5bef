// Comparisons of means: the labels of both panels, byte for byte in both decimal
// separators. References (tests/data/stats/make_test_refs.py): one sample t -1.45774,
// Phi(t) 0.0724564, beta 0.573659 (Student) and 0.574215 (normal); two samples from
// scipy.stats.ttest_ind_from_stats: t 1.23836, df 58, one-sided p 0.110285, beta
// 0.657060; Welch t 2.17237, df 36.1170, two-sided p 0.0364700, beta 0.416494.
#include "stats/mean_comparison.h"

#include <gtest/gtest.h>

#include <functional>

#include "stat_test_support.h"

namespace {

using stat_test::withSeparator;

const std::string kTresInsuffisante = "Nb : La puissance du test est  très  insuffisante";

stats::OneSampleInput oneSample(char sep) {
  return {withSeparator("9.9", sep), "10", withSeparator("0.4", sep), "1", "35", "5", true, false, true, "Longueur"};
}

stats::TwoSampleInput twoSamples(char sep) {
  return {"30", "30", withSeparator("10.9", sep), withSeparator("10.5", sep), withSeparator("1.2", sep),
          withSeparator("1.3", sep), "5", false, false, true, "Largeur"};
}

TEST(MeanComparison, OneSampleWithBothSeparators) {
  for (char sep : {'.', ','}) {
    stat_test::PinnedSeparator pinned(sep);
    const auto d = [sep](const std::string& t) { return withSeparator(t, sep); };
    const stats::OneSampleLabels r = stats::CompMoy_1(oneSample(sep));
    EXPECT_EQ(r.CLabel1, d(" t = -1.45774"));
    EXPECT_EQ(r.CLabel2, "Ho : l'échantillon a même moyenne que le type ; \r\n"
                         "H1 : l'échantillon a une moyenne inférieure à celle du type\r\n");
    EXPECT_EQ(r.CLabel3, "Au risque de 1ère espèce Alpha = 5 %  l'hypothèse H0 n'est pas rejetée ; \r\n"
                         "Risque de 2ème espèce : Beta = " + d("57.37 %"));
    EXPECT_EQ(r.Clabel5_0, d("Probabilité critique 7.25 % Puissance du test : 43 %\r\n") + kTresInsuffisante);
    EXPECT_EQ(r.Clabel5_1, "E.T. estimé de la moyenne=" + d(".0686\r\n"));
    EXPECT_EQ(r.lblMoyenne5, "colonne Longueur");
    EXPECT_FALSE(r.CLabel4.has_value());

    stats::OneSampleInput in = oneSample(sep == '.' ? ',' : '.');   // the other mark is read too
    in.normalPower = true;
    in.showT = false;
    EXPECT_TRUE(stats::CompMoy_1(in).CLabel3->ends_with(d("Beta = 57.42 %")));
    EXPECT_EQ(stats::CompMoy_1(in).CLabel1, "");
  }
}

TEST(MeanComparison, OneSampleEqualMeansAndTypedStandardError) {
  stat_test::PinnedSeparator pinned('.');
  stats::OneSampleInput in = oneSample('.');
  in.mean = "10";   // t = 0: the direction is "supérieure", the critical probability 50 %
  const stats::OneSampleLabels equal = stats::CompMoy_1(in);
  EXPECT_NE(equal.CLabel2->find("moyenne  supérieure à celle du type"), std::string::npos);
  EXPECT_TRUE(equal.Clabel5_0->starts_with("Probabilité critique 50.00 %"));
  in = {"9.9", "10", "0.4", "0.02", "35", "5", false, false, false, ""};   // t = -5
  const stats::OneSampleLabels typed = stats::CompMoy_1(in);
  EXPECT_EQ(typed.Clabel5_1, "");
  EXPECT_NE(typed.CLabel3->find("5 %  l'hypothèse H0 est rejetée ; "), std::string::npos);
  EXPECT_EQ(typed.Clabel5_0, "Probabilité critique 0.00 % Puissance du test : 100 %\r\n");
}

TEST(MeanComparison, TwoSamplesWithBothSeparators) {
  for (char sep : {'.', ','}) {
    stat_test::PinnedSeparator pinned(sep);
    const auto d = [sep](const std::string& t) { return withSeparator(t, sep); };
    const std::string ho = "Ho : Moyenne de Ech1 =Moyenne de Ech 2 \r\nH1 : Moyenne de Ech1 ";
    const stats::TwoSampleLabels r = stats::CompMoy_2(twoSamples(sep));
    EXPECT_EQ(r.CLabel6_1, ho + " > Moyenne de Ech 2 \r\n");
    EXPECT_EQ(r.CLabel6_3, "Au risque 5 % , l'hypothèse H0 n'est pas rejetée\r\nRisque de 2ème espèce : Beta = " +
                               d("65.71 %"));
    EXPECT_EQ(r.CLabel6_4, d(" Puissance du test : 34 %\r\nProbabilité critique 11.03 %\r\n") + kTresInsuffisante);
    EXPECT_EQ(r.CLabel6_11, d(" nddl = 58.000\r\n S=1.25100\r\n t= 1.23836"));
    EXPECT_EQ(r.lblMoyenne10, "colonne Largeur");

    const stats::TwoSampleLabels w =
        stats::CompMoy_2({"18", "42", d("7.45"), d("7.1"), d("0.55"), d("0.62"), "5", true, true, true, ""});
    EXPECT_EQ(w.CLabel6_1, ho + " <> Moyenne de Ech 2 \r\n");
    EXPECT_EQ(w.CLabel6_3, "Au risque 5 % , l'hypothèse H0 est rejetée\r\nRisque de 2ème espèce : Beta = " + d("41.65 %"));
    EXPECT_EQ(w.CLabel6_4, d(" Puissance du test : 58 %\r\nProbabilité critique 3.65 %\r\n") + kTresInsuffisante);
    EXPECT_EQ(w.CLabel6_11, d(" nddl = 36.117\r\n S=.16111\r\n t= 2.17237"));
  }
}

TEST(MeanComparison, TwoSampleDeviationWarning) {
  stat_test::PinnedSeparator pinned('.');
  const std::tuple<const char*, const char*, bool, bool> cases[] = {
      {"0.4", "0.9", false, true}, {"1", "2", false, false}, {"2.1", "1", false, true}, {"1", "2.1", true, false}};
  for (const auto& [s1, s2, unequal, warned] : cases) {
    const auto r = stats::CompMoy_2({"20", "25", "5.0", "5.3", s1, s2, "5", unequal, false, false, ""});
    EXPECT_EQ(r.CLabel6_4->ends_with(" EcT inégaux - voir options"), warned) << s1 << " " << s2;
  }
}

TEST(MeanComparison, BadInputSaysDonneesIncorrectes) {
  stat_test::PinnedSeparator pinned('.');
  const std::function<void(stats::OneSampleInput&)> one[] = {
      [](auto& in) { in.deviation = "0"; }, [](auto& in) { in.size = "0.5"; },  [](auto& in) { in.size = "abc"; },
      [](auto& in) { in.size = "40000"; },  [](auto& in) { in.risk = "100"; },  [](auto& in) { in.risk = ""; },
      [](auto& in) { in.mean = ""; },       [](auto& in) { in.deviationGiven = false; in.standardError = "-1"; },
  };
  for (const auto& change : one) {
    stats::OneSampleInput in = oneSample('.');
    change(in);
    const stats::OneSampleLabels r = stats::CompMoy_1(in);
    EXPECT_EQ(r.CLabel3, " données  incorrectes");
    EXPECT_TRUE(r.CLabel4 == "" && r.Clabel5_0 == "" && r.CLabel1 == "" && !r.CLabel2);
  }
  const std::function<void(stats::TwoSampleInput&)> two[] = {
      [](auto& in) { in.s1 = "0"; },   [](auto& in) { in.n1 = "1"; in.unequal = true; },
      [](auto& in) { in.n1 = in.n2 = "1"; }, [](auto& in) { in.n2 = "40000"; },
      [](auto& in) { in.m1 = "x"; },   [](auto& in) { in.risk = "0"; },  [](auto& in) { in.risk = "99.999999999"; },
  };
  stat_test::NoticeCapture notices;   // no "alerte CLNI" for a risk that rounds to 100 %
  for (const auto& change : two) {
    stats::TwoSampleInput in = twoSamples('.');
    change(in);
    const stats::TwoSampleLabels r = stats::CompMoy_2(in);
    EXPECT_EQ(r.CLabel6_3, " données  incorrectes");
    EXPECT_TRUE(r.CLabel6_4 == "" && r.CLabel6_11 == "" && !r.CLabel6_1);
  }
  EXPECT_TRUE(notices.messages.empty());
  // One value in the one-sample panel: a beep, and t, the decision, beta, the power
  // and the derived error emptied.
  stats::OneSampleInput in = oneSample('.');
  in.size = "1.4";
  const stats::OneSampleLabels r = stats::CompMoy_1(in);
  EXPECT_EQ(notices.beeps, 1);
  EXPECT_TRUE(r.CLabel1 == "" && r.CLabel3 == "" && r.CLabel4 == "" && r.Clabel5_0 == "" && r.Clabel5_1 == "");
  // A number too large for a double is no number: "1e400" as mean, reference,
  // deviation, size or risk is refused, never read as 0.
  const std::function<void(stats::OneSampleInput&)> tropGrand[] = {
      [](auto& in) { in.mean = "1e400"; },      [](auto& in) { in.reference = "-1e400"; },
      [](auto& in) { in.deviation = "1e400"; }, [](auto& in) { in.size = "1e400"; },
      [](auto& in) { in.risk = "1e400"; },
  };
  for (const auto& change : tropGrand) {
    stats::OneSampleInput grand = oneSample('.');
    change(grand);
    EXPECT_EQ(stats::CompMoy_1(grand).CLabel3, " données  incorrectes");
  }
  stats::TwoSampleInput deux = twoSamples('.');
  deux.m2 = "1e400";
  EXPECT_EQ(stats::CompMoy_2(deux).CLabel6_3, " données  incorrectes");
}

}  // namespace
