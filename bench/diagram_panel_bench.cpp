// The diagram panel's computation of a 3,000-value data text (read, sort, dominant
// value, statistics and result text) beside a plain reading of the same text with
// Val_Decimal and std::sort; then the whole recomputation in the window, diagram
// included, as a drag of the origin bar repeats it at every step.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "base/helpers.h"
#include "bench_support.h"
#include "forms/stat_window.h"
#include "statwindow/data_series.h"
#include "statwindow/diagram_panel.h"
#include "statwindow/stat_window.h"

namespace {

constexpr int kValues = 3000;

// Spore lengths as a grid column gives them: about 10 +- 1.2, two decimals, each
// followed by ";".
const std::string& dataText() {
  static const std::string text = [] {
    std::mt19937 rng(11);
    std::normal_distribution<double> length(10, 1.2);
    std::string t;
    for (int i = 0; i < kValues; ++i) {
      const long centi = std::lround(length(rng) * 100);
      t += std::to_string(centi / 100) + "," + (centi % 100 < 10 ? "0" : "") + std::to_string(centi % 100) + ";";
    }
    return t;
  }();
  return text;
}

void BM_PanelComputation(benchmark::State& state) {
  const std::array<float, 17> modes{};
  for (auto _ : state) {
    const auto s = Mcharge_data(dataText());
    ResultInput in;
    in.horodatage = "01/02/2024 - 10:20:30";
    in.colonne = "1";
    in.nomColonne = "Long.";
    in.donnees = s->donnees;
    in.modes = modes;
    const ResultText r = Texte_Resultats(in);
    benchmark::DoNotOptimize(r.statistiques.data());
  }
}
BENCHMARK(BM_PanelComputation)->Unit(benchmark::kMicrosecond);

void BM_ReadAndSortBaseline(benchmark::State& state) {
  const std::string& text = dataText();
  std::vector<double> v;
  for (auto _ : state) {
    v.clear();
    std::size_t debut = 0;
    for (std::size_t fin = text.find(';'); fin != std::string::npos; fin = text.find(';', debut)) {
      v.push_back(Val_Decimal(text.substr(debut, fin - debut)));
      debut = fin + 1;
    }
    std::sort(v.begin(), v.end());
    benchmark::DoNotOptimize(v.data());
  }
}
BENCHMARK(BM_ReadAndSortBaseline)->Unit(benchmark::kMicrosecond);

void BM_RecomputationWithDiagram(benchmark::State& state) {
  FenHisto& f = StatWindow();
  f.MText3.setText(dataText());
  for (auto _ : state) Mcalcul(dataText(), 0);
}
BENCHMARK(BM_RecomputationWithDiagram)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  return bench::runBenchmarks(argc, argv, [] { StatWindow().load(); }, [] { UnloadStatisticsWindow(); });
}
