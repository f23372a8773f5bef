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
#include "platform/events.h"
#include "platform/textfile.h"
#include "shell/help.h"
#include "shell/session.h"
#include "shell/text_editor.h"
#include "support/layout_check.h"
#include "support/user_input.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QWindow>

#include <filesystem>

namespace {

// Panels lie over the picture by design.
const std::set<std::string> kImage = {"Picture1"};

// An event pump that runs an action once, at the first wait for events.
class OnFirstWait : public platform::EventPump {
 public:
  explicit OnFirstWait(std::function<void()> a) : action_(std::move(a)) {}
  void processEvents() override {
    if (auto a = std::move(action_)) {
      action_ = nullptr;
      a();
    }
    QCoreApplication::processEvents();
  }

 private:
  std::function<void()> action_;
};

// Runs act; `during` runs once at its first wait (a panel waiting for its answer, a
// timed message). False when act never waited.
bool whileWaiting(const std::function<void()>& act, const std::function<void()>& during) {
  bool waited = false;
  platform::setEventPump(std::make_unique<OnFirstWait>([&] {
    waited = true;
    during();
  }));
  act();
  platform::setEventPump(nullptr);
  return waited;
}

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
                                 &g.FraQvrl, &g.FraRep, &g.FraDial_Seq, &g.FrameEditer, &g.Frame_Export_trame, &g.Frame1,
                                 &g.Frame(1), &g.Frame(4), &g.Frame(11)})
        c->setVisible(false);
      g.TextExif.setVisible(false);
      g.MnApropos->setVisible(true);
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

// A session read by "Session précédente" shows the image list; each panel a user opens
// while it shows then comes over it, whole and reachable: the comment and export
// panel, the step-by-step input, the calibration panel, the options listing, the
// folder frame, the EXIF listing, the about panel, the editor, the multi-layer group,
// the welcome panel, the preview, the session export, the quit panel and a message.
TEST_F(MainLayout, PanelsOpenedOverTheImageList) {
  QVL& f = Qvl();
  r_.then([] {
    Qvl().TBox(4).setVisible(false);
    Qvl().FrameQuitter.setVisible(false);
  });
  // The session's first image is a photograph with its EXIF data.
  std::filesystem::copy_file(std::string(QV_TEST_DATA) + "/exif/intel/input.jpg", images_.file("photo.jpg"));
  session_window::picture(images_, "lame2.bmp", 1600);
  ASSERT_TRUE(platform::saveFileAtomic(images_.file("Qvrl.Cal"), "Calibrages\r\nobjectif 40;0,1625\r\n"));
  Fic_Session_Lue = images_.file("session.trm");
  const std::string trame = session_window::bytesOf(session_window::dataFile("program_2d/input.trm"));
  ASSERT_TRUE(platform::saveFileAtomic(
      Fic_Session_Lue, session_window::replaceAll(session_window::replaceAll(trame, "lame 1.bmp", "photo.jpg"),
                                                  "@DOSSIER@", folder())));
  ASSERT_TRUE(user::choose(f.MnuSession(1)));
  ASSERT_TRUE(f.FraListeImg.visible());
  check("liste d'images de la session");
  // A panel opened while the list shows lies over it.
  const std::set<std::string> liste = layout::withPanel(f, f.FraListeImg, kImage);
  const auto over = [&](const std::string& state) { layout::expectClean(f, "liste, " + state, liste); };

  ASSERT_TRUE(user::choose(f.MnuEDit(1)));
  ASSERT_TRUE(f.Frame(10).visible());
  over("export");
  user::click(f.Bout_dial(29));
  ASSERT_TRUE(user::choose(f.Mntool(10)));
  over("commentaires de la grille");
  user::click(f.Bout_dial(29));
  // The step-by-step input, checked while it waits for its first answer.
  for (platform::MenuItem* m : {&f.MnuEDit(9), &f.spo(1)})
    EXPECT_TRUE(whileWaiting([&] { user::choose(*m); }, [&] {
      EXPECT_TRUE(f.FraDial_Seq.visible());
      over("saisie pas à pas " + m->name());
      if (!user::click(f.Command9(1))) Command9_Click(1);
    })) << m->name();

  ok();
  ASSERT_TRUE(user::choose(f.MnuEDit(4)));
  ASSERT_TRUE(f.Frame(7).visible());
  over("calibrage");
  user::click(f.Bout(19));
  ASSERT_TRUE(user::click(f.Bout(7)));
  ASSERT_TRUE(f.TBox(4).visible());
  over("options");
  user::click(f.Bout(7));
  // The folder frame lies beside the list: both stay whole.
  ASSERT_TRUE(user::choose(f.MnuCharg(2)));
  ASSERT_TRUE(f.FraRep.visible());
  check("liste et répertoire");
  user::click(f.cmdRep(2));
  ASSERT_TRUE(user::choose(f.Mntool(11)));
  // The listing lies over the whole window by design: it alone is checked.
  ASSERT_TRUE(f.TextExif.visible());
  EXPECT_EQ(user::whyUnreachable(f.TextExif), "");
  EXPECT_EQ(layout::drawnOverPart(f.TextExif.widget()), nullptr);
  f.TextExif.setVisible(false);
  ASSERT_TRUE(user::choose(*f.MnApropos));
  over("à propos");
  user::click(f.Bout(35));
  ASSERT_TRUE(user::choose(f.MntoolXp(2)));
  ASSERT_TRUE(f.FrameEditer.visible());
  over("éditeur");
  user::click(f.Command8(0));
  ASSERT_TRUE(user::click(f.cmdChargeMC));
  over("groupe multicouche");
  user::click(f.cmdChargeMC);
  ASSERT_TRUE(user::choose(f.Mnuaide(2)));
  over("mémo clés");
  user::click(f.Bout(34));
  ASSERT_TRUE(user::click(f.Bout(39)));
  over("aperçu");
  user::click(f.Bout(38));
  // A text to write on the picture: its entry panel.
  ASSERT_TRUE(user::choose(f.Illus(4)));
  ASSERT_TRUE(user::clickAt(f.Picture1, 0.3, 0.7));
  ASSERT_TRUE(f.Frame(8).visible());
  over("texte sur l'image");
  f.Frame(8).setVisible(false);
  ASSERT_TRUE(user::choose(f.MnuSession(3)));
  over("export trame");
  f.Frame_Export_trame.setVisible(false);

  // The quit panel, while it waits for the answer; "Ne Pas Quitter" ends the wait.
  QCloseEvent fermeture;
  EXPECT_TRUE(whileWaiting([&] { QCoreApplication::sendEvent(f.window()->windowHandle(), &fermeture); }, [&] {
    EXPECT_TRUE(f.FrameQuitter.visible());
    over("quitter");
    if (!user::click(f.Command15(2))) Command15_Click(2);
  }));
  // A message: "Session précédente" with no session recorded says so for a second.
  Fic_Session_Lue.clear();
  EXPECT_TRUE(whileWaiting([&] { user::choose(f.MnuSession(1)); }, [&] {
    EXPECT_TRUE(f.FraFlash.visible());
    over("message");
  }));
  EXPECT_TRUE(f.FraListeImg.visible());
}

