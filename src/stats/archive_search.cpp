// Search of a statistics archive. The two-sample test is Student's t with the pooled
// deviation for equal counts and Welch's (1947) statistic and degrees of freedom
// otherwise; the one-sample comparison is the normal statistic of the sample mean.
#include "stats/archive_search.h"

#include <cmath>
#include <cstdio>

#include "base/helpers.h"
#include "platform/runtime.h"
#include "stats/normal.h"
#include "stats/student.h"

namespace stats {

namespace {

constexpr int kChampsSansLieu = 14;   // ";" pieces of a record without place
constexpr int kChampsAvecLieu = 15;   // and with place
constexpr int kNbMesMax = 32767;
const char* const kTitre = "Eventualités non écartées au risque de 1ère espèce de  ";
const char* const kCrLf = "\r\n";

std::vector<std::string> decoupe(const std::string& line) {
  std::vector<std::string> pieces;
  std::size_t debut = 0;
  for (;;) {
    const std::size_t fin = line.find(';', debut);
    pieces.push_back(line.substr(debut, fin == std::string::npos ? std::string::npos : fin - debut));
    if (fin == std::string::npos) return pieces;
    debut = fin + 1;
  }
}

bool vide(const std::string& s) { return s.find_first_not_of(" \t") == std::string::npos; }

float enSimple(double x) { return static_cast<float>(x); }

}  // namespace

std::string Str_Simple(double x) {
  const float v = enSimple(x);
  if (!std::isfinite(v)) return " 0";
  char buf[40];
  std::snprintf(buf, sizeof buf, "%.7G", static_cast<double>(std::fabs(v)));
  std::string t = buf;
  if (t.rfind("0.", 0) == 0) t.erase(0, 1);
  return (v < 0 ? "-" : " ") + t;
}

std::optional<double> P_Test_2m(int Nb1, double Mo1, double Sig1, int Nb2, double Mo2, double Sig2) {
  if (Nb1 < 1 || Nb2 < 1 || Nb1 + Nb2 < 3) return std::nullopt;
  if (!std::isfinite(Mo1) || !std::isfinite(Mo2) || !std::isfinite(Sig1) || !std::isfinite(Sig2))
    return std::nullopt;
  double t = 0, df = 0;
  if (Nb1 == Nb2) {
    const double sp = std::sqrt(((Nb2 - 1) * Sig2 * Sig2 + (Nb1 - 1) * Sig1 * Sig1) / (Nb1 + Nb2 - 2));
    t = (Mo1 - Mo2) / sp / std::sqrt(1.0 / Nb1 + 1.0 / Nb2);
    df = Nb1 + Nb2 - 2;
  } else {
    if (Nb1 < 2 || Nb2 < 2) return std::nullopt;
    const double q1 = Sig1 * Sig1 / Nb1, q2 = Sig2 * Sig2 / Nb2;
    t = (Mo1 - Mo2) / std::sqrt(q1 + q2);
    df = (q1 + q2) * (q1 + q2) / (q2 * q2 / (Nb2 - 1) + q1 * q1 / (Nb1 - 1));
  }
  if (!std::isfinite(t) || !std::isfinite(df) || df <= 0) return std::nullopt;
  const std::optional<StudentPoint> s = Loi_Student(std::fabs(t), df);
  if (!s) return std::nullopt;
  return 1 - s->p;
}

int Nmst_Test_2m(float Risque, int Nb1, float Mo1, float Sig1, float /*Ksig2*/, int Nb2, float Mo2,
                 float Sig2, bool bilateral) {
  const std::optional<double> p = P_Test_2m(Nb1, Mo1, Sig1, Nb2, Mo2, Sig2);
  if (!p) return 0;
  const double a = bilateral ? Risque / 2.0 : Risque;
  return enSimple(*p) > a ? 1 : 0;
}

std::optional<double> P_ComparMoyNb(int Nb1, float Mo1, float Sig1, float Mo2) {
  if (Nb1 < 2) return std::nullopt;
  const double se = Sig1 / std::sqrt(static_cast<double>(Nb1) - 1);
  const double z = (static_cast<double>(Mo1) - Mo2) / se;
  if (!std::isfinite(z) || se == 0) return std::nullopt;
  const std::optional<NormalPoint> n = Loi_Normale(z);
  if (!n) return std::nullopt;
  return Mo1 - Mo2 >= 0 ? 1 - n->p : n->p;
}

int ComparMoyNb(float Risque, int Nb1, float Mo1, float Sig1, float Mo2) {
  if (Nb1 == 1) return 2;
  const std::optional<double> p = P_ComparMoyNb(Nb1, Mo1, Sig1, Mo2);
  if (!p) return 0;
  return *p > Risque ? 1 : 0;
}

bool Entete_Archive(const std::string& line, bool* coord) {
  const std::string haut = platform::UCase(line);
  if (coord != nullptr) *coord = haut.find("COORD") != std::string::npos;
  return haut.find("MSGENRE;MSESP;MSREF") != std::string::npos;
}

std::optional<ArchiveRecord> Lit_Enregistrement(const std::string& line, bool headerCoord) {
  ArchiveRecord r;
  r.fields = decoupe(line);
  const int n = static_cast<int>(r.fields.size());
  r.coord = n == kChampsAvecLieu ? true : n == kChampsSansLieu ? false : headerCoord;
  const int ks = r.coord ? 5 : 4;
  if (n <= ks + 5) return std::nullopt;
  auto champ = [&](int k) -> const std::string& { return r.fields[static_cast<std::size_t>(ks + k)]; };
  r.ks = enSimple(vide(champ(0)) ? 1.0 : Val_Decimal(champ(0)));
  const double nb = vide(champ(1)) ? 0.0 : Val_Decimal(champ(1));
  if (!std::isfinite(nb) || nb < -0.5 || nb > kNbMesMax + 0.5) return std::nullopt;
  r.nbmes = platform::CInt(nb);
  if (r.nbmes < 0 || r.nbmes > kNbMesMax) return std::nullopt;
  r.lngText = champ(2);
  r.lng = enSimple(Val_Decimal(champ(2)));
  r.slng = enSimple(Val_Decimal(champ(3)));
  r.largText = champ(4);
  r.larg = enSimple(Val_Decimal(champ(4)));
  r.slarg = enSimple(Val_Decimal(champ(5)));
  return r;
}

namespace {

// The results line of a listed record.
std::string ligneResultat(const ArchiveRecord& r) {
  return r.fields[0] + " " + r.fields[1] + "\t" + r.fields[2] + "\t" + r.fields[3] + "\t" + r.fields[4] +
         "\t lng " + r.lngText + "\t  larg " + r.largText;
}

bool compatible(const ArchiveRecord& r, const ArchiveSample& s, const ArchiveSearch& p) {
  if (r.nbmes == 0) return ComparMoyNb(p.alpha, s.n, s.mean, s.sigma, r.lng) == 1;
  return Nmst_Test_2m(p.alpha, s.n, s.mean, s.sigma, r.ks, r.nbmes, r.lng, r.slng, p.bilateral) > 0;
}

}  // namespace

std::string Titre_Recherche(float alpha) {
  return kTitre + Str_Simple(static_cast<double>(enSimple(alpha * 200.0f))) + "%" + kCrLf + std::string(59, '-') +
         kCrLf;
}

ArchiveResult Recherche_Archive(const std::vector<std::string>& records, bool headerCoord,
                                const ArchiveSample& sample, const ArchiveSearch& search) {
  ArchiveResult res;
  res.text = Titre_Recherche(search.alpha);
  const std::string filtre = platform::LCase(search.filter);
  for (const std::string& line : records) {
    if (line.empty()) continue;
    if (!filtre.empty() && platform::LCase(line).find(filtre) == std::string::npos) continue;
    const std::optional<ArchiveRecord> r = Lit_Enregistrement(line, headerCoord);
    if (!r) {
      res.ignored += 1;
      continue;
    }
    if (r->nbmes != 0) res.test2m = true;
    if (!compatible(*r, sample, search)) continue;
    res.text += ligneResultat(*r) + kCrLf;
    res.found = true;
    res.NbLgn += 1;
  }
  if (!res.found) {
    res.NbLgn += 1;
    res.text += std::string("Aucune") + kCrLf;
  }
  if (res.ignored > 0) {
    res.NbLgn += 1;
    res.text += std::to_string(res.ignored) + " ligne(s) ignorée(s)" + kCrLf;
  }
  return res;
}

}  // namespace stats
