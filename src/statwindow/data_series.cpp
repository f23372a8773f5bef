// A series of values read from a data text and described: sort, dominant value,
// moments by the corrected two-pass algorithm, deciles at ranks p (n + 1)
// (definition 6 of Hyndman and Fan, 1996), and the result text.
#include "statwindow/data_series.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>

#include "base/globals.h"
#include "base/helpers.h"
#include "platform/runtime.h"
#include "reports/deciles.h"
#include "stats/descriptive.h"
#include "stats/dominant.h"

namespace {

// x rounded to 15 significant digits, so that a value such as 2.8400000000000003
// is written as the decimal it stands for.
double round15(double x) {
  if (!std::isfinite(x) || x == 0) return x;
  char buf[40];
  const auto r = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::scientific, 14);
  double v = x;
  std::from_chars(buf, r.ptr, v);
  return v;
}

std::span<const double> values(std::span<const double> donnees) {
  return donnees.empty() ? donnees : donnees.subspan(1);
}

std::string notation(const ResultInput& in, const std::string& milieu) {
  const int n = static_cast<int>(in.donnees.size()) - 1;
  const double premier = n >= 1 ? in.donnees[1] : 0;
  const double dernier = n >= 1 ? in.donnees[static_cast<std::size_t>(n)] : 0;
  return in.libelle + " : " + "N=" + std::to_string(n) + "; (" + platform::CStr(premier) + ")" + milieu + "(" +
         platform::CStr(dernier) + ")" + SautLigne;
}

}  // namespace

std::optional<SeriesData> Mcharge_data(const std::string& text) {
  if (text.find(';') == std::string::npos) return std::nullopt;
  SeriesData s;
  s.donnees.reserve(static_cast<std::size_t>(std::count(text.begin(), text.end(), ';')) + 1);
  std::size_t debut = 0;
  for (std::size_t fin = text.find(';'); fin != std::string::npos; fin = text.find(';', debut)) {
    // A value typed on a new line starts after its line break.
    while (debut < fin && (text[debut] == '\r' || text[debut] == '\n')) ++debut;
    s.donnees.push_back(Val_Decimal(text.substr(debut, fin - debut)));
    debut = fin + 1;
  }
  stats::Tri_Rapide(s.donnees, 1, s.n());
  s.dominante = stats::Valeur_Dominante(s.donnees);
  return s;
}

MeanDeviation Calcul_Moy_ET(std::span<const double> donnees) {
  const std::span<const double> v = values(donnees);
  if (v.empty()) return {};
  const stats::SampleMoments m = stats::computeMoments(v);
  return {m.mean, m.sigma};
}

double Ecart_Type_Estime(double ecartType, int n) {
  if (n < 2) return 0;
  return ecartType * std::sqrt(static_cast<double>(n) / (n - 1));
}

MedianDeciles SCdecile(std::span<const double> donnees) {
  const DecileSummary d = computeDeciles(values(donnees));
  return {round15(d.median), round15(d.d1), round15(d.d9)};
}

std::string Texte_Valeurs(std::span<const double> donnees, int first, int last) {
  std::string t;
  const int n = static_cast<int>(donnees.size()) - 1;
  for (int i = std::max(first, 1); i <= std::min(last, n); ++i)
    t += platform::CStr(donnees[static_cast<std::size_t>(i)]) + ";";
  return t;
}

std::string Texte_Colle(const std::string& clipboard) {
  std::string out, cellule;
  auto ferme = [&] {
    if (cellule.find_first_not_of(' ') != std::string::npos) out += cellule + ";";
    cellule.clear();
  };
  for (char c : clipboard) {
    if (c == '\r' || c == '\n' || c == '\t')
      ferme();
    else
      cellule.push_back(c == '.' ? ',' : c);
  }
  return out + cellule;
}

int Mcherche_Xi(std::span<const double> donnees, float absc, int dte) {
  const int n = static_cast<int>(donnees.size()) - 1;
  auto at = [&](int i) { return static_cast<float>(donnees[static_cast<std::size_t>(i)]); };
  if (n < 1) return 0;
  if (dte == 0) {
    for (int i = 1; i <= n; ++i)
      if (at(i) >= absc) return i;
    return 0;
  }
  if (dte == 1) {
    if (!(at(n) > absc)) return n;
    int dernier = 0;
    for (int i = 1; i <= n && at(i) < absc; ++i) dernier = i;
    return dernier;
  }
  return 0;
}

