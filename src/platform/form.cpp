// Forms: the top-level window, its life cycle (load, show, modal show, hide, unload),
// activation as the program sees it, geometry in twips, key preview and the registry
// of named controls and menu items.

#include "platform/form.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QFocusEvent>
#include <QFont>
#include <QEventLoop>
#include <QKeyEvent>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPointer>
#include <QRadioButton>
#include <QResizeEvent>
#include <QScreen>
#include <QWindow>

#include <algorithm>
#include <cctype>
#include <utility>

#include "platform/app.h"
#include "platform/controls.h"
#include "platform/form_impl.h"
#include "platform/menu.h"
#include "platform/qt_bridge.h"

namespace platform {

namespace {

// Every Form object alive, and the visible ones in the order they came to the front
// (the last is the active form as the program sees it).
std::vector<Form*>& allForms() {
  static std::vector<Form*> v;
  return v;
}
std::vector<Form*>& visibleStack() {
  static std::vector<Form*> v;
  return v;
}

void removeFrom(std::vector<Form*>& v, Form* f) { v.erase(std::remove(v.begin(), v.end(), f), v.end()); }

bool sameName(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}

Form* formOfWindow(QWidget* top) {
  for (Form* f : allForms())
    if (f->impl().win == top) return f;
  return nullptr;
}

// Sends the form's key handlers the keys of all its widgets. Installed once on the
// application; a key event is looked at on its first delivery only (not again while
// Qt passes it up to the parents).
class KeyRouter : public QObject {
 public:
  bool eventFilter(QObject* o, QEvent* e) override {
    if (e->type() != QEvent::KeyPress && e->type() != QEvent::KeyRelease) return false;
    if (!o->isWidgetType() || keyReinjecting()) return false;
    auto* w = static_cast<QWidget*>(o);
    auto* ke = static_cast<QKeyEvent*>(e);
    // Qt gives a key to the focus widget first, then to its parents while they ignore
    // it. Without a focus widget in that window, the same event object seen again by
    // an ancestor of its last receiver is taken as passed up.
    QWidget* focus = QApplication::focusWidget();
    if (focus && focus->window() == w->window()) {
      if (w != focus) return false;
    } else if (ke == last_ && ke->type() == lastType_ && ke->key() == lastKey_ &&
               ke->timestamp() == lastTime_ && lastReceiver_ && w->isAncestorOf(lastReceiver_)) {
      return false;
    }
    last_ = ke;
    lastType_ = ke->type();
    lastKey_ = ke->key();
    lastTime_ = ke->timestamp();
    lastReceiver_ = w;
    if (ke->isAutoRepeat()) return false;   // handlers never see repeated keys
    Form* f = formOfWindow(w->window());
    if (!f) return false;
    Form::Impl& d = f->impl();
    const bool own = w == d.win || w == d.client;
    if (!d.keyPreview && !own) return false;
    return d.handleKey(w, ke);
  }

