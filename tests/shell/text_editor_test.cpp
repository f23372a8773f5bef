// The built-in text editor on the real main window: files opened, written back byte
// for byte, refused saves.
#include "shell/text_editor.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "base/globals.h"
#include "base/text_tables.h"
#include "forms/main_window.h"
#include "platform/events.h"
#include "images/image_state.h"
#include "platform/textfile.h"
#include "measure/picture_window.h"
#include "program_folder.h"
#include "support/file_size_limit.h"
#include "support/layout_check.h"
#include "support/ordinary_user.h"
#include "support/user_input.h"

namespace {

std::string bytes(const std::string& path) {
  std::string b;
  platform::readBytes(path, &b);
  return b;
}

class TextEditor : public ProgramFolder {
 protected:
  void SetUp() override {
    ProgramFolder::SetUp();
    dialogs_ = static_cast<platform::ScriptedDialogs*>(&platform::dialogs());
    calib_ = Fic_Calib;
    arch_ = Fic_ArchNua;
    cmd_ = Fic_Ligne_Cmd;
    Fic_Calib = "Qvrl.Cal";
    Fic_ArchNua = "Archv_Nuancier.nua";
    Messages_Defaut();
  }
  void TearDown() override {
    Qvl().FrameEditer.setVisible(false);
    Fic_Calib = calib_;
    Fic_ArchNua = arch_;
    Fic_Ligne_Cmd = cmd_;
    chmod(dir_.c_str(), 0700);
    ProgramFolder::TearDown();
  }
  // Opens the file of an editor type; true when the editor shows it.
  bool open(int type) {
    Type_Fichier_Edit = type;
    Editeur_GF(-1);
    return Qvl().FrameEditer.visible();
  }
  platform::ScriptedDialogs* dialogs_ = nullptr;
  std::string calib_, arch_, cmd_;
};

TEST_F(TextEditor, ShowsTheFileAndWritesTheTypedTextBack) {
  QVL& f = Qvl();
  // The calibration file is found whatever the case of its name on disk.
  ASSERT_TRUE(platform::saveFileAtomic(path("qvrl.cal"), "Calibrages\r\nobjectif 40;0,1625\n"));
  ASSERT_TRUE(open(1));
  EXPECT_EQ(f.FrameEditer.caption(), "Qvrl.Cal");
  EXPECT_EQ(f.TextEdit.text(), "Calibrages\r\nobjectif 40;0,1625\r\n");
  f.Frame(9).setVisible(false);   // the welcome panel closed
  layout::expectClean(f, "éditeur de texte", {"Picture1"});
  const std::string golden = std::string(QV_TEST_DATA) + "/text_editor/trimmed/";
  f.TextEdit.setText(platform::decodeText(bytes(golden + "typed.txt")));
  user::click(f.Command8(1));
  EXPECT_EQ(bytes(path("qvrl.cal")), bytes(golden + "expected.txt"));
  EXPECT_FALSE(std::filesystem::exists(path("Qvrl.Cal")));
  EXPECT_FALSE(f.FrameEditer.visible());
  EXPECT_TRUE(dialogs_->log().empty());
}

TEST_F(TextEditor, TransformOfTheText) {
  const std::pair<const char*, const char*> cases[] = {
      {"a\r\n", "a\r\n"},                   // one final pair: exactly one at the end
      {"  a b  ", "a b\r\n"},               // blanks trimmed at both ends
      {"a\r\n\r\n", "a\r\n\r\n"},           // one pair dropped, one kept
      {"a\n", "a\r\n"},
      {"", "\r\n"},
      {"ligne \xc3\xa9", "ligne \xe9\r\n"},  // Windows-1252
  };
  for (const auto& [in, out] : cases) EXPECT_EQ(Texte_A_Ecrire(in), out) << in;
}

TEST_F(TextEditor, CancelWritesNothing) {
  QVL& f = Qvl();
  ASSERT_TRUE(platform::saveFileAtomic(path("Archv_Nuancier.nua"), "1;255;0;0\r\n"));
  ASSERT_TRUE(open(3));
  EXPECT_EQ(f.FrameEditer.caption(), "Archv_Nuancier.nua");
  f.TextEdit.setText("changé");
  user::click(f.Command8(0));
  EXPECT_FALSE(f.FrameEditer.visible());
  EXPECT_EQ(bytes(path("Archv_Nuancier.nua")), "1;255;0;0\r\n");
}

TEST_F(TextEditor, CommandLineTrameIsOnlyShown) {
  QVL& f = Qvl();
  Fic_Ligne_Cmd = path("essai.trm");
  ASSERT_TRUE(platform::saveFileAtomic(Fic_Ligne_Cmd, "QUORVALE\r\n"));
  ASSERT_TRUE(open(4));
  f.TextEdit.setText("autre");
  user::click(f.Command8(1));
  EXPECT_TRUE(f.FrameEditer.visible());
  EXPECT_EQ(bytes(Fic_Ligne_Cmd), "QUORVALE\r\n");
}

TEST_F(TextEditor, MissingFiles) {
  QVL& f = Qvl();
  // No calibration file: the advice, no editor.
  EXPECT_FALSE(open(1));
  // No chart archive: nothing said.
  EXPECT_FALSE(open(3));
  // With ouvre 0 the settings file does not open.
  Type_Fichier_Edit = 2;
  Editeur_GF(0);
  EXPECT_FALSE(f.FrameEditer.visible());
  ASSERT_EQ(dialogs_->log().size(), 1u);
  EXPECT_EQ(dialogs_->log()[0].text, "Etalonner et sauver le calibrage préalablement");
}

TEST_F(TextEditor, VanishedFileIsNotCreated) {
  QVL& f = Qvl();
  ASSERT_TRUE(platform::saveFileAtomic(path("Qvrl.dat"), "UTILISATEUR=Marie\r\n"));
  ASSERT_TRUE(open(2));
  EXPECT_EQ(f.FrameEditer.caption(), "Qvrl.dat");
  std::filesystem::remove(path("Qvrl.dat"));
  f.TextEdit.setText("UTILISATEUR=Paul");
  user::click(f.Command8(1));
  ASSERT_EQ(dialogs_->log().size(), 1u);
  EXPECT_EQ(dialogs_->log()[0].text, path("Qvrl.dat") + "  introuvable");
  EXPECT_FALSE(std::filesystem::exists(path("Qvrl.dat")));
  EXPECT_TRUE(f.FrameEditer.visible());
}

TEST_F(TextEditor, FailedWriteKeepsTheEditorOpen) {
  QVL& f = Qvl();
  ASSERT_TRUE(platform::saveFileAtomic(path("Qvrl.Cal"), "a\r\n"));
  ASSERT_TRUE(open(1));
  f.TextEdit.setText("une ligne bien plus longue que la limite");
  {
    test_support::FileSizeLimit limit(8);
    ASSERT_TRUE(limit.active());
    user::click(f.Command8(1));
  }
  ASSERT_EQ(dialogs_->log().size(), 1u);
  EXPECT_EQ(dialogs_->log()[0].text.rfind(MSG(144), 0), 0u);
  EXPECT_NE(dialogs_->log()[0].text.find(test_support::FileSizeLimit::cause()), std::string::npos);
  EXPECT_TRUE(f.FrameEditer.visible());
  EXPECT_EQ(f.TextEdit.text(), "une ligne bien plus longue que la limite");
  EXPECT_EQ(bytes(path("Qvrl.Cal")), "a\r\n");
}

TEST_F(TextEditor, ReadOnlyFolder) {
  QVL& f = Qvl();
  ASSERT_TRUE(platform::saveFileAtomic(path("Qvrl.Cal"), "a\r\n"));
  ASSERT_TRUE(open(1));
  ASSERT_EQ(chmod(dir_.c_str(), 0555), 0);
  f.TextEdit.setText("b");
  const auto files = [this] {
    int n = 0;
    for (const auto& e : std::filesystem::directory_iterator(dir_)) n += e.is_regular_file() ? 1 : 0;
    return n;
  };
  const int before = files();
  {
    // Root ignores permission bits: the save is clicked as an ordinary user.
    const test_support::OrdinaryUserScope asUser;
    ASSERT_TRUE(asUser.active());
    user::click(f.Command8(1));
  }
  ASSERT_EQ(dialogs_->log().size(), 1u);
  EXPECT_EQ(dialogs_->log()[0].text.rfind(MSG(144), 0), 0u);
  EXPECT_NE(dialogs_->log()[0].text.find(path("Qvrl.Cal")), std::string::npos) << dialogs_->log()[0].text;
  EXPECT_TRUE(f.FrameEditer.visible());
  EXPECT_EQ(f.TextEdit.text(), "b");
  EXPECT_EQ(bytes(path("Qvrl.Cal")), "a\r\n");
  EXPECT_EQ(files(), before);
}

// What a file's lines become when the editor showed them and the user changed some:
// the lines left as shown are written as read, the others as typed.
TEST(EditedText, LinesLeftAsShownAreWrittenAsRead) {
  const std::string nbsp = "\xC2\xA0", ls = "\xE2\x80\xA8";
  const std::vector<std::string> lues = {"  indent", "a" + nbsp + "b", "c" + ls + "d", "fin"};
  // The box shows no-break spaces as blanks and breaks the line at U+2028.
  const std::string affiche = "  indent\r\na b\r\nc\r\nd\r\nfin\r\n";
  const std::string attendu = platform::encodeLines(lues);
  const struct {
    std::string edite, octets;
  } cases[] = {
      {affiche, attendu},
      // The last line changed: the others as they were read.
      {"  indent\r\na b\r\nc\r\nd\r\nfin !\r\n", platform::encodeLines({"  indent", "a" + nbsp + "b", "c" + ls + "d", "fin !"})},
      // A line typed in the middle and a line removed.
      {"  indent\r\nnouvelle\r\na b\r\nfin\r\n", platform::encodeLines({"  indent", "nouvelle", "a" + nbsp + "b", "fin"})},
      // The first line changed: typed, so its leading blanks go.
      {"   autre\r\na b\r\nc\r\nd\r\nfin\r\n", platform::encodeLines({"autre", "a" + nbsp + "b", "c" + ls + "d", "fin"})},
      // Half of a broken line changed: that part as typed.
      {"  indent\r\na b\r\nc\r\nD\r\nfin\r\n", platform::encodeLines({"  indent", "a" + nbsp + "b", "c", "D", "fin"})},
      {"", "\r\n"},
      {"  a b  ", "a b\r\n"},
  };
  for (const auto& c : cases) EXPECT_EQ(Texte_Edite_A_Ecrire(lues, affiche, c.edite), c.octets) << c.edite;
}

// A calibration file holding no-break spaces, a line separator and leading blanks,
// opened from Tools > Editer and validated: unchanged, its bytes stay; with one line
// typed at its end, every other line keeps its characters.
TEST_F(TextEditor, ValidatingWithoutChangesWritesWhatWasRead) {
  QVL& f = Qvl();
  f.show();
  platform::DoEvents();
  const std::string nbsp = "\xA0";   // Windows-1252
  const std::string octets = "  Calibrages\nobjectif" + nbsp + "40;0,1625\n";
  ASSERT_TRUE(platform::saveFileAtomic(path("Qvrl.Cal"), octets));
  ASSERT_TRUE(user::choose(f.MntoolXp(2)));
  ASSERT_TRUE(f.FrameEditer.visible());
  ASSERT_TRUE(user::click(f.Command8(1)));
  EXPECT_FALSE(f.FrameEditer.visible());
  EXPECT_EQ(bytes(path("Qvrl.Cal")), octets);

  // A UTF-8 file with a line separator: a line typed at the end keeps the others whole.
  const std::string utf8 = "  Calibrages\r\nobjectif\xC2\xA0" "40;0,1625\xE2\x80\xA8suite\r\n";
  ASSERT_TRUE(platform::saveFileAtomic(path("Qvrl.Cal"), utf8));
  ASSERT_TRUE(user::choose(f.MntoolXp(2)));
  ASSERT_TRUE(user::click(f.TextEdit));
  QWidget* w = f.TextEdit.widget();
  w->setFocus();
  user::pressKey(w, Qt::Key_End, QString(), Qt::ControlModifier);
  for (const QChar ch : QString("objectif 60;0,108")) user::pressKey(w, 0, QString(ch));
  ASSERT_TRUE(user::click(f.Command8(1)));
  EXPECT_EQ(bytes(path("Qvrl.Cal")), "  Calibrages\r\nobjectif\xC2\xA0" "40;0,1625\xE2\x80\xA8suite\r\nobjectif 60;0,108\r\n");
  EXPECT_TRUE(dialogs_->log().empty());
}


// The editor closed by "Valider" or "Annuler" leaves the keys to the picture, not to
// the count box that follows in reading order: Z held and a click zoom the picture,
// the count box keeps its text and nothing is measured.
TEST_F(TextEditor, ClosedEditorLeavesTheKeysToThePicture) {
  QVL& f = Qvl();
  f.Frame(9).setVisible(false);   // the welcome panel closed
  for (int bouton : {1, 0}) {
    SCOPED_TRACE(bouton == 1 ? "Valider" : "Annuler");
    ASSERT_TRUE(platform::saveFileAtomic(path("Qvrl.Cal"), "Calibrages\r\n"));
    ASSERT_TRUE(open(1));
    ASSERT_TRUE(user::typeInto(f.TextEdit, "objectif 40;0,1625"));
    ASSERT_TRUE(user::click(f.Command8(bouton)));
    EXPECT_FALSE(f.FrameEditer.visible());
    picture_window::expectZoomClickOnThePicture();
  }
  EXPECT_EQ(bytes(path("Qvrl.Cal")), "Calibrages\r\n");
}

}  // namespace
