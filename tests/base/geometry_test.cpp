#include "base/geometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>

namespace {

constexpr double kPi = std::numbers::pi;
const LengthScale kUnit;   // factor 1: picture units are micrometres

struct Triangle {
  const char* name;
  double x1, y1, x2, y2, x3, y3;
  double area;    // square picture units
  double angle;   // radians, at (x1, y1)
};

// Worked out by hand, without the code under test:
// - right: legs 3 and 4 along the axes, hypotenuse 5; area 3 x 4 / 2 = 6;
//   Heron s = 6, 6 x 3 x 2 x 1 = 36, root 6. Angle at the origin 90 degrees.
// - acute 45: (0,0) (2,0) (1,1): base 2, height 1, area 1; sides 2, sqrt 2, sqrt 2;
//   Heron s = 1 + sqrt 2, (1 + sqrt 2)(sqrt 2 - 1) x 1 x 1 = 1. Angle pi/4
//   (sine 2 x 1 / (2 sqrt 2) = 1/sqrt 2).
// - acute 3-4-5: (0,0) (4,0) (4,3): area 4 x 3 / 2 = 6; sine at the origin
//   2 x 6 / (4 x 5) = 3/5, angle asin(0.6) = 0.643501108793284386... rad (36.87 degrees).
// - obtuse 135: (0,0) (1,0) (-1,1): base 1, height 1, area 1/2; sides 1 and sqrt 2;
//   the sine 1/sqrt 2 alone would give 45 degrees, the true angle is 3 pi/4.
// - obtuse 3-4-5 mirrored: (0,0) (4,0) (-4,3): area 4 x 3 / 2 = 6; angle
//   pi - asin(0.6) = 2.498091544796508... rad.
const Triangle kTriangles[] = {
    {"right", 0, 0, 3, 0, 0, 4, 6.0, kPi / 2},
    {"acute45", 0, 0, 2, 0, 1, 1, 1.0, kPi / 4},
    {"acute345", 0, 0, 4, 0, 4, 3, 6.0, 0.6435011087932844},
    {"obtuse135", 0, 0, 1, 0, -1, 1, 0.5, 3 * kPi / 4},
    {"obtuse345", 0, 0, 4, 0, -4, 3, 6.0, 2.498091544796509},
};

TEST(Geometry, AreaOfTrianglesByHand) {
  for (const Triangle& t : kTriangles) {
    SCOPED_TRACE(t.name);
    EXPECT_NEAR(Mesure_3_Points_Base(t.x1, t.y1, t.x2, t.y2, t.x3, t.y3, kUnit), t.area, 1e-12);
  }
}

TEST(Geometry, AngleAtFirstPointByHand) {
  for (const Triangle& t : kTriangles) {
    SCOPED_TRACE(t.name);
    EXPECT_NEAR(Mesure_3_Points(t.area, t.x1, t.y1, t.x2, t.y2, t.x3, t.y3, kUnit), t.angle,
                1e-12);
  }
}

TEST(Geometry, AngleChainedWithComputedArea) {
  // The way the measuring code calls them: the area of the triangle, then the angle.
  for (const Triangle& t : kTriangles) {
    SCOPED_TRACE(t.name);
    const double s = Mesure_3_Points_Base(t.x1, t.y1, t.x2, t.y2, t.x3, t.y3, kUnit);
    EXPECT_NEAR(Mesure_3_Points(s, t.x1, t.y1, t.x2, t.y2, t.x3, t.y3, kUnit), t.angle, 1e-12);
  }
}

TEST(Geometry, ExactRightAngleIsHalfPi) {
  // Sine exactly 1 (2 x 6 / (3 x 4)): a right angle, not 0.
  const double a = Mesure_3_Points(6.0, 0, 0, 3, 0, 0, 4, kUnit);
  EXPECT_DOUBLE_EQ(a * 180 / kPi, 90.0);
}

TEST(Geometry, AcuteAngleEqualsArcsineOfSine) {
  // Scalene acute triangle (0,0) (5,1) (2,4): cross product 5 x 4 - 2 x 1 = 18, area 9;
  // |P1P2| = sqrt 26, |P1P3| = sqrt 20; sine 18 / sqrt 520.
  const double s = 9.0;
  EXPECT_NEAR(Mesure_3_Points(s, 0, 0, 5, 1, 2, 4, kUnit), std::asin(18.0 / std::sqrt(520.0)),
              1e-12);
}

TEST(Geometry, CalibrationScalesAreaNotAngle) {
  // Factor 0.5 x 2 x 3 / 1.5 = 2 micrometres per picture unit: the 3-4-5 triangle
  // becomes 6-8-10, area 24.
  const LengthScale scale{0.5, 2.0, 3.0, 1.5};
  EXPECT_DOUBLE_EQ(scale.factor(), 2.0);
  EXPECT_NEAR(Mesure_3_Points_Base(0, 0, 3, 0, 0, 4, scale), 24.0, 1e-12);
  EXPECT_NEAR(Mesure_3_Points(24.0, 0, 0, 3, 0, 0, 4, scale), kPi / 2, 1e-12);
  EXPECT_NEAR(Mesure_3_Points(24.0, 0, 0, 4, 0, 4, 3, scale), 0.6435011087932844, 1e-12);
}

TEST(Geometry, CollinearPointsGiveZeroArea) {
  // Sides 3, 4 and 7 on the x axis: Heron s = 7, 7 x 4 x 0 x 3 = 0.
  EXPECT_EQ(Mesure_3_Points_Base(0, 0, 3, 0, 7, 0, kUnit), 0.0);
  // On the diagonal the sides are irrational; still exactly 0, never NaN.
  EXPECT_EQ(Mesure_3_Points_Base(0, 0, 1, 1, 3, 3, kUnit), 0.0);
  EXPECT_LT(Mesure_3_Points_Base(0.1, 0.2, 0.3, 0.6, 0.7, 1.4, kUnit), 1e-12);
  // All three points the same.
  EXPECT_EQ(Mesure_3_Points_Base(5, 5, 5, 5, 5, 5, kUnit), 0.0);
}

TEST(Geometry, CollinearAngles) {
  // Both sides in the same direction: 0; in opposite directions (P1 between): pi.
  EXPECT_EQ(Mesure_3_Points(0.0, 0, 0, 3, 0, 7, 0, kUnit), 0.0);
  EXPECT_NEAR(Mesure_3_Points(0.0, 0, 0, 3, 0, -4, 0, kUnit), kPi, 1e-15);
}

TEST(Geometry, DegenerateInputsGiveZero) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  // A side of length 0.
  EXPECT_EQ(Mesure_3_Points(1.0, 0, 0, 0, 0, 1, 1, kUnit), 0.0);
  EXPECT_EQ(Mesure_3_Points(1.0, 0, 0, 1, 1, 0, 0, kUnit), 0.0);
  // A screen ratio of 0 makes the factor unusable.
  const LengthScale broken{1.0, 1.0, 1.0, 0.0};
  EXPECT_EQ(broken.factor(), 0.0);
  EXPECT_EQ(Mesure_3_Points_Base(0, 0, 3, 0, 0, 4, broken), 0.0);
  EXPECT_EQ(Mesure_3_Points(6.0, 0, 0, 3, 0, 0, 4, broken), 0.0);
  // Not-a-number and infinite values.
  EXPECT_EQ(Mesure_3_Points_Base(nan, 0, 3, 0, 0, 4, kUnit), 0.0);
  EXPECT_EQ(Mesure_3_Points_Base(inf, 0, 3, 0, 0, 4, kUnit), 0.0);
  EXPECT_EQ(Mesure_3_Points(nan, 0, 0, 3, 0, 0, 4, kUnit), 0.0);
  EXPECT_EQ(Mesure_3_Points(6.0, 0, 0, inf, 0, 0, 4, kUnit), 0.0);
}

