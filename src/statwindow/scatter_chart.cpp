// The scatter plot drawn from two series: frame, crosses, axes, graduation, line,
// ellipse and point marks.
#include "statwindow/scatter_chart.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "platform/runtime.h"
#include "stats/dominant.h"
#include "stats/series.h"
#include "statwindow/data_series.h"

namespace {

const platform::Colour kNoir = 0x000000;
const platform::Colour kRouge = 0x0000FF;
const platform::Colour kCyan = 0xFFFF00;
const platform::Colour kVertFonce = 0x008000;
constexpr int kCopyPen = 13;

double arrondi(double v) { return std::nearbyint(v); }

Vertex croix(DiagramCanvas& c, double x, double y, double d) { return Trace_Croix(c, x, y, d, kNoir); }

void croix_points(DiagramCanvas& c, std::span<const double> x, std::span<const double> y, const ScatterResult& r,
                  bool numeros) {
  c.textColour(kNoir);
  for (std::size_t i = 0; i < x.size(); ++i) {
    const Vertex fin = croix(c, arrondi(150 + (x[i] - r.x.min) * r.coefX), arrondi(150 + (y[i] - r.y.min) * r.coefY), 20);
    if (numeros) c.text(fin.x, fin.y, std::to_string(i + 1), 8);
  }
}

// Axes, end ticks with their values, and the graduation; writes the caption.
void axes(DiagramCanvas& c, ScatterResult& r, const ScatterOptions& o, double span, double bout) {
  c.line(70, 70, bout, 70, kRouge);
  c.line(70, 70, 70, bout, kRouge);
  c.textColour(kRouge);
  const platform::Colour magenta = platform::QBColor(5);
  const double xHaut = 150 + (r.x.max - r.x.min) * r.coefX;
  const double yHaut = 150 + (r.y.max - r.y.min) * r.coefY;
  for (const auto& [pos, v] : {std::pair{150.0, r.x.min}, std::pair{xHaut, r.x.max}}) {
    c.line(pos, 70, pos, 50, magenta);
    c.text(pos + 20, 70, platform::Format(v, "###0.0"), 8);
  }
  for (const auto& [pos, v] : {std::pair{150.0, r.y.min}, std::pair{yHaut, r.y.max}}) {
    c.line(50, pos, 70, pos, magenta);
    c.text(0, pos, platform::Format(v, "###0.0"), 8);
  }
  const Graduation gx = Graduer(r.x.min, r.x.max, r.coefX, span);
  const Graduation gy = Graduer(r.y.min, r.y.max, r.coefY, span);
  for (int j = 1; j <= gx.t + 1; ++j) c.line(70 + j * gx.p, 70, 70 + j * gx.p, 60, kRouge);
  for (int j = 1; j <= gy.t; ++j) c.line(70, 70 + j * gy.p, 60, 70 + j * gy.p, kRouge);
  r.legende = "Origine X = " + platform::Format(gx.origine, o.mask) + "  graduation = " +
              platform::Format(gx.pas, o.mask) + o.saut + "Origine Y = " + platform::Format(gy.origine, o.mask) +
              "  graduation = " + platform::Format(gy.pas, o.mask);
}

void marques(DiagramCanvas& c, std::span<const double> x, std::span<const double> y, const ScatterResult& r,
             const ScatterOptions& o) {
  if (!o.dominant && !o.median && !o.moyen) return;
  const PointMarks px = Points_Remarquables(x), py = Points_Remarquables(y);
  auto pos = [&](double vx, double vy) {
    return Vertex{150 + arrondi((vx - r.x.min) * r.coefX), 150 + arrondi((vy - r.y.min) * r.coefY)};
  };
  c.pen(kCopyPen, 2);
  const struct {
    bool coche;
    double vx, vy;
    platform::Colour couleur;
  } points[] = {{o.dominant, px.dominante, py.dominante, kRouge},
                {o.median, px.mediane, py.mediane, kCyan},
                {o.moyen, px.moyenne, py.moyenne, kVertFonce}};
  for (const auto& p : points) {
    if (!p.coche) continue;
    const Vertex v = pos(p.vx, p.vy);
    c.circle(v.x, v.y, 10, p.couleur);
  }
  c.pen(kCopyPen, 1);
}

}  // namespace

