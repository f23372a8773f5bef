#include "colour/chart.h"

#include <algorithm>
#include <cstdlib>

#include "base/globals.h"
#include "base/helpers.h"
#include "base/text_tables.h"
#include "platform/runtime.h"
#include "platform/textfile.h"

TableNuancier Nuancier;
NomsNuancier Nuancier_Noms;
int NbNuancier = 0;

namespace {

constexpr int kColonnes = 7;

bool estBlanche(const std::string& ligne) {
  return ligne.find_first_not_of(" \t") == std::string::npos;
}

bool contientCle(const std::string& ligne, const char* cle) {
  return platform::UCase(ligne).find(cle) != std::string::npos;
}

// The entry of one list line: fields 1 to 6 as numbers, and its name.
void analyseEntree(const std::string& ligne, std::array<float, 6>* valeurs, std::string* nom) {
  const std::vector<std::string> champs = platform::Split(ligne, ";");
  for (int c = 1; c <= 6; ++c) {
    const double v = c < static_cast<int>(champs.size()) ? Val_Decimal(champs[c]) : 0.0;
    (*valeurs)[c - 1] = static_cast<float>(v);
  }
  // A final ";" leaves an empty part that is not a field.
  std::size_t nbChamps = champs.size();
  if (nbChamps > 1 && platform::Trim(champs.back()).empty()) --nbChamps;
  if (nbChamps >= 10)
    *nom = champs[9];
  else if (champs.size() >= 2)
    *nom = champs[champs.size() - 2];
  else
    nom->clear();
}

void appliqueCalibrage(bool valeur, CasesCouleur& cases) {
  cases.expert = false;
  cases.calibre = false;
  cases.calibreActif = false;
  Mode_Expert = valeur;
  if (Mode_Expert && Correction_Valide) {
    cases.calibreActif = true;
    cases.calibre = true;
  }
}

}  // namespace

TableNuancier::TableNuancier() : v_(static_cast<std::size_t>(kMaxNuancier + 1) * kColonnes, 0.0f) {}

std::size_t TableNuancier::at(int i, int c) {
  if (i < 0 || i > kMaxNuancier || c < 0 || c >= kColonnes)
    throw platform::IndexError("chart entry " + std::to_string(i) + ", column " +
                               std::to_string(c) + " outside the table");
  return static_cast<std::size_t>(i) * kColonnes + static_cast<std::size_t>(c);
}

float& TableNuancier::operator()(int i, int c) { return v_[at(i, c)]; }
float TableNuancier::operator()(int i, int c) const { return v_[at(i, c)]; }
void TableNuancier::clear() { std::fill(v_.begin(), v_.end(), 0.0f); }

VueNuancier Nuancier_Courant() {
  return {Nuancier, Nuancier_Noms, std::clamp(NbNuancier, 0, kMaxNuancier)};
}

bool Valeur_Logique(const std::string& texte) {
  const std::string t = platform::Trim(texte);
  const std::string u = platform::UCase(t);
  if (u == "TRUE") return true;
  if (u == "FALSE" || t.empty()) return false;
  std::string nombre = platform::Replace(t, ",", ".");
  char* fin = nullptr;
  const double v = std::strtod(nombre.c_str(), &fin);
  if (fin == nombre.c_str() || *fin != '\0') return false;
  return v != 0.0;
}

std::vector<bool> Lignes_De_Notes(const std::vector<std::string>& lignes) {
  const std::size_t n = lignes.size();
  auto ouvre = [](const std::string& l) {
    const std::size_t egal = l.find('=');
    return egal != std::string::npos && platform::UCase(platform::Trim(l.substr(0, egal))) == "NOTES";
  };
  auto ferme = [](const std::string& l) {
    const std::size_t debut = l.find_first_not_of(" \t");
    return debut != std::string::npos && platform::UCase(l.substr(debut, 8)) == "FINNOTES";
  };
  // The next closing line at or after each line, found from the end in one pass.
  std::vector<std::size_t> prochaineFin(n + 1, n);
  for (std::size_t k = n; k-- > 0;) prochaineFin[k] = ferme(lignes[k]) ? k : prochaineFin[k + 1];
  std::vector<bool> notes(n, false);
  for (std::size_t k = 0; k < n; ++k) {
    if (!ouvre(lignes[k])) continue;
    const std::size_t fin = prochaineFin[k + 1];
    if (fin == n) {
      notes[k] = true;
      continue;
    }
    for (std::size_t j = k; j <= fin; ++j) notes[j] = true;
    k = fin;
  }
  return notes;
}

