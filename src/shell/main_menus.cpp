#include "shell/main_menus.h"

#include "base/globals.h"
#include "forms/main_window.h"
#include "forms/menu_titles.h"
#include "measure/calibration.h"
#include "measure/calibration_files_window.h"
#include "measure/comment_panel.h"
#include "measure/grid_statistics.h"
#include "measure/measure_state.h"
#include "platform/app.h"
#include "platform/dialogs.h"
#include "reports/archive_input.h"
#include "reports/report_commands.h"

namespace {

constexpr int kImageParDefaut = 15, kMachineRapide = 25;

void Image_Par_Defaut() {
  const std::string question = "image actuelle comme image par défaut ? ";
  const std::string titre = "** non implanté **!";
  if (platform::MsgBox(question, platform::vbYesNo, titre) != platform::vbYes) return;
  platform::MsgBox(question, platform::vbYesNo, titre);
  platform::App::Beep();
}

void Machine_Rapide(QVL& f) {
  platform::MenuItem& item = f.MnuOpt(kMachineRapide);
  item.setChecked(!item.checked());
  Mode_Standard = item.checked();
  f.Optn(5).setEnabled(true);
  if (Mode_Standard) return;
  f.Optn(5).setEnabled(false);
  f.Optn(6).setValue(true);
  f.Check(2).setValue(0);
  f.Check(3).setValue(0);
}

}  // namespace

void MnuEDit_Click(int Index) {
  QVL& f = Qvl();
  switch (Index) {
    case 1:
      f.Text4.setVisible(false);
      f.VScroll2.setVisible(false);
      Fin_Etape_Mesure();
      Fic_Resultats = f.TBox(3).text();
      break;
    case 2:
      f.TBox(3).setText(Fic_Resultats);
      Export_Resultats(0);
      Fic_Resultats = f.TBox(3).text();
      break;
    case 4:
      Menu_Etalonnage();
      break;
    case 5:
      Ouvre_Fichiers_Calibrage();
      break;
    case 7:
      Copie_Resume();
      break;
    case 8:
      Ouvre_CSV();
      Calcul_stat();
      break;
    case 9:
      Edition_Archive();
      break;
    default:
      break;
  }
}

void MnuOpt_Click(int Index) {
  if (Index == kImageParDefaut) Image_Par_Defaut();
  if (Index == kMachineRapide) Machine_Rapide(Qvl());
}

void Grise_Articles_Sans_Commande(QVL& f) {
  Grise_Articles(f.MnuFIC, {5, 6, 7, 11, 14});
  Grise_Articles(f.MnuEDit, {3, 6, 10});
  Grise_Articles(f.MnuFonc, {5});
  Grise_Articles(f.Mntool, {7, 8, 9, 12});
  Grise_Articles(f.Archv1, {5});
  Grise_Articles(f.Mnuaide, {1, 4});
  Grise_Articles(f.Illus, {3});
  Grise_Articles(f.MnuChrt, {1, 4});
}

void Connecte_Menus_Principaux(QVL& f) {
  Grise_Articles_Sans_Commande(f);
  f.MnuEDit->onClick = [](int i) { MnuEDit_Click(i); };
  f.MnuOpt->onClick = [](int i) { MnuOpt_Click(i); };
}
