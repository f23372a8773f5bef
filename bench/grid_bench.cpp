// Speed of the display grid at the measurement grid's largest size (4,097 rows of
// 12 columns), on a visible grid inside a shown form: filling every cell, changing
// one cell with its repaint, reading one column, and repainting the visible cells.

#include <benchmark/benchmark.h>

#include "bench_support.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QWidget>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "platform/app.h"
#include "platform/flexgrid.h"
#include "platform/form.h"

namespace {

constexpr int kRows = 4097;
constexpr int kCols = 12;

// One shown form holding one grid, shared by the benchmarks.
struct Fixture {
  platform::Form form{"GridBench"};
  std::unique_ptr<platform::FlexGrid> grid;
  std::vector<std::string> texts;   // "r;c" of every cell, made once

  Fixture() {
    form.move(0, 0, 12000, 9000);
    grid = std::make_unique<platform::FlexGrid>(form, "GrilleRef");
    grid->move(0, 0, 11000, 8000);
    form.show();
    QApplication::processEvents();
    texts.reserve(static_cast<std::size_t>(kRows) * kCols);
    for (int r = 0; r < kRows; ++r)
      for (int c = 0; c < kCols; ++c) texts.push_back(std::to_string(r) + ";" + std::to_string(c));
  }
  ~Fixture() { grid.reset(); }

  void fill() {
    grid->setRows(1);   // drop every row but the heading
    grid->setRows(kRows);
    grid->setCols(kCols);
    std::size_t i = 0;
    for (int r = 0; r < kRows; ++r)
      for (int c = 0; c < kCols; ++c) grid->setTextMatrix(r, c, texts[i++]);
  }
};

// Made on first use, destroyed at the end of main while the application still exists.
std::unique_ptr<Fixture> sharedFixture;

Fixture& fixture() {
  if (!sharedFixture) sharedFixture = std::make_unique<Fixture>();
  return *sharedFixture;
}

void BM_FillGrid(benchmark::State& state) {
  Fixture& f = fixture();
  for (auto _ : state) {
    f.fill();
    QApplication::processEvents();   // the layout and the repaint that follow
  }
  state.SetItemsProcessed(state.iterations() * kRows * kCols);
}
BENCHMARK(BM_FillGrid)->Unit(benchmark::kMillisecond);

void BM_ChangeOneCell(benchmark::State& state) {
  Fixture& f = fixture();
  f.fill();
  QApplication::processEvents();
  const std::string a = "12.5", b = "13.75";
  bool flip = false;
  for (auto _ : state) {
    f.grid->setTextMatrix(3, 4, flip ? a : b);
    flip = !flip;
    QApplication::processEvents();
  }
}
BENCHMARK(BM_ChangeOneCell)->Unit(benchmark::kMicrosecond);

void BM_ReadColumn(benchmark::State& state) {
  Fixture& f = fixture();
  f.fill();
  QApplication::processEvents();
  for (auto _ : state) {
    std::size_t total = 0;
    for (int r = 1; r < kRows; ++r) total += f.grid->textMatrix(r, 5).size();
    benchmark::DoNotOptimize(total);
  }
  state.SetItemsProcessed(state.iterations() * (kRows - 1));
}
BENCHMARK(BM_ReadColumn)->Unit(benchmark::kMicrosecond);

// Painting the whole visible area once, scrolled to the middle of the grid.
void BM_RepaintVisible(benchmark::State& state) {
  Fixture& f = fixture();
  f.fill();
  f.grid->setTopRow(2000);
  QApplication::processEvents();
  auto* area = static_cast<QAbstractScrollArea*>(f.grid->widget());
  for (auto _ : state) area->viewport()->repaint();
}
BENCHMARK(BM_RepaintVisible)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  return bench::runBenchmarks(argc, argv, {}, [] { sharedFixture.reset(); });
}
