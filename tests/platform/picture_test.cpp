// Pictures: sizes in pixels, twips and HIMETRIC, reading by content, the hand-made
// 24-bit BMP writer, the JPEG writer, failures that leave files whole.
#include "platform/picture.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "platform/colour.h"
#include "platform/textfile.h"

#include "platform/image_size.h"
#include "support/library_jpeg.h"
#include "support/named_pipe.h"
#include "support/ordinary_user.h"
#include "support/peak_memory.h"

namespace {

namespace fs = std::filesystem;
using platform::Colour;
using platform::Picture;

class PictureTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string tmpl = (fs::temp_directory_path() / "qv-picture-XXXXXX").string();
    ASSERT_NE(mkdtemp(tmpl.data()), nullptr);
    dir_ = tmpl;
  }
  void TearDown() override {
    std::error_code ec;
    fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add, ec);
    for (const auto& e : fs::recursive_directory_iterator(dir_, ec))
      fs::permissions(e.path(), fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(dir_, ec);
  }
  std::string path(const std::string& name) const { return dir_ + "/" + name; }
  void writeFile(const std::string& name, const std::string& bytes) const {
    std::ofstream out(path(name), std::ios::binary);
    out << bytes;
  }
  std::string readFile(const std::string& p) const {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

  std::string dir_;
};

// A picture whose every pixel differs: red = 40 x + 3, green = 50 y + 7, blue = x * y.
Picture gradient(int w, int h) {
  QImage img(w, h, QImage::Format_RGB32);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) img.setPixel(x, y, qRgb((40 * x + 3) & 0xFF, (50 * y + 7) & 0xFF, (x * y) & 0xFF));
  return Picture::fromQImage(img);
}

Colour bgr(int r, int g, int b) { return static_cast<Colour>(r | (g << 8) | (b << 16)); }

TEST(Picture, EmptyPictureHasNoSize) {
  Picture p;
  EXPECT_TRUE(p.isNull());
  EXPECT_EQ(p.widthPixels(), 0);
  EXPECT_EQ(p.height(), 0.0);
  EXPECT_EQ(p.widthHimetric(), 0.0);
  EXPECT_EQ(p.pixel(0, 0), 0xFFFFFFFFu);
  EXPECT_TRUE(p.bmpBytes().empty());
}

TEST(Picture, SizesInTwipsAndHimetric) {
  // 96 pixels = one inch = 1440 twips = 2540 hundredths of a millimetre.
  const Picture p = Picture::filled(96, 48, 0);
  EXPECT_EQ(p.widthPixels(), 96);
  EXPECT_EQ(p.heightPixels(), 48);
  EXPECT_DOUBLE_EQ(p.width(), 1440.0);
  EXPECT_DOUBLE_EQ(p.height(), 720.0);
  EXPECT_DOUBLE_EQ(p.widthHimetric(), 2540.0);
  EXPECT_DOUBLE_EQ(p.heightHimetric(), 1270.0);
  // 1000 pixels: 26458.33... HIMETRIC, not rounded.
  EXPECT_NEAR(Picture::filled(1000, 1, 0).widthHimetric(), 26458.3333333, 1e-6);
}

TEST(Picture, FilledAndPixelReadBack) {
  const Picture p = Picture::filled(3, 2, bgr(10, 20, 30));
  EXPECT_EQ(p.pixel(2, 1), bgr(10, 20, 30));
  EXPECT_EQ(p.pixel(3, 0), 0xFFFFFFFFu);
  EXPECT_EQ(p.pixel(0, 2), 0xFFFFFFFFu);
  EXPECT_EQ(p.pixel(-1, 0), 0xFFFFFFFFu);
  EXPECT_TRUE(Picture::filled(0, 5, 0).isNull());
  EXPECT_TRUE(Picture::filled(5, -1, 0).isNull());
  // The button face system colour is resolved, not taken as a number.
  EXPECT_EQ(Picture::filled(1, 1, platform::kButtonFace).pixel(0, 0), platform::resolveColour(platform::kButtonFace));
}

TEST(Picture, FromQImageKeepsOrAddsAlpha) {
  QImage indexed(2, 2, QImage::Format_Indexed8);
  indexed.setColorCount(1);
  indexed.setColor(0, qRgb(1, 2, 3));
  indexed.fill(0);
  const Picture a = Picture::fromQImage(indexed);
  EXPECT_EQ(a.toQImage().format(), QImage::Format_RGB32);
  EXPECT_EQ(a.pixel(1, 1), bgr(1, 2, 3));
  QImage alpha(2, 2, QImage::Format_ARGB32_Premultiplied);
  alpha.fill(Qt::transparent);
  EXPECT_EQ(Picture::fromQImage(alpha).toQImage().format(), QImage::Format_ARGB32);
  EXPECT_TRUE(Picture::fromQImage(QImage()).isNull());
}

TEST(Picture, CopiesShareTheSamePixels) {
  const Picture a = gradient(5, 5);
  const Picture b = a;
  EXPECT_EQ(a.toQImage().constBits(), b.toQImage().constBits());
}

// A 2 x 2 picture written by hand: rows bottom-up, 3 bytes B, G, R per pixel, each
// row padded from 6 to 8 bytes; 54 bytes of headers + 16 bytes of pixels = 70.
TEST(Picture, BmpBytesOfATwoByTwoPicture) {
  QImage img(2, 2, QImage::Format_RGB32);
  img.setPixel(0, 0, qRgb(255, 0, 0));     // red
  img.setPixel(1, 0, qRgb(0, 255, 0));     // green
  img.setPixel(0, 1, qRgb(0, 0, 255));     // blue
  img.setPixel(1, 1, qRgb(255, 255, 255)); // white
  const std::string b = Picture::fromQImage(img).bmpBytes();
  const unsigned char expected[70] = {
      'B', 'M', 70, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0,                 // file header
      40, 0, 0, 0, 2, 0, 0, 0, 2, 0, 0, 0, 1, 0, 24, 0,               // size, w, h, planes, bits
      0, 0, 0, 0, 16, 0, 0, 0, 0xC4, 0x0E, 0, 0, 0xC4, 0x0E, 0, 0,    // BI_RGB, bytes, 3780 ppm
      0, 0, 0, 0, 0, 0, 0, 0,                                         // colours
      0xFF, 0, 0, 0xFF, 0xFF, 0xFF, 0, 0,                             // bottom row: blue, white
      0, 0, 0xFF, 0, 0xFF, 0, 0, 0};                                  // top row: red, green
  ASSERT_EQ(b.size(), sizeof expected);
  for (std::size_t i = 0; i < sizeof expected; ++i)
    EXPECT_EQ(static_cast<unsigned char>(b[i]), expected[i]) << "byte " << i;
}

