// The 24-bit bitmap in memory and the JPEG writer fed from it.
#include <gtest/gtest.h>

#include <QImage>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "images/dib_section.h"
#include "platform/picture.h"
#include "platform/textfile.h"

namespace fs = std::filesystem;

namespace {

// A picture whose pixel (x, y) has red 10x + y, green 20 + y, blue 200 - x (all
// within 0..255 for the small sizes used here).
platform::Picture Motif(int w, int h) {
  QImage img(w, h, QImage::Format_RGB32);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) img.setPixel(x, y, qRgb((10 * x + y) % 256, 20 + y % 200, 200 - x % 200));
  return platform::Picture::fromQImage(img);
}

platform::Colour Attendu(int x, int y) {
  const unsigned r = (10 * x + y) % 256, g = 20 + y % 200, b = 200 - x % 200;
  return r | (g << 8) | (b << 16);
}

class TempFolder {
 public:
  TempFolder() {
    std::string tmpl = (fs::temp_directory_path() / "qv_dib_XXXXXX").string();
    dir_ = mkdtemp(tmpl.data()) ? tmpl : std::string();
  }
  ~TempFolder() {
    std::error_code ec;
    if (!dir_.empty()) fs::remove_all(dir_, ec);
  }
  std::string path(const std::string& name) const { return dir_ + "/" + name; }
  bool ok() const { return !dir_.empty(); }

 private:
  std::string dir_;
};

// Row sizes worked out by hand: width x 3 rounded up to a multiple of 4.
struct RowCase {
  int width;
  int bytesPerLine;
  int pad;
};
const RowCase kRows[] = {
    {101, 304, 1},   // 303 -> 304
    {4, 12, 0},      // 12, no padding
    {1, 4, 1},       // 3 -> 4
    {2, 8, 2},       // 6 -> 8
    {3, 12, 3},      // 9 -> 12
    {1200, 3600, 0},
};

}  // namespace

TEST(DibSection, RowSizeAndPadding) {
  for (const RowCase& c : kRows) {
    aDIBSection dib;
    ASSERT_TRUE(dib.Create(c.width, 3)) << c.width;
    EXPECT_EQ(dib.BytesPerScanLine(), c.bytesPerLine) << c.width;
    EXPECT_EQ(DIBPadBytes(c.width), c.pad) << c.width;
    EXPECT_EQ(dib.Header().biSizeImage, static_cast<std::uint32_t>(c.bytesPerLine * 3)) << c.width;
  }
  EXPECT_EQ(DIBPadBytes(0), 0);
  EXPECT_EQ(DIBPadBytes(-5), 0);
}

TEST(DibSection, CreateFillsTheHeader) {
  aDIBSection dib;
  ASSERT_TRUE(dib.Create(7, 5));
  const BitmapInfoHeader& bi = dib.Header();
  EXPECT_EQ(bi.biSize, 40u);
  EXPECT_EQ(bi.biWidth, 7);
  EXPECT_EQ(bi.biHeight, 5);
  EXPECT_EQ(bi.biPlanes, 1);
  EXPECT_EQ(bi.biBitCount, 24);
  EXPECT_EQ(bi.biCompression, 0u);
  EXPECT_EQ(bi.biSizeImage, 24u * 5u);   // 21 -> 24 bytes a row
  EXPECT_EQ(bi.biXPelsPerMeter, 0);
  EXPECT_EQ(bi.biClrUsed, 0u);
  ASSERT_NE(dib.DIBSectionBitsPtr(), nullptr);
  EXPECT_EQ(dib.Pixel(6, 4), 0u);   // a new bitmap is black
}

TEST(DibSection, BadSizesGiveAnEmptyObject) {
  aDIBSection dib;
  ASSERT_TRUE(dib.Create(4, 4));
  EXPECT_FALSE(dib.Create(0, 4));
  EXPECT_EQ(dib.Width(), 0);
  EXPECT_EQ(dib.DIBSectionBitsPtr(), nullptr);
  EXPECT_FALSE(dib.Create(4, -1));
  // 40000 x 40000 x 3 bytes is above 2^31 - 1.
  EXPECT_FALSE(dib.Create(40000, 40000));
  EXPECT_EQ(dib.Height(), 0);
  EXPECT_EQ(dib.BytesPerScanLine(), 0);
}

