// Choosing grid rows on the scatter plot.
#include "statwindow/extract_selection.h"

#include <algorithm>
#include <cmath>

#include "base/helpers.h"
#include "platform/runtime.h"
#include "stats/homogeneity.h"

namespace {

bool rempli(const std::string& t) { return t.find_first_not_of(' ') != std::string::npos; }

constexpr std::size_t kItemsListe = 3001;
constexpr int kDerniereLigne = 3000;

}  // namespace

std::vector<ExtractPoint> Points_Extraction(const ColumnGrid& grid, int colX, int colY, int lastRow) {
  std::vector<ExtractPoint> p;
  const int last = std::min(lastRow, grid.rows() - 1);
  for (int r = 1; r <= last; ++r) {
    const std::string tx = grid.cell(r, colX);
    if (!rempli(tx)) continue;
    const std::string ty = grid.cell(r, colY);
    if (!rempli(ty)) continue;
    p.push_back({r, Val_Decimal(tx), Val_Decimal(ty)});
  }
  return p;
}

BornesRectangle Bornes_Rectangle(const FormeTracee& f, const ScatterMap& m) {
  const double x1 = (2 * f.xc - f.x - 150) / m.coefX + m.minX, x2 = (f.x - 150) / m.coefX + m.minX;
  const double y1 = (2 * f.yc - f.y - 150) / m.coefY + m.minY, y2 = (f.y - 150) / m.coefY + m.minY;
  return {static_cast<float>(std::min(x1, x2)), static_cast<float>(std::max(x1, x2)),
          static_cast<float>(std::min(y1, y2)), static_cast<float>(std::max(y1, y2))};
}

double Rayon_Cercle(const FormeTracee& f) {
  const double dx = f.x - f.xc, dy = f.y - f.yc;
  return std::sqrt(dx * dx + f.poids * dy * dy);
}

EllipseExtraction Ellipse_Extraction(const FormeTracee& f) {
  const double dx = f.x - f.xc, dy = f.y - f.yc;
  return {std::sqrt(dx * dx + dy * dy), dx == 0 ? 0.0 : std::atan(dy / dx)};
}

bool Dans_Forme(const FormeTracee& f, const ScatterMap& m, double vx, double vy) {
  if (!std::isfinite(vx) || !std::isfinite(vy)) return false;
  switch (f.forme) {
    case kRectangle: {
      const BornesRectangle b = Bornes_Rectangle(f, m);
      const float x = static_cast<float>(vx), y = static_cast<float>(vy);
      return b.xlo <= x && x <= b.xhi && b.ylo <= y && y <= b.yhi;
    }
    case kCercle: {
      const double dx = m.px(vx) - f.xc, dy = m.py(vy) - f.yc;
      return std::sqrt(dx * dx + f.poids * dy * dy) < Rayon_Cercle(f);
    }
    case kEllipse: {
      const EllipseExtraction e = Ellipse_Extraction(f);
      if (!(e.d > 0)) return false;
      const double dx = m.px(vx) - f.xc, dy = m.py(vy) - f.yc;
      const double u = dx * std::cos(e.theta) + dy * std::sin(e.theta);
      const double v = -dx * std::sin(e.theta) + dy * std::cos(e.theta);
      return (u / e.d) * (u / e.d) + (v / kDemiAxeTravers) * (v / kDemiAxeTravers) < 1;
    }
    default:
      return false;
  }
}

std::vector<ExtractPoint> Selection_Forme(const std::vector<ExtractPoint>& points, const FormeTracee& f,
                                          const ScatterMap& m) {
  std::vector<ExtractPoint> s;
  for (const ExtractPoint& p : points)
    if (Dans_Forme(f, m, p.x, p.y)) s.push_back(p);
  return s;
}

std::vector<ExtractPoint> Selection_Coupure(const std::vector<ExtractPoint>& points, double x0, bool bas) {
  std::vector<ExtractPoint> s;
  for (const ExtractPoint& p : points)
    if (bas ? p.x <= x0 : p.x >= x0) s.push_back(p);
  return s;
}

std::optional<double> Point_Coupure(const std::vector<ExtractPoint>& points) {
  if (points.size() < 4) return std::nullopt;
  std::vector<double> x;
  x.reserve(points.size());
  for (const ExtractPoint& p : points) x.push_back(p.x);
  std::sort(x.begin(), x.end());
  const std::optional<stats::BestCut> c = stats::Meilleure_Coupure(x);
  if (!c) return std::nullopt;
  return c->x0;
}

std::string Liste_Lignes(const std::vector<ExtractPoint>& points) {
  std::string t;
  for (const ExtractPoint& p : points) t += platform::CStr(static_cast<long long>(p.row)) + ";";
  return t;
}

std::vector<int> Lignes_Liste(const std::string& liste) {
  std::vector<std::string> items = platform::Split(liste, ";");
  items.pop_back();   // what follows the last ";"
  if (items.size() > kItemsListe) items.resize(kItemsListe);
  std::vector<int> rows;
  for (const std::string& i : items) {
    const double r = Val_Decimal(i);
    if (r >= 1 && r <= kDerniereLigne && r == std::floor(r)) rows.push_back(static_cast<int>(r));
  }
  return rows;
}