TEST_F(PictureTest, BmpSaveReloadsPixelIdentical) {
  // Width 5: 15 bytes of pixels padded to 16 per row.
  const Picture p = gradient(5, 3);
  std::string error;
  ASSERT_TRUE(p.saveBmp(path("g.bmp"), &error)) << error;
  const std::string bytes = readFile(path("g.bmp"));
  ASSERT_EQ(bytes.size(), 54u + 16u * 3u);
  EXPECT_EQ(bytes.substr(0, 2), "BM");
  EXPECT_EQ(static_cast<unsigned char>(bytes[28]), 24);   // biBitCount
  EXPECT_EQ(static_cast<unsigned char>(bytes[29]), 0);
  EXPECT_EQ(static_cast<unsigned char>(bytes[22]), 3);    // positive height: bottom-up
  EXPECT_EQ(static_cast<unsigned char>(bytes[25]), 0);
  const Picture back = Picture::load(path("g.bmp"), &error);
  ASSERT_FALSE(back.isNull()) << error;
  ASSERT_EQ(back.widthPixels(), 5);
  ASSERT_EQ(back.heightPixels(), 3);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x) EXPECT_EQ(back.pixel(x, y), p.pixel(x, y)) << x << "," << y;
}

TEST_F(PictureTest, JpegSaveDecodesToSameSizeAndColours) {
  // Blocks of 16 x 16 pixels of one colour each survive quality 100 within a few levels.
  QImage img(64, 32, QImage::Format_RGB32);
  const QRgb colours[4] = {qRgb(200, 30, 30), qRgb(30, 180, 60), qRgb(20, 40, 220), qRgb(240, 240, 200)};
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 64; ++x) img.setPixel(x, y, colours[((x / 16) + (y / 16)) % 4]);
  const Picture p = Picture::fromQImage(img);
  std::string error;
  ASSERT_TRUE(p.saveJpeg(path("a.jpg"), 100, &error)) << error;
  const std::string bytes = readFile(path("a.jpg"));
  ASSERT_GE(bytes.size(), 4u);
  EXPECT_EQ(static_cast<unsigned char>(bytes[0]), 0xFF);
  EXPECT_EQ(static_cast<unsigned char>(bytes[1]), 0xD8);
  const Picture back = Picture::load(path("a.jpg"), &error);
  ASSERT_FALSE(back.isNull()) << error;
  ASSERT_EQ(back.widthPixels(), 64);
  ASSERT_EQ(back.heightPixels(), 32);
  for (int y = 4; y < 32; y += 8)
    for (int x = 4; x < 64; x += 8) {
      const Colour a = p.pixel(x, y), b = back.pixel(x, y);
      EXPECT_NEAR(platform::redOf(a), platform::redOf(b), 6) << x << "," << y;
      EXPECT_NEAR(platform::greenOf(a), platform::greenOf(b), 6) << x << "," << y;
      EXPECT_NEAR(platform::blueOf(a), platform::blueOf(b), 6) << x << "," << y;
    }
}

// JPEG files of every kind a camera or an editor writes are decoded to exactly the
// pixels of the general image reader: baseline at two qualities, progressive,
// greyscale, a size that is no multiple of the blocks, and a picture large enough for
// the memory of large pictures.
TEST_F(PictureTest, JpegDecodesToThePixelsOfTheGeneralReader) {
  auto noisy = [](int w, int h) {
    QImage img(w, h, QImage::Format_RGB32);
    unsigned v = 99;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        v = v * 1103515245u + 12345u;
        img.setPixel(x, y, qRgb((x * 3 + (v >> 28)) & 0xFF, (y * 2 + (v >> 20 & 15)) & 0xFF, (x ^ y) & 0xFF));
      }
    return img;
  };
  const struct {
    const char* name;
    QImage image;
    int quality;
    bool progressive;
  } cases[] = {
      {"baseline92", noisy(123, 77), 92, false},
      {"baseline100", noisy(64, 48), 100, false},
      {"progressive", noisy(130, 90), 85, true},
      {"grey", noisy(50, 40).convertToFormat(QImage::Format_Grayscale8), 90, false},
      {"large", noisy(1100, 700), 75, false},
  };
  for (const auto& c : cases) {
    const std::string file = path(std::string(c.name) + ".jpg");
    QImageWriter w(QString::fromStdString(file), "jpeg");
    w.setQuality(c.quality);
    w.setProgressiveScanWrite(c.progressive);
    ASSERT_TRUE(w.write(c.image)) << c.name;
    QImageReader r(QString::fromStdString(file));
    r.setAutoTransform(false);
    const QImage expected = r.read().convertToFormat(QImage::Format_RGB32);
    std::string error;
    const Picture p = Picture::load(file, &error);
    ASSERT_FALSE(p.isNull()) << c.name << ": " << error;
    ASSERT_EQ(p.toQImage().format(), QImage::Format_RGB32) << c.name;
    ASSERT_EQ(p.toQImage().size(), expected.size()) << c.name;
    EXPECT_TRUE(p.toQImage() == expected) << c.name;
  }
}

