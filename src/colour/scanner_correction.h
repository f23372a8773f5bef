#pragma once
// Scanner correction: for each channel R, V, B the rows of the scanner calibration
// file and of the colour-standard file are paired into points (value the scanner
// gives, true value), sorted by scanner value (a stable exchange sort) and closed by
// (0, 0) and (255, 255); a measured value is corrected by linear interpolation between
// the neighbouring points.

#include <optional>
#include <string>
#include <vector>

#include "colour/colour_file.h"
#include "colour/colour_state.h"
#include "platform/bounded_array.h"

// One correction point.
struct Point_Correction {
  int Num = 0;              // ordinal of the file row it came from
  double Val_Scanner = 0;   // the channel value in the scanner file
  double Val_Etalon = 0;    // the channel value in the standard file
};

// Points 0 to 255 of channels 1 (R), 2 (V), 3 (B); column 0 unused.
class TableCorrection {
 public:
  Point_Correction& operator()(int point, int canal);
  const Point_Correction& operator()(int point, int canal) const;
  // Points of a channel in use: 0 (never built) or M + 2.
  int nbPoints(int canal) const;
  void setNbPoints(int canal, int n);

 private:
  static std::size_t at(int point, int canal);
  std::vector<Point_Correction> p_ = std::vector<Point_Correction>(256 * 4);
  int nb_[4] = {0, 0, 0, 0};
};

extern TableCorrection Table_Correction;
extern TableCouleur Liste_Scanner;  // rows of the last scanner file read
extern TableCouleur Liste_Etalon;   // rows of the last standard file read
extern int NbScanner;               // count of the scanner file (0 when unusable)
extern int NbEtalon;                // count of the standard file (0 when unusable)

// Builds and lists the points of channel canal (1 to 3) from rows 1 to M of
// Liste_Scanner and Liste_Etalon (M = NbLames, at most kMaxLignesCouleur). Returns the
// listing lines "j / Num<Tab>scanner<Tab>standard" of points 1 to M + 1.
std::vector<std::string> Tables_Canaux(int canal);

// The three channels: the lines of channel 1, "-Vert-", channel 2, "-Bleu-", channel
// 3, "----".
std::vector<std::string> Liste_Canaux();

// The corrected value of v on channel canal: interpolated between the last point
// below v and the first point at or above it; 0 for v <= 0. None when no point of the
// channel lies at or above v (no correction built, or v above the last point) or v is
// not a number.
std::optional<double> Corrige_Canal(int canal, double v);

// A corrected value as the measurement keeps it: two decimals, halves away from zero.
double Arrondi_Correction(double v);

// What building the correction did.
struct ResultatCorrection {
  bool construite = false;  // points built and validated
  bool absent = false;      // a file could not be opened: nothing changed
  std::string message;      // for a message box; "" when there is nothing to say
};

// Builds the correction from a standard file and a scanner file (paths). A file that
// cannot be opened: "fichier étalon non chargé " or "fichier scanner absent ", nothing
// changes. Otherwise "Calibré" is unticked, both files are read (NbScanner, NbEtalon,
// NbLames) and compared: a count of 0 gives MSG 228, different counts MSG 229, each
// followed by NbEtalon, " , ", NbScanner and ")"; Correction_Valide is then cleared and
// "Calibré" disabled. Equal counts build the points of the three channels (their
// listing in *listing when given), set Etalon_Charge and Correction_Valide and enable
// and tick "Calibré".
ResultatCorrection Charge_Correction_Scanner(const std::string& etalon,
                                             const std::string& scanner, CasesCouleur& cases,
                                             std::vector<std::string>* listing = nullptr);

// The default standard "EtalonCouleur.Etl" of the program folder (any letter case).
std::string Fichier_Etalon_Defaut();

// Switching the colour function on, without its window steps: Etalon_Charge,
// Nuancier_Trouve and Mode_Expert cleared; the reference chart Fic_Nuancier loaded
// when it exists (Nuancier_Trouve when it loads); the correction built from Fic_Etalon
// and Fic_Scanner; when "Calibré" is still ticked after a missing standard, the
// correction built again from the default standard. Returns the messages to show, in
// order; the listing of the points goes to *listing when given.
std::vector<std::string> Demarre_Couleur(CasesCouleur& cases,
                                         std::vector<std::string>* listing = nullptr);

// Another standard chosen (path): Fic_Etalon takes it; when it is another file than
// the previous one (a bare name standing for the program folder) the correction is no longer valid (Etalon_Charge and Correction_Valide
// cleared, "Calibré" unticked and disabled) and the result is the red warning
// "Attention : Recharger éventuellement le fichier scanner !"; else "".
std::string Choix_Etalon(const std::string& path, CasesCouleur& cases);

// Another scanner file chosen (path): Fic_Scanner takes it and the correction is built
// again (as Charge_Correction_Scanner; a file that cannot be opened leaves the
// correction no longer valid); then "Calibré" is unticked, and enabled only when the
// correction is valid.
ResultatCorrection Choix_Scanner(const std::string& path, CasesCouleur& cases,
                                 std::vector<std::string>* listing = nullptr);

// "Mode expert" clicked: "Calibré" disabled while the chart is not an expert one;
// enabled when the box is ticked and the correction is valid.
void Applique_Mode_Expert(CasesCouleur& cases);
