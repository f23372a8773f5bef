#pragma once
// The statistics archive file: one file per measuring function ("ArchvStat.ArS2"),
// a header line, then one record per line appended at the end, never rewritten. A
// record holds the typed description of a sample (genus, species, reference, date,
// optionally the place and its coordinates, K_sigma) and the count, means and
// deviations of the first three measured quantities, each followed by the results
// separator, with one more separator at the end. Pure functions and file writes.

#include <array>
#include <string>
#include <vector>

// The header of a new archive file, with or without the place column (bare ";").
std::string Entete_Fichier_Archive(bool coord);

// A typed field as a record holds it: ";" becomes ",", a tab a blank, and line
// breaks are removed, so that the field stays one piece of the record.
std::string Champ_Archive(const std::string& text);

// The typed answers: genus, species, reference, date, then (with place) place,
// longitude, latitude, and last K_sigma.
struct ArchiveAnswers {
  std::string genre, espece, reference, date;
  bool coord = false;
  std::string lieu, longitude, latitude;
  std::string ksigma = "1";
};

// The record line (without its line break): the answers (cleaned by Champ_Archive),
// the place column "place/longitude/latitude" when coord, K_sigma, NBMES, then the
// six statistics texts (LONG, SLONG, LARG, SLARG, QU, SQU) as the grid shows them,
// each followed by sep, and sep once more.
std::string Ligne_Archive(const ArchiveAnswers& a, int nbmes, const std::array<std::string, 6>& stats,
                          const std::string& sep);

// The proposed archive name of a measuring function ("ArchvStat.ArS2") and the
// dialog filter ("*.ArS2|*.ArS2|Tous les fichiers (*.*)|*.*").
std::string Nom_Archive(int fonction);
std::string Filtre_Archive_Dialogue(int fonction);

// Appends the record line to the file, after the header of its variant when the file
// does not exist yet. The whole file is written again atomically, so a failure leaves
// the earlier bytes whole; the line takes the file's encoding (Windows-1252, or UTF-8
// for the whole file when needed). False and *error when it could not be written.
bool Ajoute_Enregistrement(const std::string& path, const std::string& line, bool coord,
                           std::string* error = nullptr);