// A JPEG cut short is refused and says so; a damaged one gives the reader's message.
TEST_F(PictureTest, TruncatedOrDamagedJpegIsRefused) {
  QByteArray jpeg;
  {
    QBuffer buf(&jpeg);
    buf.open(QIODevice::WriteOnly);
    ASSERT_TRUE(gradient(96, 96).toQImage().save(&buf, "JPEG", 90));
  }
  writeFile("cut.jpg", jpeg.left(jpeg.size() * 2 / 3).toStdString());
  writeFile("damaged.jpg", std::string("\xFF\xD8\xFF\xE0", 4) + std::string(200, '\x11'));
  for (const char* name : {"cut.jpg", "damaged.jpg"}) {
    std::string error;
    EXPECT_TRUE(Picture::load(path(name), &error).isNull()) << name;
    EXPECT_NE(error.find(path(name)), std::string::npos) << error;
  }
  std::string error;
  Picture::load(path("cut.jpg"), &error);
  EXPECT_NE(error.find("truncated"), std::string::npos) << error;
}

// JPEG files damaged as cut or broken copies are, made from good ones of every coding.
// A picture opens when each of its rows comes from the file's own data, with the
// library's pixels for those bytes (and the size its header gives); it is refused as
// truncated when the library would make rows up: the coded data end, or stop at a
// marker, before the last row, or the scans after a cut are missing. Warnings that
// change no row (bytes between markers, the end marker missing) refuse nothing. The
// library's own decode of each damaged file shows what the case holds: the same rows
// as the good file, or rows made up, in a uniform grey at the bottom for most.
TEST_F(PictureTest, DamagedJpegOpensOnlyWhenEveryRowComesFromItsData) {
  using namespace library_jpeg;
  const QImage img = testPicture(100, 76);
  const std::string baseline = encode(img, Kind::kBaseline), grey = encode(img, Kind::kGrey),
                    restarts = encode(img, Kind::kRestarts), progressive = encode(img, Kind::kProgressive),
                    arithmetic = encode(img, Kind::kArithmetic), separate = encode(img, Kind::kSeparateScans);
  ASSERT_EQ(scanCount(progressive), 10);
  ASSERT_EQ(scanCount(separate), 3);
  const std::string junk("\x12\x34\x56", 3);
  // Refused with rows made up, with a grey bottom, or though the rows are whole.
  enum Outcome { kOpens, kMadeUp, kGreyBottom, kNeedsItsEnd };
  const struct {
    const char* name;
    std::string good, bytes;
    Outcome outcome;
  } cases[] = {
      {"baseline", baseline, baseline, kOpens},
      {"baseline, end marker cut", baseline, withoutEnd(baseline), kOpens},
      {"baseline, end marker in the scan data", baseline, endInsideScan(baseline, 0), kGreyBottom},
      {"baseline, height doubled", baseline, heightDoubled(baseline), kGreyBottom},
      {"baseline, cut in half", baseline, half(baseline), kGreyBottom},
      {"baseline, bytes before the scan", baseline, bytesBefore(baseline, 0xDA, junk), kOpens},
      {"baseline, bytes before the end marker", baseline, bytesBefore(baseline, 0xD9, junk), kOpens},
      {"baseline, bytes before the scan, end marker cut", baseline, withoutEnd(bytesBefore(baseline, 0xDA, junk)),
       kOpens},
      {"grey, end marker cut", grey, withoutEnd(grey), kOpens},
      {"grey, height doubled", grey, heightDoubled(grey), kGreyBottom},
      {"restarts, end marker cut", restarts, withoutEnd(restarts), kOpens},
      {"restarts, end marker in the scan data", restarts, endInsideScan(restarts, 0), kGreyBottom},
      {"progressive", progressive, progressive, kOpens},
      {"progressive, end marker cut", progressive, withoutEnd(progressive), kOpens},
      {"progressive, bytes before the end marker", progressive, bytesBefore(progressive, 0xD9, junk), kOpens},
      {"progressive, cut after its first scan", progressive, cutAfterScan(progressive, 0), kMadeUp},
      {"progressive, cut before its last scan", progressive, cutAfterScan(progressive, 8), kMadeUp},
      {"progressive, end marker in its last scan", progressive, endInsideScan(progressive, 9), kMadeUp},
      {"progressive, height doubled", progressive, heightDoubled(progressive), kGreyBottom},
      {"separate scans, end marker cut", separate, withoutEnd(separate), kOpens},
      {"separate scans, cut between scans", separate, cutAfterScan(separate, 1), kMadeUp},
      {"separate scans, end marker between scans", separate, cutAfterScan(separate, 1) + "\xFF\xD9", kMadeUp},
      {"separate scans, height doubled", separate, heightDoubled(separate), kGreyBottom},
      {"arithmetic", arithmetic, arithmetic, kOpens},
      {"arithmetic, bytes before the scan", arithmetic, bytesBefore(arithmetic, 0xDA, junk), kOpens},
      // An arithmetic decoder decodes zeros from a marker on, by the rules of its coding,
      // so that it cannot tell a cut: a file without its end marker is refused.
      {"arithmetic, end marker cut", arithmetic, withoutEnd(arithmetic), kNeedsItsEnd},
      {"arithmetic, cut in half", arithmetic, half(arithmetic), kMadeUp},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const Decoded good = decode(c.good), library = decode(c.bytes);
    ASSERT_FALSE(good.failed || library.failed);
    ASSERT_TRUE(good.warnings.empty());
    const bool sameRows = library.image == good.image;
    writeFile("damaged.jpg", c.bytes);
    std::string error;
    const Picture p = Picture::load(path("damaged.jpg"), &error);
    if (c.outcome == kOpens) {
      EXPECT_TRUE(sameRows) << "the case makes no row up";
      EXPECT_FALSE(p.isNull()) << error;
      EXPECT_EQ(p.toQImage().size(), library.image.size());
      if (p.toQImage().size() != library.image.size()) continue;
      int differing = 0;
      for (int y = 0; y < library.image.height(); ++y)
        for (int x = 0; x < library.image.width(); ++x) {
          const QRgb q = library.image.pixel(x, y);
          differing += p.pixel(x, y) != bgr(qRed(q), qGreen(q), qBlue(q));
        }
      EXPECT_EQ(differing, 0);
      int w = 0, h = 0;
      EXPECT_TRUE(platform::pictureSizeOfFile(path("damaged.jpg"), &w, &h));
      EXPECT_EQ(w, p.widthPixels());
      EXPECT_EQ(h, p.heightPixels());
      continue;
    }
    // What the library makes of the bytes: rows that are not those of the good file.
    if (c.outcome != kNeedsItsEnd && library.image.size() == good.image.size()) {
      EXPECT_FALSE(sameRows);
    }
    if (c.outcome == kGreyBottom) {
      const QImage& l = library.image;
      for (int x = 0; x < l.width(); ++x) ASSERT_EQ(l.pixel(x, l.height() - 1), qRgb(128, 128, 128)) << x;
    }
    EXPECT_TRUE(p.isNull());
    EXPECT_EQ(error, "Cannot read the picture \"" + path("damaged.jpg") + "\": the file is truncated.");
  }
}

