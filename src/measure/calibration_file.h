#pragma once
// Calibration files (".cal"): two header lines, then one entry per stored calibration,
// "comment = value", appended at the end and never rewritten. The arithmetic of a
// calibration marked on the picture is here too. No widgets.

#include <string>
#include <vector>

// First header line; the second is MNU(14) of the language (empty in French).
inline constexpr const char* kEnteteCalibrage = "ne pas modifier les données numériques !";

// The two header lines of a new file.
std::vector<std::string> Entete_Calibrage(const std::string& ligne2);
// An entry as the file stores it: the comment, " = ", then the value in its printed
// form (the system's decimal separator, a blank in place of the sign): "x63 =  0.05".
std::string Ligne_Calibrage(const std::string& commentaire, double valeur);
// True for a line that holds an entry: not blank once trimmed, and holding "=".
bool Ligne_Entree(const std::string& ligne);
// The text after the first "=", trimmed ("" without "=").
std::string Texte_Valeur(const std::string& ligne);
// That text read with a comma or a point as decimal mark; 0 when it is not a number.
double Valeur_Ligne(const std::string& ligne);
// The entries of a file's lines, in file order.
std::vector<std::string> Entrees_Calibrage(const std::vector<std::string>& lignes);
// Index of the first entry whose value equals c within 1E-10 (the nearest one, the
// earlier of equal ones); -1 when none does. Entries that hold no positive number are
// passed over.
int Entree_Correspondante(const std::vector<std::string>& entrees, double c);
// The bytes of a file after `ligne` is appended to `octets`: the earlier bytes kept,
// a line break added when they do not end with one, the entry followed by CR LF, in
// the file's own encoding (Windows-1252, or UTF-8 when the file is UTF-8 or the entry
// needs it; a UTF-16 file or a Windows-1252 file meeting an entry it cannot hold is
// written again whole in UTF-8).
std::string Octets_Avec_Entree(const std::string& octets, const std::string& ligne);
// True when a comment cannot be stored: it holds "=" (the entry's separator) or ";"
// (presets join whole entries with it); *signe receives the sign found.
bool Commentaire_Interdit(const std::string& commentaire, std::string* signe);

// --- arithmetic of a marked calibration ----------------------------------------------

// Bounds of a typed calibration value.
inline constexpr double kValeurCalibMini = 0.0001;
inline constexpr double kValeurCalibMaxi = 10000;
enum class Controle { Accepte, Trop_Grand, Trop_Petit };
// Above 10000: Trop_Grand; below 0.0001 (0, negatives and NaN included): Trop_Petit.
Controle Controle_Valeur(double v);
// Coefficient of a segment of n picture units worth v: v / n. Kind 3 (graduations
// seen through objective `objectif`): v x (100 / objectif) / n. NaN when n or the
// objective is 0 or less, or the result is not finite.
double Coefficient_Longueur(double v, int n);
double Coefficient_Graduations(double v, double objectif, int n);
// Value of one eyepiece division: a first segment of n1 units worth v1 and a second
// of n2 units covering v2 divisions: v1 x n2 / (n1 x v2). NaN when not finite.
double Valeur_Division(int n1, double v1, int n2, double v2);
// The grid's automatic number mask for a picture `largeur` pixels wide at coefficient
// c: x = largeur x 0.001 / c; "###0" above 1, "###0.0" above 10, "###0.00" above
// 100, "###0.000" above 1000; `actuel` when x is 1 or less or not finite.
std::string Masque_Automatique(double largeur, double c, const std::string& actuel);