 private:
  const QKeyEvent* last_ = nullptr;
  QEvent::Type lastType_ = QEvent::None;
  int lastKey_ = 0;
  quint64 lastTime_ = 0;
  QPointer<QWidget> lastReceiver_;
};

// Holds back a close request from the window system (the title bar's close) for a
// form already inside its unload: the request would otherwise reach a window that Qt
// counts as closing and take its window away while QueryUnload still waits.
class CloseGuard : public QObject {
 public:
  bool eventFilter(QObject* o, QEvent* e) override {
    if (e->type() != QEvent::Close || !o->isWindowType()) return false;
    for (Form* f : allForms()) {
      const Form::Impl& d = f->impl();
      if (d.unloading > 0 && d.win && static_cast<QObject*>(d.win->windowHandle()) == o) {
        e->ignore();
        return true;
      }
    }
    return false;
  }
};

void installKeyRouter() {
  static KeyRouter* router = nullptr;
  if (router || !qApp) return;
  router = new KeyRouter;
  router->setParent(qApp);
  qApp->installEventFilter(router);
  auto* guard = new CloseGuard;
  guard->setParent(qApp);
  qApp->installEventFilter(guard);
}

bool reinjecting = false;

}  // namespace

// --- key helpers --------------------------------------------------------------------

int keyCodeFromQt(int qtKey, int nativeVirtualKey) {
  if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return qtKey - Qt::Key_A + 65;
  if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return qtKey - Qt::Key_0 + 48;
  if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F12) return qtKey - Qt::Key_F1 + 112;
  switch (qtKey) {
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return 9;
    case Qt::Key_Return:
    case Qt::Key_Enter: return 13;
    case Qt::Key_Shift: return 16;
    case Qt::Key_Control: return 17;
    case Qt::Key_Alt: return 18;
    case Qt::Key_Pause: return 19;
    case Qt::Key_CapsLock: return 20;
    case Qt::Key_Escape: return 27;
    case Qt::Key_Space: return 32;
    case Qt::Key_PageUp: return 33;
    case Qt::Key_PageDown: return 34;
    case Qt::Key_End: return 35;
    case Qt::Key_Home: return 36;
    case Qt::Key_Left: return 37;
    case Qt::Key_Up: return 38;
    case Qt::Key_Right: return 39;
    case Qt::Key_Down: return 40;
    case Qt::Key_Insert: return 45;
    case Qt::Key_Delete: return 46;
    case Qt::Key_Less:
    case Qt::Key_Greater: return 226;
    default: break;
  }
  // The "<>" key by its X11 key symbols (less, greater, bar on that key) or its
  // Windows virtual key.
  if (nativeVirtualKey == 0x3c || nativeVirtualKey == 0x3e || nativeVirtualKey == 0xE2) return 226;
  return 0;
}

int keyAsciiOf(QKeyEvent* e) {
  const QString t = e->text();
  if (t.size() != 1) return -1;
  const int c = t.at(0).unicode();
  return c < 256 ? c : -1;
}

bool keyReinjecting() { return reinjecting; }

void reinjectKey(QWidget* w, QKeyEvent* e, int ascii) {
  if (!w || ascii <= 0 || ascii > 255) return;
  QKeyEvent copy(e->type(), e->key(), e->modifiers(), QString(QChar(ascii)), false, 1);
  reinjecting = true;
  QCoreApplication::sendEvent(w, &copy);
  reinjecting = false;
}

bool Form::Impl::handleKey(QWidget* w, QKeyEvent* e) {
  const int shift = shiftMaskFromQt(e->modifiers());
  const int code = keyCodeFromQt(e->key(), static_cast<int>(e->nativeVirtualKey()));
  if (e->type() == QEvent::KeyRelease) {
    if (!self->onKeyUp || code == 0) return false;
    int k = code;
    guarded("Form_KeyUp", [&] { self->onKeyUp(k, shift); });
    return k == 0;
  }
  if (self->onKeyDown && code != 0) {
    int k = code;
    guarded("Form_KeyDown", [&] { self->onKeyDown(k, shift); });
    if (k == 0) return true;
  }
  const int ascii = keyAsciiOf(e);
  if (self->onKeyPress && ascii > 0) {
    int a = ascii;
    guarded("Form_KeyPress", [&] { self->onKeyPress(a); });
    if (a <= 0) return true;
    if (a != ascii) {
      reinjectKey(w, e, a);
      return true;
    }
  }
  return false;
}

// --- windows ------------------------------------------------------------------------

namespace {
// The forms' default font, which their controls take: a narrow sans-serif of 8 points,
// whose texts fit the widths the forms were designed with (a value such as "1327.00"
// in a 550-twip grid column).
QFont formFont() {
  QFont f(QStringLiteral("Liberation Sans Narrow"));
  f.setStyleHint(QFont::SansSerif);
  f.setPointSizeF(8);
  return f;
}
}  // namespace

FormWindow::FormWindow(Form* f) : QMainWindow(nullptr), form_(f) {}

