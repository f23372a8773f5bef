// Modal questions: the Qt dialogs used by the program, the scripted answers used by
// tests, and the switch between them.

#include "platform/dialogs.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QCursor>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFont>
#include <QFontDatabase>
#include <QFontDialog>
#include <QFontInfo>
#include <QInputDialog>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>

#include <algorithm>

#include "platform/app.h"
#include "platform/qt_bridge.h"

namespace platform {

namespace {

const char* const kDefaultTitle = "Quorvale";

// Text with CR LF, lone CR or LF as Qt line breaks.
QString linesToQ(const std::string& s) {
  QString q = toQ(s);
  q.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  q.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return q;
}

QString titleToQ(const std::string& title) {
  return toQ(title.empty() ? std::string(kDefaultTitle) : title);
}

// Path with "/" separators.
std::string slashes(std::string s) {
  std::replace(s.begin(), s.end(), '\\', '/');
  return s;
}

// Folder part of a path split at the last "/" or "\"; "" when there is none.
std::string parentOf(const std::string& path) {
  const size_t p = path.find_last_of("/\\");
  if (p == std::string::npos) return std::string();
  if (p == 0) return "/";
  return slashes(path.substr(0, p));
}

// Qt filter entries of an original filter string (see qtFilterFromOriginal).
QStringList qtFilterList(const std::string& filter) {
  QStringList parts = toQ(filter).split(QLatin1Char('|'));
  QStringList out;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    const QString desc = parts[i].trimmed();
    QStringList pats;
    for (const QString& p : parts[i + 1].split(QLatin1Char(';'))) {
      const QString t = p.trimmed();
      if (t.isEmpty()) continue;
      pats << (t == QLatin1String("*.*") ? QStringLiteral("*") : t);
    }
    if (pats.isEmpty()) pats << QStringLiteral("*");
    out << QStringLiteral("%1 (%2)").arg(desc, pats.join(QLatin1Char(' ')));
  }
  return out;
}

bool haveWidgets() { return qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr; }

FileAnswer cancelledAnswer(const FileRequest& r) {
  FileAnswer a;
  a.cancelled = true;
  a.filterIndex = r.filterIndex;
  return a;
}

FileAnswer answerOf(const std::vector<std::string>& files, int filterIndex) {
  FileAnswer a;
  a.cancelled = false;
  a.filterIndex = filterIndex;
  for (const std::string& f : files) a.files.push_back(slashes(f));
  if (!a.files.empty()) a.folder = parentOf(a.files.front());
  return a;
}

// Message box buttons of a style, in the order they are shown.
std::vector<QMessageBox::StandardButton> buttonsOf(int style) {
  switch (style & 0x0F) {
    case vbOKCancel: return {QMessageBox::Ok, QMessageBox::Cancel};
    case vbAbortRetryIgnore: return {QMessageBox::Abort, QMessageBox::Retry, QMessageBox::Ignore};
    case vbYesNoCancel: return {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel};
    case vbYesNo: return {QMessageBox::Yes, QMessageBox::No};
    case vbRetryCancel: return {QMessageBox::Retry, QMessageBox::Cancel};
    default: return {QMessageBox::Ok};
  }
}

int answerOfButton(int button, int style) {
  switch (button) {
    case QMessageBox::Ok: return vbOK;
    case QMessageBox::Cancel: return vbCancel;
    case QMessageBox::Abort: return vbAbort;
    case QMessageBox::Retry: return vbRetry;
    case QMessageBox::Ignore: return vbIgnore;
    case QMessageBox::Yes: return vbYes;
    case QMessageBox::No: return vbNo;
    default: return escapeAnswer(style);
  }
}

QMessageBox::StandardButton buttonOfAnswer(int answer) {
  switch (answer) {
    case vbCancel: return QMessageBox::Cancel;
    case vbAbort: return QMessageBox::Abort;
    case vbRetry: return QMessageBox::Retry;
    case vbIgnore: return QMessageBox::Ignore;
    case vbYes: return QMessageBox::Yes;
    case vbNo: return QMessageBox::No;
    default: return QMessageBox::Ok;
  }
}

// Button captions when Qt's texts are French, in the words the program always showed
// there (Qt's catalogue says "Réessayer" for Retry).
void frenchCaptions(QMessageBox& box) {
  if (App::qtLanguage() != "fr") return;
  const struct {
    QMessageBox::StandardButton b;
    const char* text;
  } names[] = {{QMessageBox::Ok, "OK"},           {QMessageBox::Cancel, "Annuler"},
               {QMessageBox::Abort, "Abandonner"}, {QMessageBox::Retry, "Recommencer"},
               {QMessageBox::Ignore, "Ignorer"},   {QMessageBox::Yes, "&Oui"},
               {QMessageBox::No, "&Non"}};
  for (const auto& n : names) {
    if (QAbstractButton* b = box.button(n.b)) b->setText(QString::fromUtf8(n.text));
  }
}

class QtDialogs : public Dialogs {
 public:
  int msgBox(const std::string& text, int style, const std::string& title) override {
    if (!haveWidgets()) return escapeAnswer(style);
    QMessageBox box;
    box.setWindowTitle(titleToQ(title));
    box.setTextFormat(Qt::PlainText);
    box.setText(linesToQ(text));
    switch (style & 0x70) {
      case vbCritical: box.setIcon(QMessageBox::Critical); break;
      case vbQuestion: box.setIcon(QMessageBox::Question); break;
      case vbExclamation: box.setIcon(QMessageBox::Warning); break;
      case vbInformation: box.setIcon(QMessageBox::Information); break;
      default: box.setIcon(QMessageBox::NoIcon); break;
    }
    const std::vector<QMessageBox::StandardButton> buttons = buttonsOf(style);
    for (QMessageBox::StandardButton b : buttons) box.addButton(b);
    size_t def = static_cast<size_t>((style >> 8) & 0x03);
    if (def >= buttons.size()) def = 0;
    box.setDefaultButton(buttons[def]);
    box.setEscapeButton(box.button(buttonOfAnswer(escapeAnswer(style))));
    frenchCaptions(box);
    const int r = box.exec();
    return answerOfButton(r, style);
  }

