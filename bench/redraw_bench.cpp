// Measuring and redrawing on the main window, shown offscreen with a 2000 x 1500
// picture:
// - BM_MeasureRows: segments of single lengths measured one per row through the
//   picture's mouse dispatcher (press, one move of the rubber band, release, the row
//   writer), for 100, 1,000 and 3,000 rows. The row writer shows the statistics frame
//   at every value, so every row includes the grid statistics and the statistics rows.
// - BM_RowCostGrowth: the cost of one row of spores (two segments) measured through
//   the dispatcher on a grid already holding 2,999 rows, against the same on a grid
//   holding 99 rows; `ratio` is the median of their ratios (1 when the cost of a row
//   does not grow with the grid).
// - BM_Redraw3000Rows: Retrace of 3,000 stored rows of spores (two segments, four
//   crosses and the row number at each segment) after a zoom, which also paints the
//   view again; `ratio` is its time over the same lines and texts drawn with one
//   QPainter on a copy of the same picture, timed in the same iterations.
// - BM_Redraw3000RowsWithValues: the same with the value of each segment written
//   along it.

#include <benchmark/benchmark.h>

#include "bench_support.h"
#include "window_bench_support.h"

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QWidget>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "base/globals.h"
#include "base/helpers.h"
#include "forms/main_window.h"
#include "images/image_state.h"
#include "images/picture_view.h"
#include "measure/dispatch.h"
#include "measure/drawing.h"
#include "measure/grid_statistics.h"
#include "measure/live_display.h"
#include "measure/measure_state.h"
#include "measure/redraw.h"
#include "platform/app.h"
#include "platform/dialogs.h"
#include "platform/events.h"
#include "platform/picture.h"
#include "platform/runtime.h"
#include "reports/stat_rows.h"
#include "shell/function_switch.h"

namespace {

constexpr int kRows = 3000;

// The main window shown with a 2000 x 1500 picture loaded (image 1).
void Prepare() {
  static bool done = false;
  if (done) return;
  done = true;
  bench::showMainWindow();
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

// One row of spores measured through the dispatcher at point (x, y): the length by a
// press, one move and a release, then the width across it the same way (its end is the
// foot of the perpendicular on the Palmer guide).
void Mesure_Spore(double x, double y) {
  Clic_Image_Mesure(1, 0, x, y);
  Affiche_Mesure_En_Cours(1, 0, x + 150, y + 40);
  Relache_Image(1, 0, x + 150, y + 40);
  Clic_Image_Mesure(1, 0, x + 75, y + 20);
  Affiche_Mesure_En_Cours(1, 0, x + 60, y + 80);
  Relache_Image(1, 0, x + 60, y + 80);
}

// An empty grid of spores whose rows 1 to lignes - 1 hold measured values, with their
// statistics shown, as if they had been measured; the next row is `lignes`.
void Grille_Remplie(int lignes) {
  Grille_Vide(2);
  platform::FlexGrid& g = Qvl().GrilleRef;
  for (int r = 1; r < lignes; ++r) {
    const double l = 9 + (r * 37 % 41) * 0.1, w = 5 + (r * 53 % 29) * 0.1;
    const std::string cells[] = {std::to_string(r), platform::Format(l, Format_Decimal),
                                 platform::Format(w, Format_Decimal), platform::Format(l / w, Format_Decimal),
                                 platform::Format(w * l * w * 3.14159 / 6, "###0.0"), "1", ""};
    for (int c = 0; c < 7 && c < g.cols(); ++c) g.setTextMatrix(r, c, cells[c]);
  }
  LigneCourante = lignes;
  EtapeClic = 1;
  Calcul_stat();
  Entetes_Stat();
}

// Seconds to measure `n` rows of spores through the dispatcher from row `lignes`.
double Temps_Lignes(int lignes, int n) {
  Grille_Remplie(lignes);
  return bench::PairedTimes::time([&] {
    for (int i = 0; i < n; ++i) Mesure_Spore(500 + (i % 8) * 400, 400 + (i / 8 % 8) * 300);
  });
}

void BM_RowCostGrowth(benchmark::State& state) {
  Prepare();
  constexpr int kLignesMesurees = 10;
  bench::PairedTimes times;
  for (auto _ : state) {
    const double debut = Temps_Lignes(100, kLignesMesurees);
    const double fin = Temps_Lignes(kRows - kLignesMesurees, kLignesMesurees);
    if (LigneCourante != kRows) state.SkipWithError("the rows were not all written");
    state.SetIterationTime(fin / kLignesMesurees);
    times.add(fin / kLignesMesurees, debut / kLignesMesurees);
  }
  times.report(state);
}
BENCHMARK(BM_RowCostGrowth)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(5);

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

// What Retrace draws for the stored rows (each segment, a cross at each end, the row
// number at its start), drawn with one QPainter on img: the floor of a redraw.
void Trace_Plain(QImage& img) {
  const platform::PictureBox& pic = Qvl().Picture1;
  const double kx = pic.canvasWidthPixels() / pic.scaleWidth(), ky = pic.canvasHeightPixels() / pic.scaleHeight();
  auto px = [&](double x, double y) { return QPointF((x - pic.scaleLeft()) * kx, (y - pic.scaleTop()) * ky); };
  QPainter p(&img);
  p.setPen(QColor::fromRgb(static_cast<QRgb>(platform::QBColor(CouleursTrace(0)))));
  p.setFont(pic.widget()->font());
  const double ascent = QFontMetricsF(p.font(), &img).ascent();
  for (int i = 1; i <= LigneCourante; ++i) {
    const QString numero = QString::fromStdString(platform::Str(i));
    for (int c = 1; c <= 2; ++c) {
      const Segment& s = TabMesures(i).Seg(c);
      double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
      if (!Point_Ecran(s.X1, s.Y1, x1, y1) || !Point_Ecran(s.X2, s.Y2, x2, y2)) continue;
      p.drawLine(px(x1, y1), px(x2, y2));
      for (const QPointF& e : {QPointF(std::round(x1), std::round(y1)), QPointF(std::round(x2), std::round(y2))}) {
        p.drawLine(px(e.x() - kBrasCroix, e.y()), px(e.x() + kBrasCroix, e.y()));
        p.drawLine(px(e.x(), e.y() - kBrasCroix), px(e.x(), e.y() + kBrasCroix));
      }
      const QPointF t = px(x1, y1);
      p.drawText(QPointF(std::floor(t.x() + 0.5), std::floor(t.y() + 0.5) + ascent), numero);
    }
  }
}

// Each segment with its row number.
void BM_Redraw3000Rows(benchmark::State& state) {
  Table_Pleine();
  Qvl().Affmesure.setValue(0);
  Retrace(0);
  QImage plain = Qvl().Picture1.image().toQImage().copy();
  plain.setDotsPerMeterX(3780);
  plain.setDotsPerMeterY(3780);
  bench::PairedTimes times;
  for (auto _ : state) {
    const double base = bench::PairedTimes::time([&] { Trace_Plain(plain); });
    const double ours = bench::PairedTimes::time([&] {
      Retrace(0);
      benchmark::DoNotOptimize(Qvl().Picture1.point(10, 10));
    });
    state.SetIterationTime(ours);
    times.add(ours, base);
  }
  times.report(state);
  Expo_Zoom = 0;
}
BENCHMARK(BM_Redraw3000Rows)->Unit(benchmark::kMillisecond)->UseManualTime();

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

int main(int argc, char** argv) { return bench::runBenchmarks(argc, argv); }
