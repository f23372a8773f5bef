// The statistics window keeps every control visible, reachable and readable in each of
// its panels and modes: the scatter plot and the histogram however they are reached,
// the extractions, the diagram panel and its data sources, the comparisons, the laws
// and the test panels, the D'Agostino panel over each panel it can show with.
#include "stat_window_fixture.h"
#include "support/layout_check.h"
#include "support/user_input.h"

namespace {

// The chart pictures are what the D'Agostino panel floats over.
const std::set<std::string> kGraphes = {"HistPicHist", "MHistPic"};

// Ten spores: enough rows for every test of the Tests menu.
const Rows kDixSpores = {{"10,2", "5,1", "2", "276,8"}, {"11,4", "5,6", "2,04", "187,2"}, {"9,8", "4,9", "2", "123,2"},
                         {"10,6", "5,3", "2", "190"},    {"12,1", "6", "2,02", "201"},       {"9,5", "4,6", "2,07", "150"},
                         {"10,9", "5,2", "2,1", "170"},  {"11,8", "5,9", "2", "180"},        {"10", "5", "2", "160"},
                         {"11,1", "5,4", "2,06", "175"}};

class StatLayout : public StatWindowTest {
 protected:
  // Opens the window on STATDEF `vue` and runs `inside`.
  void open(int vue, const std::function<void(FenHisto&)>& inside) {
    grid(2, kDixSpores);
    Vue_Stat = vue;
    whileOpen([] { user::click(Qvl().Bout(11)); }, inside);
  }
  static void check(FenHisto& f, const std::string& state) { layout::expectClean(f, state, kGraphes); }
  // The D'Agostino panel floats over the chart of the panel in view.
  static void checkFloating(FenHisto& f, const std::string& state) {
    std::set<std::string> dessous = kGraphes;
    dessous.insert({"stcadre(1)", "stcadre(2)"});
    layout::expectClean(f, state, dessous);
  }
};

TEST_F(StatLayout, ScatterPlotAndHistogramEachWayTheyAreReached) {
  open(1, [](FenHisto& f) {
    check(f, "nuage, STATDEF 1");
    user::click(f.CmdHist1(0));
    check(f, "histogramme par son bouton");
    user::click(f.ChkH(0));
    user::click(f.ChkH(4));
    check(f, "histogramme, séries cochées");
    user::click(f.CmdHist1(1));
    check(f, "nuage par son bouton");
    user::click(f.CmdHisto(0));
    check(f, "extraction armée");
    user::choose(f.Mnstat(1));
    check(f, "nuage par le menu");
    user::click(f.Check2(0));
    user::click(f.CheckN(0));
    check(f, "nuage normé avec droite");
  });
  open(2, [](FenHisto& f) {
    check(f, "histogramme, STATDEF 2");
    user::choose(f.Mnstat(1));
    check(f, "nuage par le menu après l'histogramme");
  });
}

// "Extraction automatique" is there with the scatter plot however it is reached, and
// a click at its centre splits the points.
TEST_F(StatLayout, AutomaticSplitWithTheScatterPlotOfTheMenu) {
  const Rows deuxGroupes = {{"10", "5"}, {"10,5", "5,2"}, {"11", "5,1"}, {"20", "9"}, {"21", "9,5"}, {"20,5", "9,2"}};
  for (int vue : {1, 2}) {
    SCOPED_TRACE(vue);
    grid(2, deuxGroupes);
    Vue_Stat = vue;
    whileOpen([] { user::click(Qvl().Bout(11)); }, [&](FenHisto& f) {
      if (vue == 1) {
        EXPECT_EQ(user::whyUnreachable(f.Command12), "");
      }
      ASSERT_TRUE(user::choose(f.Mnstat(1)));
      ASSERT_TRUE(user::click(f.Command12));
      EXPECT_TRUE(f.Framehist(1).visible());
      EXPECT_FALSE(f.Label11.caption().empty());
      check(f, "césure automatique");
      ASSERT_TRUE(user::click(f.CmdHist1(0)));
      EXPECT_FALSE(f.Command12.visible());
    });
  }
}

// The histogram's series boxes are not under the scatter plot's point marks: a click
// on the fifth series box ticks that series.
TEST_F(StatLayout, FifthSeriesBoxTicksItsSeries) {
  grid(6, {{"40", "8", "7", "6", "1", "5", "0,8"}, {"42", "9", "7,5", "6,5", "1,1", "5,2", "0,9"},
           {"39", "7", "6,8", "5,9", "1", "5,5", "0,7"}});
  Vue_Stat = 2;
  whileOpen([] { user::click(Qvl().Bout(11)); }, [&](FenHisto& f) {
    ASSERT_EQ(f.ChkH(4).caption(), Qvl().GrilleRefP.textMatrix(0, 5));
    ASSERT_TRUE(user::click(f.ChkH(4)));
    EXPECT_EQ(f.ChkH(4).value(), 1);
    EXPECT_TRUE(f.Histcmd(4).enabled());
    for (int i = 0; i <= 2; ++i) EXPECT_EQ(f.Check3(i).value(), 0) << i;
  });
}

// A rectangle drawn round every point of 60 rows: the extract label shows the whole
// list, wrapped after its ";".
TEST_F(StatLayout, LongExtractListIsShownWhole) {
  Rows rows;
  for (int i = 0; i < 60; ++i) rows.push_back({std::to_string(10 + i % 7), std::to_string(5 + i % 5) + ",5"});
  grid(2, rows);
  Vue_Stat = 1;
  whileOpen([] { user::click(Qvl().Bout(11)); }, [&](FenHisto& f) {
    ASSERT_TRUE(user::choose(f.Mnstat(1)));
    ASSERT_TRUE(user::click(f.CmdHisto(0)));
    ASSERT_TRUE(user::clickAt(f.HistPicHist, 0.01, 0.01));
    QWidget* w = f.HistPicHist.widget();
    user::pressAndRelease(w, QPoint(w->width() * 97 / 100, w->height() * 97 / 100), Qt::RightButton);
    ASSERT_EQ(f.Label3.caption().substr(0, 10), "60 pts : 1");
    check(f, "liste extraite longue");
  });
}

TEST_F(StatLayout, DiagramPanelAndItsSources) {
  Liste_Extrait = "1;2;";
  open(3, [](FenHisto& f) {
    check(f, "diagramme, STATDEF 3");
    user::click(f.MOption1(2));
    check(f, "diagramme, texte");
    user::click(f.MOption1(1));
    check(f, "diagramme, fichier");
    user::click(f.MOption1(3));
    check(f, "diagramme, extrait");
    user::click(f.MOption1(0));
    user::click(f.MCommand2);
    check(f, "diagramme, modes");
    user::click(f.Command8);
    checkFloating(f, "diagramme, D'Agostino");
  });
}

TEST_F(StatLayout, ComparisonsLawsAndTests) {
  open(4, [](FenHisto& f) {
    check(f, "une moyenne, STATDEF 4");
    user::choose(f.Mnstat3(1));
    check(f, "deux moyennes");
    user::click(f.ChoixComp(0));
    check(f, "une moyenne");
    user::click(f.COption1(0));
    check(f, "une moyenne, erreur type");
    user::choose(f.Mnstat4(1));
    check(f, "loi normale");
    user::click(f.LNOpt(2));
    check(f, "loi normale inverse");
    user::choose(f.Mnstat4(2));
    check(f, "loi de Student");
    user::click(f.StOptTInv(1));
    check(f, "loi de Student, T-inv");
    user::choose(f.Mnstat3(2));
    check(f, "test de Möls");
    user::choose(f.Mnstat3(3));
    check(f, "test de Shapiro-Wilk");
    user::choose(f.Mnstat3(4));
    check(f, "D'Agostino après les tests");
  });
  open(1, [](FenHisto& f) {
    user::choose(f.Mnstat3(4));
    checkFloating(f, "D'Agostino sur le nuage");
  });
}

// The results read whole once they are written: the comparisons computed (their
// working shown), Student's law as a value is typed, the tests of the Tests menu and
// D'Agostino's "Calcul", the diagram's marked modes and its "Test", the covariance
// under the scatter plot.
TEST_F(StatLayout, ResultsReadWholeOnceWritten) {
  open(4, [](FenHisto& f) {
    ASSERT_TRUE(user::click(f.cmdCalcul(1)));
    check(f, "une moyenne, calculée");
    ASSERT_TRUE(user::choose(f.Mnstat3(1)));
    ASSERT_TRUE(user::click(f.cmdCalcul(2)));
    check(f, "deux moyennes, calculées");
    ASSERT_TRUE(user::choose(f.Mnstat4(2)));
    ASSERT_TRUE(user::typeInto(f.StText(1), "2,228"));
    check(f, "loi de Student, t tapé");
    ASSERT_TRUE(user::choose(f.Mnstat3(2)));
    check(f, "test de Möls, calculé");
    ASSERT_TRUE(user::choose(f.Mnstat3(3)));
    ASSERT_TRUE(user::click(f.Option3(1)));
    check(f, "test de Shapiro-Wilk log-normal, calculé");
    ASSERT_TRUE(user::choose(f.Mnstat3(4)));
    ASSERT_TRUE(user::click(f.TNCmd(1)));
    check(f, "D'Agostino, calculé");
  });
  open(3, [](FenHisto& f) {
    ASSERT_TRUE(user::click(f.MCommand2));
    check(f, "diagramme, modes marqués");
    ASSERT_TRUE(user::click(f.Command8));
    checkFloating(f, "diagramme, D'Agostino calculé");
  });
  open(1, [](FenHisto& f) {
    ASSERT_TRUE(user::choose(f.Mnstat(1)));
    ASSERT_FALSE(f.Label8.caption().empty()) << f.LabelHisto.caption();
    check(f, "nuage, covariance");
  });
}

}  // namespace
