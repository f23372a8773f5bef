#pragma once
// What a user can do with the mouse and the keyboard, for the window tests: a control
// is pressed only when a user could press it (shown, enabled, inside its window and
// every frame around it, and the widget under the point clicked is it, not a sibling
// drawn over it, nor an open drop-down list or menu that takes every click). A control
// that cannot be reached fails the test and is not pressed. Clicks go through the
// window as the system's do, and keys go where the system sends them: an open popup
// takes both. Menu items are chosen only when they and every menu above them are
// shown and enabled.

#include <QApplication>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QRect>
#include <QString>
#include <QWidget>
#include <QWindow>

#include <gtest/gtest.h>

#include <string>

#include "platform/control.h"
#include "platform/controls.h"
#include "platform/flexgrid.h"
#include "platform/form_impl.h"
#include "platform/menu.h"

namespace user {

// Rectangle of w in the coordinates of its window.
inline QRect rectInWindow(const QWidget* w) {
  return QRect(w->mapTo(w->window(), QPoint(0, 0)), w->size());
}

// The control c's name as its form knows it: "Bout(44)", "Text4".
inline std::string nameOf(const platform::Component& c) {
  return c.index() >= 0 ? c.name() + "(" + std::to_string(c.index()) + ")" : c.name();
}

// The name of the control that widget w is, or is part of (the viewport of a list,
// the editor of a grid...), as its form knows it; "its window" for the window's own
// client area.
inline std::string describe(const QWidget* w) {
  if (!w) return "nothing";
  const auto* win = dynamic_cast<const platform::FormWindow*>(w->window());
  platform::Form* f = win ? win->form() : nullptr;
  for (const QWidget* a = w; a; a = a->parentWidget()) {
    if (f) {
      if (a == f->impl().client || a == win) return "its window";
      for (platform::Component* comp : f->impl().components) {
        const auto* c = dynamic_cast<const platform::Control*>(comp);
        if (c && c->widget() == a) return nameOf(*c);
      }
    }
    if (a->isWindow()) break;
  }
  const std::string name = w->objectName().toStdString();
  return name.empty() ? std::string(w->metaObject()->className()) : name;
}

// Why a user could not click point p (in w's own coordinates) of widget w; empty when
// a user can.
inline std::string whyUnreachableAt(const QWidget* w, QPoint p) {
  if (!w) return "no widget";
  if (!w->isVisible()) return describe(w) + " is not showing";
  if (!w->isEnabled()) return describe(w) + " is disabled";
  if (!w->rect().contains(p)) return describe(w) + ": the point is outside the control";
  const QWidget* window = w->window();
  const QRect own = rectInWindow(w);
  for (const QWidget* a = w->parentWidget(); a; a = a->parentWidget()) {
    const QRect outer = rectInWindow(a);
    if (!outer.contains(own))
      return describe(w) + " is not wholly inside " + describe(a) + (a == window ? " (its window)" : "");
    if (a == window) break;
  }
  // While a drop-down list or a menu is open, a click anywhere else only closes it.
  if (const QWidget* popup = QApplication::activePopupWidget(); popup && popup != window)
    return describe(w) + " is behind the open popup of " + describe(popup->parentWidget()) +
           ": a click there closes it";
  const QPoint inWindow = w->mapTo(window, p);
  const QWidget* hit = window->childAt(inWindow);
  if (hit != w && !(hit && w->isAncestorOf(hit)))
    return describe(w) + " is covered there by " + (hit ? describe(hit) : std::string("its window"));
  return std::string();
}

inline QPoint centreOf(const QWidget* w) { return w->rect().center(); }

inline std::string whyUnreachable(const platform::Control& c) {
  const QWidget* w = c.widget();
  return w ? whyUnreachableAt(w, centreOf(w)) : "no widget";
}

// A press and release of a button at point p of w, given to w's window as the system
// gives it: the window hands it to the widget under the point, or to the popup that is
// open (a click outside a popup closes it and goes no further), and a right press
// brings the context menu of what is under it.
inline void pressAndRelease(QWidget* w, QPoint p, Qt::MouseButton button = Qt::LeftButton,
                            Qt::KeyboardModifiers mods = Qt::NoModifier) {
  QWidget* window = w->window();
  const QPointF local = w->mapTo(window, QPointF(p));
  const QPointF global = w->mapToGlobal(QPointF(p));
  QWindow* handle = window->windowHandle();
  ASSERT_NE(handle, nullptr) << describe(w) << ": its window is not on screen";
  QMouseEvent press(QEvent::MouseButtonPress, local, local, global, button, button, mods);
  QCoreApplication::sendEvent(handle, &press);
  QMouseEvent release(QEvent::MouseButtonRelease, local, local, global, button, Qt::NoButton, mods);
  QCoreApplication::sendEvent(handle, &release);
  QCoreApplication::processEvents();
}

// Clicks control c at the point (fx, fy) given as fractions of its width and height
// (0.5, 0.5 being its centre); fails the test and does nothing when a user could not.
inline bool clickAt(platform::Control& c, double fx, double fy) {
  QWidget* w = c.widget();
  const QPoint p = w ? QPoint(static_cast<int>(fx * (w->width() - 1) + 0.5), static_cast<int>(fy * (w->height() - 1) + 0.5))
                     : QPoint();
  const std::string why = w ? whyUnreachableAt(w, p) : "no widget";
  if (!why.empty()) {
    ADD_FAILURE() << c.name() << (c.index() >= 0 ? "(" + std::to_string(c.index()) + ")" : std::string())
                  << " cannot be clicked: " << why;
    return false;
  }
  pressAndRelease(w, p);
  return true;
}

// Clicks control c at its centre, as a user does.
inline bool click(platform::Control& c) { return clickAt(c, 0.5, 0.5); }

// Clicks the middle of the part of cell (r, c) of grid g that shows; fails the test and
// does nothing when no part of it shows or a user could not click there.
inline bool clickCell(platform::FlexGrid& g, int r, int c) {
  QWidget* w = g.widget();
  const QRect cell(static_cast<int>(g.colPos(c) / 15), static_cast<int>(g.rowPos(r) / 15),
                   static_cast<int>(g.colWidth(c) / 15), static_cast<int>(g.rowHeight(r) / 15));
  const QRect seen = w ? cell.intersected(w->rect().adjusted(0, 0, -18, -18)) : QRect();
  if (seen.width() < 2 || seen.height() < 2) {
    ADD_FAILURE() << g.name() << " cell (" << r << ", " << c << ") does not show";
    return false;
  }
  const QPoint p = seen.center();
  const std::string why = whyUnreachableAt(w, p);
  if (!why.empty()) {
    ADD_FAILURE() << g.name() << " cell (" << r << ", " << c << ") cannot be clicked: " << why;
    return false;
  }
  pressAndRelease(w, p);
  return true;
}

// A double click at the centre of c.
inline bool doubleClick(platform::Control& c) {
  if (!click(c)) return false;
  QWidget* w = c.widget();
  QWidget* window = w->window();
  QWidget* target = window->childAt(w->mapTo(window, centreOf(w)));
  if (!target) target = w;
  const QPointF local = target->mapFrom(w, centreOf(w));
  QMouseEvent dbl(QEvent::MouseButtonDblClick, local, w->mapToGlobal(QPointF(centreOf(w))), Qt::LeftButton,
                  Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(target, &dbl);
  QMouseEvent release(QEvent::MouseButtonRelease, local, w->mapToGlobal(QPointF(centreOf(w))), Qt::LeftButton,
                      Qt::NoButton, Qt::NoModifier);
  QCoreApplication::sendEvent(target, &release);
  QCoreApplication::processEvents();
  return true;
}

// Where the system gives a key: to the open popup (its focused part, or itself),
// else to the widget that has the focus, else to w.
inline QWidget* keyTarget(QWidget* w) {
  if (QWidget* popup = QApplication::activePopupWidget()) return popup->focusWidget() ? popup->focusWidget() : popup;
  return QApplication::focusWidget() ? QApplication::focusWidget() : w;
}

// A key pressed and held, where the system gives it (keyTarget); releaseKey lets it go.
inline void holdKey(QWidget* w, int qtKey, const QString& text = QString(),
                    Qt::KeyboardModifiers mods = Qt::NoModifier) {
  QKeyEvent press(QEvent::KeyPress, qtKey, mods, text);
  QCoreApplication::sendEvent(keyTarget(w), &press);
  QCoreApplication::processEvents();
}

// A held key let go, where the system gives it. A modifier key let go no longer holds
// its own modifier.
inline void releaseKey(QWidget* w, int qtKey, const QString& text = QString(),
                       Qt::KeyboardModifiers mods = Qt::NoModifier) {
  if (qtKey == Qt::Key_Alt) mods &= ~Qt::AltModifier;
  if (qtKey == Qt::Key_Control) mods &= ~Qt::ControlModifier;
  if (qtKey == Qt::Key_Shift) mods &= ~Qt::ShiftModifier;
  QKeyEvent release(QEvent::KeyRelease, qtKey, mods, text);
  QCoreApplication::sendEvent(keyTarget(w), &release);
  QCoreApplication::processEvents();
}

// One key pressed and released where the system gives it (keyTarget).
inline void pressKey(QWidget* w, int qtKey, const QString& text = QString(),
                     Qt::KeyboardModifiers mods = Qt::NoModifier) {
  holdKey(w, qtKey, text, mods);
  releaseKey(w, qtKey, text, mods);
}

// The Alt key pressed and let go alone, where the system gives it.
inline void pressAlt(QWidget* w) { pressKey(w, Qt::Key_Alt, QString(), Qt::AltModifier); }

// Ticks (1) or unticks (0) check box c as a user does: one click when it is not so
// already.
inline bool setValue(platform::CheckBox& c, int v) { return c.value() == v || click(c); }

// Selects option o as a user does: a click when it is not selected already. A user
// cannot clear an option but by choosing another: false fails the test.
inline bool setValue(platform::OptionButton& o, bool v) {
  if (!v) {
    ADD_FAILURE() << o.name() << ": a user clears an option only by choosing another";
    return false;
  }
  return o.value() || click(o);
}

// Clicks into a text box, selects what it holds and types text over it key by key.
inline bool typeInto(platform::Control& box, const std::string& text) {
  if (!click(box)) return false;
  QWidget* w = box.widget();
  w->setFocus();
  pressKey(w, Qt::Key_A, QString(), Qt::ControlModifier);
  const QString t = QString::fromStdString(text);
  if (t.isEmpty()) pressKey(w, Qt::Key_Delete);
  for (const QChar ch : t) pressKey(w, 0, QString(ch));
  return true;
}

// Why a user could not choose menu item m; empty when one can.
inline std::string whyUnchoosable(const platform::MenuItem& m) {
  for (const platform::MenuItem* i = &m; i; i = i->parentItem()) {
    if (!i->visible()) return i->name() + " is not showing";
    if (!i->enabled()) return i->name() + " is disabled";
  }
  return std::string();
}

// Chooses menu item m as a user does; fails the test and does nothing when a user
// could not.
inline bool choose(platform::MenuItem& m) {
  const std::string why = whyUnchoosable(m);
  if (!why.empty()) {
    ADD_FAILURE() << "menu item " << m.name() << " \"" << m.caption() << "\" cannot be chosen: " << why;
    return false;
  }
  m.click();
  QCoreApplication::processEvents();
  return true;
}

// The menu bar of the window of menu title m.
inline QMenuBar* menuBarOf(const platform::MenuItem& m) {
  return static_cast<QMainWindow*>(m.form().window())->menuBar();
}

// Opens the list of menu title m with a click on it in its window's menu bar, as a
// user does; fails the test and does nothing when a user could not.
inline bool openMenu(platform::MenuItem& m) {
  const std::string why = m.parentItem() ? m.name() + " is no title of the menu bar" : whyUnchoosable(m);
  QMenuBar* bar = menuBarOf(m);
  const QRect title = bar->actionGeometry(m.action());
  if (!why.empty() || title.isEmpty() || !bar->isVisible()) {
    ADD_FAILURE() << "menu " << m.name() << " cannot be opened: " << (why.empty() ? "not on the menu bar" : why);
    return false;
  }
  pressAndRelease(bar, title.center());
  QMenu* list = m.action()->menu();
  EXPECT_TRUE(list && list->isVisible()) << "menu " << m.name() << " did not open";
  return list && list->isVisible();
}

// Clicks item m of a title's list that shows open; fails the test and does nothing
// when it does not show or a user could not choose the item.
inline bool clickMenuItem(platform::MenuItem& m) {
  const std::string why = whyUnchoosable(m);
  QMenu* list = m.parentItem() ? m.parentItem()->action()->menu() : nullptr;
  if (!why.empty() || !list || !list->isVisible()) {
    ADD_FAILURE() << "menu item " << m.name() << " cannot be clicked: "
                  << (why.empty() ? "its list is not open" : why);
    return false;
  }
  pressAndRelease(list, list->actionGeometry(m.action()).center());
  return true;
}

// A click on a menu item is choosing it.
inline bool click(platform::MenuItem& m) { return choose(m); }

}  // namespace user
