#pragma once
// The dominant value of a column of the measurement grid and the shape class of
// smooth spores measured in two dimensions.

#include <span>
#include <string>

#include "reports/report_model.h"

// Dominant value (estimated mode) of the non-zero values among `values` (negative ones
// too), in any order; 0 when fewer than five are not 0.
double Dominante_Valeurs(std::span<const double> values);

// Dominant value of the values that count, sorted ascending; the column's entry of a
// report model. An infinite value leaves it unknown.
DominanteColonne Dominante_Triee(std::span<const double> compteesTriees);

// Dominant value (estimated mode) of the values that count in grid column col, rows 1
// to LigneCourante - 1: every value but 0, negative ones too, and a written 0 in the
// colour zone (cellCounts); 0 when fewer than five values are kept. A column without
// any value that counts (or outside the grid) gives 0 and sets
// notices->grilleIncomplete. The model's known dominant value of the column is taken
// as it is.
double Stat_Colonne(const ReportModel& m, int col, ReportNotices* notices = nullptr);

// The shape class of a mean length / width ratio, compared in single precision with
// the thresholds 1.05, 1.15, 1.3, 1.6, 2 and 3: "Globuleuse" ... " Bacilliforme   ".
std::string Classe_Spore(float q);

// " type de spore :  ", the class of the mean Q (statistics grid row 1, column 3) and
// CR LF; "" unless the smooth-spore box is ticked and the function is 2, and "" when
// the mean Q is not a number.
std::string Type_Spore(const ReportModel& m);
