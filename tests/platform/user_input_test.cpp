// The window tests' user helper: a control is clicked only where a user could click
// it, and a check box or option button reacts to a click anywhere on it.

#include "support/user_input.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <QApplication>

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
