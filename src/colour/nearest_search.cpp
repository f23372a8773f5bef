#include "colour/nearest_search.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <vector>

#include "base/globals.h"
#include "base/helpers.h"
#include "base/text_tables.h"
#include "colour/colour_difference.h"
#include "platform/runtime.h"

namespace {

enum class Espace { RVB, RVBRelatif, Lab };

struct Formule {
  const char* titre;
  const char* ref;       // the " /ref:" text of results 1 to 14
  Espace espace;
  double (*distance)(const Couleur3&, const Couleur3&);
  bool pastille;         // each result colours the second swatch
  bool legendeParLigne;  // each result captions it "nua (k)"
  bool verifieEntree;    // an input box that holds no number stops the search
};

const char* const kRefDernier = " /ref:   ";
const char* const kRefAuto = " /ref:  ";

double rvbAutomatique(const Couleur3& a, const Couleur3& b) {
  return std::sqrt(std::pow(a[0] - b[0], 2) + std::pow(a[1] - b[1], 2) + std::pow(a[2] - b[2], 2)) / 3.0;
}

const Formule* formule(const DemandeAjust& d) {
  static const Formule rvb{"delta RVB quadratique", " /ref:  ", Espace::RVB, Ecart_Quadratique, true, false, false};
  static const Formule relatif{"delta RVB quadratique", " /ref:  ", Espace::RVBRelatif, Ecart_Quadratique, false, false, false};
  static const Formule labQuad{"CIELAB delta quadratique", " /ref: ", Espace::Lab, Ecart_Quadratique, true, false, false};
  static const Formule cieLab{"CieLab deltaE*", " /ref:   ", Espace::Lab, Delta_E76, true, true, true};
  static const Formule cie94{"Delta_CIE94", " /ref:", Espace::Lab, Delta_E94, true, false, false};
  static const Formule cmc{"Delta_CMC", " /ref:", Espace::Lab, Delta_ECMC, true, false, false};
  static const Formule cie2000{"Delta_CIEDE2000", " /ref:", Espace::Lab, Delta_E2000, true, false, false};
  switch (d.formule) {
    case kDeltaRVB: return d.relatif ? &relatif : &rvb;
    case kDeltaLabQuad: return &labQuad;
    case kDeltaCieLab: return &cieLab;
    case kDeltaCIE94: return &cie94;
    case kDeltaCMC: return &cmc;
    case kDeltaCIE2000: return &cie2000;
    default: return nullptr;
  }
}

bool commenceParNombre(const std::string& t) {
  std::size_t i = t.find_first_not_of(" \t");
  if (i == std::string::npos) return false;
  if (t[i] == '+' || t[i] == '-') ++i;
  auto chiffre = [&](std::size_t k) {
    return k < t.size() && std::isdigit(static_cast<unsigned char>(t[k]));
  };
  if (chiffre(i)) return true;
  return i < t.size() && (t[i] == '.' || t[i] == ',') && chiffre(i + 1);
}

Couleur3 lireEntree(const DemandeAjust& d) {
  return {Val_Decimal(d.entree[0]), Val_Decimal(d.entree[1]), Val_Decimal(d.entree[2])};
}

int lireNombre(const std::string& t) { return std::clamp(platform::CInt(platform::Val(t)), -32768, 32767); }

Couleur3 valeursEntree(const VueNuancier& n, int j, int premiere) {
  return {n.valeurs(j, premiere), n.valeurs(j, premiere + 1), n.valeurs(j, premiere + 2)};
}

std::uint32_t couleurEntree(const VueNuancier& n, int j) {
  std::uint32_t c = 0;
  for (int k = 0; k < 3; ++k) {
    const auto canal = static_cast<std::uint32_t>(std::clamp(platform::CInt(n.valeurs(j, k + 1)), 0, 255));
    c |= canal << (8 * k);
  }
  return c;
}

// Distance of the input to entries 1 to nb (entry 0 unused).
std::vector<double> distances(const Couleur3& entree, const VueNuancier& n, Espace espace,
                              double (*distance)(const Couleur3&, const Couleur3&)) {
  std::vector<double> d(static_cast<std::size_t>(n.nb) + 1, 0.0);
  const Couleur3 source = espace == Espace::RVBRelatif ? Chromaticite(entree, true) : entree;
  for (int j = 1; j <= n.nb; ++j) {
    Couleur3 c = valeursEntree(n, j, espace == Espace::Lab ? 4 : 1);
    if (espace == Espace::RVBRelatif) c = Chromaticite(c, false);
    d[j] = distance(source, c);
  }
  return d;
}

// The nearest entry not yet listed (the lower number on a tie); 0 when none is nearer
// than 9999.
int plusProche(const std::vector<double>& d, const std::vector<char>& liste, double* min) {
  *min = 9999;
  int meilleure = 0;
  for (std::size_t j = 1; j < d.size(); ++j) {
    if (!liste[j] && d[j] < *min) {
      *min = d[j];
      meilleure = static_cast<int>(j);
    }
  }
  return meilleure;
}

std::string ligneResultat(int k, int entree, const char* ref, const VueNuancier& n, double ecart) {
  return SautLigne + platform::CStr(static_cast<long long>(k)) + " " + " Cel.: " +
         platform::CStr(static_cast<long long>(entree)) + ref + n.noms(entree) + platform::vbTab +
         " écart : " + platform::Format(ecart, "###00.00");
}

std::string legendeNua(int k) { return "nua (" + platform::CStr(static_cast<long long>(k)) + ")"; }

ResultatAjust rechercheCadre(const DemandeAjust& d, const VueNuancier& n, const Formule& f) {
  ResultatAjust r;
  const int N = lireNombre(d.nombre);
  r.ecrit = true;
  r.texte = d.entete + SautLigne + f.titre + SautLigne;
  if (f.verifieEntree && N >= 1 &&
      !std::all_of(d.entree.begin(), d.entree.end(), commenceParNombre)) {
    r.message = 223;
    r.archiveBloquee = true;
    return r;
  }
  const std::vector<double> dist = distances(lireEntree(d), n, f.espace, f.distance);
  std::vector<char> liste(dist.size(), 0);
  int k = 0;
  while (k < N) {
    double min = 0;
    const int meilleure = plusProche(dist, liste, &min);
    if (meilleure == 0) break;
    ++k;
    if (k >= kMaxResultats) {
      r.texteRes += ligneResultat(k, meilleure, kRefDernier, n, min);
      r.texte += r.texteRes;
      return r;
    }
    liste[meilleure] = 1;
    r.texteRes += ligneResultat(k, meilleure, f.ref, n, min);
    if (f.pastille) {
      r.nuancier.visible = true;
      if (f.legendeParLigne) r.nuancier.legende = legendeNua(k);
      r.nuancier.couleur = couleurEntree(n, meilleure);
    }
  }
  r.texte += r.texteRes;
  if (f.espace != Espace::Lab) {
    r.mesure.legende = "mesure";
    r.nuancier.legende = legendeNua(k);
    r.mesure.visible = false;
    r.nuancier.visible = true;
  }
  return r;
}

}  // namespace

