// The built-in text editor on the real main window: files opened, written back byte
// for byte, refused saves.
#include "shell/text_editor.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "base/globals.h"
#include "base/text_tables.h"
#include "images/image_state.h"
#include "platform/textfile.h"
#include "program_folder.h"
#include "support/file_size_limit.h"
#include "support/layout_check.h"
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
  if (geteuid() == 0) GTEST_SKIP() << "permissions do not hold for root";
  QVL& f = Qvl();
  ASSERT_TRUE(platform::saveFileAtomic(path("Qvrl.Cal"), "a\r\n"));
  ASSERT_TRUE(open(1));
  chmod(dir_.c_str(), 0555);
  f.TextEdit.setText("b");
  user::click(f.Command8(1));
  ASSERT_EQ(dialogs_->log().size(), 1u);
  EXPECT_EQ(dialogs_->log()[0].text.rfind(MSG(144), 0), 0u);
  EXPECT_TRUE(f.FrameEditer.visible());
  EXPECT_EQ(bytes(path("Qvrl.Cal")), "a\r\n");
}

}  // namespace
