#pragma once
// The report model of the main window as it stands.

#include "reports/report_model.h"

// Reads the measurement grid (rows 0 to LigneCourante, within the grid), the
// statistics grid, the per-column statistics, the volume of spores in three
// dimensions, the notation menu, the smooth-spore box, the current image and the
// imported file into a report model. Reads only: the caller refreshes the statistics
// first (Calcul_stat, then Entetes_Stat).
ReportModel Modele_Rapport();
