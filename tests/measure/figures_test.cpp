// Geometry of the measured figures (density ellipse and rectangle, outlines, triangles)
// and the gill-count estimate, against values worked out by hand.
#include "measure/figures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "base/geometry.h"
#include "measure/gill_estimate.h"
#include "measure/surface_writers.h"
#include "platform/runtime.h"

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// --- density figures ---------------------------------------------------------------------

// (100,100)-(150,130): r^2 = 3400, k = 0.6, 3400 x 0.6 x 3.1416 = 6408.86 -> 6408.
// (0,0)-(40,20): r^2 = 2000, k = 0.5, 3141.6 -> 3141. (0,0)-(30,60): r^2 = 4500, k = 2
// (the aspect taken as it is above 1), 28274.4 -> 28274. (0,0)-(-20,-20): 800 x 1 x
// 3.1416 = 2513.28 -> 2513.
TEST(DensityFigures, EllipseArea) {
  struct Case {
    double x0, y0, x, y;
    bool ok;
    double surface;
  };
  const Case cases[] = {
      {100, 100, 150, 130, true, 6408}, {0, 0, 40, 20, true, 3141}, {0, 0, 30, 60, true, 28274},
      {0, 0, -20, -20, true, 2513},     {0, 0, 50, 0, true, 0},      {10, 10, 10, 60, false, -1},
      {0, 0, kNaN, 10, false, -1},
  };
  for (const Case& c : cases) {
    double s = -1;
    EXPECT_EQ(Surface_Ellipse(c.x0, c.y0, c.x, c.y, s), c.ok) << c.x << " " << c.y;
    EXPECT_EQ(s, c.surface) << c.x << " " << c.y;
  }
}

// Semi-axes drawn: r across and r x k down. (0,0)-(30,60): r = 67.08, k = 2 -> 134.16,
// the circle primitive taking the larger one; (100,100)-(150,130): r = 58.31, k = 0.6 ->
// 34.99 down, the circle primitive taking r.
TEST(DensityFigures, EllipseSemiAxes) {
  EllipseDensite e;
  ASSERT_TRUE(Ellipse_Densite(0, 0, 30, 60, e));
  EXPECT_NEAR(e.demiAxeX(), 67.082, 1e-3);
  EXPECT_NEAR(e.demiAxeY(), 134.164, 1e-3);
  EXPECT_NEAR(e.rayonCercle(), 134.164, 1e-3);
  ASSERT_TRUE(Ellipse_Densite(100, 100, 150, 130, e));
  EXPECT_NEAR(e.demiAxeX(), 58.310, 1e-3);
  EXPECT_NEAR(e.demiAxeY(), 34.986, 1e-3);
  EXPECT_NEAR(e.rayonCercle(), 58.310, 1e-3);
  EXPECT_FALSE(Ellipse_Densite(5, 5, 5, 80, e));
}

TEST(DensityFigures, RectangleArea) {
  EXPECT_EQ(Surface_Rectangle(100, 100, 150, 130), 1500);
  EXPECT_EQ(Surface_Rectangle(10, 10, 30, 40), 600);
  EXPECT_EQ(Surface_Rectangle(30, 40, 10, 10), 600);
  EXPECT_EQ(Surface_Rectangle(10, 10, 10, 40), 0);
  EXPECT_EQ(Surface_Rectangle(0, 0, kNaN, 4), 0);
}

// --- outlines ------------------------------------------------------------------------------

