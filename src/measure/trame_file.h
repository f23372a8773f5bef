#pragma once
// Trame files (".trm"): a working session as lines of text. The header holds the
// resolution mode, the counts, the function, the window state and the calibration
// file; then the calibration of each listed image, the screen and picture widths, the
// image list, the comments of the grid rows and, for every row, the zoom exponent, the
// image number and the four coordinates (picture units) of each measured cell.
//
//   INDPRES=True | False
//   NBIMAGES= n
//   NBLIGNES= r
//   NBLGMAX =m
//   FONCTION= f
//   TAILLEECRAN= s              (0 normal, 1 minimised, 2 maximised)
//   FICHIERCALIBRAGE= name
//   CALIBRAGE=                  then n printed reals
//   RESH = w                    screen width in pixels, printed single
//   PCTSW = sw                  scale width of Picture1, printed single
//   TRAMELOCALE = false | true
//   IMAGES=                     then n paths (bare names in a local trame)
//   COMMENT=                    then r lines "k;comment"
//   FIN
//   TRAME=                      then r lines "zoom;image;X1;Y1;X2;Y2;...;"
//
// Printed reals have a blank before a non-negative value; the row coordinates are the
// shortest exact digits. Both use the system's decimal separator. A polygon row
// (function 16) carries the texts of its grid columns 1 to 4 after its coordinates.

#include <string>
#include <vector>

#include "measure/measure_state.h"

// Function whose rows carry the texts of grid columns 1 to 4 after the coordinates.
constexpr int kFonctionPolygone = 16;
// Most images a trame lists (the image list's own limit).
constexpr int kMaxImagesTrame = 50;

// One row of the row block.
struct LigneTrame {
  int expZoom = 0;
  int numImage = 0;
  std::vector<Segment> cellules;              // cells 1, 2, ... of the row
  std::vector<std::string> textesPolygone;    // function 16: grid columns 1 to 4
};

// Everything a trame holds.
struct SessionTrame {
  bool indepResol = false;
  int tailleGrille = 0;
  int fonction = 0;
  int tailleEcran = 0;
  std::string ficCalib;
  std::vector<double> calibrations;        // of images 1 to n (missing entries: 1)
  float largeurEcranPixels = 0;            // RESH
  float largeurEchelle = 0;                // PCTSW
  bool locale = false;
  std::vector<std::string> images;         // n entries, list order
  std::vector<std::string> commentaires;   // rows 1 to r (missing entries: empty)
  std::vector<LigneTrame> lignes;          // rows 1 to r
  // Counts as the file gives them ("NBIMAGES", "NBLIGNES"), before the limits of 50
  // images and 3000 rows; read only (the writer counts the lists).
  int imagesAnnoncees = 0;
  int lignesAnnoncees = 0;
  bool tailleEcranLue = false;   // a "TAILLEECRAN" line was found
};

// --- pure format -----------------------------------------------------------------------

// The printed form of a single-precision real: a blank before a non-negative value,
// then the shortest digits that read back as that single ("11761.2"), with the
// system's decimal separator. Non-finite values print " 0".
std::string Texte_Reel_Simple(float x);

// The row line of one row: zoom exponent, ";", image number, then ";" and the four
// shortest-digit coordinates of each cell, then for the polygon function ";" and each
// of its four texts (missing ones empty, extra ones dropped), then a final ";".
std::string Ligne_Rangee_Trame(const LigneTrame& ligne, int fonction);

// The text as a comment is kept: one line, each line break (CR LF, CR or LF) a blank.
std::string Commentaire_Une_Ligne(const std::string& texte);

// The lines of a trame in file order; a comment holding line breaks is written on one
// line. n is images.size(), at most
// kMaxImagesTrame (further images are left out); r is lignes.size(). Never fails.
std::vector<std::string> Lignes_Trame(const SessionTrame& s);

// The lines of an extract trame: those of a trame without the "TAILLEECRAN",
// "FICHIERCALIBRAGE" and "TRAMELOCALE" lines, with "EXTRAITS= " & extraits after the
// image paths. It loads as any trame.
std::vector<std::string> Lignes_Trame_Extrait(const SessionTrame& s, const std::string& extraits);

