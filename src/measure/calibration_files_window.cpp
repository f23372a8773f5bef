#include "measure/calibration_files_window.h"

#include <filesystem>
#include <system_error>

#include "base/globals.h"
#include "base/helpers.h"
#include "base/shell_services.h"
#include "base/text_tables.h"
#include "forms/calibration_files_window.h"
#include "forms/main_window.h"
#include "images/image_state.h"
#include "images/picture_save.h"
#include "measure/calibration.h"
#include "measure/calibration_file.h"
#include "platform/dialogs.h"
#include "platform/runtime.h"
#include "platform/textfile.h"

namespace {

int Mode_Cmpl = 0;   // the Command2 index whose name entry is open: 0 new, 1 rename

void montreSaisie(Cmpl& w, bool visible) {
  w.Text1.setVisible(visible);
  w.Command1.setVisible(visible);
  w.Command3.setVisible(visible);
}

void refuse(const std::string& nom) { platform::MsgBox(" nom de fichier invalide : " + nom); }

std::string cheminProgramme(const std::string& nom) {
  std::string d = Rep_Prog;
  if (!d.empty() && d.back() != '/' && d.back() != '\\') d += "/";
  return d + nom;
}

// True when nom is one of the combo's entries.
bool listee(Cmpl& w, const std::string& nom) {
  for (int i = 0; i < w.Combo1.listCount(); ++i)
    if (w.Combo1.list(i) == nom) return true;
  return false;
}

bool existeDeja(const std::string& nom) {
  if (platform::findFileNoCase(Rep_Prog, nom).empty()) return false;
  platform::MsgBox(" le fichier " + nom + " existe déjà");
  return true;
}

void nouveau(const std::string& saisi) {
  const std::string nom = Nom_Avec_Cal(saisi);
  if (existeDeja(nom)) return;
  const std::string chemin = cheminProgramme(nom);
  platform::MsgBox("création " + chemin);
  std::string erreur;
  if (!platform::writeLines(chemin, Entete_Calibrage(MNU(14)), &erreur)) {
    Signale_Echec_Ecriture(chemin, erreur);
    return;
  }
  Liste_fichiers_cal();
}

void renomme(Cmpl& w, const std::string& saisi) {
  const std::string source = w.Combo1.text();
  if (!listee(w, source)) {
    refuse(source);
    return;
  }
  const std::string nom = Nom_Avec_Cal(saisi);
  if (existeDeja(nom)) return;
  std::error_code ec;
  std::filesystem::rename(platform::findFileNoCase(Rep_Prog, source), cheminProgramme(nom), ec);
  if (ec) Signale_Echec_Ecriture(source, platform::systemCause(ec.value()));
  Liste_fichiers_cal();
}

}  // namespace

Cmpl& Fenetre_Fichiers_Calibrage() {
  // Never destroyed, as the main window: its widgets belong to the application object.
  static Cmpl* instance = [] {
    auto* w = new Cmpl();
    w->onLoad = [] { Cmpl_Form_Load(); };
    // The frame fills the client area once the window is on screen with its edges.
    w->onResize = [] {
      Cmpl& f = Fenetre_Fichiers_Calibrage();
      Place_Objet(f.Frame1, static_cast<int>(f.scaleHeight()), 0, 0, static_cast<int>(f.scaleWidth()));
    };
    w->Combo1.onKeyPress = [](int& k) { Cmpl_Combo1_KeyPress(k); };
    w->Combo1.onGotFocus = [] { Fenetre_Fichiers_Calibrage().Combo1.showDropDown(true); };
    w->Command2.onClick = [](int i) { Cmpl_Command2_Click(i); };
    w->Command1.onClick = [] { Cmpl_Command1_Click(); };
    w->Command3.onClick = [] { Cmpl_Command3_Click(); };
    w->Command0.onClick = [] { Cmpl_Command0_Click(); };
    return w;
  }();
  return *instance;
}

void Ouvre_Fichiers_Calibrage() {
  Cmpl& w = Fenetre_Fichiers_Calibrage();
  w.setCaption("");
  w.move(1000, 500);
  w.showModal();
  NomCalib = Qvl().Label_Calib.caption();
}

bool Nom_Fichier_Cal_Valide(const std::string& nom) {
  return !platform::Trim(nom).empty() && nom.find('/') == std::string::npos &&
         nom.find('\\') == std::string::npos && nom.find("..") == std::string::npos;
}

