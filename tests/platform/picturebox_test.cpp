// Picture boxes: scales, drawing on the canvas pixel by pixel, raster operations,
// text, painting pictures, events in scale units, and the image holder.
#include "platform/picturebox.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "platform/form.h"

namespace {

using platform::Colour;
using platform::ImageBox;
using platform::Picture;
using platform::PictureBox;

constexpr Colour kWhite = 0xFFFFFF;
constexpr Colour kBlack = 0x000000;
constexpr Colour kRed = 0x0000FF;     // &HBBGGRR
constexpr Colour kGreen = 0x00FF00;
constexpr double kPi = 3.14159265358979323846;

// A form with one borderless picture box of w x h pixels, white, drawing persistently.
class PictureBoxTest : public ::testing::Test {
 protected:
  PictureBoxTest() : form_("TestForm") {}
  void SetUp() override {
    box_ = std::make_unique<PictureBox>(form_, "Picture1");
    box_->setBorderStyle(0);
    resize(200, 100);
    box_->setBackColor(kWhite);
    box_->setForeColor(kBlack);
    box_->setAutoRedraw(true);
  }
  void TearDown() override { box_.reset(); }
  void resize(int w, int h) { box_->move(0, 0, w * 15.0, h * 15.0); }
  Colour px(int x, int y) const { return box_->image().pixel(x, y); }
  // A noisy background, so that raster operations meet many different colours.
  void noise() {
    QImage img(box_->canvasWidthPixels(), box_->canvasHeightPixels(), QImage::Format_RGB32);
    unsigned v = 12345;
    for (int y = 0; y < img.height(); ++y)
      for (int x = 0; x < img.width(); ++x) {
        v = v * 1103515245u + 12345u;
        img.setPixel(x, y, 0xFF000000u | ((v >> 8) & 0xFFFFFFu));
      }
    box_->setPicture(Picture::fromQImage(img));
  }
  // Pixels differing between two pictures of the same size.
  static int differences(const Picture& a, const Picture& b) {
    if (a.widthPixels() != b.widthPixels() || a.heightPixels() != b.heightPixels()) return -1;
    int n = 0;
    for (int y = 0; y < a.heightPixels(); ++y)
      for (int x = 0; x < a.widthPixels(); ++x) n += a.pixel(x, y) != b.pixel(x, y);
    return n;
  }
  void sendMouse(QEvent::Type type, int x, int y, Qt::MouseButton button, Qt::MouseButtons buttons,
                 Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QMouseEvent e(type, QPointF(x, y), QPointF(x, y), button, buttons, mods);
    QCoreApplication::sendEvent(box_->clientWidget(), &e);
  }

