// Picture boxes: a persistent canvas of 32-bit pixels with the drawing methods of the
// original platform. Lines use Bresenham's algorithm and ellipses the midpoint
// ellipse algorithm (Van Aken, "An Efficient Ellipse-Drawing Algorithm", IEEE CG&A
// 1984); every figure is first collected as a set of distinct pixels and then painted
// once with the pen's raster operation, so that XOR drawing is exactly reversible.

#include "platform/picturebox.h"

#include <QApplication>
#include <QCursor>
#include <QFocusEvent>
#include <QFont>
#include <QFontMetricsF>
#include <QFrame>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <vector>

#include "platform/area_mean.h"
#include "platform/form.h"
#include "platform/form_impl.h"
#include "platform/qt_bridge.h"

namespace platform {

namespace {

constexpr double kTwoPi = 6.283185307179586;
constexpr int kMaxRadiusPixels = 65536;
constexpr int kDotsPerMeter96 = 3780;   // 96 pixels per inch

// Twips in one unit of a fixed scale mode, horizontally or vertically; 0 for the
// user mode and unknown modes.
double twipsPerUnit(int mode, bool vertical) {
  switch (mode) {
    case kScaleTwips: return 1.0;
    case kScalePoints: return 20.0;
    case kScalePixels: return kTwipsPerPixel;
    case kScaleCharacters: return vertical ? 240.0 : 120.0;
    case kScaleInches: return 1440.0;
    case kScaleMillimetres: return 1440.0 / 25.4;
    case kScaleCentimetres: return 1440.0 / 2.54;
    case kScaleHimetric: return 1440.0 / 2540.0;
    default: return 0.0;
  }
}

// QRgb (0xAARRGGBB) of an &HBBGGRR colour, system colours resolved.
QRgb toRgb(Colour c) {
  const Colour v = resolveColour(c);
  return qRgb(static_cast<int>(v & 0xFF), static_cast<int>((v >> 8) & 0xFF),
              static_cast<int>((v >> 16) & 0xFF));
}

Colour fromRgb(QRgb v) {
  return static_cast<Colour>(qRed(v)) | (static_cast<Colour>(qGreen(v)) << 8) |
         (static_cast<Colour>(qBlue(v)) << 16);
}

// The pen's raster operation on one pixel (alpha kept opaque).
QRgb rasterOp(int mode, QRgb dst, QRgb pen) {
  const std::uint32_t d = dst & 0xFFFFFFu;
  const std::uint32_t p = pen & 0xFFFFFFu;
  std::uint32_t r = p;
  switch (mode) {
    case kBlackness: r = 0; break;
    case kNotMergePen: r = ~(p | d); break;
    case kMaskNotPen: r = d & ~p; break;
    case kNotCopyPen: r = ~p; break;
    case kMaskPenNot: r = p & ~d; break;
    case kInvert: r = ~d; break;
    case kXorPen: r = p ^ d; break;
    case kNotMaskPen: r = ~(p & d); break;
    case kMaskPen: r = p & d; break;
    case kNotXorPen: r = ~(p ^ d); break;
    case kNop: r = d; break;
    case kMergeNotPen: r = d | ~p; break;
    case kCopyPen: r = p; break;
    case kMergePenNot: r = p | ~d; break;
    case kMergePen: r = p | d; break;
    case kWhiteness: r = 0xFFFFFFu; break;
    default: break;
  }
  return 0xFF000000u | (r & 0xFFFFFFu);
}

// On/off of the dash patterns of drawStyle at position i along the figure.
bool patternOn(int style, long long i) {
  static const int dash[] = {18, 6};
  static const int dot[] = {3, 3};
  static const int dashDot[] = {9, 6, 3, 6};
  static const int dashDotDot[] = {9, 3, 3, 3, 3, 3};
  const int* pat = nullptr;
  int n = 0;
  switch (style) {
    case 1: pat = dash; n = 2; break;
    case 2: pat = dot; n = 2; break;
    case 3: pat = dashDot; n = 4; break;
    case 4: pat = dashDotDot; n = 6; break;
    default: return true;
  }
  int period = 0;
  for (int k = 0; k < n; ++k) period += pat[k];
  long long pos = i % period;
  if (pos < 0) pos += period;
  for (int k = 0; k < n; ++k) {
    if (pos < pat[k]) return k % 2 == 0;
    pos -= pat[k];
  }
  return true;
}

// Pixels of a hatch pattern of fillStyle 2 to 7 (every 8 pixels); solid for 0.
bool hatchOn(int style, int x, int y) {
  auto m8 = [](int v) { return ((v % 8) + 8) % 8 == 0; };
  switch (style) {
    case 0: return true;
    case 2: return m8(y);
    case 3: return m8(x);
    case 4: return m8(x + y);
    case 5: return m8(x - y);
    case 6: return m8(x) || m8(y);
    case 7: return m8(x + y) || m8(x - y);
    default: return false;
  }
}

// A set of distinct canvas pixels, kept as sorted row-major keys.
class PixelSet {
 public:
  PixelSet(int w, int h) : w_(w), h_(h) {}
  void add(int x, int y) {
    if (x < 0 || y < 0 || x >= w_ || y >= h_) return;
    keys_.push_back(static_cast<std::uint64_t>(y) * static_cast<std::uint64_t>(w_) +
                    static_cast<std::uint64_t>(x));
  }
  void finish() {
    std::sort(keys_.begin(), keys_.end());
    keys_.erase(std::unique(keys_.begin(), keys_.end()), keys_.end());
  }
  bool contains(int x, int y) const {
    if (x < 0 || y < 0 || x >= w_ || y >= h_) return false;
    const std::uint64_t k = static_cast<std::uint64_t>(y) * static_cast<std::uint64_t>(w_) +
                            static_cast<std::uint64_t>(x);
    return std::binary_search(keys_.begin(), keys_.end(), k);
  }
  // Paints every pixel once with the raster operation.
  void apply(QImage& img, int mode, QRgb pen) const {
    if (img.width() != w_ || img.height() != h_) return;
    for (std::uint64_t k : keys_) {
      const int y = static_cast<int>(k / static_cast<std::uint64_t>(w_));
      const int x = static_cast<int>(k % static_cast<std::uint64_t>(w_));
      auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
      line[x] = rasterOp(mode, line[x], pen);
    }
  }
  bool empty() const { return keys_.empty(); }
  int width() const { return w_; }
  int height() const { return h_; }

 private:
  int w_, h_;
  std::vector<std::uint64_t> keys_;
};

// Puts the pen's footprint (a dot of `width` pixels) at each plotted pixel.
class Pen {
 public:
  Pen(PixelSet& set, int width, int style) : set_(set), style_(width > 1 ? 0 : style) {
    if (width < 1) width = 1;
    const int lo = -(width / 2);
    const double c = lo + (width - 1) / 2.0;
    const double r2 = (width / 2.0) * (width / 2.0) + 1e-9;
    for (int dy = lo; dy < lo + width; ++dy)
      for (int dx = lo; dx < lo + width; ++dx)
        if ((dx - c) * (dx - c) + (dy - c) * (dy - c) <= r2) offsets_.push_back({dx, dy});
    margin_ = width + 1;
  }
  void plot(int x, int y) {
    for (const auto& o : offsets_) set_.add(x + o.first, y + o.second);
  }
  // Plots when the dash pattern is on at position i.
  void plotAt(int x, int y, long long i) {
    if (patternOn(style_, i)) plot(x, y);
  }
  int margin() const { return margin_; }
  bool invisible() const { return style_ == 5; }

 private:
  PixelSet& set_;
  int style_;
  int margin_ = 2;
  std::vector<std::pair<int, int>> offsets_;
};

// Clips the segment to [xmin, xmax] x [ymin, ymax] (Liang-Barsky); false when
// nothing is left.
bool clipSegment(double& x0, double& y0, double& x1, double& y1, double xmin, double ymin, double xmax,
                 double ymax) {
  double t0 = 0.0, t1 = 1.0;
  const double dx = x1 - x0, dy = y1 - y0;
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {x0 - xmin, xmax - x0, y0 - ymin, ymax - y0};
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0.0) {
      if (q[i] < 0) return false;
      continue;
    }
    const double t = q[i] / p[i];
    if (p[i] < 0) {
      if (t > t1) return false;
      if (t > t0) t0 = t;
    } else {
      if (t < t0) return false;
      if (t < t1) t1 = t;
    }
  }
  const double nx0 = x0 + t0 * dx, ny0 = y0 + t0 * dy;
  const double nx1 = x0 + t1 * dx, ny1 = y0 + t1 * dy;
  x0 = nx0;
  y0 = ny0;
  x1 = nx1;
  y1 = ny1;
  return true;
}

