// The calibration panel, the marking of a reference segment, the correction frame,
// the guided eyepiece procedure, the preset buttons and the calibration file.
#include "measure/calibration.h"

#include <cmath>
#include <functional>
#include <utility>
#include <vector>

#include "base/globals.h"
#include "base/helpers.h"
#include "base/shell_services.h"
#include "base/text_tables.h"
#include "forms/main_window.h"
#include "forms/twain_prefixe.h"
#include "images/capture_naming.h"
#include "images/image_list.h"
#include "images/image_state.h"
#include "images/picture_save.h"
#include "images/resolution.h"
#include "measure/calibration_file.h"
#include "measure/calibration_files_window.h"
#include "measure/comment_panel.h"
#include "measure/lengths.h"
#include "measure/measure_state.h"
#include "measure/table_commands.h"
#include "platform/app.h"
#include "platform/colour.h"
#include "platform/dialogs.h"
#include "platform/runtime.h"
#include "platform/textfile.h"

int Code_Calib = 0;
std::string Calib_Choisie;
double Calib_Correction = 1.0;
int Longueur_Marquee1 = 0, Longueur_Marquee2 = 0;
double Valeur_Marquee1 = 0;
double Longueur_Guidee = 0;
bool Absence_Calib_Signalee = false;

namespace {

constexpr platform::Colour kBlanc = 0xFFFFFF;
constexpr platform::Colour kJaune = 0xFFFF;
constexpr platform::Colour kRougeTexte = 0xFF;
constexpr platform::Colour kNoir = 0;
constexpr platform::Colour kGrisPredef = 0xE0E0E0;
constexpr double kVertFlash = 65280;
constexpr double kJauneFlash = 65535;
constexpr const char* kPrefixeCal = "Cal. = ";
constexpr const char* kMasqueCal = "###0.0000";
constexpr int kEtapeInactive = 99;

// The grid position (LigneCourante, EtapeClic) just after each marked segment was
// written: a segment is taken back only while it is still the last step of the grid.
std::vector<std::pair<int, int>> segmentsPendants;
bool valeurAcceptee = false;

int etapeGuidee() { return static_cast<int>(LeadingNumber(Etape_CalObj)); }

void prompt(QVL& f, const std::string& t) { f.StatusBar1.setSimpleText(t); }

// The coefficient goes to the image shown (and, for a list choice or a preset, to the
// image waiting for it).
void ecritCalibImages(bool aussiImageAttendue) {
  if (Calib_Images.inBounds(Index_Image)) Calib_Images(Index_Image) = Calibrage;
  if (aussiImageAttendue && Img_A_Calibrer != 99 && Calib_Images.inBounds(Img_A_Calibrer))
    Calib_Images(Img_A_Calibrer) = Calibrage;
}

// "retrace" and "loupe", disabled while calibrating, come back once the panel is
// closed and no marking is under way.
void boutonsLibres(QVL& f) {
  if (f.Frame(7).visible() || Mode_Etalonnage) return;
  for (int i : {1, 4})
    if (f.Bout.exists(i)) f.Bout(i).setEnabled(true);
}

// Takes the marked segments back from the grid, the last first, each only while it is
// still the grid's last step (the user may have undone it already).
void retireSegments(const std::function<void()>& annule) {
  while (!segmentsPendants.empty()) {
    const auto [ligne, etape] = segmentsPendants.back();
    if (ligne != LigneCourante || etape != EtapeClic) {
      segmentsPendants.clear();
      return;
    }
    segmentsPendants.pop_back();
    annule();
  }
}

void retireSegments() { retireSegments([] { EffacE_1(); }); }

// Closing steps of the dialogue's "OK".
void fermeDialogue(QVL& f) {
  Affiche_Coefficient(kPrefixeCal);
  ecritCalibImages(false);
  f.Frame(8).setVisible(false);
  boutonsLibres(f);
}

// A failed marking: message, marking stopped, its segments taken back.
void abandonneMarquage(QVL& f, const std::string& message) {
  platform::MsgBox(message);
  Mode_Etalonnage = false;
  retireSegments();
  f.Frame(8).setVisible(false);
  boutonsLibres(f);
}

std::string dossierProgramme() {
  if (!Rep_Prog.empty() && Rep_Prog.back() != '/' && Rep_Prog.back() != '\\') return Rep_Prog + "/";
  return Rep_Prog;
}

// The calibration file of the program folder, its name matched without regard to case;
// "" when it does not exist.
std::string fichierCalibrage() { return platform::findFileNoCase(Rep_Prog, Fic_Calib); }

bool lisEntrees(const std::string& chemin, std::vector<std::string>* entrees, std::string* erreur) {
  std::vector<std::string> lignes;
  if (!platform::readLines(chemin, &lignes, erreur)) return false;
  *entrees = Entrees_Calibrage(lignes);
  return true;
}

bool coefficientValable(double v) { return v > 0 && Calibrage_Plausible(v); }

}  // namespace

