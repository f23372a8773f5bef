// Measuring and redrawing a full measurement table (3,000 rows) on the main window:
// segments measured one per row through the picture's mouse dispatcher (press, one
// move of the rubber band, release, row writer with the statistics it refreshes), for
// 100, 1,000 and 3,000 rows; and the redraw of 3,000 stored rows of spores (two
// segments, four crosses and a row number or the value of each segment) after a zoom.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "base/globals.h"
#include "forms/main_window.h"
#include "images/image_state.h"
#include "images/picture_view.h"
#include "measure/dispatch.h"
#include "measure/live_display.h"
#include "measure/measure_state.h"
#include "measure/redraw.h"
#include "platform/app.h"
#include "platform/dialogs.h"
#include "platform/events.h"
#include "platform/picture.h"
#include "shell/function_switch.h"

namespace {

constexpr int kRows = 3000;

// The main window shown with a 2000 x 1500 picture loaded (image 1).
void Prepare() {
  static bool done = false;
  if (done) return;
  done = true;
  platform::setDialogs(std::make_unique<platform::ScriptedDialogs>());
  QVL& f = Qvl();
  f.show();
  platform::DoEvents();
  const std::string path = platform::App::Path() + "/bench_picture.bmp";
  platform::Picture::filled(2000, 1500, 0x404040).saveBmp(path);
  Expo_Zoom = 0;
  K_Zoom = 1;
  Charge_Image_Memoire(path);
  std::filesystem::remove(path);
  Index_Image = 1;
  Calibrage = 0.01;
  Sauve_Auto = 0;
  Taille_Grille = kRows;
  Aff_Consignes = true;
  f.Frame(6).setVisible(false);   // no statistics after each value
}

// An empty grid and table for function `fonction`.
void Grille_Vide(int fonction) {
  QVL& f = Qvl();
  f.GrilleRef.setRows(1);
  f.MGrille.setRows(1);
  for (int i = 0; i <= kRows; ++i) TabMesures(i) = Mesure{};
  Choix_Fonction_Mesure(fonction);
  RAZ_Compteurs_Points();
  PGr_Etat = false;
}

void BM_MeasureRows(benchmark::State& state) {
  Prepare();
  const int rows = static_cast<int>(state.range(0));
  for (auto _ : state) {
    state.PauseTiming();
    Grille_Vide(1);
    state.ResumeTiming();
    for (int i = 0; i < rows; ++i) {
      const double x = 500 + (i % 40) * 200, y = 400 + (i / 40 % 60) * 100;
      Clic_Image_Mesure(1, 0, x, y);
      Affiche_Mesure_En_Cours(1, 0, x + 150, y + 40);
      Relache_Image(1, 0, x + 150, y + 40);
    }
    benchmark::DoNotOptimize(LigneCourante);
  }
  state.counters["rows"] = LigneCourante - 1;
}
BENCHMARK(BM_MeasureRows)->Unit(benchmark::kMillisecond)->Iterations(1)->Arg(100)->Arg(1000)->Arg(kRows);

// 3,000 stored rows of spores of image 1, the view zoomed in one step.
void Table_Pleine() {
  Prepare();
  Grille_Vide(2);
  for (int i = 1; i <= kRows; ++i) {
    Mesure& m = TabMesures(i);
    const double x = 1000 + (i % 50) * 500, y = 1000 + (i / 50 % 60) * 350;
    m.Seg(1) = Segment{x, y, x + 300, y + 60};
    m.Seg(2) = Segment{x + 150, y - 50, x + 140, y + 120};
    m.NumImage = 1;
  }
  LigneCourante = kRows;
  Expo_Zoom = -2;   // zoomed in: many rows off the shown part
}

// Each segment with its row number.
void BM_Redraw3000Rows(benchmark::State& state) {
  Table_Pleine();
  Qvl().Affmesure.setValue(0);
  for (auto _ : state) {
    Retrace(0);
    benchmark::DoNotOptimize(Qvl().Picture1.point(10, 10));
  }
  Expo_Zoom = 0;
}
BENCHMARK(BM_Redraw3000Rows)->Unit(benchmark::kMillisecond);

// "insère dim" ticked: each segment measured again and its value written along it.
void BM_Redraw3000RowsWithValues(benchmark::State& state) {
  Table_Pleine();
  Qvl().Affmesure.setValue(1);
  for (auto _ : state) {
    Retrace(0);
    benchmark::DoNotOptimize(Qvl().Picture1.point(10, 10));
  }
  Qvl().Affmesure.setValue(0);
  Expo_Zoom = 0;
}
BENCHMARK(BM_Redraw3000RowsWithValues)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  platform::App::initForTests(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
