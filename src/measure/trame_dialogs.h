#pragma once
// Saving the session through the save dialog (an ordinary trame, or a local trame with
// the images and calibration file copied beside it) and the grid update, which
// measures every row again by writing the session to a temporary trame and reading it
// back.

#include <string>

// The name the save dialog proposes: the file name of the current trame when there is
// one, else that of the picture shown when its file exists, else "mesures."; cut before
// its first "." and followed by ".trm".
std::string Nom_Trame_Propose(const std::string& ficTrame, const std::string& image, bool imageExiste);

// "Sauver la Trame": the save dialog (start folder Rep_Images after an export with its
// dialog, else Rep_Data; filters "*.trm" and every file). Once a file is chosen
// Rep_Data takes its folder; the one-time warning MSG(12) is shown (and the settings
// saved) when that folder is the program folder; an existing file is replaced only
// after MSG(116) is answered OK. Then the trame is written: Fic_Trame and Fic_Session
// take its path. True when written; Cancel, a refused overwrite or a failed write
// (MSG(144), the path and the cause) give false and no trame.
bool Sauve_Trame_Sous();

// The same for a local trame (images and calibration file copied into the chosen
// folder).
bool Sauve_Trame_Locale();

// "maj grille": writes the session to a new temporary trame outside the program
// folder, reads it back without question (every row measured again with the present
// calibrations and mask) only when the write succeeded, and deletes it. Fic_Trame,
// Fic_Session and Rep_Trame_Ok keep their values. A failed write is reported.
void Maj_Grille();