std::string Nom_Avec_Cal(const std::string& nom) {
  return platform::UCase(Fic_Extension(nom)) == "CAL" ? nom : nom + ".cal";
}

void Cmpl_Form_Load() {
  Cmpl& w = Fenetre_Fichiers_Calibrage();
  w.Frame1.setCaption(MNU(116));
  Place_Objet(w.Frame1, static_cast<int>(w.scaleHeight()), 0, 0, static_cast<int>(w.scaleWidth()));
  montreSaisie(w, false);
  w.Text1.setText("");
  for (int i = 0; i <= 3; ++i) w.Command2(i).setCaption(MNU(110 + i));
  w.Command0.setCaption(MNU(114));
  w.Command3.setCaption(MNU(115));
  Liste_fichiers_cal();
  w.Combo1.setText(Fic_Calib);
}

void Liste_fichiers_cal() {
  Cmpl& w = Fenetre_Fichiers_Calibrage();
  w.Combo1.clear();
  for (const std::string& nom : platform::listFiles(Rep_Prog, "*"))
    if (platform::UCase(Fic_Extension(nom)) == "CAL") w.Combo1.addItem(nom);
  if (w.Combo1.listCount() > 0) w.Combo1.setListIndex(0);
}

void Cmpl_Combo1_KeyPress(int& KeyAscii) {
  if (KeyAscii < 32 || KeyAscii > 127) return;
  platform::ComboBox& c = Fenetre_Fichiers_Calibrage().Combo1;
  const std::string touche(1, static_cast<char>(KeyAscii));
  const std::string s = c.selLength() > 0 ? platform::Left(c.text(), c.selStart()) + touche : c.text() + touche;
  KeyAscii = 0;
  c.showDropDown(true);
  const int i = c.findPrefix(s);
  if (i == -1) return;
  c.setListIndex(i);
  c.setSelStart(platform::Len(s));
  c.setSelLength(platform::Len(c.list(i)) - platform::Len(s));
}

void Cmpl_Command2_Click(int Index) {
  Cmpl& w = Fenetre_Fichiers_Calibrage();
  Mode_Cmpl = Index;
  const std::string nom = w.Combo1.text();
  switch (Index) {
    case 0:
    case 1:
      montreSaisie(w, true);
      w.Text1.setText(nom);
      if (Index == 0) {
        w.Text1.setSelStart(0);
        w.Text1.setSelLength(platform::Len(nom));
      }
      w.Text1.setFocus();
      break;
    case 2:
      if (!Nom_Fichier_Cal_Valide(nom)) {
        refuse(nom);
        return;
      }
      Fic_Calib = nom;
      Appelle_Service(Services_Shell().Edite_Fichier_Calibrage);
      w.unload();
      break;
    case 3: {
      if (!listee(w, nom)) {
        refuse(nom);
        return;
      }
      const std::string chemin = platform::findFileNoCase(Rep_Prog, nom);
      if (!Fichier_Existe(chemin.empty() ? cheminProgramme(nom) : chemin, "", 1)) return;
      if (platform::MsgBox("Effacer  " + nom + "?", platform::vbYesNo) != platform::vbYes) return;
      if (!platform::removeFile(chemin)) Signale_Echec_Ecriture(chemin, "");
      Liste_fichiers_cal();
      break;
    }
    default:
      break;
  }
}

void Cmpl_Command1_Click() {
  Cmpl& w = Fenetre_Fichiers_Calibrage();
  const std::string nom = w.Text1.text();
  if (!Nom_Fichier_Cal_Valide(nom))
    refuse(nom);
  else if (Mode_Cmpl == 0)
    nouveau(nom);
  else if (Mode_Cmpl == 1)
    renomme(w, nom);
  montreSaisie(w, false);
}

void Cmpl_Command3_Click() { montreSaisie(Fenetre_Fichiers_Calibrage(), false); }

void Cmpl_Command0_Click() {
  Cmpl& w = Fenetre_Fichiers_Calibrage();
  const std::string nom = w.Combo1.text();
  if (!Nom_Fichier_Cal_Valide(nom)) {
    refuse(nom);
    return;
  }
  Fic_Calib = nom;
  Qvl().Label10.setCaption("fichier .cal : " + Fic_Calib);
  Calibrage_Charge(0);
  w.unload();
}
