#pragma once
// JPEG files for the tests made by the JPEG library itself, the damage that cut or
// broken copies of them show, and the library's own decode of any bytes from memory:
// what a picture opened by the program must be compared with. The encoder and the
// decoder here are the library's, called directly, independent of the program's reader.

#include <QImage>

#include <gtest/gtest.h>

#include <algorithm>
#include <csetjmp>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <jpeglib.h>
#include <jerror.h>

namespace library_jpeg {

// A w x h picture whose rows all differ and that holds no uniform grey: pixel (x, y) is
// red (5x + 3y) mod 256, green (7y + 60) mod 256, blue xy mod 256.
inline QImage testPicture(int w, int h) {
  QImage img(w, h, QImage::Format_RGB32);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) img.setPixel(x, y, qRgb((5 * x + 3 * y) & 0xFF, (7 * y + 60) & 0xFF, (x * y) & 0xFF));
  return img;
}

// How the file is coded: one interleaved baseline scan (in colour, in grey, or with a
// restart marker every two MCUs), the library's standard progressive script (ten scans),
// arithmetic coding, sequential coding with one scan per component, a progressive script
// whose DC scans each carry one component (nine scans: the first DC scans, the AC scans,
// then the DC refinements, in the order Y, Cb, Cr), the standard progressive script with
// arithmetic coding, or progressive CMYK (the library's script for four components).
enum class Kind {
  kBaseline,
  kGrey,
  kRestarts,
  kProgressive,
  kArithmetic,
  kSeparateScans,
  kProgressiveDcPerComponent,
  kArithmeticProgressive,
  kCmykProgressive,
};

// The JPEG file of `img` at quality 90, coded as `kind`. CMYK holds 255 minus red, green
// and blue, and no black.
inline std::string encode(const QImage& img, Kind kind) {
  jpeg_compress_struct info{};
  jpeg_error_mgr errors{};
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  unsigned char* out = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &out, &size);
  const bool grey = kind == Kind::kGrey, cmyk = kind == Kind::kCmykProgressive;
  const int components = grey ? 1 : cmyk ? 4 : 3;
  info.image_width = static_cast<JDIMENSION>(img.width());
  info.image_height = static_cast<JDIMENSION>(img.height());
  info.input_components = components;
  info.in_color_space = grey ? JCS_GRAYSCALE : cmyk ? JCS_CMYK : JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, 90, TRUE);
  jpeg_scan_info scans[9]{};
  auto scan = [&](int n, int c, int ss, int se, int ah, int al) {
    scans[n].comps_in_scan = 1;
    scans[n].component_index[0] = c;
    scans[n].Ss = ss;
    scans[n].Se = se;
    scans[n].Ah = ah;
    scans[n].Al = al;
  };
  if (kind == Kind::kProgressive || kind == Kind::kArithmeticProgressive || cmyk) jpeg_simple_progression(&info);
  if (kind == Kind::kArithmetic || kind == Kind::kArithmeticProgressive) info.arith_code = TRUE;
  if (kind == Kind::kRestarts) info.restart_interval = 2;
  if (kind == Kind::kSeparateScans) {
    for (int c = 0; c < 3; ++c) scan(c, c, 0, 63, 0, 0);
    info.scan_info = scans;
    info.num_scans = 3;
  }
  if (kind == Kind::kProgressiveDcPerComponent) {
    for (int c = 0; c < 3; ++c) {
      scan(c, c, 0, 0, 0, 1);
      scan(3 + c, c, 1, 63, 0, 0);
      scan(6 + c, c, 0, 0, 1, 0);
    }
    info.scan_info = scans;
    info.num_scans = 9;
  }
  jpeg_start_compress(&info, TRUE);
  std::vector<unsigned char> row(static_cast<std::size_t>(img.width()) * static_cast<std::size_t>(components));
  while (info.next_scanline < info.image_height) {
    const int y = static_cast<int>(info.next_scanline);
    for (int x = 0; x < img.width(); ++x) {
      const QRgb p = img.pixel(x, y);
      if (grey) {
        row[x] = static_cast<unsigned char>(qGray(p));
      } else if (cmyk) {
        row[4 * x] = static_cast<unsigned char>(255 - qRed(p));
        row[4 * x + 1] = static_cast<unsigned char>(255 - qGreen(p));
        row[4 * x + 2] = static_cast<unsigned char>(255 - qBlue(p));
        row[4 * x + 3] = 0;
      } else {
        row[3 * x] = static_cast<unsigned char>(qRed(p));
        row[3 * x + 1] = static_cast<unsigned char>(qGreen(p));
        row[3 * x + 2] = static_cast<unsigned char>(qBlue(p));
      }
    }
    JSAMPROW r = row.data();
    jpeg_write_scanlines(&info, &r, 1);
  }
  jpeg_finish_compress(&info);
  std::string bytes(reinterpret_cast<const char*>(out), size);
  std::free(out);
  jpeg_destroy_compress(&info);
  return bytes;
}

