// Pixel memory of pictures and the direct JPEG decoder: the JPEG library's
// decompressor writes each row of pixels into the picture's own memory in its final
// 32-bit layout (the library's extended colour spaces), so that a picture is decoded
// once and never converted or copied afterwards. A large picture's decode has a helper
// thread beside it, which takes the page faults of the memory ahead of the decoder and
// makes the quarter copy that shrunk views are averaged from band by band behind it.
// Library errors, and the warnings that show rows made up, return through
// setjmp/longjmp as the library's documentation prescribes; the state they leave is
// reached only through the decoder's record, never through locals.

#include "platform/picture_memory.h"

#include "platform/area_mean.h"

#include <QIODevice>
#include <QImageReader>

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <csetjmp>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <string>
#include <system_error>
#include <thread>

#include <jpeglib.h>
#include <jerror.h>

namespace platform {

namespace {

constexpr std::size_t kHugePage = std::size_t{2} << 20;
constexpr std::size_t kReadChunk = 64 * 1024;
// Pictures from this many pixels are decoded with a helper thread beside the decoder.
constexpr long long kHelpedDecode = 1LL << 20;

void freePixels(void* p) { std::free(p); }

}  // namespace

void limitPictureMemory() {
  static const bool done = [] {
    QImageReader::setAllocationLimit(static_cast<int>(kPictureMemory >> 20));
    // The library reads its cap in thousands of bytes.
    setenv("JPEGMEM", std::to_string(kPictureMemory / 1000).c_str(), 1);
    return true;
  }();
  (void)done;
}

QImage newPixelImage(int w, int h, QImage::Format format) {
  if (w <= 0 || h <= 0) return QImage();
  const std::size_t stride = static_cast<std::size_t>(w) * 4;
  if (stride > kPictureMemory / static_cast<std::size_t>(h)) return QImage();
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

// The helper of a large decode, on a thread of its own started and joined by the
// decoder. It first makes the memory of the picture's rows present (the page faults,
// and the kernel's clearing of the pages, are taken there rather than in the decoding
// loop), then, when asked, makes the quarter copy (level 2 of the halvings) of each
// band of rows as soon as the decoder has written it.
class DecodeHelper {
 public:
  // The w x h RGB32 rows `line` bytes apart at bits, which stay there until the helper
  // is finished or destroyed.
  DecodeHelper(uchar* bits, int w, int h, qsizetype line, bool quarter) : bits_(bits), w_(w), h_(h), line_(line) {
    if (quarter) {
      quarter_ = QImage((w + 3) / 4, (h + 3) / 4, QImage::Format_RGB32);
      if (!quarter_.isNull()) {
        quarterBits_ = quarter_.bits();
        quarterLine_ = quarter_.bytesPerLine();
      }
    }
    try {
      thread_ = std::thread([this] { work(); });
    } catch (const std::system_error&) {
      // No thread to be had: the decoder alone, the copy made when it is asked for.
      quarter_ = QImage();
      quarterBits_ = nullptr;
    }
  }
  // Stops the helper, dropping the copy.
  ~DecodeHelper() {
    if (!thread_.joinable()) return;
    stop_.store(true);
    signal();
    thread_.join();
  }
  DecodeHelper(const DecodeHelper&) = delete;
  DecodeHelper& operator=(const DecodeHelper&) = delete;

  // Rows 0 to n - 1 are decoded (decoder thread; n grows).
  void rowsDecoded(int n) {
    written_.store(n, std::memory_order_release);
    if (n >= h_ || n - signalled_ >= kSignalRows) {
      signalled_ = n;
      signal();
    }
  }

  // Every row decoded: waits for the helper and returns the quarter copy (null when not
  // asked for or when memory or a thread was lacking).
  QImage finish() {
    if (!thread_.joinable()) return QImage();
    rowsDecoded(h_);
    thread_.join();
    return quarter_;
  }

 private:
  static constexpr int kSignalRows = 16;                                  // rows decoded between wake-ups
  static constexpr std::uintptr_t kFaultChunk = std::uintptr_t{8} << 20;   // bytes made present at once

  void signal() {
    { const std::lock_guard<std::mutex> lock(mutex_); }
    wake_.notify_one();
  }

  void work() {
    makePresent();
    if (quarterBits_) followRows();
  }

  // The pages of the rows made present and writable, a chunk at a time; a kernel that
  // cannot leaves the faults to the decoder.
  void makePresent() {
#if defined(MADV_POPULATE_WRITE)
    const auto page = static_cast<std::uintptr_t>(std::max(4096L, sysconf(_SC_PAGESIZE)));
    const auto start = reinterpret_cast<std::uintptr_t>(bits_);
    const std::uintptr_t begin = (start + page - 1) / page * page;
    const std::uintptr_t bytes = static_cast<std::uintptr_t>(line_) * static_cast<std::uintptr_t>(h_);
    const std::uintptr_t end = (start + bytes) / page * page;
    for (std::uintptr_t p = begin; p < end && !stop_.load(std::memory_order_relaxed); p += kFaultChunk)
      if (madvise(reinterpret_cast<void*>(p), std::min(kFaultChunk, end - p), MADV_POPULATE_WRITE) != 0) break;
#endif
  }

  // Rows of the quarter copy whose rows of the picture are all decoded.
  int quarterRowsReady() const {
    const int n = written_.load(std::memory_order_acquire);
    return n >= h_ ? quarter_.height() : n / 4;
  }

  void followRows() {
    int made = 0;
    while (made < quarter_.height()) {
      int upTo = 0;
      {
        std::unique_lock<std::mutex> lock(mutex_);
        wake_.wait(lock, [&] { return stop_.load() || quarterRowsReady() > made; });
        if (stop_.load()) return;
        upTo = quarterRowsReady();
      }
      quarterRows(bits_, line_, w_, h_, quarterBits_, quarterLine_, made, upTo);
      made = upTo;
    }
  }

  uchar* bits_;
  int w_, h_;
  qsizetype line_;
  QImage quarter_;
  uchar* quarterBits_ = nullptr;
  qsizetype quarterLine_ = 0;
  std::atomic<int> written_{0};
  int signalled_ = 0;   // decoder thread only
  std::atomic<bool> stop_{false};
  std::mutex mutex_;
  std::condition_variable wake_;
  std::thread thread_;
};

// Everything the library's callbacks and the error return touch.
struct Decoder {
  jpeg_decompress_struct info{};
  jpeg_error_mgr errors{};
  jpeg_source_mgr source{};
  jpeg_progress_mgr progress{};
  std::jmp_buf failed{};
  QIODevice* in = nullptr;
  unsigned char buffer[kReadChunk];
  bool endOfData = false;   // the library asked for bytes past the end of the file
  bool madeUp = false;      // some rows would not come from the file's data: the decode ends
  bool severalScans = false;
  unsigned scanned = 0;     // bit c: component c was in a scan (sequential files of several scans)
  QImage image;
  bool wantQuarter = false;
  std::unique_ptr<DecodeHelper> helper;   // beside the decoder of a large picture
  QImage quarter;
};

Decoder* decoderOf(j_common_ptr c) { return static_cast<Decoder*>(c->client_data); }

void onError(j_common_ptr c) { std::longjmp(decoderOf(c)->failed, 1); }

// Ends the decode as soon as rows are known to be made up.
void onMadeUp(j_common_ptr c) {
  decoderOf(c)->madeUp = true;
  std::longjmp(decoderOf(c)->failed, 1);
}

// Warnings are not shown; those after which the library fills blocks with zeros
// instead of decoding them mean rows made up: the Huffman decoder met a marker (or the
// end of the file, where the source puts one) while it still needed bits, or the
// arithmetic decoder met a code it cannot decode and skips the rest of the scan (or of
// its restart interval). So does a progression the library finds inconsistent for a
// component's DC coefficients (coefficient 0): refined, or followed by its AC scans,
// without their first scan before (missing or out of place), or a scan of them given
// twice; the DC values it then builds on were never in the file, though a later
// refinement leaves no gap for scansComplete to see. The others change no row (bytes
// between markers, a bad ICC profile, an AC scan missing from a progression...).
void onMessage(j_common_ptr c, int level) {
  if (level >= 0) return;
  const int code = c->err->msg_code;
  if (code == JWRN_HIT_MARKER || code == JWRN_ARITH_BAD_CODE ||
      (code == JWRN_BOGUS_PROGRESSION && c->err->msg_parm.i[1] == 0))
    onMadeUp(c);
}

// Notes the components of the scan being read; the library calls it at least once per
// scan of a file of several scans.
void onProgress(j_common_ptr c) {
  Decoder* d = decoderOf(c);
  const int n = std::min(d->info.comps_in_scan, MAX_COMPS_IN_SCAN);
  for (int i = 0; i < n; ++i)
    if (const jpeg_component_info* comp = d->info.cur_comp_info[i];
        comp && comp->component_index >= 0 && comp->component_index < MAX_COMPONENTS)
      d->scanned |= 1u << comp->component_index;
}

void initSource(j_decompress_ptr) {}

// Refills the buffer; at the end of the data an end-of-image marker is inserted, as the
// library's own readers do, and the end is noted. Arithmetic coding takes a marker met
// inside the data as legal and decodes zeros from there, so that its rows after a cut
// cannot be told from real ones: an arithmetic-coded file ending before its end marker
// is taken as made up.
boolean fillSource(j_decompress_ptr info) {
  Decoder* d = decoderOf(reinterpret_cast<j_common_ptr>(info));
  const qint64 n = d->in->read(reinterpret_cast<char*>(d->buffer), static_cast<qint64>(kReadChunk));
  if (n <= 0) {
    d->endOfData = true;
    if (info->arith_code) onMadeUp(reinterpret_cast<j_common_ptr>(info));
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

// False when the scans read by jpeg_start_decompress leave part of the picture without
// data: a component that no scan of a sequential file carried, a component without the
// first scan of its DC coefficients in a progressive one, or, in a progressive file that
// ends before its end marker, a coefficient not yet refined to its last bit (the scans
// that follow were cut off). A progressive file that is whole may stop refining early.
bool scansComplete(const Decoder& d) {
  const jpeg_decompress_struct& info = d.info;
  if (info.num_components < 1 || info.num_components > MAX_COMPONENTS) return false;
  if (!info.progressive_mode) {
    const unsigned all = (1u << info.num_components) - 1;
    return (d.scanned & all) == all;
  }
  if (!info.coef_bits) return false;
  for (int c = 0; c < info.num_components; ++c) {
    if (info.coef_bits[c][0] < 0) return false;
    if (d.endOfData)
      for (int k = 0; k < DCTSIZE2; ++k)
        if (info.coef_bits[c][k] != 0) return false;
  }
  return true;
}

// Bytes the library allocates, at most, for the decode of the picture whose header
// `info` has read. A file of several scans holds the coefficients of the whole picture:
// 64 two-byte coefficients for each block of 8 x 8 samples of each component, its rows
// and columns of blocks rounded up to the component's sampling factors as the library
// lays them out. Every file takes strips of work besides, counted generously: sixteen
// rows of samples per sampling row of each component, as many rows of samples as wide
// as the picture, and a megabyte for the tables.
std::size_t libraryMemory(const jpeg_decompress_struct& info, bool wholePicture) {
  constexpr std::size_t kTables = std::size_t{1} << 20;
  constexpr std::size_t kBlockBytes = DCTSIZE2 * sizeof(JCOEF);
  std::size_t bytes = kTables;
  if (!info.comp_info) return bytes;
  const int n = std::clamp(info.num_components, 0, MAX_COMPONENTS);
  for (int c = 0; c < n; ++c) {
    const jpeg_component_info& comp = info.comp_info[c];
    const std::size_t h = static_cast<std::size_t>(std::max(comp.h_samp_factor, 1));
    const std::size_t v = static_cast<std::size_t>(std::max(comp.v_samp_factor, 1));
    const std::size_t cols = (comp.width_in_blocks + h - 1) / h * h;
    const std::size_t rows = (comp.height_in_blocks + v - 1) / v * v;
    if (wholePicture) bytes += cols * rows * kBlockBytes;
    bytes += cols * DCTSIZE * 2 * v * DCTSIZE + std::size_t{info.image_width} * 2 * DCTSIZE;
  }
  return bytes;
}

// The decode itself; every state it changes lives in *d.
JpegDecode run(Decoder* d) {
  d->info.err = jpeg_std_error(&d->errors);
  d->errors.error_exit = onError;
  d->errors.emit_message = onMessage;
  d->info.client_data = d;
  if (setjmp(d->failed)) {
    d->helper.reset();
    const int code = d->errors.msg_code;
    jpeg_destroy_decompress(&d->info);
    d->image = QImage();
    if (d->madeUp) return JpegDecode::kTruncated;
    // The cap, or the system, refused the library its memory: no other reader is to try.
    if (code == JERR_OUT_OF_MEMORY || code == JERR_NO_BACKING_STORE) return JpegDecode::kOutOfMemory;
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
  // A file of several scans is read whole by jpeg_start_decompress, into the library's
  // coefficients of the whole picture. What the decode takes is known from the header,
  // whatever the colour space (the general reader takes the same for the others): a
  // file beyond the limit is refused before any of it is allocated, and the library's
  // memory manager gives it no more than the picture leaves of the limit.
  d->severalScans = jpeg_has_multiple_scans(&d->info);
  const std::size_t picture = std::size_t{d->info.image_width} * d->info.image_height * 4;
  if (picture > kPictureMemory || libraryMemory(d->info, d->severalScans) > kPictureMemory - picture) {
    jpeg_destroy_decompress(&d->info);
    return JpegDecode::kTooLarge;
  }
  d->info.mem->max_memory_to_use = static_cast<long>(kPictureMemory - picture);
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
  // For a sequential file of several scans the progress calls say which components its
  // scans carried.
  if (d->severalScans && !d->info.progressive_mode) {
    d->progress.progress_monitor = onProgress;
    d->info.progress = &d->progress;
  }
  jpeg_start_decompress(&d->info);
  if (d->severalScans && !scansComplete(*d)) {
    jpeg_destroy_decompress(&d->info);
    return JpegDecode::kTruncated;
  }
  const int w = static_cast<int>(d->info.output_width), h = static_cast<int>(d->info.output_height);
  d->image = newPixelImage(w, h, QImage::Format_RGB32);
  if (d->image.isNull() || d->info.output_components != 4) {
    const bool memory = d->image.isNull();
    jpeg_destroy_decompress(&d->info);
    return memory ? JpegDecode::kOutOfMemory : JpegDecode::kNotHandled;
  }
  if (static_cast<long long>(w) * h >= kHelpedDecode) {
    // The copies of the picture before are let go first: the memory is not held twice.
    if (d->wantQuarter) releaseHalvedCopies();
    d->helper = std::make_unique<DecodeHelper>(d->image.bits(), w, h, d->image.bytesPerLine(), d->wantQuarter);
  }
  // The data may end before the last row is out with every row decoded (a file without
  // its end marker): the rows are read to the last one (rows made up end the decode).
  while (d->info.output_scanline < d->info.output_height) {
    JSAMPROW row = d->image.scanLine(static_cast<int>(d->info.output_scanline));
    if (jpeg_read_scanlines(&d->info, &row, 1) != 1) break;
    if (d->helper) d->helper->rowsDecoded(static_cast<int>(d->info.output_scanline));
  }
  if (d->info.density_unit == 1) {
    d->image.setDotsPerMeterX(static_cast<int>(100.0 * d->info.X_density / 2.54));
    d->image.setDotsPerMeterY(static_cast<int>(100.0 * d->info.Y_density / 2.54));
  } else if (d->info.density_unit == 2) {
    d->image.setDotsPerMeterX(static_cast<int>(100.0 * d->info.X_density));
    d->image.setDotsPerMeterY(static_cast<int>(100.0 * d->info.Y_density));
  }
  // An arithmetic-coded file is whole only when its end marker comes before the end of
  // the file; the other markers after the last row are not needed.
  if (d->info.output_scanline == d->info.output_height && d->info.arith_code) jpeg_finish_decompress(&d->info);
  const bool complete = d->info.output_scanline == d->info.output_height;
  jpeg_destroy_decompress(&d->info);
  if (complete && d->helper) d->quarter = d->helper->finish();
  d->helper.reset();
  if (!complete) {
    d->image = QImage();
    return JpegDecode::kTruncated;
  }
  return JpegDecode::kDone;
}

}  // namespace

JpegDecode decodeJpeg(QIODevice& in, QImage& out, QImage* quarter) {
  auto d = std::make_unique<Decoder>();
  d->in = &in;
  d->wantQuarter = quarter != nullptr;
  const JpegDecode r = run(d.get());
  if (r == JpegDecode::kDone) {
    out = d->image;
    if (quarter) *quarter = d->quarter;
  }
  return r;
}

#else

JpegDecode decodeJpeg(QIODevice&, QImage&, QImage*) { return JpegDecode::kNotHandled; }

#endif

}  // namespace platform
