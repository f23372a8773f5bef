// Dominant value of a full grid column (3,000 sorted values, element 0 empty), once
// with spread values and once all equal, beside what the reports do just before it:
// copying 3,000 spread values that arrive in grid order and sorting them.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "stats/dominant.h"

namespace {

constexpr int kValues = 3000;

// Spore lengths as the grid shows them: about 10 +- 1.2, two decimals, in grid order.
std::vector<double> gridOrder() {
  std::mt19937 rng(11);
  std::normal_distribution<double> length(10, 1.2);
  std::vector<double> v(kValues);
  for (double& x : v) x = std::round(length(rng) * 100) / 100;
  return v;
}

// The same values sorted into elements 1 to 3,000 of a sample.
std::vector<double> sortedSample(const std::vector<double>& values) {
  std::vector<double> s = values;
  std::sort(s.begin(), s.end());
  s.insert(s.begin(), 0.0);
  return s;
}

void BM_DominantSpread(benchmark::State& state) {
  const std::vector<double> sample = sortedSample(gridOrder());
  for (auto _ : state) benchmark::DoNotOptimize(stats::Valeur_Dominante(sample));
}
BENCHMARK(BM_DominantSpread);

void BM_DominantAllEqual(benchmark::State& state) {
  std::vector<double> sample(kValues + 1, 9.75);
  sample[0] = 0;
  for (auto _ : state) benchmark::DoNotOptimize(stats::Valeur_Dominante(sample));
}
BENCHMARK(BM_DominantAllEqual);

void BM_CopyAndSortSpread(benchmark::State& state) {
  const std::vector<double> values = gridOrder();
  std::vector<double> work(values.size());
  for (auto _ : state) {
    std::copy(values.begin(), values.end(), work.begin());
    std::sort(work.begin(), work.end());
    benchmark::DoNotOptimize(work.data());
  }
}
BENCHMARK(BM_CopyAndSortSpread);

}  // namespace

BENCHMARK_MAIN();
