#include "measure/trame_file.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <optional>

#include "base/globals.h"
#include "base/helpers.h"
#include "forms/main_window.h"
#include "images/image_state.h"
#include "base/text_tables.h"
#include "platform/app.h"
#include "platform/dialogs.h"
#include "platform/runtime.h"
#include "platform/textfile.h"

namespace {

const char* const kNomSauvegarde = "TrameSav.trm";

std::string entier(long long n) { return platform::CStr(n); }

// Key and value of a key line: the text left of the first "=", trimmed and upper-cased,
// and the text after it, trimmed. False for a line without "=".
bool cleValeur(const std::string& ligne, std::string* cle, std::string* valeur) {
  const std::size_t egal = ligne.find('=');
  if (egal == std::string::npos) return false;
  *cle = platform::UCase(platform::Trim(ligne.substr(0, egal)));
  *valeur = platform::Trim(ligne.substr(egal + 1));
  return true;
}

// A whole number of a value text, clamped to [lo, hi].
int entierBorne(const std::string& valeur, int lo, int hi) {
  const double v = Val_Decimal(valeur);
  if (!std::isfinite(v)) return lo;
  return static_cast<int>(std::clamp(std::trunc(v), static_cast<double>(lo), static_cast<double>(hi)));
}

LigneTrame analyseRangee(const std::string& texte, int fonction) {
  LigneTrame l;
  std::vector<std::string> champs = platform::Split(texte, ";");
  // The final ";" leaves an empty last field.
  if (!champs.empty() && platform::Trim(champs.back()).empty()) champs.pop_back();
  if (!champs.empty()) l.expZoom = entierBorne(champs[0], -32768, 32767);
  if (champs.size() > 1) l.numImage = entierBorne(champs[1], -32768, 32767);
  std::size_t finCoord = champs.size();
  if (fonction == kFonctionPolygone && champs.size() >= 6) {
    finCoord = champs.size() - 4;
    l.textesPolygone.assign(champs.begin() + static_cast<std::ptrdiff_t>(finCoord), champs.end());
  }
  for (std::size_t i = 2; i + 4 <= finCoord; i += 4) {
    Segment s;
    s.X1 = Val_Decimal(champs[i]);
    s.Y1 = Val_Decimal(champs[i + 1]);
    s.X2 = Val_Decimal(champs[i + 2]);
    s.Y2 = Val_Decimal(champs[i + 3]);
    l.cellules.push_back(s);
  }
  return l;
}

}  // namespace

std::string Texte_Reel_Simple(float x) {
  if (!std::isfinite(x)) return " 0";
  char tampon[64];
  const auto r = std::to_chars(tampon, tampon + sizeof tampon, x);
  if (r.ec != std::errc()) return " 0";
  const double court = std::strtod(std::string(tampon, r.ptr).c_str(), nullptr);
  return platform::Str(court);
}

std::string Ligne_Rangee_Trame(const LigneTrame& ligne, int fonction) {
  std::string t = entier(ligne.expZoom) + ";" + entier(ligne.numImage);
  for (const Segment& s : ligne.cellules) {
    // Exact digits: a segment read back measures what it measured when saved.
    for (double v : {s.X1, s.Y1, s.X2, s.Y2}) t += ";" + platform::ExactText(v);
  }
  if (fonction == kFonctionPolygone) {
    for (std::size_t i = 0; i < 4; ++i)
      t += ";" + (i < ligne.textesPolygone.size() ? ligne.textesPolygone[i] : std::string());
  }
  return t + ";";
}

std::string Commentaire_Une_Ligne(const std::string& texte) {
  std::string s;
  s.reserve(texte.size());
  for (std::size_t i = 0; i < texte.size(); ++i) {
    const char c = texte[i];
    if (c == '\r' && i + 1 < texte.size() && texte[i + 1] == '\n') continue;
    s += (c == '\r' || c == '\n') ? ' ' : c;
  }
  return s;
}

