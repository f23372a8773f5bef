// The diagram panel in the real statistics window (offscreen): a grid column, typed and
// pasted data, modes marked on the diagram, the diagram's pixels and the copies.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "platform/clipboard.h"
#include "statwindow/diagram_panel.h"
#include "statwindow/diagram_state.h"
#include "statwindow/stat_window_fixture.h"
#include "support/user_input.h"

namespace {

class DiagramPanelTest : public StatWindowTest {
 protected:
  // The typed-text source with `texte` computed.
  static void typed(FenHisto& f, const std::string& texte) {
    user::setValue(f.MOption1(2), true);
    f.MText3.setText(texte);
    user::click(f.MCommand3(6));
  }
  static bool holds(const std::string& texte, const std::string& ligne) {
    return texte.find(ligne) != std::string::npos;
  }
  // Pixels of the diagram that are not white.
  static int inked(FenHisto& f) {
    const platform::Picture p = f.MHistPic.image();
    int n = 0;
    for (int y = 0; y < p.heightPixels(); ++y)
      for (int x = 0; x < p.widthPixels(); ++x) n += p.pixel(x, y) != 0xFFFFFF;
    return n;
  }
  static void clickAt(FenHisto& f, double x) { f.MHistPic.onMouseUp(1, 0, x, 1); }
};

const Rows kAvecZeros = {{"10,2", "5,1", "2", "276,8"}, {"0", "5,6", "0", "187,2"},
                         {"9,8", "", "2", "123,2"}, {"11", "4,9", "2", "110"}};

TEST_F(DiagramPanelTest, FirstViewLoadsColumnOneWithoutItsZeros) {
  grid(2, kAvecZeros);
  Vue_Stat = 3;
  whileOpen(openWithButton, [](FenHisto& f) {
    EXPECT_EQ(f.MText3.text(), "10,2;9,8;11;");
    EXPECT_EQ(Texte_Donnees, "10,2;9,8;11;");
    EXPECT_EQ(f.NmColonne.caption(), "Long.");
    EXPECT_TRUE(holds(f.MText1.text(), "\r\ncol 1 : Long.\r\n3 données\r\n Minimum = 9,8\r\n Maximum = 11\r\n"));
    EXPECT_GT(inked(f), 0);
    // The test panels' loader keeps every cell.
    ASSERT_TRUE(MText3_2_MstrData_test(1));
    EXPECT_EQ(f.MText3.text(), "10,2;0;9,8;11;");
    ASSERT_TRUE(MText3_2_MstrData_test(2));
    EXPECT_EQ(f.MText3.text(), "5,1;5,6;;4,9;");
    EXPECT_FALSE(MText3_2_MstrData_test(40));

    // The spinner loads the next column and stops at the last one.
    f.MVScroll1.setValue(2);
    EXPECT_EQ(f.MText4.text(), "2");
    EXPECT_EQ(f.NmColonne.caption(), "Larg.");
    EXPECT_EQ(Texte_Donnees, "5,1;5,6;4,9;");
    f.MVScroll1.setValue(99);
    EXPECT_EQ(f.MVScroll1.value(), std::min(Der_Colonne, 15));
    EXPECT_EQ(f.MText4.text(), std::to_string(std::min(Der_Colonne, 15)));

    // Copies of the data text and of the results.
    user::click(f.MCommand3(2));
    EXPECT_EQ(platform::Clipboard::getText(), Texte_Donnees);
    user::click(f.MCommand5(2));
    EXPECT_EQ(platform::Clipboard::getText(), f.MText1.text());

    user::click(f.Mnstat6(5));
    EXPECT_TRUE(holds(f.MText1.text(), "\r\n18 données\r\n Minimum = 1,532\r\n Maximum = 2\r\n"));
  });
  EXPECT_TRUE(dialogLog().empty());
}

TEST_F(DiagramPanelTest, PastedBlockAndTypedText) {
  grid(2, kTroisSpores);
  Vue_Stat = 3;
  whileOpen(openWithButton, [this](FenHisto& f) {
    user::setValue(f.MOption1(2), true);
    EXPECT_TRUE(f.MFrame1(6).visible());
    EXPECT_FALSE(f.MFrame1(4).visible());
    platform::Clipboard::setText("1.25\t2.5\r\n\t3.75\r\n4\r\n");
    user::click(f.MCommand3(4));
    EXPECT_EQ(f.MText3.text(), "1,25;2,5;3,75;4;");
    user::click(f.MCommand3(6));
    const std::string t = f.MText1.text();
    for (const char* l : {"\r\n4 données\r\n", "\r\n Médiane = 3,13\r\n", "\r\n Moyenne = 2,88\r\n",
                          "\r\n Ecart-type vrai = 1,0969\r\n", "\r\n Ecart-type estimé = 1,2666\r\n",
                          "\r\nX : N=4; (1,25)"})
      EXPECT_TRUE(holds(t, l)) << l << "\n" << t;
    // What the test panels' "Données" buttons read: 4 values, mean 11,5 / 4, variance
    // 4,8125 / 4.
    EXPECT_EQ(NbDonnees, 4);
    EXPECT_DOUBLE_EQ(Moyenne_M, 2.875);
    EXPECT_NEAR(Ecart_Type_M, std::sqrt(1.203125), 1e-12);

    // A text without ";" empties the results and the diagram.
    typed(f, "abc");
    EXPECT_EQ(f.MText1.text(), "");
    EXPECT_EQ(inked(f), 0);
    EXPECT_EQ(Donnees.size(), 1u);
    EXPECT_EQ(NbDonnees, 0);
    EXPECT_EQ(Moyenne_M, 0);
    EXPECT_EQ(Ecart_Type_M, 0);
    typed(f, "5;");
    EXPECT_TRUE(holds(f.MText1.text(), " Médiane = 5,\r\n"));
    EXPECT_FALSE(holds(f.MText1.text(), "estimé"));
    typed(f, "1;2;3;");
    EXPECT_TRUE(holds(f.MText1.text(), " Médiane = 2,\r\n"));
    (void)this;
  });
}

TEST_F(DiagramPanelTest, ModesMarkedOnTheDiagram) {
  grid(2, kTroisSpores);
  Vue_Stat = 3;
  whileOpen(openWithButton, [this](FenHisto& f) {
    typed(f, "1,5;3,2;3,2;3,2;3,2;3,2;4,8;6,1;6,1;6,1;6,1;6,1;7,4;");
    user::setValue(f.MCheck1(1), 0);   // no sticks over the ticks' pixels
    user::click(f.MCommand2);
    EXPECT_TRUE(Marquage_PDM);
    const struct {
      double a, b;
      float mode;
    } pics[] = {{3.0, 3.5, 3.2f}, {6.0, 6.5, 6.1f}};
    for (const auto& p : pics) {
      clickAt(f, p.a);
      clickAt(f, p.b);
      EXPECT_EQ(f.MLabel5(1).caption(), platform::Format(p.a, "##.##") + " ");
      user::click(f.MCommand5(3));
      EXPECT_EQ(f.lblNb.caption(), "5 ::  * ");
      EXPECT_TRUE(holds(f.MText1.text(), "\r\n5 données\r\n"));
      user::click(f.MCommand5(4));
      EXPECT_FLOAT_EQ(Modes(NbModes - 1), p.mode);
    }
    EXPECT_EQ(NbModes, 3);
    EXPECT_EQ(f.MCommand2.caption(), "PDMS 3");
    const std::string t = f.MText1.text();
    EXPECT_TRUE(holds(t, "\r\n13 données\r\n"));
    EXPECT_TRUE(holds(t, " Maximum = 7,4\r\n PDMS 1 = 3,2\r\n PDMS 2 = 6,1\r\n PDMS 3 = ")) << t;
    // Green ticks below the axis (13 values: axis at 1,6, ticks down to 0).
    EXPECT_EQ(f.MHistPic.point(3.2, 0.8), 0x00FF00u);
    EXPECT_EQ(f.MHistPic.point(6.1, 0.8), 0x00FF00u);

    // Limits above the largest value: the message, nothing changed.
    clickAt(f, 7.6);
    clickAt(f, 8);
    dialogs_->answerMsgBox(platform::vbOK);
    user::click(f.MCommand5(3));
    EXPECT_EQ(dialogLog().back(), "msgBox: " + NMST(1) + " " + NMST(3));
    EXPECT_EQ(f.MText1.text(), t);
    EXPECT_FALSE(f.MCommand5(4).enabled());
    // Limits around every value, then "/Xi": nothing left.
    clickAt(f, 1);
    clickAt(f, 8);
    user::click(f.MCommand5(3));
    EXPECT_EQ(f.lblNb.caption(), "13 pts # 2,2");
    dialogs_->answerMsgBox(platform::vbOK);
    user::click(f.MCommand5(16));
    EXPECT_EQ(dialogLog().back(), "msgBox: il ne reste aucune donnée à calculer");
    EXPECT_EQ(NbModes, 3);
    // The overview lists the accepted modes too.
    user::click(f.cmdResumeTout);
    EXPECT_TRUE(holds(f.MText1.text(), "\r\n13 données\r\n Minimum = 1,5\r\n Maximum = 7,4\r\n PDMS 1 = 3,2\r\n"));
    (void)this;
  });
}

TEST_F(DiagramPanelTest, AutomaticSuccessiveMarkingGoesOnWithTheRemainingValues) {
  grid(2, kTroisSpores);
  Vue_Stat = 3;
  whileOpen(openWithButton, [](FenHisto& f) {
    typed(f, "1,5;3,2;3,2;3,2;3,2;3,2;4,8;6,1;6,1;6,1;6,1;6,1;7,4;");
    user::setValue(f.MCheck1(7), 1);
    user::click(f.MCommand2);
    clickAt(f, 3.0);
    clickAt(f, 3.5);
    user::click(f.MCommand5(3));
    user::click(f.MCommand5(4));
    const std::string reste = "1,5;4,8;6,1;6,1;6,1;6,1;6,1;7,4;";
    EXPECT_EQ(f.MCheck1(6).value(), 1);
    EXPECT_EQ(f.MText3.text(), reste);
    EXPECT_EQ(Texte_Complet, reste);
    EXPECT_FALSE(Marquage_PDM);
    EXPECT_EQ(NbModes, 2);
    EXPECT_TRUE(holds(f.MText1.text(), "\r\n8 données\r\n Minimum = 1,5\r\n Maximum = 7,4\r\n PDMS 1 = 3,2\r\n"
                                       " PDMS 2 = 6,1\r\n"))
        << f.MText1.text();
  });
}

TEST_F(DiagramPanelTest, FixedWindowFromItsOriginAndNegativeValues) {
  grid(2, kTroisSpores);
  Vue_Stat = 3;
  whileOpen(openWithButton, [](FenHisto& f) {
    typed(f, "2;4;6;");
    user::setValue(f.MCheck1(3), 1);   // scroll ranges from the data: origin 2 to 6
    EXPECT_EQ(f.MScroll1(5).min(), 2);
    EXPECT_EQ(f.MScroll1(5).max(), 6);
    f.MScroll1(5).setValue(3);
    EXPECT_EQ(f.Label4.caption(), "Origine X= 3");
    // n = 3: axis at 0,6, sticks one unit t = 0,6 high; 4 is drawn at 1.
    EXPECT_EQ(f.MHistPic.point(1, 0.9), 0xFF0000u);
    user::click(f.MCommand2);
    f.MHistPic.onMouseUp(1, 0, 1, 0.9);
    EXPECT_EQ(f.MLabel5(1).caption(), "4, ");
    user::click(f.MCommand2);

    // A range above 10 gives the X window bar a value outside it: clamped.
    typed(f, "150;300;");
    user::setValue(f.MCheck1(3), 0);
    user::setValue(f.MCheck1(3), 1);
    EXPECT_EQ(f.MVScroll2(3).value(), 1);
    EXPECT_EQ(f.MCheck1(3).caption(), "Ech. X fixe %");
    EXPECT_TRUE(holds(f.MText1.text(), "\r\n2 données\r\n"));

    user::setValue(f.MCheck1(3), 0);
    typed(f, "-2;0;3;");
    EXPECT_EQ(f.MHistPic.point(-2, 0.9), 0xFF0000u);
    EXPECT_EQ(f.MHistPic.point(3, 0.9), 0xFF0000u);
  });
}

// The "Extrait" source shows the column it loaded, starting at 1, and the result names
// it; its spinner stops at the function's last column of values.
TEST_F(DiagramPanelTest, ExtractSourceShowsAndNamesItsColumn) {
  grid(2, kAvecZeros);
  Liste_Extrait = "1;4;";
  whileOpen(openWithButton, [&](FenHisto& f) {
    f.Mnstat(2).click();
    ASSERT_TRUE(f.MOption1(3).enabled());
    ASSERT_TRUE(user::click(f.MOption1(3)));
    EXPECT_EQ(f.MText4E.text(), "1");
    EXPECT_EQ(f.MText3.text(), "10,2;11;");
    const std::string titre1 = Qvl().GrilleRef.textMatrix(0, 1), titre2 = Qvl().GrilleRef.textMatrix(0, 2);
    EXPECT_TRUE(holds(f.MText1.text(), "\r\ncol 1 : " + titre1 + "\r\n")) << f.MText1.text();
    ASSERT_TRUE(user::typeInto(f.MText4E, "2"));
    EXPECT_EQ(f.MText3.text(), "5,1;4,9;");
    EXPECT_TRUE(holds(f.MText1.text(), "\r\ncol 2 : " + titre2 + "\r\n")) << f.MText1.text();
    EXPECT_FALSE(holds(f.MText1.text(), "col 1"));
    // Beyond the last column of the function (4 for spores 2D) the box comes back to it.
    ASSERT_TRUE(user::typeInto(f.MText4E, "9"));
    EXPECT_EQ(f.EVScroll1.value(), 4);
    EXPECT_EQ(f.MText4E.text(), "4");
  });
}

}  // namespace
