// Panel 1 in the real window: the histogram of a measured column, the switch to the
// scatter plot and its options.
#include "platform/colour.h"
#include "statwindow/stat_state.h"
#include "statwindow/stat_window_fixture.h"
#include "support/user_input.h"

namespace {

Rows mesures() {
  const char* longueurs[] = {"6,2", "7,5", "5,1", "8,8", "6,9", "7,2", "5,8", "9,4", "7,7"};
  const char* largeurs[] = {"3,1", "3,5", "2,6", "4,2", "3,3", "3,4", "2,9", "4,6", "3,6"};
  Rows r;
  for (int i = 0; i < 9; ++i) r.push_back({longueurs[i], largeurs[i], "2", "1"});
  return r;
}

TEST_F(StatWindowTest, HistogramThenScatterPlotWithItsOptions) {
  grid(2, mesures());
  Vue_Stat = 2;
  whileOpen(openWithButton, [&](FenHisto& f) {
    QVL& q = Qvl();
    user::setValue(f.ChkH(0), 1);
    EXPECT_EQ(f.LabelHisto.caption(),
              "Long. :   5  classes de largeur 0,86 :  Min (3)= 5,10   Max(8)= 9,40\r\n"
              "5,10\\ 5,96\\ 6,82\\ 7,68\\ 8,54\\ 9,40\\ ");
    EXPECT_EQ(q.GrilleRef.cellBackColor(3, 1), 0x00FFFFu);
    EXPECT_EQ(q.GrilleRef.cellBackColor(8, 1), 0xFFFFFFu);
    EXPECT_EQ(f.stcadre(1).caption(), MSG(107));
    // The third class holds three values: its bar reaches 725, above it is white.
    EXPECT_EQ(f.HistPicHist.point(381, 700), platform::QBColor(1));
    EXPECT_EQ(f.HistPicHist.point(381, 760), 0xFFFFFFu);
    EXPECT_TRUE(f.Histcmd(0).enabled());
    EXPECT_FALSE(f.Histcmd(1).enabled());

    f.Text1histo.setText("1");
    EXPECT_EQ(f.Text1histo.text(), "2");
    f.Text1histo.setText("30");
    EXPECT_EQ(f.Text1histo.text(), "21");
    EXPECT_EQ(Nb_Classes, 21);
    f.VScroll1Hist.setValue(4);
    EXPECT_EQ(f.Text1histo.text(), "4");
    EXPECT_EQ(f.LabelHisto.caption().substr(0, 40), "Long. :   4  classes de largeur 1,08 :  ");

    user::click(f.CmdHist1(1));
    EXPECT_TRUE(f.Framehist(0).visible());
    EXPECT_FALSE(f.Framehist(2).visible());
    EXPECT_TRUE(f.Command12.visible());
    EXPECT_FALSE(f.CmdHist1(1).enabled());
    EXPECT_TRUE(f.CmdHist1(0).enabled());
    EXPECT_EQ(f.stcadre(1).caption(), MSG(103));
    EXPECT_EQ(f.Label8.caption().substr(0, 14), " Covariance = ");
    EXPECT_EQ(f.LabelHisto.caption().substr(0, 12), "Origine X = ");
    EXPECT_EQ(f.List2(0).listCount(), 9);
    EXPECT_FALSE(f.Check2(1).enabled());

    user::setValue(f.CheckN(0), 1);
    EXPECT_TRUE(f.Check2(1).enabled());
    f.FlatScrollBar1.setValue(2);
    EXPECT_EQ(f.Label10(0).caption(), "95");
    user::setValue(f.Check2(1), 1);
    EXPECT_DOUBLE_EQ(Coef_X, Coef_Y);

    // Point marks leave the diagram panel's results as they were.
    const std::string resultats = f.MText1.text(), donnees = f.MText3.text();
    user::setValue(f.Check3(1), 1);
    EXPECT_TRUE(Marque_Points);
    EXPECT_EQ(f.MText1.text(), resultats);
    EXPECT_EQ(f.MText3.text(), donnees);

    user::setValue(f.Check4, 1);
    EXPECT_FALSE(f.CmdHisto(0).enabled());
    user::setValue(f.Check4, 0);
    EXPECT_TRUE(f.CmdHisto(0).enabled());

    user::click(f.CmdHist1(0));
    EXPECT_TRUE(f.Framehist(2).visible());
    EXPECT_FALSE(f.Command12.visible());
    EXPECT_EQ(f.Label8.caption(), "");
  });
  EXPECT_TRUE(dialogLog().empty());
}

TEST_F(StatWindowTest, OneMeasuredRowShowsNoMessage) {
  grid(2, {{"10,2", "5,1", "2", "276,8"}});
  Vue_Stat = 1;
  whileOpen(openWithButton, [&](FenHisto& f) {
    user::setValue(f.Check2(0), 1);
    user::click(f.CmdHist1(0));
    user::setValue(f.ChkH(0), 1);
    EXPECT_EQ(f.LabelHisto.caption(), "");
  });
  EXPECT_TRUE(dialogLog().empty());
}

TEST_F(StatWindowTest, CmdHWithoutSelectionKeepsTheColumns) {
  grid(2, mesures());
  Vue_Stat = 1;
  whileOpen(openWithButton, [&](FenHisto& f) {
    f.List1.setListIndex(-1);
    user::click(f.cmdH(0));
    EXPECT_EQ(Colonnes_Nuage(0), 1);
    EXPECT_EQ(f.Text2Hist(0).text(), "Long.");
    f.List1.setListIndex(1);
    user::click(f.cmdH(0));
    EXPECT_EQ(Colonnes_Nuage(0), 2);
    EXPECT_EQ(f.Text2Hist(0).text(), "Larg.");
  });
}

// Typed into the class box, a text that is not a count is replaced at once by the
// count the histogram uses.
TEST_F(StatWindowTest, ClassBoxShowsTheCountInUse) {
  grid(2, mesures());
  Vue_Stat = 2;
  whileOpen(openWithButton, [&](FenHisto& f) {
    f.ChkH(0).setValue(1);
    ASSERT_TRUE(user::typeInto(f.Text1histo, "abc"));
    EXPECT_EQ(f.Text1histo.text(), "2");
    EXPECT_EQ(Nb_Classes, 2);
    ASSERT_TRUE(user::typeInto(f.Text1histo, "7x"));
    EXPECT_EQ(f.Text1histo.text(), "7");
    EXPECT_EQ(Nb_Classes, 7);
  });
}

}  // namespace