namespace {
// The controls inside w (widgets the platform made, named "qv_..."), in reading order:
// row by row from the top (controls whose tops lie within a few pixels share a row),
// left to right in a row, the controls of a frame or picture right after it.
void readingOrder(QWidget* w, std::vector<QWidget*>& out) {
  std::vector<QWidget*> kids;
  for (QObject* o : w->children()) {
    auto* c = qobject_cast<QWidget*>(o);
    if (c && !c->isWindow() && c->objectName().startsWith(QLatin1String("qv_"))) kids.push_back(c);
  }
  std::stable_sort(kids.begin(), kids.end(), [](QWidget* a, QWidget* b) { return a->y() < b->y(); });
  constexpr int kSameRow = 8;
  for (std::size_t i = 0; i < kids.size();) {
    std::size_t j = i + 1;
    while (j < kids.size() && kids[j]->y() < kids[i]->y() + kSameRow) ++j;
    std::stable_sort(kids.begin() + i, kids.begin() + j, [](QWidget* a, QWidget* b) { return a->x() < b->x(); });
    i = j;
  }
  for (QWidget* c : kids) {
    out.push_back(c);
    readingOrder(c, out);
  }
}

// A control Tab stops on: showing, enabled, taking the focus by Tab; of option buttons
// side by side, only the one chosen (all of them when none is).
bool tabStop(QWidget* w, QWidget* window) {
  if (!w->isVisibleTo(window) || !w->isEnabled() || !(w->focusPolicy() & Qt::TabFocus)) return false;
  auto* r = qobject_cast<QRadioButton*>(w);
  if (!r || r->isChecked()) return true;
  for (QObject* o : r->parent()->children()) {
    auto* other = qobject_cast<QRadioButton*>(o);
    if (other && other != r && other->isChecked() && other->isVisibleTo(window)) return false;
  }
  return true;
}

// The control whose focus the menu bar holds while it has the keyboard; none when
// nullptr.
FocusMemory* lentToMenuBar = nullptr;
}  // namespace

FocusMemory::FocusMemory(std::function<void()> got, std::function<void()> lost)
    : got_(std::move(got)), lost_(std::move(lost)) {}

FocusMemory::~FocusMemory() {
  if (lentToMenuBar == this) lentToMenuBar = nullptr;
}

void FocusMemory::take(const QWidget* w, const QFocusEvent* e) {
  if (!changes(w, e)) return;
  const std::function<void()> fn = e->type() == QEvent::FocusIn ? got_ : lost_;
  if (fn) fn();
}

bool FocusMemory::changes(const QWidget* w, const QFocusEvent* e) {
  const Qt::FocusReason r = e->reason();
  const bool windowing = r == Qt::ActiveWindowFocusReason || r == Qt::PopupFocusReason;
  if (e->type() == QEvent::FocusOut) {
    // A popup that takes the focus may give Qt's plain reason for it (a drop-down list).
    const QWidget* now = QApplication::focusWidget();
    if (windowing || (now && now->window()->windowType() == Qt::Popup)) return false;
    if (r == Qt::MenuBarFocusReason) {
      lentToMenuBar = this;
      window_ = w->window();
      return false;
    }
    holds_ = false;
    return true;
  }
  const auto* win = dynamic_cast<const FormWindow*>(w->window());
  const int load = win && win->form() ? win->form()->impl().loads : 0;
  if (lentToMenuBar == this) {
    // Given back by the menu bar, or clicked while the menu bar had the keyboard.
    lentToMenuBar = nullptr;
    if (holds_ && load == load_) return false;
  } else if (lentToMenuBar && lentToMenuBar->window_ == w->window()) {
    // Another control of that window takes the focus from the menu bar.
    FocusMemory* before = std::exchange(lentToMenuBar, nullptr);
    before->holds_ = false;
    const std::function<void()> lost = before->lost_;
    if (lost) lost();
  }
  if (windowing && holds_ && load == load_) return false;
  holds_ = true;
  load_ = load;
  return true;
}