int roundPixel(double v) { return static_cast<int>(std::floor(v + 0.5)); }

// Bresenham line between pixel centres, both ends included; `index` carries the
// dash pattern position from one segment to the next.
void rasterLine(Pen& pen, const PixelSet& set, double fx0, double fy0, double fx1, double fy1,
                long long& index) {
  if (!std::isfinite(fx0) || !std::isfinite(fy0) || !std::isfinite(fx1) || !std::isfinite(fy1)) return;
  const double m = pen.margin();
  if (!clipSegment(fx0, fy0, fx1, fy1, -m, -m, set.width() - 1 + m, set.height() - 1 + m)) return;
  int x0 = roundPixel(fx0), y0 = roundPixel(fy0);
  const int x1 = roundPixel(fx1), y1 = roundPixel(fy1);
  const int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
  const int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
  int err = dx + dy;
  for (;;) {
    pen.plotAt(x0, y0, index++);
    if (x0 == x1 && y0 == y1) break;
    const int e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      x0 += sx;
    }
    if (e2 <= dx) {
      err += dx;
      y0 += sy;
    }
  }
}

// The same line one pixel wide, painted straight into img with the raster operation:
// Bresenham's line visits each pixel once, so no pixel is painted twice.
void rasterThinLine(QImage& img, int mode, int style, QRgb pen, double fx0, double fy0, double fx1,
                    double fy1, long long& index) {
  if (!std::isfinite(fx0) || !std::isfinite(fy0) || !std::isfinite(fx1) || !std::isfinite(fy1)) return;
  const int w = img.width(), h = img.height();
  const double m = 2;   // the margin of a pen one pixel wide
  if (!clipSegment(fx0, fy0, fx1, fy1, -m, -m, w - 1 + m, h - 1 + m)) return;
  int x0 = roundPixel(fx0), y0 = roundPixel(fy0);
  const int x1 = roundPixel(fx1), y1 = roundPixel(fy1);
  const int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
  const int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
  const qsizetype stride = img.bytesPerLine();
  uchar* bits = img.bits();
  int err = dx + dy;
  for (;;) {
    if (x0 >= 0 && y0 >= 0 && x0 < w && y0 < h && patternOn(style, index)) {
      auto* px = reinterpret_cast<QRgb*>(bits + y0 * stride) + x0;
      *px = rasterOp(mode, *px, pen);
    }
    ++index;
    if (x0 == x1 && y0 == y1) break;
    const int e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      x0 += sx;
    }
    if (e2 <= dx) {
      err += dx;
      y0 += sy;
    }
  }
}

// First-quadrant points (x >= 0, y >= 0, y measured upwards) of the ellipse with
// integer radii rx, ry, by the midpoint algorithm.
std::vector<std::pair<int, int>> ellipseQuadrant(int rx, int ry) {
  std::vector<std::pair<int, int>> pts;
  if (rx == 0 || ry == 0) {
    for (int x = 0; x <= rx; ++x) pts.push_back({x, 0});
    for (int y = 0; y <= ry; ++y) pts.push_back({0, y});
    return pts;
  }
  const double rx2 = static_cast<double>(rx) * rx, ry2 = static_cast<double>(ry) * ry;
  int x = 0, y = ry;
  double p1 = ry2 - rx2 * ry + 0.25 * rx2;
  while (ry2 * x < rx2 * y) {
    pts.push_back({x, y});
    ++x;
    if (p1 < 0) {
      p1 += 2 * ry2 * x + ry2;
    } else {
      --y;
      p1 += 2 * ry2 * x - 2 * rx2 * y + ry2;
    }
  }
  double p2 = ry2 * (x + 0.5) * (x + 0.5) + rx2 * (y - 1.0) * (y - 1.0) - rx2 * ry2;
  while (y >= 0) {
    pts.push_back({x, y});
    --y;
    if (p2 > 0) {
      p2 += rx2 - 2 * rx2 * y;
    } else {
      ++x;
      p2 += 2 * ry2 * x - 2 * rx2 * y + rx2;
    }
  }
  return pts;
}

// Parametric angle in [0, 2 pi) of the ellipse point at offset (dx, dy) from the
// centre (dy downwards on the screen), counter-clockwise from 3 o'clock.
double ellipseAngle(int dx, int dy, int rx, int ry) {
  const double a = std::atan2(-static_cast<double>(dy) * std::max(rx, 1), static_cast<double>(dx) * std::max(ry, 1));
  return a < 0 ? a + kTwoPi : a;
}

bool angleIn(double a, double start, double end) {
  return start <= end ? (a >= start && a <= end) : (a >= start || a <= end);
}

// Splits text at CR LF, LF or CR; a final break leaves an empty last line.
std::vector<QString> splitTextLines(const std::string& text) {
  std::vector<QString> lines;
  std::string cur;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r' || c == '\n') {
      lines.push_back(toQ(cur));
      cur.clear();
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      cur += c;
    }
  }
  lines.push_back(toQ(cur));
  return lines;
}

// A 96-dpi paint device for measuring text as the canvas will draw it.
const QImage& metricsDevice() {
  static const QImage img = [] {
    QImage i(1, 1, QImage::Format_RGB32);
    i.setDotsPerMeterX(kDotsPerMeter96);
    i.setDotsPerMeterY(kDotsPerMeter96);
    return i;
  }();
  return img;
}

Qt::CursorShape cursorOf(int pointer) {
  switch (pointer) {
    case 2: return Qt::CrossCursor;
    case 3: return Qt::IBeamCursor;
    case 5:
    case 15: return Qt::SizeAllCursor;
    case 6: return Qt::SizeBDiagCursor;
    case 7: return Qt::SizeVerCursor;
    case 8: return Qt::SizeFDiagCursor;
    case 9: return Qt::SizeHorCursor;
    case 10: return Qt::UpArrowCursor;
    case 11: return Qt::WaitCursor;
    case 12: return Qt::ForbiddenCursor;
    case 13: return Qt::BusyCursor;
    case 14: return Qt::WhatsThisCursor;
    default: return Qt::ArrowCursor;
  }
}

}  // namespace

// --- widgets --------------------------------------------------------------------------

namespace {

// The outer widget: the border; the canvas widget fills its contents.
class PictureFrame : public QFrame {
 public:
  PictureFrame(PictureBox::Impl* owner, QWidget* parent) : QFrame(parent), owner_(owner) {}
  void detach() { owner_ = nullptr; }

 protected:
  void resizeEvent(QResizeEvent* e) override;

 private:
  PictureBox::Impl* owner_;
};

// The client area: shows the canvas and receives the mouse and the keys.
class CanvasWidget : public QWidget {
 public:
  CanvasWidget(PictureBox::Impl* owner, QWidget* parent)
      : QWidget(parent),
        owner_(owner),
        focus_([this] { fireFocus("PictureBox_GotFocus", &PictureBox::onGotFocus); },
               [this] { fireFocus("PictureBox_LostFocus", &PictureBox::onLostFocus); }) {
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
  }
  void detach() { owner_ = nullptr; }

 protected:
  void paintEvent(QPaintEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mouseDoubleClickEvent(QMouseEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void keyReleaseEvent(QKeyEvent* e) override;
  void focusInEvent(QFocusEvent* e) override;
  void focusOutEvent(QFocusEvent* e) override;

 private:
  // Runs the picture box's GotFocus or LostFocus handler h.
  void fireFocus(const char* where, std::function<void()> PictureBox::*h);
  PictureBox::Impl* owner_;
  FocusMemory focus_;
};

}  // namespace

struct PictureBox::Impl {
  PictureBox* self = nullptr;
  PictureFrame* frame = nullptr;
  CanvasWidget* canvas = nullptr;

  QImage persistent;      // background plus persistent drawings
  QImage overlay;         // shown above persistent while hasOverlay
  bool hasOverlay = false;
  Picture background;

  bool autoRedraw = false;
  bool autoSize = false;
  int border = 1;
  int mode = kScaleTwips;
  double userLeft = 0, userTop = 0, userWidth = 1, userHeight = 1;
  double fixedWidth = 0;