namespace {

// The lines of a trame; an extract (extraits given) leaves out the window state, the
// calibration file and the local flag and names its rows after the images.
std::vector<std::string> lignesTrame(const SessionTrame& s, const std::string* extraits) {
  const std::size_t n = std::min<std::size_t>(s.images.size(), kMaxImagesTrame);
  const std::size_t r = s.lignes.size();
  std::vector<std::string> out;
  out.reserve(20 + 2 * n + 2 * r);
  out.push_back(std::string("INDPRES=") + (s.indepResol ? "True" : "False"));
  out.push_back("NBIMAGES= " + entier(static_cast<long long>(n)));
  out.push_back("NBLIGNES= " + entier(static_cast<long long>(r)));
  out.push_back("NBLGMAX =" + entier(s.tailleGrille));
  out.push_back("FONCTION= " + entier(s.fonction));
  if (!extraits) {
    out.push_back("TAILLEECRAN= " + entier(s.tailleEcran));
    out.push_back("FICHIERCALIBRAGE= " + s.ficCalib);
  }
  out.push_back("CALIBRAGE= ");
  for (std::size_t i = 0; i < n; ++i)
    out.push_back(platform::Str(i < s.calibrations.size() ? s.calibrations[i] : 1.0));
  out.push_back("RESH = " + Texte_Reel_Simple(s.largeurEcranPixels));
  out.push_back("PCTSW = " + Texte_Reel_Simple(s.largeurEchelle));
  if (!extraits) out.push_back(std::string("TRAMELOCALE = ") + (s.locale ? "true" : "false"));
  out.push_back("IMAGES= ");
  for (std::size_t i = 0; i < n; ++i) out.push_back(s.images[i]);
  if (extraits) out.push_back("EXTRAITS= " + *extraits);
  out.push_back("COMMENT= ");
  for (std::size_t k = 0; k < r; ++k)
    out.push_back(entier(static_cast<long long>(k + 1)) + ";" +
                  (k < s.commentaires.size() ? Commentaire_Une_Ligne(s.commentaires[k]) : std::string()));
  out.push_back("FIN");
  out.push_back("TRAME= ");
  for (const LigneTrame& l : s.lignes) out.push_back(Ligne_Rangee_Trame(l, s.fonction));
  return out;
}

}  // namespace

std::vector<std::string> Lignes_Trame(const SessionTrame& s) { return lignesTrame(s, nullptr); }

std::vector<std::string> Lignes_Trame_Extrait(const SessionTrame& s, const std::string& extraits) {
  return lignesTrame(s, &extraits);
}

SessionTrame Session_Extrait(const SessionTrame& s, const std::vector<int>& lignes) {
  SessionTrame e = s;
  e.lignes.clear();
  e.commentaires.clear();
  for (int r : lignes) {
    if (r < 1 || static_cast<std::size_t>(r) > s.lignes.size()) continue;
    const std::size_t k = static_cast<std::size_t>(r - 1);
    e.lignes.push_back(s.lignes[k]);
    e.commentaires.push_back(k < s.commentaires.size() ? s.commentaires[k] : std::string());
  }
  return e;
}

bool Ligne_Mesuree(const LigneTrame& ligne) {
  for (const Segment& c : ligne.cellules)
    if (c.X1 != 0 || c.Y1 != 0 || c.X2 != 0 || c.Y2 != 0) return true;
  return false;
}

bool Analyse_Trame(const std::vector<std::string>& lignes, SessionTrame* s, std::string* error) {
  *s = SessionTrame{};
  int n = 0, r = 0;
  bool vuIndpres = false, vuTrame = false;
  std::size_t i = 0;
  // The next `count` lines of a block (fewer when the file ends), of which the first
  // `garde` are kept.
  auto bloc = [&](int count, int garde) {
    std::vector<std::string> b;
    for (int k = 0; k < count && i < lignes.size(); ++k, ++i)
      if (k < garde) b.push_back(lignes[i]);
    return b;
  };
  constexpr int kSansLimite = 1 << 30;
  while (i < lignes.size()) {
    std::string cle, valeur;
    if (!cleValeur(lignes[i++], &cle, &valeur)) continue;
    if (cle == "INDPRES") {
      vuIndpres = true;
      s->indepResol = platform::UCase(valeur) == "TRUE" || Val_Decimal(valeur) != 0;
    } else if (cle == "NBIMAGES") {
      n = s->imagesAnnoncees = entierBorne(valeur, 0, kSansLimite);
    } else if (cle == "NBLIGNES") {
      r = s->lignesAnnoncees = entierBorne(valeur, 0, kSansLimite);
    } else if (cle == "NBLGMAX") {
      s->tailleGrille = entierBorne(valeur, 0, 1 << 30);
    } else if (cle == "FONCTION") {
      s->fonction = entierBorne(valeur, -32768, 32767);
    } else if (cle == "TAILLEECRAN") {
      s->tailleEcran = entierBorne(valeur, -32768, 32767);
      s->tailleEcranLue = true;
    } else if (cle == "FICHIERCALIBRAGE") {
      s->ficCalib = valeur;
    } else if (cle == "CALIBRAGE") {
      // An implausible coefficient leaves its image uncalibrated (1).
      for (const std::string& l : bloc(n, kMaxImagesTrame)) {
        const double c = Val_Decimal(l);
        s->calibrations.push_back(Calibrage_Plausible(c) ? c : 1.0);
      }
    } else if (cle == "RESH") {
      s->largeurEcranPixels = static_cast<float>(Val_Decimal(valeur));
    } else if (cle == "PCTSW") {
      s->largeurEchelle = static_cast<float>(Val_Decimal(valeur));
    } else if (cle == "TRAMELOCALE") {
      s->locale = valeur == "true";
    } else if (cle == "IMAGES") {
      s->images = bloc(n, kMaxImagesTrame);
    } else if (cle == "COMMENT") {
      for (const std::string& l : bloc(r, kDerniereLigneTable)) {
        const std::size_t p = l.find(';');
        s->commentaires.push_back(p == std::string::npos ? std::string()
                                                         : platform::Trim(l.substr(p + 1)));
      }
    } else if (cle == "TRAME") {
      vuTrame = true;
      for (const std::string& l : bloc(r, kDerniereLigneTable))
        s->lignes.push_back(analyseRangee(l, s->fonction));
    }
  }
  if (!vuIndpres || !vuTrame) {
    if (error) *error = !vuIndpres ? kTrameSansIndpres : kTrameSansRangees;
    return false;
  }
  return true;
}

