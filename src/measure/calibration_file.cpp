#include "measure/calibration_file.h"

#include <cmath>

#include "base/helpers.h"
#include "platform/runtime.h"
#include "platform/textfile.h"

namespace {

constexpr double kEcartNul = 1E-10;   // an entry names the coefficient within this
constexpr const char* kCrLf = "\r\n";

bool finiPositif(double v) { return std::isfinite(v) && v > 0; }

}  // namespace

std::vector<std::string> Entete_Calibrage(const std::string& ligne2) {
  return {kEnteteCalibrage, ligne2};
}

std::string Ligne_Calibrage(const std::string& commentaire, double valeur) {
  return commentaire + " = " + platform::Str(valeur);
}

bool Ligne_Entree(const std::string& ligne) {
  return !platform::Trim(ligne).empty() && ligne.find('=') != std::string::npos;
}

std::string Texte_Valeur(const std::string& ligne) {
  const std::size_t p = ligne.find('=');
  if (p == std::string::npos) return "";
  return platform::Trim(ligne.substr(p + 1));
}

double Valeur_Ligne(const std::string& ligne) { return Val_Decimal(Texte_Valeur(ligne)); }

std::vector<std::string> Entrees_Calibrage(const std::vector<std::string>& lignes) {
  std::vector<std::string> out;
  for (const std::string& l : lignes)
    if (Ligne_Entree(l)) out.push_back(l);
  return out;
}

int Entree_Correspondante(const std::vector<std::string>& entrees, double c) {
  double meilleur = 1E+17;
  int trouve = -1;
  for (std::size_t i = 0; i < entrees.size(); ++i) {
    const double v = Valeur_Ligne(entrees[i]);
    if (!finiPositif(v)) continue;
    const double d = std::fabs(v - c);
    if (d < meilleur) {
      meilleur = d;
      trouve = static_cast<int>(i);
    }
  }
  return meilleur < kEcartNul ? trouve : -1;
}

std::string Octets_Avec_Entree(const std::string& octets, const std::string& ligne) {
  const std::string texte = platform::decodeText(octets);
  const bool utf16 = octets.size() >= 2 && ((octets[0] == '\xFF' && octets[1] == '\xFE') ||
                                            (octets[0] == '\xFE' && octets[1] == '\xFF'));
  const bool utf8 = !utf16 && texte != platform::decodeWindows1252(octets);
  std::string entree;
  const bool tient1252 = platform::encodeWindows1252(ligne, &entree);
  if (utf16 || (!utf8 && !tient1252)) {
    // Written again whole, in the encoding every line can take.
    std::vector<std::string> lignes = platform::splitLines(texte);
    lignes.push_back(ligne);
    std::string tout;
    for (const std::string& l : lignes) tout += l + kCrLf;
    if (utf16 || !platform::encodeWindows1252(tout, &entree)) return tout;
    return entree;
  }
  if (utf8) entree = ligne;
  std::string out = octets;
  if (!out.empty() && out.back() != '\n' && out.back() != '\r') out += kCrLf;
  return out + entree + kCrLf;
}

bool Commentaire_Interdit(const std::string& commentaire, std::string* signe) {
  for (const char* s : {"=", ";"}) {
    if (commentaire.find(s) != std::string::npos) {
      if (signe) *signe = s;
      return true;
    }
  }
  return false;
}

Controle Controle_Valeur(double v) {
  if (std::isnan(v) || v < kValeurCalibMini) return Controle::Trop_Petit;
  if (v > kValeurCalibMaxi) return Controle::Trop_Grand;
  return Controle::Accepte;
}

double Coefficient_Longueur(double v, int n) {
  if (n <= 0) return NAN;
  const double c = v / n;
  return std::isfinite(c) ? c : NAN;
}

double Coefficient_Graduations(double v, double objectif, int n) {
  if (!(objectif > 0) || n <= 0) return NAN;
  const double c = v * (100 / objectif) / n;
  return std::isfinite(c) ? c : NAN;
}

double Valeur_Division(int n1, double v1, int n2, double v2) {
  const double d = v1 * n2 / (static_cast<double>(n1) * v2);
  return std::isfinite(d) ? d : NAN;
}

std::string Masque_Automatique(double largeur, double c, const std::string& actuel) {
  const double x = largeur * 0.001 / c;
  if (!std::isfinite(x)) return actuel;
  std::string m = actuel;
  if (x > 1) m = "###0";
  if (x > 10) m = "###0.0";
  if (x > 100) m = "###0.00";
  if (x > 1000) m = "###0.000";
  return m;
}
