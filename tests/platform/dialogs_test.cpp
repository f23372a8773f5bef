// Modal questions: the scripted answers tests rely on, the conversion of filter
// strings, and the Qt dialogs driven for real on the offscreen platform.

#include "platform/dialogs.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFontDialog>
#include <QInputDevice>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <functional>
#include <memory>

#include "platform/app.h"

namespace platform {
namespace {

// ---- scripted answers ----

TEST(ScriptedDialogs, YesNoScriptedNoGivesSeven) {
  ScriptedDialogs d;
  d.answerMsgBox(vbNo);
  EXPECT_EQ(d.msgBox("Continuer ?", vbYesNo + vbQuestion, ""), 7);
  EXPECT_TRUE(d.unanswered().empty());
  EXPECT_EQ(d.pending(), 0u);
}

TEST(ScriptedDialogs, AnswersComeInQueueOrderPerKind) {
  ScriptedDialogs d;
  d.answerMsgBox(vbYes);
  d.answerInput("12,5");
  d.answerMsgBox(vbNo);
  d.answerPopup(3);
  d.answerMsgBox(vbCancel);
  d.answerChoose(1);
  EXPECT_EQ(d.pending(), 6u);
  // Kinds keep their own queues: the input answer does not go to a message box.
  EXPECT_EQ(d.msgBox("a", vbYesNoCancel, ""), vbYes);
  EXPECT_EQ(d.msgBox("b", vbYesNoCancel, ""), vbNo);
  bool cancelled = true;
  EXPECT_EQ(d.inputBox("Valeur", "", "0", &cancelled), "12,5");
  EXPECT_FALSE(cancelled);
  EXPECT_EQ(d.msgBox("c", vbYesNoCancel, ""), vbCancel);
  EXPECT_EQ(d.chooseItem("Source", {"x", "y"}), 1);
  EXPECT_EQ(d.popupMenu({"a", "b", "c", "d"}), 3);
  EXPECT_EQ(d.pending(), 0u);
  EXPECT_TRUE(d.unanswered().empty());
}

TEST(ScriptedDialogs, LogsEveryQuestion) {
  ScriptedDialogs d;
  d.answerMsgBox(vbOK);
  d.answerPopup(0);
  d.answerOpen({"/data/a.jpg"});
  d.msgBox("Fichier absent", vbExclamation, "Titre");
  d.popupMenu({"Copier", "-", "\x01" "Coller"});
  FileRequest r;
  r.title = "Ouvrir une image";
  r.filter = "Images|*.jpg";
  r.filterIndex = 1;
  d.openFile(r);
  d.chooseItem("Sélection Source", {"A (a)", "B (b)"});

  const auto& log = d.log();
  ASSERT_EQ(log.size(), 4u);
  EXPECT_EQ(log[0].kind, "msgBox");
  EXPECT_EQ(log[0].text, "Fichier absent");
  EXPECT_EQ(log[0].style, vbExclamation);
  EXPECT_EQ(log[1].kind, "popup");
  EXPECT_EQ(log[1].text, "Copier|-|\x01" "Coller");
  EXPECT_EQ(log[1].items.size(), 3u);
  EXPECT_EQ(log[2].kind, "openFile");
  EXPECT_EQ(log[2].text, "Ouvrir une image");
  EXPECT_EQ(log[2].request.filter, "Images|*.jpg");
  EXPECT_EQ(log[3].kind, "choose");
  EXPECT_EQ(log[3].text, "Sélection Source");
  EXPECT_EQ(log[3].items, (std::vector<std::string>{"A (a)", "B (b)"}));
  // The last question had no scripted answer.
  EXPECT_EQ(d.unanswered(), std::vector<std::string>{"Sélection Source"});
}

TEST(ScriptedDialogs, UnansweredQuestionsGetTheNeutralAnswer) {
  ScriptedDialogs d;
  // Neutral answer per button set: the answer Esc gives in the real box.
  const struct {
    int style;
    int answer;
  } cases[] = {
      {vbOKOnly, vbOK},           {vbOKCancel, vbCancel},          {vbAbortRetryIgnore, vbAbort},
      {vbYesNoCancel, vbCancel},  {vbYesNo, vbNo},                 {vbRetryCancel, vbCancel},
      {vbYesNo + vbCritical + vbDefaultButton2, vbNo},
  };
  for (const auto& c : cases) EXPECT_EQ(d.msgBox("q", c.style, ""), c.answer) << c.style;

  bool cancelled = false;
  EXPECT_EQ(d.inputBox("Nom", "", "défaut", &cancelled), "");
  EXPECT_TRUE(cancelled);
  FileRequest r;
  r.title = "Enregistrer";
  r.filterIndex = 2;
  const FileAnswer open = d.openFile(r);
  EXPECT_TRUE(open.cancelled);
  EXPECT_TRUE(open.files.empty());
  EXPECT_EQ(open.filterIndex, 2);
  EXPECT_TRUE(d.saveFile(r).cancelled);
  EXPECT_FALSE(d.chooseFont(FontChoice{}).has_value());
  EXPECT_FALSE(d.chooseFolder("Dossier", "/tmp").has_value());
  EXPECT_EQ(d.popupMenu({"a", "b"}), -1);
  EXPECT_EQ(d.chooseItem("Liste", {"a"}), -1);

  const std::vector<std::string> expected = {"q", "q", "q", "q", "q", "q", "q", "Nom", "Enregistrer",
                                             "Enregistrer", "MS Sans Serif", "Dossier", "a|b", "Liste"};
  EXPECT_EQ(d.unanswered(), expected);
}

TEST(ScriptedDialogs, FileAnswersCarryTheirFolder) {
  ScriptedDialogs d;
  d.answerOpen({"/data/spores/a.jpg", "/data/spores/b.jpg"}, 2);
  d.answerSave("C:\\Mesures\\trame.txt", 3);
  d.answerFileCancel(true);
  FileRequest r;
  r.filterIndex = 4;

  const FileAnswer open = d.openFile(r);
  EXPECT_FALSE(open.cancelled);
  EXPECT_EQ(open.folder, "/data/spores");
  EXPECT_EQ(open.files, (std::vector<std::string>{"/data/spores/a.jpg", "/data/spores/b.jpg"}));
  EXPECT_EQ(open.path(), "/data/spores/a.jpg");
  EXPECT_EQ(open.filterIndex, 2);

  const FileAnswer save = d.saveFile(r);
  EXPECT_FALSE(save.cancelled);
  EXPECT_EQ(save.folder, "C:/Mesures");
  EXPECT_EQ(save.path(), "C:/Mesures/trame.txt");
  EXPECT_EQ(save.filterIndex, 3);

  const FileAnswer cancel = d.saveFile(r);
  EXPECT_TRUE(cancel.cancelled);
  EXPECT_EQ(cancel.path(), "");
  EXPECT_EQ(cancel.filterIndex, 4);
  EXPECT_TRUE(d.unanswered().empty());
}

TEST(ScriptedDialogs, FontAndFolderAnswers) {
  ScriptedDialogs d;
  FontChoice f;
  f.name = "Arial";
  f.size = 12;
  f.bold = true;
  d.answerFont(f);
  d.answerFolder(std::string("/data/images"));
  d.answerFolder(std::nullopt);
  const auto font = d.chooseFont(FontChoice{});
  ASSERT_TRUE(font.has_value());
  EXPECT_EQ(font->name, "Arial");
  EXPECT_EQ(font->size, 12);
  EXPECT_TRUE(font->bold);
  EXPECT_EQ(d.chooseFolder("Choix", ""), std::optional<std::string>("/data/images"));
  // A scripted cancel is an answer, not an unanswered question.
  EXPECT_FALSE(d.chooseFolder("Choix", "").has_value());
  EXPECT_TRUE(d.unanswered().empty());
}

TEST(ScriptedDialogs, ClearForgetsEverything) {
  ScriptedDialogs d;
  d.answerMsgBox(vbYes);
  d.answerInput("x");
  d.inputBox("p", "", "", nullptr);
  d.popupMenu({"a"});
  d.clear();
  EXPECT_EQ(d.pending(), 0u);
  EXPECT_TRUE(d.log().empty());
  EXPECT_TRUE(d.unanswered().empty());
  EXPECT_EQ(d.msgBox("q", vbYesNo, ""), vbNo);
}

TEST(Dialogs, InstalledImplementationAnswersAndNullRestoresQt) {
  auto owned = std::make_unique<ScriptedDialogs>();
  ScriptedDialogs* scripted = owned.get();
  setDialogs(std::move(owned));
  scripted->answerMsgBox(vbRetry);
  EXPECT_EQ(&dialogs(), scripted);
  EXPECT_EQ(MsgBox("Erreur de lecture", vbRetryCancel), vbRetry);
  ASSERT_EQ(scripted->log().size(), 1u);
  EXPECT_EQ(scripted->log()[0].text, "Erreur de lecture");
  setDialogs(nullptr);
  EXPECT_EQ(dynamic_cast<ScriptedDialogs*>(&dialogs()), nullptr);
}

// ---- filter strings ----

TEST(Dialogs, FilterStringsBecomeQtFilterLists) {
  const struct {
    const char* original;
    const char* qt;
  } cases[] = {
      {"Images|*.bmp;*.jpg|Tous les fichiers (*.*)|*.*",
       "Images (*.bmp *.jpg);;Tous les fichiers (*.*) (*)"},
      {"Trame (*.txt)|*.txt", "Trame (*.txt) (*.txt)"},
      {"", ""},
      // A description without its pattern is dropped; an empty pattern takes every file.
      {"Texte|*.txt|Orphelin", "Texte (*.txt)"},
      {"Tout|", "Tout (*)"},
      {"Calibrage| *.cal ; *.CAL ", "Calibrage (*.cal *.CAL)"},
  };
  for (const auto& c : cases) EXPECT_EQ(qtFilterFromOriginal(c.original), c.qt) << c.original;
}

TEST(Dialogs, EscapeAnswerPerButtonSet) {
  EXPECT_EQ(escapeAnswer(vbOKOnly + vbInformation), vbOK);
  EXPECT_EQ(escapeAnswer(vbOKCancel), vbCancel);
  EXPECT_EQ(escapeAnswer(vbYesNo + vbDefaultButton2), vbNo);
  EXPECT_EQ(escapeAnswer(vbYesNoCancel + vbQuestion), vbCancel);
  EXPECT_EQ(escapeAnswer(vbRetryCancel), vbCancel);
  EXPECT_EQ(escapeAnswer(vbAbortRetryIgnore), vbAbort);
}

// ---- the Qt dialogs, driven offscreen ----

// Runs `act` on the first modal dialog (or pop-up menu) shown after construction,
// from inside its event loop. If none shows up, or `act` leaves it open, every
// visible dialog is rejected so that the test fails instead of waiting for ever.
class ModalDriver {
 public:
  explicit ModalDriver(std::function<void(QWidget*)> act, bool popup = false)
      : act_(std::move(act)), popup_(popup) {
    timer_.setInterval(10);
    QObject::connect(&timer_, &QTimer::timeout, [this] { poll(); });
    timer_.start();
  }
  ~ModalDriver() { timer_.stop(); }
  bool acted() const { return acted_; }

