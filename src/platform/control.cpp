// The base of every control: geometry in twips kept as reals, visibility, colours
// through style sheets, fonts, tool tips, focus and stacking order; plus the error
// boundary that handlers run inside.

#include "platform/control.h"

#include <QCoreApplication>
#include <QPointer>
#include <QPushButton>
#include <QWidget>

#include <atomic>
#include <cmath>
#include <exception>
#include <iostream>

#include "platform/app.h"
#include "platform/dialogs.h"
#include "platform/form.h"
#include "platform/qt_bridge.h"

namespace platform {

// --- error boundary -------------------------------------------------------------

namespace {

std::function<void(const std::string&, const std::string&)>& errorReporter() {
  static std::function<void(const std::string&, const std::string&)> r;
  return r;
}

}  // namespace

void reportError(const std::string& where, const std::string& what) {
  std::cerr << "Quorvale: " << where << ": " << what << std::endl;
  if (errorReporter()) {
    errorReporter()(where, what);
    return;
  }
  // A failing message box must not turn one error into two.
  static bool reporting = false;
  if (reporting) return;
  reporting = true;
  try {
    dialogs().msgBox(what + "\r\n(" + where + ")", vbCritical, "Quorvale");
  } catch (...) {
  }
  reporting = false;
}

void setErrorReporter(std::function<void(const std::string&, const std::string&)> r) {
  errorReporter() = std::move(r);
}

void guarded(const char* where, const std::function<void()>& fn) {
  if (!fn) return;
  const std::string place = where ? where : "";
  try {
    fn();
  } catch (const EndRequested&) {
    // The program ended here (a test's end hook came back): nothing to report.
  } catch (const std::exception& e) {
    reportError(place, e.what());
  } catch (...) {
    reportError(place, "unknown error");
  }
}

// --- colours ----------------------------------------------------------------------

void applyColourStyle(QWidget* w, Colour back, bool paintBack, Colour fore, const QString& extra) {
  if (!w) return;
  QString rules = extra;
  const bool customBack = paintBack && !(back & 0x80000000u);
  if (customBack) rules += QStringLiteral("background-color: %1;").arg(cssColour(back));
  if (!(fore & 0x80000000u)) rules += QStringLiteral("color: %1;").arg(cssColour(fore));
  if (customBack && qobject_cast<QPushButton*>(w))
    rules += QStringLiteral("border: 1px solid #808080; border-radius: 2px; padding: 2px;");
  if (rules.isEmpty()) {
    w->setStyleSheet(QString());
    return;
  }
  if (customBack) w->setAttribute(Qt::WA_StyledBackground, true);
  // The selector names this widget only, so the rule does not spread to children.
  w->setStyleSheet(QStringLiteral("#%1 { %2 }").arg(w->objectName(), rules));
}

// --- Control ----------------------------------------------------------------------

struct Control::State {
  QPointer<QWidget> w;
  Form* form = nullptr;
  double left = 0, top = 0, width = 0, height = 0;   // twips, as set
  bool visible = true;
  bool enabled = true;
  Colour back = kButtonFace;
  Colour fore = kWindowText;
  std::string tip;
};

namespace {
// Gives each widget a distinct object name, used by its style sheet selector.
QString uniqueObjectName(const std::string& name, int index) {
  static std::atomic<unsigned> counter{0};
  QString base = toQ(name);
  for (QChar& ch : base)
    if (!ch.isLetterOrNumber()) ch = QLatin1Char('_');
  return QStringLiteral("qv_%1_%2_%3").arg(base).arg(index < 0 ? 0 : index).arg(++counter);
}

double clampSize(double twips) { return std::isfinite(twips) && twips > 0 ? twips : 0; }
double finiteOr0(double twips) { return std::isfinite(twips) ? twips : 0; }
}  // namespace

Control::Control(Container& parent, const std::string& name, int index)
    : Component(name, index), parent_(&parent), s_(std::make_unique<State>()) {
  s_->form = &parent.form();
  s_->form->registerComponent(this);
}

Control::~Control() {
  if (s_->form) s_->form->unregisterComponent(this);
  // Widgets can only be deleted while the application object exists.
  if (s_->w && QCoreApplication::instance()) delete s_->w.data();
}

QWidget* Control::widget() const { return s_->w.data(); }

void Control::attach(QWidget* w) {
  QWidget* old = s_->w.data();
  s_->w = w;
  if (!w || old == w) return;
  w->setObjectName(uniqueObjectName(name(), index()));
  if (old) {
    // A replacement widget (a text box turned multi-line) takes over everything the
    // program set on the old one.
    w->setFont(old->font());
    w->setGeometry(twipsToPixels(s_->left), twipsToPixels(s_->top), twipsToPixels(s_->width),
                   twipsToPixels(s_->height));
    w->setEnabled(s_->enabled);
    w->setToolTip(toQ(s_->tip));
    applyColourStyle(w, s_->back, true, s_->fore);
    const bool hadFocus = old->hasFocus();
    QObject::disconnect(old, nullptr, nullptr, nullptr);
    old->hide();
    old->deleteLater();
    w->setVisible(s_->visible);
    if (hadFocus) w->setFocus(Qt::OtherFocusReason);
    return;
  }
  // A control keeps the font it was made with (its container's), whatever happens to
  // the style sheets around it.
  if (const QWidget* container = w->parentWidget()) w->setFont(container->font());
  // Until the program places the control it keeps the size it prefers.
  const QSize hint = w->sizeHint().isValid() ? w->sizeHint() : QSize(80, 24);
  s_->left = pixelsToTwips(w->x());
  s_->top = pixelsToTwips(w->y());
  s_->width = pixelsToTwips(hint.width());
  s_->height = pixelsToTwips(hint.height());
  w->resize(hint);
  w->setVisible(s_->visible);
}

namespace {
// The stored twips when the widget still sits at the pixel they round to, else the
// widget's own position (something else moved it).
double readBack(double stored, int actualPixels) {
  return twipsToPixels(stored) == actualPixels ? stored : pixelsToTwips(actualPixels);
}
}  // namespace

double Control::left() const { return s_->w ? readBack(s_->left, s_->w->x()) : s_->left; }
double Control::top() const { return s_->w ? readBack(s_->top, s_->w->y()) : s_->top; }
double Control::width() const { return s_->w ? readBack(s_->width, s_->w->width()) : s_->width; }
double Control::height() const { return s_->w ? readBack(s_->height, s_->w->height()) : s_->height; }

void Control::setLeft(double twips) { move(twips, top(), width(), height()); }
void Control::setTop(double twips) { move(left(), twips, width(), height()); }
void Control::setWidth(double twips) { move(left(), top(), twips, height()); }
void Control::setHeight(double twips) { move(left(), top(), width(), twips); }
void Control::move(double l, double t) { move(l, t, width(), height()); }

void Control::move(double l, double t, double w, double h) {
  s_->left = finiteOr0(l);
  s_->top = finiteOr0(t);
  s_->width = clampSize(w);
  s_->height = clampSize(h);
  if (s_->w)
    s_->w->setGeometry(twipsToPixels(s_->left), twipsToPixels(s_->top), twipsToPixels(s_->width),
                       twipsToPixels(s_->height));
}

bool Control::visible() const { return s_->visible; }

void Control::setVisible(bool v) {
  s_->visible = v;
  if (s_->w) s_->w->setVisible(v);
}

bool Control::enabled() const { return s_->enabled; }

void Control::setEnabled(bool e) {
  s_->enabled = e;
  if (s_->w) s_->w->setEnabled(e);
}

Colour Control::backColor() const { return s_->back; }

void Control::setBackColor(Colour c) {
  if (c == s_->back) return;
  s_->back = c;
  applyColourStyle(s_->w, s_->back, true, s_->fore);
}

void Control::keepColours(Colour back, Colour fore) {
  s_->back = back;
  s_->fore = fore;
}

Colour Control::foreColor() const { return s_->fore; }

void Control::setForeColor(Colour c) {
  if (c == s_->fore) return;
  s_->fore = c;
  applyColourStyle(s_->w, s_->back, true, s_->fore);
}

double Control::fontSize() const { return s_->w ? s_->w->font().pointSizeF() : 8.0; }

void Control::setFontSize(double points) {
  if (!s_->w || !std::isfinite(points) || points <= 0) return;
  QFont f = s_->w->font();
  f.setPointSizeF(points > 500 ? 500 : points);
  s_->w->setFont(f);
}

bool Control::fontBold() const { return s_->w && s_->w->font().bold(); }

void Control::setFontBold(bool b) {
  if (!s_->w) return;
  QFont f = s_->w->font();
  f.setBold(b);
  s_->w->setFont(f);
}

std::string Control::fontName() const { return s_->w ? fromQ(s_->w->font().family()) : std::string(); }

void Control::setFontName(const std::string& name) {
  if (!s_->w || name.empty()) return;
  QFont f = s_->w->font();
  f.setFamily(toQ(name));
  s_->w->setFont(f);
}

std::string Control::toolTipText() const { return s_->tip; }

void Control::setToolTipText(const std::string& t) {
  s_->tip = t;
  if (s_->w) s_->w->setToolTip(toQ(t));
}

void Control::setFocus() {
  if (s_->w) s_->w->setFocus(Qt::OtherFocusReason);
}

bool Control::hasFocus() const { return s_->w && s_->w->hasFocus(); }

void Control::zOrder(int position) {
  if (!s_->w) return;
  if (position == 1)
    s_->w->lower();
  else
    s_->w->raise();
}

}  // namespace platform
