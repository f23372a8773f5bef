// Checks of picture bytes before decoding: files that end before their data do, and
// headers declaring more pixels than the file can hold.
#include "platform/picture_check.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageWriter>

#include <string>

namespace {

using platform::pictureIsTruncated;
using platform::pictureTooLargeForFile;

bool truncated(const std::string& bytes) {
  return pictureIsTruncated(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
}

// A picture with detail everywhere, so that no encoder makes it trivially small.
QImage detailed(int w, int h) {
  QImage img(w, h, QImage::Format_RGB32);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) img.setPixel(x, y, qRgb((x * 37 + y * 11) & 0xFF, (x * y) & 0xFF, (y * 23) & 0xFF));
  return img;
}

std::string encoded(const QImage& img, const char* format, bool progressive = false) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, format);
  writer.setProgressiveScanWrite(progressive);
  EXPECT_TRUE(writer.write(img)) << format;
  return bytes.toStdString();
}

// A 3 x 2 GIF made by hand: global palette of 2 colours, one picture whose LZW data
// (minimum code size 2) are split into two sub-blocks, then optionally a second
// picture and the trailer.
std::string gif(bool secondPicture, bool trailer) {
  std::string s = "GIF89a";
  s += std::string("\x03\x00\x02\x00\x80\x00\x00", 7);         // 3 x 2, table of 2
  s += std::string("\xFF\xFF\xFF\x00\x00\x00", 6);             // white, black
  s += std::string("\x21\xF9\x04\x00\x00\x00\x00\x00", 8);     // graphic control
  const std::string picture = std::string("\x2C\x00\x00\x00\x00\x03\x00\x02\x00\x00", 10) +
                              std::string("\x02\x02\x8C\x0D\x01\x10\x00", 7);
  s += picture;
  if (secondPicture) s += picture;
  if (trailer) s += ";";
  return s;
}

std::string xbm() {
  return "#define dot_width 8\n#define dot_height 2\nstatic char dot_bits[] = {\n 0x01, 0x80 };\n";
}

// Whole files pass; cut at half their length, each is caught.
TEST(PictureIsTruncated, WholeFilesPassAndHalvesAreCaught) {
  const QImage img = detailed(96, 64);
  const struct {
    const char* name;
    std::string bytes;
  } cases[] = {
      {"bmp", encoded(img, "bmp")},
      {"baseline jpeg", encoded(img, "jpeg")},
      {"progressive jpeg", encoded(img, "jpeg", true)},
      {"gif", gif(false, true)},
      {"xbm", xbm()},
  };
  for (const auto& c : cases) {
    EXPECT_FALSE(truncated(c.bytes)) << c.name;
    EXPECT_TRUE(truncated(c.bytes.substr(0, c.bytes.size() / 2))) << c.name;
  }
}

TEST(PictureIsTruncated, JpegNeedsItsOwnEndMarker) {
  const std::string jpeg = encoded(detailed(64, 48), "jpeg");
  ASSERT_EQ(jpeg.substr(jpeg.size() - 2), "\xFF\xD9");
  EXPECT_TRUE(truncated(jpeg.substr(0, jpeg.size() - 1)));   // FF without D9
  EXPECT_TRUE(truncated(jpeg.substr(0, jpeg.size() - 2)));
  EXPECT_TRUE(truncated(jpeg.substr(0, 2)));                  // the start marker alone
  // Bytes after the end (camera trailers, padding) are allowed.
  EXPECT_FALSE(truncated(jpeg + std::string(100, '\0') + "trailer"));
  // An embedded thumbnail with its own end marker (inside an APP1 segment) is not the
  // picture's end: the file cut right after the thumbnail is still caught.
  const std::string thumbnail = encoded(detailed(8, 8), "jpeg");
  const std::size_t length = 2 + 6 + thumbnail.size();
  std::string app1 = "\xFF\xE1";
  app1 += static_cast<char>(length >> 8);
  app1 += static_cast<char>(length & 0xFF);
  app1 += std::string("Exif\0\0", 6) + thumbnail;
  const std::string withThumbnail = jpeg.substr(0, 2) + app1 + jpeg.substr(2);
  EXPECT_FALSE(truncated(withThumbnail));
  EXPECT_TRUE(truncated(withThumbnail.substr(0, 2 + app1.size() + 10)));
  // A segment whose length runs past the end.
  EXPECT_TRUE(truncated(withThumbnail.substr(0, 2 + app1.size() / 2)));
}

TEST(PictureIsTruncated, GifOnlyNeedsItsFirstPicture) {
  const std::string whole = gif(true, true);
  EXPECT_FALSE(truncated(whole));
  // The second picture cut, or no trailer: the picture shown is whole.
  EXPECT_FALSE(truncated(whole.substr(0, whole.size() - 5)));
  EXPECT_FALSE(truncated(gif(false, false)));
  // Cut inside the first picture's data, its descriptor or the header.
  const std::string one = gif(false, true);
  for (std::size_t cut : {one.size() - 2, one.size() - 4, one.size() - 12, std::size_t{8}})
    EXPECT_TRUE(truncated(one.substr(0, cut))) << cut;
}

TEST(PictureIsTruncated, OtherBytesAreLeftToTheDecoder) {
  EXPECT_FALSE(truncated(""));
  EXPECT_FALSE(truncated("P6\n2 2\n255\n"));   // its decoder reports a cut file itself
  EXPECT_FALSE(truncated(std::string("\x89PNG\r\n\x1a\n", 8)));
  EXPECT_FALSE(pictureIsTruncated(nullptr, 10));
}

// Sizes against the budget of 16 million pixels, then one byte per 10 000 pixels.
TEST(PictureTooLargeForFile, DeclaredSizesAgainstTheFileLength) {
  const struct {
    long long width, height, fileSize;
    bool refused;
  } cases[] = {
      {20000, 20000, 322, true},          // 400 million pixels in 322 bytes
      {20000, 20000, 40000, false},       // the same with 1 byte per 10 000 pixels
      {20000, 20000, 39999, true},
      {4000, 4000, 1, false},             // 16 million pixels: always read
      {4001, 4000, 1600, false},
      {4001, 4000, 1599, true},
      {60000, 30000, 200000000, false},   // a large scan of real size
      {0, 20000, 1, false},
      {20000, -1, 1, false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(pictureTooLargeForFile(c.width, c.height, c.fileSize), c.refused)
        << c.width << " x " << c.height << " in " << c.fileSize;
}

}  // namespace
