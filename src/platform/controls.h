#pragma once
// The standard controls: command buttons, labels, text boxes, check and option boxes,
// frames, list and combo boxes, scroll bars, the status bar and the folder list.
// Every constructor takes (container, name, index = -1, ...) so that a ControlArray
// can create the elements of an array. Setting a value from code fires the control's
// Click or Change at once, only when the value changes.

#include <functional>
#include <string>
#include <vector>

#include "platform/control.h"

class QObject;

namespace platform {

class EventTap;

class CommandButton : public Control {
 public:
  CommandButton(Container& parent, const std::string& name, int index = -1);
  ~CommandButton() override;
  std::string caption() const override;
  void setCaption(const std::string& text) override;
  // Fires onClick as a user click does (the original's Value = True).
  void click();

  std::function<void()> onClick;
  MouseHandler onMouseDown, onMouseUp, onMouseMove;
  KeyHandler onKeyDown, onKeyUp;
  KeyPressHandler onKeyPress;
  std::function<void()> onGotFocus, onLostFocus;

 private:
  std::string caption_;
  EventTap* tap_ = nullptr;
};

class Label : public Control {
 public:
  Label(Container& parent, const std::string& name, int index = -1);
  ~Label() override;
  std::string caption() const override;
  // The text is shown as given (line breaks CR LF or LF, words wrapped at the width).
  void setCaption(const std::string& text) override;
  int alignment() const { return alignment_; }
  void setAlignment(int a);        // 0 left, 1 right, 2 centre; others give left
  bool autoSize() const { return autoSize_; }
  void setAutoSize(bool on);       // the label takes the size of its text
  int backStyle() const { return backStyle_; }
  void setBackStyle(int s);        // 0 transparent, 1 opaque
  int borderStyle() const { return borderStyle_; }
  void setBorderStyle(int s);      // 0 none, 1 single line
  void setBackColor(Colour c) override;
  void setForeColor(Colour c) override;

  std::function<void()> onClick, onDblClick;
  MouseHandler onMouseDown, onMouseUp, onMouseMove;

 private:
  void restyle();
  void fit();
  std::string caption_;
  int alignment_ = 0;
  bool autoSize_ = false;
  int backStyle_ = 1;
  int borderStyle_ = 0;
  EventTap* tap_ = nullptr;
};

// A text box: one line, or several when made multi-line (constructor flag, or
// setMultiLine, which may be called at any time and keeps the text). text() gives
// line breaks as CR LF; positions count characters with a line break as two.
class TextBox : public Control {
 public:
  TextBox(Container& parent, const std::string& name, int index = -1, bool multiLine = false);
  ~TextBox() override;
  bool multiLine() const { return multiLine_; }
  void setMultiLine(bool on);

  std::string text() const;
  // Accepts CR LF, LF or CR line breaks; fires onChange when the text differs.
  void setText(const std::string& t);
  std::string caption() const override { return text(); }
  void setCaption(const std::string& t) override { setText(t); }

  // Selection in characters of text() (a line break counts two); values beyond the
  // end are taken as the end, negative values as 0.
  int selStart() const;
  void setSelStart(int pos);
  int selLength() const;
  void setSelLength(int n);
  std::string selText() const;
  // Replaces the selection (fires onChange when that changes the text).
  void setSelText(const std::string& t);

  bool locked() const { return locked_; }
  void setLocked(bool on);
  int maxLength() const { return maxLength_; }
  void setMaxLength(int n);        // 0 no limit; limits typing only
  int alignment() const { return alignment_; }
  void setAlignment(int a);        // 0 left, 1 right, 2 centre
  int scrollBars() const { return scrollBars_; }
  void setScrollBars(int s);       // multi-line: 0 none, 1 horizontal (no wrap), 2 vertical, 3 both

  std::function<void()> onChange, onClick, onDblClick;
  KeyHandler onKeyDown, onKeyUp;
  KeyPressHandler onKeyPress;
  std::function<void()> onGotFocus, onLostFocus;
  MouseHandler onMouseDown, onMouseUp, onMouseMove;

 private:
  QWidget* makeEditor(bool multi);
  void textMaybeChanged();
  void userEdited();
  void applyOptions();
  bool multiLine_ = false;
  bool locked_ = false;
  int maxLength_ = 0;
  int alignment_ = 0;
  int scrollBars_ = 0;
  std::string last_;
  EventTap* tap_ = nullptr;
};

class CheckBox : public Control {
 public:
  CheckBox(Container& parent, const std::string& name, int index = -1);
  ~CheckBox() override;
  std::string caption() const override;
  void setCaption(const std::string& text) override;
  int value() const;               // 0 unticked, 1 ticked, 2 greyed
  // Values other than 1 and 2 give 0; fires onClick once when the value changes.
  void setValue(int v);
  // True while onClick runs for a click of the user (false when code set the value).
  bool clickedByUser() const { return byUser_; }