void Affiche_Coefficient(const std::string& prefixe) {
  Qvl().label(5).setCaption(prefixe + platform::Format(Calibrage, kMasqueCal));
}

// --- the panel --------------------------------------------------------------------------

void Calibrage_Ouvre(int idx_cal) {
  QVL& f = Qvl();
  f.Label10.setCaption("fichier .cal : " + Fic_Calib);
  f.Command10.setCaption(MSG(241));
  Calibrage_Avant = Calibrage;
  for (int i = 21; i <= 26; ++i) f.Bout(i).setEnabled(true);
  f.TBox(0).setBackColor(kBlanc);
  f.TBox(0).setText(platform::CStr(Calibrage));
  f.TBox(0).setEnabled(false);
  f.label(7).setCaption(MSG(110));
  f.Frame(7).setVisible(true);
  f.Frame(7).zOrder(0);
  f.Frame(14).setVisible(false);
  f.Bout(44).setCaption("Correction calibrage");
  if (idx_cal == 0) {
    Bout_dial_Click(2);
    f.TBox(0).setBackColor(kJaune);
  }
}

void Menu_Etalonnage() {
  QVL& f = Qvl();
  NomCalib = f.Label_Calib.caption();
  Calibrage_Charge(0);
  Calibrage_Ouvre(0);
}

void Debut_Marquage_Calibrage() {
  retireSegments();
  segmentsPendants.clear();
  NbClics_Calib = 0;
  Longueur_Marquee1 = Longueur_Marquee2 = 0;
}

void Calibrage_Action(int code) {
  QVL& f = Qvl();
  f.Optn(3).setEnabled(true);
  f.Optn(4).setEnabled(true);
  f.Frame(14).setEnabled(true);
  Code_Calib = code;
  switch (code) {
    case 2: {
      f.Bout(4).setEnabled(false);
      const bool longueur = f.Optn(3).value();
      const bool graduations = f.Optn(4).value();
      if (!longueur && !graduations) return;
      Debut_Marquage_Calibrage();
      f.Frame(7).setVisible(false);
      prompt(f, MSG(165));
      Mode_Etalonnage = true;
      Type_Etalonnage = longueur ? 0 : 3;
      f.TBox(5).setText(longueur ? platform::CStr(static_cast<long long>(NbSegments_Calib))
                                 : platform::CStr(NbSegments_Calib * Calibrage));
      f.Picture1.setFocus();
      return;
    }
    case 3:
      f.label(3).setCaption(MSG(112));
      f.ListCalib.setVisible(true);
      Calibrage_Charge(1);
      break;
    case 4:
      f.label(7).setCaption(MSG(121));
      f.TBox(0).setText("");
      f.TBox(0).setVisible(true);
      f.TBox(0).setBackColor(kJaune);
      f.TBox(0).setEnabled(true);
      f.TBox(0).setFocus();
      f.Bout(20).setEnabled(true);
      return;
    case 5:
      f.Bout(6).setEnabled(false);
      f.TBox(0).setVisible(true);
      f.Bout(20).setEnabled(true);
      f.TBox(0).setText("0");
      f.label(3).setCaption(MSG(113));
      f.TBox(0).setFocus();
      break;
    case 6:
      Debut_Marquage_Calibrage();
      Type_Etalonnage = 2;
      Facteur_Resol = Facteur_Resolution();
      f.Frame(7).setVisible(false);
      Mode_Etalonnage = true;
      prompt(f, MSG(164));
      break;
    case 23: {
      // Its size, just below the calibration panel: the panel's buttons stay uncovered.
      {
        const platform::Frame& cal = f.Frame(7);
        Place_Objet(f.Frame(14), 972, cal.left() + 960, cal.top() + cal.height() + 60, 2172);
      }
      f.Frame(14).setVisible(!f.Frame(14).visible());
      f.Bout(44).setCaption("Correction calibrage");
      f.TBox(0).setEnabled(false);
      if (f.Frame(14).visible()) {
        f.Frame(14).zOrder(0);
        f.Frame(14).setCaption("");
        f.TBox(0).setEnabled(true);
        f.Frame(14).setEnabled(true);
        Calib_Correction = Calibrage;
        Affiche_Coefficient(kPrefixeCal);
        f.Bout(44).setCaption("fermer correction");
      }
      break;
    }
    default:
      break;
  }
  f.Bout(23).setEnabled(false);
}