// Tab and Shift+Tab go through the controls in the order a reader meets them, so
// that each control is reached whatever the order the program made them in. Qt asks
// for the next control too when the one holding the focus is hidden or disabled: the
// form's control for that takes it when it can, else the hidden control keeps its
// place in that order and the focus goes on to the control after it, not back to the
// first.
bool FormWindow::focusNextPrevChild(bool next) {
  const QWidget* holder = QApplication::focusWidget();
  if (form_ && holder && holder->window() == this && !(holder->isVisibleTo(this) && holder->isEnabled())) {
    QWidget* heir = form_->impl().focusAfterHide;
    if (heir && heir->isVisibleTo(this) && heir->isEnabled()) {
      heir->setFocus(Qt::OtherFocusReason);
      return true;
    }
  }
  std::vector<QWidget*> order;
  if (QWidget* client = centralWidget()) readingOrder(client, order);
  const int n = static_cast<int>(order.size());
  int at = -1;
  for (QWidget* f = QApplication::focusWidget(); f && at < 0 && f != this; f = f->parentWidget())
    for (int i = 0; i < n; ++i)
      if (order[static_cast<std::size_t>(i)] == f) at = i;
  // Without a focused control, the search starts before the first (or after the last).
  if (at < 0) at = next ? n - 1 : 0;
  for (int k = 1; k <= n; ++k) {
    QWidget* w = order[static_cast<std::size_t>(((at + (next ? k : -k)) % n + n) % n)];
    if (!tabStop(w, this)) continue;
    w->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
  }
  return QMainWindow::focusNextPrevChild(next);
}

void FormWindow::closeEvent(QCloseEvent* e) {
  // The window's close button: the form decides (QueryUnload may cancel), and the
  // form hides its window itself.
  e->ignore();
  if (!form_ || form_->impl().unloading > 0) return;
  form_->unload(kFormControlMenu);
}

void FormWindow::resizeEvent(QResizeEvent* e) {
  QMainWindow::resizeEvent(e);
  if (form_) form_->impl().fireResize();
}

ClientArea::ClientArea(Form* f, QWidget* parent) : QWidget(parent), form_(f) { setMouseTracking(true); }

namespace {
// Fires a form mouse handler for an event on the client background (children that
// let the event through to their parent do not count).
void clientMouse(Form* f, QWidget* client, QMouseEvent* e, MouseHandler Form::*h, const char* where,
                 bool moving) {
  if (!f || !(f->*h)) return;
  const QPoint p = e->position().toPoint();
  if (client->childAt(p)) return;
  const int button = moving ? buttonsFromQt(e->buttons()) : buttonsFromQt(e->button());
  const int shift = shiftMaskFromQt(e->modifiers());
  const double x = pixelsToTwips(e->position().x());
  const double y = pixelsToTwips(e->position().y());
  guarded(where, [&] { (f->*h)(button, shift, x, y); });
}
}  // namespace

void ClientArea::mousePressEvent(QMouseEvent* e) {
  clientMouse(form_, this, e, &Form::onMouseDown, "Form_MouseDown", false);
}
void ClientArea::mouseReleaseEvent(QMouseEvent* e) {
  clientMouse(form_, this, e, &Form::onMouseUp, "Form_MouseUp", false);
}
void ClientArea::mouseMoveEvent(QMouseEvent* e) {
  clientMouse(form_, this, e, &Form::onMouseMove, "Form_MouseMove", true);
}
void ClientArea::mouseDoubleClickEvent(QMouseEvent* e) {
  // A double click is a second press for the program.
  clientMouse(form_, this, e, &Form::onMouseDown, "Form_MouseDown", false);
}

void ClientArea::resizeEvent(QResizeEvent* e) {
  QWidget::resizeEvent(e);
  if (form_) form_->impl().layoutStatusBar();
}

void Form::Impl::ensureWindow() {
  if (win) return;
  installKeyRouter();
  win = new FormWindow(self);
  win->setAttribute(Qt::WA_DeleteOnClose, false);
  win->setWindowTitle(toQ(caption));
  client = new ClientArea(self, win);
  client->setFont(formFont());
  client->setAutoFillBackground(true);
  win->setCentralWidget(client);
  if (width <= 0 || height <= 0) {
    width = pixelsToTwips(640);
    height = pixelsToTwips(480);
  }
  win->setGeometry(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height));
  if (back != kButtonFace) self->setBackColor(back);
}

QMenuBar* Form::Impl::menuBar() {
  ensureWindow();
  QMenuBar* bar = win->menuBar();
  // The menu bar stays in the window (the client area lies below it), even where
  // the desktop would move it to a global menu.
  bar->setNativeMenuBar(false);
  return bar;
}