  std::string inputBox(const std::string& prompt, const std::string& title,
                       const std::string& defaultText, bool* cancelled) override {
    if (cancelled) *cancelled = true;
    if (!haveWidgets()) return std::string();
    QInputDialog dlg;
    dlg.setWindowTitle(titleToQ(title));
    dlg.setInputMode(QInputDialog::TextInput);
    dlg.setLabelText(linesToQ(prompt));
    dlg.setTextValue(toQ(defaultText));
    if (dlg.exec() != QDialog::Accepted) return std::string();
    if (cancelled) *cancelled = false;
    return fromQ(dlg.textValue());
  }

  FileAnswer openFile(const FileRequest& r) override { return fileDialog(r, false); }
  FileAnswer saveFile(const FileRequest& r) override { return fileDialog(r, true); }

  std::optional<FontChoice> chooseFont(const FontChoice& initial) override {
    if (!haveWidgets()) return std::nullopt;
    QFont f(toQ(initial.name));
    f.setPointSizeF(initial.size > 0 && initial.size < 1000 ? initial.size : 8.0);
    f.setBold(initial.bold);
    f.setItalic(initial.italic);
    f.setUnderline(initial.underline);
    f.setStrikeOut(initial.strikeout);
    // A family this system lacks ("MS Sans Serif"...) is shown as the one Qt puts in
    // its place, so that the dialog finds it and keeps the styles.
    if (!QFontDatabase::hasFamily(f.family())) f.setFamily(QFontInfo(f).family());
    bool ok = false;
    QFontDialog::FontDialogOptions options = QFontDialog::DontUseNativeDialog;
    if (initial.scalableOnly) options |= QFontDialog::ScalableFonts;
    const QFont chosen = QFontDialog::getFont(&ok, f, nullptr, QString(), options);
    if (!ok) return std::nullopt;
    FontChoice c = initial;
    c.name = fromQ(chosen.family());
    const double pt = chosen.pointSizeF();
    c.size = pt > 0 ? pt : initial.size;
    c.bold = chosen.bold();
    c.italic = chosen.italic();
    c.underline = chosen.underline();
    c.strikeout = chosen.strikeOut();
    return c;
  }

  std::optional<std::string> chooseFolder(const std::string& title, const std::string& initial) override {
    if (!haveWidgets()) return std::nullopt;
    const std::string start = initial.empty() ? App::Path() : slashes(initial);
    const QString dir = QFileDialog::getExistingDirectory(
        nullptr, titleToQ(title), toQ(start),
        QFileDialog::ShowDirsOnly | QFileDialog::DontUseNativeDialog);
    if (dir.isEmpty()) return std::nullopt;
    return fromQ(QDir::cleanPath(QDir::fromNativeSeparators(dir)));
  }