std::optional<ModeInterval> Valeurs_Entre(std::span<const double> donnees, float borne1, float borne2) {
  if (borne2 < borne1) std::swap(borne1, borne2);
  ModeInterval m;
  m.indice1 = Mcherche_Xi(donnees, borne1, 0);
  m.indice2 = Mcherche_Xi(donnees, borne2, 1);
  if (m.indice1 < 1 || m.indice2 < m.indice1) return std::nullopt;
  m.texte = Texte_Valeurs(donnees, m.indice1, m.indice2);
  const int k = m.indice2 - m.indice1 + 1;
  const double etendue =
      std::fabs(donnees[static_cast<std::size_t>(m.indice1)] - donnees[static_cast<std::size_t>(m.indice2)]);
  m.nbParUnite = etendue <= 0.001 ? std::to_string(k) + " ::  * "
                                  : std::to_string(k) + " pts # " + platform::Format(k / etendue, "####.#");
  return m;
}

std::string Valeurs_Hors(std::span<const double> donnees, int indice1, int indice2) {
  const int n = static_cast<int>(donnees.size()) - 1;
  return Texte_Valeurs(donnees, 1, std::min(n, indice1 - 1)) + Texte_Valeurs(donnees, indice2 + 1, n);
}

std::string Lignes_Modes(std::span<const float> modes, int nbModes) {
  const int dernier = static_cast<int>(modes.size()) - 1;
  auto texte = [&](int m) { return platform::Format(modes[static_cast<std::size_t>(m)], "###.##"); };
  if (modes.empty()) return std::string();
  if (nbModes <= 1) return " PDM " + std::string(" = ") + texte(0) + SautLigne;
  std::string t;
  for (int m = 1; m < nbModes && m <= dernier; ++m) t += " PDMS " + std::to_string(m) + " = " + texte(m) + SautLigne;
  if (nbModes <= dernier) t += " PDMS " + std::to_string(nbModes) + " = " + texte(0) + SautLigne;
  return t;
}

ResultText Texte_Resultats(const ResultInput& in) {
  ResultText r;
  const int n = static_cast<int>(in.donnees.size()) - 1;
  const double premier = n >= 1 ? in.donnees[1] : 0;
  const double dernier = n >= 1 ? in.donnees[static_cast<std::size_t>(n)] : 0;
  r.entete = in.horodatage + SautLigne + "col " + in.colonne + " : " + in.nomColonne + SautLigne +
             std::to_string(n) + " données" + SautLigne + " Minimum = " + platform::CStr(premier) + SautLigne +
             " Maximum = " + platform::CStr(dernier) + SautLigne;
  r.modes = Lignes_Modes(in.modes, in.nbModes);

  r.moyenneEt = Calcul_Moy_ET(in.donnees);
  r.mediane = SCdecile(in.donnees);
  auto f2 = [](double x) { return platform::Format(x, "0.##"); };
  auto f4 = [](double x) { return platform::Format(x, "0.####"); };
  std::string& s = r.statistiques;
  s = " D1 = " + f2(r.mediane.d1) + SautLigne + " D9 = " + f2(r.mediane.d9) + SautLigne + " Médiane = " +
      f2(r.mediane.mediane) + SautLigne + " Moyenne = " + f2(r.moyenneEt.moyenne) + SautLigne +
      " Ecart-type vrai = " + f4(r.moyenneEt.ecartType) + SautLigne;
  if (n >= 2) s += " Ecart-type estimé = " + f4(Ecart_Type_Estime(r.moyenneEt.ecartType, n)) + SautLigne;
  const std::string pdm = in.modes.empty() ? std::string() : platform::Format(in.modes[0], "###.##");
  s += "Notation D1,D9 " + SautLigne + notation(in, f2(r.mediane.d1) + "-" + f2(r.mediane.d9));
  s += "Notation D1,PDM,D9 " + SautLigne + notation(in, f2(r.mediane.d1) + "-" + pdm + "-" + f2(r.mediane.d9));
  return r;
}
