// The optimal spore's reference points and the nearest row, on the seven spores
// (means 10.79, 6.11, Q 1.79; sigmas 1.39, 0.71; medians 11.2, 5.8), distances worked
// out by hand.
#include "reports/optimal_spore.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

const std::vector<double> kL = {12.0, 8.1, 11.4, 10.2, 12.6, 11.2, 10.0};
const std::vector<double> kW = {5.8, 5.8, 7.4, 5.7, 5.1, 6.8, 6.2};

SporeStats stats7() {
  SporeStats s;
  s.moyL = 10.79f;
  s.moyW = 6.11f;
  s.moyQ = 1.79f;
  s.sigL = 1.39f;
  s.sigW = 0.71f;
  s.medL = 11.2f;
  s.medW = 5.8f;
  s.domL = 11.25f;
  s.domW = 5.8f;
  return s;
}

TEST(OptimalSpore, EachOptionMarksItsRow) {
  // a 1: row 4 (0.72 against 0.80 for row 7); a 2: row 6 (1.01 against 1.13); a 3: row 7
  // (0.58 against 0.71); b 1: row 1 (0.80 against 1.00); b 2: row 6 (1.00 against 1.43);
  // b 3: row 1 (0.57); c 1 (11.25, 5.8): row 1 (0.75 against 1.00 for row 6); d: the
  // length alone, row 6 (0.05); e: the width alone, rows 1 and 2 tie at 0, the upper wins.
  const struct {
    int option;
    int rang;
  } cas[] = {{1, 4}, {2, 6}, {3, 7}, {4, 1}, {5, 6}, {6, 1}, {7, 1}, {10, 6}, {11, 1}};
  for (const auto& c : cas)
    EXPECT_EQ(Rang_Spore_Optimale(Reference_Spore(c.option, stats7()), kL, kW), c.rang) << c.option;
}

TEST(OptimalSpore, ReferencesAndWeights) {
  const SporeStats s = stats7();
  const SporeReference a3 = Reference_Spore(3, s);
  EXPECT_FLOAT_EQ(a3.poidsL, 0.71f);
  EXPECT_FLOAT_EQ(a3.poidsW, 1.39f);
  const SporeReference c2 = Reference_Spore(8, s);
  EXPECT_FLOAT_EQ(c2.longueur, 11.25f);
  EXPECT_FLOAT_EQ(c2.poidsL, 1.79f);
  const SporeReference e = Reference_Spore(11, s);
  EXPECT_FLOAT_EQ(e.poidsL, 0);
  EXPECT_FLOAT_EQ(e.largeur, 5.8f);
  const SporeReference non = Reference_Spore(0, s);
  EXPECT_FLOAT_EQ(non.longueur, 0);
  EXPECT_FLOAT_EQ(non.poidsW, 1);
  EXPECT_TRUE(Option_Qm(2) && Option_Qm(5) && Option_Qm(8));
  EXPECT_FALSE(Option_Qm(3) || Option_Qm(9));
}

TEST(OptimalSpore, CandidatesAndEmptySamples) {
  const SporeReference ref = Reference_Spore(1, stats7());
  EXPECT_EQ(Rang_Spore_Optimale(ref, kL, kW, [](int r) { return r != 4; }), 7);
  EXPECT_EQ(Rang_Spore_Optimale(ref, kL, kW, [](int) { return false; }), 0);
  EXPECT_EQ(Rang_Spore_Optimale(ref, {}, {}), 0);
  // Spans of different lengths: only the rows both hold.
  EXPECT_EQ(Rang_Spore_Optimale(ref, std::vector<double>{12.0, 10.2}, std::vector<double>{5.8}), 1);
}

}  // namespace
