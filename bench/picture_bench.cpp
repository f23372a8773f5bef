// Repainting the measured picture: a 4000 x 3000 camera picture painted into an
// 1100 x 800 picture box, fitted whole and through a zoomed source window, plus the
// rubber band (a line drawn twice in XOR) and the copy of the box's image taken after
// each repaint.

#include <benchmark/benchmark.h>

#include "bench_support.h"

#include <QImage>

#include <cstdlib>
#include <memory>

#include "platform/app.h"
#include "platform/form.h"
#include "platform/picturebox.h"

namespace {

using platform::Picture;
using platform::PictureBox;

using bench::cameraPicture;

struct Scene {
  platform::Form form{"BenchForm"};
  std::unique_ptr<PictureBox> box;
  Scene() {
    box = std::make_unique<PictureBox>(form, "Picture1");
    box->setBorderStyle(0);
    box->move(0, 0, 1100 * 15.0, 800 * 15.0);
    box->setAutoRedraw(true);
  }
};

void BM_PaintPictureFitted(benchmark::State& state) {
  Scene s;
  const Picture& pic = cameraPicture();
  const double w = s.box->scaleWidth();
  for (auto _ : state) {
    s.box->cls();
    s.box->paintPicture(pic, 0, 0, w, w * 3000 / 4000, 0, 0, pic.width(), pic.height());
    benchmark::DoNotOptimize(s.box->point(10, 10));
  }
}
BENCHMARK(BM_PaintPictureFitted)->Unit(benchmark::kMillisecond);

void BM_PaintPictureZoomedWindow(benchmark::State& state) {
  Scene s;
  const Picture& pic = cameraPicture();
  const double w = s.box->scaleWidth();
  // A quarter of the picture's width from (1000, 800) pixels: about 1.1 x magnified.
  for (auto _ : state) {
    s.box->cls();
    s.box->paintPicture(pic, 0, 0, w, w * 3000 / 4000, 1000 * 15.0, 800 * 15.0, 1000 * 15.0, 750 * 15.0);
    benchmark::DoNotOptimize(s.box->point(10, 10));
  }
}
BENCHMARK(BM_PaintPictureZoomedWindow)->Unit(benchmark::kMillisecond);

void BM_PaintPictureFixedScale(benchmark::State& state) {
  // The main picture box: a fixed logical width whatever its pixel size.
  Scene s;
  s.box->setFixedScaleWidth(11761);
  const Picture& pic = cameraPicture();
  for (auto _ : state) {
    s.box->cls();
    s.box->paintPicture(pic, 0, 0, 11761, 11761 * 0.75, 0, 0, pic.width(), pic.height());
    benchmark::DoNotOptimize(s.box->point(10, 10));
  }
}
BENCHMARK(BM_PaintPictureFixedScale)->Unit(benchmark::kMillisecond);

void BM_RubberBandXorLine(benchmark::State& state) {
  Scene s;
  s.box->paintPicture(cameraPicture(), 0, 0, s.box->scaleWidth(), s.box->scaleHeight(), 0, 0,
                      cameraPicture().width(), cameraPicture().height());
  s.box->setDrawMode(platform::kXorPen);
  s.box->setDrawWidth(2);
  for (auto _ : state) {
    s.box->line(300, 300, 15000, 11000);
    s.box->line(300, 300, 15000, 11000);
  }
}
BENCHMARK(BM_RubberBandXorLine)->Unit(benchmark::kMicrosecond);

void BM_ImageAfterDrawing(benchmark::State& state) {
  // image() shares the pixels; the next drawing then copies the canvas once.
  Scene s;
  for (auto _ : state) {
    const Picture img = s.box->image();
    s.box->pset(15, 15, 0x0000FF);
    benchmark::DoNotOptimize(img.pixel(1, 1));
  }
}
BENCHMARK(BM_ImageAfterDrawing)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) { return bench::runBenchmarks(argc, argv); }
