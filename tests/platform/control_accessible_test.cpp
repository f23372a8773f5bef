// Buttons, check boxes and option buttons as a screen reader sees and works them: each
// named by its caption or, when that is blank, by its frame's title; its accessible
// press or toggle runs the same Click as a mouse click, once, with the new value.

#include "platform/control_accessible.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QWidget>

#include <string>
#include <vector>

#include "platform/controls.h"
#include "platform/form.h"

namespace platform {
namespace {

// Qt answers these questions without an accessibility bridge (none runs offscreen).
class ControlAccessible : public ::testing::Test {
 protected:
  static QAccessibleInterface* of(const Control& c) { return QAccessible::queryAccessibleInterface(c.widget()); }
  static std::string name(const Control& c) { return of(c)->text(QAccessible::Name).toStdString(); }
  // Runs the first accessible action of a control (its press or toggle).
  static void act(const Control& c) {
    QAccessibleActionInterface* a = of(c)->actionInterface();
    ASSERT_NE(a, nullptr);
    ASSERT_FALSE(a->actionNames().isEmpty());
    a->doAction(a->actionNames().front());
  }
  static QString firstAction(const Control& c) {
    QAccessibleActionInterface* a = of(c)->actionInterface();
    return a && !a->actionNames().isEmpty() ? a->actionNames().front() : QString();
  }
};

TEST_F(ControlAccessible, CheckBoxToggledAsByTheMouse) {
  Form f("frmAccCheck");
  CheckBox c(f, "Check");
  c.setCaption("Stat. auto");
  f.show();
  std::vector<int> seen;
  c.onClick = [&] { seen.push_back(c.value()); };
  EXPECT_EQ(of(c)->role(), QAccessible::CheckBox);
  EXPECT_EQ(name(c), "Stat. auto");
  EXPECT_EQ(firstAction(c), QAccessibleActionInterface::toggleAction());
  act(c);
  EXPECT_EQ(seen, (std::vector<int>{1}));
  EXPECT_TRUE(of(c)->state().checked);
  act(c);
  EXPECT_EQ(seen, (std::vector<int>{1, 0}));
  // A greyed box becomes ticked, as under the mouse.
  c.setValue(2);
  seen.clear();
  EXPECT_TRUE(of(c)->state().checkStateMixed);
  act(c);
  EXPECT_EQ(seen, (std::vector<int>{1}));
  // A disabled box does nothing.
  c.setEnabled(false);
  seen.clear();
  of(c)->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
  EXPECT_TRUE(seen.empty());
  EXPECT_EQ(c.value(), 1);
  f.unload();
}

TEST_F(ControlAccessible, OptionButtonChosenAsByTheMouse) {
  Form f("frmAccOption");
  ControlArray<OptionButton> optn(f, "Optn");
  for (int i = 0; i < 3; ++i) {
    optn.add(i);
    optn(i).setCaption("choix " + std::to_string(i));
  }
  f.show();
  std::vector<int> clicks;
  for (int i = 0; i < 3; ++i) optn(i).onClick = [&clicks, i] { clicks.push_back(i); };
  EXPECT_EQ(of(optn(1))->role(), QAccessible::RadioButton);
  EXPECT_EQ(name(optn(2)), "choix 2");
  act(optn(1));
  EXPECT_EQ(clicks, (std::vector<int>{1}));
  EXPECT_TRUE(optn(1).value());
  act(optn(2));
  EXPECT_EQ(clicks, (std::vector<int>{1, 2}));
  EXPECT_FALSE(optn(1).value());
  // The chosen one stays chosen.
  act(optn(2));
  EXPECT_TRUE(optn(2).value());
  EXPECT_EQ(clicks, (std::vector<int>{1, 2}));
  f.unload();
}

TEST_F(ControlAccessible, ButtonPressRunsItsClickAtOnce) {
  Form f("frmAccButton");
  CommandButton b(f, "Bout", 3);
  b.setCaption("Valider & fermer");
  f.show();
  int clicks = 0;
  b.onClick = [&] { ++clicks; };
  EXPECT_EQ(of(b)->role(), QAccessible::Button);
  EXPECT_EQ(name(b), "Valider & fermer");
  EXPECT_EQ(firstAction(b), QAccessibleActionInterface::pressAction());
  act(b);
  EXPECT_EQ(clicks, 1);
  f.unload();
}

// An entry of a list chosen by assistive technology is a click on it.
TEST_F(ControlAccessible, ListEntryChosenAsByTheMouse) {
  Form f("frmAccList");
  ListBox l(f, "ListIMGchar");
  for (const char* s : {"a.bmp", "b.jpg", "c.png"}) l.addItem(s);
  f.show();
  std::vector<int> seen;
  l.onClick = [&] { seen.push_back(l.listIndex()); };
  QAccessibleInterface* entry = of(l)->child(1);
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(entry->text(QAccessible::Name), "b.jpg");
  ASSERT_NE(entry->actionInterface(), nullptr);
  entry->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
  EXPECT_EQ(seen, (std::vector<int>{1}));
  f.unload();
}

// Blank captions take the title of the frame around the control, shown or not, and
// follow it when it changes; controls with a caption keep their own.
TEST_F(ControlAccessible, BlankCaptionTakesTheFramesTitle) {
  Form f("frmAccFrame");
  Frame fr(f, "Frame", 2);
  fr.setCaption("Options de mesure");
  CheckBox blank(fr, "Check", 1);
  CheckBox own(fr, "Check", 2);
  own.setCaption("Retracer");
  TextBox box(fr, "Text1");
  Label label(f, "label", 9);
  label.setCaption("Calibrage");
  f.show();
  EXPECT_EQ(name(blank), "Options de mesure");
  EXPECT_EQ(name(own), "Retracer");
  EXPECT_EQ(name(box), "Options de mesure");
  EXPECT_EQ(name(fr), "Options de mesure");
  EXPECT_EQ(name(label), "Calibrage");
  fr.setCaption("Mesure");
  EXPECT_EQ(name(blank), "Mesure");
  fr.setBorderStyle(0);   // the title is no longer drawn, the name stays
  EXPECT_EQ(name(blank), "Mesure");
  // Outside any frame a blank box is known by its tool tip, if it has one.
  CheckBox alone(f, "Check", 3);
  EXPECT_EQ(name(alone), "");
  CommandButton picture(f, "Bout", 7);
  picture.setToolTipText("Zoom +");
  EXPECT_EQ(name(picture), "Zoom +");
  f.unload();
}

}  // namespace
}  // namespace platform