// A small baseline and a small progressive JPEG cut after every one of their bytes from
// the start marker on: the picture opens exactly when the cut leaves every coded byte,
// the end marker alone missing in whole or in part, and then with every pixel of the
// whole file; every shorter file is refused as truncated.
TEST_F(PictureTest, JpegCutAfterEveryByteOpensOnlyWithAllItsCodedData) {
  using namespace library_jpeg;
  const QImage img = testPicture(40, 24);
  for (const Kind kind : {Kind::kBaseline, Kind::kProgressive}) {
    const std::string whole = encode(img, kind);
    const Decoded good = decode(whole);
    ASSERT_FALSE(good.failed);
    const std::size_t end = markerAt(whole, 0xD9);
    ASSERT_EQ(end, whole.size() - 2);
    int opened = 0;
    for (std::size_t cut = 2; cut < whole.size(); ++cut) {
      SCOPED_TRACE((kind == Kind::kBaseline ? "baseline cut at " : "progressive cut at ") + std::to_string(cut));
      writeFile("cut.jpg", whole.substr(0, cut));
      std::string error;
      const Picture p = Picture::load(path("cut.jpg"), &error);
      if (cut < end) {
        EXPECT_TRUE(p.isNull());
        EXPECT_EQ(error, "Cannot read the picture \"" + path("cut.jpg") + "\": the file is truncated.");
        continue;
      }
      ++opened;
      ASSERT_FALSE(p.isNull()) << error;
      EXPECT_TRUE(p.toQImage() == good.image);
    }
    EXPECT_EQ(opened, 2);
  }
}

// A named pipe or a device given as a picture is refused with the cause and never
// opened, and its size is not read either.
TEST_F(PictureTest, OnlyRegularFilesAreLoaded) {
  test_support::WatchedPipe pipe(path("tube.bmp"));
  ASSERT_TRUE(pipe.made());
  for (const std::string& p : {pipe.path(), std::string("/dev/null")}) {
    SCOPED_TRACE(p);
    std::string error;
    EXPECT_TRUE(Picture::load(p, &error).isNull());
    EXPECT_EQ(error, "Cannot read the picture \"" + p + "\": not a regular file.");
    int w = -1, h = -1;
    EXPECT_FALSE(platform::pictureSizeOfFile(p, &w, &h));
  }
  EXPECT_FALSE(pipe.opened());
}

TEST_F(PictureTest, LowerJpegQualityGivesSmallerFile) {
  const Picture p = gradient(64, 64);
  ASSERT_TRUE(p.saveJpeg(path("q100.jpg"), 100));
  ASSERT_TRUE(p.saveJpeg(path("q10.jpg"), 10));
  EXPECT_LT(readFile(path("q10.jpg")).size(), readFile(path("q100.jpg")).size());
}

TEST_F(PictureTest, SavingAnEmptyPictureFails) {
  std::string error;
  EXPECT_FALSE(Picture().saveBmp(path("e.bmp"), &error));
  EXPECT_NE(error.find(path("e.bmp")), std::string::npos);
  EXPECT_FALSE(Picture().saveJpeg(path("e.jpg"), 100, &error));
  EXPECT_FALSE(fs::exists(path("e.bmp")));
  EXPECT_FALSE(fs::exists(path("e.jpg")));
}

TEST_F(PictureTest, FormatIsTakenFromContentNotExtension) {
  const Picture p = gradient(6, 4);
  // Lossless formats written by Qt under misleading names.
  const struct {
    const char* name;
    const char* format;
  } cases[] = {{"png_named.jpg", "PNG"}, {"bmp_named.png", "BMP"}, {"tiff_named.bmp", "TIFF"},
               {"noextension", "PNG"}};
  for (const auto& c : cases) {
    ASSERT_TRUE(p.toQImage().save(QString::fromUtf8(path(c.name).c_str()), c.format)) << c.name;
    std::string error;
    const Picture back = Picture::load(path(c.name), &error);
    ASSERT_FALSE(back.isNull()) << c.name << ": " << error;
    EXPECT_EQ(back.pixel(5, 3), p.pixel(5, 3)) << c.name;
    EXPECT_EQ(back.pixel(0, 0), p.pixel(0, 0)) << c.name;
  }
}

