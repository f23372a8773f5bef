// The statistics window on the real windows (offscreen): opened modal from the main
// window, activated on the grid's data, its panels, captions, menus and closing.
#include <gtest/gtest.h>

#include <unistd.h>

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <filesystem>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "base/globals.h"
#include "base/text_tables.h"
#include "forms/main_window.h"
#include "forms/stat_window.h"
#include "images/image_state.h"
#include "measure/measure_state.h"
#include "platform/clipboard.h"
#include "platform/colour.h"
#include "platform/dialogs.h"
#include "platform/events.h"
#include "platform/picture.h"
#include "platform/runtime.h"
#include "shell/button_bar.h"
#include "shell/function_switch.h"
#include "shell/language.h"
#include "statwindow/panel_layout.h"
#include "statwindow/stat_state.h"
#include "statwindow/stat_window.h"
#include "statwindow/stat_window_fixture.h"
#include "support/user_input.h"

namespace {

// Which panel each first view opens, and the window's size for it.
TEST_F(StatWindowTest, ButtonOpensTheFirstViewModalOverTheMainWindow) {
  const struct {
    int vue;
    int panneau;
    double largeur, hauteur;
    int mode;
    bool parMenu;
    bool parCaseFermeture;
  } cases[] = {{1, 1, 11612, 9600, 0, false, false},
               {2, 1, 11612, 9600, -1, true, true},
               {3, 2, 11700, 8600, 0, false, true},
               {4, 3, 7052, 5555, 0, true, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE("STATDEF " + std::to_string(c.vue));
    grid(2, kTroisSpores);
    Vue_Stat = c.vue;
    Qvl().GrilleRefP.setTextMatrix(1, 1, "-");
    whileOpen(c.parMenu ? openWithToolsMenu : openWithButton, [&](FenHisto& f) {
      EXPECT_EQ(f.left(), 3500);
      EXPECT_EQ(f.top(), 2000);
      EXPECT_EQ(f.width(), c.largeur);
      EXPECT_EQ(f.height(), c.hauteur);
      // The grid statistics were recomputed: the mean length of the three rows.
      EXPECT_EQ(Qvl().GrilleRefP.textMatrix(1, 1), "10,47");
      for (int p = 1; p <= 6; ++p) EXPECT_EQ(f.stcadre(p).visible(), p == c.panneau) << p;
      EXPECT_EQ(f.stcadre(7).visible(), c.panneau >= 3);
      if (c.panneau == 1) {
        EXPECT_EQ(Mode_Histogramme, c.mode);
      }
      EXPECT_EQ(f.Mnstat6(1).enabled(), c.panneau == 2 || c.panneau == 3);
      if (c.vue == 4) {
        // The test frame holds the one-sample panel whole.
        EXPECT_EQ(f.stcadre(7).width(), 6852);
        EXPECT_EQ(f.stcadre(7).height(), 4655);
      }
    }, c.parCaseFermeture ? std::function<void()>([] { StatWindow().window()->close(); })
                          : std::function<void()>([] { Quitte_Stat(); }));
  }
  EXPECT_TRUE(dialogLog().empty());
}

TEST_F(StatWindowTest, CloseItemUnloadsWithoutAQuestion) {
  grid(2, kTroisSpores);
  Vue_Stat = 1;
  whileOpen(openWithButton, [](FenHisto& f) { EXPECT_EQ(f.Mnstat(15).caption(), "Fermer Numerax"); },
            [] { user::click(StatWindow().Mnstat(15)); });
  EXPECT_TRUE(dialogLog().empty());
}

TEST_F(StatWindowTest, SeriesAndAxesFromTheGridHeadings) {
  grid(2, kTroisSpores);
  Vue_Stat = 2;
  whileOpen(openWithButton, [](FenHisto& f) {
    const char* titres[] = {"Long.", "Larg.", "Q", "V"};
    for (int i = 0; i <= 6; ++i) {
      const std::string attendu = i < 4 ? titres[i] : "";
      EXPECT_EQ(f.Histcmd(i).caption(), attendu) << i;
      EXPECT_EQ(f.ChkH(i).caption(), attendu) << i;
      if (i < 4) {
        EXPECT_EQ(f.ChkH(i).foreColor(), platform::QBColor(i + 1)) << i;
      }
      EXPECT_EQ(f.Histcmd(i).enabled(), i == 0) << i;
    }
    EXPECT_EQ(f.Histcmd(2).width(), 750);
    EXPECT_EQ(f.List1.listCount(), 4);
    EXPECT_EQ(f.Text2Hist(0).text(), "Long.");
    EXPECT_EQ(f.Text2Hist(1).text(), "Larg.");
    EXPECT_EQ(Colonnes_Nuage(0), 1);
    EXPECT_EQ(Colonnes_Nuage(1), 2);
    EXPECT_EQ(f.Text1histo.text(), "5");
    EXPECT_EQ(Nb_Classes, 5);
    EXPECT_EQ(f.VScroll1Hist.value(), 5);
    EXPECT_TRUE(f.MOption1(0).value());
    EXPECT_EQ(f.MVScroll2(3).value(), 1);
    EXPECT_EQ(f.MCheck1(0).value(), Auto_Pdms ? 1 : 0);
    EXPECT_FALSE(f.Framehist(1).visible());
  });
}

TEST_F(StatWindowTest, SingleSegmentUsesColumnOneOnBothAxes) {
  grid(1, {{"12,5"}, {"13"}});
  Vue_Stat = 1;
  whileOpen(openWithButton, [](FenHisto& f) {
    EXPECT_EQ(f.List1.listCount(), 1);
    EXPECT_EQ(f.Text2Hist(0).text(), "Longueur");
    EXPECT_EQ(f.Text2Hist(1).text(), "Longueur");
    EXPECT_EQ(Colonnes_Nuage(0), 1);
    EXPECT_EQ(Colonnes_Nuage(1), 1);
  });
}

TEST_F(StatWindowTest, EightValueColumnsGiveSevenSeriesAndEightNames) {
  grid(6, {{"40", "8", "6", "5", "3", "0,8", "0,6", "0,7"}});
  Vue_Stat = 2;
  std::vector<std::string> titres;
  for (int c = 1; c <= 8; ++c) titres.push_back(Qvl().GrilleRef.textMatrix(0, c));
  for (int fois = 0; fois < 3; ++fois) {
    whileOpen(fois == 1 ? openWithToolsMenu : openWithButton, [&](FenHisto& f) {
      for (int i = 0; i <= 6; ++i) EXPECT_EQ(f.ChkH(i).caption(), titres[static_cast<size_t>(i)]) << i;
      ASSERT_EQ(f.List1.listCount(), 8);
      std::set<std::string> noms;
      for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(f.List1.list(i), titres[static_cast<size_t>(i)]);
        noms.insert(f.List1.list(i));
      }
      EXPECT_EQ(noms.size(), 8u);
      // An activation without closing (another window of the program closed) does
      // not list the columns twice.
      FenHisto_Form_Activate();
      EXPECT_EQ(f.List1.listCount(), 8);
    });
  }
}

TEST_F(StatWindowTest, ReopeningResetsClassesAndAxes) {
  grid(2, kTroisSpores);
  Vue_Stat = 1;
  whileOpen(openWithButton, [](FenHisto& f) {
    f.Text1histo.setText("9");
    f.VScroll1Hist.setValue(12);
    Colonnes_Nuage(0) = 4;
    Colonnes_Nuage(1) = 3;
    f.Text2Hist(0).setText("V");
    Mode_Histogramme = -1;
  });
  whileOpen(openWithButton, [](FenHisto& f) {
    EXPECT_EQ(f.Text1histo.text(), "5");
    EXPECT_EQ(f.VScroll1Hist.value(), 5);
    EXPECT_EQ(Colonnes_Nuage(0), 1);
    EXPECT_EQ(Colonnes_Nuage(1), 2);
    EXPECT_EQ(f.Text2Hist(0).text(), "Long.");
    EXPECT_EQ(Mode_Histogramme, 0);
  });
}

TEST_F(StatWindowTest, OneMeasuredRowAsksNothing) {
  for (int vue : {3, 1, 2, 4}) {
    grid(2, {{"10,2", "5,1", "2", "276,8"}});
    Vue_Stat = vue;
    whileOpen(openWithButton, [](FenHisto&) {});
  }
  grid(2, {});
  Vue_Stat = 3;
  whileOpen(openWithButton, [](FenHisto& f) { EXPECT_EQ(f.List1.listCount(), 4); });
  EXPECT_TRUE(dialogLog().empty()) << dialogLog().front();
}

TEST_F(StatWindowTest, ChartCopyPutsThePictureOnTheClipboard) {
  grid(2, kTroisSpores);
  Vue_Stat = 1;
  whileOpen(openWithButton, [](FenHisto& f) {
    platform::Clipboard::setText("avant");
    f.HistPicHist.scale();   // back to twips from the chart's own scale
    f.HistPicHist.line(0, 0, 3000, 3000, platform::RGB(255, 0, 0));
    user::click(f.Cmd_Copyboard(2));
    ASSERT_TRUE(platform::Clipboard::hasImage());
    const platform::Picture p = platform::Clipboard::getImage();
    EXPECT_EQ(p.widthPixels(), f.HistPicHist.canvasWidthPixels());
    EXPECT_EQ(p.heightPixels(), f.HistPicHist.canvasHeightPixels());
    EXPECT_EQ(p.pixel(100, 100), platform::RGB(255, 0, 0));
    EXPECT_FALSE(platform::Clipboard::hasText());
    // The diagram's copy takes MHistPic.
    Init_cadrage_frames(2);
    user::click(f.Cmd_Copyboard(1));
    EXPECT_EQ(platform::Clipboard::getImage().widthPixels(), f.MHistPic.canvasWidthPixels());
  });
}

// The chart's save button writes the chart as a BMP file named after the chart shown.
TEST_F(StatWindowTest, ChartSaveWritesTheChartAsABmpFile) {
  grid(2, kTroisSpores);
  Vue_Stat = 1;
  const std::string dossier = Rep_Data;
  const std::filesystem::path tmp =
      std::filesystem::temp_directory_path() / ("qv-chart-" + std::to_string(::getpid()));
  std::filesystem::create_directories(tmp);
  Rep_Data = tmp.string();
  const int histogramme = Mode_Histogramme;
  const std::string nom = Qvl().labNomFic.caption();
  Qvl().labNomFic.setCaption("");
  whileOpen(openWithButton, [&](FenHisto& f) {
    Mode_Histogramme = -1;
    f.HistPicHist.scale();   // back to twips from the chart's own scale
    f.HistPicHist.line(0, 0, 3000, 3000, platform::RGB(255, 0, 0));
    dialogs_->answerSave((tmp / "h.bmp").string());
    user::click(f.CmdHist(0));
    ASSERT_FALSE(dialogs_->log().empty());
    EXPECT_EQ(dialogs_->log().back().request.fileName, "ecran_Histogramme.bmp");
    const platform::Picture p = platform::Picture::load((tmp / "h.bmp").string());
    ASSERT_FALSE(p.isNull());
    EXPECT_EQ(p.widthPixels(), f.HistPicHist.canvasWidthPixels());
    EXPECT_EQ(p.heightPixels(), f.HistPicHist.canvasHeightPixels());
    EXPECT_EQ(p.pixel(100, 100), platform::RGB(255, 0, 0));
  });
  Mode_Histogramme = histogramme;
  Qvl().labNomFic.setCaption(nom);
  Rep_Data = dossier;
  std::filesystem::remove_all(tmp);
}

// With an image named, the charts' "Sauver" and the scatter panel's "copie écran" are
// named after the chart; in the work-area mode the copy saves the chart shown, not the
// diagram of the other panel.
TEST_F(StatWindowTest, ChartCopiesAreNamedAfterTheChartAndSaveIt) {
  grid(2, kTroisSpores);
  Vue_Stat = 1;
  const std::string dossier = Rep_Data;
  const std::filesystem::path tmp =
      std::filesystem::temp_directory_path() / ("qv-copy-" + std::to_string(::getpid()));
  std::filesystem::create_directories(tmp);
  Rep_Data = tmp.string();
  const std::string nom = Qvl().labNomFic.caption();
  Qvl().labNomFic.setCaption("lame 1.bmp");
  Img_Active = "/images/lame 1.bmp";
  const bool ecran = Qvl().Mn_Copie_Ecran(1).checked();
  ASSERT_TRUE(user::choose(Qvl().Mn_Copie_Ecran(2)));
  whileOpen(openWithButton, [&](FenHisto& f) {
    f.Mnstat(1).click();
    ASSERT_EQ(Mode_Histogramme, 0);
    f.HistPicHist.scale();
    f.HistPicHist.line(0, 0, 3000, 3000, platform::RGB(255, 0, 0));
    dialogs_->answerSave((tmp / "n.bmp").string());
    ASSERT_TRUE(user::click(f.cmdCopie_Ecran));
    ASSERT_FALSE(dialogs_->log().empty());
    EXPECT_EQ(dialogs_->log().back().request.fileName, "ecran_Nuage.bmp");
    const platform::Picture p = platform::Picture::load((tmp / "n.bmp").string());
    ASSERT_FALSE(p.isNull());
    EXPECT_EQ(p.widthPixels(), f.HistPicHist.canvasWidthPixels());
    EXPECT_EQ(p.heightPixels(), f.HistPicHist.canvasHeightPixels());
    EXPECT_EQ(p.pixel(100, 100), platform::RGB(255, 0, 0));
    // The histogram's "Sauver".
    ASSERT_TRUE(user::click(f.CmdHist1(0)));
    ASSERT_NE(Mode_Histogramme, 0);
    dialogs_->answerSave((tmp / "h.bmp").string());
    ASSERT_TRUE(user::click(f.CmdHist(0)));
    EXPECT_EQ(dialogs_->log().back().request.fileName, "ecran_Histogramme.bmp");
    EXPECT_TRUE(std::filesystem::exists(tmp / "h.bmp"));
  });
  Qvl().Mn_Copie_Ecran(ecran ? 1 : 2).click();
  Qvl().labNomFic.setCaption(nom);
  Img_Active.clear();
  Rep_Data = dossier;
  std::filesystem::remove_all(tmp);
}

TEST_F(StatWindowTest, CaptionsComeFromTheTextTables) {
  grid(2, kTroisSpores);
  Vue_Stat = 3;
  whileOpen(openWithButton, [](FenHisto& f) {
    EXPECT_EQ(f.lblMoyenne(6).caption(), "Effectif");
    EXPECT_EQ(f.lblMoyenne(10).caption(), "Colonne");
    EXPECT_EQ(f.lblNbDe(15).caption(), "Nb de Classes");
    EXPECT_EQ(f.Mnstat(1).caption(), "Nuage Pts");
    EXPECT_EQ(f.Mnstat(5).caption(), "");
    EXPECT_EQ(f.Mnstat(7).caption(), "Options");
    EXPECT_EQ(f.Mnstat6(1).caption(), "Sauver trame extraite");
    EXPECT_EQ(f.Framehist(3).caption(), "Nuage de Points");
    EXPECT_EQ(f.Command3(3).caption(), "Fermer");
    EXPECT_EQ(f.Command4(2).caption(), "Calcul");
    EXPECT_EQ(f.Tblcopie(6).caption(), "Copier");
    EXPECT_EQ(f.MFrame1(1).caption(), "");
    EXPECT_EQ(f.Copt(4).caption(), "Aff.Calc");
    EXPECT_EQ(f.ChoixComp(1).caption(), "2 Echant.");
  });
  // A language file's entries retitle the window at its next activation.
  ASSERT_TRUE(ApplyLanguageFile(ParseLanguageFile({"MNUSTAT;", "#1;Scatter", "#21;Classes", "#*;"})));
  whileOpen(openWithButton, [](FenHisto& f) {
    EXPECT_EQ(f.Mnstat(1).caption(), "Scatter");
    EXPECT_EQ(f.CmdHist1(1).caption(), "Scatter");
    EXPECT_EQ(f.lblNbDe(15).caption(), "Classes");
    EXPECT_EQ(f.Mnstat(2).caption(), "Diagramme");
  });
}

TEST_F(StatWindowTest, ExtractSourceFollowsTheExtractList) {
  grid(2, kTroisSpores);
  Vue_Stat = 3;
  Liste_Extrait = "1;3;";
  whileOpen(openWithButton, [](FenHisto& f) { EXPECT_TRUE(f.MOption1(3).enabled()); });
  Liste_Extrait.clear();
  whileOpen(openWithButton, [](FenHisto& f) { EXPECT_FALSE(f.MOption1(3).enabled()); });
}

TEST_F(StatWindowTest, MenusSwitchPanels) {
  grid(2, kTroisSpores);
  Vue_Stat = 4;
  whileOpen(openWithButton, [](FenHisto& f) {
    // Opening the tools or options menu keeps the test panel in view.
    user::click(f.Mnstat(6));
    user::click(f.Mnstat(7));
    EXPECT_TRUE(f.stcadre(7).visible());
    EXPECT_TRUE(f.stcadre(3).visible());
    user::click(f.Mnstat6(5));   // example data: nothing harmful
    user::click(f.Mnstat(1));
    EXPECT_TRUE(f.stcadre(1).visible());
    EXPECT_FALSE(f.stcadre(7).visible());
    EXPECT_TRUE(f.Framehist(0).visible());
    EXPECT_FALSE(f.Framehist(2).visible());
    EXPECT_EQ(Mode_Histogramme, 0);
    EXPECT_EQ(f.width(), 11612);
    user::click(f.Mnstat(2));
    EXPECT_TRUE(f.stcadre(2).visible());
    EXPECT_FALSE(f.stcadre(1).visible());
    EXPECT_TRUE(f.Mnstat6(1).enabled());
    EXPECT_TRUE(f.MFrame1(4).visible());
    EXPECT_EQ(f.MHistPic.left(), 2670);
    EXPECT_EQ(f.MHistPic.width(), 8505);
    EXPECT_EQ(f.MFrame1(6).caption(), "");
    EXPECT_EQ(f.MFrame1(8).left(), 1400);
    EXPECT_EQ(f.width(), 11700);
    // Options > "alertes" inverts its mark.
    EXPECT_TRUE(f.Hopt(1).checked());
    user::click(f.Hopt(1));
    EXPECT_FALSE(f.Hopt(1).checked());
    user::click(f.Hopt(1));
    EXPECT_TRUE(f.Hopt(1).checked());
    // The extract's column bar writes its value.
    f.EVScroll1.setValue(3);
    EXPECT_EQ(f.MText4E.text(), "3");
  });
}

TEST_F(StatWindowTest, LawPanelsAndTheirSizes) {
  FenHisto& f = StatWindow();
  f.load();
  const struct {
    int p;
    double largeur, hauteur;
  } cases[] = {{5, 4775, 3700}, {6, 4775, 3075}, {4, 7050, 5555}, {1, 11612, 9600}};
  for (const auto& c : cases) {
    Init_cadrage_frames(c.p);
    EXPECT_EQ(f.width(), c.largeur) << c.p;
    EXPECT_EQ(f.height(), c.hauteur) << c.p;
    for (int p = 1; p <= 6; ++p) EXPECT_EQ(f.stcadre(p).visible(), p == c.p) << c.p << " " << p;
    EXPECT_EQ(f.stcadre(7).visible(), c.p >= 3) << c.p;
  }
  Init_cadrage_frames(5);
  EXPECT_EQ(f.LNTxt(3).text(), "0,1");
  // The test frame takes the size of the law panel it holds.
  EXPECT_EQ(f.stcadre(7).height(), 2800);
  platform::SetDecimalSeparator('.');
  Init_cadrage_frames(6);
  EXPECT_EQ(f.StText(1).text(), "0.1");
  EXPECT_TRUE(f.StOptTInv(0).value());
  EXPECT_EQ(f.stcadre(7).width(), 4575);
  // Panel 1's layout.
  Init_cadrage_frames(1);
  EXPECT_EQ(f.stcadre(1).caption(), "Nuage de points");
  // At the panels' place, inside the window sized to it.
  EXPECT_EQ(f.stcadre(1).left(), 10);
  EXPECT_EQ(f.Frame2.caption(), "");
  EXPECT_EQ(f.Image_extr.left(), 25000);
  EXPECT_EQ(f.Command12.left(), 9000);
  EXPECT_EQ(f.Command12.top(), 2720);
  EXPECT_EQ(f.HistPicHist.width(), 8500);
  // Another panel number changes nothing.
  Init_cadrage_frames(7);
  Init_cadrage_frames(0);
  EXPECT_TRUE(f.stcadre(1).visible());
  EXPECT_EQ(f.width(), 11612);
  EXPECT_TRUE(f.unload());
}

// A label that records its geometry when its caption is set.
class CaptionProbe : public platform::Label {
 public:
  using platform::Label::Label;
  void setCaption(const std::string& text) override {
    topAtCaption = top();
    heightAtCaption = height();
    platform::Label::setCaption(text);
  }
  double topAtCaption = -1;
  double heightAtCaption = -1;
};

TEST_F(StatWindowTest, ResizingProceduresSetCaptionBeforeOrAfterTheGeometry) {
  FenHisto& f = StatWindow();
  f.load();
  CaptionProbe probe(f.stcadre(8), "probe");
  probe.move(10, 20, 30, 40);
  RedimXnom(probe, "avant", 400, 100, 200, 300);
  EXPECT_EQ(probe.topAtCaption, 20);
  EXPECT_EQ(probe.caption(), "avant");
  EXPECT_EQ(probe.left(), 100);
  EXPECT_EQ(probe.top(), 200);
  EXPECT_EQ(probe.width(), 300);
  EXPECT_EQ(probe.height(), 400);
  RedimFrame(probe, "", 800, 500, 600, 700);
  EXPECT_EQ(probe.topAtCaption, 600);
  EXPECT_EQ(probe.heightAtCaption, 800);
  EXPECT_EQ(probe.caption(), "");
  RedimPicbox(probe, "ignoré", 80, 50, 60, 70);
  RedimX(probe, 81, 51, 61, 71);
  EXPECT_EQ(probe.caption(), "");
  EXPECT_EQ(probe.left(), 51);
  EXPECT_EQ(probe.height(), 81);
}

TEST_F(StatWindowTest, LoadsAndUnloadsWithoutBeingShown) {
  Qvl().GrilleRef.clear();
  ASSERT_TRUE(Choix_Fonction_Mesure(2));
  Qvl().GrilleRef.setRows(1);
  LigneCourante = 1;
  UnloadStatisticsWindow();
  FenHisto& f = StatWindow();
  f.load();
  EXPECT_TRUE(f.isLoaded());
  EXPECT_FALSE(f.visible());
  EXPECT_FALSE(f.MOption1(3).enabled());
  UnloadStatisticsWindow();
  EXPECT_FALSE(f.isLoaded());
  UnloadStatisticsWindow();
  EXPECT_TRUE(dialogLog().empty());
}

}  // namespace