 private:
  void poll() {
    QWidget* w = popup_ ? QApplication::activePopupWidget() : QApplication::activeModalWidget();
    if (w && w->isVisible()) {
      timer_.stop();
      acted_ = true;
      QPointer<QWidget> guard(w);
      act_(w);
      // A failed check inside `act` leaves the dialog open: close it.
      if (guard && guard->isVisible()) closeAll();
      return;
    }
    if (++tries_ > 1000) {
      timer_.stop();
      closeAll();
    }
  }

  static void closeAll() {
    for (QWidget* top : QApplication::topLevelWidgets()) {
      if (auto* d = qobject_cast<QDialog*>(top); d && d->isVisible()) d->reject();
      if (auto* m = qobject_cast<QMenu*>(top); m && m->isVisible()) m->close();
    }
  }

  QTimer timer_;
  std::function<void(QWidget*)> act_;
  bool popup_ = false;
  bool acted_ = false;
  int tries_ = 0;
};

// Hands a key press straight to the widget's event handler. Going through the
// application would first send a shortcut-override event, for which Qt creates a
// stand-in keyboard (offscreen registers none) owned by the application object.
void pressKey(QWidget* w, int key) {
  const QInputDevice keyboard(QStringLiteral("test keyboard"), 1, QInputDevice::DeviceType::Keyboard);
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, 0, 0, 0, QString(), false, 1, &keyboard);
  static_cast<QObject*>(w)->event(&press);
}

TEST(QtDialogs, MessageBoxNoButtonGivesSeven) {
  setDialogs(nullptr);
  QString text, title;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  bool defaultIsNo = false;
  ModalDriver driver([&](QWidget* w) {
    auto* box = qobject_cast<QMessageBox*>(w);
    ASSERT_NE(box, nullptr);
    text = box->text();
    title = box->windowTitle();
    icon = box->icon();
    defaultIsNo = box->defaultButton() == box->button(QMessageBox::No);
    box->button(QMessageBox::No)->click();
  });
  const int r = MsgBox("Ligne 1\r\nLigne 2", vbYesNo + vbQuestion + vbDefaultButton2);
  EXPECT_TRUE(driver.acted());
  EXPECT_EQ(r, 7);
  EXPECT_EQ(text, QString("Ligne 1\nLigne 2"));
  EXPECT_EQ(title, QString("Quorvale"));
  EXPECT_EQ(icon, QMessageBox::Question);
  EXPECT_TRUE(defaultIsNo);
}

TEST(QtDialogs, MessageBoxButtonsAndEscape) {
  setDialogs(nullptr);
  // Esc gives Cancel where there is one, else No, else OK.
  const struct {
    int style;
    int escape;
    int buttons;
  } cases[] = {
      {vbOKOnly + vbInformation, vbOK, 1},
      {vbOKCancel, vbCancel, 2},
      {vbYesNo + vbCritical, vbNo, 2},
      {vbYesNoCancel + vbExclamation, vbCancel, 3},
      {vbRetryCancel, vbCancel, 2},
  };
  for (const auto& c : cases) {
    int buttons = 0;
    QString title;
    ModalDriver driver([&](QWidget* w) {
      auto* box = qobject_cast<QMessageBox*>(w);
      ASSERT_NE(box, nullptr);
      buttons = static_cast<int>(box->buttons().size());
      title = box->windowTitle();
      pressKey(box, Qt::Key_Escape);
    });
    EXPECT_EQ(dialogs().msgBox("Question", c.style, "Mesures"), c.escape) << c.style;
    EXPECT_EQ(buttons, c.buttons) << c.style;
    EXPECT_EQ(title, QString("Mesures"));
  }
}

TEST(QtDialogs, MessageBoxRetryButton) {
  setDialogs(nullptr);
  ModalDriver driver([](QWidget* w) {
    auto* box = qobject_cast<QMessageBox*>(w);
    ASSERT_NE(box, nullptr);
    box->button(QMessageBox::Retry)->click();
  });
  EXPECT_EQ(dialogs().msgBox("Lecture impossible", vbAbortRetryIgnore, ""), vbRetry);
}

TEST(QtDialogs, InputBoxTypedAndCancelled) {
  setDialogs(nullptr);
  {
    QString shownDefault;
    ModalDriver driver([&](QWidget* w) {
      auto* dlg = qobject_cast<QInputDialog*>(w);
      ASSERT_NE(dlg, nullptr);
      shownDefault = dlg->textValue();
      dlg->setTextValue(QString::fromUtf8("Spore à 12,5 µm"));
      static_cast<QDialog*>(dlg)->accept();
    });
    bool cancelled = true;
    EXPECT_EQ(dialogs().inputBox("Nom ?", "", "défaut", &cancelled), "Spore à 12,5 µm");
    EXPECT_FALSE(cancelled);
    EXPECT_EQ(shownDefault, QString::fromUtf8("défaut"));
  }
  {
    ModalDriver driver([](QWidget* w) { qobject_cast<QDialog*>(w)->reject(); });
    bool cancelled = false;
    EXPECT_EQ(dialogs().inputBox("Nom ?", "", "défaut", &cancelled), "");
    EXPECT_TRUE(cancelled);
  }
}

TEST(QtDialogs, ChooseItemIndexOrMinusOne) {
  setDialogs(nullptr);
  {
    ModalDriver driver([](QWidget* w) {
      auto* combo = w->findChild<QComboBox*>();
      ASSERT_NE(combo, nullptr);
      EXPECT_FALSE(combo->isEditable());
      // Two entries with the same text: the index tells them apart.
      combo->setCurrentIndex(2);
      qobject_cast<QDialog*>(w)->accept();
    });
    EXPECT_EQ(dialogs().chooseItem("Sélection Source", {"A", "B", "A"}), 2);
  }
  {
    ModalDriver driver([](QWidget* w) { qobject_cast<QDialog*>(w)->reject(); });
    EXPECT_EQ(dialogs().chooseItem("Sélection Source", {"A", "B"}), -1);
  }
  EXPECT_EQ(dialogs().chooseItem("Vide", {}), -1);
}

TEST(QtDialogs, PopupMenuIndexOrMinusOne) {
  setDialogs(nullptr);
  const std::vector<std::string> captions = {"Copier", "-", "\x01" "Coller", "Effacer"};
  {
    int actionCount = 0;
    bool pasteDisabled = false;
    QString pasteText;
    ModalDriver driver(
        [&](QWidget* w) {
          auto* menu = qobject_cast<QMenu*>(w);
          ASSERT_NE(menu, nullptr);
          const QList<QAction*> actions = menu->actions();
          actionCount = static_cast<int>(actions.size());
          ASSERT_EQ(actions.size(), 4);
          EXPECT_TRUE(actions[1]->isSeparator());
          pasteDisabled = !actions[2]->isEnabled();
          pasteText = actions[2]->text();
          menu->setActiveAction(actions[3]);
          pressKey(menu, Qt::Key_Return);
        },
        true);
    EXPECT_EQ(dialogs().popupMenu(captions), 3);
    EXPECT_EQ(actionCount, 4);
    EXPECT_TRUE(pasteDisabled);
    EXPECT_EQ(pasteText, QString("Coller"));
  }
  {
    ModalDriver driver([](QWidget* w) { pressKey(w, Qt::Key_Escape); }, true);
    EXPECT_EQ(dialogs().popupMenu(captions), -1);
  }
}

class QtFileDialogs : public ::testing::Test {
 protected:
  void SetUp() override {
    setDialogs(nullptr);
    ASSERT_TRUE(tmp_.isValid());
    root_ = QDir(tmp_.path()).canonicalPath();
    ASSERT_TRUE(QDir(root_).mkpath("sub"));
    for (const char* name : {"a.bmp", "b.txt", "sub/c.txt"}) {
      QFile f(root_ + "/" + name);
      ASSERT_TRUE(f.open(QIODevice::WriteOnly));
      f.write("x");
    }
  }
  std::string root() const { return root_.toStdString(); }

