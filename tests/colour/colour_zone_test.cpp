// The colour of a zone: the sRGB to L*a*b* conversion against values worked out
// independently, the mean of a zone with black pixels left out, the two-decimal rule,
// the bounds of the square, and the texts of colour values.
#include "colour/colour_zone.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "platform/runtime.h"

namespace {

// L*, a*, b* computed independently in Python (double precision) from the same
// conversion (sRGB companding, four-digit matrix, white 94.811 / 100 / 107.304), each
// value stored as a single and kept by floor(v x 100 + 0.5) / 100. scikit-image's
// D65/10 degree conversion agrees within 0.02; (200, 150, 100) under the ordinary
// D65/2 degree white would give a* 12.76, b* 33.56 instead.
TEST(ColourZone, LabOfKnownColours) {
  struct Case {
    double r, v, b;
    float L, a, bb;
  };
  const Case cases[] = {
      {255, 255, 255, 100.0f, 0.42f, -0.99f},  // greys are not neutral here
      {128, 128, 128, 53.59f, 0.25f, -0.59f},
      {255, 0, 0, 53.23f, 80.42f, 66.97f},
      {0, 0, 0, 0.0f, 0.0f, 0.0f},
      {200, 150, 100, 65.76f, 13.07f, 33.03f},
      {90, 60, 30, 28.11f, 9.85f, 23.29f},
      {120.49, 80.64, 40.79, 37.88f, 12.57f, 29.44f},
      {190, 40, 50, 42.3f, 58.59f, 32.19f},
      {40, 160, 60, 57.96f, -52.88f, 41.53f},
      {60, 60, 200, 34.73f, 45.03f, -73.11f},
      {160, 158.67, 140.63, 65.02f, -2.47f, 8.96f},
      {30, 120, 90, 44.87f, -33.45f, 8.63f},
  };
  for (const Case& c : cases) {
    const std::array<float, 3> lab = RVB_Vers_Lab(c.r, c.v, c.b);
    EXPECT_FLOAT_EQ(lab[0], c.L) << c.r << " " << c.v << " " << c.b;
    EXPECT_FLOAT_EQ(lab[1], c.a) << c.r << " " << c.v << " " << c.b;
    EXPECT_FLOAT_EQ(lab[2], c.bb) << c.r << " " << c.v << " " << c.b;
  }
}

TEST(ColourZone, TwoDecimalsOfAMean) {
  EXPECT_DOUBLE_EQ(Deux_Decimales(12.3449), 12.34);
  EXPECT_DOUBLE_EQ(Deux_Decimales(12.3451), 12.34);
  EXPECT_DOUBLE_EQ(Deux_Decimales(12.3496), 12.35);
  EXPECT_DOUBLE_EQ(Deux_Decimales(0), 0);
}

// A 200 x 100 picture: left half (90, 60, 30); right half a 17-pixel tile, x mod 17 = 0
// black, (x mod 17, y mod 17) = (5, 9) white, else (120, 80, 40).
std::uint32_t couleur(int r, int v, int b) {
  return static_cast<std::uint32_t>(r) | (static_cast<std::uint32_t>(v) << 8) |
         (static_cast<std::uint32_t>(b) << 16);
}

std::uint32_t tuile(int x, int y) {
  if (x < 100) return couleur(90, 60, 30);
  if (x % 17 == 0) return 0;
  if (x % 17 == 5 && y % 17 == 9) return couleur(255, 255, 255);
  return couleur(120, 80, 40);
}

TEST(ColourZone, ZoneMeansLeaveBlackOut) {
  // Centre (150, 50), half-side 8: columns 142 to 158 hold one black column (153) and
  // one white pixel (158, 43): (271 x 120 + 255) / 272 = 120.496..., 80.643..., 40.790...
  MesureZone z = Mesure_Zone(tuile, 200, 100, 150 * 15 + 7, 50 * 15, 8);
  ASSERT_TRUE(z.prise);
  EXPECT_EQ(z.X, 150);
  EXPECT_EQ(z.Y, 50);
  EXPECT_EQ(z.n, 272);
  EXPECT_FLOAT_EQ(z.rvb[0], 120.49f);
  EXPECT_FLOAT_EQ(z.rvb[1], 80.64f);
  EXPECT_FLOAT_EQ(z.rvb[2], 40.79f);

  z = Mesure_Zone(tuile, 200, 100, 50 * 15, 50 * 15, 8);
  ASSERT_TRUE(z.prise);
  EXPECT_EQ(z.n, 17 * 17);
  EXPECT_FLOAT_EQ(z.rvb[0], 90);
  EXPECT_FLOAT_EQ(z.rvb[1], 60);
  EXPECT_FLOAT_EQ(z.rvb[2], 30);

  // All black: nothing counted, every mean 0.
  z = Mesure_Zone([](int, int) { return 0u; }, 200, 100, 50 * 15, 50 * 15, 2);
  ASSERT_TRUE(z.prise);
  EXPECT_EQ(z.n, 0);
  EXPECT_EQ(z.rvb, (std::array<float, 3>{0, 0, 0}));
}

TEST(ColourZone, SquareMustStayInsideThePicture) {
  std::vector<std::pair<int, int>> lus;
  auto lecteur = [&](int x, int y) {
    lus.emplace_back(x, y);
    return couleur(1, 2, 3);
  };
  struct Case {
    int x, y, t;
    bool prise;
  };
  const Case cases[] = {
      {191, 50, 8, true},  {192, 50, 8, false}, {9, 50, 8, true},   {8, 50, 8, false},
      {50, 9, 8, true},    {50, 8, 8, false},   {50, 91, 8, true},  {50, 92, 8, false},
      {2, 2, 1, true},     {1, 1, 1, false},
  };
  for (const Case& c : cases) {
    lus.clear();
    const MesureZone z = Mesure_Zone(lecteur, 200, 100, c.x * 15 + 14.9, c.y * 15, c.t);
    EXPECT_EQ(z.prise, c.prise) << c.x << "," << c.y;
    EXPECT_EQ(lus.size(), c.prise ? static_cast<std::size_t>((2 * c.t + 1) * (2 * c.t + 1)) : 0u);
  }
  EXPECT_FALSE(Mesure_Zone(lecteur, 200, 100, std::nan(""), 100, 1).prise);
}

TEST(ColourZone, ValueTexts) {
  platform::SetDecimalSeparator('.');
  EXPECT_EQ(Texte_Couleur(120.49f), "120.49");
  EXPECT_EQ(Texte_Couleur(-33.45f), "-33.45");
  EXPECT_EQ(Texte_Couleur(90.0f), "90");
  platform::SetDecimalSeparator(',');
  EXPECT_EQ(Texte_Couleur(80.64f), "80,64");
  platform::SetDecimalSeparator(0);
}

}  // namespace
