// The option check boxes and submenus of the main window, the dragging of its panels
// and its small command buttons.
#include "shell/options_panel.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "base/globals.h"
#include "colour/colour_state.h"
#include "colour/colour_window.h"
#include "colour/scanner_correction.h"
#include "forms/main_window.h"
#include "images/image_files.h"
#include "images/image_state.h"
#include "images/picture_view.h"
#include "measure/grid_statistics.h"
#include "measure/illustration.h"
#include "measure/measure_state.h"
#include "measure/redraw.h"
#include "platform/calendar.h"
#include "platform/dialogs.h"
#include "platform/events.h"
#include "platform/runtime.h"
#include "shell/tools_menu.h"

namespace {

// Masks of the decimals menu, items 1 to 4.
const char* const kMasquesDecimales[] = {"###0", "###0.0", "###0.00", "###0.000"};

constexpr int kMaxZone = 6;     // items of the sample-size menu
constexpr int kMaxNotation = 6; // items of the notation menu
constexpr int kMaxTaille = 6;   // items of the grid-size menu
constexpr int kMaxCote16 = 12;  // 4 x 2^12: the largest side a 16-bit number holds

// The frames a held left button drags.
bool Cadre_Deplacable(int index) { return index >= 6 && index <= 13 && index != 11; }

void Coche_Seul(const MenuArr& menu, int premier, int dernier, int index) {
  for (int i = premier; i <= dernier; ++i) {
    if (menu.exists(i)) menu(i).setChecked(i == index);
  }
}

// "hh:mm:ss" of the program's clock.
std::string Heure_Courante() {
  const double s = platform::clock().secondsSinceMidnight();
  const long t = std::isfinite(s) && s >= 0 ? static_cast<long>(s) % 86400 : 0;
  return platform::FormatDate(2000, 1, 1, static_cast<int>(t / 3600), static_cast<int>(t / 60 % 60),
                              static_cast<int>(t % 60), "hh:nn:ss");
}

}  // namespace

void Check_Click(int Index) {
  QVL& f = Qvl();
  if (!f.Check.exists(Index)) return;
  if (f.Check(Index).clickedByUser()) f.Optn(6).setValue(true);
  switch (Index) {
    case 2:
      Retrace_Zoom = false;
      if (f.Check(2).value() == 1) {
        Retrace_Zoom = true;
        Retrace(0);
      } else {
        Czoom_Click(0);
        Czoom_Click(1);
      }
      break;
    case 3:
      f.GrilleRefP.setBackColor(f.Check(3).value() == 1 ? kVertGrille : kGrisStatArret);
      Calcul_stat();
      break;
    default:
      break;
  }
}

void Check3_Click() {
  QVL& f = Qvl();
  if (f.Check3.value() == 1) {
    Mode_InsTexte = true;
    f.Picture2.setWidth(f.picbase.width());
    f.Picture2.setHeight(f.picbase.height());
  } else if (!f.CalSrc(1).checked()) {
    Mode_InsTexte = false;
  }
}

void CheckExpert_Click() {
  QVL& f = Qvl();
  CasesCouleur cases;
  cases.expert = f.CheckExpert.value() == 1;
  cases.calibreActif = f.CheckCalibre.enabled();
  cases.calibre = f.CheckCalibre.value() == 1;
  Applique_Mode_Expert(cases);
  f.CheckCalibre.setEnabled(cases.calibreActif);
  if (!cases.calibre) f.CheckCalibre.setValue(0);
}

void CalSrc_Click(int) {
  QVL& f = Qvl();
  platform::MenuItem& item = f.CalSrc(1);
  item.setChecked(!item.checked());
  Mode_InsTexte = item.checked();
}

void MonthView1_DateClick() {
  QVL& f = Qvl();
  f.Text9.setText(platform::ShortDateText(f.MonthView1.value()));
  f.Text9.setText(f.Text9.text() + " " + Heure_Courante());
}

void Mndecim_Click(int Index) {
  if (Index < 0 || Index > 4) return;
  Coche_Seul(Qvl().Mndecim, 0, 4, Index);
  if (Index == 0) {
    FDecimAuto = true;
    return;
  }
  FDecimAuto = false;
  Format_Decimal = kMasquesDecimales[Index - 1];
}

