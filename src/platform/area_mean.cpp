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
#include <vector>

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

// An opaque picture n times smaller (n = 2, 4, 8 or 16; sizes rounded up), each pixel
// the mean of an n x n square of it (of the pixels there are, at an odd edge). The
// square's pixels are summed four channels at a time in the 16-bit lanes of a 64-bit
// word (256 pixels of 255 at most fit a lane).
QImage boxMean(const QImage& src, int n) {
  constexpr std::uint64_t kLanes = 0x00FF00FF00FF00FFull;
  const int sw = src.width(), sh = src.height();
  const int ow = (sw + n - 1) / n, oh = (sh + n - 1) / n;
  QImage out(ow, oh, QImage::Format_RGB32);
  if (out.isNull()) return out;
  uchar* bits = out.bits();
  const qsizetype line = out.bytesPerLine();
  inBands(oh, static_cast<long long>(sw) * sh / 4, [&](int j0, int j1) {
    std::vector<std::uint64_t> acc(static_cast<std::size_t>(ow));
    for (int j = j0; j < j1; ++j) {
      std::fill(acc.begin(), acc.end(), 0ull);
      const int r0 = j * n, r1 = std::min(sh, r0 + n);
      for (int r = r0; r < r1; ++r) {
        const auto* row = reinterpret_cast<const QRgb*>(src.constScanLine(r));
        std::uint64_t* a = acc.data();
        int x = 0;
        for (int i = 0; i < sw / n; ++i) {
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
      auto* o = reinterpret_cast<QRgb*>(bits + j * line);
      // A whole square: the lanes divided by n x n with a shift, rounded (n x n is at
      // most 2^8, so no lane reaches into the one below); the squares cut by the edges
      // one lane at a time.
      const int shift = 2 * std::countr_zero(static_cast<unsigned>(n));
      const std::uint64_t half = (1ull << shift) / 2 * 0x0001000100010001ull;
      const int entiers = r1 - r0 == n ? sw / n : 0;
      for (int i = 0; i < entiers; ++i) {
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
  });
  return out;
}

}  // namespace

const QImage& halvedCopy(const QImage& src, int k) {
  // Levels 1 to 16 of the last picture, made on demand: the first from the picture
  // itself at level 2 at most (so that the thumbnail, asked for first, leaves the view
  // its level), the deeper ones from the nearest level above them.
  static qint64 picture = 0;
  static std::vector<QImage> levels(17);
  static const QImage none;
  if (k < 1 || k > 16 || src.isNull() || src.format() != QImage::Format_RGB32) return none;
  if (picture != src.cacheKey()) {
    for (QImage& l : levels) l = QImage();
    picture = src.cacheKey();
  }
  if (levels[static_cast<std::size_t>(k)].isNull()) {
    int from = 0;
    for (int j = k - 1; j >= 1 && from == 0; --j)
      if (!levels[static_cast<std::size_t>(j)].isNull()) from = j;
    if (from == 0 && k > 2) from = halvedCopy(src, 2).isNull() ? 0 : 2;
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
