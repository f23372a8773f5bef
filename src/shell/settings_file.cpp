// The settings file "Qvrl.dat": its lines (writer and reader, no window), the
// session-line rewrite, and the moves between the file, the program-wide variables
// and the main window's controls.
#include "shell/settings_file.h"

#include "shell/button_bar.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "base/globals.h"
#include "base/helpers.h"
#include "base/text_tables.h"
#include "forms/main_window.h"
#include "images/image_state.h"
#include "measure/calibration.h"
#include "measure/drawing.h"
#include "measure/measure_state.h"
#include "platform/app.h"
#include "platform/dialogs.h"
#include "platform/runtime.h"
#include "platform/textfile.h"
#include "platform/utf8.h"
#include "shell/function_menus.h"
#include "shell/language.h"
#include "shell/options_panel.h"

using platform::CInt;
using platform::Str;
using platform::Trim;
using platform::UCase;

// ======================================================================================
// The file format
// ======================================================================================

namespace {

// Largest font size a setting may give, in points.
constexpr double kPoliceMax = 1000;
// Font size used for a missing or refused value, in points.
constexpr float kPoliceDefaut = 10.0f;

// The printed form of a single-precision number: its shortest digits as a float
// (12.3f prints as " 12.3", not as the digits of the double nearest to it).
std::string Str_Simple(float x) {
  if (!std::isfinite(x)) return Str(0.0);
  char buf[64];
  const auto res = std::to_chars(buf, buf + sizeof buf, x);
  double d = 0;
  if (res.ec != std::errc() || std::from_chars(buf, res.ptr, d).ec != std::errc())
    return Str(static_cast<double>(x));
  return Str(d);
}

bool Chiffre(char c) { return c >= '0' && c <= '9'; }

// Length of the number at the start of t (sign, digits with at most one "," or ".",
// exponent E or D); 0 when t does not start with a number holding a digit.
size_t Longueur_Nombre(const std::string& t) {
  size_t i = 0;
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
  size_t chiffres = 0;
  while (i < t.size() && Chiffre(t[i])) ++i, ++chiffres;
  if (i < t.size() && (t[i] == '.' || t[i] == ',')) {
    ++i;
    while (i < t.size() && Chiffre(t[i])) ++i, ++chiffres;
  }
  if (chiffres == 0) return 0;
  if (i < t.size() && (t[i] == 'E' || t[i] == 'e' || t[i] == 'D' || t[i] == 'd')) {
    size_t j = i + 1;
    if (j < t.size() && (t[j] == '+' || t[j] == '-')) ++j;
    const size_t debut = j;
    while (j < t.size() && Chiffre(t[j])) ++j;
    if (j > debut) i = j;
  }
  return i;
}

// The value of the number that starts t (Longueur_Nombre(t) > 0); false when it lies
// beyond the range of a double (the reader then gives 0 for a non-zero mantissa).
bool Valeur_Nombre(const std::string& t, double* x) {
  *x = Val_Decimal(t);
  if (!std::isfinite(*x)) return false;
  if (*x != 0) return true;
  for (char c : t) {
    if (c == 'E' || c == 'e' || c == 'D' || c == 'd') break;
    if (Chiffre(c) && c != '0') return false;
  }
  return true;
}

// A value that is a number and nothing else (comma or point), within a double's range.
bool Nombre(const std::string& valeur, double* x) {
  const std::string t = Trim(valeur);
  if (t.empty() || Longueur_Nombre(t) != t.size()) return false;
  return Valeur_Nombre(t, x);
}

// A value that starts with a number (what follows it is ignored).
bool Nombre_En_Tete(const std::string& valeur, double* x) {
  const std::string t = Trim(valeur);
  if (Longueur_Nombre(t) == 0) return false;
  return Valeur_Nombre(t, x);
}

// A whole number (rounded half to even) from lo to hi.
bool Entier(const std::string& valeur, int lo, int hi, int* n) {
  double x = 0;
  if (!Nombre(valeur, &x) || x < lo - 0.5 || x > hi + 0.5) return false;
  const int v = CInt(x);
  if (v < lo || v > hi) return false;
  *n = v;
  return true;
}

// The platform's text-to-truth conversion: "True"/"False" in any case, or a number
// (non-zero is true).
bool Booleen(const std::string& valeur, bool* b) {
  const std::string t = UCase(Trim(valeur));
  if (t == "TRUE" || t == "VRAI") {
    *b = true;
    return true;
  }
  if (t == "FALSE" || t == "FAUX") {
    *b = false;
    return true;
  }
  double x = 0;
  if (!Nombre(t, &x)) return false;
  *b = x != 0;
  return true;
}

// A font size: values that are not numbers, below 1 or above kPoliceMax give 10.
float Taille_Police(const std::string& valeur) {
  double x = 0;
  if (!Nombre(valeur, &x) || x < 1 || x > kPoliceMax) return kPoliceDefaut;
  return static_cast<float>(x);
}

// Keys whose value is taken as it is.
struct CleTexte {
  const char* nom;
  std::string Reglages::*champ;
};
const CleTexte kTextes[] = {
    {"UTILISATEUR", &Reglages::Nom_Utilisateur}, {"LANGUE", &Reglages::Langue},
    {"FICHIERCALIBRAGE", &Reglages::Fic_Calib},  {"CALIBRAGE_NOM", &Reglages::Calib_Nom},
    {"REPIMAGE", &Reglages::Rep_Images},         {"REPDATA", &Reglages::Rep_Data},
    {"FDECIMAL", &Reglages::Format_Decimal},     {"COULREF", &Reglages::Coul_Ref},
    {"REFNUANCIER", &Reglages::Fic_Nuancier},    {"FICETALON", &Reglages::Fic_Etalon},
    {"FICSCANNER", &Reglages::Fic_Scanner},      {"SESSION", &Reglages::Fic_Session},
};

// Flags true only for "VRAI" in any case.
struct CleVrai {
  const char* nom;
  bool Reglages::*champ;
};
const CleVrai kVrais[] = {
    {"DECIMAUTO", &Reglages::FDecimAuto},
    {"AUTORETRACE", &Reglages::AutoRetrace},
    {"FETALONCOULEUR", &Reglages::Etalon_Actif},
};

// Keys read as whole numbers within the values their menu offers.
struct CleEntier {
  const char* nom;
  int Reglages::*champ;
  int lo, hi;
};
const CleEntier kEntiers[] = {
    {"STATDEF", &Reglages::Vue_Stat, 1, 4},
    {"TGRILLE", &Reglages::Taille_Grille, 1, kDerniereLigneTable},
    {"ZONECOULEUR", &Reglages::ZoneCouleur, 1, 6},
};

// Keys accepted and without effect.
const char* const kSansEffet[] = {"CORRECTIONRVB", "REPPROG"};

// A whole number from lo to hi: the leading number of the value, rounded half to even.
bool Index_En_Tete(const std::string& v, int lo, int hi, int* n) {
  double x = 0;
  if (!Nombre_En_Tete(v, &x) || x < lo - 0.5 || x > hi + 0.5) return false;
  const int k = CInt(x);
  if (k < lo || k > hi) return false;
  *n = k;
  return true;
}

// The keys that need more than a plain assignment; false when the value is refused,
// *connue false when the key is none of them.
bool Applique_Cle_Speciale(const std::string& cle, const std::string& v, Reglages& r,
                           LectureReglages& l, bool* connue) {
  *connue = true;
  double x = 0;
  int n = 0;
  if (cle == "CALIBRAGE") {
    if (!Nombre(v, &x) || !Calibrage_Plausible(x)) return false;
    r.Calibrage = x;
  } else if (cle == "CALPREDEF") {
    const std::vector<std::string> items = platform::Split(v, ";");
    for (size_t i = 0; i < r.Calib_Predef.size() && i < items.size(); ++i) {
      r.Calib_Predef[i] = items[i];
      l.predef_lus[i] = true;
    }
  } else if (cle == "FONCTION_DEMARRAGE") {
    if (!Entier(v, 0, 32767, &n) || !Fonction_Demarrage_Valide(n)) return false;
    r.Fonction_Demarrage = n;
  } else if (cle == "INDPRES") {
    r.Indep_Resol = UCase(v) != "FAUX";
  } else if (cle == "PALMER") {
    r.Palmer = UCase(v) == "VRAI" ? 2 : 1;
  } else if (cle == "CLIC") {
    // Tenths of the tolerance, within the menu's 1 to 4.
    if (!Nombre(v, &x) || x < 1 || x > 4) return false;
    r.Tol_Clic = CInt(x * 10);
  } else if (cle == "SAVAUTO") {
    if (!Entier(v, 0, 20, &n) || n % 10 != 0) return false;
    r.Sauve_Auto = n;
  } else if (cle == "EXT_IMG") {
    return Index_En_Tete(v, 0, r.Nb_Formats_Image - 1, &r.Format_Image);
  } else if (cle == "TYP_NOT") {
    return Index_En_Tete(v, 1, 6, &r.Type_Notation);
  } else if (cle == "FICARCHNUA") {
    r.Fic_ArchNua = v.empty() ? std::string("Archv_Nuancier.nua") : v;
  } else if (cle == "ALRTW7") {
    return Booleen(v, &r.Alerte_W7);
  } else if (cle == "TAILLEPOLICE") {
    r.TaillePolice = Taille_Police(v);
  } else if (cle == "TAILLEPOLICEIMG") {
    r.TaillePoliceImg = Taille_Police(v);
  } else {
    *connue = false;
  }
  return true;
}

// Applies one key; false when the value is refused, *connue false for an unknown key.
bool Applique_Cle(const std::string& cle, const std::string& v, Reglages& r, LectureReglages& l,
                  bool* connue) {
  *connue = true;
  for (const CleTexte& c : kTextes) {
    if (cle == c.nom) {
      r.*c.champ = v;
      return true;
    }
  }
  for (const CleVrai& c : kVrais) {
    if (cle == c.nom) {
      r.*c.champ = UCase(v) == "VRAI";
      return true;
    }
  }
  for (const CleEntier& c : kEntiers) {
    if (cle == c.nom) return Entier(v, c.lo, c.hi, &(r.*c.champ));
  }
  for (const char* c : kSansEffet) {
    if (cle == c) return true;
  }
  return Applique_Cle_Speciale(cle, v, r, l, connue);
}

}  // namespace

