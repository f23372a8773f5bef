#pragma once
// Saving the current picture at full size: under a name the user chooses (BMP or JPEG
// by the image-format setting) or as the program's background picture "Fondecran.jpg";
// the common save dialog of pictures and the JPEG helper they use.

#include <string>

#include "platform/picture.h"

// The text after the last "." of Efic; the whole text when it holds no ".".
std::string Fic_Extension(const std::string& Efic);

// Save dialog of pictures and captures, opening in Rep_Data and proposing
// Racine & "." & Ext, filtered on "*." & Ext then every file. Returns the chosen path.
// Rep_Data becomes the chosen folder; the first time that folder is the program's own
// folder a warning (MSG(12)) is shown and Alerte_W7 cleared. When the file exists,
// MSG(116) and the path are asked with OK and Cancel: Cancel returns "" with Echec 0.
// A cancelled dialog returns "" with Echec 1.
std::string Dialogue_Sauve(const std::string& Racine, const std::string& Ext, int& Echec);
// The same dialog opening in Dossier and proposing the name Nom; *Existe (when given)
// tells whether the chosen file existed, whatever the answer to the question.
std::string Dialogue_Sauve_Dans(const std::string& Dossier, const std::string& Nom, const std::string& Ext,
                                int& Echec, bool* Existe = nullptr);

// Writes the picture as a JPEG file of quality 100 through a 24-bit bitmap, whatever the
// extension of Chemin. True when written; false with *error set when the picture is
// empty or the file cannot be written (an existing file is then left whole).
bool Sauve_Jpeg_Image(const platform::Picture& image, const std::string& Chemin,
                      std::string* error = nullptr);
// The same for the picture held by the main window's hidden box Picture2.
bool Sauve_Jpeg(const std::string& Chemin, std::string* error = nullptr);

// Saves the loaded picture at full size, without drawings: Index 0 under a name chosen
// in the save dialog ("Img_Act_" and the extension of the image-format setting, BMP or
// JPEG of quality 100), Index 1 as "Fondecran.jpg" in the program folder. Picture1 is
// repainted without drawings first. With no picture loaded, a cancelled dialog or
// another Index nothing is written; a failed write is shown (MSG(144), the path and
// the cause) and leaves any earlier file whole. True when a file was written.
bool Sauver_Image_actuelle(int Index);

// Shows a failed write: MSG(144), the path, then the cause on its own line.
void Signale_Echec_Ecriture(const std::string& path, const std::string& cause);

// Options > "Copie d'écran ": ticks item index (1 "Ecran", 2 "Zone de travail") and
// unticks the other; the ticked item tells Sauve_Capture what to copy.
void Mn_Copie_Ecran_Click(int index);

// The name Sauve_Capture proposes, without extension: "ecran_" and, for kind 3 (the
// statistics window's chart), "Histogramme" or "Nuage" after the chart shown; for the
// other kinds the file name of Img_Active, or, when no file name is shown, 1
// "mesures", 2 "diagramme"; cut before its first ".".
std::string Nom_Capture_Propose(int genre);

// Saves a capture as a BMP file chosen in the save dialog (Nom_Capture_Propose(mode)
// & ".bmp"). With "Ecran" ticked, a copy of the whole screen, taken once the windows
// the dialog covered have repainted (when the desktop gives none, it says so and
// writes nothing); otherwise the working zone: kind 1 the
// measured picture with its drawings (Picture1), kind 2 the statistics window's
// diagram, kind 3 its chart. The text is not used. A cancelled dialog writes nothing;
// a failed write is shown.
void Sauve_Capture(const std::string& nom, float mode);

// The name Sauve_Twain proposes, without extension: "Twain_" & Prefixe_Capture &
// Num_Capture, cut before its first ".".
std::string Nom_Twain_Propose();

// "Sauver l'image Twain" (source 1: the full-size picture as loaded) and "Sauver le
// cadre" (source 2: the picture as shown, with its drawings), as a BMP file chosen in
// the save dialog. Num_Capture does not change. A failed write is shown.
void Sauve_Twain(int source);