void Calibrage_Valide() {
  QVL& f = Qvl();
  f.TBox(0).setEnabled(true);
  f.TBox(0).setFocus();
  f.Bout(4).setEnabled(false);
  switch (Code_Calib) {
    case 3: {
      const int k = f.ListCalib.listIndex();
      if (k < 0) break;
      const std::string ligne = f.ListCalib.list(k);
      const std::string texte = Texte_Valeur(ligne);
      const double v = Val_Decimal(texte);
      if (!coefficientValable(v)) {
        platform::MsgBox(MSG(101) + "104");
        break;
      }
      f.TBox(0).setText(texte);
      Calibrage = v;
      Affiche_Coefficient(MSG(108));
      Val_Saisie = Calibrage;
      f.Frame(7).setVisible(false);
      f.Label_Calib.setCaption(ligne);
      ecritCalibImages(true);
      break;
    }
    case 4: {
      std::string signe;
      if (Commentaire_Interdit(f.TBox(0).text(), &signe)) {
        platform::MsgBox(signe == "=" ? MSG(135) : "le commentaire ne doit pas contenir de signe ' ; '");
        f.TBox(0).setBackColor(kBlanc);
        return;
      }
      Calibrage_Sauve();
      f.Frame(7).setVisible(false);
      f.TBox(0).setBackColor(kBlanc);
      boutonsLibres(f);
      return;
    }
    case 23:
      f.Frame(7).setVisible(false);
      break;
    default:
      break;
  }
  for (int i = 21; i <= 26; ++i) f.Bout(i).setEnabled(true);
  f.Bout(1).setEnabled(false);
  Trace_Ok = false;
  f.TBox(0).setBackColor(kBlanc);
  boutonsLibres(f);
}

// --- marking --------------------------------------------------------------------------

void Segment_Ecrit_Calibrage() {
  const bool guide = !Mode_Etalonnage && etapeGuidee() == 1;
  if (!Mode_Etalonnage && !guide) return;
  segmentsPendants.emplace_back(LigneCourante, EtapeClic);
  NbClics_Calib += 1;
  if (guide) {
    Longueur_Guidee = NbSegments_Calib * Calibrage;
    CalObj_1(2);
    return;
  }
  if (NbClics_Calib == 1) Longueur_Marquee1 = NbSegments_Calib;
  if (NbClics_Calib == 2) Longueur_Marquee2 = NbSegments_Calib;
  if (Type_Etalonnage < 4) PasCalibr();
}

void PasCalibr() {
  QVL& f = Qvl();
  const bool premier = NbClics_Calib == 1;
  if (premier || (NbClics_Calib == 2 && Type_Etalonnage == 2)) {
    f.Frame(8).setVisible(true);
    f.Frame(8).zOrder(0);
    f.TBox(5).setMultiLine(false);
    f.TBox(5).setBackColor(kJaune);
    f.TBox(5).setText(platform::Format(Valeur_Calibree(NbSegments_Calib), Format_Decimal));
    f.TBox(5).setFocus();
    if (!premier) {
      f.label(8).setCaption(MSG(173));
    } else if (Type_Etalonnage == 3) {
      f.label(8).setCaption(MSG(170) + platform::CStr(Val_Decimal(f.TBox(2).text())));
    } else if (Type_Etalonnage == 0 || Type_Etalonnage == 1 || Type_Etalonnage == 2) {
      f.label(8).setCaption(MSG(171));
    }
  }
  f.Label_Calib.setCaption("");
}

bool Valeur_Calibrage_Acceptee() { return valeurAcceptee; }

