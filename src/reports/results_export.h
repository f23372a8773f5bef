#pragma once
// The results export: the lines of a results file (".csv" or ".txt") holding the
// header, the image list, the comment, the measurement grid after the line "LISTE=",
// the statistics and the notation text. The file is written from these lines in
// Windows-1252 with CR LF (platform::writeLines); a results file is read back by
// Lit_Resultats.

#include <string>
#include <vector>

#include "reports/report_model.h"

// One image of the session: its path and its calibration.
struct ExportImage {
  std::string path;
  double calibration = 0;
};

// The header of an export besides the grids.
struct ExportHeader {
  std::string date;          // the current date in the system's short form
  std::string time;          // the current time in the system's short form
  std::string type = "csv";  // Ext_Export: "csv" or "txt"
  bool independent = false;  // measurements independent of the image resolution
  std::string NomFonction;
  std::string NomObjet;
  std::vector<ExportImage> images;
  std::string comment;  // the export comment (its line breaks become blanks)
};

struct ExportLines {
  std::vector<std::string> lines;  // each to be followed by CR LF
  bool beep = false;               // a statistics row read "N°; ; ; ; ; ; ; "
  ReportNotices notices;
};

// The text written after every field: "; ", or a tab and ";" when type is "txt".
std::string Separateur_Export(const std::string& type);

// The lines of the results file of a model. The grid rows 0 to LigneCourante - 1 are
// followed by one row of empty cells; a cell holding CR or LF is written with a blank.
ExportLines Lignes_Export(const ReportModel& m, const ExportHeader& h);

// The function's short name in file names: the first field of its title template
// (before the first "$", trimmed); NomFonction when the template is empty (an imported
// grid).
std::string Nom_Court_Fonction(const std::string& modeleTitres, const std::string& NomFonction);

// Default export name: the stem of the image's file name (up to its first "."; "mesures"
// when there is no current image), "- ", the short name, ".", the type.
std::string Nom_Export_Defaut(const std::string& imagePath, bool sansImage, const std::string& nomCourt,
                              const std::string& type);

// For spores in three dimensions with a volume: the volume, "  Sigma_Vol = " and its
// sigma under the mask (the export adds it to the summary text); "" otherwise.
std::string Suite_Volume_Export(const ReportModel& m);
