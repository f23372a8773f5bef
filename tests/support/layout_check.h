#pragma once
// The layout rule every window keeps, checked for the window tests: each control that
// is shown and enabled lies wholly inside its window and every frame around it, the
// point at its centre belongs to it (not to a sibling drawn over it), and its caption
// can be read whole in its own font: a button's on one line inside its face, a check
// box's or option's beside its box, a frame's in its top edge, a label's wrapped at
// its width within its height. A greyed control still shows its caption: that is
// checked too. Text boxes, lists and grids may scroll their text. Labels filled by the
// program are checked with what they hold when the check runs: a window test checks
// its results once they are written.
//
// layout::offenders lists what breaks the rule as "form / control / state: why";
// layout::expectClean fails the test with that list.

#include <QApplication>
#include <QCheckBox>
#include <QRadioButton>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QStyle>
#include <QStyleOption>
#include <QWidget>

#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "platform/controls.h"
#include "platform/form.h"
#include "platform/form_impl.h"
#include "support/user_input.h"

namespace layout {

using user::nameOf;

// True when a user sees w: it and every widget around it are showing and none of
// them has an empty rectangle (a frame moved to nothing hides what it holds).
inline bool seen(const QWidget* w) {
  if (!w->isVisible()) return false;
  for (const QWidget* a = w; a; a = a->parentWidget()) {
    if (a->width() <= 0 || a->height() <= 0) return false;
    if (a->isWindow()) break;
  }
  return true;
}

// Widest line of text in font metrics fm.
inline int widestLine(const QFontMetrics& fm, const QString& text) {
  int widest = 0;
  for (const QString& line : text.split(QLatin1Char('\n'))) widest = std::max(widest, fm.horizontalAdvance(line));
  return widest;
}

// Pixels a one-line caption keeps free beside it: text drawn by another renderer (or
// hinted otherwise) is not cut as soon as it grows by a pixel or two.
constexpr int kCaptionSlack = 3;

// Why the caption of c cannot be read whole; empty when it can (or c has none).
inline std::string captionFault(const platform::Control& c) {
  QWidget* w = c.widget();
  const QFontMetrics fm(w->font());
  QStyle* st = w->style();
  auto tooWide = [](const char* what, int need, int room) {
    return std::string(what) + " needs " + std::to_string(need) + " px, has " + std::to_string(room);
  };
  if (auto* b = qobject_cast<QPushButton*>(w)) {
    const QString text = b->text().replace(QLatin1String("&&"), QLatin1String("&"));
    if (text.trimmed().isEmpty()) return {};
    QStyleOptionButton opt;
    opt.initFrom(b);
    opt.text = b->text();
    const QRect room = st->subElementRect(QStyle::SE_PushButtonContents, &opt, b);
    const int need = widestLine(fm, text) + kCaptionSlack;
    const int lines = static_cast<int>(text.count(QLatin1Char('\n'))) + 1;
    if (need > room.width()) return tooWide("caption", need, room.width());
    if (lines * fm.height() > b->height()) return tooWide("caption height", lines * fm.height(), b->height());
    return {};
  }
  if (qobject_cast<QCheckBox*>(w) || qobject_cast<QRadioButton*>(w)) {
    auto* ab = static_cast<QAbstractButton*>(w);
    const QString text = ab->text().replace(QLatin1String("&&"), QLatin1String("&"));
    if (text.trimmed().isEmpty()) return {};
    QStyleOptionButton opt;
    opt.initFrom(ab);
    opt.text = ab->text();
    const bool check = qobject_cast<QCheckBox*>(w) != nullptr;
    const QRect room = st->subElementRect(check ? QStyle::SE_CheckBoxContents : QStyle::SE_RadioButtonContents, &opt, ab);
    const int need = widestLine(fm, text) + kCaptionSlack;
    if (need > room.width()) return tooWide("caption beside its box", need, room.width());
    if (fm.height() > ab->height()) return tooWide("caption height", fm.height(), ab->height());
    return {};
  }
  if (auto* g = qobject_cast<QGroupBox*>(w)) {
    const QString title = g->title().replace(QLatin1String("&&"), QLatin1String("&"));
    if (title.trimmed().isEmpty()) return {};
    QStyleOptionGroupBox opt;
    opt.initFrom(g);
    opt.text = g->title();
    opt.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
    opt.textAlignment = g->alignment();
    opt.lineWidth = 1;
    const QRect label = st->subControlRect(QStyle::CC_GroupBox, &opt, QStyle::SC_GroupBoxLabel, g);
    if (label.right() + kCaptionSlack >= g->width()) return tooWide("title", label.right() + 1 + kCaptionSlack, g->width());
    return {};
  }
  if (auto* l = qobject_cast<QLabel*>(w)) {
    // Line breaks and blanks at the end show nothing: a label may lose them.
    QString text = l->text();
    while (!text.isEmpty() && text.back().isSpace()) text.chop(1);
    if (text.trimmed().isEmpty()) return {};
    const QRect room = l->contentsRect();
    const int flags = static_cast<int>(l->alignment()) | (l->wordWrap() ? Qt::TextWordWrap : 0);
    const QRect need = fm.boundingRect(QRect(0, 0, room.width(), 100000), flags, text);
    if (need.width() > room.width()) return tooWide("a word of the caption", need.width(), room.width());
    if (need.height() > room.height()) return tooWide("caption, wrapped, height", need.height(), room.height());
    return {};
  }
  if (auto* e = qobject_cast<QLineEdit*>(w)) {
    // A one-line box scrolls its text sideways, not up and down: its line must show.
    QStyleOptionFrame opt;
    opt.initFrom(e);
    opt.lineWidth = e->hasFrame() ? st->pixelMetric(QStyle::PM_DefaultFrameWidth, &opt, e) : 0;
    const QRect room = st->subElementRect(QStyle::SE_LineEditContents, &opt, e);
    if (fm.height() > room.height() + 2) return tooWide("line height", fm.height(), room.height());
    return {};
  }
  return {};
}

// A widget drawn over part of w: a later sibling of w, or of a frame around w, that
// overlaps it by more than a pixel each way; null when none. An empty label hides
// nothing and is passed over.
inline const QWidget* drawnOverPart(const QWidget* w) {
  const QRect own = user::rectInWindow(w);
  for (const QWidget* level = w; level && !level->isWindow(); level = level->parentWidget()) {
    const QWidget* parent = level->parentWidget();
    if (!parent) break;
    bool above = false;
    for (QObject* o : parent->children()) {
      if (o == level) {
        above = true;
        continue;
      }
      auto* s = qobject_cast<QWidget*>(o);
      if (!above || !s || s->isWindow() || !seen(s) || !s->objectName().startsWith(QLatin1String("qv_"))) continue;
      if (auto* l = qobject_cast<QLabel*>(s); l && l->text().isEmpty()) continue;
      const QRect r = user::rectInWindow(s).intersected(own);
      if (r.width() > 1 && r.height() > 1) return s;
    }
  }
  return nullptr;
}

// Why the form font of f is not the one its designs were measured in; empty when it is.
inline std::string fontFault(platform::Form& f) {
  QWidget* client = f.clientWidget();
  const QFontInfo used(client->font());
  if (used.family() == client->font().family()) return {};
  return "the form font " + client->font().family().toStdString() + " is not installed (" +
         used.family().toStdString() + " is used)";
}

// What breaks the layout rule in form f, now, each as "form / control / state: why".
// backgrounds: controls that panels lie over by design (the picture a panel floats
// on); their centre may be covered, all else is checked.
inline std::vector<std::string> offenders(platform::Form& f, const std::string& state,
                                          const std::set<std::string>& backgrounds = {}) {
  QApplication::processEvents();
  std::vector<std::string> found;
  if (const std::string why = fontFault(f); !why.empty()) found.push_back(f.name() + " / " + state + ": " + why);
  std::set<const QWidget*> done;
  for (platform::Component* comp : f.impl().components) {
    auto* c = dynamic_cast<platform::Control*>(comp);
    if (!c) continue;
    QWidget* w = c->widget();
    if (!w || done.count(w) || !seen(w)) continue;
    if (dynamic_cast<platform::StatusBar*>(c)) continue;   // kept to the window's edge by the window
    done.insert(w);
    if (!w->isEnabled()) {
      // Greyed, a control still shows its caption.
      if (const std::string why = captionFault(*c); !why.empty())
        found.push_back(f.name() + " / " + nameOf(*c) + " / " + state + " (disabled): " + why);
      continue;
    }
    const bool background = backgrounds.count(nameOf(*c)) != 0;
    std::string why = user::whyUnreachableAt(w, user::centreOf(w));
    if (background && why.find(" is covered there by ") != std::string::npos) why.clear();
    if (why.empty() && !background)
      if (const QWidget* over = drawnOverPart(w)) why = nameOf(*c) + " is partly covered by " + user::describe(over);
    if (why.empty()) why = captionFault(*c);
    if (!why.empty()) found.push_back(f.name() + " / " + nameOf(*c) + " / " + state + ": " + why);
  }
  return found;
}

// Panel and the names of every control it holds, added to backgrounds: for a panel
// that another, opened after it, lies over by design.
inline std::set<std::string> withPanel(platform::Form& f, const platform::Control& panel,
                                       std::set<std::string> backgrounds) {
  const QWidget* p = panel.widget();
  for (platform::Component* comp : f.impl().components) {
    const auto* c = dynamic_cast<const platform::Control*>(comp);
    if (c && c->widget() && p && (c->widget() == p || p->isAncestorOf(c->widget()))) backgrounds.insert(nameOf(*c));
  }
  return backgrounds;
}

inline std::string joined(const std::vector<std::string>& lines) {
  std::string s;
  for (const std::string& l : lines) s += "  " + l + "\n";
  return s;
}

// Saves a picture of form f's window as it is drawn now (for looking at a layout).
inline bool saveScreenshot(platform::Form& f, const std::string& path) {
  QApplication::processEvents();
  QWidget* w = f.window();
  return w && w->grab().save(QString::fromStdString(path), "PNG");
}

// When the environment names a folder in QV_LAYOUT_SHOTS, a picture of f in this state
// goes there as "form-state.png", for a person to look at.
inline void shotIfAsked(platform::Form& f, const std::string& state) {
  const char* folder = std::getenv("QV_LAYOUT_SHOTS");
  if (!folder || !*folder) return;
  std::string file = f.name() + "-" + state;
  for (char& ch : file)
    if (!std::isalnum(static_cast<unsigned char>(ch)) && ch != '-' && ch != '_') ch = '_';
  saveScreenshot(f, std::string(folder) + "/" + file + ".png");
}

// Fails the test with the list of offenders of f in this state.
inline void expectClean(platform::Form& f, const std::string& state, const std::set<std::string>& backgrounds = {}) {
  shotIfAsked(f, state);
  const std::vector<std::string> found = offenders(f, state, backgrounds);
  EXPECT_TRUE(found.empty()) << found.size() << " control(s) break the layout rule:\n" << joined(found);
}

}  // namespace layout
