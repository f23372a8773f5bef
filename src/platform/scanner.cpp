// Image acquisition through SANE. One device is opened per acquisition; its frames are
// read by a worker thread while the caller waits with a deadline, so that a device
// that stops sending data, or a read that never returns, ends in an error instead of a
// hang. The read loop is also bounded by the byte count the device announces.

#include "platform/scanner.h"

#include <sane/sane.h>
#include <sane/saneopts.h>

#include <QImage>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <cstdint>
#include <cstring>
#include <exception>
#include <memory>
#include <mutex>
#include <thread>

#include "platform/dialogs.h"
#include "platform/picture.h"

namespace platform {

namespace {

// Longest wait for a whole acquisition, unless changed.
constexpr std::chrono::milliseconds kDefaultTimeLimit{180000};
// Longest wait, after the time limit, for a cancelled read to return.
constexpr std::chrono::milliseconds kCancelGrace{2000};
// Largest frame accepted (bytes).
constexpr size_t kMaxFrameBytes = size_t(512) * 1024 * 1024;
// Pause before each read that may take the last bytes of a frame. Some backends stop
// their own reader thread, by asynchronous cancellation, inside the read that hands
// over the last byte; a reader stopped while it is still freeing its buffer leaves
// the allocator locked and the next pass hangs. The pause lets it finish first.
constexpr std::chrono::milliseconds kLastReadPause{10};
// Resolution kept when the device's own lies in this range, else brought into it (dpi).
constexpr double kMinDpi = 75, kMaxDpi = 600;

bool g_started = false;
std::string g_selected;
std::vector<std::pair<std::string, std::string>> g_options;
std::chrono::milliseconds g_timeLimit = kDefaultTimeLimit;

int saneRead(void* h, unsigned char* data, int max, int* length) {
  return static_cast<int>(sane_read(static_cast<SANE_Handle>(h), data, max, length));
}
Scanner::ReadFunction g_read = saneRead;

void saneCancelAndClose(void* h) {
  sane_cancel(static_cast<SANE_Handle>(h));
  sane_close(static_cast<SANE_Handle>(h));
}
Scanner::CloseFunction g_close = saneCancelAndClose;

std::string statusText(SANE_Status s) {
  const char* t = sane_strstatus(s);
  return t ? std::string(t) : std::string("erreur ") + std::to_string(static_cast<int>(s));
}

void setError(std::string* error, const std::string& text) {
  if (error) *error = text;
}

// Starts SANE once; false with a reason when it cannot start.
bool start(std::string* error) {
  if (g_started) return true;
  SANE_Int version = 0;
  const SANE_Status s = sane_init(&version, nullptr);
  if (s != SANE_STATUS_GOOD) {
    setError(error, "SANE ne démarre pas : " + statusText(s));
    return false;
  }
  g_started = true;
  return true;
}

std::string safe(const char* s) { return s ? std::string(s) : std::string(); }

// ---- options ----

// Index and descriptor of the option `name`, -1 when the device has none.
int findOption(SANE_Handle h, const char* name, const SANE_Option_Descriptor** desc) {
  SANE_Int count = 0;
  if (sane_control_option(h, 0, SANE_ACTION_GET_VALUE, &count, nullptr) != SANE_STATUS_GOOD) return -1;
  count = std::min<SANE_Int>(count, 10000);
  for (SANE_Int i = 1; i < count; ++i) {
    const SANE_Option_Descriptor* d = sane_get_option_descriptor(h, i);
    if (d && d->name && std::strcmp(d->name, name) == 0) {
      if (!SANE_OPTION_IS_ACTIVE(d->cap) || !SANE_OPTION_IS_SETTABLE(d->cap)) return -1;
      *desc = d;
      return i;
    }
  }
  return -1;
}

bool sameNoCase(const char* a, const char* b) {
  if (!a || !b) return false;
  for (; *a && *b; ++a, ++b) {
    const char ca = (*a >= 'A' && *a <= 'Z') ? char(*a - 'A' + 'a') : *a;
    const char cb = (*b >= 'A' && *b <= 'Z') ? char(*b - 'A' + 'a') : *b;
    if (ca != cb) return false;
  }
  return *a == *b;
}

// Sets the scan mode to colour when the device lists it.
void chooseColour(SANE_Handle h) {
  const SANE_Option_Descriptor* d = nullptr;
  const int i = findOption(h, SANE_NAME_SCAN_MODE, &d);
  if (i < 0 || d->type != SANE_TYPE_STRING || d->constraint_type != SANE_CONSTRAINT_STRING_LIST ||
      !d->constraint.string_list || d->size <= 0)
    return;
  for (int k = 0; k < 1000 && d->constraint.string_list[k]; ++k) {
    const char* v = d->constraint.string_list[k];
    if (sameNoCase(v, SANE_VALUE_SCAN_MODE_COLOR)) {
      std::vector<char> buf(static_cast<size_t>(std::max<SANE_Int>(d->size, 1)) + std::strlen(v) + 1, 0);
      std::strcpy(buf.data(), v);
      sane_control_option(h, i, SANE_ACTION_SET_VALUE, buf.data(), nullptr);
      return;
    }
  }
}

// Whether `value` is allowed by an integer option's constraint.
bool allowsInt(const SANE_Option_Descriptor* d, SANE_Int value) {
  if (d->constraint_type == SANE_CONSTRAINT_WORD_LIST && d->constraint.word_list) {
    const SANE_Int n = std::min<SANE_Int>(d->constraint.word_list[0], 1000);
    for (SANE_Int k = 1; k <= n; ++k)
      if (d->constraint.word_list[k] == value) return true;
    return false;
  }
  if (d->constraint_type == SANE_CONSTRAINT_RANGE && d->constraint.range)
    return value >= d->constraint.range->min && value <= d->constraint.range->max;
  return true;
}

// 8 bits per sample when the device offers it.
void chooseDepth(SANE_Handle h) {
  const SANE_Option_Descriptor* d = nullptr;
  const int i = findOption(h, SANE_NAME_BIT_DEPTH, &d);
  if (i < 0 || d->type != SANE_TYPE_INT || d->size != sizeof(SANE_Word)) return;
  SANE_Int v = 8;
  if (allowsInt(d, v)) sane_control_option(h, i, SANE_ACTION_SET_VALUE, &v, nullptr);
}

// Brings the resolution into [kMinDpi, kMaxDpi] when the device's own lies outside.
void chooseResolution(SANE_Handle h) {
  const SANE_Option_Descriptor* d = nullptr;
  const int i = findOption(h, SANE_NAME_SCAN_RESOLUTION, &d);
  if (i < 0 || (d->type != SANE_TYPE_INT && d->type != SANE_TYPE_FIXED) || d->size != sizeof(SANE_Word)) return;
  const bool fixed = d->type == SANE_TYPE_FIXED;
  auto toDpi = [fixed](SANE_Word w) { return fixed ? SANE_UNFIX(w) : static_cast<double>(w); };
  SANE_Word cur = 0;
  if (sane_control_option(h, i, SANE_ACTION_GET_VALUE, &cur, nullptr) != SANE_STATUS_GOOD) return;
  const double now = toDpi(cur);
  if (now >= kMinDpi && now <= kMaxDpi) return;
  const double want = std::clamp(now, kMinDpi, kMaxDpi);
  SANE_Word best = fixed ? SANE_FIX(want) : static_cast<SANE_Word>(want);
  if (d->constraint_type == SANE_CONSTRAINT_WORD_LIST && d->constraint.word_list) {
    const SANE_Int n = std::min<SANE_Int>(d->constraint.word_list[0], 1000);
    double bestGap = INFINITY;
    for (SANE_Int k = 1; k <= n; ++k) {
      const double gap = std::fabs(toDpi(d->constraint.word_list[k]) - want);
      if (gap < bestGap) {
        bestGap = gap;
        best = d->constraint.word_list[k];
      }
    }
    if (!std::isfinite(bestGap)) return;
  } else if (d->constraint_type == SANE_CONSTRAINT_RANGE && d->constraint.range) {
    const SANE_Range* r = d->constraint.range;
    best = std::clamp(best, r->min, r->max);
    if (r->quant > 0) best = r->min + ((best - r->min) / r->quant) * r->quant;
  }
  sane_control_option(h, i, SANE_ACTION_SET_VALUE, &best, nullptr);
}

// Sets one option from its text value; passed over when the device lacks it, the
// text does not fit the option's type, or the device refuses the value.
void applyOption(SANE_Handle h, const std::string& name, const std::string& value) {
  const SANE_Option_Descriptor* d = nullptr;
  const int i = findOption(h, name.c_str(), &d);
  if (i < 0) return;
  try {
    switch (d->type) {
      case SANE_TYPE_BOOL: {
        if (d->size != sizeof(SANE_Word)) return;
        SANE_Bool b = (value == "true" || value == "yes" || value == "1") ? SANE_TRUE : SANE_FALSE;
        sane_control_option(h, i, SANE_ACTION_SET_VALUE, &b, nullptr);
        return;
      }
      case SANE_TYPE_INT:
      case SANE_TYPE_FIXED: {
        if (d->size != sizeof(SANE_Word)) return;
        size_t used = 0;
        const double v = std::stod(value, &used);
        if (used != value.size() || !std::isfinite(v) || std::fabs(v) > 30000) return;
        SANE_Word w = d->type == SANE_TYPE_FIXED ? SANE_FIX(v) : static_cast<SANE_Word>(std::lround(v));
        sane_control_option(h, i, SANE_ACTION_SET_VALUE, &w, nullptr);
        return;
      }
      case SANE_TYPE_STRING: {
        if (d->size <= 0 || value.size() + 1 > static_cast<size_t>(d->size)) return;
        std::vector<char> buf(static_cast<size_t>(d->size), 0);
        std::memcpy(buf.data(), value.data(), value.size());
        sane_control_option(h, i, SANE_ACTION_SET_VALUE, buf.data(), nullptr);
        return;
      }
      default: return;
    }
  } catch (const std::exception&) {
    // A number that does not read: the option keeps its value.
  }
}

// ---- reading ----

struct Frame {
  SANE_Parameters p{};
  std::vector<unsigned char> data;
  int lines = 0;  // complete lines received
};

using Deadline = std::chrono::steady_clock::time_point;

const char* const kTimeOut = "Délai d'acquisition dépassé";

// Reads one frame after sane_start with `read`; false with a reason on failure, at the
// deadline or when *stop is set.
bool readFrame(SANE_Handle h, Frame* f, Scanner::ReadFunction read, Deadline deadline,
               const std::atomic<bool>* stop, std::string* error) {
  SANE_Status s = sane_get_parameters(h, &f->p);
  if (s != SANE_STATUS_GOOD) {
    setError(error, "Echec de l'acquisition : " + statusText(s));
    return false;
  }
  const SANE_Parameters& p = f->p;
  const int channels = p.format == SANE_FRAME_RGB ? 3 : 1;
  const bool knownFormat = p.format == SANE_FRAME_GRAY || p.format == SANE_FRAME_RGB ||
                           p.format == SANE_FRAME_RED || p.format == SANE_FRAME_GREEN ||
                           p.format == SANE_FRAME_BLUE;
  if (!knownFormat || (p.depth != 1 && p.depth != 8 && p.depth != 16) || p.pixels_per_line <= 0 ||
      p.pixels_per_line > 100000 || p.bytes_per_line <= 0 || p.lines > 100000) {
    setError(error, "Format d'image non pris en charge");
    return false;
  }
  const size_t bpl = static_cast<size_t>(p.bytes_per_line);
  const size_t bitsNeeded = static_cast<size_t>(p.pixels_per_line) * channels * static_cast<size_t>(p.depth);
  if (bpl < (bitsNeeded + 7) / 8) {
    setError(error, "Format d'image non pris en charge");
    return false;
  }
  const size_t expected = p.lines > 0 ? bpl * static_cast<size_t>(p.lines) : kMaxFrameBytes;
  if (expected > kMaxFrameBytes) {
    setError(error, "Image trop grande");
    return false;
  }
  if (p.lines > 0) f->data.reserve(expected);

  std::vector<unsigned char> buf(65536);
  size_t extra = 0;
  for (;;) {
    if (std::chrono::steady_clock::now() > deadline || stop->load()) {
      setError(error, kTimeOut);
      return false;
    }
    if (p.lines > 0 && expected - std::min(expected, f->data.size()) <= buf.size())
      std::this_thread::sleep_for(kLastReadPause);
    SANE_Int len = 0;
    s = static_cast<SANE_Status>(read(h, buf.data(), static_cast<int>(buf.size()), &len));
    if (s == SANE_STATUS_EOF) break;
    if (s != SANE_STATUS_GOOD) {
      setError(error, "Echec de l'acquisition : " + statusText(s));
      return false;
    }
    if (len <= 0) {
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
      continue;
    }
    const size_t n = std::min(static_cast<size_t>(len), buf.size());
    const size_t room = expected - std::min(expected, f->data.size());
    const size_t keep = std::min(n, room);
    f->data.insert(f->data.end(), buf.begin(), buf.begin() + static_cast<std::ptrdiff_t>(keep));
    extra += n - keep;
    if (extra > expected) {
      setError(error, "Echec de l'acquisition : données en trop");
      return false;
    }
  }
  f->lines = static_cast<int>(f->data.size() / bpl);
  if (f->lines <= 0) {
    setError(error, "Echec de l'acquisition : aucune donnée reçue");
    return false;
  }
  return true;
}

// Sample `c` of pixel x on line y as 0..255 (bounds checked by the caller).
int sampleAt(const Frame& f, int x, int y, int c, int channels) {
  const size_t row = static_cast<size_t>(y) * static_cast<size_t>(f.p.bytes_per_line);
  const size_t index = static_cast<size_t>(x) * channels + c;
  switch (f.p.depth) {
    case 1: {
      const unsigned char byte = f.data[row + index / 8];
      const bool on = (byte >> (7 - index % 8)) & 1;
      // Grey line art: 1 is black. Colour at 1 bit: 1 is full intensity.
      if (f.p.format == SANE_FRAME_GRAY) return on ? 0 : 255;
      return on ? 255 : 0;
    }
    case 16: {
      std::uint16_t v = 0;
      std::memcpy(&v, &f.data[row + index * 2], sizeof v);
      return v >> 8;
    }
    default: return f.data[row + index];
  }
}

// Picture of the frames read: one GRAY or RGB frame, or RED, GREEN and BLUE frames.
bool toImage(const std::vector<Frame>& frames, QImage* out, std::string* error) {
  if (frames.empty()) {
    setError(error, "Echec de l'acquisition : aucune donnée reçue");
    return false;
  }
  const int w = frames.front().p.pixels_per_line;
  int h = frames.front().lines;
  for (const Frame& f : frames) {
    if (f.p.pixels_per_line != w) {
      setError(error, "Format d'image non pris en charge");
      return false;
    }
    h = std::min(h, f.lines);
  }
  QImage img(w, h, QImage::Format_RGB32);
  if (img.isNull()) {
    setError(error, "Image trop grande");
    return false;
  }
  const Frame* red = nullptr;
  const Frame* green = nullptr;
  const Frame* blue = nullptr;
  const Frame& first = frames.front();
  if (first.p.format == SANE_FRAME_GRAY || first.p.format == SANE_FRAME_RGB) {
    red = green = blue = &first;
  } else {
    for (const Frame& f : frames) {
      if (f.p.format == SANE_FRAME_RED) red = &f;
      if (f.p.format == SANE_FRAME_GREEN) green = &f;
      if (f.p.format == SANE_FRAME_BLUE) blue = &f;
    }
    if (!red || !green || !blue) {
      setError(error, "Echec de l'acquisition : couleurs incomplètes");
      return false;
    }
  }
  const bool rgb = first.p.format == SANE_FRAME_RGB;
  for (int y = 0; y < h; ++y) {
    QRgb* line = reinterpret_cast<QRgb*>(img.scanLine(y));
    for (int x = 0; x < w; ++x) {
      if (rgb) {
        line[x] = qRgb(sampleAt(first, x, y, 0, 3), sampleAt(first, x, y, 1, 3), sampleAt(first, x, y, 2, 3));
      } else {
        line[x] = qRgb(sampleAt(*red, x, y, 0, 1), sampleAt(*green, x, y, 0, 1), sampleAt(*blue, x, y, 0, 1));
      }
    }
  }
  *out = img;
  return true;
}

// One acquisition under way: filled by the worker thread, read by the caller once
// `finished` is set. The worker then closes the device itself and sets `closed`, so
// that a backend whose cancel or close hangs holds up the worker, not the caller.
struct Acquisition {
  SANE_Handle handle = nullptr;
  Scanner::ReadFunction read = nullptr;
  Scanner::CloseFunction close = nullptr;
  Deadline deadline;
  std::atomic<bool> stop{false};
  std::mutex mutex;
  std::condition_variable changed;
  bool finished = false;
  bool closed = false;
  bool ok = false;
  std::string error;
  QImage image;
};

// Acquisitions given up while their read or their closing was blocked.
std::vector<std::shared_ptr<Acquisition>> g_leftovers;

// The frames and the picture, on the worker thread.
void runAcquisition(const std::shared_ptr<Acquisition>& a) {
  std::string error;
  QImage image;
  std::vector<Frame> frames;
  bool ok = true;
  for (int n = 0; n < 4 && ok; ++n) {
    const SANE_Status s = sane_start(a->handle);
    if (s != SANE_STATUS_GOOD) {
      setError(&error, "Echec de l'acquisition : " + statusText(s));
      ok = false;
      break;
    }
    frames.emplace_back();
    ok = readFrame(a->handle, &frames.back(), a->read, a->deadline, &a->stop, &error);
    if (!ok || frames.back().p.last_frame) break;
    if (frames.back().p.format == SANE_FRAME_GRAY || frames.back().p.format == SANE_FRAME_RGB) break;
  }
  if (ok) ok = toImage(frames, &image, &error);
  {
    std::lock_guard<std::mutex> lock(a->mutex);
    a->ok = ok;
    a->error = error;
    a->image = image;
    a->finished = true;
  }
  a->changed.notify_all();
  a->close(a->handle);
  {
    std::lock_guard<std::mutex> lock(a->mutex);
    a->closed = true;
  }
  a->changed.notify_all();
}

// Forgets the abandoned acquisitions whose worker has closed its device, waiting up to
// `wait` for them; true when none is left.
bool closeLeftovers(std::chrono::milliseconds wait) {
  const Deadline until = std::chrono::steady_clock::now() + wait;
  for (auto it = g_leftovers.begin(); it != g_leftovers.end();) {
    Acquisition& a = **it;
    std::unique_lock<std::mutex> lock(a.mutex);
    if (!a.changed.wait_until(lock, until, [&] { return a.closed; })) {
      ++it;
      continue;
    }
    lock.unlock();
    it = g_leftovers.erase(it);
  }
  return g_leftovers.empty();
}

// Scans with an open device: options on this thread, frames on a worker thread waited
// for until the time limit; then the read is cancelled and, if it still does not
// return, given up. False with a reason on failure. The worker closes the device; its
// closing is waited for a short while, then given up too (the picture read stands).
bool scan(SANE_Handle h, QImage* out, std::string* error) {
  chooseColour(h);
  chooseDepth(h);
  chooseResolution(h);
  for (const auto& [name, value] : g_options) applyOption(h, name, value);
  auto a = std::make_shared<Acquisition>();
  a->handle = h;
  a->read = g_read;
  a->close = g_close;
  a->deadline = std::chrono::steady_clock::now() + g_timeLimit;
  try {
    std::thread(runAcquisition, a).detach();
  } catch (const std::exception&) {
    g_close(h);
    setError(error, "Echec de l'acquisition : impossible de lancer la lecture");
    return false;
  }
  std::unique_lock<std::mutex> lock(a->mutex);
  const bool inTime = a->changed.wait_until(lock, a->deadline, [&] { return a->finished; });
  bool finished = inTime;
  if (!inTime) {
    // The read has not returned by the deadline: SANE lets another thread cancel it.
    a->stop = true;
    lock.unlock();
    sane_cancel(h);
    lock.lock();
    finished = a->changed.wait_for(lock, std::min(kCancelGrace, g_timeLimit), [&] { return a->finished; });
  }
  const bool closed = finished && a->changed.wait_for(lock, kCancelGrace, [&] { return a->closed; });
  lock.unlock();
  if (!closed) g_leftovers.push_back(a);
  if (!inTime || !a->ok) {
    setError(error, inTime ? a->error : std::string(kTimeOut));
    return false;
  }
  *out = a->image;
  return true;
}

}  // namespace

std::vector<ScanSource> Scanner::sources(std::string* error) {
  std::vector<ScanSource> out;
  if (error) error->clear();
  if (!start(error)) return out;
  const SANE_Device** list = nullptr;
  const SANE_Status s = sane_get_devices(&list, SANE_FALSE);
  if (s != SANE_STATUS_GOOD) {
    setError(error, "SANE ne trouve pas les sources : " + statusText(s));
    return out;
  }
  for (int i = 0; list && list[i] && i < 1000; ++i) {
    const SANE_Device* d = list[i];
    out.push_back({safe(d->name), safe(d->vendor), safe(d->model), safe(d->type)});
  }
  return out;
}

bool Scanner::selectSource(std::string* chosenName, std::string* error) {
  std::string why;
  const std::vector<ScanSource> list = sources(&why);
  if (list.empty()) {
    setError(error, why.empty() ? std::string("Aucune source d'acquisition trouvée") : why);
    return false;
  }
  std::vector<std::string> items;
  for (const ScanSource& s : list) items.push_back(s.vendor + " " + s.model + " (" + s.name + ")");
  const int i = dialogs().chooseItem("Sélection Source", items);
  if (i < 0 || static_cast<size_t>(i) >= list.size()) {
    setError(error, "Aucune source choisie");
    return false;
  }
  g_selected = list[static_cast<size_t>(i)].name;
  if (chosenName) *chosenName = g_selected;
  if (error) error->clear();
  return true;
}

std::string Scanner::selectedSource() { return g_selected; }

void Scanner::setSelectedSource(const std::string& name) { g_selected = name; }

void Scanner::setOptions(const std::vector<std::pair<std::string, std::string>>& options) {
  g_options = options;
}

void Scanner::setTimeLimit(std::chrono::milliseconds limit) {
  g_timeLimit = limit > std::chrono::milliseconds::zero() ? limit : kDefaultTimeLimit;
}

void Scanner::setReadFunction(ReadFunction read) { g_read = read ? read : saneRead; }

void Scanner::setCloseFunction(CloseFunction close) { g_close = close ? close : saneCancelAndClose; }

bool Scanner::acquire(Picture* out, std::string* error) {
  if (error) error->clear();
  closeLeftovers(std::chrono::milliseconds::zero());
  if (!start(error)) return false;
  std::string name = g_selected;
  if (name.empty()) {
    std::string why;
    const std::vector<ScanSource> list = sources(&why);
    if (list.empty()) {
      setError(error, why.empty() ? std::string("Aucune source d'acquisition trouvée") : why);
      return false;
    }
    name = list.front().name;
  }
  SANE_Handle h = nullptr;
  const SANE_Status s = sane_open(name.c_str(), &h);
  if (s != SANE_STATUS_GOOD || !h) {
    setError(error, "Impossible d'ouvrir la source " + name + " : " + statusText(s));
    return false;
  }
  QImage img;
  if (!scan(h, &img, error)) return false;
  if (out) *out = Picture::fromQImage(img);
  return true;
}

void Scanner::shutdown() {
  if (!g_started) return;
  // A backend is never unloaded under a read that has not returned.
  if (!closeLeftovers(kCancelGrace)) return;
  sane_exit();
  g_started = false;
}

}  // namespace platform