void Valide_Calibrage() {
  QVL& f = Qvl();
  valeurAcceptee = false;
  if (!Mode_Etalonnage) {
    fermeDialogue(f);
    return;
  }
  // A number too large to be read is refused and the dialogue waits for another; 0 (or
  // no number) ends the marking; a negative value is below the minimum and may be typed
  // again, as a too small one.
  const std::string saisie = f.TBox(5).text();
  if (NumberOverflows(saisie)) {
    f.Flash(kVertFlash, MNU(6), 2);
    f.TBox(5).setFocus();
    return;
  }
  const double v = Val_Decimal(saisie);
  if (v == 0) {
    f.Flash(kVertFlash, MNU(6), 2);
    abandonneMarquage(f, "Mini 0.0001");
    return;
  }
  switch (Controle_Valeur(v)) {
    case Controle::Trop_Grand:
      platform::MsgBox("Maxi 10000");
      return;
    case Controle::Trop_Petit:
      platform::MsgBox("Mini 0.0001");
      return;
    case Controle::Accepte:
      break;
  }
  const int type = Type_Etalonnage;
  const bool division = type == 2 && NbClics_Calib >= 2;
  double nouveau = Calibrage, valeurDivision = NAN;
  if (division)
    valeurDivision = Valeur_Division(Longueur_Marquee1, Valeur_Marquee1, Longueur_Marquee2, v);
  else if (type == 3)
    nouveau = Coefficient_Graduations(v, Val_Decimal(f.TBox(2).text()), Longueur_Marquee1);
  else
    nouveau = Coefficient_Longueur(v, Longueur_Marquee1);
  if (division ? !std::isfinite(valeurDivision) : !Calibrage_Plausible(nouveau)) {
    abandonneMarquage(f, MSG(101) + "99");
    return;
  }
  if (!division) {
    Calibrage = nouveau;
    if (FDecimAuto)
      Format_Decimal = Masque_Automatique(platform::Val(f.lblWidth.caption()), Calibrage, Format_Decimal);
  }
  // The name under the caption names the coefficient in force, after the division
  // value as after a marked length.
  f.Label_Calib.setCaption(kPrefixeCal + platform::Format(Calibrage, kMasqueCal));
  Mode_Etalonnage = false;
  retireSegments();
  if (type == 2 && !division) {
    Valeur_Marquee1 = v;
    prompt(f, MSG(165));
    Mode_Etalonnage = true;
  }
  if (division) platform::MsgBox(MSG(181) + " " + platform::Format(valeurDivision, "###0.000"));
  valeurAcceptee = true;
  fermeDialogue(f);
}

void Annule_Calibrage() {
  QVL& f = Qvl();
  f.Frame(8).setVisible(false);
  Mode_Etalonnage = false;
  retireSegments();
  segmentsPendants.clear();
  Etape_CalObj = "99";
  CalObj_Actif = false;
  boutonsLibres(f);
  f.Picture1.setFocus();
}

bool Calibrage_En_Cours() {
  return Mode_Etalonnage || !segmentsPendants.empty() || etapeGuidee() != kEtapeInactive;
}

void Oublie_Segments_Calibrage() { segmentsPendants.clear(); }

// --- correction frame -------------------------------------------------------------------

void Command1_Click(int Index) {
  QVL& f = Qvl();
  if (Index == 0) {
    const double base = Val_Decimal(f.TBox(0).text());
    const double nouveau = base * Val_Decimal(f.TBox(1).text());
    f.label(7).setCaption(MSG(110));
    if (coefficientValable(nouveau)) {
      if (coefficientValable(base)) Calib_Correction = base;
      Calibrage = nouveau;
      f.Label_Calib.setCaption("");
    } else {
      platform::MsgBox(MSG(208));
    }
    Affiche_Coefficient(kPrefixeCal);
  } else if (Index == 1) {
    Calibrage = Calib_Correction;
    Affiche_Coefficient(kPrefixeCal);
    f.TBox(0).setForeColor(kNoir);
  } else {
    return;
  }
  ecritCalibImages(false);
  f.TBox(0).setText(platform::CStr(Calibrage));
  f.TBox(0).setForeColor(kRougeTexte);
}

// --- guided procedure -------------------------------------------------------------------

