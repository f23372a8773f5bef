// Area averaging: exact means worked by hand, the ink of a one-pixel line kept at any
// reduction, premultiplied transparency, the halved copies with their odd edges, the
// refusals; and picture boxes painting shrunk pictures with them.
#include "platform/area_mean.h"

#include <gtest/gtest.h>

#include <QImage>

#include <cmath>
#include <memory>
#include <vector>

#include "platform/form.h"
#include "platform/picturebox.h"

namespace {

using platform::areaMean;
using platform::halvedCopy;

// A w x h RGB32 picture of grey levels g(x, y).
template <class G>
QImage greys(int w, int h, G g) {
  QImage img(w, h, QImage::Format_RGB32);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const int v = g(x, y);
      img.setPixel(x, y, qRgb(v, v, v));
    }
  return img;
}

int grey(const QImage& img, int x, int y) { return qRed(img.pixel(x, y)); }

// Means worked by hand: each result pixel averages the source it covers, a source
// pixel cut by its edge counting for the share inside.
TEST(AreaMean, MeansWorkedByHand) {
  // 4 -> 2: (0 + 255) / 2 = 127.5, rounded up; (0 + 0) / 2.
  QImage r = areaMean(greys(4, 1, [](int x, int) { return x == 1 ? 255 : 0; }), QRect(0, 0, 4, 1), 2, 1);
  EXPECT_EQ(grey(r, 0, 0), 128);
  EXPECT_EQ(grey(r, 1, 0), 0);
  // 3 -> 2: the middle pixel is cut in halves, 255 x 0.5 / 1.5 = 85 on both sides.
  r = areaMean(greys(3, 1, [](int x, int) { return x == 1 ? 255 : 0; }), QRect(0, 0, 3, 1), 2, 1);
  EXPECT_EQ(grey(r, 0, 0), 85);
  EXPECT_EQ(grey(r, 1, 0), 85);
  // Both directions: 2 x 2 -> 1 x 1 of 10, 20, 30, 41: 25.25.
  const int v[2][2] = {{10, 20}, {30, 41}};
  r = areaMean(greys(2, 2, [&](int x, int y) { return v[y][x]; }), QRect(0, 0, 2, 2), 1, 1);
  EXPECT_EQ(grey(r, 0, 0), 25);
  // Only the block counts: columns 2 and 3 of 0, 0, 100, 200 give 150.
  r = areaMean(greys(4, 1, [](int x, int) { return x < 2 ? 0 : (x - 1) * 100; }), QRect(2, 0, 2, 1), 1, 1);
  EXPECT_EQ(grey(r, 0, 0), 150);
  // Mirrored as asked.
  r = areaMean(greys(4, 1, [](int x, int) { return x < 2 ? 0 : 200; }), QRect(0, 0, 4, 1), 2, 1, true);
  EXPECT_EQ(grey(r, 0, 0), 200);
  EXPECT_EQ(grey(r, 1, 0), 0);
}

// One colour stays that colour, whatever the reduction.
TEST(AreaMean, OneColourStaysExact) {
  QImage img(997, 611, QImage::Format_RGB32);
  img.fill(qRgb(12, 200, 77));
  for (const QSize s : {QSize(996, 610), QSize(500, 300), QSize(163, 107), QSize(7, 3), QSize(1, 1)}) {
    const QImage r = areaMean(img, img.rect(), s.width(), s.height());
    ASSERT_EQ(r.size(), s);
    for (const QPoint p : {QPoint(0, 0), QPoint(s.width() - 1, s.height() - 1), QPoint(s.width() / 2, s.height() / 2)})
      EXPECT_EQ(r.pixel(p) & 0xFFFFFF, qRgb(12, 200, 77) & 0xFFFFFF) << s.width();
  }
}

// A black line one pixel wide on white keeps its ink: the darkness summed over the
// result, times the source pixels per result pixel, is the line's (255 per row), but
// for the rounding of each result pixel (half a level on each of two pixels a line).
TEST(AreaMean, AOnePixelLineKeepsItsInk) {
  const QImage img = greys(1000, 40, [](int x, int) { return x % 100 == 37 ? 0 : 255; });
  for (const int w : {717, 575, 163, 33}) {
    const QImage r = areaMean(img, img.rect(), w, 4);
    double encre = 0;
    int colonnes = 0;
    for (int x = 0; x < w; ++x) {
      encre += 255 - grey(r, x, 2);
      if (grey(r, x, 2) < 255) ++colonnes;
    }
    EXPECT_NEAR(encre * 1000.0 / w, 10 * 255.0, 10 * 1000.0 / w) << w;
    EXPECT_GE(colonnes, 10) << w;   // every line still shows
  }
}

