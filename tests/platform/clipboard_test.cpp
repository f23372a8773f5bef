// The clipboard within the process (offscreen platform): texts and pictures go on it
// and come back unchanged, and each write replaces what it held.

#include "platform/clipboard.h"

#include <gtest/gtest.h>

#include <QImage>

#include "platform/picture.h"

namespace platform {
namespace {

TEST(Clipboard, TextRoundTrip) {
  Clipboard::clear();
  const std::string text = "Longueur\tLargeur\r\n12,5\t6,25\r\nSpore à µm";
  Clipboard::setText(text);
  EXPECT_TRUE(Clipboard::hasText());
  EXPECT_EQ(Clipboard::getText(), text);
  EXPECT_FALSE(Clipboard::hasImage());
  EXPECT_TRUE(Clipboard::getImage().isNull());
}

TEST(Clipboard, ImageRoundTripKeepsEveryPixel) {
  Clipboard::clear();
  const Picture pic = Picture::filled(7, 5, 0x3366CC);
  ASSERT_FALSE(pic.isNull());
  Clipboard::setImage(pic);
  EXPECT_TRUE(Clipboard::hasImage());
  const Picture back = Clipboard::getImage();
  ASSERT_FALSE(back.isNull());
  ASSERT_EQ(back.widthPixels(), 7);
  ASSERT_EQ(back.heightPixels(), 5);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 7; ++x) EXPECT_EQ(back.pixel(x, y), 0x3366CCu) << x << "," << y;
}

TEST(Clipboard, ImageRoundTripOfAMixedPicture) {
  // Pixels written through Qt's image so that each one differs; the colours are
  // &HBBGGRR numbers of (r, g, b) = (40x, 30y, 200).
  Picture src = Picture::fromQImage([] {
    QImage img(4, 3, QImage::Format_RGB32);
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 4; ++x) img.setPixel(x, y, qRgb(40 * x, 30 * y, 200));
    return img;
  }());
  Clipboard::setImage(src);
  const Picture back = Clipboard::getImage();
  ASSERT_EQ(back.widthPixels(), 4);
  ASSERT_EQ(back.heightPixels(), 3);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 4; ++x) {
      const Colour expected = static_cast<Colour>(40 * x) | (static_cast<Colour>(30 * y) << 8) | (200u << 16);
      EXPECT_EQ(back.pixel(x, y), expected) << x << "," << y;
    }
}

TEST(Clipboard, TextReplacesImageAndImageReplacesText) {
  Clipboard::setImage(Picture::filled(2, 2, 0));
  ASSERT_TRUE(Clipboard::hasImage());
  Clipboard::setText("abc");
  EXPECT_FALSE(Clipboard::hasImage());
  EXPECT_TRUE(Clipboard::getImage().isNull());
  EXPECT_EQ(Clipboard::getText(), "abc");

  Clipboard::setImage(Picture::filled(2, 2, 0xFFFFFF));
  EXPECT_TRUE(Clipboard::hasImage());
  EXPECT_FALSE(Clipboard::hasText());
  EXPECT_EQ(Clipboard::getText(), "");
}

TEST(Clipboard, ClearEmptiesEverything) {
  Clipboard::setText("x");
  Clipboard::clear();
  EXPECT_FALSE(Clipboard::hasText());
  EXPECT_EQ(Clipboard::getText(), "");
  Clipboard::setImage(Picture::filled(3, 3, 0x00FF00));
  Clipboard::clear();
  EXPECT_FALSE(Clipboard::hasImage());
  EXPECT_TRUE(Clipboard::getImage().isNull());
  // A null picture empties the clipboard too.
  Clipboard::setText("y");
  Clipboard::setImage(Picture());
  EXPECT_FALSE(Clipboard::hasText());
  EXPECT_FALSE(Clipboard::hasImage());
}

}  // namespace
}  // namespace platform