void CalObj_1(int index) {
  QVL& f = Qvl();
  ServicesShell& s = Services_Shell();
  switch (index) {
    case 0:
      Etape_CalObj = "0";
      Appelle_Service(s.Bout_Click, 10);
      platform::MsgBox("Photographier une mire IMAGE à travers l'OCULAIRE GRADUE et charger cette image" +
                       SautLigne + SautLigne + "1/ Calibrage de l'image :" + SautLigne +
                       "Marquer une longueur maximale sur la mire OBJET " + SautLigne +
                       " puis entrer la longueur correspondante");
      Appelle_Service(s.Bout_Click, 10);
      Debut_Marquage_Calibrage();
      break;
    case 1:
      if (!valeurAcceptee) return;
      platform::MsgBox("2/ Marquer un nombre de divisions maximal sur la mire OCULAIRE     ");
      Etape_CalObj = "1";
      NbClics_Calib = 0;
      break;
    case 2:
      platform::MsgBox("3/ Entrer le nb de divisions sur l'OCULAIRE");
      f.label(8).setCaption("Nombre de divisions");
      Etape_CalObj = "2";
      f.Frame(8).setVisible(true);
      f.Frame(8).zOrder(0);
      f.TBox(5).setFocus();
      retireSegments([&s] { Appelle_Service(s.Bout_Click, 2); });
      break;
    case 3: {
      const double n = Val_Decimal(f.TBox(5).text());
      const double d = Longueur_Guidee / n;
      if (!(n > 0) || !std::isfinite(d)) {
        f.Flash(kVertFlash, MNU(6), 2);
        f.Frame(8).setVisible(true);
        f.TBox(5).setFocus();
        return;
      }
      platform::MsgBox(" Une division oculaire vaut  : " + platform::Format(d, kMasqueCal) + SautLigne +
                       " Ce calibrage reste actif pour la session en cours");
      Etape_CalObj = "99";
      CalObj_Actif = false;
      break;
    }
    default:
      break;
  }
}

// --- presets ----------------------------------------------------------------------------

void Montre_Predefini(QVL& f, int Index) {
  if (!Calib_Predef.inBounds(Index) || !f.Command13.exists(Index) || !f.Command14.exists(Index)) return;
  const bool programme = !Calib_Predef(Index).empty();
  const platform::Colour fond = programme ? Couleurs(Index + 1) : kGrisPredef;
  if (programme) f.Command14(Index).setEnabled(true);
  f.Command13(Index).setEnabled(programme);
  f.Command13(Index).setBackColor(fond);
  f.Command14(Index).setBackColor(fond);
}

void Command13_Click(int Index) {
  if (!Calib_Predef.inBounds(Index)) return;
  QVL& f = Qvl();
  const std::string s = Calib_Predef(Index);
  if (!Ligne_Entree(s)) return;
  const double v = Valeur_Ligne(s);
  if (!coefficientValable(v)) return;
  Calibrage = v;
  Affiche_Coefficient(MSG(108));
  Val_Saisie = Calibrage;
  f.Label_Calib.setCaption(s);
  Prefixe_Capture2 = Nom_Auto ? f.Command13(Index).caption() : FenTwainPrefixe().Text1(0).text();
  ecritCalibImages(true);
}

void Command14_Click(int Index) {
  if (!Calib_Predef.inBounds(Index) || Calib_Choisie.empty()) return;
  QVL& f = Qvl();
  const bool change = Calib_Predef(Index) != Calib_Choisie;
  Calib_Predef(Index) = Calib_Choisie;
  f.Command13(Index).setEnabled(true);
  if (!change) return;
  f.Flash(kVertFlash, " donnée modifiée", 1);
  f.Command14(Index).setBackColor(Couleurs(Index + 1));
  f.Command13(Index).setBackColor(Couleurs(Index + 1));
}

void Efface_Predefini(int Index) {
  if (!Calib_Predef.inBounds(Index)) return;
  QVL& f = Qvl();
  Calib_Predef(Index) = "";
  f.Command13(Index).setEnabled(false);
  f.Command13(Index).setBackColor(kGrisPredef);
  f.Command14(Index).setBackColor(kGrisPredef);
}

// --- the calibration file ----------------------------------------------------------------

void Calibrage_Sauve() {
  QVL& f = Qvl();
  f.Label_Calib.setCaption("");
  const std::string commentaire = f.TBox(0).text();
  std::string chemin = fichierCalibrage();
  std::string octets, erreur;
  if (chemin.empty()) {
    chemin = dossierProgramme() + Fic_Calib;
    platform::MsgBox("création " + chemin);
    octets = platform::encodeLines(Entete_Calibrage(MNU(14)));
  } else if (!platform::readBytes(chemin, &octets, &erreur)) {
    Signale_Echec_Ecriture(chemin, erreur);
    return;
  }
  if (!platform::saveFileAtomic(chemin, Octets_Avec_Entree(octets, Ligne_Calibrage(commentaire, Calibrage)),
                                &erreur)) {
    Signale_Echec_Ecriture(chemin, erreur);
    return;
  }
  const std::string affichee = commentaire + " = " + platform::CStr(Calibrage);
  f.Label_Calib.setCaption(affichee);
  f.ListCalib.addItem(affichee);
}

