// The results file of a full grid (3,000 spores of two dimensions on two images, a
// comment on every tenth row) on the shown main window.
//
//   BM_Import3000   "fich.CSV=> grille" of the 3,000-row export (Ouvre_CSV: the file
//                   read whole, the grid cleared, laid out and filled); beside it a bare
//                   parse of the same file: its lines split at ";" and every field
//                   converted to a number into one vector. Counter `ratio` = import /
//                   parse.
//   BM_Export3000   "Export grille sous ..." of the 3,000-row grid (Export_Resultats(1):
//                   statistics refreshed, the file's lines built and written); beside
//                   it one statistics refresh (Calcul_stat and Entetes_Stat) and a
//                   plain write of the same lines. Counter `ratio` = export / baseline.
//
// Each iteration first changes one cell of the grid so that both sides refresh real
// statistics; the flash of the import ends at once on a clock that runs ahead.

#include <benchmark/benchmark.h>

#include "bench_support.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "base/globals.h"
#include "forms/main_window.h"
#include "measure/grid_statistics.h"
#include "measure/measure_state.h"
#include "measure/row_writers.h"
#include "platform/dialogs.h"
#include "platform/events.h"
#include "platform/runtime.h"
#include "platform/textfile.h"
#include "reports/report_commands.h"
#include "reports/report_source.h"
#include "reports/stat_rows.h"
#include "shell/function_switch.h"

namespace {

namespace fs = std::filesystem;

constexpr int kRows = 3000;

// Each reading of the clock moves it on ten seconds: the flash ends after one turn.
class StepClock final : public platform::Clock {
 public:
  double monotonicSeconds() override { return now_ += 10.0; }
  double secondsSinceMidnight() override { return 43200.0; }

 private:
  double now_ = 1000.0;
};

fs::path folder() {
  static const fs::path d = [] {
    fs::path p = fs::temp_directory_path() / ("qv_results_bench_" + std::to_string(::getpid()));
    fs::create_directories(p);
    return p;
  }();
  return d;
}

platform::ScriptedDialogs* script = nullptr;

// Row r of the grid: its number, length and width under the mask, Q and V as the row
// writer computes them, the image number and the comment.
void writeRow(int r, double length, double width) {
  platform::FlexGrid& g = Qvl().GrilleRef;
  g.setTextMatrix(r, 0, std::to_string(r));
  g.setTextMatrix(r, 1, platform::Format(length, Format_Decimal));
  g.setTextMatrix(r, 2, platform::Format(width, Format_Decimal));
  for (const CelluleCalculee& c : Colonnes_Calculees(2, 2, {0, length, width}, Format_Decimal))
    g.setTextMatrix(r, c.colonne, c.texte);
  g.setTextMatrix(r, 5, r <= kRows / 2 ? "1" : "2");
  g.setTextMatrix(r, 6, r % 10 == 0 ? "paroi épaisse; guttulée" : "");
}

// The grid of function 2 filled with kRows spores.
void fillGrid() {
  QVL& f = Qvl();
  f.GrilleRef.setRows(1);
  Choix_Fonction_Mesure(2);
  f.GrilleRef.setRows(kRows + 2);
  std::mt19937 gen(2024);
  std::normal_distribution<double> length(11.0, 1.2), width(6.5, 0.6);
  for (int r = 1; r <= kRows; ++r) writeRow(r, length(gen), width(gen));
  LigneCourante = kRows + 1;
  EtapeClic = 1;
  Calcul_stat();
  Entetes_Stat();
}

void prepare() {
  static bool done = false;
  if (done) return;
  done = true;
  auto dialogs = std::make_unique<platform::ScriptedDialogs>();
  script = dialogs.get();
  platform::setDialogs(std::move(dialogs));
  platform::setClock(std::make_unique<StepClock>());
  platform::SetDecimalSeparator('.');
  QVL& f = Qvl();
  f.show();
  platform::DoEvents();
  Format_Decimal = "###0.00";
  Taille_Grille = kRows;
  Ext_Export = "csv";
  f.Check(3).setValue(1);
  f.TBox(3).setText("récolte été");
}

// One cell changed, as an edit would, so that the next refresh has work to do.
void touch(bool& flip) {
  writeRow(kRows / 2, flip ? 12.25 : 10.75, flip ? 6.5 : 6.25);
  flip = !flip;
}

// A bare parse: the file's lines, split at ";", every field converted to a number.
std::size_t bareParse(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::vector<double> numbers;
  std::string line;
  while (std::getline(in, line)) {
    std::size_t start = 0;
    while (start <= line.size()) {
      std::size_t end = line.find(';', start);
      if (end == std::string::npos) end = line.size();
      numbers.push_back(std::strtod(line.substr(start, end - start).c_str(), nullptr));
      start = end + 1;
    }
  }
  benchmark::DoNotOptimize(numbers.data());
  return numbers.size();
}

// The lines written as they are, each followed by CR LF.
void plainWrite(const std::string& path, const std::vector<std::string>& lines) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  for (const std::string& l : lines) {
    out.write(l.data(), static_cast<std::streamsize>(l.size()));
    out.write("\r\n", 2);
  }
}

void exportTo(const std::string& path) {
  script->clear();
  script->answerSave(path);
  if (fs::exists(path)) script->answerMsgBox(platform::vbOK);  // the overwrite question
  Export_Resultats(1);
}

void BM_Import3000(benchmark::State& state) {
  prepare();
  fillGrid();
  const std::string file = (folder() / "import.csv").string();
  exportTo(file);
  bench::PairedTimes times;
  for (auto _ : state) {
    const double base = bench::PairedTimes::time([&] { benchmark::DoNotOptimize(bareParse(file)); });
    script->clear();
    script->answerOpen({file});
    script->answerMsgBox(platform::vbYes);
    const double ours = bench::PairedTimes::time([] { Ouvre_CSV(); });
    if (LigneCourante != kRows + 1) {
      state.SkipWithError("the import did not fill the grid");
      break;
    }
    state.SetIterationTime(ours);
    times.add(ours, base);
  }
  times.report(state);
}
BENCHMARK(BM_Import3000)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_Export3000(benchmark::State& state) {
  prepare();
  fillGrid();
  const std::string file = (folder() / "export.csv").string(), plain = (folder() / "plain.csv").string();
  const std::vector<std::string> lines = Lignes_Export(Modele_Rapport(), Entete_Export()).lines;
  bool flip = false;
  bench::PairedTimes times;
  for (auto _ : state) {
    touch(flip);
    const double base = bench::PairedTimes::time([&] {
      Calcul_stat();
      Entetes_Stat();
      plainWrite(plain, lines);
    });
    touch(flip);
    const double ours = bench::PairedTimes::time([&] { exportTo(file); });
    state.SetIterationTime(ours);
    times.add(ours, base);
  }
  if (!fs::exists(file)) state.SkipWithError("nothing exported");
  times.report(state);
}
BENCHMARK(BM_Export3000)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

int main(int argc, char** argv) {
  return bench::runBenchmarks(argc, argv, {}, [] {
    platform::setDialogs(nullptr);
    platform::setClock(nullptr);
    std::error_code ec;
    fs::remove_all(folder(), ec);
  });
}