  platform::Form form_;
  std::unique_ptr<PictureBox> box_;
};

// 4 x 4 picture with a distinct colour per pixel: red 60 i + 10, green 60 j + 10, blue 128.
Picture fourByFour() {
  QImage img(4, 4, QImage::Format_RGB32);
  for (int j = 0; j < 4; ++j)
    for (int i = 0; i < 4; ++i) img.setPixel(i, j, qRgb(60 * i + 10, 60 * j + 10, 128));
  return Picture::fromQImage(img);
}

// --- scales ---------------------------------------------------------------------------

TEST_F(PictureBoxTest, TwipsScaleByDefault) {
  EXPECT_EQ(box_->scaleMode(), 1);
  EXPECT_EQ(box_->canvasWidthPixels(), 200);
  EXPECT_EQ(box_->canvasHeightPixels(), 100);
  EXPECT_DOUBLE_EQ(box_->scaleWidth(), 3000.0);
  EXPECT_DOUBLE_EQ(box_->scaleHeight(), 1500.0);
  EXPECT_DOUBLE_EQ(box_->scaleLeft(), 0.0);
  box_->setScaleMode(3);
  EXPECT_DOUBLE_EQ(box_->scaleWidth(), 200.0);
  box_->setScaleMode(5);   // inches: 200 px = 3000 twips = 2.0833 in
  EXPECT_NEAR(box_->scaleWidth(), 3000.0 / 1440.0, 1e-12);
  EXPECT_THROW(box_->setScaleMode(9), std::invalid_argument);
}

TEST_F(PictureBoxTest, BorderTakesTwoPixelsEachSide) {
  box_->setBorderStyle(1);
  EXPECT_EQ(box_->canvasWidthPixels(), 196);
  EXPECT_EQ(box_->canvasHeightPixels(), 96);
  EXPECT_DOUBLE_EQ(box_->scaleWidth(), 196 * 15.0);
}

TEST_F(PictureBoxTest, SettingOneScalePropertyMakesAUserScale) {
  box_->setScaleWidth(1000);
  EXPECT_EQ(box_->scaleMode(), 0);
  EXPECT_DOUBLE_EQ(box_->scaleWidth(), 1000.0);
  EXPECT_DOUBLE_EQ(box_->scaleHeight(), 1500.0);   // kept from twips
  EXPECT_DOUBLE_EQ(box_->scaleLeft(), 0.0);
  box_->setScaleLeft(-50);
  EXPECT_DOUBLE_EQ(box_->scaleLeft(), -50.0);
  EXPECT_DOUBLE_EQ(box_->scaleWidth(), 1000.0);
  EXPECT_THROW(box_->setScaleHeight(0), std::invalid_argument);
  EXPECT_THROW(box_->setScaleWidth(NAN), std::invalid_argument);
  // A user scale keeps its extent when the box grows.
  resize(400, 50);
  EXPECT_DOUBLE_EQ(box_->scaleWidth(), 1000.0);
  EXPECT_DOUBLE_EQ(box_->scaleHeight(), 1500.0);
}

TEST_F(PictureBoxTest, ScaleWithYUpwards) {
  box_->scale(0, 1000, 1000, 0);
  EXPECT_EQ(box_->scaleMode(), 0);
  EXPECT_DOUBLE_EQ(box_->scaleTop(), 1000.0);
  EXPECT_DOUBLE_EQ(box_->scaleHeight(), -1000.0);
  // y = 1000 is the top row, y = 0 the bottom edge: (500, 100) is pixel (100, 90).
  box_->pset(500, 100, kRed);
  EXPECT_EQ(px(100, 90), kRed);
  EXPECT_EQ(box_->point(500, 100), kRed);
  box_->scale();
  EXPECT_EQ(box_->scaleMode(), 1);
  EXPECT_THROW(box_->scale(0, 0, 0, 10), std::invalid_argument);
}

TEST_F(PictureBoxTest, ScaleXAndScaleYConvertLengths) {
  // Reference: 15 twips per pixel, 1440 per inch, 20 per point, 2540 HIMETRIC per inch.
  EXPECT_DOUBLE_EQ(box_->scaleX(15, 1, 3), 1.0);
  EXPECT_DOUBLE_EQ(box_->scaleX(1440, 1, 5), 1.0);
  EXPECT_DOUBLE_EQ(box_->scaleX(2540, 8, 3), 96.0);
  EXPECT_DOUBLE_EQ(box_->scaleY(96, 3, 8), 2540.0);
  EXPECT_DOUBLE_EQ(box_->scaleX(10, 2, 1), 200.0);
  EXPECT_DOUBLE_EQ(box_->scaleY(1, 4, 1), 240.0);
  EXPECT_DOUBLE_EQ(box_->scaleX(1, 4, 1), 120.0);
  // Mode 0 is the box's own units: here 1000 units across 200 pixels.
  box_->scale(0, 0, 1000, 500);
  EXPECT_DOUBLE_EQ(box_->scaleX(5, 0, 3), 1.0);
  EXPECT_DOUBLE_EQ(box_->scaleX(1, 3, 0), 5.0);
  EXPECT_DOUBLE_EQ(box_->scaleY(1, 3, 0), 5.0);
  EXPECT_DOUBLE_EQ(box_->scaleX(15, 1), 5.0);   // default target: the box's units
  EXPECT_THROW(box_->scaleX(1, 9, 1), std::invalid_argument);
  EXPECT_TRUE(std::isnan(box_->scaleX(NAN, 1, 3)));
}

TEST_F(PictureBoxTest, FixedScaleKeepsScaleWidthAfterResize) {
  box_->setFixedScaleWidth(11761);
  EXPECT_EQ(box_->scaleMode(), 1);
  EXPECT_DOUBLE_EQ(box_->scaleWidth(), 11761.0);
  EXPECT_DOUBLE_EQ(box_->scaleHeight(), 11761.0 * 100 / 200);
  resize(400, 300);
  EXPECT_DOUBLE_EQ(box_->scaleWidth(), 11761.0);
  EXPECT_DOUBLE_EQ(box_->scaleHeight(), 11761.0 * 300 / 400);
  EXPECT_DOUBLE_EQ(box_->scaleLeft(), 0.0);
  // A point half-way across is the middle pixel column.
  box_->pset(11761.0 / 2, 0, kRed);
  EXPECT_EQ(px(200, 0), kRed);
  // Pixels mode for a moment, then the logical twips again.
  box_->setScaleMode(3);
  EXPECT_DOUBLE_EQ(box_->scaleWidth(), 400.0);
  box_->setScaleMode(1);
  EXPECT_DOUBLE_EQ(box_->scaleWidth(), 11761.0);
  // Absolute conversions stay those of the device.
  EXPECT_DOUBLE_EQ(box_->scaleX(15, 1, 3), 1.0);
  EXPECT_DOUBLE_EQ(box_->scaleX(11761, 0, 3), 400.0);
  box_->setFixedScaleWidth(0);
  EXPECT_DOUBLE_EQ(box_->scaleWidth(), 6000.0);
}

// --- pixels of the figures ------------------------------------------------------------

TEST_F(PictureBoxTest, CopyLineColoursTheRightPixels) {
  // 150 twips = 10 pixels; both ends are drawn.
  box_->line(0, 0, 150, 0, kRed);
  for (int x = 0; x <= 10; ++x) EXPECT_EQ(px(x, 0), kRed) << x;
  EXPECT_EQ(px(11, 0), kWhite);
  EXPECT_EQ(px(0, 1), kWhite);
  EXPECT_DOUBLE_EQ(box_->currentX(), 150.0);
  EXPECT_DOUBLE_EQ(box_->currentY(), 0.0);
  // A diagonal covers one pixel per column.
  box_->line(300, 300, 600, 600);
  for (int i = 0; i <= 20; ++i) EXPECT_EQ(px(20 + i, 20 + i), kBlack) << i;
  EXPECT_EQ(px(21, 20), kWhite);
  // lineTo starts from the current point.
  box_->lineTo(600, 900, kGreen);
  EXPECT_EQ(px(40, 50), kGreen);
  EXPECT_EQ(px(40, 60), kGreen);
}

TEST_F(PictureBoxTest, DrawWidthThickensTheLine) {
  box_->setScaleMode(3);
  box_->setDrawWidth(3);
  box_->line(10, 50, 100, 50, kRed);
  EXPECT_EQ(px(50, 49), kRed);
  EXPECT_EQ(px(50, 50), kRed);
  EXPECT_EQ(px(50, 51), kRed);
  EXPECT_EQ(px(50, 52), kWhite);
  EXPECT_EQ(px(50, 48), kWhite);
  box_->setDrawWidth(0);
  EXPECT_EQ(box_->drawWidth(), 1);
}

TEST_F(PictureBoxTest, DottedLineLeavesGaps) {
  box_->setScaleMode(3);
  box_->setDrawStyle(2);   // dots: 3 on, 3 off
  box_->line(0, 10, 20, 10, kRed);
  const int expected[] = {1, 1, 1, 0, 0, 0, 1, 1, 1, 0, 0, 0};
  for (int x = 0; x < 12; ++x) EXPECT_EQ(px(x, 10) == kRed, expected[x] == 1) << x;
  box_->setDrawStyle(5);   // transparent pen
  box_->line(0, 20, 20, 20, kRed);
  EXPECT_EQ(px(0, 20), kWhite);
}

TEST_F(PictureBoxTest, BoxOutlineFillAndFilledBox) {
  box_->setScaleMode(3);
  box_->line(10, 10, 20, 15, kRed, true);
  EXPECT_EQ(px(10, 10), kRed);
  EXPECT_EQ(px(20, 15), kRed);
  EXPECT_EQ(px(15, 10), kRed);
  EXPECT_EQ(px(20, 12), kRed);
  EXPECT_EQ(px(15, 12), kWhite);   // transparent fill by default
  box_->setFillStyle(0);
  box_->setFillColor(kGreen);
  box_->line(30, 10, 40, 15, kRed, true);
  EXPECT_EQ(px(30, 10), kRed);
  EXPECT_EQ(px(35, 12), kGreen);
  box_->line(50, 10, 60, 15, kRed, true, true);   // BF: all in the line colour
  EXPECT_EQ(px(55, 12), kRed);
  EXPECT_EQ(px(60, 15), kRed);
  EXPECT_EQ(px(61, 15), kWhite);
  EXPECT_DOUBLE_EQ(box_->currentX(), 60.0);
}

TEST_F(PictureBoxTest, CircleAndAspect) {
  box_->setScaleMode(3);
  box_->circle(100, 50, 40, kRed);
  EXPECT_EQ(px(140, 50), kRed);
  EXPECT_EQ(px(60, 50), kRed);
  EXPECT_EQ(px(100, 10), kRed);
  EXPECT_EQ(px(100, 90), kRed);
  EXPECT_EQ(px(100, 50), kWhite);
  EXPECT_DOUBLE_EQ(box_->currentX(), 100.0);
  box_->cls();
  // Aspect 0.5: r is the horizontal radius, the vertical one is 20: wider than tall.
  box_->circle(100, 50, 40, kRed, NAN, NAN, 0.5);
  EXPECT_EQ(px(140, 50), kRed);
  EXPECT_EQ(px(100, 30), kRed);
  EXPECT_EQ(px(100, 70), kRed);
  EXPECT_EQ(px(100, 10), kWhite);
  box_->cls();
  // Aspect 2: r is the vertical radius, the horizontal one is 20: taller than wide.
  box_->circle(100, 50, 40, kRed, NAN, NAN, 2.0);
  EXPECT_EQ(px(100, 10), kRed);
  EXPECT_EQ(px(120, 50), kRed);
  EXPECT_EQ(px(140, 50), kWhite);
}

TEST_F(PictureBoxTest, RadiusIsInHorizontalUnits) {
  // 1000 units across 200 pixels, 100 units down 100 pixels: r = 200 units = 40 px,
  // drawn round on the screen.
  box_->scale(0, 0, 1000, 100);
  box_->circle(500, 50, 200, kRed);
  EXPECT_EQ(px(140, 50), kRed);
  EXPECT_EQ(px(100, 10), kRed);
}

TEST_F(PictureBoxTest, ArcRunsCounterClockwiseFromThreeOClock) {
  box_->setScaleMode(3);
  // From 0 to pi/2: the upper right quarter.
  box_->circle(100, 50, 40, kRed, 0, kPi / 2);
  EXPECT_EQ(px(140, 50), kRed);
  EXPECT_EQ(px(100, 10), kRed);
  EXPECT_EQ(px(60, 50), kWhite);
  EXPECT_EQ(px(100, 90), kWhite);
  // Near 45 degrees up-right there is ink, near 45 degrees down-right none.
  auto inkNear = [&](int x, int y) {
    for (int dy = -1; dy <= 1; ++dy)
      for (int dx = -1; dx <= 1; ++dx)
        if (px(x + dx, y + dy) == kRed) return true;
    return false;
  };
  EXPECT_TRUE(inkNear(128, 22));
  EXPECT_FALSE(inkNear(128, 78));
  EXPECT_EQ(px(120, 50), kWhite);   // no radius drawn
  box_->cls();
  // From 3 pi / 2 to pi / 2 wraps through 0: the right half.
  box_->circle(100, 50, 40, kRed, 3 * kPi / 2 - 0.01, kPi / 2);
  EXPECT_EQ(px(140, 50), kRed);
  EXPECT_EQ(px(100, 90), kRed);
  EXPECT_EQ(px(60, 50), kWhite);
}

TEST_F(PictureBoxTest, NegativeAnglesDrawRadii) {
  box_->setScaleMode(3);
  box_->circle(100, 50, 40, kRed, -1e-9, -kPi / 2);
  EXPECT_EQ(px(120, 50), kRed);   // radius to 3 o'clock
  EXPECT_EQ(px(100, 30), kRed);   // radius to 12 o'clock
  EXPECT_EQ(px(80, 50), kWhite);
  // A pie is filled when the fill style is solid.
  box_->cls();
  box_->setFillStyle(0);
  box_->setFillColor(kGreen);
  box_->circle(100, 50, 40, kRed, -1e-9, -kPi / 2);
  EXPECT_EQ(px(115, 35), kGreen);
  EXPECT_EQ(px(85, 65), kWhite);
  // A full circle is filled too, an open arc never.
  box_->cls();
  box_->circle(100, 50, 40, kRed);
  EXPECT_EQ(px(85, 65), kGreen);
  box_->cls();
  box_->circle(100, 50, 40, kRed, 0, kPi);
  EXPECT_EQ(px(100, 40), kWhite);
}

TEST_F(PictureBoxTest, HugeAndInvalidFiguresDrawNothingAndDoNotFail) {
  box_->setScaleMode(3);
  box_->circle(100, 50, 20, kRed);   // something to keep
  const Picture before = box_->image();
  box_->circle(0, 0, 1e12, kRed);
  box_->circle(NAN, 0, 10, kRed);
  box_->circle(10, 10, 10, kRed, INFINITY, 1);
  box_->line(0, 0, INFINITY, 5, kRed);
  box_->line(-1e300, -1e300, -1e299, -1e300, kRed);
  box_->line(NAN, 0, 10, 10, kRed, true, true);
  box_->pset(1e200, 0, kRed);
  box_->paintPicture(fourByFour(), NAN, 0);
  box_->paintPicture(fourByFour(), 0, 0, 0, 10);
  box_->paintPicture(Picture(), 0, 0);
  box_->printRotated("x", NAN, 0, 0);
  EXPECT_EQ(differences(before, box_->image()), 0);
  EXPECT_EQ(px(120, 50), kRed);
}

TEST_F(PictureBoxTest, LineFarOutsideIsClippedNotLost) {
  box_->setScaleMode(3);
  box_->line(-100000, 50, 100000, 50, kRed);
  for (int x = 0; x < 200; x += 7) EXPECT_EQ(px(x, 50), kRed) << x;
}

// --- raster operations ----------------------------------------------------------------

// Each mode on background &H336699 with pen &H0F0F0F; operations act on each bit, so
// the order of the bytes does not matter. Worked by hand:
//   ~0x336699 = 0xCC9966, ~0x0F0F0F = 0xF0F0F0, 0x336699 ^ 0x0F0F0F = 0x3C6996,
//   0x336699 & 0x0F0F0F = 0x030609, 0x336699 | 0x0F0F0F = 0x3F6F9F.
TEST_F(PictureBoxTest, DrawModesFollowTheRasterOperations) {
  const struct {
    int mode;
    Colour expected;
  } cases[] = {
      {1, 0x000000},  {2, 0xC09060},  {3, 0x306090},  {4, 0xF0F0F0},  {5, 0x0C0906},  {6, 0xCC9966},
      {7, 0x3C6996},  {8, 0xFCF9F6},  {9, 0x030609},  {10, 0xC39669}, {11, 0x336699}, {12, 0xF3F6F9},
      {13, 0x0F0F0F}, {14, 0xCF9F6F}, {15, 0x3F6F9F}, {16, 0xFFFFFF},
  };
  box_->setBackColor(0x336699);
  box_->setScaleMode(3);
  for (const auto& c : cases) {
    box_->cls();
    box_->setDrawMode(c.mode);
    box_->pset(5, 5, 0x0F0F0F);
    EXPECT_EQ(px(5, 5), c.expected) << "mode " << c.mode;
    EXPECT_EQ(px(6, 5), 0x336699u) << "mode " << c.mode;
  }
  box_->setDrawMode(99);   // ignored
  EXPECT_EQ(box_->drawMode(), 16);
}

TEST_F(PictureBoxTest, XorTwiceRestoresEveryPixel) {
  noise();
  box_->setScaleMode(3);
  const struct {
    const char* name;
    std::function<void(PictureBox&)> draw;
  } figures[] = {
      {"line", [](PictureBox& b) { b.line(5, 7, 180, 93); }},
      {"steep line", [](PictureBox& b) { b.line(100, 0, 103, 99, kRed); }},
      {"line leaving the box", [](PictureBox& b) { b.line(-50, 20, 150, 300, kGreen); }},
      {"thick line", [](PictureBox& b) { b.setDrawWidth(5); b.line(10, 90, 190, 10); }},
      {"dotted line", [](PictureBox& b) { b.setDrawStyle(2); b.line(0, 50, 199, 51); }},
      {"box", [](PictureBox& b) { b.line(20, 10, 150, 80, platform::kUseForeColor, true); }},
      {"thick box", [](PictureBox& b) { b.setDrawWidth(4); b.line(20, 10, 150, 80, kRed, true); }},
      {"filled box", [](PictureBox& b) { b.line(20, 10, 150, 80, kRed, true, true); }},
      {"box with fill", [](PictureBox& b) { b.setFillStyle(0); b.setFillColor(kGreen); b.line(20, 10, 150, 80, kRed, true); }},
      {"hatched box", [](PictureBox& b) { b.setFillStyle(7); b.line(20, 10, 150, 80, kRed, true); }},
      {"circle", [](PictureBox& b) { b.circle(100, 50, 40); }},
      {"ellipse", [](PictureBox& b) { b.circle(100, 50, 90, kRed, NAN, NAN, 0.3); }},
      {"thick circle", [](PictureBox& b) { b.setDrawWidth(4); b.circle(60, 40, 30, kRed); }},
      {"filled circle", [](PictureBox& b) { b.setFillStyle(0); b.setFillColor(kGreen); b.circle(100, 50, 45); }},
      {"arc", [](PictureBox& b) { b.circle(100, 50, 45, kRed, 0.7, 4.5, 0.5); }},
      {"pie", [](PictureBox& b) { b.setFillStyle(0); b.circle(100, 50, 45, kRed, -0.5, -2.5); }},
      {"circle past the edge", [](PictureBox& b) { b.circle(190, 95, 60, kRed); }},
      {"thick point", [](PictureBox& b) { b.setDrawWidth(6); b.pset(50, 50, kRed); }},
  };
  const Picture noisy = box_->picture();
  auto reset = [&](int mode) {
    box_->setDrawWidth(1);
    box_->setDrawStyle(0);
    box_->setFillStyle(1);
    box_->setFillColor(0x123456);
    box_->setForeColor(0x80FF40);
    box_->setDrawMode(mode);
  };
  // Pixels that differ from white.
  auto footprint = [&] {
    std::vector<bool> v;
    const Picture img = box_->image();
    for (int y = 0; y < img.heightPixels(); ++y)
      for (int x = 0; x < img.widthPixels(); ++x) v.push_back(img.pixel(x, y) != kWhite);
    return v;
  };
  for (const auto& f : figures) {
    box_->setPicture(noisy);
    reset(7);
    const Picture before = box_->image();
    f.draw(*box_);
    EXPECT_GT(differences(before, box_->image()), 0) << f.name;
    f.draw(*box_);
    EXPECT_EQ(differences(before, box_->image()), 0) << f.name;
    // Each pixel is painted once: on white, XOR changes exactly the pixels a copy changes.
    box_->setPicture(Picture());
    reset(13);
    f.draw(*box_);
    const std::vector<bool> copied = footprint();
    box_->cls();
    reset(7);
    f.draw(*box_);
    EXPECT_TRUE(footprint() == copied) << f.name;
  }
}

// --- points, text ---------------------------------------------------------------------

TEST_F(PictureBoxTest, PsetAndPointRoundTrip) {
  box_->pset(150, 300, kRed);   // twips: pixel (10, 20)
  EXPECT_EQ(px(10, 20), kRed);
  EXPECT_EQ(box_->point(150, 300), kRed);
  EXPECT_EQ(box_->point(165, 300), kWhite);
  EXPECT_DOUBLE_EQ(box_->currentX(), 150.0);
  EXPECT_DOUBLE_EQ(box_->currentY(), 300.0);
  EXPECT_EQ(box_->point(-15, 0), 0xFFFFFFFFu);
  EXPECT_EQ(box_->point(3000, 0), 0xFFFFFFFFu);   // first column past the edge
  EXPECT_EQ(box_->point(NAN, 0), 0xFFFFFFFFu);
}

TEST_F(PictureBoxTest, PrintAdvancesByTextHeight) {
  const double h = box_->textHeight("Abc");
  ASSERT_GT(h, 0);
  EXPECT_DOUBLE_EQ(std::fmod(h, 15.0), 0.0);   // whole pixels
  EXPECT_DOUBLE_EQ(box_->textHeight("a\r\nb"), 2 * h);
  EXPECT_DOUBLE_EQ(box_->textHeight("a\nb\rc"), 3 * h);
  EXPECT_DOUBLE_EQ(box_->textWidth("ab\r\nabcd"), box_->textWidth("abcd"));
  box_->setCurrentX(150);
  box_->setCurrentY(300);
  box_->print("Abc");
  EXPECT_DOUBLE_EQ(box_->currentX(), 0.0);
  EXPECT_DOUBLE_EQ(box_->currentY(), 300 + h);
  box_->setCurrentX(150);
  box_->print("Abc", false);
  EXPECT_DOUBLE_EQ(box_->currentX(), 150 + box_->textWidth("Abc"));
  EXPECT_DOUBLE_EQ(box_->currentY(), 300 + h);
  box_->print("", true);
  EXPECT_DOUBLE_EQ(box_->currentY(), 300 + 2 * h);
}

TEST_F(PictureBoxTest, PrintedInkStaysInTheTextCell) {
  box_->setScaleMode(3);
  box_->setFontSize(12);
  box_->setCurrentX(30);
  box_->setCurrentY(20);
  box_->print("HEH");
  const int w = static_cast<int>(box_->textWidth("HEH")), h = static_cast<int>(box_->textHeight("HEH"));
  const Picture img = box_->image();
  int ink = 0;
  for (int y = 0; y < 100; ++y)
    for (int x = 0; x < 200; ++x)
      if (img.pixel(x, y) != kWhite) {
        ++ink;
        EXPECT_TRUE(x >= 30 && x < 30 + w + 1 && y >= 20 && y < 20 + h) << x << "," << y;
      }
  EXPECT_GT(ink, 10);
}

TEST_F(PictureBoxTest, RotatedTextGoesUpFromItsCorner) {
  box_->setScaleMode(3);
  resize(200, 200);
  box_->setFontSize(12);
  box_->printRotated("HHHH", 90, 100, 150);
  const int w = static_cast<int>(box_->textWidth("HHHH")), h = static_cast<int>(box_->textHeight("HHHH"));
  const Picture img = box_->image();
  int ink = 0;
  for (int y = 0; y < 200; ++y)
    for (int x = 0; x < 200; ++x)
      if (img.pixel(x, y) != kWhite) {
        ++ink;
        // Turned a quarter counter-clockwise: the text runs upwards, its line below
        // the baseline lying to the right of the corner.
        EXPECT_TRUE(y <= 150 && y >= 150 - w - 1 && x >= 100 && x <= 100 + h) << x << "," << y;
      }
  EXPECT_GT(ink, 10);
  EXPECT_DOUBLE_EQ(box_->currentX(), 0.0);
  EXPECT_DOUBLE_EQ(box_->currentY(), 150.0 + h);
}

// A batch draws what the same calls draw one by one: thin, dotted, XOR and thick lines,
// texts with a change of colour and font, rotated text, figures, texts far outside
// the canvas, an image taken in the middle, a new picture and drawings that are not
// persistent. The pixels, the images taken and the text position are the same.
TEST_F(PictureBoxTest, BatchDrawsTheSameAsSingleCalls) {
  PictureBox other(form_, "Picture2");
  other.setBorderStyle(0);
  other.move(0, 0, 200 * 15.0, 100 * 15.0);
  other.setBackColor(kWhite);
  other.setAutoRedraw(true);
  noise();
  const Picture noisy = box_->picture();
  struct Result {
    std::vector<Picture> images;
    std::vector<Colour> shown;
    double x = 0, y = 0;
  };
  auto draw = [&](PictureBox& b) {
    Result r;
    b.setPicture(noisy);
    b.setScaleMode(3);
    b.setForeColor(kRed);
    b.line(3, 4, 190, 90);
    b.setDrawMode(7);
    b.line(0, 50, 199, 60, kGreen);
    b.setDrawMode(13);
    b.setDrawStyle(2);
    b.line(10, 95, 180, 5);
    b.setDrawStyle(0);
    b.setDrawWidth(3);
    b.line(20, 20, 120, 70);
    b.setDrawWidth(1);
    b.setCurrentX(12);
    b.setCurrentY(8);
    b.print("12");
    b.print(" 345", false);
    b.setForeColor(kBlack);
    b.print("a\r\nb");
    b.setFontSize(14);
    b.print("Big");
    b.printRotated("rot", 30, 60, 60);
    r.images.push_back(b.image());
    b.circle(100, 50, 30, kRed);
    b.pset(5, 5, kGreen);
    b.line(40, 30, 90, 80, kBlack, true);
    for (const auto& [x, y] : {std::pair{-500.0, -500.0}, {5000.0, 10.0}, {10.0, 4000.0}, {-300.0, 50.0}}) {
      b.setCurrentX(x);
      b.setCurrentY(y);
      b.print("9999", false);
    }
    r.images.push_back(b.image());
    b.setPicture(noisy);
    b.setCurrentX(30);
    b.setCurrentY(30);
    b.print("after");
    b.setAutoRedraw(false);
    b.line(0, 0, 199, 99, kRed);
    b.print("layer");
    for (int x = 0; x < 200; x += 3) r.shown.push_back(b.point(x, x / 2));
    r.images.push_back(b.image());
    r.x = b.currentX();
    r.y = b.currentY();
    return r;
  };
  const Result single = draw(other);
  Result batched;
  {
    PictureBox::Batch batch(*box_);
    PictureBox::Batch nested(*box_);
    batched = draw(*box_);
  }
  ASSERT_EQ(single.images.size(), batched.images.size());
  for (std::size_t i = 0; i < single.images.size(); ++i) EXPECT_EQ(differences(single.images[i], batched.images[i]), 0) << i;
  EXPECT_GT(differences(single.images[0], noisy), 100);
  EXPECT_EQ(single.shown, batched.shown);
  EXPECT_EQ(single.x, batched.x);
  EXPECT_EQ(single.y, batched.y);
}

// --- pictures -------------------------------------------------------------------------

TEST_F(PictureBoxTest, SetPictureResetsTheCanvasAndAutoSize) {
  box_->line(0, 0, 2985, 1485, kRed);
  box_->setPicture(fourByFour());
  EXPECT_EQ(px(3, 3), fourByFour().pixel(3, 3));
  EXPECT_EQ(px(4, 4), kWhite);          // the rest is the back colour
  EXPECT_EQ(px(100, 50), kWhite);       // the drawing is gone
  EXPECT_EQ(box_->picture().widthPixels(), 4);
  box_->line(0, 0, 30, 0, kRed);
  EXPECT_EQ(box_->picture().pixel(0, 0), fourByFour().pixel(0, 0));   // not the drawings
  box_->setAutoSize(true);
  EXPECT_EQ(box_->canvasWidthPixels(), 4);
  EXPECT_EQ(box_->canvasHeightPixels(), 4);
  EXPECT_DOUBLE_EQ(box_->width(), 60.0);
  box_->setBorderStyle(1);
  box_->setPicture(fourByFour());
  EXPECT_EQ(box_->canvasWidthPixels(), 4);
  EXPECT_DOUBLE_EQ(box_->width(), 120.0);
}

TEST_F(PictureBoxTest, ClsReturnsToTheBackgroundAndResetsThePosition) {
  box_->setPicture(fourByFour());
  box_->scale(10, 20, 110, 120);
  box_->line(10, 20, 110, 120, kRed);
  box_->cls();
  EXPECT_EQ(differences(box_->image(), [] {
              QImage img(200, 100, QImage::Format_RGB32);
              img.fill(qRgb(255, 255, 255));
              for (int j = 0; j < 4; ++j)
                for (int i = 0; i < 4; ++i) img.setPixel(i, j, qRgb(60 * i + 10, 60 * j + 10, 128));
              return Picture::fromQImage(img);
            }()),
            0);
  EXPECT_DOUBLE_EQ(box_->currentX(), 10.0);
  EXPECT_DOUBLE_EQ(box_->currentY(), 20.0);
}

TEST_F(PictureBoxTest, BackColourChangeWipesTheDrawings) {
  box_->line(0, 0, 150, 0, kRed);
  box_->setBackColor(kGreen);
  EXPECT_EQ(px(0, 0), kGreen);
  EXPECT_EQ(px(199, 99), kGreen);
  EXPECT_EQ(box_->backColor(), kGreen);
}

TEST_F(PictureBoxTest, ResizeKeepsTopLeftContent) {
  box_->setScaleMode(3);
  box_->pset(5, 5, kRed);
  box_->pset(199, 99, kRed);
  resize(100, 300);
  EXPECT_EQ(box_->canvasWidthPixels(), 100);
  EXPECT_EQ(px(5, 5), kRed);
  EXPECT_EQ(px(50, 250), kWhite);
  resize(300, 300);
  EXPECT_EQ(px(199, 99), kWhite);   // cut off by the narrower size before
  EXPECT_EQ(px(250, 250), kWhite);
}

TEST_F(PictureBoxTest, WithoutAutoRedrawDrawingsAreNotPersistent) {
  box_->setAutoRedraw(false);
  box_->setScaleMode(3);
  int paints = 0;
  box_->onPaint = [&] { ++paints; };
  box_->pset(10, 10, kRed);
  EXPECT_EQ(box_->point(10, 10), kRed);      // shown
  EXPECT_EQ(px(10, 10), kWhite);             // not in the persistent image
  box_->refresh();
  EXPECT_EQ(box_->point(10, 10), kWhite);    // wiped
  EXPECT_EQ(paints, 1);
  // Persistent drawings survive a later non-persistent cls.
  box_->setAutoRedraw(true);
  box_->pset(20, 20, kRed);
  box_->setAutoRedraw(false);
  box_->pset(30, 30, kRed);
  box_->cls();
  EXPECT_EQ(box_->point(20, 20), kRed);
  EXPECT_EQ(box_->point(30, 30), kWhite);
}

TEST_F(PictureBoxTest, ImageIsOfCanvasSize) {
  box_->setPicture(fourByFour());
  const Picture img = box_->image();
  EXPECT_EQ(img.widthPixels(), 200);
  EXPECT_EQ(img.heightPixels(), 100);
}

// A box's image given to a box as its picture (as the view hands its image to the
// magnifier) is drawn on without reaching the giver or the images taken before; cls
// returns to it. A picture of another resolution still takes the texts at the box's
// own: both white backgrounds give the same ink.
TEST_F(PictureBoxTest, PictureTakenFromABoxStaysItsOwn) {
  box_->setScaleMode(3);
  box_->line(0, 0, 199, 99, kRed);
  const Picture given = box_->image();
  const Picture kept = Picture::fromQImage(given.toQImage().copy());
  PictureBox other(form_, "Picture2");
  other.setBorderStyle(0);
  other.move(0, 0, 200 * 15.0, 100 * 15.0);
  other.setAutoRedraw(true);
  other.setScaleMode(3);
  other.setPicture(given);
  EXPECT_EQ(differences(other.image(), kept), 0);
  other.line(0, 99, 199, 0, kGreen);
  const Picture drawn = other.image();
  EXPECT_EQ(drawn.pixel(0, 99), kGreen);
  other.cls();
  EXPECT_EQ(differences(other.image(), kept), 0);
  EXPECT_EQ(drawn.pixel(0, 99), kGreen);   // an image taken before the cls keeps its drawing
  EXPECT_EQ(differences(given, kept), 0);
  EXPECT_EQ(differences(box_->image(), kept), 0);

  auto white = [](int dotsPerMeter) {
    QImage img(200, 100, QImage::Format_RGB32);
    img.fill(qRgb(255, 255, 255));
    img.setDotsPerMeterX(dotsPerMeter);
    img.setDotsPerMeterY(dotsPerMeter);
    return Picture::fromQImage(img);
  };
  auto ink = [&](PictureBox& b, const Picture& background) {
    b.setPicture(background);
    b.setFontSize(14);
    b.setCurrentX(5);
    b.setCurrentY(5);
    b.print("Hg 123");
    return b.image();
  };
  const Picture at96 = ink(*box_, white(3780));
  const Picture at72 = ink(other, white(2835));
  EXPECT_GT(differences(at96, white(3780)), 50);
  EXPECT_EQ(differences(at96, at72), 0);
}
TEST_F(PictureBoxTest, PaintPictureScaledTwice) {
  // Twips: 60 twips of source = 4 picture pixels, into 120 twips = 8 box pixels.
  const Picture pic = fourByFour();
  box_->paintPicture(pic, 0, 0, 120, 120, 0, 0, 60, 60);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) EXPECT_EQ(px(x, y), pic.pixel(x / 2, y / 2)) << x << "," << y;
  EXPECT_EQ(px(8, 0), kWhite);
  EXPECT_EQ(px(0, 8), kWhite);
}

