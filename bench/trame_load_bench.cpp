// Loading a trame of spores in two dimensions (rows on two pictures of 1200 and 1600
// pixels, a comment on every tenth row) into the shown main window: the grid cleared,
// the function's layout, the calibrations and the image list, every row measured again
// into TabMesures and the grid, and the statistics once at the end. Beside it, in the
// same iterations, reading and parsing the file's lines alone. The redraw of the rows
// on the picture that follows a load from the menus is measured by redraw_bench.
//
//   BM_LoadTrame/300, /3000   load and parse times; counter `ratio` = load / parse
//   BM_LoadGrowth             counter `ratio` = load of 3000 rows / load of 300 rows

#include <benchmark/benchmark.h>

#include "bench_support.h"

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "base/globals.h"
#include "forms/main_window.h"
#include "images/image_state.h"
#include "measure/grid_reset.h"
#include "measure/measure_state.h"
#include "measure/trame_file.h"
#include "measure/trame_reader.h"
#include "platform/dialogs.h"
#include "platform/events.h"
#include "platform/picture.h"
#include "platform/runtime.h"
#include "platform/textfile.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

fs::path folder() {
  static const fs::path d = [] {
    fs::path p = fs::temp_directory_path() / ("qv_trame_bench_" + std::to_string(::getpid()));
    fs::create_directories(p);
    return p;
  }();
  return d;
}

// A trame file of `rows` rows; its path.
std::string trame(int rows) {
  static std::map<int, std::string> made;
  if (auto it = made.find(rows); it != made.end()) return it->second;
  const std::string a = (folder() / "lame1.bmp").string(), b = (folder() / "lame2.bmp").string();
  platform::Picture::filled(1200, 16, 0x808080).saveBmp(a);
  platform::Picture::filled(1600, 16, 0x808080).saveBmp(b);
  std::vector<std::string> l = {"INDPRES=True", "NBIMAGES= 2", "NBLIGNES= " + std::to_string(rows),
                                "NBLGMAX =3000", "FONCTION= 2", "TAILLEECRAN= 0", "FICHIERCALIBRAGE= Qvrl.Cal",
                                "CALIBRAGE= ", " 0.05", " 0.1", "RESH =  1920", "PCTSW =  11761.2",
                                "TRAMELOCALE = false", "IMAGES= ", a, b, "COMMENT= "};
  for (int k = 1; k <= rows; ++k) l.push_back(std::to_string(k) + ";" + (k % 10 == 0 ? "paroi épaisse" : ""));
  l.push_back("FIN");
  l.push_back("TRAME= ");
  std::mt19937 gen(4242);
  std::uniform_real_distribution<double> pos(100, 20000), len(600, 1200), wid(250, 600);
  for (int k = 1; k <= rows; ++k) {
    const double x = pos(gen), y = pos(gen), L = len(gen), W = wid(gen);
    l.push_back("0;" + std::to_string(1 + k % 2) + ";" + platform::CStr(x) + ";" + platform::CStr(y) + ";" +
                platform::CStr(x + L) + ";" + platform::CStr(y) + ";" + platform::CStr(x + 100) + ";" +
                platform::CStr(y) + ";" + platform::CStr(x + 100) + ";" + platform::CStr(y + W) + ";");
  }
  const std::string path = (folder() / ("t" + std::to_string(rows) + ".trm")).string();
  platform::writeLines(path, l);
  made[rows] = path;
  return path;
}

void prepare() {
  static bool done = false;
  if (done) return;
  done = true;
  platform::setDialogs(std::make_unique<platform::ScriptedDialogs>());
  platform::SetDecimalSeparator('.');
  QVL& f = Qvl();
  f.show();
  platform::DoEvents();
  Indep_Resol = true;
  Format_Decimal = "###0.00";
  f.Check(3).setValue(1);
}

SessionTrame parse(const std::string& path) {
  std::vector<std::string> lines;
  platform::readLines(path, &lines);
  SessionTrame s;
  Analyse_Trame(lines, &s);
  return s;
}

double load(const std::string& path) {
  const auto t0 = Clock::now();
  const SessionTrame s = parse(path);
  Efface_Grille(1);
  Charge_Session(s, "");
  return std::chrono::duration<double>(Clock::now() - t0).count();
}

double parseTime(const std::string& path) {
  const auto t0 = Clock::now();
  benchmark::DoNotOptimize(parse(path));
  return std::chrono::duration<double>(Clock::now() - t0).count();
}

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

void BM_LoadTrame(benchmark::State& state) {
  prepare();
  const std::string path = trame(static_cast<int>(state.range(0)));
  std::vector<double> loads, parses;
  for (auto _ : state) {
    const double p = parseTime(path);
    const double l = load(path);
    parses.push_back(p);
    loads.push_back(l);
    state.SetIterationTime(l);
  }
  state.counters["parse_ms"] = median(parses) * 1e3;
  state.counters["load_ms"] = median(loads) * 1e3;
  state.counters["ratio"] = median(loads) / median(parses);
}
BENCHMARK(BM_LoadTrame)->Arg(300)->Arg(3000)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_LoadGrowth(benchmark::State& state) {
  prepare();
  const std::string small = trame(300), large = trame(3000);
  std::vector<double> smalls, larges;
  for (auto _ : state) {
    const double s = load(small);
    const double l = load(large);
    smalls.push_back(s);
    larges.push_back(l);
    state.SetIterationTime(s + l);
  }
  state.counters["ratio"] = median(larges) / median(smalls);
}
BENCHMARK(BM_LoadGrowth)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

int main(int argc, char** argv) {
  return bench::runBenchmarks(argc, argv, {}, [] {
    std::error_code ec;
    fs::remove_all(folder(), ec);
  });
}
