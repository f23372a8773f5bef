#include "reports/archive_file.h"

#include "platform/textfile.h"

std::string Entete_Fichier_Archive(bool coord) {
  return coord ? "MSGENRE;MSESP;MSREF;MSDATE;COORD;KS;NBMES;LONG;SLONG;LARG;SLARG;QU;SQU "
               : "MSGENRE;MSESP;MSREF;MSDATE;KS;NBMES;LONG;SLONG;LARG;SLARG;QU;SQU ";
}

std::string Champ_Archive(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    if (c == '\r' || c == '\n') continue;
    out += c == ';' ? ',' : c == '\t' ? ' ' : c;
  }
  return out;
}

std::string Ligne_Archive(const ArchiveAnswers& a, int nbmes, const std::array<std::string, 6>& stats,
                          const std::string& sep) {
  std::vector<std::string> champs = {a.genre, a.espece, a.reference, a.date};
  if (a.coord) champs.push_back(a.lieu + "/" + a.longitude + "/" + a.latitude);
  champs.push_back(a.ksigma);
  std::string ligne;
  for (const std::string& c : champs) ligne += Champ_Archive(c) + sep;
  ligne += std::to_string(nbmes) + sep;
  for (const std::string& s : stats) ligne += Champ_Archive(s) + sep;
  return ligne + sep;
}

std::string Nom_Archive(int fonction) { return "ArchvStat.ArS" + std::to_string(fonction); }

std::string Filtre_Archive_Dialogue(int fonction) {
  const std::string motif = "*.ArS" + std::to_string(fonction);
  return motif + "|" + motif + "|Tous les fichiers (*.*)|*.*";
}

bool Ajoute_Enregistrement(const std::string& path, const std::string& line, bool coord, std::string* error) {
  std::vector<std::string> lignes;
  if (!platform::fileExists(path)) lignes.push_back(Entete_Fichier_Archive(coord));
  lignes.push_back(line);
  return platform::appendLines(path, lignes, error);
}