TEST_F(PictureBoxTest, PaintPictureSourcePartlyOrWhollyOutside) {
  const Picture pic = fourByFour();
  // Source columns 2 to 5: only 2 and 3 exist; they fill destination columns 0 to 3.
  box_->paintPicture(pic, 0, 0, 120, 120, 30, 0, 60, 60);
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 4; ++x) EXPECT_EQ(px(x, y), pic.pixel(2 + x / 2, y / 2)) << x << "," << y;
    for (int x = 4; x < 9; ++x) EXPECT_EQ(px(x, y), kWhite) << x << "," << y;
  }
  // Source above and left of the picture: the picture lands lower right.
  box_->cls();
  box_->paintPicture(pic, 0, 0, 120, 120, -30, -30, 60, 60);
  EXPECT_EQ(px(3, 3), kWhite);
  EXPECT_EQ(px(4, 4), pic.pixel(0, 0));
  EXPECT_EQ(px(7, 7), pic.pixel(1, 1));
  // Wholly outside: nothing changes.
  box_->cls();
  const Picture before = box_->image();
  box_->paintPicture(pic, 0, 0, 120, 120, 600, 600, 60, 60);
  EXPECT_EQ(differences(before, box_->image()), 0);
}

TEST_F(PictureBoxTest, PaintPictureDestinationBeyondTheBox) {
  const Picture pic = fourByFour();
  box_->paintPicture(pic, 198 * 15, 96 * 15, 120, 120, 0, 0, 60, 60);
  EXPECT_EQ(px(198, 96), pic.pixel(0, 0));
  EXPECT_EQ(px(199, 97), pic.pixel(0, 0));
  EXPECT_EQ(px(199, 98), pic.pixel(0, 1));
  EXPECT_EQ(px(197, 96), kWhite);
}

