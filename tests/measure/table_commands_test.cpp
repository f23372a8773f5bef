// The table editing commands on the real main window: Backspace and "<=", "Eff.  ligne",
// "Raz gril.", "Raz tout", "Cherche", and the small commands around the grid.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/globals.h"
#include "base/helpers.h"
#include "base/text_tables.h"
#include "forms/main_window.h"
#include "images/image_list.h"
#include "images/image_state.h"
#include "measure/grid_reset.h"
#include "measure/measure_state.h"
#include "measure/redraw.h"
#include "measure/table_commands.h"
#include "platform/dialogs.h"
#include "platform/runtime.h"
#include "platform/textfile.h"
#include "session_window.h"
#include "shell/button_bar.h"
#include "shell/function_menus.h"
#include "shell/function_switch.h"
#include "support/user_input.h"

namespace {

using picture_window::drag;
using session_window::gridLines;
using session_window::picture;
using session_window::snapshot;

class TableCommands : public session_window::SessionWindow {
 protected:
  void SetUp() override {
    SessionWindow::SetUp();
    picture_window::standardMeasuringState();
    QVL& f = Qvl();
    f.Check(3).setValue(1);
    r_.keep(Calibrage);
    const int zoomAuto = f.Check6.value();
    const bool mini = f.MGrille.visible();
    const std::string caption = f.IntrFace(5).caption();
    r_.then([zoomAuto, mini, caption] {
      QVL& g = Qvl();
      g.Check6.setValue(zoomAuto);
      g.MGrille.setVisible(mini);
      g.IntrFace(5).setCaption(caption);
      g.Frame_Export_trame.setVisible(false);
    });
  }

  // A listed picture w pixels wide shown as image `numero` with calibration `cal`.
  std::string show(const std::string& name, int w, double cal) {
    const std::string path = picture(images_, name, w, 300);
    int numero = Position_Image(path) + 1;
    if (numero == 0) numero = Ajoute_Image_Liste(path);
    Calib_Images(numero) = cal;
    EXPECT_TRUE(appel_img_listchar(path));
    return path;
  }

  // Spores of function 2 measured with the mouse: a horizontal length, then a width
  // dragged down (the Palmer guide makes it vertical).
  void spore(int x, int y, int longueur, int largeur) {
    drag(x, y, x + longueur, y);
    drag(x + 20, y, x + 27, y + largeur);
  }