TEST_F(PictureTest, GifIsRead) {
  // A 2 x 1 GIF made by hand: palette white, black; LZW (minimum code size 2) codes
  // clear 4, 1, 0, end 5 in 3 bits each, packed from the low bit: 0x0C 0x0A. So the
  // left pixel is black (index 1) and the right one white (index 0).
  const unsigned char gif[] = {'G', 'I', 'F', '8', '9', 'a', 2, 0, 1, 0, 0x80, 0, 0, 0xFF, 0xFF, 0xFF, 0, 0, 0,
                               0x2C, 0, 0, 0, 0, 2, 0, 1, 0, 0, 2, 2, 0x0C, 0x0A, 0, 0x3B};
  writeFile("g.gif", std::string(reinterpret_cast<const char*>(gif), sizeof gif));
  std::string error;
  const Picture back = Picture::load(path("g.gif"), &error);
  ASSERT_FALSE(back.isNull()) << error;
  EXPECT_EQ(back.widthPixels(), 2);
  EXPECT_EQ(back.heightPixels(), 1);
  EXPECT_EQ(back.pixel(0, 0), 0u);
  EXPECT_EQ(back.pixel(1, 0), 0xFFFFFFu);
}

// A JPEG with an EXIF block saying "rotate 90 degrees" (orientation 6): the program
// shows it as stored, so the loaded size is the stored one.
TEST_F(PictureTest, ExifOrientationIsNotApplied) {
  QByteArray jpeg;
  {
    QBuffer buf(&jpeg);
    buf.open(QIODevice::WriteOnly);
    ASSERT_TRUE(gradient(8, 4).toQImage().save(&buf, "JPEG", 100));
  }
  // APP1: FF E1, length 34, "Exif\0\0", TIFF header MM 42 offset 8, one IFD entry
  // (tag 0x0112 orientation, type SHORT, count 1, value 6), next IFD 0.
  const unsigned char app1[] = {0xFF, 0xE1, 0x00, 0x22, 'E', 'x', 'i', 'f', 0, 0, 'M', 'M', 0, 0x2A, 0, 0, 0, 8,
                                0x00, 0x01, 0x01, 0x12, 0x00, 0x03, 0, 0, 0, 1, 0x00, 0x06, 0, 0, 0, 0, 0, 0};
  QByteArray withExif = jpeg.left(2);
  withExif.append(reinterpret_cast<const char*>(app1), sizeof app1);
  withExif.append(jpeg.mid(2));
  writeFile("rot.jpg", withExif.toStdString());

  // The sample really asks for a rotation: a reader applying it swaps the sides.
  QImageReader rotating(QString::fromUtf8(path("rot.jpg").c_str()));
  rotating.setAutoTransform(true);
  const QImage turned = rotating.read();
  ASSERT_EQ(turned.width(), 4);
  ASSERT_EQ(turned.height(), 8);

  std::string error;
  const Picture p = Picture::load(path("rot.jpg"), &error);
  ASSERT_FALSE(p.isNull()) << error;
  EXPECT_EQ(p.widthPixels(), 8);
  EXPECT_EQ(p.heightPixels(), 4);
}

TEST_F(PictureTest, MissingDamagedAndMetafilesFailWithMessage) {
  // A placeable WMF header, an enhanced metafile header, random bytes, a BMP header
  // announcing pixels that are not there, and a missing file.
  std::string wmf("\xD7\xCD\xC6\x9A\x00\x00\x00\x00\x00\x00\x10\x00\x10\x00\x60\x00\x00\x00\x00\x00\x00\x00", 22);
  wmf += std::string("\x01\x00\x09\x00\x00\x03", 6) + std::string(40, '\0');
  writeFile("drawing.wmf", wmf);
  std::string emf(44, '\0');
  emf[0] = 1;
  emf.replace(40, 4, " EMF");
  writeFile("drawing.emf", emf);
  writeFile("noise.jpg", "this is not a picture at all, only words");
  std::string bmp = Picture::filled(40, 40, 0).bmpBytes();
  bmp.resize(80);
  writeFile("cut.bmp", bmp);
  QByteArray png;
  {
    QBuffer buf(&png);
    buf.open(QIODevice::WriteOnly);
    ASSERT_TRUE(gradient(64, 64).toQImage().save(&buf, "PNG"));
  }
  writeFile("cut.png", png.left(png.size() / 2).toStdString());

  const struct {
    const char* name;
    const char* inMessage;
  } cases[] = {{"drawing.wmf", "metafile"}, {"drawing.emf", "metafile"}, {"noise.jpg", ""},
               {"cut.bmp", "truncated"}, {"cut.png", ""}, {"absent.png", "does not exist"}};
  for (const auto& c : cases) {
    std::string error;
    const Picture p = Picture::load(path(c.name), &error);
    EXPECT_TRUE(p.isNull()) << c.name;
    EXPECT_NE(error.find(path(c.name)), std::string::npos) << c.name << ": " << error;
    EXPECT_NE(error.find(c.inMessage), std::string::npos) << c.name << ": " << error;
  }
  std::string error;
  EXPECT_TRUE(Picture::load("", &error).isNull());
  EXPECT_FALSE(error.empty());
}

