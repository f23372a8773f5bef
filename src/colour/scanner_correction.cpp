#include "colour/scanner_correction.h"

#include <algorithm>
#include <cmath>

#include "base/globals.h"
#include "base/helpers.h"
#include "base/text_tables.h"
#include "colour/chart.h"
#include "measure/measure_state.h"
#include "platform/control.h"
#include "platform/runtime.h"
#include "platform/textfile.h"

TableCorrection Table_Correction;
TableCouleur Liste_Scanner;
TableCouleur Liste_Etalon;
int NbScanner = 0;
int NbEtalon = 0;

namespace {

constexpr int kPoints = 256;

void invalide(CasesCouleur& cases) {
  Correction_Valide = false;
  cases.calibre = false;
  cases.calibreActif = false;
}

std::string comptes(int msg) {
  return MSG(msg) + platform::CStr(static_cast<long long>(NbEtalon)) + " , " +
         platform::CStr(static_cast<long long>(NbScanner)) + ")";
}

}  // namespace

std::size_t TableCorrection::at(int point, int canal) {
  if (point < 0 || point >= kPoints || canal < 0 || canal > 3)
    throw platform::IndexError("correction point " + std::to_string(point) + ", channel " +
                               std::to_string(canal) + " outside the table");
  return static_cast<std::size_t>(point) * 4 + static_cast<std::size_t>(canal);
}

Point_Correction& TableCorrection::operator()(int point, int canal) { return p_[at(point, canal)]; }
const Point_Correction& TableCorrection::operator()(int point, int canal) const {
  return p_[at(point, canal)];
}
int TableCorrection::nbPoints(int canal) const {
  at(0, canal);
  return nb_[canal];
}
void TableCorrection::setNbPoints(int canal, int n) {
  at(0, canal);
  nb_[canal] = n;
}

std::vector<std::string> Tables_Canaux(int canal) {
  const int m = std::clamp(NbLames, 0, kMaxLignesCouleur);
  TableCorrection& t = Table_Correction;
  for (int j = 1; j <= m; ++j) {
    t(j, canal) = {static_cast<int>(Liste_Scanner(j, 1)), Liste_Scanner(j, canal + 1),
                   Liste_Etalon(j, canal + 1)};
  }
  t(0, canal) = {0, 0.0, 0.0};
  t(m + 1, canal) = {m + 1, 255.0, 255.0};
  for (int k = 1; k <= m - 1; ++k) {
    for (int j = 1; j <= m - k; ++j) {
      if (t(j, canal).Val_Scanner > t(j + 1, canal).Val_Scanner) std::swap(t(j, canal), t(j + 1, canal));
    }
  }
  t.setNbPoints(canal, m + 2);
  std::vector<std::string> lignes;
  for (int j = 1; j <= m + 1; ++j) {
    const Point_Correction& p = t(j, canal);
    lignes.push_back(platform::CStr(static_cast<long long>(j)) + " / " +
                     platform::CStr(static_cast<long long>(p.Num)) + platform::vbTab +
                     platform::CStr(p.Val_Scanner) + platform::vbTab + platform::CStr(p.Val_Etalon));
  }
  return lignes;
}

std::vector<std::string> Liste_Canaux() {
  std::vector<std::string> lignes;
  const char* const suites[] = {"-Vert-", "-Bleu-", "----"};
  for (int canal = 1; canal <= 3; ++canal) {
    const std::vector<std::string> l = Tables_Canaux(canal);
    lignes.insert(lignes.end(), l.begin(), l.end());
    lignes.push_back(suites[canal - 1]);
  }
  return lignes;
}

std::optional<double> Corrige_Canal(int canal, double v) {
  if (canal < 1 || canal > 3 || std::isnan(v)) return std::nullopt;
  const TableCorrection& t = Table_Correction;
  const int n = t.nbPoints(canal);
  int i = 0;
  while (i < n && !(v <= t(i, canal).Val_Scanner)) ++i;
  if (i >= n) return std::nullopt;
  if (i == 0) return t(0, canal).Val_Etalon;
  const Point_Correction& a = t(i - 1, canal);
  const Point_Correction& b = t(i, canal);
  return a.Val_Etalon + (b.Val_Etalon - a.Val_Etalon) * (v - a.Val_Scanner) /
                            (b.Val_Scanner - a.Val_Scanner);
}

