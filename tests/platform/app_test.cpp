// Program folder, command line, End and the desktop questions.
#include "platform/app.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>
#include <QSysInfo>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <stdexcept>
#include <string>

#include "platform/textfile.h"

namespace {

using platform::App;

TEST(App, ProgramFolderOfTests) {
  const std::string folder = App::Path();
  ASSERT_FALSE(folder.empty());
  EXPECT_NE(folder.back(), '/');
  EXPECT_TRUE(platform::folderExists(folder));
  const char* pinned = std::getenv("QV_PROGRAM_FOLDER");
  if (pinned == nullptr || *pinned == '\0') {
    EXPECT_NE(folder.find("quorvale-test-"), std::string::npos) << folder;
  }
}

TEST(App, ChildLeavingThroughExitKeepsTheFolder) {
  const std::string folder = App::Path();
  const pid_t pid = fork();
  ASSERT_GE(pid, 0);
  if (pid == 0) std::exit(0);
  int status = 0;
  ASSERT_EQ(waitpid(pid, &status, 0), pid);
  EXPECT_TRUE(platform::folderExists(folder));
}

TEST(App, SetPathDropsTrailingSlash) {
  const std::string saved = App::Path();
  App::setPath("/tmp/some/where/");
  EXPECT_EQ(App::Path(), "/tmp/some/where");
  App::setPath("C:\\Data\\");
  EXPECT_EQ(App::Path(), "C:/Data");
  App::setPath(saved);
  EXPECT_EQ(App::Path(), saved);
}

TEST(App, CommandLine) {
  const std::string saved = App::Command();
  App::setCommand("\"/home/u/a b.trm\" -x");
  EXPECT_EQ(App::Command(), "\"/home/u/a b.trm\" -x");
  App::setCommand(saved);
}

TEST(App, EndRunsTheHook) {
  int seen = -1;
  App::setEndHook([&seen](int code) { seen = code; });
  try {
    App::End(3);
    ADD_FAILURE() << "End returned";
  } catch (const platform::EndRequested& e) {
    EXPECT_EQ(e.code, 3);
  }
  EXPECT_EQ(seen, 3);
  App::setEndHook([](int code) { throw std::runtime_error("end " + std::to_string(code)); });
  try {
    App::End(4);
    ADD_FAILURE() << "End returned";
  } catch (const std::runtime_error& e) {
    EXPECT_EQ(std::string(e.what()), "end 4");
  }
  App::setEndHook({});
}

TEST(App, EndWithoutHookExitsAtOnce) {
  const pid_t pid = fork();
  ASSERT_GE(pid, 0);
  if (pid == 0) {
    App::setEndHook({});
    App::End(7);
  }
  int status = 0;
  ASSERT_EQ(waitpid(pid, &status, 0), pid);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 7);
}

TEST(App, OsNameIsTheSystemsName) {
  EXPECT_EQ(App::OsName(), QSysInfo::prettyProductName().toStdString());
  EXPECT_FALSE(App::OsName().empty());
}

TEST(App, ScreenSizeInTwips) {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) {
    EXPECT_EQ(App::ScreenWidth(), 1920.0 * 15.0);
    EXPECT_EQ(App::ScreenHeight(), 1080.0 * 15.0);
  } else {
    EXPECT_EQ(App::ScreenWidth(), screen->size().width() * 15.0);
    EXPECT_EQ(App::ScreenHeight(), screen->size().height() * 15.0);
  }
}

// Qt's own texts (message-box buttons, file dialogs) follow the language asked for;
// without a catalogue, or with none asked for, they are English.
TEST(App, QtTextsFollowTheLanguage) {
  const struct {
    const char* locale;
    bool loaded;
    const char* yes;
    const char* cancel;
    const char* lookIn;
  } cases[] = {
      {"fr", true, "&Oui", "Annuler", "Voir dans :"},  {"it", true, "&Sì", "Annulla", "Cerca in:"},
      {"es", true, "&Sí", "Cancelar", "Ver en:"},      {"de", true, "&Ja", "Abbrechen", "Suchen in:"},
      {"xx", false, "&Yes", "Cancel", "Look in:"},     {"", true, "&Yes", "Cancel", "Look in:"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(App::setQtLanguage(c.locale), c.loaded) << c.locale;
    EXPECT_EQ(App::qtLanguage(), c.loaded ? c.locale : "");
    QMessageBox box;
    box.addButton(QMessageBox::Yes);
    box.addButton(QMessageBox::Cancel);
    EXPECT_EQ(box.button(QMessageBox::Yes)->text().toStdString(), c.yes) << c.locale;
    EXPECT_EQ(box.button(QMessageBox::Cancel)->text().toStdString(), c.cancel) << c.locale;
    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    const QLabel* lookIn = dialog.findChild<QLabel*>(QStringLiteral("lookInLabel"));
    ASSERT_NE(lookIn, nullptr);
    EXPECT_EQ(lookIn->text().toStdString(), c.lookIn) << c.locale;
  }
  App::setQtLanguage("");
}

TEST(App, OpenMissingDocumentFails) {
  std::string error;
  const std::string missing = App::Path() + "/absent-manual.pdf";
  EXPECT_FALSE(App::OpenDocument(missing, &error));
  EXPECT_NE(error.find(missing), std::string::npos) << error;
  error.clear();
  EXPECT_FALSE(App::OpenDocument("file://" + missing, &error));
  EXPECT_NE(error.find(missing), std::string::npos) << error;
  error.clear();
  EXPECT_FALSE(App::OpenDocument("", &error));
  EXPECT_FALSE(error.empty());
}

}  // namespace
