// Pixel memory of pictures and the direct JPEG decoder: the JPEG library's
// decompressor writes each row of pixels into the picture's own memory in its final
// 32-bit layout (the library's extended colour spaces), so that a picture is decoded
// once and never converted or copied afterwards. Library errors return through
// setjmp/longjmp as the library's documentation prescribes; the state they leave is
// reached only through the decoder's record, never through locals.

#include "platform/picture_memory.h"

#include <QIODevice>

#include <sys/mman.h>

#include <csetjmp>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include <jpeglib.h>

namespace platform {

namespace {

constexpr std::size_t kHugePage = std::size_t{2} << 20;
constexpr std::size_t kLargestPicture = std::size_t{2047} << 20;   // bytes, as the general reader
constexpr std::size_t kReadChunk = 64 * 1024;

void freePixels(void* p) { std::free(p); }

}  // namespace

QImage newPixelImage(int w, int h, QImage::Format format) {
  if (w <= 0 || h <= 0) return QImage();
  const std::size_t stride = static_cast<std::size_t>(w) * 4;
  if (stride > kLargestPicture / static_cast<std::size_t>(h)) return QImage();
  const std::size_t bytes = stride * static_cast<std::size_t>(h);
  if (bytes < kHugePage) return QImage(w, h, format);
  const std::size_t rounded = (bytes + kHugePage - 1) / kHugePage * kHugePage;
  void* p = std::aligned_alloc(kHugePage, rounded);
  if (!p) return QImage();
  madvise(p, rounded, MADV_HUGEPAGE);   // a refusal only costs speed
  return QImage(static_cast<uchar*>(p), w, h, static_cast<qsizetype>(stride), format, freePixels, p);
}

#if defined(JCS_ALPHA_EXTENSIONS)

namespace {

// Everything the library's callbacks and the error return touch.
struct Decoder {
  jpeg_decompress_struct info{};
  jpeg_error_mgr errors{};
  jpeg_source_mgr source{};
  std::jmp_buf failed{};
  QIODevice* in = nullptr;
  unsigned char buffer[kReadChunk];
  bool endOfData = false;   // the file ended before the library asked for its last byte
  QImage image;
};

Decoder* decoderOf(j_common_ptr c) { return static_cast<Decoder*>(c->client_data); }

void onError(j_common_ptr c) { std::longjmp(decoderOf(c)->failed, 1); }
void onMessage(j_common_ptr, int) {}   // warnings are not reported

void initSource(j_decompress_ptr) {}

// Refills the buffer; at the end of the data an end-of-image marker is inserted, as the
// library's own readers do, and the end is noted.
boolean fillSource(j_decompress_ptr info) {
  Decoder* d = decoderOf(reinterpret_cast<j_common_ptr>(info));
  const qint64 n = d->in->read(reinterpret_cast<char*>(d->buffer), static_cast<qint64>(kReadChunk));
  if (n <= 0) {
    d->endOfData = true;
    d->buffer[0] = 0xFF;
    d->buffer[1] = JPEG_EOI;
    d->source.bytes_in_buffer = 2;
  } else {
    d->source.bytes_in_buffer = static_cast<std::size_t>(n);
  }
  d->source.next_input_byte = d->buffer;
  return TRUE;
}

void skipSource(j_decompress_ptr info, long count) {
  if (count <= 0) return;
  jpeg_source_mgr& s = decoderOf(reinterpret_cast<j_common_ptr>(info))->source;
  while (count > static_cast<long>(s.bytes_in_buffer)) {
    count -= static_cast<long>(s.bytes_in_buffer);
    fillSource(info);
  }
  s.next_input_byte += count;
  s.bytes_in_buffer -= static_cast<std::size_t>(count);
}

void termSource(j_decompress_ptr) {}

// The decode itself; every state it changes lives in *d.
JpegDecode run(Decoder* d) {
  d->info.err = jpeg_std_error(&d->errors);
  d->errors.error_exit = onError;
  d->errors.emit_message = onMessage;
  d->info.client_data = d;
  if (setjmp(d->failed)) {
    jpeg_destroy_decompress(&d->info);
    d->image = QImage();
    return JpegDecode::kNotHandled;
  }
  jpeg_create_decompress(&d->info);
  d->info.client_data = d;
  d->source.init_source = initSource;
  d->source.fill_input_buffer = fillSource;
  d->source.skip_input_data = skipSource;
  d->source.resync_to_restart = jpeg_resync_to_restart;
  d->source.term_source = termSource;
  d->info.src = &d->source;
  jpeg_read_header(&d->info, TRUE);
  const J_COLOR_SPACE space = d->info.jpeg_color_space;
  if (space != JCS_YCbCr && space != JCS_RGB && space != JCS_GRAYSCALE) {
    jpeg_destroy_decompress(&d->info);
    return JpegDecode::kNotHandled;
  }
#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
  d->info.out_color_space = JCS_EXT_BGRA;   // 0xAARRGGBB as a little-endian word
#else
  d->info.out_color_space = JCS_EXT_ARGB;
#endif
  jpeg_start_decompress(&d->info);
  const int w = static_cast<int>(d->info.output_width), h = static_cast<int>(d->info.output_height);
  d->image = newPixelImage(w, h, QImage::Format_RGB32);
  if (d->image.isNull() || d->info.output_components != 4) {
    const bool memory = d->image.isNull();
    jpeg_destroy_decompress(&d->info);
    return memory ? JpegDecode::kOutOfMemory : JpegDecode::kNotHandled;
  }
  while (d->info.output_scanline < d->info.output_height && !d->endOfData) {
    JSAMPROW row = d->image.scanLine(static_cast<int>(d->info.output_scanline));
    if (jpeg_read_scanlines(&d->info, &row, 1) != 1) break;
  }
  const bool complete = !d->endOfData && d->info.output_scanline == d->info.output_height;
  if (d->info.density_unit == 1) {
    d->image.setDotsPerMeterX(static_cast<int>(100.0 * d->info.X_density / 2.54));
    d->image.setDotsPerMeterY(static_cast<int>(100.0 * d->info.Y_density / 2.54));
  } else if (d->info.density_unit == 2) {
    d->image.setDotsPerMeterX(static_cast<int>(100.0 * d->info.X_density));
    d->image.setDotsPerMeterY(static_cast<int>(100.0 * d->info.Y_density));
  }
  // The markers after the last row (the end of image among them) are not needed.
  jpeg_destroy_decompress(&d->info);
  if (!complete) {
    d->image = QImage();
    return JpegDecode::kTruncated;
  }
  return JpegDecode::kDone;
}

}  // namespace

JpegDecode decodeJpeg(QIODevice& in, QImage& out) {
  auto d = std::make_unique<Decoder>();
  d->in = &in;
  const JpegDecode r = run(d.get());
  if (r == JpegDecode::kDone) out = d->image;
  return r;
}

#else

JpegDecode decodeJpeg(QIODevice&, QImage&) { return JpegDecode::kNotHandled; }

#endif

}  // namespace platform
