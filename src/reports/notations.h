#pragma once
// Notations of measured quantities: the extreme values in parentheses around a central
// range ("(8.40)8.54-12.88(13.00)"), read from the statistics grid of a report model.
//
// Types: 1 D1-D9, 2 D1-median-D9, 3 mean -/+ sigma, 4 mean -/+ 1.96 sigma,
// 5 D1-dominant-D9, 6 D1-mean-D9. Values read from the grid and computed bounds go
// through the display mask; counts and dominant values are in general number form.

#include <string>

#include "reports/report_model.h"

// Notation of grid column col in the given type; "" for a type outside 1 to 6. Only
// type 1 carries the count (" : N= 11 ;D1,9; (...").
std::string Notation_Colonne(const ReportModel& m, int type, int col, ReportNotices* notices = nullptr);

// Length-by-width notation of columns 1 and 2 (the length alone for the segment
// function), then the line of the mean and sigma of Q (column 4 for spores in three
// dimensions, else 3) and, in three dimensions, that of L (column 5); "" for a type
// outside 1 to 6. Type 1 puts the width on a line of its own.
std::string Notation_LxL(const ReportModel& m, int type, ReportNotices* notices = nullptr);

// Notation text of every measured quantity of the current function, each line ended
// by CR LF, in the ticked notation type (type 3 when fewer than 11 rows are measured,
// except for spores in two dimensions). Mode 1 starts the title line with "Notation "
// for every function that has one; "" for functions without notation.
std::string Texte_Mesures(const ReportModel& m, int mode, ReportNotices* notices = nullptr);
