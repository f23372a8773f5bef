// The standard controls: events fired from code exactly once and only on change, user
// input through real Qt events, text boxes' CR LF view, lists, combo boxes, scroll
// bars, frames and the folder list.

#include "platform/controls.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QAbstractItemView>
#include <QGroupBox>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTemporaryDir>

#include "platform/form.h"

namespace platform {
namespace {

// A left click at p, as the user gives it (press, then release).
void leftClick(QWidget* w, QPoint p) {
  QMouseEvent press(QEvent::MouseButtonPress, p, w->mapToGlobal(p), Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
  QApplication::sendEvent(w, &press);
  QMouseEvent release(QEvent::MouseButtonRelease, p, w->mapToGlobal(p), Qt::LeftButton, Qt::NoButton,
                      Qt::NoModifier);
  QApplication::sendEvent(w, &release);
}

void typeText(QWidget* w, const QString& s) {
  for (QChar c : s) {
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
    QApplication::sendEvent(w, &press);
  }
}

TEST(CheckBox, ValueFromCodeFiresClickOnceAndOnlyOnChange) {
  Form f("frmCheck");
  CheckBox c(f, "Check", 1);
  int clicks = 0;
  c.onClick = [&] { ++clicks; };
  c.setValue(1);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(c.value(), 1);
  c.setValue(1);
  EXPECT_EQ(clicks, 1);
  c.setValue(2);
  EXPECT_EQ(c.value(), 2);
  EXPECT_EQ(clicks, 2);
  c.setValue(7);   // taken as 0
  EXPECT_EQ(c.value(), 0);
  EXPECT_EQ(clicks, 3);
  c.setValue(0);
  EXPECT_EQ(clicks, 3);
}

TEST(CheckBox, UserClickFiresExactlyOnce) {
  Form f("frmCheckUser");
  CheckBox c(f, "Check");
  c.setCaption("Retracer");
  c.move(0, 0, 2000, 300);
  f.show();
  int clicks = 0;
  int valueSeen = -1;
  c.onClick = [&] {
    ++clicks;
    valueSeen = c.value();
  };
  leftClick(c.widget(), QPoint(8, 10));
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(valueSeen, 1);   // the handler sees the new value
  leftClick(c.widget(), QPoint(8, 10));
  EXPECT_EQ(clicks, 2);
  EXPECT_EQ(c.value(), 0);
  c.setValue(2);
  leftClick(c.widget(), QPoint(8, 10));   // a greyed box becomes ticked
  EXPECT_EQ(c.value(), 1);
  f.unload();
}

TEST(OptionButton, ExclusivePerContainerWithClickFromCode) {
  Form f("frmOpt");
  ControlArray<OptionButton> optn(f, "Optn");
  for (int i = 0; i < 3; ++i) optn.add(i);
  Frame fr(f, "Frame1");
  OptionButton inFrame(fr, "OptnF");
  std::vector<int> clicks;
  int frameClicks = 0;
  optn.onClick = [&](int i) { clicks.push_back(i); };
  inFrame.onClick = [&] { ++frameClicks; };
  inFrame.setValue(true);
  optn(0).setValue(true);
  optn(2).setValue(true);
  EXPECT_EQ(clicks, (std::vector<int>{0, 2}));   // option 0 gets no Click when cleared
  EXPECT_FALSE(optn(0).value());
  EXPECT_TRUE(optn(2).value());
  EXPECT_TRUE(inFrame.value());   // another container
  EXPECT_EQ(frameClicks, 1);
  optn(2).setValue(true);   // no change, no Click
  EXPECT_EQ(clicks.size(), 2u);
  optn(2).setValue(false);
  EXPECT_FALSE(optn(2).value());
  EXPECT_EQ(clicks.size(), 2u);
}

TEST(OptionButton, UserClickSelectsAndClearsTheOthers) {
  Form f("frmOptUser");
  OptionButton a(f, "a"), b(f, "b");
  a.move(0, 0, 1500, 300);
  b.move(0, 450, 1500, 300);
  int ca = 0, cb = 0;
  a.onClick = [&] { ++ca; };
  b.onClick = [&] { ++cb; };
  f.show();
  a.setValue(true);
  leftClick(b.widget(), QPoint(8, 10));
  EXPECT_TRUE(b.value());
  EXPECT_FALSE(a.value());
  EXPECT_EQ(cb, 1);
  leftClick(b.widget(), QPoint(8, 10));   // already selected: stays, no Click
  EXPECT_TRUE(b.value());
  EXPECT_EQ(cb, 1);
  EXPECT_EQ(ca, 1);
  f.unload();
}

TEST(OptionButton, ExplicitGroupsAreIndependent) {
  Form f("frmGroups");
  OptionButton a(f, "a"), b(f, "b"), c(f, "c");
  c.setGroup(1);
  a.setValue(true);
  c.setValue(true);
  EXPECT_TRUE(a.value());
  b.setValue(true);
  EXPECT_FALSE(a.value());
  EXPECT_TRUE(c.value());
}

TEST(TextBox, ChangeFromCodeOnlyWhenTheTextChanges) {
  Form f("frmText");
  TextBox t(f, "TBox", 5);
  int changes = 0;
  t.onChange = [&] { ++changes; };
  t.setText("12,5");
  EXPECT_EQ(changes, 1);
  t.setText("12,5");
  EXPECT_EQ(changes, 1);
  t.setText("");
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(t.text(), "");
}

TEST(TextBox, TypingFiresChangeAndKeyEvents) {
  Form f("frmTyping");
  TextBox t(f, "Text1");
  std::vector<std::string> seen;
  std::vector<int> asciis;
  t.onChange = [&] { seen.push_back(t.text()); };
  t.onKeyPress = [&](int& a) { asciis.push_back(a); };
  f.show();
  t.setFocus();
  typeText(t.widget(), "é1");
  EXPECT_EQ(seen, (std::vector<std::string>{"é", "é1"}));
  EXPECT_EQ(asciis, (std::vector<int>{0xE9, '1'}));
  f.unload();
}

TEST(TextBox, MultiLineGivesCrLfAndCountsItAsTwo) {
  Form f("frmMulti");
  TextBox t(f, "Text1", -1, true);
  EXPECT_TRUE(t.multiLine());
  t.setText("ab\ncd\r\nef");
  EXPECT_EQ(t.text(), "ab\r\ncd\r\nef");
  EXPECT_EQ(static_cast<QPlainTextEdit*>(t.widget())->toPlainText(), QString("ab\ncd\nef"));
  // Positions in "ab\r\ncd\r\nef": a0 b1 CR2 LF3 c4 d5 CR6 LF7 e8 f9.
  t.setSelStart(4);
  t.setSelLength(5);
  EXPECT_EQ(t.selStart(), 4);
  EXPECT_EQ(t.selLength(), 5);
  EXPECT_EQ(t.selText(), "cd\r\ne");
  t.setSelStart(3);   // inside the CR LF pair: after it
  EXPECT_EQ(t.selStart(), 4);
  t.setSelStart(500);
  EXPECT_EQ(t.selStart(), 10);
  t.setSelStart(0);
  t.setSelLength(2);
  int changes = 0;
  t.onChange = [&] { ++changes; };
  t.setSelText("X\r\nY");
  EXPECT_EQ(t.text(), "X\r\nY\r\ncd\r\nef");
  EXPECT_EQ(changes, 1);
}

TEST(TextBox, SingleLineSelection) {
  Form f("frmSel");
  TextBox t(f, "Text1");
  t.setText("Qvrl.Cal");
  t.setSelStart(5);
  t.setSelLength(99);
  EXPECT_EQ(t.selStart(), 5);
  EXPECT_EQ(t.selLength(), 3);
  EXPECT_EQ(t.selText(), "Cal");
  t.setSelStart(-4);
  EXPECT_EQ(t.selStart(), 0);
  EXPECT_EQ(t.selLength(), 0);
}

TEST(TextBox, SwitchingToMultiLineKeepsTextAndPlace) {
  Form f("frmSwitch");
  TextBox t(f, "Text1");
  t.move(300, 450, 3000, 1500);
  t.setText("ligne");
  t.setLocked(true);
  int changes = 0;
  t.onChange = [&] { ++changes; };
  t.setMultiLine(true);
  EXPECT_EQ(changes, 0);
  auto* p = qobject_cast<QPlainTextEdit*>(t.widget());
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(p->geometry(), QRect(20, 30, 200, 100));
  EXPECT_TRUE(p->isReadOnly());
  EXPECT_EQ(t.text(), "ligne");
  t.setText("a\r\nb");
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(f.find("Text1"), &t);
}

TEST(TextBox, MaxLengthLimitsTypingOnly) {
  Form f("frmMax");
  TextBox t(f, "Text1");
  t.setMaxLength(3);
  t.setText("abcdef");   // code is not limited
  EXPECT_EQ(t.text(), "abcdef");
  t.setText("");
  f.show();
  typeText(t.widget(), "12345");
  EXPECT_EQ(t.text(), "123");
  f.unload();
}

TEST(Label, CaptionShownAsStored) {
  Form f("frmLabel");
  Label l(f, "lbl");
  l.setCaption("Cal. = 1,0000 & <b>x</b>\r\nligne 2");
  EXPECT_EQ(l.caption(), "Cal. = 1,0000 & <b>x</b>\r\nligne 2");
  auto* q = static_cast<QLabel*>(l.widget());
  EXPECT_EQ(q->text(), QString("Cal. = 1,0000 & <b>x</b>\nligne 2"));
  EXPECT_EQ(q->textFormat(), Qt::PlainText);
  l.setAlignment(2);
  EXPECT_TRUE(q->alignment() & Qt::AlignHCenter);
}

// A list of numbers joined by ";" wraps after its separators: every number shows
// within the label's width, and the caption stays as stored.
TEST(Label, ListWrapsAfterItsSeparators) {
  Form f("frmListe");
  Label l(f, "lbl");
  l.move(0, 0, 1500, 3000);
  std::string liste = "40 pts : ";
  for (int i = 1; i <= 40; ++i) liste += std::to_string(i) + ";";
  l.setCaption(liste);
  EXPECT_EQ(l.caption(), liste);
  auto* q = static_cast<QLabel*>(l.widget());
  const QFontMetrics fm(q->font());
  const QRect need = fm.boundingRect(QRect(0, 0, q->width(), 100000), Qt::TextWordWrap, q->text());
  EXPECT_LE(need.width(), q->width());
  EXPECT_GT(need.height(), 2 * fm.height());
}

TEST(Label, AutoSizeFitsTheText) {
  Form f("frmAuto");
  Label l(f, "lbl");
  l.move(0, 0, 150, 150);
  l.setAutoSize(true);
  l.setCaption("un texte assez long pour dépasser dix pixels");
  EXPECT_GT(l.width(), 150 * 10);
  // One line high (its box rounds the font's fractional height up).
  const QFontMetrics fm(l.widget()->font());
  EXPECT_GE(l.widget()->height(), fm.height());
  EXPECT_LE(l.widget()->height(), fm.height() + 1);
}

TEST(Label, ClickOnLabelNotOnForm) {
  Form f("frmLblClick");
  Label l(f, "lbl");
  l.move(0, 0, 1500, 300);
  int clicks = 0, formDowns = 0;
  l.onClick = [&] { ++clicks; };
  f.onMouseDown = [&](int, int, double, double) { ++formDowns; };
  f.show();
  leftClick(l.widget(), QPoint(5, 5));
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(formDowns, 0);
  f.unload();
}

TEST(CommandButton, CaptionAmpersandShownAsIs) {
  Form f("frmAmp");
  CommandButton b(f, "cmd");
  b.setCaption("Sauver & quitter");
  EXPECT_EQ(b.caption(), "Sauver & quitter");
  EXPECT_EQ(static_cast<QPushButton*>(b.widget())->text(), QString("Sauver && quitter"));
}

TEST(CommandButton, RightMouseDownInTwips) {
  Form f("frmRight");
  CommandButton b(f, "Bout", 10);
  b.move(0, 0, 1500, 450);
  std::vector<double> got;
  int clicks = 0;
  b.onClick = [&] { ++clicks; };
  b.onMouseDown = [&](int button, int shift, double x, double y) { got = {double(button), double(shift), x, y}; };
  f.show();
  QMouseEvent press(QEvent::MouseButtonPress, QPointF(4, 6), QPointF(4, 6), Qt::RightButton, Qt::RightButton,
                    Qt::ControlModifier);
  QApplication::sendEvent(b.widget(), &press);
  EXPECT_EQ(got, (std::vector<double>{2, 2, 60, 90}));
  EXPECT_EQ(clicks, 0);
  leftClick(b.widget(), QPoint(10, 10));
  EXPECT_EQ(clicks, 1);
  f.unload();
}

TEST(Frame, HoldsControlsAndCoversWhatLiesBelow) {
  Form f("frmFrame");
  Frame fr(f, "Frame", 6);
  fr.setCaption("Grille");
  CommandButton inside(fr, "cmdIn");
  EXPECT_EQ(&fr.form(), &f);
  EXPECT_EQ(inside.widget()->parentWidget(), fr.widget());
  EXPECT_EQ(static_cast<QGroupBox*>(fr.widget())->title(), QString("Grille"));
  EXPECT_TRUE(fr.widget()->autoFillBackground());
  fr.setBorderStyle(0);
  EXPECT_EQ(static_cast<QGroupBox*>(fr.widget())->title(), QString());
  EXPECT_EQ(fr.caption(), "Grille");
  EXPECT_EQ(f.find("cmdIn"), &inside);
}

TEST(ListBox, EntriesIndexAndClick) {
  Form f("frmList");
  ListBox l(f, "ListImgAff");
  int clicks = 0;
  l.onClick = [&] { ++clicks; };
  l.addItem("b.jpg");
  l.addItem("a.jpg");
  l.addItem("c.jpg", 1);
  EXPECT_EQ(l.listCount(), 3);
  EXPECT_EQ(l.list(1), "c.jpg");
  EXPECT_EQ(l.newIndex(), 1);
  EXPECT_EQ(l.list(3), "");
  EXPECT_EQ(l.list(-1), "");
  EXPECT_EQ(l.listIndex(), -1);
  l.setListIndex(2);
  EXPECT_EQ(l.listIndex(), 2);
  EXPECT_EQ(l.text(), "a.jpg");
  EXPECT_EQ(clicks, 1);
  l.setListIndex(2);
  EXPECT_EQ(clicks, 1);
  EXPECT_THROW(l.setListIndex(3), IndexError);
  EXPECT_THROW(l.removeItem(3), IndexError);
  EXPECT_THROW(l.addItem("x", 5), IndexError);
  l.removeItem(0);
  EXPECT_EQ(l.list(0), "c.jpg");
  EXPECT_EQ(l.listIndex(), 1);   // the selected entry moved up
  l.setItemData(0, 42);
  EXPECT_EQ(l.itemData(0), 42);
  l.clear();
  EXPECT_EQ(l.listCount(), 0);
  EXPECT_EQ(l.listIndex(), -1);
  EXPECT_EQ(clicks, 1);
}

TEST(ListBox, UserSelectionFiresClick) {
  Form f("frmListUser");
  ListBox l(f, "List1");
  l.move(0, 0, 3000, 3000);
  for (const char* s : {"un", "deux", "trois"}) l.addItem(s);
  int clicks = 0;
  std::vector<int> seen;   // the index the handler reads
  l.onClick = [&] {
    ++clicks;
    seen.push_back(l.listIndex());
  };
  f.show();
  auto* w = static_cast<QListWidget*>(l.widget());
  leftClick(w->viewport(), w->visualItemRect(w->item(1)).center());
  EXPECT_EQ(l.listIndex(), 1);
  EXPECT_EQ(clicks, 1);
  leftClick(w->viewport(), w->visualItemRect(w->item(2)).center());
  leftClick(w->viewport(), w->visualItemRect(w->item(2)).center());   // no change: no Click
  leftClick(w->viewport(), w->visualItemRect(w->item(0)).center());
  EXPECT_EQ(seen, (std::vector<int>{1, 2, 0}));
  EXPECT_EQ(l.text(), "un");
  f.unload();
}

TEST(ListBox, SetItemsReplacesEverythingInTheListsOrder) {
  Form f("frmSetItems");
  ListBox l(f, "List1");
  l.addItem("old");
  l.setListIndex(0);
  int clicks = 0;
  l.onClick = [&] { ++clicks; };
  l.setItems({"b", "C", "a", "B"});
  ASSERT_EQ(l.listCount(), 4);
  EXPECT_EQ(l.list(0), "b");   // unsorted: as given
  EXPECT_EQ(l.list(3), "B");
  EXPECT_EQ(l.listIndex(), -1);
  l.setSorted(true);
  l.setItems({"b", "C", "a", "B"});
  // Sorted ignoring case, equal entries in the order given: the same as adding one by one.
  EXPECT_EQ(l.list(0), "a");
  EXPECT_EQ(l.list(1), "b");
  EXPECT_EQ(l.list(2), "B");
  EXPECT_EQ(l.list(3), "C");
  l.setItems({});
  EXPECT_EQ(l.listCount(), 0);
  EXPECT_EQ(clicks, 0);
}

// Entries given by a source: a hidden list without a Click handler runs it only when
// it is read or shown, once; the entries and the selection are those of setItems then
// setListIndex, and a later change of the list drops what was pending.
TEST(ListBox, EntriesFromASourceComeWhenTheListIsUsed) {
  Form f("frmLater");
  ListBox l(f, "Ldeci");
  l.setSorted(true);
  l.setVisible(false);
  int runs = 0;
  auto source = [&runs] {
    ++runs;
    return std::vector<std::string>{"00003.0000", "00001.0000", "00002.0000"};
  };
  l.setItemsLater(source, 1);
  l.setItemsLater(source, 1);
  EXPECT_EQ(runs, 0);
  EXPECT_EQ(l.listCount(), 3);
  EXPECT_EQ(runs, 1);
  EXPECT_EQ(l.list(0), "00001.0000");
  EXPECT_EQ(l.listIndex(), 1);
  EXPECT_EQ(l.text(), "00002.0000");
  EXPECT_EQ(runs, 1);

  // An index outside the entries selects nothing; clear() drops a pending source.
  l.setItemsLater(source, 7);
  EXPECT_EQ(l.listIndex(), -1);
  EXPECT_EQ(runs, 2);
  l.setItemsLater(source, 0);
  l.clear();
  EXPECT_EQ(l.listCount(), 0);
  EXPECT_EQ(runs, 2);

  // Shown, the list fills itself.
  l.setItemsLater(source, 2);
  f.show();
  l.setVisible(true);
  QApplication::processEvents();
  EXPECT_EQ(runs, 3);

  // With a Click handler the entries come at once, and the selection fires it.
  ListBox h(f, "List2");
  int clicks = 0;
  h.onClick = [&] { ++clicks; };
  h.setVisible(false);
  h.setItemsLater(source, 0);
  EXPECT_EQ(runs, 4);
  EXPECT_EQ(clicks, 1);
}

TEST(ListBox, SortedIgnoringCaseAndMultiSelect) {
  Form f("frmSorted");
  ListBox l(f, "List1");
  l.setSorted(true);
  for (const char* s : {"b", "C", "a", "B"}) l.addItem(s);
  EXPECT_EQ(l.list(0), "a");
  EXPECT_EQ(l.list(1), "b");
  EXPECT_EQ(l.list(2), "B");   // equal ignoring case: after the one already there
  EXPECT_EQ(l.list(3), "C");
  l.setMultiSelect(2);
  int clicks = 0;
  l.onClick = [&] { ++clicks; };
  l.setSelected(0, true);
  l.setSelected(3, true);
  l.setSelected(3, true);
  EXPECT_EQ(l.selCount(), 2);
  EXPECT_TRUE(l.selected(3));
  EXPECT_FALSE(l.selected(1));
  EXPECT_FALSE(l.selected(9));
  EXPECT_EQ(clicks, 2);
  EXPECT_THROW(l.setSelected(4, true), IndexError);
}

TEST(ComboBox, PrefixSearchIgnoresCase) {
  Form f("frmCombo");
  ComboBox c(f, "Combo1");
  for (const char* s : {"Qvrl.Cal", "objectif40.cal", "Objectif100.CAL"}) c.addItem(s);
  EXPECT_EQ(c.findPrefix("OBJ"), 1);
  EXPECT_EQ(c.findPrefix("objectif1"), 2);
  EXPECT_EQ(c.findPrefix("q"), 0);
  EXPECT_EQ(c.findPrefix("z"), -1);
  EXPECT_EQ(c.findPrefix("Qvrl.Cal2"), -1);
}

TEST(ComboBox, TextListIndexAndEvents) {
  Form f("frmCombo2");
  ComboBox c(f, "Combo1");
  int clicks = 0, changes = 0;
  c.onClick = [&] { ++clicks; };
  c.onChange = [&] { ++changes; };
  c.addItem("un");
  c.addItem("deux");
  EXPECT_EQ(c.text(), "");   // adding entries does not change the text
  c.setListIndex(1);
  EXPECT_EQ(c.text(), "deux");
  EXPECT_EQ(c.listIndex(), 1);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(changes, 0);
  c.setText("autre");
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(c.listIndex(), -1);
  c.setText("autre");
  EXPECT_EQ(changes, 1);
  EXPECT_THROW(c.setListIndex(2), IndexError);
  EXPECT_EQ(c.list(0), "un");
  EXPECT_EQ(c.list(5), "");
  c.setText("deux");
  c.setSelStart(1);
  c.setSelLength(10);
  EXPECT_EQ(c.selText(), "eux");
  EXPECT_EQ(c.selLength(), 3);
}

TEST(ComboBox, TypeAheadHandlerCanSwallowKeys) {
  Form f("frmTypeAhead");
  ComboBox c(f, "Combo1");
  c.addItem("Qvrl.Cal");
  c.addItem("objectif40.cal");
  // The type-ahead of the calibration-files window: swallow the key and select the
  // first entry that the typed text begins.
  c.onKeyPress = [&](int& a) {
    if (a < 32 || a > 127) return;
    const std::string s = c.text().substr(0, static_cast<size_t>(c.selStart())) + char(a);
    const int i = c.findPrefix(s);
    if (i >= 0) {
      c.setListIndex(i);
      c.setSelStart(static_cast<int>(s.size()));
      c.setSelLength(static_cast<int>(c.text().size() - s.size()));
    }
    a = 0;
  };
  f.show();
  f.window()->activateWindow();
  QCoreApplication::processEvents();
  c.setFocus();
  QWidget* target = QApplication::focusWidget();
  ASSERT_NE(target, nullptr);
  typeText(target, "ob");
  EXPECT_EQ(c.text(), "objectif40.cal");
  EXPECT_EQ(c.selStart(), 2);
  EXPECT_EQ(c.selText(), "jectif40.cal");
  typeText(target, "z");   // nothing continues "obz": nothing changes
  EXPECT_EQ(c.text(), "objectif40.cal");
  f.unload();
}

TEST(ComboBox, DropDownOpensAndCloses) {
  Form f("frmDrop");
  ComboBox c(f, "Combo1");
  c.addItem("un");
  f.show();
  c.showDropDown(true);
  EXPECT_TRUE(static_cast<QComboBox*>(c.widget())->view()->isVisible());
  c.showDropDown(false);
  EXPECT_FALSE(static_cast<QComboBox*>(c.widget())->view()->isVisible());
  f.unload();
}

TEST(TextBox, FocusEvents) {
  Form f("frmFocus");
  ControlArray<TextBox> tbox(f, "TBox");
  tbox.add(0);
  tbox.add(5);
  std::vector<std::string> log;
  tbox.onGotFocus = [&](int i) { log.push_back("got" + std::to_string(i)); };
  tbox.onLostFocus = [&](int i) { log.push_back("lost" + std::to_string(i)); };
  f.show();
  f.window()->activateWindow();
  QCoreApplication::processEvents();
  tbox(0).setFocus();
  tbox(5).setFocus();
  EXPECT_TRUE(tbox(5).hasFocus());
  ASSERT_GE(log.size(), 3u) << ::testing::PrintToString(log);
  EXPECT_EQ(std::vector<std::string>(log.end() - 3, log.end()),
            (std::vector<std::string>{"got0", "lost0", "got5"}));
  f.unload();
}

// A control's own drop-down list takes the focus and gives it back: no new GotFocus
// (a handler that opens the list would open it again for ever), no LostFocus. Loaded
// again, a form starts anew: its first control's focus counts.
TEST(ComboBox, FocusBackFromItsListIsNoNewFocus) {
  Form f("frmComboFocus");
  ComboBox c(f, "Combo1");
  c.addItem("un");
  int got = 0, lost = 0;
  c.onGotFocus = [&] {
    ++got;
    c.showDropDown(true);
  };
  c.onLostFocus = [&] { ++lost; };
  QAbstractItemView* liste = static_cast<QComboBox*>(c.widget())->view();
  for (int fois = 1; fois <= 2; ++fois) {
    f.show();
    // The offscreen platform does not activate again a window it kept as its focus
    // window while hidden: the activation it would report is given here.
    QApplication::setActiveWindow(f.window());
    QCoreApplication::processEvents();
    EXPECT_EQ(got, fois);
    ASSERT_TRUE(liste->isVisible());
    QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(QApplication::focusWidget(), &esc);
    QCoreApplication::processEvents();
    EXPECT_FALSE(liste->isVisible());
    EXPECT_EQ(got, fois);
    EXPECT_EQ(lost, 0);
    f.unload();
    QCoreApplication::processEvents();
  }
}

TEST(Frame, LiesOverWhatWasPlacedBefore) {
  Form f("frmOver");
  Label under(f, "lblUnder");
  under.move(0, 0, 3000, 3000);
  under.setBackColor(0x0000FF);   // red
  Frame fr(f, "Fra");
  fr.setBorderStyle(0);
  fr.move(750, 750, 1500, 1500);
  fr.setBackColor(0x00FF00);   // green
  f.move(0, 0, 4500, 4500);
  f.show();
  const QImage img = f.clientWidget()->grab().toImage();
  EXPECT_EQ(img.pixelColor(100, 100), QColor(0, 255, 0));   // frame: 50..150 px
  EXPECT_EQ(img.pixelColor(20, 20), QColor(255, 0, 0));
  fr.zOrder(1);
  const QImage below = f.clientWidget()->grab().toImage();
  EXPECT_EQ(below.pixelColor(100, 100), QColor(255, 0, 0));
  f.unload();
}

TEST(VScrollBar, ChangeFromCodeOnlyOnChangeAndClamped) {
  Form f("frmScroll");
  VScrollBar v(f, "VScroll1");
  v.setMin(0);
  v.setMax(100);
  int changes = 0, scrolls = 0;
  v.onChange = [&] { ++changes; };
  v.onScroll = [&] { ++scrolls; };
  v.setValue(40);
  EXPECT_EQ(changes, 1);
  v.setValue(40);
  EXPECT_EQ(changes, 1);
  v.setValue(500);
  EXPECT_EQ(v.value(), 100);
  EXPECT_EQ(changes, 2);
  v.setMax(50);   // the value follows into the new range
  EXPECT_EQ(v.value(), 50);
  EXPECT_EQ(changes, 3);
  EXPECT_EQ(scrolls, 0);
}

TEST(VScrollBar, UserStepsFireChange) {
  Form f("frmScrollUser");
  VScrollBar v(f, "VScroll1");
  v.setMax(10);
  v.setSmallChange(2);
  v.setLargeChange(5);
  int changes = 0;
  v.onChange = [&] { ++changes; };
  auto* b = static_cast<QScrollBar*>(v.widget());
  b->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  EXPECT_EQ(v.value(), 2);
  b->triggerAction(QAbstractSlider::SliderPageStepAdd);
  EXPECT_EQ(v.value(), 7);
  EXPECT_EQ(changes, 2);
}

TEST(VScrollBar, ReversedRange) {
  Form f("frmReverse");
  VScrollBar v(f, "VScroll1");
  v.setMin(100);
  v.setMax(0);
  v.setValue(70);
  EXPECT_EQ(v.value(), 70);
  v.setValue(-5);
  EXPECT_EQ(v.value(), 0);
  EXPECT_TRUE(static_cast<QScrollBar*>(v.widget())->invertedAppearance());
}

TEST(FolderList, ListsSubFoldersAndChangesPath) {
  QTemporaryDir tmp;
  ASSERT_TRUE(tmp.isValid());
  QDir d(tmp.path());
  ASSERT_TRUE(d.mkdir("beta"));
  ASSERT_TRUE(d.mkdir("Alpha"));
  ASSERT_TRUE(d.mkdir("gamma"));
  Form f("frmDir");
  FolderList dir(f, "Dir1");
  int changes = 0;
  dir.onChange = [&] { ++changes; };
  const std::string root = tmp.path().toStdString();
  ASSERT_TRUE(dir.setPath(root + "/"));
  EXPECT_EQ(dir.path(), root);
  EXPECT_EQ(changes, 1);
  const int n = dir.listCount();
  ASSERT_GE(n, 4);
  EXPECT_EQ(dir.list(0), "/");
  EXPECT_EQ(dir.list(n - 3), root + "/Alpha");
  EXPECT_EQ(dir.list(n - 2), root + "/beta");
  EXPECT_EQ(dir.list(n - 1), root + "/gamma");
  EXPECT_EQ(dir.list(n - 4), root);
  EXPECT_EQ(dir.selectedPath(), root);
  EXPECT_TRUE(dir.setPath(root));   // same folder: no Change
  EXPECT_EQ(changes, 1);
  EXPECT_FALSE(dir.setPath(root + "/nowhere"));
  EXPECT_EQ(dir.path(), root);
  std::string backslashed = root + "\\beta";
  EXPECT_TRUE(dir.setPath(backslashed));
  EXPECT_EQ(dir.path(), root + "/beta");
  EXPECT_EQ(changes, 2);
}

TEST(DriveList, OnlyTheRoot) {
  Form f("frmDrive");
  DriveList d(f, "Drive1");
  EXPECT_EQ(d.drive(), "/");
  EXPECT_TRUE(d.setDrive("/"));
  EXPECT_FALSE(d.setDrive("c:"));
}

}  // namespace
}  // namespace platform