void Coche_Decimales() {
  int item = -1;
  if (FDecimAuto) {
    item = 0;
  } else {
    for (int i = 1; i <= 4; ++i) {
      if (Format_Decimal == kMasquesDecimales[i - 1]) item = i;
    }
  }
  Coche_Seul(Qvl().Mndecim, 0, 4, item);
}

void Lrg_Click(int Index) {
  if (Index < 1 || Index > kMaxZone) return;
  QVL& f = Qvl();
  Taille_Zone = 1 << Index;
  ZoneCouleur = Index;
  f.VScroll3(0).setValue(Index);
  Coche_Seul(f.Lrg, 1, kMaxZone, Index);
}

void TgrilleMax_Click(int Index) {
  if (Index < 0 || Index > kMaxTaille) return;
  QVL& f = Qvl();
  const int taille = std::min(64 << Index, kDerniereLigneTable);
  // Rows holding data: the finished ones and the one being measured.
  const int pleines = std::max(0, LigneCourante - 1) + (EtapeClic > 1 ? 1 : 0);
  if (taille < pleines) {
    platform::MsgBox("Taille grille " + f.TgrilleMax(Index).caption() + " : la grille contient déjà " +
                         std::to_string(pleines) + " lignes",
                     platform::vbExclamation);
    return;
  }
  Coche_Seul(f.TgrilleMax, 0, kMaxTaille, Index);
  Taille_Grille = taille;
  f.GrilleRef.setRows(Taille_Grille + 1);
}

void mnFormat_Click(int Index) {
  if (Index != 0 && Index != 1) return;
  Coche_Seul(Qvl().mnFormat, 0, 1, Index);
  Ext_Export = Index == 0 ? "csv" : "txt";
}

void VScroll3_Change(int) {
  QVL& f = Qvl();
  const int v = f.VScroll3(0).value();
  if (v >= 0 && v <= kMaxCote16 && f.Label8.exists(1)) {
    const std::string n = std::to_string(4 << v);
    f.Label8(1).setCaption(n + "x" + n);
  }
  Lrg_Click(v);
}

void NotExp_Click(int Index) {
  if (Index < 1 || Index > kMaxNotation) return;
  Coche_Seul(Qvl().NotExp, 1, kMaxNotation, Index);
}

void Frame_MouseMove(int Index, int Button, int, double X, double Y) {
  if (Button != 1 || !Cadre_Deplacable(Index)) return;
  if (!std::isfinite(X) || !std::isfinite(Y)) return;
  QVL& f = Qvl();
  if (!f.Frame.exists(Index)) return;
  platform::Frame& cadre = f.Frame(Index);
  cadre.setLeft(X * 1.2 + cadre.left() / 2);
  cadre.setTop(Y * 1.2 + cadre.top() / 2);
}

void cmd_Ch_Click() {
  Calcul_stat();
  NbLignes_Ajust = LigneCourante - 1;
  ShowColourWindow();
}

void Connecte_Options(QVL& f) {
  f.Check.onClick = [](int i) { Check_Click(i); };
  f.Check3.onClick = [] { Check3_Click(); };
  f.CheckExpert.onClick = [] { CheckExpert_Click(); };
  f.CalSrc->onClick = [](int i) { CalSrc_Click(i); };
  f.MonthView1.onDateClick = [] { MonthView1_DateClick(); };
  f.Mndecim->onClick = [](int i) { Mndecim_Click(i); };
  f.Lrg->onClick = [](int i) { Lrg_Click(i); };
  f.TgrilleMax->onClick = [](int i) { TgrilleMax_Click(i); };
  f.mnFormat->onClick = [](int i) { mnFormat_Click(i); };
  f.VScroll3.onChange = [](int i) { VScroll3_Change(i); };
  f.NotExp->onClick = [](int i) { NotExp_Click(i); };
  f.Frame.onMouseMove = [](int i, int b, int s, double x, double y) { Frame_MouseMove(i, b, s, x, y); };
  f.cmd_Ch.onClick = [] { cmd_Ch_Click(); };
  f.Command4.onClick = [] { Image_Temporaire(); };
  f.Command5.onClick = [] { Mntool_Click(4); };
  f.cmdTest.onClick = [] { Affiche_Fen_Illust(); };
}
