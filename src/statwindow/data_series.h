#pragma once
// One series of values as the diagram panel and the charts read it, with no window:
// the data text (values each followed by ";"), its sorted values and dominant value,
// mean and standard deviations, median and deciles, the values between two limits,
// a spreadsheet block turned into a data text, and the result text with its two
// notation lines.
//
// A loaded series keeps the layout of the statistical routines: element 0 holds 0
// and is not a value, elements 1 to n hold the values sorted ascending.

#include <optional>
#include <span>
#include <string>
#include <vector>

// The values of a data text and their dominant value.
struct SeriesData {
  std::vector<double> donnees{0.0};   // element 0 is 0; 1 to n sorted ascending
  double dominante = 0;               // Valeur_Dominante of the values (0 below five)
  int n() const { return static_cast<int>(donnees.size()) - 1; }
};

// Reads a data text: every piece before a ";" is one value read with Val_Decimal
// ("," or "." before the fraction, line breaks before it skipped; an empty or
// unreadable piece is 0); what follows the last ";" is not a value. The values are
// sorted and their dominant value found. Nothing (no series) for a text without ";".
std::optional<SeriesData> Mcharge_data(const std::string& text);

// Mean and population standard deviation of elements 1 to n; both 0 when n < 1.
struct MeanDeviation {
  double moyenne = 0;
  double ecartType = 0;
};
MeanDeviation Calcul_Moy_ET(std::span<const double> donnees);

// The standard deviation estimated from the population one: ecartType x sqrt(n / (n
// - 1)); 0 when n < 2.
double Ecart_Type_Estime(double ecartType, int n);

// Median and first and ninth deciles of elements 1 to n sorted ascending, rounded to
// 15 significant digits. The median for every n >= 1 (the middle value, or the mean
// of the two middle ones); the deciles at ranks (n + 1) / 10 and 9 (n + 1) / 10,
// interpolated, and 0 below 11 values. All 0 when n < 1.
struct MedianDeciles {
  double mediane = 0;
  double d1 = 0;
  double d9 = 0;
};
MedianDeciles SCdecile(std::span<const double> donnees);

// The data text of elements first to last, each value in its shortest form with the
// system's decimal separator followed by ";"; indices outside 1 to n are skipped.
std::string Texte_Valeurs(std::span<const double> donnees, int first, int last);

// A spreadsheet block from the clipboard as a data text, read row by row, left to
// right: a tab or a line end (CR LF, LF or CR) closes a cell, which gives its text
// and ";" ("." taken as ","); empty cells (blank or nothing) give nothing; a last
// cell without a line end after it stays without ";" and so is not a value.
std::string Texte_Colle(const std::string& clipboard);

// Index in the sorted elements 1 to n compared as 32-bit reals. dte 0: the first
// value at or above absc (0 when none); dte 1: the last value below absc when the
// last value is above absc (0 when the first is not below it), otherwise n; any
// other dte gives 0.
int Mcherche_Xi(std::span<const double> donnees, float absc, int dte);

// The values between two limits (given in any order): from the first at or above
// the lower one to the last below the upper one, with their data text and the
// count-and-density caption (k & " ::  * " when they spread over 0.001 or less,
// else k & " pts # " & points per unit under "####.#"). Nothing when the limits
// enclose no value.
struct ModeInterval {
  int indice1 = 0;
  int indice2 = 0;
  std::string texte;
  std::string nbParUnite;
};
std::optional<ModeInterval> Valeurs_Entre(std::span<const double> donnees, float borne1, float borne2);

// The data text of the values outside elements indice1 to indice2: elements 1 to
// indice1 - 1 and indice2 + 1 to n.
std::string Valeurs_Hors(std::span<const double> donnees, int indice1, int indice2);

// The mode lines of a result text, each ending with a line break. With accepted
// modes (nbModes > 1): " PDMS m = " & Format(modes[m], "###.##") for m = 1 to
// nbModes - 1, then the slot being marked nbModes with the current PDM modes[0]
// (when that slot exists). Without: " PDM  = " & Format(modes[0], "###.##").
std::string Lignes_Modes(std::span<const float> modes, int nbModes);

// What the result text describes and how it is labelled.
struct ResultInput {
  std::string horodatage;        // date and time line (without the line break)
  std::string colonne;           // column number as typed
  std::string nomColonne;        // column title
  std::string libelle;           // label before the notation values ("X" or "")
  std::span<const double> donnees;   // loaded values (element 0 not a value)
  std::span<const float> modes;      // 0: current PDM, 1 to 16: accepted modes
  int nbModes = 1;                   // slot being marked
};

// The result text in its three blocks, and the statistics written in it; every line
// ends with a line break. Numbers without a mask in their shortest form, masks "0.##"
// and "0.####" (the system's decimal separator; a whole number keeps it: "5,").
struct ResultText {
  std::string entete;       // date, column, count, minimum, maximum
  std::string modes;        // Lignes_Modes
  std::string statistiques; // deciles, median, mean, deviations and both notations
  MeanDeviation moyenneEt;
  MedianDeciles mediane;
  std::string full() const { return entete + modes + statistiques; }
};
ResultText Texte_Resultats(const ResultInput& in);
