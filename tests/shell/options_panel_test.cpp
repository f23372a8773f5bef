// The option boxes, option menus, panel dragging and small buttons on the real window.
#include "shell/options_panel.h"

#include <QCheckBox>
#include <QDate>
#include <QLocale>
#include <QTimer>

#include <cmath>

#include "colour/colour_state.h"
#include "colour/colour_window.h"
#include "forms/colour_window.h"
#include "images/image_state.h"
#include "measure/grid_statistics.h"
#include "platform/app.h"
#include "platform/events.h"
#include "shell/program_folder.h"
#include "support/user_input.h"

namespace {

class Options : public ProgramFolder {
 protected:
  void SetUp() override {
    ProgramFolder::SetUp();
    QVL& f = Qvl();
    check2_ = f.Check(2).value();
    check3_ = f.Check(3).value();
    texte_ = Mode_InsTexte;
    retrace_ = Retrace_Zoom;
    calsrc_ = f.CalSrc(1).checked();
    for (int i = 6; i <= 14; ++i) {
      if (f.Frame.exists(i)) cadres_[i] = {f.Frame(i).left(), f.Frame(i).top()};
    }
  }
  void TearDown() override {
    QVL& f = Qvl();
    f.Check(2).setValue(check2_);
    f.Check(3).setValue(check3_);
    f.Check3.setValue(0);
    f.CalSrc(1).setChecked(calsrc_);
    Mode_InsTexte = texte_;
    Retrace_Zoom = retrace_;
    for (int i = 6; i <= 14; ++i) {
      if (f.Frame.exists(i)) f.Frame(i).move(cadres_[i].x, cadres_[i].y);
    }
    platform::setClock(nullptr);
    ProgramFolder::TearDown();
  }
  // A click of the user on box i of the Check array.
  static void userClick(int i) { user::click(Qvl().Check(i)); }
  static int ticks(const MenuArr& m, int lo, int hi, int* which) {
    int n = 0;
    for (int i = lo; i <= hi; ++i) {
      if (m(i).checked()) {
        ++n;
        *which = i;
      }
    }
    return n;
  }

  struct Pos {
    double x = 0, y = 0;
  };
  int check2_ = 0, check3_ = 1;
  bool texte_ = false, retrace_ = true, calsrc_ = false;
  Pos cadres_[15];
};

// A clock at a fixed time of day.
class PinnedClock : public platform::Clock {
 public:
  explicit PinnedClock(double s) : s_(s) {}
  double monotonicSeconds() override { return 0; }
  double secondsSinceMidnight() override { return s_; }

