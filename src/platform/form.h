#pragma once
// A top-level window. The window itself is created on first use (load(), or any show),
// which fires onLoad once. Geometry in twips: left/top/width/height are the outer
// frame, scaleWidth/scaleHeight the client area (below the menu bar).
//
// Activation follows the original platform, not the window manager: onActivate fires
// when the form is first shown and whenever another window of the program closes or
// hides and this form is the topmost visible one left; switching to another
// application and back fires nothing.

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/control.h"

class QWidget;

namespace platform {

class MenuItem;
class StatusBar;

enum WindowState { kNormal = 0, kMinimized = 1, kMaximized = 2 };
enum UnloadMode { kFormControlMenu = 0, kFormCode = 1 };

class Form : public Container, public Component {
 public:
  explicit Form(const std::string& name);
  ~Form() override;

  Form& form() override { return *this; }
  QWidget* clientWidget() override;
  QWidget* window();   // the top-level widget (internal)

  // Lifecycle.
  void load();                 // creates the window once and fires onLoad
  bool isLoaded() const;
  void show();                 // modeless; loads first
  void showModal();            // returns when the form is hidden or unloaded
  void hide();
  // Fires onQueryUnload (which may cancel), then onUnload, then hides; false when
  // cancelled. The object stays usable: a later show() loads it again.
  bool unload(int mode = kFormCode);
  bool visible() const;
  bool isModal() const;

  std::string caption() const override;
  void setCaption(const std::string& text) override;

  double left() const;
  double top() const;
  double width() const;
  double height() const;
  void setLeft(double twips);
  void setTop(double twips);
  void setWidth(double twips);
  void setHeight(double twips);
  void move(double left, double top);
  void move(double left, double top, double width, double height);
  double scaleWidth() const;
  double scaleHeight() const;

  int windowState() const;
  void setWindowState(int state);

  Colour backColor() const;
  void setBackColor(Colour c);

  // Key preview: the form's key handlers see keys before the focused control; a
  // handler that sets keyCode to 0 stops the key there. Key codes are the original
  // ones (8, 13, 16, 17, 18, 27, 32, 33-40, 46, 48-57, A-Z as 65-90, F1-F12 as
  // 112-123, 226 for the "<>" key); auto-repeated keys are filtered out.
  bool keyPreview() const;
  void setKeyPreview(bool on);

  // The control that takes the focus when the control holding it is hidden or disabled
  // (alone or with a frame around it), provided it can take it then (showing and
  // enabled); without one, or when it cannot, the focus goes on to the control after
  // the one hidden in reading order. nullptr for none.
  void setFocusAfterHide(Control* c);

  // Menus of the menu bar.
  MenuItem& addMenu(const std::string& name, const std::string& caption, int index = -1);
  // The status bar at the bottom of the window (created on first use).
  StatusBar& statusBar();

  // Controls and menu items registered by name and index (-1 when not an array).
  Component* find(const std::string& name, int index = -1) const;
  bool exists(const std::string& name, int index = -1) const { return find(name, index) != nullptr; }
  void registerComponent(Component* c);     // called by controls and menu items
  void unregisterComponent(Component* c);

  // The mouse pointer over the whole form: 0 default, 11 hourglass.
  void setMousePointer(int pointer);

  std::function<void()> onLoad;
  std::function<void()> onActivate;
  std::function<void()> onResize;
  std::function<void(int& cancel, int unloadMode)> onQueryUnload;
  std::function<void(int& cancel)> onUnload;
  KeyHandler onKeyDown;
  KeyHandler onKeyUp;
  KeyPressHandler onKeyPress;
  MouseHandler onMouseDown;
  MouseHandler onMouseUp;
  MouseHandler onMouseMove;

  // All forms of the program currently loaded (internal: activation bookkeeping).
  static std::vector<Form*> loadedForms();

  struct Impl;
  Impl& impl();

 private:
  std::unique_ptr<Impl> d_;
};

// Translates a Qt key code to the original key code (0 when it has none).
int keyCodeFromQt(int qtKey, int nativeVirtualKey = 0);

}  // namespace platform
