// The application object, the program folder, the command line, ending the process
// and the few questions asked of the desktop (system name, screen size, default
// application of a document).
#include "platform/app.h"

#include <QApplication>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QLibraryInfo>
#include <QRegularExpression>
#include <QPixmap>
#include <QScreen>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTranslator>
#include <QUrl>

#include <unistd.h>

#include <cstdlib>
#include <memory>
#include <mutex>

#include "platform/control_accessible.h"
#include "platform/picture.h"
#include "platform/picture_memory.h"
#include "platform/qt_bridge.h"
#include "platform/textfile.h"

namespace platform {

namespace {

std::unique_ptr<QApplication> application;
std::unique_ptr<QTemporaryDir> testFolder;
pid_t testFolderOwner = 0;  // the process that made the test folder
std::mutex stateMutex;
std::string programFolder;  // "" until computed or set
std::string commandLine;
std::function<void(int)> endHook;
std::unique_ptr<QTranslator> qtTranslator;   // Qt's own texts, when not English
std::string qtLocale;
std::string askedLanguage;   // the language last asked for, catalogue found or not

constexpr double kDefaultScreenWidthPx = 1920.0;
constexpr double kDefaultScreenHeightPx = 1080.0;

std::string withoutTrailingSlash(std::string p) {
  p = normalizePath(p);
  while (p.size() > 1 && p.back() == '/') p.pop_back();
  return p;
}

// Folder of the running executable, "" when unknown.
std::string executableFolder() {
  if (QCoreApplication::instance() != nullptr) {
    return QCoreApplication::applicationDirPath().toStdString();
  }
  char buffer[4096];
  const ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  if (n <= 0) return "";
  const std::string exe(buffer, static_cast<std::size_t>(n));
  const std::size_t slash = exe.rfind('/');
  return slash == std::string::npos ? std::string() : exe.substr(0, slash);
}

// The per-user data folder of the program (created on demand).
std::string userDataFolder() {
  std::string base;
  if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg != nullptr && *xdg == '/') {
    base = xdg;
  } else if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
    base = std::string(home) + "/.local/share";
  } else {
    base = "/tmp";
  }
  const std::string folder = withoutTrailingSlash(base) + "/quorvale";
  makeFolder(folder);
  return folder;
}

std::string computeProgramFolder() {
  const std::string exe = executableFolder();
  if (!exe.empty() && access(exe.c_str(), W_OK) == 0) return withoutTrailingSlash(exe);
  return userDataFolder();
}

// True when the text starts like a URL ("http:", "mailto:", "file:"...); a drive letter
// ("C:") is a path, not a scheme.
bool looksLikeUrl(const std::string& s) {
  static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:"));
  return scheme.match(QString::fromStdString(s)).hasMatch();
}

QScreen* primaryScreen() {
  if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) return nullptr;
  return QGuiApplication::primaryScreen();
}

// At exit the application object is let go without being destroyed: Qt's own globals
// (made lazily while the program ran) may already be gone, and windows kept in other
// globals may still point at it. The system reclaims its memory.
void releaseApplication() {
  // A forked child leaving through exit() must not remove its parent's folder.
  if (testFolder && getpid() != testFolderOwner) testFolder->setAutoRemove(false);
  testFolder.reset();
  static_cast<void>(application.release());
}

}  // namespace

void App::init(int& argc, char** argv) {
  // Before Qt starts its threads: the limit is partly put in the environment.
  limitPictureMemory();
  if (QCoreApplication::instance() == nullptr) {
    application = std::make_unique<QApplication>(argc, argv);
    std::atexit(releaseApplication);
  }
  installControlAccessible();
  QCoreApplication::setApplicationName(QStringLiteral("quorvale"));
  std::string cmd;
  for (int k = 1; k < argc && argv != nullptr; ++k) {
    if (argv[k] == nullptr) continue;
    if (!cmd.empty()) cmd.push_back(' ');
    cmd += argv[k];
  }
  setCommand(cmd);
}

void App::initForTests(int& argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  init(argc, argv);
  if (const char* folder = std::getenv("QV_PROGRAM_FOLDER"); folder != nullptr && *folder != '\0') {
    makeFolder(folder);
    setPath(folder);
    return;
  }
  testFolder = std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/quorvale-test-XXXXXX"));
  testFolderOwner = getpid();
  if (testFolder->isValid()) {
    setPath(testFolder->path().toStdString());
  } else {
    setPath(userDataFolder());
  }
}