// The library's decode of `bytes`: the pixels (accurate DCT, smooth upsampling, RGB
// out), the codes of the warnings it gave (JWRN_...) and whether it failed.
struct Decoded {
  QImage image;
  std::vector<int> warnings;
  bool failed = false;
  bool warned(int code) const {
    for (int w : warnings)
      if (w == code) return true;
    return false;
  }
};

namespace detail {

struct Errors {
  jpeg_error_mgr pub;
  std::jmp_buf failed;
  Decoded* result;
  std::vector<unsigned char> row;   // here, not on the stack that the error return leaves
};

inline void onError(j_common_ptr c) { std::longjmp(reinterpret_cast<Errors*>(c->err)->failed, 1); }
inline void onMessage(j_common_ptr c, int level) {
  if (level < 0) reinterpret_cast<Errors*>(c->err)->result->warnings.push_back(c->err->msg_code);
}

// The decode; all it changes lives in *r and *info, so that the error return finds it.
inline void run(const std::string& bytes, jpeg_decompress_struct* info, Errors* errors, Decoded* r) {
  if (setjmp(errors->failed)) {
    r->failed = true;
    r->image = QImage();
    return;
  }
  jpeg_create_decompress(info);
  jpeg_mem_src(info, reinterpret_cast<const unsigned char*>(bytes.data()), static_cast<unsigned long>(bytes.size()));
  jpeg_read_header(info, TRUE);
  info->out_color_space = JCS_RGB;
  info->dct_method = JDCT_ISLOW;
  info->do_fancy_upsampling = TRUE;
  jpeg_start_decompress(info);
  r->image = QImage(static_cast<int>(info->output_width), static_cast<int>(info->output_height), QImage::Format_RGB32);
  std::vector<unsigned char>& row = errors->row;
  row.resize(static_cast<std::size_t>(info->output_width) * 3);
  while (info->output_scanline < info->output_height) {
    const int y = static_cast<int>(info->output_scanline);
    JSAMPROW p = row.data();
    if (jpeg_read_scanlines(info, &p, 1) != 1) break;
    auto* line = reinterpret_cast<QRgb*>(r->image.scanLine(y));
    for (int x = 0; x < r->image.width(); ++x) line[x] = qRgb(row[3 * x], row[3 * x + 1], row[3 * x + 2]);
  }
  jpeg_finish_decompress(info);
}

}  // namespace detail

inline Decoded decode(const std::string& bytes) {
  Decoded r;
  jpeg_decompress_struct info{};
  detail::Errors errors{};
  errors.result = &r;
  info.err = jpeg_std_error(&errors.pub);
  errors.pub.error_exit = detail::onError;
  errors.pub.emit_message = detail::onMessage;
  detail::run(bytes, &info, &errors, &r);
  jpeg_destroy_decompress(&info);
  return r;
}

// The markers of a JPEG file in order, with the position of their 0xFF: segments are
// stepped over by their length and the coded data after a start of scan up to the next
// marker that is neither a stuffed zero nor a restart.
struct Marker {
  unsigned char code;
  std::size_t at;
};

inline std::vector<Marker> markers(const std::string& j) {
  std::vector<Marker> v;
  auto byte = [&](std::size_t i) { return static_cast<unsigned char>(j[i]); };
  std::size_t i = 0;
  while (i + 1 < j.size()) {
    if (byte(i) != 0xFF) {
      ++i;
      continue;
    }
    const unsigned char code = byte(i + 1);
    if (code == 0xFF) {   // a fill byte before the marker
      ++i;
      continue;
    }
    v.push_back({code, i});
    if (code == 0xD8 || code == 0xD9) {
      i += 2;
      continue;
    }
    if (i + 3 >= j.size()) break;
    i += 2 + ((static_cast<std::size_t>(byte(i + 2)) << 8) | byte(i + 3));
    if (code != 0xDA) continue;
    while (i + 1 < j.size() && !(byte(i) == 0xFF && byte(i + 1) != 0 && (byte(i + 1) < 0xD0 || byte(i + 1) > 0xD7)))
      ++i;
  }
  return v;
}

// Position of the 0xFF of the n-th marker `code` (0 for the first); fails the test and
// gives npos when there is none.
inline std::size_t markerAt(const std::string& j, unsigned char code, int n = 0) {
  int seen = 0;
  for (const Marker& m : markers(j))
    if (m.code == code && seen++ == n) return m.at;
  ADD_FAILURE() << "no marker 0x" << std::hex << int(code) << std::dec << " number " << n;
  return std::string::npos;
}

