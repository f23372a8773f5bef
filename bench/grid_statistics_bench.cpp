// Cost of the live statistics after one new measurement on a full-size grid (3,001
// rows of the spores-in-two-dimensions layout, 2,999 rows measured): writing the row,
// Calcul_stat and Entetes_Stat (with the column deciles), on the shown main window.
// BM_NewRowAt3000 times it beside a plain recomputation of the same four columns (read
// the texts, sort, moments, extremes, median and deciles, nothing written back) in
// the same iterations and reports the median of their ratios as `ratio`.

#include <benchmark/benchmark.h>

#include "bench_support.h"
#include "window_bench_support.h"

#include <cstdlib>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "base/globals.h"
#include "base/helpers.h"
#include "forms/main_window.h"
#include "measure/grid_statistics.h"
#include "measure/measure_state.h"
#include "platform/app.h"
#include "platform/dialogs.h"
#include "platform/events.h"
#include "platform/runtime.h"
#include "reports/deciles.h"
#include "reports/stat_rows.h"
#include "stats/descriptive.h"

namespace {

constexpr int kRows = 3001;        // Taille_Grille 3000 + the heading row
constexpr int kNewRow = kRows - 2; // the row each iteration writes (2999)
constexpr int kValueCols = bench::kSporeValueCols;

// The main window shown once, its grid laid out and filled up to the new row.
void prepare() {
  static bool done = false;
  if (done) return;
  done = true;
  QVL& f = bench::showMainWindow();
  bench::fillSporeGrid(f, kRows, kNewRow - 1);
  LigneCourante = kNewRow;
  platform::DoEvents();
}

// Plain recomputation of the value columns: read the texts, sort, moments, extremes,
// median and deciles; nothing formatted or written back.
double Recalcul_Plain(platform::FlexGrid& g) {
  double total = 0;
  for (int c = 1; c <= kValueCols; ++c) {
    std::vector<double> v;
    v.reserve(kNewRow);
    for (int r = 1; r < LigneCourante; ++r) {
      const double x = Val_Decimal(g.textMatrix(r, c));
      if (x > 0) v.push_back(x);
    }
    stats::sortAscending(v);
    const stats::SampleMoments m = stats::computeMoments(v, 0.001);
    const DecileSummary d = computeDeciles(v);
    total += m.mean + m.sigma + m.skewness + m.kurtosis + v.front() + v.back() + d.median + d.d1 + d.d9;
  }
  return total;
}

// Row write, Calcul_stat and Entetes_Stat, as after a finished measurement, beside the
// plain recomputation.
void BM_NewRowAt3000(benchmark::State& state) {
  prepare();
  QVL& f = Qvl();
  const std::vector<std::string> a = bench::sporeRowTexts(12.1, 6.9), b = bench::sporeRowTexts(10.4, 6.1);
  bool flip = false;
  bench::PairedTimes times;
  for (auto _ : state) {
    const double ours = bench::PairedTimes::time([&] {
      bench::writeSporeRow(f.GrilleRef, kNewRow, flip ? a : b);
      flip = !flip;
      LigneCourante = kNewRow + 1;
      Calcul_stat();
      Entetes_Stat();
    });
    const double base = bench::PairedTimes::time([&] { benchmark::DoNotOptimize(Recalcul_Plain(f.GrilleRef)); });
    state.SetIterationTime(ours);
    times.add(ours, base);
  }
  times.report(state);
}
BENCHMARK(BM_NewRowAt3000)->Unit(benchmark::kMillisecond)->UseManualTime();

// The same followed by the repaint of the shown window.
void BM_UpdateAfterNewRowWithRepaint(benchmark::State& state) {
  prepare();
  QVL& f = Qvl();
  const std::vector<std::string> a = bench::sporeRowTexts(12.1, 6.9), b = bench::sporeRowTexts(10.4, 6.1);
  bool flip = false;
  for (auto _ : state) {
    bench::writeSporeRow(f.GrilleRef, kNewRow, flip ? a : b);
    flip = !flip;
    LigneCourante = kNewRow + 1;
    Calcul_stat();
    Entetes_Stat();
    platform::DoEvents();
  }
}
BENCHMARK(BM_UpdateAfterNewRowWithRepaint)->Unit(benchmark::kMillisecond);

// The two parts of the update alone, on the same grid.
void BM_CalculStatOnly(benchmark::State& state) {
  prepare();
  LigneCourante = kNewRow + 1;
  for (auto _ : state) Calcul_stat();
}
BENCHMARK(BM_CalculStatOnly)->Unit(benchmark::kMillisecond);

void BM_EntetesStatOnly(benchmark::State& state) {
  prepare();
  LigneCourante = kNewRow + 1;
  for (auto _ : state) Entetes_Stat();
}
BENCHMARK(BM_EntetesStatOnly)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  return bench::runBenchmarks(argc, argv, {}, [] { platform::setDialogs(nullptr); });
}