// With transparency the channels are averaged premultiplied: opaque red beside a
// transparent pixel gives half-transparent red, not a darker red.
TEST(AreaMean, TransparencyIsAveragedPremultiplied) {
  QImage img(2, 1, QImage::Format_ARGB32);
  img.setPixel(0, 0, qRgba(255, 0, 0, 255));
  img.setPixel(1, 0, qRgba(0, 0, 255, 0));
  const QImage r = areaMean(img, img.rect(), 1, 1);
  ASSERT_EQ(r.format(), QImage::Format_ARGB32_Premultiplied);
  const QRgb c = qUnpremultiply(r.pixel(0, 0));
  EXPECT_NEAR(qAlpha(c), 128, 1);
  EXPECT_NEAR(qRed(c), 255, 2);
  EXPECT_EQ(qBlue(c), 0);
}

TEST(AreaMean, RefusesWhatItCannotDo) {
  const QImage img = greys(10, 10, [](int, int) { return 0; });
  EXPECT_TRUE(areaMean(img, img.rect(), 11, 5).isNull());       // larger than the block
  EXPECT_TRUE(areaMean(img, QRect(5, 5, 10, 10), 2, 2).isNull()); // outside the picture
  EXPECT_TRUE(areaMean(img, img.rect(), 0, 5).isNull());
  EXPECT_TRUE(areaMean(QImage(), QRect(0, 0, 1, 1), 1, 1).isNull());
}

// Halved copies: each pixel the mean of a 2 x 2 square, an odd edge the mean of the
// pixels it has; the next level from the one before.
TEST(HalvedCopy, LevelsAndOddEdges) {
  // 3 x 3 of 0, 100, 200 across (rows alike).
  const QImage img = greys(3, 3, [](int x, int) { return x * 100; });
  const QImage& un = halvedCopy(img, 1);
  ASSERT_EQ(un.size(), QSize(2, 2));
  EXPECT_EQ(grey(un, 0, 0), 50);
  EXPECT_EQ(grey(un, 1, 0), 200);   // the last column alone
  EXPECT_EQ(grey(un, 0, 1), 50);    // the last row alone
  const QImage& deux = halvedCopy(img, 2);
  ASSERT_EQ(deux.size(), QSize(1, 1));
  EXPECT_EQ(grey(deux, 0, 0), 125);
  EXPECT_TRUE(halvedCopy(img, 0).isNull());
  EXPECT_TRUE(halvedCopy(QImage(4, 4, QImage::Format_ARGB32), 1).isNull());
  // Another picture gets its own levels.
  const QImage autre = greys(4, 2, [](int, int) { return 90; });
  EXPECT_EQ(halvedCopy(autre, 1).size(), QSize(2, 1));
  EXPECT_EQ(grey(halvedCopy(autre, 1), 1, 0), 90);
}

// A picture box shrinking a picture shows means, and a second picture of the same
// size painted after the first shows itself (nothing of the first is kept).
TEST(AreaMeanInABox, ShrunkPicturesShowTheirOwnMeans) {
  platform::Form form("TestForm");
  auto box = std::make_unique<platform::PictureBox>(form, "Picture1");
  box->setBorderStyle(0);
  box->move(0, 0, 100 * 15.0, 50 * 15.0);
  box->setAutoRedraw(true);
  const QImage lignes = greys(400, 200, [](int x, int) { return x % 40 == 0 ? 0 : 255; });
  const platform::Picture a = platform::Picture::fromQImage(lignes);
  const platform::Picture b = platform::Picture::fromQImage(greys(400, 200, [](int, int) { return 60; }));
  // 400 picture pixels into 100 box pixels: four to one.
  auto peint = [&](const platform::Picture& p) {
    box->cls();
    box->paintPicture(p, 0, 0, 1500, 750, 0, 0, 400 * 15.0, 200 * 15.0);
    return box->image();
  };
  int traits = 0;
  platform::Picture vue = peint(a);
  for (int x = 0; x < 100; ++x)
    if ((vue.pixel(x, 10) & 0xFF) < 250) ++traits;
  EXPECT_EQ(traits, 10);   // every tenth box pixel a quarter dark
  EXPECT_NEAR(static_cast<int>(vue.pixel(0, 10) & 0xFF), 255 * 3 / 4, 2);
  vue = peint(b);
  EXPECT_EQ(vue.pixel(0, 10), 0x3C3C3Cu);
  EXPECT_EQ(vue.pixel(50, 10), 0x3C3C3Cu);
  vue = peint(a);
  EXPECT_NEAR(static_cast<int>(vue.pixel(0, 10) & 0xFF), 255 * 3 / 4, 2);
}

}  // namespace
