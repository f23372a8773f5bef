// Menu titles, items, sub-menus and menu arrays on Qt actions. The check mark is the
// program's: a click restores it before the item's Click runs.

#include "platform/menu.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenu>
#include <QMenuBar>

#include <algorithm>

#include "platform/dialogs.h"
#include "platform/form.h"
#include "platform/form_impl.h"
#include "platform/qt_bridge.h"

namespace platform {

MenuItem::MenuItem(Form& form, const std::string& name, const std::string& caption, int index)
    : Component(name, index), form_(&form) {
  init(caption);
  form.impl().menuBar()->addAction(action_);
}

MenuItem::MenuItem(MenuItem& parent, const std::string& name, const std::string& caption, int index)
    : Component(name, index), form_(parent.form_), parent_(&parent) {
  init(caption);
}

void MenuItem::init(const std::string& caption) {
  action_ = new QAction();
  QObject::connect(action_, &QAction::triggered, action_, [this] {
    applyCheck();
    click();
  });
  setCaption(caption);
  if (!name().empty()) form_->registerComponent(this);
}

MenuItem::~MenuItem() {
  form_->unregisterComponent(this);
  items_.clear();
  if (QCoreApplication::instance()) {
    delete action_;
    delete menu_;
  }
}

QAction* MenuItem::action() const { return action_; }

void MenuItem::setCaption(const std::string& text) {
  caption_ = text;
  const bool separator = text == "-";
  action_->setSeparator(separator);
  action_->setText(separator ? QString() : captionToQ(text));
  if (menu_) menu_->setTitle(captionToQ(text));
}

void MenuItem::applyCheck() {
  action_->setCheckable(checked_);
  action_->setChecked(checked_);
}

void MenuItem::setChecked(bool on) {
  checked_ = on;
  applyCheck();
}

void MenuItem::setEnabled(bool on) {
  enabled_ = on;
  action_->setEnabled(on);
}

void MenuItem::setVisible(bool on) {
  visible_ = on;
  action_->setVisible(on);
}

void MenuItem::ensureMenu() {
  if (menu_) return;
  menu_ = new QMenu();
  menu_->setTitle(captionToQ(caption_));
  action_->setMenu(menu_);
  // The title's Click runs as its list opens, so that it can update its items.
  QObject::connect(menu_, &QMenu::aboutToShow, menu_, [this] { click(); });
}

MenuItem& MenuItem::addItem(const std::string& name, const std::string& caption, int index) {
  return insertItemAfter(nullptr, name, caption, index);
}

MenuItem& MenuItem::insertItemAfter(const MenuItem* after, const std::string& name, const std::string& caption,
                                    int index) {
  ensureMenu();
  std::unique_ptr<MenuItem> item(new MenuItem(*this, name, caption, index));
  MenuItem& ref = *item;
  auto pos = items_.end();
  if (after) {
    auto it = std::find_if(items_.begin(), items_.end(), [after](const auto& p) { return p.get() == after; });
    if (it != items_.end()) pos = it + 1;
  }
  QAction* before = pos == items_.end() ? nullptr : (*pos)->action_;
  menu_->insertAction(before, ref.action_);
  items_.insert(pos, std::move(item));
  return ref;
}

void MenuItem::addSeparator() { addItem("", "-"); }

void MenuItem::removeItem(MenuItem* item) {
  auto it = std::find_if(items_.begin(), items_.end(), [item](const auto& p) { return p.get() == item; });
  if (it != items_.end()) items_.erase(it);
}

std::vector<MenuItem*> MenuItem::items() const {
  std::vector<MenuItem*> v;
  for (const auto& p : items_) v.push_back(p.get());
  return v;
}

void MenuItem::click() {
  std::function<void()> fn = onClick;
  if (fn) guarded((name() + "_Click").c_str(), fn);
}

void MenuItem::collectPopup(std::vector<std::string>& captions, std::vector<MenuItem*>& targets,
                            const std::string& prefix, bool disabled) {
  for (const auto& p : items_) {
    MenuItem* c = p.get();
    if (!c->visible_) continue;
    if (c->caption_ == "-") {
      captions.push_back("-");
      targets.push_back(nullptr);
    } else if (!c->items_.empty()) {
      c->collectPopup(captions, targets, prefix + c->caption_ + " > ", disabled || !c->enabled_);
    } else {
      const bool off = disabled || !c->enabled_;
      captions.push_back((off ? "\x01" : "") + prefix + c->caption_);
      targets.push_back(off ? nullptr : c);
    }
  }
}

void MenuItem::popup() {
  std::vector<std::string> captions;
  std::vector<MenuItem*> targets;
  collectPopup(captions, targets, std::string(), false);
  if (captions.empty()) return;
  const int chosen = dialogs().popupMenu(captions);
  if (chosen < 0 || chosen >= static_cast<int>(targets.size())) return;
  if (MenuItem* t = targets[static_cast<size_t>(chosen)]) t->click();
}

// --- MenuArray ----------------------------------------------------------------------

MenuItem& MenuArray::add(int index, const std::string& caption) {
  remove(index);
  // The array's elements stay together: a new one goes after the last one present.
  const MenuItem* after = nullptr;
  for (MenuItem* m : parent_->items())
    for (const auto& kv : items_)
      if (kv.second == m) after = m;
  MenuItem& item = parent_->insertItemAfter(after, name_, caption, index);
  item.onClick = [this, index] {
    if (onClick) onClick(index);
  };
  items_[index] = &item;
  return item;
}

void MenuArray::remove(int index) {
  auto it = items_.find(index);
  if (it == items_.end()) return;
  parent_->removeItem(it->second);
  items_.erase(it);
}

MenuItem& MenuArray::operator()(int index) const {
  auto it = items_.find(index);
  if (it == items_.end()) throw IndexError(name_ + "(" + std::to_string(index) + ") does not exist");
  return *it->second;
}

}  // namespace platform
