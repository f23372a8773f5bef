#pragma once
// The report commands of the main window: the statistics summary panel "Aperçu", the
// copies of the summary and of the notation text to the clipboard, the results export
// and the import of a results file into the measurement grid. Each reads the window
// through the report model and builds its text with the report engine.

#include <string>

#include "reports/results_export.h"

// Rebuilds the statistics summary in TBox(8) and shows the summary panel Frame(12)
// over the lower left corner of the picture; fewer than ten measured rows show
// MSG(187) while the panel is set up. The statistics are refreshed first.
void Resume_Stat();

// Resume_Stat, then the summary text on the clipboard.
void Copie_Resume();

// The notation text of the measurements (mode 1 starts the title with "Notation ") on
// the clipboard, from freshly refreshed statistics.
void Copie_Mesures(int mode);
// The notation text Copie_Mesures puts on the clipboard, the clipboard left alone (the
// statistics refreshed first, notices shown the same way).
std::string Notation_Mesures(int mode);

// The header of an export as the window stands: the date and time now, Ext_Export,
// the resolution mode, the function and object names, the listed images with their
// calibrations and the comment of TBox(3).
ExportHeader Entete_Export();

// Writes the results file. Mode 0: to the default name in Rep_Data, only over an
// existing file and after the overwrite question. Mode 1: through the save dialog
// opened in the current image's folder (Rep_Data follows the chosen folder; the quick
// export is enabled when the file existed; Export_Fait set). The comment of TBox(3)
// is kept in Fic_Resultats. Cancel or a failed write shows "Abandon" and leaves any
// earlier file whole; a failed write also says why.
void Export_Resultats(int mode);

// Imports a results file: the open dialog (Rep_Data; *.csv, *.txt, every file), the
// file read whole, then, when the grid holds data, the question " La table actuelle
// contient des données" / " continuer ? "; the grid and the table are then cleared,
// laid out for the function the file names and filled with its rows (FonctionCourante
// stays 0), and " Poursuite des mesures déconseillée" is flashed. Cancel, No, and a
// missing or unreadable file change nothing; the two last say why.
void Ouvre_CSV();