bool LectureReglages::lu(const std::string& cle) const {
  for (const std::string& c : cles) {
    if (c == cle) return true;
  }
  return false;
}

std::string Texte_Booleen(int flag) { return flag == 0 ? "FAUX" : "VRAI"; }

bool Fonction_Demarrage_Valide(int code) {
  static const int kCodes[] = {0, 1, 2, 3, 4, 5, 6, 10, 11, 13, 14, 15, 16, 20, 22};
  for (int c : kCodes) {
    if (c == code) return true;
  }
  return false;
}

std::vector<std::string> Lignes_Parametres(const Reglages& r) {
  auto suite = [](const auto& items) {
    std::string s;
    for (const std::string& t : items) s += t + ";";
    return s;
  };
  auto nombre = [](int n) { return Str(static_cast<double>(n)); };
  const bool notation = r.Type_Notation >= 1 && r.Type_Notation <= 6;
  return {
      r.Titre,
      "  Ne pas modifier ! ",
      "UTILISATEUR =" + r.Nom_Utilisateur,
      "LANGUE = " + r.Langue,
      "INDPRES= " + Texte_Booleen(r.Indep_Resol),
      "REPIMAGE= " + r.Rep_Images,
      "REPDATA= " + r.Rep_Data,
      "REPPROG= " + r.Rep_Prog,
      "FICHIERCALIBRAGE= " + r.Fic_Calib,
      "CALIBRAGE = " + Str(r.Calibrage),
      "CALIBRAGE_NOM = " + r.Calib_Nom,
      "CALPREDEF= " + suite(r.Calib_Predef),
      "AVERT =" + Texte_Booleen(r.Avert),
      std::string("ALRTW7 = ") + (r.Alerte_W7 ? "True" : "False"),
      "FONCTION_DEMARRAGE= " + nombre(r.Fonction_Demarrage),
      "FDECIMAL= " + r.Format_Decimal,
      "DECIMAUTO= " + Texte_Booleen(r.FDecimAuto),
      "AUTORETRACE=" + Texte_Booleen(r.AutoRetrace),
      "PALMER=" + Texte_Booleen(r.Palmer == 2),
      "STATDEF=" + nombre(r.Vue_Stat),
      "CLIC=" + Str(r.Tol_Clic / 10.0),
      "TGRILLE=" + nombre(r.Taille_Grille),
      "SAVAUTO=" + nombre(r.Sauve_Auto),
      "EXT_IMG=" + nombre(r.Format_Image),
      "REFAPN=" + suite(r.Ref_APN),
      "TYP_NOT=" + (notation ? platform::CStr(static_cast<long long>(r.Type_Notation)) : ""),
      "REFNUANCIER= " + Trim(r.Fic_Nuancier),
      "ZONECOULEUR= " + nombre(r.ZoneCouleur),
      "FICETALON= " + Trim(r.Fic_Etalon),
      "FETALONCOULEUR= " + Texte_Booleen(r.Etalon_Actif),
      "FICSCANNER= " + Trim(r.Fic_Scanner),
      "FICARCHNUA= " + Trim(r.Fic_ArchNua),
      "TAILLEPOLICE= " + Str_Simple(r.TaillePolice),
      "TAILLEPOLICEIMG= " + Str_Simple(r.TaillePoliceImg),
  };
}

