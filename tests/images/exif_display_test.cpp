// The EXIF listing over the picture and the camera reference of the current image, on
// the real main window (offscreen).
#include <gtest/gtest.h>

#include <QApplication>
#include <QMenu>

#include <filesystem>
#include <string>
#include <vector>

#include "base/globals.h"
#include "base/text_tables.h"
#include "exif_fixture.h"
#include "forms/main_window.h"
#include "image_window_fixture.h"
#include "images/exif_display.h"
#include "images/image_files.h"
#include "images/image_list.h"
#include "images/image_state.h"
#include "measure/picture_window.h"
#include "platform/app.h"
#include "platform/clipboard.h"
#include "platform/textfile.h"
#include "shell/settings_file.h"
#include "support/user_input.h"

namespace {

using exif_test::dataPath;
using exif_test::readAll;
using image_tests::ImageWindow;

const char* const kAucuneImage = "aucune image chargée !";
const char* const kPasExif = " pas d'information EXIF disponible";

class ExifDisplay : public ImageWindow {
 protected:
  void SetUp() override {
    ImageWindow::SetUp();
    savedRef_ = Ref_APN;
    savedRepProg_ = Rep_Prog;
    savedPath_ = platform::App::Path();
    const std::filesystem::path prog = folder_ / "prog";
    std::filesystem::create_directories(prog);
    Rep_Prog = prog.string();
    platform::App::setPath(prog.string());
  }
  void TearDown() override {
    Qvl().TextExif.setVisible(false);
    Ref_APN = savedRef_;
    Rep_Prog = savedRepProg_;
    platform::App::setPath(savedPath_);
    ImageWindow::TearDown();
  }
  // Opens `path` through "Ouvrir Image" (the list is empty: no question).
  void open(const std::string& path) {
    dialogs_->answerOpen({path});
    user::click(Qvl().MnuFIC(1));
    ASSERT_EQ(Img_Active, path);
  }
  platform::BoundedArray<std::string, 0, 5> savedRef_;
  std::string savedRepProg_, savedPath_;
};

TEST_F(ExifDisplay, ToolsMenuListsTheImageOverThePicture) {
  QVL& f = Qvl();
  const std::string photo = (folder_ / "photo.jpg").string();
  std::filesystem::copy_file(dataPath("intel/input.jpg"), photo);
  open(photo);
  user::click(f.Mntool(11));
  EXPECT_TRUE(f.TextExif.visible());
  EXPECT_EQ(f.TextExif.text(), readAll(dataPath("intel/listing.txt")));
  EXPECT_EQ(f.StatusBar1.simpleText(), " Clic droit pour fermer la fenêtre");
  EXPECT_DOUBLE_EQ(f.TextExif.left(), 0);
  EXPECT_DOUBLE_EQ(f.TextExif.top(), 0);
  EXPECT_NEAR(f.TextExif.height(), f.Picture1.height() * 0.8, 15);
  EXPECT_EQ(messages(), std::vector<std::string>{});

  // A left click leaves it; a right click hides it and opens no menu of the text box's
  // own over the picture.
  ASSERT_TRUE(user::click(f.TextExif));
  EXPECT_TRUE(f.TextExif.visible());
  QWidget* boite = f.TextExif.widget();
  user::pressAndRelease(boite, user::centreOf(boite), Qt::RightButton);
  EXPECT_FALSE(f.TextExif.visible());
  EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
  for (QWidget* w : QApplication::topLevelWidgets())
    EXPECT_FALSE(qobject_cast<QMenu*>(w) && w->isVisible()) << w->metaObject()->className();
}

TEST_F(ExifDisplay, WithoutExifOrWithoutPictureTheMessagesFollow) {
  QVL& f = Qvl();
  // No picture: both messages, in this order.
  dialogs_->answerMsgBox(platform::vbOK);
  dialogs_->answerMsgBox(platform::vbOK);
  Affiche_Exif();
  EXPECT_EQ(messages(), (std::vector<std::string>{kAucuneImage, kPasExif}));
  EXPECT_FALSE(f.TextExif.visible());

  // A picture without EXIF: the second message only, and the box hidden.
  open(bmp("plain.bmp", 30, 20));
  dialogs_->answerMsgBox(platform::vbOK);
  Affiche_Exif();
  EXPECT_EQ(messages().size(), 3u);
  EXPECT_EQ(messages().back(), kPasExif);
  EXPECT_FALSE(f.TextExif.visible());
  EXPECT_EQ(f.TextExif.text(), "");
}

// Every way an image becomes current records its camera reference, and the settings
// file keeps it.
TEST_F(ExifDisplay, CameraReferenceFollowsTheCurrentImage) {
  QVL& f = Qvl();
  const std::string photo = (folder_ / "photo.jpg").string();
  std::filesystem::copy_file(dataPath("motorola/input.jpg"), photo);
  open(photo);
  EXPECT_EQ(Ref_APN(1), "Lumo\\S9");
  EXPECT_EQ(Ref_APN(4), "45/10");
  user::click(f.MnuFIC(8));   // "Sauver les paramètres"
  std::vector<std::string> lines;
  ASSERT_TRUE(platform::readLines(Chemin_Parametres(), &lines));
  int found = 0;
  for (const std::string& l : lines)
    if (l.rfind("REFAPN=", 0) == 0) {
      EXPECT_EQ(l, "REFAPN=;Lumo\\S9;4000/3;4000/3;45/10;150;");
      ++found;
    }
  EXPECT_EQ(found, 1);

  // A second image chosen in the list, then the first again.
  const std::string plain = bmp("plain.bmp", 30, 20);
  Ajoute_Image_Liste(plain);
  f.ListImgAff.setListIndex(1);   // fires the list's click
  ASSERT_EQ(Img_Active, plain);
  EXPECT_EQ(Ref_APN(1), "\\");
  EXPECT_EQ(Ref_APN(4), "");
  f.ListImgAff.setListIndex(0);
  EXPECT_EQ(Ref_APN(1), "Lumo\\S9");

  // A pasted picture has none.
  platform::Clipboard::setImage(platform::Picture::filled(20, 20, 0x808080));
  Image_Temporaire();
  EXPECT_EQ(Ref_APN(1), "\\");
  platform::Clipboard::clear();
}


// The listing closed by a right click while it has the focus leaves the keys to the
// picture, not to the count box that follows in reading order: Z held and a click
// zoom the picture, the count box keeps its text and nothing is measured.
TEST_F(ExifDisplay, ListingClosedLeavesTheKeysToThePicture) {
  QVL& f = Qvl();
  const std::string photo = (folder_ / "photo.jpg").string();
  std::filesystem::copy_file(dataPath("intel/input.jpg"), photo);
  open(photo);
  ASSERT_TRUE(user::click(f.Mntool(11)));
  ASSERT_TRUE(user::click(f.TextExif));
  ASSERT_TRUE(f.TextExif.hasFocus());
  QWidget* boite = f.TextExif.widget();
  user::pressAndRelease(boite, user::centreOf(boite), Qt::RightButton);
  EXPECT_FALSE(f.TextExif.visible());
  picture_window::expectZoomClickOnThePicture();
}

}  // namespace