  Colour fillColour = 0;
  int fillStyle = 1;
  int drawWidth = 1;
  int drawMode = kCopyPen;
  int drawStyle = 0;
  double curX = 0, curY = 0;
  int pointer = 0;

  // Mouse bookkeeping for Click and DblClick.
  bool pressed = false;
  bool afterDoubleClick = false;

  // Drawing in one pass (PictureBox::Batch): the painter of the texts stays open on
  // the image it draws on, and one repaint is asked for at the end.
  int batchDepth = 0;
  bool batchChanged = false;
  std::unique_ptr<QPainter> textPainter;
  QImage* textImage = nullptr;

  // The last picture shrunk by paintPicture, kept for the next paint of the same part
  // at the same size (a repaint of the same view, the thumbnail).
  struct Reduction {
    qint64 picture = 0;   // QImage::cacheKey of the source
    int level = 0;        // averaged from its halved copy of this level
    QRect block;
    QSize size;
    bool flipX = false, flipY = false;
    QImage image;
  } reduction;

  // Metrics of the box's font on the 96-dpi device, kept until the font changes.
  QFont metricsFont;
  bool metricsValid = false;
  double fontHeight = 0, fontAscent = 0, fontMaxWidth = 0;

  // Units <-> pixels: unit = origin + pixel * perPixel.
  struct Map {
    double ox, oy, ux, uy;
  };

  int canvasW() const { return persistent.width(); }
  int canvasH() const { return persistent.height(); }

  Map map() {
    sync();
    const double w = std::max(1, canvasW()), h = std::max(1, canvasH());
    if (mode == kScaleUser) return {userLeft, userTop, userWidth / w, userHeight / h};
    if (mode == kScaleTwips && fixedWidth > 0) return {0, 0, fixedWidth / w, fixedWidth / w};
    return {0, 0, kTwipsPerPixel / twipsPerUnit(mode, false), kTwipsPerPixel / twipsPerUnit(mode, true)};
  }

  double toPixelX(const Map& m, double x) const { return (x - m.ox) / m.ux; }
  double toPixelY(const Map& m, double y) const { return (y - m.oy) / m.uy; }
  // The position of canvas column (row) px, the one a mouse event on it reports.
  static double unitX(const Map& m, double px) { return m.ox + px * m.ux; }
  static double unitY(const Map& m, double py) { return m.oy + py * m.uy; }

  // The canvas follows the client area's pixel size.
  void sync() {
    if (!frame) return;
    const QRect cr = frame->contentsRect();
    if (canvas && canvas->geometry() != cr) canvas->setGeometry(cr);
    const int w = std::max(0, cr.width()), h = std::max(0, cr.height());
    if (w == persistent.width() && h == persistent.height()) return;
    resizeCanvas(w, h);
  }

  QImage makeBackground(int w, int h) const {
    if (w <= 0 || h <= 0) return QImage();
    QImage img(w, h, QImage::Format_RGB32);
    if (img.isNull()) return img;
    img.setDotsPerMeterX(kDotsPerMeter96);
    img.setDotsPerMeterY(kDotsPerMeter96);
    img.fill(toRgb(self->backColor()));
    if (!background.isNull()) {
      QPainter p(&img);
      p.drawImage(0, 0, background.toQImage());
    }
    return img;
  }

  // The persistent image back to the background over the back colour. An opaque
  // background of the canvas's size and resolution (a picture the box handed out
  // itself) is shared, not copied: drawing on it copies it then, once. Otherwise the
  // canvas's own pixels are painted again when nothing else holds them.
  void restoreBackground() {
    endText();
    const int w = canvasW(), h = canvasH();
    const QImage bg = background.toQImage();
    if (!bg.isNull() && bg.format() == QImage::Format_RGB32 && bg.width() == w && bg.height() == h &&
        bg.dotsPerMeterX() == kDotsPerMeter96 && bg.dotsPerMeterY() == kDotsPerMeter96) {
      persistent = bg;
      return;
    }
    if (w <= 0 || h <= 0 || !persistent.isDetached() || persistent.format() != QImage::Format_RGB32 ||
        persistent.width() != w || persistent.height() != h || persistent.dotsPerMeterX() != kDotsPerMeter96 ||
        persistent.dotsPerMeterY() != kDotsPerMeter96) {
      persistent = makeBackground(w, h);
      return;
    }
    persistent.fill(toRgb(self->backColor()));
    if (!bg.isNull()) {
      QPainter p(&persistent);
      p.drawImage(0, 0, bg);
    }
  }

  // Ends the painter of a batch's texts. Called before an image is replaced, shared or
  // painted by another painter, so that no painter outlives the pixels it writes.
  void endText() {
    if (!textPainter) return;
    textPainter->end();
    textPainter.reset();
    textImage = nullptr;
  }

  // The painter of texts on img with the box's font and fore colour: a new one
  // outside a batch (kept in own), the batch's own inside.
  QPainter* textPainterOn(QImage* img, std::unique_ptr<QPainter>& own) {
    updateMetrics();
    QPainter* p = nullptr;
    if (batchDepth == 0) {
      own = std::make_unique<QPainter>(img);
      p = own.get();
      p->setFont(metricsFont);
    } else {
      if (textImage != img) {
        endText();
        textPainter = std::make_unique<QPainter>(img);
        textImage = img;
        textPainter->setFont(metricsFont);
      }
      p = textPainter.get();
      if (p->font() != metricsFont) p->setFont(metricsFont);
    }
    p->setPen(QColor::fromRgb(penColour(kUseForeColor)));
    return p;
  }

  // False when no pixel of a line of text drawn with its top-left corner at pixel
  // (x, y) can fall on img (a margin of one line height allows for overhangs).
  bool lineMayShow(const QImage& img, double x, double y, const QString& line) {
    updateMetrics();
    const double m = fontHeight;
    const double width = fontMaxWidth * static_cast<double>(line.size());
    return x < img.width() + m && y < img.height() + m && y + fontHeight + m > 0 && x + width + m > 0;
  }

  void updateMetrics() {
    const QFont f = font();
    if (metricsValid && f == metricsFont) return;
    const QFontMetricsF fm(f, &metricsDevice());
    metricsFont = f;
    fontHeight = std::ceil(fm.height());
    fontAscent = fm.ascent();
    fontMaxWidth = fm.maxWidth();
    metricsValid = true;
  }

  // Keeps the top-left content; the new area shows the background.
  void resizeCanvas(int w, int h) {
    endText();
    QImage next = makeBackground(w, h);
    if (!next.isNull() && !persistent.isNull()) {
      QPainter p(&next);
      p.setCompositionMode(QPainter::CompositionMode_Source);
      p.drawImage(0, 0, persistent);
    }
    persistent = next;
    dropOverlay();
  }

  void dropOverlay() {
    endText();
    hasOverlay = false;
    overlay = QImage();
  }

  // The image drawings go to, or nullptr when the box has no area.
  QImage* target() {
    sync();
    if (persistent.isNull()) return nullptr;
    if (autoRedraw) {
      if (hasOverlay) dropOverlay();
      return &persistent;
    }
    if (!hasOverlay) {
      endText();
      overlay = persistent;
      hasOverlay = true;
    }
    return &overlay;
  }

  const QImage& shown() const { return hasOverlay ? overlay : persistent; }

  void changed() {
    if (batchDepth > 0)
      batchChanged = true;
    else if (canvas)
      canvas->update();
  }

  QRgb penColour(Colour c) const { return toRgb(c == kUseForeColor ? self->foreColor() : c); }

  QFont font() const { return frame ? frame->font() : QFont(); }

  double lineHeightPx() {
    updateMetrics();
    return fontHeight;
  }
  double textWidthPx(const QString& s) const {
    QFontMetricsF fm(font(), &metricsDevice());
    return std::round(fm.horizontalAdvance(s));
  }

  void paintFigure(const PixelSet& fill, QRgb fillRgb, const PixelSet& outline, QRgb penRgb, QImage& img) {
    fill.apply(img, drawMode, fillRgb);
    outline.apply(img, drawMode, penRgb);
  }

  // Mouse event to the box's units.
  void mouseToUnits(const QMouseEvent* e, double& x, double& y) {
    const Map m = map();
    const double px = std::floor(e->position().x());
    const double py = std::floor(e->position().y());
    x = unitX(m, px);
    y = unitY(m, py);
  }

