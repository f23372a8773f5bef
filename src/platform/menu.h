#pragma once
// Menus: a title of the menu bar, an item, or a sub-menu (an item that has items).
// Each item is registered with its form by name and index so that a language file can
// retitle it. A click on an item never changes its check mark: only code does.
// A menu title fires onClick just before its list opens (code often updates its
// items there).

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/control.h"

class QAction;
class QMenu;

namespace platform {

class Form;

class MenuItem : public Component {
 public:
  // A title of form's menu bar (Form::addMenu creates them).
  MenuItem(Form& form, const std::string& name, const std::string& caption, int index = -1);
  ~MenuItem() override;

  Form& form() const { return *form_; }
  MenuItem* parentItem() const { return parent_; }

  // The caption "-" makes the item a separator.
  std::string caption() const override { return caption_; }
  void setCaption(const std::string& text) override;
  bool checked() const { return checked_; }
  void setChecked(bool on);
  bool enabled() const { return enabled_; }
  void setEnabled(bool on);
  bool visible() const { return visible_; }
  void setVisible(bool on);

  // Appends an item (this item becomes a sub-menu when it gets its first item).
  MenuItem& addItem(const std::string& name, const std::string& caption, int index = -1);
  // Inserts an item just after `after` (one of this item's items; nullptr: at the end).
  MenuItem& insertItemAfter(const MenuItem* after, const std::string& name, const std::string& caption,
                            int index = -1);
  // Appends a separator line (an item named "" with caption "-").
  void addSeparator();
  // Removes and destroys one of this item's items (nothing when it is not one).
  void removeItem(MenuItem* item);
  std::vector<MenuItem*> items() const;

  // Fires onClick as a user's choice does.
  void click();
  // Shows this item's visible items as a pop-up menu at the mouse (through
  // dialogs().popupMenu) and, before returning, fires the chosen item's onClick.
  // Sub-menus are flattened: their items follow, captioned "Title > Item".
  void popup();

  std::function<void()> onClick;

  QAction* action() const;   // internal

 private:
  MenuItem(MenuItem& parent, const std::string& name, const std::string& caption, int index);
  void init(const std::string& caption);
  void ensureMenu();
  void applyCheck();
  void collectPopup(std::vector<std::string>& captions, std::vector<MenuItem*>& targets,
                    const std::string& prefix, bool disabled);

  Form* form_;
  MenuItem* parent_ = nullptr;
  std::string caption_;
  bool checked_ = false;
  bool enabled_ = true;
  bool visible_ = true;
  QAction* action_ = nullptr;
  QMenu* menu_ = nullptr;
  std::vector<std::unique_ptr<MenuItem>> items_;
};

// The items of one menu array (MnuFIC(1..12)...), all in one parent menu: one
// handler receiving the index; indexing a missing element throws IndexError.
class MenuArray {
 public:
  MenuArray(MenuItem& parent, std::string name) : parent_(&parent), name_(std::move(name)) {}
  // Creates element index after the array's last element in the parent menu (at the
  // end when the array is empty); an existing element of that index is replaced.
  MenuItem& add(int index, const std::string& caption);
  // Removes element index; nothing when it does not exist.
  void remove(int index);
  bool exists(int index) const { return items_.count(index) != 0; }
  MenuItem& operator()(int index) const;
  int lbound() const { return items_.empty() ? 0 : items_.begin()->first; }
  int ubound() const { return items_.empty() ? -1 : items_.rbegin()->first; }
  const std::string& name() const { return name_; }

  std::function<void(int index)> onClick;

 private:
  MenuItem* parent_;
  std::string name_;
  std::map<int, MenuItem*> items_;   // owned by the parent item
};

}  // namespace platform
