#pragma once
// Where the pixels of a test picture are on the screen, read from what a picture box
// really shows: the test picture carries colours that say which of its pixels they
// are (bands, markers, gradients), and the tests look for them in a screenshot of the
// box's canvas, never through the program's own conversions.

#include <QImage>
#include <QRect>
#include <QPixmap>
#include <QWidget>

#include <algorithm>
#include <cstdlib>
#include <ostream>
#include <vector>

#include "platform/picture.h"
#include "platform/picturebox.h"

namespace painted {

// A test picture of w x h pixels whose pixel (x, y) has colour(x, y) (&HBBGGRR).
template <class Colour>
platform::Picture picture(int w, int h, Colour colour) {
  std::vector<unsigned char> bgr(static_cast<std::size_t>(w) * h * 3);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const platform::Colour c = colour(x, y);
      unsigned char* p = &bgr[(static_cast<std::size_t>(y) * w + x) * 3];
      p[0] = static_cast<unsigned char>(c >> 16);
      p[1] = static_cast<unsigned char>(c >> 8);
      p[2] = static_cast<unsigned char>(c);
    }
  return platform::Picture::fromBgrRows(bgr.data(), w, h, static_cast<long long>(w) * 3, false);
}

// A picture pixel, (-1, -1) standing for none.
struct Pixel {
  int x = -1, y = -1;
  bool operator==(const Pixel&) const = default;
};
inline std::ostream& operator<<(std::ostream& o, const Pixel& p) { return o << "(" << p.x << ", " << p.y << ")"; }

// A test picture of w x h pixels (at most 1280 x 1024) whose pixels tell where they
// are: pixel (x, y) is red x mod 256, green y mod 256, blue 100 + 10 (x / 256) + 50 (y /
// 256). None is black and none is pure red (the marks' colour).
inline platform::Picture coordinates(int w, int h) {
  return picture(w, h, [](int x, int y) {
    return static_cast<platform::Colour>((x % 256) | (y % 256) << 8 | (100 + 10 * (x / 256) + 50 * (y / 256)) << 16);
  });
}
// The pixel of coordinates() of channels r, g, b; none for other colours.
inline Pixel pixelOf(int r, int g, int b) {
  const int blocks = b - 100;
  if (r < 0 || r > 255 || g < 0 || g > 255 || blocks < 0 || blocks % 10 != 0 || blocks >= 250) return {};
  return {r + 256 * (blocks % 50 / 10), g + 256 * (blocks / 50)};
}
// The pixel of coordinates() that a pixel of a screenshot shows.
inline Pixel pixelShown(QRgb c) { return pixelOf(qRed(c), qGreen(c), qBlue(c)); }

// What the canvas of box b shows now (the picture and every drawing on it), one
// QImage pixel per canvas pixel.
inline QImage screenshot(platform::PictureBox& b) {
  QWidget* w = b.clientWidget();
  if (!w) return QImage();
  return w->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// A colour of the program (&HBBGGRR) as the screenshot holds it.
inline QRgb rgbOf(platform::Colour c) {
  return qRgb(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF), static_cast<int>((c >> 16) & 0xFF));
}

// True when every channel of a and b differs by at most tolerance.
inline bool near(QRgb a, QRgb b, int tolerance = 0) {
  return std::abs(qRed(a) - qRed(b)) <= tolerance && std::abs(qGreen(a) - qGreen(b)) <= tolerance &&
         std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}

// The canvas pixels of one colour: their bounding box and how many there are.
struct Region {
  int left = -1, top = -1, right = -1, bottom = -1;
  long count = 0;
  bool found() const { return count > 0; }
  // The middle canvas pixel: for a run of n pixels showing one picture pixel, the one
  // at n / 2 from its start, whose left and top edges lie inside that picture pixel.
  int middleX() const { return left + (right - left + 1) / 2; }
  int middleY() const { return top + (bottom - top + 1) / 2; }
  int width() const { return found() ? right - left + 1 : 0; }
  int height() const { return found() ? bottom - top + 1 : 0; }
};

// Adds pixel (x, y) to region r.
inline void add(Region& r, int x, int y) {
  if (r.count == 0) {
    r.left = r.right = x;
    r.top = r.bottom = y;
  }
  r.left = std::min(r.left, x);
  r.right = std::max(r.right, x);
  r.top = std::min(r.top, y);
  r.bottom = std::max(r.bottom, y);
  ++r.count;
}

// The pixels of shot inside area for which keep(colour) is true.
template <class Keep>
Region findWhere(const QImage& shot, const QRect& area, Keep keep) {
  Region r;
  const QRect a = area.intersected(shot.rect());
  for (int y = a.top(); y <= a.bottom(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(shot.constScanLine(y));
    for (int x = a.left(); x <= a.right(); ++x)
      if (keep(line[x])) add(r, x, y);
  }
  return r;
}

// Where shot shows colour c (within tolerance per channel).
inline Region find(const QImage& shot, QRgb c, int tolerance = 0) {
  return findWhere(shot, shot.rect(), [&](QRgb p) { return near(p, c, tolerance); });
}

}  // namespace painted
