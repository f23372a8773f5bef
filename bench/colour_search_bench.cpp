// Cost of one nearest-entry search by CIEDE2000 for 15 results on a 3,000-entry chart
// of fixed random colours, beside a plain loop that computes the distance of every
// entry once. The search computes each distance once and then picks 15 times among
// the stored distances, so it should stay within twice the loop.

#include <benchmark/benchmark.h>

#include "bench_support.h"

#include <memory>
#include <random>
#include <string>

#include "colour/chart.h"
#include "colour/colour_difference.h"
#include "colour/nearest_search.h"

namespace {

struct Chart {
  std::unique_ptr<TableNuancier> valeurs = std::make_unique<TableNuancier>();
  std::unique_ptr<NomsNuancier> noms = std::make_unique<NomsNuancier>();
  Chart() {
    std::mt19937 gen(20240312);
    std::uniform_real_distribution<float> l(0, 100), ab(-100, 100), rvb(0, 255);
    for (int i = 1; i <= kMaxNuancier; ++i) {
      for (int c = 1; c <= 3; ++c) (*valeurs)(i, c) = rvb(gen);
      (*valeurs)(i, 4) = l(gen);
      (*valeurs)(i, 5) = ab(gen);
      (*valeurs)(i, 6) = ab(gen);
      (*noms)(i) = "entrée " + std::to_string(i);
    }
  }
  VueNuancier vue() const { return {*valeurs, *noms, kMaxNuancier}; }
};

const Chart& chart() {
  static const Chart c;
  return c;
}

void BM_SearchCiede2000(benchmark::State& state) {
  DemandeAjust d;
  d.formule = kDeltaCIE2000;
  d.entree = {"42.3", "58.59", "32.19"};
  d.nombre = "15";
  d.entete = "entete";
  const VueNuancier v = chart().vue();
  for (auto _ : state) {
    ResultatAjust r = calcul_Ajust(d, v);
    benchmark::DoNotOptimize(r.texte);
  }
}
BENCHMARK(BM_SearchCiede2000)->Unit(benchmark::kMicrosecond);

void BM_PlainCiede2000Loop(benchmark::State& state) {
  const VueNuancier v = chart().vue();
  const Couleur3 entree{42.3, 58.59, 32.19};
  for (auto _ : state) {
    double somme = 0;
    for (int j = 1; j <= v.nb; ++j)
      somme += Delta_E2000(entree, {v.valeurs(j, 4), v.valeurs(j, 5), v.valeurs(j, 6)});
    benchmark::DoNotOptimize(somme);
  }
}
BENCHMARK(BM_PlainCiede2000Loop)->Unit(benchmark::kMicrosecond);

// Both back to back in each iteration, for the counter `ratio` (search over loop).
void BM_SearchBesideLoop(benchmark::State& state) {
  DemandeAjust d;
  d.formule = kDeltaCIE2000;
  d.entree = {"42.3", "58.59", "32.19"};
  d.nombre = "15";
  const VueNuancier v = chart().vue();
  const Couleur3 entree{42.3, 58.59, 32.19};
  bench::PairedTimes times;
  for (auto _ : state) {
    const double base = bench::PairedTimes::time([&] {
      double somme = 0;
      for (int j = 1; j <= v.nb; ++j)
        somme += Delta_E2000(entree, {v.valeurs(j, 4), v.valeurs(j, 5), v.valeurs(j, 6)});
      benchmark::DoNotOptimize(somme);
    });
    const double ours = bench::PairedTimes::time([&] {
      ResultatAjust r = calcul_Ajust(d, v);
      benchmark::DoNotOptimize(r.texte);
    });
    state.SetIterationTime(ours);
    times.add(ours, base);
  }
  times.report(state);
}
BENCHMARK(BM_SearchBesideLoop)->Unit(benchmark::kMillisecond)->UseManualTime();

}  // namespace

int main(int argc, char** argv) { return bench::runBenchmarks(argc, argv); }
