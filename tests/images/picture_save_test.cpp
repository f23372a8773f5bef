// Saving the current picture (file menu items 15 and 16) and the save dialog of
// pictures, on the real main window (offscreen).
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "base/globals.h"
#include "base/text_tables.h"
#include "forms/main_window.h"
#include "images/image_state.h"
#include "images/picture_save.h"
#include "images/picture_view.h"
#include "picture_fixture.h"
#include "platform/colour.h"
#include "platform/dialogs.h"
#include "platform/textfile.h"
#include "support/file_size_limit.h"
#include "support/ordinary_user.h"
#include "support/user_input.h"

using picture_tests::PictureWindow;

namespace {

class PictureSave : public PictureWindow {
 protected:
  void SetUp() override {
    PictureWindow::SetUp();
    Rep_Data = folder_;
    Rep_Prog = folder_;
    Alerte_W7 = false;
    source_ = bmp("a.bmp", 120, 90);
    ASSERT_TRUE(Charge_Image_Memoire(source_));
  }
  // Number of regular files in the test folder.
  int fichiers() const {
    int n = 0;
    for (const auto& e : std::filesystem::directory_iterator(folder_)) n += e.is_regular_file() ? 1 : 0;
    return n;
  }
  static std::string octets(const std::string& p) {
    std::string b;
    EXPECT_TRUE(platform::readBytes(p, &b)) << p;
    return b;
  }
  // Largest difference of one colour channel between two pictures of the same size.
  static int ecart(const platform::Picture& a, const platform::Picture& b) {
    int pire = 0;
    for (int y = 0; y < a.heightPixels(); ++y)
      for (int x = 0; x < a.widthPixels(); ++x)
        for (int s = 0; s < 24; s += 8) {
          const int u = static_cast<int>((a.pixel(x, y) >> s) & 0xFF);
          const int v = static_cast<int>((b.pixel(x, y) >> s) & 0xFF);
          pire = std::max(pire, std::abs(u - v));
        }
    return pire;
  }
  std::string source_;
};

}  // namespace

TEST(PictureSaveNames, ExtensionIsTheTextAfterTheLastPoint) {
  struct Case {
    const char* name;
    const char* ext;
  };
  const Case cases[] = {
      {"a.b.jpg", "jpg"}, {"Qvrl.Cal", "Cal"}, {"sans", "sans"}, {"fin.", ""}, {"", ""}, {".bmp", "bmp"},
  };
  for (const Case& c : cases) EXPECT_EQ(Fic_Extension(c.name), c.ext) << c.name;
}

TEST(PictureSaveNames, JpegOfAnEmptyPictureFails) {
  std::string error;
  EXPECT_FALSE(Sauve_Jpeg_Image(platform::Picture(), "/nonexistent/x.jpg", &error));
  EXPECT_FALSE(error.empty());
}

TEST_F(PictureSave, BmpSaveIsPixelIdenticalAndFullSize) {
  QVL& f = Qvl();
  Format_Image = 0;
  // Zoomed in, with a drawing on the picture: neither reaches the file.
  user::click(f.Czoom(0));
  user::click(f.Czoom(0));
  f.Picture1.line(0, 500, 8000, 500, 0x0000FF);
  ASSERT_EQ(f.Picture1.point(4000, 500), 0x0000FFu);
  const std::string out = path("copie.bmp");
  dialogs_->answerSave(out);
  user::click(f.MnuFIC(15));
  ASSERT_EQ(dialogs_->log().size(), 1u);
  const platform::FileRequest& r = dialogs_->log()[0].request;
  EXPECT_EQ(r.fileName, "Img_Act_.BMP");
  EXPECT_EQ(r.initialFolder, folder_);
  EXPECT_EQ(r.filter, "*.BMP|*.BMP|Tous les fichiers (*.*)|*.*");
  // Both files are 24-bit BMPs of the same pixels: byte for byte the same.
  EXPECT_EQ(octets(out), octets(source_));
  const platform::Picture lu = platform::Picture::load(out);
  ASSERT_EQ(lu.widthPixels(), 120);
  ASSERT_EQ(lu.heightPixels(), 90);
  EXPECT_EQ(ecart(lu, platform::Picture::load(source_)), 0);
  // The display keeps the picture without the drawing, at the same zoom.
  EXPECT_NE(f.Picture1.point(4000, 500), 0x0000FFu);
  EXPECT_EQ(Expo_Zoom, -4);
  EXPECT_TRUE(messages().empty());
}