int App::exec() {
  if (QCoreApplication::instance() == nullptr) return 0;
  return QCoreApplication::exec();
}

std::string App::Path() {
  std::lock_guard<std::mutex> lock(stateMutex);
  if (programFolder.empty()) programFolder = computeProgramFolder();
  return programFolder;
}

void App::setPath(const std::string& folder) {
  std::lock_guard<std::mutex> lock(stateMutex);
  programFolder = folder.empty() ? std::string() : withoutTrailingSlash(folder);
}

std::string App::Command() {
  std::lock_guard<std::mutex> lock(stateMutex);
  return commandLine;
}

void App::setCommand(const std::string& cmd) {
  std::lock_guard<std::mutex> lock(stateMutex);
  commandLine = cmd;
}

void App::End(int code) {
  if (endHook) {
    const std::function<void(int)> hook = endHook;
    hook(code);
    throw EndRequested{code};
  }
  std::_Exit(code);
}

void App::setEndHook(std::function<void(int)> hook) { endHook = std::move(hook); }

bool App::setQtLanguage(const std::string& locale) {
  if (qtTranslator) {
    QCoreApplication::removeTranslator(qtTranslator.get());
    qtTranslator.reset();
  }
  qtLocale.clear();
  askedLanguage = locale;
  if (locale.empty()) return true;
  auto translator = std::make_unique<QTranslator>();
  const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
  if (!translator->load(QStringLiteral("qtbase_") + QString::fromStdString(locale), folder)) return false;
  QCoreApplication::installTranslator(translator.get());
  qtTranslator = std::move(translator);
  qtLocale = locale;
  return true;
}

std::string App::qtLanguage() { return qtLocale; }

std::string App::programLanguage() { return askedLanguage; }

QLocale programLocale() {
  const std::string lang = App::programLanguage();
  return lang.empty() ? QLocale::system() : QLocale(QString::fromStdString(lang));
}

std::string App::OsName() {
  return QSysInfo::prettyProductName().toStdString();
}

void App::Beep() {
  if (qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr) QApplication::beep();
}

bool App::OpenDocument(const std::string& pathOrUrl, std::string* error) {
  auto fail = [error](const std::string& text) {
    if (error != nullptr) *error = text;
    return false;
  };
  if (pathOrUrl.empty()) return fail("Aucun document à ouvrir");
  QUrl url;
  std::string shown = pathOrUrl;
  if (looksLikeUrl(pathOrUrl)) {
    url = QUrl(QString::fromStdString(pathOrUrl));
    if (!url.isValid()) return fail("Adresse invalide : " + pathOrUrl);
    if (url.isLocalFile()) {
      shown = url.toLocalFile().toStdString();
      if (!fileExists(shown) && !folderExists(shown)) return fail("Fichier introuvable : " + shown);
    }
  } else {
    shown = normalizePath(pathOrUrl);
    if (!fileExists(shown) && !folderExists(shown)) return fail("Fichier introuvable : " + shown);
    url = QUrl::fromLocalFile(QString::fromStdString(shown));
  }
  if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) {
    return fail("Impossible d'ouvrir " + shown + " : pas d'application graphique");
  }
  if (!QDesktopServices::openUrl(url)) return fail("Impossible d'ouvrir " + shown);
  return true;
}

double App::ScreenWidth() {
  const QScreen* screen = primaryScreen();
  const double px = screen != nullptr ? screen->size().width() : kDefaultScreenWidthPx;
  return (px > 0 ? px : kDefaultScreenWidthPx) * kTwipsPerPixel;
}

double App::ScreenHeight() {
  const QScreen* screen = primaryScreen();
  const double px = screen != nullptr ? screen->size().height() : kDefaultScreenHeightPx;
  return (px > 0 ? px : kDefaultScreenHeightPx) * kTwipsPerPixel;
}

bool App::GrabScreen(Picture* out, std::string* error) {
  QScreen* screen = primaryScreen();
  if (screen == nullptr) {
    if (error) *error = "Aucun écran disponible";
    return false;
  }
  const QPixmap pixmap = screen->grabWindow(0);
  if (pixmap.isNull() || pixmap.width() <= 0 || pixmap.height() <= 0) {
    if (error) *error = "Le bureau ne fournit pas de copie de l'écran";
    return false;
  }
  *out = Picture::fromQImage(pixmap.toImage());
  return !out->isNull();
}

}  // namespace platform
