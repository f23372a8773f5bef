// The window tests' user helper: a control is clicked only where a user could click
// it, and a check box or option button reacts to a click anywhere on it.

#include "support/user_input.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>

#include "platform/controls.h"
#include "platform/form.h"

namespace platform {
namespace {

struct Shown {
  Form f{"frmUser"};
  Shown() {
    f.move(0, 0, 6000, 4000);
    f.show();
    QApplication::processEvents();
  }
};

TEST(UserInput, ReachableButtonIsClickedOnce) {
  Shown s;
  CommandButton b(s.f, "Bouton");
  b.move(300, 300, 1200, 450);
  b.setCaption("OK");
  int clicks = 0;
  b.onClick = [&] { ++clicks; };
  QApplication::processEvents();
  EXPECT_EQ(user::whyUnreachable(b), "");
  EXPECT_TRUE(user::click(b));
  EXPECT_EQ(clicks, 1);
}

TEST(UserInput, RefusesWhatAUserCannotReach) {
  Shown s;
  Frame frame(s.f, "Cadre");
  frame.move(300, 300, 3000, 2000);
  CommandButton hidden(s.f, "Cache");
  hidden.move(3600, 300, 900, 450);
  hidden.setVisible(false);
  CommandButton off(s.f, "Grise");
  off.move(3600, 900, 900, 450);
  off.setEnabled(false);
  CommandButton outside(frame, "Deborde");
  outside.move(2500, 300, 900, 450);   // past the frame's right edge
  CommandButton under(s.f, "Dessous");
  under.move(3600, 1500, 900, 450);
  Label over(s.f, "Dessus");
  over.move(3600, 1500, 900, 450);
  over.zOrder(0);
  QApplication::processEvents();
  struct Case {
    Control* c;
    const char* expected;
  } cases[] = {{&hidden, "not showing"}, {&off, "disabled"}, {&outside, "not wholly inside"}, {&under, "covered"}};
  for (const Case& k : cases) {
    const std::string why = user::whyUnreachable(*k.c);
    EXPECT_NE(why.find(k.expected), std::string::npos) << k.c->name() << ": " << why;
  }
  int clicks = 0;
  under.onClick = [&] { ++clicks; };
  EXPECT_NONFATAL_FAILURE(user::click(under), "cannot be clicked");
  EXPECT_EQ(clicks, 0);
}

TEST(UserInput, CheckAndOptionReactAnywhereOnThem) {
  Shown s;
  CheckBox c(s.f, "Check");
  c.move(300, 300, 4000, 300);   // much wider than its caption
  c.setCaption("E");
  OptionButton o(s.f, "Optn");
  o.move(300, 900, 4000, 300);
  o.setCaption("x");
  QApplication::processEvents();
  EXPECT_TRUE(user::clickAt(c, 0.9, 0.5));
  EXPECT_EQ(c.value(), 1);
  EXPECT_TRUE(user::clickAt(o, 0.9, 0.5));
  EXPECT_TRUE(o.value());
}

// While a drop-down list is open a click elsewhere closes it and reaches nothing, as
// the system's do; a control behind the list cannot be clicked.
TEST(UserInput, AnOpenListTakesTheClick) {
  Shown s;
  ComboBox c(s.f, "Combo1");
  c.move(300, 300, 2000, 315);
  c.addItem("un");
  CommandButton b(s.f, "Bouton");
  b.move(3000, 300, 1200, 450);
  int clicks = 0;
  b.onClick = [&] { ++clicks; };
  QApplication::processEvents();
  c.showDropDown(true);
  QAbstractItemView* liste = static_cast<QComboBox*>(c.widget())->view();
  ASSERT_TRUE(liste->isVisible());
  EXPECT_NE(user::whyUnreachable(b).find("Bouton is behind the open popup of Combo1"), std::string::npos)
      << user::whyUnreachable(b);
  EXPECT_NONFATAL_FAILURE(user::click(b), "cannot be clicked");
  user::pressAndRelease(b.widget(), user::centreOf(b.widget()));
  EXPECT_FALSE(liste->isVisible());
  EXPECT_EQ(clicks, 0);
  EXPECT_TRUE(user::click(b));
  EXPECT_EQ(clicks, 1);
}

TEST(UserInput, TypesOverWhatTheBoxHolds) {
  Shown s;
  TextBox t(s.f, "Text1");
  t.move(300, 300, 2000, 400);
  t.setText("12");
  QApplication::processEvents();
  EXPECT_TRUE(user::typeInto(t, "3,5"));
  EXPECT_EQ(t.text(), "3,5");
}

}  // namespace
}  // namespace platform

#include "platform/flexgrid.h"
#include "platform/menu.h"
#include "support/layout_check.h"