SessionTrame Session_Courante() {
  SessionTrame s;
  s.indepResol = Indep_Resol;
  s.tailleGrille = Taille_Grille;
  s.fonction = FonctionCourante;
  s.ficCalib = Fic_Calib;
  s.largeurEcranPixels =
      static_cast<float>(platform::App::ScreenWidth() / platform::kTwipsPerPixel);
  Calib_Images(0) = Calibrage;

  const int r = std::clamp(LigneCourante - 1, 0, kDerniereLigneTable);
  const int cellules = std::clamp(NbCellules, 0, 16);
  if (QvlExists()) {
    QVL& f = Qvl();
    s.tailleEcran = f.windowState();
    s.largeurEchelle = static_cast<float>(f.Picture1.scaleWidth());
    const int n = std::min(f.ListIMGchar.listCount(), kMaxImagesTrame);
    for (int i = 0; i < n; ++i) {
      s.images.push_back(f.ListIMGchar.list(i));
      s.calibrations.push_back(Calib_Images(i + 1));
    }
    const platform::FlexGrid& g = f.GrilleRef;
    const int derniere = g.cols() - 1;
    for (int k = 1; k <= r; ++k) {
      const bool dansGrille = k < g.rows() && derniere >= 0;
      s.commentaires.push_back(dansGrille ? g.textMatrix(k, derniere) : std::string());
    }
    if (FonctionCourante == kFonctionPolygone) {
      s.lignes.resize(static_cast<std::size_t>(r));
      for (int k = 1; k <= r; ++k)
        for (int c = 1; c <= 4; ++c)
          s.lignes[static_cast<std::size_t>(k - 1)].textesPolygone.push_back(
              k < g.rows() && c < g.cols() ? g.textMatrix(k, c) : std::string());
    }
  } else {
    s.commentaires.resize(static_cast<std::size_t>(r));
  }
  s.lignes.resize(static_cast<std::size_t>(r));
  for (int k = 1; k <= r; ++k) {
    const Mesure& m = TabMesures(k);
    LigneTrame& l = s.lignes[static_cast<std::size_t>(k - 1)];
    l.expZoom = m.ExpZoom;
    l.numImage = m.NumImage;
    for (int j = 1; j <= cellules; ++j) l.cellules.push_back(m.Seg(j));
  }
  return s;
}

bool Trame_Relisible(const SessionTrame& s, std::string* error) {
  if (!s.images.empty()) return true;
  if (error) *error = "aucune image dans la liste : une trame sans image ne peut pas être relue";
  return false;
}

bool Ecrit_Trame(const std::string& path, std::string* error) {
  const SessionTrame s = Session_Courante();
  if (!Trame_Relisible(s, error)) return false;
  if (!platform::writeLines(path, Lignes_Trame(s), error)) return false;
  Fic_Session = path;
  return true;
}