// The session s keeping only the rows listed (numbers from 1, in list order): their
// comments and row lines; rows beyond those of s are left out. Images, calibrations
// and the header stay those of the whole session.
SessionTrame Session_Extrait(const SessionTrame& s, const std::vector<int>& lignes);

// True when the row holds a measured segment (a cell with a coordinate other than 0);
// a row pasted from a table holds none.
bool Ligne_Mesuree(const LigneTrame& ligne);

// Reads the lines of a trame back: keys are split at their first "=" and handled in
// their order (key trimmed and upper-cased, value trimmed; unknown keys, blank lines
// and lines without "=" skipped); the blocks after "CALIBRAGE", "IMAGES", "COMMENT"
// and "TRAME" take as many lines as "NBIMAGES" and "NBLIGNES" said before them (fewer
// when the file ends), of which the first kMaxImagesTrame images and
// kDerniereLigneTable rows are kept.
// Numbers are read with a comma or a point. A row line gives its zoom and image
// number, then groups of four coordinates (a last incomplete group is dropped); for
// the polygon function its last four fields are the grid texts. A comment line gives
// the text after its first ";", trimmed. Returns false with a reason in *error only
// when no "INDPRES" or no "TRAME" line was found; what was read stays in *s.
bool Analyse_Trame(const std::vector<std::string>& lignes, SessionTrame* s,
                   std::string* error = nullptr);
// The reasons Analyse_Trame gives.
inline const std::string kTrameSansIndpres = "ligne INDPRES absente";
inline const std::string kTrameSansRangees = "ligne TRAME absente";

// --- the session of the main window ---------------------------------------------------

// The current session: Indep_Resol, the image list ListIMGchar (at most 50 entries)
// with Calib_Images(1 to n) (Calib_Images(0) first takes Calibrage), LigneCourante - 1
// rows of TabMesures (cells 1 to NbCellules, at most 16 and 3000 rows) with the
// comment column of GrilleRef (empty beyond the grid), Taille_Grille,
// FonctionCourante, the window state, Fic_Calib, the screen width in pixels and the
// scale width of Picture1.
SessionTrame Session_Courante();

// True when a trame of s can be read back: it lists at least one image (the reader
// refuses a trame without one). False with the reason in *error otherwise.
bool Trame_Relisible(const SessionTrame& s, std::string* error = nullptr);

// Writes the current session as an ordinary trame to path (atomic save: a failure
// leaves any file there whole). True when written; Fic_Session then holds path. False
// with the reason in *error otherwise (nothing is shown), a session without an image
// among them: nothing is written then.
bool Ecrit_Trame(const std::string& path, std::string* error = nullptr);

// Writes a local trame to path: the calibration file Fic_Calib (when the program
// folder holds it) and every listed image are copied into path's folder under their
// own names, and the images are listed by those bare names. A file of that name
// already there is left alone when it has the same bytes; a different one is replaced
// only after a Yes to MSG(116) & line break & its path (Yes/No), asked before anything
// is copied. True when everything was copied and the trame written (Fic_Session :=
// path). False when the user said No (*error then empty, nothing copied) or at the
// first failure (a session without an image, a missing image, a failed copy or write;
// the reason in *error): the folder is then put back as it was, the files copied
// removed and the files replaced given their bytes back. Two images of one name from
// different folders are copied under distinct names: the second "a.jpg" becomes
// "a_2.jpg" (names compared without case).
bool Ecrit_Trame_Locale(const std::string& path, std::string* error = nullptr);

// The name under which a local trame copies an image called `nom` when the names in
// `pris` (upper case) are already used: `nom` itself when free, else the name with
// "_2", "_3"... before its extension ("a.jpg", "a_2.jpg"). The name returned is added
// to `pris`.
std::string Nom_Local_Unique(const std::string& nom, std::vector<std::string>* pris);

// The file the automatic save writes: Fic_Trame when it is set (a name without a
// folder is taken in the program folder), else "TrameSav.trm" in the program folder.
std::string Fichier_Sauvegarde_Auto();

// The file a full grid is saved to: "TrameSav.trm" in the program folder.
std::string Fichier_Trame_Secours();
