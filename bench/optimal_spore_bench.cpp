// Cost of marking the optimal spore with the option "c 3" (dominant length and width,
// each difference weighed by the other quantity's sigma) on a full-size grid of
// spores in two dimensions (3,001 rows, 2,999 measured), on the shown main window.
// BM_OptimalSporeAt3000 times Spore_Optimale beside the full statistics update after
// one new row (row write, Calcul_stat, Entetes_Stat) in the same iterations and
// reports the median of their ratios as `ratio`.

#include <benchmark/benchmark.h>

#include "bench_support.h"
#include "window_bench_support.h"

#include <memory>
#include <random>
#include <string>
#include <vector>

#include "base/globals.h"
#include "forms/main_window.h"
#include "measure/grid_statistics.h"
#include "measure/measure_state.h"
#include "platform/dialogs.h"
#include "platform/events.h"
#include "platform/runtime.h"
#include "reports/spore_marking.h"
#include "reports/stat_rows.h"

namespace {

constexpr int kRows = 3001;
constexpr int kNewRow = kRows - 2;
constexpr int kOptionC3 = 9;

void prepare() {
  static bool done = false;
  if (done) return;
  done = true;
  QVL& f = bench::showMainWindow();
  bench::fillSporeGrid(f, kRows, kNewRow);
  EtapeClic = 1;
  LigneCourante = kNewRow + 1;
  Calcul_stat();
  Entetes_Stat();
  for (int i = 0; i <= 11; ++i) f.nspo1(i).setChecked(i == kOptionC3);
  platform::DoEvents();
}

void BM_OptimalSporeAt3000(benchmark::State& state) {
  prepare();
  QVL& f = Qvl();
  const std::vector<std::string> a = bench::sporeRowTexts(12.1, 6.9), b = bench::sporeRowTexts(10.4, 6.1);
  bool flip = false;
  bench::PairedTimes times;
  for (auto _ : state) {
    const double base = bench::PairedTimes::time([&] {
      bench::writeSporeRow(f.GrilleRef, kNewRow, flip ? a : b);
      flip = !flip;
      Calcul_stat();
      Entetes_Stat();
    });
    const double ours = bench::PairedTimes::time([] { Spore_Optimale(); });
    state.SetIterationTime(ours);
    times.add(ours, base);
  }
  times.report(state);
}
BENCHMARK(BM_OptimalSporeAt3000)->Unit(benchmark::kMillisecond)->UseManualTime();

}  // namespace

int main(int argc, char** argv) {
  return bench::runBenchmarks(argc, argv, {}, [] { platform::setDialogs(nullptr); });
}
