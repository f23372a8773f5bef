#pragma once
// A picture as the program holds it: a bitmap of 32-bit pixels, shared between copies
// (copying a Picture copies a reference; the bitmap itself is never changed in place).
// Sizes are given in pixels, in twips (15 per pixel) and in HIMETRIC units (hundredths
// of a millimetre, 2540 per inch at 96 pixels per inch).
//
// Files are recognised by their content, not their extension: BMP, JPEG, GIF, PNG and
// TIFF. Windows metafiles are not supported. The EXIF orientation of a JPEG is not
// applied: the pixels are shown as stored, as the program always did.

#include <memory>
#include <string>

#include "platform/colour.h"

class QImage;

namespace platform {

class Picture {
 public:
  // An empty picture (isNull() is true, every size is 0).
  Picture();
  ~Picture();
  Picture(const Picture&);
  Picture& operator=(const Picture&);
  Picture(Picture&&) noexcept;
  Picture& operator=(Picture&&) noexcept;

  // True when the picture holds no pixels.
  bool isNull() const;

  // Size in pixels; 0 for an empty picture.
  int widthPixels() const;
  int heightPixels() const;
  // Size in twips: pixels x 15; 0 for an empty picture.
  double width() const;
  double height() const;
  // Size in HIMETRIC units: pixels x 2540 / 96, not rounded; 0 for an empty picture.
  double widthHimetric() const;
  double heightHimetric() const;

  // The picture read from a file (BMP, JPEG, GIF, PNG or TIFF, recognised by content).
  // A missing, damaged or unsupported file (Windows metafiles among them) gives an
  // empty picture and, when error is given, a message naming the file and the cause.
  // A file cut short is refused ("the file is truncated"): for a JPEG, one whose data
  // end or stop at a marker before its last row, so that rows would be made up (or
  // whose progression lacks the first scan of some DC coefficients); a JPEG whose rows
  // all come from its data opens even without its end-of-image marker. A picture whose
  // reading would take more than 2047 MB (its 32-bit pixels, and the decoder's buffers
  // or the reader's own image) is refused from its header, before it is read.
  static Picture load(const std::string& path, std::string* error = nullptr);

  // A picture of width x height pixels filled with one colour (&HBBGGRR; system
  // colours resolved). A size <= 0 in either direction gives an empty picture.
  static Picture filled(int width, int height, Colour colour);

  // A picture made from 24-bit rows of pixels in the order blue, green, red (the
  // layout of a device-independent bitmap): each row starts bytesPerRow bytes after the
  // previous one, the bottom row first when bottomUp. Empty for a size <= 0, a null
  // pointer, bytesPerRow < width x 3, or when memory runs out.
  static Picture fromBgrRows(const unsigned char* rows, int width, int height, long long bytesPerRow,
                             bool bottomUp);

  // Writes the picture as an uncompressed 24-bit BMP (bottom-up rows padded to 4
  // bytes), atomically. False with *error set when the picture is empty or the file
  // cannot be written; an existing file is then left whole.
  bool saveBmp(const std::string& path, std::string* error = nullptr) const;
  // Writes the picture as a baseline JPEG of the given quality (clamped to 0..100),
  // atomically. False with *error set on failure, leaving an existing file whole.
  bool saveJpeg(const std::string& path, int quality = 100, std::string* error = nullptr) const;

  // The bytes of the picture as a 24-bit BMP file; empty for an empty picture or a
  // picture too large for the format (4 GB).
  std::string bmpBytes() const;

  // Colour (&HBBGGRR) of pixel (x, y), x to the right and y down from the top-left
  // pixel; 0xFFFFFFFF outside the picture or for an empty picture.
  Colour pixel(int x, int y) const;

  // Conversions with Qt's image (internal to the platform layer). fromQImage keeps
  // 32-bit opaque images as RGB32 and images with transparency as ARGB32; a null
  // image, or one whose 32-bit pixels would take more than 2047 MB, gives an empty
  // picture.
  static Picture fromQImage(const QImage& image);
  QImage toQImage() const;

 private:
  struct Data;
  std::shared_ptr<const Data> d_;
};

}  // namespace platform