void Form::Impl::fireResize() {
  if (showing || !shown || !self->onResize) return;
  if (resizeDepth >= 4) return;   // a handler that keeps resizing stops here
  ++resizeDepth;
  guarded("Form_Resize", [&] { self->onResize(); });
  --resizeDepth;
}

void Form::Impl::layoutStatusBar() {
  if (!client || !statusWidget) return;
  if (statusWidget->isHidden()) return;
  const int h = std::max(statusWidget->sizeHint().height(), 1);
  statusWidget->setGeometry(0, std::max(client->height() - h, 0), client->width(), h);
  statusWidget->raise();
}

void installStatusBar(Form& f, StatusBar* bar, QWidget* w) {
  Form::Impl& d = f.impl();
  d.statusBar = bar;
  d.statusWidget = w;
  d.layoutStatusBar();
}

void removeStatusBar(Form& f, StatusBar* bar) {
  Form::Impl& d = f.impl();
  if (d.statusBar != bar) return;
  d.statusBar = nullptr;
  d.statusWidget = nullptr;
}

// --- Form ---------------------------------------------------------------------------

Form::Form(const std::string& name) : Component(name, -1), d_(std::make_unique<Impl>()) {
  d_->self = this;
  d_->caption = name;
  allForms().push_back(this);
}

Form::~Form() {
  removeFrom(visibleStack(), this);
  removeFrom(allForms(), this);
  *d_->alive = false;
  if (d_->modalLoop) d_->modalLoop->quit();
  d_->menus.clear();
  d_->ownStatusBar.reset();
  if (d_->win) {
    d_->win->detach();
    d_->client->detach();
    // Widgets can only be deleted while the application object exists.
    if (QCoreApplication::instance()) delete d_->win;
  }
}

Form::Impl& Form::impl() { return *d_; }

QWidget* Form::clientWidget() {
  d_->ensureWindow();
  return d_->client;
}

QWidget* Form::window() {
  d_->ensureWindow();
  return d_->win;
}

void Form::load() {
  d_->ensureWindow();
  if (d_->loaded) return;
  d_->loaded = true;
  ++d_->loads;
  // Loaded again, the form starts as a new one: its first control takes the focus.
  if (!d_->win->isVisible())
    if (QWidget* f = d_->win->focusWidget()) f->clearFocus();
  guarded("Form_Load", [&] { if (onLoad) onLoad(); });
}

bool Form::isLoaded() const { return d_->loaded; }

void Form::show() {
  load();
  if (!d_->loaded) return;
  auto& stack = visibleStack();
  const bool wasTop = !stack.empty() && stack.back() == this;
  const bool wasShown = d_->shown;
  d_->shown = true;
  d_->showing = true;
  switch (wasShown ? -1 : d_->pendingState) {
    case kMinimized: d_->win->showMinimized(); break;
    case kMaximized: d_->win->showMaximized(); break;
    case kNormal: d_->win->showNormal(); break;
    default: d_->win->show(); break;
  }
  if (!wasShown && d_->pendingState == kMaximized && QGuiApplication::platformName() == "offscreen") {
    if (QScreen* s = QGuiApplication::primaryScreen()) d_->win->setGeometry(s->availableGeometry());
  }
  // The frame is known once the window is on screen: the outer size is the one set.
  if (!d_->everShown && d_->pendingState == kNormal) d_->applyGeometry();
  d_->everShown = true;
  // Brought to the front and given the keyboard (the offscreen platform has no
  // stacking order to change).
  if (QGuiApplication::platformName() != "offscreen") d_->win->raise();
  d_->win->activateWindow();
  d_->showing = false;
  if (wasTop) return;
  removeFrom(stack, this);
  stack.push_back(this);
  auto alive = d_->alive;
  if (!wasShown) {
    d_->layoutStatusBar();
    guarded("Form_Resize", [&] { if (onResize) onResize(); });
    if (!*alive || !d_->shown) return;
  }
  guarded("Form_Activate", [&] { if (onActivate) onActivate(); });
}

