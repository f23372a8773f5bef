#include "shell/session.h"

#include <filesystem>
#include <system_error>

#include "base/globals.h"
#include "base/text_tables.h"
#include "forms/main_window.h"
#include "images/image_state.h"
#include "images/picture_view.h"
#include "measure/grid_reset.h"
#include "measure/measure_state.h"
#include "measure/redraw.h"
#include "measure/trame_dialogs.h"
#include "measure/trame_reader.h"
#include "platform/app.h"
#include "platform/events.h"
#include "reports/archive_input.h"
#include "reports/stat_rows.h"
#include "shell/button_bar.h"
#include "shell/language.h"
#include "shell/settings_file.h"
#include "statwindow/stat_window.h"

int Choix_Quitter = 0;

namespace {

constexpr double kJaune = 65535;
constexpr int kFonctionCouleur = 20;
constexpr unsigned kCouleursActivation[] = {16777215, 65535, 65280, 16776960, 12632319, 16744703, 1};

// True while the quit panel waits for its answer.
bool g_panneauQuitter = false;

struct PanneauOuvert {
  PanneauOuvert() { g_panneauQuitter = true; }
  ~PanneauOuvert() { g_panneauQuitter = false; }
  PanneauOuvert(const PanneauOuvert&) = delete;
  PanneauOuvert& operator=(const PanneauOuvert&) = delete;
};

// The image list frame made visible (the button toggles it).
void montreListeImages() {
  if (!Qvl().FraListeImg.visible()) Bout_Click(8);
}

// Reads a trame named by the user outside a dialog; once loaded, flashes its name and
// shows the image list.
void chargeTrameNommee(const std::string& nom, std::string chemin) {
  int code = 0;
  if (!Lit_Trame(chemin, code)) return;
  Qvl().Flash(kJaune, nom + SautLigne + " Chargée" + SautLigne, 2);
  montreListeImages();
}

// A command-line path taken from the folder the program was started in.
std::string cheminAbsolu(const std::string& chemin) {
  std::error_code ec;
  const std::filesystem::path p = std::filesystem::absolute(chemin, ec);
  return ec ? chemin : p.string();
}

// "Charger la trame" of the file menu.
void MnuFIC_Charger_Trame() {
  QVL& f = Qvl();
  Ouvre_Trame();
  f.Picture1.setFocus();
  Aff_Consignes = true;
  Bouton_Zoom(2);
  if (Retrace_Zoom) Retrace(0);
  Entetes_Stat();
}

}  // namespace

std::string Trame_Ligne_Commande(const std::string& commande) {
  if (commande.size() >= 2 && commande.front() == '"' && commande.back() == '"')
    return commande.substr(1, commande.size() - 2);
  return commande;
}

void Form_Activate() {
  QVL& f = Qvl();
  const int palmer = Palmer;
  f.Check(2).setValue(0);
  if (AutoRetrace) f.Check(2).setValue(1);
  Retrace_Zoom = f.Check(2).value() == 1;
  if (Palmer != palmer) {
    f.Optn(palmer == 2 ? 5 : 6).setValue(true);
    Palmer = palmer;
  }
  Diag_Langue = true;
  const bool premiere = !Premiere_Activation;
  if (premiere) {
    Reinit_Fonction();
    Premiere_Activation = true;
  }
  f.StatusBar1.setSimpleText(FonctionCourante == kFonctionCouleur ? MSG(70) : MSG(169));
  Facteur_Resol = 1.0;
  Init2(premiere);
  Init_Menus_Langue();
}

void Init2(bool premiere) {
  const std::string commande = platform::App::Command();
  if (premiere && !commande.empty()) {
    Fic_Ligne_Cmd = Trame_Ligne_Commande(commande);
    if (!Fic_Ligne_Cmd.empty()) chargeTrameNommee(Fic_Ligne_Cmd, cheminAbsolu(Fic_Ligne_Cmd));
  }
  for (int i = 0; i <= 6; ++i) Couleurs(i) = kCouleursActivation[i];
}

void Form_QueryUnload(int& Cancel, int /*UnloadMode*/) {
  Abandon_Saisie_Archive();
  if (g_panneauQuitter) {
    Cancel = 1;
    return;
  }
  QVL& f = Qvl();
  {
    PanneauOuvert ouvert;
    Choix_Quitter = 0;
    f.Command15(0).setCaption(MNU(127));
    f.Command15(1).setCaption(MNU(124));
    f.Command15(2).setCaption(MNU(125));
    f.FrameQuitter.setCaption("");
    f.FrameQuitter.move(3500, 3000, 2415, 1695);
    while (Choix_Quitter == 0) {
      f.FrameQuitter.setVisible(true);
      f.FrameQuitter.zOrder(0);
      platform::Pause(0.2, [] { return Choix_Quitter != 0; });
    }
  }
  f.FrameQuitter.setVisible(false);
  switch (Choix_Quitter) {
    case 1:
      UnloadStatisticsWindow();
      platform::App::End(0);
    case 2:
      if (Sauve_Trame_Sous()) {
        IniSession_Sauve();
        UnloadStatisticsWindow();
        platform::App::End(0);
      }
      Cancel = 1;
      break;
    default:
      Cancel = 1;
      break;
  }
}

void Command15_Click(int Index) {
  Choix_Quitter = Index + 1;
  Qvl().FrameQuitter.setVisible(false);
}

void MnuSession_Precedente() {
  if (Fic_Session_Lue.empty()) {
    Qvl().Flash(kJaune, "   Session précédente non sauvée", 1);
    return;
  }
  chargeTrameNommee(Fic_Session_Lue, Fic_Session_Lue);
}

void Connecte_Session(QVL& f) {
  f.onActivate = [] { Form_Activate(); };
  f.onQueryUnload = [](int& cancel, int mode) { Form_QueryUnload(cancel, mode); };
  f.Command15.onClick = Command15_Click;
  f.MnuFIC(9).onClick = [] { Sauve_Trame_Sous(); };
  f.MnuFIC(10).onClick = [] { MnuFIC_Charger_Trame(); };
  f.MnuFIC(20).onClick = [] {
    int cancel = 0;
    Form_QueryUnload(cancel, 0);
  };
  f.MnuSession(1).onClick = [] { MnuSession_Precedente(); };
  f.MnuSession(3).onClick = [&f] { f.Affiche_Export_Trame(); };
}