  int popupMenu(const std::vector<std::string>& captions) override {
    if (!haveWidgets() || captions.empty()) return -1;
    QMenu menu;
    for (size_t i = 0; i < captions.size(); ++i) {
      const std::string& c = captions[i];
      if (c == "-") {
        menu.addSeparator();
        continue;
      }
      const bool disabled = !c.empty() && c[0] == '\x01';
      QAction* a = menu.addAction(toQ(disabled ? c.substr(1) : c));
      a->setEnabled(!disabled);
      a->setData(static_cast<int>(i));
    }
    QAction* chosen = menu.exec(QCursor::pos());
    if (!chosen) return -1;
    bool ok = false;
    const int idx = chosen->data().toInt(&ok);
    return ok && idx >= 0 && static_cast<size_t>(idx) < captions.size() ? idx : -1;
  }

  int chooseItem(const std::string& title, const std::vector<std::string>& items) override {
    if (!haveWidgets() || items.empty()) return -1;
    QStringList list;
    for (const std::string& s : items) list << toQ(s);
    QInputDialog dlg;
    dlg.setWindowTitle(titleToQ(title));
    dlg.setLabelText(toQ(title));
    dlg.setComboBoxItems(list);
    dlg.setComboBoxEditable(false);
    dlg.setTextValue(list.front());
    if (dlg.exec() != QDialog::Accepted) return -1;
    if (QComboBox* combo = dlg.findChild<QComboBox*>()) {
      const int i = combo->currentIndex();
      if (i >= 0 && i < list.size()) return i;
    }
    const qsizetype i = list.indexOf(dlg.textValue());
    return i >= 0 ? static_cast<int>(i) : -1;
  }

