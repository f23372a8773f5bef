#include "measure/grid_numbers.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "base/helpers.h"
#include "platform/flexgrid.h"
#include "reports/deciles.h"

namespace {

constexpr double kNonUtilisable = std::numeric_limits<double>::quiet_NaN();
constexpr double kSeuilDecile = 0.0001;   // smaller values are not counted by the deciles
// Beyond this many rows to add or remove, the sorted values are sorted again whole.
constexpr int kPasTri = 64;

}  // namespace

void NombresColonne::set(int r, const std::string& texte) {
  if (r < 1 || r > size() + 1) return;
  const double x = texte.empty() ? 0.0 : Val_Decimal(texte);
  const double d = x > kSeuilDecile ? decileValue(x) : kNonUtilisable;
  if (r == size() + 1) {
    valeurs_.push_back(x);
    deciles_.push_back(d);
    return;
  }
  const std::size_t i = static_cast<std::size_t>(r - 1);
  if (r <= lignesTriees_) {
    retireTrie(deciles_[i]);
    ajouteTrie(d);
  }
  valeurs_[i] = x;
  deciles_[i] = d;
}

void NombresColonne::truncate(int n) {
  n = std::max(n, 0);
  if (n >= size()) return;
  while (lignesTriees_ > n) retireTrie(deciles_[static_cast<std::size_t>(--lignesTriees_)]);
  valeurs_.resize(static_cast<std::size_t>(n));
  deciles_.resize(static_cast<std::size_t>(n));
}

std::span<const double> NombresColonne::values(int n) const {
  n = std::clamp(n, 0, size());
  return std::span<const double>(valeurs_.data(), static_cast<std::size_t>(n));
}

const std::vector<double>& NombresColonne::sortedDeciles(int n) {
  n = std::clamp(n, 0, size());
  if (std::abs(n - lignesTriees_) > kPasTri) {
    tries_.clear();
    for (int r = 0; r < n; ++r)
      if (!std::isnan(deciles_[static_cast<std::size_t>(r)])) tries_.push_back(deciles_[static_cast<std::size_t>(r)]);
    std::sort(tries_.begin(), tries_.end());
    lignesTriees_ = n;
  }
  while (lignesTriees_ < n) ajouteTrie(deciles_[static_cast<std::size_t>(lignesTriees_++)]);
  while (lignesTriees_ > n) retireTrie(deciles_[static_cast<std::size_t>(--lignesTriees_)]);
  return tries_;
}

const std::vector<double>& NombresColonne::sortedPositives(int n) {
  n = std::clamp(n, 0, size());
  // A number at or below the threshold, or one that its sort item rounds, has no
  // decile value equal to it: only then are the positive numbers sorted apart.
  bool memes = true;
  for (std::size_t i = 0; i < static_cast<std::size_t>(n) && memes; ++i)
    memes = !(valeurs_[i] > 0) || deciles_[i] == valeurs_[i];
  if (memes) return sortedDeciles(n);
  positifs_.clear();
  for (std::size_t i = 0; i < static_cast<std::size_t>(n); ++i)
    if (valeurs_[i] > 0) positifs_.push_back(valeurs_[i]);
  std::sort(positifs_.begin(), positifs_.end());
  return positifs_;
}

void NombresColonne::ajouteTrie(double d) {
  if (std::isnan(d)) return;
  tries_.insert(std::upper_bound(tries_.begin(), tries_.end(), d), d);
}

void NombresColonne::retireTrie(double d) {
  if (std::isnan(d)) return;
  const auto it = std::lower_bound(tries_.begin(), tries_.end(), d);
  if (it != tries_.end() && *it == d) tries_.erase(it);
}

// --- the measurement grid --------------------------------------------------------------

namespace {

// What is kept of one column, and the column's text revision it matches.
struct Colonne {
  NombresColonne nombres;
  std::uint64_t revision = 0;
  bool lue = false;
};

struct Memoire {
  const platform::FlexGrid* grille = nullptr;
  std::vector<Colonne> colonnes;
};

Memoire& memoire() {
  static Memoire m;
  return m;
}

// Column c of g brought up to date with the texts of rows 1 to last; nullptr for a
// column outside the grid.
NombresColonne* Colonne_A_Jour(platform::FlexGrid& g, int c, int last) {
  if (c < 0 || c >= g.cols()) return nullptr;
  Memoire& m = memoire();
  if (m.grille != &g) {
    m.colonnes.clear();
    m.grille = &g;
  }
  if (static_cast<std::size_t>(c) >= m.colonnes.size()) m.colonnes.resize(static_cast<std::size_t>(c) + 1);
  Colonne& col = m.colonnes[static_cast<std::size_t>(c)];
  static std::vector<int> changees;
  if (!col.lue || !g.textChangesSince(c, col.revision, changees)) {
    col.nombres.clear();
    changees.clear();
  }
  for (int r : changees)
    if (r >= 1 && r <= col.nombres.size()) col.nombres.set(r, g.textMatrix(r, c));
  col.revision = g.textRevision(c);
  col.lue = true;
  const int fin = std::min(last, g.rows() - 1);
  for (int r = col.nombres.size() + 1; r <= fin; ++r) col.nombres.set(r, g.textMatrix(r, c));
  return &col.nombres;
}

}  // namespace

std::span<const double> Nombres_Colonne(platform::FlexGrid& g, int c, int last) {
  NombresColonne* n = Colonne_A_Jour(g, c, last);
  if (!n) return {};
  return n->values(std::min(last, g.rows() - 1));
}

const std::vector<double>& Deciles_Colonne(platform::FlexGrid& g, int c, int last) {
  static const std::vector<double> vide;
  NombresColonne* n = Colonne_A_Jour(g, c, last);
  if (!n) return vide;
  return n->sortedDeciles(std::min(last, g.rows() - 1));
}

const std::vector<double>& Positifs_Colonne(platform::FlexGrid& g, int c, int last) {
  static const std::vector<double> vide;
  NombresColonne* n = Colonne_A_Jour(g, c, last);
  if (!n) return vide;
  return n->sortedPositives(std::min(last, g.rows() - 1));
}

void Relit_Nombres_Grille() {
  Memoire& m = memoire();
  m.colonnes.clear();
  m.grille = nullptr;
}