double Arrondi_Correction(double v) { return Val_Decimal(platform::Format(v, "###00.00")); }

ResultatCorrection Charge_Correction_Scanner(const std::string& etalon,
                                             const std::string& scanner, CasesCouleur& cases,
                                             std::vector<std::string>* listing) {
  ResultatCorrection r;
  if (!Fichier_Existe(etalon)) {
    r.absent = true;
    r.message = "fichier étalon non chargé ";
    return r;
  }
  if (!Fichier_Existe(scanner)) {
    r.absent = true;
    r.message = "fichier scanner absent ";
    return r;
  }
  cases.calibre = false;
  NbScanner = 0;
  NbEtalon = 0;
  NbScanner = Lit_Fichier_Couleur(scanner, Liste_Scanner).compte();
  const FichierCouleurLu lu = Lit_Fichier_Couleur(etalon, Liste_Etalon);
  NbEtalon = lu.compte();
  NbLames = lu.lues;
  if (NbEtalon == 0 || NbScanner == 0) {
    r.message = comptes(228);
    invalide(cases);
    return r;
  }
  if (NbEtalon != NbScanner) {
    r.message = comptes(229);
    invalide(cases);
    return r;
  }
  const std::vector<std::string> l = Liste_Canaux();
  if (listing) listing->insert(listing->end(), l.begin(), l.end());
  Etalon_Charge = true;
  Correction_Valide = true;
  cases.calibreActif = true;
  cases.calibre = true;
  r.construite = true;
  return r;
}

std::string Fichier_Etalon_Defaut() { return Chemin_Fichier_Couleur("EtalonCouleur.Etl"); }

std::vector<std::string> Demarre_Couleur(CasesCouleur& cases, std::vector<std::string>* listing) {
  std::vector<std::string> messages;
  auto note = [&](const std::string& m) {
    if (!m.empty()) messages.push_back(m);
  };
  Etalon_Charge = false;
  Nuancier_Trouve = false;
  Mode_Expert = false;
  const std::string chart = Chemin_Fichier_Couleur(Fic_Nuancier);
  if (Fichier_Existe(chart)) {
    const ResultatNuancier n = Charge_Nuancier(chart, cases);
    Nuancier_Trouve = n.etat == ChargementNuancier::Charge;
    note(n.message);
  }
  const std::string scanner = Chemin_Fichier_Couleur(Fic_Scanner);
  const ResultatCorrection c =
      Charge_Correction_Scanner(Chemin_Fichier_Couleur(Fic_Etalon), scanner, cases, listing);
  note(c.message);
  if (c.absent && cases.calibre) {
    const ResultatCorrection d =
        Charge_Correction_Scanner(Fichier_Etalon_Defaut(), scanner, cases, listing);
    if (d.absent)
      invalide(cases);
    else
      note(d.message);
  }
  return messages;
}

std::string Choix_Etalon(const std::string& path, CasesCouleur& cases) {
  const std::string avant = Chemin_Fichier_Couleur(Fic_Etalon);
  Fic_Etalon = path;
  if (Chemin_Fichier_Couleur(path) == avant) return "";
  Etalon_Charge = false;
  invalide(cases);
  return "Attention : Recharger éventuellement le fichier scanner !";
}

ResultatCorrection Choix_Scanner(const std::string& path, CasesCouleur& cases,
                                 std::vector<std::string>* listing) {
  Fic_Scanner = path;
  ResultatCorrection r =
      Charge_Correction_Scanner(Chemin_Fichier_Couleur(Fic_Etalon), path, cases, listing);
  // Points built from another scanner file no longer stand for this one.
  if (r.absent) Correction_Valide = false;
  cases.calibreActif = Correction_Valide;
  cases.calibre = false;
  return r;
}

void Applique_Mode_Expert(CasesCouleur& cases) {
  if (!Mode_Expert) cases.calibreActif = false;
  if (cases.expert) cases.calibreActif = Correction_Valide;
  if (!Correction_Valide) cases.calibre = false;
}
