// The picture copied to the clipboard, the insertion menu "Référence", the "µ" button
// and the export-format menu, in the real main window.
#include "measure/picture_commands.h"

#include <QTimer>
#include <gtest/gtest.h>

#include <string>

#include "base/text_tables.h"
#include "forms/illustration_window.h"
#include "forms/main_window.h"
#include "images/image_state.h"
#include "measure/annotations.h"
#include "measure/illustration.h"
#include "measure/measure_state.h"
#include "measure_window.h"
#include "picture_window.h"
#include "platform/clipboard.h"
#include "platform/picture.h"
#include "shell/button_bar.h"
#include "support/user_input.h"

namespace {

using measure_window::MeasureWindow;

constexpr platform::Colour kFond = 0x203040;

class PictureCommands : public MeasureWindow {
 protected:
  void SetUp() override {
    MeasureWindow::SetUp();
    QVL& f = Qvl();
    r_.keep(Img_Active); r_.keep(Format_Image); r_.keep(Loupe_Ouverte); r_.keep(Ins_Notation);
    const std::string text5 = f.TBox(5).text(), clip = platform::Clipboard::getText();
    const platform::Picture p2 = f.Picture2.picture();
    const int format = Format_Image;
    r_.then([text5, clip, p2, format] {
      QVL& g = Qvl();
      g.TBox(5).setText(text5);
      g.Frame(8).setVisible(false);
      g.Picture2.setPicture(p2);
      g.F_Img_Click(format);
      platform::Clipboard::setText(clip);
      ForgetIllustrationWindow();
    });
    ASSERT_TRUE(picture_window::loadPlainPicture(dir_, 320, 240, kFond));
    Img_Active = dir_.file("plain_320x240.bmp");
    Mode_InsRef = Mode_Annot = Mode_Illus = Mode_InsTexte = Illus_Trait = Ins_Notation = false;
    Etat_Saisie = 0;
  }
  picture_window::TempFolder dir_;
};

// The clipboard gets Picture1's image with its drawings, pixel for pixel, replacing
// the text it held; the menu item does the same.
TEST_F(PictureCommands, PictureToClipboard) {
  QVL& f = Qvl();
  f.Picture1.setAutoRedraw(true);
  f.Picture1.line(100, 100, 3000, 2000, 0x0000FF);
  platform::Clipboard::setText("une notation");
  user::click(f.Command11);
  EXPECT_FALSE(platform::Clipboard::hasText());
  const platform::Picture attendu = f.Picture1.image();
  platform::Picture copie = platform::Clipboard::getImage();
  ASSERT_EQ(copie.widthPixels(), attendu.widthPixels());
  ASSERT_EQ(copie.heightPixels(), attendu.heightPixels());
  int differents = 0;
  for (int y = 0; y < attendu.heightPixels(); ++y)
    for (int x = 0; x < attendu.widthPixels(); ++x) differents += copie.pixel(x, y) != attendu.pixel(x, y);
  EXPECT_EQ(differents, 0);
  EXPECT_EQ(copie.pixel(picture_window::pixelOf(100), picture_window::pixelOf(100)), 0x0000FFu);

  platform::Clipboard::setText("encore");
  user::click(f.Mntool_a(2));
  EXPECT_EQ(platform::Clipboard::getImage().widthPixels(), attendu.widthPixels());
  EXPECT_FALSE(platform::Clipboard::hasText());
}

// "ins ref" arms the reference for the illustration on a fresh full-size copy; once
// placed, the window comes back with its save button enabled. "options" arms nothing.
TEST_F(PictureCommands, ReferenceArmedFromTheMenu) {
  QVL& f = Qvl();
  user::click(f.insref(3));
  EXPECT_FALSE(Mode_InsTexte || Mode_InsRef || Mode_Annot);
  Mode_InsTexte = true;
  user::click(f.insref(3));
  EXPECT_TRUE(Mode_InsTexte);
  Mode_InsTexte = false;

  user::click(f.insref(1));
  EXPECT_TRUE(Mode_InsTexte && Mode_InsRef);
  EXPECT_FALSE(Mode_Annot);
  EXPECT_EQ(f.StatusBar1.simpleText(), MSG(194));
  EXPECT_EQ(f.Picture2.picture().widthPixels(), 320);
  Clic_X1 = 1000;
  Clic_Y1 = 800;
  Clic_Annotation();
  f.TBox(5).setText("10");
  Bout_Click(31);
  bool active = false, vue = false;
  QTimer::singleShot(0, [&] {
    vue = FenIllust().visible();
    active = FenIllust().Command1(1).enabled();
    user::click(FenIllust().Command1(2));
  });
  Bout_Click(31);
  EXPECT_TRUE(vue);
  EXPECT_TRUE(active);
  EXPECT_FALSE(Mode_InsTexte || Mode_InsRef);

  user::click(f.insref(2));
  EXPECT_TRUE(Mode_Annot && Mode_InsTexte);
}

// The "µ" button replaces the text of the annotation box.
TEST_F(PictureCommands, MicrometreButton) {
  QVL& f = Qvl();
  // The entry dialogue as an annotation's text step shows it, with its "µ" button.
  f.Frame(8).setVisible(true);
  f.Bout_Symb.setVisible(true);
  f.TBox(5).setText("microns");
  ASSERT_TRUE(user::click(f.Bout_Symb));
  EXPECT_EQ(f.TBox(5).text(), " \u00B5m");
  ASSERT_TRUE(user::click(f.Bout_Symb));
  EXPECT_EQ(f.TBox(5).text(), " \u00B5m");
  f.Bout_Symb.setVisible(false);
  f.Frame(8).setVisible(false);
}

// Choosing a format leaves it alone ticked (the formats other than BMP and JPG are
// disabled in the menu: the settings replay them).
TEST_F(PictureCommands, ExportFormatMenu) {
  QVL& f = Qvl();
  for (const int choix : {1, 3, 0}) {
    if (f.F_Img(choix).enabled())
      user::click(f.F_Img(choix));
    else
      f.F_Img_Click(choix);
    EXPECT_EQ(Format_Image, choix);
    for (int i = 0; i <= 6; ++i) EXPECT_EQ(f.F_Img(i).checked(), i == choix) << choix << " " << i;
  }
}

}  // namespace