// The welcome panel, the preview and the editor: the one opened last lies over the
// others, whole and reachable.
TEST_F(MainLayout, WelcomePreviewAndEditorTogether) {
  QVL& f = Qvl();
  fiveRows();
  ASSERT_TRUE(platform::saveFileAtomic(images_.file("Qvrl.Cal"), "Calibrages\r\nobjectif 40;0,1625\r\n"));
  ASSERT_TRUE(user::choose(f.Mnuaide(2)));
  check("mémo clés");
  // The summary of five rows first says they are few.
  EXPECT_TRUE(whileWaiting([&] { user::click(f.Bout(39)); }, [&] {
    EXPECT_TRUE(f.FraFlash.visible());
    layout::expectClean(f, "message de l'aperçu", layout::withPanel(f, f.Frame(9), kImage));
  }));
  ASSERT_TRUE(f.Frame(12).visible());
  layout::expectClean(f, "aperçu sur le mémo clés", layout::withPanel(f, f.Frame(9), kImage));
  ASSERT_TRUE(user::choose(f.Mnuaide(2)));
  layout::expectClean(f, "mémo clés sur l'aperçu", layout::withPanel(f, f.Frame(12), kImage));
  ASSERT_TRUE(user::choose(f.MntoolXp(2)));
  ASSERT_TRUE(f.FrameEditer.visible());
  const std::set<std::string> dessous = layout::withPanel(f, f.Frame(12), kImage);
  layout::expectClean(f, "éditeur sur le mémo clés et l'aperçu", layout::withPanel(f, f.Frame(9), dessous));
  ASSERT_TRUE(user::choose(f.Mnuaide(2)));
  layout::expectClean(f, "mémo clés sur l'éditeur et l'aperçu", layout::withPanel(f, f.FrameEditer, dessous));
  ASSERT_TRUE(user::click(f.Bout(34)));
  ASSERT_TRUE(user::click(f.Command8(0)));
  ASSERT_TRUE(user::click(f.Bout(38)));
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
