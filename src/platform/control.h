#pragma once
// Base of every control and of every container (forms, frames, picture boxes).
// Geometry is in twips (15 per logical pixel) relative to the container's client
// area, kept as reals. Events are std::function members named onX; they run inside
// the event loop and any exception they throw is caught and reported (reportError).

#include <functional>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "platform/colour.h"

class QWidget;

namespace platform {

class Form;
class Control;

// Mouse buttons and shift masks as the handlers receive them.
enum MouseButton { kLeftButton = 1, kRightButton = 2, kMiddleButton = 4 };
enum ShiftMask { kShiftMask = 1, kCtrlMask = 2, kAltMask = 4 };

using MouseHandler = std::function<void(int button, int shift, double x, double y)>;
using KeyHandler = std::function<void(int& keyCode, int shift)>;
using KeyPressHandler = std::function<void(int& keyAscii)>;

// Thrown by an index check (control arrays, grids, text tables); caught and reported
// at the event boundary so that the failing step stops and the program goes on.
class IndexError : public std::out_of_range {
 public:
  using std::out_of_range::out_of_range;
};

// Reports a failure caught at an event boundary. The default shows a message box;
// tests may replace it.
void reportError(const std::string& where, const std::string& what);
void setErrorReporter(std::function<void(const std::string&, const std::string&)> r);
// Runs fn, catching and reporting any exception (the event boundary).
void guarded(const char* where, const std::function<void()>& fn);

// Something named that a language file can retitle: a control or a menu item.
class Component {
 public:
  Component(std::string name, int index) : name_(std::move(name)), index_(index) {}
  virtual ~Component() = default;
  Component(const Component&) = delete;
  Component& operator=(const Component&) = delete;
  const std::string& name() const { return name_; }
  int index() const { return index_; }   // -1 when not part of an array
  virtual std::string caption() const = 0;
  virtual void setCaption(const std::string& text) = 0;

 private:
  std::string name_;
  int index_;
};

// A place controls can be put in.
class Container {
 public:
  virtual ~Container() = default;
  virtual Form& form() = 0;
  // The widget whose client area the children are placed in (internal).
  virtual QWidget* clientWidget() = 0;
};

class Control : public Component {
 public:
  Control(Container& parent, const std::string& name, int index = -1);
  ~Control() override;

  Container& parent() const { return *parent_; }

  double left() const;
  double top() const;
  double width() const;
  double height() const;
  void setLeft(double twips);
  void setTop(double twips);
  void setWidth(double twips);    // negative sizes are taken as 0
  void setHeight(double twips);
  void move(double left, double top);
  void move(double left, double top, double width, double height);

  bool visible() const;          // the control's own Visible property
  void setVisible(bool v);
  bool enabled() const;
  void setEnabled(bool e);

  Colour backColor() const;
  virtual void setBackColor(Colour c);
  Colour foreColor() const;
  virtual void setForeColor(Colour c);
  double fontSize() const;       // points
  void setFontSize(double points);
  bool fontBold() const;
  void setFontBold(bool b);
  std::string fontName() const;
  void setFontName(const std::string& name);

  std::string toolTipText() const;
  void setToolTipText(const std::string& t);
  void setFocus();
  bool hasFocus() const;
  void zOrder(int position = 0);   // 0 brings to front, 1 sends to back

  // Caption for labels, buttons, frames, check and option boxes; text for the others.
  std::string caption() const override { return std::string(); }
  void setCaption(const std::string&) override {}

  QWidget* widget() const;   // internal

 protected:
  // Called once by the concrete control's constructor with its widget, already
  // parented to parent.clientWidget().
  void attach(QWidget* w);
  // Records the back and fore colours without restyling the widget, for a control
  // that paints everything with them itself.
  void keepColours(Colour back, Colour fore);

 private:
  Container* parent_;
  struct State;
  std::unique_ptr<State> s_;
};

// Controls indexed by number with gaps (Bout(1..50), TBox(0..8)...): one handler per
// event, receiving the index. Elements are created with add(); indexing a missing
// element throws IndexError.
template <class T>
class ControlArray {
 public:
  ControlArray(Container& parent, std::string name) : parent_(&parent), name_(std::move(name)) {}
  // Elements go in the reverse order of their making, so that a frame of the array
  // that holds others (made before them) goes after them.
  ~ControlArray() {
    for (auto it = made_.rbegin(); it != made_.rend(); ++it) items_.erase(*it);
  }
  ControlArray(const ControlArray&) = delete;
  ControlArray& operator=(const ControlArray&) = delete;

