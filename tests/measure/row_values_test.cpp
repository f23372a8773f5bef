// Rows measured again from their stored segments, without a window: the length scale
// of the row's own image, the rounding of the measuring tools and the computed columns.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "measure/measure_state.h"
#include "measure/row_values.h"
#include "platform/runtime.h"

namespace {

// Picture1's measuring scale width of the main window.
constexpr double kEchelle = 11761.2;

ParametresRemesure parametres(bool indep) {
  ParametresRemesure p;
  p.indepResol = indep;
  p.largeurEchelle = kEchelle;
  p.ratioEcran = 1.0;
  p.masque = "###0.00";
  return p;
}

// A segment of `d` picture units along the x axis from (100, 200).
Segment segment(double d) { return {100, 200, 100 + d, 200}; }

class RowValues : public ::testing::Test {
 protected:
  void SetUp() override { platform::SetDecimalSeparator('.'); }
  void TearDown() override { platform::SetDecimalSeparator(0); }
};

// A 1000-unit segment with calibration 0.05. Worked out independently: Echelle =
// W x 2540 / 96 / 11761.2, the length 1000 x F / Echelle before rounding (370.43 on a
// 1200-pixel image, 277.82 on a 1600-pixel one with F = 1; 444.52 on both with
// F = W x 0.001), rounded half to even, times 0.05.
TEST_F(RowValues, ReferenceValuesOfOneSegment) {
  struct Case {
    bool indep;
    double largeur;
    double unites;   // length before rounding
    double valeur;
    const char* texte;
  };
  const Case cases[] = {
      {true, 1200, 370.43, 18.50, "18.50"},
      {true, 1600, 277.82, 13.90, "13.90"},
      {false, 1200, 444.52, 22.25, "22.25"},
      {false, 1600, 444.52, 22.25, "22.25"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.largeur);
    const double echelle = c.largeur * 2540.0 / 96.0 / kEchelle;
    const double facteur = c.indep ? 1.0 : c.largeur * 0.001;
    EXPECT_NEAR(1000 * facteur / echelle, c.unites, 0.005);
    const std::optional<double> v = Valeur_Segment(segment(1000), {c.largeur, 0.05}, parametres(c.indep));
    ASSERT_TRUE(v.has_value());
    EXPECT_NEAR(*v, c.valeur, 1e-12);
    EXPECT_EQ(platform::Format(*v, "###0.00"), c.texte);
  }
  // The direction of the segment does not matter; Ratio_Ecran divides the length.
  EXPECT_NEAR(*Valeur_Segment({700, 900, 100, 100}, {1200, 0.05}, parametres(true)), 18.50, 1e-12);
  ParametresRemesure p = parametres(true);
  p.ratioEcran = 2.0;
  // 370.43 / 2 = 185.22, rounded to 185.
  EXPECT_NEAR(*Valeur_Segment(segment(1000), {1200, 0.05}, p), 9.25, 1e-12);
}

TEST_F(RowValues, NothingWhenTheScaleIsUnknown) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  ParametresRemesure sansEchelle = parametres(true);
  sansEchelle.largeurEchelle = 0;
  ParametresRemesure sansRatio = parametres(true);
  sansRatio.ratioEcran = 0;
  EXPECT_FALSE(Valeur_Segment(segment(1000), {0, 0.05}, parametres(true)));
  EXPECT_FALSE(Valeur_Segment(segment(1000), {-5, 0.05}, parametres(true)));
  EXPECT_FALSE(Valeur_Segment(segment(1000), {nan, 0.05}, parametres(true)));
  EXPECT_FALSE(Valeur_Segment(segment(1000), {1200, 0.05}, sansEchelle));
  EXPECT_FALSE(Valeur_Segment(segment(1000), {1200, 0.05}, sansRatio));
  EXPECT_FALSE(Valeur_Segment({nan, 0, 1, 1}, {1200, 0.05}, parametres(true)));
  EXPECT_FALSE(Valeur_Segment({0, 0, inf, 1}, {1200, 0.05}, parametres(true)));
  EXPECT_FALSE(Valeur_Segment(segment(1000), {1200, inf}, parametres(true)));
  // A segment of length 0 measures 0.
  EXPECT_EQ(*Valeur_Segment(segment(0), {1200, 0.05}, parametres(true)), 0.0);
}

Mesure rangee(std::vector<double> longueurs) {
  Mesure m;
  for (std::size_t j = 0; j < longueurs.size(); ++j) m.Seg(static_cast<int>(j) + 1) = segment(longueurs[j]);
  return m;
}