  std::function<void()> onClick;
  MouseHandler onMouseDown, onMouseUp, onMouseMove;
  KeyHandler onKeyDown, onKeyUp;
  KeyPressHandler onKeyPress;
  std::function<void()> onGotFocus, onLostFocus;

 private:
  std::string caption_;
  EventTap* tap_ = nullptr;
  bool byUser_ = false;
};

// Option buttons are exclusive among those of the same container and group (group 0
// unless set): selecting one clears the others without firing their Click.
class OptionButton : public Control {
 public:
  OptionButton(Container& parent, const std::string& name, int index = -1);
  ~OptionButton() override;
  std::string caption() const override;
  void setCaption(const std::string& text) override;
  bool value() const;
  // true selects this one (firing its onClick when it was not selected) and clears the
  // others of its group; false only clears it.
  void setValue(bool v);
  int group() const { return group_; }
  void setGroup(int g);

  std::function<void()> onClick, onDblClick;
  MouseHandler onMouseDown, onMouseUp, onMouseMove;
  KeyHandler onKeyDown, onKeyUp;
  KeyPressHandler onKeyPress;
  std::function<void()> onGotFocus, onLostFocus;

 private:
  void clearOthers();
  std::string caption_;
  int group_ = 0;
  bool setting_ = false;
  EventTap* tap_ = nullptr;
};

// A captioned panel that holds controls of its own.
class Frame : public Control, public Container {
 public:
  Frame(Container& parent, const std::string& name, int index = -1);
  ~Frame() override;
  Form& form() override { return parent().form(); }
  QWidget* clientWidget() override { return widget(); }
  std::string caption() const override;
  void setCaption(const std::string& text) override;
  int borderStyle() const { return borderStyle_; }
  void setBorderStyle(int s);      // 0 none, 1 single line with the caption
  void setBackColor(Colour c) override;
  void setForeColor(Colour c) override;

  std::function<void()> onClick, onDblClick;
  MouseHandler onMouseDown, onMouseUp, onMouseMove;

 private:
  void restyle();
  std::string caption_;
  int borderStyle_ = 1;
  EventTap* tap_ = nullptr;
};

class ListBox : public Control {
 public:
  ListBox(Container& parent, const std::string& name, int index = -1);
  ~ListBox() override;
  // Adds text at index (-1 or listCount() for the end; a sorted list puts it in its
  // place, ignoring case). Throws IndexError for another index out of 0..listCount().
  void addItem(const std::string& text, int index = -1);
  // Throws IndexError when i is out of 0..listCount()-1.
  void removeItem(int i);
  void clear();
  // Replaces every entry by texts at once (a sorted list sorts them, ignoring case);
  // no selection afterwards.
  void setItems(const std::vector<std::string>& texts);
  // The same with the texts that source gives, then setListIndex(index) when index is
  // an entry. While the list is hidden and has no Click handler, source runs only when
  // the entries are first read, changed or shown: a hidden list refilled often costs
  // nothing until it is used.
  void setItemsLater(std::function<std::vector<std::string>()> source, int index);
  // Entry i; "" when i is out of range.
  std::string list(int i) const;
  // Throws IndexError when i is out of range.
  void setList(int i, const std::string& text);
  int listCount() const;
  int newIndex() const;                        // where the last addItem put its entry; -1 none
  long itemData(int i) const;                   // 0 when out of range
  void setItemData(int i, long v);              // throws IndexError when out of range

  int listIndex() const;           // -1 when none
  // -1 clears; throws IndexError beyond the list; fires onClick when it changes.
  void setListIndex(int i);
  int multiSelect() const { return multiSelect_; }
  void setMultiSelect(int m);      // 0 one entry, 1 each click toggles, 2 extended
  bool selected(int i) const;      // false when out of range
  void setSelected(int i, bool on);   // throws IndexError when out of range
  int selCount() const;
  int topIndex() const;
  void setTopIndex(int i);
  bool sorted() const { return sorted_; }
  void setSorted(bool on);         // sorts the present entries too
  std::string text() const { return list(listIndex()); }

  std::function<void()> onClick, onDblClick;
  KeyHandler onKeyDown, onKeyUp;
  KeyPressHandler onKeyPress;
  std::function<void()> onGotFocus, onLostFocus;
  MouseHandler onMouseDown, onMouseUp, onMouseMove;