  template <class... Args>
  T& add(int index, Args&&... args) {
    auto p = std::make_unique<T>(*parent_, name_, index, std::forward<Args>(args)...);
    T& ref = *p;
    bindEvents(ref, index);
    items_[index] = std::move(p);
    made_.push_back(index);
    return ref;
  }
  // The same, the element sitting in another container than the array's (a frame).
  template <class... Args>
  T& addIn(Container& container, int index, Args&&... args) {
    auto p = std::make_unique<T>(container, name_, index, std::forward<Args>(args)...);
    T& ref = *p;
    bindEvents(ref, index);
    items_[index] = std::move(p);
    made_.push_back(index);
    return ref;
  }
  bool exists(int index) const { return items_.count(index) != 0; }
  T& operator()(int index) const {
    auto it = items_.find(index);
    if (it == items_.end())
      throw IndexError(name_ + "(" + std::to_string(index) + ") does not exist");
    return *it->second;
  }
  int lbound() const { return items_.empty() ? 0 : items_.begin()->first; }
  int ubound() const { return items_.empty() ? -1 : items_.rbegin()->first; }
  std::vector<int> indices() const {
    std::vector<int> v;
    for (auto& kv : items_) v.push_back(kv.first);
    return v;
  }
  const std::string& name() const { return name_; }

  std::function<void(int)> onClick;
  std::function<void(int)> onDblClick;
  std::function<void(int)> onChange;
  std::function<void(int, int button, int shift, double x, double y)> onMouseDown;
  std::function<void(int, int button, int shift, double x, double y)> onMouseUp;
  std::function<void(int, int button, int shift, double x, double y)> onMouseMove;
  std::function<void(int, int& keyCode, int shift)> onKeyDown;
  std::function<void(int, int& keyCode, int shift)> onKeyUp;
  std::function<void(int, int& keyAscii)> onKeyPress;
  std::function<void(int)> onGotFocus;
  std::function<void(int)> onLostFocus;

 private:
  void bindEvents(T& c, int i) {
    if constexpr (requires { c.onClick = std::function<void()>(); })
      c.onClick = [this, i] { if (onClick) onClick(i); };
    if constexpr (requires { c.onDblClick = std::function<void()>(); })
      c.onDblClick = [this, i] { if (onDblClick) onDblClick(i); };
    if constexpr (requires { c.onChange = std::function<void()>(); })
      c.onChange = [this, i] { if (onChange) onChange(i); };
    if constexpr (requires { c.onMouseDown = MouseHandler(); }) {
      c.onMouseDown = [this, i](int b, int s, double x, double y) { if (onMouseDown) onMouseDown(i, b, s, x, y); };
      c.onMouseUp = [this, i](int b, int s, double x, double y) { if (onMouseUp) onMouseUp(i, b, s, x, y); };
      c.onMouseMove = [this, i](int b, int s, double x, double y) { if (onMouseMove) onMouseMove(i, b, s, x, y); };
    }
    if constexpr (requires { c.onKeyDown = KeyHandler(); }) {
      c.onKeyDown = [this, i](int& k, int s) { if (onKeyDown) onKeyDown(i, k, s); };
      c.onKeyUp = [this, i](int& k, int s) { if (onKeyUp) onKeyUp(i, k, s); };
    }
    if constexpr (requires { c.onKeyPress = KeyPressHandler(); })
      c.onKeyPress = [this, i](int& k) { if (onKeyPress) onKeyPress(i, k); };
    if constexpr (requires { c.onGotFocus = std::function<void()>(); }) {
      c.onGotFocus = [this, i] { if (onGotFocus) onGotFocus(i); };
      c.onLostFocus = [this, i] { if (onLostFocus) onLostFocus(i); };
    }
  }

  Container* parent_;
  std::string name_;
  std::map<int, std::unique_ptr<T>> items_;
  std::vector<int> made_;   // indices in the order of their making
};

}  // namespace platform