std::vector<std::string> textes(const std::vector<CelluleCalculee>& cellules, int colonnes) {
  std::vector<std::string> t(static_cast<std::size_t>(colonnes) + 1);
  for (const CelluleCalculee& c : cellules) t.at(static_cast<std::size_t>(c.colonne)) = c.texte;
  t.erase(t.begin());
  return t;
}

// Values worked out as above (1200 pixels, "Ind. Res.", calibration 0.05 unless said):
// 1000 units 18.50, 400 units 148.17 -> 7.40, 500 units 9.25, 250 units 92.6 -> 4.65.
TEST_F(RowValues, ComputedColumnsByFunction) {
  const ImageRemesure image{1200, 0.05};
  const ParametresRemesure p = parametres(true);
  struct Case {
    int fonction;
    std::vector<double> longueurs;
    ImageRemesure image;
    std::vector<std::string> attendu;   // columns 1, 2, ...
  };
  const Case cases[] = {
      {1, {1000}, image, {"18.50"}},
      // Q = 2.5; V = 7.4 x 18.5 x 7.4 x 3.14159 / 6 = 530.4365 under the display mask.
      {2, {1000, 400}, image, {"18.50", "7.40", "2.50", "530.44"}},
      // A width of 0 gives no Q; V is 0.
      {2, {1000, 0}, image, {"18.50", "0.00", "", "0.00"}},
      // Q = 18.5 / 9.25, L = 18.5 / 4.65 = 3.978.
      {3, {1000, 500, 250}, image, {"18.50", "9.25", "4.65", "2.00", "3.98"}},
      {3, {1000, 500, 0}, image, {"18.50", "9.25", "0.00", "2.00", ""}},
      {4, {1000, 500, 250}, image, {"18.50", "9.25", "4.65"}},
      // 1600 pixels, calibration 0.1: 1000, 300, 200, 100 units give 27.80, 8.30,
      // 5.60, 2.80; A / M 0.5, A / B 0.337, B / M 1.482.
      {5, {1000, 300, 200, 100, 0, 0, 0}, {1600, 0.1},
       {"27.80", "8.30", "5.60", "2.80", "0.50", "0.34", "1.48"}},
      {6, {1000, 300, 200, 100, 1000}, {1600, 0.1},
       {"27.80", "8.30", "5.60", "2.80", "27.80", "0.50", "0.34", "1.48"}},
      // A base of 0: no ratio.
      {5, {1000, 0, 200, 100}, {1600, 0.1}, {"27.80", "0.00", "5.60", "2.80", "", "", ""}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.fonction);
    const std::vector<CelluleCalculee> cellules = Cellules_Remesurees(c.fonction, rangee(c.longueurs), c.image, p);
    EXPECT_EQ(textes(cellules, static_cast<int>(c.attendu.size())), c.attendu);
  }
}

TEST_F(RowValues, RowsThatCannotBeMeasured) {
  const ParametresRemesure p = parametres(true);
  std::vector<double> valeurs = {1, 2};
  // No image: no cell at all.
  EXPECT_TRUE(Cellules_Remesurees(2, rangee({1000, 400}), std::nullopt, p, &valeurs).empty());
  EXPECT_TRUE(valeurs.empty());
  // One segment that cannot be measured leaves the whole row empty.
  Mesure m = rangee({1000, 400});
  m.Seg(2).X2 = std::numeric_limits<double>::infinity();
  EXPECT_TRUE(Cellules_Remesurees(2, m, ImageRemesure{1200, 0.05}, p).empty());
  // Functions whose columns are not lengths; those whose values are not kept in the
  // row give no cell.
  for (int f : {10, 11, 13, 14, 15, 16, 20, 22}) {
    SCOPED_TRACE(f);
    EXPECT_EQ(Cellules_Longueurs(f), 0);
  }
  for (int f : {10, 15, 16, 20, 22}) {
    SCOPED_TRACE(f);
    EXPECT_TRUE(Cellules_Remesurees(f, rangee({1000, 400}), ImageRemesure{1200, 0.05}, p).empty());
  }
  // The values of the cells come out too.
  Cellules_Remesurees(2, rangee({1000, 400}), ImageRemesure{1200, 0.05}, p, &valeurs);
  ASSERT_EQ(valeurs.size(), 3u);
  EXPECT_NEAR(valeurs[1], 18.5, 1e-12);
  EXPECT_NEAR(valeurs[2], 7.4, 1e-12);
}

// The display mask applies to every value, the volume included.
TEST_F(RowValues, TheMaskOfTheDisplayApplies) {
  ParametresRemesure p = parametres(true);
  p.masque = "###0.000";
  EXPECT_EQ(textes(Cellules_Remesurees(2, rangee({1000, 400}), ImageRemesure{1200, 0.05}, p), 4),
            (std::vector<std::string>{"18.500", "7.400", "2.500", "530.437"}));
  platform::SetDecimalSeparator(',');
  p.masque = "###0.00";
  EXPECT_EQ(textes(Cellules_Remesurees(1, rangee({1000}), ImageRemesure{1200, 0.05}, p), 1),
            (std::vector<std::string>{"18,50"}));
}