TEST(DibSection, ClearUpOnAnEmptyObjectLeavesEverythingZero) {
  aDIBSection dib;
  dib.ClearUp();
  EXPECT_EQ(dib.Width(), 0);
  EXPECT_EQ(dib.Height(), 0);
  EXPECT_EQ(dib.BytesPerScanLine(), 0);
  EXPECT_EQ(dib.DIBSectionBitsPtr(), nullptr);
  EXPECT_EQ(dib.Header().biSizeImage, 0u);
  EXPECT_TRUE(dib.ToPicture().isNull());
}

TEST(DibSection, PictureRowsAreStoredBottomUpInBlueGreenRed) {
  const platform::Picture pic = Motif(5, 3);
  aDIBSection dib;
  dib.CreateFromPicture(pic);
  ASSERT_EQ(dib.Width(), 5);
  ASSERT_EQ(dib.Height(), 3);
  ASSERT_EQ(dib.BytesPerScanLine(), 16);
  const unsigned char* bits = dib.DIBSectionBitsPtr();
  ASSERT_NE(bits, nullptr);
  // First bytes in memory: pixel (0, 2), the bottom-left one.
  const platform::Colour bas = Attendu(0, 2);
  EXPECT_EQ(bits[0], (bas >> 16) & 0xFF);   // blue
  EXPECT_EQ(bits[1], (bas >> 8) & 0xFF);    // green
  EXPECT_EQ(bits[2], bas & 0xFF);           // red
  // The last row in memory is the top row: pixel (4, 0) at 2 x 16 + 12.
  const platform::Colour haut = Attendu(4, 0);
  EXPECT_EQ(bits[32 + 12], (haut >> 16) & 0xFF);
  EXPECT_EQ(bits[32 + 14], haut & 0xFF);
  // The padding byte of each row stays 0.
  for (int row = 0; row < 3; ++row) EXPECT_EQ(bits[row * 16 + 15], 0) << row;
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x) EXPECT_EQ(dib.Pixel(x, y), Attendu(x, y)) << x << "," << y;
  EXPECT_EQ(dib.Pixel(5, 0), 0xFFFFFFFFu);
  EXPECT_EQ(dib.Pixel(0, -1), 0xFFFFFFFFu);
}

TEST(DibSection, PictureRoundTrip) {
  const platform::Picture pic = Motif(13, 9);
  aDIBSection dib;
  dib.CreateFromPicture(pic);
  const platform::Picture back = dib.ToPicture();
  ASSERT_EQ(back.widthPixels(), 13);
  ASSERT_EQ(back.heightPixels(), 9);
  for (int y = 0; y < 9; ++y)
    for (int x = 0; x < 13; ++x) EXPECT_EQ(back.pixel(x, y), pic.pixel(x, y));
}

TEST(DibSection, SetPixelWritesTheRightBytes) {
  aDIBSection dib;
  ASSERT_TRUE(dib.Create(2, 2));
  dib.SetPixel(1, 0, 0x123456);   // &HBBGGRR: red 0x56, green 0x34, blue 0x12
  const unsigned char* top = dib.DIBSectionBitsPtr() + dib.BytesPerScanLine();   // row of y = 0
  EXPECT_EQ(top[3], 0x12);
  EXPECT_EQ(top[4], 0x34);
  EXPECT_EQ(top[5], 0x56);
  EXPECT_EQ(dib.Pixel(1, 0), 0x123456u);
  dib.SetPixel(2, 0, 0xFFFFFF);   // outside: nothing
  dib.SetPixel(-1, 1, 0xFFFFFF);
  EXPECT_EQ(dib.Pixel(0, 0), 0u);
  EXPECT_EQ(dib.Pixel(0, 1), 0u);
}

TEST(DibSection, BltWithNegativeSizesCopiesTheWholeBitmapSize) {
  const platform::Picture src = Motif(6, 6);
  aDIBSection dib;
  ASSERT_TRUE(dib.Create(3, 2));
  dib.LoadPictureBlt(src, 2, 1, -1, -1, 0x00CC0020);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) EXPECT_EQ(dib.Pixel(x, y), Attendu(x + 2, y + 1)) << x << "," << y;
}

