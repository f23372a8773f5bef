// Shrinking pictures by area averaging: a box filter whose result pixel is the mean of
// the source pixels it covers, those cut by its edges weighted by the share inside
// (in 1/256ths). Sums are kept in integers, four channels at a time in 16-bit lanes
// of a 64-bit word where they cannot overflow; large pictures are shared among threads.

#include "platform/area_mean.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <thread>
#include <utility>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace platform {

namespace {

// Area means: the picture pixels s0 to s1 (whole ones weighted 256, the partial first
// and last ones by 256 times the share of them inside) that fall in one result pixel.
struct Part {
  int s0 = 0, s1 = 0;
  std::uint32_t w0 = 256, w1 = 256;
  std::uint32_t weight(int s) const { return s == s0 ? w0 : (s == s1 ? w1 : 256u); }
  std::uint32_t total() const {
    return s1 == s0 ? w0 : w0 + w1 + 256u * static_cast<std::uint32_t>(s1 - s0 - 1);
  }
};

// The parts of n source pixels that fall in each of m result pixels (m <= n).
std::vector<Part> parts(int n, int m) {
  std::vector<Part> v(static_cast<std::size_t>(m));
  const double f = static_cast<double>(n) / m;
  auto poids = [](double share) { return static_cast<std::uint32_t>(std::clamp(std::lround(share * 256), 1L, 256L)); };
  for (int k = 0; k < m; ++k) {
    const double a = k * f, b = std::min<double>(n, (k + 1) * f);
    Part& p = v[static_cast<std::size_t>(k)];
    p.s0 = std::min(n - 1, static_cast<int>(std::floor(a)));
    p.s1 = std::max(p.s0, std::min(n - 1, static_cast<int>(std::ceil(b)) - 1));
    p.w0 = poids(std::min<double>(p.s0 + 1, b) - a);
    p.w1 = p.s1 > p.s0 ? poids(b - p.s1) : p.w0;
  }
  return v;
}

// Result rows j0 to j1 - 1 of areaMean. The source rows of a result row are summed
// per channel: the whole rows four channels at a time in 16-bit lanes of one 64-bit
// word (emptied into the 64-bit sums every 256 rows, before a lane could overflow),
// the two partial rows by their weights; then the columns of each result pixel.
void meanRows(const QImage& src, const QRect& block, uchar* out, qsizetype outLine, const std::vector<Part>& px,
              const std::vector<Part>& py, int j0, int j1) {
  const int bw = block.width();
  const bool alpha = src.format() == QImage::Format_ARGB32;   // premultiplied here
  constexpr std::uint64_t kLanes = 0x00FF00FF00FF00FFull;
  std::vector<std::uint64_t> whole(static_cast<std::size_t>(bw));
  std::vector<std::uint64_t> sums(static_cast<std::size_t>(bw) * 4);
  std::vector<QRgb> premultiplied(alpha ? static_cast<std::size_t>(bw) : 0);
  auto ligne = [&](int s) {
    const auto* row = reinterpret_cast<const QRgb*>(src.constScanLine(block.y() + s)) + block.x();
    if (!alpha) return row;
    for (int x = 0; x < bw; ++x) premultiplied[static_cast<std::size_t>(x)] = qPremultiply(row[x]);
    return static_cast<const QRgb*>(premultiplied.data());
  };
  // The 16-bit lanes b0, b2, b1, b3 of `whole` added, times 256, to the sums.
  auto vide = [&] {
    for (int x = 0; x < bw; ++x) {
      std::uint64_t& v = whole[static_cast<std::size_t>(x)];
      std::uint64_t* t = &sums[static_cast<std::size_t>(x) * 4];
      t[0] += (v & 0xFFFF) << 8;
      t[2] += ((v >> 16) & 0xFFFF) << 8;
      t[1] += ((v >> 32) & 0xFFFF) << 8;
      t[3] += (v >> 48) << 8;
      v = 0;
    }
  };
  for (int j = j0; j < j1; ++j) {
    std::fill(sums.begin(), sums.end(), 0ull);
    std::fill(whole.begin(), whole.end(), 0ull);
    const Part& r = py[static_cast<std::size_t>(j)];
    int enCours = 0;
    for (int s = r.s0; s <= r.s1; ++s) {
      const QRgb* row = ligne(s);
      const std::uint32_t wt = r.weight(s);
      if (wt == 256u) {
        std::uint64_t* v = whole.data();
        for (int x = 0; x < bw; ++x) {
          const std::uint64_t c = row[x];
          v[x] += (c | (c << 24)) & kLanes;
        }
        if (++enCours == 256) {
          vide();
          enCours = 0;
        }
      } else {
        // A lane times a weight of at most 256 still fits its 16 bits.
        std::uint64_t* t = sums.data();
        for (int x = 0; x < bw; ++x, t += 4) {
          const std::uint64_t c = row[x];
          const std::uint64_t v = ((c | (c << 24)) & kLanes) * wt;
          t[0] += v & 0xFFFF;
          t[2] += (v >> 16) & 0xFFFF;
          t[1] += (v >> 32) & 0xFFFF;
          t[3] += v >> 48;
        }
      }
    }
    if (enCours > 0) vide();
    uchar* o = out + j * outLine;
    const std::uint64_t rows = r.total();
    for (std::size_t i = 0; i < px.size(); ++i) {
      const Part& c = px[i];
      std::uint64_t v[4] = {0, 0, 0, 0};
      for (int x = c.s0; x <= c.s1; ++x) {
        const std::uint64_t wt = c.weight(x);
        const std::uint64_t* t = &sums[static_cast<std::size_t>(x) * 4];
        for (int k = 0; k < 4; ++k) v[k] += wt * t[k];
      }
      const double inverse = 1.0 / static_cast<double>(rows * c.total());
      for (int k = 0; k < 4; ++k)
        o[i * 4 + static_cast<std::size_t>(k)] =
            static_cast<uchar>(std::min(255.0, static_cast<double>(v[k]) * inverse + 0.5));
    }
  }
}

// Runs rows(j0, j1) over rows 0 to h - 1 of a result worth `pixels` of work: shared
// among threads of its own, started and joined here, when it is large (a process that
// forks, as some tests do, finds no pool of threads left in a broken state).
template <class Rows>
void inBands(int h, long long pixels, Rows rows) {
  constexpr long long kPixelsPerThread = 1 << 17;
  const long long cores = std::max(1u, std::thread::hardware_concurrency());
  const int n = static_cast<int>(std::clamp<long long>(std::min(pixels / kPixelsPerThread, cores), 1, std::min(8, h)));
  if (n <= 1) {
    rows(0, h);
    return;
  }
  std::vector<std::thread> threads;
  for (int t = 0; t < n; ++t) threads.emplace_back(rows, h * t / n, h * (t + 1) / n);
  for (std::thread& t : threads) t.join();
}

#if defined(__SSE2__)
// The first `count` N x N squares (N = 2, 4, 8 or 16) of the N rows `line` bytes apart
// from `band`, each written to o as the rounded mean of its pixels, channel by channel:
// the squares' sums in the 16-bit lanes of the vector unit (lanes 0 to 3 and 4 to 7
// the channels of every other pixel), divided by N x N with a shift, as below.
template <int N>
void wholeSquares(const uchar* band, qsizetype line, int count, QRgb* o) {
  const __m128i zero = _mm_setzero_si128();
  constexpr int kShift = 2 * std::countr_zero(static_cast<unsigned>(N));
  const __m128i half = _mm_set1_epi16(static_cast<short>(1 << (kShift - 1)));
  const QRgb* rows[N];
  for (int r = 0; r < N; ++r) rows[r] = reinterpret_cast<const QRgb*>(band + r * line);
  for (int i = 0; i < count; ++i) {
    __m128i s = zero;
#pragma GCC unroll 16
    for (int r = 0; r < N; ++r) {
      const QRgb* p = rows[r] + static_cast<qsizetype>(i) * N;
      if constexpr (N == 2) {
        s = _mm_add_epi16(s, _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(p)), zero));
      } else {
        for (int x = 0; x < N; x += 4) {
          const __m128i four = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + x));
          s = _mm_add_epi16(s, _mm_add_epi16(_mm_unpacklo_epi8(four, zero), _mm_unpackhi_epi8(four, zero)));
        }
      }
    }
    s = _mm_add_epi16(s, _mm_srli_si128(s, 8));
    s = _mm_srli_epi16(_mm_add_epi16(s, half), kShift);
    o[i] = static_cast<QRgb>(_mm_cvtsi128_si32(_mm_packus_epi16(s, s)));
  }
}
#endif

