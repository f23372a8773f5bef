#pragma once
// What the benchmark programs share: a headless application and a camera-sized picture.

#include <benchmark/benchmark.h>

#include <QImage>

#include <cstdlib>
#include <functional>

#include "platform/app.h"
#include "platform/picture.h"

namespace bench {

// A 4000 x 3000 picture with some structure (no constant runs).
inline const platform::Picture& cameraPicture() {
  static const platform::Picture pic = [] {
    QImage img(4000, 3000, QImage::Format_RGB32);
    for (int y = 0; y < img.height(); ++y) {
      auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
      for (int x = 0; x < img.width(); ++x) line[x] = qRgb(x & 0xFF, y & 0xFF, (x ^ y) & 0xFF);
    }
    return platform::Picture::fromQImage(img);
  }();
  return pic;
}

// Runs the registered benchmarks in a headless application; `before` and `after` run
// around them (program folder, scripted answers, clean-up).
inline int runBenchmarks(int argc, char** argv, const std::function<void()>& before = {},
                         const std::function<void()>& after = {}) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  platform::App::initForTests(argc, argv);
  if (before) before();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  if (after) after();
  return 0;
}

}  // namespace bench
