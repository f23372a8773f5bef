#pragma once
// A 24-bit device-independent bitmap held in memory (aDIBSection) and the JPEG writer
// that takes its rows (Ecrit_JPEG).
//
// Pixel layout: 3 bytes per pixel in the order blue, green, red; each row padded to a
// multiple of 4 bytes (BytesPerScanLine = (width x 3 + 3) And Not 3); the first row in
// memory is the bottom row of the picture. Image size = BytesPerScanLine x height.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/colour.h"
#include "platform/picture.h"

// Header of the bitmap, as the format stores it.
struct BitmapInfoHeader {
  std::uint32_t biSize = 40;
  std::int32_t biWidth = 0;
  std::int32_t biHeight = 0;
  std::uint16_t biPlanes = 1;
  std::uint16_t biBitCount = 24;
  std::uint32_t biCompression = 0;   // BI_RGB
  std::uint32_t biSizeImage = 0;
  std::int32_t biXPelsPerMeter = 0;
  std::int32_t biYPelsPerMeter = 0;
  std::uint32_t biClrUsed = 0;
  std::uint32_t biClrImportant = 0;
};

class aDIBSection {
 public:
  aDIBSection() = default;
  // The object's end releases the bitmap (ClearUp).
  ~aDIBSection() { ClearUp(); }
  aDIBSection(const aDIBSection&) = delete;
  aDIBSection& operator=(const aDIBSection&) = delete;

  // Makes an empty (black) bitmap of lWidth x lHeight pixels, releasing any earlier
  // one first; true when made. A size <= 0, or an image above 2^31 - 1 bytes, gives
  // false and leaves the object empty.
  bool Create(std::int32_t lWidth, std::int32_t lHeight);
  // Makes a bitmap the size of the picture and copies the picture into it. An empty
  // picture, or a bitmap that cannot be made, leaves the object as it was.
  void CreateFromPicture(const platform::Picture& picd);
  // Copies the rectangle of the source picture with top-left (lSrcLeft, lSrcTop), in
  // pixels, into the bitmap at (0, 0); a negative width or height means the bitmap's
  // own. Only the plain copy (kSrcCopy) is known: any other raster operation copies
  // too. Parts of the rectangle outside the source or the bitmap are left as they are.
  void LoadPictureBlt(const platform::Picture& source, std::int32_t lSrcLeft, std::int32_t lSrcTop,
                      std::int32_t lSrcWidth, std::int32_t lSrcHeight, unsigned eRop);
  // Releases the bitmap; afterwards width, height and every byte count are 0.
  void ClearUp();

  // Bytes of one row, (width x 3 + 3) And Not 3; 0 for an empty object.
  std::int32_t BytesPerScanLine() const;
  // Size in pixels; 0 for an empty object.
  std::int32_t Width() const { return BI.biWidth; }
  std::int32_t Height() const { return BI.biHeight; }
  // The header of the bitmap (all zero sizes for an empty object).
  const BitmapInfoHeader& Header() const { return BI; }
  // First byte of the pixel rows (the bottom row first); nullptr for an empty object.
  const unsigned char* DIBSectionBitsPtr() const { return bits_.empty() ? nullptr : bits_.data(); }
  unsigned char* DIBSectionBitsPtr() { return bits_.empty() ? nullptr : bits_.data(); }

  // Colour (&HBBGGRR) of pixel (x, y), y down from the top row; 0xFFFFFFFF outside.
  platform::Colour Pixel(std::int32_t x, std::int32_t y) const;
  // Sets pixel (x, y) (system colours are not resolved: the low 24 bits are taken);
  // nothing outside the bitmap.
  void SetPixel(std::int32_t x, std::int32_t y, platform::Colour colour);

  // The bitmap as a picture; empty for an empty object.
  platform::Picture ToPicture() const;

 private:
  BitmapInfoHeader BI;
  std::vector<unsigned char> bits_;
};

// Row padding of a bitmap of the given width: BytesPerScanLine - width x 3 (0 to 3);
// 0 for a width <= 0.
std::int32_t DIBPadBytes(std::int32_t width);

// Writes the bitmap as a baseline JPEG file of the given quality (0 to 100, clamped),
// upright, atomically. True when written; false with *error set for an empty bitmap
// or a file that cannot be written (an existing file is then left whole).
bool Ecrit_JPEG(const aDIBSection& dib, const std::string& path, int quality,
                std::string* error = nullptr);