namespace {

// One file a local trame puts into its folder.
struct CopieLocale {
  std::string source, destination;
  bool remplace = false;   // a different file of that name is there: its bytes are kept
  std::string ancien;      // to put back should the transfer fail
};

// Bytes of a file, or nullopt when it cannot be read.
std::optional<std::string> octets(const std::string& path) {
  std::string b;
  if (!platform::readBytes(path, &b)) return std::nullopt;
  return b;
}

// Puts the target folder back as it was: the files copied are removed, the files
// replaced get their bytes back.
void annuleCopies(const std::vector<CopieLocale>& faites) {
  for (auto it = faites.rbegin(); it != faites.rend(); ++it) {
    if (it->remplace)
      platform::saveFileAtomic(it->destination, it->ancien);
    else
      platform::removeFile(it->destination);
  }
}

// Decides what happens to each planned copy: a file already in place (the same file,
// or one with the same bytes) is left alone; a different file of that name is replaced
// only after a Yes to the question naming it. False when the user said No (nothing is
// copied then) or a file there cannot be read (*error says why).
bool examineCopies(std::vector<CopieLocale>* copies, std::string* error) {
  std::vector<CopieLocale> retenues;
  for (CopieLocale& c : *copies) {
    if (platform::normalizePath(c.source) == platform::normalizePath(c.destination)) continue;
    if (!platform::fileExists(c.destination) && !platform::folderExists(c.destination)) {
      retenues.push_back(std::move(c));
      continue;
    }
    std::optional<std::string> la = octets(c.destination);
    if (!la) {
      // A folder or an unreadable file in the way: the copy will say why it fails.
      retenues.push_back(std::move(c));
      continue;
    }
    const std::optional<std::string> nouveau = octets(c.source);
    if (!nouveau) {
      if (error) *error = c.source + " : lecture impossible";
      return false;
    }
    if (*nouveau == *la) continue;
    if (platform::MsgBox(MSG(116) + platform::vbCrLf + c.destination, platform::vbYesNo) != platform::vbYes) {
      if (error) error->clear();
      return false;
    }
    c.remplace = true;
    c.ancien = std::move(*la);
    retenues.push_back(std::move(c));
  }
  *copies = std::move(retenues);
  return true;
}

}  // namespace

bool Ecrit_Trame_Locale(const std::string& path, std::string* error) {
  SessionTrame s = Session_Courante();
  s.locale = true;
  if (!Trame_Relisible(s, error)) return false;
  std::string dossier = Rep_Fichier(path);
  if (dossier.empty()) dossier = platform::App::Path() + "/";
  const std::string cible = platform::normalizePath(dossier);
  std::vector<CopieLocale> copies;
  if (!Fic_Calib.empty()) {
    const std::string calib = platform::findFileNoCase(platform::App::Path(), Fic_Calib);
    if (!calib.empty() && platform::fileExists(calib)) copies.push_back({calib, cible + Nom_Fichier(calib), false, {}});
  }
  std::vector<std::string> pris;
  std::vector<std::pair<std::string, std::string>> nommees;   // source, name given
  for (std::string& image : s.images) {
    const std::string trouve = platform::findFileNoCase(Rep_Fichier(image), Nom_Fichier(image));
    if (trouve.empty() || !platform::fileExists(trouve)) {
      if (error) *error = image + ": image not found";
      return false;
    }
    const std::string source = platform::normalizePath(trouve);
    std::string nom;
    for (const auto& [dejaSource, dejaNom] : nommees)
      if (dejaSource == source) nom = dejaNom;
    if (nom.empty()) {
      nom = Nom_Local_Unique(Nom_Fichier(trouve), &pris);
      nommees.emplace_back(source, nom);
      copies.push_back({trouve, cible + nom, false, {}});
    }
    image = nom;
  }
  if (!examineCopies(&copies, error)) return false;
  std::vector<CopieLocale> faites;
  for (CopieLocale& c : copies) {
    if (!platform::copyFile(c.source, c.destination, error)) {
      annuleCopies(faites);
      return false;
    }
    faites.push_back(std::move(c));
  }
  if (!platform::writeLines(path, Lignes_Trame(s), error)) {
    annuleCopies(faites);
    return false;
  }
  Fic_Session = path;
  return true;
}

std::string Nom_Local_Unique(const std::string& nom, std::vector<std::string>* pris) {
  const std::size_t point = nom.rfind('.');
  const std::string base = point == std::string::npos ? nom : nom.substr(0, point);
  const std::string extension = point == std::string::npos ? std::string() : nom.substr(point);
  std::string candidat = nom;
  for (int k = 2; std::find(pris->begin(), pris->end(), platform::UCase(candidat)) != pris->end(); ++k)
    candidat = base + "_" + std::to_string(k) + extension;
  pris->push_back(platform::UCase(candidat));
  return candidat;
}

std::string Fichier_Sauvegarde_Auto() {
  if (Fic_Trame.empty()) return Fichier_Trame_Secours();
  if (Rep_Fichier(Fic_Trame).empty()) return platform::App::Path() + "/" + Fic_Trame;
  return Fic_Trame;
}

std::string Fichier_Trame_Secours() { return platform::App::Path() + "/" + kNomSauvegarde; }
