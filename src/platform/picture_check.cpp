// Structure walks of picture files: BMP headers against the file size, JPEG marker
// segments and entropy-coded scans (ITU-T T.81, annex B), GIF blocks (CompuServe's
// GIF89a format, 1990) and the brace that closes XBM data.
#include "platform/picture_check.h"

#include <cstdint>
#include <cstring>

namespace platform {

namespace {

std::uint32_t le32(const unsigned char* b) {
  return static_cast<std::uint32_t>(b[0]) | (static_cast<std::uint32_t>(b[1]) << 8) |
         (static_cast<std::uint32_t>(b[2]) << 16) | (static_cast<std::uint32_t>(b[3]) << 24);
}

bool startsWith(const unsigned char* d, std::size_t n, const char* magic) {
  const std::size_t m = std::strlen(magic);
  return n >= m && std::memcmp(d, magic, m) == 0;
}

// An uncompressed BMP (or one with bit fields) announcing more pixel bytes than the
// file holds. Old OS/2 headers and compressed rows are left to the decoder.
bool bmpTruncated(const unsigned char* d, std::size_t n) {
  if (n < 34) return false;
  if (le32(d + 14) < 40) return false;
  const std::int64_t width = static_cast<std::int32_t>(le32(d + 18));
  std::int64_t height = static_cast<std::int32_t>(le32(d + 22));
  const std::int64_t bits = d[28] | (d[29] << 8);
  const std::uint32_t compression = le32(d + 30);
  if ((compression != 0 && compression != 3) || width <= 0 || bits <= 0 || bits > 32) return false;
  if (height < 0) height = -height;
  const std::int64_t rowBytes = (width * bits + 31) / 32 * 4;
  return static_cast<std::int64_t>(le32(d + 10)) + rowBytes * height > static_cast<std::int64_t>(n);
}

// Position just past the entropy-coded data starting at i: the 0xFF of the next marker
// that is neither a stuffed zero nor a restart marker; n when the data run to the end.
std::size_t endOfScan(const unsigned char* d, std::size_t n, std::size_t i) {
  while (i < n) {
    const void* ff = std::memchr(d + i, 0xFF, n - i);
    if (ff == nullptr) return n;
    i = static_cast<std::size_t>(static_cast<const unsigned char*>(ff) - d);
    if (i + 1 >= n) return n;
    const unsigned char next = d[i + 1];
    if (next == 0x00 || (next >= 0xD0 && next <= 0xD7)) {
      i += 2;
    } else if (next == 0xFF) {
      ++i;   // fill byte before a marker
    } else {
      return i;
    }
  }
  return n;
}

// A JPEG that ends before its end-of-image marker. Bytes between segments are passed
// over as the decoder does; segment lengths are followed, so markers inside embedded
// thumbnails are never taken for the picture's own.
bool jpegTruncated(const unsigned char* d, std::size_t n) {
  std::size_t i = 2;   // after the start-of-image marker
  for (;;) {
    while (i < n && d[i] != 0xFF) ++i;
    while (i < n && d[i] == 0xFF) ++i;
    if (i >= n) return true;
    const unsigned char marker = d[i++];
    if (marker == 0xD9) return false;   // end of image
    if (marker == 0x00 || marker == 0x01 || marker == 0xD8 || (marker >= 0xD0 && marker <= 0xD7)) continue;
    if (i + 2 > n) return true;
    const std::size_t length = (static_cast<std::size_t>(d[i]) << 8) | d[i + 1];
    if (length < 2) return false;   // damaged: the decoder says so itself
    if (length > n - i) return true;
    i += length;
    if (marker == 0xDA) i = endOfScan(d, n, i);   // start of scan: its coded data follow
  }
}

// Position after the data sub-blocks starting at i (after their zero-length end); n + 1
// when the file ends inside them.
std::size_t skipSubBlocks(const unsigned char* d, std::size_t n, std::size_t i) {
  for (;;) {
    if (i >= n) return n + 1;
    const std::size_t size = d[i++];
    if (size == 0) return i;
    if (size > n - i) return n + 1;
    i += size;
  }
}

// A GIF that ends before the data of its first picture (the one shown) are complete.
bool gifTruncated(const unsigned char* d, std::size_t n) {
  if (n < 13) return true;
  std::size_t i = 13;
  if (d[10] & 0x80) i += 3u << ((d[10] & 7) + 1);   // global colour table
  for (;;) {
    if (i >= n) return true;
    const unsigned char block = d[i++];
    if (block == 0x3B) return true;   // trailer before any picture: nothing to show
    if (block == 0x21) {              // extension: label, then sub-blocks
      if (i >= n) return true;
      i = skipSubBlocks(d, n, i + 1);
      if (i > n) return true;
    } else if (block == 0x2C) {       // image descriptor
      if (n - i < 9) return true;
      const unsigned char flags = d[i + 8];
      i += 9;
      if (flags & 0x80) i += 3u << ((flags & 7) + 1);   // local colour table
      if (i >= n) return true;
      return skipSubBlocks(d, n, i + 1) > n;   // after the LZW minimum code size
    } else {
      return false;   // not a block of the format: the decoder says so itself
    }
  }
}

// An XBM text whose data, opened by "{", are never closed by "}".
bool xbmTruncated(const unsigned char* d, std::size_t n) {
  const void* open = std::memchr(d, '{', n);
  if (open == nullptr) return true;
  const std::size_t from = static_cast<std::size_t>(static_cast<const unsigned char*>(open) - d);
  return std::memchr(d + from, '}', n - from) == nullptr;
}

}  // namespace

bool pictureIsTruncated(const unsigned char* data, std::size_t size) {
  if (data == nullptr || size < 2) return false;
  if (startsWith(data, size, "BM")) return bmpTruncated(data, size);
  if (data[0] == 0xFF && data[1] == 0xD8) return jpegTruncated(data, size);
  if (startsWith(data, size, "GIF87a") || startsWith(data, size, "GIF89a")) return gifTruncated(data, size);
  if (startsWith(data, size, "#define")) return xbmTruncated(data, size);
  return false;
}

bool pictureTooLargeForFile(long long width, long long height, long long fileSize) {
  if (width <= 0 || height <= 0) return false;
  constexpr long long kAlwaysAccepted = 16LL * 1000 * 1000;
  constexpr long long kPixelsPerByte = 10000;
  // Both sides are below 2^31, so the product fits.
  const long long pixels = width * height;
  if (pixels <= kAlwaysAccepted) return false;
  return pixels / kPixelsPerByte > fileSize;
}

}  // namespace platform
