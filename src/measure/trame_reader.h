#pragma once
// Loading a trame file into the session: the settings it carries, the image list with
// the calibration of every image, the comments and the grid rows, every row measured
// again from its segments with its own image's scale and calibration under the present
// display mask. The whole file is checked before anything changes.

#include <optional>
#include <string>
#include <vector>

#include "measure/row_values.h"
#include "measure/trame_file.h"

// Result codes of Lit_Trame beside 0 (read, or refused for another reason).
constexpr int kTrameResolutionIncompatible = 1;
constexpr int kTrameSansImage = 2;

// Text of the refusal of a trame that lists no image.
inline const std::string kTrameSansImageTexte = "aucune image dans cette trame";

// The path under which image `chemin` of a trame can be opened. An absolute path that
// exists is kept. Otherwise the file of the same name (compared without case) is
// sought, for a local trame (dossierTrame not empty) in the trame's folder first, then
// in Rep_Images; a Windows path "C:\x\a.jpg" is sought as "a.jpg". When none exists,
// *trouve is false and the Rep_Images candidate is returned.
std::string Cherche_Image(const std::string& chemin, const std::string& dossierTrame, bool* trouve);

// Reads the trame at `path` ("" means "mesure.trm"; a relative path is taken in
// Rep_Data) and returns true when it was loaded. Nothing changes when the file is
// missing ("fichier trame absent " and the path), unreadable or not a trame, lists
// no function with a grid, when its resolution mode differs from Indep_Resol (MSG(176),
// code 1), when it lists no image ("aucune image dans cette trame", code 2), or when
// the question of Efface_Grille(code) is answered No. Otherwise the grid is cleared,
// the trame loaded (Charge_Session) and then: Fic_Trame := the full path, Rep_Trame_Ok
// := the trame is local, the window state the trame gives (normal or maximised) with
// the picture laid out again when it changes, the picture shown made consistent with
// the new list (kept when listed, else the first image found is shown), the
// measurements redrawn, and one message for what was left out (images not found,
// images beyond 50, rows beyond 3000, rows whose image is unknown).
bool Lit_Trame(std::string& path, int& code);

// What loading a checked session left out, for the message after a load.
struct BilanChargement {
  std::vector<std::string> imagesManquantes;   // file names not found
  int imagesOmises = 0;                        // listed beyond 50
  int lignesOmises = 0;                        // beyond 3000
  int lignesSansValeurs = 0;                   // rows that could not be measured again
                                               // (image unknown or missing)
};

// Loads a session already checked into the program: the grid size (raised to hold
// the rows), the function and its grid layout, Fic_Calib, the calibrations (rescaled
// by PCTSW over Picture1's scale width when they differ, after MSG(210)), the image
// list (images resolved by Cherche_Image, duplicates merged), TabMesures (rows after
// the loaded ones emptied), every grid row measured again with its image number and
// comment, the cursor after the last row, the mirror and the statistics. The grid is
// expected to be cleared. `dossierTrame` is the folder of a local trame ("" otherwise).
BilanChargement Charge_Session(const SessionTrame& s, const std::string& dossierTrame);

// The scale and calibration of image `numero` of the list for measuring its rows
// again: its natural width from the picture shown when it is that image, else from
// its file's header. Nothing when the number is outside the list or the file cannot
// be read.
std::optional<ImageRemesure> Image_Remesure(int numero);

// The present resolution mode, Picture1's measuring scale width, Ratio_Ecran and
// display mask.
ParametresRemesure Parametres_Remesure();

// "Charger la trame": the open dialog (start folder Rep_Data, filter "*.trm"), then,
// once a file is chosen and when the grid holds rows or a measurement in progress, the
// question MSG(185) & SautLigne & MSG(106) ("Attention !"); then the trame is read
// without a further question and its first image shown. Cancel or No change nothing.
// True when a trame was loaded.
bool Ouvre_Trame();
