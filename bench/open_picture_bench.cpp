// Opening a 20-megapixel camera JPEG (5472 x 3648, quality 92) through the image menu's
// open command (Ouvre_Image: file dialog answered by script, decoding, the list entry,
// the thumbnail and the fitted view), beside a plain decode of the same file by the
// JPEG library into 24-bit rows, which is the floor of any reader of the file. The
// open command's 0.2 s pause is kept with its event turn, on a clock that ends it at
// once: it is behaviour, not cost.
//
// BM_OpenJpeg20MP times the open command and the library decode back to back in each
// iteration (after one open that is not timed: the first show of the picture loads
// fonts and styles) and reports the median of their ratios as `ratio`.

#include <benchmark/benchmark.h>

#include "bench_support.h"
#include "window_bench_support.h"

#include <QImage>
#include <QImageWriter>

#include <unistd.h>

#include <cstddef>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include <jpeglib.h>

#include "base/globals.h"
#include "forms/main_window.h"
#include "images/image_files.h"
#include "images/image_list.h"
#include "images/image_state.h"
#include "measure/measure_state.h"
#include "platform/dialogs.h"
#include "platform/events.h"
#include "platform/picture.h"

namespace {

constexpr int kWidth = 5472;
constexpr int kHeight = 3648;
constexpr int kQuality = 92;

// Each reading of the clock moves it on half a second: waits end after one event turn.
class StepClock final : public platform::Clock {
 public:
  double monotonicSeconds() override { return now_ += 0.5; }
  double secondsSinceMidnight() override { return 43200.0; }

 private:
  double now_ = 1000.0;
};

std::filesystem::path folder() {
  static const std::filesystem::path p =
      std::filesystem::temp_directory_path() / ("qv-bench-open-" + std::to_string(::getpid()));
  return p;
}

// A camera-like picture: smooth shading with grain, so that the file has the size and
// the decoding cost of a real photograph (about 1 byte per pixel at this quality).
std::string cameraJpeg() {
  static const std::string path = [] {
    std::filesystem::create_directories(folder());
    QImage img(kWidth, kHeight, QImage::Format_RGB32);
    std::mt19937 gen(7);
    std::uniform_int_distribution<int> grain(-12, 12);
    for (int y = 0; y < kHeight; ++y) {
      auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
      for (int x = 0; x < kWidth; ++x) {
        const int g = grain(gen);
        const int r = 90 + 80 * x / kWidth + g, gr = 120 + 60 * y / kHeight + g,
                  b = 150 + ((x / 97 + y / 61) % 7) * 9 + g;
        line[x] = qRgb(std::clamp(r, 0, 255), std::clamp(gr, 0, 255), std::clamp(b, 0, 255));
      }
    }
    const std::string p = (folder() / "camera.jpg").string();
    QImageWriter w(QString::fromStdString(p), "jpeg");
    w.setQuality(kQuality);
    if (!w.write(img)) std::fprintf(stderr, "cannot write %s\n", p.c_str());
    return p;
  }();
  return path;
}

// The library's own decode of the file into 24-bit rows, as its command-line decoder
// does; returns the sum of the first bytes of each row so that nothing is skipped.
unsigned long libraryDecode(const std::string& path) {
  FILE* in = std::fopen(path.c_str(), "rb");
  if (!in) return 0;
  jpeg_decompress_struct info{};
  jpeg_error_mgr err{};
  info.err = jpeg_std_error(&err);
  jpeg_create_decompress(&info);
  jpeg_stdio_src(&info, in);
  jpeg_read_header(&info, TRUE);
  info.out_color_space = JCS_RGB;
  jpeg_start_decompress(&info);
  std::vector<unsigned char> row(static_cast<std::size_t>(info.output_width) * info.output_components);
  unsigned long sum = 0;
  while (info.output_scanline < info.output_height) {
    JSAMPROW p = row.data();
    jpeg_read_scanlines(&info, &p, 1);
    sum += row[0];
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  std::fclose(in);
  return sum;
}

// The open command on the file, the dialog answered by script and the list emptied
// first so that the picture is added as a new entry.
void openCamera(const std::string& path) {
  Vide_Listes();
  auto d = std::make_unique<platform::ScriptedDialogs>();
  d->answerOpen({path});
  platform::setDialogs(std::move(d));
  Ouvre_Image();
}

void prepare() {
  static bool done = false;
  if (done) return;
  done = true;
  bench::showMainWindow();
  platform::setClock(std::make_unique<StepClock>());
  EtapeClic = 1;
  openCamera(cameraJpeg());
}

void BM_OpenJpeg20MP(benchmark::State& state) {
  prepare();
  const std::string path = cameraJpeg();
  bench::PairedTimes times;
  for (auto _ : state) {
    const double base = bench::PairedTimes::time([&] { benchmark::DoNotOptimize(libraryDecode(path)); });
    const double ours = bench::PairedTimes::time([&] { openCamera(path); });
    state.SetIterationTime(ours);
    times.add(ours, base);
  }
  if (Qvl().picbase.picture().widthPixels() != kWidth) state.SkipWithError("the picture was not opened");
  times.report(state);
}
BENCHMARK(BM_OpenJpeg20MP)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(9);

}  // namespace

int main(int argc, char** argv) {
  return bench::runBenchmarks(argc, argv, {}, [] {
    Vide_Listes();
    platform::setClock(nullptr);
    platform::setDialogs(nullptr);
    std::error_code ec;
    std::filesystem::remove_all(folder(), ec);
  });
}