// Every format the loader reads, cut at half its length, is refused with a message
// naming the file: the decoders that would fill the missing part (BMP, JPEG, GIF, XBM)
// are stopped by the structure check, the others fail by themselves.
TEST_F(PictureTest, EveryFormatCutAtHalfIsRefused) {
  const QImage img = gradient(96, 64).toQImage();
  std::vector<std::pair<std::string, std::string>> files;
  for (const char* format : {"bmp", "cur", "ico", "icns", "jpeg", "pbm", "pgm", "ppm", "png", "tiff", "webp",
                             "xbm", "xpm"}) {
    QByteArray bytes;
    QBuffer buf(&bytes);
    buf.open(QIODevice::WriteOnly);
    ASSERT_TRUE(img.save(&buf, format)) << format;
    files.emplace_back(format, bytes.toStdString());
  }
  // A 40 x 30 GIF of one colour made by hand: LZW with 9-bit codes, a clear code
  // before every pixel (so that the codes stay 9 bits wide), in sub-blocks of 255.
  std::string lzw;
  unsigned acc = 0;
  int bits = 0;
  auto code = [&](unsigned c) {
    acc |= c << bits;
    for (bits += 9; bits >= 8; bits -= 8, acc >>= 8) lzw += static_cast<char>(acc & 0xFF);
  };
  for (int k = 0; k < 40 * 30; ++k) {
    code(256);
    code(1);
  }
  code(257);
  if (bits > 0) lzw += static_cast<char>(acc & 0xFF);
  std::string g = std::string("GIF89a\x28\x00\x1E\x00\xF7\x00\x00", 13);
  for (int c = 0; c < 256; ++c) g += std::string{static_cast<char>(c), static_cast<char>(c), static_cast<char>(c)};
  g += std::string("\x2C\x00\x00\x00\x00\x28\x00\x1E\x00\x00\x08", 11);
  for (std::size_t at = 0; at < lzw.size(); at += 255) {
    const std::string part = lzw.substr(at, 255);
    g += static_cast<char>(part.size()) + part;
  }
  g += std::string("\x00;", 2);
  files.emplace_back("gif", g);

  for (const auto& [format, bytes] : files) {
    writeFile("whole." + format, bytes);
    writeFile("half." + format, bytes.substr(0, bytes.size() / 2));
    std::string error;
    const Picture whole = Picture::load(path("whole." + format), &error);
    EXPECT_FALSE(whole.isNull()) << format << ": " << error;
    const Picture half = Picture::load(path("half." + format), &error);
    EXPECT_TRUE(half.isNull()) << format;
    EXPECT_NE(error.find(path("half." + format)), std::string::npos) << format << ": " << error;
  }
  EXPECT_EQ(Picture::load(path("whole.gif")).pixel(39, 29), bgr(1, 1, 1));
}

// A small JPEG whose header declares 20000 x 20000 pixels is refused from its header,
// before anything is allocated for the pixels.
TEST_F(PictureTest, HeaderDeclaringMorePixelsThanTheFileHoldsIsRefused) {
  QByteArray jpeg;
  {
    QBuffer buf(&jpeg);
    buf.open(QIODevice::WriteOnly);
    ASSERT_TRUE(gradient(8, 8).toQImage().save(&buf, "JPEG", 100));
  }
  // Height and width follow the start-of-frame marker FF C0, its length and precision.
  const qsizetype sof = jpeg.indexOf(QByteArray("\xFF\xC0", 2));
  ASSERT_GT(sof, 0);
  for (qsizetype at : {sof + 5, sof + 7}) {
    jpeg[at] = static_cast<char>(20000 >> 8);
    jpeg[at + 1] = static_cast<char>(20000 & 0xFF);
  }
  ASSERT_LT(jpeg.size(), 1000);
  writeFile("huge.jpg", jpeg.toStdString());
  std::string error;
  EXPECT_TRUE(Picture::load(path("huge.jpg"), &error).isNull());
  EXPECT_EQ(error, "Cannot read the picture \"" + path("huge.jpg") +
                       "\": the header declares 20000 x 20000 pixels, more than the file can hold.");
}

// JPEG files made from a 320 x 240 picture whose frame header is made to claim a huge
// size, padded with application segments past the check of pixels against the file's
// length, as a hostile file would be. A file of several scans is read whole into the
// library's coefficients of the whole picture before its first row (12.9 GB for a
// progressive 65500 x 65500): with the 32-bit picture the decode would take more than
// a picture may, and the file is refused from its header, before anything is allocated,
// whatever its coding or colour space (CMYK goes on to the general reader otherwise). A
// baseline file whose picture alone is beyond it is refused the same way. One under the
// limit is decoded, and refused as truncated when its data run out; a CMYK file of its
// own size opens. None of them makes more than a little memory present.
TEST_F(PictureTest, JpegNeedingMoreMemoryThanAPictureMayTakeIsRefusedFromItsHeader) {
  using namespace library_jpeg;
  const QImage photo = testPicture(320, 240);
  const std::string tooLarge = "the picture needs more memory than the 2047 MB a picture may take.";
  const struct {
    const char* name;
    Kind kind;
    unsigned w, h;
    std::size_t bytes;
    std::string refusal;
  } cases[] = {
      {"progressive, 65500 x 65500", Kind::kProgressive, 65500, 65500, 465000, tooLarge},
      {"separate scans, 65500 x 65500", Kind::kSeparateScans, 65500, 65500, 465000, tooLarge},
      {"baseline, 65500 x 65500", Kind::kBaseline, 65500, 65500, 465000, tooLarge},
      {"progressive, 20000 x 20000", Kind::kProgressive, 20000, 20000, 72000, tooLarge},
      {"separate scans, 20000 x 20000", Kind::kSeparateScans, 20000, 20000, 72000, tooLarge},
      {"arithmetic progressive, 20000 x 20000", Kind::kArithmeticProgressive, 20000, 20000, 72000, tooLarge},
      {"CMYK progressive, 20000 x 20000", Kind::kCmykProgressive, 20000, 20000, 72000, tooLarge},
      {"progressive, 6000 x 4000", Kind::kProgressive, 6000, 4000, 0, "the file is truncated."},
      {"CMYK progressive, its own size", Kind::kCmykProgressive, 320, 240, 0, ""},
  };
  const test_support::PeakMemory peak;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string bytes = paddedTo(withFrameSize(encode(photo, c.kind), c.w, c.h), c.bytes);
    ASSERT_GE(bytes.size(), c.bytes);
    writeFile("huge.jpg", bytes);
    std::string error;
    const Picture p = Picture::load(path("huge.jpg"), &error);
    if (c.refusal.empty()) {
      EXPECT_EQ(p.widthPixels(), static_cast<int>(c.w)) << error;
      EXPECT_EQ(p.heightPixels(), static_cast<int>(c.h));
      continue;
    }
    EXPECT_TRUE(p.isNull());
    EXPECT_EQ(error, "Cannot read the picture \"" + path("huge.jpg") + "\": " + c.refusal);
  }
  EXPECT_LT(peak.growth(), 256LL << 20) << "memory made present while the files were refused";
}

