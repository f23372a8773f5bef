// The main window's activation, the trame named on the command line and the quit
// panel, on the real window with scripted dialogs: a session measured with the mouse,
// saved by "Sauver la trame et Quitter" and found again at the next start by the
// command line, "Session précédente" and "Charger la trame".
#include "shell/session.h"

#include <gtest/gtest.h>

#include <QCloseEvent>
#include <QCoreApplication>
#include <QWidget>
#include <QWindow>

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/globals.h"
#include "base/text_tables.h"
#include "forms/main_window.h"
#include "images/image_list.h"
#include "images/image_state.h"
#include "images/picture_view.h"
#include "measure/grid_reset.h"
#include "measure/measure_state.h"
#include "measure/measure_window.h"
#include "measure/picture_window.h"
#include "measure/session_window.h"
#include "platform/app.h"
#include "platform/dialogs.h"
#include "platform/events.h"
#include "platform/runtime.h"
#include "platform/textfile.h"
#include "shell/function_switch.h"
#include "shell/settings_file.h"
#include "support/user_input.h"

namespace {

using picture_window::Restorer;
using picture_window::TempFolder;
using session_window::bytesOf;

TEST(CommandLine, QuotesAroundThePathOnly) {
  const std::pair<const char*, const char*> cases[] = {
      {"\"/home/u/mes sessions/s 1.trm\"", "/home/u/mes sessions/s 1.trm"},
      {"/home/u/s.trm", "/home/u/s.trm"},
      {" s.trm ", " s.trm "},
      {"\"s.trm", "\"s.trm"},
      {"s.trm\"", "s.trm\""},
      {"\"\"", ""},
      {"\"", "\""},
      {"", ""},
  };
  for (const auto& [in, out] : cases) EXPECT_EQ(Trame_Ligne_Commande(in), out) << in;
}

// An event pump that runs one scripted action at each call, then the real events.
class ScriptedPump : public platform::EventPump {
 public:
  explicit ScriptedPump(std::deque<std::function<void()>>* actions) : actions_(actions) {}
  void processEvents() override {
    if (!actions_->empty()) {
      auto a = std::move(actions_->front());
      actions_->pop_front();
      a();
    }
    QCoreApplication::processEvents();
  }

 private:
  std::deque<std::function<void()>>* actions_;
};

class Session : public ::testing::Test {
 protected:
  void SetUp() override {
    auto d = std::make_unique<platform::ScriptedDialogs>();
    dialogs_ = d.get();
    platform::setDialogs(std::move(d));
    platform::setClock(std::make_unique<measure_window::RunningClock>());
    platform::setEventPump(std::make_unique<ScriptedPump>(&actions_));
    platform::SetDecimalSeparator('.');
    QVL& f = Qvl();
    f.show();
    platform::DoEvents();
    dialogs_->clear();
    picture_window::keepMeasuringState(r_, kDerniereLigneTable);
    r_.keep(Calib_Images); r_.keep(Fic_Session); r_.keep(Fic_Session_Lue); r_.keep(Fic_Trame);
    r_.keep(Fic_Ligne_Cmd); r_.keep(Rep_Images); r_.keep(Rep_Data); r_.keep(Img_Active);
    r_.keep(AutoRetrace); r_.keep(Premiere_Activation); r_.keep(Diag_Langue); r_.keep(Couleurs);
    r_.keep(Alerte_W7); r_.keep(ValEtapes); r_.keep(Export_Fait); r_.keep(Img_Marque);
    r_.keep(NbPoints_Copie); r_.keep(Der_Colonne); r_.keep(Trace_Poly);
    const std::string settings = platform::App::Path() + "/Qvrl.dat";
    std::string octets;
    const bool had = platform::readBytes(settings, &octets);
    const int fonction = FonctionCourante;
    r_.then([settings, octets, had, fonction] {
      QVL& g = Qvl();
      if (had) platform::saveFileAtomic(settings, octets);
      platform::App::setCommand("");
      platform::App::setEndHook({});
      g.FrameQuitter.setVisible(false);
      g.FraListeImg.setVisible(false);
      Vide_Listes();
      g.GrilleRef.setRows(1);
      g.MGrille.setRows(1);
      Choix_Fonction_Mesure(fonction);
      Choix_Quitter = 0;
    });
    platform::App::setEndHook([this](int code) { ended_ = code; });
  }