 private:
  void checkIndex(int i, const char* what) const;
  // Fills the list from a pending source of setItemsLater.
  void fillPending() const;
  mutable std::function<std::vector<std::string>()> pending_;
  mutable int pendingIndex_ = -1;
  QObject* showWatch_ = nullptr;
  int newIndex_ = -1;
  int multiSelect_ = 0;
  bool sorted_ = false;
  bool fromCode_ = false;
  EventTap* tap_ = nullptr;
};

class ComboBox : public Control {
 public:
  ComboBox(Container& parent, const std::string& name, int index = -1);
  ~ComboBox() override;
  int style() const { return style_; }
  void setStyle(int s);            // 0 editable drop-down, 2 drop-down list
  std::string text() const;
  // Fires onChange when the text changes.
  void setText(const std::string& t);
  std::string caption() const override { return text(); }
  void setCaption(const std::string& t) override { setText(t); }
  // Same rules as ListBox::addItem (no sorting).
  void addItem(const std::string& text, int index = -1);
  void removeItem(int i);          // throws IndexError out of range
  void clear();
  std::string list(int i) const;   // "" out of range
  int listCount() const;
  int listIndex() const;           // -1 when the text is not an entry chosen
  // -1 clears the choice; throws IndexError beyond the list; fires onClick when it changes.
  void setListIndex(int i);
  void showDropDown(bool open);
  // Index of the first entry that begins with prefix, ignoring case; -1 when none.
  int findPrefix(const std::string& prefix) const;
  // Selection in the text, in characters.
  int selStart() const;
  void setSelStart(int pos);
  int selLength() const;
  void setSelLength(int n);
  std::string selText() const;

  std::function<void()> onClick, onChange, onDblClick;
  KeyHandler onKeyDown, onKeyUp;
  KeyPressHandler onKeyPress;
  std::function<void()> onGotFocus, onLostFocus;

 private:
  void textMaybeChanged();
  int style_ = 0;
  bool fromCode_ = false;
  std::string last_;
  EventTap* tap_ = nullptr;
};

// A scroll bar; VScrollBar and HScrollBar differ only in direction. min may be above
// max (the bar then runs the other way).
class ScrollBar : public Control {
 public:
  ScrollBar(Container& parent, const std::string& name, int index, bool vertical);
  ~ScrollBar() override;
  int min() const { return min_; }
  int max() const { return max_; }
  void setMin(int v);
  void setMax(int v);
  int value() const;
  // Clamped between min and max; fires onChange when the value changes.
  void setValue(int v);
  int smallChange() const;
  void setSmallChange(int v);      // at least 1
  int largeChange() const;
  void setLargeChange(int v);      // at least 1

  std::function<void()> onChange;   // the value changed (code, click, end of a drag)
  std::function<void()> onScroll;   // the thumb is being dragged
  std::function<void()> onGotFocus, onLostFocus;

 private:
  void applyRange();
  int min_ = 0, max_ = 32767;
  bool fromCode_ = false;
  int pressValue_ = 0;
  EventTap* tap_ = nullptr;
};

class VScrollBar : public ScrollBar {
 public:
  VScrollBar(Container& parent, const std::string& name, int index = -1) : ScrollBar(parent, name, index, true) {}
};

class HScrollBar : public ScrollBar {
 public:
  HScrollBar(Container& parent, const std::string& name, int index = -1) : ScrollBar(parent, name, index, false) {}
};

// The status bar, aligned to the bottom of its form's client area (it stays inside
// the client area, as the original's aligned control: scaleHeight includes it).
class StatusBar : public Control {
 public:
  StatusBar(Container& parent, const std::string& name, int index = -1);
  ~StatusBar() override;
  std::string simpleText() const { return simpleText_; }
  void setSimpleText(const std::string& t);
  int style() const { return style_; }
  void setStyle(int s);            // 0 panels, 1 simple text (both show the simple text)
  std::string caption() const override { return simpleText_; }
  void setCaption(const std::string& t) override { setSimpleText(t); }

 private:
  std::string simpleText_;
  int style_ = 1;
  Form* aligned_ = nullptr;   // the form whose bottom edge it keeps to
};

// A folder chooser list: the folders from the root down to path(), then the
// sub-folders of path(), sorted ignoring case. A double click on an entry, or
// setPath, opens that folder and fires onChange; selecting an entry fires onClick.
class FolderList : public Control {
 public:
  FolderList(Container& parent, const std::string& name, int index = -1);
  ~FolderList() override;
  std::string path() const { return path_; }
  // Opens folder ("/" or "\" separators accepted; a trailing separator is dropped);
  // false, and nothing changes, when it is not an existing folder.
  bool setPath(const std::string& folder);
  // Full path of the selected entry; path() when none is selected.
  std::string selectedPath() const;
  int listCount() const;
  std::string list(int i) const;   // full path of entry i; "" out of range
  int listIndex() const;
  void setListIndex(int i);        // throws IndexError out of range; fires onClick when it changes
  void refresh();

  std::function<void()> onChange, onClick;
  std::function<void()> onGotFocus, onLostFocus;

 private:
  void fill();
  std::string path_;
  std::vector<std::string> entries_;
  bool fromCode_ = false;
  EventTap* tap_ = nullptr;
};

// The drive list of the original: Linux has a single root, so the list holds "/"
// only and drive() is always "/".
class DriveList : public Control {
 public:
  DriveList(Container& parent, const std::string& name, int index = -1);
  std::string drive() const { return "/"; }
  // Only "/" (or a path starting with "/") is accepted; returns false otherwise.
  bool setDrive(const std::string& d);

  std::function<void()> onChange;
};

}  // namespace platform