struct Direction {
  float dx, dy;
  float degrees;
};

// By hand from the rule: a = atan(dy/dx) (+ 2 pi when dx > 0 and dy < 0; + pi when
// dx < 0; pi/2 or 3 pi/2 when dx = 0), d = floor(a in degrees) + 270, - 360 above 360.
// (1,1): 45 + 270 = 315. (-1,1): 135 + 270 - 360 = 45. (-1,-1): 225 -> 135.
// (1,-1): 315 -> 225. (2,1): atan(0.5) = 26.565 -> 296. (-3,4): 126.87 -> 36.
const Direction kDirections[] = {
    {1, 0, 270},  {0, 1, 360},   {-1, 0, 90},   {0, -1, 180}, {0, 0, 360},
    {1, 1, 315},  {-1, 1, 45},   {-1, -1, 135}, {1, -1, 225}, {2, 1, 296},
    {-3, 4, 36},
};

TEST(Geometry, AngleDirectionTable) {
  for (const Direction& d : kDirections) {
    SCOPED_TRACE(testing::Message() << "dx " << d.dx << " dy " << d.dy);
    EXPECT_EQ(Angle_Direction(d.dx, d.dy, 0, 0), d.degrees);
    // The same vector from another origin.
    EXPECT_EQ(Angle_Direction(100 + d.dx, 50 + d.dy, 100, 50), d.degrees);
  }
}

