// The control base: geometry in twips kept as set, colours that really paint, the
// registry of names, control arrays and the error boundary.

#include "platform/control.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QPushButton>
#include <QWidget>

#include <cmath>
#include <limits>
#include <memory>

#include "platform/controls.h"
#include "platform/dialogs.h"
#include "platform/form.h"

namespace platform {
namespace {

// Installs scripted dialogs for one test and restores the real ones after it.
struct ScriptedScope {
  ScriptedDialogs* d;
  ScriptedScope() {
    auto p = std::make_unique<ScriptedDialogs>();
    d = p.get();
    setDialogs(std::move(p));
  }
  ~ScriptedScope() { setDialogs(nullptr); }
};

TEST(Control, GeometryReadsBackWhatWasSetWhilePixelsRound) {
  Form f("frmGeom");
  CommandButton b(f, "Bout", 1);
  b.move(100, 215, 1234.5, 377);
  // Pixels at 15 twips each, rounded to nearest: 100/15 = 6.67 -> 7,
  // 215/15 = 14.33 -> 14, 1234.5/15 = 82.3 -> 82, 377/15 = 25.13 -> 25.
  EXPECT_EQ(b.widget()->geometry(), QRect(7, 14, 82, 25));
  EXPECT_DOUBLE_EQ(b.left(), 100);
  EXPECT_DOUBLE_EQ(b.top(), 215);
  EXPECT_DOUBLE_EQ(b.width(), 1234.5);
  EXPECT_DOUBLE_EQ(b.height(), 377);
  b.setLeft(3000);
  EXPECT_DOUBLE_EQ(b.left(), 3000);
  EXPECT_EQ(b.widget()->x(), 200);
  EXPECT_DOUBLE_EQ(b.width(), 1234.5);   // other sides untouched
}

TEST(Control, BadSizesBecomeZero) {
  Form f("frmBad");
  Label l(f, "lbl");
  l.move(0, 0, -500, std::numeric_limits<double>::quiet_NaN());
  EXPECT_EQ(l.width(), 0);
  EXPECT_EQ(l.height(), 0);
  l.setLeft(std::numeric_limits<double>::infinity());
  EXPECT_EQ(l.left(), 0);
}

TEST(Control, GeometryFollowsTheWidgetWhenSomethingElseMovedIt) {
  Form f("frmMoved");
  CommandButton b(f, "cmd");
  b.move(150, 150, 1500, 300);
  b.widget()->move(20, 30);
  EXPECT_DOUBLE_EQ(b.left(), 300);   // 20 px x 15
  EXPECT_DOUBLE_EQ(b.top(), 450);
  EXPECT_DOUBLE_EQ(b.width(), 1500);
}

// Colour of the centre pixel of a widget as rendered.
QColor centrePixel(QWidget* w) {
  const QImage img = w->grab().toImage();
  return img.pixelColor(img.width() / 2, img.height() / 2);
}

TEST(Control, ButtonBackColourReallyPaints) {
  Form f("frmColour");
  CommandButton b(f, "Bout", 4);
  b.move(0, 0, 1500, 600);
  const Colour lightGreen = 0xC0FFC0;   // &HC0FFC0: red C0, green FF, blue C0
  b.setBackColor(lightGreen);
  EXPECT_EQ(b.backColor(), lightGreen);
  EXPECT_EQ(centrePixel(b.widget()), QColor(0xC0, 0xFF, 0xC0));
  b.setBackColor(kButtonFace);
  EXPECT_EQ(b.backColor(), kButtonFace);
  EXPECT_TRUE(b.widget()->styleSheet().isEmpty());
  EXPECT_NE(centrePixel(b.widget()), QColor(0xC0, 0xFF, 0xC0));
}

TEST(Control, BlueIsTheHighByte) {
  Form f("frmBlue");
  Label l(f, "lbl");
  l.move(0, 0, 900, 450);
  l.setBackColor(0xFF0000);   // &HFF0000 is pure blue
  EXPECT_EQ(centrePixel(l.widget()), QColor(0, 0, 255));
}

TEST(Control, OwnVisibleAndEnabled) {
  Form f("frmVis");
  CommandButton b(f, "cmd");
  EXPECT_TRUE(b.visible());   // the form is not shown, the control is still Visible
  EXPECT_FALSE(b.widget()->isVisible());
  b.setVisible(false);
  EXPECT_FALSE(b.visible());
  f.show();
  EXPECT_FALSE(b.widget()->isVisible());
  b.setVisible(true);
  EXPECT_TRUE(b.widget()->isVisible());
  b.setEnabled(false);
  EXPECT_FALSE(b.enabled());
  EXPECT_FALSE(b.widget()->isEnabled());
  f.unload();
}

TEST(Control, FontAndToolTip) {
  Form f("frmFont");
  Label l(f, "lbl");
  l.setFontSize(14);
  l.setFontBold(true);
  EXPECT_DOUBLE_EQ(l.fontSize(), 14);
  EXPECT_TRUE(l.fontBold());
  l.setFontSize(-3);   // ignored
  EXPECT_DOUBLE_EQ(l.fontSize(), 14);
  l.setToolTipText("Aide");
  EXPECT_EQ(l.toolTipText(), "Aide");
  EXPECT_EQ(l.widget()->toolTip(), QString("Aide"));
}

TEST(Control, ZOrderRaisesAndLowers) {
  Form f("frmZ");
  Label a(f, "a");
  Label b(f, "b");
  const auto& kids = f.clientWidget()->children();
  a.zOrder(0);
  EXPECT_EQ(kids.indexOf(a.widget()), kids.size() - 1);   // last child paints on top
  a.zOrder(1);
  EXPECT_LT(kids.indexOf(a.widget()), kids.indexOf(b.widget()));
}

TEST(Control, RegisteredByNameAndIndexIgnoringCase) {
  Form f("frmReg");
  {
    CommandButton b(f, "Bout", 3);
    EXPECT_EQ(f.find("Bout", 3), &b);
    EXPECT_EQ(f.find("BOUT", 3), &b);
    EXPECT_EQ(f.find("Bout", 4), nullptr);
    EXPECT_EQ(f.find("Bout"), nullptr);
  }
  EXPECT_FALSE(f.exists("Bout", 3));
}

TEST(ControlArray, HandlerReceivesTheIndex) {
  Form f("frmArray");
  ControlArray<CommandButton> bout(f, "Bout");
  bout.add(1);
  bout.add(5);
  bout.add(50);
  std::vector<int> clicked;
  bout.onClick = [&](int i) { clicked.push_back(i); };
  static_cast<QPushButton*>(bout(5).widget())->click();
  bout(50).click();
  EXPECT_EQ(clicked, (std::vector<int>{5, 50}));
  EXPECT_EQ(bout.lbound(), 1);
  EXPECT_EQ(bout.ubound(), 50);
  EXPECT_EQ(f.find("bout", 50), &bout(50));
}

TEST(ControlArray, MissingIndexThrowsIndexError) {
  Form f("frmMissing");
  ControlArray<TextBox> tbox(f, "TBox");
  tbox.add(0);
  tbox.add(2);
  EXPECT_TRUE(tbox.exists(2));
  EXPECT_FALSE(tbox.exists(1));
  EXPECT_THROW(tbox(1), IndexError);
  EXPECT_NO_THROW(tbox(2));
}

TEST(ControlArray, IndexErrorInAHandlerIsReportedAndStopsOnlyThatStep) {
  Form f("frmBoundary");
  ControlArray<CommandButton> bout(f, "Bout");
  bout.add(1);
  std::vector<std::pair<std::string, std::string>> reports;
  setErrorReporter([&](const std::string& where, const std::string& what) { reports.emplace_back(where, what); });
  bool after = false;
  bout.onClick = [&](int) {
    bout(7).setCaption("x");   // no element 7
    after = true;
  };
  static_cast<QPushButton*>(bout(1).widget())->click();   // must not throw out of Qt
  setErrorReporter(nullptr);
  EXPECT_FALSE(after);
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_EQ(reports[0].first, "Bout_Click");
  EXPECT_EQ(reports[0].second, "Bout(7) does not exist");
}

TEST(ErrorBoundary, DefaultReportIsAMessageBox) {
  ScriptedScope s;
  s.d->answerMsgBox(vbOK);
  guarded("Calcul_stat", [] { throw std::runtime_error("division par zéro"); });
  ASSERT_EQ(s.d->log().size(), 1u);
  EXPECT_EQ(s.d->log()[0].kind, "msgBox");
  EXPECT_EQ(s.d->log()[0].text, "division par zéro\r\n(Calcul_stat)");
  EXPECT_EQ(s.d->log()[0].style, vbCritical);
}

TEST(ErrorBoundary, NothingThrownNothingReported) {
  ScriptedScope s;
  int ran = 0;
  guarded("x", [&] { ++ran; });
  guarded("y", std::function<void()>());
  EXPECT_EQ(ran, 1);
  EXPECT_TRUE(s.d->log().empty());
}

}  // namespace
}  // namespace platform