std::optional<ScatterData> Lit_Nuage(const ColumnGrid& grid, int colX, int colY, int lastRow) {
  ScatterData d;
  const int last = std::min(lastRow, grid.rows() - 1);
  for (int r = 1; r <= last; ++r) {
    const std::string tx = grid.cell(r, colX), ty = grid.cell(r, colY);
    if (tx.find_first_not_of(' ') == std::string::npos || ty.find_first_not_of(' ') == std::string::npos) continue;
    double vx = 0, vy = 0;
    if (!ReadGridNumber(tx, vx) || !ReadGridNumber(ty, vy)) return std::nullopt;
    d.x.push_back(vx);
    d.y.push_back(vy);
  }
  return d;
}

Graduation Graduer(double vmin, double vmax, double coef, double span) {
  Graduation g;
  const double e = std::floor(std::log10(vmax - vmin));
  g.pas = std::pow(10.0, e);
  g.p = g.pas * coef;
  g.t = static_cast<int>(std::floor(span / g.p));
  if (g.t < 5) {
    g.p *= 0.5;
    g.t = static_cast<int>(std::floor(span / g.p));
    g.pas *= 0.5;
  }
  g.origine = vmin - 80 / coef;
  return g;
}

Range Etendue(std::span<const double> v) {
  Range r;
  if (v.empty()) return r;
  const auto [lo, hi] = std::minmax_element(v.begin(), v.end());
  r.min = *lo;
  r.max = *hi;
  if (r.max == r.min) r.min = 0;
  return r;
}

NormedFrame Cadre_Norme(const Range& x, const Range& y, double ratio) {
  NormedFrame f;
  f.kx = 850 / (x.max - x.min);
  f.ky = 850 / (y.max - y.min);
  f.q = f.kx / f.ky;
  f.k = std::min(f.kx, f.ky);
  if (f.q <= 1)
    f.haut = std::max(1100 / ratio, 1.1 * (150 + (y.max - y.min) * f.k));
  else
    f.haut = 1.1 * f.k * std::fabs((y.max - y.min) - 150 / f.k) * ratio;
  return f;
}

double Chi2_Niveau(int niveau) {
  switch (niveau) {
    case 1: return 4.61;
    case 2: return 5.99;
    case 3: return 9.21;
    default: return 0;
  }
}

ToleranceEllipse Ellipse_Tolerance(std::span<const double> x, std::span<const double> y, double chi2) {
  ToleranceEllipse e;
  const std::size_t n = x.size();
  if (n < 2 || y.size() != n) return e;
  e.cx = stats::Moyenne(x);
  e.cy = stats::Moyenne(y);
  double sxx = 0, syy = 0, sxy = 0;
  for (std::size_t i = 0; i < n; ++i) {
    const double dx = x[i] - e.cx, dy = y[i] - e.cy;
    sxx += dx * dx;
    syy += dy * dy;
    sxy += dx * dy;
  }
  const double d = static_cast<double>(n - 1);
  sxx /= d;
  syy /= d;
  sxy /= d;
  // Eigenvalues of [[sxx, sxy], [sxy, syy]]: half the trace plus or minus the radius.
  const double demiTrace = (sxx + syy) / 2, rayon = std::hypot((sxx - syy) / 2, sxy);
  const double l1 = demiTrace + rayon, l2 = std::max(0.0, demiTrace - rayon);
  e.a = std::sqrt(chi2 * l1);
  e.b = std::sqrt(chi2 * l2);
  e.theta = std::atan2(2 * sxy, sxx - syy) / 2;
  return e;
}

std::vector<Vertex> Sommets_Ellipse(double cx, double cy, double a, double b, double theta) {
  std::vector<Vertex> v;
  for (double z : {cx, cy, a, b, theta})
    if (!std::isfinite(z)) return v;
  const double ct = std::cos(theta), st = std::sin(theta);
  v.push_back({std::floor(cx + a * ct), std::floor(cy + a * st)});
  for (double t = 0; t <= 6.3; t += 0.05)
    v.push_back({std::floor(a * std::cos(t) * ct + cx - b * std::sin(t) * st),
                 std::floor(a * std::cos(t) * st + cy + b * std::sin(t) * ct)});
  return v;
}

Vertex traceEllipse(DiagramCanvas& canvas, double cx, double cy, double a, double b, double theta,
                    platform::Colour colour) {
  const std::vector<Vertex> v = Sommets_Ellipse(cx, cy, a, b, theta);
  if (v.empty()) return {cx, cy};
  for (std::size_t i = 1; i < v.size(); ++i) canvas.line(v[i - 1].x, v[i - 1].y, v[i].x, v[i].y, colour);
  return v.back();
}