  void paint(const Picture& pic, double srcX, double srcY, double srcW, double srcH, double dstX, double dstY,
             double dstW, double dstH, unsigned opcode, const PictureView* view);
};

void PictureFrame::resizeEvent(QResizeEvent* e) {
  QFrame::resizeEvent(e);
  if (!owner_) return;
  owner_->sync();
  PictureBox* box = owner_->self;
  if (box->onResize) guarded("PictureBox_Resize", [&] { box->onResize(); });
}

void CanvasWidget::paintEvent(QPaintEvent* e) {
  QPainter p(this);
  if (!owner_) return;
  owner_->endText();
  owner_->sync();
  const QImage& img = owner_->shown();
  if (img.isNull()) return;
  p.setClipRegion(e->region());
  p.drawImage(0, 0, img);
}

void CanvasWidget::mousePressEvent(QMouseEvent* e) {
  if (!owner_) return;
  PictureBox* box = owner_->self;
  owner_->pressed = true;
  owner_->afterDoubleClick = false;
  if (box->onMouseDown) {
    double x, y;
    owner_->mouseToUnits(e, x, y);
    const int b = buttonsFromQt(e->button()), s = shiftMaskFromQt(e->modifiers());
    guarded("PictureBox_MouseDown", [&] { box->onMouseDown(b, s, x, y); });
  }
}

void CanvasWidget::mouseReleaseEvent(QMouseEvent* e) {
  if (!owner_) return;
  PictureBox* box = owner_->self;
  const bool wasPressed = owner_->pressed;
  const bool afterDouble = owner_->afterDoubleClick;
  owner_->pressed = false;
  owner_->afterDoubleClick = false;
  if (box->onMouseUp) {
    double x, y;
    owner_->mouseToUnits(e, x, y);
    const int b = buttonsFromQt(e->button()), s = shiftMaskFromQt(e->modifiers());
    guarded("PictureBox_MouseUp", [&] { box->onMouseUp(b, s, x, y); });
  }
  if (wasPressed && !afterDouble && e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()) &&
      box->onClick)
    guarded("PictureBox_Click", [&] { box->onClick(); });
}

void CanvasWidget::mouseMoveEvent(QMouseEvent* e) {
  if (!owner_) return;
  PictureBox* box = owner_->self;
  if (!box->onMouseMove) return;
  double x, y;
  owner_->mouseToUnits(e, x, y);
  const int b = buttonsFromQt(e->buttons()), s = shiftMaskFromQt(e->modifiers());
  guarded("PictureBox_MouseMove", [&] { box->onMouseMove(b, s, x, y); });
}

void CanvasWidget::mouseDoubleClickEvent(QMouseEvent* e) {
  if (!owner_) return;
  PictureBox* box = owner_->self;
  // With a DblClick handler the second press is the double click, as on the original
  // platform; without one it is an ordinary press, so that quick clicks are not lost.
  if (!box->onDblClick || e->button() != Qt::LeftButton) {
    mousePressEvent(e);
    return;
  }
  owner_->pressed = true;
  owner_->afterDoubleClick = true;
  guarded("PictureBox_DblClick", [&] { box->onDblClick(); });
}

void CanvasWidget::keyPressEvent(QKeyEvent* e) {
  if (!owner_) return;
  PictureBox* box = owner_->self;
  if (e->isAutoRepeat()) return;
  const int code = keyCodeFromQt(e->key(), static_cast<int>(e->nativeVirtualKey()));
  if (code != 0 && box->onKeyDown) {
    int k = code;
    guarded("PictureBox_KeyDown", [&] { box->onKeyDown(k, shiftMaskFromQt(e->modifiers())); });
    if (k == 0) return;
  }
  const int ascii = keyAsciiOf(e);
  if (ascii > 0 && box->onKeyPress) {
    int a = ascii;
    guarded("PictureBox_KeyPress", [&] { box->onKeyPress(a); });
  }
}

void CanvasWidget::keyReleaseEvent(QKeyEvent* e) {
  if (!owner_) return;
  PictureBox* box = owner_->self;
  if (e->isAutoRepeat()) return;
  const int code = keyCodeFromQt(e->key(), static_cast<int>(e->nativeVirtualKey()));
  if (code != 0 && box->onKeyUp) {
    int k = code;
    guarded("PictureBox_KeyUp", [&] { box->onKeyUp(k, shiftMaskFromQt(e->modifiers())); });
  }
}

void CanvasWidget::fireFocus(const char* where, std::function<void()> PictureBox::*h) {
  if (owner_ && owner_->self->*h) guarded(where, owner_->self->*h);
}

void CanvasWidget::focusInEvent(QFocusEvent* e) {
  QWidget::focusInEvent(e);
  focus_.take(this, e);
}

void CanvasWidget::focusOutEvent(QFocusEvent* e) {
  QWidget::focusOutEvent(e);
  focus_.take(this, e);
}

// --- PictureBox ---------------------------------------------------------------------

PictureBox::PictureBox(Container& parent, const std::string& name, int index)
    : Control(parent, name, index), d_(std::make_unique<Impl>()) {
  d_->self = this;
  d_->frame = new PictureFrame(d_.get(), parent.clientWidget());
  d_->frame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  d_->frame->setLineWidth(2);
  d_->canvas = new CanvasWidget(d_.get(), d_->frame);
  d_->frame->setFocusProxy(d_->canvas);
  attach(d_->frame);
  // Controls placed on the picture take the form's font; text printed on it keeps the
  // application's font, at the size the program sets.
  d_->canvas->setFont(d_->frame->font());
  d_->frame->setFont(QApplication::font());
  d_->sync();
}

PictureBox::~PictureBox() {
  d_->endText();
  // The widgets outlive this object until the base class deletes them.
  if (d_->frame) d_->frame->detach();
  if (d_->canvas) d_->canvas->detach();
}

PictureBox::Impl& PictureBox::impl() { return *d_; }
Form& PictureBox::form() { return parent().form(); }
QWidget* PictureBox::clientWidget() { return d_->canvas; }

int PictureBox::canvasWidthPixels() const {
  d_->sync();
  return d_->canvasW();
}
int PictureBox::canvasHeightPixels() const {
  d_->sync();
  return d_->canvasH();
}
double PictureBox::columnPosition(int i) const { return Impl::unitX(d_->map(), i); }
double PictureBox::rowPosition(int j) const { return Impl::unitY(d_->map(), j); }

// --- scale ----------------------------------------------------------------------------

int PictureBox::scaleMode() const { return d_->mode; }

void PictureBox::setScaleMode(int mode) {
  if (mode == kScaleUser) {
    const double l = scaleLeft(), t = scaleTop(), w = scaleWidth(), h = scaleHeight();
    d_->userLeft = l;
    d_->userTop = t;
    d_->userWidth = w != 0 ? w : 1;
    d_->userHeight = h != 0 ? h : 1;
    d_->fixedWidth = 0;
    d_->mode = kScaleUser;
    return;
  }
  if (mode < kScaleTwips || mode > kScaleCentimetres)
    throw std::invalid_argument("Invalid scale mode " + std::to_string(mode));
  d_->mode = mode;
}

double PictureBox::scaleLeft() const { return d_->map().ox; }
double PictureBox::scaleTop() const { return d_->map().oy; }
double PictureBox::scaleWidth() const {
  const Impl::Map m = d_->map();
  return d_->mode == kScaleUser ? d_->userWidth : m.ux * d_->canvasW();
}
double PictureBox::scaleHeight() const {
  const Impl::Map m = d_->map();
  return d_->mode == kScaleUser ? d_->userHeight : m.uy * d_->canvasH();
}

namespace {
void checkExtent(double v, const char* what) {
  if (!std::isfinite(v) || v == 0)
    throw std::invalid_argument(std::string("Invalid ") + what + ": it must be a number other than 0");
}
void checkFinite(double v, const char* what) {
  if (!std::isfinite(v)) throw std::invalid_argument(std::string("Invalid ") + what);
}
}  // namespace

void PictureBox::setScaleLeft(double v) {
  checkFinite(v, "ScaleLeft");
  setScaleMode(kScaleUser);
  d_->userLeft = v;
}
void PictureBox::setScaleTop(double v) {
  checkFinite(v, "ScaleTop");
  setScaleMode(kScaleUser);
  d_->userTop = v;
}
void PictureBox::setScaleWidth(double v) {
  checkExtent(v, "ScaleWidth");
  setScaleMode(kScaleUser);
  d_->userWidth = v;
}
void PictureBox::setScaleHeight(double v) {
  checkExtent(v, "ScaleHeight");
  setScaleMode(kScaleUser);
  d_->userHeight = v;
}

void PictureBox::scale(double x1, double y1, double x2, double y2) {
  checkFinite(x1, "Scale");
  checkFinite(y1, "Scale");
  checkExtent(x2 - x1, "Scale width");
  checkExtent(y2 - y1, "Scale height");
  d_->fixedWidth = 0;
  d_->mode = kScaleUser;
  d_->userLeft = x1;
  d_->userTop = y1;
  d_->userWidth = x2 - x1;
  d_->userHeight = y2 - y1;
}

void PictureBox::scale() {
  d_->fixedWidth = 0;
  d_->mode = kScaleTwips;
}

void PictureBox::setFixedScaleWidth(double width) {
  d_->fixedWidth = std::isfinite(width) && width > 0 ? width : 0;
  d_->mode = kScaleTwips;
}

double PictureBox::fixedScaleWidth() const { return d_->fixedWidth; }

namespace {
void checkModes(int from, int to) {
  if (from != kScaleUser && twipsPerUnit(from, false) == 0)
    throw std::invalid_argument("Invalid scale mode " + std::to_string(from));
  if (to != kScaleUser && twipsPerUnit(to, false) == 0)
    throw std::invalid_argument("Invalid scale mode " + std::to_string(to));
}
}  // namespace

double PictureBox::scaleX(double value, int fromMode, int toMode) const {
  if (toMode < 0) toMode = kScaleUser;
  const Impl::Map m = d_->map();
  checkModes(fromMode, toMode);
  const double px = fromMode == kScaleUser ? value / m.ux : value * twipsPerUnit(fromMode, false) / kTwipsPerPixel;
  return toMode == kScaleUser ? px * m.ux : px * kTwipsPerPixel / twipsPerUnit(toMode, false);
}

double PictureBox::scaleY(double value, int fromMode, int toMode) const {
  if (toMode < 0) toMode = kScaleUser;
  const Impl::Map m = d_->map();
  checkModes(fromMode, toMode);
  const double px = fromMode == kScaleUser ? value / m.uy : value * twipsPerUnit(fromMode, true) / kTwipsPerPixel;
  return toMode == kScaleUser ? px * m.uy : px * kTwipsPerPixel / twipsPerUnit(toMode, true);
}

// --- pictures -------------------------------------------------------------------------

bool PictureBox::autoRedraw() const { return d_->autoRedraw; }
void PictureBox::setAutoRedraw(bool on) { d_->autoRedraw = on; }

Picture PictureBox::picture() const { return d_->background; }

void PictureBox::setPicture(const Picture& p) {
  d_->endText();
  d_->background = p;
  if (d_->autoSize && !p.isNull()) {
    const int b = d_->border ? 2 * d_->frame->frameWidth() : 0;
    move(left(), top(), pixelsToTwips(p.widthPixels() + b), pixelsToTwips(p.heightPixels() + b));
  }
  d_->sync();
  d_->restoreBackground();
  d_->dropOverlay();
  d_->changed();
}

Picture PictureBox::image() const {
  d_->endText();
  d_->sync();
  return Picture::fromQImage(d_->persistent);
}

bool PictureBox::autoSize() const { return d_->autoSize; }

void PictureBox::setAutoSize(bool on) {
  d_->autoSize = on;
  if (on && !d_->background.isNull()) setPicture(d_->background);
}

int PictureBox::borderStyle() const { return d_->border; }

void PictureBox::setBorderStyle(int style) {
  d_->border = style ? 1 : 0;
  d_->frame->setFrameStyle(d_->border ? (QFrame::Panel | QFrame::Sunken) : QFrame::NoFrame);
  d_->frame->setLineWidth(d_->border ? 2 : 0);
  d_->sync();
  d_->changed();
}

void PictureBox::cls() {
  d_->endText();
  d_->sync();
  if (d_->autoRedraw) d_->restoreBackground();
  d_->dropOverlay();
  const Impl::Map m = d_->map();
  d_->curX = m.ox;
  d_->curY = m.oy;
  d_->changed();
}

void PictureBox::refresh() {
  d_->sync();
  d_->dropOverlay();
  d_->changed();
  if (!d_->autoRedraw && onPaint) guarded("PictureBox_Paint", onPaint);
}

void PictureBox::setBackColor(Colour c) {
  d_->endText();
  keepColours(c, foreColor());   // the canvas paints the whole client area itself
  d_->sync();
  d_->restoreBackground();
  d_->dropOverlay();
  d_->changed();
}

PictureBox::Batch::Batch(PictureBox& box) : box_(box) { ++box_.d_->batchDepth; }

PictureBox::Batch::~Batch() {
  Impl& d = *box_.d_;
  if (--d.batchDepth > 0) return;
  d.endText();
  if (d.batchChanged) {
    d.batchChanged = false;
    d.changed();
  }
}

// The fore colour is the pen of the next drawing: nothing else changes.
void PictureBox::setForeColor(Colour c) { keepColours(backColor(), c); }

// --- drawing state --------------------------------------------------------------------

Colour PictureBox::fillColor() const { return d_->fillColour; }
void PictureBox::setFillColor(Colour c) { d_->fillColour = c; }
int PictureBox::fillStyle() const { return d_->fillStyle; }
void PictureBox::setFillStyle(int style) {
  if (style >= 0 && style <= 7) d_->fillStyle = style;
}
int PictureBox::drawWidth() const { return d_->drawWidth; }
void PictureBox::setDrawWidth(int pixels) { d_->drawWidth = std::clamp(pixels, 1, 1000); }
int PictureBox::drawMode() const { return d_->drawMode; }
void PictureBox::setDrawMode(int mode) {
  if (mode >= kBlackness && mode <= kWhiteness) d_->drawMode = mode;
}
int PictureBox::drawStyle() const { return d_->drawStyle; }
void PictureBox::setDrawStyle(int style) {
  if (style >= 0 && style <= 6) d_->drawStyle = style;
}
double PictureBox::currentX() const { return d_->curX; }
double PictureBox::currentY() const { return d_->curY; }
void PictureBox::setCurrentX(double v) { d_->curX = v; }
void PictureBox::setCurrentY(double v) { d_->curY = v; }

bool PictureBox::fontItalic() const { return d_->frame->font().italic(); }
void PictureBox::setFontItalic(bool on) {
  QFont f = d_->frame->font();
  f.setItalic(on);
  d_->frame->setFont(f);
}
bool PictureBox::fontUnderline() const { return d_->frame->font().underline(); }
void PictureBox::setFontUnderline(bool on) {
  QFont f = d_->frame->font();
  f.setUnderline(on);
  d_->frame->setFont(f);
}

int PictureBox::mousePointer() const { return d_->pointer; }
void PictureBox::setMousePointer(int pointer) {
  d_->pointer = pointer;
  if (pointer == 0)
    d_->canvas->unsetCursor();
  else
    d_->canvas->setCursor(QCursor(cursorOf(pointer)));
}

// --- drawing --------------------------------------------------------------------------

void PictureBox::line(double x1, double y1, double x2, double y2, Colour colour, bool box, bool filled) {
  QImage* img = d_->target();
  d_->curX = x2;
  d_->curY = y2;
  if (!img) return;
  const Impl::Map m = d_->map();
  const double px1 = d_->toPixelX(m, x1), py1 = d_->toPixelY(m, y1);
  const double px2 = d_->toPixelX(m, x2), py2 = d_->toPixelY(m, y2);
  const QRgb pen = d_->penColour(colour);
  if (!box && d_->drawWidth == 1) {
    // One pixel wide: the line visits each pixel once, so it is painted as it goes.
    if (d_->drawStyle != 5) {
      long long index = 0;
      rasterThinLine(*img, d_->drawMode, d_->drawStyle, pen, px1, py1, px2, py2, index);
    }
    d_->changed();
    return;
  }
  PixelSet outline(img->width(), img->height());
  PixelSet fill(img->width(), img->height());
  Pen p(outline, d_->drawWidth, d_->drawStyle);

  if (!box) {
    if (!p.invisible()) {
      long long index = 0;
      rasterLine(p, outline, px1, py1, px2, py2, index);
    }
    outline.finish();
    d_->paintFigure(fill, 0, outline, pen, *img);
    d_->changed();
    return;
  }

  if (!std::isfinite(px1) || !std::isfinite(py1) || !std::isfinite(px2) || !std::isfinite(py2)) return;
  // Corners clamped a little outside the canvas: what lies beyond is not seen.
  const double lim = 1e6;
  auto clampPx = [&](double v) { return roundPixel(std::clamp(v, -lim, lim)); };
  int left = clampPx(std::min(px1, px2)), right = clampPx(std::max(px1, px2));
  int top = clampPx(std::min(py1, py2)), bottom = clampPx(std::max(py1, py2));
  const int m2 = p.margin();
  const int cl = std::max(left, -m2), cr = std::min(right, img->width() - 1 + m2);
  const int ct = std::max(top, -m2), cb = std::min(bottom, img->height() - 1 + m2);
  if (cl > cr || ct > cb) return;

  if (filled) {
    // The whole rectangle in the line colour.
    for (int y = std::max(top, 0); y <= std::min(bottom, img->height() - 1); ++y)
      for (int x = std::max(left, 0); x <= std::min(right, img->width() - 1); ++x) outline.add(x, y);
    outline.finish();
    d_->paintFigure(fill, 0, outline, pen, *img);
    d_->changed();
    return;
  }

  if (!p.invisible()) {
    long long index = 0;
    rasterLine(p, outline, left, top, right, top, index);
    rasterLine(p, outline, right, top, right, bottom, index);
    rasterLine(p, outline, right, bottom, left, bottom, index);
    rasterLine(p, outline, left, bottom, left, top, index);
  }
  outline.finish();
  if (d_->fillStyle != 1) {
    for (int y = std::max(top + 1, 0); y <= std::min(bottom - 1, img->height() - 1); ++y)
      for (int x = std::max(left + 1, 0); x <= std::min(right - 1, img->width() - 1); ++x)
        if (hatchOn(d_->fillStyle, x, y) && !outline.contains(x, y)) fill.add(x, y);
    fill.finish();
  }
  d_->paintFigure(fill, toRgb(d_->fillColour), outline, pen, *img);
  d_->changed();
}

void PictureBox::lineTo(double x2, double y2, Colour colour, bool box, bool filled) {
  line(d_->curX, d_->curY, x2, y2, colour, box, filled);
}

void PictureBox::circle(double x, double y, double r, Colour colour, double start, double end, double aspect) {
  QImage* img = d_->target();
  d_->curX = x;
  d_->curY = y;
  if (!img) return;
  const Impl::Map m = d_->map();
  const double cxf = d_->toPixelX(m, x), cyf = d_->toPixelY(m, y);
  const double rpx = std::fabs(r / m.ux);
  if (!std::isfinite(cxf) || !std::isfinite(cyf) || !std::isfinite(rpx) || !std::isfinite(aspect)) return;
  aspect = std::fabs(aspect);
  double rxf = rpx, ryf = rpx;
  if (aspect < 1)
    ryf = rpx * aspect;
  else if (aspect > 1)
    rxf = rpx / aspect;
  if (rxf > kMaxRadiusPixels || ryf > kMaxRadiusPixels) return;
  if (std::fabs(cxf) > 4.0 * kMaxRadiusPixels || std::fabs(cyf) > 4.0 * kMaxRadiusPixels) return;
  const int cx = roundPixel(cxf), cy = roundPixel(cyf);
  const int rx = roundPixel(rxf), ry = roundPixel(ryf);

  const bool arc = !std::isnan(start) || !std::isnan(end);
  double a0 = std::isnan(start) ? 0.0 : start;
  double a1 = std::isnan(end) ? kTwoPi : end;
  if (!std::isfinite(a0) || !std::isfinite(a1)) return;
  const bool radius0 = a0 < 0, radius1 = a1 < 0;
  a0 = std::fabs(a0);
  a1 = std::fabs(a1);
  if (a0 > kTwoPi) a0 = std::fmod(a0, kTwoPi);
  if (a1 > kTwoPi) a1 = std::fmod(a1, kTwoPi);

  PixelSet outline(img->width(), img->height());
  PixelSet fill(img->width(), img->height());
  Pen p(outline, d_->drawWidth, d_->drawStyle);
  if (!p.invisible()) {
    const double meanR = (rx + ry) / 2.0;
    for (const auto& q : ellipseQuadrant(rx, ry)) {
      const int sx[2] = {1, -1}, sy[2] = {1, -1};
      for (int i = 0; i < 2; ++i)
        for (int j = 0; j < 2; ++j) {
          const int dx = q.first * sx[i], dy = -q.second * sy[j];
          const double a = ellipseAngle(dx, dy, rx, ry);
          if (arc && !angleIn(a, a0, a1)) continue;
          p.plotAt(cx + dx, cy + dy, static_cast<long long>(a * meanR));
        }
    }
    long long index = 0;
    if (radius0) rasterLine(p, outline, cx, cy, cx + rx * std::cos(a0), cy - ry * std::sin(a0), index);
    index = 0;
    if (radius1) rasterLine(p, outline, cx, cy, cx + rx * std::cos(a1), cy - ry * std::sin(a1), index);
  }
  outline.finish();

  const bool fillable = !arc || (radius0 && radius1);
  if (d_->fillStyle != 1 && fillable && rx > 0 && ry > 0) {
    const int y0 = std::max(cy - ry, 0), y1 = std::min(cy + ry, img->height() - 1);
    for (int py = y0; py <= y1; ++py) {
      const double t = static_cast<double>(py - cy) / ry;
      const double half = rx * std::sqrt(std::max(0.0, 1.0 - t * t));
      const int x0 = std::max(cx - static_cast<int>(std::floor(half)), 0);
      const int x1 = std::min(cx + static_cast<int>(std::floor(half)), img->width() - 1);
      for (int px = x0; px <= x1; ++px) {
        if (outline.contains(px, py) || !hatchOn(d_->fillStyle, px, py)) continue;
        if (arc && !angleIn(ellipseAngle(px - cx, py - cy, rx, ry), a0, a1)) continue;
        fill.add(px, py);
      }
    }
    fill.finish();
  }
  d_->paintFigure(fill, toRgb(d_->fillColour), outline, d_->penColour(colour), *img);
  d_->changed();
}

void PictureBox::pset(double x, double y, Colour colour) {
  QImage* img = d_->target();
  d_->curX = x;
  d_->curY = y;
  if (!img) return;
  const Impl::Map m = d_->map();
  const double px = d_->toPixelX(m, x), py = d_->toPixelY(m, y);
  if (!std::isfinite(px) || !std::isfinite(py) || std::fabs(px) > 1e7 || std::fabs(py) > 1e7) return;
  PixelSet outline(img->width(), img->height());
  PixelSet fill(img->width(), img->height());
  Pen p(outline, d_->drawWidth, 0);
  p.plot(roundPixel(px), roundPixel(py));
  outline.finish();
  d_->paintFigure(fill, 0, outline, d_->penColour(colour), *img);
  d_->changed();
}

Colour PictureBox::point(double x, double y) const {
  const Impl::Map m = d_->map();
  const double px = d_->toPixelX(m, x), py = d_->toPixelY(m, y);
  const QImage& img = d_->shown();
  if (img.isNull() || !std::isfinite(px) || !std::isfinite(py)) return 0xFFFFFFFFu;
  const double ix = std::floor(px + 0.5), iy = std::floor(py + 0.5);
  if (ix < 0 || iy < 0 || ix >= img.width() || iy >= img.height()) return 0xFFFFFFFFu;
  return fromRgb(img.pixel(static_cast<int>(ix), static_cast<int>(iy)));
}

double PictureBox::textWidth(const std::string& text) const {
  double w = 0;
  for (const QString& l : splitTextLines(text)) w = std::max(w, d_->textWidthPx(l));
  return std::fabs(w * d_->map().ux);
}

double PictureBox::textHeight(const std::string& text) const {
  const double lines = static_cast<double>(splitTextLines(text).size());
  return std::fabs(lines * d_->lineHeightPx() * d_->map().uy);
}

void PictureBox::print(const std::string& text, bool newline) {
  QImage* img = d_->target();
  const Impl::Map m = d_->map();
  const std::vector<QString> lines = splitTextLines(text);
  const double h = d_->lineHeightPx();
  const double startX = d_->toPixelX(m, d_->curX), startY = d_->toPixelY(m, d_->curY);
  const double leftX = d_->toPixelX(m, m.ox);
  if (!std::isfinite(startX) || !std::isfinite(startY)) return;
  if (img) {
    std::unique_ptr<QPainter> own;
    QPainter* p = nullptr;
    for (std::size_t i = 0; i < lines.size(); ++i) {
      const double x = i == 0 ? startX : leftX;
      const double y = startY + static_cast<double>(i) * h;
      if (std::fabs(x) > 1e6 || std::fabs(y) > 1e6) continue;
      const double px = std::floor(x + 0.5), py = std::floor(y + 0.5);
      if (!d_->lineMayShow(*img, px, py, lines[i])) continue;
      if (!p) p = d_->textPainterOn(img, own);
      p->drawText(QPointF(px, py + d_->fontAscent), lines[i]);
    }
    d_->changed();
  }
  const double n = static_cast<double>(lines.size());
  if (newline) {
    d_->curX = m.ox;
    d_->curY = m.oy + (startY + n * h) * m.uy;
  } else {
    const double lastX = lines.size() == 1 ? startX : leftX;
    d_->curX = m.ox + (lastX + d_->textWidthPx(lines.back())) * m.ux;
    d_->curY = m.oy + (startY + (n - 1) * h) * m.uy;
  }
}

void PictureBox::printRotated(const std::string& text, double angleDegrees, double x, double y) {
  QImage* img = d_->target();
  const Impl::Map m = d_->map();
  const std::vector<QString> lines = splitTextLines(text);
  const double h = d_->lineHeightPx();
  const double px = d_->toPixelX(m, x), py = d_->toPixelY(m, y);
  if (!std::isfinite(px) || !std::isfinite(py) || !std::isfinite(angleDegrees)) return;
  if (img && std::fabs(px) < 1e6 && std::fabs(py) < 1e6) {
    std::unique_ptr<QPainter> own;
    QPainter* p = d_->textPainterOn(img, own);
    p->save();
    p->translate(std::floor(px + 0.5), std::floor(py + 0.5));
    p->rotate(-angleDegrees);
    for (std::size_t i = 0; i < lines.size(); ++i)
      p->drawText(QPointF(0, static_cast<double>(i) * h + d_->fontAscent), lines[i]);
    p->restore();
    d_->changed();
  }
  d_->curX = m.ox;
  d_->curY = m.oy + (py + static_cast<double>(lines.size()) * h) * m.uy;
}

void PictureBox::paintPicture(const Picture& pic, double dx, double dy, double dw, double dh, double sx,
                              double sy, double sw, double sh, unsigned opcode) {
  if (!d_->target() || pic.isNull()) return;
  const Impl::Map m = d_->map();
  // Box units of the source per picture pixel: through twips, 15 to the pixel.
  double sux = m.ux, suy = m.uy;
  if (d_->mode != kScaleUser) {
    sux = kTwipsPerPixel / twipsPerUnit(d_->mode, false);
    suy = kTwipsPerPixel / twipsPerUnit(d_->mode, true);
  }
  const double pw = pic.widthPixels(), ph = pic.heightPixels();
  if (std::isnan(sx)) sx = 0;
  if (std::isnan(sy)) sy = 0;
  if (std::isnan(sw)) sw = pw * sux - sx;
  if (std::isnan(sh)) sh = ph * suy - sy;
  // Source rectangle in picture pixels, destination rectangle in canvas pixels; an
  // omitted destination size shows the source at its natural size.
  const double srcW = sw / sux, srcH = sh / suy;
  d_->paint(pic, sx / sux, sy / suy, srcW, srcH, d_->toPixelX(m, dx), d_->toPixelY(m, dy),
            std::isnan(dw) ? srcW : dw / m.ux, std::isnan(dh) ? srcH : dh / m.uy, opcode, nullptr);
}

void PictureBox::paintView(const Picture& pic, const PictureView& v, double width, double height) {
  if (!d_->target() || pic.isNull()) return;
  for (double x : {v.k, v.left, v.top, width, height})
    if (!std::isfinite(x)) return;
  if (!(v.k > 0) || !(width > 0) || !(height > 0)) return;
  const Impl::Map m = d_->map();
  d_->paint(pic, v.left / kTwipsPerPixel, v.top / kTwipsPerPixel, width * v.k / kTwipsPerPixel,
            height * v.k / kTwipsPerPixel, d_->toPixelX(m, 0), d_->toPixelY(m, 0), width / m.ux, height / m.uy,
            kSrcCopy, &v);
}

void PictureBox::Impl::paint(const Picture& pic, double srcX, double srcY, double srcW, double srcH, double dstX,
                             double dstY, double dstW, double dstH, unsigned opcode, const PictureView* view) {
  QImage* img = target();
  if (!img || pic.isNull()) return;
  const Map m = map();
  const double pw = pic.widthPixels(), ph = pic.heightPixels();
  for (double v : {srcX, srcY, srcW, srcH, dstX, dstY, dstW, dstH})
    if (!std::isfinite(v)) return;
  if (srcW == 0 || srcH == 0 || dstW == 0 || dstH == 0) return;
  bool flipX = false, flipY = false;
  if (srcW < 0) {
    srcX += srcW;
    srcW = -srcW;
    flipX = !flipX;
  }
  if (srcH < 0) {
    srcY += srcH;
    srcH = -srcH;
    flipY = !flipY;
  }
  if (dstW < 0) {
    dstX += dstW;
    dstW = -dstW;
    flipX = !flipX;
  }
  if (dstH < 0) {
    dstY += dstH;
    dstH = -dstH;
    flipY = !flipY;
  }
  // Visible part: the source inside the picture, the destination inside the canvas.
  // Destination position of source coordinate s (and back), flips included.
  const double kx = dstW / srcW, ky = dstH / srcH;
  auto dstOfX = [&](double s) { return flipX ? dstX + (srcX + srcW - s) * kx : dstX + (s - srcX) * kx; };
  auto dstOfY = [&](double s) { return flipY ? dstY + (srcY + srcH - s) * ky : dstY + (s - srcY) * ky; };
  auto srcOfX = [&](double d) { return flipX ? srcX + srcW - (d - dstX) / kx : srcX + (d - dstX) / kx; };
  auto srcOfY = [&](double d) { return flipY ? srcY + srcH - (d - dstY) / ky : srcY + (d - dstY) / ky; };
  const double s0x = std::max(srcX, 0.0), s1x = std::min(srcX + srcW, pw);
  const double s0y = std::max(srcY, 0.0), s1y = std::min(srcY + srcH, ph);
  if (s0x >= s1x || s0y >= s1y) return;
  double d0x = std::min(dstOfX(s0x), dstOfX(s1x)), d1x = std::max(dstOfX(s0x), dstOfX(s1x));
  double d0y = std::min(dstOfY(s0y), dstOfY(s1y)), d1y = std::max(dstOfY(s0y), dstOfY(s1y));
  d0x = std::max(d0x, 0.0);
  d0y = std::max(d0y, 0.0);
  d1x = std::min(d1x, static_cast<double>(img->width()));
  d1y = std::min(d1y, static_cast<double>(img->height()));
  if (d0x >= d1x || d0y >= d1y) return;
  const double a = srcOfX(d0x), b = srcOfX(d1x), c = srcOfY(d0y), e = srcOfY(d1y);
  const QRectF source(std::min(a, b), std::min(c, e), std::fabs(b - a), std::fabs(e - c));
  const QRectF targetRect(d0x, d0y, d1x - d0x, d1y - d0y);

  const QImage src = pic.toQImage();
  endText();
  QPainter p(img);
  p.setRenderHint(QPainter::SmoothPixmapTransform, false);
  p.setRenderHint(QPainter::Antialiasing, false);
  bool rasterOpUsed = true;
  switch (opcode) {
    case kSrcPaint: p.setCompositionMode(QPainter::RasterOp_SourceOrDestination); break;
    case kSrcAnd: p.setCompositionMode(QPainter::RasterOp_SourceAndDestination); break;
    case kSrcInvert: p.setCompositionMode(QPainter::RasterOp_SourceXorDestination); break;
    case kNotSrcCopy: p.setCompositionMode(QPainter::RasterOp_NotSource); break;
    case kDstInvert: p.setCompositionMode(QPainter::RasterOp_NotDestination); break;
    default:
      rasterOpUsed = false;
      p.setCompositionMode(src.hasAlphaChannel() ? QPainter::CompositionMode_SourceOver
                                                 : QPainter::CompositionMode_Source);
      break;
  }
  if (opcode == kDstInvert) {
    p.fillRect(targetRect, Qt::white);
  } else if (kx < 1 || ky < 1) {
    // Shrunk, each pixel of the box shows the mean of the picture pixels it covers, so
    // that a line one picture pixel thin stays visible. The whole picture pixels under
    // the target are averaged to at most the target's size, then painted over it;
    // shrunk to less than half, from the halved copy (2^k pixels a side to one) that
    // still has two pixels or more to a pixel of the box.
    int k = 0;
    while (!src.hasAlphaChannel() && k < 16 && std::ldexp(4.0 * std::max(kx, ky), k) <= 1.0) ++k;
    if (k > 0 && halvedCopy(src, k).isNull()) k = 0;
    const QImage& from = k > 0 ? halvedCopy(src, k) : src;
    const int pas = 1 << k;
    const int bx0 = std::clamp(static_cast<int>(std::floor(source.left())) / pas, 0, from.width() - 1);
    const int by0 = std::clamp(static_cast<int>(std::floor(source.top())) / pas, 0, from.height() - 1);
    const int bx1 = std::clamp((static_cast<int>(std::ceil(source.right())) + pas - 1) / pas, bx0 + 1, from.width());
    const int by1 = std::clamp((static_cast<int>(std::ceil(source.bottom())) + pas - 1) / pas, by0 + 1, from.height());
    const QRect block(bx0, by0, bx1 - bx0, by1 - by0);
    const int w = kx < 1 ? std::max(1, static_cast<int>(std::floor(block.width() * pas * kx))) : block.width();
    const int h = ky < 1 ? std::max(1, static_cast<int>(std::floor(block.height() * pas * ky))) : block.height();
    Reduction& r = reduction;
    if (r.picture != src.cacheKey() || r.level != k || r.block != block || r.size != QSize(w, h) ||
        r.flipX != flipX || r.flipY != flipY || r.image.isNull()) {
      r = {src.cacheKey(), k, block, QSize(w, h), flipX, flipY, areaMean(from, block, w, h, flipX, flipY)};
    }
    // The copy's pixel i stands for the picture's pixels i x 2^k to (i + 1) x 2^k.
    const double ax = dstOfX(block.left() * pas), bx = dstOfX((block.left() + block.width()) * pas);
    const double ay = dstOfY(block.top() * pas), by = dstOfY((block.top() + block.height()) * pas);
    p.setClipRect(targetRect);
    p.drawImage(QRectF(std::min(ax, bx), std::min(ay, by), std::fabs(bx - ax), std::fabs(by - ay)), r.image,
                QRectF(0, 0, w, h));
  } else {
    // At its size or enlarged, the canvas pixel at (i, j) shows the picture pixel under
    // its own position (i, j), the position a click on it gives: what is painted there
    // and what a click there takes is one picture pixel. The canvas pixels painted are
    // those whose position lies in the target. Mirrored, the painting is the mirror
    // image of the unmirrored one: a canvas pixel shows the picture pixel at the start
    // of the part of the picture it covers.
    auto first = [](double d, bool flip) { return static_cast<int>(flip ? std::floor(d) : std::ceil(d)); };
    const int i0 = first(d0x, flipX), i1 = first(d1x, flipX);
    const int j0 = first(d0y, flipY), j1 = first(d1y, flipY);
    if (i0 < i1 && j0 < j1) {
      auto under = [](double s, int n) { return std::clamp(static_cast<int>(std::floor(s)), 0, n - 1); };
      std::vector<int> columns(static_cast<std::size_t>(i1 - i0));
      // A view maps each canvas pixel from the position a mouse event there reports.
      auto column = [&](int i) {
        return view ? view->pictureX(unitX(m, i)) / kTwipsPerPixel : srcOfX(flipX ? i + 1 : i);
      };
      auto row = [&](int j) {
        return view ? view->pictureY(unitY(m, j)) / kTwipsPerPixel : srcOfY(flipY ? j + 1 : j);
      };
      for (int i = i0; i < i1; ++i) columns[static_cast<std::size_t>(i - i0)] = under(column(i), src.width());
      // Pictures hold 32-bit pixels (see Picture); any other image is converted.
      const bool direct = src.format() == QImage::Format_RGB32 || src.format() == QImage::Format_ARGB32;
      const QImage from = direct ? src : src.convertToFormat(QImage::Format_ARGB32);
      QImage piece(i1 - i0, j1 - j0, from.format());
      if (!piece.isNull()) {
        int previous = -1;
        for (int j = j0; j < j1; ++j) {
          const int line = under(row(j), src.height());
          auto* out = reinterpret_cast<QRgb*>(piece.scanLine(j - j0));
          if (line == previous) {
            std::copy_n(reinterpret_cast<const QRgb*>(piece.constScanLine(j - j0 - 1)), piece.width(), out);
            continue;
          }
          const auto* in = reinterpret_cast<const QRgb*>(from.constScanLine(line));
          for (std::size_t i = 0; i < columns.size(); ++i) out[i] = in[columns[i]];
          previous = line;
        }
        p.drawImage(QPoint(i0, j0), piece);
      }
    }
  }
  p.end();
  if (rasterOpUsed) {
    // Raster operations also combine the alpha bytes; the canvas stays opaque.
    const QRect r = targetRect.toAlignedRect().intersected(img->rect());
    for (int y = r.top(); y <= r.bottom(); ++y) {
      auto* line = reinterpret_cast<QRgb*>(img->scanLine(y));
      for (int x = r.left(); x <= r.right(); ++x) line[x] |= 0xFF000000u;
    }
  }
  changed();
}

// --- ImageBox -------------------------------------------------------------------------

namespace {

class ImageWidget : public QWidget {
 public:
  explicit ImageWidget(QWidget* parent) : QWidget(parent) {}
  QImage image;
  bool stretch = false;
  ImageBox* owner = nullptr;