TEST_F(PictureBoxTest, PaintPictureDefaultsAndFlips) {
  const Picture pic = fourByFour();
  // Natural size at pixel (1, 2).
  box_->paintPicture(pic, 15, 30);
  for (int j = 0; j < 4; ++j)
    for (int i = 0; i < 4; ++i) EXPECT_EQ(px(1 + i, 2 + j), pic.pixel(i, j));
  EXPECT_EQ(px(5, 2), kWhite);
  // A negative destination width mirrors left to right.
  box_->cls();
  box_->paintPicture(pic, 120, 0, -120, 120, 0, 0, 60, 60);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) EXPECT_EQ(px(x, y), pic.pixel(3 - x / 2, y / 2)) << x << "," << y;
}

TEST_F(PictureBoxTest, PaintPictureInAUserScaleAndWithRasterOps) {
  const Picture pic = fourByFour();
  // 1000 units across 200 px: the 4 x 4 source (20 units) goes to 40 units = 8 px.
  box_->scale(0, 0, 1000, 500);
  box_->paintPicture(pic, 50, 50, 40, 40, 0, 0, 20, 20);
  EXPECT_EQ(px(10, 10), pic.pixel(0, 0));
  EXPECT_EQ(px(17, 17), pic.pixel(3, 3));
  EXPECT_EQ(px(18, 18), kWhite);
  // XOR painting twice restores the canvas.
  noise();
  const Picture before = box_->image();
  box_->paintPicture(pic, 0, 0, 500, 500, 0, 0, 20, 20, platform::kSrcInvert);
  EXPECT_GT(differences(before, box_->image()), 0);
  box_->paintPicture(pic, 0, 0, 500, 500, 0, 0, 20, 20, platform::kSrcInvert);
  EXPECT_EQ(differences(before, box_->image()), 0);
}