// The number of scans of a file.
inline int scanCount(const std::string& j) {
  int n = 0;
  for (const Marker& m : markers(j)) n += m.code == 0xDA ? 1 : 0;
  return n;
}

// The file without its end-of-image marker.
inline std::string withoutEnd(const std::string& j) {
  EXPECT_EQ(j.substr(j.size() - 2), "\xFF\xD9");
  return j.substr(0, j.size() - 2);
}

// The file cut at half its length.
inline std::string half(const std::string& j) { return j.substr(0, j.size() / 2); }

// The file cut in the middle of the coded data of its scan `scan` (0 for the first),
// where an end-of-image marker then stands (the bytes after it are dropped).
inline std::string endInsideScan(const std::string& j, int scan) {
  const std::size_t sos = markerAt(j, 0xDA, scan);
  const std::size_t data = sos + 2 + ((static_cast<std::size_t>(static_cast<unsigned char>(j[sos + 2])) << 8) |
                                      static_cast<unsigned char>(j[sos + 3]));
  std::size_t next = j.size() - 2;
  for (const Marker& m : markers(j))
    if (m.at > sos) {
      next = m.at;
      break;
    }
  std::size_t cut = (data + next) / 2;
  while (cut > data && static_cast<unsigned char>(j[cut - 1]) == 0xFF) --cut;   // not inside a stuffed pair
  return j.substr(0, cut) + "\xFF\xD9";
}

// The file cut just after the coded data of scan `scan` (0 for the first): before the
// tables and the start of the next scan.
inline std::string cutAfterScan(const std::string& j, int scan) {
  const std::size_t sos = markerAt(j, 0xDA, scan);
  for (const Marker& m : markers(j))
    if (m.at > sos) return j.substr(0, m.at);
  ADD_FAILURE() << "no marker after scan " << scan;
  return j;
}

// Position of the height in the frame header (after the marker, the length and the
// precision; the width follows it); fails the test and gives npos when there is none.
inline std::size_t frameSizeAt(const std::string& j) {
  for (const Marker& m : markers(j))
    if (m.code >= 0xC0 && m.code <= 0xCF && m.code != 0xC4 && m.code != 0xC8 && m.code != 0xCC) return m.at + 5;
  ADD_FAILURE() << "no frame header";
  return std::string::npos;
}

// The file whose frame header declares a w x h picture (each 1 to 65535).
inline std::string withFrameSize(const std::string& j, unsigned w, unsigned h) {
  std::string d = j;
  const std::size_t at = frameSizeAt(j);
  if (at == std::string::npos) return d;
  d[at] = static_cast<char>(h >> 8);
  d[at + 1] = static_cast<char>(h & 0xFF);
  d[at + 2] = static_cast<char>(w >> 8);
  d[at + 3] = static_cast<char>(w & 0xFF);
  return d;
}

// The file whose frame header declares twice its height.
inline std::string heightDoubled(const std::string& j) {
  const std::size_t at = frameSizeAt(j);
  if (at == std::string::npos) return j;
  auto byte = [&](std::size_t i) { return static_cast<unsigned>(static_cast<unsigned char>(j[i])); };
  return withFrameSize(j, (byte(at + 2) << 8) | byte(at + 3), 2 * ((byte(at) << 8) | byte(at + 1)));
}

// The file made at least `size` bytes long by application segments (APP15, filled with
// zeros) after its start marker, which every reader steps over.
inline std::string paddedTo(const std::string& j, std::size_t size) {
  std::string padding;
  while (j.size() + padding.size() < size) {
    const std::size_t length = std::min<std::size_t>(65535, std::max<std::size_t>(2, size - j.size() - padding.size() - 2));
    padding += "\xFF\xEF";
    padding += static_cast<char>(length >> 8);
    padding += static_cast<char>(length & 0xFF);
    padding += std::string(length - 2, '\0');
  }
  return j.substr(0, 2) + padding + j.substr(2);
}

// The file without its scan `scan` (0 for the first): the scan's header and coded data
// are dropped, the tables before it kept.
inline std::string withoutScan(const std::string& j, int scan) {
  const std::size_t sos = markerAt(j, 0xDA, scan);
  if (sos == std::string::npos) return j;
  for (const Marker& m : markers(j))
    if (m.at > sos) return j.substr(0, sos) + j.substr(m.at);
  ADD_FAILURE() << "no marker after scan " << scan;
  return j;
}

// The file with `bytes` inserted before its first marker `code`.
inline std::string bytesBefore(const std::string& j, unsigned char code, const std::string& bytes) {
  const std::size_t at = markerAt(j, code);
  return at == std::string::npos ? j : j.substr(0, at) + bytes + j.substr(at);
}

}  // namespace library_jpeg