void Calibrage_Charge(int code) {
  QVL& f = Qvl();
  const std::string chemin = fichierCalibrage();
  if (chemin.empty()) {
    f.ListCalib.clear();
    if (code == 0) return;
    platform::MsgBox(MSG(137));
  } else {
    std::vector<std::string> entrees;
    std::string erreur;
    if (lisEntrees(chemin, &entrees, &erreur)) {
      f.ListCalib.setItems(entrees);
    } else {
      f.ListCalib.clear();
      Signale_Echec_Ecriture(chemin, erreur);
    }
    f.ListCalib.setVisible(true);
  }
  f.Bout(20).setEnabled(true);
  prompt(f, MSG(183));
}

void ListCalib_Click() {
  QVL& f = Qvl();
  prompt(f, MSG(276));
  Calib_Choisie.clear();
  const int k = f.ListCalib.listIndex();
  if (k < 0) return;
  const std::string ligne = f.ListCalib.list(k);
  const std::string texte = Texte_Valeur(ligne);
  f.TBox(0).setText(texte);
  const double v = Val_Decimal(texte);
  if (coefficientValable(v)) {
    Calibrage = v;
    ecritCalibImages(false);
    Affiche_Coefficient(kPrefixeCal);
    f.Label_Calib.setCaption(ligne);
    Calib_Choisie = ligne;
  }
  f.Bout(20).setEnabled(true);
  f.Bout(24).setEnabled(false);
  Code_Calib = 3;
  f.label(7).setCaption(MSG(184));
}

void ChercheCal_FicCalibrage() {
  if (!QvlExists()) return;
  QVL& f = Qvl();
  f.Label_Calib.setCaption(platform::CStr(Calibrage));
  const std::string chemin = fichierCalibrage();
  if (chemin.empty()) {
    if (!Absence_Calib_Signalee) platform::MsgBox(MSG(137));
    Absence_Calib_Signalee = true;
    return;
  }
  std::vector<std::string> entrees;
  if (!lisEntrees(chemin, &entrees, nullptr)) return;
  const int k = Entree_Correspondante(entrees, Calibrage);
  if (k >= 0) f.Label_Calib.setCaption(entrees[static_cast<std::size_t>(k)]);
}

// --- connections -------------------------------------------------------------------------

void Connecte_Calibrage(QVL& f) {
  f.ListCalib.onClick = [] { ListCalib_Click(); };
  f.ListCalib.onDblClick = [] {
    Appelle_Service(Services_Shell().Bout_Click, 20);
    Qvl().Flash(kJauneFlash, "nouveau calibrage", 1);
  };
  f.Command1.onClick = [](int i) { Command1_Click(i); };
  f.Command13.onClick = [](int i) { Command13_Click(i); };
  f.Command14.onClick = [](int i) { Command14_Click(i); };
  f.Command14.onMouseDown = [](int i, int button, int, double, double) {
    if (button == 2) Efface_Predefini(i);
  };
  f.Command10.onClick = [] { Ouvre_Fichiers_Calibrage(); };
  f.Command3.onClick = [] { CalObj_1(0); };
  f.Label_Calib.onClick = [] { Menu_Etalonnage(); };
  f.Bout.onMouseDown = [](int i, int button, int, double, double) {
    if (i == 10 && button == 2) Menu_Etalonnage();
  };
  f.TBox.onKeyPress = [](int i, int& k) {
    if (i == 0 && k == 13) {
      k = 0;
      Calibrage_Valide();
    } else if (i == 5 && k == 22) {
      k = 0;
      platform::App::Beep();
    }
  };
  f.TBox.onGotFocus = [](int i) {
    if (i != 0 && i != 5) return;
    QVL& g = Qvl();
    g.TBox(i).setSelStart(0);
    g.TBox(i).setSelLength(platform::Len(g.TBox(i).text()));
    if (i == 5) prompt(g, "");
  };
}
