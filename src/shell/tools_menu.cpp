// The main window's tools menu.
#include "shell/tools_menu.h"

#include "base/globals.h"
#include "base/text_tables.h"
#include "forms/main_window.h"
#include "images/image_group.h"
#include "images/image_list.h"
#include "images/image_state.h"
#include "images/exif_display.h"
#include "measure/annotations.h"
#include "measure/comment_panel.h"
#include "measure/illustration.h"
#include "measure/spore_outline.h"
#include "measure/trame_dialogs.h"
#include "platform/dialogs.h"
#include "platform/runtime.h"
#include "shell/button_bar.h"
#include "shell/folders_window.h"

namespace {

// "calibr => groupe MC": the calibration of the picture shown given to every image of
// the multi-layer group, after a question. The group holds list positions (0-based),
// image number = position + 1.
void Calibrage_Groupe(QVL& f) {
  if (f.ListImgMC.listCount() == 0) {
    platform::MsgBox(MSG(200));
    return;
  }
  if (platform::MsgBox(MSG(201) + SautLigne + MSG(106), platform::vbYesNo | platform::vbInformation,
                       "Attention !") != platform::vbYes)
    return;
  for (int p = 0; p < f.ListImgIdx.listCount(); ++p) {
    const std::string t = f.ListImgIdx.list(p);
    if (t.empty()) continue;
    const int image = platform::CInt(platform::Val(t)) + 1;
    if (image >= 1 && image <= kMaxImages) Calib_Images(image) = Calibrage;
  }
}

}  // namespace

void Mntool_Click(int Index) {
  switch (Index) {
    case 3:
      cmdChargeMC_Click();
      break;
    case 4:
      Maj_Grille();
      break;
    case 5:
      Bout_Click(11);
      break;
    case 6:
      Calibrage_Groupe(Qvl());
      break;
    case 10:
      commenter_grille();
      break;
    case 11:
      Affiche_Exif();
      break;
    case 14:
      Affiche_Sporogramme();
      break;
    case 20:
      Illustrer_Copie();
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