  std::string cell(int r, int c) const { return Qvl().GrilleRef.textMatrix(r, c); }
};

// Backspace on the picture right after a spore opens its row again at the width; the
// width measured again gives a Q and a V computed from both values.
TEST_F(TableCommands, BackspaceReopensTheLastSpore) {
  Indep_Resol = true;
  show("a.bmp", 400, 0.05);
  startFunction(2);
  spore(40, 40, 300, 120);
  spore(40, 170, 280, 110);
  ASSERT_EQ(LigneCourante, 3);
  const std::string longueur = cell(2, 1);
  const std::vector<std::string> avant = gridLines();
  picture_window::key(QEvent::KeyPress, Qt::Key_Backspace);
  picture_window::key(QEvent::KeyRelease, Qt::Key_Backspace);
  EXPECT_EQ(LigneCourante, 2);
  EXPECT_EQ(EtapeClic, 2);
  EXPECT_EQ(cell(2, 1), longueur);
  for (int c = 2; c <= 6; ++c) EXPECT_EQ(cell(2, c), "") << c;
  EXPECT_EQ(gridLines()[1], avant[1]);
  // The statistics now count one width.
  EXPECT_EQ(Qvl().GrilleRefP.textMatrix(8, 2), "1");

  drag(60, 170, 67, 230);
  ASSERT_EQ(LigneCourante, 3);
  const double L = Val_Decimal(cell(2, 1)), W = Val_Decimal(cell(2, 2));
  ASSERT_GT(W, 0);
  EXPECT_EQ(cell(2, 3), platform::Format(L / W, "###0.00"));
  EXPECT_EQ(cell(2, 4), platform::Format(W * L * W * 3.14159 / 6, "###0.0"));
  EXPECT_EQ(cell(2, 5), "1");
}

// "<=" in the middle of a spore undoes its length; on an empty grid nothing happens.
TEST_F(TableCommands, UndoButton) {
  show("a.bmp", 400, 0.05);
  startFunction(2);
  Bout_Click(2);
  EXPECT_EQ(LigneCourante, 1);
  EXPECT_EQ(EtapeClic, 1);
  PGr_Etat = false;   // the button's tail arms the swallowing of a release
  spore(40, 40, 300, 120);
  drag(40, 170, 320, 170);
  ASSERT_EQ(EtapeClic, 2);
  Bout_Click(2);
  EXPECT_EQ(LigneCourante, 2);
  EXPECT_EQ(EtapeClic, 1);
  EXPECT_EQ(cell(2, 1), "");
  EXPECT_EQ(Qvl().StatusBar1.simpleText(), MNU(7));
  EXPECT_EQ(Qvl().GrilleRefP.textMatrix(8, 1), "1");
}

// "Eff.  ligne" deletes the selected row: the rows below move up and the statistics
// follow.
TEST_F(TableCommands, DeleteTheSelectedRow) {
  show("a.bmp", 400, 0.05);
  startFunction(2);
  spore(40, 40, 300, 120);
  spore(40, 170, 280, 110);
  spore(60, 250, 260, 40);
  const std::vector<std::string> avant = gridLines();
  const int lignes = Qvl().GrilleRef.rows();
  Qvl().GrilleRef.setRow(2);
  Bout_Click(15);
  EXPECT_EQ(LigneCourante, 3);
  EXPECT_EQ(Qvl().GrilleRef.rows(), lignes);
  const std::vector<std::string> apres = gridLines();
  ASSERT_EQ(apres.size(), 3u);
  EXPECT_EQ(apres[1], avant[1]);
  EXPECT_EQ(apres[2], "2" + avant[3].substr(1));
  EXPECT_EQ(Qvl().GrilleRefP.textMatrix(8, 1), "2");
  // A row below the cursor: nothing.
  Qvl().GrilleRef.setRow(10);
  Bout_Click(15);
  EXPECT_EQ(gridLines(), apres);
}

// "Raz gril." asks first; No keeps everything, Yes empties the grid and its statistics
// and forgets the results file the rows may have come from.
TEST_F(TableCommands, ClearTheGrid) {
  r_.keep(Fic_CSV_Import);
  show("a.bmp", 400, 0.05);
  startFunction(2);
  spore(40, 40, 300, 120);
  Fic_CSV_Import = images_.file("résultats.csv");
  const session_window::Snapshot avant = snapshot();
  dialogs_->answerMsgBox(platform::vbNo);
  Bout_Click(16);
  EXPECT_EQ(messages(), std::vector<std::string>{MSG(190) + " " + MSG(188) + " ? "});
  EXPECT_TRUE(snapshot() == avant);
  EXPECT_EQ(Fic_CSV_Import, images_.file("résultats.csv"));
  dialogs_->answerMsgBox(platform::vbYes);
  Bout_Click(16);
  EXPECT_EQ(Fic_CSV_Import, "");
  EXPECT_EQ(LigneCourante, 1);
  EXPECT_EQ(cell(1, 1), "");
  EXPECT_EQ(Qvl().GrilleRefP.textMatrix(1, 1), "");
  EXPECT_EQ(Qvl().ListIMGchar.listCount(), 1);
  // An empty grid is cleared without a question.
  Bout_Click(16);
  EXPECT_EQ(messages().size(), 2u);
}

// "Raz tout" empties the grid, the table and the image list; every calibration goes
// back to 1 but the one in force stays. No only hides the grid.
TEST_F(TableCommands, ClearEverything) {
  show("a.bmp", 400, 0.05);
  startFunction(2);
  spore(40, 40, 300, 120);
  spore(40, 170, 280, 110);
  Qvl().Frame(6).setVisible(true);
  const session_window::Snapshot avant = snapshot();
  const std::string question = MSG(190) + " " + MSG(188) + " & " + MSG(189) + " ? ";
  dialogs_->answerMsgBox(platform::vbNo);
  Bout_Click(17);
  EXPECT_EQ(messages(), std::vector<std::string>{question});
  EXPECT_FALSE(Qvl().Frame(6).visible());
  EXPECT_TRUE(snapshot() == avant);

  dialogs_->answerMsgBox(platform::vbYes);
  Bout_Click(17);
  EXPECT_EQ(LigneCourante, 1);
  EXPECT_EQ(cell(1, 1), "");
  EXPECT_EQ(Qvl().ListIMGchar.listCount(), 0);
  EXPECT_EQ(Qvl().ListImgAff.listCount(), 0);
  EXPECT_EQ(Index_Image, 0);
  EXPECT_DOUBLE_EQ(Calibrage, 0.05);
  EXPECT_DOUBLE_EQ(Calib_Images(0), 0.05);
  EXPECT_DOUBLE_EQ(Calib_Images(1), 1.0);
  for (int r = 1; r <= 3; ++r) {
    EXPECT_EQ(TabMesures(r).NumImage, 0) << r;
    EXPECT_TRUE(Cellule_Vide(TabMesures(r).Seg(1))) << r;
  }
}

// "Cherche" shows the image of the selected row with its calibration and centres the
// view on the middle of its length, at its zoom when "Zoom auto" is ticked.
TEST_F(TableCommands, SearchGoesBackToTheRowsImage) {
  const std::string un = show("un.bmp", 400, 0.05);
  startFunction(2);
  spore(40, 40, 300, 120);
  const std::string deux = show("deux.bmp", 800, 0.2);
  spore(40, 170, 280, 110);
  ASSERT_EQ(Index_Image, 2);
  Qvl().Check6.setValue(1);
  TabMesures(1).ExpZoom = -4;
  Qvl().GrilleRef.setRow(1);
  Bout_Click(14);
  EXPECT_EQ(Img_Active, un);
  EXPECT_EQ(Index_Image, 1);
  EXPECT_EQ(Qvl().ListIMGchar.listIndex(), 0);
  EXPECT_EQ(Qvl().ListImgAff.listIndex(), 0);
  EXPECT_DOUBLE_EQ(Calibrage, 0.05);
  EXPECT_EQ(Expo_Zoom, -4);
  const Segment& s = TabMesures(1).Seg(1);
  const double k = K_Zoom * Echelle;
  EXPECT_EQ(Larg_Affichee, platform::CLng((s.X1 + s.X2) / 2 - Qvl().Picture1.scaleWidth() * 0.5 * k));
  EXPECT_EQ(Haut_Affichee, platform::CLng((s.Y1 + s.Y2) / 2 - Qvl().Picture1.scaleHeight() * 0.5 * k));
  EXPECT_FALSE(Qvl().Frame(6).visible());

  // The row in progress, or a row beyond it: nothing.
  Qvl().GrilleRef.setRow(3);
  Bout_Click(14);
  EXPECT_EQ(Img_Active, un);
  // A row whose image is not listed: the background picture, calibration kept.
  TabMesures(2).NumImage = 9;
  Qvl().GrilleRef.setRow(2);
  Bout_Click(14);
  EXPECT_EQ(Index_Image, 0);
  EXPECT_TRUE(Img_Active.empty());
  EXPECT_DOUBLE_EQ(Calibrage, 0.05);
  (void)deux;
}

// A change of function clears the grid, its statistics and the table rows it leaves.
TEST_F(TableCommands, FunctionChangeResetsEverything) {
  show("a.bmp", 400, 0.05);
  startFunction(2);
  spore(40, 40, 300, 120);
  spore(40, 170, 280, 110);
  dialogs_->answerMsgBox(platform::vbYes);
  MnuFonc_Click(1);
  EXPECT_EQ(FonctionCourante, 1);
  EXPECT_EQ(LigneCourante, 1);
  EXPECT_TRUE(Cellule_Vide(TabMesures(1).Seg(1)));
  EXPECT_TRUE(Cellule_Vide(TabMesures(2).Seg(2)));
  EXPECT_EQ(TabMesures(2).NumImage, 0);
  // The statistics grid is that of a fresh grid of the new function.
  const std::vector<std::string> stats = session_window::statLines();
  startFunction(1);
  Efface_Grille_Stat();
  Statistiques_Grille();
  EXPECT_EQ(stats, session_window::statLines());
}

TEST_F(TableCommands, MiniGridAndValues) {
  QVL& f = Qvl();
  f.MGrille.setVisible(true);
  f.IntrFace(5).onClick();
  EXPECT_FALSE(f.MGrille.visible());
  EXPECT_EQ(f.IntrFace(5).caption(), " M Grille Visible");
  f.IntrFace(5).onClick();
  EXPECT_TRUE(f.MGrille.visible());
  EXPECT_EQ(f.IntrFace(5).caption(), " M Grille Invisible");
  // Dragging with the left button moves it; without a button nothing moves.
  f.MGrille.move(1000, 2000);
  MGrille_MouseMove(0, 0, 100, 100);
  EXPECT_DOUBLE_EQ(f.MGrille.left(), 1000);
  MGrille_MouseMove(1, 0, 100, 200);
  EXPECT_NEAR(f.MGrille.left(), 620, 15);
  EXPECT_NEAR(f.MGrille.top(), 1240, 15);
}

TEST_F(TableCommands, SubFolderOfTheExportFrame) {
  QVL& f = Qvl();
  ASSERT_TRUE(f.Dir1.setPath(folder()));
  f.Frame_Export_trame.setVisible(true);
  struct Refus {
    const char* nom;
    bool vide;
  };
  for (const Refus& r : {Refus{"", true}, Refus{"..", false}, Refus{"a/b", false}, Refus{"a\\b", false}}) {
    SCOPED_TRACE(r.nom);
    dialogs_->clear();
    dialogs_->answerMsgBox(platform::vbOK);
    f.Text2.setText(r.nom);
    Command12_Click(2);
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0] == "Veuillez saisir le nom du répertoire à créer", r.vide);
    EXPECT_TRUE(f.Frame_Export_trame.visible());
  }
  EXPECT_FALSE(platform::folderExists(images_.file("a")));
  dialogs_->clear();
  f.Text2.setText("lames");
  Command12_Click(2);
  EXPECT_TRUE(platform::folderExists(images_.file("lames")));
  EXPECT_FALSE(f.Frame_Export_trame.visible());
  EXPECT_TRUE(messages().empty());
  dialogs_->answerMsgBox(platform::vbOK);
  Command12_Click(2);
  EXPECT_EQ(messages(), std::vector<std::string>{"Le répertoire \"" + images_.file("lames") + "\" existe déjà "});
}


// The export frame closed by the sub-folder it made leaves the keys to the picture,
// not to the count box that follows in reading order: Z held and a click zoom the
// picture, the count box keeps its text and nothing is measured.
TEST_F(TableCommands, ExportFrameClosedLeavesTheKeysToThePicture) {
  QVL& f = Qvl();
  show("un.bmp", 400, 0.05);
  startFunction(2);
  ASSERT_TRUE(user::choose(f.MnuSession(3)));
  ASSERT_TRUE(f.Frame_Export_trame.visible());
  ASSERT_TRUE(f.Dir1.setPath(folder()));
  ASSERT_TRUE(user::typeInto(f.Text2, "lames"));
  ASSERT_TRUE(user::click(f.Command12(2)));
  EXPECT_FALSE(f.Frame_Export_trame.visible());
  EXPECT_TRUE(platform::folderExists(images_.file("lames")));
  picture_window::expectZoomClickOnThePicture();
}

}  // namespace
