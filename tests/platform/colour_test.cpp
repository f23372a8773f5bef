// Colour numbers, the 16-colour palette and system colours.
#include "platform/colour.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QPalette>

namespace {

using platform::Colour;

struct PaletteEntry {
  int red, green, blue;
};

// The 16-colour palette as (red, green, blue), from the documented table; the number is
// blue * 65536 + green * 256 + red.
const PaletteEntry kPalette[16] = {
    {0, 0, 0},       {0, 0, 128},     {0, 128, 0},     {0, 128, 128},
    {128, 0, 0},     {128, 0, 128},   {128, 128, 0},   {192, 192, 192},
    {128, 128, 128}, {0, 0, 255},     {0, 255, 0},     {0, 255, 255},
    {255, 0, 0},     {255, 0, 255},   {255, 255, 0},   {255, 255, 255},
};

Colour number(const PaletteEntry& e) {
  return static_cast<Colour>(e.blue * 65536 + e.green * 256 + e.red);
}

TEST(Colour, RgbPacksBlueGreenRed) {
  EXPECT_EQ(platform::RGB(1, 2, 3), 197121u);         // 3 * 65536 + 2 * 256 + 1
  EXPECT_EQ(platform::RGB(255, 0, 0), 0x0000FFu);
  EXPECT_EQ(platform::RGB(0, 0, 255), 0xFF0000u);
  EXPECT_EQ(platform::RGB(300, -5, 128), 0x8000FFu);  // parts clamped to 0..255
}

TEST(Colour, SixteenColourPalette) {
  for (int n = 0; n < 16; ++n) {
    EXPECT_EQ(platform::QBColor(n), number(kPalette[n])) << n;
    EXPECT_EQ(platform::redOf(platform::QBColor(n)), kPalette[n].red) << n;
    EXPECT_EQ(platform::greenOf(platform::QBColor(n)), kPalette[n].green) << n;
    EXPECT_EQ(platform::blueOf(platform::QBColor(n)), kPalette[n].blue) << n;
  }
  EXPECT_EQ(platform::QBColor(16), platform::QBColor(0));
  EXPECT_EQ(platform::QBColor(31), 0xFFFFFFu);
  EXPECT_EQ(platform::QBColor(-1), 0u);
}

TEST(Colour, PartsOfAColour) {
  const Colour c = 0xC0FFC0;  // the light green of grid headers
  EXPECT_EQ(platform::redOf(c), 0xC0);
  EXPECT_EQ(platform::greenOf(c), 0xFF);
  EXPECT_EQ(platform::blueOf(c), 0xC0);
  EXPECT_EQ(platform::resolveColour(0x12345678u), 0x345678u);  // not a system colour
}

TEST(Colour, SystemColoursFromThePalette) {
  ASSERT_NE(qobject_cast<QGuiApplication*>(QCoreApplication::instance()), nullptr);
  const QColor face = QGuiApplication::palette().color(QPalette::Active, QPalette::Button);
  const Colour resolved = platform::resolveColour(platform::kButtonFace);
  EXPECT_EQ(resolved, platform::RGB(face.red(), face.green(), face.blue()));
  EXPECT_GT(platform::redOf(platform::kButtonFace), 150);  // a light grey
  EXPECT_GT(platform::greenOf(platform::kButtonFace), 150);
  EXPECT_GT(platform::blueOf(platform::kButtonFace), 150);
  const QColor text = QGuiApplication::palette().color(QPalette::Active, QPalette::Text);
  EXPECT_EQ(platform::resolveColour(platform::kWindowText),
            platform::RGB(text.red(), text.green(), text.blue()));
  const QColor base = QGuiApplication::palette().color(QPalette::Active, QPalette::Base);
  EXPECT_EQ(platform::resolveColour(platform::kWindowBackground),
            platform::RGB(base.red(), base.green(), base.blue()));
  EXPECT_EQ(platform::resolveColour(0x800000FFu), 0u);  // unknown index: black
}

}  // namespace
