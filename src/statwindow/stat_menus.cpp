// Menus and buttons of the statistics window's frame.
#include "base/shell_services.h"
#include "forms/stat_window.h"
#include "images/picture_save.h"
#include "platform/clipboard.h"
#include "platform/runtime.h"
#include "statwindow/diagram_panel.h"
#include "statwindow/extract_files.h"
#include "statwindow/histogram.h"
#include "statwindow/modes.h"
#include "statwindow/panel_layout.h"
#include "statwindow/stat_state.h"
#include "statwindow/stat_window.h"
#include "statwindow/test_panels.h"

void Mnstat_Click(int Index) {
  FenHisto& f = StatWindow();
  // Items 3 to 7 only open their menus: the panel in view stays until one of their
  // items replaces it.
  if (Index == 1 || Index == 2 || Index == 15) f.stcadre(7).setVisible(false);
  switch (Index) {
    case 1:
      Init_cadrage_frames(1);
      Montre_Choix_Graphe(true);
      Mode_Histogramme = 0;
      Exec_Hist(0);
      break;
    case 2:
      Init_cadrage_frames(2);
      traite_Stats();
      Recalcul_Diagramme();
      break;
    case 15:
      Quitte_Stat();
      break;
    default:
      break;
  }
}

void Mnstat6_Click(int Index) {
  FenHisto& f = StatWindow();
  switch (Index) {
    case 1:
      exporte_trame_extrait();
      f.Framehist(1).setVisible(false);
      break;
    case 2:
      CSV_Export();
      break;
    case 5:
      RazModes(1);
      if (f.stcadre(2).visible()) Exemple_Diagramme();
      if (f.stcadre(3).visible() || f.stcadre(4).visible()) Exemple_Comparaison();
      break;
    case 6:
      Appelle_Service(Services_Shell().AFF_Aide_pdf);
      break;
    default:
      break;
  }
}

void Hopt_Click(int Index) {
  platform::MenuItem& item = StatWindow().Hopt(Index);
  item.setChecked(!item.checked());
}

void Cmd_Copyboard_Click(int Index) {
  FenHisto& f = StatWindow();
  if (Index != 1 && Index != 2) return;
  platform::PictureBox& graphe = Index == 1 ? f.MHistPic : f.HistPicHist;
  platform::Clipboard::clear();
  platform::Clipboard::setImage(graphe.image());
}

void CmdHist_Click(int Index) {
  if (Index == 0) Sauve_Capture("essai", 3);
}

void EVScroll1_Change() {
  FenHisto& f = StatWindow();
  f.MText4E.setText(platform::CStr(static_cast<long long>(f.EVScroll1.value())));
}

void txttest_Change() { Recalcul_Diagramme(); }