void Form::showModal() {
  load();
  if (!d_->loaded) return;
  if (d_->modalLoop) {   // already waiting in a modal show
    show();
    return;
  }
  d_->ensureWindow();
  if (d_->shown) d_->win->hide();   // the modality only applies to a hidden window
  d_->win->setWindowModality(Qt::ApplicationModal);
  d_->modal = true;
  const bool wasShown = d_->shown;
  if (wasShown) {
    d_->shown = false;
    removeFrom(visibleStack(), this);
  }
  QEventLoop loop;
  d_->modalLoop = &loop;
  auto alive = d_->alive;
  show();
  if (*alive && d_->shown) loop.exec(QEventLoop::DialogExec);
  if (!*alive) return;
  d_->modalLoop = nullptr;
  d_->modal = false;
  if (d_->win) d_->win->setWindowModality(Qt::NonModal);
}

void Form::hide() {
  if (d_->modalLoop) d_->modalLoop->quit();
  if (!d_->shown) return;
  d_->shown = false;
  if (d_->win) d_->win->hide();
  auto& stack = visibleStack();
  const bool wasTop = !stack.empty() && stack.back() == this;
  removeFrom(stack, this);
  if (wasTop && !stack.empty()) {
    Form* next = stack.back();
    guarded("Form_Activate", [&] { if (next->onActivate) next->onActivate(); });
  }
}

bool Form::unload(int mode) {
  if (!d_->loaded) return true;
  // A close asked for while QueryUnload still runs (its question waiting) does nothing.
  if (d_->unloading > 0) return false;
  int cancel = 0;
  bool ended = false;
  {
    ++d_->unloading;
    const std::shared_ptr<bool> alive = d_->alive;
    guarded("Form_QueryUnload", [&] {
      try {
        if (onQueryUnload) onQueryUnload(cancel, mode);
      } catch (const EndRequested&) {
        ended = true;
      }
    });
    if (!*alive) return false;
    --d_->unloading;
  }
  // The program was ended from QueryUnload (only a test's end hook comes back here):
  // nothing more runs and the window stays as it was.
  if (ended) return false;
  if (cancel != 0) return false;
  guarded("Form_Unload", [&] { if (onUnload) onUnload(cancel); });
  if (cancel != 0) return false;
  d_->loaded = false;
  hide();
  if (d_->modalLoop) d_->modalLoop->quit();
  // The program ends when its last form is unloaded (outside the event loop, as in
  // tests, this does nothing).
  if (loadedForms().empty() && QGuiApplication::quitOnLastWindowClosed()) QCoreApplication::quit();
  return true;
}

bool Form::visible() const { return d_->shown; }
bool Form::isModal() const { return d_->modal; }

std::string Form::caption() const { return d_->caption; }

void Form::setCaption(const std::string& text) {
  d_->caption = text;
  if (d_->win) d_->win->setWindowTitle(toQ(text));
}

namespace {
double readBack(double stored, int actualPixels) {
  return twipsToPixels(stored) == actualPixels ? stored : pixelsToTwips(actualPixels);
}
double finiteOr0(double v) { return std::isfinite(v) ? v : 0; }
}  // namespace

double Form::left() const { return d_->win ? readBack(d_->left, d_->win->frameGeometry().x()) : d_->left; }
double Form::top() const { return d_->win ? readBack(d_->top, d_->win->frameGeometry().y()) : d_->top; }
double Form::width() const {
  return d_->win ? readBack(d_->width, d_->win->frameGeometry().width()) : d_->width;
}
double Form::height() const {
  return d_->win ? readBack(d_->height, d_->win->frameGeometry().height()) : d_->height;
}

void Form::setLeft(double twips) { move(twips, top()); }
void Form::setTop(double twips) { move(left(), twips); }
void Form::setWidth(double twips) { move(left(), top(), twips, height()); }
void Form::setHeight(double twips) { move(left(), top(), width(), twips); }

void Form::move(double l, double t) {
  d_->ensureWindow();
  d_->left = finiteOr0(l);
  d_->top = finiteOr0(t);
  d_->win->move(twipsToPixels(d_->left), twipsToPixels(d_->top));
}

