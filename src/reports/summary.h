#pragma once
// The statistics summary: the text of the summary panel and of its clipboard copy.

#include <string>

#include "reports/report_model.h"

struct StatSummary {
  std::string text;           // lines joined by CR LF
  bool insufficient = false;  // fewer than ten rows measured: the window shows MSG 187
  ReportNotices notices;
};

// The summary of a model: the current image, the imported file, the spore shape class
// (smooth-spore box ticked), one notation line per measured column in the ticked type
// (none when no type is ticked), the dominant values (type 5), statistics rows 0 to 7
// and, from ten measured rows, the median row; for spores in three dimensions the
// volumes of the mean, median and dominant spores, otherwise the length-by-width
// notation (type 3 when column 1 counts fewer than 11 values). Reads the model only.
StatSummary Texte_Resume(const ReportModel& m);
