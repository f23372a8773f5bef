// Pictures: reading by content through Qt's image readers, writing 24-bit BMP files
// by hand (BITMAPFILEHEADER + BITMAPINFOHEADER, bottom-up rows padded to 4 bytes) and
// JPEG files through Qt's writer; every file is written atomically.

#include "platform/picture.h"

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <utility>

#include "platform/area_mean.h"
#include "platform/picture_check.h"
#include "platform/picture_memory.h"
#include "platform/qt_bridge.h"
#include "platform/textfile.h"

namespace platform {

struct Picture::Data {
  QImage image;   // Format_RGB32 or Format_ARGB32, never null
};

Picture::Picture() = default;
Picture::~Picture() = default;
Picture::Picture(const Picture&) = default;
Picture& Picture::operator=(const Picture&) = default;
Picture::Picture(Picture&&) noexcept = default;
Picture& Picture::operator=(Picture&&) noexcept = default;

bool Picture::isNull() const { return !d_; }

int Picture::widthPixels() const { return d_ ? d_->image.width() : 0; }
int Picture::heightPixels() const { return d_ ? d_->image.height() : 0; }
double Picture::width() const { return widthPixels() * kTwipsPerPixel; }
double Picture::height() const { return heightPixels() * kTwipsPerPixel; }
double Picture::widthHimetric() const { return widthPixels() * 2540.0 / 96.0; }
double Picture::heightHimetric() const { return heightPixels() * 2540.0 / 96.0; }

Picture Picture::fromQImage(const QImage& image) {
  Picture p;
  if (image.isNull() || image.width() <= 0 || image.height() <= 0) return p;
  if (static_cast<std::size_t>(image.width()) * static_cast<std::size_t>(image.height()) > kPictureMemory / 4)
    return p;
  auto d = std::make_shared<Data>();
  if (image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32)
    d->image = image;
  else if (image.hasAlphaChannel())
    d->image = image.convertToFormat(QImage::Format_ARGB32);
  else
    d->image = image.convertToFormat(QImage::Format_RGB32);
  if (d->image.isNull()) return p;   // conversion ran out of memory
  p.d_ = std::move(d);
  return p;
}

QImage Picture::toQImage() const { return d_ ? d_->image : QImage(); }

Picture Picture::filled(int width, int height, Colour colour) {
  if (width <= 0 || height <= 0) return Picture();
  QImage img(width, height, QImage::Format_RGB32);
  if (img.isNull()) return Picture();
  img.fill(toQColor(resolveColour(colour)));
  return fromQImage(img);
}

Picture Picture::fromBgrRows(const unsigned char* rows, int width, int height, long long bytesPerRow,
                             bool bottomUp) {
  if (!rows || width <= 0 || height <= 0 || bytesPerRow < 3LL * width) return Picture();
  QImage img(width, height, QImage::Format_RGB32);
  if (img.isNull()) return Picture();
  for (int y = 0; y < height; ++y) {
    const long long row = bottomUp ? height - 1 - y : y;
    const unsigned char* src = rows + row * bytesPerRow;
    auto* dst = reinterpret_cast<QRgb*>(img.scanLine(y));
    for (int x = 0; x < width; ++x) dst[x] = qRgb(src[3 * x + 2], src[3 * x + 1], src[3 * x]);
  }
  return fromQImage(img);
}

Colour Picture::pixel(int x, int y) const {
  if (!d_ || x < 0 || y < 0 || x >= d_->image.width() || y >= d_->image.height())
    return 0xFFFFFFFFu;
  const QRgb v = d_->image.pixel(x, y);
  return static_cast<Colour>(qRed(v)) | (static_cast<Colour>(qGreen(v)) << 8) |
         (static_cast<Colour>(qBlue(v)) << 16);
}

// --- reading ----------------------------------------------------------------------

namespace {

void setError(std::string* error, const std::string& text) {
  if (error) *error = text;
}

// True when the first bytes are those of a Windows metafile (placeable or plain WMF,
// or an enhanced metafile).
bool looksLikeMetafile(const QByteArray& head) {
  auto at = [&](int i) { return i < head.size() ? static_cast<unsigned char>(head[i]) : 0u; };
  if (at(0) == 0xD7 && at(1) == 0xCD && at(2) == 0xC6 && at(3) == 0x9A) return true;
  if ((at(0) == 1 || at(0) == 2) && at(1) == 0 && at(2) == 9 && at(3) == 0) return true;
  return head.size() >= 44 && at(0) == 1 && at(1) == 0 && at(2) == 0 && at(3) == 0 &&
         head.mid(40, 4) == QByteArray(" EMF");
}

// The reason given for a picture whose reading would take more than kPictureMemory.
std::string tooLargeText() {
  return "the picture needs more memory than the " + std::to_string(kPictureMemory >> 20) +
         " MB a picture may take";
}

// True when the general reader would take more than kPictureMemory for a w x h picture
// read as `format`: the 32-bit picture, and the reader's own image beside it while it is
// converted when it comes in another format.
bool readerTooLarge(long long w, long long h, QImage::Format format) {
  int bits = 32;
  if (format != QImage::Format_Invalid && format != QImage::Format_RGB32 && format != QImage::Format_ARGB32)
    bits += QImage::toPixelFormat(format).bitsPerPixel();
  return static_cast<std::size_t>(w) * static_cast<std::size_t>(h) > kPictureMemory / static_cast<std::size_t>(bits) * 8;
}

// Why the header's size cannot be believed, or cannot be read: more pixels than a file
// of this length can hold, or, with `weighMemory`, more memory in the general reader
// than a picture may take ("" when neither). Checked before anything is allocated for
// the pixels.
std::string sizeFault(QImageReader& reader, qint64 fileSize, bool weighMemory) {
  const QSize declared = reader.size();
  if (!declared.isValid()) return "";
  if (pictureTooLargeForFile(declared.width(), declared.height(), fileSize))
    return "the header declares " + std::to_string(declared.width()) + " x " +
           std::to_string(declared.height()) + " pixels, more than the file can hold";
  if (weighMemory && readerTooLarge(declared.width(), declared.height(), reader.imageFormat()))
    return tooLargeText();
  return "";
}

// True when the file's structure shows it ends before its data do (pictureIsTruncated
// on all its bytes); the position in the file is kept.
bool structureTruncated(QFile& file) {
  const qint64 size = file.size();
  if (uchar* mapped = size > 0 ? file.map(0, size) : nullptr) {
    const bool truncated = pictureIsTruncated(mapped, static_cast<std::size_t>(size));
    file.unmap(mapped);
    return truncated;
  }
  const qint64 at = file.pos();
  file.seek(0);
  const QByteArray all = file.readAll();
  file.seek(at);
  return pictureIsTruncated(reinterpret_cast<const unsigned char*>(all.constData()),
                            static_cast<std::size_t>(all.size()));
}

// True for the start of a JPEG stream: its start-of-image marker, all that the JPEG
// library and Qt's JPEG reader look for.
bool looksLikeJpeg(const QByteArray& head) {
  return head.size() >= 2 && static_cast<unsigned char>(head[0]) == 0xFF &&
         static_cast<unsigned char>(head[1]) == 0xD8;
}

}  // namespace

Picture Picture::load(const std::string& path, std::string* error) {
  const std::string what = "Cannot read the picture \"" + path + "\": ";
  QFile file(toQ(path));
  if (path.empty() || !file.exists()) {
    setError(error, what + "the file does not exist.");
    return Picture();
  }
  // A named pipe or a device would block the read until something writes to it.
  if (!fileExists(path)) {
    setError(error, what + "not a regular file.");
    return Picture();
  }
  if (!file.open(QIODevice::ReadOnly)) {
    setError(error, what + fromQ(file.errorString()) + ".");
    return Picture();
  }
  if (looksLikeMetafile(file.peek(64))) {
    setError(error, what + "Windows metafiles (WMF, EMF) are not supported.");
    return Picture();
  }
  // Qt's readers get the program's limit, above their default of 256 MB, which
  // microscope cameras go beyond.
  limitPictureMemory();
  // The direct decoder weighs the memory of every JPEG itself, before the general
  // reader may have one.
  const bool jpeg = looksLikeJpeg(file.peek(2));
  QImageReader reader(&file);
  reader.setDecideFormatFromContent(true);
  reader.setAutoTransform(false);
  const std::string fault = sizeFault(reader, file.size(), !jpeg);
  if (!fault.empty()) {
    setError(error, what + fault + ".");
    return Picture();
  }
  // The size was read through the reader: the file is looked at from its start.
  const qint64 afterChecks = file.pos();
  if (!file.seek(0)) {
    setError(error, what + fromQ(file.errorString()) + ".");
    return Picture();
  }
  // A JPEG the direct decoder takes is judged by it: it knows whether every row came
  // from the data.
  if (!jpeg) {
    file.seek(afterChecks);
  } else {
    QImage decoded, quarter;
    switch (decodeJpeg(file, decoded, &quarter)) {
      case JpegDecode::kDone: {
        Picture p = fromQImage(decoded);
        // The shrunk views of the picture start from its quarter copy, made already.
        if (!quarter.isNull()) offerQuarterCopy(p.toQImage(), std::move(quarter));
        return p;
      }
      case JpegDecode::kTruncated:
        setError(error, what + "the file is truncated.");
        return Picture();
      case JpegDecode::kTooLarge:
        setError(error, what + tooLargeText() + ".");
        return Picture();
      case JpegDecode::kOutOfMemory:
        setError(error, what + "not enough memory for the picture.");
        return Picture();
      case JpegDecode::kNotHandled:
        break;
    }
    // The general reader starts again from the first byte.
    if (!file.seek(0)) {
      setError(error, what + fromQ(file.errorString()) + ".");
      return Picture();
    }
    reader.setDevice(&file);
  }
  // The general reader fills the missing part of a cut file with grey: the file's
  // structure is checked first.
  if (structureTruncated(file)) {
    setError(error, what + "the file is truncated.");
    return Picture();
  }
  QImage img;
  if (!reader.read(&img) || img.isNull()) {
    const QString why = reader.errorString();
    setError(error, what + (why.isEmpty() ? std::string("not a picture or damaged file")
                                          : fromQ(why)) + ".");
    return Picture();
  }
  Picture p = fromQImage(img);
  if (p.isNull()) setError(error, what + "not enough memory for the picture.");
  return p;
}

// --- writing ----------------------------------------------------------------------

namespace {

void put16(std::string& out, std::size_t at, std::uint16_t v) {
  out[at] = static_cast<char>(v & 0xFF);
  out[at + 1] = static_cast<char>((v >> 8) & 0xFF);
}

void put32(std::string& out, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

}  // namespace

std::string Picture::bmpBytes() const {
  if (!d_) return std::string();
  const QImage& img = d_->image;
  const std::uint64_t w = static_cast<std::uint64_t>(img.width());
  const std::uint64_t h = static_cast<std::uint64_t>(img.height());
  const std::uint64_t rowBytes = (w * 3 + 3) & ~std::uint64_t{3};
  const std::uint64_t imageBytes = rowBytes * h;
  constexpr std::uint64_t kHeaders = 14 + 40;
  if (imageBytes + kHeaders > std::numeric_limits<std::uint32_t>::max()) return std::string();

  std::string out(static_cast<std::size_t>(kHeaders + imageBytes), '\0');
  // BITMAPFILEHEADER
  out[0] = 'B';
  out[1] = 'M';
  put32(out, 2, static_cast<std::uint32_t>(kHeaders + imageBytes));
  put32(out, 10, static_cast<std::uint32_t>(kHeaders));
  // BITMAPINFOHEADER: positive height, so the first row stored is the bottom row.
  put32(out, 14, 40);
  put32(out, 18, static_cast<std::uint32_t>(w));
  put32(out, 22, static_cast<std::uint32_t>(h));
  put16(out, 26, 1);    // planes
  put16(out, 28, 24);   // bits per pixel
  put32(out, 30, 0);    // BI_RGB
  put32(out, 34, static_cast<std::uint32_t>(imageBytes));
  put32(out, 38, 3780);   // 96 pixels per inch
  put32(out, 42, 3780);
  // Colours used / important stay 0.

  char* base = out.data() + kHeaders;
  for (std::uint64_t row = 0; row < h; ++row) {
    const auto* src = reinterpret_cast<const QRgb*>(img.constScanLine(static_cast<int>(h - 1 - row)));
    char* dst = base + row * rowBytes;
    for (std::uint64_t x = 0; x < w; ++x) {
      const QRgb v = src[x];
      dst[3 * x] = static_cast<char>(qBlue(v));
      dst[3 * x + 1] = static_cast<char>(qGreen(v));
      dst[3 * x + 2] = static_cast<char>(qRed(v));
    }
  }
  return out;
}

bool Picture::saveBmp(const std::string& path, std::string* error) const {
  if (!d_) {
    setError(error, "Cannot write \"" + path + "\": there is no picture to save.");
    return false;
  }
  const std::string bytes = bmpBytes();
  if (bytes.empty()) {
    setError(error, "Cannot write \"" + path + "\": the picture is too large for a BMP file.");
    return false;
  }
  return saveFileAtomic(path, bytes, error);
}

bool Picture::saveJpeg(const std::string& path, int quality, std::string* error) const {
  if (!d_) {
    setError(error, "Cannot write \"" + path + "\": there is no picture to save.");
    return false;
  }
  if (quality < 0) quality = 0;
  if (quality > 100) quality = 100;
  QByteArray encoded;
  QBuffer buffer(&encoded);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, "jpeg");
  writer.setQuality(quality);
  // JPEG has no transparency: the colours are written as stored.
  const QImage& img = d_->image;
  const bool ok = img.format() == QImage::Format_RGB32
                      ? writer.write(img)
                      : writer.write(img.convertToFormat(QImage::Format_RGB32));
  if (!ok || encoded.isEmpty()) {
    setError(error, "Cannot write \"" + path + "\": the JPEG encoder failed (" +
                        fromQ(writer.errorString()) + ").");
    return false;
  }
  return saveFileAtomic(path, std::string(encoded.constData(), static_cast<std::size_t>(encoded.size())),
                        error);
}

}  // namespace platform
