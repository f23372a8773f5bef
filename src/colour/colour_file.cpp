#include "colour/colour_file.h"

#include <algorithm>

#include "base/globals.h"
#include "base/helpers.h"
#include "base/text_tables.h"
#include "colour/chart.h"
#include "platform/control.h"
#include "platform/runtime.h"
#include "platform/textfile.h"

namespace {

constexpr int kLignesTable = 256;

std::string joint(const std::vector<std::string>& lignes) {
  std::string t;
  for (std::size_t i = 0; i < lignes.size(); ++i) {
    if (i > 0) t += SautLigne;
    t += lignes[i];
  }
  return t;
}

// The fields of a row line split at ";": the parts less the empty one a final ";" leaves.
void retireFinVide(std::vector<std::string>& parts) {
  if (parts.size() > 1 && platform::Trim(parts.back()).empty()) parts.pop_back();
}

}  // namespace

TableCouleur::TableCouleur()
    : v_(static_cast<std::size_t>(kLignesTable) * (kColonnesCouleur + 1), 0.0) {}

std::size_t TableCouleur::at(int f, int c) {
  if (f < 0 || f >= kLignesTable || c < 0 || c > kColonnesCouleur)
    throw platform::IndexError("colour row " + std::to_string(f) + ", column " +
                               std::to_string(c) + " outside the table");
  return static_cast<std::size_t>(f) * (kColonnesCouleur + 1) + static_cast<std::size_t>(c);
}

double& TableCouleur::operator()(int f, int c) { return v_[at(f, c)]; }
double TableCouleur::operator()(int f, int c) const { return v_[at(f, c)]; }
void TableCouleur::clear() { std::fill(v_.begin(), v_.end(), 0.0); }

std::string Fiche_Nuancier(const std::string& imageActive, const std::string& ficScanner,
                           bool calibre) {
  return joint({"CODE=  ex : A12", "Image nuancier= " + Nom_Fichier(imageActive),
                "SCANNER= " + Nom_Fichier(ficScanner),
                std::string("CALIBRAGE_COULEUR=") + (calibre ? "1" : "0"), "RESOLUTION=",
                "LUMINANCE=", "CONTRASTE=", "NOTES=", "FINNOTES"});
}

std::string Fiche_Scanner() {
  return joint({"SCANNER=", "RESOLUTION=", "LUMINANCE=", "CONTRASTE=", "NOTES=", "FINNOTES"});
}

std::string Texte_Cellule_Couleur(const std::string& cellule) {
  std::string t;
  t.reserve(cellule.size());
  for (std::size_t i = 0; i < cellule.size(); ++i) {
    const char ch = cellule[i];
    if (ch == ';') {
      t += ',';
    } else if (ch == '\r' || ch == '\n') {
      if (ch == '\r' && i + 1 < cellule.size() && cellule[i + 1] == '\n') ++i;
      t += ' ';
    } else {
      t += ch;
    }
  }
  return t;
}

std::vector<std::string> Lignes_Fichier_Couleur(const ContenuFichierCouleur& contenu) {
  auto ligneGrille = [](const std::vector<std::string>& cellules) {
    std::string t;
    for (const std::string& c : cellules) t += Texte_Cellule_Couleur(c) + ";";
    return t;
  };
  std::vector<std::string> l;
  l.push_back("Résultat des mesures du " + contenu.date + " à " + contenu.heure);
  l.push_back("Image de référence chargée : " + contenu.nomObjet);
  l.push_back("");
  std::vector<std::string> fiche = platform::splitLines(contenu.enregistrement);
  if (fiche.empty()) fiche.push_back("");
  l.insert(l.end(), fiche.begin(), fiche.end());
  l.push_back("");
  l.push_back("REM= les lignes suivantes ne doivent pas être modifiées !");
  l.push_back(contenu.grille.empty() ? std::string() : ligneGrille(contenu.grille.front()));
  l.push_back(std::string("CALIBRAGECOL=") + (contenu.calibre ? "1" : "0"));
  const std::size_t n = contenu.grille.empty() ? 0 : contenu.grille.size() - 1;
  l.push_back("NBMESURES =" + platform::CStr(static_cast<long long>(n)));
  l.push_back("LISTE=");
  for (std::size_t r = 1; r <= n; ++r) l.push_back(ligneGrille(contenu.grille[r]));
  return l;
}