std::string Texte_Entete_Ajust(const std::string& date, const std::string& image,
                               const std::string& nuancier, bool calibre) {
  return date + "  Image : " + image + SautLigne + TINTAVEL(11) + " : " + nuancier + SautLigne +
         TINTAVEL(calibre ? 36 : 35);
}

bool appartient(int numero, std::span<const int> table, int taille) {
  const int fin = std::min(taille, static_cast<int>(table.size()) - 1);
  for (int i = 0; i <= fin; ++i)
    if (table[static_cast<std::size_t>(i)] == numero) return true;
  return false;
}

ResultatAjust calcul_Ajust(const DemandeAjust& demande, const VueNuancier& charte) {
  if (charte.nb <= 0) {
    ResultatAjust r;
    r.message = 221;
    return r;
  }
  if (demande.formule == kDeltaRVB && demande.automatique) return AjusteAuto_aout09(demande, charte);
  const Formule* f = formule(demande);
  if (f == nullptr) return {};
  return rechercheCadre(demande, charte, *f);
}

ResultatAjust AjusteAuto_aout09(const DemandeAjust& demande, const VueNuancier& charte) {
  ResultatAjust r;
  const int N = std::min(lireNombre(demande.nombre), kMaxResultats);
  const std::vector<double> dist = distances(lireEntree(demande), charte, Espace::RVB, rvbAutomatique);
  std::vector<char> liste(dist.size(), 0);
  for (int k = 1; k <= N; ++k) {
    double min = 0;
    const int meilleure = plusProche(dist, liste, &min);
    if (meilleure == 0) break;
    liste[meilleure] = 1;
    r.texteRes += ligneResultat(k, meilleure, kRefAuto, charte, min);
  }
  r.ecrit = true;
  r.texte = "ajustauto 09" + r.texteRes;
  return r;
}