TEST(DibSection, BltOutsideTheSourceLeavesThoseBytes) {
  const platform::Picture src = Motif(4, 4);
  aDIBSection dib;
  ASSERT_TRUE(dib.Create(3, 3));
  dib.LoadPictureBlt(src, 2, 2, -1, -1, 0x00CC0020);
  EXPECT_EQ(dib.Pixel(0, 0), Attendu(2, 2));
  EXPECT_EQ(dib.Pixel(1, 1), Attendu(3, 3));
  EXPECT_EQ(dib.Pixel(2, 0), 0u);   // source column 4 does not exist
  EXPECT_EQ(dib.Pixel(0, 2), 0u);   // source row 4 does not exist
  // A rectangle starting left of and above the source.
  aDIBSection autre;
  ASSERT_TRUE(autre.Create(3, 3));
  autre.LoadPictureBlt(src, -1, -2, 2, -1, 0x00CC0020);
  EXPECT_EQ(autre.Pixel(0, 2), 0u);
  EXPECT_EQ(autre.Pixel(1, 2), Attendu(0, 0));
  EXPECT_EQ(autre.Pixel(2, 2), 0u);   // width 2: column 2 not copied
}

TEST(DibSection, EmptyPictureLeavesTheBitmapUnchanged) {
  aDIBSection dib;
  dib.CreateFromPicture(Motif(2, 2));
  dib.CreateFromPicture(platform::Picture());
  EXPECT_EQ(dib.Width(), 2);
  EXPECT_EQ(dib.Pixel(1, 1), Attendu(1, 1));
}

TEST(DibSection, JpegDecodesToTheSameSizeAndNearColours) {
  TempFolder t;
  ASSERT_TRUE(t.ok());
  // A smooth picture: JPEG at quality 100 keeps each colour within a few levels.
  QImage img(101, 37, QImage::Format_RGB32);
  for (int y = 0; y < 37; ++y)
    for (int x = 0; x < 101; ++x) img.setPixel(x, y, qRgb(2 * x, 60 + 3 * y, 180));
  aDIBSection dib;
  dib.CreateFromPicture(platform::Picture::fromQImage(img));
  const std::string out = t.path("sortie.jpg");
  std::string error;
  ASSERT_TRUE(Ecrit_JPEG(dib, out, 100, &error)) << error;
  std::string bytes;
  ASSERT_TRUE(platform::readBytes(out, &bytes));
  ASSERT_GE(bytes.size(), 2u);
  EXPECT_EQ(static_cast<unsigned char>(bytes[0]), 0xFF);   // JPEG start of image
  EXPECT_EQ(static_cast<unsigned char>(bytes[1]), 0xD8);
  const platform::Picture back = platform::Picture::load(out);
  ASSERT_EQ(back.widthPixels(), 101);
  ASSERT_EQ(back.heightPixels(), 37);
  int pire = 0;
  for (int y = 0; y < 37; ++y)
    for (int x = 0; x < 101; ++x) {
      const platform::Colour a = back.pixel(x, y), b = dib.Pixel(x, y);
      for (int s = 0; s < 24; s += 8)
        pire = std::max(pire, std::abs(static_cast<int>((a >> s) & 0xFF) - static_cast<int>((b >> s) & 0xFF)));
    }
  EXPECT_LE(pire, 6);
}

TEST(DibSection, JpegOfAnEmptyBitmapOrIntoAMissingFolderFails) {
  TempFolder t;
  ASSERT_TRUE(t.ok());
  aDIBSection vide;
  std::string error;
  EXPECT_FALSE(Ecrit_JPEG(vide, t.path("a.jpg"), 100, &error));
  EXPECT_NE(error.find(t.path("a.jpg")), std::string::npos) << error;
  EXPECT_FALSE(platform::fileExists(t.path("a.jpg")));
  aDIBSection dib;
  dib.CreateFromPicture(Motif(3, 3));
  const std::string manque = t.path("absent/b.jpg");
  error.clear();
  EXPECT_FALSE(Ecrit_JPEG(dib, manque, 100, &error));
  EXPECT_FALSE(error.empty());
  EXPECT_FALSE(platform::fileExists(manque));
}