TEST(Geometry, AngleDirectionStaysInRange) {
  for (int i = 0; i < 720; ++i) {
    const double t = i * kPi / 360;
    const float r = Angle_Direction(static_cast<float>(std::cos(t)),
                                    static_cast<float>(std::sin(t)), 0, 0);
    ASSERT_GE(r, 1.0f) << i;
    ASSERT_LE(r, 360.0f) << i;
    ASSERT_EQ(r, std::floor(r)) << i;
  }
}

TEST(Geometry, AngleDirectionOfNonFiniteIsZero) {
  const float inf = std::numeric_limits<float>::infinity();
  EXPECT_EQ(Angle_Direction(inf, 0, 0, 0), 0.0f);
  EXPECT_EQ(Angle_Direction(0, std::numeric_limits<float>::quiet_NaN(), 0, 0), 0.0f);
  // Finite inputs whose difference overflows single precision.
  EXPECT_EQ(Angle_Direction(3e38f, 0, -3e38f, 0), 0.0f);
}

// Screen pixels n showing picture point a + n x b (picture units). Worked out by hand:
// - b = 10 from 0: pixel 1 (point 15) starts at n = 2 (point 20), since point 10 is
//   still in pixel 0; pixel 2 (30) exactly at n = 3.
// - b = 7.5 from 0: picture pixel c starts exactly at n = 2 c.
// - b = 40 from 100 (shrunk): n = 0 shows pixel 6 (point 100), n = 1 pixel 9 (point
//   140), so pixels 7 and 8, never shown, are first reached at n = 1 as 9 is.
// - b = 3 from -45 (pixel -3): pixel 0 at n = 15.
struct PixelStart {
  double a, b;
  double c;
  int estimate;
  int first;
};
const PixelStart kPixelStarts[] = {
    {0, 10, 1, 0, 2},     {0, 10, 1, 9, 2},    {0, 10, 2, 3, 3},    {0, 10, 2, -20, 3},
    {0, 7.5, 5, 10, 10},  {0, 7.5, 5, 0, 10},  {0, 7.5, 5, 30, 10}, {100, 40, 6, 0, 0},
    {100, 40, 8, 5, 1},   {100, 40, 9, 0, 1},  {-45, 3, 0, 15, 15}, {-45, 3, 0, 14, 15},
};

TEST(Geometry, FirstPixelShowingAPictureColumn) {
  for (const PixelStart& p : kPixelStarts) {
    SCOPED_TRACE(testing::Message() << p.a << " + n x " << p.b << ", pixel " << p.c << " from " << p.estimate);
    EXPECT_EQ(firstPixelShowing([&](int n) { return p.a + n * p.b; }, p.estimate, p.c), p.first);
  }
}

// The search stops after 64 steps each way: an estimate 100 pixels short ends 64
// further on, and points that are not numbers never show the pixel.
TEST(Geometry, FirstPixelShowingStopsAfterItsSteps) {
  EXPECT_EQ(firstPixelShowing([](int n) { return n * 15.0; }, -100, 0), -36);
  EXPECT_EQ(firstPixelShowing([](int n) { return n * 15.0; }, 100, 0), 36);
  EXPECT_EQ(firstPixelShowing([](int) { return std::numeric_limits<double>::quiet_NaN(); }, 5, 0), 69);
}

// The edge between two pixels counts as the later one, as floor does: a point
// exactly on 15 c is in pixel c, and the one just before it is not.
TEST(Geometry, FirstPixelShowingTakesAnExactEdgeAsTheLaterPixel) {
  const double justBefore = std::nextafter(30.0, 0.0);
  EXPECT_EQ(firstPixelShowing([&](int n) { return n == 0 ? justBefore : 30.0 + n; }, 0, 2), 1);
  EXPECT_EQ(firstPixelShowing([](int n) { return 30.0 + n; }, 0, 2), 0);
}

}  // namespace