TEST_F(PictureBoxTest, PaintPictureSourceIsInPictureTwipsUnderAFixedScale) {
  // 6000 logical twips across 200 px: 30 per pixel for the destination, while the
  // source stays in picture twips (15 per picture pixel): 60 of them = 4 pixels.
  const Picture pic = fourByFour();
  box_->setFixedScaleWidth(6000);
  box_->paintPicture(pic, 0, 0, 240, 240, 0, 0, 60, 60);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) EXPECT_EQ(px(x, y), pic.pixel(x / 2, y / 2)) << x << "," << y;
  EXPECT_EQ(px(8, 8), kWhite);
  // Omitted sizes: the whole picture at its natural size, one pixel per pixel.
  box_->cls();
  box_->paintPicture(pic, 0, 0);
  EXPECT_EQ(px(3, 3), pic.pixel(3, 3));
  EXPECT_EQ(px(1, 2), pic.pixel(1, 2));
  EXPECT_EQ(px(4, 0), kWhite);
  // Omitted destination size with a source window: 30 picture twips = 2 pixels.
  box_->cls();
  box_->paintPicture(pic, 30, 30, NAN, NAN, 15, 15, 30, 30);
  EXPECT_EQ(px(1, 1), pic.pixel(1, 1));
  EXPECT_EQ(px(2, 2), pic.pixel(2, 2));
  EXPECT_EQ(px(3, 3), kWhite);
}