  void TearDown() override {
    EXPECT_TRUE(dialogs_->unanswered().empty())
        << "unanswered: " << (dialogs_->unanswered().empty() ? "" : dialogs_->unanswered().front());
    r_holder_.reset();
    platform::setEventPump(nullptr);
    platform::setClock(nullptr);
    platform::setDialogs(nullptr);
    platform::SetDecimalSeparator(0);
  }

  std::vector<std::string> messages() const {
    std::vector<std::string> m;
    for (const auto& a : dialogs_->log())
      if (a.kind == "msgBox") m.push_back(a.text);
    return m;
  }

  // The next close request answered by the quit panel's button `index`; true when the
  // program ended.
  bool closeAnswering(int index, int* cancel = nullptr) {
    actions_.push_back([index] { Qvl().Command15.onClick(index); });
    int c = 0;
    bool fin = false;
    try {
      Form_QueryUnload(c, platform::kFormControlMenu);
    } catch (const platform::EndRequested&) {
      fin = true;
    }
    if (cancel) *cancel = c;
    return fin;
  }

  // A new start of the program with this command line: the session emptied, the
  // start-up chain run again (settings read), then the first activation.
  void restart(const std::string& commande) {
    QVL& f = Qvl();
    Reinit_Fonction();
    Vide_Listes();
    Montre_Fond_Ecran();
    Calib_Images.fill(1.0);
    Fic_Trame.clear();
    Fic_Session.clear();
    Fic_Session_Lue.clear();
    f.FraListeImg.setVisible(false);
    platform::App::setCommand(commande);
    f.Form_Load();
    Form_Activate();
  }

