#include "reports/optimal_spore.h"

#include <algorithm>
#include <cmath>

SporeReference Reference_Spore(int option, const SporeStats& s) {
  SporeReference r;
  if (option < 1 || option > kDerniereOptionSpore) return r;
  if (option == 10) return {s.domL, 0, 1, 0};
  if (option == 11) return {0, s.domW, 0, 1};
  const int famille = (option - 1) / 3;   // 0 means, 1 medians, 2 dominant values
  const int poids = (option - 1) % 3;     // 0 plain, 1 Qm, 2 the other sigma
  if (famille == 0) {
    r.longueur = s.moyL;
    r.largeur = s.moyW;
  } else if (famille == 1) {
    r.longueur = s.medL;
    r.largeur = s.medW;
  } else {
    r.longueur = s.domL;
    r.largeur = s.domW;
  }
  if (poids == 1) r.poidsL = s.moyQ;
  if (poids == 2) {
    r.poidsL = s.sigW;
    r.poidsW = s.sigL;
  }
  return r;
}

bool Option_Qm(int option) { return option == 2 || option == 5 || option == 8; }

int Rang_Spore_Optimale(const SporeReference& ref, std::span<const double> longueurs,
                        std::span<const double> largeurs, const std::function<bool(int)>& candidat) {
  const std::size_t n = std::min(longueurs.size(), largeurs.size());
  double meilleure = 99999999999.0;
  int rang = 0;
  for (std::size_t i = 0; i < n; ++i) {
    const int r = static_cast<int>(i) + 1;
    if (candidat && !candidat(r)) continue;
    const double dl = (longueurs[i] - ref.longueur) * ref.poidsL;
    const double dw = (largeurs[i] - ref.largeur) * ref.poidsW;
    const double d = std::sqrt(dl * dl + dw * dw);
    if (d < meilleure) {
      meilleure = d;
      rang = r;
    }
  }
  return rang;
}
