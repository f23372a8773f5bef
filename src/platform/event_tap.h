#pragma once
// Internal: forwards the mouse, key and focus events of a control's widgets to the
// control's handlers, in the original's units (twips in the control's coordinates,
// original key codes, shift masks). Install it on the control's widget and on any
// inner widget that receives the events (a scroll area's viewport).

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <string>

#include "platform/control.h"
#include "platform/form_impl.h"

class QKeyEvent;

namespace platform {

class EventTap : public QObject {
 public:
  // control: the widget whose coordinates mouse positions are given in; name: the
  // control's name for error reports.
  EventTap(QWidget* control, std::string name);
  // Listens to w's events too (w inside the control).
  void watch(QWidget* w);
  void setControl(QWidget* control);

  MouseHandler* mouseDown = nullptr;
  MouseHandler* mouseUp = nullptr;
  MouseHandler* mouseMove = nullptr;
  std::function<void()>* click = nullptr;      // press and release of the left button inside
  std::function<void()>* dblClick = nullptr;
  KeyHandler* keyDown = nullptr;
  KeyHandler* keyUp = nullptr;
  KeyPressHandler* keyPress = nullptr;
  std::function<void()>* gotFocus = nullptr;
  std::function<void()>* lostFocus = nullptr;

 protected:
  bool eventFilter(QObject* o, QEvent* e) override;

 private:
  bool key(QWidget* w, QKeyEvent* e);
  QPointer<QWidget> control_;
  std::string name_;
  bool replaying_ = false;
  bool pressedInside_ = false;
  FocusMemory focus_;
};

}  // namespace platform
