#pragma once
// The settings file "Qvrl.dat" in the program folder: one line per setting, a key
// text, "=" and the value, Windows-1252 with CR LF. The first part of this header is
// the file format alone (no window); the second part moves the values between the
// file, the program-wide variables and the main window.

#include <array>
#include <string>
#include <vector>

// --- the file format (no window involved) -----------------------------------------

// Name of the settings file; it is looked for in the program folder without regard
// to case.
inline const std::string kFichierParametres = "Qvrl.dat";

// Every value the settings file holds, as the program keeps them.
struct Reglages {
  std::string Titre;               // first line, written only (message 139)
  std::string Nom_Utilisateur;
  std::string Langue = "fr";
  bool Indep_Resol = false;
  std::string Rep_Images, Rep_Data, Rep_Prog;
  std::string Fic_Calib = "Qvrl.Cal";
  double Calibrage = 1.0;
  std::string Calib_Nom;           // caption of Label_Calib
  std::array<std::string, 5> Calib_Predef;
  bool Avert = false;              // "ignore at start-up" box of the welcome panel
  bool Alerte_W7 = true;
  int Fonction_Demarrage = 0;
  std::string Format_Decimal = "###0.00";
  bool FDecimAuto = false;
  bool AutoRetrace = false;
  int Palmer = 2;                  // measuring variant: 2 "Palmer", 1 "Bipoint"
  int Vue_Stat = 3;
  int Tol_Clic = 30;
  int Taille_Grille = 3000;
  int Sauve_Auto = 10;
  int Format_Image = 0;
  int Nb_Formats_Image = 2;        // image formats offered (bound of Format_Image); not in the file
  std::array<std::string, 6> Ref_APN;
  int Type_Notation = 5;           // ticked notation item 1 to 6; 0 when none is ticked
  std::string Fic_Nuancier;
  int ZoneCouleur = 3;
  std::string Fic_Etalon;
  bool Etalon_Actif = false;
  std::string Fic_Scanner;
  std::string Fic_ArchNua = "Archv_Nuancier.nua";
  float TaillePolice = 0;
  float TaillePoliceImg = 0;
  std::string Coul_Ref;            // read only
  std::string Fic_Session;         // read only: the SESSION line
};

// What reading the lines of a settings file found.
struct LectureReglages {
  // Keys whose value was taken, in upper case, in the order the lines gave them
  // (a key met twice is listed twice).
  std::vector<std::string> cles;
  // Keys whose value was refused (not a number, out of range); the setting kept its value.
  std::vector<std::string> refusees;
  // Preset calibrations that a CALPREDEF line set (its buttons are then refreshed).
  std::array<bool, 5> predef_lus{};
  // At least one line had a key (the welcome panel is then hidden).
  bool une_cle = false;

  // True when `cle` (upper case) was taken at least once.
  bool lu(const std::string& cle) const;
};

// "VRAI" for a non-zero flag, "FAUX" for 0.
std::string Texte_Booleen(int flag);

// The lines of the settings file for these values, in writing order, without line
// ends and without the SESSION line. Numbers are in the printed form (a blank before
// a non-negative number) with the system's decimal separator; flags "VRAI"/"FAUX",
// except ALRTW7 "True"/"False"; TYP_NOT is empty when Type_Notation is not 1 to 6.
std::vector<std::string> Lignes_Parametres(const Reglages& r);

// Applies the lines of a settings file to `r`. Keys are matched in upper case and
// trimmed, values trimmed; unknown keys and lines without "=" change nothing. Numbers
// are read with a comma or a point whatever the system's separator; a value that is
// not a number or lies outside what its menu offers is refused and the setting
// keeps its value (font sizes below 1 or not numbers read as 10). Never throws.
LectureReglages Lire_Lignes_Parametres(const std::vector<std::string>& lignes, Reglages& r);

// True for 0 and for the function codes that have a grid template (1 to 6, 10, 11,
// 13 to 16, 20, 22): the values a start-up function may take.
bool Fonction_Demarrage_Valide(int code);

// The bytes of a settings file with its SESSION line set to "SESSION=" + session:
// the first line whose key is SESSION is replaced, any later SESSION line dropped,
// and the line appended at the end when there was none. Every other line keeps its
// bytes and its line end; the new line and a last line that had none end with CR LF.
// The new line is encoded as the file is (UTF-8 when the file is, Windows-1252
// otherwise); a session path Windows-1252 cannot hold turns the file into UTF-8.
std::string Remplace_Ligne_Session(const std::string& octets, const std::string& session);

// --- the settings of the running program ------------------------------------------

// Path of the settings file in Rep_Prog: the existing file whose name matches
// without regard to case, else Rep_Prog + "/Qvrl.dat".
std::string Chemin_Parametres();

// The current values of the program-wide variables and of the main window's
// controls that the settings file keeps.
Reglages Reglages_Courants();

// Reads the settings file into the variables and the main window's controls; when
// it is missing, shows MSG(114) + " Qvrl.dat", sets Rep_Data to the program folder
// and creates it. A file that gives no setting (unreadable, or text without one
// setting) is never taken silently for the start values: a message says so and the
// file is kept as path + ".illisible" (when even that fails, Sauve_Parametres leaves
// the file alone for the rest of the run). Then loads the language file when Langue
// is not "fr", and Calib_Images(0) := Calibrage. Never fails: refused values keep their
// defaults.
void Lire_Parametres();

// Rewrites the whole settings file (without a SESSION line) atomically; the argument
// is not used. On failure a message gives the reason, the previous file stays whole
// and false is returned; so too for a file that could be neither read nor kept aside
// (Lire_Parametres).
bool Sauve_Parametres(int flag = 1);

// Writes Fic_Session into the SESSION line of the settings file, creating the file
// first (with the message " création de " + path) when it is missing; every other
// line is kept. On failure a message gives the reason and false is returned.
bool IniSession_Sauve();

// Shows the one-time folder warning MSG(12) when Vista_Ou_Plus and Alerte_W7 are
// true, then clears Alerte_W7 (saved with the next settings save).
void Alerte_Unique();

class QVL;
// Connects the settings file's options and menus.
void Connecte_Parametres(QVL& f);
