#include "measure/grid_numbers.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "base/helpers.h"
#include "measure/measure_state.h"
#include "platform/flexgrid.h"
#include "reports/deciles.h"
#include "reports/report_model.h"

namespace {

constexpr double kNonUtilisable = std::numeric_limits<double>::quiet_NaN();
constexpr double kSeuilDecile = 0.0001;   // smaller sizes are not counted by the deciles
// Beyond this many rows to add or remove, the sorted values are sorted again whole.
constexpr int kPasTri = 64;
// The colour zone: L*a*b* channels are signed, and a channel of 0 is a colour.
constexpr int kFonctionCouleur = 20;

}  // namespace

bool writtenZeroCounts(int function) { return function == kFonctionCouleur; }

bool cellCounts(const std::string& text, double value, bool writtenZero) {
  if (value != 0) return true;
  double x = 0;
  return writtenZero && litNombre(text, &x);
}

void NombresColonne::classe(std::size_t i) {
  const double x = valeurs_[i];
  const bool compte = x != 0 || (zeroCompte_ && zeros_[i]);
  comptes_[i] = compte ? 1 : 0;
  deciles_[i] = compte && (zeroCompte_ || std::fabs(x) > kSeuilDecile) ? decileValue(x) : kNonUtilisable;
}

void NombresColonne::set(int r, const std::string& texte) {
  if (r < 1 || r > size() + 1) return;
  const double x = texte.empty() ? 0.0 : Val_Decimal(texte);
  const char zero = x == 0 && cellCounts(texte, x, true) ? 1 : 0;
  const std::size_t i = static_cast<std::size_t>(r - 1);
  if (r == size() + 1) {
    valeurs_.push_back(x);
    zeros_.push_back(zero);
    comptes_.push_back(0);
    deciles_.push_back(kNonUtilisable);
    classe(i);
    return;
  }
  const double avant = deciles_[i];
  valeurs_[i] = x;
  zeros_[i] = zero;
  classe(i);
  if (r <= lignesTriees_) {
    retireTrie(avant);
    ajouteTrie(deciles_[i]);
  }
}

void NombresColonne::truncate(int n) {
  n = std::max(n, 0);
  if (n >= size()) return;
  while (lignesTriees_ > n) retireTrie(deciles_[static_cast<std::size_t>(--lignesTriees_)]);
  const auto k = static_cast<std::size_t>(n);
  valeurs_.resize(k);
  zeros_.resize(k);
  comptes_.resize(k);
  deciles_.resize(k);
}

void NombresColonne::setWrittenZeroCounts(bool on) {
  if (on == zeroCompte_) return;
  zeroCompte_ = on;
  for (std::size_t i = 0; i < valeurs_.size(); ++i) classe(i);
  tries_.clear();
  lignesTriees_ = 0;
}

std::span<const double> NombresColonne::values(int n) const {
  n = std::clamp(n, 0, size());
  return std::span<const double>(valeurs_.data(), static_cast<std::size_t>(n));
}

std::span<const char> NombresColonne::counted(int n) const {
  n = std::clamp(n, 0, size());
  return std::span<const char>(comptes_.data(), static_cast<std::size_t>(n));
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

const std::vector<double>& NombresColonne::sortedCounted(int n) {
  n = std::clamp(n, 0, size());
  // A number whose size is at or below the threshold, or one that its sort item
  // rounds, has no decile value equal to it: only then are the counted numbers sorted
  // apart.
  bool memes = true;
  for (std::size_t i = 0; i < static_cast<std::size_t>(n) && memes; ++i)
    memes = !comptes_[i] || deciles_[i] == valeurs_[i];
  if (memes) return sortedDeciles(n);
  comptees_.clear();
  for (std::size_t i = 0; i < static_cast<std::size_t>(n); ++i)
    if (comptes_[i]) comptees_.push_back(valeurs_[i]);
  std::sort(comptees_.begin(), comptees_.end());
  return comptees_;
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
  col.nombres.setWrittenZeroCounts(writtenZeroCounts(Fonction_Grille));
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

std::span<const char> Comptes_Colonne(platform::FlexGrid& g, int c, int last) {
  NombresColonne* n = Colonne_A_Jour(g, c, last);
  if (!n) return {};
  return n->counted(std::min(last, g.rows() - 1));
}

const std::vector<double>& Deciles_Colonne(platform::FlexGrid& g, int c, int last) {
  static const std::vector<double> vide;
  NombresColonne* n = Colonne_A_Jour(g, c, last);
  if (!n) return vide;
  return n->sortedDeciles(std::min(last, g.rows() - 1));
}

const std::vector<double>& Comptees_Colonne(platform::FlexGrid& g, int c, int last) {
  static const std::vector<double> vide;
  NombresColonne* n = Colonne_A_Jour(g, c, last);
  if (!n) return vide;
  return n->sortedCounted(std::min(last, g.rows() - 1));
}

void Relit_Nombres_Grille() {
  Memoire& m = memoire();
  m.colonnes.clear();
  m.grille = nullptr;
}