TEST_F(PictureSave, JpegSaveDecodesToTheSameSizeAndNearColours) {
  QVL& f = Qvl();
  Format_Image = 1;
  const std::string out = path("copie.jpg");
  dialogs_->answerSave(out);
  user::click(f.MnuFIC(15));
  ASSERT_EQ(dialogs_->log().size(), 1u);
  EXPECT_EQ(dialogs_->log()[0].request.fileName, "Img_Act_.JPG");
  EXPECT_EQ(dialogs_->log()[0].request.filter, "*.JPG|*.JPG|Tous les fichiers (*.*)|*.*");
  const std::string b = octets(out);
  ASSERT_GE(b.size(), 2u);
  EXPECT_EQ(static_cast<unsigned char>(b[0]), 0xFF);
  EXPECT_EQ(static_cast<unsigned char>(b[1]), 0xD8);
  const platform::Picture lu = platform::Picture::load(out);
  ASSERT_EQ(lu.widthPixels(), 120);
  ASSERT_EQ(lu.heightPixels(), 90);
  // Quality 100 on a smooth picture: every channel within a few levels.
  EXPECT_LE(ecart(lu, platform::Picture::load(source_)), 6);
  EXPECT_TRUE(messages().empty());
}

// The format is chosen in the "format image export" menu: its items tick themselves
// and decide what the saved file holds.
TEST_F(PictureSave, TheFormatMenuChoosesWhatIsWritten) {
  QVL& f = Qvl();
  const int format = Format_Image;
  user::click(f.F_Img(1));
  EXPECT_EQ(Format_Image, 1);
  EXPECT_TRUE(f.F_Img(1).checked());
  EXPECT_FALSE(f.F_Img(0).checked());
  const std::string jpg = path("x.jpg");
  dialogs_->answerSave(jpg);
  user::click(f.MnuFIC(15));
  const std::string b = octets(jpg);
  ASSERT_GE(b.size(), 2u);
  EXPECT_EQ(static_cast<unsigned char>(b[0]), 0xFF);
  EXPECT_EQ(static_cast<unsigned char>(b[1]), 0xD8);
  user::click(f.F_Img(0));
  EXPECT_TRUE(f.F_Img(0).checked());
  EXPECT_FALSE(f.F_Img(1).checked());
  const std::string bmp = path("x.bmp");
  dialogs_->answerSave(bmp);
  user::click(f.MnuFIC(15));
  EXPECT_EQ(octets(bmp).substr(0, 2), "BM");
  EXPECT_TRUE(messages().empty());
  f.F_Img_Click(format);
}

TEST_F(PictureSave, BackgroundPictureIsWrittenInTheProgramFolder) {
  QVL& f = Qvl();
  const std::string fond = path("Fondecran.jpg");
  ASSERT_TRUE(platform::saveFileAtomic(fond, "ancien fond"));
  user::click(f.MnuFIC(16));
  EXPECT_TRUE(dialogs_->log().empty());   // no dialog: the name is fixed
  const platform::Picture lu = platform::Picture::load(fond);
  ASSERT_EQ(lu.widthPixels(), 120);
  ASSERT_EQ(lu.heightPixels(), 90);
  EXPECT_LE(ecart(lu, platform::Picture::load(source_)), 6);
}

// A disk that cannot hold the picture: the message names the file and the system's
// cause, and the old file stays byte for byte, for both formats.
TEST_F(PictureSave, AFullDiskKeepsTheOldFileAndSaysWhy) {
  for (int format : {0, 1}) {
    Format_Image = format;
    const std::string out = path(format == 0 ? "plein.bmp" : "plein.jpg");
    ASSERT_TRUE(platform::saveFileAtomic(out, "ancien contenu"));
    dialogs_->clear();
    dialogs_->answerSave(out);
    dialogs_->answerMsgBox(platform::vbOK);   // overwrite
    dialogs_->answerMsgBox(platform::vbOK);   // the failure
    bool saved = true;
    {
      test_support::FileSizeLimit limit(1000);
      ASSERT_TRUE(limit.active());
      saved = Sauver_Image_actuelle(0);
    }
    EXPECT_FALSE(saved) << out;
    ASSERT_EQ(messages().size(), 2u) << out;
    EXPECT_EQ(messages()[1].rfind(MSG(144) + out + "\r\n", 0), 0u) << messages()[1];
    EXPECT_NE(messages()[1].find(test_support::FileSizeLimit::cause()), std::string::npos) << messages()[1];
    EXPECT_EQ(octets(out), "ancien contenu");
    EXPECT_EQ(fichiers(), format == 0 ? 2 : 3);   // no temporary left beside it
  }
}

