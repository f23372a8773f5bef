#pragma once
// Internal state of a Form, shared by form.cpp, controls.cpp and menu.cpp.

#include <QMainWindow>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/form.h"

class QEventLoop;
class QMenuBar;
class QKeyEvent;
class QFocusEvent;

namespace platform {

class MenuItem;
class StatusBar;

// The top-level window of a form: closing it asks the form to unload, resizing it
// fires the form's Resize.
class FormWindow : public QMainWindow {
 public:
  explicit FormWindow(Form* f);
  Form* form() const { return form_; }
  void detach() { form_ = nullptr; }

 protected:
  void closeEvent(QCloseEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  bool focusNextPrevChild(bool next) override;

 private:
  Form* form_;
};

// The client area: children are placed in it at absolute positions; mouse events on
// its background go to the form; an aligned status bar keeps to its bottom edge.
class ClientArea : public QWidget {
 public:
  ClientArea(Form* f, QWidget* parent);
  void detach() { form_ = nullptr; }

 protected:
  void mousePressEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mouseDoubleClickEvent(QMouseEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;

 private:
  Form* form_;
};

struct Form::Impl {
  Form* self = nullptr;
  std::string caption;
  FormWindow* win = nullptr;        // owned; created on first use
  ClientArea* client = nullptr;     // child of win
  bool loaded = false;
  int loads = 0;                    // how many times the form was loaded
  bool shown = false;               // the form's own Visible
  bool modal = false;
  bool keyPreview = false;
  bool showing = false;             // inside show(): resize events are not reported
  bool everShown = false;
  int resizeDepth = 0;
  int unloading = 0;                // inside unload()'s QueryUnload
  int pendingState = kNormal;       // window state to apply at the next show
  Colour back = kButtonFace;
  double left = 0, top = 0, width = 0, height = 0;   // twips as set (outer frame)
  QPointer<QWidget> focusAfterHide;   // see Form::setFocusAfterHide
  QEventLoop* modalLoop = nullptr;
  std::shared_ptr<bool> alive = std::make_shared<bool>(true);
  std::vector<Component*> components;
  std::vector<std::unique_ptr<MenuItem>> menus;
  std::unique_ptr<StatusBar> ownStatusBar;
  StatusBar* statusBar = nullptr;   // the aligned status bar, own or the program's
  QWidget* statusWidget = nullptr;

  void ensureWindow();
  QMenuBar* menuBar();
  void fireResize();
  // Places the window so that its outer frame has the geometry in twips stored.
  void applyGeometry();
  void layoutStatusBar();
  // Runs the form's key handlers for a key event meant for w; true when a handler
  // stopped the key (keyCode or keyAscii set to 0, or the key was replaced).
  bool handleKey(QWidget* w, QKeyEvent* e);
};

// What the program sees of a control's focus. Switching windows or opening a popup (a
// menu, a drop-down list, the control's own or another's) is no change of focus for
// the program, whatever reason Qt gives for the focus going into the popup: the
// control that had the focus takes it back silently. Nor is the menu bar taking the
// keyboard (Alt alone, or Escape out of one of its menus): the control keeps the focus
// until the menu bar gives it back, silently, or another control of its window takes
// it, which runs this one's LostFocus before its own GotFocus. The first focus of a
// window that comes up counts, and so does the first one after its form was loaded
// again.
class FocusMemory {
 public:
  // got and lost run the control's GotFocus and LostFocus.
  FocusMemory(std::function<void()> got, std::function<void()> lost);
  ~FocusMemory();
  FocusMemory(const FocusMemory&) = delete;
  FocusMemory& operator=(const FocusMemory&) = delete;

  // Focus event e (in or out) of the control's widget w: runs GotFocus or LostFocus
  // when it is a change of focus for the program, nothing otherwise.
  void take(const QWidget* w, const QFocusEvent* e);

 private:
  // True when e is a change of focus for the program.
  bool changes(const QWidget* w, const QFocusEvent* e);

  std::function<void()> got_, lost_;
  bool holds_ = false;   // has the focus as the program sees it
  int load_ = 0;         // the load of the form it took the focus in
  const QWidget* window_ = nullptr;   // its window, while the menu bar holds the keyboard
};

// Installs the aligned status bar widget of a form (called by StatusBar).
void installStatusBar(Form& f, StatusBar* bar, QWidget* w);
void removeStatusBar(Form& f, StatusBar* bar);

// True while a key event re-sent with a changed character is being delivered, so
// that no handler sees it twice.
bool keyReinjecting();
// Sends a copy of a key press with the character ascii to w (a handler changed it).
void reinjectKey(QWidget* w, QKeyEvent* e, int ascii);
// The character code (0-255) a key press gives to KeyPress handlers, or -1.
int keyAsciiOf(QKeyEvent* e);

}  // namespace platform
