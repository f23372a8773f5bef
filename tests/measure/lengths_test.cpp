// Segment lengths and calibrated values: the pure formulas, then Longueur_Segment on the
// main window's picture (its resolution factor comes from the picture held in picbase).
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "forms/main_window.h"
#include "images/image_state.h"
#include "measure/lengths.h"
#include "platform/picture.h"

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// --- pure ------------------------------------------------------------------------------

TEST(Lengths, ResolutionFactor) {
  EXPECT_EQ(Facteur_Resol_Pour(true, 2000), 1.0);
  EXPECT_EQ(Facteur_Resol_Pour(false, 2000), 2.0);
  EXPECT_EQ(Facteur_Resol_Pour(false, 640), 0.64);
  // No picture: the lengths stay uncorrected rather than all 0.
  EXPECT_EQ(Facteur_Resol_Pour(false, 0), 1.0);
  EXPECT_EQ(Facteur_Resol_Pour(false, -5), 1.0);
  EXPECT_EQ(Facteur_Resol_Pour(false, kNaN), 1.0);
}

// Lengths, their rounding (halves to even) and the calibrated values, worked out by
// hand: d = Sqr(dx^2 + dy^2), length = d x K_Zoom / Ratio_Ecran x Facteur_Resol, the
// factor being 1 in "Ind. Res." and 2000 x 0.001 = 2 for a 2000-pixel picture
// otherwise; value = rounded length x Calibrage.
struct LengthCase {
  double x1, y1, x2, y2;
  double kZoom;
  bool independent;
  double widthPixels;
  double calibrage;
  double length;    // expected Longueur_Segment
  int rounded;      // expected rounded length
  double value;     // expected Valeur_Calibree of the rounded length
};

const LengthCase kLengthCases[] = {
    // 3-4-5 triangle: d = 5.
    {0, 0, 3, 4, 1, true, 2000, 1.0, 5, 5, 5.0},
    {0, 0, 3, 4, 1, false, 2000, 1.0, 10, 10, 10.0},
    {0, 0, 3, 4, 2, true, 2000, 1.0, 10, 10, 10.0},
    {0, 0, 3, 4, 2, false, 2000, 1.0, 20, 20, 20.0},
    // d = 1000 (600-800-1000): 2000 x 0.0125 = 25 micrometres.
    {1000, 2000, 1600, 2800, 1, false, 2000, 0.0125, 2000, 2000, 25.0},
    {1600, 2800, 1000, 2000, 2, true, 2000, 0.0125, 2000, 2000, 25.0},
    // Halves go to the even neighbour: 2.5 -> 2, 3.5 -> 4.
    {10, 10, 11.5, 12, 1, true, 2000, 0.5, 2.5, 2, 1.0},
    {0, 0, 0, 3.5, 1, true, 2000, 0.25, 3.5, 4, 1.0},
    {0, 0, 1.75, 0, 2, true, 2000, 1.0, 3.5, 4, 4.0},
    {0, 0, 1.25, 0, 1, false, 2000, 1.0, 2.5, 2, 2.0},
    // A degenerate segment.
    {7, 7, 7, 7, 2, false, 2000, 1.0, 0, 0, 0.0},
};

TEST(Lengths, WorkedCases) {
  for (const LengthCase& c : kLengthCases) {
    SCOPED_TRACE(testing::Message() << "(" << c.x1 << "," << c.y1 << ")-(" << c.x2 << "," << c.y2
                                    << ") K=" << c.kZoom << " indep=" << c.independent);
    const double fr = Facteur_Resol_Pour(c.independent, c.widthPixels);
    const double l = Longueur_Corrigee(c.x1, c.y1, c.x2, c.y2, c.kZoom, 1.0, fr);
    EXPECT_NEAR(l, c.length, 1e-9);
    EXPECT_EQ(Arrondi_Longueur(l), c.rounded);
    EXPECT_NEAR(Valeur_Calibree_Pour(Arrondi_Longueur(l), c.calibrage), c.value, 1e-12);
  }
}

