// The button bar on the real window with measured spores: the grid clearing buttons
// answered No and Yes, storing a count, the comment written from the comment panel,
// and the toggles showing their state by colour.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/text_tables.h"
#include "forms/main_window.h"
#include "images/image_list.h"
#include "images/image_state.h"
#include "measure/measure_state.h"
#include "measure/session_window.h"
#include "platform/colour.h"
#include "platform/dialogs.h"
#include "shell/button_bar.h"
#include "support/user_input.h"

namespace {

using picture_window::drag;
using session_window::snapshot;

class ButtonBarWindow : public session_window::SessionWindow {
 protected:
  void SetUp() override {
    SessionWindow::SetUp();
    picture_window::standardMeasuringState();
    r_.keep(Mode_Commentaire);
    QVL& f = Qvl();
    const std::string compte = f.TBox(6).text();
    r_.then([compte] {
      QVL& g = Qvl();
      g.TBox(6).setText(compte);
      g.TBox(3).setText("");
      g.Text4.setText("");
      g.Bout(9).setBackColor(platform::kButtonFace);
      g.GrilleRef.setColAlignment(g.GrilleRef.cols() - 1, 9);
    });
    const std::string path = session_window::picture(images_, "a.bmp", 400, 300);
    int numero = Position_Image(path) + 1;
    if (numero == 0) numero = Ajoute_Image_Liste(path);
    Calib_Images(numero) = 0.05;
    EXPECT_TRUE(appel_img_listchar(path));
    startFunction(2);
    spore(40, 40, 300, 120);
    spore(40, 170, 280, 110);
    EXPECT_EQ(LigneCourante, 3);
  }

  void spore(int x, int y, int longueur, int largeur) {
    drag(x, y, x + longueur, y);
    drag(x + 20, y, x + 27, y + largeur);
  }

  std::string cell(int r, int c) const { return Qvl().GrilleRef.textMatrix(r, c); }
  int derniere() const { return Qvl().GrilleRef.cols() - 1; }
};

// "Raz gril." (16) and the red button (40): No leaves every row and table entry, Yes
// empties the grid, puts the cursor back at row 1 and the first rows forget their
// image.
TEST_F(ButtonBarWindow, ClearingButtonsAnsweredNoKeepEverything) {
  for (int index : {16, 40}) {
    SCOPED_TRACE(index);
    if (LigneCourante == 1) {
      spore(40, 40, 300, 120);
      spore(40, 170, 280, 110);
    }
    TabMesures(0).NumImage = 1;
    TabMesures(9).NumImage = 1;
    const session_window::Snapshot avant = snapshot();
    dialogs_->answerMsgBox(platform::vbNo);
    Bout_Click(index);
    EXPECT_TRUE(snapshot() == avant);
    EXPECT_EQ(TabMesures(0).NumImage, 1);
    EXPECT_EQ(TabMesures(9).NumImage, 1);
    EXPECT_EQ(Qvl().Bout(40).backColor(), platform::kButtonFace);

    dialogs_->answerMsgBox(platform::vbYes);
    Bout_Click(index);
    EXPECT_EQ(LigneCourante, 1);
    EXPECT_EQ(cell(1, 1), "");
    EXPECT_EQ(cell(2, 1), "");
    for (int r = 0; r <= 10; ++r) EXPECT_EQ(TabMesures(r).NumImage, 0) << r;
    EXPECT_EQ(messages().size(), 2u);
    dialogs_->clear();
  }
}

// "Stock N": the count goes into the last column of the last finished row, left
// aligned, and the box starts again from "0"; the redraw that follows ends the
// counting mode.
TEST_F(ButtonBarWindow, StoringACountWritesTheLastFinishedRow) {
  QVL& f = Qvl();
  Mode_Comptage = false;
  Bout_Click(9);
  ASSERT_TRUE(Mode_Comptage);
  f.TBox(6).setText("17");
  const std::string ligne1 = cell(1, derniere());
  Bout_Click(41);
  EXPECT_EQ(cell(2, derniere()), "17");
  EXPECT_EQ(cell(1, derniere()), ligne1);
  EXPECT_EQ(f.GrilleRef.colAlignment(derniere()), 0);
  EXPECT_EQ(f.TBox(6).text(), "0");
  EXPECT_FALSE(Mode_Comptage);
  EXPECT_EQ(f.Bout(9).backColor(), platform::kButtonFace);
}

// Button 28 in comment mode writes the comment into the last column of the row typed
// in Text4, a finished row only; any other text is refused with a message.
TEST_F(ButtonBarWindow, CommentGoesOnlyIntoAFinishedRow) {
  QVL& f = Qvl();
  Mode_Commentaire = true;
  f.TBox(3).setText("apex obtus");
  // The row box's own handler clamps what is typed and loads that row's comment; here
  // the text reaches button 28 as it is.
  const auto boite = f.Text4.onChange;
  f.Text4.onChange = nullptr;
  const std::vector<std::string> avant = session_window::gridLines();
  for (const char* texte : {"0", "abc", "3", "-1", "1.5", "99999", ""}) {
    SCOPED_TRACE(texte);
    f.Text4.setText(texte);
    dialogs_->answerMsgBox(platform::vbOK);
    Bout_Click(28);
    EXPECT_EQ(messages(), std::vector<std::string>{MNU(6) + " " + MNU(13) + " " + texte});
    EXPECT_EQ(session_window::gridLines(), avant);
    dialogs_->clear();
  }
  f.Text4.setText("2");
  Bout_Click(28);
  EXPECT_TRUE(messages().empty());
  EXPECT_EQ(cell(2, derniere()), "apex obtus");
  EXPECT_EQ(cell(1, derniere()), avant[1].substr(avant[1].rfind('\t') + 1));
  f.Text4.onChange = boite;
}

// "Compter" shows its state by colour (the magnifier button: button_bar_test.cpp).
TEST_F(ButtonBarWindow, CountButtonShowsItsStateByColour) {
  QVL& f = Qvl();
  Mode_Comptage = false;
  f.TBox(6).setText("5");
  user::click(f.Bout(9));
  EXPECT_TRUE(Mode_Comptage);
  EXPECT_EQ(f.Bout(9).backColor(), 0xC0FFC0u);
  EXPECT_EQ(f.TBox(6).text(), "0");
  user::click(f.Bout(9));
  EXPECT_FALSE(Mode_Comptage);
  EXPECT_EQ(f.Bout(9).backColor(), platform::kButtonFace);
}

}  // namespace
