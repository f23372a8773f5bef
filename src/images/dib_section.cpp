// A 24-bit bottom-up bitmap in memory and the JPEG writer fed from its rows. The
// encoder is the platform's (baseline JPEG); the bitmap is handed over as rows of
// blue, green, red bytes with their padding.
#include "images/dib_section.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>

namespace {

constexpr std::size_t kBmpHeaders = 14 + 40;   // file header + info header of bmpBytes()

// Row size in bytes of a 24-bit row of `width` pixels, padded to 4 bytes.
std::int64_t rowBytes(std::int64_t width) { return (width * 3 + 3) & ~std::int64_t{3}; }

}  // namespace

std::int32_t DIBPadBytes(std::int32_t width) {
  if (width <= 0) return 0;
  return static_cast<std::int32_t>(rowBytes(width) - std::int64_t{width} * 3);
}

bool aDIBSection::Create(std::int32_t lWidth, std::int32_t lHeight) {
  ClearUp();
  if (lWidth <= 0 || lHeight <= 0) return false;
  const std::int64_t size = rowBytes(lWidth) * lHeight;
  if (size > std::numeric_limits<std::int32_t>::max()) return false;
  try {
    bits_.assign(static_cast<std::size_t>(size), 0);
  } catch (const std::bad_alloc&) {
    bits_.clear();
    return false;
  }
  BI = BitmapInfoHeader{};
  BI.biWidth = lWidth;
  BI.biHeight = lHeight;
  BI.biSizeImage = static_cast<std::uint32_t>(size);
  return true;
}

void aDIBSection::CreateFromPicture(const platform::Picture& picd) {
  if (picd.isNull()) return;
  // Made aside first, so that a failure leaves this object unchanged.
  aDIBSection fresh;
  if (!fresh.Create(picd.widthPixels(), picd.heightPixels())) return;
  fresh.LoadPictureBlt(picd, 0, 0, -1, -1, 0x00CC0020);
  BI = fresh.BI;
  bits_.swap(fresh.bits_);
}

void aDIBSection::LoadPictureBlt(const platform::Picture& source, std::int32_t lSrcLeft,
                                 std::int32_t lSrcTop, std::int32_t lSrcWidth, std::int32_t lSrcHeight,
                                 unsigned) {
  if (bits_.empty() || source.isNull()) return;
  const std::int64_t w = lSrcWidth < 0 ? BI.biWidth : lSrcWidth;
  const std::int64_t h = lSrcHeight < 0 ? BI.biHeight : lSrcHeight;
  const std::string bmp = source.bmpBytes();
  if (bmp.size() <= kBmpHeaders) return;
  const std::int64_t sw = source.widthPixels(), sh = source.heightPixels();
  const std::int64_t srcRow = rowBytes(sw);
  const std::int64_t dstRow = rowBytes(BI.biWidth);
  // Columns copied: destination x in [x0, x1), source x = left + x.
  const std::int64_t x0 = std::max<std::int64_t>(0, -std::int64_t{lSrcLeft});
  const std::int64_t x1 = std::min({w, std::int64_t{BI.biWidth}, sw - lSrcLeft});
  if (x0 >= x1) return;
  const std::int64_t rows = std::min<std::int64_t>(h, BI.biHeight);
  for (std::int64_t yd = 0; yd < rows; ++yd) {
    const std::int64_t sy = std::int64_t{lSrcTop} + yd;
    if (sy < 0 || sy >= sh) continue;
    const char* src = bmp.data() + kBmpHeaders + (sh - 1 - sy) * srcRow + (lSrcLeft + x0) * 3;
    unsigned char* dst = bits_.data() + (BI.biHeight - 1 - yd) * dstRow + x0 * 3;
    std::memcpy(dst, src, static_cast<std::size_t>((x1 - x0) * 3));
  }
}

void aDIBSection::ClearUp() {
  bits_.clear();
  bits_.shrink_to_fit();
  BI = BitmapInfoHeader{};
}

std::int32_t aDIBSection::BytesPerScanLine() const {
  return static_cast<std::int32_t>(rowBytes(BI.biWidth));
}

platform::Colour aDIBSection::Pixel(std::int32_t x, std::int32_t y) const {
  if (bits_.empty() || x < 0 || y < 0 || x >= BI.biWidth || y >= BI.biHeight) return 0xFFFFFFFFu;
  const unsigned char* p =
      bits_.data() + (std::int64_t{BI.biHeight} - 1 - y) * BytesPerScanLine() + std::int64_t{x} * 3;
  return static_cast<platform::Colour>(p[2]) | (static_cast<platform::Colour>(p[1]) << 8) |
         (static_cast<platform::Colour>(p[0]) << 16);
}

void aDIBSection::SetPixel(std::int32_t x, std::int32_t y, platform::Colour colour) {
  if (bits_.empty() || x < 0 || y < 0 || x >= BI.biWidth || y >= BI.biHeight) return;
  unsigned char* p =
      bits_.data() + (std::int64_t{BI.biHeight} - 1 - y) * BytesPerScanLine() + std::int64_t{x} * 3;
  p[0] = static_cast<unsigned char>((colour >> 16) & 0xFF);   // blue
  p[1] = static_cast<unsigned char>((colour >> 8) & 0xFF);    // green
  p[2] = static_cast<unsigned char>(colour & 0xFF);           // red
}

platform::Picture aDIBSection::ToPicture() const {
  return platform::Picture::fromBgrRows(DIBSectionBitsPtr(), BI.biWidth, BI.biHeight,
                                        BytesPerScanLine(), true);
}

bool Ecrit_JPEG(const aDIBSection& dib, const std::string& path, int quality, std::string* error) {
  const platform::Picture pic = dib.ToPicture();
  if (pic.isNull()) {
    if (error) *error = "Cannot write \"" + path + "\": there is no picture to save.";
    return false;
  }
  return pic.saveJpeg(path, std::clamp(quality, 0, 100), error);
}
