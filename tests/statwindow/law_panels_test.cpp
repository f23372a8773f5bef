// The normal and Student law calculators in the real statistics window: opened from
// "Tables stat", recomputed at each keystroke and option, bad input cleared or kept.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "statwindow/stat_window_fixture.h"
#include "support/user_input.h"

namespace {

using LawPanels = StatWindowLocaleTest;

TEST_P(LawPanels, BothCalculatorsFollowEachKeystroke) {
  grid(2, loc(kTroisSpores));
  whileOpen(openWithButton, [&](FenHisto& f) {
    // Student: "2", "2,", "2,5" (with the pinned separator) typed for t with 7 degrees of freedom.
    user::click(f.Mnstat4(2));
    EXPECT_TRUE(f.stcadre(6).visible());
    EXPECT_FALSE(f.stcadre(5).visible());
    int point = otherSeparator();
    f.StText(1).onKeyPress(point);
    EXPECT_EQ(point, GetParam());
    f.StText(2).setText("7");
    f.StText(1).setText("2");
    const std::string deux = f.StLabel3(2).caption();
    EXPECT_EQ(deux.rfind(loc(" risque =0,95"), 0), 0u) << deux;
    f.StText(1).setText(std::string("2") + GetParam());
    EXPECT_EQ(f.StLabel3(2).caption(), deux);
    f.StText(1).setText(loc("2,5"));
    EXPECT_EQ(f.StLabel3(2).caption(), loc(" risque =0,979503890707124"));
    user::setValue(f.StOption2(1), true);
    EXPECT_EQ(f.StlblLabel1.caption(), "p(|T| <= t)");
    f.StText(2).setText("5");
    f.StText(1).setText(loc("-0,8"));
    EXPECT_EQ(f.StLabel3(2).caption(), loc(" risque =0,539985933096263"));
    // From a risk: 0.1 two-sided, 12 degrees of freedom; a risk of 5 or df 0 keeps it.
    user::setValue(f.StOptTInv(1), true);
    EXPECT_EQ(f.StLabel3(0).caption(), " risque =");
    f.StText(2).setText("12");
    f.StText(1).setText(loc("0,1"));
    EXPECT_EQ(f.StLabel3(2).caption(), loc(" t = 1,78228755564932"));
    f.StText(1).setText("5");
    f.StText(2).setText("0");
    EXPECT_EQ(f.StLabel3(2).caption(), loc(" t = 1,78228755564932"));

    // Normal law: m 20, s 3, x typed "25", "25,", "25,1".
    user::click(f.Mnstat4(1));
    EXPECT_TRUE(f.stcadre(5).visible());
    EXPECT_FALSE(f.stcadre(6).visible());
    f.LNTxt(1).setText("20");
    f.LNTxt(2).setText("3");
    f.LNTxt(3).setText("25");
    const std::string vingtCinq = f.LNLabel(7).caption();
    f.LNTxt(3).setText(std::string("25") + GetParam());
    EXPECT_EQ(f.LNLabel(7).caption(), vingtCinq);
    f.LNTxt(3).setText(loc("25,1"));
    EXPECT_EQ(f.LNLabel(7).caption(),
              loc(" u = 1,7\r\np(X< 25,1 ) = 0,955434537241457\r\np(X > 25,1 ) = 0,044565462758543\r\n\r\n"
                  "p(|X| < 25,1 ) = 0,910869074482914\r\n"));
    EXPECT_EQ(f.LNLabel(4).caption(), loc("Déciles: \r\nD1 = 16,1553453033662\r\nD9 = 23,8446546966338\r\n"));
    user::setValue(f.LNOpt(2), true);
    EXPECT_EQ(f.LNLabel(3).caption(), "p= ");
    f.LNTxt(3).setText(loc("0,9"));
    EXPECT_TRUE(f.LNLabel(7).caption().find(loc("X =23,8446546966338\r\n")) != std::string::npos);
    // p = 0 and s = 0 clear both labels, without a message box.
    f.LNTxt(3).setText("0");
    EXPECT_EQ(f.LNLabel(7).caption(), "");
    EXPECT_EQ(f.LNLabel(4).caption(), "");
    f.LNTxt(3).setText(loc("0,9"));
    f.LNTxt(2).setText("0");
    EXPECT_EQ(f.LNLabel(7).caption(), "");
    EXPECT_TRUE(dialogs_->log().empty());
  });
}

// "T-inv" typed key by key down to a risk of 1e-300 (10 degrees of freedom): t =
// 2.564525718948197828e+30, the upper tail 0.5 I_y(5, 1/2) solved by bisection with
// mpmath at 50 digits; "1e400" for t gives nothing and the result stays.
TEST_P(LawPanels, TinyRiskAndOverflowingNumbersTypedByTheUser) {
  grid(2, loc(kTroisSpores));
  whileOpen(openWithButton, [&](FenHisto& f) {
    ASSERT_TRUE(user::choose(f.Mnstat4(2)));
    ASSERT_TRUE(user::click(f.StOptTInv(1)));
    ASSERT_TRUE(user::typeInto(f.StText(2), "10"));
    ASSERT_TRUE(user::typeInto(f.StText(1), "1e-300"));
    const std::string ligne = f.StLabel3(2).caption();
    ASSERT_EQ(ligne.rfind(" t = ", 0), 0u) << ligne;
    std::string nombre = ligne.substr(5);
    for (char& c : nombre)
      if (c == ',') c = '.';
    EXPECT_NEAR(std::strtod(nombre.c_str(), nullptr) / 2.564525718948197828e+30, 1.0, 1e-12) << ligne;

    // The last key of "1e400" is refused: the result of "1e40" stays, never that of 0.
    ASSERT_TRUE(user::click(f.StOptTInv(0)));
    ASSERT_TRUE(user::typeInto(f.StText(1), "1e40"));
    const std::string risque = f.StLabel3(2).caption();
    ASSERT_TRUE(user::typeInto(f.StText(1), "1e400"));
    EXPECT_EQ(f.StLabel3(2).caption(), risque);
    ASSERT_TRUE(user::typeInto(f.StText(1), "0"));
    EXPECT_NE(f.StLabel3(2).caption(), risque);
  });
  EXPECT_TRUE(dialogLog().empty());
}

INSTANTIATE_TEST_SUITE_P(Separators, LawPanels, ::testing::Values('.', ','), separatorName);

}  // namespace