TEST_F(PictureSave, CancellingTheDialogWritesNothing) {
  QVL& f = Qvl();
  dialogs_->answerFileCancel(true);
  user::click(f.MnuFIC(15));
  EXPECT_EQ(fichiers(), 1);   // only the source picture
  EXPECT_TRUE(messages().empty());
}

TEST_F(PictureSave, CancelInTheOverwriteQuestionKeepsTheFile) {
  Format_Image = 0;
  const std::string out = path("existe.bmp");
  ASSERT_TRUE(platform::saveFileAtomic(out, "ancien"));
  dialogs_->answerSave(out);
  dialogs_->answerMsgBox(platform::vbCancel);
  EXPECT_FALSE(Sauver_Image_actuelle(0));
  ASSERT_EQ(messages().size(), 1u);
  EXPECT_EQ(messages()[0], MSG(116) + "\r\n" + out);
  EXPECT_EQ(dialogs_->log().back().style, platform::vbOKCancel);
  EXPECT_EQ(octets(out), "ancien");
  dialogs_->answerSave(out);
  dialogs_->answerMsgBox(platform::vbOK);
  EXPECT_TRUE(Sauver_Image_actuelle(0));
  EXPECT_EQ(octets(out), octets(source_));
}

TEST_F(PictureSave, NothingIsAskedWithNoPictureOrAnUnknownFormat) {
  QVL& f = Qvl();
  Format_Image = 4;   // an image-format item without an extension
  EXPECT_FALSE(Sauver_Image_actuelle(0));
  f.picbase.setPicture(platform::Picture());
  Format_Image = 0;
  user::click(f.MnuFIC(15));
  EXPECT_FALSE(Sauver_Image_actuelle(1));
  EXPECT_TRUE(dialogs_->log().empty());
  EXPECT_EQ(fichiers(), 1);
}

TEST_F(PictureSave, DialogFollowsTheChosenFolderAndWarnsOnceForTheProgramFolder) {
  const std::string ailleurs = path("ailleurs");
  ASSERT_TRUE(std::filesystem::create_directory(ailleurs));
  int echec = -1;
  dialogs_->answerSave(ailleurs + "/x.bmp");
  EXPECT_EQ(Dialogue_Sauve("Img_Act_", "BMP", echec), ailleurs + "/x.bmp");
  EXPECT_EQ(echec, 0);
  EXPECT_EQ(Rep_Data, ailleurs);
  EXPECT_TRUE(messages().empty());

  // Back into the program folder with the warning due: shown once.
  Alerte_W7 = true;
  dialogs_->answerSave(path("y.bmp"));
  dialogs_->answerMsgBox(platform::vbOK);
  EXPECT_EQ(Dialogue_Sauve("Img_Act_", "BMP", echec), path("y.bmp"));
  EXPECT_EQ(Rep_Data, folder_);
  ASSERT_EQ(messages().size(), 1u);
  EXPECT_EQ(messages()[0], MSG(12));
  EXPECT_FALSE(Alerte_W7);
  dialogs_->answerSave(path("y.bmp"));
  Dialogue_Sauve("Img_Act_", "BMP", echec);
  EXPECT_EQ(messages().size(), 1u);

  dialogs_->answerFileCancel(true);
  EXPECT_EQ(Dialogue_Sauve("Img_Act_", "BMP", echec), "");
  EXPECT_EQ(echec, 1);
}

namespace {

// How the save attempted as an ordinary user ended.
enum Issue { kRefuseSignale = 0, kEcrit = 1, kSansMessage = 2 };

// Saves the picture as a BMP into cible, answering the dialog and the message from s;
// how it ended.
int essaieSauvegarde(platform::ScriptedDialogs& s, const std::string& cible) {
  s.answerSave(cible);
  s.answerMsgBox(platform::vbOK);
  Format_Image = 0;
  if (Sauver_Image_actuelle(0)) return kEcrit;
  for (const auto& a : s.log())
    if (a.kind == "msgBox" && a.text.rfind(MSG(144) + cible, 0) == 0) return kRefuseSignale;
  return kSansMessage;
}

}  // namespace

TEST_F(PictureSave, SavingIntoAReadOnlyFolderReportsTheFailure) {
  const std::string lecture = path("lecture");
  ASSERT_TRUE(std::filesystem::create_directory(lecture));
  ASSERT_EQ(::chmod(lecture.c_str(), 0555), 0);
  const std::string cible = lecture + "/image.bmp";
  // Root ignores permission bits: the save is made as an ordinary user.
  const int issue = test_support::asOrdinaryUser([&] { return essaieSauvegarde(*dialogs_, cible); });
  EXPECT_EQ(issue, kRefuseSignale);
  EXPECT_TRUE(std::filesystem::is_empty(lecture));
}