// Right triangle 300 x 400 closed through its first vertex, L = 0.01: S = 60000 x 1e-4 = 6,
// P = (300 + 400 + 500) x 0.01 = 12, mean of the four listed vertices (150, 100).
// Square of side 100 listed clockwise on the picture (y down): S = 10000, P = 400.
// A there-and-back line A, B, A of length 500: P = 500, S = 0. Exactly two vertices listed
// count as a there-and-back line too: half the single pass.
TEST(Outlines, AreaPerimeterAndMeanPoint) {
  struct Case {
    std::vector<double> xs, ys;
    double L, S, P, xm, ym;
  };
  const Case cases[] = {
      {{0, 300, 300, 0}, {0, 0, 400, 0}, 0.01, 6, 12, 150, 100},
      {{0, 0, 300, 0}, {0, 400, 400, 0}, 0.01, 6, 12, 75, 200},
      {{0, 100, 100, 0, 0}, {0, 0, 100, 100, 0}, 1, 10000, 400, 40, 40},
      {{0, 300, 0}, {0, 400, 0}, 1, 0, 500, 100, 400.0 / 3},
      {{0, 300}, {0, 400}, 1, 0, 250, 150, 200},
      {{7}, {9}, 1, 0, 0, 7, 9},
      {{}, {}, 1, 0, 0, 0, 0},
      // The longer list's extra entries are ignored.
      {{0, 300, 300, 0, 55}, {0, 0, 400, 0}, 0.01, 6, 12, 150, 100},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.xs.size());
    const Contour k = Mesure_Contour(c.xs, c.ys, c.L);
    EXPECT_NEAR(k.S, c.S, 1e-9);
    EXPECT_NEAR(k.P, c.P, 1e-9);
    EXPECT_NEAR(k.xMoyen, c.xm, 1e-9);
    EXPECT_NEAR(k.yMoyen, c.ym, 1e-9);
  }
  const Contour bad = Mesure_Contour({0, kNaN, 3, 0}, {0, 4, 5, 0}, 1);
  EXPECT_EQ(bad.S, 0);
  EXPECT_EQ(bad.P, 0);
}

// Shape factor P^2 / S / 12.5664 - 1 and mean radius 2S / P: the 300-400-500 triangle
// (S 6, P 12) gives 24 / 12.5664 - 1 = 0.90985 and 1; a circle of radius 10 taken as
// S = 314.16, P = 62.832 gives 0 and 10.
TEST(Outlines, ShapeFactorAndMeanRadius) {
  EXPECT_NEAR(Facteur_Forme(6, 12), 0.909855, 1e-6);
  EXPECT_NEAR(Rayon_Moyen(6, 12), 1, 1e-12);
  EXPECT_NEAR(Facteur_Forme(314.16, 62.832), 0, 1e-9);
  EXPECT_NEAR(Rayon_Moyen(314.16, 62.832), 10, 1e-9);
  EXPECT_EQ(Facteur_Forme(0, 12), 0);
  EXPECT_EQ(Rayon_Moyen(6, 0), 0);
  EXPECT_EQ(Facteur_Forme(kNaN, 12), 0);
}

TEST(Outlines, RoundingToTheMask) {
  platform::SetDecimalSeparator('.');
  EXPECT_DOUBLE_EQ(Arrondi_Masque(0.909855, "###0.00"), 0.91);
  EXPECT_DOUBLE_EQ(Arrondi_Masque(2.345, "###0.00"), 2.35);
  EXPECT_DOUBLE_EQ(Arrondi_Masque(17.0612, "###0.000"), 17.061);
  platform::SetDecimalSeparator(',');
  EXPECT_DOUBLE_EQ(Arrondi_Masque(2.345, "###0.00"), 2.35);
  platform::SetDecimalSeparator(0);
}

// --- triangles -----------------------------------------------------------------------------

// Vertex (0,0), points (400,0) and (0,300), Calibrage 0.01: S = 6, angle 90, P = 4 + 3 + 5.
// Third point (-300,400): S = |400 x 400| / 2 x 1e-4 = 8, cos = -120000 / 200000 = -0.6,
// 126.8699 degrees; sides 4, 5 and 806.226 -> 806 units, P = 17.06. The vertex angle is
// taken with pi as 3.14159 (126.8699 x 3.14159265 / 3.14159 = 126.8700).
TEST(Triangles, AreaAngleAndPerimeter) {
  struct Case {
    double x1, y1, x2, y2, kZoom, S, angle, P;
  };
  const Case cases[] = {
      {400, 0, 0, 300, 1, 6, 90.0001, 12},
      {400, 0, -300, 400, 1, 8, 126.8700, 17.06},
      // Half the zoom: every side twice as long in picture units.
      {400, 0, 0, 300, 2, 24, 90.0001, 24},
      {400, 0, 800, 0, 1, 0, 0, 16},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.x2);
    LengthScale s;
    s.Calibrage = 0.01;
    s.K_Zoom = c.kZoom;
    const Triangle t = Mesure_Triangle(0, 0, c.x1, c.y1, c.x2, c.y2, s);
    EXPECT_NEAR(t.S, c.S, 1e-9);
    EXPECT_NEAR(t.angle, c.angle, 1e-3);
    EXPECT_NEAR(t.perimetre, c.P, 1e-9);
  }
}