// A view: box position x shows picture point x k + left. In twips (15 units to a canvas
// pixel), worked out by hand:
// - k 0.5, left 0: canvas column i is at 15 i and shows point 7.5 i, picture pixel
//   floor(i / 2): two canvas pixels to a picture pixel.
// - k 0.5, left 22.5 (the middle of pixel 1): column i shows 22.5 + 7.5 i, pixel
//   floor((3 + i) / 2): 1 for column 0, 2 for 1 and 2, 3 for 3 and 4.
// - k 0.2, top 6: row j shows 6 + 3 j, pixel floor((2 + j) / 5): rows 0 to 2 pixel 0,
//   rows 3 to 7 pixel 1, 8 to 12 pixel 2, 13 to 17 pixel 3, then nothing.
struct ViewCase {
  double k, left, top;
  int columns[6];   // picture column shown by canvas columns 0 to 5
  int rows[6];      // picture row shown by canvas rows 0 to 5
};
const ViewCase kViews[] = {
    {0.5, 0, 0, {0, 0, 1, 1, 2, 2}, {0, 0, 1, 1, 2, 2}},
    {0.5, 22.5, 0, {1, 2, 2, 3, 3, -1}, {0, 0, 1, 1, 2, 2}},
    {0.2, 0, 6, {0, 0, 0, 0, 0, 1}, {0, 0, 0, 1, 1, 1}},
};

