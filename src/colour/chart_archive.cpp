#include "colour/chart_archive.h"

#include "base/globals.h"
#include "base/text_tables.h"
#include "colour/chart.h"
#include "platform/runtime.h"
#include "platform/textfile.h"

namespace {

bool estBlanche(const std::string& ligne) { return ligne.find_first_not_of(" \t") == std::string::npos; }

bool contient(const std::string& ligne, const char* cle) {
  return platform::UCase(ligne).find(cle) != std::string::npos;
}

bool estUtf16(const std::string& octets) {
  return octets.size() >= 2 && ((octets[0] == '\xFF' && octets[1] == '\xFE') ||
                                (octets[0] == '\xFE' && octets[1] == '\xFF'));
}

// The bytes of one entry line in the encoding of the file it goes into.
std::string octetsEntree(const std::string& existants, const std::string& texte) {
  const bool utf8 = platform::decodeText(existants) != platform::decodeWindows1252(existants);
  return utf8 ? texte + "\r\n" : platform::encodeLines({texte});
}

ResultatArchive echec(const std::string& cause) {
  ResultatArchive r;
  r.message = MSG(144) + cause;
  return r;
}

}  // namespace

const std::vector<std::string>& Entete_Archive_Nuancier() {
  static const std::vector<std::string> entete = {"Nuancier archivé", "N°;R;V;B;L;a;b;zone;S;comment;", "LISTE="};
  return entete;
}

std::string Ligne_Archive_Nuancier(const std::array<std::string, 6>& valeurs, bool moyenne,
                                   const std::string& commentaire) {
  std::string ligne;
  for (const std::string& v : valeurs) ligne += v + ";";
  std::string texte = platform::Replace(commentaire, ";", ",");
  texte = platform::Replace(platform::Replace(texte, "\r\n", " "), "\n", " ");
  texte = platform::Replace(texte, "\r", " ");
  return ligne + (moyenne ? "; Moy" : ";") + "; " + texte;
}

ResultatArchive Ecrit_Archive_Nuancier(const std::string& chemin, const std::string& ligne) {
  std::string erreur;
  if (!platform::fileExists(chemin)) {
    std::vector<std::string> lignes = Entete_Archive_Nuancier();
    lignes.push_back("1;" + ligne);
    if (!platform::writeLines(chemin, lignes, &erreur)) return echec(erreur);
    ResultatArchive r;
    r.etat = ResultatArchive::Cree;
    r.numero = 1;
    return r;
  }
  std::string octets;
  if (!platform::readBytes(chemin, &octets, &erreur)) return echec(erreur);
  if (estUtf16(octets)) return echec(chemin + " (UTF-16)");
  const int numero = Compte_Entrees_Liste(chemin) + 1;
  if (!octets.empty() && octets.back() != '\n' && octets.back() != '\r') octets += "\r\n";
  octets += octetsEntree(octets, platform::CStr(static_cast<long long>(numero)) + ";" + ligne);
  if (!platform::saveFileAtomic(chemin, octets, &erreur)) return echec(erreur);
  ResultatArchive r;
  r.etat = ResultatArchive::Ajoute;
  r.numero = numero;
  return r;
}

std::string Details_Nuancier(const std::vector<std::string>& lignes, const std::string& date,
                             const std::string& image, const std::string& nuancier, int nombre) {
  std::string t = date + "   Image : " + image + SautLigne;
  t += ".................. " + SautLigne;
  t += TINTAVEL(11) + " : " + nuancier + SautLigne;
  const char* const simples[] = {"SCANNER=", "RESOLUTION=", "LUMINANCE=", "CONTRASTE=", "CALIBRAGECOL="};
  for (std::size_t k = 0; k < lignes.size(); ++k) {
    const std::string& l = lignes[k];
    if (estBlanche(l)) continue;
    if (contient(l, "CODE=")) t += " " + l + SautLigne;
    for (const char* cle : simples)
      if (contient(l, cle)) t += l + SautLigne;
    if (!contient(l, "NOTES=")) continue;
    // The notes: this line and the following ones up to the closing line; the file's
    // last line closes them too, unshown.
    t += l + SautLigne;
    while (k + 1 < lignes.size()) {
      ++k;
      if (contient(lignes[k], "FINNOTES") || k + 1 == lignes.size()) break;
      if (!estBlanche(lignes[k])) t += lignes[k] + SautLigne;
    }
  }
  return t + MSG(219) + platform::CStr(static_cast<long long>(nombre)) + SautLigne;
}