NuancierLu Analyse_Nuancier(const std::vector<std::string>& lignes) {
  NuancierLu lu;
  const std::vector<bool> notes = Lignes_De_Notes(lignes);
  std::size_t k = 0;
  for (; k < lignes.size() && !lu.liste; ++k) {
    const std::string& ligne = lignes[k];
    if (estBlanche(ligne) || notes[k]) continue;
    if (contientCle(ligne, "CALIBRAGECOL=")) {
      lu.calibrage = Valeur_Logique(ligne.substr(ligne.find('=') + 1));
    }
    if (contientCle(ligne, "LISTE=")) lu.liste = true;
  }
  if (!lu.liste) return lu;
  for (; k < lignes.size(); ++k) {
    if (estBlanche(lignes[k])) continue;
    if (static_cast<int>(lu.valeurs.size()) >= kMaxNuancier) {
      ++lu.refusees;
      continue;
    }
    std::array<float, 6> v{};
    std::string nom;
    analyseEntree(lignes[k], &v, &nom);
    lu.valeurs.push_back(v);
    lu.noms.push_back(std::move(nom));
  }
  return lu;
}

ResultatNuancier Charge_Nuancier(const std::string& fichier, CasesCouleur& cases) {
  ResultatNuancier r;
  std::vector<std::string> lignes;
  if (fichier.empty() || !platform::readLines(platform::normalizePath(fichier), &lignes)) {
    r.etat = ChargementNuancier::Illisible;
    r.message = Nom_Fichier(fichier) + MSG(220);
    return r;
  }
  const NuancierLu lu = Analyse_Nuancier(lignes);
  if (!lu.liste) {
    r.etat = ChargementNuancier::Invalide;
    r.message = MSG(230) + fichier + MSG(231);
    return r;
  }
  Nuancier.clear();
  for (std::string& nom : Nuancier_Noms) nom.clear();
  const int n = static_cast<int>(lu.valeurs.size());
  for (int i = 1; i <= n; ++i) {
    for (int c = 1; c <= 6; ++c) Nuancier(i, c) = lu.valeurs[i - 1][c - 1];
    Nuancier_Noms(i) = lu.noms[i - 1];
  }
  NbNuancier = n;
  Fic_Nuancier = fichier;
  if (lu.calibrage) appliqueCalibrage(*lu.calibrage, cases);
  r.etat = ChargementNuancier::Charge;
  if (lu.refusees > 0)
    r.message = "Nuancier limité à " + std::to_string(kMaxNuancier) + " couleurs : " +
                std::to_string(lu.refusees) + " lignes non chargées";
  return r;
}

int Compte_Entrees_Liste(const std::string& fichier) {
  std::vector<std::string> lignes;
  if (fichier.empty() || !platform::readLines(platform::normalizePath(fichier), &lignes)) return 0;
  const std::vector<bool> notes = Lignes_De_Notes(lignes);
  std::size_t debut = 0;
  while (debut < lignes.size() && (notes[debut] || estBlanche(lignes[debut]) || !contientCle(lignes[debut], "LISTE=")))
    ++debut;
  if (debut == lignes.size()) return 0;
  return static_cast<int>(std::count_if(lignes.begin() + static_cast<std::ptrdiff_t>(debut) + 1, lignes.end(),
                                        [](const std::string& l) { return !estBlanche(l); }));
}