TEST(Lengths, ScreenRatioDividesAndBadInputGivesZero) {
  EXPECT_DOUBLE_EQ(Longueur_Corrigee(0, 0, 3, 4, 1, 2.0, 1), 2.5);
  EXPECT_EQ(Longueur_Corrigee(0, 0, 3, 4, 1, 0.0, 1), 0.0);
  EXPECT_EQ(Longueur_Corrigee(kNaN, 0, 3, 4, 1, 1, 1), 0.0);
  EXPECT_EQ(Longueur_Corrigee(0, 0, 3, 4, kNaN, 1, 1), 0.0);
  EXPECT_EQ(Longueur_Corrigee(0, 0, 1e308, 1e308, 1e10, 1, 1), 0.0);
  // Never negative, whatever the sign of the factors.
  EXPECT_EQ(Longueur_Corrigee(0, 0, 3, 4, -1, 1, 1), 5.0);
}

TEST(Lengths, RoundingAndCalibration) {
  EXPECT_EQ(Arrondi_Longueur(2.5), 2);
  EXPECT_EQ(Arrondi_Longueur(3.5), 4);
  EXPECT_EQ(Arrondi_Longueur(848.528), 849);
  EXPECT_EQ(Arrondi_Longueur(kNaN), 0);
  EXPECT_EQ(Arrondi_Longueur(1e12), 2147483647);
  EXPECT_DOUBLE_EQ(Valeur_Calibree_Pour(5, 0.125), 0.625);
  EXPECT_EQ(Valeur_Calibree_Pour(5, std::numeric_limits<double>::infinity()), 0.0);
}

// --- with the program's state -------------------------------------------------------------

class LengthsOnWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    QVL& f = Qvl();
    picture_ = f.picbase.picture();
    calib_ = Calibrage;
    fr_ = Facteur_Resol;
    indep_ = Indep_Resol;
    k_ = K_Zoom;
    ratio_ = Ratio_Ecran;
  }
  void TearDown() override {
    Qvl().picbase.setPicture(picture_);
    Calibrage = calib_;
    Facteur_Resol = fr_;
    Indep_Resol = indep_;
    K_Zoom = k_;
    Ratio_Ecran = ratio_;
  }
  platform::Picture picture_;
  double calib_ = 0, fr_ = 0, k_ = 0, ratio_ = 0;
  bool indep_ = false;
};

// The same cases through Longueur_Segment: a 2000-pixel-wide picture in picbase gives
// the factor 2 unless resolution independence is on; the factor is stored.
TEST_F(LengthsOnWindow, LongueurSegmentUsesThePictureWidth) {
  Qvl().picbase.setPicture(platform::Picture::filled(2000, 20, 0xFFFFFF));
  Ratio_Ecran = 1.0;
  Calibrage = 1.0;
  for (const LengthCase& c : kLengthCases) {
    SCOPED_TRACE(testing::Message() << "(" << c.x1 << "," << c.y1 << ")-(" << c.x2 << "," << c.y2
                                    << ") K=" << c.kZoom << " indep=" << c.independent);
    Indep_Resol = c.independent;
    K_Zoom = c.kZoom;
    Calibrage = c.calibrage;
    Facteur_Resol = -1;
    const double l = Longueur_Segment(c.x1, c.y1, c.x2, c.y2);
    EXPECT_NEAR(l, c.length, 1e-9);
    EXPECT_EQ(Facteur_Resol, c.independent ? 1.0 : 2.0);
    EXPECT_NEAR(Valeur_Calibree(Arrondi_Longueur(l)), c.value, 1e-12);
  }
}

TEST_F(LengthsOnWindow, NoPictureMeansNoCorrection) {
  Qvl().picbase.setPicture(platform::Picture());
  Indep_Resol = false;
  K_Zoom = 1;
  Ratio_Ecran = 1;
  EXPECT_DOUBLE_EQ(Longueur_Segment(0, 0, 3, 4), 5.0);
  EXPECT_EQ(Facteur_Resol, 1.0);
}

TEST_F(LengthsOnWindow, LengthScaleIsTheCurrentState) {
  Calibrage = 0.02;
  Facteur_Resol = 2.0;
  K_Zoom = 0.5;
  Ratio_Ecran = 1.0;
  // 0.02 x 2 x 0.5 / 1 micrometres per unit of Picture1.
  EXPECT_DOUBLE_EQ(Echelle_Longueur().factor(), 0.02);
}

}  // namespace