 private:
  double s_;
};

TEST_F(Options, SampleSizeMenu) {
  QVL& f = Qvl();
  const int tailles[] = {0, 2, 4, 8, 16, 32, 64};
  for (int k = 1; k <= 6; ++k) {
    Lrg_Click(k);
    int coche = 0;
    EXPECT_EQ(Taille_Zone, tailles[k]) << k;
    EXPECT_EQ(ZoneCouleur, k);
    EXPECT_EQ(f.VScroll3(0).value(), k);
    EXPECT_EQ(ticks(f.Lrg, 1, 6, &coche), 1) << k;
    EXPECT_EQ(coche, k);
  }
  for (int k : {0, 7, -1}) {
    Lrg_Click(k);
    int coche = 0;
    EXPECT_EQ(Taille_Zone, 64) << k;
    EXPECT_EQ(ZoneCouleur, 6);
    EXPECT_EQ(ticks(f.Lrg, 1, 6, &coche), 1);
    EXPECT_EQ(coche, 6);
  }
  // The menu item itself.
  f.Lrg(3).onClick();
  EXPECT_EQ(Taille_Zone, 8);
  EXPECT_EQ(ZoneCouleur, 3);
}

TEST_F(Options, DecimalsMenuAndItsTick) {
  QVL& f = Qvl();
  const char* const masques[] = {"", "###0", "###0.0", "###0.00", "###0.000"};
  for (int i = 1; i <= 4; ++i) {
    Mndecim_Click(0);
    EXPECT_TRUE(FDecimAuto);
    f.Mndecim(i).onClick();
    int coche = -1;
    EXPECT_FALSE(FDecimAuto) << i;
    EXPECT_EQ(Format_Decimal, masques[i]);
    EXPECT_EQ(ticks(f.Mndecim, 0, 4, &coche), 1);
    EXPECT_EQ(coche, i);
  }
  // The tick follows the state in force, whoever set it.
  struct Cas {
    bool automatique;
    const char* masque;
    int coche;  // -1: none
  };
  const Cas cas[] = {{true, "###0.0", 0}, {false, "###0.0", 2}, {false, "###0.000", 4}, {false, "0.00", -1}};
  for (const Cas& c : cas) {
    FDecimAuto = c.automatique;
    Format_Decimal = c.masque;
    Coche_Decimales();
    int coche = -1;
    EXPECT_EQ(ticks(f.Mndecim, 0, 4, &coche), c.coche < 0 ? 0 : 1) << c.masque;
    if (c.coche >= 0) {
      EXPECT_EQ(coche, c.coche) << c.masque;
    }
  }
  // After the settings are read.
  readSettings({"FDECIMAL= ###0.0", "DECIMAUTO= FAUX"});
  int coche = -1;
  EXPECT_EQ(ticks(f.Mndecim, 0, 4, &coche), 1);
  EXPECT_EQ(coche, 2);
  readSettings({"FDECIMAL= ###0.0", "DECIMAUTO= VRAI"});
  EXPECT_EQ(ticks(f.Mndecim, 0, 4, &coche), 1);
  EXPECT_EQ(coche, 0);
}

TEST_F(Options, NotationMenu) {
  QVL& f = Qvl();
  for (int k = 1; k <= 6; ++k) {
    f.NotExp(k).onClick();
    int coche = 0;
    EXPECT_EQ(ticks(f.NotExp, 1, 6, &coche), 1);
    EXPECT_EQ(coche, k);
  }
  NotExp_Click(0);
  NotExp_Click(7);
  int coche = 0;
  EXPECT_EQ(ticks(f.NotExp, 1, 6, &coche), 1);
  EXPECT_EQ(coche, 6);
}

TEST_F(Options, CalendarWritesShortDateAndClockTime) {
  QVL& f = Qvl();
  platform::setClock(std::make_unique<PinnedClock>(13 * 3600 + 5 * 60 + 9.7));
  ASSERT_TRUE(f.MonthView1.setValue({2024, 2, 29}));
  f.MonthView1.onDateClick();
  // The French program's short date, whatever the system's locale.
  ASSERT_EQ(platform::App::programLanguage(), "fr");
  EXPECT_EQ(f.Text9.text(), "29/02/2024 13:05:09");
}

TEST_F(Options, OnlyTheUsersClickSelectsBipoint) {
  QVL& f = Qvl();
  readSettings({"PALMER=VRAI", "AUTORETRACE=VRAI"});
  ASSERT_TRUE(AutoRetrace);
  // As the activation sets the box from code.
  f.Check(2).setValue(0);
  f.Check(2).setValue(1);
  EXPECT_TRUE(Retrace_Zoom);
  EXPECT_TRUE(f.Optn(5).value());
  EXPECT_EQ(Palmer, 2);
  for (int i : {1, 3, 4}) {
    f.Check(i).setValue(f.Check(i).value() == 1 ? 0 : 1);
    f.Check(i).setValue(f.Check(i).value() == 1 ? 0 : 1);
  }
  EXPECT_TRUE(f.Optn(5).value());
  EXPECT_EQ(Palmer, 2);
  userClick(2);
  EXPECT_EQ(f.Check(2).value(), 0);
  EXPECT_FALSE(Retrace_Zoom);
  EXPECT_TRUE(f.Optn(6).value());
  EXPECT_FALSE(f.Optn(5).value());
  EXPECT_EQ(Palmer, 1);
  f.Frame(12).setVisible(false);   // no preview left over it by an earlier test
  f.Frame(9).setVisible(true);     // the welcome panel holds box 4
  for (int i : {1, 4}) {
    f.Optn(5).setValue(true);
    userClick(i);
    EXPECT_TRUE(f.Optn(6).value()) << i;
    EXPECT_EQ(Palmer, 1) << i;
  }
}

TEST_F(Options, StatisticsBoxColoursTheStatisticsGrid) {
  QVL& f = Qvl();
  f.Check(3).setValue(1);
  f.Check(3).setValue(0);
  EXPECT_EQ(f.GrilleRefP.backColor(), 0xE0E0E0u);
  f.Check(3).setValue(1);
  EXPECT_EQ(f.GrilleRefP.backColor(), 0xC0FFC0u);
  EXPECT_EQ(f.GrilleRefP.textMatrix(1, 0), "Moy");
}

TEST_F(Options, TextInsertionAndReferenceToggle) {
  QVL& f = Qvl();
  f.CalSrc(1).setChecked(false);
  Mode_InsTexte = false;
  f.Check3.setValue(1);
  EXPECT_TRUE(Mode_InsTexte);
  EXPECT_EQ(f.Picture2.width(), f.picbase.width());
  EXPECT_EQ(f.Picture2.height(), f.picbase.height());
  f.Check3.setValue(0);
  EXPECT_FALSE(Mode_InsTexte);
  // Any item of the menu inverts item 1; the mode follows it.
  f.CalSrc(2).onClick();
  EXPECT_TRUE(f.CalSrc(1).checked());
  EXPECT_TRUE(Mode_InsTexte);
  f.Check3.setValue(1);
  f.Check3.setValue(0);
  EXPECT_TRUE(Mode_InsTexte);   // the reference toggle keeps it
  f.CalSrc(1).onClick();
  EXPECT_FALSE(f.CalSrc(1).checked());
  EXPECT_FALSE(Mode_InsTexte);
}

TEST_F(Options, ExpertModeGovernsCalibre) {
  QVL& f = Qvl();
  const bool expert = Mode_Expert, valide = Correction_Valide;
  struct Cas {
    bool modeExpert, correction;
    int coche;
    bool actif;
  };
  const Cas cas[] = {{false, true, 0, false}, {false, true, 1, true}, {true, false, 1, false}, {true, true, 0, true}};
  for (const Cas& c : cas) {
    Mode_Expert = c.modeExpert;
    Correction_Valide = c.correction;
    f.CheckCalibre.setEnabled(true);
    f.CheckExpert.setValue(c.coche == 1 ? 0 : 1);
    f.CheckExpert.setValue(c.coche);
    EXPECT_EQ(f.CheckCalibre.enabled(), c.actif) << c.modeExpert << c.correction << c.coche;
  }
  f.CheckExpert.setValue(0);
  Mode_Expert = expert;
  Correction_Valide = valide;
  f.CheckCalibre.setEnabled(false);
}

TEST_F(Options, DraggingMovesFramesSixToThirteenExceptEleven) {
  QVL& f = Qvl();
  for (int i = 6; i <= 14; ++i) {
    if (!f.Frame.exists(i)) continue;
    f.Frame(i).move(3000, 1500);
    f.Frame.onMouseMove(i, 1, 0, 300, 150);
    const bool bouge = i != 11 && i != 14;
    EXPECT_DOUBLE_EQ(f.Frame(i).left(), bouge ? 1860 : 3000) << i;   // 300 x 1.2 + 3000 / 2
    EXPECT_DOUBLE_EQ(f.Frame(i).top(), bouge ? 930 : 1500) << i;     // 150 x 1.2 + 1500 / 2
    // Another button, or no position, leaves it.
    f.Frame(i).move(3000, 1500);
    Frame_MouseMove(i, 2, 0, 300, 150);
    Frame_MouseMove(i, 1, 0, NAN, 150);
    EXPECT_DOUBLE_EQ(f.Frame(i).left(), 3000) << i;
  }
}

TEST_F(Options, AjusterCountsTheFinishedRows) {
  const int ligne = LigneCourante;
  LigneCourante = 5;
  // The colour-match window opens modal; closing it returns here.
  QTimer::singleShot(0, [] {
    EXPECT_TRUE(ColourWindow().visible());
    UnloadColourWindow();
  });
  QVL& f = Qvl();
  f.FraCharte.setVisible(true);   // the colour function's band holds "Ajuster"
  ASSERT_TRUE(user::click(f.cmd_Ch));
  f.FraCharte.setVisible(false);
  EXPECT_EQ(NbLignes_Ajust, 4);
  EXPECT_FALSE(ColourWindow().isLoaded());
  ForgetColourWindow();
  LigneCourante = ligne;
}

}  // namespace

