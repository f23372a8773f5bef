// The accessible interface of command buttons, check boxes and option buttons. Qt's
// own interface toggles a check box without a click, so that the program never hears
// of it; here every action goes through QAbstractButton::click, the path of a mouse
// click (the button's own rules for its next state, then its clicked signal).

#include "platform/control_accessible.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>

namespace platform {

namespace {

// A caption as shown (doubled "&" as one) without accelerator marks.
QString plainCaption(QString text) {
  text.replace(QLatin1String("&&"), QStringLiteral("\x01"));
  text.remove(QLatin1Char('&'));
  text.replace(QChar(1), QLatin1Char('&'));
  return text;
}

// The caption a control shows when its own is blank: the title of the nearest frame
// around it (its accessible name when the frame shows no title); "" when none.
QString frameTitleAround(const QWidget* w) {
  for (const QWidget* p = w ? w->parentWidget() : nullptr; p && !p->isWindow(); p = p->parentWidget()) {
    const auto* box = qobject_cast<const QGroupBox*>(p);
    if (!box) continue;
    const QString title = box->accessibleName().isEmpty() ? plainCaption(box->title()) : box->accessibleName();
    if (!title.trimmed().isEmpty()) return title;
  }
  return QString();
}

class ButtonAccessible : public QAccessibleWidget {
 public:
  ButtonAccessible(QAbstractButton* b, QAccessible::Role role) : QAccessibleWidget(b, role) {}

  QAbstractButton* button() const { return static_cast<QAbstractButton*>(widget()); }

  QString text(QAccessible::Text t) const override {
    if (t != QAccessible::Name) return QAccessibleWidget::text(t);
    if (!widget()->accessibleName().isEmpty()) return widget()->accessibleName();
    const QString caption = plainCaption(button()->text());
    if (!caption.trimmed().isEmpty()) return caption;
    const QString title = frameTitleAround(widget());
    // A button showing only a picture is known by its tool tip.
    return title.isEmpty() ? widget()->toolTip() : title;
  }

  QAccessible::State state() const override {
    QAccessible::State s = QAccessibleWidget::state();
    QAbstractButton* b = button();
    if (b->isCheckable()) {
      s.checkable = true;
      s.checked = b->isChecked();
      if (auto* c = qobject_cast<QCheckBox*>(b); c && c->checkState() == Qt::PartiallyChecked) {
        s.checked = false;
        s.checkStateMixed = true;
      }
    }
    if (b->isDown()) s.pressed = true;
    if (auto* p = qobject_cast<QPushButton*>(b); p && p->isDefault()) s.defaultButton = true;
    return s;
  }

  QStringList actionNames() const override {
    QStringList names;
    if (widget()->isEnabled())
      names << (button()->isCheckable() ? toggleAction() : pressAction());
    names << QAccessibleWidget::actionNames();
    return names;
  }

  void doAction(const QString& name) override {
    if (!widget()->isEnabled()) return;
    if (name == pressAction() || name == toggleAction()) {
      button()->click();
      return;
    }
    QAccessibleWidget::doAction(name);
  }

  QStringList keyBindingsForAction(const QString&) const override { return {}; }
};

QAccessibleInterface* buttonFactory(const QString& cls, QObject* object) {
  auto* b = qobject_cast<QAbstractButton*>(object);
  if (!b) return nullptr;
  if (cls == QLatin1String("QCheckBox")) return new ButtonAccessible(b, QAccessible::CheckBox);
  if (cls == QLatin1String("QRadioButton")) return new ButtonAccessible(b, QAccessible::RadioButton);
  if (cls == QLatin1String("QPushButton") && !static_cast<QPushButton*>(b)->menu())
    return new ButtonAccessible(b, QAccessible::Button);
  return nullptr;
}

}  // namespace

void installControlAccessible() {
  static bool installed = false;
  if (installed) return;
  installed = true;
  QAccessible::installFactory(buttonFactory);
}

}  // namespace platform