 protected:
  void paintEvent(QPaintEvent*) override {
    if (image.isNull()) return;
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform, false);
    if (stretch)
      p.drawImage(rect(), image);
    else
      p.drawImage(0, 0, image);
  }
  void mouse(QMouseEvent* e, MouseHandler ImageBox::*h, const char* where, bool moving) {
    if (!owner || !(owner->*h)) return;
    const int b = moving ? buttonsFromQt(e->buttons()) : buttonsFromQt(e->button());
    const int s = shiftMaskFromQt(e->modifiers());
    const double x = pixelsToTwips(std::floor(e->position().x()));
    const double y = pixelsToTwips(std::floor(e->position().y()));
    guarded(where, [&] { (owner->*h)(b, s, x, y); });
  }
  void mousePressEvent(QMouseEvent* e) override { mouse(e, &ImageBox::onMouseDown, "Image_MouseDown", false); }
  void mouseMoveEvent(QMouseEvent* e) override { mouse(e, &ImageBox::onMouseMove, "Image_MouseMove", true); }
  void mouseReleaseEvent(QMouseEvent* e) override {
    mouse(e, &ImageBox::onMouseUp, "Image_MouseUp", false);
    if (owner && owner->onClick && e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()))
      guarded("Image_Click", owner->onClick);
  }
  void mouseDoubleClickEvent(QMouseEvent* e) override {
    if (owner && owner->onDblClick && e->button() == Qt::LeftButton)
      guarded("Image_DblClick", owner->onDblClick);
    else
      mousePressEvent(e);
  }
};

}  // namespace

struct ImageBox::Impl {
  ImageWidget* w = nullptr;
  Picture picture;
  bool stretch = false;
};

ImageBox::ImageBox(Container& parent, const std::string& name, int index)
    : Control(parent, name, index), d_(std::make_unique<Impl>()) {
  d_->w = new ImageWidget(parent.clientWidget());
  d_->w->owner = this;
  attach(d_->w);
}

ImageBox::~ImageBox() {
  if (d_->w) d_->w->owner = nullptr;
}

Picture ImageBox::picture() const { return d_->picture; }

void ImageBox::setPicture(const Picture& p) {
  d_->picture = p;
  d_->w->image = p.toQImage();
  if (!d_->stretch && !p.isNull()) move(left(), top(), p.width(), p.height());
  d_->w->update();
}

bool ImageBox::stretch() const { return d_->stretch; }

void ImageBox::setStretch(bool on) {
  d_->stretch = on;
  d_->w->stretch = on;
  if (!on && !d_->picture.isNull()) move(left(), top(), d_->picture.width(), d_->picture.height());
  d_->w->update();
}

}  // namespace platform