  platform::ScriptedDialogs* dialogs_ = nullptr;
  std::deque<std::function<void()>> actions_;
  std::unique_ptr<Restorer> r_holder_ = std::make_unique<Restorer>();
  Restorer& r_ = *r_holder_;
  int ended_ = -1;
};

// --- activation ---------------------------------------------------------------------------

TEST_F(Session, ActivationSetsTheRedrawBoxThePromptAndTheColours) {
  QVL& f = Qvl();
  Palmer = 1;
  f.Optn(6).setValue(true);
  for (bool autoRetrace : {true, false}) {
    SCOPED_TRACE(autoRetrace);
    AutoRetrace = autoRetrace;
    Facteur_Resol = 2.5;
    Couleurs(3) = 7;
    Diag_Langue = false;
    Form_Activate();
    EXPECT_EQ(f.Check(2).value(), autoRetrace ? 1 : 0);
    EXPECT_EQ(Retrace_Zoom, autoRetrace);
    EXPECT_EQ(Palmer, 1);
    EXPECT_EQ(f.StatusBar1.simpleText(), MSG(169));
    EXPECT_EQ(Facteur_Resol, 1.0);
    EXPECT_EQ(Couleurs(0), 16777215u);
    EXPECT_EQ(Couleurs(3), 16776960u);
    EXPECT_EQ(Couleurs(6), 1u);
    EXPECT_TRUE(Diag_Langue);
  }
  FonctionCourante = 20;
  Form_Activate();
  EXPECT_EQ(f.StatusBar1.simpleText(), MSG(70));
  EXPECT_TRUE(messages().empty());
}

// Only the first activation reads the command line and sets the grid up.
TEST_F(Session, LaterActivationsDoNotReadTheCommandLineAgain) {
  TempFolder dir;
  const std::string path = dir.file("s.trm");
  ASSERT_TRUE(platform::writeLines(path, {"pas une trame"}));
  platform::App::setCommand("\"" + path + "\"");
  Premiere_Activation = true;
  Qvl().GrilleRef.setTextMatrix(1, 1, "4.00");
  LigneCourante = 2;
  Form_Activate();
  EXPECT_TRUE(messages().empty());
  EXPECT_EQ(Qvl().GrilleRef.textMatrix(1, 1), "4.00");
  // The first one: the grid is set up, the file read (and refused here).
  dialogs_->answerMsgBox(platform::vbOK);
  Premiere_Activation = false;
  Form_Activate();
  EXPECT_TRUE(Premiere_Activation);
  EXPECT_EQ(Qvl().GrilleRef.textMatrix(1, 1), "");
  EXPECT_EQ(messages(), std::vector<std::string>{"Fichier trame illisible (ligne INDPRES absente) : " + path});
  EXPECT_EQ(Fic_Ligne_Cmd, path);
  EXPECT_FALSE(Qvl().FraListeImg.visible());
}

// --- the quit panel ---------------------------------------------------------------------------

TEST_F(Session, StayingKeepsTheProgramAndTheNextCloseAsksAgain) {
  QVL& f = Qvl();
  for (int fois = 0; fois < 2; ++fois) {
    bool vu = false;
    actions_.push_back([&vu, &f] { vu = f.FrameQuitter.visible() && Choix_Quitter == 0; });
    actions_.push_back([] { Qvl().Command15.onClick(2); });
    EXPECT_FALSE(f.unload(platform::kFormControlMenu));
    EXPECT_TRUE(vu);
    EXPECT_EQ(Choix_Quitter, 3);
    EXPECT_FALSE(f.FrameQuitter.visible());
    EXPECT_TRUE(f.isLoaded());
  }
  EXPECT_EQ(f.Command15(0).caption(), "Quitter");
  EXPECT_EQ(f.Command15(1).caption(), "Sauver la trame et Quitter\"");
  EXPECT_EQ(f.Command15(2).caption(), "Ne Pas Quitter");
  EXPECT_EQ(ended_, -1);
}

// A close request while the panel waits does nothing; "Quitter" then ends at once and
// the settings file keeps its bytes, though the session changed since it was written.
TEST_F(Session, QuitLeavesTheSettingsFileAsItWas) {
  const std::string settings = Chemin_Parametres();
  Fic_Session = "/avant.trm";
  ASSERT_TRUE(Sauve_Parametres());
  const std::string avant = bytesOf(settings);
  Fic_Session = "/depuis/nouvelle.trm";
  bool refused = false;
  actions_.push_back([&refused] { refused = !Qvl().unload(platform::kFormControlMenu); });
  EXPECT_TRUE(closeAnswering(0));
  EXPECT_TRUE(refused);
  EXPECT_EQ(ended_, 0);
  EXPECT_EQ(bytesOf(settings), avant);
  EXPECT_TRUE(dialogs_->log().empty());
  // A save now would have written other bytes.
  ASSERT_TRUE(Sauve_Parametres());
  EXPECT_NE(bytesOf(settings), avant);
}

// "Sauver la trame et Quitter" with a cancelled dialog, or a write that fails, stays
// in the program and leaves the SESSION line as it was.
TEST_F(Session, SaveAndQuitStaysWhenNothingWasWritten) {
  const std::string settings = Chemin_Parametres();
  Fic_Session = "/avant.trm";
  ASSERT_TRUE(Sauve_Parametres());
  const std::string avant = bytesOf(settings);
  Alerte_W7 = false;
  dialogs_->answerFileCancel(true);
  int cancel = 0;
  EXPECT_FALSE(closeAnswering(1, &cancel));
  EXPECT_EQ(cancel, 1);
  dialogs_->answerSave("/proc/quorvale_quitter.trm");
  dialogs_->answerMsgBox(platform::vbOK);
  EXPECT_FALSE(closeAnswering(1, &cancel));
  EXPECT_EQ(cancel, 1);
  ASSERT_EQ(messages().size(), 1u);
  EXPECT_EQ(messages()[0].rfind(MSG(144) + "/proc/quorvale_quitter.trm", 0), 0u);
  EXPECT_EQ(bytesOf(settings), avant);
  EXPECT_EQ(Fic_Session, "/avant.trm");
  EXPECT_EQ(ended_, -1);
}

// Two close requests from the window system (the title bar's close): the second, sent
// while the panel waits, leaves the window and the panel as they are; the panel's own
// button then saves the trame and ends the program.
TEST_F(Session, ASecondCloseWhileThePanelWaitsKeepsTheWindow) {
  QVL& f = Qvl();
  TempFolder dir;
  QWidget* fenetre = f.window();
  ASSERT_NE(fenetre->windowHandle(), nullptr);
  const auto fermeture = [fenetre] {
    QCloseEvent e;
    QCoreApplication::sendEvent(fenetre->windowHandle(), &e);
    return e.isAccepted();
  };
  bool deuxiemeAcceptee = true, resteVisible = false, panneauVisible = false;
  actions_.push_back([&] {
    deuxiemeAcceptee = fermeture();
    fenetre->close();
  });
  actions_.push_back([&] {
    resteVisible = fenetre->isVisible() && fenetre->windowHandle() && fenetre->windowHandle()->isVisible();
    panneauVisible = f.FrameQuitter.visible() && Choix_Quitter == 0;
  });
  const std::string trame = dir.file("fin.trm");
  // The session holds a picture: a trame is written only with its images.
  f.ListIMGchar.clear();
  f.ListIMGchar.addItem(dir.file("lame.bmp"));
  actions_.push_back([&] {
    Alerte_W7 = false;
    dialogs_->answerSave(trame);
    // A panel a user cannot reach fails the test; "Ne Pas Quitter" then ends the wait.
    if (!user::click(f.Command15(1))) Command15_Click(2);
  });
  fermeture();
  EXPECT_FALSE(deuxiemeAcceptee);
  EXPECT_TRUE(resteVisible);
  EXPECT_TRUE(panneauVisible);
  EXPECT_EQ(ended_, 0);
  EXPECT_TRUE(platform::fileExists(trame));
  EXPECT_EQ(Fic_Session, trame);
  EXPECT_TRUE(fenetre->isVisible());
  EXPECT_TRUE(f.isLoaded());
}

// --- a whole session ----------------------------------------------------------------------------

// What the session shows that must come back: the grid without its volume column (a
// reloaded V takes the display mask; checked on its own), the table rows, the image
// list, the calibrations and the statistics without the volume.
struct Etat {
  std::vector<std::string> grille, table, images, stats;
  std::vector<double> calibrations;
  int ligne = 0;
  bool operator==(const Etat&) const = default;
};

std::string sansColonne(const std::string& ligne, int colonne) {
  std::vector<std::string> champs = platform::Split(ligne, "\t");
  if (colonne < static_cast<int>(champs.size())) champs.erase(champs.begin() + colonne);
  std::string t;
  for (const std::string& c : champs) t += c + "|";
  return t;
}

Etat etat() {
  Etat e;
  for (const std::string& l : session_window::gridLines()) e.grille.push_back(sansColonne(l, 4));
  for (const std::string& l : session_window::statLines()) e.stats.push_back(sansColonne(l, 4));
  for (int r = 1; r < LigneCourante; ++r) e.table.push_back(session_window::rowText(TabMesures(r)));
  e.images = session_window::imageList();
  for (int i = 1; i <= 2; ++i) e.calibrations.push_back(Calib_Images(i));
  e.ligne = LigneCourante;
  return e;
}

// The volume column as the display mask gives it from the length and width shown.
void expectVolumes() {
  const platform::FlexGrid& g = Qvl().GrilleRef;
  for (int r = 1; r < LigneCourante; ++r) {
    const double L = platform::Val(g.textMatrix(r, 1)), W = platform::Val(g.textMatrix(r, 2));
    EXPECT_EQ(g.textMatrix(r, 4), platform::Format(W * L * W * 3.14159 / 6, Format_Decimal)) << r;
  }
}

TEST_F(Session, MeasuredSavedQuitAndFoundAgain) {
  QVL& f = Qvl();
  TempFolder dir;
  // The settings file as an earlier session left it.
  const std::string settingsIn =
      session_window::replaceAll(bytesOf(std::string(QV_TEST_DATA) + "/settings/save_and_quit/input.dat"),
                                 "@DOSSIER@", platform::App::Path());
  ASSERT_TRUE(platform::saveFileAtomic(Chemin_Parametres(), settingsIn));
  restart("");
  ASSERT_EQ(Fic_Session_Lue, "C:\\Sessions\\ancienne.trm");
  picture_window::standardMeasuringState();
  Indep_Resol = false;
  f.Check(3).setValue(1);
  f.Frame(6).setVisible(true);

  // Two images, three spores on each, measured with the mouse.
  const std::string un = session_window::picture(dir, "lame 1.bmp", 400, 300);
  const std::string deux = session_window::picture(dir, "lame 2.bmp", 500, 300);
  const struct {
    std::string image;
    double calibrage;
  } images[] = {{un, 0.05}, {deux, 0.1}};
  for (const auto& im : images) {
    const int n = Ajoute_Image_Liste(im.image);
    ASSERT_GT(n, 0);
    Calib_Images(n) = im.calibrage;
    ASSERT_TRUE(appel_img_listchar(im.image));
    Expo_Zoom = 0;
    K_Zoom = 1;
    Affiche_Image(0);
    for (int s = 0; s < 3; ++s) {
      const int y = 40 + 60 * s;
      picture_window::drag(30, y, 330 - 20 * s, y);
      picture_window::drag(60, y, 67, y + 40 + 5 * s);
    }
  }
  ASSERT_EQ(LigneCourante, 7);
  f.GrilleRef.setTextMatrix(2, f.GrilleRef.cols() - 1, "spore à paroi épaisse");
  Statistiques_Grille();
  const Etat avant = etat();

  // "Sauver la trame et Quitter".
  const std::string trame = dir.file("mes sessions/s 1.trm");
  ASSERT_TRUE(platform::makeFolder(dir.file("mes sessions")));
  Alerte_W7 = false;
  dialogs_->answerSave(trame);
  EXPECT_TRUE(closeAnswering(1));
  EXPECT_EQ(ended_, 0);
  EXPECT_TRUE(platform::fileExists(trame));
  EXPECT_EQ(bytesOf(Chemin_Parametres()),
            session_window::replaceAll(
                session_window::replaceAll(
                    bytesOf(std::string(QV_TEST_DATA) + "/settings/save_and_quit/expected.dat"), "@DOSSIER@",
                    platform::App::Path()),
                "@SESSION@", trame));

  // Started again with the trame on the command line.
  restart("\"" + trame + "\"");
  EXPECT_TRUE(messages().empty());
  EXPECT_TRUE(etat() == avant);
  EXPECT_EQ(etat().grille, avant.grille);
  EXPECT_EQ(etat().stats, avant.stats);
  EXPECT_EQ(etat().table, avant.table);
  expectVolumes();
  EXPECT_TRUE(f.FraListeImg.visible());
  EXPECT_EQ(Img_Active, un);
  EXPECT_EQ(Fic_Trame, trame);
  EXPECT_EQ(Fic_Ligne_Cmd, trame);

  // "Session précédente" at a start without command line.
  restart("");
  EXPECT_EQ(Fic_Session_Lue, trame);
  EXPECT_EQ(LigneCourante, 1);
  f.MnuSession(1).onClick();
  EXPECT_TRUE(etat() == avant);
  EXPECT_TRUE(f.FraListeImg.visible());

  // "Charger la trame": the dialog, then the question since the grid holds rows.
  dialogs_->answerOpen({trame});
  dialogs_->answerMsgBox(platform::vbYes);
  f.MnuFIC(10).onClick();
  EXPECT_EQ(messages(), std::vector<std::string>{MSG(185) + SautLigne + MSG(106)});
  EXPECT_TRUE(etat() == avant);
  EXPECT_TRUE(Aff_Consignes);

  // A cancelled dialog asks nothing and changes nothing.
  restart("");
  dialogs_->answerFileCancel(false);
  f.MnuFIC(10).onClick();
  EXPECT_EQ(LigneCourante, 1);
  EXPECT_EQ(messages().size(), 1u);
  dialogs_->answerOpen({trame});
  f.MnuFIC(10).onClick();
  EXPECT_TRUE(etat() == avant);
  EXPECT_EQ(messages().size(), 1u);
}

// "Session précédente" with no recorded session only says so.
TEST_F(Session, NoPreviousSession) {
  Fic_Session_Lue.clear();
  Fic_Session = "/une/sauvegarde/automatique.trm";
  const int ligne = LigneCourante;
  Qvl().MnuSession(1).onClick();
  EXPECT_EQ(LigneCourante, ligne);
  EXPECT_TRUE(dialogs_->log().empty());
}

}  // namespace