 private:
  FileAnswer fileDialog(const FileRequest& r, bool save) {
    if (!haveWidgets()) return cancelledAnswer(r);
    std::string dir = r.initialFolder.empty() ? App::Path() : slashes(r.initialFolder);
    std::string name = slashes(r.fileName);
    const size_t cut = name.find_last_of('/');
    if (cut != std::string::npos) {
      const std::string part = cut == 0 ? std::string("/") : name.substr(0, cut);
      dir = QDir::isAbsolutePath(toQ(part)) ? part : dir + "/" + part;
      name = name.substr(cut + 1);
    }
    const QString title = r.title.empty() ? QString::fromUtf8(save ? "Enregistrer sous" : "Ouvrir")
                                          : toQ(r.title);
    QFileDialog dlg(nullptr, title, QDir::cleanPath(toQ(dir)));
    dlg.setOption(QFileDialog::DontUseNativeDialog);
    if (save) {
      dlg.setAcceptMode(QFileDialog::AcceptSave);
      dlg.setFileMode(QFileDialog::AnyFile);
      dlg.setOption(QFileDialog::DontConfirmOverwrite);
    } else {
      dlg.setAcceptMode(QFileDialog::AcceptOpen);
      dlg.setFileMode(r.multiSelect ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
    }
    const QStringList filters = qtFilterList(r.filter);
    if (!filters.isEmpty()) {
      dlg.setNameFilters(filters);
      const int idx = std::clamp(r.filterIndex, 1, static_cast<int>(filters.size()));
      dlg.selectNameFilter(filters[idx - 1]);
    }
    std::string ext = r.defaultExt;
    while (!ext.empty() && ext.front() == '.') ext.erase(ext.begin());
    if (!ext.empty()) dlg.setDefaultSuffix(toQ(ext));
    if (!name.empty()) dlg.selectFile(toQ(name));

    if (dlg.exec() != QDialog::Accepted) return cancelledAnswer(r);
    std::vector<std::string> files;
    for (const QString& f : dlg.selectedFiles()) files.push_back(fromQ(QDir::fromNativeSeparators(f)));
    if (files.empty()) return cancelledAnswer(r);
    int index = r.filterIndex;
    const qsizetype chosen = filters.indexOf(dlg.selectedNameFilter());
    if (chosen >= 0) index = static_cast<int>(chosen) + 1;
    FileAnswer a = answerOf(files, index);
    a.folder = fromQ(QFileInfo(toQ(a.files.front())).absolutePath());
    return a;
  }
};

std::unique_ptr<Dialogs>& installed() {
  static std::unique_ptr<Dialogs> d;
  return d;
}

std::string joined(const std::vector<std::string>& items) {
  std::string s;
  for (size_t i = 0; i < items.size(); ++i) {
    if (i) s += "|";
    s += items[i];
  }
  return s;
}

// Takes the front of a queue into *out; false when the queue is empty.
template <typename T>
bool take(std::deque<T>& q, T* out) {
  if (q.empty()) return false;
  *out = std::move(q.front());
  q.pop_front();
  return true;
}

}  // namespace

std::string qtFilterFromOriginal(const std::string& filter) {
  return fromQ(qtFilterList(filter).join(QLatin1String(";;")));
}

int escapeAnswer(int style) {
  switch (style & 0x0F) {
    case vbOKCancel:
    case vbYesNoCancel:
    case vbRetryCancel: return vbCancel;
    case vbYesNo: return vbNo;
    case vbAbortRetryIgnore: return vbAbort;
    default: return vbOK;
  }
}

Dialogs& dialogs() {
  static QtDialogs qt;
  std::unique_ptr<Dialogs>& d = installed();
  return d ? *d : static_cast<Dialogs&>(qt);
}

void setDialogs(std::unique_ptr<Dialogs> d) { installed() = std::move(d); }

// ---- ScriptedDialogs ----

void ScriptedDialogs::answerOpen(const std::vector<std::string>& files, int filterIndex) {
  open_.push_back(answerOf(files, filterIndex));
}

void ScriptedDialogs::answerSave(const std::string& path, int filterIndex) {
  save_.push_back(answerOf({path}, filterIndex));
}

void ScriptedDialogs::answerFileCancel(bool save) {
  FileAnswer a;
  a.cancelled = true;
  a.filterIndex = 0;  // replaced by the request's index when asked
  (save ? save_ : open_).push_back(a);
}

void ScriptedDialogs::clear() {
  msgBox_.clear();
  input_.clear();
  open_.clear();
  save_.clear();
  font_.clear();
  folder_.clear();
  popup_.clear();
  choose_.clear();
  log_.clear();
  unanswered_.clear();
}

size_t ScriptedDialogs::pending() const {
  return msgBox_.size() + input_.size() + open_.size() + save_.size() + font_.size() + folder_.size() +
         popup_.size() + choose_.size();
}

int ScriptedDialogs::msgBox(const std::string& text, int style, const std::string& /*title*/) {
  log_.push_back({"msgBox", text, style, {}, {}});
  int code = 0;
  if (take(msgBox_, &code)) return code;
  unanswered_.push_back(text);
  return escapeAnswer(style);
}

std::string ScriptedDialogs::inputBox(const std::string& prompt, const std::string& /*title*/,
                                      const std::string& /*defaultText*/, bool* cancelled) {
  log_.push_back({"inputBox", prompt, 0, {}, {}});
  std::pair<std::string, bool> a;
  if (!take(input_, &a)) {
    unanswered_.push_back(prompt);
    a = {std::string(), true};
  }
  if (cancelled) *cancelled = a.second;
  return a.second ? std::string() : a.first;
}

FileAnswer ScriptedDialogs::openFile(const FileRequest& r) {
  log_.push_back({"openFile", r.title, 0, r, {}});
  FileAnswer a;
  if (!take(open_, &a)) {
    unanswered_.push_back(r.title);
    return cancelledAnswer(r);
  }
  if (a.cancelled) a.filterIndex = r.filterIndex;
  return a;
}

FileAnswer ScriptedDialogs::saveFile(const FileRequest& r) {
  log_.push_back({"saveFile", r.title, 0, r, {}});
  FileAnswer a;
  if (!take(save_, &a)) {
    unanswered_.push_back(r.title);
    return cancelledAnswer(r);
  }
  if (a.cancelled) a.filterIndex = r.filterIndex;
  return a;
}

std::optional<FontChoice> ScriptedDialogs::chooseFont(const FontChoice& initial) {
  log_.push_back({"font", initial.name, initial.scalableOnly ? 1 : 0, {}, {}});
  std::optional<FontChoice> f;
  if (take(font_, &f)) return f;
  unanswered_.push_back(initial.name);
  return std::nullopt;
}

std::optional<std::string> ScriptedDialogs::chooseFolder(const std::string& title, const std::string& /*initial*/) {
  log_.push_back({"folder", title, 0, {}, {}});
  std::optional<std::string> f;
  if (take(folder_, &f)) return f;
  unanswered_.push_back(title);
  return std::nullopt;
}

int ScriptedDialogs::popupMenu(const std::vector<std::string>& captions) {
  const std::string text = joined(captions);
  log_.push_back({"popup", text, 0, {}, captions});
  int i = -1;
  if (take(popup_, &i)) return i;
  unanswered_.push_back(text);
  return -1;
}

int ScriptedDialogs::chooseItem(const std::string& title, const std::vector<std::string>& items) {
  log_.push_back({"choose", title, 0, {}, items});
  int i = -1;
  if (take(choose_, &i)) return i;
  unanswered_.push_back(title);
  return -1;
}

}  // namespace platform