void Form::move(double l, double t, double w, double h) {
  d_->ensureWindow();
  const double nw = std::isfinite(w) && w > 0 ? w : 0;
  const double nh = std::isfinite(h) && h > 0 ? h : 0;
  move(l, t);
  d_->width = nw;
  d_->height = nh;
  d_->applyGeometry();
}

void Form::Impl::applyGeometry() {
  // The outer frame is what the program sets; the window manager's frame is taken off.
  const QRect fr = win->frameGeometry();
  const QRect g = win->geometry();
  const int extraW = std::max(fr.width() - g.width(), 0);
  const int extraH = std::max(fr.height() - g.height(), 0);
  win->move(twipsToPixels(left), twipsToPixels(top));
  win->resize(std::max(twipsToPixels(width) - extraW, 1), std::max(twipsToPixels(height) - extraH, 1));
}

double Form::scaleWidth() const { return d_->client ? pixelsToTwips(d_->client->width()) : 0; }
double Form::scaleHeight() const { return d_->client ? pixelsToTwips(d_->client->height()) : 0; }

int Form::windowState() const {
  if (!d_->win || !d_->shown) return d_->pendingState;
  const Qt::WindowStates s = d_->win->windowState();
  if (s & Qt::WindowMinimized) return kMinimized;
  if (s & Qt::WindowMaximized) return kMaximized;
  return kNormal;
}

void Form::setWindowState(int state) {
  if (state != kMinimized && state != kMaximized) state = kNormal;
  d_->pendingState = state;
  if (!d_->win || !d_->shown) return;
  switch (state) {
    case kMinimized: d_->win->showMinimized(); break;
    case kMaximized:
      d_->win->showMaximized();
      if (QGuiApplication::platformName() == "offscreen")
        if (QScreen* s = QGuiApplication::primaryScreen()) d_->win->setGeometry(s->availableGeometry());
      break;
    default: d_->win->showNormal(); break;
  }
}

Colour Form::backColor() const { return d_->back; }

void Form::setBackColor(Colour c) {
  d_->back = c;
  if (!d_->client) return;
  QPalette pal = d_->client->palette();
  pal.setColor(QPalette::Window, toQColor(c));
  d_->client->setPalette(pal);
}

void Form::setFocusAfterHide(Control* c) { d_->focusAfterHide = c ? c->widget() : nullptr; }

bool Form::keyPreview() const { return d_->keyPreview; }
void Form::setKeyPreview(bool on) { d_->keyPreview = on; }

MenuItem& Form::addMenu(const std::string& name, const std::string& caption, int index) {
  d_->menus.push_back(std::make_unique<MenuItem>(*this, name, caption, index));
  return *d_->menus.back();
}

StatusBar& Form::statusBar() {
  if (d_->statusBar) return *d_->statusBar;
  d_->ownStatusBar = std::make_unique<StatusBar>(*this, "StatusBar1");
  return *d_->ownStatusBar;
}

Component* Form::find(const std::string& name, int index) const {
  for (Component* c : d_->components)
    if (c->index() == index && sameName(c->name(), name)) return c;
  return nullptr;
}

void Form::registerComponent(Component* c) {
  if (!c) return;
  if (std::find(d_->components.begin(), d_->components.end(), c) == d_->components.end())
    d_->components.push_back(c);
}

void Form::unregisterComponent(Component* c) {
  d_->components.erase(std::remove(d_->components.begin(), d_->components.end(), c), d_->components.end());
}

void Form::setMousePointer(int pointer) {
  d_->ensureWindow();
  switch (pointer) {
    case 11: d_->win->setCursor(Qt::WaitCursor); break;
    case 15: d_->win->setCursor(Qt::SizeAllCursor); break;
    case 2: d_->win->setCursor(Qt::CrossCursor); break;
    case 3: d_->win->setCursor(Qt::IBeamCursor); break;
    case 99:
    case 0:
    default: d_->win->unsetCursor(); break;
  }
}

std::vector<Form*> Form::loadedForms() {
  std::vector<Form*> v;
  for (Form* f : allForms())
    if (f->isLoaded()) v.push_back(f);
  return v;
}

}  // namespace platform