FichierCouleurLu Analyse_Fichier_Couleur(const std::vector<std::string>& lignes,
                                         TableCouleur& tableau) {
  FichierCouleurLu lu;
  lu.lisible = true;
  tableau.clear();
  int f = 0;
  auto echec = [&]() {
    tableau.clear();
    lu.valide = false;
    lu.lues = 0;
    return lu;
  };
  const std::vector<bool> notes = Lignes_De_Notes(lignes);
  std::size_t k = 0;
  while (k < lignes.size()) {
    const bool note = notes[k];
    const std::string& ligne = lignes[k++];
    if (note || platform::Trim(ligne).empty()) continue;
    const std::size_t egal = ligne.find('=');
    if (egal == std::string::npos) continue;
    const std::string cle = platform::UCase(platform::Trim(ligne.substr(0, egal)));
    const std::string valeur = platform::Trim(ligne.substr(egal + 1));
    if (cle == "NBMESURES") {
      lu.annonce = std::clamp(platform::CInt(platform::Val(valeur)), 0, 32767);
    } else if (cle == "LISTE") {
      while (f < lu.annonce && k < lignes.size()) {
        std::vector<std::string> champs = platform::Split(lignes[k++], ";");
        if (champs.size() < 3) break;
        retireFinVide(champs);
        ++f;
        if (f > kMaxLignesCouleur || static_cast<int>(champs.size()) > kColonnesCouleur)
          return echec();
        for (std::size_t i = 0; i < champs.size(); ++i)
          tableau(f, static_cast<int>(i) + 1) = Val_Decimal(champs[i]);
        tableau(f, 1) = f;
      }
    }
  }
  lu.valide = true;
  lu.lues = f;
  return lu;
}

FichierCouleurLu Lit_Fichier_Couleur(const std::string& fichier, TableCouleur& tableau) {
  std::vector<std::string> lignes;
  if (fichier.empty() || !platform::readLines(platform::normalizePath(fichier), &lignes)) {
    tableau.clear();
    return {};
  }
  return Analyse_Fichier_Couleur(lignes, tableau);
}

FicheOuverte Prepare_Fiche_Nuancier(bool scanner, int ligneCourante, int etapeClic,
                                    const std::string& imageActive, bool calibre) {
  FicheOuverte o;
  Charte_Demande = scanner;
  Charte_Demande2 = !scanner;
  if (ligneCourante <= 1) {
    o.message = 130;
  } else if (etapeClic >= 2) {
    o.message = 178;
  }
  if (o.message != 0) {
    Abandonne_Fiche_Couleur();
    return o;
  }
  o.couleurFond = 0xFFFF80;
  if (scanner) {
    o.titre = "Enregistrement Calibrage Scanner";
    o.texte = Fiche_Scanner();
  } else {
    o.titre = "Enregistrement Nuancier";
    o.texte = Fiche_Nuancier(imageActive, Fic_Scanner, calibre);
  }
  return o;
}

int Question_Sauve_Couleur(bool calibre) {
  if (Charte_Demande) return calibre ? 217 : 0;
  if (Charte_Demande2) return calibre ? 0 : 218;
  return 0;
}

std::string Filtre_Sauve_Couleur() {
  const std::string motif = Charte_Demande ? "*.Scn|" : "*.Nua|";
  return motif + motif;
}

void Abandonne_Fiche_Couleur() {
  Charte_Demande = false;
  Charte_Demande2 = false;
}

bool Ecrit_Resultats_Couleur(const std::string& path, const ContenuFichierCouleur& contenu,
                             CasesCouleur& cases, std::string* error) {
  const bool scanner = Charte_Demande;
  Abandonne_Fiche_Couleur();
  if (!platform::writeLines(platform::normalizePath(path), Lignes_Fichier_Couleur(contenu), error))
    return false;
  Coul_Ref = path;
  if (scanner) {
    Fic_Scanner = path;
    Etalon_Charge = false;
    Correction_Valide = false;
    cases.calibre = false;
    cases.calibreActif = false;
  }
  return true;
}
