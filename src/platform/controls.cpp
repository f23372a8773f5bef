// The standard controls on Qt widgets. Values set from code fire the control's Click
// or Change at once (only when the value changes); the Qt signals that also come from
// code are blocked while code sets a value, so that nothing fires twice.

#include "platform/controls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>

#include "platform/event_tap.h"
#include "platform/form.h"
#include "platform/form_impl.h"
#include "platform/qt_bridge.h"

namespace platform {

namespace {

// Runs a handler inside the error boundary; the handler is copied first so that it
// may replace itself while it runs.
void fire(const std::string& where, std::function<void()> fn) {
  if (!fn) return;
  guarded(where.c_str(), fn);
}

// Text with CR LF or CR line breaks as Qt's LF.
QString toQLines(const std::string& s) {
  QString q = toQ(s);
  q.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  q.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return q;
}

// Qt text (LF or paragraph separators) with CR LF line breaks.
std::string fromQLines(QString q) {
  q.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
  q.replace(QChar::LineSeparator, QLatin1Char('\n'));
  q.replace(QLatin1String("\n"), QLatin1String("\r\n"));
  return fromQ(q);
}

// Position in the CR LF text of Qt position q in the LF text s.
int crlfPos(const QString& s, int q) {
  q = std::clamp(q, 0, static_cast<int>(s.size()));
  int n = q;
  for (int i = 0; i < q; ++i)
    if (s.at(i) == QLatin1Char('\n')) ++n;
  return n;
}

// Qt position in the LF text s of position v in its CR LF form (a position inside a
// CR LF pair goes after the pair; beyond the end gives the end).
int qtPos(const QString& s, int v) {
  if (v <= 0) return 0;
  int vb = 0;
  for (int i = 0; i < s.size(); ++i) {
    if (vb >= v) return i;
    vb += s.at(i) == QLatin1Char('\n') ? 2 : 1;
  }
  return static_cast<int>(s.size());
}

Qt::Alignment horizontal(int a) {
  switch (a) {
    case 1: return Qt::AlignRight;
    case 2: return Qt::AlignHCenter;
    default: return Qt::AlignLeft;
  }
}

void throwIndex(const std::string& name, const char* what, int i) {
  throw IndexError(name + "." + what + "(" + std::to_string(i) + "): index out of range");
}

}  // namespace

// --- EventTap -----------------------------------------------------------------------

EventTap::EventTap(QWidget* control, std::string name)
    : QObject(control),
      control_(control),
      name_(std::move(name)),
      focus_([this] { if (gotFocus) fire(name_ + "_GotFocus", *gotFocus); },
             [this] { if (lostFocus) fire(name_ + "_LostFocus", *lostFocus); }) {
  if (control) {
    control->installEventFilter(this);
    control->setMouseTracking(true);
  }
}

void EventTap::watch(QWidget* w) {
  if (!w) return;
  w->installEventFilter(this);
  w->setMouseTracking(true);
}

void EventTap::setControl(QWidget* control) {
  control_ = control;
  setParent(control);
  watch(control);
}

bool EventTap::eventFilter(QObject* o, QEvent* e) {
  if (!o->isWidgetType() || !control_) return false;
  auto* w = static_cast<QWidget*>(o);
  switch (e->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseMove:
    case QEvent::MouseButtonDblClick: {
      auto* me = static_cast<QMouseEvent*>(e);
      // An event a child let through to us is not ours.
      if (w->childAt(me->position().toPoint())) return false;
      const QPointF p = w == control_ ? me->position() : w->mapTo(control_.data(), me->position());
      const int shift = shiftMaskFromQt(me->modifiers());
      const double x = pixelsToTwips(p.x()), y = pixelsToTwips(p.y());
      auto mouse = [&](MouseHandler* h, const char* ev, int button) {
        if (!h || !*h) return;
        MouseHandler fn = *h;
        guarded((name_ + ev).c_str(), [&] { fn(button, shift, x, y); });
      };
      if (e->type() == QEvent::MouseButtonPress) {
        pressedInside_ = me->button() == Qt::LeftButton;
        mouse(mouseDown, "_MouseDown", buttonsFromQt(me->button()));
      } else if (e->type() == QEvent::MouseButtonRelease) {
        mouse(mouseUp, "_MouseUp", buttonsFromQt(me->button()));
        const bool inside = control_ && control_->rect().contains(p.toPoint());
        if (pressedInside_ && inside && me->button() == Qt::LeftButton && click) fire(name_ + "_Click", *click);
        pressedInside_ = false;
      } else if (e->type() == QEvent::MouseMove) {
        mouse(mouseMove, "_MouseMove", buttonsFromQt(me->buttons()));
      } else {
        // The original's order: down, up, click, double click, up.
        pressedInside_ = false;
        if (dblClick) fire(name_ + "_DblClick", *dblClick);
      }
      return false;
    }
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
      if (w != control_) return false;
      return key(w, static_cast<QKeyEvent*>(e));
    case QEvent::ContextMenu:
      // A box whose mouse buttons the program handles (a right click that closes it, a
      // right click that acts) shows no menu of the platform's own.
      if ((mouseDown && *mouseDown) || (mouseUp && *mouseUp)) {
        e->accept();
        return true;
      }
      return false;
    case QEvent::FocusIn:
    case QEvent::FocusOut:
      if (w == control_) focus_.take(w, static_cast<QFocusEvent*>(e));
      return false;
    default: return false;
  }
}

bool EventTap::key(QWidget* w, QKeyEvent* e) {
  if (replaying_ || e->isAutoRepeat()) return false;
  const int shift = shiftMaskFromQt(e->modifiers());
  const int code = keyCodeFromQt(e->key(), static_cast<int>(e->nativeVirtualKey()));
  if (e->type() == QEvent::KeyRelease) {
    if (!keyUp || !*keyUp || code == 0) return false;
    KeyHandler fn = *keyUp;
    int k = code;
    guarded((name_ + "_KeyUp").c_str(), [&] { fn(k, shift); });
    return k == 0;
  }
  if (keyDown && *keyDown && code != 0) {
    KeyHandler fn = *keyDown;
    int k = code;
    guarded((name_ + "_KeyDown").c_str(), [&] { fn(k, shift); });
    if (k == 0) return true;
  }
  const int ascii = keyAsciiOf(e);
  if (keyPress && *keyPress && ascii > 0) {
    KeyPressHandler fn = *keyPress;
    int a = ascii;
    guarded((name_ + "_KeyPress").c_str(), [&] { fn(a); });
    if (a <= 0) return true;
    if (a != ascii) {
      replaying_ = true;
      reinjectKey(w, e, a);
      replaying_ = false;
      return true;
    }
  }
  return false;
}

namespace {
template <class C>
void tapAll(EventTap* t, C& c) {
  if constexpr (requires { c.onMouseDown; }) {
    t->mouseDown = &c.onMouseDown;
    t->mouseUp = &c.onMouseUp;
    t->mouseMove = &c.onMouseMove;
  }
  if constexpr (requires { c.onKeyDown; }) {
    t->keyDown = &c.onKeyDown;
    t->keyUp = &c.onKeyUp;
    t->keyPress = &c.onKeyPress;
  }
  if constexpr (requires { c.onGotFocus; }) {
    t->gotFocus = &c.onGotFocus;
    t->lostFocus = &c.onLostFocus;
  }
}
}  // namespace

// --- CommandButton ------------------------------------------------------------------

CommandButton::CommandButton(Container& parent, const std::string& name, int index)
    : Control(parent, name, index) {
  auto* b = new QPushButton(parent.clientWidget());
  b->setAutoDefault(false);
  b->setFocusPolicy(Qt::StrongFocus);
  attach(b);
  tap_ = new EventTap(b, name);
  tapAll(tap_, *this);
  QObject::connect(b, &QPushButton::clicked, tap_, [this] { click(); });
}

std::string CommandButton::caption() const { return caption_; }

void CommandButton::setCaption(const std::string& text) {
  caption_ = text;
  static_cast<QPushButton*>(widget())->setText(captionToQ(text));
}

void CommandButton::click() { fire(name() + "_Click", onClick); }

// The handlers stop before the members they use go (the widget goes later).
CommandButton::~CommandButton() { delete tap_; }

// --- Label --------------------------------------------------------------------------

Label::Label(Container& parent, const std::string& name, int index) : Control(parent, name, index) {
  auto* l = new QLabel(parent.clientWidget());
  l->setTextFormat(Qt::PlainText);
  l->setWordWrap(true);
  l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  attach(l);
  tap_ = new EventTap(l, name);
  tapAll(tap_, *this);
  tap_->click = &onClick;
  tap_->dblClick = &onDblClick;
  restyle();
}

std::string Label::caption() const { return caption_; }

void Label::setCaption(const std::string& text) {
  caption_ = text;
  // A list such as "12;15;40;..." may wrap after each ";" as after a blank.
  QString shown = toQLines(text);
  shown.replace(QLatin1Char(';'), QStringLiteral(";\u200B"));
  static_cast<QLabel*>(widget())->setText(shown);
  fit();
}

void Label::setAlignment(int a) {
  alignment_ = (a == 1 || a == 2) ? a : 0;
  static_cast<QLabel*>(widget())->setAlignment(horizontal(alignment_) | Qt::AlignTop);
}

void Label::setAutoSize(bool on) {
  autoSize_ = on;
  fit();
}

void Label::fit() {
  if (!autoSize_) return;
  auto* l = static_cast<QLabel*>(widget());
  const QFontMetrics fm(l->font());
  const QRect r = fm.boundingRect(QRect(0, 0, 100000, 100000), Qt::AlignLeft | Qt::AlignTop, l->text());
  const int frame = 2 * l->frameWidth();
  l->resize(std::max(r.width() + frame + 1, 1), std::max(r.height() + frame, fm.height()));
}

void Label::setBackStyle(int s) {
  backStyle_ = s == 0 ? 0 : 1;
  restyle();
}

void Label::setBorderStyle(int s) {
  borderStyle_ = s == 1 ? 1 : 0;
  static_cast<QLabel*>(widget())->setFrameShape(borderStyle_ ? QFrame::Box : QFrame::NoFrame);
  fit();
}

void Label::setBackColor(Colour c) {
  Control::setBackColor(c);
  restyle();
}

void Label::setForeColor(Colour c) {
  Control::setForeColor(c);
  restyle();
}

void Label::restyle() {
  QWidget* w = widget();
  const bool opaque = backStyle_ == 1;
  // An opaque label paints its colour, system colours included; a transparent one
  // shows what lies under it.
  w->setAutoFillBackground(opaque && (backColor() & 0x80000000u) && backColor() != kButtonFace);
  if (w->autoFillBackground()) {
    QPalette pal = w->palette();
    pal.setColor(QPalette::Window, toQColor(backColor()));
    w->setPalette(pal);
  }
  applyColourStyle(w, backColor(), opaque, foreColor());
}

// The handlers stop before the members they use go (the widget goes later).
Label::~Label() { delete tap_; }

// --- TextBox ------------------------------------------------------------------------

TextBox::TextBox(Container& parent, const std::string& name, int index, bool multiLine)
    : Control(parent, name, index), multiLine_(multiLine) {
  attach(makeEditor(multiLine));
}

QWidget* TextBox::makeEditor(bool multi) {
  QWidget* host = parent().clientWidget();
  QWidget* ed = nullptr;
  if (multi) {
    auto* p = new QPlainTextEdit(host);
    p->setTabChangesFocus(true);
    ed = p;
    tap_ = new EventTap(p, name());
    tap_->watch(p->viewport());
    QObject::connect(p, &QPlainTextEdit::textChanged, tap_, [this] { userEdited(); });
  } else {
    auto* l = new QLineEdit(host);
    ed = l;
    tap_ = new EventTap(l, name());
    QObject::connect(l, &QLineEdit::textEdited, tap_, [this] { userEdited(); });
  }
  tapAll(tap_, *this);
  tap_->click = &onClick;
  tap_->dblClick = &onDblClick;
  return ed;
}

void TextBox::applyOptions() {
  QWidget* w = widget();
  if (auto* l = qobject_cast<QLineEdit*>(w)) {
    l->setReadOnly(locked_);
    l->setAlignment(horizontal(alignment_) | Qt::AlignVCenter);
  } else if (auto* p = qobject_cast<QPlainTextEdit*>(w)) {
    p->setReadOnly(locked_);
    QTextOption opt = p->document()->defaultTextOption();
    opt.setAlignment(horizontal(alignment_));
    p->document()->setDefaultTextOption(opt);
    const bool hBar = scrollBars_ == 1 || scrollBars_ == 3;
    const bool vBar = scrollBars_ == 2 || scrollBars_ == 3;
    p->setLineWrapMode(hBar ? QPlainTextEdit::NoWrap : QPlainTextEdit::WidgetWidth);
    p->setHorizontalScrollBarPolicy(hBar ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    p->setVerticalScrollBarPolicy(vBar ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
  }
}

void TextBox::setMultiLine(bool on) {
  if (on == multiLine_) return;
  const std::string t = text();
  multiLine_ = on;
  delete tap_;   // the old editor's handlers stop here
  tap_ = nullptr;
  QWidget* ed = makeEditor(on);
  attach(ed);
  {
    QSignalBlocker b(ed);
    if (auto* l = qobject_cast<QLineEdit*>(ed))
      l->setText(toQ(t));
    else if (auto* p = qobject_cast<QPlainTextEdit*>(ed))
      p->setPlainText(toQLines(t));
  }
  applyOptions();
  last_ = text();
}

std::string TextBox::text() const {
  QWidget* w = widget();
  if (auto* l = qobject_cast<QLineEdit*>(w)) return fromQ(l->text());
  if (auto* p = qobject_cast<QPlainTextEdit*>(w)) return fromQLines(p->toPlainText());
  return std::string();
}

void TextBox::setText(const std::string& t) {
  QWidget* w = widget();
  {
    QSignalBlocker b(w);
    if (auto* l = qobject_cast<QLineEdit*>(w))
      l->setText(toQ(t));
    else if (auto* p = qobject_cast<QPlainTextEdit*>(w))
      p->setPlainText(toQLines(t));
  }
  textMaybeChanged();
}

void TextBox::userEdited() {
  // MaxLength refuses what the user adds beyond it; text set by code is not limited.
  QWidget* w = widget();
  const QString prev = toQLines(last_);
  if (auto* l = qobject_cast<QLineEdit*>(w)) {
    const QString now = l->text();
    if (maxLength_ > 0 && now.size() > maxLength_ && now.size() > prev.size()) {
      const int pos = l->cursorPosition() - static_cast<int>(now.size() - prev.size());
      QSignalBlocker b(l);
      l->setText(prev);
      l->setCursorPosition(std::max(pos, 0));
    }
  } else if (auto* p = qobject_cast<QPlainTextEdit*>(w)) {
    const QString now = p->toPlainText();
    if (maxLength_ > 0 && now.size() > maxLength_ && now.size() > prev.size()) {
      const int pos = p->textCursor().position() - static_cast<int>(now.size() - prev.size());
      QSignalBlocker b(p);
      p->setPlainText(prev);
      QTextCursor c = p->textCursor();
      c.setPosition(std::clamp(pos, 0, static_cast<int>(prev.size())));
      p->setTextCursor(c);
    }
  }
  textMaybeChanged();
}

void TextBox::textMaybeChanged() {
  std::string now = text();
  if (now == last_) return;
  last_ = std::move(now);
  fire(name() + "_Change", onChange);
}

int TextBox::selStart() const {
  QWidget* w = widget();
  if (auto* l = qobject_cast<QLineEdit*>(w)) return l->hasSelectedText() ? l->selectionStart() : l->cursorPosition();
  if (auto* p = qobject_cast<QPlainTextEdit*>(w)) return crlfPos(p->toPlainText(), p->textCursor().selectionStart());
  return 0;
}

int TextBox::selLength() const {
  QWidget* w = widget();
  if (auto* l = qobject_cast<QLineEdit*>(w)) return l->hasSelectedText() ? static_cast<int>(l->selectedText().size()) : 0;
  if (auto* p = qobject_cast<QPlainTextEdit*>(w)) {
    const QString s = p->toPlainText();
    const QTextCursor c = p->textCursor();
    return crlfPos(s, c.selectionEnd()) - crlfPos(s, c.selectionStart());
  }
  return 0;
}

void TextBox::setSelStart(int pos) {
  QWidget* w = widget();
  if (auto* l = qobject_cast<QLineEdit*>(w)) {
    l->setCursorPosition(std::clamp(pos, 0, static_cast<int>(l->text().size())));
  } else if (auto* p = qobject_cast<QPlainTextEdit*>(w)) {
    QTextCursor c = p->textCursor();
    c.setPosition(qtPos(p->toPlainText(), pos));
    p->setTextCursor(c);
  }
}

void TextBox::setSelLength(int n) {
  if (n < 0) n = 0;
  QWidget* w = widget();
  const int start = selStart();
  if (auto* l = qobject_cast<QLineEdit*>(w)) {
    const int len = static_cast<int>(l->text().size());
    const int s = std::clamp(start, 0, len);
    l->setSelection(s, std::min(n, len - s));
  } else if (auto* p = qobject_cast<QPlainTextEdit*>(w)) {
    const QString s = p->toPlainText();
    QTextCursor c = p->textCursor();
    const long long end = static_cast<long long>(start) + n;
    c.setPosition(qtPos(s, start));
    c.setPosition(qtPos(s, static_cast<int>(std::min<long long>(end, 1LL << 30))), QTextCursor::KeepAnchor);
    p->setTextCursor(c);
  }
}

std::string TextBox::selText() const {
  QWidget* w = widget();
  if (auto* l = qobject_cast<QLineEdit*>(w)) return fromQ(l->selectedText());
  if (auto* p = qobject_cast<QPlainTextEdit*>(w)) return fromQLines(p->textCursor().selectedText());
  return std::string();
}

void TextBox::setSelText(const std::string& t) {
  QWidget* w = widget();
  {
    QSignalBlocker b(w);
    if (auto* l = qobject_cast<QLineEdit*>(w)) {
      l->insert(toQ(t));
    } else if (auto* p = qobject_cast<QPlainTextEdit*>(w)) {
      QTextCursor c = p->textCursor();
      c.insertText(toQLines(t));
      p->setTextCursor(c);
    }
  }
  textMaybeChanged();
}

void TextBox::setLocked(bool on) {
  locked_ = on;
  applyOptions();
}

void TextBox::setMaxLength(int n) {
  maxLength_ = n > 0 ? n : 0;
  applyOptions();
}

void TextBox::setAlignment(int a) {
  alignment_ = (a == 1 || a == 2) ? a : 0;
  applyOptions();
}

void TextBox::setScrollBars(int s) {
  scrollBars_ = (s >= 0 && s <= 3) ? s : 0;
  applyOptions();
}


// The handlers stop before the members they use go (the widget goes later).
TextBox::~TextBox() { delete tap_; }

// --- CheckBox -----------------------------------------------------------------------

namespace {
// A user's click goes between ticked and unticked only (a greyed box becomes ticked).
// A click anywhere on the control ticks it, as on the original platform, not only on
// the box and its text.
class TwoStateCheckBox : public QCheckBox {
 public:
  using QCheckBox::QCheckBox;

 protected:
  void nextCheckState() override { setCheckState(checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked); }
  bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
};

// A user's click on a selected option leaves it selected; exclusivity is ours.
class OptionRadio : public QRadioButton {
 public:
  using QRadioButton::QRadioButton;

 protected:
  void nextCheckState() override {
    if (!isChecked()) setChecked(true);
  }
  bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
};
}  // namespace

CheckBox::CheckBox(Container& parent, const std::string& name, int index) : Control(parent, name, index) {
  auto* c = new TwoStateCheckBox(parent.clientWidget());
  attach(c);
  tap_ = new EventTap(c, name);
  tapAll(tap_, *this);
  QObject::connect(c, &QCheckBox::clicked, tap_, [this] {
    const bool before = byUser_;
    byUser_ = true;
    fire(this->name() + "_Click", onClick);
    byUser_ = before;
  });
}

std::string CheckBox::caption() const { return caption_; }

void CheckBox::setCaption(const std::string& text) {
  caption_ = text;
  static_cast<QCheckBox*>(widget())->setText(captionToQ(text));
}

int CheckBox::value() const {
  switch (static_cast<QCheckBox*>(widget())->checkState()) {
    case Qt::Checked: return 1;
    case Qt::PartiallyChecked: return 2;
    default: return 0;
  }
}

void CheckBox::setValue(int v) {
  if (v != 1 && v != 2) v = 0;
  if (v == value()) return;
  auto* c = static_cast<QCheckBox*>(widget());
  {
    QSignalBlocker b(c);
    c->setCheckState(v == 1 ? Qt::Checked : v == 2 ? Qt::PartiallyChecked : Qt::Unchecked);
  }
  const bool before = byUser_;
  byUser_ = false;
  fire(name() + "_Click", onClick);
  byUser_ = before;
}

// The handlers stop before the members they use go (the widget goes later).
CheckBox::~CheckBox() { delete tap_; }

// --- OptionButton -------------------------------------------------------------------

namespace {
std::vector<OptionButton*>& optionButtons() {
  static std::vector<OptionButton*> v;
  return v;
}
}  // namespace

OptionButton::OptionButton(Container& parent, const std::string& name, int index) : Control(parent, name, index) {
  auto* r = new OptionRadio(parent.clientWidget());
  r->setAutoExclusive(false);
  attach(r);
  tap_ = new EventTap(r, name);
  tapAll(tap_, *this);
  tap_->dblClick = &onDblClick;
  optionButtons().push_back(this);
  QObject::connect(r, &QRadioButton::toggled, tap_, [this](bool on) {
    if (!on || setting_) return;
    clearOthers();
    fire(this->name() + "_Click", onClick);
  });
}

OptionButton::~OptionButton() {
  delete tap_;
  auto& v = optionButtons();
  v.erase(std::remove(v.begin(), v.end(), this), v.end());
}

std::string OptionButton::caption() const { return caption_; }

void OptionButton::setCaption(const std::string& text) {
  caption_ = text;
  static_cast<QRadioButton*>(widget())->setText(captionToQ(text));
}

bool OptionButton::value() const { return static_cast<QRadioButton*>(widget())->isChecked(); }

void OptionButton::setValue(bool v) {
  auto* r = static_cast<QRadioButton*>(widget());
  if (v == value()) return;
  {
    QSignalBlocker b(r);
    r->setChecked(v);
  }
  if (!v) return;
  clearOthers();
  fire(name() + "_Click", onClick);
}

void OptionButton::setGroup(int g) {
  group_ = g;
  if (value()) clearOthers();
}

void OptionButton::clearOthers() {
  for (OptionButton* o : optionButtons()) {
    if (o == this || &o->parent() != &parent() || o->group_ != group_ || !o->value()) continue;
    auto* r = static_cast<QRadioButton*>(o->widget());
    QSignalBlocker b(r);
    r->setChecked(false);
  }
}

// --- Frame --------------------------------------------------------------------------

Frame::Frame(Container& parent, const std::string& name, int index) : Control(parent, name, index) {
  auto* g = new QGroupBox(parent.clientWidget());
  // Opaque, so that a frame lying over a picture hides it.
  g->setAutoFillBackground(true);
  attach(g);
  tap_ = new EventTap(g, name);
  tapAll(tap_, *this);
  tap_->click = &onClick;
  tap_->dblClick = &onDblClick;
}

std::string Frame::caption() const { return caption_; }

void Frame::setCaption(const std::string& text) {
  caption_ = text;
  static_cast<QGroupBox*>(widget())->setTitle(borderStyle_ ? captionToQ(text) : QString());
  // Its name for assistive technology, shown or not; blank boxes inside take it too.
  widget()->setAccessibleName(toQ(text));
}

void Frame::setBorderStyle(int s) {
  borderStyle_ = s == 0 ? 0 : 1;
  setCaption(caption_);
  restyle();
}

void Frame::setBackColor(Colour c) {
  Control::setBackColor(c);
  restyle();
}

void Frame::setForeColor(Colour c) {
  Control::setForeColor(c);
  restyle();
}

void Frame::restyle() {
  QWidget* w = widget();
  QPalette pal = w->palette();
  pal.setColor(QPalette::Window, toQColor(backColor()));
  w->setPalette(pal);
  applyColourStyle(w, backColor(), true, foreColor(),
                   borderStyle_ ? QString() : QStringLiteral("border: none; margin: 0px; padding: 0px;"));
}

// The handlers stop before the members they use go (the widget goes later).
Frame::~Frame() { delete tap_; }

// --- ListBox ------------------------------------------------------------------------

namespace {
QListWidget* listOf(const Control* c) { return static_cast<QListWidget*>(c->widget()); }

// Runs a function when the watched widget is shown.
class ShowWatch : public QObject {
 public:
  ShowWatch(QWidget* w, std::function<void()> onShow) : QObject(w), onShow_(std::move(onShow)) {
    w->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::Show && onShow_) onShow_();
    return false;
  }

 private:
  std::function<void()> onShow_;
};

// RAII flag: changes made while it lives come from code.
struct CodeScope {
  explicit CodeScope(bool& f) : flag(f), old(f) { flag = true; }
  ~CodeScope() { flag = old; }
  bool& flag;
  bool old;
};
}  // namespace

ListBox::ListBox(Container& parent, const std::string& name, int index) : Control(parent, name, index) {
  auto* l = new QListWidget(parent.clientWidget());
  l->setSelectionMode(QAbstractItemView::SingleSelection);
  l->setUniformItemSizes(true);
  attach(l);
  tap_ = new EventTap(l, name);
  tap_->watch(l->viewport());
  tapAll(tap_, *this);
  tap_->dblClick = &onDblClick;
  // Qt moves the current row before the selection follows it: Click waits for the
  // selection, so that listIndex() gives the entry chosen. A single-select list fires
  // only when an entry is selected (the user cannot leave it without one).
  QObject::connect(l, &QListWidget::itemSelectionChanged, tap_, [this] {
    if (fromCode_ || (multiSelect_ == 0 && listIndex() < 0)) return;
    fire(this->name() + "_Click", onClick);
  });
}

void ListBox::fillPending() const {
  if (!pending_) return;
  const auto source = std::move(pending_);
  pending_ = nullptr;
  auto* self = const_cast<ListBox*>(this);
  self->setItems(source());
  if (pendingIndex_ >= 0 && pendingIndex_ < listCount()) self->setListIndex(pendingIndex_);
}

void ListBox::setItemsLater(std::function<std::vector<std::string>()> source, int index) {
  pending_ = std::move(source);
  pendingIndex_ = index;
  if (!showWatch_) showWatch_ = new ShowWatch(widget(), [this] { fillPending(); });
  if (onClick || widget()->isVisible()) fillPending();
}

int ListBox::newIndex() const {
  fillPending();
  return newIndex_;
}

void ListBox::checkIndex(int i, const char* what) const {
  if (i < 0 || i >= listCount()) throwIndex(name(), what, i);
}

void ListBox::addItem(const std::string& text, int index) {
  fillPending();
  QListWidget* l = listOf(this);
  const int n = l->count();
  if (index != -1 && (index < 0 || index > n)) throwIndex(name(), "AddItem", index);
  const QString q = toQ(text);
  int at = index == -1 ? n : index;
  if (sorted_) {
    at = 0;
    while (at < n && QString::compare(l->item(at)->text(), q, Qt::CaseInsensitive) <= 0) ++at;
  }
  CodeScope scope(fromCode_);
  l->insertItem(at, q);
  newIndex_ = at;
}

void ListBox::setItems(const std::vector<std::string>& texts) {
  pending_ = nullptr;
  QStringList q;
  q.reserve(static_cast<qsizetype>(texts.size()));
  for (const std::string& t : texts) q.append(toQ(t));
  if (sorted_)
    std::stable_sort(q.begin(), q.end(), [](const QString& a, const QString& b) {
      return QString::compare(a, b, Qt::CaseInsensitive) < 0;
    });
  QListWidget* l = listOf(this);
  CodeScope scope(fromCode_);
  l->setUpdatesEnabled(false);
  l->clear();
  l->addItems(q);
  l->setUpdatesEnabled(true);
  newIndex_ = q.isEmpty() ? -1 : static_cast<int>(q.size()) - 1;
}

void ListBox::removeItem(int i) {
  fillPending();
  checkIndex(i, "RemoveItem");
  CodeScope scope(fromCode_);
  delete listOf(this)->takeItem(i);
}

void ListBox::clear() {
  pending_ = nullptr;
  CodeScope scope(fromCode_);
  listOf(this)->clear();
  newIndex_ = -1;
}

std::string ListBox::list(int i) const {
  fillPending();
  if (i < 0 || i >= listCount()) return std::string();
  return fromQ(listOf(this)->item(i)->text());
}

void ListBox::setList(int i, const std::string& text) {
  fillPending();
  checkIndex(i, "List");
  listOf(this)->item(i)->setText(toQ(text));
}

int ListBox::listCount() const {
  fillPending();
  return listOf(this)->count();
}

long ListBox::itemData(int i) const {
  fillPending();
  if (i < 0 || i >= listCount()) return 0;
  return static_cast<long>(listOf(this)->item(i)->data(Qt::UserRole).toLongLong());
}

void ListBox::setItemData(int i, long v) {
  fillPending();
  checkIndex(i, "ItemData");
  listOf(this)->item(i)->setData(Qt::UserRole, static_cast<qlonglong>(v));
}

int ListBox::listIndex() const {
  fillPending();
  QListWidget* l = listOf(this);
  if (multiSelect_ != 0) return l->currentRow();
  const QList<QListWidgetItem*> sel = l->selectedItems();
  return sel.isEmpty() ? -1 : l->row(sel.front());
}

void ListBox::setListIndex(int i) {
  fillPending();
  if (i != -1) checkIndex(i, "ListIndex");
  if (i == listIndex()) return;
  QListWidget* l = listOf(this);
  {
    CodeScope scope(fromCode_);
    if (multiSelect_ != 0) {
      l->setCurrentRow(i, QItemSelectionModel::NoUpdate);
    } else if (i < 0) {
      l->clearSelection();
      l->setCurrentRow(-1);
    } else {
      l->setCurrentRow(i);
      l->item(i)->setSelected(true);
    }
  }
  fire(name() + "_Click", onClick);
}

void ListBox::setMultiSelect(int m) {
  fillPending();
  multiSelect_ = (m == 1 || m == 2) ? m : 0;
  CodeScope scope(fromCode_);
  listOf(this)->setSelectionMode(multiSelect_ == 1   ? QAbstractItemView::MultiSelection
                                 : multiSelect_ == 2 ? QAbstractItemView::ExtendedSelection
                                                     : QAbstractItemView::SingleSelection);
}

bool ListBox::selected(int i) const {
  fillPending();
  if (i < 0 || i >= listCount()) return false;
  return listOf(this)->item(i)->isSelected();
}

void ListBox::setSelected(int i, bool on) {
  fillPending();
  checkIndex(i, "Selected");
  if (multiSelect_ == 0 && on) {
    setListIndex(i);
    return;
  }
  QListWidgetItem* it = listOf(this)->item(i);
  if (it->isSelected() == on) return;
  {
    CodeScope scope(fromCode_);
    it->setSelected(on);
  }
  fire(name() + "_Click", onClick);
}

int ListBox::selCount() const {
  fillPending();
  return static_cast<int>(listOf(this)->selectedItems().size());
}

int ListBox::topIndex() const {
  fillPending();
  QListWidget* l = listOf(this);
  if (l->count() == 0) return 0;
  const QModelIndex m = l->indexAt(QPoint(1, 1));
  return m.isValid() ? m.row() : 0;
}

void ListBox::setTopIndex(int i) {
  fillPending();
  checkIndex(i, "TopIndex");
  listOf(this)->scrollToItem(listOf(this)->item(i), QAbstractItemView::PositionAtTop);
}

void ListBox::setSorted(bool on) {
  fillPending();
  sorted_ = on;
  if (!on) return;
  QListWidget* l = listOf(this);
  CodeScope scope(fromCode_);
  std::vector<QListWidgetItem*> items;
  while (l->count() > 0) items.push_back(l->takeItem(0));
  std::stable_sort(items.begin(), items.end(), [](QListWidgetItem* a, QListWidgetItem* b) {
    return QString::compare(a->text(), b->text(), Qt::CaseInsensitive) < 0;
  });
  for (QListWidgetItem* it : items) l->addItem(it);
}

// The handlers stop before the members they use go (the widget goes later).
ListBox::~ListBox() {
  delete tap_;
  delete showWatch_;
}

// --- ComboBox -----------------------------------------------------------------------

namespace {
QComboBox* comboOf(const Control* c) { return static_cast<QComboBox*>(c->widget()); }
}  // namespace

ComboBox::ComboBox(Container& parent, const std::string& name, int index) : Control(parent, name, index) {
  auto* c = new QComboBox(parent.clientWidget());
  c->setInsertPolicy(QComboBox::NoInsert);
  c->setMaxVisibleItems(12);
  attach(c);
  tap_ = new EventTap(c, name);
  tapAll(tap_, *this);
  QObject::connect(c, &QComboBox::activated, tap_, [this](int) {
    last_ = text();
    fire(this->name() + "_Click", onClick);
  });
  setStyle(0);
}

void ComboBox::setStyle(int s) {
  style_ = s == 2 ? 2 : 0;
  QComboBox* c = comboOf(this);
  {
    CodeScope scope(fromCode_);
    c->setEditable(style_ == 0);
  }
  QLineEdit* e = c->lineEdit();
  if (e && !e->property("qvWired").toBool()) {
    e->setProperty("qvWired", true);
    QObject::connect(e, &QLineEdit::textEdited, tap_, [this](const QString&) { textMaybeChanged(); });
    // Key events reach the edit line first when it has the focus.
    tap_->watch(e);
  }
  last_ = text();
}

std::string ComboBox::text() const { return fromQ(comboOf(this)->currentText()); }

void ComboBox::setText(const std::string& t) {
  QComboBox* c = comboOf(this);
  {
    CodeScope scope(fromCode_);
    QSignalBlocker b(c);
    if (c->isEditable()) {
      c->setEditText(toQ(t));
    } else {
      const int i = c->findText(toQ(t), Qt::MatchFixedString);
      if (i >= 0) c->setCurrentIndex(i);
    }
  }
  textMaybeChanged();
}

void ComboBox::textMaybeChanged() {
  std::string now = text();
  if (now == last_) return;
  last_ = std::move(now);
  fire(name() + "_Change", onChange);
}

void ComboBox::addItem(const std::string& text, int index) {
  QComboBox* c = comboOf(this);
  const int n = c->count();
  if (index != -1 && (index < 0 || index > n)) throwIndex(name(), "AddItem", index);
  CodeScope scope(fromCode_);
  QSignalBlocker b(c);
  const QString keep = c->currentText();
  c->insertItem(index == -1 ? n : index, toQ(text));
  // Adding an entry never changes the text shown.
  if (c->isEditable() && c->currentText() != keep) c->setEditText(keep);
}

void ComboBox::removeItem(int i) {
  QComboBox* c = comboOf(this);
  if (i < 0 || i >= c->count()) throwIndex(name(), "RemoveItem", i);
  CodeScope scope(fromCode_);
  QSignalBlocker b(c);
  c->removeItem(i);
  last_ = text();
}

void ComboBox::clear() {
  QComboBox* c = comboOf(this);
  CodeScope scope(fromCode_);
  QSignalBlocker b(c);
  c->clear();
  if (c->isEditable()) c->setEditText(QString());
  last_ = text();
}

std::string ComboBox::list(int i) const {
  QComboBox* c = comboOf(this);
  if (i < 0 || i >= c->count()) return std::string();
  return fromQ(c->itemText(i));
}

int ComboBox::listCount() const { return comboOf(this)->count(); }

int ComboBox::listIndex() const {
  QComboBox* c = comboOf(this);
  const int i = c->currentIndex();
  if (i < 0 || c->itemText(i) != c->currentText()) return -1;
  return i;
}

void ComboBox::setListIndex(int i) {
  QComboBox* c = comboOf(this);
  if (i != -1 && (i < 0 || i >= c->count())) throwIndex(name(), "ListIndex", i);
  if (i == listIndex()) return;
  {
    CodeScope scope(fromCode_);
    QSignalBlocker b(c);
    if (i < 0) {
      c->setCurrentIndex(-1);
      if (c->isEditable()) c->setEditText(QString());
    } else {
      c->setCurrentIndex(i);
    }
  }
  last_ = text();
  fire(name() + "_Click", onClick);
}

void ComboBox::showDropDown(bool open) {
  QComboBox* c = comboOf(this);
  if (open)
    c->showPopup();
  else
    c->hidePopup();
}

int ComboBox::findPrefix(const std::string& prefix) const {
  QComboBox* c = comboOf(this);
  const QString p = toQ(prefix);
  for (int i = 0; i < c->count(); ++i)
    if (c->itemText(i).startsWith(p, Qt::CaseInsensitive)) return i;
  return -1;
}

int ComboBox::selStart() const {
  QLineEdit* e = comboOf(this)->lineEdit();
  if (!e) return 0;
  return e->hasSelectedText() ? e->selectionStart() : e->cursorPosition();
}

void ComboBox::setSelStart(int pos) {
  if (QLineEdit* e = comboOf(this)->lineEdit()) e->setCursorPosition(std::clamp(pos, 0, static_cast<int>(e->text().size())));
}

int ComboBox::selLength() const {
  QLineEdit* e = comboOf(this)->lineEdit();
  return e && e->hasSelectedText() ? static_cast<int>(e->selectedText().size()) : 0;
}

void ComboBox::setSelLength(int n) {
  QLineEdit* e = comboOf(this)->lineEdit();
  if (!e) return;
  const int len = static_cast<int>(e->text().size());
  const int s = std::clamp(selStart(), 0, len);
  e->setSelection(s, std::clamp(n, 0, len - s));
}

std::string ComboBox::selText() const {
  QLineEdit* e = comboOf(this)->lineEdit();
  return e ? fromQ(e->selectedText()) : std::string();
}

// The handlers stop before the members they use go (the widget goes later).
ComboBox::~ComboBox() { delete tap_; }

// --- ScrollBar ----------------------------------------------------------------------

namespace {
QScrollBar* barOf(const Control* c) { return static_cast<QScrollBar*>(c->widget()); }
}  // namespace

ScrollBar::ScrollBar(Container& parent, const std::string& name, int index, bool vertical)
    : Control(parent, name, index) {
  auto* b = new QScrollBar(vertical ? Qt::Vertical : Qt::Horizontal, parent.clientWidget());
  b->setSingleStep(1);
  b->setPageStep(1);
  attach(b);
  tap_ = new EventTap(b, name);
  tapAll(tap_, *this);
  applyRange();
  QObject::connect(b, &QScrollBar::valueChanged, tap_, [this, b](int) {
    if (fromCode_) return;
    if (b->isSliderDown())
      fire(this->name() + "_Scroll", onScroll);
    else
      fire(this->name() + "_Change", onChange);
  });
  QObject::connect(b, &QScrollBar::sliderPressed, tap_, [this, b] { pressValue_ = b->value(); });
  QObject::connect(b, &QScrollBar::sliderReleased, tap_, [this, b] {
    if (b->value() != pressValue_) fire(this->name() + "_Change", onChange);
  });
}

void ScrollBar::applyRange() {
  QScrollBar* b = barOf(this);
  b->setRange(std::min(min_, max_), std::max(min_, max_));
  b->setInvertedAppearance(min_ > max_);
  b->setInvertedControls(min_ > max_);
}

void ScrollBar::setMin(int v) {
  const int before = value();
  min_ = v;
  {
    CodeScope scope(fromCode_);
    applyRange();
  }
  if (value() != before) fire(name() + "_Change", onChange);
}

void ScrollBar::setMax(int v) {
  const int before = value();
  max_ = v;
  {
    CodeScope scope(fromCode_);
    applyRange();
  }
  if (value() != before) fire(name() + "_Change", onChange);
}

int ScrollBar::value() const { return barOf(this)->value(); }

void ScrollBar::setValue(int v) {
  v = std::clamp(v, std::min(min_, max_), std::max(min_, max_));
  if (v == value()) return;
  {
    CodeScope scope(fromCode_);
    barOf(this)->setValue(v);
  }
  fire(name() + "_Change", onChange);
}

int ScrollBar::smallChange() const { return barOf(this)->singleStep(); }
void ScrollBar::setSmallChange(int v) { barOf(this)->setSingleStep(std::max(v, 1)); }
int ScrollBar::largeChange() const { return barOf(this)->pageStep(); }
void ScrollBar::setLargeChange(int v) { barOf(this)->setPageStep(std::max(v, 1)); }

// The handlers stop before the members they use go (the widget goes later).
ScrollBar::~ScrollBar() { delete tap_; }

// --- StatusBar ----------------------------------------------------------------------

StatusBar::StatusBar(Container& parent, const std::string& name, int index) : Control(parent, name, index) {
  auto* bar = new QStatusBar(parent.clientWidget());
  bar->setSizeGripEnabled(false);
  auto* text = new QLabel(bar);
  text->setTextFormat(Qt::PlainText);
  text->setObjectName(QStringLiteral("simpleText"));
  bar->addWidget(text, 1);
  attach(bar);
  // Aligned to the bottom when it belongs to the form itself.
  if (static_cast<Container*>(&parent.form()) == &parent) {
    aligned_ = &parent.form();
    installStatusBar(*aligned_, this, bar);
  }
}

StatusBar::~StatusBar() {
  if (aligned_) removeStatusBar(*aligned_, this);
}

void StatusBar::setSimpleText(const std::string& t) {
  simpleText_ = t;
  if (auto* l = widget()->findChild<QLabel*>(QStringLiteral("simpleText"))) l->setText(toQ(t));
}

void StatusBar::setStyle(int s) { style_ = s == 0 ? 0 : 1; }

// --- FolderList ---------------------------------------------------------------------

namespace {
// Folder path with "/" separators, no trailing separator (except the root).
QString cleanFolder(const std::string& folder) {
  QString q = toQ(folder);
  q.replace(QLatin1Char('\\'), QLatin1Char('/'));
  if (q.isEmpty()) return q;
  q = QDir::cleanPath(QDir(q).absolutePath());
  return q;
}
}  // namespace

FolderList::FolderList(Container& parent, const std::string& name, int index) : Control(parent, name, index) {
  auto* l = new QListWidget(parent.clientWidget());
  l->setSelectionMode(QAbstractItemView::SingleSelection);
  attach(l);
  tap_ = new EventTap(l, name);
  tapAll(tap_, *this);
  path_ = fromQ(QDir::cleanPath(QDir::currentPath()));
  fill();
  QObject::connect(l, &QListWidget::currentRowChanged, tap_, [this](int) {
    if (!fromCode_) fire(this->name() + "_Click", onClick);
  });
  QObject::connect(l, &QListWidget::itemDoubleClicked, tap_, [this, l](QListWidgetItem* it) {
    const int row = l->row(it);
    if (row >= 0 && row < static_cast<int>(entries_.size())) {
      const std::string target = entries_[static_cast<size_t>(row)];
      guarded((this->name() + "_Change").c_str(), [&] { setPath(target); });
    }
  });
}

void FolderList::fill() {
  QListWidget* l = listOf(this);
  CodeScope scope(fromCode_);
  l->clear();
  entries_.clear();
  const QString cur = toQ(path_);
  // The chain of folders from the root down to the open one.
  QStringList parts = cur.split(QLatin1Char('/'), Qt::SkipEmptyParts);
  QString acc;
  int depth = 0;
  entries_.push_back("/");
  l->addItem(QStringLiteral("/"));
  for (const QString& p : parts) {
    acc += QLatin1Char('/') + p;
    ++depth;
    entries_.push_back(fromQ(acc));
    l->addItem(QString(depth * 2, QLatin1Char(' ')) + p);
  }
  const int openRow = static_cast<int>(entries_.size()) - 1;
  QDir dir(cur);
  const QStringList subs = dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
  for (const QString& s : subs) {
    entries_.push_back(fromQ(cur == QLatin1String("/") ? QLatin1Char('/') + s : cur + QLatin1Char('/') + s));
    l->addItem(QString((depth + 1) * 2, QLatin1Char(' ')) + s);
  }
  l->setCurrentRow(openRow);
}

bool FolderList::setPath(const std::string& folder) {
  const QString q = cleanFolder(folder);
  if (q.isEmpty() || !QFileInfo(q).isDir()) return false;
  const std::string p = fromQ(q);
  const bool changed = p != path_;
  path_ = p;
  fill();
  if (changed) fire(name() + "_Change", onChange);
  return true;
}

std::string FolderList::selectedPath() const {
  const int r = listOf(this)->currentRow();
  if (r < 0 || r >= static_cast<int>(entries_.size())) return path_;
  return entries_[static_cast<size_t>(r)];
}

int FolderList::listCount() const { return static_cast<int>(entries_.size()); }

std::string FolderList::list(int i) const {
  if (i < 0 || i >= static_cast<int>(entries_.size())) return std::string();
  return entries_[static_cast<size_t>(i)];
}

int FolderList::listIndex() const { return listOf(this)->currentRow(); }

void FolderList::setListIndex(int i) {
  if (i < 0 || i >= listCount()) throwIndex(name(), "ListIndex", i);
  if (i == listIndex()) return;
  {
    CodeScope scope(fromCode_);
    listOf(this)->setCurrentRow(i);
  }
  fire(name() + "_Click", onClick);
}

void FolderList::refresh() { fill(); }

// The handlers stop before the members they use go (the widget goes later).
FolderList::~FolderList() { delete tap_; }

// --- DriveList ----------------------------------------------------------------------

DriveList::DriveList(Container& parent, const std::string& name, int index) : Control(parent, name, index) {
  auto* c = new QComboBox(parent.clientWidget());
  c->addItem(QStringLiteral("/"));
  attach(c);
}

bool DriveList::setDrive(const std::string& d) { return !d.empty() && (d[0] == '/' || d[0] == '\\'); }

}  // namespace platform
