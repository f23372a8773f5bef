#include "reports/results_import.h"

#include <algorithm>

#include "base/text_tables.h"
#include "measure/grid_setup.h"
#include "measure/grid_templates.h"
#include "platform/runtime.h"
#include "platform/textfile.h"

namespace {

const std::string kMarqueListe = "LISTE=";
const std::string kMarqueFonction = "Fonction :";

bool estBlanc(char c) { return c == ' ' || c == '\t'; }

// The text without its leading and trailing blanks and tabs.
std::string epure(const std::string& s) {
  std::size_t debut = 0, fin = s.size();
  while (debut < fin && estBlanc(s[debut])) ++debut;
  while (fin > debut && estBlanc(s[fin - 1])) --fin;
  return s.substr(debut, fin - debut);
}

// True when every field of the line, split at ";", is empty once trimmed.
bool champsVides(const std::string& ligne) {
  return std::all_of(ligne.begin(), ligne.end(), [](char c) { return c == ';' || estBlanc(c); });
}

// The number of columns of a width template (its first item); 0 when unreadable.
int colonnesModele(int code) {
  const std::vector<std::string> items = Items_Modele(Modele_Largeurs(code));
  if (items.empty()) return 0;
  const double n = platform::Val(items[0]);
  return n >= 2 && n <= kMaxColonnesGrille ? static_cast<int>(n) : 0;
}

// The count of a line "N mesures" (the export's line above the list); -1 for any
// other line.
int compteAnnonce(const std::string& ligne) {
  const std::string t = epure(ligne);
  const std::string suite = " mesures";
  if (t.size() <= suite.size() || t.compare(t.size() - suite.size(), suite.size(), suite) != 0) return -1;
  const std::string n = t.substr(0, t.size() - suite.size());
  if (n.size() > 9 || !std::all_of(n.begin(), n.end(), [](char c) { return c >= '0' && c <= '9'; })) return -1;
  return std::stoi(n);
}

const FonctionImportable* fonctionNommee(const std::string& ligne,
                                         const std::vector<FonctionImportable>& fonctions) {
  const std::string nom = epure(ligne.substr(kMarqueFonction.size()));
  const FonctionImportable* trouvee = nullptr;
  for (const FonctionImportable& f : fonctions)
    if (!nom.empty() && epure(f.nom) == nom) trouvee = &f;
  return trouvee;
}

}  // namespace

std::vector<FonctionImportable> Fonctions_Importables(const std::string& courbeFermee,
                                                      const std::string& polygoneOuvert) {
  std::vector<std::pair<std::string, int>> noms;
  static const int parMessage[] = {1, 2, 3, 4, 5, 6, 20};
  for (int k = 0; k < 7; ++k) noms.emplace_back(MSG(56 + k), parMessage[k]);
  for (int code : {10, 11, 13, 14, 15, 16, 22}) {
    const std::vector<std::string> items = Items_Modele(Modele_Titres(code));
    if (!items.empty()) noms.emplace_back(items[0], code);
  }
  noms.emplace_back(courbeFermee, 16);
  noms.emplace_back(polygoneOuvert, 16);

  std::vector<FonctionImportable> out;
  for (const auto& [nom, code] : noms) {
    const int colonnes = colonnesModele(code);
    if (!epure(nom).empty() && colonnes > 0) out.push_back({epure(nom), code, colonnes});
  }
  return out;
}

std::vector<std::string> Cellules_Ligne(const std::string& ligne, int colonnes) {
  std::vector<std::string> cellules(static_cast<std::size_t>(std::max(colonnes, 0)));
  if (colonnes <= 0) return cellules;
  std::size_t debut = 0;
  for (int c = 0; c < colonnes - 1; ++c) {
    if (debut > ligne.size()) return cellules;
    const std::size_t fin = std::min(ligne.find(';', debut), ligne.size());
    cellules[static_cast<std::size_t>(c)] = epure(ligne.substr(debut, fin - debut));
    debut = fin + 1;
  }
  if (debut > ligne.size()) return cellules;
  // The comment: the rest of the line up to its last separator.
  std::string reste = ligne.substr(debut);
  if (const auto dernier = reste.rfind(';'); dernier != std::string::npos) reste.erase(dernier);
  cellules.back() = epure(reste);
  return cellules;
}

