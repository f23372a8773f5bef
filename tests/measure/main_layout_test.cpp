// The main window keeps every control visible, reachable and readable in each state of
// its panels: the grid frame in its four places, the comment panel in each layout, the
// calibration panel with its list, comment, correction frame and dialogue, and the
// other panels (welcome, preview, colour band, messages, image list and group, about,
// folder, editor, export, gill count, EXIF listing).
#include "base/text_tables.h"
#include "calibration_window.h"
#include "colour/colour_options.h"
#include "images/exif_display.h"
#include "images/image_loading.h"
#include "measure/comment_panel.h"
#include "reports/report_commands.h"
#include "shell/help.h"
#include "shell/text_editor.h"
#include "support/layout_check.h"
#include "support/user_input.h"

namespace {

// Panels lie over the picture by design.
const std::set<std::string> kImage = {"Picture1"};

class MainLayout : public calibration_window::CalibrationWindow {
 protected:
  void SetUp() override {
    CalibrationWindow::SetUp();
    QVL& f = Qvl();
    r_.keep(Type_Vue); r_.keep(Mode_Commentaire); r_.keep(Seq_Ouvert);
    r_.then([] {
      QVL& g = Qvl();
      Ferme_Panneau_Commentaire();
      for (platform::Frame* c : {&g.Frame(9), &g.Frame(12), &g.FraCharte, &g.FraFlash, &g.FraListeImg, &g.FraMC(0),
                                 &g.FraQvrl, &g.FraRep, &g.FrameEditer, &g.Frame_Export_trame, &g.Frame1,
                                 &g.Frame(1), &g.Frame(4), &g.Frame(11)})
        c->setVisible(false);
      g.TextExif.setVisible(false);
      g.Place_Cadre_Grille();
    });
    for (int i : f.Frame.indices()) f.Frame(i).setVisible(false);
    platform::DoEvents();
  }
  static void check(const std::string& state) { layout::expectClean(Qvl(), state, kImage); }
  // Five finished rows of function 2, commented "c1" to "c5".
  void fiveRows() {
    startFunction(2);
    platform::FlexGrid& g = Qvl().GrilleRef;
    for (int r = 1; r <= 5; ++r) {
      g.setTextMatrix(r, 0, std::to_string(r));
      g.setTextMatrix(r, g.cols() - 1, "c" + std::to_string(r));
    }
    LigneCourante = 6;
    EtapeClic = 1;
  }
};

TEST_F(MainLayout, GridFrameInEachPlace) {
  QVL& f = Qvl();
  f.Frame(6).setVisible(true);
  for (int vue = 0; vue <= 3; ++vue) {
    Type_Vue = vue;
    f.Place_Cadre_Grille();
    check("grille, vue " + std::to_string(vue));
  }
}

TEST_F(MainLayout, CommentPanelInEachLayout) {
  fiveRows();
  QVL& f = Qvl();
  f.GrilleRef.setRow(3);
  f.GrilleRef.setCol(f.GrilleRef.cols() - 1);
  GrilleRef_Click();
  check("commentaire d'une ligne");
  Ferme_Panneau_Commentaire();
  commenter_grille();
  check("commentaires de la grille");
  Ferme_Panneau_Commentaire();
  Panneau_Commentaire(2);
  check("commentaire de zone couleur");
  Ferme_Panneau_Commentaire();
  Fin_Etape_Mesure();
  check("commentaire d'export");
}

TEST_F(MainLayout, CalibrationPanelAndItsFrames) {
  QVL& f = Qvl();
  Type_Vue = 1;
  f.Place_Cadre_Grille();
  f.Frame(6).setVisible(true);
  Calibrage_Ouvre(1);
  check("calibrage");
  user::click(f.Bout(44));
  check("calibrage, correction");
  user::click(f.Command1(1));
  Calibrage_Ouvre(1);
  user::click(f.Bout(26));
  check("calibrage, correction/résolution");
  user::click(f.Bout(25));
  check("calibrage, commentaire");
  Calibrage_Ouvre(0);
  ok();
  user::click(f.Bout(24));
  check("calibrage, fichier");
  f.Frame(7).setVisible(false);
  f.Frame(8).setVisible(true);
  f.label(8).setCaption(MSG(170) + " 40");
  check("dialogue");
}

TEST_F(MainLayout, OtherPanels) {
  QVL& f = Qvl();
  // The grid frame at its usual place, as while measuring.
  Type_Vue = 1;
  f.Place_Cadre_Grille();
  f.Frame(6).setVisible(true);
  Aide_Liste();
  check("bienvenue");
  f.Frame(9).setVisible(false);
  Resume_Stat();
  check("aperçu");
  f.Frame(12).setVisible(false);
  dialogs_->answerMsgBox(platform::vbOK);
  Charge_Etalon_Defaut();
  check("bande couleur");
  f.FraCharte.setVisible(false);
  f.Flash_ouvre("message assez long pour le panneau des messages");
  check("message");
  f.Flash_ferme(-1);
  f.FraListeImg.setVisible(true);
  check("liste d'images");
  f.FraListeImg.setVisible(false);
  user::click(f.cmdChargeMC);
  check("groupe multicouche");
  f.FraMC(0).setVisible(false);
  MnApropos_Click();
  check("à propos");
  f.FraQvrl.setVisible(false);
  NouveauRep(Rep_Prog, 1);
  check("répertoire");
  f.FraRep.setVisible(false);
  f.Affiche_Export_Trame();
  check("export trame");
  f.Frame_Export_trame.setVisible(false);
  f.Frame1.setVisible(true);
  f.Label12.setCaption("Nb de lames estimé = 48");
  check("comptage des lames");
  f.Frame1.setVisible(false);
  f.Frame(1).setVisible(true);
  check("bande de comptage");
}

// The comment walk as a user does it: a click on row 3's comment opens the panel on
// it, the scroll bar's lower arrow moves to row 4 keeping what was typed for row 3,
// the upper arrow comes back.
TEST_F(MainLayout, CommentWalkRowByRowWithTheScrollBar) {
  fiveRows();
  QVL& f = Qvl();
  f.Frame(6).setVisible(true);
  Type_Vue = 1;
  f.Place_Cadre_Grille();
  platform::FlexGrid& g = f.GrilleRef;
  g.setLeftCol(g.cols() - 1);
  ASSERT_TRUE(user::clickCell(g, 3, g.cols() - 1));
  ASSERT_TRUE(f.Frame(10).visible());
  EXPECT_EQ(f.Text4.text(), "3");
  ASSERT_TRUE(user::typeInto(f.TBox(3), "paroi épaisse"));
  ASSERT_TRUE(user::clickAt(f.VScroll2, 0.5, 0.92));
  EXPECT_EQ(f.Text4.text(), "4");
  EXPECT_EQ(f.TBox(3).text(), "c4");
  EXPECT_EQ(g.textMatrix(3, g.cols() - 1), "paroi épaisse");
  ASSERT_TRUE(user::clickAt(f.VScroll2, 0.5, 0.08));
  EXPECT_EQ(f.Text4.text(), "3");
  EXPECT_EQ(f.TBox(3).text(), "paroi épaisse");
  ASSERT_TRUE(user::typeInto(f.Text4, "5"));
  EXPECT_EQ(f.TBox(3).text(), "c5");
  ASSERT_TRUE(user::click(f.Bout_dial(29)));
  EXPECT_FALSE(f.Frame(10).visible());
}

// The correction frame of the calibration panel opens and closes with the button the
// panel keeps uncovered.
TEST_F(MainLayout, FermerCorrectionClosesItsFrame) {
  QVL& f = Qvl();
  ok();
  ASSERT_TRUE(user::choose(f.MnuEDit(4)));
  ASSERT_TRUE(f.Frame(7).visible());
  ASSERT_TRUE(user::click(f.Bout(44)));
  ASSERT_TRUE(f.Frame(14).visible());
  EXPECT_EQ(f.Bout(44).caption(), "fermer correction");
  EXPECT_EQ(user::whyUnreachable(f.TBox(1)), "");
  ASSERT_TRUE(user::click(f.Bout(44)));
  EXPECT_FALSE(f.Frame(14).visible());
  EXPECT_EQ(f.Bout(44).caption(), "Correction calibrage");
}

}  // namespace