LectureReglages Lire_Lignes_Parametres(const std::vector<std::string>& lignes, Reglages& r) {
  LectureReglages l;
  for (const std::string& ligne : lignes) {
    const std::string t = Trim(ligne);
    const size_t egal = t.find('=');
    if (t.empty() || egal == std::string::npos) continue;
    const std::string cle = UCase(Trim(t.substr(0, egal)));
    const std::string valeur = Trim(t.substr(egal + 1));
    if (cle.empty()) continue;
    l.une_cle = true;
    bool connue = false;
    const bool pris = Applique_Cle(cle, valeur, r, l, &connue);
    if (!connue) continue;
    (pris ? l.cles : l.refusees).push_back(cle);
  }
  return l;
}

namespace {

// One line of a file as bytes: its text and its line end ("" for a last line without).
struct LigneBrute {
  std::string texte;
  std::string fin;
};

std::vector<LigneBrute> Lignes_Brutes(const std::string& octets) {
  std::vector<LigneBrute> lignes;
  size_t debut = 0;
  for (size_t i = 0; i < octets.size(); ++i) {
    if (octets[i] != '\r' && octets[i] != '\n') continue;
    const bool crlf = octets[i] == '\r' && i + 1 < octets.size() && octets[i + 1] == '\n';
    const size_t fin = crlf ? i + 2 : i + 1;
    lignes.push_back({octets.substr(debut, i - debut), octets.substr(i, fin - i)});
    debut = fin;
    i = fin - 1;
  }
  if (debut < octets.size()) lignes.push_back({octets.substr(debut), ""});
  return lignes;
}

const std::string kBom = "\xEF\xBB\xBF";

bool Ascii(const std::string& s) {
  for (char c : s) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

bool Utf8_Valide(const std::string& s) {
  size_t pos = 0;
  while (pos < s.size()) {
    long cp = 0;
    const size_t n = platform::utf8::decodeAt(s, pos, &cp);
    if (n == 0 || cp < 0) return false;
    pos += n;
  }
  return true;
}

// True when the bytes of a line (BOM removed) hold a key SESSION before a "=".
bool Ligne_Session(std::string texte) {
  if (texte.compare(0, kBom.size(), kBom) == 0) texte.erase(0, kBom.size());
  const size_t egal = texte.find('=');
  return egal != std::string::npos && UCase(Trim(texte.substr(0, egal))) == "SESSION";
}

}  // namespace

std::string Remplace_Ligne_Session(const std::string& octets, const std::string& session) {
  // A UTF-16 file is written back in the program's own encoding.
  if (octets.compare(0, 2, "\xFF\xFE") == 0 || octets.compare(0, 2, "\xFE\xFF") == 0) {
    const std::string texte = platform::decodeText(octets);
    std::string code1252;
    return Remplace_Ligne_Session(platform::encodeWindows1252(texte, &code1252) ? code1252 : texte, session);
  }
  std::vector<LigneBrute> lignes = Lignes_Brutes(octets);
  const std::string texte = "SESSION=" + session;
  const bool utf8 = octets.compare(0, kBom.size(), kBom) == 0 || (!Ascii(octets) && Utf8_Valide(octets));
  std::string nouvelle = texte;
  std::string code1252;
  if (!utf8 && platform::encodeWindows1252(texte, &code1252)) {
    nouvelle = code1252;
  } else if (!utf8 && !Ascii(octets)) {
    // A Windows-1252 file that must hold a path this code page lacks: the whole file
    // becomes UTF-8.
    for (LigneBrute& l : lignes) l.texte = platform::decodeWindows1252(l.texte);
  }
  std::string resultat;
  bool remplacee = false;
  for (const LigneBrute& l : lignes) {
    if (Ligne_Session(l.texte)) {
      const bool bom = l.texte.compare(0, kBom.size(), kBom) == 0;
      if (!remplacee) resultat += (bom ? kBom : std::string()) + nouvelle + "\r\n";
      remplacee = true;
      continue;
    }
    resultat += l.texte + (l.fin.empty() ? std::string("\r\n") : l.fin);
  }
  if (!remplacee) resultat += nouvelle + "\r\n";
  return resultat;
}

// ======================================================================================
// The settings of the running program
// ======================================================================================

namespace {

// Back colours of the programmed preset-calibration buttons (entries 1 to 5 of
// Couleurs: yellow, green, cyan, light red, light red).
constexpr unsigned kCouleursPredef[5] = {65535, 65280, 16776960, 12632319, 12632319};

// The last ticked item 1 to 6 of the notation menu; 0 when none is ticked.
int Notation_Cochee(QVL& f) {
  int n = 0;
  for (int i = 1; i <= 6; ++i) {
    if (f.NotExp.exists(i) && f.NotExp(i).checked()) n = i;
  }
  return n;
}

// The preset calibrations a CALPREDEF line set, with their buttons.
void Applique_Predefinis(QVL& f, const Reglages& r, const LectureReglages& l) {
  for (int i = 1; i <= 5; ++i) Couleurs(i) = kCouleursPredef[i - 1];
  for (int i = 0; i <= 4; ++i) {
    if (!l.predef_lus[static_cast<size_t>(i)]) continue;
    Calib_Predef(i) = r.Calib_Predef[static_cast<size_t>(i)];
    Montre_Predefini(f, i);
  }
}

// Puts the values of the keys that were read into the variables and the controls.
void Applique_Reglages(QVL& f, const Reglages& r, const LectureReglages& l) {
  auto lu = [&l](const char* cle) { return l.lu(cle); };
  if (lu("UTILISATEUR")) Nom_Utilisateur = r.Nom_Utilisateur;
  if (lu("LANGUE")) Langue = r.Langue;
  if (lu("FICHIERCALIBRAGE")) Fic_Calib = r.Fic_Calib;
  if (lu("CALIBRAGE")) Calibrage = r.Calibrage;
  if (lu("CALIBRAGE_NOM")) f.Label_Calib.setCaption(r.Calib_Nom);
  if (lu("CALPREDEF")) Applique_Predefinis(f, r, l);
  if (lu("FONCTION_DEMARRAGE")) {
    Fonction_Demarrage = r.Fonction_Demarrage;
    FonctionCourante = r.Fonction_Demarrage;
    Ini_fonc();
  }
  if (lu("REPIMAGE")) Rep_Images = r.Rep_Images;
  if (lu("REPDATA")) Rep_Data = r.Rep_Data;
  if (lu("INDPRES")) {
    Indep_Resol = r.Indep_Resol;
    f.Optn(Indep_Resol ? 1 : 2).setValue(false);
    f.Optn(Indep_Resol ? 2 : 1).setValue(true);
  }
  if (lu("FDECIMAL")) Format_Decimal = r.Format_Decimal;
  if (lu("DECIMAUTO")) FDecimAuto = r.FDecimAuto;
  Coche_Decimales();
  if (l.une_cle) f.Frame(9).setVisible(false);
  if (lu("AUTORETRACE")) AutoRetrace = r.AutoRetrace;
  if (lu("PALMER")) {
    Palmer = r.Palmer;
    f.Optn(Palmer == 2 ? 5 : 6).setValue(true);
  }
  if (lu("STATDEF")) {
    Vue_Stat = r.Vue_Stat;
    for (int i = 1; i <= 4; ++i) f.statdef(i).setChecked(false);
    f.statdef(Vue_Stat).setChecked(true);
  }
  if (lu("CLIC")) Tol_Clic = r.Tol_Clic;
  if (lu("TGRILLE")) Taille_Grille = r.Taille_Grille;
  if (lu("SAVAUTO")) {
    Sauve_Auto = r.Sauve_Auto;
    f.MNSav(1).setChecked(false);
    f.MNSav(CInt(Sauve_Auto / 10.0)).setChecked(true);
  }
  if (lu("EXT_IMG")) f.F_Img_Click(r.Format_Image);
  if (lu("TYP_NOT")) NotExp_Click(r.Type_Notation);
  if (lu("COULREF")) Coul_Ref = r.Coul_Ref;
  if (lu("REFNUANCIER")) Fic_Nuancier = r.Fic_Nuancier;
  if (lu("ZONECOULEUR")) {
    ZoneCouleur = r.ZoneCouleur;
    Lrg_Click(ZoneCouleur);
  }
  if (lu("FICETALON")) Fic_Etalon = r.Fic_Etalon;
  if (lu("FETALONCOULEUR")) Etalon_Actif = r.Etalon_Actif;
  if (lu("FICSCANNER")) {
    Fic_Scanner = r.Fic_Scanner;
    f.Label6(1).setCaption("Scanner : " + Nom_Fichier(Fic_Scanner));
  }
  if (lu("FICARCHNUA")) Fic_ArchNua = r.Fic_ArchNua;
  if (lu("ALRTW7")) Alerte_W7 = r.Alerte_W7;
  if (lu("SESSION")) Fic_Session = Fic_Session_Lue = r.Fic_Session;
  if (lu("TAILLEPOLICE")) {
    TaillePolice = r.TaillePolice;
    f.Picture1.setFontSize(Taille_Texte_Image(TaillePolice));
  }
  if (lu("TAILLEPOLICEIMG")) TaillePoliceImg = r.TaillePoliceImg;
}

// Shows why a file could not be read or written.
void Signale(const std::string& texte) { platform::MsgBox(texte, platform::vbExclamation); }

// The settings file could not be read and no copy of it could be kept: it is not to be
// replaced by the start values in this run.
bool g_fichierAGarder = false;

// A settings file that gave no setting (it could not be read, or none of its lines is
// a setting): the program goes on with the start values, and the file is kept aside
// as path + ".illisible" before a later save may replace it; when no copy can be made
// the file is not replaced at all. Either way the user is told.
void Garde_Fichier_Illisible(const std::string& chemin, const std::string& cause) {
  const std::string copie = chemin + ".illisible";
  std::string octets;
  const std::string debut = chemin + " illisible (" + cause + ") : réglages par défaut ; ";
  if (platform::readBytes(chemin, &octets) && platform::saveFileAtomic(copie, octets)) {
    Signale(debut + "le fichier est conservé sous " + copie);
  } else {
    g_fichierAGarder = true;
    Signale(debut + "le fichier ne sera pas remplacé");
  }
}

bool Texte_Non_Vide(const std::vector<std::string>& lignes) {
  return std::any_of(lignes.begin(), lignes.end(),
                     [](const std::string& l) { return l.find_first_not_of(" \t") != std::string::npos; });
}

}  // namespace

std::string Chemin_Parametres() {
  const std::string dossier = Rep_Prog.empty() ? platform::App::Path() : Rep_Prog;
  const std::string trouve = platform::findFileNoCase(dossier, kFichierParametres);
  return trouve.empty() ? dossier + "/" + kFichierParametres : trouve;
}

Reglages Reglages_Courants() {
  QVL& f = Qvl();
  Reglages r;
  r.Titre = MSG(139);
  r.Nom_Utilisateur = Nom_Utilisateur;
  r.Langue = Langue;
  r.Indep_Resol = Indep_Resol;
  r.Rep_Images = Rep_Images;
  r.Rep_Data = Rep_Data;
  r.Rep_Prog = Rep_Prog;
  r.Fic_Calib = Fic_Calib;
  r.Calibrage = Calibrage;
  r.Calib_Nom = f.Label_Calib.caption();
  for (int i = 0; i <= 4; ++i) r.Calib_Predef[static_cast<size_t>(i)] = Calib_Predef(i);
  r.Avert = f.Check(4).value() != 0;
  r.Alerte_W7 = Alerte_W7;
  r.Fonction_Demarrage = Fonction_Demarrage;
  r.Format_Decimal = Format_Decimal;
  r.FDecimAuto = FDecimAuto;
  r.AutoRetrace = f.Check(2).value() != 0;
  // The variant in force: the "Palmer" and "Bipoint" options set it when clicked, and
  // the window's design leaves both options off while Palmer starts at 2.
  r.Palmer = Palmer == 2 ? 2 : 1;
  r.Vue_Stat = Vue_Stat;
  r.Tol_Clic = Tol_Clic;
  r.Taille_Grille = Taille_Grille;
  r.Sauve_Auto = Sauve_Auto;
  r.Format_Image = Format_Image;
  // Only the formats of Ext_Images are offered, and the menu has items 0 to 6.
  r.Nb_Formats_Image = static_cast<int>(std::min<size_t>(Ext_Images.size(), 7));
  for (int i = 0; i <= 5; ++i) r.Ref_APN[static_cast<size_t>(i)] = Ref_APN(i);
  r.Type_Notation = Notation_Cochee(f);
  r.Fic_Nuancier = Fic_Nuancier;
  r.ZoneCouleur = ZoneCouleur;
  r.Fic_Etalon = Fic_Etalon;
  r.Etalon_Actif = Etalon_Actif;
  r.Fic_Scanner = Fic_Scanner;
  r.Fic_ArchNua = Fic_ArchNua;
  r.TaillePolice = TaillePolice;
  r.TaillePoliceImg = TaillePoliceImg;
  r.Coul_Ref = Coul_Ref;
  r.Fic_Session = Fic_Session;
  return r;
}

void Lire_Parametres() {
  Export_Fait = false;
  QVL& f = Qvl();
  try {
    // The welcome panel stays only when no line of the file has a key.
    f.Frame(9).setVisible(true);
    const std::string chemin = Chemin_Parametres();
    if (Fichier_Existe(chemin, MSG(114) + " " + kFichierParametres, 1)) {
      std::vector<std::string> lignes;
      std::string erreur;
      if (platform::readLines(chemin, &lignes, &erreur)) {
        Reglages r = Reglages_Courants();
        const LectureReglages lu = Lire_Lignes_Parametres(lignes, r);
        if (lu.cles.empty() && Texte_Non_Vide(lignes)) Garde_Fichier_Illisible(chemin, "aucun réglage reconnu");
        Applique_Reglages(f, r, lu);
      } else {
        Garde_Fichier_Illisible(chemin, erreur);
      }
    } else {
      Rep_Data = Rep_Prog;
      Sauve_Parametres(1);
    }
  } catch (const std::exception& e) {
    platform::reportError("Lire_Parametres", e.what());
  }
  if (Langue != "fr")
    Charge_Langue();
  else
    ApplyQtLanguage();
  Calib_Images(0) = Calibrage;
}

bool Sauve_Parametres(int /*flag*/) {
  std::string erreur;
  if (g_fichierAGarder && platform::fileExists(Chemin_Parametres())) {
    Signale(Chemin_Parametres() + " n'a pas pu être lu : il n'est pas remplacé");
    return false;
  }
  try {
    // The last session file stays recorded: a full save keeps its line, last.
    std::vector<std::string> lignes = Lignes_Parametres(Reglages_Courants());
    if (!Fic_Session.empty()) lignes.push_back("SESSION=" + Fic_Session);
    if (platform::writeLines(Chemin_Parametres(), lignes, &erreur)) return true;
  } catch (const std::exception& e) {
    erreur = e.what();
  }
  Signale(erreur);
  return false;
}

bool IniSession_Sauve() {
  const std::string chemin = Chemin_Parametres();
  if (!Fichier_Existe(chemin)) {
    if (!Sauve_Parametres(1)) return false;
    platform::MsgBox(" création de " + chemin);
  }
  std::string octets, erreur;
  if (!platform::readBytes(chemin, &octets, &erreur) ||
      !platform::saveFileAtomic(chemin, Remplace_Ligne_Session(octets, Fic_Session), &erreur)) {
    Signale(erreur);
    return false;
  }
  return true;
}

void Alerte_Unique() {
  if (!Vista_Ou_Plus || !Alerte_W7) return;
  platform::MsgBox(MSG(12), platform::vbOKOnly);
  Alerte_W7 = false;
}

void Connecte_Parametres(QVL& f) {
  f.Bout.onClick = [](int i) { Bout_Click(i); };
  f.Bout_C.onClick = [](int i) { Bout_C_Click(i); };
  // "Sauver les paramètres" of the file menu.
  f.MnuFIC(8).onClick = [] { Sauve_Parametres(1); };
}