Vertex Trace_Croix(DiagramCanvas& c, double x, double y, double d, platform::Colour colour) {
  c.line(x + d, y, x - d, y, colour);
  c.line(x, y + d, x, y - d, colour);
  return {x, y - d};
}

PointMarks Points_Remarquables(std::span<const double> v) {
  std::vector<double> d{0.0};
  d.insert(d.end(), v.begin(), v.end());
  std::sort(d.begin() + 1, d.end());
  PointMarks p;
  p.dominante = stats::Valeur_Dominante(d);
  p.mediane = SCdecile(d).mediane;
  p.moyenne = Calcul_Moy_ET(d).moyenne;
  return p;
}

ScatterResult Trace_Nuage(DiagramCanvas& c, std::span<const double> x, std::span<const double> y,
                          const ScatterOptions& o) {
  ScatterResult r;
  const double ratio = o.norme && o.ratio > 0 && std::isfinite(o.ratio) ? o.ratio : 1;
  c.scale(0, 1000, o.norme ? 1000 * ratio : 1000, 0);
  c.clear(0xFFFFFF);
  c.pen(kCopyPen, 1);
  if (x.empty() || x.size() != y.size()) return r;
  r.x = Etendue(x);
  r.y = Etendue(y);
  double span = 750, bout = 1050;
  if (o.norme) {
    const NormedFrame f = Cadre_Norme(r.x, r.y, ratio);
    if (!std::isfinite(f.k) || !(f.k > 0) || !std::isfinite(f.haut) || !(f.haut > 0)) return r;
    r.coefX = r.coefY = f.k;
    c.scale(0, f.haut, ratio * f.haut, 0);
    span = 850;
    bout = 1150;
  } else {
    r.coefX = 750 / (r.x.max - r.x.min);
    r.coefY = 750 / (r.y.max - r.y.min);
    if (!std::isfinite(r.coefX) || !std::isfinite(r.coefY) || !(r.coefX > 0) || !(r.coefY > 0)) return r;
  }
  r.trace = true;
  croix_points(c, x, y, r, o.numeros);
  axes(c, r, o, span, bout);

  const bool deuxPoints = x.size() >= 2;
  if (o.covariance && deuxPoints) {
    const stats::CovarianceResult cc = stats::Covariance_Correlation(x, y);
    r.covariance = " Covariance = " + platform::Format(cc.covariance, o.mask) + "\r" + "Corrélation Ro= " +
                   platform::Format(cc.correlation, o.mask);
  }
  const bool ellipse = o.norme && o.ellipse;
  if ((o.droite || ellipse) && deuxPoints) {
    const stats::RegressionLine d = stats::Droite_Regression(x, y);
    if (d.message == 0) {
      r.droiteCalculee = true;
      r.droite[0] = d.slope;
      r.droite[1] = d.intercept;
    }
  }
  if (o.droite && r.droiteCalculee) {
    const double a = static_cast<float>(r.droite[0]), b = static_cast<float>(r.droite[1]);
    c.line(150, 150 + (a * r.x.min + b - r.y.min) * r.coefY, 150 + (r.x.max - r.x.min) * r.coefX,
           150 + (a * r.x.max + b - r.y.min) * r.coefY, kRouge);
  }
  const std::string legende = o.echange ? "X / Y   " : "Y / X   ";
  if (!o.norme) {
    c.textColour(kRouge);
    c.text(720, 35, legende, 8);
  } else if (ellipse && r.droiteCalculee) {
    const ToleranceEllipse e = Ellipse_Tolerance(x, y, Chi2_Niveau(o.niveau));
    const double k = r.coefX;
    const double cx = 150 + (e.cx - r.x.min) * k, cy = 150 + (e.cy - r.y.min) * k;
    const Vertex fin = traceEllipse(c, cx, cy, k * e.a, k * e.b, e.theta, kRouge);
    c.textColour(kRouge);
    c.text(fin.x, fin.y, "  " + o.niveauTexte + " %", 8);
    r.ligneEllipse = legende + " a= " + platform::Format(e.a, "###0.0") + "; b= " + platform::Format(e.b, "###0.0") +
                     " ;Theta = " + platform::Format(e.theta * 180 / std::numbers::pi, "###0.0") + "°";
    c.text(700, 35, r.ligneEllipse, 8);
  }
  marques(c, x, y, r, o);
  return r;
}
