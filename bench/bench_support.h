#pragma once
// What the benchmark programs share: a headless application and a camera-sized picture.

#include <benchmark/benchmark.h>

#include <QImage>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <vector>

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

// Times of a piece of work and of its baseline measured back to back in each
// iteration, so that both see the same load of the machine. report() gives the medians
// of both (counters `ours_ms` and `base_ms`) and the median of the per-iteration
// ratios (counter `ratio`).
class PairedTimes {
 public:
  using Clock = std::chrono::steady_clock;

  // Runs fn and returns its wall time in seconds.
  template <class F>
  static double time(F&& fn) {
    const Clock::time_point t0 = Clock::now();
    fn();
    return std::chrono::duration<double>(Clock::now() - t0).count();
  }

  void add(double ours, double base) {
    ours_.push_back(ours);
    base_.push_back(base);
    if (base > 0) ratios_.push_back(ours / base);
  }

  void report(benchmark::State& state) const {
    state.counters["ours_ms"] = median(ours_) * 1000;
    state.counters["base_ms"] = median(base_) * 1000;
    state.counters["ratio"] = median(ratios_);
  }

  static double median(std::vector<double> v) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    const std::size_t h = v.size() / 2;
    return v.size() % 2 ? v[h] : (v[h - 1] + v[h]) / 2;
  }

 private:
  std::vector<double> ours_, base_, ratios_;
};

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