// The first `count` whole n x n squares of a band written to o, where the vector unit
// does them; returns how many were done (0 without one).
int wholeSquares(const uchar* band, qsizetype line, int n, int count, QRgb* o) {
#if defined(__SSE2__)
  switch (n) {
    case 2: wholeSquares<2>(band, line, count, o); return count;
    case 4: wholeSquares<4>(band, line, count, o); return count;
    case 8: wholeSquares<8>(band, line, count, o); return count;
    case 16: wholeSquares<16>(band, line, count, o); return count;
    default: return 0;
  }
#else
  (void)band, (void)line, (void)n, (void)count, (void)o;
  return 0;
#endif
}

// Rows j0 to j1 - 1 of an opaque picture n times smaller (n = 2, 4, 8 or 16; sizes
// rounded up) than the sw x sh picture whose rows start `line` bytes apart at `bits`:
// each pixel the mean of an n x n square of it (of the pixels there are, at an odd
// edge). The square's pixels are summed four channels at a time in the 16-bit lanes
// of a 64-bit word (256 pixels of 255 at most fit a lane).
void boxMeanRows(const uchar* bits, qsizetype line, int sw, int sh, int n, uchar* out, qsizetype outLine, int j0,
                 int j1) {
  constexpr std::uint64_t kLanes = 0x00FF00FF00FF00FFull;
  const int ow = (sw + n - 1) / n;
  std::vector<std::uint64_t> acc(static_cast<std::size_t>(ow));
  for (int j = j0; j < j1; ++j) {
    std::fill(acc.begin(), acc.end(), 0ull);
    const int r0 = j * n, r1 = std::min(sh, r0 + n);
    auto* o = reinterpret_cast<QRgb*>(out + j * outLine);
    // The whole squares of a whole band first, where the vector unit does them.
    const int faits = r1 - r0 == n ? wholeSquares(bits + r0 * line, line, n, sw / n, o) : 0;
    for (int r = r0; r < r1; ++r) {
      const auto* row = reinterpret_cast<const QRgb*>(bits + r * line);
      std::uint64_t* a = acc.data();
      int x = faits * n;
      for (int i = faits; i < sw / n; ++i) {
        std::uint64_t sum = 0;
        for (const int fin = x + n; x < fin; ++x) {
          const std::uint64_t c = row[x];
          sum += (c | (c << 24)) & kLanes;
        }
        a[i] += sum;
      }
      for (; x < sw; ++x) {
        const std::uint64_t c = row[x];
        a[ow - 1] += (c | (c << 24)) & kLanes;
      }
    }
    // A whole square: the lanes divided by n x n with a shift, rounded (n x n is at
    // most 2^8, so no lane reaches into the one below); the squares cut by the edges
    // one lane at a time.
    const int shift = 2 * std::countr_zero(static_cast<unsigned>(n));
    const std::uint64_t half = (1ull << shift) / 2 * 0x0001000100010001ull;
    const int entiers = r1 - r0 == n ? sw / n : 0;
    for (int i = faits; i < entiers; ++i) {
      const std::uint64_t m = ((acc[static_cast<std::size_t>(i)] + half) >> shift) & kLanes;
      o[i] = static_cast<QRgb>(m | (m >> 24));
    }
    for (int i = entiers; i < ow; ++i) {
      const double count = static_cast<double>(std::min(sw, (i + 1) * n) - i * n) * (r1 - r0);
      const std::uint64_t v = acc[static_cast<std::size_t>(i)];
      std::uint64_t m = 0;
      for (int lane = 0; lane < 4; ++lane)
        m |= static_cast<std::uint64_t>(static_cast<double>((v >> (16 * lane)) & 0xFFFF) / count + 0.5) << (16 * lane);
      o[i] = static_cast<QRgb>(m | (m >> 24));
    }
  }
}

