// The main window's tools menu.
#include "shell/tools_menu.h"

#include "forms/main_window.h"
#include "images/exif_display.h"
#include "measure/annotations.h"
#include "measure/trame_dialogs.h"
#include "shell/button_bar.h"
#include "shell/folders_window.h"

void Mntool_Click(int Index) {
  switch (Index) {
    case 4:
      Maj_Grille();
      break;
    case 5:
      Bout_Click(11);
      break;
    case 11:
      Affiche_Exif();
      break;
    case 21:
      Affiche_Repertoires();
      break;
    case 22:
      if (Actions_Barre().CalObj_1) Actions_Barre().CalObj_1(0);
      break;
    case 25:
      Sauve_Trame_Locale();
      break;
    default:
      break;
  }
}

void Connecte_Menu_Outils(QVL& f) {
  f.Mntool->onClick = [](int i) { Mntool_Click(i); };
  f.Illus->onClick = [](int i) { Illus_Click(i); };
}