namespace platform {
namespace {

// The layout check names each kind of fault by form, control and state, and passes a
// form that keeps the rule.
TEST(LayoutCheck, ReportsEachFaultByFormControlAndState) {
  Shown s;
  Frame cadre(s.f, "Cadre");
  cadre.move(300, 300, 3000, 1500);
  CommandButton court(cadre, "Court");
  court.move(100, 300, 600, 300);
  court.setCaption("Quitter calibrage  sans modifier");
  CommandButton deborde(cadre, "Deborde");
  deborde.move(2500, 300, 900, 300);
  deborde.setCaption("x");
  CheckBox serie(s.f, "Serie");
  serie.move(3600, 300, 1500, 250);
  serie.setCaption("E");
  CheckBox marque(s.f, "Marque");
  marque.move(3600, 300, 1500, 250);
  marque.setCaption("point dominant");
  OptionButton option(s.f, "Ellipse");
  option.move(3600, 900, 1500, 250);
  option.setCaption("ellipse");
  CommandButton classes(s.f, "Classes");
  classes.move(3600, 1100, 1500, 300);
  classes.setCaption("Classes");
  Label liste(s.f, "Liste");
  liste.move(300, 2000, 1500, 250);
  liste.setCaption("12 pts : 1;2;3;4;5;6;7;8;9;10;11;12;");
  CommandButton cache(s.f, "Cache");
  cache.move(300, 2500, 600, 300);
  cache.setCaption("Quitter calibrage  sans modifier");
  cache.setVisible(false);
  QApplication::processEvents();
  const std::vector<std::string> found = layout::offenders(s.f, "essai");
  const std::string all = layout::joined(found);
  const char* const expected[] = {"frmUser / Court / essai: caption needs",
                                  "frmUser / Deborde / essai: Deborde is not wholly inside Cadre",
                                  "frmUser / Serie / essai: Serie is covered there by Marque",
                                  "frmUser / Ellipse / essai: Ellipse is partly covered by Classes",
                                  "frmUser / Liste / essai: caption, wrapped, height needs"};
  for (const char* e : expected) EXPECT_NE(all.find(e), std::string::npos) << e << "\n" << all;
  EXPECT_EQ(all.find("Cache"), std::string::npos) << "a hidden control is no offender";
  EXPECT_EQ(found.size(), 5u) << all;

  // Put right, the form passes.
  court.move(100, 800, 2300, 300);
  deborde.setLeft(1900);
  serie.setTop(600);
  classes.setTop(1200);
  liste.setHeight(800);
  QApplication::processEvents();
  EXPECT_EQ(layout::joined(layout::offenders(s.f, "essai")), "");
}

// A picture that panels float over by design may be covered at its centre; all else
// about it is checked.
TEST(LayoutCheck, BackgroundsMayBeCoveredAtTheirCentre) {
  Shown s;
  Label fond(s.f, "Fond");
  fond.move(300, 300, 3000, 2000);
  Frame panneau(s.f, "Panneau");
  panneau.move(1000, 800, 1500, 1000);
  QApplication::processEvents();
  EXPECT_NE(layout::joined(layout::offenders(s.f, "x")).find("Fond is covered there by Panneau"), std::string::npos);
  EXPECT_EQ(layout::joined(layout::offenders(s.f, "x", {"Fond"})), "");
}

// The helper's other gestures: a grid cell, a box ticked or an option chosen only when
// not so already, a menu item chosen only when it and its menus show and are enabled.
TEST(UserInput, CellsBoxesOptionsAndMenuItems) {
  Shown s;
  FlexGrid g(s.f, "Grille");
  g.move(300, 300, 4000, 1500);
  g.setRows(5);
  g.setCols(3);
  int clicks = 0;
  g.onClick = [&] { ++clicks; };
  CheckBox c(s.f, "Check");
  c.move(300, 2000, 1500, 250);
  OptionButton o(s.f, "Optn", 0);
  o.move(300, 2400, 1500, 250);
  int optionClicks = 0;
  o.onClick = [&] { ++optionClicks; };
  MenuItem& titre = s.f.addMenu("Mn", "Fichier");
  MenuItem& item = titre.addItem("MnOuvre", "Ouvrir");
  int chosen = 0;
  item.onClick = [&] { ++chosen; };
  QApplication::processEvents();

  EXPECT_TRUE(user::clickCell(g, 2, 1));
  EXPECT_EQ(g.row(), 2);
  EXPECT_EQ(g.col(), 1);
  EXPECT_EQ(clicks, 1);
  EXPECT_TRUE(user::setValue(c, 1));
  EXPECT_TRUE(user::setValue(c, 1));   // already ticked: no click
  EXPECT_EQ(c.value(), 1);
  EXPECT_TRUE(user::setValue(c, 0));
  EXPECT_EQ(c.value(), 0);
  EXPECT_TRUE(user::setValue(o, true));
  EXPECT_TRUE(user::setValue(o, true));
  EXPECT_EQ(optionClicks, 1);
  EXPECT_NONFATAL_FAILURE(user::setValue(o, false), "only by choosing another");
  EXPECT_TRUE(user::click(item));
  EXPECT_EQ(chosen, 1);
  titre.setEnabled(false);
  EXPECT_NONFATAL_FAILURE(user::choose(item), "cannot be chosen: Mn is disabled");
  EXPECT_EQ(chosen, 1);
}

}  // namespace
}  // namespace platform