// --- gill count --------------------------------------------------------------------------

// Directions from the centre (Angle_Direction: whole degrees, y down). A gill to the right
// of the centre is at 270, one below at 360, to the left at 90, above at 180.
TEST(Gills, AngleFromTheFirstGill) {
  struct Case {
    double reference, x, y, angle;
  };
  const Case cases[] = {
      {270, 300, 100, 0},    // the first gill's own direction
      {270, 100, 300, 90},   // a quarter turn on
      {270, -100, 100, 180}, {270, 100, -100, 270},
      {360, 300, 100, 270},  // 270 + 360 - 360
      {0, 300, 100, 270},    {90, 300, 100, 180},
  };
  for (const Case& c : cases) EXPECT_EQ(Angle_Lame(c.reference, 100, 100, c.x, c.y), c.angle) << c.x << " " << c.y;
  EXPECT_EQ(Angle_Lame(kNaN, 100, 100, 300, 100), 0);
  EXPECT_EQ(Angle_Lame(1e300, 100, 100, 300, 100), 0);
}

// E = Int((n - 1) x 360 / |A|) + 1: after gill 2 (n = 2) at 14 degrees, Int(25.71) + 1 =
// 26; n = 3 at 27, Int(26.67) + 1 = 27; n = 4 at 41, Int(26.34) + 1 = 27.
TEST(Gills, Estimate) {
  struct Case {
    int n;
    double a;
    int e;
  };
  const Case cases[] = {{2, 14, 26}, {3, 27, 27}, {4, 41, 27}, {2, -14, 26}, {2, 360, 2},
                        {2, 0, 0},   {2, kNaN, 0}, {32767, 0.001, 32767}};
  for (const Case& c : cases) EXPECT_EQ(Estimation_Lames(c.n, c.a), c.e) << c.n << " " << c.a;
}

// Reference: the mean of the non-zero values. Agreement of 27 with 26: d = 1/26 = 0.0385,
// 96 %; with 27: 100 %; 10 with 30: d = 2/3, 33 %; 70 with 30: d = 4/3, Int(-33.3) = -34.
TEST(Gills, ReferenceAgreementAndColour) {
  EXPECT_EQ(Reference_Lames(0, 0, 26), 26);
  EXPECT_EQ(Reference_Lames(20, 0, 26), 23);
  EXPECT_EQ(Reference_Lames(0, 0, 0), 0);
  struct Case {
    int e;
    double r, pourcentage;
  };
  const Case cases[] = {{27, 26, 96}, {27, 27, 100}, {10, 30, 33}, {70, 30, -34}};
  for (const Case& c : cases) EXPECT_EQ(Accord_Lames(c.e, c.r).pourcentage, c.pourcentage) << c.e;
  EXPECT_NEAR(Accord_Lames(27, 26).ecart, 1.0 / 26, 1e-12);

  EXPECT_EQ(Couleur_Accord(2, 0.0), platform::Colour(0xFFC0FF));   // too early to judge
  EXPECT_EQ(Couleur_Accord(3, 0.0385), platform::Colour(0xFFFF80));
  EXPECT_EQ(Couleur_Accord(4, 0.0), platform::Colour(0x00FF00));
  EXPECT_EQ(Couleur_Accord(4, 0.1), platform::Colour(0xFFC0FF));
  EXPECT_EQ(Couleur_Accord(4, 0.01), platform::Colour(0xFFFF80));
}

TEST(Gills, PercentageCellAndCountingBox) {
  platform::SetDecimalSeparator('.');
  EXPECT_EQ(Texte_Pourcentage_Lames(false, 0), "");
  EXPECT_EQ(Texte_Pourcentage_Lames(true, 96), "96");
  EXPECT_EQ(Texte_Pourcentage_Lames(true, -34), "-34");
  EXPECT_EQ(Compte_Boite(" 3"), 3);
  EXPECT_EQ(Compte_Boite("12"), 12);
  EXPECT_EQ(Compte_Boite("abc"), 0);
  EXPECT_EQ(Compte_Boite(""), 0);
  platform::SetDecimalSeparator(0);
}

}  // namespace
