// The button bar dispatcher on the real window.
#include <gtest/gtest.h>

#include <memory>

#include "base/globals.h"
#include "forms/main_window.h"
#include "images/image_state.h"
#include "measure/measure_state.h"
#include "platform/clipboard.h"
#include "platform/colour.h"
#include "platform/dialogs.h"
#include "platform/events.h"
#include "shell/button_bar.h"
#include "support/user_input.h"

namespace {

class ButtonBar : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::setDialogs(std::make_unique<platform::ScriptedDialogs>());
    Qvl().show();
    platform::DoEvents();
    couleurs_[0] = CouleursTrace(0);
    couleurs_[1] = CouleursTrace(1);
    loupe_ = Loupe_Visible;
  }
  void TearDown() override {
    CouleursTrace(0) = couleurs_[0];
    CouleursTrace(1) = couleurs_[1];
    Qvl().Bout(12).setBackColor(platform::QBColor(CouleursTrace(0)));
    if (Loupe_Visible != loupe_) Bout_Click(4);
    Aide_Touches_Ouverte = false;
    Qvl().Frame(6).setVisible(false);
  }
  int couleurs_[2] = {0, 0};
  bool loupe_ = true;
};

TEST_F(ButtonBar, GridButtonShowsThenHidesTheGridFrame) {
  QVL& f = Qvl();
  f.Frame(6).setVisible(false);
  user::click(f.Bout(3));
  EXPECT_TRUE(f.Frame(6).visible());
  EXPECT_EQ(f.StatusBar1.simpleText(), "Presser'Alt + G ' pour déplacer la grille ");
  // Hiding leaves the first cell current (showing recomputes the statistics, which
  // move it).
  user::click(f.Bout(3));
  EXPECT_FALSE(f.Frame(6).visible());
  EXPECT_EQ(f.GrilleRef.row(), 1);
  EXPECT_EQ(f.GrilleRef.col(), 1);
  user::click(f.Bout(3));
  user::click(f.Bout(18));   // "fermer" of the grid frame
  EXPECT_FALSE(f.Frame(6).visible());
}

TEST_F(ButtonBar, ColourButtonsStepThroughThePaletteAndWrap) {
  QVL& f = Qvl();
  CouleursTrace(0) = 14;
  Bout_Click(12);
  EXPECT_EQ(CouleursTrace(0), 15);
  EXPECT_EQ(f.Bout(12).backColor(), platform::QBColor(15));
  Bout_Click(12);
  EXPECT_EQ(CouleursTrace(0), 0);
  EXPECT_EQ(f.Bout(12).backColor(), platform::RGB(0, 0, 0));
  CouleursTrace(1) = 3;
  Bout_Click(13);
  EXPECT_EQ(CouleursTrace(1), 4);
  EXPECT_EQ(f.Bout(13).backColor(), platform::RGB(128, 0, 0));
}

TEST_F(ButtonBar, MagnifierButtonTogglesThePictureAndItsColour) {
  QVL& f = Qvl();
  const bool avant = Loupe_Visible;
  Bout_Click(4);
  EXPECT_EQ(Loupe_Visible, !avant);
  EXPECT_EQ(f.PLoupePic.visible(), Loupe_Visible);
  EXPECT_EQ(f.Bout(4).backColor(), Loupe_Visible ? 0xC0FFC0u : platform::kButtonFace);
  Bout_Click(4);
  EXPECT_EQ(Loupe_Visible, avant);
  EXPECT_EQ(f.PLoupePic.visible(), avant);
}

TEST_F(ButtonBar, CloseButtonOfTheWelcomeFrame) {
  QVL& f = Qvl();
  // With the key list shown only the welcome frame closes.
  Aide_Touches_Ouverte = true;
  f.Frame(9).setVisible(true);
  f.FraQvrl.setVisible(true);
  f.TBox(7).setText("clés");
  Bout_Click(34);
  EXPECT_FALSE(Aide_Touches_Ouverte);
  EXPECT_FALSE(f.Frame(9).visible());
  EXPECT_TRUE(f.FraQvrl.visible());
  EXPECT_EQ(f.TBox(7).text(), "");
  // Otherwise the about panel closes too and its menu item comes back.
  f.Frame(9).setVisible(true);
  f.MnApropos->setVisible(false);
  Bout_Click(34);
  EXPECT_FALSE(f.Frame(9).visible());
  EXPECT_FALSE(f.FraQvrl.visible());
  EXPECT_TRUE(f.MnApropos->visible());
}

TEST_F(ButtonBar, ImagesButtonTogglesTheListFrame) {
  QVL& f = Qvl();
  const bool avant = f.FraListeImg.visible();
  Bout_Click(8);
  EXPECT_EQ(f.FraListeImg.visible(), !avant);
  Bout_Click(8);
  EXPECT_EQ(f.FraListeImg.visible(), avant);
}

TEST_F(ButtonBar, CopyButtonPutsThePreviewOnTheClipboard) {
  QVL& f = Qvl();
  f.TBox(8).setText("Spores 10-12 x 5-6 µm");
  Bout_Click(37);
  EXPECT_EQ(platform::Clipboard::getText(), "Spores 10-12 x 5-6 µm");
  f.TBox(8).setText("");
}

TEST_F(ButtonBar, IndicesWithoutAnActionRunOnlyTheTail) {
  QVL& f = Qvl();
  f.TextExif.setVisible(true);
  f.StatusBar1.setSimpleText("x");
  for (int i : {6, 48, 49, 0, -3, 99}) Bout_Click(i);
  EXPECT_FALSE(f.TextExif.visible());
  EXPECT_EQ(f.StatusBar1.simpleText(), "");
  EXPECT_EQ(f.Bout(40).backColor(), platform::kButtonFace);
  f.FraCharte.setVisible(true);   // the colour function's band
  user::click(f.Bout_C(6));        // "retrace" of the compact bar
  f.FraCharte.setVisible(false);
  EXPECT_TRUE(static_cast<platform::ScriptedDialogs&>(platform::dialogs()).log().empty());
}

}  // namespace