namespace {

class GridOptions : public Options {
 protected:
  void SetUp() override {
    Options::SetUp();
    ligne_ = LigneCourante;
    etape_ = EtapeClic;
    taille_ = Taille_Grille;
    rows_ = Qvl().GrilleRef.rows();
    ext_ = Ext_Export;
    label_ = Qvl().Label8(1).caption();
    zone_ = ZoneCouleur;
  }
  void TearDown() override {
    QVL& f = Qvl();
    LigneCourante = ligne_;
    EtapeClic = etape_;
    Taille_Grille = taille_;
    f.GrilleRef.setRows(rows_);
    Ext_Export = ext_;
    Lrg_Click(zone_);
    f.Label8(1).setCaption(label_);
    Options::TearDown();
  }
  int ligne_ = 1, etape_ = 1, taille_ = 3000, rows_ = 1, zone_ = 3;
  std::string ext_, label_;
};

TEST_F(GridOptions, GridSizeItems) {
  QVL& f = Qvl();
  LigneCourante = 1;
  EtapeClic = 1;
  const int tailles[] = {64, 128, 256, 512, 1024, 2048, 3000};
  for (int k : {6, 0, 3, 1, 2, 4, 5, 6}) {
    user::click(f.TgrilleMax(k));
    int coche = -1;
    EXPECT_EQ(Taille_Grille, tailles[k]) << k;
    EXPECT_EQ(f.GrilleRef.rows(), tailles[k] + 1) << k;
    EXPECT_EQ(ticks(f.TgrilleMax, 0, 6, &coche), 1) << k;
    EXPECT_EQ(coche, k);
  }
}

TEST_F(GridOptions, GridSizeBelowTheMeasuredRowsIsRefused) {
  QVL& f = Qvl();
  LigneCourante = 1;
  user::click(f.TgrilleMax(3));   // 512
  f.GrilleRef.setTextMatrix(100, 0, "100");
  LigneCourante = 101;   // 100 finished rows
  EtapeClic = 1;
  auto* d = static_cast<platform::ScriptedDialogs*>(&platform::dialogs());
  d->answerMsgBox(platform::vbOK);
  user::click(f.TgrilleMax(0));   // 64 < 100
  ASSERT_EQ(d->log().size(), 1u);
  EXPECT_EQ(d->log().back().text, "Taille grille 63 : la grille contient déjà 100 lignes");
  int coche = -1;
  EXPECT_EQ(Taille_Grille, 512);
  EXPECT_EQ(f.GrilleRef.rows(), 513);
  EXPECT_EQ(ticks(f.TgrilleMax, 0, 6, &coche), 1);
  EXPECT_EQ(coche, 3);
  EXPECT_EQ(f.GrilleRef.textMatrix(100, 0), "100");
  // 128 holds the 100 rows, which stay.
  user::click(f.TgrilleMax(1));
  EXPECT_EQ(Taille_Grille, 128);
  EXPECT_EQ(f.GrilleRef.textMatrix(100, 0), "100");
  // A row being measured counts: 128 finished rows and a 129th under way.
  LigneCourante = 129;
  EtapeClic = 2;
  user::click(f.TgrilleMax(2));
  d->answerMsgBox(platform::vbOK);
  user::click(f.TgrilleMax(1));
  EXPECT_EQ(Taille_Grille, 256);
  EXPECT_TRUE(d->unanswered().empty());
}

TEST_F(GridOptions, ExportFormat) {
  QVL& f = Qvl();
  const char* const types[] = {"csv", "txt"};
  for (int k : {1, 0, 1}) {
    user::click(f.mnFormat(k));
    int coche = -1;
    EXPECT_EQ(Ext_Export, types[k]);
    EXPECT_EQ(ticks(f.mnFormat, 0, 1, &coche), 1);
    EXPECT_EQ(coche, k);
  }
}

TEST_F(GridOptions, ColourZoneScrollBar) {
  QVL& f = Qvl();
  const char* const cotes[] = {"", "8x8", "16x16", "32x32", "64x64", "128x128", "256x256"};
  for (int v : {6, 1, 2, 3, 4, 5, 6, 2}) {
    f.VScroll3(0).setValue(v);
    int coche = 0;
    EXPECT_EQ(f.Label8(1).caption(), cotes[v]) << v;
    EXPECT_EQ(ZoneCouleur, v);
    EXPECT_EQ(Taille_Zone, 1 << v);
    EXPECT_EQ(ticks(f.Lrg, 1, 6, &coche), 1);
    EXPECT_EQ(coche, v);
  }
  // A side beyond 16 bits leaves the label; the size step still runs (and refuses 14).
  f.VScroll3(0).setMax(20);
  f.VScroll3(0).setValue(14);
  EXPECT_EQ(f.Label8(1).caption(), "16x16");
  EXPECT_EQ(ZoneCouleur, 2);
  f.VScroll3(0).setValue(12);
  EXPECT_EQ(f.Label8(1).caption(), "16384x16384");
  f.VScroll3(0).setValue(5);
  EXPECT_EQ(ZoneCouleur, 5);
  f.VScroll3(0).setMax(6);
}

}  // namespace
