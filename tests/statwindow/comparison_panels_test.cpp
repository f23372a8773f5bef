// The comparisons of means in the real statistics window: Tests > "Moyenne", the
// switch between the two panels, recomputation at each change, the risk boxes and
// their spinners, the example values and bad input.
#include <gtest/gtest.h>

#include <string>

#include "statwindow/stat_window_fixture.h"
#include "support/user_input.h"

namespace {

using ComparisonPanels = StatWindowLocaleTest;

const std::string kTresInsuffisante = "Nb : La puissance du test est  très  insuffisante";

TEST_P(ComparisonPanels, MeansMenuComparesAndRecomputes) {
  grid(2, loc(kTroisSpores));
  whileOpen(openWithButton, [&](FenHisto& f) {
    user::click(f.Mnstat3(1));
    EXPECT_TRUE(f.stcadre(4).visible());
    EXPECT_FALSE(f.stcadre(3).visible());
    EXPECT_EQ(f.ctxt1(3).text(), loc("10,9"));
    EXPECT_EQ(f.CLabel6(3).caption(),
              loc("Au risque 5 % , l'hypothèse H0 n'est pas rejetée\r\nRisque de 2ème espèce : Beta = 65,71 %"));
    EXPECT_EQ(f.CLabel6(4).caption(), loc(" Puissance du test : 34 %\r\nProbabilité critique 11,03 %\r\n") + kTresInsuffisante);
    EXPECT_EQ(f.CLabel6(11).caption(), loc(" nddl = 58,000\r\n S=1,25100\r\n t= 1,23836"));

    // The other separator typed shows the system's; "12,6" recomputes.
    int point = otherSeparator();
    f.ctxt1(3).onKeyPress(point);
    EXPECT_EQ(point, GetParam());
    f.ctxt1(3).setText(loc("12,6"));
    EXPECT_EQ(f.CLabel6(11).caption().rfind(loc(" nddl = 58,000\r\n S=1,25100\r\n t= "), 0), 0u);
    EXPECT_NE(f.CLabel6(11).caption(), loc(" nddl = 58,000\r\n S=1,25100\r\n t= 1,23836"));
    EXPECT_NE(f.CLabel6(3).caption().find("l'hypothèse H0 est rejetée"), std::string::npos);
    // The other separator pasted in reads the same number.
    const std::string douze = f.CLabel6(11).caption();
    f.ctxt1(3).setText(loc("10,9"));
    f.ctxt1(3).setText(GetParam() == ',' ? "12.6" : "12,6");
    EXPECT_EQ(f.CLabel6(11).caption(), douze);

    // Welch, two-sided: every option recomputes.
    const std::pair<int, const char*> saisies[] = {{1, "18"}, {2, "42"}, {3, "7,45"}, {4, "7,1"}, {5, "0,55"}, {6, "0,62"}};
    for (const auto& [i, t] : saisies) f.ctxt1(i).setText(loc(t));
    user::setValue(f.Copt(0), 1);
    user::setValue(f.Copt(2), 1);
    EXPECT_EQ(f.CLabel6(1).caption(), "Ho : Moyenne de Ech1 =Moyenne de Ech 2 \r\nH1 : Moyenne de Ech1  <> Moyenne de Ech 2 \r\n");
    EXPECT_EQ(f.CLabel6(11).caption(), loc(" nddl = 36,117\r\n S=,16111\r\n t= 2,17237"));
    EXPECT_EQ(f.CLabel6(4).caption(), loc(" Puissance du test : 58 %\r\nProbabilité critique 3,65 %\r\n") + kTresInsuffisante);

    // Risk: 0 and 100 change nothing, 7 moves the spinner; the spinner writes the box.
    const std::string avant = f.CLabel6(3).caption();
    for (const char* r : {"0", "100"}) {
      f.ctxt1(10).setText(r);
      EXPECT_EQ(f.CVScroll1(0).value(), 5);
      EXPECT_EQ(f.CLabel6(3).caption(), avant);
    }
    f.ctxt1(10).setText("7");
    EXPECT_EQ(f.CVScroll1(0).value(), 7);
    EXPECT_EQ(f.CLabel6(3).caption().rfind("Au risque 7 % ,", 0), 0u);
    f.CVScroll1(0).setValue(5);
    EXPECT_EQ(f.ctxt1(10).text(), "5");

    // Bad input: a deviation of 0.
    f.ctxt1(5).setText("0");
    EXPECT_EQ(f.CLabel6(3).caption(), " données  incorrectes");
    EXPECT_EQ(f.CLabel6(4).caption(), "");

    // One sample: the defaults, then the normal law for the power and the example.
    user::click(f.ChoixComp(0));
    EXPECT_TRUE(f.stcadre(3).visible());
    EXPECT_FALSE(f.stcadre(4).visible());
    EXPECT_EQ(f.CLabel1.caption(), loc(" t = -1,45774"));
    EXPECT_EQ(f.Clabel5(1).caption(), loc("E.T. estimé de la moyenne=,0686\r\n"));
    EXPECT_EQ(f.CLabel3.caption(),
              loc("Au risque de 1ère espèce Alpha = 5 %  l'hypothèse H0 n'est pas rejetée ; \r\n"
                  "Risque de 2ème espèce : Beta = 57,37 %"));
    EXPECT_EQ(f.Clabel5(0).caption(), loc("Probabilité critique 7,25 % Puissance du test : 43 %\r\n") + kTresInsuffisante);
    // A click in the risk box recomputes as a change does.
    const std::string decision = f.CLabel3.caption();
    f.CLabel3.setCaption("");
    f.Ctxt(3).onClick();
    EXPECT_EQ(f.CLabel3.caption(), decision);
    user::setValue(f.chkLoiNormale(0), 1);
    EXPECT_TRUE(f.CLabel3.caption().ends_with(loc("Beta = 57,42 %")));
    user::setValue(f.Copt(4), 0);
    EXPECT_EQ(f.CLabel1.caption(), "");
    user::setValue(f.COption1(0), true);
    EXPECT_TRUE(f.Ctxt(1).enabled());
    EXPECT_FALSE(f.Ctxt(6).enabled());
    user::click(f.Mnstat6(5));
    EXPECT_EQ(f.Ctxt(0).text(), loc("11,1"));
    EXPECT_EQ(f.Ctxt(1).text(), loc("0,2464"));
    f.Ctxt(3).setText("0");
    EXPECT_EQ(f.CVScroll1(3).value(), 5);
    f.Ctxt(1).setText("abc");
    EXPECT_EQ(f.CLabel3.caption(), " données  incorrectes");

    // The diagram panel's series of column 1 (10.2, 11.4, 9.8) into both panels.
    user::click(f.Mnstat(2));
    user::click(f.Mnstat3(1));
    user::click(f.cmdDonnes(0));
    EXPECT_EQ(f.ctxt1(1).text(), "3");
    EXPECT_EQ(f.ctxt1(3).text(), loc("10,4666666666667"));
    EXPECT_EQ(f.ctxt1(5).text().rfind(loc("0,83266"), 0), 0u) << f.ctxt1(5).text();   // divisor n - 1
    user::click(f.ChoixComp(0));
    user::click(f.cmdDonnes(1));
    EXPECT_EQ(f.Ctxt(2).text(), "3");
    EXPECT_EQ(f.Ctxt(6).text().rfind(loc("0,67986"), 0), 0u) << f.Ctxt(6).text();    // divisor n
  });
}

INSTANTIATE_TEST_SUITE_P(Separators, ComparisonPanels, ::testing::Values('.', ','), separatorName);

}  // namespace
