// The picture view of the main window with a 4000 x 3000 camera picture: a repaint of
// the view into Picture1 (with the refresh of the hidden copies), one zoom step in and
// one out through the zoom buttons (thumbnail and frame included), loading the picture
// from a BMP file, and writing it as a JPEG of quality 100 through the 24-bit bitmap.

#include <benchmark/benchmark.h>

#include "bench_support.h"

#include <QImage>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "forms/main_window.h"
#include "images/dib_section.h"
#include "images/image_state.h"
#include "images/picture_save.h"
#include "images/picture_view.h"
#include "platform/app.h"
#include "platform/dialogs.h"
#include "platform/events.h"
#include "platform/picture.h"

namespace {

using platform::Picture;

using bench::cameraPicture;

// A temporary program folder holding the picture as a BMP file.
const std::string& folder() {
  static const std::string dir = [] {
    std::string tmpl = (std::filesystem::temp_directory_path() / "qv_bench_vue_XXXXXX").string();
    return mkdtemp(tmpl.data()) ? tmpl : std::string("/tmp");
  }();
  return dir;
}

const std::string& bmpPath() {
  static const std::string p = [] {
    const std::string path = folder() + "/camera.bmp";
    cameraPicture().saveBmp(path);
    return path;
  }();
  return p;
}

// The main window, shown, with the camera picture loaded at the fitted zoom.
QVL& window() {
  QVL& f = Qvl();
  if (f.picbase.picture().isNull()) {
    f.show();
    platform::DoEvents();
    Charge_Image_Memoire(bmpPath());
  }
  return f;
}

void BM_RepaintView(benchmark::State& state) {
  QVL& f = window();
  for (auto _ : state) {
    Affiche_Image(Expo_Zoom);
    benchmark::DoNotOptimize(f.Picture1.point(100, 100));
  }
}
BENCHMARK(BM_RepaintView)->Unit(benchmark::kMillisecond);

void BM_ZoomStepInAndOut(benchmark::State& state) {
  QVL& f = window();
  Retrace_Zoom = false;
  for (auto _ : state) {
    Bouton_Zoom(0);
    Bouton_Zoom(1);
    benchmark::DoNotOptimize(f.Picture1.point(100, 100));
  }
  state.SetItemsProcessed(2 * state.iterations());   // zoom steps
}
BENCHMARK(BM_ZoomStepInAndOut)->Unit(benchmark::kMillisecond);

void BM_LoadPictureFile(benchmark::State& state) {
  window();
  for (auto _ : state) benchmark::DoNotOptimize(Charge_Image_Memoire(bmpPath()));
}
BENCHMARK(BM_LoadPictureFile)->Unit(benchmark::kMillisecond);

void BM_SaveJpegThroughBitmap(benchmark::State& state) {
  const std::string out = folder() + "/camera.jpg";
  for (auto _ : state) benchmark::DoNotOptimize(Sauve_Jpeg_Image(cameraPicture(), out));
}
BENCHMARK(BM_SaveJpegThroughBitmap)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  return bench::runBenchmarks(
      argc, argv,
      [] {
        platform::App::setPath(folder());
        // Questions of the start-up chain (the settings file created...) get neutral answers.
        platform::setDialogs(std::make_unique<platform::ScriptedDialogs>());
      },
      [] {
        std::error_code ec;
        std::filesystem::remove_all(folder(), ec);
      });
}