TEST_F(PictureBoxTest, PaintViewShowsThePixelAtEachCanvasPixelsPosition) {
  const Picture pic = fourByFour();
  for (const ViewCase& c : kViews) {
    SCOPED_TRACE(testing::Message() << "k " << c.k << " left " << c.left << " top " << c.top);
    box_->cls();
    platform::PictureView v;
    v.k = c.k;
    v.left = c.left;
    v.top = c.top;
    box_->paintView(pic, v, 3000, 1500);
    for (int j = 0; j < 6; ++j)
      for (int i = 0; i < 6; ++i) {
        const Colour expected = c.columns[i] < 0 ? kWhite : pic.pixel(c.columns[i], c.rows[j]);
        EXPECT_EQ(px(i, j), expected) << i << ", " << j;
      }
  }
  // k 0.2: canvas row 18 would show point 60, past the picture's 4 rows.
  EXPECT_EQ(px(0, 17), pic.pixel(0, 3));
  EXPECT_EQ(px(0, 18), kWhite);
}

// Shrunk (a canvas pixel over several picture pixels), a view paints what paintPicture
// paints for the same rectangles: the mean of the pixels under each canvas pixel.
TEST_F(PictureBoxTest, PaintViewShrunkIsThePaintPictureMean) {
  QImage img(64, 64, QImage::Format_RGB32);
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x) img.setPixel(x, y, qRgb((x * 37) % 256, (y * 11) % 256, (x * y) % 256));
  const Picture pic = Picture::fromQImage(img);
  platform::PictureView v;
  v.k = 3;   // 45 picture twips, 3 picture pixels, to a canvas pixel
  v.left = 30;
  v.top = 15;
  box_->paintView(pic, v, 900, 600);
  const Picture viewed = box_->image();
  box_->cls();
  box_->paintPicture(pic, 0, 0, 900, 600, 30, 15, 2700, 1800);
  EXPECT_EQ(differences(viewed, box_->image()), 0);
  EXPECT_NE(viewed.pixel(5, 5), kWhite);
}

// No usable view or size paints nothing: a factor of 0, a negative one, values that
// are not numbers, an empty size, an empty picture.
TEST_F(PictureBoxTest, PaintViewOfNoUsableViewPaintsNothing) {
  const Picture pic = fourByFour();
  const Picture before = box_->image();
  const double nan = std::nan("");
  const double cases[][5] = {{0, 0, 0, 300, 300},   {-0.5, 0, 0, 300, 300}, {nan, 0, 0, 300, 300},
                             {0.5, nan, 0, 300, 300}, {0.5, 0, INFINITY, 300, 300}, {0.5, 0, 0, 0, 300},
                             {0.5, 0, 0, 300, -1},  {0.5, 0, 0, nan, 300}};
  for (const auto& c : cases) {
    platform::PictureView v;
    v.k = c[0];
    v.left = c[1];
    v.top = c[2];
    box_->paintView(pic, v, c[3], c[4]);
    EXPECT_EQ(differences(before, box_->image()), 0) << c[0] << " " << c[1] << " " << c[2] << " " << c[3] << " " << c[4];
  }
  box_->paintView(Picture(), platform::PictureView(), 300, 300);
  EXPECT_EQ(differences(before, box_->image()), 0);
}

// The view's inverse: the box position showing a picture point.
TEST(PictureViewMap, BoxPositionOfAPicturePoint) {
  platform::PictureView v;
  v.k = 2.5;
  v.left = 100;
  v.top = -30;
  EXPECT_DOUBLE_EQ(v.pictureX(40), 200);    // 40 x 2.5 + 100
  EXPECT_DOUBLE_EQ(v.pictureY(40), 70);     // 40 x 2.5 - 30
  EXPECT_DOUBLE_EQ(v.boxX(200), 40);
  EXPECT_DOUBLE_EQ(v.boxY(-30), 0);
  v.k = 0;
  EXPECT_FALSE(std::isfinite(v.boxX(200)));
}

TEST_F(PictureBoxTest, FailedLoadLeavesThePictureUnchanged) {
  box_->setPicture(fourByFour());
  for (const std::string& bad : {std::string(QV_TEST_DATA) + "/no-such-picture.bmp", std::string("/")}) {
    std::string error;
    const Picture p = Picture::load(bad, &error);
    if (!p.isNull()) box_->setPicture(p);
    EXPECT_TRUE(p.isNull());
    EXPECT_FALSE(error.empty());
  }
  EXPECT_EQ(box_->picture().widthPixels(), 4);
  EXPECT_EQ(px(2, 2), fourByFour().pixel(2, 2));
}

// --- events ---------------------------------------------------------------------------

struct MouseCall {
  std::string what;
  int button, shift;
  double x, y;
};

TEST_F(PictureBoxTest, MouseEventsInTwips) {
  std::vector<MouseCall> calls;
  box_->onMouseDown = [&](int b, int s, double x, double y) { calls.push_back({"down", b, s, x, y}); };
  box_->onMouseMove = [&](int b, int s, double x, double y) { calls.push_back({"move", b, s, x, y}); };
  box_->onMouseUp = [&](int b, int s, double x, double y) { calls.push_back({"up", b, s, x, y}); };
  box_->onClick = [&] { calls.push_back({"click", 0, 0, 0, 0}); };
  sendMouse(QEvent::MouseButtonPress, 10, 20, Qt::LeftButton, Qt::LeftButton, Qt::ShiftModifier);
  sendMouse(QEvent::MouseMove, 12, 21, Qt::NoButton, Qt::LeftButton, Qt::ControlModifier);
  sendMouse(QEvent::MouseButtonRelease, 12, 21, Qt::LeftButton, Qt::NoButton);
  sendMouse(QEvent::MouseButtonPress, 1, 1, Qt::RightButton, Qt::RightButton);
  ASSERT_EQ(calls.size(), 5u);
  EXPECT_EQ(calls[0].what, "down");
  EXPECT_EQ(calls[0].button, 1);
  EXPECT_EQ(calls[0].shift, 1);
  EXPECT_DOUBLE_EQ(calls[0].x, 150.0);
  EXPECT_DOUBLE_EQ(calls[0].y, 300.0);
  EXPECT_EQ(calls[1].what, "move");
  EXPECT_EQ(calls[1].button, 1);
  EXPECT_EQ(calls[1].shift, 2);
  EXPECT_DOUBLE_EQ(calls[1].x, 180.0);
  EXPECT_EQ(calls[2].what, "up");
  EXPECT_DOUBLE_EQ(calls[2].y, 315.0);
  EXPECT_EQ(calls[3].what, "click");
  EXPECT_EQ(calls[4].button, 2);
}

TEST_F(PictureBoxTest, MouseEventsInUserAndFixedScales) {
  double gotX = 0, gotY = 0;
  box_->onMouseDown = [&](int, int, double x, double y) {
    gotX = x;
    gotY = y;
  };
  box_->scale(0, 1000, 1000, 0);   // 5 units per pixel across, -10 down
  sendMouse(QEvent::MouseButtonPress, 10, 20, Qt::LeftButton, Qt::LeftButton);
  EXPECT_DOUBLE_EQ(gotX, 50.0);
  EXPECT_DOUBLE_EQ(gotY, 800.0);
  box_->setFixedScaleWidth(11761);   // 11761 / 200 logical twips per pixel
  sendMouse(QEvent::MouseButtonPress, 10, 20, Qt::LeftButton, Qt::LeftButton);
  EXPECT_DOUBLE_EQ(gotX, 10 * 11761.0 / 200);
  EXPECT_DOUBLE_EQ(gotY, 20 * 11761.0 / 200);
  resize(400, 100);
  sendMouse(QEvent::MouseButtonPress, 10, 20, Qt::LeftButton, Qt::LeftButton);
  EXPECT_DOUBLE_EQ(gotX, 10 * 11761.0 / 400);
  // The position of every canvas column and row is, to the last bit, the one a mouse
  // event on it reports (the position paintView maps).
  for (int i = 0; i < 100; ++i) {
    sendMouse(QEvent::MouseButtonPress, 4 * i, i, Qt::LeftButton, Qt::LeftButton);
    ASSERT_EQ(gotX, box_->columnPosition(4 * i)) << i;
    ASSERT_EQ(gotY, box_->rowPosition(i)) << i;
  }
}