ResultatsLus Lit_Resultats(const std::string& texte, const std::vector<FonctionImportable>& fonctions,
                           int capacite) {
  ResultatsLus r;
  const std::vector<std::string> lignes = platform::splitLines(texte);
  int liste = -1;
  for (int i = 0; i < static_cast<int>(lignes.size()); ++i)
    if (epure(lignes[static_cast<std::size_t>(i)]) == kMarqueListe) liste = i;
  if (liste < 0) {
    r.etat = ResultatsLus::Etat::SansListe;
    r.message = "aucune ligne " + kMarqueListe + " : ce n'est pas un fichier de résultats";
    return r;
  }

  const FonctionImportable* fonction = nullptr;
  for (int i = 0; i < liste; ++i) {
    const std::string& l = lignes[static_cast<std::size_t>(i)];
    if (l.rfind(kMarqueFonction, 0) == 0) {
      r.nomFonction = epure(l.substr(kMarqueFonction.size()));
      fonction = fonctionNommee(l, fonctions);
      break;
    }
  }
  for (int i = liste - 1; i >= 0 && r.annoncees < 0; --i) r.annoncees = compteAnnonce(lignes[static_cast<std::size_t>(i)]);
  if (fonction != nullptr) {
    r.fonction = fonction->code;
    r.colonnes = fonction->colonnes;
  }

  const std::size_t premiere = static_cast<std::size_t>(liste) + 1;
  r.lignes.push_back(premiere < lignes.size()
                         ? Cellules_Ligne(lignes[premiere], r.colonnes)
                         : std::vector<std::string>(static_cast<std::size_t>(r.colonnes)));
  const int plafond = std::max(capacite, 0);
  for (std::size_t i = premiere + 1; i < lignes.size() && !champsVides(lignes[i]); ++i) {
    if (static_cast<int>(r.lignes.size()) - 1 < plafond)
      r.lignes.push_back(Cellules_Ligne(lignes[i], r.colonnes));
    else
      ++r.laissees;
  }
  const int lues = static_cast<int>(r.lignes.size()) - 1;
  if (r.laissees > 0) {
    r.message = MSG(215) + " : " + std::to_string(lues) + " " + MSG(150) + " lues sur " +
                std::to_string(lues + r.laissees);
  } else if (r.annoncees > lues) {
    // The rows stopped before the count the file gives (an empty row, a cut file).
    r.message = std::to_string(lues) + " " + MSG(150) + " lues sur " + std::to_string(r.annoncees);
  }
  return r;
}

ResultatsLus Lit_Fichier_Resultats(const std::string& path, const std::vector<FonctionImportable>& fonctions,
                                   int capacite) {
  ResultatsLus r;
  if (!platform::fileExists(path)) {
    r.etat = ResultatsLus::Etat::Absent;
    r.message = "fichier absent " + path;
    return r;
  }
  const std::string entete = MSG(144) + " :  " + path;
  std::string octets, erreur;
  if (!platform::readBytes(path, &octets, &erreur)) {
    r.etat = ResultatsLus::Etat::Illisible;
    r.message = entete + platform::vbCrLf + erreur;
    return r;
  }
  // NULs are UTF-16 text (with or without its mark), or binary data.
  if (!platform::isUtf16Text(octets) && octets.find('\0') != std::string::npos) {
    r.etat = ResultatsLus::Etat::Illisible;
    r.message = entete + platform::vbCrLf + "ce n'est pas un fichier texte";
    return r;
  }
  r = Lit_Resultats(platform::decodeText(octets), fonctions, capacite);
  if (r.etat == ResultatsLus::Etat::SansListe) r.message = entete + platform::vbCrLf + r.message;
  return r;
}
