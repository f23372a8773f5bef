// Forms: life cycle, activation as the program sees it, unloading, geometry in twips,
// key preview with the original key codes and mouse events on the background.

#include "platform/form.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QMouseEvent>
#include <QScreen>
#include <QTimer>

#include <string>
#include <vector>

#include "platform/controls.h"
#include "platform/menu.h"
#include "platform/picturebox.h"
#include "support/user_input.h"

namespace platform {
namespace {

void pump() {
  for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
}

// Sends a key event as the window system would (each with its own time stamp).
void sendKey(QWidget* w, QEvent::Type type, int key, const QString& text = QString(),
             Qt::KeyboardModifiers mods = Qt::NoModifier, bool autoRepeat = false) {
  static quint64 time = 1000;
  QKeyEvent e(type, key, mods, text, autoRepeat);
  e.setTimestamp(++time);
  QApplication::sendEvent(w, &e);
}

TEST(Form, LoadFiresOncePerLoad) {
  Form f("frmLoad");
  int loads = 0;
  f.onLoad = [&] { ++loads; };
  EXPECT_FALSE(f.isLoaded());
  f.clientWidget();   // creating the window is not loading it
  EXPECT_EQ(loads, 0);
  f.show();
  f.show();
  f.load();
  EXPECT_EQ(loads, 1);
  EXPECT_TRUE(f.unload());
  EXPECT_FALSE(f.isLoaded());
  EXPECT_FALSE(f.visible());
  f.show();   // loads again
  EXPECT_EQ(loads, 2);
  f.unload();
}

TEST(Form, ActivateOnceWhenAModalWindowCloses) {
  Form a("frmA"), b("frmB");
  int actA = 0, actB = 0, modeB = -1;
  a.onActivate = [&] { ++actA; };
  b.onActivate = [&] { ++actB; };
  b.onQueryUnload = [&](int&, int mode) { modeB = mode; };
  a.show();
  EXPECT_EQ(actA, 1);
  a.show();   // already the active form: nothing
  EXPECT_EQ(actA, 1);
  int actAWhileB = -1;
  QTimer::singleShot(0, [&] {
    actAWhileB = actA;
    EXPECT_TRUE(b.isModal());
    b.unload();
  });
  b.showModal();
  EXPECT_EQ(actAWhileB, 1);
  EXPECT_EQ(actB, 1);
  EXPECT_EQ(actA, 2);
  EXPECT_EQ(modeB, kFormCode);
  EXPECT_FALSE(b.isModal());
  EXPECT_FALSE(b.visible());
  pump();
  EXPECT_EQ(actA, 2);
  a.unload();
}

TEST(Form, WindowManagerActivationFiresNothing) {
  Form a("frmWmA"), b("frmWmB");
  int actA = 0, actB = 0;
  a.onActivate = [&] { ++actA; };
  b.onActivate = [&] { ++actB; };
  a.show();
  b.show();
  EXPECT_EQ(actA, 1);
  EXPECT_EQ(actB, 1);
  // The user switches windows (or applications) back and forth.
  for (QWidget* w : {a.window(), b.window(), a.window()}) {
    w->activateWindow();
    QApplication::setActiveWindow(w);
    QEvent act(QEvent::WindowActivate);
    QApplication::sendEvent(w, &act);
    pump();
  }
  EXPECT_EQ(actA, 1);
  EXPECT_EQ(actB, 1);
  // Hiding the window below the top one activates nobody; hiding the top one
  // activates the one under it.
  Form c("frmWmC");
  c.onActivate = [] {};
  c.show();
  b.hide();
  EXPECT_EQ(actA, 1);
  c.hide();
  EXPECT_EQ(actA, 2);
  b.show();   // shown again after being hidden
  EXPECT_EQ(actB, 2);
  a.unload();
  b.unload();
}

TEST(Form, CloseButtonAsksQueryUnloadWhichMayCancel) {
  Form f("frmClose");
  int asked = 0, unloaded = 0, lastMode = -1;
  bool refuse = true;
  f.onQueryUnload = [&](int& cancel, int mode) {
    ++asked;
    lastMode = mode;
    if (refuse) cancel = 1;
  };
  f.onUnload = [&](int&) { ++unloaded; };
  f.show();
  EXPECT_FALSE(f.window()->close());
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(lastMode, kFormControlMenu);
  EXPECT_EQ(unloaded, 0);
  EXPECT_TRUE(f.visible());
  EXPECT_TRUE(f.isLoaded());
  EXPECT_TRUE(f.window()->isVisible());
  refuse = false;
  f.window()->close();
  EXPECT_EQ(asked, 2);
  EXPECT_EQ(unloaded, 1);
  EXPECT_FALSE(f.visible());
  EXPECT_FALSE(f.isLoaded());
}

TEST(Form, UnloadingTheLastFormEndsTheEventLoop) {
  ASSERT_TRUE(Form::loadedForms().empty());
  Form f("frmLast");
  f.show();
  bool safetyNet = false;
  QTimer::singleShot(0, [&] { f.unload(); });
  // Only there so that a failure cannot hang the suite.
  QTimer guard;
  guard.setSingleShot(true);
  QObject::connect(&guard, &QTimer::timeout, [&] {
    safetyNet = true;
    QCoreApplication::quit();
  });
  guard.start(10000);
  QCoreApplication::exec();
  EXPECT_FALSE(safetyNet);
  EXPECT_FALSE(f.isLoaded());
}

TEST(Form, UnloadCancelledByUnloadHandler) {
  Form f("frmCancel");
  f.onUnload = [](int& cancel) { cancel = -1; };
  f.show();
  EXPECT_FALSE(f.unload());
  EXPECT_TRUE(f.visible());
  f.onUnload = nullptr;
  EXPECT_TRUE(f.unload());
}

TEST(Form, GeometryInTwipsAndClientArea) {
  Form f("frmGeo");
  f.move(1500, 750, 6000, 4500);
  f.show();
  pump();
  EXPECT_DOUBLE_EQ(f.left(), 1500);
  EXPECT_DOUBLE_EQ(f.top(), 750);
  EXPECT_DOUBLE_EQ(f.width(), 6000);
  EXPECT_DOUBLE_EQ(f.height(), 4500);
  // The outer frame is 6000 x 4500 twips = 400 x 300 px; the client area is that less
  // the frame the window system draws.
  const QRect outer = f.window()->frameGeometry();
  const QRect inner = f.window()->geometry();
  EXPECT_EQ(outer, QRect(100, 50, 400, 300));
  const int frameW = outer.width() - inner.width();
  const int frameH = outer.height() - inner.height();
  EXPECT_DOUBLE_EQ(f.scaleWidth(), f.clientWidget()->width() * 15.0);
  EXPECT_DOUBLE_EQ(f.scaleWidth(), 6000 - frameW * 15.0);
  EXPECT_DOUBLE_EQ(f.scaleHeight(), 4500 - frameH * 15.0);
  // A menu bar takes its height off the client area, not off the window.
  MenuItem& m = f.addMenu("mnuFichier", "Fichier");
  m.addItem("mnuQuitter", "Quitter");
  pump();
  const int bar = static_cast<QMainWindow*>(f.window())->menuBar()->height();
  ASSERT_GT(bar, 0);
  EXPECT_DOUBLE_EQ(f.height(), 4500);
  EXPECT_DOUBLE_EQ(f.scaleHeight(), 4500 - (frameH + bar) * 15.0);
  f.unload();
}

TEST(Form, ResizeAtFirstShowThenOnEveryResize) {
  Form f("frmResize");
  std::vector<double> seen;
  f.onResize = [&] { seen.push_back(f.scaleWidth()); };
  f.move(0, 0, 3000, 3000);
  EXPECT_TRUE(seen.empty());   // not shown yet
  f.show();
  const int frameW = f.window()->frameGeometry().width() - f.window()->geometry().width();
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_DOUBLE_EQ(seen[0], 3000 - frameW * 15.0);
  f.setWidth(4500);
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_DOUBLE_EQ(seen[1], 4500 - frameW * 15.0);   // the client already has its new size
  EXPECT_DOUBLE_EQ(f.width(), 4500);
  f.unload();
}

TEST(Form, MaximisedTakesTheAvailableScreen) {
  Form f("frmMax");
  f.setWindowState(kMaximized);
  f.show();
  pump();
  EXPECT_EQ(f.windowState(), kMaximized);
  const QRect avail = QGuiApplication::primaryScreen()->availableGeometry();
  EXPECT_DOUBLE_EQ(f.width(), avail.width() * 15.0);
  EXPECT_DOUBLE_EQ(f.height(), avail.height() * 15.0);
  f.setWindowState(kNormal);
  EXPECT_EQ(f.windowState(), kNormal);
  f.unload();
}

// Original key codes of Qt keys, from the original platform's key constants.
TEST(KeyCodes, Table) {
  const struct { int qt; int code; } cases[] = {
      {Qt::Key_Backspace, 8}, {Qt::Key_Tab, 9},      {Qt::Key_Return, 13}, {Qt::Key_Enter, 13},
      {Qt::Key_Shift, 16},    {Qt::Key_Control, 17}, {Qt::Key_Alt, 18},    {Qt::Key_Escape, 27},
      {Qt::Key_Space, 32},    {Qt::Key_PageUp, 33},  {Qt::Key_PageDown, 34}, {Qt::Key_End, 35},
      {Qt::Key_Home, 36},     {Qt::Key_Left, 37},    {Qt::Key_Up, 38},     {Qt::Key_Right, 39},
      {Qt::Key_Down, 40},     {Qt::Key_Insert, 45},  {Qt::Key_Delete, 46}, {Qt::Key_0, 48},
      {Qt::Key_9, 57},        {Qt::Key_A, 65},       {Qt::Key_C, 67},      {Qt::Key_Z, 90},
      {Qt::Key_F1, 112},      {Qt::Key_F12, 123},    {Qt::Key_Less, 226},  {Qt::Key_Greater, 226},
      {Qt::Key_Eacute, 0},
  };
  for (const auto& c : cases) EXPECT_EQ(keyCodeFromQt(c.qt), c.code) << std::hex << c.qt;
  EXPECT_EQ(keyCodeFromQt(Qt::Key_unknown, 0x3c), 226);   // X11 key symbol "less"
}

struct KeyLog {
  std::vector<std::string> events;
  void add(const std::string& who, int code) { events.push_back(who + std::to_string(code)); }
};

TEST(Form, KeyPreviewSeesKeysFirstAndCanStopThem) {
  Form f("frmKeys");
  TextBox t(f, "Text1");
  KeyLog log;
  int stopCode = -1;
  f.setKeyPreview(true);
  f.onKeyDown = [&](int& k, int shift) {
    log.add("F", k);
    log.add("s", shift);
    if (k == stopCode) k = 0;
  };
  f.onKeyUp = [&](int& k, int) { log.add("Fu", k); };
  t.onKeyDown = [&](int& k, int) { log.add("T", k); };
  f.show();
  QWidget* w = t.widget();
  sendKey(w, QEvent::KeyPress, Qt::Key_Z, "z");
  sendKey(w, QEvent::KeyRelease, Qt::Key_Z, "z");
  EXPECT_EQ(log.events, (std::vector<std::string>{"F90", "s0", "T90", "Fu90"}));
  EXPECT_EQ(t.text(), "z");
  log.events.clear();
  sendKey(w, QEvent::KeyPress, Qt::Key_Less, "<");
  sendKey(w, QEvent::KeyPress, Qt::Key_Greater, ">", Qt::ShiftModifier);
  EXPECT_EQ(log.events, (std::vector<std::string>{"F226", "s0", "T226", "F226", "s1", "T226"}));
  log.events.clear();
  stopCode = 65;
  sendKey(w, QEvent::KeyPress, Qt::Key_A, "a", Qt::ControlModifier | Qt::AltModifier);
  EXPECT_EQ(log.events, (std::vector<std::string>{"F65", "s6"}));
  EXPECT_EQ(t.text(), "z<>");   // the stopped key never reached the box
  f.unload();
}

TEST(Form, AutoRepeatedKeysAreDropped) {
  Form f("frmRepeat");
  TextBox t(f, "Text1");
  KeyLog log;
  f.setKeyPreview(true);
  f.onKeyDown = [&](int& k, int) { log.add("D", k); };
  f.onKeyUp = [&](int& k, int) { log.add("U", k); };
  t.onKeyDown = [&](int& k, int) { log.add("T", k); };
  t.onKeyUp = [&](int& k, int) { log.add("t", k); };
  f.show();
  QWidget* w = t.widget();
  sendKey(w, QEvent::KeyPress, Qt::Key_Shift);
  for (int i = 0; i < 3; ++i) {
    sendKey(w, QEvent::KeyRelease, Qt::Key_Shift, QString(), Qt::ShiftModifier, true);
    sendKey(w, QEvent::KeyPress, Qt::Key_Shift, QString(), Qt::ShiftModifier, true);
  }
  sendKey(w, QEvent::KeyRelease, Qt::Key_Shift);
  EXPECT_EQ(log.events, (std::vector<std::string>{"D16", "T16", "U16", "t16"}));
  f.unload();
}

TEST(Form, KeyPressCanReplaceTheCharacter) {
  Form f("frmUpper");
  TextBox t(f, "Text1");
  f.setKeyPreview(true);
  f.onKeyPress = [](int& a) {
    if (a >= 'a' && a <= 'z') a -= 32;
    if (a == '#') a = 0;
  };
  std::vector<int> boxSaw;
  t.onKeyPress = [&](int& a) { boxSaw.push_back(a); };
  f.show();
  sendKey(t.widget(), QEvent::KeyPress, Qt::Key_B, "b");
  sendKey(t.widget(), QEvent::KeyPress, Qt::Key_NumberSign, "#");
  sendKey(t.widget(), QEvent::KeyPress, Qt::Key_1, "1");
  EXPECT_EQ(t.text(), "B1");
  EXPECT_EQ(boxSaw, (std::vector<int>{'B', '1'}));
  f.unload();
}

TEST(Form, WithoutPreviewTheFormSeesOnlyItsOwnKeys) {
  Form f("frmNoPreview");
  TextBox t(f, "Text1");
  int formKeys = 0;
  f.onKeyDown = [&](int&, int) { ++formKeys; };
  f.show();
  f.window()->activateWindow();
  pump();
  t.setFocus();
  ASSERT_EQ(QApplication::focusWidget(), t.widget());
  sendKey(t.widget(), QEvent::KeyPress, Qt::Key_Z, "z");
  EXPECT_EQ(formKeys, 0);
  // A key the text box lets through goes up to the client area: still not the form's.
  sendKey(f.clientWidget(), QEvent::KeyPress, Qt::Key_Z, "z");
  EXPECT_EQ(formKeys, 0);
  t.widget()->clearFocus();
  sendKey(f.clientWidget(), QEvent::KeyPress, Qt::Key_Z, "z");
  EXPECT_EQ(formKeys, 1);
  f.unload();
}

TEST(Form, MouseOnTheBackgroundInTwips) {
  Form f("frmMouse");
  CommandButton b(f, "cmd");
  b.move(1500, 1500, 1500, 600);   // pixels 100..200 x 100..140
  std::vector<std::vector<double>> downs;
  f.onMouseDown = [&](int button, int shift, double x, double y) {
    downs.push_back({double(button), double(shift), x, y});
  };
  f.move(0, 0, 6000, 4500);
  f.show();
  QMouseEvent press(QEvent::MouseButtonPress, QPointF(10, 20), QPointF(10, 20), Qt::RightButton,
                    Qt::RightButton, Qt::ShiftModifier);
  QApplication::sendEvent(f.clientWidget(), &press);
  ASSERT_EQ(downs.size(), 1u);
  EXPECT_EQ(downs[0], (std::vector<double>{2, 1, 150, 300}));
  // A press that a child let through is not the form's.
  QMouseEvent onButton(QEvent::MouseButtonPress, QPointF(150, 120), QPointF(150, 120), Qt::LeftButton,
                       Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(f.clientWidget(), &onButton);
  EXPECT_EQ(downs.size(), 1u);
  f.unload();
}

TEST(Form, MousePointer) {
  Form f("frmPointer");
  f.setMousePointer(11);
  EXPECT_EQ(f.window()->cursor().shape(), Qt::WaitCursor);
  f.setMousePointer(15);
  EXPECT_EQ(f.window()->cursor().shape(), Qt::SizeAllCursor);
  f.setMousePointer(0);
  EXPECT_EQ(f.window()->cursor().shape(), Qt::ArrowCursor);
}

TEST(Form, LoadedFormsAndCaption) {
  Form f("frmList");
  f.setCaption("Fichiers de calibrage");
  EXPECT_EQ(f.window()->windowTitle(), QString("Fichiers de calibrage"));
  EXPECT_EQ(f.caption(), "Fichiers de calibrage");
  auto has = [&] {
    for (Form* g : Form::loadedForms())
      if (g == &f) return true;
    return false;
  };
  EXPECT_FALSE(has());
  f.load();
  EXPECT_TRUE(has());
  f.unload();
  EXPECT_FALSE(has());
}

TEST(Form, StatusBarKeepsToTheBottom) {
  Form f("frmStatus");
  f.move(0, 0, 6000, 4500);
  StatusBar& s = f.statusBar();
  EXPECT_EQ(&f.statusBar(), &s);
  s.setSimpleText("choisir une commande");
  f.show();
  pump();
  QWidget* w = s.widget();
  EXPECT_EQ(w->geometry().bottom(), f.clientWidget()->height() - 1);
  EXPECT_EQ(w->width(), f.clientWidget()->width());
  f.setHeight(6000);
  pump();
  EXPECT_EQ(w->geometry().bottom(), f.clientWidget()->height() - 1);
  EXPECT_EQ(s.simpleText(), "choisir une commande");
  EXPECT_EQ(f.find("StatusBar1"), &s);
  f.unload();
}

}  // namespace
}  // namespace platform

namespace platform {
namespace {

// Tab goes through the controls as a reader meets them, whatever order they were made
// in (array elements are made after the form's other members): a frame's controls
// after the frame, and of options side by side only the one chosen.
TEST(Form, TabFollowsTheReadingOrder) {
  Form f("frmTab");
  f.move(0, 0, 6000, 5000);
  TextBox last(f, "Dernier");
  last.move(300, 3000, 1500, 300);
  Frame frame(f, "Cadre");
  frame.move(300, 1000, 5000, 1500);
  TextBox inFrame(frame, "DansCadre");
  inFrame.move(3000, 300, 1000, 300);
  ControlArray<OptionButton> opt(frame, "Choix");
  opt.add(0).move(100, 300, 1200, 300);
  opt.add(1).move(1400, 300, 1200, 300);
  opt(1).setValue(true);
  ControlArray<TextBox> first(f, "Premier");
  first.add(0).move(300, 300, 1500, 300);
  f.show();
  pump();
  first(0).setFocus();
  pump();
  std::vector<std::string> met;
  for (int i = 0; i < 4; ++i) {
    sendKey(QApplication::focusWidget(), QEvent::KeyPress, Qt::Key_Tab);
    sendKey(QApplication::focusWidget(), QEvent::KeyRelease, Qt::Key_Tab);
    pump();
    for (Control* c : std::initializer_list<Control*>{&first(0), &opt(0), &opt(1), &inFrame, &last})
      if (c->widget() == QApplication::focusWidget()) met.push_back(c->name() + std::to_string(c->index()));
  }
  EXPECT_EQ(met, (std::vector<std::string>{"Choix1", "DansCadre-1", "Dernier-1", "Premier0"}));
  f.unload();
}


// A control hidden or disabled while it has the focus hands it to the form's control
// set for that, when that one can take it (showing, enabled); otherwise, or when the
// form has none, to the control after it in reading order. Tab keeps to the reading
// order. Each case on a new form: a frame holding a box and a button, then a count
// box and a picture side by side below it.
TEST(Form, AHiddenHolderPassesTheFocusToTheControlSetForIt) {
  enum Heir { kNone, kShown, kHidden, kDisabled };
  enum Act { kHideFrame, kHideBox, kDisableBox, kTab };
  struct Case {
    const char* what;
    Heir heir;
    Act act;
    const char* focus;                // the control that has the focus afterwards
    std::vector<std::string> events;  // LostFocus and GotFocus in their order
  };
  const Case cases[] = {
      {"frame hidden", kShown, kHideFrame, "Picture1", {"lost Saisie", "got Picture1"}},
      {"box hidden alone", kShown, kHideBox, "Picture1", {"lost Saisie", "got Picture1"}},
      {"box disabled", kShown, kDisableBox, "Picture1", {"lost Saisie", "got Picture1"}},
      {"picture hidden", kHidden, kHideFrame, "Compte", {"lost Saisie", "got Compte"}},
      {"picture disabled", kDisabled, kHideFrame, "Compte", {"lost Saisie", "got Compte"}},
      {"no control set", kNone, kHideFrame, "Compte", {"lost Saisie", "got Compte"}},
      {"Tab", kShown, kTab, "OK", {"lost Saisie", "got OK"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<std::string> events;   // made before the form, whose handlers note them
    Form f("frmHeir");
    f.move(0, 0, 7000, 5000);
    Frame cadre(f, "Cadre");
    cadre.move(300, 300, 5000, 1500);
    TextBox saisie(cadre, "Saisie");
    saisie.move(100, 300, 1500, 300);
    CommandButton ok(cadre, "OK");
    ok.move(2000, 300, 1000, 300);
    TextBox compte(f, "Compte");
    compte.move(300, 2500, 1500, 300);
    PictureBox picture(f, "Picture1");
    picture.move(3000, 2500, 3000, 2000);
    if (c.heir != kNone) f.setFocusAfterHide(&picture);
    if (c.heir == kHidden) picture.setVisible(false);
    if (c.heir == kDisabled) picture.setEnabled(false);
    auto note = [&events](auto& control, const std::string& name) {
      control.onGotFocus = [&events, name] { events.push_back("got " + name); };
      control.onLostFocus = [&events, name] { events.push_back("lost " + name); };
    };
    note(saisie, "Saisie");
    note(ok, "OK");
    note(compte, "Compte");
    note(picture, "Picture1");
    f.show();
    pump();
    saisie.setFocus();
    pump();
    events.clear();
    switch (c.act) {
      case kHideFrame: cadre.setVisible(false); break;
      case kHideBox: saisie.setVisible(false); break;
      case kDisableBox: saisie.setEnabled(false); break;
      case kTab:
        sendKey(QApplication::focusWidget(), QEvent::KeyPress, Qt::Key_Tab);
        sendKey(QApplication::focusWidget(), QEvent::KeyRelease, Qt::Key_Tab);
        break;
    }
    pump();
    std::string holder = "nothing";
    for (Control* k : std::initializer_list<Control*>{&saisie, &ok, &compte, &picture})
      if (k->hasFocus()) holder = k->name();
    EXPECT_EQ(holder, c.focus);
    EXPECT_EQ(events, c.events);
    f.unload();
  }
}

// The menu bar taking the keyboard (Escape out of a menu opened by a click, or Alt
// alone) leaves the focus with the control for the program. Every way out keeps it
// right: a second Escape or Alt gives it back silently, and so does a click on the
// same box; a click on the other box runs the first one's LostFocus, then the other's
// GotFocus; a menu item chosen runs with the focus where it was, and one that moves
// the focus runs the LostFocus and the GotFocus of that move. Afterwards a click on
// the other box is one plain change of focus.
TEST(Form, TheMenuBarTakingTheKeyboardIsNoChangeOfFocus) {
  enum Way { kEscape, kClickB, kClickA, kAlt, kItem, kItemToB };
  struct Case {
    const char* what;
    Way way;
    const char* focus;   // the box that has the focus afterwards
    std::vector<std::string> events;
  };
  const Case cases[] = {
      {"second Escape", kEscape, "A", {}},
      {"click on the other box", kClickB, "B", {"lost A", "got B"}},
      {"click on the same box", kClickA, "A", {}},
      {"Alt alone", kAlt, "A", {}},
      {"menu item", kItem, "A", {"Ouvrir"}},
      {"menu item giving the focus to B", kItemToB, "B", {"Vers B", "lost A", "got B"}},
  };
  for (bool byAlt : {false, true}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(byAlt ? "Alt alone, then " : "menu closed with Escape, then ") + c.what);
      std::vector<std::string> events;   // made before the form, whose handlers note them
      Form f("frmMenuFocus");
      f.move(0, 0, 6000, 5000);
      TextBox a(f, "A");
      a.move(300, 300, 1500, 300);
      TextBox b(f, "B");
      b.move(300, 1300, 1500, 300);
      for (TextBox* t : {&a, &b}) {
        const std::string name = t->name();
        t->onGotFocus = [&events, name] { events.push_back("got " + name); };
        t->onLostFocus = [&events, name] { events.push_back("lost " + name); };
      }
      MenuItem& fichiers = f.addMenu("Mnfichiers", "Fichiers");
      MenuItem& ouvrir = fichiers.addItem("MnOuvrir", "Ouvrir");
      ouvrir.onClick = [&events] { events.push_back("Ouvrir"); };
      MenuItem& versB = fichiers.addItem("MnVersB", "Vers B");
      versB.onClick = [&events, &b] {
        events.push_back("Vers B");
        b.setFocus();
      };
      f.show();
      pump();
      a.setFocus();
      pump();
      events.clear();
      if (byAlt) {
        user::pressAlt(a.widget());
      } else {
        ASSERT_TRUE(user::openMenu(fichiers));
        user::pressKey(a.widget(), Qt::Key_Escape);
        EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
      }
      // Qt's menu bar has the keyboard; the box keeps the focus for the program.
      ASSERT_EQ(QApplication::focusWidget(), user::menuBarOf(fichiers));
      EXPECT_EQ(events, std::vector<std::string>{});
      switch (c.way) {
        case kEscape: user::pressKey(a.widget(), Qt::Key_Escape); break;
        case kClickB: user::click(b); break;
        case kClickA: user::click(a); break;
        case kAlt: user::pressAlt(a.widget()); break;
        case kItem:
        case kItemToB:
          ASSERT_TRUE(user::openMenu(fichiers));
          ASSERT_TRUE(user::clickMenuItem(c.way == kItem ? ouvrir : versB));
          break;
      }
      pump();
      EXPECT_EQ(events, c.events);
      TextBox& holder = std::string(c.focus) == "A" ? a : b;
      TextBox& other = &holder == &a ? b : a;
      EXPECT_TRUE(holder.hasFocus());
      events.clear();
      user::click(other);
      EXPECT_EQ(events, (std::vector<std::string>{"lost " + holder.name(), "got " + other.name()}));
      f.unload();
    }
  }
}

}  // namespace
}  // namespace platform