// The progressive 65500 x 65500 file of the test above, opened in a child process
// whose address space may grow by only 256 MB, far below the 30 GB the file asks for:
// it is refused for the memory it would need, from its header, where a reader that
// tried to allocate would fail on the way or be stopped by the system. The sanitized
// build reserves terabytes of address space for its shadow memory and cannot run
// under such a limit: there the check is left to the test above.
TEST_F(PictureTest, JpegNeedingMoreMemoryThanAPictureMayTakeIsRefusedInASmallAddressSpace) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "no address-space limit under AddressSanitizer";
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
  GTEST_SKIP() << "no address-space limit under AddressSanitizer";
#endif
#endif
  using namespace library_jpeg;
  const std::string bytes =
      paddedTo(withFrameSize(encode(testPicture(320, 240), Kind::kProgressive), 65500, 65500), 465000);
  writeFile("huge.jpg", bytes);
  const std::string expected = "Cannot read the picture \"" + path("huge.jpg") +
                               "\": the picture needs more memory than the 2047 MB a picture may take.";
  std::ifstream statm("/proc/self/statm");
  unsigned long long pages = 0;
  ASSERT_TRUE(statm >> pages);
  const rlim_t limit = static_cast<rlim_t>(pages) * static_cast<rlim_t>(sysconf(_SC_PAGESIZE)) + (rlim_t{256} << 20);
  enum { kRefusedForMemory = 0, kOtherOutcome = 1, kNoLimit = 2 };
  const pid_t pid = fork();
  ASSERT_GE(pid, 0);
  if (pid == 0) {
    const rlimit as{limit, limit};
    if (setrlimit(RLIMIT_AS, &as) != 0) _exit(kNoLimit);
    std::string error;
    const bool refused = Picture::load(path("huge.jpg"), &error).isNull();
    _exit(refused && error == expected ? kRefusedForMemory : kOtherOutcome);
  }
  int status = 0;
  ASSERT_EQ(waitpid(pid, &status, 0), pid);
  ASSERT_TRUE(WIFEXITED(status)) << "the child was ended by signal " << (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
  EXPECT_EQ(WEXITSTATUS(status), kRefusedForMemory);
}

