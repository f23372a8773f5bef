// Cost of marking the optimal spore with the option "c 3" (dominant length and width,
// each difference weighed by the other quantity's sigma) on a full-size grid of
// spores in two dimensions (3,001 rows, 2,999 measured), on the shown main window.
// BM_OptimalSporeAt3000 times Spore_Optimale beside the full statistics update after
// one new row (row write, Calcul_stat, Entetes_Stat) in the same iterations and
// reports the median of their ratios as `ratio`.

#include <benchmark/benchmark.h>

#include "bench_support.h"

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
constexpr int kValueCols = 4;
constexpr int kOptionC3 = 9;

std::vector<std::string> rowTexts(double l, double w) {
  return {platform::Format(l, Format_Decimal), platform::Format(w, Format_Decimal),
          platform::Format(l / w, Format_Decimal), platform::Format(w * w * l * 3.14159 / 6, Format_Decimal)};
}

void writeRow(platform::FlexGrid& g, int r, const std::vector<std::string>& values) {
  g.setTextMatrix(r, 0, std::to_string(r));
  for (int c = 1; c <= kValueCols; ++c) g.setTextMatrix(r, c, values[c - 1]);
  g.setTextMatrix(r, 5, "1");
  g.setTextMatrix(r, 6, "");
}

void prepare() {
  static bool done = false;
  if (done) return;
  done = true;
  platform::setDialogs(std::make_unique<platform::ScriptedDialogs>());
  QVL& f = Qvl();
  f.show();
  platform::DoEvents();
  platform::SetDecimalSeparator('.');
  Format_Decimal = "###0.00";
  FonctionCourante = 2;
  NbCellules = 2;
  EtapeClic = 1;
  Der_Colonne = kValueCols;
  f.Check(3).setValue(1);
  platform::FlexGrid& g = f.GrilleRef;
  g.setRows(kRows);
  g.setCols(7);
  f.GrilleRefP.setCols(7);
  const char* headings[] = {"N°", "L", "l", "Q", "V", "img", "comment"};
  for (int c = 0; c < 7; ++c) g.setTextMatrix(0, c, headings[c]);
  std::mt19937 gen(12345);
  std::normal_distribution<double> length(11.0, 1.2), width(6.5, 0.6);
  for (int r = 1; r <= kNewRow; ++r) writeRow(g, r, rowTexts(length(gen), width(gen)));
  LigneCourante = kNewRow + 1;
  Calcul_stat();
  Entetes_Stat();
  for (int i = 0; i <= 11; ++i) f.nspo1(i).setChecked(i == kOptionC3);
  platform::DoEvents();
}

void BM_OptimalSporeAt3000(benchmark::State& state) {
  prepare();
  QVL& f = Qvl();
  const std::vector<std::string> a = rowTexts(12.1, 6.9), b = rowTexts(10.4, 6.1);
  bool flip = false;
  bench::PairedTimes times;
  for (auto _ : state) {
    const double base = bench::PairedTimes::time([&] {
      writeRow(f.GrilleRef, kNewRow, flip ? a : b);
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