  QTemporaryDir tmp_;
  QString root_;
};

TEST_F(QtFileDialogs, OpenTakesProposedNameAndFilter) {
  QStringList filters;
  QString selectedFilter;
  bool nonNative = false;
  ModalDriver driver([&](QWidget* w) {
    auto* dlg = qobject_cast<QFileDialog*>(w);
    ASSERT_NE(dlg, nullptr);
    filters = dlg->nameFilters();
    selectedFilter = dlg->selectedNameFilter();
    nonNative = dlg->testOption(QFileDialog::DontUseNativeDialog);
    static_cast<QDialog*>(dlg)->accept();
  });
  FileRequest r;
  r.title = "Ouvrir";
  r.filter = "Textes|*.txt|Images|*.bmp;*.jpg";
  r.filterIndex = 2;
  r.initialFolder = root();
  r.fileName = "a.bmp";
  const FileAnswer a = dialogs().openFile(r);
  ASSERT_TRUE(driver.acted());
  EXPECT_EQ(filters, QStringList({"Textes (*.txt)", "Images (*.bmp *.jpg)"}));
  EXPECT_EQ(selectedFilter, QString("Images (*.bmp *.jpg)"));
  EXPECT_TRUE(nonNative);
  EXPECT_FALSE(a.cancelled);
  EXPECT_EQ(a.files, std::vector<std::string>{root() + "/a.bmp"});
  EXPECT_EQ(a.folder, root());
  EXPECT_EQ(a.filterIndex, 2);
}

TEST_F(QtFileDialogs, SaveInSubFolderWithBackslashAndNoOverwriteQuestion) {
  bool noConfirm = false;
  ModalDriver driver([&](QWidget* w) {
    auto* dlg = qobject_cast<QFileDialog*>(w);
    ASSERT_NE(dlg, nullptr);
    noConfirm = dlg->testOption(QFileDialog::DontConfirmOverwrite);
    static_cast<QDialog*>(dlg)->accept();
  });
  FileRequest r;
  r.filter = "Textes|*.txt";
  r.initialFolder = root();
  r.fileName = "sub\\c.txt";  // an existing file: the dialog must not ask itself
  const FileAnswer a = dialogs().saveFile(r);
  ASSERT_TRUE(driver.acted());
  EXPECT_TRUE(noConfirm);
  EXPECT_FALSE(a.cancelled);
  EXPECT_EQ(a.path(), root() + "/sub/c.txt");
  EXPECT_EQ(a.folder, root() + "/sub");
  EXPECT_EQ(a.filterIndex, 1);
}

TEST_F(QtFileDialogs, MultiSelectGivesEveryFileInTheProgramFolder) {
  // No initial folder: the dialog opens in the program folder (a fresh folder in tests).
  const QString programFolder = QDir(QString::fromStdString(App::Path())).canonicalPath();
  for (const char* name : {"x.jpg", "y.jpg"}) {
    QFile f(programFolder + "/" + name);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  }
  QString shownFolder;
  bool several = false;
  ModalDriver driver([&](QWidget* w) {
    auto* dlg = qobject_cast<QFileDialog*>(w);
    ASSERT_NE(dlg, nullptr);
    shownFolder = dlg->directory().canonicalPath();
    several = dlg->fileMode() == QFileDialog::ExistingFiles;
    auto* edit = dlg->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_NE(edit, nullptr);
    edit->setText(QStringLiteral("\"x.jpg\" \"y.jpg\""));
    static_cast<QDialog*>(dlg)->accept();
  });
  FileRequest r;
  r.filter = "Images|*.jpg";
  r.multiSelect = true;
  const FileAnswer a = dialogs().openFile(r);
  ASSERT_TRUE(driver.acted());
  EXPECT_EQ(shownFolder, programFolder);
  EXPECT_TRUE(several);
  EXPECT_FALSE(a.cancelled);
  const std::string folder = programFolder.toStdString();
  EXPECT_EQ(a.files, (std::vector<std::string>{folder + "/x.jpg", folder + "/y.jpg"}));
  EXPECT_EQ(a.folder, folder);
}

TEST_F(QtFileDialogs, CancelIsToldApart) {
  ModalDriver driver([](QWidget* w) { qobject_cast<QDialog*>(w)->reject(); });
  FileRequest r;
  r.initialFolder = root();
  r.filterIndex = 3;
  const FileAnswer a = dialogs().openFile(r);
  ASSERT_TRUE(driver.acted());
  EXPECT_TRUE(a.cancelled);
  EXPECT_TRUE(a.files.empty());
  EXPECT_EQ(a.filterIndex, 3);
}

TEST_F(QtFileDialogs, ChooseFolderReturnsTheFolderOrNothing) {
  {
    ModalDriver driver([](QWidget* w) {
      auto* dlg = qobject_cast<QFileDialog*>(w);
      ASSERT_NE(dlg, nullptr);
      static_cast<QDialog*>(dlg)->accept();
    });
    const auto folder = dialogs().chooseFolder("Choix d'un répertoire", root() + "/sub");
    ASSERT_TRUE(folder.has_value());
    EXPECT_EQ(*folder, root() + "/sub");
  }
  {
    ModalDriver driver([](QWidget* w) { qobject_cast<QDialog*>(w)->reject(); });
    EXPECT_FALSE(dialogs().chooseFolder("Choix", root()).has_value());
  }
}

TEST(QtDialogs, ChooseFontKeepsStyleAndColour) {
  setDialogs(nullptr);
  FontChoice initial;
  initial.size = 12;
  initial.bold = true;
  initial.underline = true;
  initial.colour = 0x0000FF;
  {
    ModalDriver driver([](QWidget* w) {
      auto* dlg = qobject_cast<QFontDialog*>(w);
      ASSERT_NE(dlg, nullptr);
      static_cast<QDialog*>(dlg)->accept();
    });
    const auto f = dialogs().chooseFont(initial);
    ASSERT_TRUE(f.has_value());
    EXPECT_TRUE(f->bold);
    EXPECT_TRUE(f->underline);
    EXPECT_FALSE(f->italic);
    EXPECT_DOUBLE_EQ(f->size, 12);
    EXPECT_EQ(f->colour, 0x0000FFu);
    EXPECT_FALSE(f->name.empty());
  }
  {
    ModalDriver driver([](QWidget* w) { qobject_cast<QDialog*>(w)->reject(); });
    EXPECT_FALSE(dialogs().chooseFont(initial).has_value());
  }
}

}  // namespace
}  // namespace platform
