#include "measure/row_values.h"

#include <cmath>

#include "base/geometry.h"
#include "base/helpers.h"
#include "images/picture_view.h"
#include "measure/figures.h"
#include "measure/lengths.h"
#include "platform/runtime.h"

namespace {

bool positifFini(double v) { return std::isfinite(v) && v > 0; }

// Echelle of the image: its natural width in hundredths of a millimetre (the width of
// the view at K_Zoom 1) over Picture1's measuring width.
double echelleImage(double largeurPixels, double largeurEchelle) {
  return Vue_Himetrique(pictureUnits(largeurPixels)) / largeurEchelle;
}

constexpr int kFonctionBosses = 11;
constexpr int kFonctionEllipse = 13;
constexpr int kFonctionRectangle = 14;

}  // namespace

std::optional<double> Valeur_Segment(const Segment& s, const ImageRemesure& image,
                                     const ParametresRemesure& p) {
  if (!positifFini(image.largeurPixels) || !positifFini(p.largeurEchelle) || !positifFini(p.ratioEcran) ||
      !std::isfinite(image.calibrage))
    return std::nullopt;
  if (!std::isfinite(s.X1) || !std::isfinite(s.Y1) || !std::isfinite(s.X2) || !std::isfinite(s.Y2))
    return std::nullopt;
  const double echelle = echelleImage(image.largeurPixels, p.largeurEchelle);
  const double facteur = Facteur_Resol_Pour(p.indepResol, image.largeurPixels);
  const double d = std::hypot(s.X1 - s.X2, s.Y1 - s.Y2);
  const double longueur = d * facteur / (echelle * p.ratioEcran);
  if (!std::isfinite(longueur)) return std::nullopt;
  const double valeur = Valeur_Calibree_Pour(Arrondi_Longueur(longueur), image.calibrage);
  if (!std::isfinite(valeur)) return std::nullopt;
  return valeur;
}

int Cellules_Longueurs(int fonction) {
  switch (fonction) {
    case 1: return 1;
    case 2: return 2;
    case 3: case 4: return 3;
    case 5: return 4;
    case 6: return 5;
    default: return 0;
  }
}

std::optional<double> Surface_Figure(int fonction, const Mesure& m, const ImageRemesure& image,
                                     const ParametresRemesure& p) {
  if (fonction != kFonctionEllipse && fonction != kFonctionRectangle) return std::nullopt;
  if (!positifFini(image.largeurPixels) || !positifFini(p.largeurEchelle) || !positifFini(p.ratioEcran) ||
      !positifFini(p.baseZoom) || !std::isfinite(image.calibrage))
    return std::nullopt;
  const Segment& s = m.Seg(1);
  const double zoom = std::pow(p.baseZoom, static_cast<double>(m.ExpZoom));
  const double echelle = echelleImage(image.largeurPixels, p.largeurEchelle);
  // The figure in units of Picture1 as it was drawn: its ends were whole units there.
  auto enUnites = [&](double d) {
    const double u = d / (zoom * echelle);
    return std::abs(u - std::round(u)) < 1e-6 ? std::round(u) : u;
  };
  const double dx = enUnites(s.X2 - s.X1), dy = enUnites(s.Y2 - s.Y1);
  if (!std::isfinite(dx) || !std::isfinite(dy)) return std::nullopt;
  double surface = 0;
  if (fonction == kFonctionEllipse) {
    if (!Surface_Ellipse(0, 0, dx, dy, surface)) return std::nullopt;
  } else {
    surface = Surface_Rectangle(0, 0, dx, dy);
  }
  const double facteur =
      image.calibrage * zoom * Facteur_Resol_Pour(p.indepResol, image.largeurPixels) / p.ratioEcran;
  const double resultat = surface * facteur * facteur;
  if (!std::isfinite(resultat)) return std::nullopt;
  return resultat;
}

std::vector<CelluleCalculee> Cellules_Remesurees(int fonction, const Mesure& m,
                                                 const std::optional<ImageRemesure>& image,
                                                 const ParametresRemesure& p,
                                                 std::vector<double>* valeurs) {
  std::vector<CelluleCalculee> out;
  if (valeurs) valeurs->clear();
  if (fonction == kFonctionBosses) {
    const double a = m.Seg(1).X2, b = m.Seg(1).Y2;
    const double total = a + 2 * b;
    if (!std::isfinite(total) || std::abs(total) > 2e9) return out;
    out.push_back({1, platform::CStr(a)});
    out.push_back({2, platform::CStr(b)});
    out.push_back({3, platform::CStr(static_cast<long long>(platform::CLng(total)))});
    return out;
  }
  if (fonction == kFonctionEllipse || fonction == kFonctionRectangle) {
    if (!image) return out;
    if (const std::optional<double> s = Surface_Figure(fonction, m, *image, p))
      out.push_back({1, platform::Format(*s, p.masque)});
    return out;
  }
  const int n = Cellules_Longueurs(fonction);
  if (n == 0 || !image) return out;
  std::vector<double> v(static_cast<std::size_t>(n) + 1, 0.0);
  for (int j = 1; j <= n; ++j) {
    const std::optional<double> x = Valeur_Segment(m.Seg(j), *image, p);
    if (!x) return out;
    v[static_cast<std::size_t>(j)] = *x;
  }
  for (int j = 1; j <= n; ++j) out.push_back({j, platform::Format(v[static_cast<std::size_t>(j)], p.masque)});
  if (fonction == 2 || fonction == 3) {
    for (const CelluleCalculee& c : Colonnes_Calculees(fonction, n, v, p.masque, p.masque)) out.push_back(c);
  } else if (fonction == 5 || fonction == 6) {
    // The ratios are taken from the values as the grid shows them, as on measuring.
    auto affichee = [&](int j) { return Val_Decimal(out[static_cast<std::size_t>(j - 1)].texte); };
    for (const CelluleCalculee& c : Rapports_Cystide(fonction, affichee(2), affichee(3), affichee(4), p.masque))
      out.push_back(c);
  }
  if (valeurs) *valeurs = v;
  return out;
}
