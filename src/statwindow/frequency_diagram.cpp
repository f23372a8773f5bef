// The frequency diagram: one line per value for the sticks and for the staircase.
#include "statwindow/frequency_diagram.h"

#include <cmath>

#include "platform/runtime.h"

namespace {

constexpr int kMaskPen = 9;   // the new colour ANDed with the picture
constexpr int kCopyPen = 13;

}  // namespace

XWindow Fenetre_X(double min, double max) {
  if (min > 0) return {0.9 * min, 1.1 * max};
  const double etendue = max - min;
  if (etendue == 0) return {min - 1, max + 1};
  return {min - 0.1 * etendue, max + 0.1 * etendue};
}

double Pas_Groupe(int r, const XWindow& w, double widthTwips) {
  if (r != 0) return 0.5 * std::pow(10.0, 0.5 * r - 4);
  return widthTwips > 0 ? (w.xmax - w.xmin) / widthTwips : 0;
}

std::string Legende_Resolution(int r) {
  if (r == 0) return "pixel";
  return platform::Format(std::pow(10.0, 0.5 * r - 4), "#.000");
}

double Trace_diagramme(DiagramCanvas& canvas, const DiagramValues& v, const DiagramSettings& s) {
  canvas.clear(0xFFFFFF);
  const int n = static_cast<int>(v.donnees.size()) - 1;
  if (n < 1) return 0;
  auto D = [&](int i) { return v.donnees[static_cast<std::size_t>(i)]; };
  if (!std::isfinite(D(1)) || !std::isfinite(D(n))) return 0;

  XWindow w = Fenetre_X(D(1), D(n));
  const double pas = Pas_Groupe(s.resolution, w, canvas.widthTwips());
  double o = 0;
  if (s.fixedX) {
    w = {0, s.echelleX};
    o = s.origine;
  }
  const double ytop = s.fixedY ? s.echelleY : static_cast<double>(n + 3) * s.pasValeur;
  if (!(w.xmax != w.xmin) || !std::isfinite(w.xmax) || ytop == 0 || s.echelleY == 0) return 0;
  canvas.scale(w.xmin, ytop, w.xmax, 0);
  const double yoff = ytop * 5 / 100;

  canvas.pen(kMaskPen, 1);
  canvas.line(w.xmin, yoff, w.xmax, yoff, 0x000000);

  canvas.pen(kMaskPen, 2);
  const double t = yoff * 50 / s.echelleY;
  const platform::Colour dominante = s.code == 1 ? kDominantPartColour : kDominantColour;
  canvas.line(v.dominante - o, yoff, v.dominante - o, yoff - t, dominante);
  // An accepted mode shows green even where it falls on the dominant value.
  canvas.pen(kCopyPen, 2);
  for (int m = 1; m < v.nbModes && m < static_cast<int>(v.modes.size()); ++m) {
    const double x = v.modes[static_cast<std::size_t>(m)] - o;
    canvas.line(x, yoff, x, yoff - t, kModeColour);
  }

  canvas.pen(kMaskPen, 2);
  if (s.simple) {
    double p = D(1);
    int c = 0;
    for (int i = 1; i <= n; ++i) {
      if (D(i) - p <= 2 * pas) {
        ++c;
      } else {
        c = 1;
        p = D(i);
      }
      canvas.line(p - o, c * t + yoff, p - o, yoff, kStickColour);
    }
  }
  if (s.cumule) {
    for (int i = 1; i <= n; ++i) {
      const double y = (i - 1) * s.pasValeur + yoff;
      canvas.line(D(i - 1) - o, y, D(i) - o, y, kStairColour);
    }
    const double y = n * s.pasValeur + yoff;
    canvas.line(D(n) - o, y, D(n) - o + 1, y, kStairColour);
  }

  canvas.text(D(1) - o, yoff, platform::Format(D(1), "#.0"), 7);
  canvas.text(D(n) - o, yoff, platform::Format(D(n), "#.0"), 7);
  const double x = (s.fixedX ? 0.2 * D(1) : D(1)) - o;
  canvas.text(x, n * s.pasValeur + yoff, std::to_string(n) + " données", 7);
  return yoff;
}