// Progressive JPEG files made from good ones by dropping one scan. Without the first
// scan of the DC coefficients (of every component, or of one when each has DC scans of
// its own) the library builds on DC values the file never held, rows tens of levels
// off, and a later DC refinement scan leaves no gap in the progression: the file is
// refused as truncated, in either entropy coding. Without an AC scan, a DC refinement
// or the last scan, each block still starts from its own DC value: the file opens,
// with the library's pixels for it.
TEST_F(PictureTest, ProgressiveJpegWithoutTheFirstScanOfItsDcIsRefused) {
  using namespace library_jpeg;
  const QImage img = testPicture(100, 76);
  const std::string progressive = encode(img, Kind::kProgressive), perComponent = encode(img, Kind::kProgressiveDcPerComponent),
                    arithmetic = encode(img, Kind::kArithmeticProgressive);
  ASSERT_EQ(scanCount(progressive), 10);
  ASSERT_EQ(scanCount(perComponent), 9);
  ASSERT_EQ(scanCount(arithmetic), 10);
  const struct {
    const char* name;
    std::string good;
    int scan;   // dropped
    bool opens;
  } cases[] = {
      {"first DC scan", progressive, 0, false},
      {"first DC scan of Y, DC per component", perComponent, 0, false},
      {"first DC scan of Cb, DC per component", perComponent, 1, false},
      {"first DC scan of Cr, DC per component", perComponent, 2, false},
      {"first DC scan, arithmetic", arithmetic, 0, false},
      {"first AC scan of Y", progressive, 1, true},
      {"first AC scan of Cr", progressive, 2, true},
      {"DC refinement", progressive, 6, true},
      {"last scan", progressive, 9, true},
      {"AC scan of Cb, DC per component", perComponent, 4, true},
      {"DC refinement of Cr, DC per component", perComponent, 8, true},
      {"first AC scan of Y, arithmetic", arithmetic, 1, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string bytes = withoutScan(c.good, c.scan);
    ASSERT_EQ(scanCount(bytes), scanCount(c.good) - 1);
    const Decoded good = decode(c.good), library = decode(bytes);
    ASSERT_FALSE(good.failed || library.failed);
    ASSERT_TRUE(good.warnings.empty());
    writeFile("dropped.jpg", bytes);
    std::string error;
    const Picture p = Picture::load(path("dropped.jpg"), &error);
    if (c.opens) {
      ASSERT_FALSE(p.isNull()) << error;
      EXPECT_TRUE(p.toQImage() == library.image) << "not the library's pixels";
      continue;
    }
    // What the library makes of it: a warning on the progression, and colours far off.
    EXPECT_TRUE(library.warned(JWRN_BOGUS_PROGRESSION));
    ASSERT_EQ(library.image.size(), good.image.size());
    long long off[3] = {};
    for (int y = 0; y < img.height(); ++y)
      for (int x = 0; x < img.width(); ++x) {
        const QRgb a = library.image.pixel(x, y), b = good.image.pixel(x, y);
        off[0] += std::abs(qRed(a) - qRed(b));
        off[1] += std::abs(qGreen(a) - qGreen(b));
        off[2] += std::abs(qBlue(a) - qBlue(b));
      }
    const long long pixels = 1LL * img.width() * img.height();
    EXPECT_GT(*std::max_element(off, off + 3) / pixels, 20) << "the largest mean difference of a channel";
    EXPECT_TRUE(p.isNull());
    EXPECT_EQ(error, "Cannot read the picture \"" + path("dropped.jpg") + "\": the file is truncated.");
  }
}

// A picture read by the general reader is weighed from its header too: a one-bit PNG
// declaring 65535 x 65535 pixels (512 MB as the reader makes it, within Qt's allocation
// limit) would become 16 GB of 32-bit pixels, and is refused before any of it is read.
// The same PNG with its own size opens.
TEST_F(PictureTest, PictureWhoseReadingWouldTakeMoreThanTheLimitIsRefusedFromItsHeader) {
  QImage mono(64, 48, QImage::Format_Mono);
  mono.fill(0);
  for (int y = 0; y < 48; ++y) mono.setPixel(y, y, 1);
  QByteArray png;
  {
    QBuffer buf(&png);
    buf.open(QIODevice::WriteOnly);
    ASSERT_TRUE(mono.save(&buf, "PNG"));
  }
  QBuffer probe(&png);
  probe.open(QIODevice::ReadOnly);
  ASSERT_EQ(QImageReader(&probe).imageFormat(), QImage::Format_Mono);
  // CRC-32 of a chunk's type and data, as PNG gives it.
  auto crc = [](const std::string& bytes) {
    std::uint32_t c = 0xFFFFFFFFu;
    for (const char ch : bytes) {
      c ^= static_cast<unsigned char>(ch);
      for (int k = 0; k < 8; ++k) c = (c >> 1) ^ (0xEDB88320u & (0u - (c & 1u)));
    }
    return c ^ 0xFFFFFFFFu;
  };
  auto be32 = [](std::uint32_t v) {
    return std::string{static_cast<char>(v >> 24), static_cast<char>(v >> 16), static_cast<char>(v >> 8),
                       static_cast<char>(v)};
  };
  auto chunk = [&](const std::string& type, const std::string& data) {
    return be32(static_cast<std::uint32_t>(data.size())) + type + data + be32(crc(type + data));
  };
  // The signature, then the header chunk (its width and height first), then the rest.
  const std::string good = png.toStdString();
  ASSERT_EQ(good.substr(12, 4), "IHDR");
  const std::string rest = good.substr(33);
  const std::string huge = good.substr(0, 8) + chunk("IHDR", be32(65535) + be32(65535) + good.substr(24, 5)) +
                           chunk("quPd", std::string(440000, '\0')) + rest;
  writeFile("small.png", good);
  writeFile("huge.png", huge);
  std::string error;
  EXPECT_FALSE(Picture::load(path("small.png"), &error).isNull()) << error;
  EXPECT_TRUE(Picture::load(path("huge.png"), &error).isNull());
  EXPECT_EQ(error, "Cannot read the picture \"" + path("huge.png") +
                       "\": the picture needs more memory than the 2047 MB a picture may take.");
}

// Saving into a folder the user may not write to fails, names the file and leaves
// the old file whole. Root ignores permission bits, so the save then runs in a child
// process that has become an ordinary user (exit code 0 saved, 1 refused with the
// path in the message, 2 refused without it, 3 could not drop privileges).
enum { kSaved = 0, kRefusedWithPath = 1, kMessageLacksPath = 2 };

int trySaves(const Picture& p, const std::string& bmpTarget, const std::string& jpgTarget) {
  std::string e1, e2;
  const bool a = p.saveBmp(bmpTarget, &e1);
  const bool b = p.saveJpeg(jpgTarget, 100, &e2);
  if (a || b) return kSaved;
  return e1.find(bmpTarget) != std::string::npos && e2.find(jpgTarget) != std::string::npos ? kRefusedWithPath
                                                                                          : kMessageLacksPath;
}

TEST_F(PictureTest, SaveIntoReadOnlyFolderFailsAndKeepsOldFile) {
  const std::string folder = path("ro");
  ASSERT_TRUE(platform::makeFolder(folder));
  const std::string bmpTarget = folder + "/keep.bmp", jpgTarget = folder + "/keep.jpg";
  writeFile("ro/keep.bmp", "old bmp");
  writeFile("ro/keep.jpg", "old jpg");
  ASSERT_EQ(chmod(bmpTarget.c_str(), 0644), 0);
  ASSERT_EQ(chmod(jpgTarget.c_str(), 0644), 0);
  ASSERT_EQ(chmod(folder.c_str(), 0555), 0);
  ASSERT_EQ(chmod(dir_.c_str(), 0755), 0);
  const Picture p = gradient(8, 8);
  // The JPEG writer is loaded before the child is made.
  ASSERT_FALSE(p.toQImage().isNull());
  {
    QByteArray warm;
    QBuffer buf(&warm);
    buf.open(QIODevice::WriteOnly);
    ASSERT_TRUE(p.toQImage().save(&buf, "JPEG"));
  }
  const int outcome = test_support::asOrdinaryUser([&] { return trySaves(p, bmpTarget, jpgTarget); });
  EXPECT_EQ(outcome, kRefusedWithPath);
  EXPECT_EQ(readFile(bmpTarget), "old bmp");
  EXPECT_EQ(readFile(jpgTarget), "old jpg");
  int entries = 0;
  for (const auto& e : fs::directory_iterator(folder)) entries += e.is_regular_file() ? 1 : 0;
  EXPECT_EQ(entries, 2);
}

TEST_F(PictureTest, SaveUnderARegularFileFails) {
  // The parent "folder" is a file: no user can write there, root included.
  writeFile("plain", "x");
  const Picture p = gradient(4, 4);
  std::string error;
  EXPECT_FALSE(p.saveBmp(path("plain/a.bmp"), &error));
  EXPECT_NE(error.find(path("plain/a.bmp")), std::string::npos) << error;
  error.clear();
  EXPECT_FALSE(p.saveJpeg(path("plain/a.jpg"), 100, &error));
  EXPECT_NE(error.find(path("plain/a.jpg")), std::string::npos) << error;
  EXPECT_EQ(readFile(path("plain")), "x");
}

TEST_F(PictureTest, SaveReplacesAnExistingFile) {
  writeFile("over.bmp", "previous content");
  ASSERT_TRUE(gradient(3, 3).saveBmp(path("over.bmp")));
  const Picture back = Picture::load(path("over.bmp"));
  ASSERT_FALSE(back.isNull());
  EXPECT_EQ(back.pixel(2, 2), gradient(3, 3).pixel(2, 2));
}

}  // namespace