// The whole of an opaque picture n times smaller (see boxMeanRows).
QImage boxMean(const QImage& src, int n) {
  const int sw = src.width(), sh = src.height();
  QImage out((sw + n - 1) / n, (sh + n - 1) / n, QImage::Format_RGB32);
  if (out.isNull()) return out;
  const uchar* in = src.constBits();
  const qsizetype inLine = src.bytesPerLine();
  uchar* bits = out.bits();
  const qsizetype line = out.bytesPerLine();
  inBands(out.height(), static_cast<long long>(sw) * sh / 4,
          [&](int j0, int j1) { boxMeanRows(in, inLine, sw, sh, n, bits, line, j0, j1); });
  return out;
}

// The halved copies of the last picture asked for (levels 1 to 16, made on demand),
// and level 2 of a picture offered beforehand, until it is taken.
struct Levels {
  qint64 picture = 0;
  std::vector<QImage> levels = std::vector<QImage>(17);
  qint64 offeredFor = 0;
  QImage offered;
};

Levels& kept() {
  static Levels l;
  return l;
}

}  // namespace

void releaseHalvedCopies() {
  Levels& c = kept();
  c = Levels();
}

void offerQuarterCopy(const QImage& src, QImage quarter) {
  Levels& c = kept();
  c.offeredFor = 0;
  c.offered = QImage();
  if (src.isNull() || src.format() != QImage::Format_RGB32 || quarter.format() != QImage::Format_RGB32 ||
      quarter.size() != QSize((src.width() + 3) / 4, (src.height() + 3) / 4))
    return;
  c.offeredFor = src.cacheKey();
  c.offered = std::move(quarter);
}