// Counting with bumps keeps A and B in cell 1's second point: the row comes back as
// A, B and A + 2B, plain numbers, with or without its image.
TEST_F(RowValues, BumpCountsComeBackFromTheirCell) {
  const ParametresRemesure p = parametres(true);
  struct Case {
    double a, b;
    std::vector<std::string> attendu;
  };
  const Case cases[] = {
      {3, 4, {"3", "4", "11"}},
      {0, 0, {"0", "0", "0"}},
      {12, 0, {"12", "0", "12"}},
  };
  for (const Case& c : cases) {
    Mesure m;
    m.Seg(1) = {0, 0, c.a, c.b};
    EXPECT_EQ(textes(Cellules_Remesurees(11, m, std::nullopt, p), 3), c.attendu);
    EXPECT_EQ(textes(Cellules_Remesurees(11, m, ImageRemesure{1200, 0.05}, p), 3), c.attendu);
  }
  Mesure abime;
  abime.Seg(1) = {0, 0, 3, std::numeric_limits<double>::quiet_NaN()};
  EXPECT_TRUE(Cellules_Remesurees(11, abime, std::nullopt, p).empty());
  abime.Seg(1) = {0, 0, 3, 1e300};
  EXPECT_TRUE(Cellules_Remesurees(11, abime, std::nullopt, p).empty());
}

// Density figures measured again. The scale width is chosen so that one image pixel is
// one unit of Picture1 at zoom 1 (W x 2540 / 96). Worked out independently: the
// ellipse (100, 100) to (150, 130) has r^2 = 3400, k = 0.6, Int(3400 x 0.6 x 3.1416) =
// 6408; with F = 0.1 that is 64.08, the rectangle 50 x 30 x 0.01 = 15.00. At zoom
// exponent 2 (factor 1.4142136) the same figure drawn on the picture covers 1.4142136
// times as many image pixels and F doubles its square: 6408 x 0.02 = 128.16 (taken in
// image pixels the area would round to 12817 x 0.01 = 128.17). Without "Ind. Res." on a
// 2000-pixel image F = 0.1 x 2: 6408 x 0.04 = 256.32; at exponent -3, 6408 x 0.01 /
// 1.4142136^3 = 22.66.
TEST_F(RowValues, DensityFiguresComeBackAsTheirSurface) {
  struct Case {
    int fonction;
    bool indep;
    double largeur;
    int expZoom;
    const char* texte;
  };
  const Case cases[] = {
      {13, true, 1000, 0, "64.08"},  {14, true, 1000, 0, "15.00"},   {13, true, 1000, 2, "128.16"},
      {14, true, 1000, 2, "30.00"},  {13, false, 2000, 0, "256.32"}, {13, true, 1000, -3, "22.66"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.fonction) + " " + std::to_string(c.expZoom));
    ParametresRemesure p = parametres(c.indep);
    p.largeurEchelle = c.largeur * 2540.0 / 96.0;
    const double zoom = std::pow(p.baseZoom, c.expZoom);
    Mesure m;
    m.ExpZoom = c.expZoom;
    // Stored in image pixels, with the offset of the view.
    m.Seg(1) = {100 * zoom + 37, 100 * zoom + 11, 150 * zoom + 37, 130 * zoom + 11};
    const std::vector<CelluleCalculee> cellules = Cellules_Remesurees(c.fonction, m, ImageRemesure{c.largeur, 0.1}, p);
    EXPECT_EQ(textes(cellules, 4), (std::vector<std::string>{c.texte, "", "", ""}));
  }
  // An ellipse ended straight below its centre, or an unknown image: nothing.
  const ParametresRemesure p = parametres(true);
  Mesure m;
  m.Seg(1) = {100, 100, 100, 160};
  EXPECT_TRUE(Cellules_Remesurees(13, m, ImageRemesure{1000, 0.1}, p).empty());
  EXPECT_EQ(Cellules_Remesurees(14, m, ImageRemesure{1000, 0.1}, p).size(), 1u);
  m.Seg(1) = {100, 100, 150, 130};
  EXPECT_TRUE(Cellules_Remesurees(13, m, std::nullopt, p).empty());
  EXPECT_FALSE(Surface_Figure(13, m, ImageRemesure{0, 0.1}, p).has_value());
  EXPECT_FALSE(Surface_Figure(2, m, ImageRemesure{1000, 0.1}, p).has_value());
}

}  // namespace
