// Classes, caption and bars of a histogram series.
#include "statwindow/histogram_chart.h"

#include <algorithm>
#include <cmath>

#include "platform/runtime.h"

int Nombre_Classes(const std::string& text) {
  const double v = platform::Val(text);
  if (!(v >= kClassesMin)) return kClassesMin;   // NaN too
  if (v > kClassesMax) return kClassesMax;
  return static_cast<int>(std::nearbyint(v));
}

std::optional<HistogramSeries> Classes_Histogramme(const ColumnGrid& grid, int col, int lastRow, int N) {
  if (N < kClassesMin || N > kClassesMax) return std::nullopt;
  HistogramSeries h;
  h.min = Min_Colonne(grid, col, lastRow);
  h.max = Max_Colonne(grid, col, lastRow);
  if (h.min.row == 0 || h.max.value <= h.min.value) return std::nullopt;
  h.largeur = (h.max.value - h.min.value) / N;
  if (!std::isfinite(h.largeur) || h.largeur <= 0) return std::nullopt;
  h.effectifs.assign(static_cast<std::size_t>(N), 0);
  const int last = std::min(lastRow, grid.rows() - 1);
  for (int r = 1; r <= last; ++r) {
    double x = 0;
    if (!ReadGridNumber(grid.cell(r, col), x)) continue;
    int c = static_cast<int>(std::floor((x - h.min.value) / h.largeur));
    c = std::clamp(c, 0, N - 1);   // the maximum, and a limit lost to rounding
    ++h.effectifs[static_cast<std::size_t>(c)];
    ++h.nbValeurs;
  }
  if (h.nbValeurs < 2) return std::nullopt;
  return h;
}

std::string Legende_Histogramme(const std::string& nom, const HistogramSeries& h, const std::string& mask,
                                const std::string& saut) {
  const int N = h.classes();
  std::string s = nom + " :   " + std::to_string(N) + "  classes de largeur " + platform::Format(h.largeur, mask);
  s += " :  Min (" + std::to_string(h.min.row) + ")= " + platform::Format(h.min.value, mask);
  s += "   Max(" + std::to_string(h.max.row) + ")= " + platform::Format(h.max.value, mask) + saut;
  for (int k = 0; k <= N; ++k) s += platform::Format(h.min.value + k * h.largeur, mask) + "\\ ";
  return s;
}

HistogramUnits Unites_Histogramme(int classes, int nbValeurs) {
  HistogramUnits u;
  if (classes < 1 || nbValeurs < 1) return u;
  u.slot = static_cast<int>(std::nearbyint(850.0 / classes));
  u.hauteur = 750.0 * classes / (2.0 * nbValeurs);
  return u;
}

void Trace_Histogramme(DiagramCanvas& canvas, const HistogramSeries& h, int v, platform::Colour& fore) {
  const int N = h.classes();
  const HistogramUnits u = Unites_Histogramme(N, h.nbValeurs);
  const double B = u.slot, H = u.hauteur;
  canvas.line(30, 100, 880, 100, fore);
  canvas.line(30, 100, 30, 950, fore);
  for (int j = 1; j <= N + 1; ++j) canvas.line(30 + (j - 1) * B, 100, 30 + (j - 1) * B, 80, platform::QBColor(0));
  canvas.textColour(fore);
  canvas.text(30 + N * B, 80, "Max.", 8);

  const platform::Colour couleur = platform::QBColor(v);
  canvas.line(30, H + 100, 5, H + 100, couleur);
  canvas.line(30, 5 * H + 100, 5, 5 * H + 100, couleur);
  fore = couleur;
  canvas.textColour(fore);
  canvas.text(5, 5 * H + 100, "5", 8);

  for (int c = 0; c < N; ++c) {
    const double x0 = c * B + (v - 1) * 20 + 30;
    canvas.box(x0 + 2, 100, x0 + 20, h.effectifs[static_cast<std::size_t>(c)] * H + 100, couleur);
  }
}
