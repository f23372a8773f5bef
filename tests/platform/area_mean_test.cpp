// Area averaging: exact means worked by hand, the ink of a one-pixel line kept at any
// reduction, premultiplied transparency, the halved copies with their odd edges, the
// refusals; picture boxes painting shrunk pictures with them, and the quarter copy a
// large JPEG gets while it is decoded.
#include "platform/area_mean.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/form.h"
#include "platform/picture_memory.h"
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

// Every pixel of a level is the mean of its square of the level it is made from (n
// pixels a side, fewer at an odd edge), each channel rounded half up: worked out here
// pixel by pixel for squares of 2, 4, 8 and 16 on noisy pictures of odd sizes.
TEST(HalvedCopy, EachPixelIsTheRoundedMeanOfItsSquare) {
  auto bruit = [](int w, int h, unsigned v) {
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        v = v * 1103515245u + 12345u;
        img.setPixel(x, y, qRgb(v >> 24, (v >> 16) & 0xFF, (v >> 8) & 0xFF));
      }
    return img;
  };
  auto moyennes = [](const QImage& img, int n) {
    QImage r((img.width() + n - 1) / n, (img.height() + n - 1) / n, QImage::Format_RGB32);
    for (int j = 0; j < r.height(); ++j)
      for (int i = 0; i < r.width(); ++i) {
        double somme[3] = {0, 0, 0}, nombre = 0;
        for (int y = j * n; y < std::min(img.height(), (j + 1) * n); ++y)
          for (int x = i * n; x < std::min(img.width(), (i + 1) * n); ++x, ++nombre) {
            const QRgb c = img.pixel(x, y);
            somme[0] += qRed(c), somme[1] += qGreen(c), somme[2] += qBlue(c);
          }
        auto m = [&](int k) { return static_cast<int>(std::floor(somme[k] / nombre + 0.5)); };
        r.setPixel(i, j, qRgb(m(0), m(1), m(2)));
      }
    return r;
  };
  // Level 2 from the picture itself, then levels 6 and 5 from it (squares of 16 and 8).
  const QImage a = bruit(203, 75, 3);
  const QImage a2 = moyennes(a, 4);
  EXPECT_TRUE(halvedCopy(a, 6) == moyennes(a2, 16));
  EXPECT_TRUE(halvedCopy(a, 2) == a2);
  EXPECT_TRUE(halvedCopy(a, 5) == moyennes(a2, 8));
  // Level 1 from the picture itself, then level 3 from it (squares of 4).
  const QImage b = bruit(131, 38, 5);
  const QImage b1 = moyennes(b, 2);
  EXPECT_TRUE(halvedCopy(b, 1) == b1);
  EXPECT_TRUE(halvedCopy(b, 3) == moyennes(b1, 4));
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

// A large JPEG gets level 2 of its halvings made band by band while it is decoded; it
// is the copy halvedCopy makes from the whole picture, and the thumbnail and the view
// painted from the loaded picture are those of the same pixels averaged after the
// decode: odd sizes, heights no multiple of the bands of 4 and 16 rows, one exactly
// on them. A large JPEG cut short is still refused.
TEST(AreaMeanInABox, ADecodedPictureShowsThePlainAveraging) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  platform::Form form("TestForm");
  auto boite = [&](const char* nom, int w, int h) {
    auto b = std::make_unique<platform::PictureBox>(form, nom);
    b->setBorderStyle(0);
    b->move(0, 0, w * 15.0, h * 15.0);
    b->setAutoRedraw(true);
    return b;
  };
  for (const QSize s : {QSize(1291, 819), QSize(2051, 598), QSize(1024, 1024), QSize(1153, 1001)}) {
    SCOPED_TRACE(std::to_string(s.width()) + " x " + std::to_string(s.height()));
    QImage img(s, QImage::Format_RGB32);
    unsigned v = 7;
    for (int y = 0; y < s.height(); ++y)
      for (int x = 0; x < s.width(); ++x) {
        v = v * 1103515245u + 12345u;
        const int r = (x / 3 + (v >> 27)) & 0xFF, g = (y / 2 + (v >> 22 & 31)) & 0xFF, b = ((x ^ y) + (v >> 29)) & 0xFF;
        img.setPixel(x, y, qRgb(r, g, b));
      }
    const QString file = dir.filePath("camera.jpg");
    QImageWriter writer(file, "jpeg");
    writer.setQuality(85);
    ASSERT_TRUE(writer.write(img));

    QFile in(file);
    ASSERT_TRUE(in.open(QIODevice::ReadOnly));
    QImage decoded, quarter;
    ASSERT_EQ(platform::decodeJpeg(in, decoded, &quarter), platform::JpegDecode::kDone);
    ASSERT_FALSE(quarter.isNull());
    const QImage apart = decoded.copy();   // the same pixels, with no copy made beforehand
    EXPECT_TRUE(quarter == halvedCopy(apart, 2));

    // The thumbnail first (48 or 20 times smaller: from level 4 or 3, made from level
    // 2), then the view (12 times smaller: from level 2), as an open paints them.
    const platform::Picture loaded = platform::Picture::load(file.toStdString());
    ASSERT_EQ(loaded.widthPixels(), s.width());
    const int n = s.width() % 2 ? 48 : 20;
    const int vw = s.width() / 12, vh = s.height() / 12, tw = s.width() / n, th = s.height() / n;
    auto peint = [&](const platform::Picture& p) {
      auto vignette = boite("VignP", tw, th);
      auto vue = boite("Picture1", vw, vh);
      vignette->paintPicture(p, 0, 0, tw * 15.0, th * 15.0, 0, 0, p.width(), p.height());
      vue->paintPicture(p, 0, 0, vw * 15.0, vh * 15.0, 0, 0, p.width(), p.height());
      return std::make_pair(vignette->image().toQImage(), vue->image().toQImage());
    };
    const auto montre = peint(loaded);
    const auto attendu = peint(platform::Picture::fromQImage(loaded.toQImage().copy()));
    EXPECT_TRUE(montre.first == attendu.first);
    EXPECT_TRUE(montre.second == attendu.second);
  }
  QFile entier(dir.filePath("camera.jpg")), coupe(dir.filePath("cut.jpg"));
  ASSERT_TRUE(entier.open(QIODevice::ReadOnly) && coupe.open(QIODevice::WriteOnly));
  const QByteArray octets = entier.readAll();
  coupe.write(octets.left(octets.size() / 2));
  coupe.close();
  std::string erreur;
  EXPECT_TRUE(platform::Picture::load(coupe.fileName().toStdString(), &erreur).isNull());
  EXPECT_NE(erreur.find("truncated"), std::string::npos) << erreur;
}

}  // namespace