TEST_F(PictureBoxTest, DoubleClickSequence) {
  std::vector<std::string> calls;
  box_->onMouseDown = [&](int, int, double, double) { calls.push_back("down"); };
  box_->onMouseUp = [&](int, int, double, double) { calls.push_back("up"); };
  box_->onClick = [&] { calls.push_back("click"); };
  // Without a DblClick handler the second press is an ordinary press.
  sendMouse(QEvent::MouseButtonPress, 5, 5, Qt::LeftButton, Qt::LeftButton);
  sendMouse(QEvent::MouseButtonRelease, 5, 5, Qt::LeftButton, Qt::NoButton);
  sendMouse(QEvent::MouseButtonDblClick, 5, 5, Qt::LeftButton, Qt::LeftButton);
  sendMouse(QEvent::MouseButtonRelease, 5, 5, Qt::LeftButton, Qt::NoButton);
  EXPECT_EQ(calls, (std::vector<std::string>{"down", "up", "click", "down", "up", "click"}));
  calls.clear();
  box_->onDblClick = [&] { calls.push_back("dblclick"); };
  sendMouse(QEvent::MouseButtonPress, 5, 5, Qt::LeftButton, Qt::LeftButton);
  sendMouse(QEvent::MouseButtonRelease, 5, 5, Qt::LeftButton, Qt::NoButton);
  sendMouse(QEvent::MouseButtonDblClick, 5, 5, Qt::LeftButton, Qt::LeftButton);
  sendMouse(QEvent::MouseButtonRelease, 5, 5, Qt::LeftButton, Qt::NoButton);
  EXPECT_EQ(calls, (std::vector<std::string>{"down", "up", "click", "dblclick", "up"}));
}

TEST_F(PictureBoxTest, KeysUseOriginalCodesAndDropAutoRepeat) {
  std::vector<std::pair<std::string, int>> calls;
  box_->onKeyDown = [&](int& k, int s) { calls.push_back({"down", k * 10 + s}); };
  box_->onKeyUp = [&](int& k, int s) { calls.push_back({"up", k * 10 + s}); };
  box_->onKeyPress = [&](int& a) { calls.push_back({"press", a}); };
  auto send = [&](QEvent::Type t, int key, Qt::KeyboardModifiers m, const QString& text, bool repeat) {
    QKeyEvent e(t, key, m, text, repeat);
    QCoreApplication::sendEvent(box_->clientWidget(), &e);
  };
  send(QEvent::KeyPress, Qt::Key_A, Qt::ShiftModifier, "A", false);
  send(QEvent::KeyPress, Qt::Key_A, Qt::ShiftModifier, "A", true);   // dropped
  send(QEvent::KeyRelease, Qt::Key_A, Qt::ShiftModifier, "A", false);
  send(QEvent::KeyPress, Qt::Key_PageDown, Qt::NoModifier, "", false);
  ASSERT_EQ(calls.size(), 4u);
  EXPECT_EQ(calls[0], (std::pair<std::string, int>{"down", 651}));
  EXPECT_EQ(calls[1], (std::pair<std::string, int>{"press", 65}));
  EXPECT_EQ(calls[2], (std::pair<std::string, int>{"up", 651}));
  EXPECT_EQ(calls[3], (std::pair<std::string, int>{"down", 340}));
  // A KeyDown handler clearing the code stops the KeyPress.
  calls.clear();
  box_->onKeyDown = [&](int& k, int) { k = 0; };
  send(QEvent::KeyPress, Qt::Key_B, Qt::NoModifier, "b", false);
  EXPECT_TRUE(calls.empty());
}

TEST_F(PictureBoxTest, HandlerExceptionsAreReported) {
  std::string reported;
  platform::setErrorReporter([&](const std::string&, const std::string& what) { reported = what; });
  box_->onMouseDown = [](int, int, double, double) { throw std::runtime_error("boom"); };
  sendMouse(QEvent::MouseButtonPress, 1, 1, Qt::LeftButton, Qt::LeftButton);
  platform::setErrorReporter(nullptr);
  EXPECT_EQ(reported, "boom");
}

TEST_F(PictureBoxTest, ChildControlsGoInTheClientArea) {
  PictureBox inner(*box_, "Inner");
  EXPECT_EQ(inner.widget()->parentWidget(), box_->clientWidget());
  EXPECT_EQ(&inner.form(), &form_);
  EXPECT_EQ(form_.find("Inner"), &inner);
}

TEST_F(PictureBoxTest, ArraysOfBoxesPassTheirIndex) {
  platform::ControlArray<PictureBox> boxes(form_, "PLoupe");
  boxes.add(2).move(0, 0, 1500, 1500);
  int gotIndex = -1;
  double gotX = 0;
  boxes.onMouseDown = [&](int i, int, int, double x, double) {
    gotIndex = i;
    gotX = x;
  };
  QMouseEvent e(QEvent::MouseButtonPress, QPointF(4, 4), QPointF(4, 4), Qt::LeftButton, Qt::LeftButton,
                Qt::NoModifier);
  QCoreApplication::sendEvent(boxes(2).clientWidget(), &e);
  EXPECT_EQ(gotIndex, 2);
  EXPECT_DOUBLE_EQ(gotX, 60.0);
  EXPECT_THROW(boxes(1), platform::IndexError);
}

TEST_F(PictureBoxTest, MousePointerIsKept) {
  box_->setMousePointer(2);
  EXPECT_EQ(box_->mousePointer(), 2);
  EXPECT_EQ(box_->clientWidget()->cursor().shape(), Qt::CrossCursor);
  box_->setMousePointer(5);
  EXPECT_EQ(box_->clientWidget()->cursor().shape(), Qt::SizeAllCursor);
  box_->setMousePointer(0);
  EXPECT_FALSE(box_->clientWidget()->testAttribute(Qt::WA_SetCursor));
}

// --- image holder ---------------------------------------------------------------------

TEST(ImageBox, TakesThePictureSizeUnlessStretched) {
  platform::Form form("ImageForm");
  ImageBox img(form, "picbase");
  img.setVisible(false);
  const Picture big = Picture::filled(400, 300, kRed);
  img.setPicture(big);
  EXPECT_DOUBLE_EQ(img.width(), 6000.0);
  EXPECT_DOUBLE_EQ(img.height(), 4500.0);
  EXPECT_EQ(img.picture().pixel(399, 299), kRed);
  img.setStretch(true);
  img.move(0, 0, 1500, 1500);
  img.setPicture(Picture::filled(10, 10, kGreen));
  EXPECT_DOUBLE_EQ(img.width(), 1500.0);
  img.setStretch(false);
  EXPECT_DOUBLE_EQ(img.width(), 150.0);
  img.setPicture(Picture());
  EXPECT_TRUE(img.picture().isNull());
  EXPECT_DOUBLE_EQ(img.width(), 150.0);
}

}  // namespace