const QImage& halvedCopy(const QImage& src, int k) {
  // The first level from the picture itself at level 2 at most (so that the thumbnail,
  // asked for first, leaves the view its level), the deeper ones from the nearest
  // level above them.
  static const QImage none;
  if (k < 1 || k > 16 || src.isNull() || src.format() != QImage::Format_RGB32) return none;
  Levels& c = kept();
  std::vector<QImage>& levels = c.levels;
  if (c.picture != src.cacheKey()) {
    for (QImage& l : levels) l = QImage();
    c.picture = src.cacheKey();
  }
  if (levels[static_cast<std::size_t>(k)].isNull()) {
    int from = 0;
    for (int j = k - 1; j >= 1 && from == 0; --j)
      if (!levels[static_cast<std::size_t>(j)].isNull()) from = j;
    if (from == 0 && k > 2) from = halvedCopy(src, 2).isNull() ? 0 : 2;
    if (from == 0 && k == 2 && c.offeredFor == src.cacheKey() && !c.offered.isNull()) {
      // The level that would be made from the picture itself was made beforehand.
      levels[2] = std::move(c.offered);
      c.offeredFor = 0;
      c.offered = QImage();
      return levels[2];
    }
    const QImage& base = from > 0 ? levels[static_cast<std::size_t>(from)] : src;
    QImage l = base;
    for (int step = from; step < k;) {
      const int m = std::min(4, k - step);
      l = boxMean(l, 1 << m);
      step += m;
    }
    levels[static_cast<std::size_t>(k)] = l;
  }
  return levels[static_cast<std::size_t>(k)];
}

void quarterRows(const uchar* bits, qsizetype line, int w, int h, uchar* out, qsizetype outLine, int j0, int j1) {
  boxMeanRows(bits, line, w, h, 4, out, outLine, j0, j1);
}

QImage areaMean(const QImage& src, const QRect& block, int w, int h, bool flipX, bool flipY) {
  if (src.isNull() || src.depth() != 32 || w < 1 || h < 1 || block.isEmpty() || !src.rect().contains(block) ||
      w > block.width() || h > block.height())
    return QImage();
  QImage out(w, h, src.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
  if (out.isNull()) return out;
  const std::vector<Part> px = parts(block.width(), w), py = parts(block.height(), h);
  uchar* bits = out.bits();
  const qsizetype line = out.bytesPerLine();
  inBands(h, static_cast<long long>(block.width()) * block.height(),
          [&](int j0, int j1) { meanRows(src, block, bits, line, px, py, j0, j1); });
  if (flipX || flipY) out = out.mirrored(flipX, flipY);
  return out;
}

}  // namespace platform
